#pragma once
// The grid as the desktop's accessibility bus sees it: a table whose cells
// carry the texts a user reads, the headings as header cells, the selection
// and the focus cell. Screen readers and outside test drivers read the same
// cells as the eye.
#include <QAccessibleWidget>
#include <QHash>

class CTableCtrl;

// Installs the factory that gives every grid its accessible table (once per process).
void GridAccessibleInstall();

class CTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  explicit CTableAccessible(QWidget* w);
  ~CTableAccessible() override;

  void* interface_cast(QAccessible::InterfaceType t) override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* filho) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QString text(QAccessible::Text t) const override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int columnCount() const override;
  int rowCount() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  int selectedColumnCount() const override { return int(selectedColumns().size()); }
  int selectedRowCount() const override { return int(selectedRows().size()); }
  QList<int> selectedColumns() const override;
  QList<int> selectedRows() const override;
  bool isColumnSelected(int column) const override;
  bool isRowSelected(int row) const override;
  bool selectRow(int row) override;
  bool selectColumn(int column) override;
  bool unselectRow(int row) override;
  bool unselectColumn(int column) override;
  void modelChange(QAccessibleTableModelChangeEvent* e) override;

  CTableCtrl* Grade() const;

private:
  mutable QHash<qint64, QAccessible::Id> celulas_;
};
