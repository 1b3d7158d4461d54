#include "CListReportComboCtrl.h"

#include "CListReportCtrl.h"
#include "CListReportEditCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

CListReportComboCtrl::CListReportComboCtrl(int item, int coluna, QWidget* parent)
    : QComboBox(parent), item_(item), coluna_(coluna) {
  setObjectName(QStringLiteral("ListReportCombo"));
  setAttribute(Qt::WA_DeleteOnClose);
}

void CListReportComboCtrl::ApplyStartKey(int tecla, EditStart razao) {
  if (!isEditable() || tecla == 1 || tecla == 13 || razao != EditStart::Character) return;
  const QString t = QString(QChar(char16_t(tecla)));
  QCoreApplication::postEvent(lineEdit(), new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, t));
}

bool CListReportComboCtrl::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    if (const int tecla = CListReportEditCtrl::EndKey(static_cast<QKeyEvent*>(e))) {
      ultimaTecla_ = tecla;
      if (parentWidget()) parentWidget()->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  if (e->type() == QEvent::ShortcutOverride) {
    e->accept();
    return true;
  }
  return QComboBox::event(e);
}

void CListReportComboCtrl::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  // Its own list popping up is not a loss of focus.
  if (reportado_ || e->reason() == Qt::PopupFocusReason) return;
  QWidget* f = QApplication::focusWidget();
  if (f && isAncestorOf(f)) return;
  reportado_ = true;
  ReportEditInfo info;
  info.code = ReportCode::EndEdit;
  info.item = item_;
  info.column = coluna_;
  info.editor = this;
  info.key = ultimaTecla_;
  info.text = currentText();
  if (auto* report = qobject_cast<CListReportCtrl*>(parentWidget())) report->ReceiveEditorNotify(info);
  close();
}
