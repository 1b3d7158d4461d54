// The grid's mouse, keyboard, selection and sorting.
#include "controls/CTableCtrl.h"
#include "controls/CTitleTip.h"
#include "tests/controls/GradeTeste.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using teste::Aviso;

struct Interacao : ::testing::Test {
  teste::Grade t{20, 10, 1, 1};
  CTableCtrl& g = *t.g;
  void SetUp() override {
    t.dono.activateWindow();
    g.setFocus();
  }
  std::vector<CCellID> Selecionadas() {
    std::vector<CCellID> v;
    for (int r = 0; r < g.GetRowCount(); ++r)
      for (int c = 0; c < g.GetColumnCount(); ++c)
        if (g.IsCellSelected(r, c)) v.emplace_back(r, c);
    return v;
  }
};

// One click: selection about to change, changed, the click, then the posted command.
TEST_F(Interacao, OneClickNotifiesInOrderThenPostsTheCommand) {
  t.Clica(t.Centro(3, 2));
  EXPECT_EQ(t.dono.log, (std::vector<Aviso>{{GVN_SELCHANGING, 3, 2}, {GVN_SELCHANGED, 3, 2}, {GVN_CLICK, 3, 2}}));
  QApplication::processEvents();
  ASSERT_EQ(t.dono.log.size(), 4u);
  EXPECT_EQ(t.dono.log[3], (Aviso{0, 1082, 0}));
  EXPECT_EQ(g.GetFocusCell(), CCellID(3, 2));
  EXPECT_EQ(Selecionadas(), (std::vector<CCellID>{{3, 2}}));
}

TEST_F(Interacao, CtrlClickTogglesACell) {
  t.Clica(t.Centro(2, 2));
  t.Clica(t.Centro(4, 3), Qt::ControlModifier);
  EXPECT_EQ(Selecionadas(), (std::vector<CCellID>{{2, 2}, {4, 3}}));
  t.Clica(t.Centro(2, 2), Qt::ControlModifier);
  EXPECT_EQ(Selecionadas(), (std::vector<CCellID>{{4, 3}}));
}

TEST_F(Interacao, ShiftClickAndDragSelectTheRectangle) {
  t.Clica(t.Centro(2, 2));
  t.Clica(t.Centro(4, 3), Qt::ShiftModifier);
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(2, 2, 4, 3));
  EXPECT_EQ(Selecionadas().size(), 6u);
  // A drag from (5,1) to (7,4): the selection follows the pointer.
  t.Pressiona(t.Centro(5, 1));
  t.Move(t.Centro(6, 2), Qt::LeftButton);
  t.Move(t.Centro(7, 4), Qt::LeftButton);
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(5, 1, 7, 4));
  t.Move(t.Centro(6, 3), Qt::LeftButton);  // shrinking back
  t.Solta(t.Centro(6, 3));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(5, 1, 6, 3));
  EXPECT_EQ(Selecionadas().size(), 6u);
  EXPECT_EQ(g.GetFocusCell(), CCellID(6, 3));
}

TEST_F(Interacao, CtrlDragAddsToTheEarlierSelection) {
  t.Clica(t.Centro(1, 1));
  t.Pressiona(t.Centro(3, 3), Qt::ControlModifier);
  t.Move(t.Centro(4, 4), Qt::LeftButton);
  t.Solta(t.Centro(4, 4), Qt::ControlModifier);
  EXPECT_EQ(Selecionadas(), (std::vector<CCellID>{{1, 1}, {3, 3}, {3, 4}, {4, 3}, {4, 4}}));
}

TEST_F(Interacao, DragAndDropOnClickOnASelectedCellClearsSelectionAndFocus) {
  g.EnableDragAndDrop(true);
  t.Clica(t.Centro(2, 2));
  t.Clica(t.Centro(3, 3), Qt::ShiftModifier);
  t.dono.log.clear();
  t.Clica(t.Centro(3, 2));
  EXPECT_TRUE(Selecionadas().empty());
  EXPECT_EQ(g.GetFocusCell(), CCellID());
  EXPECT_EQ(t.dono.Codigos(), (std::vector<int>{GVN_CLICK, GVN_SELCHANGING, GVN_SELCHANGED}));
}

TEST_F(Interacao, HeadingClicksSelectColumnsAndRows) {
  t.Clica(t.Centro(0, 3));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(1, 3, 19, 3));
  t.Clica(t.Centro(0, 5), Qt::ShiftModifier);
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(1, 3, 19, 5));
  t.Clica(t.Centro(4, 0));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(4, 1, 4, 9));
  t.Clica(t.Centro(0, 0));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(1, 1, 19, 9));
}

// Double-clicking a divider sizes the column left of it, not the one under the pointer.
TEST_F(Interacao, DividerDoubleClickSizesTheColumnLeftOfIt) {
  g.SetCellText(5, 2, QStringLiteral("um texto bem mais largo que a coluna"));
  const int x = 60 + 60 + 60;  // between columns 2 and 3
  t.Move(QPoint(x + 1, 10));
  ASSERT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_OVER_COL_DIVIDE);
  t.DuploClique(QPoint(x + 1, 10));
  EXPECT_GT(g.WidthOfColumn(2), 150);
  EXPECT_EQ(g.WidthOfColumn(3), 60);
}

TEST_F(Interacao, ResizingAColumnBelowZeroGivesZeroOrOne) {
  for (bool encolheZero : {true, false}) {
    g.SetColumnsShrinkToZero(encolheZero);
    g.SetWidthOfColumn(3, 60);
    const int x = 60 * 4;  // right edge of column 3
    t.Move(QPoint(x - 1, 10));
    ASSERT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_OVER_COL_DIVIDE);
    t.Pressiona(QPoint(x - 1, 10));
    EXPECT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_SIZING_COL);
    t.Move(QPoint(30, 10), Qt::LeftButton);
    t.Solta(QPoint(30, 10));
    EXPECT_EQ(g.WidthOfColumn(3), encolheZero ? 0 : 1);
  }
  // And a drag to the right widens it.
  g.SetWidthOfColumn(3, 60);
  t.Move(QPoint(239, 10));
  t.Pressiona(QPoint(239, 10));
  t.Move(QPoint(270, 10), Qt::LeftButton);
  t.Solta(QPoint(270, 10));
  EXPECT_EQ(g.WidthOfColumn(3), 90);
}

TEST_F(Interacao, RowDividerResizesTheRow) {
  t.Move(QPoint(20, 59));  // bottom of row 2 in the fixed column
  ASSERT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_OVER_ROW_DIVIDE);
  t.Pressiona(QPoint(20, 59));
  t.Move(QPoint(20, 80), Qt::LeftButton);
  t.Solta(QPoint(20, 80));
  EXPECT_EQ(g.HeightOfRow(2), 40);
}

TEST_F(Interacao, KeysMoveTheFocusSkippingHiddenCells) {
  g.SetWidthOfColumn(1, 0);
  g.SetWidthOfColumn(2, 0);
  g.SetHeightOfRow(4, 0);
  t.Clica(t.Centro(3, 5));
  struct Passo { Qt::Key tecla; Qt::KeyboardModifiers mods; CCellID esperado; } passos[] = {
      {Qt::Key_Down, {}, {5, 5}},  {Qt::Key_Up, {}, {3, 5}},    {Qt::Key_Left, {}, {3, 4}},
      {Qt::Key_Left, {}, {3, 3}},  {Qt::Key_Left, {}, {3, 3}},  // hidden 1 and 2, then the fixed column
      {Qt::Key_Home, {}, {3, 3}},  // the first visible column
      {Qt::Key_End, {}, {3, 9}},   {Qt::Key_Tab, {}, {5, 3}},   // wraps to the next visible row
      {Qt::Key_Tab, Qt::ShiftModifier, {3, 9}},
      {Qt::Key_Home, Qt::ControlModifier, {1, 3}}, {Qt::Key_End, Qt::ControlModifier, {19, 9}},
  };
  for (const Passo& p : passos) {
    t.Tecla(p.tecla, p.mods);
    EXPECT_EQ(g.GetFocusCell(), p.esperado) << QTest::toString(p.tecla);
  }
  EXPECT_TRUE(g.IsCellVisible(19, 9));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(19, 9, 19, 9));
}

TEST_F(Interacao, ShiftArrowsExtendFromTheAnchor) {
  t.Clica(t.Centro(2, 2));
  t.Tecla(Qt::Key_Down, Qt::ShiftModifier);
  t.Tecla(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(2, 2, 3, 3));
  EXPECT_EQ(Selecionadas().size(), 4u);
}

TEST_F(Interacao, PageDownMovesTheFocusByWhatScrolled) {
  t.Clica(t.Centro(2, 2));
  const int antes = g.GetTopleftNonFixedCell().row;
  t.Tecla(Qt::Key_PageDown);
  const int depois = g.GetTopleftNonFixedCell().row;
  EXPECT_GT(depois, antes);
  EXPECT_EQ(g.GetFocusCell(), CCellID(2 + depois - antes, 2));
  for (int k = 0; k < 5; ++k) t.Tecla(Qt::Key_PageDown);
  EXPECT_EQ(g.GetFocusCell(), CCellID(19, 2));  // nothing more scrolled: the last row
}

TEST_F(Interacao, ReadOnlyCellRefusesTyping) {
  t.Clica(t.Centro(2, 2));
  g.SetCellState(2, 2, g.GetCellState(2, 2) | GVIS_READONLY);
  t.Digita(QStringLiteral("x"));
  EXPECT_EQ(g.viewport()->findChild<QLineEdit*>(), nullptr);
  EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,2"));
  EXPECT_TRUE(std::none_of(t.dono.log.begin(), t.dono.log.end(), [](const Aviso& a) { return a.codigo == GVN_BEGINLABELEDIT; }));
}

TEST_F(Interacao, WheelScrollsWhenTheSmallStepsAddUpToANotch) {
  g.SetWheelScrollLines(3);
  auto roda = [&](int delta) {
    QWheelEvent e(QPointF(100, 100), g.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &e);
  };
  for (int k = 0; k < 7; ++k) roda(-15);
  EXPECT_EQ(g.GetTopleftNonFixedCell().row, 1);
  roda(-15);  // eight steps of 15: one notch, three lines
  EXPECT_EQ(g.GetTopleftNonFixedCell().row, 4);
  g.SetWheelScrollLines(-1);
  roda(120);
  EXPECT_EQ(g.GetTopleftNonFixedCell().row, 1);
}

TEST_F(Interacao, RightClickMovesTheFocusAndNotifies) {
  QTest::mouseClick(g.viewport(), Qt::RightButton, Qt::NoModifier, t.Centro(0, 4));
  EXPECT_EQ(g.GetFocusCell(), CCellID(1, 4));
  ASSERT_FALSE(t.dono.log.empty());
  EXPECT_EQ(t.dono.log.back(), (Aviso{GVN_RCLICK, 0, 4}));
}

TEST_F(Interacao, AutoScrollExtendsTheSelectionBelowTheWindow) {
  t.Pressiona(t.Centro(5, 2));
  t.Move(QPoint(t.Centro(5, 2).x(), g.viewport()->height() + 30), Qt::LeftButton);
  // One row a tick: the focus walks to the bottom edge, then the grid scrolls.
  EXPECT_TRUE(QTest::qWaitFor([&]() { return g.GetTopleftNonFixedCell().row > 3; }, 5000));
  t.Solta(QPoint(t.Centro(5, 2).x(), g.viewport()->height() + 30));
  const CCellRange r = g.GetSelectedCellRange();
  EXPECT_EQ(r.minRow, 5);
  EXPECT_GT(r.maxRow, 14);
}

TEST_F(Interacao, TitleTipShowsAWholeTextThatDoesNotFitAndHidesOffTheCell) {
  QApplication::setActiveWindow(&t.dono);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&t.dono));
  g.SetCellText(3, 3, QStringLiteral("um texto que não cabe na célula"));
  t.Move(t.Centro(3, 2));
  ASSERT_NE(g.TitleTip(), nullptr);
  EXPECT_FALSE(g.TitleTip()->isVisible());  // "3,2" fits
  t.Move(t.Centro(3, 3));
  EXPECT_TRUE(g.TitleTip()->isVisible());
  EXPECT_EQ(g.TitleTip()->ShownText(), QStringLiteral(" um texto que não cabe na célula "));
  EXPECT_TRUE(g.TitleTip()->testAttribute(Qt::WA_TransparentForMouseEvents));
  t.Move(t.Centro(3, 3) + QPoint(2, 1));
  EXPECT_TRUE(g.TitleTip()->isVisible());
  t.Move(t.Centro(5, 3));
  EXPECT_FALSE(g.TitleTip()->isVisible());
}

// The pointer leaving the grid sends no move to it: the leave itself hides the tip.
TEST_F(Interacao, TitleTipHidesWhenThePointerLeavesTheGrid) {
  QApplication::setActiveWindow(&t.dono);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&t.dono));
  g.SetCellText(3, 3, QStringLiteral("um texto que não cabe na célula"));
  for (QWidget* w : {static_cast<QWidget*>(g.viewport()), static_cast<QWidget*>(&g)}) {
    t.Move(t.Centro(3, 3));
    ASSERT_TRUE(g.TitleTip()->isVisible());
    QEvent sai(QEvent::Leave);
    QApplication::sendEvent(w, &sai);
    EXPECT_FALSE(g.TitleTip()->isVisible());
    t.Move(t.Centro(5, 3));  // off the cell, so the next move shows the tip again
  }
}

// ---- sorting ----------------------------------------------------------------------------

TEST_F(Interacao, TwoHeadingClicksSortAscendingThenDescending) {
  g.SetHeaderSort(true);
  const char* chaves[] = {"m", "c", "x", "a", "q"};
  g.SetNumberOfRows(6);
  for (int r = 1; r <= 5; ++r) g.SetCellText(r, 3, chaves[r - 1]);
  auto coluna = [&]() {
    QString s;
    for (int r = 1; r <= 5; ++r) s += g.GetCellText(r, 3);
    return s;
  };
  t.Clica(t.Centro(0, 3));
  EXPECT_EQ(coluna(), QStringLiteral("acmqx"));
  EXPECT_TRUE(g.GetSortAscending());
  t.Clica(t.Centro(0, 3));
  EXPECT_EQ(coluna(), QStringLiteral("xqmca"));
  EXPECT_FALSE(g.GetSortAscending());
  t.Clica(t.Centro(0, 4));  // another column always starts ascending
  EXPECT_EQ(g.GetSortColumn(), 4);
  EXPECT_TRUE(g.GetSortAscending());
}

// Keys that share beginnings of every length, accented and longer than a
// cell holds inline: Windows-1252 byte order, a shorter key first.
TEST_F(Interacao, HeadingSortOrdersKeysByTheirBytes) {
  g.SetHeaderSort(true);
  const QString chaves[] = {QStringLiteral("um texto mais longo que quinze bytes"), QStringLiteral("123"),
                            QStringLiteral("Área"), QStringLiteral("1.234,50"), QStringLiteral("12"),
                            QStringLiteral("um texto mais longo que quinze"), QStringLiteral("Abóbora"),
                            QStringLiteral("1.234,5")};
  g.SetNumberOfRows(9);
  for (int r = 1; r <= 8; ++r) g.SetCellText(r, 2, chaves[r - 1]);
  auto coluna = [&]() {
    QStringList s;
    for (int r = 1; r <= 8; ++r) s << g.GetCellText(r, 2);
    return s.join('|');
  };
  t.Clica(t.Centro(0, 2));
  EXPECT_EQ(coluna(), QStringLiteral("1.234,5|1.234,50|12|123|Abóbora|um texto mais longo que quinze|"
                                     "um texto mais longo que quinze bytes|Área"));
  t.Clica(t.Centro(0, 2));
  EXPECT_EQ(coluna(), QStringLiteral("Área|um texto mais longo que quinze bytes|um texto mais longo que quinze|"
                                     "Abóbora|123|12|1.234,50|1.234,5"));
}

// Equal keys keep the row order the quicksort leaves them in (the middle
// row's cell as pivot, equal cells never exchanged), traced by hand:
// b1 a2 b3 a4 c5 a6 b7 ascending gives a6 a2 a4 b3 b7 b1 c5.
TEST(Ordenacao, TiesFollowTheQuicksortsOrder) {
  CTableCtrl g(8, 2, 1, 0);
  const char* chaves[] = {"b", "a", "b", "a", "c", "a", "b"};
  for (int r = 1; r <= 7; ++r) {
    g.SetCellText(r, 0, chaves[r - 1]);
    g.SetCellText(r, 1, QString::number(r));
    g.SetHeightOfRow(r, 10 + r);
  }
  auto ordem = [&]() {
    QString s;
    for (int r = 1; r <= 7; ++r) s += g.GetCellText(r, 0) + g.GetCellText(r, 1) + ' ';
    return s.trimmed();
  };
  CTableCtrl d(8, 2, 1, 0);
  for (int r = 1; r <= 7; ++r) {
    d.SetCellText(r, 0, chaves[r - 1]);
    d.SetCellText(r, 1, QString::number(r));
  }
  ASSERT_TRUE(g.SortRowsByColumn(&CTableCtrl::CompareCellText, 0, true));
  EXPECT_EQ(ordem(), QStringLiteral("a6 a2 a4 b3 b7 b1 c5"));
  EXPECT_EQ(g.HeightOfRow(1), 16);  // heights travel with their rows
  ASSERT_TRUE(d.SortRowsByColumn(&CTableCtrl::CompareCellText, 0, false));
  QString s;
  for (int r = 1; r <= 7; ++r) s += d.GetCellText(r, 0) + d.GetCellText(r, 1) + ' ';
  EXPECT_EQ(s.trimmed(), QStringLiteral("c5 b7 b3 b1 a4 a6 a2"));
}

TEST(Ordenacao, TextComparerIsByteOrderAndSortsNothingOutOfRange) {
  CTableCtrl g(4, 1, 1, 0);
  g.SetCellText(1, 0, "9");
  g.SetCellText(2, 0, "10");
  g.SetCellText(3, 0, QString::fromUtf8("é"));
  EXPECT_LT(CTableCtrl::CompareCellText(g.CellAt(2, 0), g.CellAt(1, 0), 0), 0);  // "10" before "9"
  EXPECT_GT(CTableCtrl::CompareCellText(g.CellAt(3, 0), g.CellAt(1, 0), 0), 0);  // 0xE9 after '9'
  EXPECT_EQ(CTableCtrl::CompareCellText(nullptr, g.CellAt(1, 0), 0), 0);
  EXPECT_EQ(CTableCtrl::CompareCellNumeric(g.CellAt(2, 0), g.CellAt(1, 0), 0), 1);
  EXPECT_FALSE(g.SortRowsByColumn(nullptr, 1, true));
  EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("9"));
  ASSERT_TRUE(g.SortByColumn(0, true));
  EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("10"));
  EXPECT_EQ(g.GetCellText(3, 0), QString::fromUtf8("é"));
}

TEST(Ordenacao, SortClearsSelectionAndFocusAndUsesTheGridsComparer) {
  CTableCtrl g(5, 2, 1, 0);
  const char* v[] = {"3", "20", "100", "4"};
  for (int r = 1; r <= 4; ++r) g.SetCellText(r, 1, v[r - 1]);
  g.SelectRange(CCellRange(1, 0, 2, 1));
  g.MoveFocusCell(2, 1);
  g.SetSortComparer(&CTableCtrl::CompareCellNumeric);
  g.SortByColumn(1, true);
  EXPECT_FALSE(g.HasSelection());
  EXPECT_EQ(g.GetFocusCell(), CCellID());
  QString s;
  for (int r = 1; r <= 4; ++r) s += g.GetCellText(r, 1) + ' ';
  EXPECT_EQ(s, QStringLiteral("3 4 20 100 "));
}

}  // namespace
