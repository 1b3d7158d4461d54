// The projection's numbers apart from its window: estimates, confidence
// intervals, central values, the spatial estimate, the curve and the
// arbitration range, against closed forms and sums written out here.
#include "ModeloEquacao.h"
#include "TabelaStudent.h"
#include "views/equation/CalculoProjecao.h"

#include "model/TabelasEstatisticas.h"
#include "model/TextoNumero.h"
#include "model/Transformacoes.h"
#include "platform/TextoNumerico.h"

#include <QDir>
#include <gtest/gtest.h>
#include <cmath>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

using teste::TabelaStudent;

// n = 5, x = 1..5 (x), the dependent in ln x, b = (0, 1), s = 0.1.
ModeloEquacao ModeloProjecao(int codigoDependente = 3) {
  ModeloEquacao m({QStringLiteral("X"), QStringLiteral("VT")},
                  {{1, 2, 3, 4, 5}, {std::exp(1.0), std::exp(2.0), std::exp(3.0), std::exp(4.0), std::exp(5.0)}});
  m.Codigo(0, 1).Codigo(1, codigoDependente);
  m.Coeficiente(1, 0.0).Coeficiente(0, 1.0);
  m.cab->SetF64(C::OffErroPadrao, 0.1);
  m.cab->SetI32(C::OffVariavelArea, -1);
  m.cab->SetCasasDecimais(1, 2);
  return m;
}

NEWMAT::Matrix Linhas(const std::vector<std::vector<double>>& linhas) {
  const int P = int(linhas.size()), V = P ? int(linhas[0].size()) : 0;
  NEWMAT::Matrix m(P, V);
  for (int i = 0; i < P; ++i)
    for (int v = 0; v < V; ++v) m(i + 1, v + 1) = linhas[std::size_t(i)][std::size_t(v)];
  return m;
}

class Projecao : public ::testing::Test {
protected:
  void SetUp() override { plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.')); }
  ResultadoProjecao Projeta(CalculoProjecao& p, const NEWMAT::Matrix& v, int linha, int tendencia) {
    ResultadoProjecao r;
    p.ProjetaValores(v, 4, tendencia, linha, v.Nrows(), r);
    return r;
  }
  TabelaStudent tabela{2.0};
};

TEST_F(Projecao, FixtureEstimatesAndIntervals) {
  ModeloEquacao m = ModeloProjecao();
  CalculoProjecao p;
  ASSERT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Pronto);
  EXPECT_EQ(p.K(), 2);
  EXPECT_EQ(p.N(), 5);
  // C in closed form: X'X = [5 15; 15 55], determinant 50.
  EXPECT_NEAR(p.Cinv()(1, 1), 55.0 / 50, 1e-12);
  EXPECT_NEAR(p.Cinv()(1, 2), -15.0 / 50, 1e-12);
  EXPECT_NEAR(p.Cinv()(2, 2), 5.0 / 50, 1e-12);
  const NEWMAT::Matrix linhas = Linhas({{3, 0}, {5, 0}});

  // x0 = 3 is the mean: q = 1/n, h = sqrt(0.2)·0.1·2.
  ResultadoProjecao r = Projeta(p, linhas, 1, Mediana);
  EXPECT_DOUBLE_EQ(p.T(), 2.0);
  EXPECT_NEAR(r.E, 20.085537, 5e-7);
  EXPECT_NEAR(r.inferior, 18.367031, 5e-7);
  EXPECT_NEAR(r.superior, 21.964834, 5e-7);
  EXPECT_NEAR(r.inferior, std::exp(3 - std::sqrt(0.2) * 0.2), 1e-9);
  EXPECT_EQ(r.itens.valor[TotalRLMedio], QStringLiteral("20,08"));  // two places, cut
  EXPECT_EQ(r.itens.valor[TotalRLMinimo], QStringLiteral("18,36"));
  EXPECT_EQ(r.itens.valor[TotalRLMaximo], QStringLiteral("21,96"));
  EXPECT_EQ(r.itens.valor[Adotado], QStringLiteral("20,08"));
  EXPECT_EQ(r.itens.valor[MinimoRL], QStringLiteral("17,07"));  // 0.85·E
  EXPECT_EQ(r.itens.valor[MaximoRL], QStringLiteral("23,09"));  // 1.15·E
  EXPECT_TRUE(r.itens.valor[UnitarioRLMedio].isEmpty());  // no area variable
  EXPECT_TRUE(r.itens.valor[TotalREMedio].isEmpty());     // no spatial model
  ASSERT_EQ(r.colunaRL.size(), 2u);
  EXPECT_EQ(r.colunaRL[0], QStringLiteral("20,08"));
  EXPECT_EQ(r.colunaRL[1], QStringLiteral("148,41"));
  EXPECT_TRUE(r.colunaRE.empty());

  // x0 = 5: d = (0, 2), q = 0.2 + 4·0.1.
  r = Projeta(p, linhas, 2, Mediana);
  EXPECT_NEAR(r.E, 148.413159, 5e-7);
  const double h = std::sqrt(0.6) * 0.2;
  EXPECT_NEAR(p.H()(2), h, 1e-12);
  EXPECT_EQ(r.itens.legenda[TotalRLMinimo], QStringLiteral("Minimo (14,35%)"));
  EXPECT_EQ(r.itens.legenda[TotalRLMaximo], QStringLiteral("Máximo (16,75%)"));
  r = Projeta(p, linhas, 2, Moda);
  EXPECT_NEAR(r.E, 146.936423, 5e-7);
  EXPECT_NEAR(r.inferior, std::exp(4.99 - h), 1e-9);  // around the chosen central value
  EXPECT_EQ(r.colunaRL[1], QStringLiteral("146,93"));
  r = Projeta(p, linhas, 2, Media);
  EXPECT_NEAR(r.E, 149.157083, 5e-7);
}

TEST_F(Projecao, OnlyALogDependentHasThreeCentralValues) {
  for (int codigo : {1, 2, 4, 5}) {
    ModeloEquacao m = ModeloProjecao(codigo);
    CalculoProjecao p;
    ASSERT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Pronto);
    const NEWMAT::Matrix linhas = Linhas({{4, 0}});
    const double moda = Projeta(p, linhas, 1, Moda).E;
    EXPECT_EQ(Projeta(p, linhas, 1, Mediana).E, moda) << codigo;
    EXPECT_EQ(Projeta(p, linhas, 1, Media).E, moda) << codigo;
    EXPECT_NEAR(moda, DestransformaValor(4.0, codigo, 0.0), 1e-12) << codigo;
  }
}

TEST_F(Projecao, CaptionsComeBackWhenEmptied) {
  ModeloEquacao m = ModeloProjecao();
  CalculoProjecao p;
  p.PreparaEstatisticasProjecao(*m.cab, m.dados.data());
  ResultadoProjecao r = Projeta(p, Linhas({{5, 0}}), 1, Mediana);
  ASSERT_NE(r.itens.legenda[TotalRLMinimo], QStringLiteral("Mínimo"));
  r.itens.valor[Desvio] = QStringLiteral("3");
  CalculoProjecao::LimpaIntervalo(r.itens, false, true);
  EXPECT_EQ(r.itens.legenda[TotalRLMinimo], QStringLiteral("Mínimo"));
  EXPECT_EQ(r.itens.legenda[TotalRLMaximo], QStringLiteral("Máximo"));
  for (int i : {TotalRLMinimo, TotalRLMedio, TotalRLMaximo, MinimoRL, MaximoRL, Adotado, Desvio})
    EXPECT_TRUE(r.itens.valor[i].isEmpty()) << i;
  EXPECT_EQ(TextosIntervalo::LegendaPadrao(MaximoRE), QStringLiteral("Máximo RE (+15%)"));
}

TEST_F(Projecao, UnitAndTotalThroughTheAreaVariable) {
  // The regressor is the area; a dependent per unit of area gives the total by
  // multiplying, a total dependent gives the unit value by dividing.
  for (bool unitario : {true, false}) {
    ModeloEquacao m = ModeloProjecao();
    m.cab->SetI32(C::OffVariavelArea, 0);
    m.cab->SetU8(C::OffValorUnitario, unitario ? 1 : 0);
    CalculoProjecao p;
    ASSERT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Pronto);
    EXPECT_EQ(p.PosicaoArea(), 0);
    const ResultadoProjecao r = Projeta(p, Linhas({{4, 0}}), 1, Mediana);
    const double E = std::exp(4.0);
    const double outro = unitario ? E * 4 : E / 4;
    EXPECT_EQ(r.itens.valor[unitario ? UnitarioRLMedio : TotalRLMedio], FormataNumero(E, 2));
    EXPECT_EQ(r.itens.valor[unitario ? TotalRLMedio : UnitarioRLMedio], FormataNumero(outro, 2));
    const int minimoOutro = unitario ? TotalRLMinimo : UnitarioRLMinimo;
    EXPECT_EQ(r.itens.valor[minimoOutro], FormataNumero(r.inferior * (unitario ? 4 : 0.25), 2));
    EXPECT_EQ(r.itens.legenda[minimoOutro], QStringLiteral("Mínimo"));  // no percentage on the converted pair
  }
  // An area of 0 leaves the other unit empty.
  ModeloEquacao m = ModeloProjecao();
  m.cab->SetI32(C::OffVariavelArea, 0);
  CalculoProjecao p;
  p.PreparaEstatisticasProjecao(*m.cab, m.dados.data());
  const ResultadoProjecao r = Projeta(p, Linhas({{0, 0}}), 1, Mediana);
  EXPECT_FALSE(r.itens.valor[TotalRLMedio].isEmpty());
  EXPECT_TRUE(r.itens.valor[UnitarioRLMedio].isEmpty());
}

TEST_F(Projecao, CurveBandIsTheRowsIntervalAtTheMean) {
  // The curve's variance is x0·C·x0', which holds the 1/n already: where x0
  // is the mean row the band equals the row's interval.
  ModeloEquacao m = ModeloProjecao();
  m.cab->SetI32(C::OffVariavelArea, 0);
  CalculoProjecao p;
  p.PreparaEstatisticasProjecao(*m.cab, m.dados.data());
  EXPECT_DOUBLE_EQ(p.AreaMinima(), 1.0);
  EXPECT_DOUBLE_EQ(p.AreaMaxima(), 5.0);
  const ResultadoProjecao r = Projeta(p, Linhas({{3, 0}}), 1, Mediana);
  const PontoCurva* c = p.Curva();
  for (int j = 0; j <= 10; ++j) {
    const double x = 1.0 + 0.4 * j;
    const double q = 55.0 / 50 - 2 * 15.0 / 50 * x + 5.0 / 50 * x * x;  // x0·C·x0'
    const double w = std::sqrt(q) * 2.0 * 0.1;
    EXPECT_NEAR(c[j].area, x, 1e-12) << j;
    EXPECT_NEAR(c[j].estimativa, std::exp(x), 1e-9 * std::exp(x)) << j;
    EXPECT_NEAR(c[j].inferior, std::exp(x - w), 1e-9 * std::exp(x)) << j;
    EXPECT_NEAR(c[j].superior, std::exp(x + w), 1e-9 * std::exp(x)) << j;
  }
  EXPECT_NEAR(c[5].inferior, r.inferior, 1e-9);
  EXPECT_NEAR(c[5].superior, r.superior, 1e-9);
  // Without an area variable the curve is all zeros.
  ModeloEquacao sem = ModeloProjecao();
  CalculoProjecao q;
  q.PreparaEstatisticasProjecao(*sem.cab, sem.dados.data());
  Projeta(q, Linhas({{3, 0}}), 1, Mediana);
  for (int j = 0; j <= 10; ++j) EXPECT_EQ(q.Curva()[j].estimativa, 0.0);
}

TEST_F(Projecao, SingularSampleAndMissingTableGiveNoInterval) {
  // Two equal regressors: X'X cannot be inverted; the estimate stands alone.
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("VT")},
                  {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {2, 3, 4, 5, 6}});
  m.Coeficiente(2, 1.0).Coeficiente(0, 0.5).Coeficiente(1, 0.5);
  m.cab->SetF64(C::OffErroPadrao, 0.1);
  m.cab->SetI32(C::OffVariavelArea, -1);
  CalculoProjecao p;
  EXPECT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Singular);
  EXPECT_FALSE(p.IntervaloValido());
  ResultadoProjecao r = Projeta(p, Linhas({{2, 2, 0}}), 1, Mediana);
  EXPECT_NEAR(r.E, 3.0, 1e-12);
  EXPECT_TRUE(std::isnan(r.inferior));
  EXPECT_TRUE(r.itens.valor[TotalRLMinimo].isEmpty());
  EXPECT_EQ(r.itens.legenda[TotalRLMinimo], QStringLiteral("Mínimo"));

  // t = 0 (no table): no zero-width interval is shown.
  ModeloEquacao f = ModeloProjecao();
  CalculoProjecao q;
  ASSERT_EQ(q.PreparaEstatisticasProjecao(*f.cab, f.dados.data()), PreparoProjecao::Pronto);
  DefinePastaTabelas(QDir(tabela.pasta.path()).filePath(QStringLiteral("nada")));
  r = Projeta(q, Linhas({{3, 0}}), 1, Mediana);
  EXPECT_EQ(q.T(), 0.0);
  EXPECT_FALSE(r.itens.valor[TotalRLMedio].isEmpty());
  EXPECT_TRUE(r.itens.valor[TotalRLMinimo].isEmpty());
  EXPECT_TRUE(r.itens.valor[TotalRLMaximo].isEmpty());
}

// Four records on a square; A regresses, CX and CY are the coordinates (not in
// the equation), VT in ln x. The lag model: intercept 1, A 0.5, rho 0.3.
ModeloEquacao ModeloLag() {
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("CX"), QStringLiteral("CY"), QStringLiteral("VT")},
                  {{10, 20, 30, 40}, {0, 10, 0, 10}, {0, 0, 10, 10}, {100, 150, 160, 210}});
  m.cab->SetHabilitada(1, false);
  m.cab->SetHabilitada(2, false);
  m.Codigo(0, 1).Codigo(3, 3);
  m.Coeficiente(3, 4.0).Coeficiente(0, 0.02);
  m.cab->SetF64(C::OffErroPadrao, 0.1);
  m.cab->SetI32(C::OffVariavelArea, -1);
  m.cab->SetI32(C::OffVariavelX, 1);
  m.cab->SetI32(C::OffVariavelY, 2);
  m.cab->SetU8(C::OffTransformaDistancias, 1);
  m.cab->SetF64(C::OffExpoenteDistancia, -1.0);
  m.cab->SetU8(C::OffNormalizaW, 1);
  m.Espacial({0.5, 0, 0, 1.0}, 0.3, true);
  m.cab->SetF64(C::OffResultadosEspaciais + 8 * 63, 0.04);
  return m;
}

TEST_F(Projecao, LagEstimateFromTheRowsCoordinates) {
  ModeloEquacao m = ModeloLag();
  CalculoProjecao p;
  ASSERT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Pronto);
  ASSERT_TRUE(p.Lag());
  // As many rows as records, none on a record: a diagonal rule would drop w(i, i).
  const std::vector<std::vector<double>> pontos = {{15, 2, 3, 0}, {25, 8, 1, 0}, {35, 1, 9, 0}, {12, 7, 7, 0}};
  const NEWMAT::Matrix linhas = Linhas(pontos);
  const double cx[] = {0, 10, 0, 10}, cy[] = {0, 0, 10, 10}, y[] = {100, 150, 160, 210};
  for (int i = 0; i < 4; ++i) {
    const ResultadoProjecao r = Projeta(p, linhas, i + 1, Moda);
    double w[4], soma = 0;
    for (int c = 0; c < 4; ++c) {
      w[c] = 1.0 / std::hypot(pontos[i][1] - cx[c], pontos[i][2] - cy[c]);
      soma += w[c];
    }
    double lag = 0;
    for (int c = 0; c < 4; ++c) lag += w[c] / soma * std::log(y[c]);
    const double ESt = 0.3 * lag + 1.0 + 0.5 * pontos[i][0];
    EXPECT_NEAR(p.ESt()(i + 1), ESt, 1e-12) << i;
    EXPECT_NEAR(r.ES, std::exp(ESt - 0.04), 1e-9 * r.ES) << i;
    EXPECT_EQ(r.itens.valor[TotalREMedio], FormataNumero(r.ES, 0)) << i;
    EXPECT_EQ(r.colunaRE[std::size_t(i)], FormataNumero(r.ES, 0)) << i;
    // The linear estimate has its own equation; "Adotado" ends with it.
    EXPECT_NEAR(r.E, std::exp(4.0 + 0.02 * pontos[i][0] - 0.01), 1e-9 * r.E) << i;
    EXPECT_EQ(r.itens.valor[Adotado], FormataNumero(r.E, 0));
    EXPECT_EQ(r.itens.valor[MinimoRE], FormataNumero(0.85 * r.ES, 0));
  }
}

TEST_F(Projecao, LagWithoutCoordinatesLeavesTheSpatialItemsEmpty) {
  ModeloEquacao m = ModeloLag();
  m.cab->SetI32(C::OffVariavelX, -1);
  CalculoProjecao p;
  ASSERT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Pronto);
  EXPECT_TRUE(p.SemCoordenadas());
  const ResultadoProjecao r = Projeta(p, Linhas({{15, 2, 3, 0}}), 1, Moda);
  EXPECT_TRUE(std::isnan(r.ES));
  EXPECT_TRUE(r.colunaRE.empty());
  for (int i : {TotalREMedio, UnitarioREMedio, MinimoRE, MaximoRE}) EXPECT_TRUE(r.itens.valor[i].isEmpty()) << i;
  EXPECT_FALSE(r.itens.valor[TotalRLMedio].isEmpty());
}

TEST_F(Projecao, ErrorModelAndNoRows) {
  ModeloEquacao m = ModeloLag();
  m.cab->SetI32(C::OffTipoEspacial, 0);
  CalculoProjecao p;
  ASSERT_EQ(p.PreparaEstatisticasProjecao(*m.cab, m.dados.data()), PreparoProjecao::Pronto);
  ResultadoProjecao r = Projeta(p, Linhas({{20, 0, 0, 0}}), 1, Mediana);
  EXPECT_NEAR(r.ES, std::exp(1.0 + 0.5 * 20), 1e-9 * r.ES);
  // A grid with no data row projects nothing and leaves the items empty.
  r = Projeta(p, NEWMAT::Matrix(0, 4), 1, Mediana);
  EXPECT_FALSE(p.Projetado());
  for (int i = 0; i < NumItensIntervalo; ++i) EXPECT_TRUE(r.itens.valor[i].isEmpty()) << i;
}

TEST_F(Projecao, RangeTextAndExtrapolation) {
  ModeloEquacao m = ModeloProjecao();
  m.cab->SetCasasDecimais(0, 1);
  CalculoProjecao p;
  p.PreparaEstatisticasProjecao(*m.cab, m.dados.data());
  EXPECT_EQ(p.DescreveFaixaVariavel(0), QStringLiteral("Minimo: 1,0  Médio: 3,0  e  Máximo: 5,0"));
  EXPECT_FALSE(p.Extrapola(0, 1.0));  // the sample's own bounds are inside
  EXPECT_FALSE(p.Extrapola(0, 5.0));
  EXPECT_TRUE(p.Extrapola(0, 5.01));
  EXPECT_TRUE(p.Extrapola(0, 0.99));
}

struct CasoArbitragem {
  double v, E;
  bool aceito;
  int desvio;
};

TEST_F(Projecao, ArbitrationRange) {
  const CasoArbitragem casos[] = {
      {115, 100, true, 15},  {85, 100, true, -15},    {110, 100, true, 10},  {105, 100, true, 5},
      {112.3, 100, true, 13}, {87.7, 100, true, -13}, {100, 100, true, 0},   {115.01, 100, false, 0},
      {84.99, 100, false, 0}, {1.15 * 148.41, 148.41, true, 15}, {-90, -100, true, -10},
  };
  for (const CasoArbitragem& c : casos) {
    const std::optional<Arbitragem> a = ArbitraValor(c.v, c.E);
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->aceito, c.aceito) << c.v << " / " << c.E;
    if (c.aceito) {
      EXPECT_EQ(a->desvio, c.desvio) << c.v << " / " << c.E;
      EXPECT_EQ(a->adotado, FormataNumero(c.v, 2));
    }
  }
  EXPECT_FALSE(ArbitraValor(50, 0).has_value());  // E = 0 does nothing
  EXPECT_EQ(ValorDoDesvio(100, -15).value(), QStringLiteral("85,00"));
  EXPECT_EQ(ValorDoDesvio(148.41, 10).value(), QStringLiteral("163,25"));
  EXPECT_FALSE(ValorDoDesvio(0, 5).has_value());
}

}  // namespace
