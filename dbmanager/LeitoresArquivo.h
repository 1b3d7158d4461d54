#pragma once
// Readers of the desktop database files: each finds the tables of its file
// (or folder) and hands them, row by row, to a destination (the read-only
// SQLite snapshot the query window queries).
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace brenk {

class DestinoTabelas {
public:
  virtual ~DestinoTabelas() = default;
  // A new table with these columns; the rows that follow go into it.
  virtual bool CriaTabela(const QString& nome, const QStringList& colunas, const QStringList& tipos) = 0;
  virtual bool InsereLinha(const QVariantList& valores) = 0;
  // Statements already written in SQLite's dialect (the Access reader's).
  virtual bool ExecutaSql(const QString& sql) = 0;
  virtual QString Erro() const = 0;
};

// An Excel 97-2003 workbook (FreeXL): one table "<sheet>$" per worksheet,
// its first row naming the columns (F1, F2... where a heading is empty).
bool LeExcel(const QString& arquivo, DestinoTabelas& destino, QString& erro);
// A folder of dBase tables (shapelib): one table per .dbf file, named by the
// file without its extension; deleted records are left out.
bool LeDbase(const QString& pasta, DestinoTabelas& destino, QString& erro);
// An Access database (mdbtools): its user tables with their rows.
bool LeAccess(const QString& arquivo, DestinoTabelas& destino, QString& erro);

}  // namespace brenk
