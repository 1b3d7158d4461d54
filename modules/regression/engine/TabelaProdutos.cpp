#include "modules/regression/engine/TabelaProdutos.h"

#include "modules/regression/engine/Transformacao.h"

#include <cstring>

namespace ostrimo {

void TabelaProdutos::Monta(const double* valores, int n, int k, const unsigned* mascaras,
                           bool guardaColunas) {
  n_ = n;
  k_ = k;
  indice_.assign(std::size_t(k) * 8, -1);
  posicao_.clear();
  codigo_.clear();
  for (int j = 0; j < k; ++j)
    for (int c = 1; c <= 7; ++c)
      if (mascaras[j] & (1u << c)) {
        indice_[j * 8 + c] = int(posicao_.size());
        posicao_.push_back(j);
        codigo_.push_back(c);
      }
  colunas_ = int(posicao_.size());
  const int K = colunas_;

  // Transformed columns, kept in full only when asked; the products below
  // then read them instead of transforming again.
  colunasGuardadas_.clear();
  if (guardaColunas) {
    colunasGuardadas_.resize(std::size_t(K) * n);
    for (int a = 0; a < K; ++a) {
      const double* x = valores + std::size_t(posicao_[a]) * n;
      double* t = colunasGuardadas_.data() + std::size_t(a) * n;
      for (int i = 0; i < n; ++i)
        t[i] = TransformaCodigo(x[i], codigo_[a]);
    }
  }
  auto valor = [&](int a, int i) -> double {
    if (guardaColunas)
      return colunasGuardadas_[std::size_t(a) * n + i];
    return TransformaCodigo(valores[std::size_t(posicao_[a]) * n + i], codigo_[a]);
  };

  // Means; a column whose values are all the same centres to exact zeros, so a
  // constant regressor gives exactly zero sums, as it does in exact arithmetic.
  media_.assign(K, 0.0L);
  std::vector<char> constante(K, 1);
  for (int a = 0; a < K; ++a) {
    long double soma = 0.0L;
    const double primeiro = n > 0 ? valor(a, 0) : 0.0;
    for (int i = 0; i < n; ++i) {
      const double x = valor(a, i);
      soma += x;
      if (std::memcmp(&x, &primeiro, sizeof x) != 0)
        constante[a] = 0;
    }
    media_[a] = n > 0 ? soma / n : 0.0L;
    // A second pass removes the rounding of the first mean.
    long double correcao = 0.0L;
    for (int i = 0; i < n; ++i)
      correcao += valor(a, i) - media_[a];
    if (n > 0)
      media_[a] += correcao / n;
    if (constante[a])
      media_[a] = primeiro;
  }

  // Centred cross-products, lower triangle, row by row.
  g_.assign(std::size_t(K) * K, 0.0L);
  std::vector<long double> d(K);
  for (int i = 0; i < n; ++i) {
    for (int a = 0; a < K; ++a)
      d[a] = constante[a] ? 0.0L : (long double)valor(a, i) - media_[a];
    for (int a = 0; a < K; ++a) {
      long double* linha = g_.data() + std::size_t(a) * K;
      const long double da = d[a];
      for (int b = 0; b <= a; ++b)
        linha[b] += da * d[b];
    }
  }
  for (int a = 0; a < K; ++a)
    for (int b = 0; b < a; ++b)
      g_[std::size_t(b) * K + a] = g_[std::size_t(a) * K + b];
}

}  // namespace ostrimo
