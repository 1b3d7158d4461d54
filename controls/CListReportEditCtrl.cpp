#include "CListReportEditCtrl.h"

#include "CListReportCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

CListReportEditCtrl::CListReportEditCtrl(int item, int coluna, bool comBotao, QWidget* parent)
    : QLineEdit(parent), item_(item), coluna_(coluna), querBotao_(comBotao) {
  setObjectName(QStringLiteral("ListReportEdit"));
  setFrame(false);
  setAttribute(Qt::WA_DeleteOnClose);
}

void CListReportEditCtrl::Place(const QRect& r) {
  QRect ed = r;
  if (querBotao_ && r.width() > r.height() + 10) {
    ed.setWidth(r.width() - r.height());
    botao_ = new QPushButton(QStringLiteral("..."), parentWidget());
    botao_->setObjectName(QStringLiteral("ListReportEditButton"));
    botao_->setFont(font());
    botao_->setGeometry(ed.right() + 1, r.top(), r.height(), r.height());
    botao_->show();
    connect(this, &QObject::destroyed, botao_, &QObject::deleteLater);
  }
  setGeometry(ed);
}

void CListReportEditCtrl::ApplyStartKey(int tecla, EditStart razao) {
  if (razao == EditStart::Character) {
    if (tecla == 13) {
      end(false);
    } else if (tecla == 8) {
      end(false);
      backspace();
    } else {
      // A typed character replaces the text, whatever its number.
      selectAll();
      insert(QString(QChar(char16_t(tecla))));
    }
    return;
  }
  switch (tecla) {
    case 1:
    case 13: end(false); break;
    case 8:
      end(false);
      backspace();
      break;
    default: selectAll(); break;  // 9, 32-40 and every other key
  }
}

long CListReportEditCtrl::Envia(ReportEditInfo& e) {
  e.item = item_;
  e.column = coluna_;
  e.button = botao_ ? 1 : 0;
  e.editor = this;
  auto* report = qobject_cast<CListReportCtrl*>(parentWidget());
  return report ? report->ReceiveEditorNotify(e) : 0;
}

int CListReportEditCtrl::EndKey(const QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: return 0;
  }
}

bool CListReportEditCtrl::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    if (const int tecla = EndKey(static_cast<QKeyEvent*>(e))) {
      ultimaTecla_ = tecla;
      if (parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  if (e->type() == QEvent::ShortcutOverride) {
    e->accept();  // the edit wants every key
    return true;
  }
  return QLineEdit::event(e);
}

void CListReportEditCtrl::keyPressEvent(QKeyEvent* e) {
  if (e->modifiers() & Qt::AltModifier) return;  // system characters are swallowed
  QLineEdit::keyPressEvent(e);
}

void CListReportEditCtrl::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (reportado_) return;
  if (botao_ && QApplication::focusWidget() == botao_) {
    ReportEditInfo info;
    info.code = ReportCode::EditButton;
    info.text = text().left(255);
    if (Envia(info) == 1) setText(info.text);
    setFocus(Qt::OtherFocusReason);
    return;
  }
  reportado_ = true;
  ReportEditInfo info;
  info.code = ReportCode::EndEdit;
  info.key = ultimaTecla_;
  info.text = text();
  Envia(info);
  close();
}
