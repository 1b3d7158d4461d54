#pragma once
// One property to appraise: the 1,728-byte record stored M times after the
// data records. Slots past the variables hold the projection's own values.
#include "AtributoCelula.h"

#include <QString>
#include <cstddef>
#include <cstdint>

struct dadoP {
  static constexpr std::size_t Tamanho = 1728;
  static constexpr int NumColunas = 63;   // 60 variables and the slots after them

  double valor[63];
  char endereco[51];
  char complemento[51];
  char bairro[31];             // district
  char cidade[51];             // town
  char estado[3];              // state, two letters
  uint8_t reservado1;
  int32_t reservado2;
  AtributoCelula fixas[5];     // the appraisal grid's five fixed columns
  int32_t corTexto[63];
  int32_t corFundo[63];
  uint8_t negrito[63];
  uint8_t italico[63];
  uint8_t sublinhado[63];
  uint8_t reservado3[3];
  int32_t atributo[63];        // further per-column attribute
  uint8_t reservado4[4];

  QString Endereco() const;
  void SetEndereco(const QString& t);
  QString Complemento() const;
  void SetComplemento(const QString& t);
  QString Bairro() const;
  void SetBairro(const QString& t);
  QString Cidade() const;
  void SetCidade(const QString& t);
  QString Estado() const;
  void SetEstado(const QString& t);
};
static_assert(sizeof(dadoP) == dadoP::Tamanho);
static_assert(offsetof(dadoP, endereco) == 504);
static_assert(offsetof(dadoP, complemento) == 555);
static_assert(offsetof(dadoP, bairro) == 606);
static_assert(offsetof(dadoP, cidade) == 637);
static_assert(offsetof(dadoP, estado) == 688);
static_assert(offsetof(dadoP, reservado2) == 692);
static_assert(offsetof(dadoP, fixas) == 696);
static_assert(offsetof(dadoP, corTexto) == 776);
static_assert(offsetof(dadoP, corFundo) == 1028);
static_assert(offsetof(dadoP, negrito) == 1280);
static_assert(offsetof(dadoP, italico) == 1343);
static_assert(offsetof(dadoP, sublinhado) == 1406);
static_assert(offsetof(dadoP, atributo) == 1472);
static_assert(offsetof(dadoP, reservado4) == 1724);
