#pragma once
// Printing of the database manager's text views: the program's one printer
// (its set-up kept for the run), the print dialog with the refusal of
// landscape pages, and the text laid out on pages with half-inch margins.
#include <QString>

class QFont;
class QPrinter;
class QTextDocument;
class QWidget;

namespace brenk {

// The printer every print and the printer set-up use.
QPrinter* ImpressoraBrenk();
// Command 57606: the printer set-up dialog (paper and orientation).
void ConfiguraImpressora(QWidget* pai);
// The print dialog, then the pages of `documento` in `fonte` as job `nome`;
// false when cancelled or refused (landscape).
bool ImprimeTexto(QWidget* pai, const QTextDocument& documento, const QFont& fonte, const QString& nome);
// The pages on `impressora` without a dialog (the range the printer holds); their count.
int ImprimePaginas(QPrinter* impressora, const QTextDocument& documento, const QFont& fonte);

// The margins of a printed view on each side: 720 twips.
constexpr int kMargemTwips = 720;

}  // namespace brenk
