// The statistics of the equation and the sensitivity of the four page forms,
// against closed forms and direct sums computed here.
#include "ModeloEquacao.h"
#include "views/equation/EstatisticasEquacao.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

struct Preparado {
  ModeloEquacao m;
  EstatisticasEquacao s;
  PreparoEquacao r;
  explicit Preparado(ModeloEquacao modelo, const NEWMAT::Matrix& W = NEWMAT::Matrix())
      : m(std::move(modelo)), r(PreparaEstatisticasEquacao(s, *m.cab, m.dados.data(), W)) {}
  SensibilidadeEquacao Sens(FormaEquacao f) const {
    SensibilidadeEquacao r;
    CalculaSensibilidade(r, s, *m.cab, f);
    return r;
  }
};

TEST(Sensibilidade, FixtureOfTheEstimateFunction) {
  Preparado p(teste::ModeloSensibilidade());
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  const EstatisticasEquacao& s = p.s;
  EXPECT_EQ(s.k, 3);
  EXPECT_EQ(s.n, 4);
  EXPECT_EQ(std::string(s.duasValores, 3), " * ");  // B takes two values; the dependent never flagged
  EXPECT_DOUBLE_EQ(s.media[1], 250.0);
  EXPECT_DOUBLE_EQ(s.media[2], 0.0);  // the two-valued mean is its minimum
  EXPECT_DOUBLE_EQ(s.r0(1, 2), std::log(250.0));

  const SensibilidadeEquacao r = p.Sens(FormaEquacao::Estimativa);
  EXPECT_NEAR(r.E, 225.24050, 5e-5);
  EXPECT_NEAR(r.crescimento[0], 9.489991, 5e-6);
  EXPECT_NEAR(r.crescimento[1], 10.517092, 5e-6);
  // Closed forms: a tenth of A's range is 30, so E_A / E = (280/250)^0.8; B goes from 0 to 1.
  EXPECT_NEAR(r.crescimento[0], (std::pow(280.0 / 250.0, 0.8) - 1) * 100, 1e-9);
  EXPECT_NEAR(r.crescimento[1], (std::exp(0.1) - 1) * 100, 1e-9);
  // A's curve: evenly spaced in ln A from 100 to 400, the other regressor at T(mean) = 0.
  for (int u = 0; u <= 10; ++u) {
    const double xT = std::log(100.0) + u * 0.1 * std::log(4.0);
    EXPECT_NEAR(r.curvaX[u], std::exp(xT), 1e-9 * std::exp(xT)) << u;
    EXPECT_NEAR(r.curvaY[u], std::exp(1.0 + 0.8 * xT), 1e-9 * r.curvaY[u]) << u;
    EXPECT_NEAR(r.curvaX[11 + u], u * 0.1, 1e-12) << u;
    EXPECT_NEAR(r.curvaY[11 + u], std::exp(1.0 + 0.8 * std::log(250.0) + 0.1 * u * 0.1), 1e-9 * r.curvaY[11 + u]);
  }
  EXPECT_NEAR(r.curvaX[0], 100.0, 1e-9);
  EXPECT_NEAR(r.curvaX[10], 400.0, 1e-9);
}

TEST(Sensibilidade, FixtureOfTheRegressionEquation) {
  Preparado p(teste::ModeloSensibilidade());
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  const double mediaLn = (std::log(100.0) + std::log(200.0) + std::log(300.0) + std::log(400.0)) / 4;
  EXPECT_NEAR(p.s.mediaT[1], mediaLn, 1e-12);
  const SensibilidadeEquacao r = p.Sens(FormaEquacao::Regressao);
  const double E = 1.0 + 0.8 * mediaLn;  // B at its transformed minimum, 0
  EXPECT_NEAR(r.E, E, 1e-12);
  EXPECT_NEAR(r.crescimento[0], 0.8 * std::log(4.0) / 10.0 * 100.0 / E, 1e-9);
  EXPECT_NEAR(r.crescimento[1], 0.1 * 100.0 / E, 1e-9);
  EXPECT_NEAR(r.alterada[1], E + 0.1, 1e-12);
  for (int u = 0; u <= 10; ++u) {
    const double xT = std::log(100.0) + u * 0.1 * std::log(4.0);
    EXPECT_NEAR(r.curvaX[u], xT, 1e-12);
    EXPECT_NEAR(r.curvaY[u], 1.0 + 0.8 * xT, 1e-12);
  }
}

TEST(Sensibilidade, TwoValuedConstantAndSpreadRegressors) {
  // C is constant, D takes three values, E is 0/1.
  ModeloEquacao m({"C", "D", "E", "Y"}, {{5, 5, 5, 5, 5}, {1, 2, 3, 1, 2}, {1, 0, 0, 1, 1}, {10, 12, 13, 11, 14}});
  m.Coeficiente(3, 2.0).Coeficiente(0, 1.0).Coeficiente(1, 3.0).Coeficiente(2, -4.0);
  Preparado p(std::move(m));
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  EXPECT_EQ(std::string(p.s.duasValores, 4), "* * ");
  const SensibilidadeEquacao r = p.Sens(FormaEquacao::Estimativa);
  EXPECT_DOUBLE_EQ(r.E, 2.0 + 5.0 + 3.0 * 1.8 + 0.0);
  EXPECT_DOUBLE_EQ(r.crescimento[0], 0.0);  // a constant regressor does not move the estimate
  EXPECT_NEAR(r.alterada[1], r.E + 3.0 * 0.2, 1e-12);  // a tenth of D's range, 2
  EXPECT_NEAR(r.alterada[2], r.E - 4.0, 1e-12);        // E from its minimum to its maximum
}

TEST(Sensibilidade, OnlyTheDependent) {
  ModeloEquacao m({"X", "Y"}, {{1, 2, 3}, {4, 9, 16}});
  m.Codigo(1, 5).Coeficiente(1, 3.0);  // √Y = 3
  m.cab->SetHabilitada(0, false);
  Preparado p(std::move(m));
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  EXPECT_EQ(p.s.k, 1);
  EXPECT_DOUBLE_EQ(p.Sens(FormaEquacao::Estimativa).E, 9.0);
  EXPECT_DOUBLE_EQ(p.Sens(FormaEquacao::Regressao).E, 3.0);
}

TEST(Sensibilidade, RefusedWithoutConsideredRecordsAndZeroEstimateIsNotANumber) {
  ModeloEquacao vazio({"X", "Y"}, {{1, 2}, {3, 4}});
  for (dado& d : vazio.dados) d.excluido = 1;
  Preparado p(std::move(vazio));
  EXPECT_EQ(p.r, PreparoEquacao::SemDados);
  EXPECT_EQ(MensagemPreparo(p.r), QStringLiteral("Nenhum dado considerado !"));

  ModeloEquacao zero({"X", "Y"}, {{1, 2, 3}, {3, 4, 6}});
  zero.Coeficiente(1, -2.0).Coeficiente(0, 1.0);  // 0 at the mean, x = 2
  Preparado z(std::move(zero));
  ASSERT_EQ(z.r, PreparoEquacao::Pronto);
  const SensibilidadeEquacao r = z.Sens(FormaEquacao::Estimativa);
  EXPECT_EQ(r.E, 0.0);
  EXPECT_FALSE(std::isfinite(r.crescimento[0]));
}

TEST(Sensibilidade, ExcludedRecordsStayOut) {
  ModeloEquacao m({"X", "Y"}, {{1, 2, 1000, 3}, {1, 2, 3, 4}});
  m.dados[2].excluido = 1;
  Preparado p(std::move(m));
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  EXPECT_EQ(p.s.n, 3);
  EXPECT_DOUBLE_EQ(p.s.media[1], 2.0);
  EXPECT_DOUBLE_EQ(p.s.maximo[0], 3.0);
}

// The spatial pages: the lag term is the first element of rho·W·y, added to
// every value; the curves of the estimate page hold the others at mT.
struct Espacial : ::testing::Test {
  ModeloEquacao Modelo(bool lag) {
    ModeloEquacao m = teste::ModeloSensibilidade();
    m.Espacial({0.7, 0.2, 1.5}, 0.4, lag);  // A, B, intercept at VU
    m.cab->SetU8(C::OffNormalizaW, 1);
    return m;
  }
  NEWMAT::Matrix W() {
    NEWMAT::Matrix w(4, 4);
    const double v[] = {0, 1, 2, 0, 1, 0, 1, 1, 2, 1, 0, 3, 0, 1, 3, 0};
    w << v;
    return w;
  }
};

TEST_F(Espacial, LagTermInEveryValue) {
  Preparado p(Modelo(true), W());
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  ASSERT_FALSE(p.s.semW);
  // Row 1 of W normalised: (0, 1/3, 2/3, 0); y transformed (ln VU).
  const double L1 = 0.4 * (std::log(260.0) / 3 + 2 * std::log(330.0) / 3);
  EXPECT_NEAR(p.s.L(1), L1, 1e-12);
  EXPECT_EQ(p.s.L.Nrows(), 4);

  const double s0 = 1.5 + 0.7 * std::log(250.0);  // r0, B at 0
  const SensibilidadeEquacao re = p.Sens(FormaEquacao::EstimativaRE);
  EXPECT_NEAR(re.E, std::exp(s0 + L1), 1e-9);
  EXPECT_NEAR(re.crescimento[1], (std::exp(0.2) - 1) * 100, 1e-9);
  // Curves at mT: A over its range, B at its transformed minimum (0) here too.
  EXPECT_NEAR(re.curvaY[5], std::exp(1.5 + 0.7 * (std::log(100.0) + 0.5 * std::log(4.0)) + L1), 1e-9);

  const SensibilidadeEquacao ret = p.Sens(FormaEquacao::RegressaoRE);
  const double mediaLn = p.s.mediaT[1];
  EXPECT_NEAR(ret.E, 1.5 + 0.7 * mediaLn + L1, 1e-12);
  EXPECT_NEAR(ret.alterada[0] - ret.E, 0.7 * std::log(4.0) / 10, 1e-12);
}

TEST_F(Espacial, CurvesOfTheEstimatePageHoldOthersAtTransformedMeans) {
  // B with three values: its r0 entry (T of its mean) and mT entry (its mean
  // in x) differ only through the code; use √B so they do.
  ModeloEquacao m = Modelo(false);
  m.dados[0].valor[1] = 4;
  m.dados[1].valor[1] = 1;
  m.dados[2].valor[1] = 9;
  m.dados[3].valor[1] = 4;
  m.Codigo(1, 5);
  Preparado p(std::move(m), W());
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  EXPECT_DOUBLE_EQ(p.s.L(1), 0.0);  // error model: no lag term
  const double r0B = std::sqrt(4.5), mTB = (2 + 1 + 3 + 2) / 4.0;
  const SensibilidadeEquacao re = p.Sens(FormaEquacao::EstimativaRE);
  EXPECT_NEAR(re.E, std::exp(1.5 + 0.7 * std::log(250.0) + 0.2 * r0B), 1e-9);
  EXPECT_NEAR(re.curvaY[0], std::exp(1.5 + 0.7 * std::log(100.0) + 0.2 * mTB), 1e-9);
  const SensibilidadeEquacao linear = p.Sens(FormaEquacao::Estimativa);  // r0 for both
  EXPECT_NEAR(linear.curvaY[0], std::exp(1.0 + 0.8 * std::log(100.0) + 0.1 * r0B), 1e-9);
}

TEST_F(Espacial, LagModelWithoutWHasNoLagTerm) {
  for (const NEWMAT::Matrix& w : {NEWMAT::Matrix(), NEWMAT::Matrix(3, 3)}) {
    Preparado p(Modelo(true), w);
    ASSERT_EQ(p.r, PreparoEquacao::Pronto);
    EXPECT_TRUE(p.s.semW);
    EXPECT_DOUBLE_EQ(p.s.L(1), 0.0);
    EXPECT_NEAR(p.Sens(FormaEquacao::RegressaoRE).E, 1.5 + 0.7 * p.s.mediaT[1], 1e-12);
  }
}

TEST_F(Espacial, LinearPagesUseTheSpatialModelsEquation) {
  ModeloEquacao m = Modelo(true);
  m.cab->SetEquacaoCorrente(1);
  m.Codigo(0, 1, 0, 1).Coeficiente(0, 99.0, 1);  // another equation in force for the linear model
  Preparado p(std::move(m), W());
  ASSERT_EQ(p.r, PreparoEquacao::Pronto);
  EXPECT_EQ(p.s.equacao, 0);
  EXPECT_NEAR(p.Sens(FormaEquacao::Estimativa).E, 225.24050, 5e-5);
}

TEST(RelacaoEsperada, OnlyAStrictGrowthAgainstTheDirection) {
  struct Caso { double g; int relacao; bool contradiz; };
  const Caso casos[] = {{-1, 0, true},  {1, 0, false}, {1, 1, true}, {-1, 1, false},
                        {0, 0, false},  {0, 1, false}, {-1, 2, false}, {NAN, 0, false}};
  for (const Caso& c : casos) EXPECT_EQ(ContradizRelacao(c.g, c.relacao), c.contradiz) << c.g << " " << c.relacao;
}

}  // namespace
