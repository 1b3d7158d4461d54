#include "MetodoDireto.h"

#include "modules/regression/engine/Transformacao.h"

#include <cmath>
#include <utility>

namespace bench {

MetodoDireto::MetodoDireto(const double* valores, int k, int n, int criterio)
    : valores_(valores), k_(k), n_(n), criterio_(criterio), trabalho_(std::size_t(k) * n), ajustado_(n) {
  for (int j = 0; j < k; ++j) {
    atual_[j] = 1;
    for (int i = 0; i < n; ++i)
      trabalho_[std::size_t(j) * n + i] = valores[std::size_t(j) * n + i];
  }
  const double* y = valores + std::size_t(k - 1) * n;
  double soma = 0;
  for (int i = 0; i < n; ++i)
    soma += y[i];
  const double media = soma / n;
  for (int i = 0; i < n; ++i)
    sst_ += (y[i] - media) * (y[i] - media);
}

double MetodoDireto::Criterio(const int* d) {
  const int k = k_, n = n_;
  for (int j = 0; j < k; ++j)
    if (atual_[j] != d[j]) {
      const double* x = valores_ + std::size_t(j) * n;
      double* w = trabalho_.data() + std::size_t(j) * n;
      for (int i = 0; i < n; ++i)
        w[i] = ostrimo::TransformaCodigo(x[i], d[j]);
      atual_[j] = d[j];
    }
  double t[60] = {}, p[60][60];
  for (int j = 0; j < k; ++j)
    for (int l = 0; l <= j; ++l)
      p[j][l] = 0.0;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < k; ++j) {
      const double xj = trabalho_[std::size_t(j) * n + i];
      t[j] += xj;
      for (int l = 0; l <= j; ++l)
        p[j][l] += xj * trabalho_[std::size_t(l) * n + i];
    }
  double s[60][60], s0[60][60];
  for (int j = 0; j < k; ++j)
    for (int l = 0; l <= j; ++l)
      s[j][l] = s[l][j] = s0[j][l] = s0[l][j] = p[j][l] - t[j] * t[l] / n;
  for (int c = 0; c <= k - 3; ++c) {
    if (s[c][c] == 0.0)
      for (int col = 0; col < k; ++col)
        std::swap(s[c][col], s[c + 1][col]);
    for (int r = c + 1; r < k; ++r) {
      const double f = -(s[r][c] / s[c][c]);
      for (int col = 0; col < k; ++col)
        s[r][col] += f * s[c][col];
    }
  }
  if (s[k - 2][k - 2] == 0.0)
    return std::nan("");
  double b[60];
  b[k - 2] = s[k - 2][k - 1] / s[k - 2][k - 2];
  for (int r = k - 3; r >= 0; --r) {
    double soma = s[r][k - 1];
    for (int m = r + 1; m <= k - 2; ++m)
      soma -= b[m] * s[r][m];
    b[r] = soma / s[r][r];
  }
  double ssr = 0;
  for (int v = 0; v < k - 1; ++v)
    ssr += s0[v][k - 1] * b[v];
  if (criterio_ == 0)
    return std::sqrt(ssr / s0[k - 1][k - 1]);
  double a = t[k - 1];
  for (int v = 0; v < k - 1; ++v)
    a -= b[v] * t[v];
  a /= n;
  double sse = 0;
  for (int i = 0; i < n; ++i) {
    double f = a;
    for (int v = 0; v < k - 1; ++v)
      f += b[v] * trabalho_[std::size_t(v) * n + i];
    const double e = valores_[std::size_t(k - 1) * n + i] - ostrimo::InversaDependente(f, d[k - 1]);
    sse += e * e;
  }
  const double r2 = (sst_ - sse) / sst_;
  return r2 < 0 ? -std::sqrt(-r2) : std::sqrt(r2);
}

std::uint64_t MetodoDireto::Executa(std::uint64_t limite, ostrimo::ListaEquacoes& lista) {
  int d[60];
  for (int j = 0; j < k_; ++j)
    d[j] = 1;
  std::uint64_t feitas = 0;
  for (; feitas < limite; ++feitas) {
    lista.Oferece(Criterio(d), d, k_);
    int j = k_ - 1;
    for (; j >= 0; --j) {
      if (++d[j] <= 7)
        break;
      d[j] = 1;
    }
    if (j < 0) {
      ++feitas;
      break;
    }
  }
  return feitas;
}

}  // namespace bench
