// The model summary's figures against values computed here from the header.
#include "views/diagnostics/ResumoModelo.h"

#include "../equation/ModeloEquacao.h"
#include "model/TabelasEstatisticas.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>

namespace {
using C = CabecalhoModelo;
using teste::ModeloEquacao;

// printf in the C locale, then the program's decimal comma.
template <typename... A>
QString Fmt(const char* formato, A... a) {
  char b[128];
  std::snprintf(b, sizeof b, formato, a...);
  return QString::fromUtf8(b).replace(QLatin1Char('.'), QLatin1Char(','));
}

// Four variables (C disabled), twenty records of which 18 considered, three
// kept equations with the second one current, method 2.
ModeloEquacao Modelo() {
  std::vector<double> col(20, 1.0);
  ModeloEquacao m({QStringLiteral("Area"), QStringLiteral("Idade"), QStringLiteral("Frente"), QStringLiteral("Valor")},
                  {col, col, col, col});
  C& h = *m.cab;
  h.SetHabilitada(2, false);
  h.SetNumConsiderados(18);
  h.SetEstadoCalculo(2);
  h.SetNumEquacoes(3);
  h.SetEquacaoCorrente(1);
  for (int e = 0; e < 3; ++e) {
    h.SetF64(C::OffCorrelacao + 8 * e, 0.91 + 0.01 * e);
    h.SetF64(C::OffEstatisticasEquacao + 8 * e, 0.87654321 + 0.01 * e);
  }
  h.SetF64(C::OffF + 8, 123.456);
  h.SetF64(C::OffConfiancaF + 8, 0.99);
  h.SetF64VE(C::OffEstatisticasEquacao, 4, 1, 2.0);  // Durbin-Watson of equation 1
  h.SetI32(C::OffVariavelDurbinWatson, 1);
  h.SetI32(C::OffPercentual1 + 4, 67);
  h.SetI32(C::OffPercentual164 + 4, 89);
  h.SetI32(C::OffPercentual196 + 4, 95);
  h.SetF64(C::OffErroPadrao + 8, 0.0123456);
  h.SetI32(C::OffForaDe2 + 4, 2);
  m.Codigo(0, 0, 0.5, 1).Codigo(1, 3, 0.0, 1).Codigo(3, 3, 0.0, 1);
  for (int v : {0, 1}) {
    h.SetF64VE(C::OffEstatisticaT, v, 1, 4.5 + v);
    h.SetF64VE(C::OffSignificancias, v, 1, 99.5 - v);
  }
  return m;
}

TEST(ResumoModelo, ItemsAreTheHeadersFiguresOfTheCurrentEquation) {
  ModeloEquacao m = Modelo();
  const C& h = *m.cab;
  const auto t = resumo::Valores(&h);
  const double r = 0.92, ro = 0.88654321, r2 = r * r, ro2 = ro * ro;
  const int n = 18, k = 3;
  const struct { const char* item; QString esperado; } casos[] = {
      {"Dados ", "20  "},
      {"Dados Considerados", "18  "},
      {"Variáveis", "4 "},
      {"Variáveis Consideradas", "3 "},
      {"Correlação", Fmt("%i - %8.7f / %8.7f", 2, r, ro)},
      {"Determinação", Fmt("%i - %8.7f / %8.7f", 2, r2, ro2)},
      {"R2 Ajustado", Fmt("%i - %8.7f / %8.7f", 2, 1 - (n - 1) * (1 - r2) / (n - k), 1 - (n - 1) * (1 - ro2) / (n - k))},
      {"F Calculado", Fmt("%-9.4G", 123.456)},
      {"Significância Modelo", Fmt("%3.2f", 1 - 0.99)},
      {"Durbin Watson", "Idade"},
      {"-1 e +1 desvios padrões", Fmt("%3.2d%%", 67)},
      {"-1,64 e +1,64 desvios padrões", Fmt("%3.2d%%", 89)},
      {"-1,96 e +1,96 desvios padrões", Fmt("%3.2d%%", 95)},
      {"Desvio Padrão", Fmt("%-9.5G", 0.0123456)},
      {"Outliers do Modelo", Fmt("%-4.1d (%5.2f%%)", 2, 200.0 / 18)},
      {"Método de Cálculo", "Simplificado"},
  };
  for (const auto& c : casos) EXPECT_EQ(t.value(QString::fromUtf8(c.item)).texto, c.esperado) << c.item;
  EXPECT_EQ(t.value(QStringLiteral("Correlação")).cor, resumo::Azul);
  EXPECT_TRUE(t.value(QStringLiteral("D Calculado")).texto.startsWith(Fmt("%-9.2f", 2.0)));

  const QStringList entradas = resumo::EntradasEquacoes(&h);
  ASSERT_EQ(entradas.size(), 3);
  EXPECT_EQ(entradas[2], Fmt("%i - %8.7f / %8.7f", 3, 0.93, 0.89654321));
  EXPECT_EQ(entradas[1], t.value(QStringLiteral("Correlação")).texto);
}

// The Durbin-Watson value takes the colour of its verdict; -1 shows nothing.
TEST(ResumoModelo, DurbinWatsonColourFollowsTheVerdict) {
  const struct { double d; int veredito; int32_t cor; } casos[] = {
      {2.0, 3, resumo::Azul},      // no autocorrelation
      {0.3, 1, resumo::Verde},     // positive autocorrelation
      {3.8, 1, resumo::Verde},     // negative autocorrelation
  };
  for (const auto& c : casos) {
    ModeloEquacao m = Modelo();
    m.cab->SetF64VE(C::OffEstatisticasEquacao, 4, 1, c.d);
    const char* v = "";
    const char* nivel = "";
    ASSERT_EQ(VerificaDurbinWatson(*m.cab, &v, &nivel), c.veredito) << c.d;
    const resumo::Valor d = resumo::Valores(m.cab.get()).value(QStringLiteral("D Calculado"));
    EXPECT_EQ(d.texto, Fmt("%-9.2f", c.d) + QString::fromUtf8(v) + QString::fromUtf8(nivel)) << c.d;
    EXPECT_EQ(d.cor, c.cor) << c.d;
  }
  ModeloEquacao m = Modelo();
  m.cab->SetF64VE(C::OffEstatisticasEquacao, 4, 1, -1.0);
  EXPECT_TRUE(resumo::Valores(m.cab.get()).value(QStringLiteral("D Calculado")).texto.isEmpty());
}

TEST(ResumoModelo, UncalculatedModelShowsOnlyTheCountsAndEdgesShowNoFalseFigure) {
  ModeloEquacao m = Modelo();
  m.cab->SetEstadoCalculo(0);
  const auto t = resumo::Valores(m.cab.get());
  for (auto it = t.cbegin(); it != t.cend(); ++it) {
    const bool contagem = it.key().startsWith(QStringLiteral("Dados")) || it.key().startsWith(QStringLiteral("Variáveis"));
    EXPECT_EQ(it.value().texto.isEmpty(), !contagem) << it.key().toStdString();
  }
  EXPECT_TRUE(resumo::EntradasEquacoes(m.cab.get()).isEmpty());

  // As many considered records as variables: no adjusted R²; a figure that is not a number reads "Erro".
  ModeloEquacao b = Modelo();
  b.cab->SetNumConsiderados(3);
  b.cab->SetF64(C::OffF + 8, std::nan(""));
  const auto u = resumo::Valores(b.cab.get());
  EXPECT_TRUE(u.value(QStringLiteral("R2 Ajustado")).texto.isEmpty());
  EXPECT_EQ(u.value(QStringLiteral("F Calculado")).texto, "Erro");
}

TEST(ResumoModelo, PrintedPagesListTheGroupsAndTheRegressors) {
  ModeloEquacao m = Modelo();
  const auto p1 = resumo::Pagina(*m.cab, 0);
  const auto t = resumo::Valores(m.cab.get());
  QMap<int, QString> linhas;
  for (const ItemImpresso& i : p1) linhas[i.linha] = i.texto;
  EXPECT_EQ(linhas.value(4), "Resultados Estatísticos");
  EXPECT_EQ(linhas.value(8), "Modelo de teste");
  EXPECT_EQ(linhas.value(10), "Dados e Variáveis");
  EXPECT_EQ(linhas.value(16), "Coeficientes da Regressão/Função Estimativa");
  EXPECT_EQ(linhas.value(17), "Correlação = " + t.value(QStringLiteral("Correlação")).texto);
  EXPECT_EQ(linhas.value(32), "Diversos");
  EXPECT_EQ(linhas.value(35), "Método de Cálculo = Simplificado");
  EXPECT_EQ(linhas.lastKey(), 35);

  // Page 2: the enabled regressors (Frente is not), then the dependent, then a thin rule.
  const auto p2 = resumo::Pagina(*m.cab, 1);
  QMap<int, QStringList> l2;
  int regraFinal = 0;
  for (const ItemImpresso& i : p2) {
    if (i.regra) {
      if (i.espessura == 1) regraFinal = i.linha;
      continue;
    }
    l2[i.linha] << i.texto;
  }
  EXPECT_EQ(l2.value(9), (QStringList{"Area", "x^0,50", Fmt("%8.2f", 4.5), Fmt("%5.2f", 0.5)}));
  EXPECT_EQ(l2.value(10), (QStringList{"Idade", "ln(x)", Fmt("%8.2f", 5.5), Fmt("%5.2f", 1.5)}));
  EXPECT_EQ(l2.value(11), (QStringList{"Valor", "ln(x)"}));
  EXPECT_EQ(regraFinal, 12);

  m.cab->SetEstadoCalculo(0);
  EXPECT_EQ(resumo::Pagina(*m.cab, 1).size(), 1u);  // the title only
}

}  // namespace
