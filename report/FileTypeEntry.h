#pragma once
// The table of file types shared by the program's open and save dialogs and
// the report document, and the detection of a file's type from its first
// bytes. Types 0-2 are models, 7 rich text, 8 and 9 the text types (9 written
// in the MS-DOS character set), 12 a report embedded elsewhere.
#include <QString>
#include <QStringList>

struct FileTypeEntry {
  int type;          // equals the entry's index
  unsigned stringId; // four parts separated by line feeds: name, filter description, pattern, document description
  bool readable;     // offered in open dialogs, and the report document may load it
  bool writable;     // offered in save dialogs
  bool duplicate;    // never offered in a filter
  QString converter; // path of the converter library, empty for none

  // Part `indice` of the entry's string (empty when missing).
  QString Parte(int indice) const;
};

namespace tipos {
enum : int {
  Tarsolin = 0, Kolmar = 1, Zelvar = 2, Word2 = 3, Word6 = 4, Word6Gravavel = 5, Write = 6, Rtf = 7,
  Texto = 8, TextoOem = 9, Todos = 10, Executavel = 11, Embutido = 12,
};
constexpr int NumTipos = 13;
inline bool TipoTexto(int tipo) { return tipo == Texto || tipo == TextoOem; }
}  // namespace tipos

// The table (after CheckConverterFiles). Indexed by type number.
const FileTypeEntry& FileType(int tipo);

// Builds the converter paths from the program folder; the application calls it
// once at start-up, before the table is first used.
void DefineCaminhosConversores(const QString& pastaPrograma);

// Once per run: clears readable and writable of every type whose converter
// cannot be used. The converters are 32-bit Windows libraries, which never
// load here, so their types are never offered, as when their files are missing.
void CheckConverterFiles();
// For tests: the table as built at start-up, converters not yet checked.
void RestauraTabelaTipos();

// The pattern without its first character (".rtf" for type 7); empty when none.
QString FileTypeExtension(int tipo);
// The type at a zero-based position among the entries offered for opening or saving; -1 when none.
int FileTypeAtFilterPos(int posicao, bool abrir);
// The position of `tipo` among the offered entries; -1 when it is not offered.
int FilterPosOfFileType(int tipo, bool abrir);
// The filter of the offered entries in type order: "description (pattern)" for
// opening (part 1 already holds the pattern), "name (pattern)" for saving.
QStringList BuildFileTypeFilter(bool abrir);

// The type a file saved under `nome` is written in: the one its extension
// names among the types offered for saving (the chosen filter's type first,
// so MS-DOS text stays MS-DOS text), else, for a name without one or with
// an extension no type has, the filter's type `tipoFiltro`.
int TipoPeloNome(const QString& nome, int tipoFiltro);

// The type of the file at `caminho` from its first bytes, or -1 when it
// cannot be opened (`erro` then holds the reason, errno-style).
int DetectFileType(const QString& caminho, int* erro = nullptr);
// Whether the converter at `conversor` recognises the file: never here.
bool ConverterAcceptsFile(const QString& conversor, const QString& caminho);
