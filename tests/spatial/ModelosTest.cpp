// Behaviour of the spatial fits and of the statistics block on small cases
// whose answers follow from a direct least-squares solve.
#include "CalculoEspacial.h"
#include "EstatisticasEspaciais.h"
#include "FixtureEspacial.h"
#include "LogDeterminanteExato.h"
#include "ModeloSar.h"
#include "ModeloSem.h"
#include "ProgressoFalso.h"
#include "Verossimilhanca.h"
#include "model/TabelasEstatisticas.h"
#include "platform/Mensagem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

using namespace quenvik;

namespace {

NEWMAT::Matrix ComIntercepto(const NEWMAT::Matrix& X) {
  NEWMAT::ColumnVector uns(X.Nrows());
  uns = 1.0;
  return uns | X;
}

NEWMAT::ColumnVector Mqo(const NEWMAT::Matrix& X, const NEWMAT::ColumnVector& y) {
  return (X.t() * X).i() * (X.t() * y);
}

NEWMAT::Matrix Normalizada(NEWMAT::Matrix W) {
  for (int i = 1; i <= W.Nrows(); ++i) {
    double s = 0.0;
    for (int j = 1; j <= W.Ncols(); ++j) s += W(i, j);
    for (int j = 1; j <= W.Ncols(); ++j) W(i, j) = s == 0.0 ? 1.0 / W.Ncols() : W(i, j) / s;
  }
  return W;
}

OpcoesCalculo Exato() {
  OpcoesCalculo o;
  o.sorteio = 99;
  o.provedor = [](const NEWMAT::Matrix& W) { return std::make_unique<LogDeterminanteExato>(W); };
  return o;
}

// The header image, to prove a refused or failed call left it alone.
std::vector<unsigned char> Imagem(const CabecalhoModelo& cab) {
  return std::vector<unsigned char>(cab.bytes, cab.bytes + CabecalhoModelo::Tamanho);
}

}  // namespace

TEST(ModeloSar, ParameterPinnedAtZeroGivesTheLeastSquaresFit) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const NEWMAT::Matrix X = ComIntercepto(f.X);
  const NEWMAT::Matrix W = Normalizada(f.W);
  OpcoesAjuste op;
  op.inferior = op.superior = 0.0;
  op.considerados = f.y.Nrows();
  const LogDeterminanteExato G(W);
  const ResultadoEspacial r = AjustaSar(f.y, X, W, G, op, Progresso());
  const NEWMAT::ColumnVector b = Mqo(X, f.y);
  const NEWMAT::ColumnVector e = f.y - X * b;
  EXPECT_EQ(r.parametro, 0.0);
  for (int j = 1; j <= 4; ++j) EXPECT_NEAR(r.beta(j), b(j), 1e-10 * (1 + std::fabs(b(j))));
  EXPECT_NEAR(r.sigma2, NEWMAT::DotProduct(e, e) / f.y.Nrows(), 1e-12);
  // At ρ = 0 the fitted values are Xβ, so the residuals are the OLS ones.
  for (int i = 1; i <= e.Nrows(); ++i) ASSERT_NEAR(r.residuos(i), e(i), 1e-9);
  // R² and the adjusted R² with n − p.
  const int n = f.y.Nrows(), p = 4;
  EXPECT_NEAR(r.r2Ajustado, 1.0 - (1.0 - r.r2) * (n - 1) / (n - p), 1e-12);
}

TEST(ModeloSem, BetaIsTheGlsEstimateWhereTheLastPassStarted) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const NEWMAT::Matrix X = ComIntercepto(f.X);
  const NEWMAT::Matrix W = Normalizada(f.W);
  const LogDeterminanteExato G(W);
  auto gls = [&](double l) {
    const NEWMAT::Matrix Xs = X - l * W * X;
    const NEWMAT::ColumnVector ys = f.y - l * W * f.y;
    return Mqo(Xs, ys);
  };
  struct Caso { const char* nome; int maxIteracoes; double criterio; int passes; double lambdaBeta; } casos[] = {
      // λ pinned at 0.3 by the bounds, starting from 0.5.
      {"two passes", 500, 0.0001, 2, 0.3},
      {"one allowed", 2, 0.0001, 1, 0.5},
      {"maximum of one still runs a pass", 1, 0.0001, 1, 0.5},
      {"criterion of one or more still runs a pass", 500, 1.5, 1, 0.5},
  };
  for (const Caso& c : casos) {
    OpcoesAjuste op;
    op.inferior = op.superior = 0.3;
    op.parametroInicial = 0.5;
    op.maxIteracoes = c.maxIteracoes;
    op.criterio = c.criterio;
    op.considerados = f.y.Nrows();
    const ResultadoEspacial r = AjustaSem(f.y, X, W, G, op, Progresso());
    EXPECT_EQ(r.passes, c.passes) << c.nome;
    EXPECT_EQ(r.parametro, 0.3) << c.nome;
    const NEWMAT::ColumnVector b = gls(c.lambdaBeta);
    for (int j = 1; j <= 4; ++j) EXPECT_NEAR(r.beta(j), b(j), 1e-9 * (1 + std::fabs(b(j)))) << c.nome;
  }
}

TEST(ModeloSem, PassesStopAtTheIterationLimit) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const NEWMAT::Matrix X = ComIntercepto(f.X);
  const NEWMAT::Matrix W = Normalizada(f.W);
  const LogDeterminanteExato G(W);
  OpcoesAjuste op;
  op.inferior = -0.99;
  op.superior = 0.99;
  op.maxIteracoes = 4;
  op.criterio = -1.0;  // never met
  const ResultadoEspacial r = AjustaSem(f.y, X, W, G, op, Progresso());
  EXPECT_EQ(r.passes, 3);
}

TEST(EstatisticasEspaciais, ResidualBands) {
  // 50 residuals, s = 1: 37 at ratio ≤ 1, then 1.5, 1.64, 1.96 (in its band, not above 2),
  // 2.0 (in no band and not above 2) and eight above 2.
  NEWMAT::ColumnVector r(50);
  int i = 1;
  for (int k = 0; k < 37; ++k) r(i++) = (k % 2 ? -1.0 : 1.0) * (k + 1) / 37.0;
  r(i++) = 1.5;
  r(i++) = -1.64;
  r(i++) = 1.96;
  r(i++) = 2.0;
  for (; i <= 50; ++i) r(i) = (i % 2 ? 2.5 : -3.0);
  const FaixasResiduos f = ContaFaixas(r, 1.0);
  EXPECT_EQ(f.ate1, 74);
  EXPECT_EQ(f.ate164, 39 * 100 / 50);
  EXPECT_EQ(f.ate196, 40 * 100 / 50);
  EXPECT_EQ(f.acimaDe2, 9);
}

TEST(EstatisticasEspaciais, FMultiplierIsReal) {
  // n = 31, p = 3: (31 − 3 − 1)/(3 − 1) = 13.5.
  NEWMAT::ColumnVector y(31), r(31);
  for (int i = 1; i <= 31; ++i) {
    y(i) = i;
    r(i) = (i % 2 ? 1.0 : -1.0);
  }
  const double sst = 31.0 * (31.0 * 31.0 - 1.0) / 12.0;
  EXPECT_NEAR(EstatisticaF(y, r, 3), 13.5 * (sst - 31.0) / 31.0, 1e-9);
  EXPECT_EQ(EstatisticaF(y, r, 1), 0.0);
}

TEST(EstatisticasEspaciais, DisabledVariableGetsZeroSlots) {
  // Enabled flags 1, 0, 1 for slots 0, 1, 2; the dependent in slot 3.
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const int n = f.y.Nrows();
  auto cab = CabecalhoEspacial(3, n);
  cab->SetI32(CabecalhoModelo::OffHabilitadas + 4, 0);
  for (int j = 0; j < 189; ++j) cab->SetF64(408776 + 8 * j, 7.0);  // 189, 190: the bounds
  cab->SetF64(CabecalhoModelo::OffRhoMinimo, 0.0);
  cab->SetF64(CabecalhoModelo::OffRhoMaximo, 0.0);
  NEWMAT::ColumnVector y = f.y;
  NEWMAT::Matrix X(n, 2);
  X.Column(1) = f.X.Column(1);
  X.Column(2) = f.X.Column(3);
  const NEWMAT::ColumnVector b = Mqo(ComIntercepto(X), f.y);
  NEWMAT::Matrix W = f.W;
  ASSERT_TRUE(Sar(&y, &X, &W, cab.get(), nullptr, Exato()));
  EXPECT_EQ(SlotEspacial(*cab, 60), 0.0);
  EXPECT_NEAR(SlotEspacial(*cab, 0), b(2), 1e-9);
  EXPECT_NEAR(SlotEspacial(*cab, 2), b(3), 1e-9);
  EXPECT_NEAR(SlotEspacial(*cab, 3), b(1), 1e-9);
  for (int j : {1, 67, 127}) EXPECT_EQ(SlotEspacial(*cab, j), 0.0) << j;
  for (int j : {66, 68, 69, 126, 128, 129}) EXPECT_NE(SlotEspacial(*cab, j), 0.0) << j;
  // Slots past the model's variables are not touched.
  EXPECT_EQ(SlotEspacial(*cab, 4), 7.0);
}

TEST(CalculoEspacial, LagWritesItsHeaderFieldsAndLogsEachLineOnceInOrder) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  for (bool defasagem : {true, false}) {
    auto cab = CabecalhoEspacial(3, f.y.Nrows());
    cab->SetI32(408716, 9);
    cab->SetF64(CabecalhoModelo::OffRhoMinimo, -0.9);
    cab->SetF64(CabecalhoModelo::OffRhoMaximo, 0.95);
    NEWMAT::ColumnVector y = f.y;
    NEWMAT::Matrix X = f.X, W = f.W;
    ProgressoFalso falso;
    OpcoesCalculo op;
    op.sorteio = 3;
    ASSERT_TRUE(defasagem ? Sar(&y, &X, &W, cab.get(), &falso.p, op) : Sem(&y, &X, &W, cab.get(), &falso.p, op));
    const std::vector<std::string> esperado = {
        "\nNormalizando matriz pesos...\n", "Cálculo da função de log-verossimilhança...\n",
        "Calculando a matriz de vander...\n", "Calculando matriz de flip...\n",
        "Cálculo da função de otimização...\n", "Calculando resultados estatísticos...\n"};
    EXPECT_EQ(falso.registro, esperado);
    EXPECT_EQ(cab->I32(408704), 1);
    EXPECT_EQ(cab->I32(408716), 0);
    EXPECT_EQ(cab->I32(408720), 50);
    EXPECT_GT(cab->I32(408724), 1);
    EXPECT_EQ(cab->F64(408744), -0.9);
    EXPECT_EQ(cab->F64(408752), 0.95);
    EXPECT_EQ(X.Ncols(), 4);
    // Confidence of the spatial parameter from its t value.
    const double t = SlotEspacial(*cab, 186);
    EXPECT_NEAR(cab->F64(410320), std::erf(std::fabs(t) / std::sqrt(2.0)) * 100.0, 1e-9);
  }
}

TEST(CalculoEspacial, WithoutNormalisationNoLineBeginsWithABreak) {
  // Only the normalisation line begins with a break; it is not the first
  // line's privilege.
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  for (bool defasagem : {true, false}) {
    auto cab = CabecalhoEspacial(3, f.y.Nrows());
    cab->SetU8(CabecalhoModelo::OffNormalizaW, 0);
    NEWMAT::ColumnVector y = f.y;
    NEWMAT::Matrix X = f.X, W = Normalizada(f.W);
    ProgressoFalso falso;
    OpcoesCalculo op;
    op.sorteio = 3;
    ASSERT_TRUE(defasagem ? Sar(&y, &X, &W, cab.get(), &falso.p, op) : Sem(&y, &X, &W, cab.get(), &falso.p, op));
    const std::vector<std::string> esperado = {
        "Cálculo da função de log-verossimilhança...\n", "Calculando a matriz de vander...\n",
        "Calculando matriz de flip...\n", "Cálculo da função de otimização...\n",
        "Calculando resultados estatísticos...\n"};
    EXPECT_EQ(falso.registro, esperado) << (defasagem ? "lag" : "error");
  }
}

TEST(CalculoEspacial, RefusalsAndFailuresLeaveTheHeaderUnchanged) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const int n = f.y.Nrows();
  struct Caso {
    const char* nome; int regressores; bool duplicada; bool infinito; bool yConstante; const char* mensagem;
    int colunasDepois;
  } casos[] = {
      {"enabled count differs from X", 2, false, false, false, "Matrizes incompativeis! ", 4},
      {"singular X'X", 3, true, false, false, "Cálculo indeterminado !", 4},
      {"untransformable value", 3, false, true, false, "Cálculo indeterminado !", 4},
      // Σ(y − ȳ)² = 0: R² and the rest are not numbers.
      {"constant y", 3, false, false, true, "Cálculo indeterminado !", 4},
  };
  for (const Caso& c : casos)
    for (bool defasagem : {true, false}) {
      auto cab = CabecalhoEspacial(c.regressores, n);
      const auto antes = Imagem(*cab);
      NEWMAT::ColumnVector y = f.y;
      NEWMAT::Matrix X = f.X, W = f.W;
      if (c.duplicada) X.Column(3) = X.Column(1);
      if (c.infinito) X(7, 2) = -INFINITY;
      if (c.yConstante) y = 2.0;
      plat::GravadorMensagens gravador;
      OpcoesCalculo op;
      op.sorteio = 1;
      const bool ok = defasagem ? Sar(&y, &X, &W, cab.get(), nullptr, op) : Sem(&y, &X, &W, cab.get(), nullptr, op);
      EXPECT_FALSE(ok) << c.nome;
      ASSERT_EQ(gravador.Textos().size(), 1) << c.nome;
      EXPECT_EQ(gravador.Textos()[0], QString::fromUtf8(c.mensagem)) << c.nome;
      EXPECT_TRUE(Imagem(*cab) == antes) << c.nome;
      EXPECT_EQ(X.Ncols(), c.colunasDepois) << c.nome;
    }
}

TEST(Verossimilhanca, ConcentratedObjectivesAgainstDirectFormulas) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const NEWMAT::Matrix W = Normalizada(f.W);
  const LogDeterminanteExato G(W);
  const int n = f.y.Nrows();
  const NEWMAT::ColumnVector e = f.y - 30.0;
  const NEWMAT::ColumnVector We = W * e;
  for (double l : {-0.5, 0.0, 0.3, 0.8}) {
    const NEWMAT::ColumnVector a = e - l * We;
    const double direto = 0.5 * n * std::log(NEWMAT::DotProduct(a, a) / n) - G.LogDet(l);
    EXPECT_NEAR(LogVerossimilhancaSem(l, e, W, G), direto, 1e-9 * std::fabs(direto));
    EXPECT_EQ(LogVerossimilhancaSem(l, e, We, G), LogVerossimilhancaSem(l, e, W, G));
    // Lag: z = e0'e0 − 2ρ·ed'e0 + ρ²·ed'ed with e0 = e, ed = We.
    const double sar = LogVerossimilhancaSar(l, G, NEWMAT::DotProduct(e, e), NEWMAT::DotProduct(We, We),
                                             NEWMAT::DotProduct(We, e), n);
    EXPECT_NEAR(sar, direto, 1e-9 * std::fabs(direto));
  }
  // Full lag likelihood at ρ = 0 with e'e = nσ²: ln|I| − (n/2)·ln(2πσ²) − n/2.
  NEWMAT::Matrix X(n, 1);
  X = 1.0;
  NEWMAT::ColumnVector beta(1);
  beta(1) = 30.0;
  const double s2 = NEWMAT::DotProduct(e, e) / n;
  EXPECT_NEAR(LogVerossimilhancaCompletaSar(beta, 0.0, s2, f.y, X, W, G),
              -0.5 * n * std::log(2.0 * M_PI * s2) - 0.5 * n, 1e-9 * n);
  EXPECT_NEAR(LogVerossimilhancaCompletaSem(beta, 0.0, s2, f.y, X, W, G),
              -0.5 * n * std::log(2.0 * M_PI * s2) - 0.5 * n, 1e-9 * n);
}

namespace {
// Three points in a ring, each neighbour weighted ½: eigenvalues 1, −½, −½,
// so ln|I − aW| = ln((1 − a)(1 + a/2)²).
NEWMAT::Matrix Anel3() {
  NEWMAT::Matrix W(3, 3);
  W = 0.5;
  for (int i = 1; i <= 3; ++i) W(i, i) = 0.0;
  return W;
}
struct LogDetAnel3 : ProvedorLogDeterminante {
  double LogDet(double a) const override { return std::log((1.0 - a) * (1.0 + a / 2) * (1.0 + a / 2)); }
};
}  // namespace

TEST(Verossimilhanca, OddRecordCountAndNonZeroParameterAgainstHandValues) {
  // n = 3 tells the real half 1.5 from the integer one; ρ = λ = 0.4 exercises the W terms.
  const NEWMAT::Matrix W = Anel3();
  const LogDetAnel3 G;
  NEWMAT::ColumnVector y(3);
  y << 1.0 << 2.0 << 4.0;
  NEWMAT::Matrix X(3, 1);
  X = 1.0;
  NEWMAT::ColumnVector beta(1);
  beta(1) = 1.5;
  const double s2 = 0.7, a = 0.4;
  const double detm = std::log(0.6 * 1.2 * 1.2);
  const double constante = 1.5 * std::log(2.0 * M_PI * s2);
  // Lag: Wy = (3, 2.5, 1.5); e = y − 1.5 − 0.4·Wy = (−1.7, −0.5, 1.9).
  const double ee = 1.7 * 1.7 + 0.5 * 0.5 + 1.9 * 1.9;
  EXPECT_NEAR(LogVerossimilhancaCompletaSar(beta, a, s2, y, X, W, G), detm - constante - ee / (2 * s2), 1e-12);
  // Error: r = (−0.5, 0.5, 2.5), Wr = (1.5, 1, 0); f = r − 0.4·Wr = (−1.1, 0.1, 2.5).
  const double ff = 1.1 * 1.1 + 0.1 * 0.1 + 2.5 * 2.5;
  EXPECT_NEAR(LogVerossimilhancaCompletaSem(beta, a, s2, y, X, W, G), detm - constante - ff / (2 * s2), 1e-12);
  // Concentrated: (n/2)·ln(z/n) − detm.
  NEWMAT::ColumnVector r(3);
  r << -0.5 << 0.5 << 2.5;
  EXPECT_NEAR(LogVerossimilhancaSem(a, r, W, G), 1.5 * std::log(ff / 3) - detm, 1e-12);
  // z = 5 − 2·0.4·1 + 0.16·2 = 4.52.
  EXPECT_NEAR(LogVerossimilhancaSar(a, G, 5.0, 2.0, 1.0, 3), 1.5 * std::log(4.52 / 3) - detm, 1e-12);
}

TEST(Verossimilhanca, VectorOfTheWrongLengthIsRefusedNotOverrun) {
  const NEWMAT::Matrix W = Anel3();
  const LogDetAnel3 G;
  NEWMAT::ColumnVector curto(2);
  curto = 1.0;
  EXPECT_THROW(ProdutoW(W, curto), std::invalid_argument);
  EXPECT_THROW(LogVerossimilhancaSem(0.4, curto, W, G), std::invalid_argument);
}

TEST(TestesResiduos, ResidualsOrthogonalToTheirLagGiveZeroStatistics) {
  // OLS residuals of y on [1, x] are exactly (1, 0, −1, 0); W pairs 1–2 and 3–4, so e'We = 0.
  NEWMAT::ColumnVector y(4);
  y << 3.5 << 3.0 << 1.5 << 3.5;
  NEWMAT::Matrix X(4, 1);
  X << 1.0 << 2.0 << 1.0 << 3.0;
  const NEWMAT::Matrix Xi = ComIntercepto(X);
  NEWMAT::Matrix W(4, 4);
  W = 0.0;
  W(1, 2) = W(2, 1) = W(3, 4) = W(4, 3) = 1.0;
  auto cab = CabecalhoEspacial(1, 4);
  cab->SetU8(CabecalhoModelo::OffNormalizaW, 0);
  ASSERT_TRUE(LmErroMoranI(&y, &X, &W, cab.get()));
  EXPECT_NEAR(cab->F64(410328), 0.0, 1e-20);
  EXPECT_NEAR(cab->F64(410336), 1.0, 1e-9);
  EXPECT_NEAR(cab->F64(410344), 0.0, 1e-14);
  // For this symmetric W, T = 2·tr(W·W) = 8, and LM-lag follows its closed form.
  const NEWMAT::ColumnVector b = Mqo(Xi, y), e = y - Xi * b;
  const double s2 = NEWMAT::DotProduct(e, e) / 4.0;
  const NEWMAT::Matrix M = NEWMAT::IdentityMatrix(4) - Xi * (Xi.t() * Xi).i() * Xi.t();
  const NEWMAT::ColumnVector z = W * Xi * b;
  const double ly = NEWMAT::DotProduct(e, W * y) / s2;
  const double D = NEWMAT::DotProduct(z, M * z);
  EXPECT_NEAR(cab->F64(410400), ly * ly / (D / s2 + 8.0), 1e-10);
}

TEST(TestesResiduos, ZeroWeightsWithoutNormalisationAreRefusedNotWrittenAsNaN) {
  // T = 0 and V(I) = 0: LM-error and z would be 0/0.
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  auto cab = CabecalhoEspacial(3, f.y.Nrows());
  cab->SetU8(CabecalhoModelo::OffNormalizaW, 0);
  const auto antes = Imagem(*cab);
  NEWMAT::ColumnVector y = f.y;
  NEWMAT::Matrix X = f.X, W(f.y.Nrows(), f.y.Nrows());
  W = 0.0;
  plat::GravadorMensagens gravador;
  EXPECT_FALSE(LmErroMoranI(&y, &X, &W, cab.get()));
  ASSERT_EQ(gravador.Textos().size(), 1);
  EXPECT_EQ(gravador.Textos()[0], QString::fromUtf8("Cálculo indeterminado !"));
  EXPECT_TRUE(Imagem(*cab) == antes);
  EXPECT_EQ(X.Ncols(), 4);
}

TEST(CalculoEspacial, FConfidenceReadsTheCellOfTheEnabledVariablesAndRecords) {
  // Four enabled variables (the dependent included) and 100 records: ν₁ = 3,
  // ν₂ = 96, so row 32, column 3, the five values from byte 23,648. Only that
  // cell holds values; any other cell reads zeros and would give 0.99.
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  QTemporaryDir pasta;
  ASSERT_TRUE(pasta.isValid());
  {
    QFile tabela(pasta.filePath(QStringLiteral("sndc.dat")));
    ASSERT_TRUE(tabela.open(QIODevice::WriteOnly));
    QByteArray bytes(30000, '\0');
    const double valores[5] = {1.0, 2.0, 3.0, 1e9, 2e9};
    std::memcpy(bytes.data() + 23648, valores, sizeof valores);
    tabela.write(bytes);
  }
  DefinePastaTabelas(pasta.path());
  for (bool defasagem : {true, false}) {
    auto cab = CabecalhoEspacial(3, f.y.Nrows());
    NEWMAT::ColumnVector y = f.y;
    NEWMAT::Matrix X = f.X, W = f.W;
    OpcoesCalculo op;
    op.sorteio = 8;
    ASSERT_TRUE(defasagem ? Sar(&y, &X, &W, cab.get(), nullptr, op) : Sem(&y, &X, &W, cab.get(), nullptr, op));
    ASSERT_GT(cab->F64(410304), 3.0);
    ASSERT_LT(cab->F64(410304), 1e9);
    EXPECT_EQ(cab->F64(410312), double(0.95f)) << (defasagem ? "lag" : "error");
  }
  DefinePastaTabelas(QString());
}

TEST(CalculoEspacial, EachExportWritesOnlyItsOwnHeaderFields) {
  // Every byte that is not an input starts as 0x5A; afterwards a byte may
  // differ only inside a field the export writes.
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const int V = 4;
  struct Campo { std::size_t off, largura; };
  const std::vector<Campo> entradas = {{65572, 4}, {65580, 4}, {65592, 4 * V}, {408728, 4}, {408736, 1},
                                       {409256, 8}, {409264, 8}, {410288, 8}, {410296, 8}, {410416, 4}};
  std::vector<Campo> modelo = {{408704, 4}, {408716, 4}, {408720, 4}, {408724, 4}, {408744, 8}, {408752, 8},
                               {410272, 16}, {410304, 8}, {410312, 8}, {410320, 8}};
  for (int j : {60, 62, 63, 64, 65, 186}) modelo.push_back({408776 + 8 * std::size_t(j), 8});
  for (int v = 0; v < V; ++v)
    for (int base : {0, 66, 126}) modelo.push_back({408776 + 8 * std::size_t(base + v), 8});
  std::vector<Campo> testes;
  for (std::size_t off : {410328, 410336, 410344, 410352, 410360, 410368, 410376, 410400, 410408})
    testes.push_back({off, 8});
  auto dentro = [](const std::vector<Campo>& campos, std::size_t i) {
    for (const Campo& c : campos)
      if (i >= c.off && i < c.off + c.largura) return true;
    return false;
  };
  for (int exportacao : {2, 3, 4}) {
    auto cab = CabecalhoEspacial(V - 1, f.y.Nrows());
    for (std::size_t i = 0; i < CabecalhoModelo::Tamanho; ++i)
      if (!dentro(entradas, i)) cab->bytes[i] = 0x5A;
    const auto antes = Imagem(*cab);
    NEWMAT::ColumnVector y = f.y;
    NEWMAT::Matrix X = f.X, W = f.W;
    OpcoesCalculo op;
    op.sorteio = 4;
    const bool ok = exportacao == 2   ? LmErroMoranI(&y, &X, &W, cab.get())
                    : exportacao == 3 ? Sar(&y, &X, &W, cab.get(), nullptr, op)
                                      : Sem(&y, &X, &W, cab.get(), nullptr, op);
    ASSERT_TRUE(ok) << exportacao;
    const std::vector<Campo>& escritos = exportacao == 2 ? testes : modelo;
    int alterados = 0;
    for (std::size_t i = 0; i < CabecalhoModelo::Tamanho; ++i) {
      if (cab->bytes[i] == antes[i]) continue;
      ++alterados;
      ASSERT_TRUE(dentro(escritos, i)) << "export " << exportacao << " wrote byte " << i;
    }
    EXPECT_GT(alterados, 0);
  }
}

TEST(CalculoEspacial, FConfidenceIsMinusOneWithoutTheTable) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const QString vazia = QDir::temp().filePath(QStringLiteral("tarsolin_sem_tabelas"));
  QDir().mkpath(vazia);
  DefinePastaTabelas(vazia);
  auto cab = CabecalhoEspacial(3, f.y.Nrows());
  NEWMAT::ColumnVector y = f.y;
  NEWMAT::Matrix X = f.X, W = f.W;
  OpcoesCalculo op;
  op.sorteio = 8;
  const bool ok = Sar(&y, &X, &W, cab.get(), nullptr, op);
  DefinePastaTabelas(QString());
  ASSERT_TRUE(ok);
  EXPECT_EQ(cab->F64(410312), -1.0);
  EXPECT_GT(cab->F64(410304), 0.0);
}
