// Dense kernels against newmat's own products and solves.
#include "AlgebraDensa.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace quenvik;

namespace {
NEWMAT::Matrix Aleatoria(int n, int m, unsigned semente) {
  NEWMAT::Matrix A(n, m);
  unsigned s = semente;
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= m; ++j) {
      s = s * 1103515245u + 12345u;
      A(i, j) = ((s >> 8) % 2001) / 1000.0 - 1.0;
    }
  return A;
}
}  // namespace

TEST(AlgebraDensa, SolveAgainstNewmatAcrossBlockSizes) {
  // Sizes below, at and across the panel size; an unnormalised W needs pivoting at a = 2.
  struct Caso { int n; double a; } casos[] = {{1, 0.5}, {5, 0.9}, {48, -0.7}, {77, 2.0}, {130, 0.45}};
  for (const Caso& c : casos) {
    const NEWMAT::Matrix W = Aleatoria(c.n, c.n, 17u + c.n);
    NEWMAT::IdentityMatrix I(c.n);
    const NEWMAT::Matrix A = I - c.a * W;
    const NEWMAT::Matrix esperado = A.i() * W;
    const NEWMAT::Matrix Z = ResolveIdentidadeMenos(W, c.a);
    const double erro = (Z - esperado).MaximumAbsoluteValue();
    EXPECT_LT(erro, 1e-9 * (1.0 + esperado.MaximumAbsoluteValue())) << "n = " << c.n;
  }
}

TEST(AlgebraDensa, SingularSystemThrows) {
  NEWMAT::Matrix W(2, 2);
  W << 1.0 << 0.0 << 0.0 << 1.0;
  EXPECT_THROW(ResolveIdentidadeMenos(W, 1.0), std::runtime_error);
}

TEST(AlgebraDensa, ProductsAndTracesAgainstNewmat) {
  const NEWMAT::Matrix A = Aleatoria(23, 23, 3), B = Aleatoria(23, 23, 4), C = Aleatoria(23, 5, 5);
  EXPECT_LT((ProdutoDenso(A, C) - A * C).MaximumAbsoluteValue(), 1e-12);
  EXPECT_NEAR(TracoProduto(A, B), (A * B).Trace(), 1e-12);
  EXPECT_NEAR(TracoProdutoTransposta(A, B), (A.t() * B).Trace(), 1e-12);
  EXPECT_NEAR(Traco(A), A.Trace(), 1e-15);
}

TEST(AlgebraDensa, MismatchedShapesAreRefusedNotOverrun) {
  const NEWMAT::Matrix A = Aleatoria(6, 6, 8), B = Aleatoria(5, 6, 9), C = Aleatoria(5, 2, 10);
  EXPECT_THROW(TracoProdutoTransposta(A, B), std::invalid_argument);
  EXPECT_THROW(TracoProduto(A, B), std::invalid_argument);
  EXPECT_THROW(ProdutoDenso(A, C), std::invalid_argument);
}
