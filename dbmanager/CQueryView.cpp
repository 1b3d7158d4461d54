#include "dbmanager/CQueryView.h"

#include <QFontDatabase>

namespace brenk {

CQueryView::CQueryView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("editor"));
  setAccessibleName(QStringLiteral("Consulta SQL"));
  QFont f(QStringLiteral("Courier"));
  f.setStyleHint(QFont::TypeWriter);
  f.setPointSize(10);
  setFont(f);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

QString CQueryView::TextoConsulta() const {
  const QTextCursor c = textCursor();
  if (!c.hasSelection()) return toPlainText();
  QString t = c.selectedText();
  t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  t.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return t;
}

}  // namespace brenk
