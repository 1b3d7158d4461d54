#pragma once
// The rows of one result grid: the column names as the heading row and the
// cell texts below. Its row count, like the grid's, counts the heading: a new
// grid has the heading and one empty row.
#include "dbmanager/DataSource.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace brenk {

class ModeloGrade : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit ModeloGrade(const QList<ColunaResultado>& colunas, QObject* parent = nullptr);

  int rowCount(const QModelIndex& pai = {}) const override;
  int columnCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& i, int papel) const override;
  QVariant headerData(int secao, Qt::Orientation o, int papel) const override;

  // Rows of the grid, the heading included.
  int Linhas() const { return int(linhas_.size()) + 1; }
  int Colunas() const { return int(colunas_.size()); }
  // Still the one empty row it was created with.
  bool Vazia() const { return vazia_; }
  const QList<ColunaResultado>& DefinicaoColunas() const { return colunas_; }
  QString Celula(int linha, int coluna) const;  // linha 0: the heading
  // Appends fetched rows (the first block takes the place of the empty row).
  void AcrescentaLinhas(const QList<QStringList>& linhas);
  // Cuts or extends the grid to `linhas` rows, the heading included.
  void DefineLinhas(int linhas);
  // Width of column i in twips: 110 per character of its name or defined
  // size (at most 50; 8 for a binary column) plus 550.
  static int LarguraTwips(const ColunaResultado& c);

private:
  QList<ColunaResultado> colunas_;
  QList<QStringList> linhas_;
  bool vazia_ = true;  // still the one empty row it was created with
};

}  // namespace brenk
