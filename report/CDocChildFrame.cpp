#include "CDocChildFrame.h"

#include "CLaudoDoc.h"
#include "CLaudoView.h"
#include "CRulerBar.h"
#include "ComandosRelatorio.h"
#include "FileTypeEntry.h"
#include "app/CMainFrame.h"
#include "app/CTarsolinApp.h"

#include <QFileInfo>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

CDocChildFrame::CDocChildFrame(CLaudoDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("CDocChildFrame"));
  vista_ = new CLaudoView(doc, this);
  regua_ = new CRulerBar(vista_, this);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(0);
  l->addWidget(regua_);
  l->addWidget(vista_, 1);
  setWindowTitle(doc->GetTitle());
  connect(doc, &plat::Documento::titleChanged, this, &QWidget::setWindowTitle);
  doc->DefineVista(vista_, this);
  setFocusProxy(vista_);
}

CDocChildFrame::~CDocChildFrame() = default;

void CDocChildFrame::MensagemTipo(bool restaura, int tipo) {
  if (!restaura || tipo == -1) return;
  if (tipos::TipoTexto(tipo)) {
    CTarsolinApp* app = CTarsolinApp::Instancia();
    if (CMainFrame* f = app ? app->MainFrame() : nullptr)
      if (auto* barra = f->findChild<QToolBar*>(QStringLiteral("2007"))) barra->hide();
    regua_->hide();
  }
  const QStyle::StandardPixmap icone = tipo == tipos::Write          ? QStyle::SP_FileDialogContentsView
                                       : tipos::TipoTexto(tipo) ? QStyle::SP_FileIcon
                                                                : QStyle::SP_FileDialogDetailedView;
  setWindowIcon(style()->standardIcon(icone));
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->setWindowIcon(windowIcon());
}

void CDocChildFrame::MostraRegua(bool mostra) {
  regua_->setVisible(mostra);
  layout()->activate();
}

bool CDocChildFrame::RespondeAbertura(const QString& caminho) const {
  if (caminho.isEmpty() || !doc_ || doc_->GetPathName().isEmpty()) return false;
  // One file as the file system sees it: names that differ in case are two files here.
  return QFileInfo(caminho).absoluteFilePath() == doc_->GetPathName() ||
         CTarsolinApp::MesmoArquivo(caminho, doc_->GetPathName());
}

void CDocChildFrame::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // A report window is always shown maximised.
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && !sub->isMaximized())
    QTimer::singleShot(0, sub, &QWidget::showMaximized);
}

void CDocChildFrame::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  emit vista_->layoutMudou();
}

QObject* CDocChildFrame::VistaAtiva() { return vista_; }
QObject* CDocChildFrame::DocumentoAlvo() { return doc_; }

bool CDocChildFrame::TemComando(int id) const { return id == relatorio::Fechar; }

bool CDocChildFrame::OnCmdMsg(int id) {
  if (id != relatorio::Fechar) return false;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
  else close();
  return true;
}
