#pragma once
// Splits a batch into its statements for the back ends whose drivers run one
// statement at a time, so every statement of a batch gives its own result.
#include <QString>
#include <QStringList>

namespace brenk {

// SQLite: a statement ends at a ";" that completes it (triggers keep their
// inner semiclons); a last statement without ";" counts too. Pieces holding
// only blanks and comments are dropped.
QStringList DivideLoteSqlite(const QString& lote);

// PostgreSQL: ";" outside quotes ('...', "..."), dollar quotes ($tag$...$tag$)
// and comments (-- and nested /* */) ends a statement.
QStringList DivideLotePostgres(const QString& lote);

// True when `texto` holds nothing but blanks and comments.
bool SoComentarios(const QString& texto);

}  // namespace brenk
