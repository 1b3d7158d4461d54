#pragma once
// Reading back what a test printed to PDF: the page count and the text, through
// poppler's pdfinfo and pdftotext, as a user's viewer would show them.
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <vector>

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

// One word of a page as pdftotext -bbox places it, in points from the page's top left.
struct PalavraPdf {
  QString texto;
  double x0, y0, x1, y1;
};

inline std::vector<PalavraPdf> PalavrasPdf(const QString& caminho, int pagina) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(pagina),
                                        QStringLiteral("-l"), QString::number(pagina), caminho, QStringLiteral("-")});
  if (!p.waitForFinished(20000)) return {};
  const QString saida = QString::fromUtf8(p.readAllStandardOutput());
  static const QRegularExpression palavra(QStringLiteral(
      "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
  std::vector<PalavraPdf> r;
  for (auto it = palavra.globalMatch(saida); it.hasNext();) {
    const auto m = it.next();
    QString texto = m.captured(5);
    texto.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    r.push_back({texto, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                 m.captured(4).toDouble()});
  }
  return r;
}

}  // namespace teste
