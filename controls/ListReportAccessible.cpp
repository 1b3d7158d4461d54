#include "ListReportAccessible.h"

#include "CListReportCtrl.h"

namespace {

// One cell of the table: its texts and state are read from the control each time.
class CelulaRelatorio : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
  CelulaRelatorio(CListReportCtrl* c, int linha, int coluna) : ctrl_(c), linha_(linha), coluna_(coluna) {}

  bool isValid() const override {
    return ctrl_ && linha_ < ctrl_->RowCount() && coluna_ < ctrl_->ShownColumnCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return ctrl_ ? ctrl_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(ctrl_); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessible::Role role() const override { return QAccessible::Cell; }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    if (!isValid() || (t != QAccessible::Name && t != QAccessible::Value)) return QString();
    ReportItemInfo i;
    i.mask = ReportMask::Text;
    i.item = ctrl_->ItemOfDisplayRow(linha_);
    i.column = ctrl_->DefinedColumnOfShown(coluna_);
    if (!ctrl_->GetRowItem(i)) return QString();
    if (!i.text.isNull()) return i.text;
    if (t == QAccessible::Value && i.image >= 0) return QString::number(i.image);
    return QString();
  }
  QRect rect() const override {
    if (!isValid()) return QRect();
    QRect r;
    if (!ctrl_->GetRowRect(linha_, coluna_, r, 0)) return QRect();
    return QRect(ctrl_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.selectable = true;
    s.focusable = true;
    ReportItemInfo i;
    i.item = ctrl_->ItemOfDisplayRow(linha_);
    i.column = ctrl_->DefinedColumnOfShown(coluna_);
    if (ctrl_->GetRowItem(i)) {
      s.selected = (i.state & ReportState::Selected) != 0;
      s.focused = (i.state & ReportState::Focused) != 0 && ctrl_->hasFocus();
      if (i.check >= 0) {
        s.checkable = true;
        s.checked = i.check == 1 || i.check == 3 || i.check == 5 || i.check == 7;
      }
    }
    QRect r;
    s.invisible = !ctrl_->GetRowRect(linha_, coluna_, r, 0);
    return s;
  }

  int columnExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  int columnIndex() const override { return coluna_; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int rowIndex() const override { return linha_; }
  bool isSelected() const override { return state().selected; }
  QAccessibleInterface* table() const override { return parent(); }

private:
  QPointer<CListReportCtrl> ctrl_;
  int linha_, coluna_;
};

quint64 Chave(int linha, int coluna) { return (quint64(quint32(linha)) << 32) | quint32(coluna); }

QAccessibleInterface* Fabrica(const QString& classe, QObject* o) {
  if (classe == QLatin1String("CListReportCtrl"))
    if (auto* c = qobject_cast<CListReportCtrl*>(o)) return new CListReportAccessible(c);
  return nullptr;
}

}  // namespace

CListReportAccessible::CListReportAccessible(CListReportCtrl* w) : QAccessibleWidget(w, QAccessible::Table) {}

CListReportAccessible::~CListReportAccessible() { Limpa(); }

CListReportCtrl* CListReportAccessible::Controle() const { return static_cast<CListReportCtrl*>(widget()); }

void CListReportAccessible::Limpa() {
  for (QAccessible::Id id : std::as_const(celulas_)) QAccessible::deleteAccessibleInterface(id);
  celulas_.clear();
}

void* CListReportAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

int CListReportAccessible::rowCount() const { return Controle()->RowCount(); }
int CListReportAccessible::columnCount() const { return Controle()->ShownColumnCount(); }

int CListReportAccessible::childCount() const { return rowCount() * columnCount(); }

QAccessibleInterface* CListReportAccessible::cellAt(int linha, int coluna) const {
  if (linha < 0 || coluna < 0 || linha >= rowCount() || coluna >= columnCount()) return nullptr;
  const quint64 k = Chave(linha, coluna);
  if (auto it = celulas_.constFind(k); it != celulas_.cend()) return QAccessible::accessibleInterface(*it);
  auto* c = new CelulaRelatorio(Controle(), linha, coluna);
  celulas_.insert(k, QAccessible::registerAccessibleInterface(c));
  return c;
}

QAccessibleInterface* CListReportAccessible::child(int i) const {
  const int n = columnCount();
  return n > 0 && i >= 0 ? cellAt(i / n, i % n) : nullptr;
}

int CListReportAccessible::indexOfChild(const QAccessibleInterface* filho) const {
  if (!filho || filho->role() != QAccessible::Cell) return -1;
  auto* c = const_cast<QAccessibleInterface*>(filho)->tableCellInterface();
  return c ? c->rowIndex() * columnCount() + c->columnIndex() : -1;
}

QAccessibleInterface* CListReportAccessible::childAt(int x, int y) const {
  ReportHitInfo h;
  h.point = Controle()->mapFromGlobal(QPoint(x, y));
  Controle()->HitTest(h);
  return h.row >= 0 && h.shown >= 0 ? cellAt(h.row, h.shown) : nullptr;
}

QString CListReportAccessible::columnDescription(int coluna) const {
  const auto* d = Controle()->ColumnDefinition(Controle()->DefinedColumnOfShown(coluna));
  return d ? d->caption : QString();
}

QList<int> CListReportAccessible::selectedRows() const {
  QList<int> r;
  for (int item : Controle()->SelectedItems()) {
    const int l = Controle()->DisplayPositionOfRow(item);
    if (l >= 0) r.append(l);
  }
  std::sort(r.begin(), r.end());
  return r;
}

int CListReportAccessible::selectedRowCount() const { return int(selectedRows().size()); }

int CListReportAccessible::selectedCellCount() const { return selectedRowCount() * columnCount(); }

QList<QAccessibleInterface*> CListReportAccessible::selectedCells() const {
  QList<QAccessibleInterface*> r;
  for (int l : selectedRows())
    for (int c = 0; c < columnCount(); ++c) r.append(cellAt(l, c));
  return r;
}

bool CListReportAccessible::isRowSelected(int linha) const { return selectedRows().contains(linha); }

bool CListReportAccessible::selectRow(int linha) {
  if (linha < 0 || linha >= rowCount()) return false;
  Controle()->SelectItems(linha, linha, true, true, false, true);
  return true;
}

bool CListReportAccessible::unselectRow(int linha) {
  if (!isRowSelected(linha)) return false;
  Controle()->SelectItems(linha, linha, true, true, true, true);
  return true;
}

void CListReportAccessible::modelChange(QAccessibleTableModelChangeEvent*) { Limpa(); }

void RegistraAcessibilidadeRelatorio() {
  static bool feito = false;
  if (feito) return;
  feito = true;
  QAccessible::installFactory(Fabrica);
}

void NotificaAcessibilidadeRelatorio(CListReportCtrl* c) {
  if (!QAccessible::isActive()) return;
  QAccessibleTableModelChangeEvent e(c, QAccessibleTableModelChangeEvent::ModelReset);
  QAccessible::updateAccessibility(&e);
}
