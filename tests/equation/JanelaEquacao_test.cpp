// The equation window as the user reaches it: the program started, a model
// opened, "&Equação ..." chosen; its tabs, tables, texts, charts, up-down
// control and commands.
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "ProgramaEquacao.h"
#include "RoteadorComandos.h"
#include "views/charts/CTChart.h"
#include "views/equation/CEquacaoViewTab.h"
#include "views/equation/PaginaEquacao.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"
#include "EstiloGrafico.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

class JanelaEquacao : public teste::ProgramaEquacao {
protected:
  void TearDown() override {
    teste::ProgramaEquacao::TearDown();
    CChildFrame::RegistraDialogo(32841, {});
  }
  static QStringList Linha(PaginaEquacao* p, int i) {
    QStringList r;
    for (int c = 0; c < 6; ++c) r << p->Lista()->topLevelItem(i)->text(c).trimmed();
    return r;
  }
  static void Espera() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
};

TEST_F(JanelaEquacao, TwoTabsWithoutASpatialModelFourWithOne) {
  ModeloEquacao linear = teste::ModeloSensibilidade();
  CTarsolinDoc* doc = Abre(linear);
  EXPECT_TRUE(app->MainFrame()->Acao(32836)->isEnabled());
  CEquacaoViewTab* janela = AbreEquacao(doc);
  ASSERT_NE(janela, nullptr);
  QStringList abas;
  for (int i = 0; i < janela->Abas()->count(); ++i) abas << janela->Abas()->tabText(i);
  EXPECT_EQ(abas, (QStringList{"Função Estimativa", "Equação Regressão"}));
  EXPECT_EQ(janela->Abas()->tabPosition(), QTabWidget::South);
  EXPECT_TRUE(app->MainFrame()->Painel(59507)->isHidden());  // the preview layout
  // Opening it again raises the same window.
  EXPECT_EQ(AbreEquacao(doc), janela);

  ModeloEquacao espacial = teste::ModeloSensibilidade();
  espacial.Espacial({0.7, 0.2, 1.5}, 0.4, false);
  espacial.cab->SetI32(C::OffVariavelX, 0);  // W is rebuilt from these at the open
  espacial.cab->SetI32(C::OffVariavelY, 1);
  CTarsolinDoc* doc2 = Abre(espacial, QStringLiteral("e.tsn"));
  CEquacaoViewTab* janela2 = AbreEquacao(doc2);
  ASSERT_NE(janela2, nullptr);
  abas.clear();
  for (int i = 0; i < janela2->Abas()->count(); ++i) abas << janela2->Abas()->tabText(i);
  EXPECT_EQ(abas, (QStringList{"Função Estimativa", "Equação Regressão", "Função Estimativa RE", "Equação Regressão RE"}));
  QStringList ids;
  for (int i = 0; i < 4; ++i) ids << janela2->Pagina(i)->objectName();
  EXPECT_EQ(ids, (QStringList{"1107", "1108", "1109", "1110"}));
  EXPECT_TRUE(mensagens.Textos().isEmpty()) << mensagens.Textos().join('|').toStdString();
}

TEST_F(JanelaEquacao, TablesTextsAndTheContradictingRow) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  m.cab->SetF64VE(C::OffEstatisticaT, 0, 0, 2.5);
  m.cab->SetF64VE(C::OffEstatisticaT, 1, 0, -1.25);
  m.cab->SetRelacao(0, 1);  // A expected "Negativa", yet it raises the estimate
  m.cab->SetRelacao(1, 0);
  CTarsolinDoc* doc = Abre(m);
  CEquacaoViewTab* janela = AbreEquacao(doc);
  ASSERT_NE(janela, nullptr);
  PaginaEquacao* f = janela->Pagina(0);
  QStringList titulos;
  for (int c = 0; c < 6; ++c) titulos << f->Lista()->headerItem()->text(c);
  EXPECT_EQ(titulos, (QStringList{"Variável", "Valor Médio", "T Observado", "Coef.Equação", "Forma", "Cresc"}));
  EXPECT_EQ(Linha(f, 0), (QStringList{"A", "250,0000", "2,50", "+0,8", "ln(x)", "9,49"}));
  EXPECT_EQ(Linha(f, 1), (QStringList{"B *", "0,0000", "-1,25", "+0,1", "x", "10,52"}));
  EXPECT_EQ(Linha(f, 2), (QStringList{"VU", "225,2405", "T-Indep", "+1", "ln(x)", ""}));
  EXPECT_TRUE(f->LinhaEmContradicao(0));
  EXPECT_FALSE(f->LinhaEmContradicao(1));
  EXPECT_FALSE(f->LinhaEmContradicao(2));
  EXPECT_EQ(f->Lista()->topLevelItem(0)->foreground(1).color(), QColor(Qt::red));
  EXPECT_TRUE(f->Lista()->topLevelItem(0)->font(0).bold());
  EXPECT_FALSE(f->Lista()->topLevelItem(1)->font(0).bold());
  EXPECT_TRUE(f->Texto()->toPlainText().startsWith(QStringLiteral("Função Estimativa:\n\nVU = e^(\t\n\t+1\n\t+0,8 * ln (A)")))
      << f->Texto()->toPlainText().toStdString();
  EXPECT_EQ(f->TextoImpressao(), QStringLiteral("Função Estimativa:VU = e^(+1+0,8 * ln (A)+0,1 * B)"));

  // The regression-equation page: transformed values, no colour warning.
  PaginaEquacao* t = janela->Pagina(1);
  const double mediaLn = (std::log(100.0) + std::log(200.0) + std::log(300.0) + std::log(400.0)) / 4;
  EXPECT_EQ(Linha(t, 0)[1], plat::FormataC("%8.4f", {mediaLn}).trimmed());
  EXPECT_EQ(Linha(t, 2)[1], plat::FormataC("%8.4f", {1.0 + 0.8 * mediaLn}).trimmed());
  EXPECT_FALSE(t->LinhaEmContradicao(0));
  EXPECT_TRUE(t->Texto()->toPlainText().startsWith(QStringLiteral("Equação Regressão:\n\nln (VU) = ")));
}

TEST_F(JanelaEquacao, ChartFollowsTheUpDownControlWithoutWrapping) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  CTarsolinDoc* doc = Abre(m);
  CEquacaoViewTab* janela = AbreEquacao(doc);
  ASSERT_NE(janela, nullptr);
  PaginaEquacao* f = janela->Pagina(0);
  CTChart* g = f->Grafico();
  ASSERT_EQ(g->NumSeries(), 4);
  EXPECT_EQ(g->Titulo(), QStringLiteral("Estimativa p/A"));
  EXPECT_EQ(g->NumPontos(1), 11);
  EXPECT_EQ(g->CorPonto(1, 0), g->CorSerie(1));
  EXPECT_EQ(g->CorSerie(1), CorDeColorref(EstilosGraficos[1].corLinhas));
  EXPECT_EQ(g->NumPontos(0), 0);  // A is not two-valued
  ASSERT_EQ(g->NumPontos(3), 3);  // the step from the mean
  EXPECT_EQ(g->Ponto(3, 0), QPointF(250.0, f->Sensibilidade().E));
  EXPECT_EQ(g->Ponto(3, 2), QPointF(280.0, f->Sensibilidade().alterada[0]));
  EXPECT_EQ(g->Rotulo(3, 2), QStringLiteral("AAA"));
  EXPECT_EQ(g->CorPonto(2, 1), QColor(Qt::yellow));
  EXPECT_EQ(g->EstiloPonteiroSerie(2), CTChart::PonteiroRetangulo);

  auto* acima = f->Setas()->findChild<QToolButton*>(QStringLiteral("acima"));
  auto* abaixo = f->Setas()->findChild<QToolButton*>(QStringLiteral("abaixo"));
  acima->click();
  EXPECT_EQ(f->RegressorAtual(), 1);
  EXPECT_EQ(g->Titulo(), QStringLiteral("Estimativa p/B"));
  ASSERT_EQ(g->NumPontos(0), 2);  // two-valued: the curve's two ends, yellow, no step line
  EXPECT_EQ(g->CorPonto(0, 0), QColor(Qt::yellow));
  EXPECT_EQ(g->Ponto(0, 1).x(), 1.0);
  EXPECT_EQ(g->NumPontos(3), 0);
  acima->click();
  EXPECT_EQ(f->RegressorAtual(), 1);  // the last regressor
  abaixo->click();
  abaixo->click();
  EXPECT_EQ(f->RegressorAtual(), 0);

  PaginaEquacao* t = janela->Pagina(1);
  EXPECT_EQ(t->Grafico()->NumSeries(), 2);
  EXPECT_EQ(t->Grafico()->Titulo(), QStringLiteral("Projeção p/A"));
  EXPECT_EQ(t->Grafico()->CorSerie(1), CorDeColorref(EstilosGraficos[0].corLinhas));
}

TEST_F(JanelaEquacao, ZeroEstimateShowsErroAndNoRecordRefusesTheWindow) {
  ModeloEquacao zero({"X", "Y"}, {{1, 2, 3}, {3, 4, 6}});
  zero.Coeficiente(1, -2.0).Coeficiente(0, 1.0);
  CEquacaoViewTab* janela = AbreEquacao(Abre(zero));
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(Linha(janela->Pagina(0), 0)[5], QStringLiteral("Erro"));

  ModeloEquacao vazio({"X", "Y"}, {{1, 3}, {3, 4}});
  for (dado& d : vazio.dados) d.excluido = 1;
  vazio.cab->SetNumConsiderados(0);
  CTarsolinDoc* doc = Abre(vazio, QStringLiteral("v.tsn"));
  EXPECT_EQ(AbreEquacao(doc), nullptr);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Nenhum dado considerado !")});
}

TEST_F(JanelaEquacao, LagModelShowsRhoAndSaysWhenWIsMissing) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  m.Espacial({0.7, 0.2, 1.5}, 0.4, true);
  CTarsolinDoc* doc = Abre(m);  // no coordinates: W cannot be built
  ASSERT_EQ(mensagens.Textos().size(), 1);  // the coordinates are missing, said at the open
  CEquacaoViewTab* janela = AbreEquacao(doc);
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(mensagens.Textos().value(1),
            QStringLiteral("Matriz de pesos W não construída: o termo de defasagem espacial não é considerado !"));
  PaginaEquacao* re = janela->Pagina(2);
  EXPECT_TRUE(re->TextoEquacao().endsWith(QStringLiteral("\r\n\t+0,4 *w*y)"))) << re->TextoEquacao().toStdString();
  QStringList titulos;
  for (int c = 0; c < 6; ++c) titulos << re->Lista()->headerItem()->text(c);
  EXPECT_EQ(titulos, (QStringList{"Variável", "Valor Médio", "t Calculado", "Coef.Equação", "Transf.", "Relac."}));
  EXPECT_EQ(Linha(re, 2)[3], QStringLiteral("+1,5"));
  EXPECT_NEAR(re->Sensibilidade().E, std::exp(1.5 + 0.7 * std::log(250.0)), 1e-9);
  EXPECT_EQ(janela->Pagina(3)->Grafico()->CorSerie(1), CorDeColorref(EstilosGraficos[1].corLinhas));
}

TEST_F(JanelaEquacao, AnotherEquationFromTheChooserIsNeverMixedWithTheOld) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  m.cab->SetNumEquacoes(2);
  m.Codigo(0, 1, 0, 1).Codigo(1, 1, 0, 1).Codigo(2, 1, 0, 1);
  m.Coeficiente(2, 5.0, 1).Coeficiente(0, 0.5, 1).Coeficiente(1, 2.0, 1);
  CTarsolinDoc* doc = Abre(m);
  CEquacaoViewTab* janela = AbreEquacao(doc);
  ASSERT_NE(janela, nullptr);
  janela->Abas()->setCurrentIndex(1);
  auto escolheSegunda = [] {
    plat::RoteiroPara(QStringLiteral("dlg541"), [](QDialog& d) {
      d.findChild<QComboBox*>(QStringLiteral("1040"))->setCurrentIndex(1);
      plat::Pressiona(d, 1);
    });
  };
  escolheSegunda();
  ASSERT_TRUE(RoteadorComandos::Instancia().Despacha(32837));
  Espera();
  EXPECT_EQ(doc->GetCabecalho()->EquacaoCorrente(), 1);
  EXPECT_FALSE(doc->IsModified());  // saved
  // The regression page stays and shows equation 1 whole: codes, coefficients and values.
  ASSERT_TRUE(doc->Janela(CTarsolinDoc::JanelaEquacao));
  PaginaEquacao* t = janela->Pagina(1);
  EXPECT_EQ(Linha(t, 0), (QStringList{"A", "250,0000", "0,00", "+0,5", "x", plat::FormataC("%8.2f", {0.5 * 30 * 100 / 130.0}).trimmed()}));
  EXPECT_EQ(Linha(t, 2)[1], QStringLiteral("130,0000"));  // 5 + 0.5·250 + 2·0

  // From the estimate-function page the window closes.
  janela->Abas()->setCurrentIndex(0);
  plat::RoteiroPara(QStringLiteral("dlg541"), [](QDialog& d) {
    d.findChild<QComboBox*>(QStringLiteral("1040"))->setCurrentIndex(0);
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(RoteadorComandos::Instancia().Despacha(32837));
  Espera();
  EXPECT_EQ(doc->GetCabecalho()->EquacaoCorrente(), 0);
  EXPECT_FALSE(doc->Janela(CTarsolinDoc::JanelaEquacao));
}

TEST_F(JanelaEquacao, ModelCommandsRunOnTheModelWindow) {
  int resultados = 0;
  CTarsolinDoc* visto = nullptr;
  CChildFrame::RegistraDialogo(32841, [&](CTarsolinDoc& d) {
    ++resultados;
    visto = &d;
    return true;
  });
  ModeloEquacao m = teste::ModeloSensibilidade();
  CTarsolinDoc* doc = Abre(m);
  CEquacaoViewTab* janela = AbreEquacao(doc);
  ASSERT_NE(janela, nullptr);
  RoteadorComandos& r = RoteadorComandos::Instancia();
  EXPECT_EQ(app->MainFrame()->Mdi()->activeSubWindow()->widget(), janela);
  EXPECT_TRUE(r.Estado(32841).habilitado);
  EXPECT_FALSE(r.Estado(32838).habilitado);  // no residual beyond two standard errors
  EXPECT_TRUE(r.Estado(32909).habilitado);  // the model window's renaming dialog answers from here
  EXPECT_FALSE(r.Estado(32832).habilitado);  // not a command of the equation window
  EXPECT_TRUE(r.Estado(ID_FILE_PRINT_PREVIEW).habilitado);
  ASSERT_TRUE(r.Despacha(32841));
  EXPECT_EQ(resultados, 0);  // posted
  Espera();
  EXPECT_EQ(resultados, 1);
  EXPECT_EQ(visto, doc);

  // A model without results closes the window at its next update.
  doc->GetCabecalho()->SetEstadoCalculo(0);
  doc->UpdateAllViews(nullptr, 3);
  Espera();
  EXPECT_FALSE(doc->Janela(CTarsolinDoc::JanelaEquacao));
}

TEST_F(JanelaEquacao, CopyTakesTheChartWhenItHasTheFocusElseTheText) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  CEquacaoViewTab* janela = AbreEquacao(Abre(m));
  ASSERT_NE(janela, nullptr);
  PaginaEquacao* f = janela->Pagina(0);
  app->MainFrame()->activateWindow();
  QGuiApplication::clipboard()->clear();
  f->Texto()->selectAll();
  f->Texto()->setFocus();
  ASSERT_TRUE(RoteadorComandos::Instancia().Despacha(ID_EDIT_COPY));
  EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Função Estimativa:")));
  f->Grafico()->setFocus();
  if (QApplication::focusWidget() && f->Grafico()->isAncestorOf(QApplication::focusWidget())) {
    ASSERT_TRUE(RoteadorComandos::Instancia().Despacha(ID_EDIT_COPY));
    EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
  }
}

TEST_F(JanelaEquacao, ChartStylesEditorFromTheModelWindowPrintingFromTheMenu) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  Abre(m);
  bool aberto = false;
  plat::RoteiroPara(QStringLiteral("dlg509"), [&](QDialog& d) {
    aberto = d.windowTitle() == QStringLiteral("Personalizar Gráficos");
    plat::Pressiona(d, 2);
  });
  app->MainFrame()->Acao(32850)->trigger();
  EXPECT_TRUE(aberto);
  // Printing from the menu reaches the active equation page.
  CEquacaoViewTab* janela = AbreEquacao(app->OpenDocumentFile(pasta.filePath(QStringLiteral("m.tsn"))));
  ASSERT_NE(janela, nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  bool noMenu = false;
  for (QAction* a : app->MainFrame()->menuBar()->actions())
    if (a->text() == QStringLiteral("&Arquivo")) noMenu = a->menu()->actions().contains(app->MainFrame()->Acao(ID_FILE_PRINT));
  EXPECT_TRUE(noMenu);
  EXPECT_TRUE(app->MainFrame()->Acao(ID_FILE_PRINT)->isEnabled());
  EXPECT_TRUE(app->MainFrame()->Acao(ID_FILE_PRINT_PREVIEW)->isEnabled());
}

}  // namespace
