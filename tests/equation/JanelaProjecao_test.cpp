// The projection window as the user reaches it: "&Projetar ..." on a model,
// the add-rows dialog for a model without appraisal records, the form, the
// interval pane, the chart tab and the grid's rows stored with the model.
#include "ProgramaEquacao.h"
#include "TabelaStudent.h"
#include "RoteadorComandos.h"
#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"
#include "views/charts/CTChart.h"
#include "views/equation/CProjetar.h"
#include "views/equation/ImpressaoJanela.h"
#include "CDlgTransparent.h"
#include "CSplashWnd.h"
#include "Comandos.h"
#include "RegistroDialogos.h"

#include "model/ArquivoModelo.h"
#include "platform/TextoNumerico.h"

#include "EstiloGrafico.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <cmath>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

// n = 5, x = 1..5, the dependent in ln x, b = (0, 1), s = 0.1.
ModeloEquacao ModeloProjecao() {
  ModeloEquacao m({QStringLiteral("X"), QStringLiteral("VT")},
                  {{1, 2, 3, 4, 5}, {std::exp(1.0), std::exp(2.0), std::exp(3.0), std::exp(4.0), std::exp(5.0)}});
  m.Codigo(0, 1).Codigo(1, 3);
  m.Coeficiente(1, 0.0).Coeficiente(0, 1.0);
  m.cab->SetF64(C::OffErroPadrao, 0.1);
  m.cab->SetI32(C::OffVariavelArea, -1);
  m.cab->SetCasasDecimais(1, 2);
  return m;
}

class JanelaProjecao : public teste::ProgramaEquacao {
protected:
  void SetUp() override {
    teste::ProgramaEquacao::SetUp();
    plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.'));
    // The start-up splash eats the first click.
    if (CSplashWnd* splash = CSplashWnd::Atual()) splash->CloseSplash();
  }
  CProjetarFrame* AbreProjecao(CTarsolinDoc* doc) {
    app->MainFrame()->Acao(32839)->trigger();
    Espera();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaProjetar).data());
    return sub ? qobject_cast<CProjetarFrame*>(sub->widget()) : nullptr;
  }
  static void Espera() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  // A button of the window's toolbar, clicked once its state is up to date.
  static void Clica(CProjetarFrame* janela, int id) {
    RoteadorComandos::Instancia().AtualizaAcoes();
    QToolBar* barra = janela->Intervalo()->Barra();
    QAction* acao = barra->findChild<QAction*>(QString::number(id));
    ASSERT_NE(acao, nullptr) << id;
    ASSERT_TRUE(acao->isEnabled()) << id;
    QTest::mouseClick(barra->widgetForAction(acao), Qt::LeftButton);
    Espera();
  }
  // A tab of the window, clicked.
  static void Aba(CProjetarFrame* janela, int indice) {
    QTabBar* abas = janela->Abas()->Abas()->tabBar();
    QTest::mouseClick(abas, Qt::LeftButton, Qt::NoModifier, abas->tabRect(indice).center());
    Espera();
  }
  // A value typed into an item of the interval pane, as the user edits it.
  static void Digita(CFrameIntervalo* iv, int item, const QString& texto) {
    PropertyGrid* g = iv->Grade();
    PropertyGridItem* it = iv->Item(item);
    g->scrollToItem(it);
    // A click chooses the item (a click on the chosen one would start a
    // delayed edit of its own), F2 edits its value.
    if (g->currentItem() != it)
      QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, g->visualItemRect(it).center());
    g->setFocus();
    QTest::keyClick(g, Qt::Key_F2);
    auto* ed = g->viewport()->findChild<QLineEdit*>(QStringLiteral("PropertyGridEdit"));
    ASSERT_NE(ed, nullptr);
    ed->selectAll();
    QTest::keyClicks(ed, texto);
    QTest::keyClick(ed, Qt::Key_Return);
    Espera();
  }
  teste::TabelaStudent tabela{2.0};
};

TEST_F(JanelaProjecao, ProjectsTheRowShownAndSteps) {
  ModeloEquacao m = ModeloProjecao();
  m.Avaliando({3, 0}, QStringLiteral("Rua A")).Avaliando({5, 0}, QStringLiteral("Rua B"));
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(app->MainFrame()->Acao(32839)->isEnabled());
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  QStringList abas;
  for (int i = 0; i < janela->Abas()->Abas()->count(); ++i) abas << janela->Abas()->Abas()->tabText(i);
  EXPECT_EQ(abas, (QStringList{"Projeção", "Pontos Máximo/Mínimo", "Projeções"}));
  CFrameIntervalo* iv = janela->Intervalo();
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 1/2"));
  EXPECT_EQ(iv->Valor(TotalRLMedio), QStringLiteral("19,88"));  // Moda: exp(3 - 0.01), cut
  EXPECT_EQ(iv->Valor(Adotado), QStringLiteral("19,88"));
  CTableCtrlEx* g = janela->Dados()->Grade();
  EXPECT_EQ(g->GetCellText(0, 8), QStringLiteral("Valor Médio RL"));
  EXPECT_EQ(g->GetCellText(2, 8), QStringLiteral("146,93"));
  EXPECT_EQ(g->GetCellText(1, 2), QStringLiteral("Rua A"));

  // "Estimativa pela" Mediana, then the next row.
  iv->ItemTendencia()->SetConstraintIndex(1);
  janela->Form()->OnCmdMsg(CmdProjAvancar);
  Espera();
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 2/2"));
  EXPECT_EQ(iv->Valor(TotalRLMedio), QStringLiteral("148,41"));
  EXPECT_EQ(iv->Item(TotalRLMinimo)->GetCaption(), QStringLiteral("Minimo (14,35%)"));
  EXPECT_EQ(iv->Item(TotalRLMaximo)->GetCaption(), QStringLiteral("Máximo (16,75%)"));

  // Arbitration: 115 % stands, beyond is refused with the estimate back.
  iv->DefineValor(Adotado, QStringLiteral("170,00"));
  janela->Form()->OnCmdMsg(CmdProjAdotado);
  EXPECT_EQ(iv->Desvio(), 15);
  iv->DefineValor(Adotado, QStringLiteral("200"));
  janela->Form()->OnCmdMsg(CmdProjAdotado);
  EXPECT_EQ(iv->Valor(Adotado), QStringLiteral("148,41"));
  ASSERT_FALSE(mensagens.Mensagens().empty());
  EXPECT_EQ(mensagens.Mensagens().back().texto, QStringLiteral("Este não é um valor válido!"));

  // The toolbar follows the page shown; the chart tab re-projects.
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(RoteadorComandos::EstadoEm(janela, CmdProjAvancar).habilitado);
  janela->Abas()->Abas()->setCurrentIndex(1);
  Espera();
  EXPECT_FALSE(RoteadorComandos::EstadoEm(janela, CmdProjAvancar).habilitado);
  EXPECT_FALSE(RoteadorComandos::EstadoEm(janela, CmdProjExcluir).habilitado);
  EXPECT_TRUE(RoteadorComandos::EstadoEm(janela, CmdProjetarValores).habilitado);
  janela->Abas()->Abas()->setCurrentIndex(2);
  EXPECT_TRUE(RoteadorComandos::EstadoEm(janela, CmdProjExcluir).habilitado);

  // Each page prints: the form and the chart on one page, the grid in its pages.
  for (PaginaProjecao* pagina : std::initializer_list<PaginaProjecao*>{janela->Form(), janela->Graf(), janela->Dados()}) {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = pasta.filePath(pagina->objectName() + QStringLiteral(".pdf"));
    impressora.setOutputFileName(pdf);
    const int paginas = ContaPaginasTrabalho(pagina->Trabalho(), impressora);
    if (pagina == janela->Dados()) EXPECT_GE(paginas, 1);
    else EXPECT_EQ(paginas, 1) << pagina->objectName().toStdString();
    EXPECT_TRUE(ImprimeTrabalhoEm(pagina->Trabalho(), impressora, false));
    EXPECT_GT(QFileInfo(pdf).size(), 0);
  }
}

TEST_F(JanelaProjecao, DeletingRenumbersAndKeepsOneRow) {
  ModeloEquacao m = ModeloProjecao();
  m.Avaliando({3, 0}, QStringLiteral("A")).Avaliando({4, 0}, QStringLiteral("B")).Avaliando({5, 0}, QStringLiteral("C"));
  CTarsolinDoc* doc = Abre(m);
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  CProjetarDadosView* dados = janela->Dados();
  CTableCtrlEx* g = dados->Grade();
  mensagens.Responde(plat::IDYES);
  mensagens.Responde(plat::IDYES);
  g->MoveFocusCell(2, 2);
  dados->ExcluiRegistro();
  EXPECT_EQ(dados->Linhas(), 2);
  EXPECT_EQ(g->GetCellText(1, 2), QStringLiteral("A"));
  EXPECT_EQ(g->GetCellText(2, 2), QStringLiteral("C"));
  EXPECT_EQ(g->GetCellText(2, 1).trimmed(), QStringLiteral("2"));
  EXPECT_EQ(doc->NumDadosP(), 2);  // stored at once
  g->MoveFocusCell(1, 2);
  dados->ExcluiRegistro();
  g->MoveFocusCell(1, 2);
  dados->ExcluiRegistro();
  EXPECT_EQ(dados->Linhas(), 1);
  const auto& ms = mensagens.Mensagens();
  ASSERT_EQ(ms.size(), 3u);
  EXPECT_EQ(ms[0].texto, QStringLiteral("Deseja excluir o dado    2 ?"));
  EXPECT_EQ(ms[2].texto, QStringLiteral("O Modelo necessita de pelo menos um dado !"));
}

TEST_F(JanelaProjecao, AddedRowsAreStoredWithTheModel) {
  ModeloEquacao m = ModeloProjecao();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(doc, nullptr);
  // A model without appraisal records asks how many rows to start with.
  plat::RoteiroPara(QStringLiteral("dlg511"), [](QDialog& d) {
    EXPECT_EQ(plat::Texto(d, 1056), QStringLiteral("1"));
    plat::DefineTexto(d, 1056, QStringLiteral("3"));
    plat::Pressiona(d, 1);
  });
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(janela->Dados()->Linhas(), 3);
  EXPECT_EQ(janela->Dados()->Grade()->GetRowCount(), 4);
  EXPECT_EQ(janela->Dados()->Grade()->GetCellText(3, 1).trimmed(), QStringLiteral("3"));
  EXPECT_TRUE(doc->IsModified());
  janela->Dados()->Grade()->SetCellText(2, 7, QStringLiteral("4,00"));
  janela->Dados()->MarcaEditada();
  ASSERT_TRUE(janela->Dados()->OnCmdMsg(57603));
  EXPECT_FALSE(doc->IsModified());
  const QString caminho = doc->GetPathName();
  EXPECT_EQ(QFileInfo(caminho).size(), 583248 + 2512 * 5 + 1728 * 3);
  CabecalhoModelo lido;
  ASSERT_TRUE(LeCabecalhoModelo(caminho, &lido));
  EXPECT_EQ(lido.NumDadosP(), 3);
  ASSERT_TRUE(doc->CarregaRegistros());
  EXPECT_EQ(doc->NumDadosP(), 3);
  EXPECT_DOUBLE_EQ(doc->GetDadosP()[1].valor[0], 4.0);
  doc->LiberaRegistros();
}

// The calculator runs from the projection window too, whatever page is shown,
// and the window's model commands go to the model window that opened it.
TEST_F(JanelaProjecao, CalculatorAndModelCommandsFromTheWindow) {
  ModeloEquacao m = ModeloProjecao();
  m.Avaliando({3, 0}, QStringLiteral("Rua A"));
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(doc, nullptr);
  // The program's own registrations, as its start-up makes them.
  RegistraDialogosPequenos();
  struct Desfaz {
    ~Desfaz() {
      for (int id : {32830, 32915}) CChildFrame::RegistraDialogo(id, {});
      CChildFrame::DefineExportadorV5({});
      CTarsolinApp::DefineDicaDoDia({});
    }
  } desfaz;
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  QWidget* moldura = app->MainFrame()->MolduraModelo(doc);
  ASSERT_NE(moldura, nullptr);
  EXPECT_EQ(janela->MolduraModelo(), moldura);
  ASSERT_EQ(app->MainFrame()->Mdi()->activeSubWindow(), doc->Janela(CTarsolinDoc::JanelaProjetar).data());
  RoteadorComandos& r = RoteadorComandos::Instancia();
  for (int aba = 0; aba < 3; ++aba) {
    janela->Abas()->Abas()->setCurrentIndex(aba);
    Espera();
    r.AtualizaAcoes();
    QAction* calculadora = app->MainFrame()->Acao(32830);
    ASSERT_NE(calculadora, nullptr);
    ASSERT_TRUE(calculadora->isEnabled()) << aba;
    int abertas = 0;
    plat::RoteiroPara(QStringLiteral("dlg504"), [&](QDialog& d) {
      ++abertas;
      EXPECT_EQ(d.parentWidget(), nullptr);  // its own modal window
      EXPECT_EQ(d.windowTitle(), QStringLiteral("Calculadora"));
      d.reject();
    });
    calculadora->trigger();
    EXPECT_EQ(abertas, 1) << aba;
  }
  // "Equação" from the projection window runs on the model window, which
  // opens the equation window in place of this one.
  janela->Abas()->Abas()->setCurrentIndex(0);
  Espera();
  int tratados = 0;
  auto conexao = QObject::connect(&r, &RoteadorComandos::comandoDespachado, [&](int id, bool tratado) {
    if (id == 32836 && tratado) ++tratados;
  });
  ASSERT_TRUE(r.Despacha(32836));
  Espera();
  QObject::disconnect(conexao);
  EXPECT_EQ(tratados, 2);  // the page posted it on; the model window ran it
  EXPECT_TRUE(doc->Janela(CTarsolinDoc::JanelaEquacao));
  EXPECT_FALSE(doc->Janela(CTarsolinDoc::JanelaProjetar));
}

// Deleting a row before the one shown keeps the form on the row it showed,
// and the steps go on from there.
TEST_F(JanelaProjecao, DeletingAnEarlierRowKeepsTheRowShown) {
  ModeloEquacao m = ModeloProjecao();
  m.Avaliando({3, 0}, QStringLiteral("A")).Avaliando({4, 0}, QStringLiteral("B")).Avaliando({5, 0}, QStringLiteral("C"));
  CTarsolinDoc* doc = Abre(m);
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  Clica(janela, CmdProjAvancar);
  Clica(janela, CmdProjAvancar);
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 3/3"));
  Aba(janela, 2);
  CTableCtrlEx* g = janela->Dados()->Grade();
  QRect celula;
  ASSERT_TRUE(g->GetCellRect(1, 2, &celula));
  QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, celula.center());
  mensagens.Responde(plat::IDYES);
  Clica(janela, CmdProjExcluir);
  ASSERT_EQ(janela->Dados()->Linhas(), 2);
  Aba(janela, 0);
  auto logradouro = [&] { return janela->Form()->Grade()->FindItem(QStringLiteral("Logradouro"))->GetValue(); };
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 2/2"));
  EXPECT_EQ(logradouro(), QStringLiteral("C"));
  Clica(janela, CmdProjVoltar);
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 1/2"));
  EXPECT_EQ(logradouro(), QStringLiteral("B"));
  Clica(janela, CmdProjAvancar);
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 2/2"));
  EXPECT_EQ(logradouro(), QStringLiteral("C"));
}

// An accepted "Adotado" shows its deviation in "Desvio" and leaves the row's
// spatial estimate alone; a refused one brings the estimate back with no deviation.
TEST_F(JanelaProjecao, AdoptedValueKeepsTheGridAndARefusalClearsTheDeviation) {
  ModeloEquacao m = ModeloProjecao();
  m.Avaliando({3, 0}, QStringLiteral("Rua A"));
  CTarsolinDoc* doc = Abre(m);
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  CFrameIntervalo* iv = janela->Intervalo();
  CTableCtrlEx* g = janela->Dados()->Grade();
  const int colunaRE = g->GetColumnCount() - 1;
  ASSERT_EQ(g->GetCellText(0, colunaRE), QStringLiteral("Valor Médio RE"));
  const QString estimativaRE = g->GetCellText(1, colunaRE);
  ASSERT_EQ(iv->Valor(TotalRLMedio), QStringLiteral("19,88"));
  Digita(iv, Adotado, QStringLiteral("22,00"));  // +10.7 %: up to 11
  EXPECT_EQ(iv->Valor(Adotado), QStringLiteral("22,00"));
  EXPECT_EQ(iv->Desvio(), 11);
  EXPECT_EQ(g->GetCellText(1, colunaRE), estimativaRE);
  Digita(iv, Adotado, QStringLiteral("40,00"));
  ASSERT_FALSE(mensagens.Mensagens().empty());
  EXPECT_EQ(mensagens.Mensagens().back().texto, QStringLiteral("Este não é um valor válido!"));
  EXPECT_EQ(iv->Valor(Adotado), QStringLiteral("19,88"));
  EXPECT_EQ(iv->Desvio(), 0);
  EXPECT_EQ(g->GetCellText(1, colunaRE), estimativaRE);
}

// Without appraisal rows the form counts none; rows added later are counted
// and the first is shown. "Adicionar" is the grid page's button only.
TEST_F(JanelaProjecao, NoRowsShowNoneAndAddedRowsAreCounted) {
  ModeloEquacao m = ModeloProjecao();
  CTarsolinDoc* doc = Abre(m);
  plat::RoteiroPara(QStringLiteral("dlg511"), [](QDialog& d) { plat::Pressiona(d, 2); });
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(janela->Dados()->Linhas(), 0);
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 0/0"));
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(janela->Intervalo()->Barra()->findChild<QAction*>(QStringLiteral("32880"))->isEnabled());
  Aba(janela, 2);
  Clica(janela, CmdProjAdicionar);
  Clica(janela, CmdProjAdicionar);
  ASSERT_EQ(janela->Dados()->Linhas(), 2);
  Aba(janela, 0);
  EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - 1/2"));
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(RoteadorComandos::EstadoEm(janela, CmdProjAdicionar).habilitado);
  EXPECT_FALSE(janela->Intervalo()->Barra()->findChild<QAction*>(QStringLiteral("32880"))->isEnabled());
}

// The horizontal position of the first word `palavra` on the first page of a PDF, in points.
double PosicaoPalavra(const QString& pdf, const QString& palavra) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(20000)) return NAN;
  const QString saida = QString::fromUtf8(p.readAllStandardOutput());
  const QRegularExpression re(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>%1</word>").arg(palavra));
  const auto m = re.match(saida);
  return m.hasMatch() ? m.captured(1).toDouble() : NAN;
}

// The charts draw the estimate in their styles' lines colour; the grid
// prints within the model's margins.
TEST_F(JanelaProjecao, ChartsTakeTheLinesColourAndTheGridPrintsWithTheModelsMargins) {
  ModeloEquacao m = ModeloProjecao();
  m.cab->SetI32(C::OffVariavelArea, 0);
  m.Avaliando({3, 0}, QStringLiteral("Rua A"));
  struct Restaura {
    EstiloGrafico e10 = EstilosGraficos[10], e11 = EstilosGraficos[11];
    ~Restaura() { EstilosGraficos[10] = e10, EstilosGraficos[11] = e11; }
  } restaura;
  EstilosGraficos[10].corLinhas = 0x00FF00;  // green
  EstilosGraficos[11].corLinhas = 0xFF0000;  // blue (a Windows colour value)
  CTarsolinDoc* doc = Abre(m);
  CProjetarFrame* janela = AbreProjecao(doc);
  ASSERT_NE(janela, nullptr);
  Aba(janela, 1);
  for (int i : {0, 1}) {
    CTChart* grafico = janela->Graf()->Grafico(i);
    ASSERT_EQ(grafico->NumPontos(1), 11) << i;
    EXPECT_EQ(grafico->CorPonto(1, 0), i == 0 ? QColor(0, 0, 255) : QColor(0, 255, 0)) << i;
    EXPECT_EQ(grafico->CorPonto(0, 0), QColor(255, 255, 0)) << i;
  }

  Aba(janela, 2);
  auto imprime = [&](int esquerda) {
    doc->GetCabecalho()->SetI32(C::OffMargens, esquerda);
    const QString pdf = pasta.filePath(QStringLiteral("projecoes_%1.pdf").arg(esquerda));
    plat::RoteiroPara(QStringLiteral("dlgImprimir"), [pdf](QDialog& d) {
      QPrinter* p = static_cast<QPrintDialog&>(d).printer();
      p->setOutputFormat(QPrinter::PdfFormat);
      p->setOutputFileName(pdf);
      p->setFromTo(0, 0);
      d.done(QDialog::Accepted);
    });
    RoteadorComandos::Instancia().AtualizaAcoes();
    app->MainFrame()->Acao(57607)->trigger();
    Espera();
    return PosicaoPalavra(pdf, QStringLiteral("Dado"));
  };
  const double perto = imprime(720), longe = imprime(2880);  // half an inch, two inches
  ASSERT_TRUE(std::isfinite(perto) && std::isfinite(longe)) << perto << " " << longe;
  EXPECT_GT(longe - perto, 36.0);  // points: the page's left edge moved with the margin
}

// "Abrir Projeção Valores" of the welcome dialog opens the last model and its projection window.
TEST_F(JanelaProjecao, WelcomeOpensTheLastModelsProjection) {
  ModeloEquacao m = ModeloProjecao();
  m.Avaliando({3, 0}, QStringLiteral("Rua A")).Avaliando({5, 0}, QStringLiteral("Rua B"));
  CTarsolinDoc* doc = Abre(m, QStringLiteral("ultimo.tsn"));
  ASSERT_NE(doc, nullptr);
  const QString caminho = doc->GetPathName();
  app->MainFrame()->Acao(ID_FILE_CLOSE)->trigger();
  Espera();
  ASSERT_TRUE(app->Documentos().empty());
  plat::RoteiroPara(QStringLiteral("dlg549"), [](QDialog& d) { plat::Pressiona(d, 1011); });
  CDlgTransparent boasVindas;
  EXPECT_EQ(plat::ExecutaDialogo(boasVindas), QDialog::Accepted);
  Espera();
  ASSERT_EQ(app->Documentos().size(), 1u);
  CTarsolinDoc* aberto = app->Documentos().front();
  EXPECT_EQ(aberto->GetPathName(), caminho);
  auto* sub = qobject_cast<QMdiSubWindow*>(aberto->Janela(CTarsolinDoc::JanelaProjetar).data());
  ASSERT_NE(sub, nullptr);
  auto* janela = qobject_cast<CProjetarFrame*>(sub->widget());
  ASSERT_NE(janela, nullptr);
  EXPECT_EQ(app->MainFrame()->Mdi()->activeSubWindow(), sub);
  EXPECT_EQ(janela->Dados()->Linhas(), 2);
  EXPECT_EQ(janela->Intervalo()->Valor(TotalRLMedio), QStringLiteral("19,88"));
}

}  // namespace
