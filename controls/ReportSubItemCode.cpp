#include "ReportSubItemCode.h"

ReportTextSettings& ReportTextSettings::Process() {
  static ReportTextSettings s;
  return s;
}

QString ReportEmptySegment(QChar separator) {
  return QStringLiteral("(-1,-1,-1,-1,-1)") + separator;
}

QString ReportSegment(const ReportCell& c, QChar separator) {
  if (!c.HasData()) return ReportEmptySegment(separator);
  // The length counts bytes of the stored single-byte text: one per character.
  const int tamanho = c.text.isNull() ? -1 : int(c.text.size());
  return QStringLiteral("(%1,%2,%3,%4,%5)")
             .arg(c.image)
             .arg(c.overlay)
             .arg(c.check)
             .arg(c.colour)
             .arg(tamanho) +
         c.text + separator;
}

QString ReportSubItemCode(const QVector<ReportCell>& cells, QChar separator) {
  QString s;
  for (const ReportCell& c : cells) s += ReportSegment(c, separator);
  return s;
}
