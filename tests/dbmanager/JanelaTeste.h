#pragma once
// A main frame with a query window on a small SQLite file, and a run of the
// editor's text waited for, as the window tests use them.
#include "FontesTeste.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/ComandosBrenk.h"
#include "platform/Dialogo.h"

#include <QSettings>
#include <QTemporaryDir>
#include <memory>

class JanelaConsulta : public ::testing::Test {
protected:
  void SetUp() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(true);
    QSettings().remove(QStringLiteral("Configure"));
    arquivo_ = dir_.filePath(QStringLiteral("base.db"));
    ASSERT_TRUE(teste::CriaBancoSqlite(arquivo_));
    frame_ = std::make_unique<brenk::CMainFrame>();
    frame_->resize(1000, 700);
    frame_->show();
  }
  void TearDown() override {
    frame_.reset();
    plat::DefineModoRoteiro(false);
    plat::LimpaRoteiros();
  }
  brenk::CChildFrame* Abre() {
    brenk::CQueryDoc* doc = frame_->AbreNovaConexao(teste::TextoSqlite(arquivo_), QString(), QString());
    return doc ? qobject_cast<brenk::CChildFrame*>(doc->parent()) : nullptr;
  }
  // Runs the editor's text and waits for the end of the run.
  static bool Roda(brenk::CChildFrame* j, const QString& sql, int esperaMs = 10000) {
    j->Editor()->setPlainText(sql);
    j->OnCmdMsg(brenk::ID_EXECUTAR);
    QElapsedTimer t;
    t.start();
    while (j->Executando() && t.elapsed() < esperaMs) QTest::qWait(20);
    return !j->Executando();
  }

  QTemporaryDir dir_;
  QString arquivo_;
  std::unique_ptr<brenk::CMainFrame> frame_;
};

