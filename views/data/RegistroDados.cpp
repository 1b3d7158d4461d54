#include "RegistroDados.h"

#include "CAlterarNome.h"
#include "CChildFrame.h"
#include "CDadosFrame.h"
#include "CReconsiderarVariaveis.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"

void RegistraJanelasDados() {
  for (const bool pesos : {false, true})
    CChildFrame::RegistraJanelaAuxiliar(pesos ? 32820 : 32813,
                                        {CTarsolinDoc::JanelaDados, true, 2, [pesos](CTarsolinDoc* doc) -> QWidget* {
                                           return CDadosFrame::Cria(doc, pesos);
                                         }});
  CChildFrame::RegistraDialogo(32909, [](CTarsolinDoc& doc) {
    CAlterarNome dlg(&doc);
    return plat::ExecutaDialogo(dlg) == QDialog::Accepted;
  });
  CChildFrame::RegistraDialogo(32908, [](CTarsolinDoc& doc) {
    CReconsiderarVariaveis dlg(&doc);
    return plat::ExecutaDialogo(dlg) == QDialog::Accepted;
  });
}
