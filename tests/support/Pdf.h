#pragma once
// Reading back what a test printed to PDF: the page count and the text, through
// poppler's pdfinfo and pdftotext, as a user's viewer would show them.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace teste {

inline int PaginasPdf(const QString& caminho) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {caminho});
  if (!p.waitForFinished(20000)) return -1;
  const QString saida = QString::fromUtf8(p.readAllStandardOutput());
  const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(saida);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of pages `primeira`..`ultima` (1-based; 0 = the whole document), in layout order.
inline QString TextoPdf(const QString& caminho, int primeira = 0, int ultima = 0) {
  QStringList args{QStringLiteral("-layout")};
  if (primeira > 0) args << QStringLiteral("-f") << QString::number(primeira);
  if (ultima > 0) args << QStringLiteral("-l") << QString::number(ultima);
  args << caminho << QStringLiteral("-");
  QProcess p;
  p.start(QStringLiteral("pdftotext"), args);
  if (!p.waitForFinished(20000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace teste
