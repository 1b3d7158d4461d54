#pragma once
// Numbers typed into and shown by grids and property fields. Typed texts are
// read with the user's decimal character; numbers are laid into a picture mask
// with the user's decimal and thousands characters (plat::DecimalUsuario,
// plat::MilharUsuario). Texts written back for the program itself use the
// decimal comma, as every other number text of the program does.
#include <QRect>
#include <QString>
#include <QStringView>
#include <cstddef>

// Largest value a typed text may give; above it the value becomes 1e13 and
// the conversion reports failure.
inline constexpr double LimiteTextoNumero = 999999999999.9998779;

// Reads a typed number: from its first 50 characters only digits, '-', '+'
// and the user's decimal character are kept (thousands characters, currency
// signs and blanks fall away), and the rest is converted as far as it reads.
// An empty text gives 0. Returns false, with *valor = 1e13, above the limit.
bool ConverteStringNumero(const QString& texto, double* valor);

// The same on the first 49 characters of a buffer of `tamanho` bytes, which is
// then overwritten with the value as "%4.4f" (decimal comma), cut to fit.
// Both signs are held within the limit (±1e13, false), so the text stays short.
bool ConverteTextoNumero(char* texto, std::size_t tamanho, double* valor);
// The same on a text held by the caller.
bool ConverteTextoNumero(QString& texto, double* valor);

// A number in the picture of `decimais` decimal places (0 to 11): integer part
// grouped by threes, decimals cut (not rounded). "Erro" for values that are not
// finite; beyond ±1e9 the plain nine-decimal text with a decimal comma.
void FormataNumero(QString& saida, double x, int decimais);
QString FormataNumero(double x, int decimais);
// As FormataNumero; with percentual == 1 a "%" follows a number laid in the picture.
void FormataNumeroPercentual(QString& saida, double x, int decimais, int percentual);
QString FormataNumeroPercentual(double x, int decimais, int percentual);

// The picture mask of `decimais` places in its stored form ('.' thousands,
// ',' decimal): "#.###.###.##@" and "#.###.###.##@," + decimais × '@'.
QString MascaraNumero(int decimais);

// The mask engine. `mascara` holds the user's thousands and decimal characters
// where it groups and splits; '#' is a digit shown blank when unused, '@' a
// digit shown as 0, '&' a letter position (letter mode: the source fills the
// positions from the left), anything else is copied. `saida` gets as many
// characters as the mask; an integer part too long for the mask is marked by
// '[' and ']' at its ends. Returns the number of integer digits of the source.
int FormataMascara(QStringView digitos, QStringView mascara, QString& saida);

// The number text of the data grids, the same under every locale so that a
// cell's text always reads back as the number it shows: decimal comma,
// thousands dot. TextoCelula lays x in the picture of `decimais` places as
// FormataNumero does.
QString TextoCelula(double x, int decimais);
// The shortest text (decimal comma, no grouping) that reads back as x bit for bit.
QString TextoCelulaExato(double x);
// Reads a cell text: the whole text (blanks around it aside) must be one
// number in that form: an optional sign, digits with thousands dots only
// between groups of three ("1.234.567", never "1.5"), an optional decimal
// comma with decimals. No exponent, no other character. An empty text is 0.
bool LeTextoCelula(const QString& texto, double* valor);

// Page margins in twips are kept in tens: nearest multiple of 10, halves away
// from zero.
int ArredondaDezena(int valor);
// Applies ArredondaDezena to the four fields (left, top, right, bottom) as stored.
void ArredondaRetangulo(QRect* retangulo);
// Each of the four fields × numerador / denominador, rounded to nearest with
// halves away from zero; a zero denominator or a result beyond 32 bits gives -1.
void EscalaRetangulo(QRect* saida, const QRect* entrada, int numerador, int denominador);
