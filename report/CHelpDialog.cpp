#include "CHelpDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {
// The id of the control at `pos` of `raiz` (the nearest numbered one), 0 for none.
int ControleEm(QWidget* raiz, const QPoint& pos) {
  for (QWidget* w = raiz->childAt(pos); w && w != raiz; w = w->parentWidget()) {
    bool ok = false;
    const int id = w->objectName().toInt(&ok);
    if (ok) return id;
  }
  return 0;
}

// The title bar's help button enters the pointer's help mode; the next click
// asks for the control under it (a WhatsThis event that the controls pass up).
// A right click on a control without a menu of its own asks the same.
// Returns true when `e` was such a request and has been answered.
bool TrataPedidoContexto(QWidget* raiz, QEvent* e, const std::function<void(int)>& pede) {
  if (!CHelpDialog::TemAjuda()) return false;
  switch (e->type()) {
    case QEvent::EnterWhatsThisMode:
      QWhatsThis::enterWhatsThisMode();
      return true;
    case QEvent::QueryWhatsThis:
      e->accept();
      return true;
    case QEvent::WhatsThis: {
      QWhatsThis::leaveWhatsThisMode();
      pede(ControleEm(raiz, static_cast<QHelpEvent*>(e)->pos()));
      e->accept();
      return true;
    }
    case QEvent::ContextMenu:
      pede(ControleEm(raiz, static_cast<QContextMenuEvent*>(e)->pos()));
      e->accept();
      return true;
    default:
      return false;
  }
}

PedidoAjuda& Ajuda() {
  static PedidoAjuda a;
  return a;
}
// The title bar's help button is offered only while someone answers it.
void AjustaBotaoAjuda(QWidget* w) {
  w->setWindowFlag(Qt::WindowContextHelpButtonHint, CHelpDialog::TemAjuda());
}
}  // namespace

void CHelpDialog::DefineAjuda(PedidoAjuda ajuda) { Ajuda() = std::move(ajuda); }
bool CHelpDialog::TemAjuda() { return bool(Ajuda()); }
void CHelpDialog::PedeAjuda(int dialogo, int controle) {
  if (Ajuda()) Ajuda()(dialogo, controle);
}

int CHelpDialog::ControleComFoco(QWidget* w) {
  QWidget* f = QApplication::focusWidget();
  while (f && f != w) {
    bool ok = false;
    const int id = f->objectName().toInt(&ok);
    if (ok) return id;
    f = f->parentWidget();
  }
  return 0;
}

QDialogButtonBox* CHelpDialog::BotoesOkCancelar(QDialog* dlg) {
  auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dlg);
  botoes->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
  botoes->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
  botoes->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
  // accept and reject are virtual: the dialog's own checks run.
  QObject::connect(botoes, &QDialogButtonBox::accepted, dlg, [dlg] { dlg->accept(); });
  QObject::connect(botoes, &QDialogButtonBox::rejected, dlg, [dlg] { dlg->reject(); });
  return botoes;
}

CHelpDialog::CHelpDialog(int id, QWidget* parent) : QDialog(parent), id_(id) {
  setObjectName(QStringLiteral("dlg%1").arg(id));
  AjustaBotaoAjuda(this);
}

void CHelpDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && TemAjuda()) {
    PedeAjuda(id_, ControleComFoco(this));
    return;
  }
  QDialog::keyPressEvent(e);
}

bool CHelpDialog::event(QEvent* e) {
  if (TrataPedidoContexto(this, e, [this](int controle) { PedeAjuda(id_, controle); })) return true;
  return QDialog::event(e);
}

CHelpPropertyPage::CHelpPropertyPage(int id, const QString& titulo, QWidget* parent)
    : QWidget(parent), id_(id), titulo_(titulo) {
  setObjectName(QStringLiteral("dlg%1").arg(id));
}

void CHelpPropertyPage::PedeAjuda() { CHelpDialog::PedeAjuda(id_, CHelpDialog::ControleComFoco(this)); }

bool CHelpPropertyPage::event(QEvent* e) {
  // The pointer's requests stop at the page, which knows its own topics.
  if (e->type() != QEvent::EnterWhatsThisMode &&
      TrataPedidoContexto(this, e, [this](int controle) { CHelpDialog::PedeAjuda(id_, controle); }))
    return true;
  return QWidget::event(e);
}

CHelpPropertySheet::CHelpPropertySheet(const QString& titulo, QWidget* parent) : QDialog(parent) {
  setWindowTitle(titulo);
  AjustaBotaoAjuda(this);
  abas_ = new QTabWidget(this);
  abas_->setUsesScrollButtons(false);  // every page's tab in sight
  auto* botoes = CHelpDialog::BotoesOkCancelar(this);
  auto* l = new QVBoxLayout(this);
  l->addWidget(abas_);
  l->addWidget(botoes);
}

void CHelpPropertySheet::AdicionaPagina(CHelpPropertyPage* pagina) { abas_->addTab(pagina, pagina->Titulo()); }
void CHelpPropertySheet::DefinePaginaAtiva(int indice) { abas_->setCurrentIndex(indice); }
int CHelpPropertySheet::PaginaAtiva() const { return abas_->currentIndex(); }
CHelpPropertyPage* CHelpPropertySheet::Pagina(int indice) const {
  return qobject_cast<CHelpPropertyPage*>(abas_->widget(indice));
}

void CHelpPropertySheet::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1 && CHelpDialog::TemAjuda()) {
    if (auto* p = Pagina(PaginaAtiva())) p->PedeAjuda();
    return;
  }
  QDialog::keyPressEvent(e);
}

bool CHelpPropertySheet::event(QEvent* e) {
  if (e->type() == QEvent::EnterWhatsThisMode && CHelpDialog::TemAjuda()) {
    QWhatsThis::enterWhatsThisMode();
    return true;
  }
  return QDialog::event(e);
}
