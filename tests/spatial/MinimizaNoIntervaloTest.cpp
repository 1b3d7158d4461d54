// The bounded minimiser against known minima.
#include "MinimizaNoIntervalo.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quenvik;

TEST(MinimizaNoIntervalo, FirstPointIsTheGoldenSectionOfTheInterval) {
  double primeiro = 0.0;
  int chamadas = 0;
  MinimizaNoIntervalo(-1.0, 1.0, 50, [&](double x) {
    if (chamadas++ == 0) primeiro = x;
    return x * x;
  });
  EXPECT_NEAR(primeiro, -0.2360679775, 1e-10);
}

TEST(MinimizaNoIntervalo, NoIterationsReturnsTheFirstPoint) {
  const ResultadoMinimo r = MinimizaNoIntervalo(-1.0, 1.0, 0, [](double x) { return (x - 0.3) * (x - 0.3); });
  EXPECT_EQ(r.avaliacoes, 1);
  EXPECT_NEAR(r.x, -0.2360679775, 1e-10);
}

TEST(MinimizaNoIntervalo, FindsInteriorAndBoundaryMinima) {
  struct Caso { const char* nome; double a, b, minimo; double (*f)(double); } casos[] = {
      {"parabola", -1.0, 1.0, 0.3, [](double x) { return (x - 0.3) * (x - 0.3); }},
      {"quartic", -1.0, 1.0, -0.7, [](double x) { return std::pow(x + 0.7, 4) + 0.1 * (x + 0.7) * (x + 0.7); }},
      {"log-like", -0.99, 0.99, 0.5, [](double x) { return -std::log(1 - x * x / 0.99) + 2.0 * (x - 0.5) * (x - 0.5) + 0.0; }},
      {"edge", 0.0, 1.0, 1.0, [](double x) { return -x; }},
  };
  for (const Caso& c : casos) {
    const ResultadoMinimo r = MinimizaNoIntervalo(c.a, c.b, 100, c.f);
    if (std::string(c.nome) == "log-like") continue;  // checked below against its own derivative
    EXPECT_NEAR(r.x, c.minimo, 1e-4) << c.nome;
    EXPECT_DOUBLE_EQ(r.fx, c.f(r.x)) << c.nome;
  }
  // −ln(1 − x²/0.99) + 2(x − 0.5)²: derivative 2x/(0.99 − x²) + 4(x − 0.5) = 0.
  const ResultadoMinimo r = MinimizaNoIntervalo(-0.99, 0.99, 100, casos[2].f);
  EXPECT_NEAR(2 * r.x / (0.99 - r.x * r.x) + 4 * (r.x - 0.5), 0.0, 1e-3);
}

TEST(MinimizaNoIntervalo, ConstantObjectiveStopsWithinTheLimit) {
  const ResultadoMinimo r = MinimizaNoIntervalo(-1.0, 1.0, 500, [](double) { return 1.0; });
  EXPECT_LE(r.avaliacoes, 501);
  EXPECT_GT(r.avaliacoes, 5);
  const ResultadoMinimo curto = MinimizaNoIntervalo(-1.0, 1.0, 3, [](double) { return 1.0; });
  EXPECT_EQ(curto.avaliacoes, 4);
}

TEST(MinimizaNoIntervalo, EmptyIntervalReturnsAtOnce) {
  const ResultadoMinimo r = MinimizaNoIntervalo(0.0, 0.0, 100, [](double x) { return x; });
  EXPECT_EQ(r.x, 0.0);
  EXPECT_EQ(r.avaliacoes, 1);
}
