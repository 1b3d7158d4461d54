#include "RegistroDiagnostico.h"

#include "CChildFrame.h"
#include "CCorrelacoesView.h"
#include "COutliers.h"
#include "CValidarView.h"
#include "CorrelacaoEsp.h"
#include "PaginasResiduos.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"

void RegistraJanelasDiagnostico() {
  CChildFrame::RegistraJanelaAuxiliar(
      32840, {CTarsolinDoc::JanelaResiduos, false, 0, [](CTarsolinDoc* doc) -> QWidget* { return CriaJanelaResiduos(doc); }});
  CChildFrame::RegistraJanelaAuxiliar(32852, {CTarsolinDoc::JanelaValoresAjustados, false, 0,
                                              [](CTarsolinDoc* doc) -> QWidget* { return CriaJanelaAderencia(doc); }});
  CChildFrame::RegistraJanelaAuxiliar(
      32843, {CTarsolinDoc::JanelaValidar, false, 0, [](CTarsolinDoc* doc) -> QWidget* { return CriaJanelaValidacao(doc); }});
  // The library reads the model file: it must hold what the user sees.
  CChildFrame::RegistraJanelaAuxiliar(32833, {CTarsolinDoc::JanelaCorrelacoes, true, 2,
                                              [](CTarsolinDoc* doc) -> QWidget* { return CriaJanelaCorrelacoes(doc); }});
  CChildFrame::RegistraDialogo(32834, [](CTarsolinDoc& doc) {
    CorrelacaoEsp dlg(&doc);
    plat::ExecutaDialogo(dlg);
    return true;
  });
  CChildFrame::RegistraDialogo(32838, [](CTarsolinDoc& doc) {
    COutliers dlg(&doc);
    plat::ExecutaDialogo(dlg);
    return true;
  });
}
