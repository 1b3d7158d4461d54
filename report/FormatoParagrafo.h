#pragma once
// Paragraph formats as the report editor speaks of them (twips, the first
// line's start indent, the offset of the following lines, the right indent,
// up to 32 tab stops counted from the page margin, bullets), kept exactly in
// the text document's block formats beside the pixel values Qt lays the text
// out with.
#include <QTextBlockFormat>
#include <QTextListFormat>
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

// A bulleted paragraph's text starts past its first-line indent by its
// offset, and at least by this much, so that the bullet hangs in front of it.
constexpr int RecuoMarcador = 180;
// The offset that a paragraph's following lines (and a bulleted paragraph's
// text) actually start at.
int DeslocamentoEfetivo(const FormatoParagrafo& f);

// The format of one block (every field carried).
FormatoParagrafo FormatoDoBloco(const QTextBlock& bloco);
// The format shared by the blocks of the selection; fields that differ are left out of the mask.
FormatoParagrafo FormatoDaSelecao(const QTextCursor& cursor);
// Applies the carried fields to every block of the selection (the caller groups the undo step).
void AplicaFormatoParagrafo(QTextCursor& cursor, const FormatoParagrafo& formato);
// Writes the carried fields into a block format (used when building documents);
// the layout values follow once the block's list is known (AjustaGeometria).
void GravaNoFormato(QTextBlockFormat& f, const FormatoParagrafo& formato);
// Lays the block's twips out in Qt's pixels at 96 per inch: margins, first-line
// indent and tab stops. Qt counts tab stops from where a line starts, the
// report from the page margin, so they move back by the first line's start.
void AjustaGeometria(const QTextBlock& bloco);
// The list a bulleted paragraph joins when none is before it.
QTextListFormat FormatoListaMarcadores();
