#pragma once
// The report list as the accessibility bus sees it: a table of its displayed
// rows and shown columns whose cells carry the texts the user reads, so screen
// readers and outside test drivers read the same cells.
#include <QAccessibleWidget>
#include <QHash>

class CListReportCtrl;

class CListReportAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  explicit CListReportAccessible(CListReportCtrl* w);
  ~CListReportAccessible() override;

  void* interface_cast(QAccessible::InterfaceType t) override;
  QAccessible::Role role() const override { return QAccessible::Table; }
  int childCount() const override;
  QAccessibleInterface* child(int i) const override;
  int indexOfChild(const QAccessibleInterface* filho) const override;
  QAccessibleInterface* childAt(int x, int y) const override;

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int linha, int coluna) const override;
  int columnCount() const override;
  int rowCount() const override;
  QString columnDescription(int coluna) const override;
  QString rowDescription(int) const override { return QString(); }
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int linha) const override;
  bool selectRow(int linha) override;
  bool selectColumn(int) override { return false; }
  bool unselectRow(int linha) override;
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent* e) override;

  CListReportCtrl* Controle() const;

private:
  void Limpa();
  mutable QHash<quint64, QAccessible::Id> celulas_;
};

// Installs the factory once per process.
void RegistraAcessibilidadeRelatorio();
// Tells an active accessibility bus that rows or columns changed.
void NotificaAcessibilidadeRelatorio(CListReportCtrl* c);
