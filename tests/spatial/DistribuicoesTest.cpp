// Normal and chi-square distribution functions against closed forms.
#include "Distribuicoes.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quenvik;

namespace {
void Normal1(double x, double media, double dp, double& p, double& q, int& status) {
  double limite = -99.0;
  DistribuicaoNormal(1, p, q, x, media, dp, status, limite);
}
void Qui1(double x, double gl, double& p, double& q, int& status, double& limite) {
  DistribuicaoQuiQuadrado(1, p, q, x, gl, status, limite);
}
}  // namespace

TEST(DistribuicaoNormal, KnownTailsToTwelveDigits) {
  double p, q;
  int status;
  Normal1(1.96, 0.0, 1.0, p, q, status);
  EXPECT_EQ(status, 0);
  EXPECT_NEAR(q / 0.0249978951482204 - 1.0, 0.0, 1e-12);
  EXPECT_NEAR(p + q, 1.0, 1e-15);
  Normal1(0.0, 0.0, 1.0, p, q, status);
  EXPECT_DOUBLE_EQ(p, 0.5);
  EXPECT_DOUBLE_EQ(q, 0.5);
  // Standardisation by mean and sd; symmetry.
  double p2, q2;
  Normal1(10.0 + 2.0 * 1.96, 10.0, 2.0, p2, q2, status);
  EXPECT_NEAR(q2 / 0.0249978951482204 - 1.0, 0.0, 1e-12);
  Normal1(-1.96, 0.0, 1.0, p2, q2, status);
  EXPECT_NEAR(p2 / 0.0249978951482204 - 1.0, 0.0, 1e-12);
  // Deep tail: no cancellation.
  Normal1(10.0, 0.0, 1.0, p, q, status);
  EXPECT_NEAR(q / 7.61985302416052606e-24 - 1.0, 0.0, 1e-12);
}

TEST(DistribuicaoNormal, StatusCodes) {
  double p = 0, q = 0, x = 1, media = 0, dp = 0, limite = -1;
  int status = 99;
  DistribuicaoNormal(1, p, q, x, media, dp, status, limite);
  EXPECT_EQ(status, -6);
  EXPECT_EQ(limite, 0.0);
  dp = 1;
  DistribuicaoNormal(0, p, q, x, media, dp, status, limite);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(limite, 1.0);
  DistribuicaoNormal(5, p, q, x, media, dp, status, limite);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(limite, 4.0);
}

TEST(DistribuicaoNormal, InverseModeRecoversX) {
  double p = 0.975, q = 0.025, x = 0, media = 1, dp = 2, limite = 0;
  int status = 99;
  DistribuicaoNormal(2, p, q, x, media, dp, status, limite);
  EXPECT_EQ(status, 0);
  EXPECT_NEAR(x, 1.0 + 2.0 * 1.959963984540054, 1e-9);
}

TEST(DistribuicaoQuiQuadrado, ClosedFormsOverDegreesOfFreedom) {
  // df 1: erfc(√(x/2)); df 2: e^(−x/2); df 4: e^(−x/2)(1 + x/2); df 3: erfc(√(x/2)) + √(2x/π)e^(−x/2).
  struct Caso { const char* nome; double gl; double (*q)(double); } casos[] = {
      {"df1", 1.0, [](double x) { return std::erfc(std::sqrt(x / 2)); }},
      {"df2", 2.0, [](double x) { return std::exp(-x / 2); }},
      {"df3", 3.0, [](double x) { return std::erfc(std::sqrt(x / 2)) + std::sqrt(2 * x / M_PI) * std::exp(-x / 2); }},
      {"df4", 4.0, [](double x) { return std::exp(-x / 2) * (1 + x / 2); }},
  };
  for (const Caso& c : casos)
    for (double x : {0.01, 0.5, 1.0, 3.841459, 7.0, 30.0, 80.0}) {
      double p, q, limite;
      int status;
      Qui1(x, c.gl, p, q, status, limite);
      EXPECT_EQ(status, 0);
      EXPECT_NEAR(q / c.q(x) - 1.0, 0.0, 1e-12) << c.nome << " x=" << x;
      EXPECT_NEAR(p + q, 1.0, 1e-14);
    }
}

TEST(DistribuicaoQuiQuadrado, FivePerCentPointOfOneDegree) {
  double p, q, limite;
  int status;
  Qui1(3.841459, 1.0, p, q, status, limite);
  EXPECT_NEAR(q / 0.0499999946531957 - 1.0, 0.0, 1e-12);
  Qui1(0.0, 1.0, p, q, status, limite);
  EXPECT_EQ(p, 0.0);
  EXPECT_EQ(q, 1.0);
}

TEST(DistribuicaoQuiQuadrado, StatusCodes) {
  double p, q, limite;
  int status;
  Qui1(-1.0, 1.0, p, q, status, limite);
  EXPECT_EQ(status, -4);
  Qui1(1.0, 0.0, p, q, status, limite);
  EXPECT_EQ(status, -5);
  double x = 1, gl = 1;
  DistribuicaoQuiQuadrado(4, p, q, x, gl, status, limite);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(limite, 3.0);
  p = 0.95;
  q = 0.05;
  x = 0;
  DistribuicaoQuiQuadrado(2, p, q, x, gl, status, limite);
  EXPECT_EQ(status, 0);
  EXPECT_NEAR(x, 3.841458820694124, 1e-8);
}
