#include "Transformacoes.h"

#include "CabecalhoModelo.h"
#include "dado.h"

#include <cmath>
#include <stdexcept>

double TransformaValor(double x, int codigo, double p) {
  if (x == 0.0) return 0.0;
  switch (codigo) {
    case TransfPotencia: return std::pow(x, p);
    case TransfLinear: return x;
    case TransfInversa: return 1.0 / x;
    case TransfLog: return x < 0.0 ? -HUGE_VAL : std::log(x);
    case TransfQuadrado: return x * x;
    case TransfRaiz: return std::sqrt(x);
    case TransfInversaQuadrado: return 1.0 / (x * x);
    case TransfInversaRaiz: return 1.0 / std::sqrt(x);
    default: return x;
  }
}

double TransformaValorVariavel(const CabecalhoModelo* cab, double x, int v, int e) {
  if (cab == nullptr) return 0.0;
  if (cab->EstadoCalculo() == 0) return x;
  if (v < 0 || v >= CabecalhoModelo::MaxVariaveis || e < 0 || e >= CabecalhoModelo::MaxEquacoes)
    throw std::invalid_argument("TransformaValorVariavel: variable or equation out of range");
  switch (cab->Transformacao(v, e)) {
    case TransfPotencia: return std::pow(x, cab->Expoente(v, e));
    case TransfLinear: return x;
    case TransfInversa: return x == 0.0 ? HUGE_VAL : 1.0 / x;
    case TransfLog: return x < 0.0 ? -HUGE_VAL : std::log(x);  // log(0) is -HUGE_VAL
    case TransfQuadrado: return x * x;
    case TransfRaiz: return x < 0.0 ? -HUGE_VAL : std::sqrt(x);
    case TransfInversaQuadrado: return x == 0.0 ? HUGE_VAL : 1.0 / (x * x);
    case TransfInversaRaiz: return x <= 0.0 ? -HUGE_VAL : 1.0 / std::sqrt(x);
    default: return x;  // never stored by the writers
  }
}

double TransformaDado(const CabecalhoModelo* cab, const dado* dados, int v, int registro, int e) {
  if (cab == nullptr || dados == nullptr) return 0.0;
  if (registro < 0 || registro >= cab->NumDados())
    throw std::invalid_argument("TransformaDado: record index out of range");
  if (v < 0 || v >= CabecalhoModelo::MaxVariaveis || e < 0 || e >= CabecalhoModelo::MaxEquacoes)
    throw std::invalid_argument("TransformaDado: variable or equation out of range");
  const double x = dados[registro].valor[v];
  if (cab->EstadoCalculo() == 0 || !cab->Habilitada(v)) return x;
  switch (cab->Transformacao(v, e)) {
    case TransfPotencia: return std::pow(x, cab->Expoente(v, e));
    case TransfLinear: return x;
    case TransfInversa: return x == 0.0 ? -HUGE_VAL : 1.0 / x;
    case TransfLog: return x <= 0.0 ? -HUGE_VAL : std::log(x);
    case TransfQuadrado: return x * x;
    case TransfRaiz: return std::sqrt(x);
    case TransfInversaQuadrado: return x == 0.0 ? -HUGE_VAL : 1.0 / (x * x);
    case TransfInversaRaiz: return x <= 0.0 ? -HUGE_VAL : 1.0 / std::sqrt(x);
    default: return x;
  }
}

double DestransformaValor(double y, int codigo, double p) {
  switch (codigo) {
    case TransfPotencia: return p == 1.0 ? y : std::pow(10.0, std::log10(y) / p);
    case TransfLinear: return y;
    case TransfInversa: return y == 0.0 ? HUGE_VAL : 1.0 / y;
    case TransfLog: return std::exp(y);
    case TransfQuadrado: return y >= 0.0 ? std::sqrt(y) : -std::sqrt(-y);
    case TransfRaiz: return y >= 0.0 ? y * y : -(y * y);
    case TransfInversaQuadrado: return y >= 0.0 ? std::sqrt(1.0 / y) : -std::sqrt(std::fabs(1.0 / y));
    case TransfInversaRaiz: return y >= 0.0 ? 1.0 / (y * y) : -1.0 / (y * y);
    default: return 0.0;
  }
}

void TransformaPesos(const CabecalhoModelo* cab, NEWMAT::Matrix& W) {
  // Only a square matrix pairs each record with itself on its diagonal; a
  // rectangular cut-out (validation x considered) has no such elements.
  TransformaPesos(cab, W, W.Nrows() == W.Ncols());
}

void TransformaPesos(const CabecalhoModelo* cab, NEWMAT::Matrix& W, bool diagonalPropria) {
  if (cab == nullptr || cab->U8(CabecalhoModelo::OffTransformaDistancias) == 0 || W.Ncols() == 0) return;
  const double expoente = cab->F64(CabecalhoModelo::OffExpoenteDistancia);
  const double minimo = cab->F64(CabecalhoModelo::OffDistanciaMinima);
  const double maximo = cab->F64(CabecalhoModelo::OffDistanciaMaxima);
  const bool quadrada = diagonalPropria && W.Nrows() == W.Ncols();
  const int linhas = W.Nrows(), colunas = W.Ncols();
  NEWMAT::Real* a = W.Store();
  for (int i = 0; i < linhas; ++i)
    for (int j = 0; j < colunas; ++j) {
      NEWMAT::Real& w = a[std::size_t(i) * std::size_t(colunas) + std::size_t(j)];
      if (quadrada && i == j) { w = 0.0; continue; }
      double d = w;
      // A zero off the diagonal is no neighbour (W stores no zero elements):
      // it weighs 0 even under a minimum distance.
      if (d == 0.0) continue;
      if (minimo != 0.0 && d < minimo) d = minimo;
      // A maximum of 0 means none, as for the minimum.
      w = (maximo != 0.0 && d > maximo) ? 0.0 : std::pow(d, expoente);
    }
}

NEWMAT::Matrix PadronizaLinhas(NEWMAT::Matrix& W) {
  PadronizaLinhasNoLugar(W);
  return W;
}

void PadronizaLinhasNoLugar(NEWMAT::Matrix& W) { PadronizaLinhasNoLugar(W, 0, W.Nrows()); }

void PadronizaLinhasNoLugar(NEWMAT::Matrix& W, int primeira, int fim) {
  const int colunas = W.Ncols();
  NEWMAT::Real* a = W.Store();
  for (int i = primeira; i < fim; ++i) {
    NEWMAT::Real* linha = a + std::size_t(i) * std::size_t(colunas);
    double soma = 0.0;
    for (int j = 0; j < colunas; ++j) soma += linha[j];
    if (soma == 0.0) {
      for (int j = 0; j < colunas; ++j) linha[j] = 1.0 / colunas;
    } else {
      for (int j = 0; j < colunas; ++j) linha[j] /= soma;
    }
  }
}
