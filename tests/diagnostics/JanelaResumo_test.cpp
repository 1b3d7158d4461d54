// The model summary window as the user reaches it ("Resumo do Modelo ..." of
// the model menu), and the variogram view, which no command opens.
#include "../equation/ProgramaEquacao.h"
#include "../support/Pdf.h"
#include "CMainFrame.h"
#include "RoteadorComandos.h"
#include "views/charts/CTChart.h"
#include "views/diagnostics/CPropertyGridView.h"
#include "views/diagnostics/CVariogramaView.h"
#include "views/diagnostics/ResumoModelo.h"

#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"

#include <QAction>
#include <QCheckBox>
#include <QMdiSubWindow>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

// Twelve records on a line, two kept equations (the first current), their
// statistics stored; record 4 excluded.
ModeloEquacao ModeloResumo() {
  std::vector<double> a, y;
  for (int i = 0; i < 12; ++i) {
    a.push_back(1.0 + i);
    y.push_back(5.0 + 3.0 * a.back() + (i % 3 - 1) * 0.5);
  }
  ModeloEquacao m({QStringLiteral("Area"), QStringLiteral("Valor")}, {a, y});
  m.dados[3].excluido = 1;
  m.cab->SetNumConsiderados(11);
  m.cab->SetNumEquacoes(2);
  for (int e = 0; e < 2; ++e) {
    m.cab->SetF64(C::OffCorrelacao + 8 * e, 0.99 - 0.05 * e);
    m.cab->SetF64(C::OffEstatisticasEquacao + 8 * e, 0.98 - 0.05 * e);
    m.cab->SetF64(C::OffF + 8 * e, 400.0 - 100 * e);
    m.cab->SetF64(C::OffErroPadrao + 8 * e, 0.5 + e);
    m.cab->SetF64VE(C::OffEstatisticasEquacao, 2, e, 1.9);
    m.cab->SetF64VE(C::OffEstatisticaT, 0, e, 20.0 - e);
    m.Codigo(0, 1, 0.0, e).Codigo(1, 1, 0.0, e);
  }
  m.Coeficiente(0, 3.0).Coeficiente(1, 5.0);
  return m;
}

class JanelaResumoModelo : public teste::ProgramaEquacao {
protected:
  CPropertyGridView* AbreResumo(CTarsolinDoc* doc) {
    app->MainFrame()->Acao(32941)->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(JanelaResumo).data());
    return sub ? qobject_cast<CPropertyGridView*>(sub->widget()) : nullptr;
  }
  static void Captura(QWidget* w, const char* nome) {
    const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
    if (pasta.isEmpty() || !w) return;
    w->window()->resize(1400, 900);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->showMaximized();
    QCoreApplication::processEvents();
    w->grab().save(pasta + "/" + nome + ".png");
  }
};

TEST_F(JanelaResumoModelo, OpensFromItsMenuEntryShowsTheModelAndPrintsTwoPages) {
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(app->MainFrame()->Acao(32941)->isEnabled());  // no model
  ModeloEquacao m = ModeloResumo();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(doc, nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  ASSERT_TRUE(app->MainFrame()->Acao(32941)->isEnabled());
  EXPECT_EQ(app->MainFrame()->Acao(32941)->text(), "Resu&mo do Modelo ...");
  CPropertyGridView* v = AbreResumo(doc);
  ASSERT_NE(v, nullptr);
  const auto valores = resumo::Valores(doc->GetCabecalho());
  ASSERT_EQ(valores.size(), 17);
  for (auto it = valores.cbegin(); it != valores.cend(); ++it) {
    ASSERT_NE(v->Item(it.key()), nullptr) << it.key().toStdString();
    EXPECT_EQ(v->Item(it.key())->GetValue(), it.value().texto) << it.key().toStdString();
  }
  EXPECT_EQ(v->Item("Dados ")->GetValue(), "12  ");
  EXPECT_EQ(v->Item("Dados Considerados")->GetValue(), "11  ");
  EXPECT_EQ(v->Item("Correlação")->CorValor(), QColor(0, 0, 255));
  EXPECT_EQ(v->Item("Correlação")->GetConstraints().size(), 2);
  EXPECT_TRUE(v->Item("Determinação")->GetReadOnly());
  EXPECT_FALSE(v->Item("Correlação")->GetReadOnly());
  Captura(v, "resumo_modelo");

  // Printing: both pages, with the model's figures.
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = pasta.filePath("resumo.pdf");
  impressora.setOutputFileName(pdf);
  EXPECT_EQ(v->ImprimeEm(impressora, false), 2);
  EXPECT_EQ(teste::PaginasPdf(pdf), 2);
  const QString p1 = teste::TextoPdf(pdf, 1, 1), p2 = teste::TextoPdf(pdf, 2, 2);
  EXPECT_TRUE(p1.contains("Resultados Estatísticos"));
  EXPECT_TRUE(p1.contains("Correlação = " + valores.value("Correlação").texto)) << p1.toStdString();
  EXPECT_TRUE(p2.contains("dos Regressores")) << p2.toStdString();  // "fi" may come out as a ligature
  EXPECT_TRUE(p2.contains("Area"));

  // Choosing the second equation makes it current and saves the model.
  PropertyGridItem* correlacao = v->Item("Correlação");
  correlacao->SetConstraintIndex(1);
  correlacao->OnValueChanged(correlacao->GetConstraints().value(1));
  QCoreApplication::processEvents();
  EXPECT_EQ(doc->GetCabecalho()->EquacaoCorrente(), 1);
  auto lido = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(doc->GetPathName(), lido.get()));
  EXPECT_EQ(lido->EquacaoCorrente(), 1);
  EXPECT_EQ(v->Item("Correlação")->GetValue(), correlacao->GetConstraints().value(1));
  EXPECT_EQ(v->Item("Desvio Padrão")->GetValue(), resumo::Valores(doc->GetCabecalho()).value("Desvio Padrão").texto);

  // A model that lost its results keeps the window, with the counts only.
  doc->GetCabecalho()->SetEstadoCalculo(0);
  doc->UpdateAllViews(nullptr, 3);
  QCoreApplication::processEvents();
  ASSERT_FALSE(doc->Janela(JanelaResumo).isNull());
  EXPECT_EQ(v->Item("Variáveis")->GetValue(), "2 ");
  EXPECT_TRUE(v->Item("Correlação")->GetValue().isEmpty());
  EXPECT_TRUE(v->Item("Correlação")->GetConstraints().isEmpty());
  RoteadorComandos::Instancia().AtualizaAcoes();
}

// The variogram view: its table holds only headings, its charts stay empty
// whatever the up-down control does, and it prints as a residual page.
TEST_F(JanelaResumoModelo, VariogramViewShowsAnEmptyTableAndChartsAndPrintsTheChartPage) {
  ModeloEquacao m = ModeloResumo();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(doc, nullptr);
  std::unique_ptr<JanelaDiagnostico> j(CriaJanelaVariograma(doc));
  ASSERT_NE(j, nullptr);
  j->resize(1200, 800);
  j->show();
  QCoreApplication::processEvents();
  auto* v = qobject_cast<CVariogramaView*>(j->Pagina(0));
  ASSERT_NE(v, nullptr);
  CTableCtrlEx* t = v->Tabela();
  ASSERT_EQ(t->GetRowCount(), 12);  // n + 1
  ASSERT_EQ(t->GetColumnCount(), 6);
  EXPECT_EQ(t->GetCellText(0, 1), "Valor Observado");
  EXPECT_EQ(t->GetCellText(0, 5), "Resíduo/DP");
  for (int r = 1; r < t->GetRowCount(); ++r)
    for (int c = 0; c < 6; ++c) EXPECT_TRUE(t->GetCellText(r, c).isEmpty()) << r << "," << c;
  ASSERT_NE(v->Grade()->FindItem("Dado no."), nullptr);
  EXPECT_EQ(v->Grade()->objectName(), "1093");
  EXPECT_FALSE(v->Caixa()->isVisibleTo(v));
  EXPECT_EQ(v->Variavel(), 1);  // m - 1
  v->MoveSetas(1);
  EXPECT_EQ(v->Variavel(), 1);
  v->MoveSetas(-1);
  v->MoveSetas(0);
  EXPECT_EQ(v->Variavel(), 0);
  for (CTChart* g : {v->Grafico1(), v->Grafico2()}) {
    ASSERT_EQ(g->NumSeries(), 4);
    for (int s = 0; s < 4; ++s) EXPECT_EQ(g->NumPontos(s), 0);
  }
  Captura(j.get(), "variograma");

  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = pasta.filePath("variograma.pdf");
  impressora.setOutputFileName(pdf);
  const int paginas = v->ImprimeEm(impressora, false);
  EXPECT_GE(paginas, 2);
  EXPECT_EQ(teste::PaginasPdf(pdf), paginas);
  const QString ultima = teste::TextoPdf(pdf, paginas, paginas);
  EXPECT_TRUE(ultima.contains("Análise dos Resíduos")) << ultima.toStdString();
  EXPECT_TRUE(ultima.contains("Modelo : Modelo de teste")) << ultima.toStdString();

  // A model that lost its results closes the view at its next update.
  doc->GetCabecalho()->SetEstadoCalculo(0);
  doc->UpdateAllViews(nullptr, 3);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  EXPECT_FALSE(j->isVisible());
}

}  // namespace
