// The variable displays as the user reaches them: the program started, a
// model opened, "&Exibir Variáveis ..." (the direct and transformed pages)
// and the model's "&Variáveis ..." (the three-variable chart) chosen; their
// statistics, grids, charts, up-down controls and commands. Also the numbers
// apart from the widgets, and the statistical-table window.
#include "CMainFrame.h"
#include "CTabelasView.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "ImpressaoGrade.h"
#include "ProgramaEquacao.h"
#include "RoteadorComandos.h"
#include "controls/CTableCtrlEx.h"
#include "views/charts/CGrafico3D.h"
#include "views/charts/CTChart.h"
#include "views/equation/CExibirVariaveis.h"
#include "views/equation/CExibirVariaveisTab.h"
#include "views/equation/CGraficoVariaveis.h"
#include "views/equation/ControleSetas.h"
#include "views/equation/EstatisticasVariaveis.h"
#include "EstiloGrafico.h"
#include "tests/support/Pdf.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Programa.h"
#include "platform/TextoNumerico.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

QStringList LinhaLista(QTreeWidget* l, int i) {
  QStringList r;
  for (int c = 0; c < l->columnCount(); ++c) r << l->topLevelItem(i)->text(c).trimmed();
  return r;
}

QStringList Coluna(CTableCtrl* g, int col) {
  QStringList r;
  for (int row = 1; row < g->GetRowCount(); ++row) r << g->GetCellText(row, col).trimmed();
  return r;
}

void Espera() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// A = 1..5 with two decimal places, B negative, VU the dependent.
ModeloEquacao ModeloCinco() {
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("VU")},
                  {{1, 2, 3, 4, 5}, {-5, -4, -3, -2, -1}, {10, 20, 30, 40, 50}});
  m.cab->SetCasasDecimais(0, 2);
  m.cab->SetCasasDecimais(1, 2);
  m.cab->SetCasasDecimais(2, 2);
  for (int i = 0; i < 5; ++i) m.dados[std::size_t(i)].SetEndereco(QStringLiteral("Rua %1").arg(QChar('E' - i)));
  return m;
}

// Three records on a line at (0,0), (3,4), (6,8): distances 5, 10 and 5; y = 1, 2, 3.
ModeloEquacao ModeloTresPontos() {
  ModeloEquacao m({QStringLiteral("CX"), QStringLiteral("CY"), QStringLiteral("VU")}, {{0, 3, 6}, {0, 4, 8}, {1, 2, 3}});
  m.cab->SetI32(C::OffVariavelX, 0);
  m.cab->SetI32(C::OffVariavelY, 1);
  m.cab->SetI32(C::OffEspacialCalculado, 1);  // W is built from the coordinates at the open
  return m;
}

class ExibirVariaveis : public teste::ProgramaEquacao {
protected:
  void SetUp() override {
    plat::DefineSeparadoresUsuario(QLatin1Char(','), QLatin1Char('.'));
    teste::ProgramaEquacao::SetUp();
  }
  void TearDown() override {
    teste::ProgramaEquacao::TearDown();
    plat::RestauraSeparadoresUsuario();
  }
  CExibirVariaveisTab* AbreExibir(CTarsolinDoc* doc) {
    app->MainFrame()->Acao(32912)->trigger();
    Espera();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaExibirVariaveis).data());
    return sub ? qobject_cast<CExibirVariaveisTab*>(sub->widget()) : nullptr;
  }
  CGraficoVariaveis* AbreGrafico(CTarsolinDoc* doc) {
    app->MainFrame()->Acao(32853)->trigger();
    Espera();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaGraficoVariaveis).data());
    return sub ? qobject_cast<CGraficoVariaveis*>(sub->widget()) : nullptr;
  }
  static void Clica(QWidget* setas, bool acima) {
    setas->findChild<QToolButton*>(acima ? QStringLiteral("acima") : QStringLiteral("abaixo"))->click();
  }
};

// ------------------------------------------------------------ numbers

TEST(EstatisticasVariaveis, MeanExtremesSpreadAndWyAgainstAHandComputation) {
  // Wy over the raw distances: W turned into weights only when the model asks.
  ModeloEquacao m = ModeloCinco();
  const std::vector<EstatisticaVariavel> e = CalculaEstatisticasVariaveis(*m.cab, m.dados.data(), 5, false);
  ASSERT_EQ(e.size(), 3u);
  EXPECT_DOUBLE_EQ(e[0].media, 3.0);
  EXPECT_DOUBLE_EQ(e[0].Amplitude(), 4.0);
  EXPECT_NEAR(e[0].dp, std::sqrt(10.0 / 4.0), 1e-12);
  EXPECT_NEAR(e[0].CV(), 100 * std::sqrt(2.5) / 3, 1e-9);
  EXPECT_DOUBLE_EQ(e[1].maximo, -1.0);  // all negative: the largest, not 0
  // One considered record: the spread divides by zero and is not finite.
  for (int i = 1; i < 5; ++i) m.dados[std::size_t(i)].excluido = 1;
  const auto um = CalculaEstatisticasVariaveis(*m.cab, m.dados.data(), 5, false);
  EXPECT_DOUBLE_EQ(um[0].media, 1.0);
  EXPECT_FALSE(std::isfinite(um[0].dp));

  ModeloEquacao t = ModeloTresPontos();
  NEWMAT::Matrix W(3, 3);
  W << 0 << 5 << 10 << 5 << 0 << 5 << 10 << 5 << 0;
  NEWMAT::ColumnVector wy;
  ASSERT_TRUE(CalculaWy(*t.cab, t.dados.data(), 3, W, wy));
  EXPECT_DOUBLE_EQ(wy(1), 5 * 2 + 10 * 3);
  EXPECT_DOUBLE_EQ(wy(2), 5 * 1 + 5 * 3);
  EXPECT_DOUBLE_EQ(wy(3), 10 * 1 + 5 * 2);
  // Row-normalised weights; the first record left out: W cut to the other two.
  t.cab->SetU8(C::OffNormalizaW, 1);
  t.dados[0].excluido = 1;
  ASSERT_TRUE(CalculaWy(*t.cab, t.dados.data(), 3, W, wy));
  ASSERT_EQ(wy.Nrows(), 2);
  EXPECT_DOUBLE_EQ(wy(1), 3.0);
  EXPECT_DOUBLE_EQ(wy(2), 2.0);
  // A W that does not match the records gives no Wy.
  EXPECT_FALSE(CalculaWy(*t.cab, t.dados.data(), 3, NEWMAT::Matrix(2, 2), wy));
  EXPECT_EQ(wy.Nrows(), 0);
}

TEST(EstatisticasVariaveis, TicksOfTheThreeDimensionalChartAreRoundAndCoverTheRange) {
  struct Caso { double a, b; std::vector<double> esperado; };
  const Caso casos[] = {{0, 10, {0, 2, 4, 6, 8, 10}}, {1, 5, {1, 2, 3, 4, 5}}, {-5, -1, {-5, -4, -3, -2, -1}},
                        {7, 7, {7}}, {0.1, 0.35, {0.1, 0.15, 0.2, 0.25, 0.3, 0.35}}};
  for (const Caso& c : casos) {
    const std::vector<double> r = CGrafico3D::Marcas(c.a, c.b);
    ASSERT_EQ(r.size(), c.esperado.size()) << c.a << " " << c.b;
    for (std::size_t i = 0; i < r.size(); ++i) EXPECT_NEAR(r[i], c.esperado[i], 1e-12);
  }
}

// ------------------------------------------------------------ the variable display

TEST_F(ExibirVariaveis, StatisticsListGridAndChartOfTheDirectPage) {
  ModeloEquacao m = ModeloCinco();
  m.dados[3].excluido = 1;  // record 4 is not considered
  m.cab->SetNumConsiderados(4);
  CTarsolinDoc* doc = Abre(m);
  ASSERT_TRUE(app->MainFrame()->Acao(32912)->isEnabled());
  CExibirVariaveisTab* janela = AbreExibir(doc);
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(janela->Abas()->tabText(0), "Direta");
  EXPECT_EQ(janela->Abas()->tabText(1), "Transformada");
  EXPECT_EQ(janela->Abas()->tabPosition(), QTabWidget::South);
  CExibirVariaveis* p = janela->Direta();
  QTreeWidget* l = p->Lista();
  EXPECT_EQ(l->headerItem()->text(6), "CV");
  ASSERT_EQ(l->topLevelItemCount(), 3);
  // 1, 2, 3, 5: mean 2.75, s = 1.7078.
  EXPECT_EQ(LinhaLista(l, 0), (QStringList{"A", "2,75", "1,00", "5,00", "4,00", "1,7078", "62,10%"}));
  EXPECT_EQ(LinhaLista(l, 1)[3], "-1,00");
  // x is A and y VU: both rows in blue.
  EXPECT_EQ(l->topLevelItem(0)->foreground(0).color(), QColor(0, 0, 255));
  EXPECT_NE(l->topLevelItem(1)->foreground(0).color(), QColor(0, 0, 255));
  CTableCtrlEx* g = p->Grade();
  EXPECT_EQ(g->GetCellText(0, 1), "x = A");
  EXPECT_EQ(g->GetCellText(0, 2), "y = VU");
  EXPECT_EQ(Coluna(g, 0), (QStringList{"1", "2", "3", "5"}));  // positions in the file
  EXPECT_EQ(g->GetCellText(4, 0), "   5");
  EXPECT_EQ(Coluna(g, 1), (QStringList{"1,00", "2,00", "3,00", "5,00"}));
  CTChart* ch = p->Grafico();
  ASSERT_EQ(ch->NumPontos(0), 4);
  EXPECT_EQ(ch->Ponto(0, 3), QPointF(5, 50));
  EXPECT_EQ(ch->Rotulo(0, 3), "5");
  EXPECT_EQ(ch->NumSeries(), 2);  // the points and their trend line
  EXPECT_EQ(ch->NumPontos(1), 2);
  EXPECT_TRUE(app->MainFrame()->Painel(59507)->isHidden());  // the preview layout
}

TEST_F(ExibirVariaveis, ValuesOneToFiveWithTwoDecimals) {
  ModeloEquacao m = ModeloCinco();
  CTarsolinDoc* doc = Abre(m);
  CExibirVariaveisTab* janela = AbreExibir(doc);
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(LinhaLista(janela->Direta()->Lista(), 0), (QStringList{"A", "3,00", "1,00", "5,00", "4,00", "1,5811", "52,70%"}));
  // A disabled variable is starred in the list and in its grid heading.
  m.cab->SetHabilitada(0, false);
  CTarsolinDoc* doc2 = Abre(m, QStringLiteral("d.tsn"));
  CExibirVariaveisTab* j2 = AbreExibir(doc2);
  ASSERT_NE(j2, nullptr);
  EXPECT_EQ(LinhaLista(j2->Direta()->Lista(), 0)[0], "* A");
  EXPECT_EQ(j2->Direta()->Grade()->GetCellText(0, 1), "x = * A");
}

TEST_F(ExibirVariaveis, UpDownControlsMoveTheChoiceWithoutWrappingAndWyComesAfterTheLastVariable) {
  ModeloEquacao m = ModeloTresPontos();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_EQ(doc->GetW().Nrows(), 3);  // built from the coordinates at the open
  CExibirVariaveisTab* janela = AbreExibir(doc);
  ASSERT_NE(janela, nullptr);
  CExibirVariaveis* p = janela->Direta();
  ASSERT_TRUE(p->WyDisponivel());
  Clica(p->SetasX(), false);  // already at the first
  EXPECT_EQ(p->VariavelX(), 0);
  for (int i = 0; i < 5; ++i) Clica(p->SetasX(), true);
  EXPECT_EQ(p->VariavelX(), 3);  // Wy, and no further
  EXPECT_EQ(p->Grade()->GetCellText(0, 1), "Wy");
  EXPECT_EQ(Coluna(p->Grade(), 1), (QStringList{"40,0000", "20,0000", "20,0000"}));
  EXPECT_EQ(p->Grafico()->Ponto(0, 0), QPointF(40, 1));
  // The statistics stay as they were.
  EXPECT_EQ(p->Lista()->topLevelItemCount(), 3);
  Clica(p->SetasY(), true);
  EXPECT_EQ(p->VariavelY(), 3);
  EXPECT_EQ(p->Grade()->GetCellText(0, 2), "Wy");
  // The transformed page has no Wy.
  CExibirVariaveis* t = janela->Transformada();
  EXPECT_FALSE(t->WyDisponivel());
  for (int i = 0; i < 5; ++i) Clica(t->SetasX(), true);
  EXPECT_EQ(t->VariavelX(), 2);
}

TEST_F(ExibirVariaveis, TransformedPageShowsTheEquationsTransformations) {
  ModeloEquacao m = teste::ModeloSensibilidade();  // A and VU in ln, B as x
  CTarsolinDoc* doc = Abre(m);
  CExibirVariaveisTab* janela = AbreExibir(doc);
  ASSERT_NE(janela, nullptr);
  CExibirVariaveis* t = janela->Transformada();
  QTreeWidget* l = t->Lista();
  ASSERT_EQ(l->columnCount(), 8);
  EXPECT_EQ(l->headerItem()->text(1), "Equação");
  EXPECT_EQ(LinhaLista(l, 0)[1], "ln(x)");
  EXPECT_EQ(LinhaLista(l, 1)[1], "x");
  EXPECT_EQ(t->Grade()->GetCellText(1, 1), "4,60517018");  // ln 100, eight places
  const QString media = LinhaLista(l, 0)[2];  // eight places for a transformed variable
  EXPECT_EQ(media.size() - media.indexOf(','), 9) << media.toStdString();
  EXPECT_EQ(t->Grade()->GetCellText(0, 1), "x = A");
}

TEST_F(ExibirVariaveis, NumberingSortingAndCommandsReachTheSelectedPage) {
  ModeloEquacao m = ModeloCinco();
  CTarsolinDoc* doc = Abre(m);
  CExibirVariaveisTab* janela = AbreExibir(doc);
  ASSERT_NE(janela, nullptr);
  CExibirVariaveis* p = janela->Direta();
  QAction* numerar = app->MainFrame()->Acao(32851);
  ASSERT_NE(numerar, nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(numerar->isEnabled());
  EXPECT_FALSE(numerar->isChecked());
  numerar->trigger();
  Espera();
  EXPECT_TRUE(p->Numerando());
  EXPECT_TRUE(numerar->isChecked());
  EXPECT_TRUE(p->Grafico()->RotulosVisiveis().contains("3"));
  numerar->trigger();
  Espera();
  EXPECT_FALSE(p->Grafico()->RotulosVisiveis().contains("3"));

  // Sort on y, descending.
  plat::RoteiroPara("dlg508", [](QDialog& d) {
    d.findChild<QRadioButton*>("1098")->click();
    d.findChild<QRadioButton*>("1100")->click();
    d.accept();
  });
  app->MainFrame()->Acao(32812)->trigger();
  Espera();
  EXPECT_EQ(Coluna(p->Grade(), 2), (QStringList{"50,00", "40,00", "30,00", "20,00", "10,00"}));
  EXPECT_EQ(Coluna(p->Grade(), 0), (QStringList{"5", "4", "3", "2", "1"}));
  // The address is not a column of this grid: the order stays.
  plat::RoteiroPara("dlg508", [](QDialog& d) {
    d.findChild<QRadioButton*>("1095")->click();
    d.accept();
  });
  app->MainFrame()->Acao(32812)->trigger();
  Espera();
  EXPECT_EQ(Coluna(p->Grade(), 0), (QStringList{"5", "4", "3", "2", "1"}));
  // Cancelled: nothing sorted.
  plat::RoteiroPara("dlg508", [](QDialog& d) { d.reject(); });
  app->MainFrame()->Acao(32812)->trigger();
  Espera();
  EXPECT_EQ(Coluna(p->Grade(), 0), (QStringList{"5", "4", "3", "2", "1"}));

  // The transformed tab takes the commands once selected.
  janela->Abas()->setCurrentIndex(1);
  EXPECT_EQ(RoteadorComandos::Instancia().Cadeia().front(), janela->Transformada());
  // Result commands need a calculated model; the rest runs on the model window.
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(app->MainFrame()->Acao(32836)->isEnabled());
  EXPECT_TRUE(app->MainFrame()->Acao(32853)->isEnabled());
}

TEST_F(ExibirVariaveis, APrintedGridCarriesItsHeadingsAndValues) {
  ModeloEquacao m = ModeloCinco();
  CTarsolinDoc* doc = Abre(m);
  CExibirVariaveisTab* janela = AbreExibir(doc);
  ASSERT_NE(janela, nullptr);
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = pasta.filePath("grade.pdf");
  impressora.setOutputFileName(pdf);
  ASSERT_TRUE(ImprimeGradeEm(*janela->Direta()->Grade(), doc, impressora, false));
  const QString texto = teste::TextoPdf(pdf);
  EXPECT_TRUE(texto.contains("y = VU")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("50,00"));
  EXPECT_EQ(teste::PaginasPdf(pdf), 1);
}

TEST_F(ExibirVariaveis, AModelThatLosesItsRecordsClosesTheDisplay) {
  ModeloEquacao m = ModeloCinco();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(AbreExibir(doc), nullptr);
  doc->GetCabecalho()->SetNumConsiderados(0);
  doc->UpdateAllViews(nullptr, 3);
  Espera();
  EXPECT_TRUE(doc->Janela(CTarsolinDoc::JanelaExibirVariaveis).isNull());
}

// ------------------------------------------------------------ the three-variable chart

TEST_F(ExibirVariaveis, ThreeVariableChartGridListAndUpDowns) {
  ModeloEquacao m = ModeloCinco();
  m.dados[1].excluido = 1;
  m.cab->SetNumConsiderados(4);
  m.dados[0].SetComplemento(QStringLiteral("esquina"));
  CTarsolinDoc* doc = Abre(m);
  ASSERT_TRUE(app->MainFrame()->Acao(32853)->isEnabled());
  CGraficoVariaveis* j = AbreGrafico(doc);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->VariavelX(), 0);
  EXPECT_EQ(j->VariavelY(), 2);
  EXPECT_EQ(j->VariavelZ(), 1);
  CTableCtrlEx* g = j->Grade();
  ASSERT_EQ(g->GetColumnCount(), 6);
  EXPECT_EQ(g->GetCellText(0, 3), "z = B");
  EXPECT_EQ(g->GetCellText(0, 4), "Endereço");
  EXPECT_EQ(g->GetCellText(0, 5), "Observação");
  EXPECT_EQ(Coluna(g, 0), (QStringList{"1", "3", "4", "5"}));
  EXPECT_EQ(g->GetCellText(1, 4), "Rua E");
  EXPECT_EQ(g->GetCellText(1, 5), "esquina");
  QTreeWidget* l = j->Lista();
  ASSERT_EQ(l->topLevelItemCount(), 3);
  EXPECT_EQ(LinhaLista(l, 0), (QStringList{"A", "3,2500", "1,00", "5,00"}));
  EXPECT_EQ(LinhaLista(l, 1)[3], "-1,00");
  CGrafico3D* ch = j->Grafico();
  ASSERT_EQ(ch->NumPontos(), 4);
  EXPECT_EQ(ch->X(1), 3);
  EXPECT_EQ(ch->Y(1), 30);
  EXPECT_EQ(ch->Z(1), -3);
  EXPECT_EQ(ch->TituloEixo(0), "A");
  EXPECT_EQ(ch->TituloEixo(2), "B");
  // Moving x changes the grid column, the bottom title and the points; not the list.
  Clica(j->findChild<QWidget*>("1113"), true);
  EXPECT_EQ(j->VariavelX(), 1);
  EXPECT_EQ(g->GetCellText(0, 1), "x = B");
  EXPECT_EQ(ch->TituloEixo(0), "B");
  EXPECT_EQ(ch->X(0), -5);
  EXPECT_EQ(LinhaLista(l, 0)[1], "3,2500");
  Clica(j->findChild<QWidget*>("1114"), true);
  Clica(j->findChild<QWidget*>("1114"), true);
  EXPECT_EQ(j->VariavelZ(), 2);  // no further than the last
  // Numbering shows the labels on the drawn chart.
  ch->Imagem(QSize(400, 300));
  EXPECT_FALSE(ch->TextosVisiveis().contains("4"));
  app->MainFrame()->Acao(32851)->trigger();
  Espera();
  ch->Imagem(QSize(400, 300));
  EXPECT_TRUE(ch->TextosVisiveis().contains("4"));
  // Sorting by the address, ascending.
  plat::RoteiroPara("dlg508", [](QDialog& d) {
    d.findChild<QRadioButton*>("1095")->click();
    d.accept();
  });
  app->MainFrame()->Acao(32812)->trigger();
  Espera();
  EXPECT_EQ(Coluna(g, 4), (QStringList{"Rua A", "Rua B", "Rua C", "Rua E"}));
  // Model updates do not reach it.
  doc->GetCabecalho()->SetHabilitada(0, false);
  doc->UpdateAllViews(nullptr, 3);
  Espera();
  EXPECT_EQ(LinhaLista(l, 0)[0], "A");
  // Printing is not one of its commands.
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(app->MainFrame()->Acao(ID_FILE_PRINT)->isEnabled());
}

TEST_F(ExibirVariaveis, ThreeDimensionalChartDrawsItsPointsInTheStyleColour) {
  ModeloEquacao m = ModeloCinco();
  CTarsolinDoc* doc = Abre(m);
  CGraficoVariaveis* j = AbreGrafico(doc);
  ASSERT_NE(j, nullptr);
  const QImage img = j->Grafico()->Imagem(QSize(400, 300));
  const QColor cor = CorDeColorref(EstilosGraficos[12].corPontos);
  int pixels = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) pixels += QColor(img.pixel(x, y)) == cor ? 1 : 0;
  EXPECT_GT(pixels, 5 * 10);  // five filled circles
  EXPECT_TRUE(j->Grafico()->TextosVisiveis().contains("VU"));
}

// ------------------------------------------------------------ the statistical table

TEST_F(ExibirVariaveis, NormalTableOpensFromItsMenuEntrySavesAndReloadsTheSameTexts) {
  const QString arquivo = CTabelasView::Arquivo();
  ASSERT_TRUE(QFile::exists(arquivo)) << arquivo.toStdString();
  QFile f(arquivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray original = f.readAll();
  f.close();
  QAction* acao = app->MainFrame()->Acao(ID_TABELA_NORMAL);
  ASSERT_NE(acao, nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(acao->isEnabled());
  acao->trigger();
  Espera();
  auto* sub = app->MainFrame()->Mdi()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  auto* vista = qobject_cast<CTabelasView*>(sub->widget());
  ASSERT_NE(vista, nullptr);
  CTableCtrl* g = vista->Grade();
  EXPECT_EQ(g->GetRowCount(), 41);
  EXPECT_EQ(g->GetColumnCount(), 11);
  EXPECT_EQ(g->GetCellText(0, 1), "0,00");
  EXPECT_EQ(g->GetCellText(20, 0), "1,9");
  EXPECT_EQ(g->GetCellText(20, 7), "0,4750");  // P(0 < Z < 1.96)
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(app->MainFrame()->Acao(ID_FILE_SAVE)->isEnabled());
  EXPECT_FALSE(app->MainFrame()->Acao(ID_FILE_SAVE_AS)->isEnabled());
  // An edit saved and loaded again: every text, headings included.
  g->SetCellText(3, 3, QStringLiteral("0,9999"));
  app->MainFrame()->Acao(ID_FILE_SAVE)->trigger();
  Espera();
  CTabelasView outra;
  outra.OnInitialUpdate();
  for (int r = 0; r < g->GetRowCount(); ++r)
    for (int c = 0; c < g->GetColumnCount(); ++c) ASSERT_EQ(outra.Grade()->GetCellText(r, c), g->GetCellText(r, c));
  // A second request brings the same window forward.
  acao->trigger();
  Espera();
  EXPECT_EQ(app->MainFrame()->Mdi()->subWindowList().size(), 1);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(original);
  f.close();
}

}  // namespace
