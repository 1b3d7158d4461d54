#pragma once
// The program started for a test (offscreen, dialogs scripted, messages
// recorded), with a model opened and its equation window reached through
// "&Equação ..." as the user reaches it.
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "ModeloEquacao.h"
#include "views/equation/CEquacaoViewTab.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace teste {

class ProgramaEquacao : public ::testing::Test {
protected:
  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    app = std::make_unique<CTarsolinApp>();
    ASSERT_TRUE(app->InitInstance({"--sem-boas-vindas"}));
  }
  void TearDown() override {
    app.reset();
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  CTarsolinDoc* Abre(ModeloEquacao& m, const QString& nome = QStringLiteral("m.tsn")) {
    CTarsolinDoc* doc = app->OpenDocumentFile(m.Grava(pasta, nome));
    QCoreApplication::processEvents();
    return doc;
  }
  CEquacaoViewTab* AbreEquacao(CTarsolinDoc* doc) {
    app->MainFrame()->Acao(32836)->trigger();
    QCoreApplication::processEvents();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaEquacao).data());
    return sub ? qobject_cast<CEquacaoViewTab*>(sub->widget()) : nullptr;
  }
  QTemporaryDir pasta;
  plat::GravadorMensagens mensagens;
  std::unique_ptr<CTarsolinApp> app;
};

}  // namespace teste
