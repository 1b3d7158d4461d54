#include "CWizard.h"

#include "CHoverButton.h"
#include "platform/Dialogo.h"
#include "platform/TabelaTextos.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QShowEvent>
#include <QTimer>

// ------------------------------------------------------------------ page

void CPaginaWizard::SetWizardButtons(int botoes) {
  botoes_ = botoes;
  if (CWizard* f = Folha()) f->SetWizardButtons(botoes);
  emit completeChanged();
}

CWizard* CPaginaWizard::Folha() const { return qobject_cast<CWizard*>(wizard()); }

int CPaginaWizard::NumPaginasFolha() const {
  const CWizard* f = Folha();
  return f ? f->GetPageCount() : 0;
}

bool CPaginaWizard::isComplete() const {
  // Before the page said anything the framework's own rule stands.
  return botoes_ == 0 || (botoes_ & (CWizard::PSWIZB_NEXT | CWizard::PSWIZB_FINISH)) != 0;
}

// ------------------------------------------------------------------ sheet

CWizard::CWizard(const QString& titulo, QWidget* parent, int primeiraPagina, int idCabecalho, int idMarcaDagua)
    : QWizard(parent) {
  Inicia(titulo, primeiraPagina, idCabecalho, idMarcaDagua);
}

CWizard::CWizard(int idTitulo, QWidget* parent, int primeiraPagina, int idCabecalho, int idMarcaDagua)
    : QWizard(parent) {
  Inicia(plat::Texto(idTitulo), primeiraPagina, idCabecalho, idMarcaDagua);
}

void CWizard::Inicia(const QString& titulo, int primeiraPagina, int idCabecalho, int idMarcaDagua) {
  setObjectName(QStringLiteral("dlgWizard"));
  setWindowTitle(titulo);
  primeira_ = std::max(0, primeiraPagina);
  // The same look on every desktop: watermark on the first page, header above the others.
  setWizardStyle(QWizard::ModernStyle);
  setOption(QWizard::NoBackButtonOnStartPage, false);
  setOption(QWizard::HaveHelpButton, false);
  if (idMarcaDagua != 0) {
    const QImage marca = CHoverButton::CarregaRecurso(idMarcaDagua);
    if (!marca.isNull()) marca_ = QPixmap::fromImage(marca);
  }
  if (idCabecalho != 0) {
    const QImage cabecalho = CHoverButton::CarregaRecurso(idCabecalho);
    if (!cabecalho.isNull()) setPixmap(QWizard::LogoPixmap, QPixmap::fromImage(cabecalho));
  }
  setButtonText(QWizard::BackButton, QStringLiteral("< &Voltar"));
  setButtonText(QWizard::NextButton, QStringLiteral("&Avançar >"));
  setButtonText(QWizard::FinishButton, QStringLiteral("Concluir"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Cancelar"));
  // Back asks the page first: a page may refuse to go back.
  QAbstractButton* voltar = button(QWizard::BackButton);
  disconnect(voltar, nullptr, this, nullptr);
  connect(voltar, &QAbstractButton::clicked, this, &CWizard::PressionaVoltar);
  connect(this, &QWizard::currentIdChanged, this, &CWizard::PaginaMudou);
}

void CWizard::AddPage(CPaginaWizard* pagina) {
  const int indice = int(paginas_.size());
  paginas_.push_back(pagina);
  // Only the first page carries the watermark; the others the header.
  if (indice == 0 && !marca_.isNull()) pagina->setPixmap(QWizard::WatermarkPixmap, marca_);
  setPage(indice, pagina);
}

CPaginaWizard* CWizard::GetPage(int indice) const {
  return indice >= 0 && indice < int(paginas_.size()) ? paginas_[std::size_t(indice)] : nullptr;
}

CPaginaWizard* CWizard::GetActivePage() const { return qobject_cast<CPaginaWizard*>(currentPage()); }
int CWizard::GetActiveIndex() const { return currentId(); }

void CWizard::SetActivePage(int indice) {
  primeira_ = std::max(0, indice);
  iniciada_ = false;
}

int CWizard::DoModal() {
  if (!iniciada_) {
    // The pages before the first one shown stay behind it in the history, so
    // Back from the first page shown reaches them, unchecked on the way.
    iniciada_ = true;
    posicionando_ = true;
    restart();
    const int alvo = std::min(primeira_, GetPageCount() - 1);
    while (currentId() >= 0 && currentId() < alvo) next();
    posicionando_ = false;
    PaginaMudou(currentId());
  }
  return plat::ExecutaDialogo(*this);
}

void CWizard::showEvent(QShowEvent* e) {
  QWizard::showEvent(e);
  // Run with exec() rather than DoModal: the first page is the one shown.
  if (!iniciada_) {
    iniciada_ = true;
    PaginaMudou(currentId());
  }
}

void CWizard::SetWizardButtons(int botoes) {
  botoes_ = botoes;
  AplicaBotoes();
  // The framework sets its buttons after the page changed: ours come last.
  QTimer::singleShot(0, this, [this] { AplicaBotoes(); });
}

void CWizard::AplicaBotoes() {
  if (botoes_ == 0) return;
  if (QAbstractButton* b = button(QWizard::BackButton)) b->setEnabled((botoes_ & PSWIZB_BACK) != 0);
}

void CWizard::PaginaMudou(int id) {
  if (posicionando_) return;
  if (auto* p = qobject_cast<CPaginaWizard*>(page(id))) p->OnSetActive();
}

void CWizard::PressionaVoltar() {
  CPaginaWizard* p = GetActivePage();
  if (p && !p->OnWizardBack()) return;
  back();
}

bool CWizard::validateCurrentPage() {
  if (posicionando_) return true;
  CPaginaWizard* p = GetActivePage();
  if (!p) return QWizard::validateCurrentPage();
  return terminando_ ? p->OnWizardFinish() : p->OnWizardNext();
}

void CWizard::done(int resultado) {
  terminando_ = resultado == QDialog::Accepted;
  QWizard::done(resultado);
  terminando_ = false;
}
