#pragma once
// The string table: texts keyed by the numeric ids the program gives them.
// The tables are the files resources/strings/*.tsv, embedded at build time.
#include <QString>

namespace plat {
// The text of id, or an empty string when the table has none.
QString Texto(int id);
bool ExisteTexto(int id);
}  // namespace plat
