// The loadable library through the program's binder: ordinals, checks and
// what each export changes in the caller's objects.
#include "FixtureEspacial.h"
#include "ProgressoFalso.h"
#include "Quenvik.h"
#include "model/CTarsolinDoc.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

using namespace quenvik;

namespace {

struct Chamada {
  plat::EstadoModulo estado = plat::EstadoModulo::NaoCarregado;
  int resultado = -1;
};

Chamada ChamaTestes(int ordinal, NEWMAT::ColumnVector& y, NEWMAT::Matrix& X, NEWMAT::Matrix& W, CabecalhoModelo* cab) {
  Chamada c;
  c.estado = plat::ChamaModulo(QStringLiteral("Quenvik.so"), ordinal, [&](void* f) {
    c.resultado = reinterpret_cast<FuncaoTestes>(f)(&y, &X, &W, cab);
  });
  return c;
}

Chamada ChamaModelo(int ordinal, NEWMAT::ColumnVector& y, NEWMAT::Matrix& X, NEWMAT::Matrix& W, CabecalhoModelo* cab,
                    ProgressoCalculo* progresso) {
  Chamada c;
  c.estado = plat::ChamaModulo(QStringLiteral("Quenvik.so"), ordinal, [&](void* f) {
    c.resultado = reinterpret_cast<FuncaoModelo>(f)(&y, &X, &W, cab, progresso);
  });
  return c;
}

std::vector<unsigned char> Imagem(const CabecalhoModelo& cab) {
  return std::vector<unsigned char>(cab.bytes, cab.bytes + CabecalhoModelo::Tamanho);
}

bool Iguais(const NEWMAT::Matrix& a, const NEWMAT::Matrix& b) {
  if (a.Nrows() != b.Nrows() || a.Ncols() != b.Ncols()) return false;
  for (int i = 1; i <= a.Nrows(); ++i)
    for (int j = 1; j <= a.Ncols(); ++j)
      if (a(i, j) != b(i, j)) return false;
  return true;
}

}  // namespace

TEST(Quenvik, OnlyTheFourOrdinalsResolve) {
  for (int ordinal : {1, 2, 3, 4})
    EXPECT_EQ(plat::ChamaModulo(QStringLiteral("Quenvik.so"), ordinal, [](void*) {}), plat::EstadoModulo::Chamado)
        << ordinal;
  for (int ordinal : {0, 5, -1})
    EXPECT_EQ(plat::ChamaModulo(QStringLiteral("Quenvik.so"), ordinal, [](void*) {}), plat::EstadoModulo::SemOrdinal)
        << ordinal;
}

TEST(Quenvik, ResidualTestsWriteTheNineValues) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  auto cab = CabecalhoEspacial(3, f.y.Nrows());
  NEWMAT::ColumnVector y = f.y;
  NEWMAT::Matrix X = f.X, W = f.W;
  const Chamada c = ChamaTestes(OrdinalLmErroMoranI, y, X, W, cab.get());
  ASSERT_EQ(c.estado, plat::EstadoModulo::Chamado);
  EXPECT_EQ(c.resultado, 1);
  struct Caso { const char* nome; std::size_t off; } casos[] = {
      {"lm_erro", 410328}, {"p_lm_erro", 410336}, {"lm_lag", 410400}, {"p_lm_lag", 410408}, {"moran_i", 410344},
      {"e_i", 410368}, {"v_i", 410376}, {"z_i", 410360}, {"conf_i", 410352},
  };
  for (const Caso& k : casos) EXPECT_NEAR(cab->F64(k.off) / f.Ref(k.nome) - 1.0, 0.0, 1e-8) << k.nome;
  EXPECT_EQ(X.Ncols(), 4);
  for (int i = 1; i <= X.Nrows(); ++i) ASSERT_EQ(X(i, 1), 1.0);
  EXPECT_EQ(cab->I32(408704), 0);  // the tests do not mark spatial results
}

TEST(Quenvik, ChecksRefuseWithTheirMessageAndChangeNothing) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const int n = f.y.Nrows();
  struct Caso {
    const char* nome;
    int linhasY, linhasX, linhasW, colunasW;
    const char* mensagem;
  } casos[] = {
      {"empty W", n, n, 0, 0, "Matriz nula! "},
      {"X without rows", n, 0, n, n, "Matriz nula! "},
      {"y one row longer", n + 1, n, n, n, "Matrizes incompativeis! "},
      {"W 99 x 99 for 100 rows", n, n, n - 1, n - 1, "Matrizes incompativeis! "},
      {"W not square", n, n, n, n - 1, "Matrizes incompativeis! "},
  };
  for (const Caso& c : casos)
    for (int ordinal : {1, 2, 3, 4}) {
      auto cab = CabecalhoEspacial(3, n);
      const auto antes = Imagem(*cab);
      NEWMAT::ColumnVector y(c.linhasY);
      for (int i = 1; i <= c.linhasY; ++i) y(i) = f.y(std::min(i, n));
      NEWMAT::Matrix X = f.X.Rows(1, std::max(c.linhasX, 1));
      if (c.linhasX == 0) X.ReSize(0, 3);
      NEWMAT::Matrix W(c.linhasW, c.colunasW);
      W = 1.0;
      const NEWMAT::Matrix X0 = X, W0 = W;
      ProgressoFalso falso;
      plat::GravadorMensagens gravador;
      const Chamada ch = ordinal <= 2 ? ChamaTestes(ordinal, y, X, W, cab.get())
                                      : ChamaModelo(ordinal, y, X, W, cab.get(), &falso.p);
      ASSERT_EQ(ch.estado, plat::EstadoModulo::Chamado);
      EXPECT_EQ(ch.resultado, 0) << c.nome << " ordinal " << ordinal;
      ASSERT_EQ(gravador.Textos().size(), 1) << c.nome << " ordinal " << ordinal;
      EXPECT_EQ(gravador.Textos()[0], QString::fromUtf8(c.mensagem)) << c.nome;
      EXPECT_TRUE(Iguais(X, X0)) << c.nome << " ordinal " << ordinal;
      EXPECT_TRUE(Iguais(W, W0)) << c.nome << " ordinal " << ordinal;
      EXPECT_TRUE(Imagem(*cab) == antes) << c.nome << " ordinal " << ordinal;
      EXPECT_TRUE(falso.registro.empty());
    }
}

// The spatial calculations take every model whose W the document can hold.
static_assert(MaximoRegistrosEspaciais == CTarsolinDoc::MaxRegistrosW);

TEST(Quenvik, MoreRecordsThanTheLimitAreRefusedNamingItBeforeWIsRead) {
  // W is left 1 × 1: the size is refused before anything n × n is needed.
  const int n = MaximoRegistrosEspaciais + 1;
  for (int ordinal : {2, 3, 4}) {
    auto cab = CabecalhoEspacial(3, n);
    const auto antes = Imagem(*cab);
    NEWMAT::ColumnVector y(n);
    y = 1.0;
    NEWMAT::Matrix X(n, 3);
    X = 2.0;
    NEWMAT::Matrix W(1, 1);
    W = 1.0;
    ProgressoFalso falso;
    plat::GravadorMensagens gravador;
    const Chamada ch = ordinal == 2 ? ChamaTestes(ordinal, y, X, W, cab.get())
                                    : ChamaModelo(ordinal, y, X, W, cab.get(), &falso.p);
    EXPECT_EQ(ch.resultado, 0) << ordinal;
    ASSERT_EQ(gravador.Textos().size(), 1) << ordinal;
    EXPECT_EQ(gravador.Textos()[0],
              QString::fromUtf8("Número de dados excessivo para o cálculo espacial ! (máximo 10000)"));
    EXPECT_EQ(X.Ncols(), 3);
    EXPECT_EQ(W(1, 1), 1.0);
    EXPECT_TRUE(Imagem(*cab) == antes);
    EXPECT_TRUE(falso.registro.empty());
  }
}

TEST(Quenvik, WaldsNormalisesOnlyWhenAskedAndLeavesXAndTheHeader) {
  NEWMAT::ColumnVector y(3);
  y << 1.0 << 2.0 << 4.0;
  NEWMAT::Matrix X(3, 1);
  X << 3.0 << 1.0 << 2.0;
  for (bool normaliza : {true, false}) {
    auto cab = CabecalhoEspacial(1, 3);
    cab->SetU8(CabecalhoModelo::OffNormalizaW, normaliza ? 1 : 0);
    const auto antes = Imagem(*cab);
    NEWMAT::Matrix W(3, 3);
    W << 0.0 << 1.0 << 3.0   // sums to 4
      << 0.0 << 0.0 << 0.0   // zero row
      << 2.0 << 2.0 << 0.0;
    const NEWMAT::Matrix W0 = W, X0 = X;
    NEWMAT::Matrix Xc = X;
    const Chamada c = ChamaTestes(OrdinalWalds, y, Xc, W, cab.get());
    EXPECT_EQ(c.resultado, 1);
    EXPECT_TRUE(Iguais(Xc, X0));
    EXPECT_TRUE(Imagem(*cab) == antes);
    if (!normaliza) {
      EXPECT_TRUE(Iguais(W, W0));
      continue;
    }
    EXPECT_DOUBLE_EQ(W(1, 2), 0.25);
    EXPECT_DOUBLE_EQ(W(1, 3), 0.75);
    for (int j = 1; j <= 3; ++j) EXPECT_DOUBLE_EQ(W(2, j), 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(W(3, 1), 0.5);
  }
}

TEST(Quenvik, LagTwiceAddsTwoColumnsOfOnes) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  auto cab = CabecalhoEspacial(3, f.y.Nrows());
  NEWMAT::ColumnVector y = f.y;
  NEWMAT::Matrix X = f.X, W = f.W;
  ProgressoFalso falso;
  Chamada c = ChamaModelo(OrdinalSar, y, X, W, cab.get(), &falso.p);
  EXPECT_EQ(c.resultado, 1);
  EXPECT_EQ(X.Ncols(), 4);
  EXPECT_EQ(cab->I32(408704), 1);
  const double rho = SlotEspacial(*cab, 60);
  EXPECT_NEAR(rho, f.Ref("rho"), 0.02);
  // The second call adds a second intercept, then finds four regressor
  // columns against three enabled variables and refuses, header unchanged.
  const auto antes = Imagem(*cab);
  plat::GravadorMensagens gravador;
  c = ChamaModelo(OrdinalSar, y, X, W, cab.get(), &falso.p);
  EXPECT_EQ(c.resultado, 0);
  ASSERT_EQ(gravador.Textos().size(), 1);
  EXPECT_EQ(gravador.Textos()[0], QString::fromUtf8("Matrizes incompativeis! "));
  EXPECT_TRUE(Imagem(*cab) == antes);
  ASSERT_EQ(X.Ncols(), 5);
  for (int i = 1; i <= X.Nrows(); ++i) {
    ASSERT_EQ(X(i, 1), 1.0);
    ASSERT_EQ(X(i, 2), 1.0);
    ASSERT_EQ(X(i, 3), f.X(i, 1));
  }
}

TEST(Quenvik, ErrorModelWithOneIterationRunsOnePassAndSucceeds) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  auto cab = CabecalhoEspacial(3, f.y.Nrows());
  cab->SetI32(CabecalhoModelo::OffMaxIteracoes, 1);
  NEWMAT::ColumnVector y = f.y;
  NEWMAT::Matrix X = f.X, W = f.W;
  ProgressoFalso falso;
  plat::GravadorMensagens gravador;
  const Chamada c = ChamaModelo(OrdinalSem, y, X, W, cab.get(), &falso.p);
  EXPECT_EQ(c.resultado, 1);
  EXPECT_TRUE(gravador.Textos().isEmpty());
  EXPECT_EQ(cab->I32(408704), 1);
  for (int v = 0; v < 4; ++v) EXPECT_TRUE(std::isfinite(SlotEspacial(*cab, v))) << v;
  EXPECT_EQ(falso.registro.back(), "Calculando resultados estatísticos...\n");
}

// The log-determinant grid covers −0.99 … 0.99: bounds past it are clipped to
// it (the bounds written back are the ones used), so no parameter is fitted
// against the grid's edge row; bounds with nothing left between them, reversed
// or not numbers, are refused and change nothing (equal bounds pin it).
TEST(Quenvik, BoundsAreClippedToTheGridAndEmptyIntervalsRefused) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  for (int ordinal : {OrdinalSar, OrdinalSem}) {
    SCOPED_TRACE(ordinal);
    auto cab = CabecalhoEspacial(3, f.y.Nrows());
    cab->SetF64(CabecalhoModelo::OffRhoMinimo, 0.9);
    cab->SetF64(CabecalhoModelo::OffRhoMaximo, 2.0);
    cab->SetF64(CabecalhoModelo::OffRho, 1.5);
    NEWMAT::ColumnVector y = f.y;
    NEWMAT::Matrix X = f.X, W = f.W;
    ProgressoFalso falso;
    plat::GravadorMensagens gravador;
    ASSERT_EQ(ChamaModelo(ordinal, y, X, W, cab.get(), &falso.p).resultado, 1);
    EXPECT_TRUE(gravador.Textos().isEmpty());
    const double parametro = SlotEspacial(*cab, 60);
    EXPECT_GE(parametro, 0.9);
    EXPECT_LE(parametro, 0.99);
    EXPECT_EQ(cab->F64(408744), 0.9);
    EXPECT_EQ(cab->F64(408752), 0.99);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, double> vazios[] = {{0.5, -0.5}, {1.5, 2.0}, {-3.0, -1.0}, {nan, 0.5}, {0.1, nan}};
    for (const auto& [inferior, superior] : vazios) {
      SCOPED_TRACE(testing::Message() << inferior << " .. " << superior);
      auto outro = CabecalhoEspacial(3, f.y.Nrows());
      outro->SetF64(CabecalhoModelo::OffRhoMinimo, inferior);
      outro->SetF64(CabecalhoModelo::OffRhoMaximo, superior);
      const auto antes = Imagem(*outro);
      NEWMAT::ColumnVector y2 = f.y;
      NEWMAT::Matrix X2 = f.X, W2 = f.W;
      plat::GravadorMensagens recusa;
      EXPECT_EQ(ChamaModelo(ordinal, y2, X2, W2, outro.get(), &falso.p).resultado, 0);
      EXPECT_EQ(recusa.Textos(), QStringList{QString::fromUtf8("O mínimo de rho deve ser menor que o máximo !")});
      EXPECT_TRUE(Imagem(*outro) == antes);
    }
  }
}

// Regressors that are dependent (one the sum of two others, or a constant
// beside the intercept) are refused as the regression library refuses them,
// in the fits and in the residual tests, with the header unchanged.
TEST(Quenvik, DependentRegressorsAreRefused) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const int n = f.y.Nrows();
  for (bool constante : {false, true}) {
    for (int ordinal : {OrdinalLmErroMoranI, OrdinalSar, OrdinalSem}) {
      SCOPED_TRACE(testing::Message() << "constant " << constante << ", ordinal " << ordinal);
      auto cab = CabecalhoEspacial(3, n);
      const auto antes = Imagem(*cab);
      NEWMAT::ColumnVector y = f.y;
      NEWMAT::Matrix X = f.X, W = f.W;
      for (int i = 1; i <= n; ++i) X(i, 3) = constante ? 7.0 : X(i, 1) + X(i, 2);
      ProgressoFalso falso;
      plat::GravadorMensagens gravador;
      const Chamada c = ordinal == OrdinalLmErroMoranI ? ChamaTestes(ordinal, y, X, W, cab.get())
                                                       : ChamaModelo(ordinal, y, X, W, cab.get(), &falso.p);
      EXPECT_EQ(c.resultado, 0);
      EXPECT_EQ(gravador.Textos(), QStringList{QString::fromUtf8("Cálculo indeterminado !")});
      EXPECT_TRUE(Imagem(*cab) == antes);
    }
  }
}
