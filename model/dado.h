#pragma once
// One observed property: the 2,512-byte record stored N times after the model
// header, written and read as its byte image.
#include "AtributoCelula.h"

#include <QString>
#include <cstddef>
#include <cstdint>

struct dado {
  static constexpr std::size_t Tamanho = 2512;

  double valor[60];            // value of each variable, by variable index
  double residuo[100];         // residual in each equation (transformed scale)
  char endereco[51];           // address
  char complemento[175];       // complement (up to 50 characters are entered)
  uint8_t excluido;            // kept but not considered in the calculations
  uint8_t reservado1[9];
  AtributoCelula fixas[6];     // the data grid's six fixed columns
  int32_t corTexto[60];        // per variable cell
  int32_t corFundo[60];
  uint8_t negrito[60];
  uint8_t italico[60];
  uint8_t sublinhado[60];
  int32_t validacao;           // non-zero: held-out validation sample
  uint8_t reservado2[236];

  QString Endereco() const;
  void SetEndereco(const QString& t);
  QString Complemento() const;
  void SetComplemento(const QString& t);
  bool Considerado() const { return excluido == 0; }
  bool Validacao() const { return validacao != 0; }
};
static_assert(sizeof(dado) == dado::Tamanho);
static_assert(offsetof(dado, valor) == 0);
static_assert(offsetof(dado, residuo) == 480);
static_assert(offsetof(dado, endereco) == 1280);
static_assert(offsetof(dado, complemento) == 1331);
static_assert(offsetof(dado, excluido) == 1506);
static_assert(offsetof(dado, fixas) == 1516);
static_assert(offsetof(dado, corTexto) == 1612);
static_assert(offsetof(dado, corFundo) == 1852);
static_assert(offsetof(dado, negrito) == 2092);
static_assert(offsetof(dado, italico) == 2152);
static_assert(offsetof(dado, sublinhado) == 2212);
static_assert(offsetof(dado, validacao) == 2272);
static_assert(offsetof(dado, reservado2) == 2276);
