#include "AlgebraDensa.h"

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

NEWMAT::Matrix ResolveIdentidadeMenos(const NEWMAT::Matrix& W, double a) {
  const int n = W.Nrows();
  if (W.Ncols() != n) throw std::invalid_argument("W não é quadrada");
  // LU of A = I − aW in place, row-major, partial pivoting by rows.
  std::vector<double> A(std::size_t(n) * n);
  const double* w = W.Store();
  for (std::size_t i = 0; i < A.size(); ++i) A[i] = -a * w[i];
  for (int i = 0; i < n; ++i) A[std::size_t(i) * n + i] += 1.0;
  std::vector<int> perm(n);
  for (int i = 0; i < n; ++i) perm[i] = i;
  for (int k = 0; k < n; ++k) {
    int piv = k;
    double maior = std::fabs(A[std::size_t(k) * n + k]);
    for (int i = k + 1; i < n; ++i) {
      const double v = std::fabs(A[std::size_t(i) * n + k]);
      if (v > maior) { maior = v; piv = i; }
    }
    if (maior == 0.0) throw std::runtime_error("matriz singular");
    if (piv != k) {
      for (int j = 0; j < n; ++j) std::swap(A[std::size_t(k) * n + j], A[std::size_t(piv) * n + j]);
      std::swap(perm[k], perm[piv]);
    }
    const double* lk = &A[std::size_t(k) * n];
    const double inv = 1.0 / lk[k];
    for (int i = k + 1; i < n; ++i) {
      double* li = &A[std::size_t(i) * n];
      const double f = li[k] * inv;
      li[k] = f;
      if (f == 0.0) continue;
      for (int j = k + 1; j < n; ++j) li[j] -= f * lk[j];
    }
  }
  // Right-hand sides: the rows of W, permuted; forward and back substitution
  // on whole rows so every inner loop runs along contiguous memory.
  NEWMAT::Matrix Z(n, n);
  double* z = Z.Store();
  for (int i = 0; i < n; ++i) {
    const double* src = w + std::size_t(perm[i]) * n;
    double* zi = z + std::size_t(i) * n;
    for (int j = 0; j < n; ++j) zi[j] = src[j];
  }
  for (int i = 0; i < n; ++i) {
    double* zi = z + std::size_t(i) * n;
    const double* li = &A[std::size_t(i) * n];
    for (int k = 0; k < i; ++k) {
      const double f = li[k];
      if (f == 0.0) continue;
      const double* zk = z + std::size_t(k) * n;
      for (int j = 0; j < n; ++j) zi[j] -= f * zk[j];
    }
  }
  for (int i = n - 1; i >= 0; --i) {
    double* zi = z + std::size_t(i) * n;
    const double* ui = &A[std::size_t(i) * n];
    for (int k = i + 1; k < n; ++k) {
      const double f = ui[k];
      if (f == 0.0) continue;
      const double* zk = z + std::size_t(k) * n;
      for (int j = 0; j < n; ++j) zi[j] -= f * zk[j];
    }
    const double inv = 1.0 / ui[i];
    for (int j = 0; j < n; ++j) zi[j] *= inv;
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
