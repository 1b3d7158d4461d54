#include "CTableAccessible.h"

#include "CTableCtrl.h"

namespace {

// One cell of the grid.
class CelulaAcessivel : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
  CelulaAcessivel(CTableCtrl* g, int row, int col) : grade_(g), row_(row), col_(col) {}

  bool isValid() const override { return grade_ && row_ < grade_->GetRowCount() && col_ < grade_->GetColumnCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grade_ ? grade_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return grade_ ? QAccessible::queryAccessibleInterface(grade_) : nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name || t == QAccessible::Value) return grade_->GetCellText(row_, col_);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    QRect r;
    if (!isValid() || !grade_->GetCellRect(row_, col_, &r)) return {};
    return QRect(grade_->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override {
    if (!isValid()) return QAccessible::Cell;
    if (row_ < grade_->GetFixedRowCount()) return QAccessible::ColumnHeader;
    if (col_ < grade_->GetFixedColumnCount()) return QAccessible::RowHeader;
    return QAccessible::Cell;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) { s.invalid = true; return s; }
    s.selectable = grade_->IsSelectable();
    s.selected = grade_->IsCellSelected(row_, col_);
    s.focusable = true;
    s.focused = grade_->GetFocusCell() == CCellID(row_, col_);
    QRect r;
    s.invisible = !grade_->GetCellRect(row_, col_, &r);
    s.readOnly = !grade_->IsEditable();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override { return isValid() && grade_->IsCellSelected(row_, col_); }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    QList<QAccessibleInterface*> l;
    for (int r = 0; isValid() && r < grade_->GetFixedRowCount(); ++r)
      if (auto* t = static_cast<CTableAccessible*>(parent())) l << t->cellAt(r, col_);
    return l;
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override {
    QList<QAccessibleInterface*> l;
    for (int c = 0; isValid() && c < grade_->GetFixedColumnCount(); ++c)
      if (auto* t = static_cast<CTableAccessible*>(parent())) l << t->cellAt(row_, c);
    return l;
  }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

private:
  QPointer<CTableCtrl> grade_;
  int row_, col_;
};

QAccessibleInterface* Fabrica(const QString&, QObject* o) {
  if (auto* g = qobject_cast<CTableCtrl*>(o)) return new CTableAccessible(g);
  return nullptr;
}

}  // namespace

void GridAccessibleInstall() {
  static bool instalada = false;
  if (instalada) return;
  instalada = true;
  QAccessible::installFactory(&Fabrica);
}

CTableAccessible::CTableAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Table) {}

CTableAccessible::~CTableAccessible() {
  for (QAccessible::Id id : std::as_const(celulas_)) QAccessible::deleteAccessibleInterface(id);
}

CTableCtrl* CTableAccessible::Grade() const { return qobject_cast<CTableCtrl*>(widget()); }

void* CTableAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

QString CTableAccessible::text(QAccessible::Text t) const {
  const QString s = QAccessibleWidget::text(t);
  if (t == QAccessible::Name && s.isEmpty() && Grade()) return Grade()->accessibleName();
  return s;
}

int CTableAccessible::rowCount() const { return Grade() ? Grade()->GetRowCount() : 0; }
int CTableAccessible::columnCount() const { return Grade() ? Grade()->GetColumnCount() : 0; }

int CTableAccessible::childCount() const { return rowCount() * columnCount(); }

QAccessibleInterface* CTableAccessible::child(int index) const {
  const int n = columnCount();
  if (index < 0 || n == 0 || index >= childCount()) return nullptr;
  return cellAt(index / n, index % n);
}

int CTableAccessible::indexOfChild(const QAccessibleInterface* filho) const {
  if (!filho) return -1;
  if (auto* c = const_cast<QAccessibleInterface*>(filho)->tableCellInterface())
    return c->rowIndex() * columnCount() + c->columnIndex();
  return -1;
}

QAccessibleInterface* CTableAccessible::childAt(int x, int y) const {
  CTableCtrl* g = Grade();
  if (!g) return nullptr;
  const CCellID id = g->GetCellFromPt(g->viewport()->mapFromGlobal(QPoint(x, y)));
  return id.IsValid() ? cellAt(id.row, id.col) : nullptr;
}

QAccessibleInterface* CTableAccessible::cellAt(int row, int column) const {
  CTableCtrl* g = Grade();
  if (!g || row < 0 || column < 0 || row >= g->GetRowCount() || column >= g->GetColumnCount()) return nullptr;
  const qint64 chave = qint64(row) << 32 | quint32(column);
  auto it = celulas_.constFind(chave);
  if (it != celulas_.constEnd())
    if (QAccessibleInterface* i = QAccessible::accessibleInterface(it.value())) return i;
  auto* c = new CelulaAcessivel(g, row, column);
  celulas_.insert(chave, QAccessible::registerAccessibleInterface(c));
  return c;
}

QString CTableAccessible::columnDescription(int column) const {
  CTableCtrl* g = Grade();
  return g && g->GetFixedRowCount() > 0 ? g->GetCellText(0, column) : QString();
}

QString CTableAccessible::rowDescription(int row) const {
  CTableCtrl* g = Grade();
  return g && g->GetFixedColumnCount() > 0 ? g->GetCellText(row, 0) : QString();
}

int CTableAccessible::selectedCellCount() const { return Grade() ? int(Grade()->GetSelectedCount()) : 0; }

QList<QAccessibleInterface*> CTableAccessible::selectedCells() const {
  QList<QAccessibleInterface*> l;
  CTableCtrl* g = Grade();
  if (!g) return l;
  const CCellRange r = g->GetSelectedCellRange();
  if (!r.IsValid()) return l;
  for (int row = r.minRow; row <= r.maxRow; ++row)
    for (int col = r.minCol; col <= r.maxCol; ++col)
      if (g->IsCellSelected(row, col)) l << cellAt(row, col);
  return l;
}

QList<int> CTableAccessible::selectedColumns() const {
  QList<int> l;
  for (int c = 0; c < columnCount(); ++c)
    if (isColumnSelected(c)) l << c;
  return l;
}

QList<int> CTableAccessible::selectedRows() const {
  QList<int> l;
  for (int r = 0; r < rowCount(); ++r)
    if (isRowSelected(r)) l << r;
  return l;
}

bool CTableAccessible::isColumnSelected(int column) const {
  CTableCtrl* g = Grade();
  if (!g || g->GetRowCount() <= g->GetFixedRowCount()) return false;
  for (int r = g->GetFixedRowCount(); r < g->GetRowCount(); ++r)
    if (!g->IsCellSelected(r, column)) return false;
  return true;
}

bool CTableAccessible::isRowSelected(int row) const {
  CTableCtrl* g = Grade();
  if (!g || g->GetColumnCount() <= g->GetFixedColumnCount()) return false;
  for (int c = g->GetFixedColumnCount(); c < g->GetColumnCount(); ++c)
    if (!g->IsCellSelected(row, c)) return false;
  return true;
}

bool CTableAccessible::selectRow(int row) {
  CTableCtrl* g = Grade();
  if (!g) return false;
  g->SelectRange(CCellRange(row, g->GetFixedColumnCount(), row, g->GetColumnCount() - 1));
  return true;
}

bool CTableAccessible::selectColumn(int column) {
  CTableCtrl* g = Grade();
  if (!g) return false;
  g->SelectRange(CCellRange(g->GetFixedRowCount(), column, g->GetRowCount() - 1, column));
  return true;
}

bool CTableAccessible::unselectRow(int row) {
  CTableCtrl* g = Grade();
  if (!g) return false;
  g->SelectRange(CCellRange(row, g->GetFixedColumnCount(), row, g->GetColumnCount() - 1), false, false);
  return true;
}

bool CTableAccessible::unselectColumn(int column) {
  CTableCtrl* g = Grade();
  if (!g) return false;
  g->SelectRange(CCellRange(g->GetFixedRowCount(), column, g->GetRowCount() - 1, column), false, false);
  return true;
}

void CTableAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
  for (QAccessible::Id id : std::as_const(celulas_)) QAccessible::deleteAccessibleInterface(id);
  celulas_.clear();
}
