// The Janela menu as the user reaches it: a model, its equation window and a
// report open; the menu lists them numbered, the active one checked.
#include "CMainFrame.h"
#include "CSplashWnd.h"
#include "DriversCalculo.h"
#include "ProgramaEquacao.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {
using teste::ModeloEquacao;

class MenuJanela : public teste::ProgramaEquacao {
protected:
  QMenu* Janela() const {
    for (QAction* a : app->MainFrame()->menuBar()->actions())
      if (a->menu() && a->text() == QStringLiteral("&Janela")) return a->menu();
    return nullptr;
  }
  // Opens the menu under its title and reads the entries below "Lado a lado":
  // their texts, the checked one marked with a '*'.
  QStringList Lista(QMenu* menu) {
    QMenuBar* barra = app->MainFrame()->menuBar();
    menu->popup(barra->mapToGlobal(barra->actionGeometry(menu->menuAction()).bottomLeft()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 2000));
    QStringList r;
    bool depois = false;
    for (QAction* a : menu->actions()) {
      if (a->text() == QStringLiteral("&Lado a lado")) { depois = true; continue; }
      if (!depois || a->isSeparator() || !a->isVisible()) continue;
      r << (a->isChecked() ? QStringLiteral("*") : QString()) + a->text();
    }
    return r;
  }
  static void Espera() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
};

TEST_F(MenuJanela, ListsTheOpenWindowsNumberedWithTheActiveOneChecked) {
  ModeloEquacao m = teste::ModeloSensibilidade();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(doc, nullptr);
  ASSERT_NE(AbreEquacao(doc), nullptr);
  const QString texto = pasta.filePath(QStringLiteral("laudo.txt"));
  {
    QFile f(texto);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Laudo de teste\r\n");
  }
  app->OpenDocumentFile(texto);
  Espera();
  CMainFrame* frame = app->MainFrame();
  QMdiArea* mdi = frame->Mdi();
  ASSERT_EQ(mdi->subWindowList().size(), 3);
  QMdiSubWindow* laudo = mdi->activeSubWindow();
  ASSERT_EQ(laudo, mdi->subWindowList(QMdiArea::CreationOrder)[2]);
  laudo->showMaximized();  // the maximised report hides the other windows
  QApplication::setActiveWindow(frame);
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));

  QMenu* menu = Janela();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Lista(menu), (QStringList{"&1 m.tsn", "&2 m.tsn:2", "*&3 laudo.txt"}));
  QTest::keyClick(menu, Qt::Key_Escape);
  // The model's entry brings it in front of the maximised report.
  QList<QMdiSubWindow*> janelas = mdi->subWindowList(QMdiArea::CreationOrder);
  Lista(menu);
  QAction* primeira = nullptr;
  for (QAction* a : menu->actions())
    if (a->text() == QStringLiteral("&1 m.tsn")) primeira = a;
  ASSERT_NE(primeira, nullptr);
  QTest::keyClick(menu, Qt::Key_Escape);
  primeira->trigger();  // what the menu does on a click on the entry
  Espera();
  EXPECT_EQ(mdi->activeSubWindow(), janelas[0]);
  EXPECT_EQ(Lista(menu), (QStringList{"*&1 m.tsn", "&2 m.tsn:2", "&3 laudo.txt"}));
  QTest::keyClick(menu, Qt::Key_Escape);
  // Keys reach the frame's shortcuts once the menu has gone and the frame is
  // the active window again.
  auto pronto = [&] {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }, 5000));
    QApplication::setActiveWindow(frame);
    Espera();
    return QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(frame);
  };
  // Ctrl+F6 goes on to the next window: from the model to its equation window.
  QTest::keyClick(pronto(), Qt::Key_F6, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return mdi->activeSubWindow() == janelas[1]; }, 5000));
  // Ctrl+F4 closes the active window (the equation window here).
  QTest::keyClick(pronto(), Qt::Key_F4, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return mdi->subWindowList().size() == 2; }, 5000));
  EXPECT_EQ(mdi->subWindowList().size(), 2);
  EXPECT_FALSE(mdi->subWindowList().contains(janelas[1]));
  EXPECT_TRUE(mensagens.Textos().isEmpty()) << mensagens.Textos().join('|').toStdString();
}

// TARSOLIN_CAPTURAS names a folder that receives a picture of the screen with
// the Janela menu open over the sample model's window, its equation window and
// its results report, the report maximised and active.
TEST_F(MenuJanela, PictureOfTheMenuOverTheSampleModel) {
  const QString capturas = qEnvironmentVariable("TARSOLIN_CAPTURAS");
  if (capturas.isEmpty()) GTEST_SKIP() << "TARSOLIN_CAPTURAS not set";
  const QString caminho = pasta.filePath(QStringLiteral("baltimore.tsn"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), caminho));
  QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
  {
    drivers::Modulos() = drivers::NomesModulos{};
    plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
      plat::DefineMarcado(d, 1030, true);
      for (int id : {1016, 1018, 1019, 1020, 1021, 1022}) plat::DefineMarcado(d, id, false);
      plat::DefineMarcado(d, 1017, true);
      plat::Pressiona(d, 1);
    });
    CTarsolinDoc calculo;
    ASSERT_TRUE(calculo.AbreArquivo(caminho));
    ASSERT_TRUE(drivers::RegressaoLinear(calculo));
    plat::LimpaRoteiros();
  }
  CMainFrame* frame = app->MainFrame();
  frame->showNormal();
  frame->setGeometry(0, 0, 1400, 900);
  CTarsolinDoc* doc = app->OpenDocumentFile(caminho);
  Espera();
  ASSERT_NE(doc, nullptr);
  ASSERT_NE(AbreEquacao(doc), nullptr);
  frame->Mdi()->setActiveSubWindow(frame->Mdi()->subWindowList(QMdiArea::CreationOrder)[0]);
  frame->Acao(32841)->trigger();
  Espera();
  ASSERT_EQ(frame->Mdi()->subWindowList().size(), 3);
  frame->Mdi()->activeSubWindow()->showMaximized();
  frame->activateWindow();
  Espera();
  QMenu* menu = Janela();
  ASSERT_NE(menu, nullptr);
  const QStringList lista = Lista(menu);
  ASSERT_EQ(lista.size(), 3);
  EXPECT_TRUE(lista[2].startsWith(QLatin1Char('*'))) << lista.join('|').toStdString();
  if (CSplashWnd* abertura = CSplashWnd::Atual()) abertura->CloseSplash();  // its timer has not run yet
  QTest::qWait(500);
  QDir().mkpath(capturas);
  EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(capturas).filePath(QStringLiteral("menu-janela.png"))));
  QTest::keyClick(menu, Qt::Key_Escape);
}

}  // namespace
