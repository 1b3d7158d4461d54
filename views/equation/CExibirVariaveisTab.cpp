#include "CExibirVariaveisTab.h"

#include "CExibirVariaveis.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "RoteadorComandos.h"

#include <QTabWidget>
#include <QVBoxLayout>

CExibirVariaveisTab::CExibirVariaveisTab(CTarsolinDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("CExibirVariaveisTab"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(":2"));
  setAccessibleName(QStringLiteral("Exibir Variáveis"));
  setUpdatesEnabled(false);
  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("1066"));
  abas_->setTabPosition(QTabWidget::South);
  abas_->setDocumentMode(true);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(abas_);
  direta_ = new CExibirVariaveis(doc, abas_);
  transformada_ = new CExibirVariaveisT(doc, abas_);
  abas_->addTab(direta_, QStringLiteral("Direta"));
  abas_->addTab(transformada_, QStringLiteral("Transformada"));
  abas_->setCurrentIndex(0);
  // The selected page takes the commands from now on.
  connect(abas_, &QTabWidget::currentChanged, this, [] { RoteadorComandos::Instancia().AtualizaAcoes(); });
  setUpdatesEnabled(true);
  resize(900, 640);
}

CExibirVariaveisTab::~CExibirVariaveisTab() = default;

CExibirVariaveisTab* CExibirVariaveisTab::Cria(CTarsolinDoc* doc, QWidget* parent) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* host = new CExibirVariaveisTab(doc, parent);
  // The result panes that belong to the model window step aside.
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  host->direta_->resize(host->size());
  host->transformada_->resize(host->size());
  host->direta_->OnInitialUpdate();
  host->transformada_->OnInitialUpdate();
  return host;
}

CExibirVariaveis* CExibirVariaveisTab::PaginaAtiva() const {
  return qobject_cast<CExibirVariaveis*>(abas_->currentWidget());
}

QObject* CExibirVariaveisTab::VistaAtiva() { return PaginaAtiva(); }
