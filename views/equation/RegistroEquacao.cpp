#include "RegistroEquacao.h"

#include "CChildFrame.h"
#include "CEquacaoViewTab.h"
#include "CMainFrame.h"
#include "Comandos.h"
#include "views/charts/CColorGrafico.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"

#include <QKeySequence>

void RegistraJanelasEquacao(CMainFrame* principal) {
  CChildFrame::RegistraJanelaAuxiliar(
      32836, {CTarsolinDoc::JanelaEquacao, false, 0, [](CTarsolinDoc* doc) -> QWidget* { return CEquacaoViewTab::Cria(doc); }});
  CChildFrame::RegistraDialogo(32850, [](CTarsolinDoc&) {
    CColorGrafico dlg;
    return plat::ExecutaDialogo(dlg) == QDialog::Accepted;
  });
  if (!principal) return;
  principal->AdicionaComandoMenu(QStringLiteral("&Arquivo"), ID_FILE_PRINT, QStringLiteral("&Imprimir ..."),
                                 QKeySequence::Print, ID_IMPORTAR);
  principal->AdicionaComandoMenu(QStringLiteral("&Arquivo"), ID_FILE_PRINT_PREVIEW,
                                 QStringLiteral("&Visualizar Impressão ..."), {}, ID_IMPORTAR);
}
