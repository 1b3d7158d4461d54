// The Monte-Carlo log-determinant grid and its look-up.
#include "GeradorCombinado.h"
#include "GradeLogDeterminante.h"
#include "LogDeterminanteExato.h"
#include "ProgressoFalso.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quenvik;

namespace {

// Ring of n points, k neighbours on each side, row-normalised.
NEWMAT::Matrix Anel(int n, int k) {
  NEWMAT::Matrix W(n, n);
  W = 0.0;
  for (int i = 0; i < n; ++i)
    for (int d = 1; d <= k; ++d) {
      W(i + 1, (i + d) % n + 1) = 1.0 / (2 * k);
      W(i + 1, (i - d + n) % n + 1) = 1.0 / (2 * k);
    }
  return W;
}

// The ring is circulant: eigenvalues (1/k)·Σ_d cos(2π·j·d/n).
double LogDetAnel(int n, int k, double a) {
  double s = 0.0;
  for (int j = 0; j < n; ++j) {
    double l = 0.0;
    for (int d = 1; d <= k; ++d) l += std::cos(2.0 * M_PI * j * d / n);
    s += std::log(1.0 - a * l / k);
  }
  return s;
}

const NEWMAT::Matrix& GradeNula() {
  static const NEWMAT::Matrix G = [] {
    NEWMAT::Matrix W(3, 3);
    W = 0.0;
    return EstimaLogDeterminante(W, 50, 2, Progresso(), 123);
  }();
  return G;
}

}  // namespace

TEST(GradeLogDeterminante, ZeroWeightsGiveAZeroGridOfTheFixedValues) {
  const NEWMAT::Matrix& G = GradeNula();
  ASSERT_EQ(G.Nrows(), 1981);
  ASSERT_EQ(G.Ncols(), 2);
  EXPECT_EQ(G(1, 1), -0.99);
  EXPECT_NEAR(G(1981, 1), 0.99, 1e-12);
  EXPECT_NEAR(G(991, 1), 0.0, 1e-14);
  for (int i = 1; i <= G.Nrows(); ++i) ASSERT_EQ(G(i, 2), 0.0) << i;
}

TEST(GradeLogDeterminante, LookUpRows) {
  const GradeLogDeterminante grade(GradeNula());
  struct Caso { double x; int linha; } casos[] = {
      {0.3, 1290}, {0.3006, 1291}, {0.0, 990}, {-0.99, 1}, {-0.995, 1}, {-1.0, 1},
      {0.99, 1980}, {0.995, 1981}, {1.0, 1981}, {-5.0, 1}, {5.0, 1981},
  };
  for (const Caso& c : casos) EXPECT_EQ(grade.Linha(c.x), c.linha) << "x = " << c.x;
  EXPECT_NEAR(grade.Grade()(1290, 1), 0.299, 1e-9);
}

TEST(GradeLogDeterminante, SameSeedGivesABitIdenticalGrid) {
  const NEWMAT::Matrix W = Anel(60, 2);
  const NEWMAT::Matrix G1 = EstimaLogDeterminante(W, 50, 10, Progresso(), 4321);
  const NEWMAT::Matrix G2 = EstimaLogDeterminante(W, 50, 10, Progresso(), 4321);
  const NEWMAT::Matrix G3 = EstimaLogDeterminante(W, 50, 10, Progresso(), 4322);
  bool difere = false;
  for (int i = 1; i <= G1.Nrows(); ++i) {
    ASSERT_EQ(G1(i, 2), G2(i, 2)) << i;
    if (G1(i, 2) != G3(i, 2)) difere = true;
  }
  EXPECT_TRUE(difere);
}

TEST(GradeLogDeterminante, RingEstimateIsCloseToTheExactValue) {
  const int n = 100, k = 3;
  const NEWMAT::Matrix W = Anel(n, k);
  const GradeLogDeterminante grade(EstimaLogDeterminante(W, 50, 30, Progresso(), 2026));
  const LogDeterminanteExato exato(W);
  const double a = 0.5;
  EXPECT_NEAR(exato.LogDet(a), LogDetAnel(n, k, a), 1e-10);
  const double a0 = grade.Grade()(grade.Linha(a), 1);
  EXPECT_NEAR(grade.LogDet(a), LogDetAnel(n, k, a), 0.25);
  EXPECT_NEAR(grade.LogDet(a), LogDetAnel(n, k, a0), 0.25);
  // Exact moments fix the series' first two terms: near 0 the estimate follows −a²·tr(W²)/2.
  const double t2 = 0.5 * n * (1.0 / (2 * k));
  const double aPeq = grade.Grade()(1001, 1);
  EXPECT_NEAR(grade.LogDet(aPeq), -aPeq * aPeq * t2, 1e-3 * aPeq * aPeq * t2 + 1e-4);
}

TEST(GradeLogDeterminante, FirstMomentIsTheExactTrace) {
  // A zero row normalised to 1/n puts 1/n on the diagonal: tr(W) = 1/n ≠ 0.
  const int n = 4;
  NEWMAT::Matrix W(n, n);
  W = 0.0;
  for (int j = 1; j <= n; ++j) W(1, j) = 1.0 / n;
  W(2, 3) = 1.0;
  W(3, 2) = 1.0;
  W(4, 2) = 1.0;
  const GradeLogDeterminante grade(EstimaLogDeterminante(W, 50, 30, Progresso(), 77));
  const LogDeterminanteExato exato(W);
  // Small a: the first two exact moments dominate.
  for (int linha : {980, 1000}) {
    const double a = grade.Grade()(linha, 1);
    EXPECT_NEAR(grade.LogDet(a), exato.LogDet(a), 1e-5) << a;
  }
}

TEST(GradeLogDeterminante, DamagedIterationCountUsesThirtyAndShowsTheProgressPhases) {
  ProgressoFalso falso;
  const NEWMAT::Matrix W = Anel(20, 1);
  const NEWMAT::Matrix G = EstimaLogDeterminante(W, 50, 0, Progresso(&falso.p), 5);
  for (int i = 1; i <= G.Nrows(); ++i) ASSERT_TRUE(std::isfinite(G(i, 2)));
  ASSERT_EQ(falso.faixas.size(), 3u);
  EXPECT_EQ(falso.faixas[0], std::make_pair(0, 30));
  EXPECT_EQ(falso.faixas[1], std::make_pair(1, 100));
  EXPECT_EQ(falso.faixas[2], std::make_pair(1, 100));
  ASSERT_EQ(falso.registro.size(), 2u);
  EXPECT_EQ(falso.registro[0], "Calculando a matriz de vander...\n");
  EXPECT_EQ(falso.registro[1], "Calculando matriz de flip...\n");
  EXPECT_EQ(falso.posicoes.front(), 0);
  EXPECT_EQ(falso.posicoes.back(), 100);
  EXPECT_GT(falso.bombeamentos, 1981);
}

TEST(GradeLogDeterminante, SeedPhraseIsTheDrawInFiveColumnsAndEachIterationTakesNDraws) {
  // Drawn 123 → phrase "  123" → seeds 349657453/650453276; then r vectors of nW normals.
  NEWMAT::Matrix W(3, 3);
  W = 0.0;
  EstimaLogDeterminante(W, 50, 2, Progresso(), 123);
  const double seguinte = GeraNormal(0.0, 1.0);
  DefineSementes(349657453, 650453276);
  for (int i = 0; i < 3 * 2; ++i) GeraNormal(0.0, 1.0);
  EXPECT_EQ(GeraNormal(0.0, 1.0), seguinte);
}

TEST(GradeLogDeterminante, ScaledIdentityGivesTheSeriesOfTheLogarithmAtEveryRow) {
  // W = c·I: u'W^k u / u'u = c^k for any u, so every moment is n·c^k/k whatever
  // the draws, and the grid is n·ln(1 − a·c) up to the series' tail ((ac)^51 ≈ 0).
  const int n = 5;
  const double c = 0.5;
  NEWMAT::Matrix W(n, n);
  W = 0.0;
  for (int i = 1; i <= n; ++i) W(i, i) = c;
  const NEWMAT::Matrix G = EstimaLogDeterminante(W, 50, 3, Progresso(), 8);
  for (int i = 1; i <= G.Nrows(); ++i)
    ASSERT_NEAR(G(i, 2), n * std::log(1.0 - G(i, 1) * c), 1e-12) << "a = " << G(i, 1);
}
