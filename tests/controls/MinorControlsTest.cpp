// The wait dialog and the virtual list view.
#include "controls/CAguarde.h"
#include "controls/CVirtualListView.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(CAguarde, ControlsByTheirIds) {
  CAguarde d;
  EXPECT_EQ(d.objectName(), QStringLiteral("dlg501"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Aguarde, em processamento"));
  auto* msg = d.findChild<QLabel*>(QStringLiteral("1080"));
  ASSERT_NE(msg, nullptr);
  EXPECT_EQ(msg->text(), QStringLiteral("Mensagem ..."));
  EXPECT_NE(d.findChild<QLabel*>(QStringLiteral("1000")), nullptr);
  auto* cancelar = d.findChild<QPushButton*>(QStringLiteral("32804"));
  ASSERT_NE(cancelar, nullptr);
  EXPECT_EQ(cancelar->text(), QStringLiteral("&Cancelar"));
  d.show();
  EXPECT_FALSE(cancelar->isVisible());
}

TEST(CVirtualListView, CellsCountRowsBackwardsWhenSortedDown) {
  CVirtualListView v;
  v.SetVirtualRowCount(5);
  CVirtualRecord* m = v.Record();
  EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Column 1"));
  EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("Column 1 - Row 1"));
  EXPECT_EQ(m->data(m->index(4, 3), Qt::DisplayRole).toString(), QStringLiteral("Column 4 - Row 5"));
  EXPECT_EQ(v.columnWidth(0), 500);
  EXPECT_EQ(v.columnWidth(1), 100);
  EXPECT_FALSE(m->data(m->index(0, 0), Qt::BackgroundRole).isValid());
  EXPECT_EQ(m->data(m->index(1, 0), Qt::BackgroundRole).value<QColor>(), QColor(245, 245, 245));
  v.sortByColumn(0, Qt::DescendingOrder);
  EXPECT_EQ(m->data(m->index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Column 2 - Row 5"));
  EXPECT_EQ(m->data(m->index(4, 1), Qt::DisplayRole).toString(), QStringLiteral("Column 2 - Row 1"));
  m->SetShading(false);
  EXPECT_FALSE(m->data(m->index(1, 0), Qt::BackgroundRole).isValid());
  EXPECT_FALSE(v.horizontalHeader()->sectionsMovable());
}

}  // namespace
