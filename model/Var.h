#pragma once
// One entry of the common-variable catalogue "variaveis.cfg" (648 bytes; the
// file is a plain sequence of them).
#include <QString>
#include <cstddef>
#include <cstdint>

struct Var {
  static constexpr std::size_t Tamanho = 648;

  char nome[31];
  char descricao[601];
  int32_t tipo;            // 1 "Dicotômica", 2 "Data", 3 "Qualitativa", 4 "Quantitativa"
  uint8_t reservado[4];
  int32_t casasDecimais;
  int32_t tipoImovel;      // the model's property type 1-7, 0 not chosen

  QString Nome() const;
  void SetNome(const QString& t);
  QString Descricao() const;
  void SetDescricao(const QString& t);
};
static_assert(sizeof(Var) == Var::Tamanho);
static_assert(offsetof(Var, descricao) == 31);
static_assert(offsetof(Var, tipo) == 632);
static_assert(offsetof(Var, casasDecimais) == 640);
static_assert(offsetof(Var, tipoImovel) == 644);
