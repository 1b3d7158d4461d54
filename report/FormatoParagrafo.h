#pragma once
// Paragraph formats as the report editor speaks of them (twips, the first
// line's start indent, the offset of the following lines, the right indent,
// up to 32 tab stops, bullets), kept exactly in the text document's block
// formats beside the pixel values Qt lays the text out with.
#include <QTextBlockFormat>
#include <vector>

class QTextBlock;
class QTextCursor;
class QTextDocument;

struct FormatoParagrafo {
  enum Mascara : unsigned {
    Alinhamento = 1, Inicio = 2, Direito = 4, Deslocamento = 8, Tabulacoes = 16, Numeracao = 32,
    Tudo = 63,
  };
  static constexpr int MaxTabulacoes = 32;
  unsigned mascara = 0;      // the fields carried (mixed fields of a selection are not)
  Qt::Alignment alinhamento = Qt::AlignLeft;
  int inicio = 0;            // start indent of the first line, twips
  int direito = 0;           // right indent, twips
  int deslocamento = 0;      // the following lines' indent relative to the first line, twips
  std::vector<int> tabs;     // tab positions, twips, ascending
  bool marcador = false;     // bulleted paragraph

  bool operator==(const FormatoParagrafo&) const = default;
};

// Twips to the document's layout units (pixels at 96 per inch) and back.
double TwipsParaPx(int twips);
int PxParaTwips(double px);

// The format of one block (every field carried).
FormatoParagrafo FormatoDoBloco(const QTextBlock& bloco);
// The format shared by the blocks of the selection; fields that differ are left out of the mask.
FormatoParagrafo FormatoDaSelecao(const QTextCursor& cursor);
// Applies the carried fields to every block of the selection (the caller groups the undo step).
void AplicaFormatoParagrafo(QTextCursor& cursor, const FormatoParagrafo& formato);
// Writes the carried fields into a block format (used when building documents).
void GravaNoFormato(QTextBlockFormat& f, const FormatoParagrafo& formato);
