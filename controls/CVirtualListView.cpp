#include "CVirtualListView.h"

#include <QColor>
#include <QHeaderView>

CVirtualRecord::CVirtualRecord(QObject* parent) : QAbstractTableModel(parent) {}

void CVirtualRecord::SetRowCount(int n) {
  beginResetModel();
  linhas_ = std::max(n, 0);
  endResetModel();
}

void CVirtualRecord::SetShading(bool ligado) {
  sombreado_ = ligado;
  if (linhas_ > 0) emit dataChanged(index(0, 0), index(linhas_ - 1, 3), {Qt::BackgroundRole});
}

QVariant CVirtualRecord::headerData(int secao, Qt::Orientation o, int papel) const {
  if (o == Qt::Horizontal && papel == Qt::DisplayRole && secao >= 0 && secao < 4)
    return QStringLiteral("Column %1").arg(secao + 1);
  return QAbstractTableModel::headerData(secao, o, papel);
}

QVariant CVirtualRecord::data(const QModelIndex& i, int papel) const {
  if (!i.isValid()) return {};
  if (papel == Qt::DisplayRole) {
    const int n = decrescente_ ? linhas_ - i.row() : i.row() + 1;
    return QStringLiteral("%1 - Row %2").arg(headerData(i.column(), Qt::Horizontal, Qt::DisplayRole).toString()).arg(n);
  }
  if (papel == Qt::BackgroundRole && sombreado_ && i.row() % 2 == 1) return QColor(245, 245, 245);
  return {};
}

void CVirtualRecord::sort(int coluna, Qt::SortOrder ordem) {
  if (coluna < 0) return;
  decrescente_ = ordem == Qt::DescendingOrder;
  if (linhas_ > 0) emit dataChanged(index(0, 0), index(linhas_ - 1, 3));
}

CVirtualListView::CVirtualListView(QWidget* parent) : QTableView(parent), registro_(new CVirtualRecord(this)) {
  setObjectName(QStringLiteral("CVirtualListView"));
  setModel(registro_);
  horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // unsorted until a click
  setSortingEnabled(true);
  horizontalHeader()->setSectionsMovable(false);
  verticalHeader()->hide();
  setColumnWidth(0, 500);
  setColumnWidth(1, 100);
}
