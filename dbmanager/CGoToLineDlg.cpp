#include "dbmanager/CGoToLineDlg.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/CResultView.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QTextBlock>

namespace brenk {

namespace {
// The editor of the active view: the SQL editor, or the results view's text.
QPlainTextEdit* EditorAtivo(CChildFrame* j) {
  if (!j) return nullptr;
  if (j->VistaAtiva() == j->Resultado()) return j->Resultado()->Editor();
  return j->Editor();
}
}  // namespace

CGoToLineDlg::CGoToLineDlg(CMainFrame* principal) : QDialog(principal), principal_(principal) {
  setObjectName(QStringLiteral("dlg137"));
  setWindowTitle(QStringLiteral("Selecione a opção:"));
  setModal(false);
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Número da Linha:"), this), 0, 0);
  linha_ = new QLineEdit(this);
  linha_->setObjectName(QStringLiteral("1001"));
  linha_->setAccessibleName(QStringLiteral("Número da Linha:"));
  linha_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), linha_));
  g->addWidget(linha_, 1, 0);
  ir_ = new QPushButton(QStringLiteral("&Ir para"), this);
  ir_->setObjectName(QStringLiteral("1005"));
  ir_->setDefault(true);
  anterior_ = new QPushButton(QStringLiteral("&Anterior"), this);
  anterior_->setObjectName(QStringLiteral("1002"));
  fechar_ = new QPushButton(QStringLiteral("Fechar"), this);
  fechar_->setObjectName(QStringLiteral("3"));
  g->addWidget(ir_, 0, 1);
  g->addWidget(anterior_, 1, 1);
  g->addWidget(fechar_, 2, 1);
  connect(linha_, &QLineEdit::textChanged, this, &CGoToLineDlg::TextoMudou);
  connect(ir_, &QPushButton::clicked, this, [this] { Vai(false); });
  connect(anterior_, &QPushButton::clicked, this, [this] { Vai(true); });
  connect(fechar_, &QPushButton::clicked, this, &QDialog::close);
  TextoMudou();
}

bool CGoToLineDlg::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Atualiza();
  return QDialog::event(e);
}

void CGoToLineDlg::TextoMudou() {
  const bool vazio = linha_->text().trimmed().isEmpty();
  anterior_->setEnabled(vazio && linha_->isEnabled());
  ir_->setText(vazio ? QStringLiteral("&Next") : QStringLiteral("&Go To"));
  proxima_ = vazio;
}

void CGoToLineDlg::Atualiza() {
  CChildFrame* j = principal_->JanelaAtiva();
  if (!j) {
    linha_->clear();
    linha_->setEnabled(false);
    ir_->setEnabled(false);
    anterior_->setEnabled(false);
    fechar_->setFocus();
    return;
  }
  if (j->VistaAtiva() == j->Resultado() && j->Resultado()->ModoGrade()) {
    QTableView* g = j->Resultado()->GradeAtual();
    linha_->setText(QString::number(g->currentIndex().isValid() ? g->currentIndex().row() + 1 : 1));
    linha_->setEnabled(false);
    ir_->setEnabled(false);
    anterior_->setEnabled(false);
    fechar_->setFocus();
    return;
  }
  QPlainTextEdit* e = EditorAtivo(j);
  linha_->setEnabled(true);
  ir_->setEnabled(true);
  linha_->setText(QString::number(e->document()->findBlock(e->textCursor().selectionStart()).blockNumber() + 1));
  TextoMudou();
  linha_->setFocus();
}

void CGoToLineDlg::Vai(bool anterior) {
  CChildFrame* j = principal_->JanelaAtiva();
  if (!j) return;
  const int n = linha_->text().trimmed().toInt();
  if (j->VistaAtiva() == j->Resultado() && j->Resultado()->ModoGrade()) {
    linha_->setFocus();
    return;
  }
  QPlainTextEdit* e = EditorAtivo(j);
  const int total = e->document()->blockCount();
  const int atual = e->document()->findBlock(e->textCursor().selectionStart()).blockNumber();
  int alvo = anterior ? atual : proxima_ ? atual + 2 : n;
  if (alvo > total || alvo < 0) {
    alvo = total;
    if (!proxima_ || anterior) linha_->setText(QString::number(alvo));
  } else if (alvo == 0) {
    alvo = 1;
    if (!proxima_ || anterior) linha_->setText(QStringLiteral("1"));
  }
  const QTextBlock b = e->document()->findBlockByNumber(alvo - 1);
  QTextCursor c(e->document());
  c.setPosition(b.position());
  c.setPosition(qMin(b.position() + 1, e->document()->characterCount() - 1), QTextCursor::KeepAnchor);
  e->setTextCursor(c);
  j->DefineTextoPainel(3, QStringLiteral("Ln %1, Col %2").arg(alvo).arg(c.position() - b.position() + 1));
  linha_->setFocus();
}

}  // namespace brenk
