#include "AlgebraDensa.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quenvik {

NEWMAT::Matrix ProdutoDenso(const NEWMAT::Matrix& W, const NEWMAT::Matrix& B) {
  const int n = W.Nrows(), m = W.Ncols(), k = B.Ncols();
  if (B.Nrows() != m) throw std::invalid_argument("dimensões incompatíveis");
  NEWMAT::Matrix C(n, k);
  C = 0.0;
  const double* w = W.Store();
  const double* b = B.Store();
  double* c = C.Store();
  for (int i = 0; i < n; ++i) {
    double* ci = c + std::size_t(i) * k;
    const double* wi = w + std::size_t(i) * m;
    for (int j = 0; j < m; ++j) {
      const double wij = wi[j];
      if (wij == 0.0) continue;
      const double* bj = b + std::size_t(j) * k;
      for (int l = 0; l < k; ++l) ci[l] += wij * bj[l];
    }
  }
  return C;
}

namespace {

constexpr int Bloco = 48;  // rows of a panel: a panel of U rows stays in cache while the rest streams past

// dst[0..m) −= f · src[0..m)
inline void Subtrai(double* dst, const double* src, double f, int m) {
  for (int j = 0; j < m; ++j) dst[j] -= f * src[j];
}

// dst −= Σ_k f[k]·src_k over the rows k = k0 … k1 − 1 given by `linha`, four
// source rows at a time so each pass over dst applies four of them.
template <typename Linha>
inline void SubtraiVarias(double* dst, const double* f, int k0, int k1, int desloc, int m, Linha linha) {
  int k = k0;
  for (; k + 4 <= k1; k += 4) {
    const double f0 = f[k], f1 = f[k + 1], f2 = f[k + 2], f3 = f[k + 3];
    if (f0 == 0.0 && f1 == 0.0 && f2 == 0.0 && f3 == 0.0) continue;
    const double* s0 = linha(k) + desloc;
    const double* s1 = linha(k + 1) + desloc;
    const double* s2 = linha(k + 2) + desloc;
    const double* s3 = linha(k + 3) + desloc;
    for (int j = 0; j < m; ++j) dst[j] -= (f0 * s0[j] + f1 * s1[j]) + (f2 * s2[j] + f3 * s3[j]);
  }
  for (; k < k1; ++k)
    if (f[k] != 0.0) Subtrai(dst, linha(k) + desloc, f[k], m);
}

}  // namespace

NEWMAT::Matrix ResolveIdentidadeMenos(const NEWMAT::Matrix& W, double a) {
  const int n = W.Nrows();
  if (W.Ncols() != n) throw std::invalid_argument("W não é quadrada");
  const std::size_t N = std::size_t(n);
  // LU of A = I − aW with partial pivoting, row-major, by panels of columns:
  // each panel is factorised on its own columns, then the rows of U to its
  // right, then one pass over the trailing rows applies the whole panel.
  std::vector<double> A(N * N);
  const double* w = W.Store();
  for (std::size_t i = 0; i < A.size(); ++i) A[i] = -a * w[i];
  for (int i = 0; i < n; ++i) A[i * N + i] += 1.0;
  auto L = [&](int i) { return &A[std::size_t(i) * N]; };
  std::vector<int> perm(n);
  for (int i = 0; i < n; ++i) perm[i] = i;
  for (int k0 = 0; k0 < n; k0 += Bloco) {
    const int k1 = std::min(n, k0 + Bloco);
    for (int k = k0; k < k1; ++k) {
      int piv = k;
      double maior = std::fabs(L(k)[k]);
      for (int i = k + 1; i < n; ++i) {
        const double v = std::fabs(L(i)[k]);
        if (v > maior) { maior = v; piv = i; }
      }
      if (maior == 0.0) throw std::runtime_error("matriz singular");
      if (piv != k) {
        std::swap_ranges(L(k), L(k) + n, L(piv));
        std::swap(perm[k], perm[piv]);
      }
      const double inv = 1.0 / L(k)[k];
      for (int i = k + 1; i < n; ++i) {
        double* li = L(i);
        const double f = li[k] * inv;
        li[k] = f;
        if (f != 0.0) Subtrai(li + k + 1, L(k) + k + 1, f, k1 - k - 1);
      }
    }
    const int resto = n - k1;
    if (resto == 0) break;
    for (int i = k0 + 1; i < k1; ++i)
      for (int k = k0; k < i; ++k)
        if (L(i)[k] != 0.0) Subtrai(L(i) + k1, L(k) + k1, L(i)[k], resto);
    for (int i = k1; i < n; ++i) SubtraiVarias(L(i) + k1, L(i), k0, k1, k1, resto, L);
  }
  // Right-hand sides: the rows of W, permuted. Forward and back substitution
  // on whole rows, by blocks of rows so each finished row is read once per block.
  NEWMAT::Matrix Z(n, n);
  double* z = Z.Store();
  auto R = [&](int i) { return z + std::size_t(i) * N; };
  for (int i = 0; i < n; ++i) std::copy(w + std::size_t(perm[i]) * N, w + std::size_t(perm[i] + 1) * N, R(i));
  for (int i0 = 0; i0 < n; i0 += Bloco) {
    const int i1 = std::min(n, i0 + Bloco);
    for (int c0 = 0; c0 < i0; c0 += Bloco) {
      const int c1 = std::min(i0, c0 + Bloco);
      for (int i = i0; i < i1; ++i) SubtraiVarias(R(i), L(i), c0, c1, 0, n, R);
    }
    for (int i = i0 + 1; i < i1; ++i)
      for (int k = i0; k < i; ++k)
        if (L(i)[k] != 0.0) Subtrai(R(i), R(k), L(i)[k], n);
  }
  for (int i1 = n; i1 > 0; i1 -= Bloco) {
    const int i0 = std::max(0, i1 - Bloco);
    for (int c0 = i1; c0 < n; c0 += Bloco) {
      const int c1 = std::min(n, c0 + Bloco);
      for (int i = i0; i < i1; ++i) SubtraiVarias(R(i), L(i), c0, c1, 0, n, R);
    }
    for (int i = i1 - 1; i >= i0; --i) {
      for (int k = i + 1; k < i1; ++k)
        if (L(i)[k] != 0.0) Subtrai(R(i), R(k), L(i)[k], n);
      const double inv = 1.0 / L(i)[i];
      double* ri = R(i);
      for (int j = 0; j < n; ++j) ri[j] *= inv;
    }
  }
  return Z;
}

double TracoProduto(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B) {
  const int n = A.Nrows(), m = A.Ncols();
  if (B.Nrows() != m || B.Ncols() != n) throw std::invalid_argument("dimensões incompatíveis");
  const double* a = A.Store();
  const double* b = B.Store();
  double s = 0.0;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < m; ++j) s += a[std::size_t(i) * m + j] * b[std::size_t(j) * n + i];
  return s;
}

double TracoProdutoTransposta(const NEWMAT::Matrix& A, const NEWMAT::Matrix& B) {
  if (B.Nrows() != A.Nrows() || B.Ncols() != A.Ncols()) throw std::invalid_argument("dimensões incompatíveis");
  const double* a = A.Store();
  const double* b = B.Store();
  double s = 0.0;
  const std::size_t total = std::size_t(A.Nrows()) * A.Ncols();
  for (std::size_t i = 0; i < total; ++i) s += a[i] * b[i];
  return s;
}

double Traco(const NEWMAT::Matrix& A) {
  double s = 0.0;
  for (int i = 1; i <= A.Nrows(); ++i) s += A(i, i);
  return s;
}

}  // namespace quenvik
