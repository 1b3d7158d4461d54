#pragma once
// The report's rich text: a writer of the Rich Text Format for what a report
// holds (fonts, colours, bold, italic, underline, strike-out, size, text and
// background colours, alignment, indents, tab stops, bullets, line breaks) in
// Windows-1252 with \u escapes for the rest, and a reader of the same subset
// that skips every group it does not know. A table's rows are read as
// paragraphs with a tab between cells; what the reader cannot keep (tables,
// pictures, objects, headers and footers, footnotes) is named for the user.
#include <QByteArray>
#include <QStringList>

class QTextDocument;

namespace rtf {
QByteArray Escreve(const QTextDocument& doc);
// Replaces the document's contents; false when the bytes are not RTF.
// `perdas` receives, in Portuguese, what the document could not keep.
bool Le(const QByteArray& bytes, QTextDocument& doc, QStringList* perdas = nullptr);
}  // namespace rtf
