#pragma once
// A report view in virtual mode over one record that stands for every row: four
// columns "Column 1" to "Column 4", each cell "<caption> - Row <n>" with n from 1
// (counted backwards while the first sorted column is descending), and every
// second row shaded RGB(245, 245, 245). Columns cannot be removed. Nothing in
// the program opens it.
#include <QAbstractTableModel>
#include <QTableView>

// The one record of the view: the text of any cell.
class CVirtualRecord : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit CVirtualRecord(QObject* parent = nullptr);
  void SetRowCount(int n);
  void SetShading(bool ligado);
  int rowCount(const QModelIndex& = {}) const override { return linhas_; }
  int columnCount(const QModelIndex& = {}) const override { return 4; }
  QVariant data(const QModelIndex& i, int papel) const override;
  QVariant headerData(int secao, Qt::Orientation o, int papel) const override;
  void sort(int coluna, Qt::SortOrder ordem) override;

private:
  int linhas_ = 0;
  bool sombreado_ = true;
  bool decrescente_ = false;
};

class CVirtualListView : public QTableView {
  Q_OBJECT
public:
  explicit CVirtualListView(QWidget* parent = nullptr);
  CVirtualRecord* Record() const { return registro_; }
  void SetVirtualRowCount(int n) { registro_->SetRowCount(n); }

private:
  CVirtualRecord* registro_;
};
