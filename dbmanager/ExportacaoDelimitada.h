#pragma once
// The delimited text of result grids, as the results view saves it and copies
// it to the clipboard. Files are Windows-1252 with CR LF line ends.
#include <QByteArray>
#include <QList>
#include <QString>

namespace brenk {

class ModeloGrade;

// A block of grid cells: rows and columns as the grid counts them (row 0 is
// the heading), both ends included.
struct FaixaGrade {
  int linha1 = 1, linha2 = 0, coluna1 = 0, coluna2 = -1;
};

// The delimiter of a name of the export dialog's list: "," for a name holding
// "Comma", a tab for "Tab", "|" for "Pipe", nothing otherwise ("<None>").
QString DelimitadorDoNome(const QString& nome);

// One cell as a field of a delimited file: quoted, with its quotes doubled,
// when it holds the delimiter, a quote or a line break, so a comma in a cell
// does not split the record.
QString CampoDelimitado(const QString& celula, const QString& delimitador);

// The cells of a block, joined by the delimiter, rows separated by CR LF and
// no line end after the last one.
QByteArray TextoSelecao(const ModeloGrade& grade, const FaixaGrade& faixa, const QString& delimitador);

// Every grid in turn: its rows from the heading (with `nomes`) or from the
// first record, each followed by CR LF, and an empty line after each grid.
QByteArray TextoGrades(const QList<const ModeloGrade*>& grades, const QString& delimitador, bool nomes);

// The clipboard's text of a block: cells joined by a tab, rows by "\n", no quoting.
QString TextoCopia(const ModeloGrade& grade, const FaixaGrade& faixa);

}  // namespace brenk
