// Dense kernels against newmat's own products and solves, and the order of
// the sums that feed the minimisation.
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
  // An unnormalised W needs pivoting at a = 2. A tiny a·W takes the product
  // with W instead of removing I from the inverse, once past the block of
  // rows multiplied at a time; a = 0 gives W itself.
  struct Caso { int n; double a; } casos[] = {{1, 0.5},    {5, 0.9},     {48, -0.7}, {77, 2.0},
                                              {130, 0.45}, {130, 1e-4}, {600, 1e-5}, {40, 0.0}};
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
  EXPECT_LT((ProdutoDensoTransposta(A, C) - A.t() * C).MaximumAbsoluteValue(), 1e-12);
  EXPECT_LT((ProdutoW(A, C.Column(2)) - A * C.Column(2)).MaximumAbsoluteValue(), 1e-12);
  NEWMAT::Matrix saida(23, 5);
  ProdutoVetores(A.Store(), 23, C.Store(), 5, saida.Store());
  EXPECT_LT((saida - A * C).MaximumAbsoluteValue(), 1e-12);
  EXPECT_NEAR(TracoProduto(A, B), (A * B).Trace(), 1e-12);
  // Rectangular, and more rows than one band of gathered partners.
  const NEWMAT::Matrix D = Aleatoria(70, 9, 6), E = Aleatoria(9, 70, 7);
  EXPECT_NEAR(TracoProduto(D, E), (D * E).Trace(), 1e-12);
  EXPECT_NEAR(TracoProdutoTransposta(A, B), (A.t() * B).Trace(), 1e-12);
  EXPECT_NEAR(Traco(A), A.Trace(), 1e-15);
}

// The fits must give the same figures whatever the thread count: split over
// rows, every element is still summed in the order of one thread. The size
// is large enough for each product to take more than one thread.
TEST(AlgebraDensa, RowParallelSumsKeepTheOrderOfOneThread) {
  const int n = 2048, r = 3;
  FixaThreadsCalculo(4);
  const NEWMAT::Matrix W = Aleatoria(n, n, 11), B = Aleatoria(n, r, 12);
  const NEWMAT::ColumnVector v = B.Column(1);
  const NEWMAT::ColumnVector Wv = ProdutoW(W, v);
  const NEWMAT::Matrix WB = ProdutoDenso(W, B);
  NEWMAT::Matrix WV(n, r);
  ProdutoVetores(W.Store(), n, B.Store(), r, WV.Store());
  double t = 0.0;
  for (int i = 1; i <= n; ++i) {
    double s = 0.0;
    for (int j = 1; j <= n; ++j) s += W(i, j) * v(j);
    ASSERT_EQ(Wv(i), s) << i;
    for (int l = 1; l <= r; ++l) {
      double c = 0.0, g = 0.0;
      for (int j = 1; j <= n; ++j) c += W(i, j) * B(j, l);
      for (int j = 1; j + 3 <= n; j += 4)
        g += (W(i, j) * B(j, l) + W(i, j + 1) * B(j + 1, l)) + (W(i, j + 2) * B(j + 2, l) + W(i, j + 3) * B(j + 3, l));
      ASSERT_EQ(WB(i, l), c) << i << ", " << l;
      ASSERT_EQ(WV(i, l), g) << i << ", " << l;
    }
    for (int j = 1; j <= n; ++j) t += W(i, j) * W(j, i);
  }
  EXPECT_EQ(TracoProduto(W, W), t);
  // The grid's 30 vectors fill the widest lanes the processor has; padded to
  // 32 they stay in registers.
  for (const int rv : {30, 32}) {
    const NEWMAT::Matrix V = Aleatoria(n, rv, 13);
    NEWMAT::Matrix WVr(n, rv);
    ProdutoVetores(W.Store(), n, V.Store(), rv, WVr.Store());
    for (int i = 1; i <= n; i += 97)
      for (int l = 1; l <= rv; ++l) {
        double g = 0.0;
        for (int j = 1; j + 3 <= n; j += 4)
          g += (W(i, j) * V(j, l) + W(i, j + 1) * V(j + 1, l)) + (W(i, j + 2) * V(j + 2, l) + W(i, j + 3) * V(j + 3, l));
        ASSERT_EQ(WVr(i, l), g) << i << ", " << l;
      }
  }
  FixaThreadsCalculo(1);
}

// The four traces of the information matrices, against newmat, and the same
// to the last bit on one thread and on more (1,100 rows take two).
TEST(AlgebraDensa, TracesOfZAgainstNewmatWhateverTheThreads) {
  for (int n : {1, 45, 1100}) {
    const NEWMAT::Matrix Z = Aleatoria(n, n, 21u + unsigned(n));
    const double a = 0.37;
    NEWMAT::IdentityMatrix I(n);
    const NEWMAT::Matrix BI = I + a * Z;
    FixaThreadsCalculo(1);
    const TracosZ um = CalculaTracosZ(Z, a);
    FixaThreadsCalculo(4);
    const TracosZ quatro = CalculaTracosZ(Z, a);
    FixaThreadsCalculo(1);
    auto perto = [](double a, double b) { return std::fabs(a - b) <= 1e-12 * (1.0 + std::fabs(b)); };
    EXPECT_TRUE(perto(um.traco, Z.Trace()));
    double zz = 0.0;
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) zz += Z(i, j) * Z(j, i);
    EXPECT_TRUE(perto(um.quadrados, Z.SumSquare())) << um.quadrados;
    EXPECT_TRUE(perto(um.produto, zz)) << um.produto;
    EXPECT_TRUE(perto(um.inversa, NEWMAT::SP(BI, Z).Sum())) << um.inversa;
    EXPECT_EQ(um.traco, quatro.traco);
    EXPECT_EQ(um.quadrados, quatro.quadrados);
    EXPECT_EQ(um.produto, quatro.produto);
    EXPECT_EQ(um.inversa, quatro.inversa);
  }
}

TEST(AlgebraDensa, OneThreadForSmallProblemsElseEveryIdleProcessor) {
  struct Caso { int n, processadores; double carga; int threads; } casos[] = {
      {1, 8, 0.0, 1},   {199, 8, 0.0, 1},     {200, 8, 0.0, 8},  {10000, 2, 0.0, 2}, {10000, 0, 0.0, 1},
      {2000, 8, 2.6, 5}, {2000, 8, 2.4, 6}, {2000, 8, 25.0, 1}, {2000, 8, -1.0, 8}};
  for (const Caso& c : casos)
    EXPECT_EQ(ThreadsPara(c.n, c.processadores, c.carga), c.threads) << c.n << " " << c.carga;
}

TEST(AlgebraDensa, MismatchedShapesAreRefusedNotOverrun) {
  const NEWMAT::Matrix A = Aleatoria(6, 6, 8), B = Aleatoria(5, 6, 9), C = Aleatoria(5, 2, 10);
  EXPECT_THROW(TracoProdutoTransposta(A, B), std::invalid_argument);
  EXPECT_THROW(TracoProduto(A, B), std::invalid_argument);
  EXPECT_THROW(ProdutoDenso(A, C), std::invalid_argument);
}
