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
