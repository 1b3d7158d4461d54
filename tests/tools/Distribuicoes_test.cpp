// The distribution routines against closed forms.
#include "model/Distribuicoes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

double Binomial(int n, int j) { return std::exp(std::lgamma(n + 1.0) - std::lgamma(j + 1.0) - std::lgamma(n - j + 1.0)); }

TEST(BetaIncompleta, FormasFechadas) {
  for (double x : {1e-6, 0.01, 0.2, 0.5, 0.77, 0.99, 1 - 1e-9}) {
    EXPECT_NEAR(dist::BetaIncompleta(x, 3.5, 1.0), std::pow(x, 3.5), 1e-14) << x;
    EXPECT_NEAR(dist::BetaIncompleta(x, 1.0, 7.25), 1.0 - std::pow(1.0 - x, 7.25), 1e-14) << x;
    // arcsine law, taken from the side where asin is well conditioned
    const double arco = x <= 0.5 ? 2.0 / Pi * std::asin(std::sqrt(x)) : 1.0 - 2.0 / Pi * std::asin(std::sqrt(1.0 - x));
    EXPECT_NEAR(dist::BetaIncompleta(x, 0.5, 0.5), arco, 1e-14) << x;
    EXPECT_NEAR(dist::BetaIncompleta(x, 2.5, 60.0), 1.0 - dist::BetaIncompleta(1.0 - x, 60.0, 2.5), 1e-14) << x;
  }
  // I_p(k, n - k + 1) is the probability of at least k successes in n trials.
  const int n = 40;
  for (double p : {0.05, 0.3, 0.5, 0.9})
    for (int k : {1, 5, 20, 39, 40}) {
      double soma = 0.0;
      for (int j = k; j <= n; ++j) soma += Binomial(n, j) * std::pow(p, j) * std::pow(1.0 - p, n - j);
      EXPECT_NEAR(dist::BetaIncompleta(p, k, n - k + 1), soma, 1e-13) << "p " << p << " k " << k;
    }
  EXPECT_EQ(dist::BetaIncompleta(0.0, 2, 3), 0.0);
  EXPECT_EQ(dist::BetaIncompleta(1.0, 2, 3), 1.0);
}

TEST(GamaIncompleta, FormasFechadas) {
  for (double x : {1e-8, 0.1, 0.5, 1.0, 3.0, 10.0, 40.0}) {
    EXPECT_NEAR(dist::GamaIncompleta(1.0, x), -std::expm1(-x), 1e-15) << x;
    EXPECT_NEAR(dist::GamaIncompleta(0.5, x), std::erf(std::sqrt(x)), 1e-14) << x;
    // P(n, x) = 1 - e^-x sum_{j<n} x^j / j!
    for (int a : {2, 5, 30}) {
      double soma = 0.0, termo = 1.0;
      for (int j = 0; j < a; ++j) {
        soma += termo;
        termo *= x / (j + 1);
      }
      EXPECT_NEAR(dist::GamaIncompletaComplementar(a, x), std::exp(-x) * soma, 1e-14 * std::max(1.0, std::exp(-x) * soma))
          << "a " << a << " x " << x;
    }
  }
  // The upper tail keeps its relative precision far out.
  EXPECT_NEAR(dist::GamaIncompletaComplementar(1.0, 200.0) / std::exp(-200.0), 1.0, 1e-12);
  EXPECT_NEAR(dist::GamaIncompletaComplementar(0.5, 100.0) / std::erfc(10.0), 1.0, 1e-12);
}

TEST(Inversas, VoltamAoArgumento) {
  const double ps[] = {1e-10, 1e-4, 0.01, 0.2, 0.5, 0.8, 0.99, 1 - 1e-6};
  const double formas[][2] = {{0.5, 0.5}, {0.5, 60.0}, {60.0, 0.5}, {1.0, 1.0}, {3.0, 17.0}, {125.0, 250.0}};
  for (double p : ps) {
    // Near 1 the solution x itself cannot hold more digits than its spacing
    // allows, so the round trip is checked below that.
    for (const auto& f : formas) {
      if (p > 0.99) continue;
      const double x = dist::InversaBetaIncompleta(p, f[0], f[1]);
      EXPECT_NEAR(dist::BetaIncompleta(x, f[0], f[1]), p, 1e-11 * p + 1e-15)
          << "p " << p << " a " << f[0] << " b " << f[1];
    }
    for (double a : {0.5, 1.0, 2.5, 30.0, 60.0}) {
      const double x = dist::InversaGamaIncompleta(p, a);
      EXPECT_NEAR(dist::GamaIncompleta(a, x), p, 1e-12 * p + 1e-15) << "p " << p << " a " << a;
    }
    EXPECT_NEAR(dist::InversaBetaIncompleta(p, 2.5, 1.0), std::pow(p, 1.0 / 2.5), 1e-13) << p;
    EXPECT_NEAR(dist::InversaGamaIncompleta(p, 1.0), -std::log1p(-p), 1e-13 * std::max(1.0, -std::log1p(-p))) << p;
  }
}

TEST(Quantis, FormasFechadas) {
  for (double nivel : {0.10, 0.40, 0.80, 0.95, 0.99}) {
    // Cauchy, two degrees of freedom, and the normal through erf.
    EXPECT_NEAR(dist::QuantilStudentBilateral(nivel, 1), std::tan(Pi * nivel / 2), 1e-11) << nivel;
    EXPECT_NEAR(dist::QuantilStudentBilateral(nivel, 2), nivel * std::sqrt(2.0 / (1 - nivel * nivel)), 1e-12) << nivel;
    EXPECT_NEAR(std::erf(dist::QuantilStudentBilateral(nivel, dist::Infinito) / std::sqrt(2.0)), nivel, 1e-13) << nivel;
    // F with 2 numerator degrees of freedom: I_x(1, b) = 1 - (1 - x)^b.
    for (double nu2 : {1.0, 7.0, 120.0})
      EXPECT_NEAR(dist::QuantilSnedecor(nivel, 2, nu2), nu2 / 2 * (std::pow(1 - nivel, -2 / nu2) - 1),
                  1e-10 * dist::QuantilSnedecor(nivel, 2, nu2))
          << nivel << " " << nu2;
    EXPECT_NEAR(dist::QuantilSnedecor(nivel, 2, dist::Infinito), -std::log1p(-nivel), 1e-13) << nivel;
    EXPECT_NEAR(dist::QuantilSnedecor(nivel, dist::Infinito, 2), 1.0 / -std::log(nivel), 1e-12) << nivel;
    EXPECT_NEAR(dist::QuantilQuiQuadrado(nivel, 2), -2 * std::log1p(-nivel), 1e-13) << nivel;
  }
  EXPECT_EQ(dist::QuantilSnedecor(0.95, dist::Infinito, dist::Infinito), 1.0);
  // F(1, nu) is the square of t(nu).
  for (double nu : {1.0, 3.0, 30.0, 120.0})
    EXPECT_NEAR(dist::QuantilSnedecor(0.95, 1, nu), std::pow(dist::QuantilStudentBilateral(0.95, nu), 2),
                1e-10 * dist::QuantilSnedecor(0.95, 1, nu))
        << nu;
}

struct CasoForma {
  const char* nome;
  std::vector<double> pesos;
  double esperado;
};

TEST(FormaNegativa, FormasFechadas) {
  const double c = 0.3;
  const CasoForma casos[] = {
      // P(Z1^2 < c Z2^2) = P(|Z1 / Z2| < sqrt(c)), a Cauchy probability.
      {"um contra um", {1.0, -c}, 2.0 / Pi * std::atan(std::sqrt(c))},
      // P(chi2_2 < c chi2_2) = P(F(2, 2) < c) = c / (1 + c).
      {"dois contra dois", {1.0, 1.0, -c, -c}, c / (1 + c)},
      {"dois contra dois, escala", {4.0, 4.0, -4 * c, -4 * c}, c / (1 + c)},
      // P(Z1^2 < c (Z2^2 + Z3^2)) = P(F(1, 2) < 2c) = sqrt(c / (1 + c)).
      {"um contra dois", {1.0, -c, -c}, std::sqrt(c / (1 + c))},
      {"com peso nulo", {1.0, 0.0, -c, -c}, std::sqrt(c / (1 + c))},
      {"so positivos", {1.0, 2.0, 3.0}, 0.0},
      {"so negativos", {-1.0, -2.0}, 1.0},
  };
  for (const CasoForma& k : casos)
    EXPECT_NEAR(dist::ProbabilidadeFormaNegativa(k.pesos), k.esperado, 1e-10) << k.nome;
}

}  // namespace
