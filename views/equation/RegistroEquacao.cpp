#include "RegistroEquacao.h"

#include "CChildFrame.h"
#include "CEquacaoViewTab.h"
#include "CExibirVariaveisTab.h"
#include "CGraficoVariaveis.h"
#include "CProjetar.h"
#include "views/charts/CColorGrafico.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"


void RegistraJanelasEquacao() {
  CChildFrame::RegistraJanelaAuxiliar(
      32836, {CTarsolinDoc::JanelaEquacao, false, 0, [](CTarsolinDoc* doc) -> QWidget* { return CEquacaoViewTab::Cria(doc); }});
  CChildFrame::RegistraJanelaAuxiliar(32912, {CTarsolinDoc::JanelaExibirVariaveis, false, 0, [](CTarsolinDoc* doc) -> QWidget* {
                                          return CExibirVariaveisTab::Cria(doc);
                                        }});
  CChildFrame::RegistraJanelaAuxiliar(32853, {CTarsolinDoc::JanelaGraficoVariaveis, false, 0, [](CTarsolinDoc* doc) -> QWidget* {
                                          return CGraficoVariaveis::Cria(doc);
                                        }});
  // Projection: the full save offer first, the records it loads are its own;
  // the model window that opens it runs the model commands of its pages.
  CChildFrame::RegistraJanelaAuxiliar(32839, {CTarsolinDoc::JanelaProjetar, false, 2,
                                              [](CTarsolinDoc* doc, CChildFrame* moldura) -> QWidget* {
                                                return CProjetarFrame::Cria(doc, moldura);
                                              }});
  CChildFrame::RegistraDialogo(32850, [](CTarsolinDoc&) {
    CColorGrafico dlg;
    return plat::ExecutaDialogo(dlg) == QDialog::Accepted;
  });
}
