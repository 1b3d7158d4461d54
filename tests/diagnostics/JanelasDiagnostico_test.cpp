// The diagnostic windows as the user reaches them: the program started, a
// model opened, the command chosen from the model menu.
#include "../equation/ProgramaEquacao.h"
#include "CMainFrame.h"
#include "RoteadorComandos.h"
#include "views/charts/CTChart.h"
#include "views/diagnostics/COutliers.h"
#include "views/diagnostics/CorrelacaoEsp.h"
#include "controls/PropertyGrid.h"
#include "model/ArquivoModelo.h"
#include "views/diagnostics/CValidarView.h"
#include "views/diagnostics/PaginasResiduos.h"

#include "controls/CTableCtrlEx.h"
#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/TextoNumerico.h"

#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <cmath>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

// Twenty records on a line, one regressor; equation 0 the least-squares fit,
// residuals and s stored; records 5 and 12 held out for validation.
ModeloEquacao ModeloDiagnostico(bool espacial) {
  std::vector<double> a, y;
  for (int i = 0; i < 20; ++i) {
    a.push_back(1.0 + i);
    y.push_back(10.0 + 2.0 * a.back() + ((i * 7) % 5 - 2) * 0.8 + (i == 9 ? 9.0 : 0.0));
  }
  ModeloEquacao m({QStringLiteral("Area"), QStringLiteral("Valor")}, {a, y});
  m.cab->SetI32(C::OffVariavelX, -1);
  for (int i : {5, 12}) m.dados[std::size_t(i)].excluido = 1, m.dados[std::size_t(i)].validacao = 1;
  m.cab->SetNumConsiderados(18);
  m.cab->SetI32(C::OffNumValidacao, 2);
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int i = 0; i < 20; ++i) {
    if (m.dados[std::size_t(i)].excluido) continue;
    sx += a[i], sy += y[i], sxx += a[i] * a[i], sxy += a[i] * y[i];
  }
  const double b = (sxy - sx * sy / 18) / (sxx - sx * sx / 18), c = (sy - b * sx) / 18;
  m.Coeficiente(0, b).Coeficiente(1, c);
  double sse = 0;
  int fora = 0;
  for (int i = 0; i < 20; ++i) {
    if (m.dados[std::size_t(i)].excluido) continue;
    m.dados[std::size_t(i)].residuo[0] = y[i] - c - b * a[i];
    sse += m.dados[std::size_t(i)].residuo[0] * m.dados[std::size_t(i)].residuo[0];
  }
  const double s = std::sqrt(sse / 16);
  m.cab->SetF64(C::OffErroPadrao, s);
  for (int i = 0; i < 20; ++i) fora += std::fabs(m.dados[std::size_t(i)].residuo[0] / s) > 2 ? 1 : 0;
  m.cab->SetI32(C::OffForaDe2, fora);
  if (espacial) {
    m.cab->SetI32(C::OffVariavelX, 0);  // W is rebuilt from the coordinates at the open
    m.cab->SetI32(C::OffVariavelY, 0);
    m.Espacial({b, c}, 0.0, false);
  }
  return m;
}

class JanelasDiagnostico : public teste::ProgramaEquacao {
protected:
  JanelaDiagnostico* Abre(CTarsolinDoc* doc, int comando, int slot) {
    app->MainFrame()->Acao(comando)->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(slot).data());
    return sub ? qobject_cast<JanelaDiagnostico*>(sub->widget()) : nullptr;
  }
  // TARSOLIN_CAPTURAS names a folder that receives a picture of each window.
  static void Captura(QWidget* w, const char* nome) {
    const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
    if (pasta.isEmpty() || !w) return;
    w->window()->resize(1400, 900);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->showMaximized();
    QCoreApplication::processEvents();
    w->grab().save(pasta + "/" + nome + ".png");
  }
  static QStringList Abas(JanelaDiagnostico* j) {
    QStringList r;
    for (int i = 0; i < j->Abas()->count(); ++i) r << j->Abas()->tabText(i);
    return r;
  }
};

TEST_F(JanelasDiagnostico, ResidualWindowHasTwoTabsOrThreeWithASpatialModel) {
  ModeloEquacao linear = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(linear);
  ASSERT_TRUE(app->MainFrame()->Acao(32840)->isEnabled());
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(Abas(j), (QStringList{"Regressão Linear", "Distância de Cook"}));
  auto* pagina = qobject_cast<CResiduosView*>(j->Pagina(0));
  ASSERT_NE(pagina, nullptr);
  CTableCtrlEx* t = pagina->Tabela();
  ASSERT_EQ(t->GetRowCount(), 19);
  EXPECT_EQ(t->GetCellText(0, 5), "Resíduo/DP");
  EXPECT_EQ(t->GetCellText(1, 0), "1");
  EXPECT_EQ(t->GetCellText(6, 0), "7");  // records 6 and 13 are held out
  EXPECT_EQ(pagina->Grafico1()->Titulo(), "Resíduos da variável Valor");
  EXPECT_EQ(pagina->Grafico1()->NumPontos(3), 18);
  EXPECT_FALSE(pagina->Caixa()->isVisibleTo(pagina));
  // The recomputed residuals of the dependent are the stored ones.
  for (int i = 0; i < 20; ++i) {
    if (linear.dados[std::size_t(i)].excluido) continue;
    EXPECT_NEAR(pagina->Resultado().Z[std::size_t(i)] * pagina->Resultado().s, linear.dados[std::size_t(i)].residuo[0], 1e-9);
  }
  Captura(j, "residuos_linear");
  j->Abas()->setCurrentIndex(1);
  Captura(j, "residuos_cook");
  j->Abas()->setCurrentIndex(0);
  // The spin goes to the regressor: the model's residuals for it.
  pagina->MoveSetas(-1);
  EXPECT_EQ(pagina->Modo(), 1);
  EXPECT_TRUE(pagina->Caixa()->isVisibleTo(pagina));
  EXPECT_EQ(pagina->Grafico1()->Titulo(), "Resíduos do modelo para Area");

  // The printout: the table's pages and one chart page.
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(pasta.filePath("r.pdf"));
  const int paginas = pagina->ImprimeEm(impressora, false);
  EXPECT_GE(paginas, 2);

  ModeloEquacao espacial = ModeloDiagnostico(true);
  CTarsolinDoc* doc2 = teste::ProgramaEquacao::Abre(espacial, QStringLiteral("e.tsn"));
  JanelaDiagnostico* j2 = Abre(doc2, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j2, nullptr);
  EXPECT_EQ(Abas(j2), (QStringList{"Regressão Linear", "Distância de Cook", "Regressão Espacial"}));
  // rho = 0 and the linear coefficients: the spatial residuals are the linear ones.
  auto* re = qobject_cast<CResiduosViewRE*>(j2->Pagina(2));
  ASSERT_NE(re, nullptr);
  ASSERT_EQ(re->Resultado().e.size(), 18u);
  EXPECT_NEAR(re->Resultado().e[0], espacial.dados[0].residuo[0], 1e-9);
  j2->Abas()->setCurrentIndex(2);
  Captura(j2, "residuos_espacial");
}

TEST_F(JanelasDiagnostico, CookPageSumsLeverageToTheParameters) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  auto* cook = qobject_cast<CDCookView*>(j->Pagina(1));
  ASSERT_NE(cook, nullptr);
  double soma = 0;
  for (double h : cook->Resultado().h) soma += h;
  EXPECT_NEAR(soma, 2.0, 1e-10);
  EXPECT_EQ(cook->Tabela()->GetCellText(0, 6), "Distância de Cook");
  const auto faixa = cook->Grafico2()->FaixaEixo(Qt::Vertical);
  EXPECT_GE(faixa.second, 1.1 - 1e-12);
}

TEST_F(JanelasDiagnostico, FittedValuesValidationAndOutliersFromTheirCommands) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  ASSERT_TRUE(app->MainFrame()->Acao(32843)->isEnabled());
  JanelaDiagnostico* v = Abre(doc, 32843, CTarsolinDoc::JanelaValidar);
  ASSERT_NE(v, nullptr);
  auto* validar = qobject_cast<CValidarView*>(v->Pagina(0));
  ASSERT_NE(validar, nullptr);
  CTableCtrlEx* t = validar->Tabela();
  ASSERT_EQ(t->GetRowCount(), 3);
  EXPECT_EQ(t->GetCellText(0, 6), "Vr. Espacial");
  EXPECT_EQ(t->GetCellText(1, 1).trimmed(), "6");
  EXPECT_EQ(t->GetCellText(1, 6), "");  // no spatial model
  EXPECT_FALSE(t->GetCellText(1, 7).isEmpty());
  EXPECT_EQ(validar->Grafico1()->NumPontos(0), 0);
  EXPECT_EQ(validar->Grafico2()->NumPontos(0), 2);
  Captura(v, "validacao");

  int linhas = -1;
  QString total;
  plat::RoteiroPara(QStringLiteral("dlg531"), [&](QDialog& d) {
    auto& o = static_cast<COutliers&>(d);
    linhas = o.Lista()->topLevelItemCount();
    total = o.Total()->text();
    Captura(&d, "outliers");
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(app->MainFrame()->Acao(32838)->isEnabled());
  app->MainFrame()->Acao(32838)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(linhas, m.cab->I32(C::OffForaDe2));
  EXPECT_EQ(total, QString::number(linhas));
  // The validation window passes the fitted-values command on to the model window.
  RoteadorComandos::Instancia().AtualizaAcoes();
  ASSERT_TRUE(app->MainFrame()->Acao(32852)->isEnabled());
  JanelaDiagnostico* a = Abre(doc, 32852, CTarsolinDoc::JanelaValoresAjustados);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(Abas(a), (QStringList{"Regressão Linear"}));
  auto* ajuste = qobject_cast<CValoresAjustados*>(a->Pagina(0));
  ASSERT_NE(ajuste, nullptr);
  EXPECT_EQ(ajuste->Classes(), 4);  // floor(sqrt(18))
  EXPECT_EQ(ajuste->Grafico2()->NumPontos(1), 61);
  EXPECT_EQ(ajuste->Tabela()->GetCellText(0, 1), "Valor Observado");
  Captura(a, "aderencia");

}

TEST_F(JanelasDiagnostico, SpatialCorrelationStoresTheNineResultsInTheFile) {
  ModeloEquacao m = ModeloDiagnostico(true);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  QStringList valores;
  plat::RoteiroPara(QStringLiteral("dlg525"), [&](QDialog& d) {
    EXPECT_FALSE(plat::Habilitado(d, 1056));  // no distance transform: the edits are off
    plat::DefineMarcado(d, 1030, true);
    plat::Pressiona(d, 1);
    auto& dlg = static_cast<CorrelacaoEsp&>(d);
    for (QTreeWidgetItemIterator it(dlg.Grade()); *it; ++it)
      if (!static_cast<PropertyGridItem*>(*it)->IsCategory()) valores << static_cast<PropertyGridItem*>(*it)->GetValue();
    Captura(&d, "correlacao_espacial");
    plat::Pressiona(d, 2);
  });
  ASSERT_TRUE(app->MainFrame()->Acao(32834)->isEnabled());
  app->MainFrame()->Acao(32834)->trigger();
  QCoreApplication::processEvents();
  ASSERT_EQ(valores.size(), 9);
  for (const QString& v : valores) EXPECT_FALSE(v.trimmed().isEmpty());
  // The file holds the results and the settings.
  auto lidoP = std::make_unique<CabecalhoModelo>();
  CabecalhoModelo& lido = *lidoP;
  ASSERT_TRUE(LeCabecalhoModelo(doc->GetPathName(), &lido));
  EXPECT_EQ(lido.U8(C::OffNormalizaW), 1);
  EXPECT_NE(lido.F64(410344), 0.0);
  EXPECT_NE(lido.F64(410376), 0.0);
  EXPECT_EQ(valores[0], plat::FormataC("%9.5f", {lido.F64(410344)}));
}

TEST_F(JanelasDiagnostico, SpatialCorrelationWithoutWSaysSo) {
  ModeloEquacao m = ModeloDiagnostico(false);
  teste::ProgramaEquacao::Abre(m);
  plat::RoteiroPara(QStringLiteral("dlg525"), [&](QDialog& d) {
    plat::Pressiona(d, 1);
    plat::Pressiona(d, 2);
  });
  app->MainFrame()->Acao(32834)->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(mensagens.Textos().contains(QStringLiteral("Matriz de pesos está vazia!")));
}

}  // namespace
