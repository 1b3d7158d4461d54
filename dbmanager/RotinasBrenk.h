#pragma once
// Small routines the database manager's windows share: the number a grid
// cell's text holds, for the model export, the text of a value, the text of a
// file error and the check that a component the program needs is present.
#include <QString>
#include <QVariant>
#include <functional>

namespace brenk {

// A cell's text as a number, read whole in one unambiguous reading: the C
// form ("12.5", "-3e5") or the Brazilian one ("1.234,56", "1,5E-05"). A text
// both read alike ("12") is that number; one they read apart ("1.234"), or
// neither reads ("85,5 m2", "R$ 10"), is none, and no character is dropped to
// make one. Blanks around it do not count. True with the number; false with 0
// for an empty text or one that is no number.
bool ConverteCelulaNumero(const QString& texto, double& numero);

// The text of a value as the program shows a provider's property or a value
// that could not be turned into a cell: "NULL" for no value, "%d" for
// integers, "%e" with the decimal comma for reals, "TRUE"/"FALSE", dates in
// the C library's "%c" form, binary values as an array of bytes and
// "<Unknown>" for the rest.
QString TextoValor(const QVariant& valor);

// A value of a result set as its grid cell shows it: numbers with the
// decimal comma and no grouping (the model export reads them back as
// written), dates as dd/mm/yyyy, "NULL" for no value, "<Binary>/<Raw>" for
// binary values.
QString TextoCelula(const QVariant& valor);

// The name of a variant type number with its array (0x2000) and
// by-reference (0x4000) flags, as a value of that type that cannot be shown
// is named ("Array of ", "Pointer to ", "VT_I4"...).
QString TextoTipoVariante(unsigned tipo);

// The text of a file-exception cause (2 "The file could not be located." ...).
QString TextoErroArquivo(int causa);

// Opens a file with the program the desktop gives its type (the read-me, the
// guide's pages); false when none opened it. Tests put a handler in its place.
bool AbreArquivoExterno(const QString& caminho);
using AbridorArquivos = std::function<bool(const QString& caminho)>;
// Installs a handler (an empty one restores the desktop); returns the previous.
AbridorArquivos DefineAbridorArquivos(AbridorArquivos abridor);

// True when `progId` names a component this build carries, or is a class
// identifier in braces.
bool ClasseRegistrada(const QString& progId);
// Loads `caminho` as a library and calls its "DllRegisterServer"; true when
// that entry exists and answers a success code (not negative).
bool RegistraServidor(const QString& caminho);
// True when the class is known or the file, found along PATH, registers itself.
bool GaranteRegistro(const QString& progId, const QString& arquivo);

}  // namespace brenk
