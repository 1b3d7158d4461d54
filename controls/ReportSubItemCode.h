#pragma once
// One cell of a report row, kept as a structure, and the item text format in
// which rows are described: one segment "(image,overlay,check,colour,length)text|"
// per defined column. Rows are stored as cells, not as that text, so a text
// holding the separator cannot shift the segments after it; the format is only
// produced where it is read (the codes of a row, the empty segment setting).
#include <QString>
#include <QVector>

struct ReportCell {
  int image = -1;
  int overlay = -1;
  int check = -1;
  int colour = -1;   // colour-table index of the text
  QString text;      // null: the cell has no text
  bool HasData() const { return image >= 0 || overlay >= 0 || check >= 0 || colour >= 0 || !text.isNull(); }
  bool operator==(const ReportCell&) const = default;
};

// The process-wide settings of every report control: the cell separator, the
// column separator of copied text and the indent text per tree level.
struct ReportTextSettings {
  QChar separator = QLatin1Char('|');
  QChar copySeparator = QLatin1Char('\t');
  QString treeIndent = QStringLiteral("  ");
  static ReportTextSettings& Process();
};

// The segment of one cell; a cell with no data gives the empty segment.
QString ReportSegment(const ReportCell& cell, QChar separator);
// "(-1,-1,-1,-1,-1)" and the separator.
QString ReportEmptySegment(QChar separator);
// The codes of a row: its segments in column-index order.
QString ReportSubItemCode(const QVector<ReportCell>& cells, QChar separator);
