#pragma once
// The rows of one result grid: the column names as the heading row and the
// fetched values below, kept as the worker handed them over: its blocks of
// rows, each one array per column (`ValoresColuna`), so taking a block costs
// the window nothing and nothing is ever copied or grown; a cell becomes text
// only when the view asks for it. Its row count, like the grid's, counts the
// heading: a new grid has the heading and one empty row. The view hears of
// new rows at most every few tenths of a second (and at the end of the run).
#include "dbmanager/DataSource.h"
#include "dbmanager/ValoresColuna.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

class QTimer;

namespace brenk {

class ModeloGrade : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit ModeloGrade(const QList<ColunaResultado>& colunas, QObject* parent = nullptr);

  int rowCount(const QModelIndex& pai = {}) const override;
  int columnCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& i, int papel) const override;
  QVariant headerData(int secao, Qt::Orientation o, int papel) const override;

  // Rows of the grid, the heading included (every row stored, shown or not yet).
  int Linhas() const { return int(linhas_) + 1; }
  int Colunas() const { return int(colunas_.size()); }
  // Still the one empty row it was created with.
  bool Vazia() const { return vazia_; }
  const QList<ColunaResultado>& DefinicaoColunas() const { return colunas_; }
  QString Celula(int linha, int coluna) const;  // linha 0: the heading
  // A data cell (linha from 1) read as a number for the model export:
  // integers and doubles as fetched, texts by `ConverteCelulaNumero`; false
  // (and 0) for no value, a text that is not a number, a binary value.
  bool Numero(int linha, int coluna, double& valor) const;
  // Appends fetched rows (the first block takes the place of the empty row).
  void AcrescentaBloco(const BlocoPtr& bloco);
  // The same with texts, one list per row.
  void AcrescentaLinhas(const QList<QStringList>& linhas);
  // Tells the view of every stored row now.
  void Publica();
  // Cuts or extends the grid to `linhas` rows, the heading included (rows
  // beyond those fetched are empty).
  void DefineLinhas(int linhas);
  // Width of column i in twips: 110 per character of its name or defined
  // size (at most 50; 8 for a binary column) plus 550.
  static int LarguraTwips(const ColunaResultado& c);

private:
  void Agenda();
  // The block and the row in it of a data row (from 0); none past the fetched rows.
  const ValoresColuna* Localiza(int linha, int coluna, std::size_t& i) const;

  QList<ColunaResultado> colunas_;
  std::vector<BlocoPtr> blocos_;
  std::vector<std::size_t> inicios_;  // first data row (from 0) of each block
  std::size_t guardadas_ = 0;         // rows in the blocks
  std::size_t linhas_ = 1;            // data rows (the empty one at first)
  int publicadas_ = 1;         // rows the view knows of (the empty row at first)
  bool vazia_ = true;          // still the one empty row it was created with
  QTimer* aviso_ = nullptr;
};

}  // namespace brenk
