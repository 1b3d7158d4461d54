#include "AssistenteModelo.h"

#include "CNomeVariaveis.h"
#include "CNovoModelo.h"
#include "CSenhaModelo.h"
#include "CTipoVariaveis.h"
#include "CVariaveisComuns.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarsolinApp.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"

namespace {
constexpr int PaginaTipos = 1;

QWidget* JanelaPrincipal() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  return app ? app->MainFrame() : nullptr;
}
}  // namespace

namespace {
// The pages over `cab`, in their order; the variables page only with a catalogue (the new model).
void AdicionaPaginas(CWizard& folha, CabecalhoModelo& cab, const std::vector<Var>* catalogo) {
  auto* novo = new CNovoModelo;
  novo->DefineCabecalho(&cab);
  folha.AddPage(novo);
  if (catalogo) {
    auto* nomes = new CNomeVariaveis;
    nomes->DefineCabecalho(&cab);
    nomes->DefineCatalogo(catalogo);
    folha.AddPage(nomes);
  }
  auto* tipos = new CTipoVariaveis;
  tipos->DefineCabecalho(&cab);
  folha.AddPage(tipos);
  auto* senha = new CSenhaModelo;
  senha->DefineCabecalho(&cab);
  folha.AddPage(senha);
}
}  // namespace

bool ExecutaAssistenteNovoModelo(CabecalhoModelo& cab, const std::vector<Var>& catalogo, QWidget* parent) {
  CWizard folha(QStringLiteral("Novo Modelo"), parent, 0);
  AdicionaPaginas(folha, cab, &catalogo);
  return folha.DoModal() == QDialog::Accepted;
}

bool ExecutaFolhaPropriedades(CabecalhoModelo& copia, QWidget* parent, bool assistente) {
  CWizard folha(assistente ? QStringLiteral("Propriedades do Modelo") : QString(), parent, PaginaTipos,
                assistente ? CWizard::CabecalhoPadrao : 0, assistente ? CWizard::MarcaDaguaPadrao : 0);
  AdicionaPaginas(folha, copia, nullptr);
  return folha.DoModal() == QDialog::Accepted;
}

void RegistraAssistenteModelo() {
  CChildFrame::DefineAssistentePropriedades(
      [](CTarsolinDoc&, CabecalhoModelo& copia) { return ExecutaFolhaPropriedades(copia, JanelaPrincipal(), true); });
  CChildFrame::DefineFolhaPropriedades(
      [](CTarsolinDoc&, CabecalhoModelo& copia) { return ExecutaFolhaPropriedades(copia, JanelaPrincipal(), false); });
  CChildFrame::RegistraDialogo(32910, [](CTarsolinDoc&) {
    CVariaveisComuns dlg(QString(), JanelaPrincipal());
    return plat::ExecutaDialogo(dlg) == QDialog::Accepted;
  });
}
