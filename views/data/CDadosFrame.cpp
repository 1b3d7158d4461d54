#include "CDadosFrame.h"

#include "CDadosAvalView.h"
#include "CDadosEditarView.h"
#include "CDadosPesosView.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "PaginaDados.h"
#include "views/equation/ComandosModelo.h"

#include "model/CTarsolinDoc.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

// ------------------------------------------------------------ bar

CDadosBar::CDadosBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("512"));
  rotulo_ = new QLabel(this);
  rotulo_->setObjectName(QStringLiteral("1025"));
  rotulo_->setAlignment(Qt::AlignCenter);
  rotulo_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  rotulo_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000/Complemento____")));
  rotulo_->setAutoFillBackground(true);
  rotulo_->setBackgroundRole(QPalette::Base);
  direcao_ = new QToolButton(this);
  direcao_->setObjectName(QStringLiteral("1016"));
  valor_ = new QLineEdit(this);
  valor_->setObjectName(QStringLiteral("1056"));
  valor_->setAccessibleName(QStringLiteral("Valor da célula"));
  valor_->installEventFilter(this);
  considerado_ = new QCheckBox(this);
  considerado_->setObjectName(QStringLiteral("1041"));
  considerado_->setToolTip(QStringLiteral("Considerar o dado no cálculo"));
  considerado_->setAccessibleName(considerado_->toolTip());
  validacao_ = new QCheckBox(this);
  validacao_->setObjectName(QStringLiteral("1021"));
  validacao_->setToolTip(QStringLiteral("Dado de validação"));
  validacao_->setAccessibleName(validacao_->toolTip());
  auto* adicionar = new QToolButton(this);
  adicionar->setObjectName(QStringLiteral("1019"));
  adicionar->setText(QStringLiteral("+"));
  adicionar->setToolTip(QStringLiteral("Adicionar"));
  auto* excluir = new QToolButton(this);
  excluir->setObjectName(QStringLiteral("1020"));
  excluir->setText(QStringLiteral("−"));
  excluir->setToolTip(QStringLiteral("Excluir"));
  auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
  fechar->setObjectName(QStringLiteral("1018"));
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(4, 2, 4, 2);
  l->setSpacing(4);
  l->addWidget(rotulo_);
  l->addWidget(direcao_);
  l->addWidget(valor_, 1);
  l->addWidget(considerado_);
  l->addWidget(validacao_);
  l->addWidget(adicionar);
  l->addWidget(excluir);
  l->addWidget(fechar);
  MostraDirecao(1);
  connect(direcao_, &QToolButton::clicked, this, [this] { emit comando(1016); });
  connect(considerado_, &QCheckBox::clicked, this, [this] { emit comando(1041); });
  connect(validacao_, &QCheckBox::clicked, this, [this] { emit comando(1021); });
  connect(adicionar, &QToolButton::clicked, this, [this] { emit comando(1019); });
  connect(excluir, &QToolButton::clicked, this, [this] { emit comando(1020); });
  connect(fechar, &QPushButton::clicked, this, [this] { emit comando(1018); });
}

void CDadosBar::MostraDirecao(int direcao) {
  direcao_->setIcon(style()->standardIcon(direcao == 1 ? QStyle::SP_ArrowRight : QStyle::SP_ArrowDown));
  direcao_->setToolTip(direcao == 1 ? QStringLiteral("Enter move para a direita")
                                    : QStringLiteral("Enter move para baixo"));
}

bool CDadosBar::eventFilter(QObject* o, QEvent* e) {
  if (o == valor_) {
    if (e->type() == QEvent::FocusOut) emit comando(1056);
    else if (e->type() == QEvent::FocusIn) {
      // Reached by a click or a key the user pressed to go there, the box
      // selects its text; reached by typing into the grid, it keeps that key.
      const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
      if (r == Qt::MouseFocusReason || r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
          r == Qt::ShortcutFocusReason)
        QTimer::singleShot(0, valor_, &QLineEdit::selectAll);
    }
    else if (e->type() == QEvent::KeyPress) {
      const int k = static_cast<QKeyEvent*>(e)->key();
      if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        emit comando(1056);
        emit enter();
        return true;
      }
    }
  }
  return QWidget::eventFilter(o, e);
}

// ------------------------------------------------------------ tab hosts

CDadosViewTab::CDadosViewTab(CTarsolinDoc* doc, bool pesos, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(pesos ? QStringLiteral("CDadosViewTabW") : QStringLiteral("CDadosViewTab"));
  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("1066"));
  abas_->setTabPosition(QTabWidget::South);
  abas_->setDocumentMode(true);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(abas_);
  auto* frame = qobject_cast<CDadosFrame*>(parent);
  setUpdatesEnabled(false);
  auto* dados = new CDadosEditarView(doc, frame, abas_);
  PaginaDados* segunda = nullptr;
  if (pesos) {
    auto* w = new CDadosPesosView(doc, frame, abas_);
    dados->LigaPesos(w);
    w->LigaDados(dados);
    segunda = w;
  } else {
    segunda = new CDadosAvalView(doc, frame, abas_);
  }
  abas_->addTab(dados, QStringLiteral("Dados"));
  abas_->addTab(segunda, pesos ? QStringLiteral("Pesos") : QStringLiteral("Projeções"));
  abas_->setCurrentIndex(0);
  setUpdatesEnabled(true);
  connect(abas_, &QTabWidget::currentChanged, this, [this](int i) {
    for (int k = 0; k < abas_->count(); ++k)
      if (k != i)
        if (auto* p = Pagina(k)) p->Ativada(false);
    if (PaginaDados* p = Pagina(i)) {
      p->Ativada(true);
      emit paginaAtivada(p);
    }
  });
}

CDadosViewTab::~CDadosViewTab() {
  // The document's slot is cleared by its QPointer when the window goes.
}

PaginaDados* CDadosViewTab::Pagina(int i) const { return qobject_cast<PaginaDados*>(abas_->widget(i)); }
PaginaDados* CDadosViewTab::PaginaAtiva() const { return qobject_cast<PaginaDados*>(abas_->currentWidget()); }
CDadosEditarView* CDadosViewTab::PaginaDadosEditar() const { return qobject_cast<CDadosEditarView*>(abas_->widget(0)); }

void CDadosViewTab::InicializaPaginas() {
  for (int i = 0; i < abas_->count(); ++i)
    if (PaginaDados* p = Pagina(i)) p->OnInitialUpdate();
  if (PaginaDados* p = PaginaAtiva()) p->Ativada(true);
}

// ------------------------------------------------------------ frame

CDadosFrame::CDadosFrame(CTarsolinDoc* doc, bool comPesos, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("CDadosFrame"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(":1"));
  setAccessibleName(comPesos ? QStringLiteral("Dados e W (Matriz pesos)") : QStringLiteral("Editar dados"));
  barra_ = new CDadosBar(this);
  host_ = comPesos ? new CDadosViewTabW(doc, this) : new CDadosViewTab(doc, this);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(0);
  l->addWidget(barra_);
  l->addWidget(host_, 1);
  connect(barra_, &CDadosBar::comando, this, [this](int id) {
    if (PaginaDados* p = PaginaAtiva()) p->OnCmdMsg(id);
  });
  connect(barra_, &CDadosBar::enter, this, [this] {
    if (PaginaDados* p = PaginaAtiva()) {
      // An Enter from the bar moves the focus cell; it never adds a row.
      p->DefineEnterDaBarra();
      p->Grade()->setFocus();
      p->TeclaEnter();
    }
  });
  resize(900, 600);
}

CDadosFrame::~CDadosFrame() = default;

CDadosFrame* CDadosFrame::Cria(CTarsolinDoc* doc, bool comPesos, QWidget* parent) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* f = new CDadosFrame(doc, comPesos, parent);
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  f->host_->InicializaPaginas();
  return f;
}

PaginaDados* CDadosFrame::PaginaAtiva() const { return host_ ? host_->PaginaAtiva() : nullptr; }
QObject* CDadosFrame::VistaAtiva() { return PaginaAtiva(); }
QObject* CDadosFrame::DocumentoAlvo() { return doc_; }

QWidget* CDadosFrame::MolduraModelo() const { return MolduraDoModelo(doc_); }

bool CDadosFrame::OfereceSalvar() {
  if (!doc_) return true;
  if (PaginaDados* p = PaginaAtiva()) p->ConfirmaValor();
  if (!doc_->SaveModified()) return false;
  // Não: the window goes, and its edits with it.
  doc_->SetModifiedFlag(false);
  for (int i = 0; i < host_->Abas()->count(); ++i)
    if (PaginaDados* p = host_->Pagina(i)) p->DefineModificado(false);
  return true;
}

void CDadosFrame::closeEvent(QCloseEvent* e) {
  // The active page asks about its edits first; a cancelled save keeps the window.
  if (PaginaDados* p = PaginaAtiva(); p && !p->Fecha()) {
    e->ignore();
    return;
  }
  // The other page's edits went with the document's save or were discarded with it.
  for (int i = 0; i < host_->Abas()->count(); ++i)
    if (PaginaDados* p = host_->Pagina(i)) p->DefineModificado(false);
  e->accept();
}
