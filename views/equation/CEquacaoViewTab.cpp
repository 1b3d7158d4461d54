#include "CEquacaoViewTab.h"

#include "CEquacaoView.h"
#include "CEquacaoViewRE.h"
#include "CEquacaoViewRET.h"
#include "CEquacaoViewT.h"
#include "ComandosModelo.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
using C = CabecalhoModelo;

// The equation the statistics stand on: the spatial model's when it exists.
int EquacaoEmVigor(const CabecalhoModelo& cab) {
  return std::clamp(cab.EspacialCalculado() ? cab.I32(C::OffEquacaoEspacial) : cab.EquacaoCorrente(), 0,
                    C::MaxEquacoes - 1);
}
}  // namespace

CEquacaoViewTab::CEquacaoViewTab(CTarsolinDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("CEquacaoViewTab"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(":2"));
  setAccessibleName(QStringLiteral("Equação de regressão"));
  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("1066"));
  abas_->setTabPosition(QTabWidget::South);
  abas_->setDocumentMode(true);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(abas_);
  resize(900, 640);
}

CEquacaoViewTab::~CEquacaoViewTab() = default;

CEquacaoViewTab* CEquacaoViewTab::Cria(CTarsolinDoc* doc, QWidget* parent) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* host = new CEquacaoViewTab(doc, parent);
  const PreparoEquacao r = host->PreparaEstatisticasEquacao();
  if (r != PreparoEquacao::Pronto) {
    delete host;
    plat::MessageBox(MensagemPreparo(r), QString(), plat::MB_ICONEXCLAMATION);
    return nullptr;
  }
  if (host->estatisticas_.semW)
    plat::MessageBox(QStringLiteral("Matriz de pesos W não construída: o termo de defasagem espacial não é "
                                    "considerado !"),
                     QString(), plat::MB_ICONEXCLAMATION);
  host->CriaPaginas();
  // The result panes that belong to the model window step aside.
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  for (PaginaEquacao* p : host->paginas_) p->OnInitialUpdate();
  return host;
}

PreparoEquacao CEquacaoViewTab::PreparaEstatisticasEquacao() {
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) {
    ::PreparaEstatisticasEquacao(estatisticas_, *doc_->GetCabecalho(), nullptr, doc_->GetW());
    return PreparoEquacao::SemRegistros;
  }
  return ::PreparaEstatisticasEquacao(estatisticas_, *doc_->GetCabecalho(), doc_->GetDados(), doc_->GetW());
}

const EstatisticasEquacao& CEquacaoViewTab::Estatisticas() {
  if (doc_ && doc_->GetCabecalho() && estatisticas_.k > 0 &&
      EquacaoEmVigor(*doc_->GetCabecalho()) != estatisticas_.equacao) {
    const EstatisticasEquacao anteriores = estatisticas_;
    if (PreparaEstatisticasEquacao() != PreparoEquacao::Pronto) {
      // The new equation cannot be analysed: the window goes rather than mixing two equations.
      estatisticas_ = anteriores;
      FechaJanela();
    }
  }
  return estatisticas_;
}

void CEquacaoViewTab::CriaPaginas() {
  setUpdatesEnabled(false);
  const bool espacial = doc_->GetCabecalho()->EspacialCalculado();
  paginas_.push_back(new CEquacaoView(doc_, this, abas_));
  paginas_.push_back(new CEquacaoViewT(doc_, this, abas_));
  if (espacial) {
    paginas_.push_back(new CEquacaoViewRE(doc_, this, abas_));
    paginas_.push_back(new CEquacaoViewRET(doc_, this, abas_));
  }
  for (PaginaEquacao* p : paginas_) abas_->addTab(p, QString::fromUtf8(p->Config().aba));
  abas_->setCurrentIndex(0);
  setUpdatesEnabled(true);
}

PaginaEquacao* CEquacaoViewTab::Pagina(int i) const {
  return i >= 0 && i < int(paginas_.size()) ? paginas_[std::size_t(i)] : nullptr;
}

PaginaEquacao* CEquacaoViewTab::PaginaAtiva() const { return qobject_cast<PaginaEquacao*>(abas_->currentWidget()); }

QObject* CEquacaoViewTab::VistaAtiva() { return PaginaAtiva(); }
QObject* CEquacaoViewTab::DocumentoAlvo() { return doc_; }

QWidget* CEquacaoViewTab::MolduraModelo() const { return MolduraDoModelo(doc_); }

void CEquacaoViewTab::FechaJanela() {
  if (fechando_) return;
  fechando_ = true;
  QWidget* janela = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
  QTimer::singleShot(0, janela, [janela] { janela->close(); });
}
