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

bool ExecutaAssistenteNovoModelo(CabecalhoModelo& cab, const std::vector<Var>& catalogo, QWidget* parent) {
  CWizard folha(QStringLiteral("Novo Modelo"), parent, 0);
  auto* novo = new CNovoModelo;
  auto* nomes = new CNomeVariaveis;
  auto* tipos = new CTipoVariaveis;
  auto* senha = new CSenhaModelo;
  novo->DefineCabecalho(&cab);
  nomes->DefineCabecalho(&cab);
  nomes->DefineCatalogo(&catalogo);
  tipos->DefineCabecalho(&cab);
  senha->DefineCabecalho(&cab);
  folha.AddPage(novo);
  folha.AddPage(nomes);
  folha.AddPage(tipos);
  folha.AddPage(senha);
  return folha.DoModal() == QDialog::Accepted;
}

bool ExecutaFolhaPropriedades(CabecalhoModelo& copia, QWidget* parent, bool assistente) {
  CWizard folha(assistente ? QStringLiteral("Propriedades do Modelo") : QString(), parent, PaginaTipos,
                assistente ? CWizard::CabecalhoPadrao : 0, assistente ? CWizard::MarcaDaguaPadrao : 0);
  auto* novo = new CNovoModelo;
  auto* tipos = new CTipoVariaveis;
  auto* senha = new CSenhaModelo;
  novo->DefineCabecalho(&copia);
  tipos->DefineCabecalho(&copia);
  senha->DefineCabecalho(&copia);
  folha.AddPage(novo);
  folha.AddPage(tipos);
  folha.AddPage(senha);
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
