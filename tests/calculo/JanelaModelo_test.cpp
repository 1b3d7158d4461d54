// The model window as the program opens it: the application's main frame, the
// real CChildFrame over the model's main view, the command router and the
// menus, with the stand-in libraries.
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CSplashWnd.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "DriversCalculo.h"
#include "Fixturas.h"
#include "RoteadorComandos.h"
#include "views/data/CDadosEditarView.h"
#include "views/data/CDadosFrame.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <cmath>
#include <functional>
#include <map>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

struct JanelaModelo : ::testing::Test {
  QTemporaryDir pasta;
  std::unique_ptr<CTarsolinApp> app;
  std::unique_ptr<plat::GravadorMensagens> mensagens;

  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    drivers::Modulos().ostrimo = QStringLiteral("StubOstrimo.so");
    drivers::Modulos().quenvik = QStringLiteral("StubQuenvik.so");
    drivers::Modulos().palvedo = QStringLiteral("StubPalvedo.so");
    app = std::make_unique<CTarsolinApp>();
    ASSERT_TRUE(app->InitInstance({"--sem-boas-vindas"}));
    mensagens = std::make_unique<plat::GravadorMensagens>();
  }
  void TearDown() override {
    mensagens.reset();
    if (app && app->MainFrame()) {
      // Nothing is left to save: the frame closes without a question.
      for (CTarsolinDoc* d : app->Documentos()) d->SetModifiedFlag(false);
      app->MainFrame()->close();
    }
    app.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    drivers::Modulos() = drivers::NomesModulos{};
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  CMainFrame* Frame() { return app->MainFrame(); }
  CTarsolinDoc* Abre(CabecalhoModelo& cab, const QString& nome = QStringLiteral("m.tsn")) {
    CTarsolinDoc* doc = app->OpenDocumentFile(GravaModelo(pasta, nome, cab));
    QCoreApplication::processEvents();
    return doc;
  }
  // Runs a command as the menu does, then what it posted (the chooser's
  // dialog, unscripted, is cancelled).
  void Executa(int id) {
    RoteadorComandos::Instancia().Despacha(id);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }
  QMdiSubWindow* JanelaDoModelo() {
    for (QMdiSubWindow* sub : Frame()->Mdi()->subWindowList())
      if (qobject_cast<CChildFrame*>(sub->widget())) return sub;
    return nullptr;
  }
};
}  // namespace

// After a linear regression the results commands would be enabled, but only
// those with a window or dialog to run are: the rest stay grey in the menu.
TEST_F(JanelaModelo, CommandsWithNothingToRunStayGreyAfterALinearRegression) {
  auto cab = CabecalhoPequeno(5);
  CTarsolinDoc* doc = Abre(*cab);
  ASSERT_NE(doc, nullptr);
  ASSERT_NE(JanelaDoModelo(), nullptr);
  auto* moldura = qobject_cast<CChildFrame*>(JanelaDoModelo()->widget());
  Executa(32831);
  ASSERT_EQ(doc->GetCabecalho()->I32(C::OffEstadoCalculo), 1);
  ASSERT_EQ(doc->GetCabecalho()->I32(C::OffNumEquacoes), 2);
  doc->GetCabecalho()->SetI32(C::OffForaDe2, 1);      // outliers to show
  doc->GetCabecalho()->SetI32(C::OffNumValidacao, 1); // and a validation sample
  const int janelas[] = {32836, 32840, 32912, 32833, 32852, 32853, 32839, 32843, 32941};
  const int dialogos[] = {32841, 32838};
  auto resultados = [&](const std::function<void(int)>& f) {
    for (int id : janelas) f(id);
    for (int id : dialogos) f(id);
  };
  // As this build stands: enabled exactly where a window or dialog is plugged in.
  RoteadorComandos::Instancia().AtualizaAcoes();
  resultados([&](int id) { EXPECT_EQ(Frame()->Acao(id)->isEnabled(), moldura->TemComando(id)) << id; });

  // With none plugged in, every one is grey.
  std::map<int, CChildFrame::JanelaAuxiliar> guardadas;
  std::map<int, CChildFrame::DialogoComando> guardados;
  for (int id : janelas) guardadas[id] = CChildFrame::RegistraJanelaAuxiliar(id, {});
  for (int id : dialogos) guardados[id] = CChildFrame::RegistraDialogo(id, {});
  RoteadorComandos::Instancia().AtualizaAcoes();
  resultados([&](int id) {
    EXPECT_FALSE(Frame()->Acao(id)->isEnabled()) << id;
    EXPECT_FALSE(RoteadorComandos::Instancia().Estado(id).habilitado) << id;
  });
  for (int id : {32831, 32837, int(ID_FILE_CLOSE), int(ID_FILE_SAVE)}) EXPECT_TRUE(Frame()->Acao(id)->isEnabled()) << id;

  // A window plugged in for a command makes it follow the header again.
  CChildFrame::RegistraJanelaAuxiliar(32836, {CTarsolinDoc::JanelaEquacao, false, 0, [](CTarsolinDoc*) {
                                                return new QWidget;
                                              }});
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(Frame()->Acao(32836)->isEnabled());
  doc->GetCabecalho()->SetI32(C::OffEstadoCalculo, 0);
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(Frame()->Acao(32836)->isEnabled());
  for (auto& [id, janela] : guardadas) CChildFrame::RegistraJanelaAuxiliar(id, janela);
  for (auto& [id, dialogo] : guardados) CChildFrame::RegistraDialogo(id, dialogo);
  EXPECT_TRUE(mensagens->Textos().isEmpty()) << mensagens->Textos().join('|').toStdString();
}

// "&Fechar" closes the whole model window the way its close button does: the
// save offer first (cancel keeps everything), then the auxiliary windows and
// the document, leaving no empty window behind.
TEST_F(JanelaModelo, CloseFromTheMenuOffersToSaveAndLeavesNoWindow) {
  auto cab = CabecalhoPequeno(5);
  CTarsolinDoc* doc = Abre(*cab);
  ASSERT_NE(doc, nullptr);
  const CChildFrame::JanelaAuxiliar equacao = CChildFrame::RegistraJanelaAuxiliar(
      32836, {CTarsolinDoc::JanelaEquacao, false, 0, [](CTarsolinDoc*) { return new QWidget; }});
  Executa(32836);
  CChildFrame::RegistraJanelaAuxiliar(32836, equacao);
  QPointer<QObject> auxiliar = doc->Janela(CTarsolinDoc::JanelaEquacao);
  ASSERT_TRUE(auxiliar);
  Frame()->Mdi()->setActiveSubWindow(JanelaDoModelo());
  doc->SetModifiedFlag(true);
  const QString pergunta = plat::Texto(21001).arg(QStringLiteral("m.tsn"));

  mensagens->Responde(plat::IDCANCEL);
  Executa(ID_FILE_CLOSE);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(mensagens->Textos(), QStringList{pergunta});
  EXPECT_EQ(app->Documentos().size(), 1u);
  EXPECT_TRUE(auxiliar);
  ASSERT_NE(JanelaDoModelo(), nullptr);
  EXPECT_TRUE(JanelaDoModelo()->widget()->isVisible());

  mensagens->Responde(plat::IDNO);
  Executa(ID_FILE_CLOSE);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(mensagens->Textos(), (QStringList{pergunta, pergunta}));
  EXPECT_TRUE(app->Documentos().empty());
  EXPECT_FALSE(auxiliar);
  EXPECT_TRUE(Frame()->Mdi()->subWindowList().isEmpty());
}

// A model unlocked with its password and whose W was built from the
// coordinates at open stays so across library calls: the header re-read
// from the file must not bring back what the file says of them.
TEST_F(JanelaModelo, LibraryCallsKeepTheUnlockAndTheWeightsBuiltAtOpen) {
  auto cab = CabecalhoPequeno(5);
  cab->SetU8(C::OffProtegido, 1);
  cab->SetTexto(C::OffSenha, 13, QStringLiteral("segredo"));
  cab->SetI32(C::OffAcessoSemSenha, 1);
  cab->SetI32(C::OffVariavelX, 0);
  cab->SetI32(C::OffVariavelX + 4, 1);
  cab->SetI32(C::OffEspacialCalculado, 1);  // W is built from the coordinates at open
  plat::RoteiroPara(QStringLiteral("dlg542"), [](QDialog& d) {
    plat::DefineTexto(d, 1056, QStringLiteral("segredo"));
    plat::Pressiona(d, 1);
  });
  CTarsolinDoc* doc = Abre(*cab);
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(doc->GetCabecalho()->U8(C::OffDesbloqueado), 1);
  for (int vez = 0; vez < 2; ++vez) {
    Executa(32831);  // the linear regression, then the include-variables library
    Executa(32913);
  }
  EXPECT_TRUE(mensagens->Textos().isEmpty()) << mensagens->Textos().join('|').toStdString();
  EXPECT_EQ(doc->GetCabecalho()->U8(C::OffDesbloqueado), 1);
  EXPECT_EQ(doc->GetCabecalho()->U8(C::OffSemElementosW), 1);
  // W still holds the distances between the records at (i, i²).
  ASSERT_TRUE(doc->CarregaRegistros());
  ASSERT_EQ(doc->GetW().Nrows(), 5);
  EXPECT_DOUBLE_EQ(doc->GetW()(1, 2), std::sqrt(1.0 + 9.0));
  EXPECT_DOUBLE_EQ(doc->GetW()(5, 4), std::sqrt(1.0 + 81.0));
}

// After "Salvar como" the window titles name the new file only.
TEST_F(JanelaModelo, SaveAsRenamesTheWindowTitles) {
  auto cab = CabecalhoPequeno(5);
  CTarsolinDoc* doc = Abre(*cab, QStringLiteral("baltimore.tsn"));
  ASSERT_NE(doc, nullptr);
  QMdiSubWindow* sub = JanelaDoModelo();
  ASSERT_NE(sub, nullptr);
  sub->showMaximized();
  QCoreApplication::processEvents();
  const QString copia = pasta.filePath(QStringLiteral("copia.tsn"));
  plat::RoteiroPara(QStringLiteral("dlgSalvarModelo"), [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(copia);
    d.accept();
  });
  Executa(ID_FILE_SAVE_AS);
  ASSERT_EQ(doc->GetPathName(), copia);
  EXPECT_EQ(sub->windowTitle(), QStringLiteral("copia.tsn"));
  EXPECT_EQ(Frame()->windowTitle().toStdString(), "Tarsolin Windows - [copia.tsn]");
  sub->showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(Frame()->windowTitle().toStdString(), "Tarsolin Windows - copia.tsn");
  sub->showMaximized();
  QCoreApplication::processEvents();
  EXPECT_EQ(Frame()->windowTitle().toStdString(), "Tarsolin Windows - [copia.tsn]");
}

// "Lado a lado" lays the windows out inside the main window: it never grows
// the main window, nor the placement kept in the settings.
TEST_F(JanelaModelo, TileKeepsTheMainWindowSize) {
  CMainFrame* f = Frame();
  f->showNormal();
  f->setGeometry(50, 60, 900, 600);
  QCoreApplication::processEvents();
  auto cab = CabecalhoPequeno(5);
  ASSERT_NE(Abre(*cab, QStringLiteral("a.tsn")), nullptr);
  ASSERT_NE(Abre(*cab, QStringLiteral("b.tsn")), nullptr);
  QCoreApplication::processEvents();
  const QSize antes = f->size();
  const Retangulo guardado = app->Opcoes().FrameRect;
  for (int vez = 0; vez < 4; ++vez) Executa(ID_WINDOW_TILE_HORZ);
  EXPECT_EQ(f->size(), antes);
  EXPECT_EQ(app->Opcoes().FrameRect, guardado);
}

// A command of the model window that closes the data window (its variables
// display, the rename dialog) first offers to save the edits the window
// holds, as closing it by hand does: Cancelar keeps the window and runs
// nothing, Sim saves the edit into the file.
TEST_F(JanelaModelo, CommandsThatCloseTheDataWindowOfferToSaveItsEdits) {
  for (const int comando : {32912, 32909}) {
    SCOPED_TRACE(comando);
    auto cab = CabecalhoPequeno(5);
    cab->SetI32(C::OffLargurasFixasDados, 2000);  // the address column, 2000 twips wide
    CTarsolinDoc* doc = Abre(*cab, QStringLiteral("d%1.tsn").arg(comando));
    ASSERT_NE(doc, nullptr);
    Executa(32813);  // Dados > Editar dados
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaDados).data());
    ASSERT_NE(sub, nullptr);
    auto* dados = qobject_cast<CDadosFrame*>(sub->widget());
    ASSERT_NE(dados, nullptr);
    CTableCtrl* g = dados->Host()->PaginaDadosEditar()->Grade();
    // The splash screen, still up, would take the first click.
    if (CSplashWnd* splash = CSplashWnd::Atual()) splash->CloseSplash();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // "Rua Nova" typed into the address of record 2 and committed.
    QRect r;
    ASSERT_TRUE(g->GetCellRect(2, 2, &r));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    QCoreApplication::processEvents();
    for (QChar c : QStringLiteral("Rua Nova")) {
      QTest::keyClicks(QApplication::focusWidget(), QString(c));
      QCoreApplication::processEvents();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(g->GetCellText(2, 2), QStringLiteral("Rua Nova"));
    const QString pergunta = plat::Texto(21001).arg(QFileInfo(doc->GetPathName()).fileName());

    mensagens.reset();  // one recorder at a time: each restores the handler it found
    mensagens = std::make_unique<plat::GravadorMensagens>(plat::IDCANCEL);
    Executa(comando);
    EXPECT_EQ(mensagens->Textos(), QStringList{pergunta});
    EXPECT_EQ(doc->Janela(CTarsolinDoc::JanelaDados).data(), sub);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(g->GetCellText(2, 2), QStringLiteral("Rua Nova"));

    mensagens.reset();  // one recorder at a time: each restores the handler it found
    mensagens = std::make_unique<plat::GravadorMensagens>(plat::IDYES);
    Executa(comando);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mensagens->Textos().value(0), pergunta);
    EXPECT_EQ(doc->Janela(CTarsolinDoc::JanelaDados).data(), nullptr);
    auto lido = std::make_unique<CabecalhoModelo>();
    ASSERT_TRUE(LeCabecalhoModelo(doc->GetPathName(), lido.get()));
    std::vector<dado> d(5);
    ASSERT_TRUE(LeRegistrosModelo(doc->GetPathName(), lido.get(), d.data(), nullptr));
    EXPECT_EQ(d[1].Endereco(), QStringLiteral("Rua Nova"));
    mensagens.reset();  // one recorder at a time: each restores the handler it found
    mensagens = std::make_unique<plat::GravadorMensagens>();
  }
}
