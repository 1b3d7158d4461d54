#include "CListReportView.h"

#include "platform/Documento.h"

#include <new>

CListReportView::CListReportView(QWidget* parent) : QWidget(parent), embutido_(new CListReportCtrl) {
  setFocusPolicy(Qt::StrongFocus);
}

CListReportView::~CListReportView() {
  // Never created as a child: owned here.
  if (embutido_ && !embutido_->parentWidget()) delete embutido_;
}

CListReportCtrl* CListReportView::GetReportCtrl() { return embutido_; }

void CListReportView::PreCreateWindow(quint32&) {}

void CListReportView::OnInitialUpdate() {
  if (inicializado_) return;
  quint32 estilo = 0;
  PreCreateWindow(estilo);
  estiloCriacao_ = estilo;
  CListReportCtrl* c = GetReportCtrl();
  if (c == embutido_) {
    const quint32 filhoVisivel = ReportWindowStyle::Child | ReportWindowStyle::Visible | ReportWindowStyle::TabStop;
    if (!embutido_->Create(estiloCriacao_ | filhoVisivel, rect(), this, 0)) throw std::bad_alloc();
  }
  inicializado_ = true;
  if (c && c->parentWidget() == this) c->setGeometry(rect());
}

void CListReportView::SetDocument(plat::Documento* doc) {
  if (doc_) disconnect(doc_, nullptr, this, nullptr);
  doc_ = doc;
  if (doc_) connect(doc_, &plat::Documento::documentUpdated, this, &CListReportView::OnUpdate);
}

void CListReportView::OnUpdate(QObject*, int) {}

void CListReportView::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  CListReportCtrl* c = GetReportCtrl();
  if (inicializado_ && c && c->parentWidget() == this) {
    c->setGeometry(rect());
    c->update();
  }
}

void CListReportView::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  CListReportCtrl* c = GetReportCtrl();
  if (inicializado_ && c && c->parentWidget()) c->setFocus(e->reason());
}
