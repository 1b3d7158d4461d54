#include "RegistroDialogos.h"

#include "CCalculadora.h"
#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "CTermo.h"
#include "CTipDlg.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/FormatosAntigos.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QDir>

namespace {

QWidget* JanelaPrincipal() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  return app ? app->MainFrame() : nullptr;
}

void AvisaVariaveisDemais(int variaveis) {
  plat::MessageBox(QStringLiteral("O Kolmar Windows 5 admite no máximo %1 variáveis e o modelo tem %2: "
                                  "não é possível exportá-lo !")
                       .arg(CabecalhoKmr5::MaxVariaveis)
                       .arg(variaveis),
                   QString(), plat::MB_ICONEXCLAMATION);
}

}  // namespace

bool PodeExportarKmr5(CTarsolinDoc& doc) {
  const int variaveis = doc.GetCabecalho() ? doc.GetCabecalho()->NumVariaveis() : 0;
  if (variaveis <= CabecalhoKmr5::MaxVariaveis) return true;
  AvisaVariaveisDemais(variaveis);
  return false;
}

bool ExportaModeloKmr5(CTarsolinDoc& doc, const QString& destino) {
  if (!doc.GetCabecalho()) return false;
  const bool carregados = doc.RegistrosCarregados();
  if (!doc.CarregaRegistros()) {
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONSTOP);
    return false;
  }
  const ResultadoExportacao r = ExportaKmr5(*doc.GetCabecalho(), doc.GetDados(), destino);
  if (!carregados) doc.LiberaRegistros();
  switch (r) {
    case ResultadoExportacao::Feito:
      return true;
    case ResultadoExportacao::VariaveisDemais:
      AvisaVariaveisDemais(doc.GetCabecalho()->NumVariaveis());
      return false;
    case ResultadoExportacao::Falha:
      break;
  }
  plat::MessageBox(QStringLiteral("Não foi possível exportar o modelo para %1 !").arg(QDir::toNativeSeparators(destino)),
                   QString(), plat::MB_ICONSTOP);
  return false;
}

void RegistraDialogosPequenos() {
  // The calculator of the model window is its own modal window, with no parent.
  CChildFrame::RegistraDialogo(32830, [](CTarsolinDoc&) {
    CCalculadora calculadora(nullptr);
    plat::ExecutaDialogo(calculadora);
    return true;
  });
  CChildFrame::RegistraDialogo(32915, [](CTarsolinDoc& doc) {
    CTermo termo(&doc, JanelaPrincipal());
    return plat::ExecutaDialogo(termo) == QDialog::Accepted;
  });
  CChildFrame::DefineExportadorV5(ExportaModeloKmr5, PodeExportarKmr5);
  CTarsolinApp::DefineDicaDoDia([](bool inicio) {
    if (inicio && !CTipDlg::ExibeNoInicio()) return;
    CTipDlg dica(JanelaPrincipal());
    plat::ExecutaDialogo(dica);
  });
}
