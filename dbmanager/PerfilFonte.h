#pragma once
// The fonts the database manager keeps in its profile ("Query\Font",
// "Result\Font", "Grid\Font"): the values of a logical font under a key, and
// in the extended form of the grids also the bold flag and the point size in
// ten-thousandths of a point.
#include <QFont>
#include <QString>

namespace brenk {

// A font as the profile holds it.
struct FonteLogica {
  int altura = 0;            // logical height in pixels; negative: the character height; 0: no font stored
  int peso = 0;              // 100 ... 900, 0 the default
  bool italico = false;
  bool sublinhado = false;
  int passoEFamilia = 0;     // pitch in the low two bits, family in the high four
  int conjunto = 1;          // character set
  QString face = QStringLiteral("System");
  bool negrito = false;      // extended form only
  int tamanho = 0;           // extended form only: points x 10,000

  // The font on this screen; `comTamanho` takes the point size (extended form) instead of the height.
  QFont ParaQFont(bool comTamanho = false) const;
  // The logical font of `f` at the screen's resolution (the bold flag and the size filled too).
  static FonteLogica DeQFont(const QFont& f);
};

// Reads the font under `chave`; false (and nothing else read) when its height is 0.
bool CarregaFonte(const QString& chave, FonteLogica& fonte, bool estendida);
// Writes the font under `chave`; nothing when its height is 0.
void GravaFonte(const QString& chave, const FonteLogica& fonte, bool estendida);

// The font dialog of the font commands (object name "dlgFonte"); false when cancelled.
bool EscolheFonte(QWidget* pai, const QFont& inicial, QFont& escolhida);

}  // namespace brenk
