#include "ServicosDocumentoApp.h"

#include "CInputSenha.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "RoteadorComandos.h"

#include "platform/Dialogo.h"
#include "views/wizard/AssistenteModelo.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

bool ServicosDocumentoApp::AssistenteNovoModelo(CabecalhoModelo& cabecalho, std::vector<Var>& catalogo) {
  return ExecutaAssistenteNovoModelo(cabecalho, catalogo, app_ ? app_->MainFrame() : nullptr);
}

bool ServicosDocumentoApp::PedeSenha(CTarsolinDoc& doc) {
  CInputSenha dlg(&doc, app_ ? app_->MainFrame() : nullptr);
  return plat::ExecutaDialogo(dlg) == QDialog::Accepted;
}

bool ServicosDocumentoApp::PedeCaminhoSalvar(CTarsolinDoc& doc, QString& caminho) {
  QFileDialog dlg(app_ ? app_->MainFrame() : nullptr, "Salvar como");
  dlg.setObjectName("dlgSalvarModelo");
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  dlg.setNameFilter("Arquivos Tarsolin (*.tsn)");
  dlg.setDefaultSuffix("tsn");
  if (!caminho.isEmpty()) dlg.selectFile(caminho);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
  caminho = QFileInfo(dlg.selectedFiles().first()).absoluteFilePath();
  return true;
}

void ServicosDocumentoApp::AdicionaArquivoRecente(const QString& caminho) {
  if (!app_) return;
  app_->Recentes().Adiciona(caminho);
  app_->Recentes().Grava(*CTarsolinApp::Configuracoes());
}

void ServicosDocumentoApp::PostaComando(int comando) { RoteadorComandos::Instancia().Posta(comando); }

void ServicosDocumentoApp::PostaComandoModelo(CTarsolinDoc& doc, int comando) {
  // The model window is looked for when the command runs: a new model's
  // window is created after its document posts, and closing a window of the
  // model activates whichever window QMdiArea's order names next.
  if (!app_) return PostaComando(comando);
  QPointer<CTarsolinDoc> modelo(&doc);
  QPointer<CTarsolinApp> app(app_);
  RoteadorComandos::Instancia().PostaEm(
      [modelo, app]() -> QObject* {
        CMainFrame* principal = app && modelo ? app->MainFrame() : nullptr;
        return principal ? principal->AtivaJanelaModelo(modelo) : nullptr;
      },
      comando);
}

void ServicosDocumentoApp::CursorEspera(bool ligado) {
  if (ligado) QApplication::setOverrideCursor(Qt::WaitCursor);
  else QApplication::restoreOverrideCursor();
}

void ServicosDocumentoApp::MargensPadrao(int& esquerda, int& direita, int& superior, int& inferior) {
  if (!app_) return ServicosDocumento::MargensPadrao(esquerda, direita, superior, inferior);
  const Retangulo& m = app_->Opcoes().PageMargin;
  esquerda = m.left;
  direita = m.right;
  superior = m.top;
  inferior = m.bottom;
}
