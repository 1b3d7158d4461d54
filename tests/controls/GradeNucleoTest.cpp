// The grid's rows and columns, geometry, painting, scroll bars and accessibility.
#include "controls/CTableCtrl.h"
#include "tests/controls/GradeTeste.h"

#include <QAccessible>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QImage Imagem(CTableCtrl& g) { return g.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// A grid with no rows or no columns shows only the outside colour and no bars.
TEST(GradeVazia, PaintsOnlyTheOutsideColour) {
  struct Caso { int linhas, colunas; } casos[] = {{0, 0}, {0, 5}, {5, 0}};
  for (const Caso& c : casos) {
    teste::Grade t(0, 0, 0, 0);
    t.g->SetNumberOfColumns(c.colunas);
    t.g->SetNumberOfRows(c.linhas);
    t.g->SetOutsideColour(GridColour::Rgb(12, 34, 56));
    QApplication::processEvents();
    const QImage i = Imagem(*t.g);
    for (int y = 0; y < i.height(); y += 7)
      for (int x = 0; x < i.width(); x += 7) ASSERT_EQ(i.pixel(x, y), qRgb(12, 34, 56)) << c.linhas << "x" << c.colunas;
    EXPECT_EQ(t.g->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(t.g->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  }
}

TEST(LinhasColunas, AddRowAtTheCountIsRefusedAddColumnAtTheCountAppends) {
  teste::Grade t(5, 4, 1, 1);
  CTableCtrl& g = *t.g;
  struct Caso { const char* nome; int pos; int esperado; } linhas[] = {
      {"at the count", 5, -1}, {"among the fixed rows", 0, -1}, {"beyond", 9, -1}, {"inside", 2, 2}, {"append", -1, 6},
  };
  for (const auto& c : linhas) EXPECT_EQ(g.AddRow(QStringLiteral("L"), c.pos), c.esperado) << c.nome;
  EXPECT_EQ(g.GetRowCount(), 7);
  EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("L"));
  EXPECT_EQ(g.GetCellText(3, 1), QStringLiteral("2,1"));  // the old row 2 moved down

  struct CasoC { const char* nome; int pos; int esperado; } colunas[] = {
      {"at the count appends", 4, 4}, {"among the fixed columns", 0, -1}, {"beyond", 9, -1}, {"inside", 1, 1},
      {"append", -1, 6},
  };
  for (const auto& c : colunas) EXPECT_EQ(g.AddColumn(QStringLiteral("C"), DT_CENTER, c.pos), c.esperado) << c.nome;
  EXPECT_EQ(g.GetColumnCount(), 7);
  EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("C"));
  EXPECT_EQ(g.GetCellFormat(3, 1), uint32_t(DT_CENTER));
  EXPECT_EQ(g.GetCellText(1, 2), QStringLiteral("1,1"));
}

TEST(LinhasColunas, AddColumnOnAGridWithoutRowsMakesTheHeadingRow) {
  CTableCtrl g;
  EXPECT_EQ(g.AddColumn(QStringLiteral("Nome"), DT_LEFT), 0);
  EXPECT_EQ(g.GetRowCount(), 1);
  EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("Nome"));
  EXPECT_GT(g.WidthOfColumn(0), 0);
}

TEST(LinhasColunas, LoweringTheFixedRowsGivesFormerHeadingsNormalStateAndColours) {
  teste::Grade t(6, 4, 3, 1);
  CTableCtrl& g = *t.g;
  g.SetCellBackColour(2, 2, GridColour::Rgb(1, 2, 3));
  EXPECT_EQ(g.GetCellState(2, 2) & 0x30, 0x30u);
  EXPECT_EQ(g.GetCellState(2, 0) & 0x70, 0x70u);
  g.SetNumberOfFixedRows(1);
  EXPECT_EQ(g.GetCellState(2, 2) & 0x70, 0u);
  EXPECT_EQ(g.GetCellState(2, 0) & 0x70, 0x50u);  // still in a fixed column
  EXPECT_EQ(g.GetCellBackColour(2, 2), GridColour::Default);
  EXPECT_EQ(g.GetCellState(0, 2) & 0x30, 0x30u);
}

TEST(LinhasColunas, CountSettersKeepWhatStaysAndDropTheRest) {
  teste::Grade t(6, 5, 1, 1);
  CTableCtrl& g = *t.g;
  g.SelectRange(CCellRange(1, 1, 5, 4));
  g.SetNumberOfRows(3);
  g.SetNumberOfColumns(3);
  EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,2"));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(1, 1, 2, 2));
  EXPECT_EQ(g.CellAt(3, 0), nullptr);
  EXPECT_EQ(g.HeightOfRow(3), -1);
  EXPECT_FALSE(g.SetWidthOfColumn(3, 10));
  EXPECT_FALSE(g.SetWidthOfColumn(1, -1));
  g.SetNumberOfRows(5);
  EXPECT_EQ(g.GetCellText(4, 2), QString());
  EXPECT_EQ(g.HeightOfRow(4), g.GetDefaultCell(false, false)->DefaultHeight());
}

TEST(LinhasColunas, RemoveRowAndColumnMoveTheFocus) {
  teste::Grade t(6, 5, 1, 1);
  CTableCtrl& g = *t.g;
  g.MoveFocusCell(4, 3);
  EXPECT_TRUE(g.RemoveRow(2));
  EXPECT_EQ(g.GetFocusCell(), CCellID(3, 3));
  EXPECT_TRUE(g.RemoveColumn(3));
  EXPECT_EQ(g.GetFocusCell(), CCellID());
  EXPECT_EQ(g.GetCellText(2, 3), QStringLiteral("3,4"));
  EXPECT_FALSE(g.RemoveRow(9));
  EXPECT_TRUE(g.RemoveColumn(0));
  EXPECT_EQ(g.GetFixedColumnCount(), 0);
}

TEST(Geometria, CellFromPointAndOriginFollowTheScroll) {
  teste::Grade t(40, 20, 1, 1);
  CTableCtrl& g = *t.g;
  EXPECT_EQ(g.GetCellFromPt(QPoint(70, 30)), CCellID(1, 1));
  EXPECT_EQ(g.GetCellFromPt(QPoint(5, 5)), CCellID(0, 0));
  EXPECT_EQ(g.GetCellFromPt(QPoint(5, 5), false), CCellID());
  g.OnVScroll(CTableCtrl::SB_LINEDOWN);
  g.OnHScroll(CTableCtrl::SB_LINEDOWN);
  EXPECT_EQ(g.GetTopleftNonFixedCell(), CCellID(2, 2));
  EXPECT_EQ(g.GetCellFromPt(QPoint(70, 30)), CCellID(2, 2));
  QPoint o;
  EXPECT_FALSE(g.GetCellOrigin(1, 1, &o));  // scrolled out under the headings
  EXPECT_TRUE(g.GetCellOrigin(3, 3, &o));
  EXPECT_EQ(o, QPoint(120, 40));
  EXPECT_TRUE(g.IsCellVisible(0, 0));
}

TEST(Geometria, ScrollBarsAppearOnlyWhenTheCellsDoNotFit) {
  teste::Grade t(5, 4, 1, 1);  // 240 x 100: fits in 400 x 300
  CTableCtrl& g = *t.g;
  EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  g.SetNumberOfRows(50);
  for (int r = 0; r < 50; ++r) g.SetHeightOfRow(r, 20);
  EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  const int pagina = g.verticalScrollBar()->pageStep();
  EXPECT_EQ(pagina, g.viewport()->height() - 20);
  EXPECT_EQ(g.verticalScrollBar()->maximum(), 49 * 20 - pagina);
  g.SetNumberOfColumns(20);
  for (int c = 0; c < 20; ++c) g.SetWidthOfColumn(c, 60);
  EXPECT_EQ(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  // A fixed part that fills the window removes both bars.
  g.SetNumberOfFixedColumns(19);
  EXPECT_EQ(g.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(g.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST(Geometria, EnsureVisibleScrollsTheCellIntoView) {
  teste::Grade t(200, 30, 1, 1);
  CTableCtrl& g = *t.g;
  g.EnsureVisible(150, 25);
  QRect r;
  ASSERT_TRUE(g.GetCellRect(150, 25, &r));
  EXPECT_TRUE(g.viewport()->rect().contains(r));
  g.EnsureVisible(3, 2);
  ASSERT_TRUE(g.GetCellRect(3, 2, &r));
  EXPECT_TRUE(g.viewport()->rect().contains(r.topLeft()));
}

TEST(Geometria, HiddenColumnIsSkippedByPaintingAndHitTests) {
  teste::Grade t(5, 6, 1, 1);
  CTableCtrl& g = *t.g;
  g.SetCellBackColour(2, 2, GridColour::Rgb(255, 0, 0));
  g.SetWidthOfColumn(2, 0);
  QApplication::processEvents();
  const QImage i = Imagem(g);
  for (int y = 0; y < i.height(); ++y)
    for (int x = 0; x < i.width(); ++x) ASSERT_NE(i.pixel(x, y), qRgb(255, 0, 0));
  for (int x = 60; x < 180; ++x) EXPECT_NE(g.GetCellFromPt(QPoint(x, 50)).col, 2);
  EXPECT_FALSE(g.AutoSizeColumn(2));
}

TEST(Fontes, SettingTheFontChangesTheDefaultsForNewRowsOnly) {
  teste::Grade t(3, 3, 1, 1);
  CTableCtrl& g = *t.g;
  const int antes = g.GetDefaultCell(false, false)->DefaultHeight();
  QFont grande = g.font();
  grande.setPixelSize(40);
  g.setFont(grande);
  const int depois = g.GetDefaultCell(false, false)->DefaultHeight();
  EXPECT_GT(depois, antes);
  EXPECT_EQ(g.HeightOfRow(1), 20);  // an existing row keeps its height
  g.SetNumberOfRows(4);
  EXPECT_EQ(g.HeightOfRow(3), depois);
  EXPECT_EQ(g.GetGridFont().lfHeight, -40);
}

TEST(Modificado, MarkingACellOfTheSortColumnRemovesTheArrow) {
  teste::Grade t(5, 4, 1, 1);
  CTableCtrl& g = *t.g;
  g.SetModified(false);
  EXPECT_EQ(g.GetCellState(2, 2) & GVIS_MODIFIED, 0u);  // clearing the grid flag clears every cell
  g.SetSortColumn(2);
  g.SetModified(true, 3, 1);
  EXPECT_EQ(g.GetSortColumn(), 2);
  EXPECT_TRUE(g.GetModified(3, 1));
  EXPECT_TRUE(g.GetModified());
  g.SetModified(true, 3, 2);
  EXPECT_EQ(g.GetSortColumn(), -1);
}

TEST(Selecao, RowsFrom65536OnAreTheirOwnCells) {
  CTableCtrl g(70000, 3, 1, 1);
  g.SetCellState(65537, 1, GVIS_SELECTED);
  EXPECT_TRUE(g.IsCellSelected(65537, 1));
  EXPECT_FALSE(g.IsCellSelected(1, 1));  // the key of row 65537 once aliased row 1
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(65537, 1, 65537, 1));
}

TEST(AutoTamanho, ExpandColumnsSharesTheFreeWidth) {
  teste::Grade t(3, 4, 1, 1);
  CTableCtrl& g = *t.g;
  g.SetWidthOfColumn(2, 0);
  const int livre = g.viewport()->width() - 180;
  g.ExpandColumnsToFit(true);
  EXPECT_EQ(g.WidthOfColumn(2), 0);
  const int parte = livre / 3, resto = livre % 3;
  EXPECT_EQ(g.WidthOfColumn(0), 60 + parte + (resto > 0));
  EXPECT_EQ(g.WidthOfColumn(3), 60 + parte + (resto > 2));
  EXPECT_EQ(g.GetVirtualWidth(), g.viewport()->width());
}

TEST(Layout, SnapshotRestoresOnlyAMatchingBlock) {
  teste::Grade t(3, 4, 1, 1);
  CTableCtrl& g = *t.g;
  g.SetWidthOfColumn(2, 99);
  std::vector<int32_t> b = g.GetColumnLayout();
  ASSERT_EQ(b.size(), 10u);
  EXPECT_EQ(b[0], 0x05FD4E64);
  g.SetWidthOfColumn(2, 10);
  EXPECT_TRUE(g.SetColumnLayout(b));
  EXPECT_EQ(g.WidthOfColumn(2), 99);
  b[1] = 5;
  EXPECT_FALSE(g.SetColumnLayout(b));
}

TEST(Criacao, TakesThePlaceOfADialogsPlaceholderControl) {
  QWidget dlg;
  auto* l = new QVBoxLayout(&dlg);
  auto* lugar = new QWidget(&dlg);
  lugar->setObjectName(QStringLiteral("1094"));
  l->addWidget(new QLabel(QStringLiteral("Tabela"), &dlg));
  l->addWidget(lugar);
  auto* g = new CTableCtrl(3, 3, 1, 1);
  ASSERT_TRUE(g->SubclassDlgItem(1094, &dlg));
  EXPECT_EQ(g->GetDlgCtrlID(), 1094);
  EXPECT_EQ(g->parentWidget(), &dlg);
  EXPECT_EQ(l->indexOf(g), 1);
  EXPECT_EQ(l->indexOf(lugar), -1);
  EXPECT_FALSE(g->SubclassDlgItem(9999, &dlg));
}

TEST(Acessibilidade, CellsReadTheirTextsThroughTheTableInterface) {
  teste::Grade t(4, 3, 1, 1);
  t.g->setAccessibleName(QStringLiteral("Dados"));
  QAccessibleInterface* i = QAccessible::queryAccessibleInterface(t.g);
  ASSERT_NE(i, nullptr);
  QAccessibleTableInterface* tab = i->tableInterface();
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(tab->rowCount(), 4);
  EXPECT_EQ(tab->columnCount(), 3);
  EXPECT_EQ(tab->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("2,1"));
  EXPECT_EQ(tab->cellAt(0, 1)->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(tab->columnDescription(2), QStringLiteral("0,2"));
  EXPECT_EQ(i->text(QAccessible::Name), QStringLiteral("Dados"));
  t.g->SelectRange(CCellRange(1, 1, 3, 1));
  EXPECT_EQ(tab->selectedCellCount(), 3);
  EXPECT_TRUE(tab->isColumnSelected(1));
  EXPECT_TRUE(tab->cellAt(2, 1)->state().selected);
}

}  // namespace
