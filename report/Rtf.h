#pragma once
// The report's rich text: a writer of the Rich Text Format for what a report
// holds (fonts, colours, bold, italic, underline, strike-out, size, text and
// background colours, alignment, indents, tab stops, bullets, line breaks) in
// Windows-1252 with \u escapes for the rest, and a reader of the same subset
// that skips every group it does not know.
#include <QByteArray>

class QTextDocument;

namespace rtf {
QByteArray Escreve(const QTextDocument& doc);
// Replaces the document's contents; false when the bytes are not RTF.
bool Le(const QByteArray& bytes, QTextDocument& doc);
}  // namespace rtf
