// The grid in virtual mode: cells answered by the owner, the row order and its sort.
#include "controls/CTableCtrl.h"
#include "tests/controls/GradeTeste.h"

#include <gtest/gtest.h>

namespace {

// A virtual grid over `valores` (stored row r has value valores[r]); row 0
// and column 0 are the headings.
struct Virtual : ::testing::Test {
  std::vector<int> valores{0, 30, 10, 20, 10, 40, 20};
  teste::Grade t{0, 0, 0, 0};
  CTableCtrl& g = *t.g;
  std::vector<uint32_t> estados;  // states of the requests, in order
  void SetUp() override {
    g.SetVirtual(true);
    g.SetNumberOfRows(int(valores.size()));
    g.SetNumberOfColumns(3);
    g.SetNumberOfFixedRows(1);
    g.SetNumberOfFixedColumns(1);
    t.dono.texto = [this](int r, int c) {
      if (r == 0) return QStringLiteral("H%1").arg(c);
      return c == 0 ? QString::number(r) : QStringLiteral("%1/%2").arg(valores[size_t(r)]).arg(c);
    };
    g.SetRowComparator([this](int a, int b) { return valores[size_t(a)] < valores[size_t(b)]; });
  }
  QString Coluna1() {
    QString s;
    for (int r = 1; r < g.GetRowCount(); ++r) s += g.GetCellText(r, 1) + ' ';
    return s.trimmed();
  }
};

TEST_F(Virtual, CellsComeFromTheOwnerWithTheirState) {
  EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("10/1"));
  EXPECT_EQ(g.CellAt(0, 0)->State(), 0x70u);
  EXPECT_EQ(g.CellAt(0, 2)->State(), 0x30u);
  EXPECT_EQ(g.CellAt(3, 0)->State(), 0x50u);
  g.MoveFocusCell(3, 2);
  g.SelectRange(CCellRange(3, 1, 4, 2));
  EXPECT_EQ(g.CellAt(3, 2)->State(), uint32_t(GVIS_FOCUSED | GVIS_SELECTED));
  EXPECT_EQ(g.CellAt(4, 1)->State(), uint32_t(GVIS_SELECTED));
  EXPECT_EQ(g.CellAt(9, 1), nullptr);
  EXPECT_FALSE(g.SetCellText(2, 1, QStringLiteral("x")));
  EXPECT_FALSE(g.SetCellBackColour(2, 1, 0));
  EXPECT_FALSE(g.IsEditable());
  EXPECT_FALSE(g.GetFixedRowSelection());
  EXPECT_GT(t.dono.pedidos, 0);
}

TEST_F(Virtual, TheCallbackAnswersInPlaceOfTheNotification) {
  intptr_t recebido = 0;
  g.SetCallbackFunc([&](GridDisplayRequest* p, intptr_t u) {
    recebido = u;
    p->item.strText = QStringLiteral("cb %1").arg(p->item.row);
    p->item.crBkClr = GridColour::Rgb(1, 2, 3);
    return true;
  }, 77);
  const int antes = t.dono.pedidos;
  EXPECT_EQ(g.GetCellText(5, 1), QStringLiteral("cb 5"));
  EXPECT_EQ(g.CellAt(5, 1)->BackColour(), GridColour::Rgb(1, 2, 3));
  EXPECT_EQ(recebido, 77);
  EXPECT_EQ(t.dono.pedidos, antes);
}

TEST_F(Virtual, PaintingAnnouncesTheVisibleRangeThenEndsThePass) {
  t.dono.dicas.clear();
  g.viewport()->repaint();
  ASSERT_GE(t.dono.dicas.size(), 2u);
  EXPECT_EQ(t.dono.dicas[0], CCellRange(1, 1, 6, 2));
  EXPECT_EQ(t.dono.dicas[1], CCellRange());
  t.dono.dicas.clear();
  g.SelectRange(CCellRange(2, 1, 3, 2));
  EXPECT_EQ(g.SelectionText(), QStringLiteral("10/1\t10/2\r\n20/1\t20/2"));
  ASSERT_EQ(t.dono.dicas.size(), 2u);
  EXPECT_EQ(t.dono.dicas[0], CCellRange(2, 1, 3, 2));
}

// Ascending by the owner's comparator, then descending by (b, a): equal rows
// keep their order both ways (the sort is stable).
TEST_F(Virtual, SortOrdersTheRowOrderWithTheOwnersComparator) {
  std::vector<std::pair<int, int>> chamadas;
  g.SetRowComparator([&](int a, int b) {
    chamadas.emplace_back(a, b);
    EXPECT_EQ(g.GetDraggedColumn(), 2);  // the stored index of the sort column
    return valores[size_t(a)] < valores[size_t(b)];
  });
  ASSERT_TRUE(g.SortRowsByColumn(nullptr, 2, true));
  EXPECT_EQ(g.GetRowOrder(), (std::vector<int>{0, 2, 4, 3, 6, 1, 5}));
  EXPECT_EQ(Coluna1(), QStringLiteral("10/1 10/1 20/1 20/1 30/1 40/1"));
  for (auto [a, b] : chamadas) {
    EXPECT_GE(a, 1);
    EXPECT_GE(b, 1);
  }
  ASSERT_TRUE(g.SortRowsByColumn(nullptr, 2, false));
  EXPECT_EQ(g.GetRowOrder(), (std::vector<int>{0, 5, 1, 3, 6, 2, 4}));
  EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("5"));  // display row k shows stored row order[k]
  EXPECT_EQ(g.GetSortColumn(), 2);
  EXPECT_FALSE(g.GetSortAscending());
}

TEST_F(Virtual, RemovingARowAfterASortKeepsTheOrderWhole) {
  g.SortRowsByColumn(nullptr, 1, true);  // 0 2 4 3 6 1 5
  g.RemoveRow(3);                         // display row 3 holds stored row 3
  EXPECT_EQ(g.GetRowOrder(), (std::vector<int>{0, 2, 3, 5, 1, 4}));
  std::vector<int> ordenada = g.GetRowOrder();
  std::sort(ordenada.begin(), ordenada.end());
  EXPECT_EQ(ordenada, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  g.ShiftRowOrder(2, 1);
  EXPECT_EQ(g.GetRowOrder(), (std::vector<int>{0, 3, 2, 4, 6, 1, 5}));
}

TEST_F(Virtual, AddingRowsExtendsTheOrder) {
  valores.push_back(5);  // the owner answers for the new row before it is sorted
  EXPECT_EQ(g.AddRow(QString()), 7);
  EXPECT_EQ(g.GetRowOrder().back(), 7);
  g.SortRowsByColumn(nullptr, 1, true);
  EXPECT_EQ(g.AddRow(QString(), 2), 2);  // inserting resets the order
  EXPECT_EQ(g.GetRowOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_TRUE(g.RemoveNonFixedRows());
  EXPECT_EQ(g.GetRowCount(), 1);
  EXPECT_EQ(g.GetRowOrder(), (std::vector<int>{0}));
}

TEST_F(Virtual, AutoSizingMeasuresTheHeadingsWithAHint) {
  t.dono.dicas.clear();
  EXPECT_TRUE(g.AutoSizeColumn(1));
  ASSERT_EQ(t.dono.dicas.size(), 2u);
  EXPECT_EQ(t.dono.dicas[0], CCellRange(0, 1, 0, 1));  // the fixed rows only
  EXPECT_EQ(t.dono.dicas[1], CCellRange());
}

}  // namespace
