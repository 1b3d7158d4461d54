// Grid cells and the off-screen surface the grid paints through.
#include "controls/COffscreenDC.h"
#include "controls/CTableCell.h"
#include "controls/CTableCtrl.h"
#include "tests/controls/GradeTeste.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Branca(QSize t) {
  QImage i(t, QImage::Format_RGB32);
  i.fill(Qt::white);
  return i;
}

// ---- COffscreenDC --------------------------------------------------------------------

TEST(COffscreenDC, CopiesBackExactlyTheClipBox) {
  QImage alvo = Branca(QSize(300, 200));
  {
    QPainter dc(&alvo);
    COffscreenDC off(&dc, QRect(100, 50, 10, 10));
    EXPECT_TRUE(off.Armazena());
    EXPECT_EQ(off.TamanhoBitmap(), QSize(10, 10));
    off->fillRect(QRect(0, 0, 300, 200), Qt::red);  // far more than the clip box
  }
  int vermelhos = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) {
      const bool dentro = x >= 100 && x < 110 && y >= 50 && y < 60;
      const bool vermelho = alvo.pixel(x, y) == qRgb(255, 0, 0);
      EXPECT_EQ(vermelho, dentro) << x << "," << y;
      vermelhos += vermelho;
      if (vermelho != dentro) return;
    }
  EXPECT_EQ(vermelhos, 100);
}

TEST(COffscreenDC, PrintingGoesStraightToThePrinter) {
  QTemporaryDir dir;
  QPrinter p(QPrinter::HighResolution);
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setOutputFileName(dir.filePath("x.pdf"));
  QPainter dc(&p);
  COffscreenDC off(&dc, QRect(0, 0, 10, 10));
  EXPECT_FALSE(off.Armazena());
  EXPECT_EQ(off.Pintor(), &dc);
  EXPECT_TRUE(off.TamanhoBitmap().isEmpty());
}

// ---- cells -------------------------------------------------------------------------------

struct Celulas : ::testing::Test {
  teste::Grade t{5, 4, 1, 1};
  CTableCtrl& g = *t.g;
};

TEST_F(Celulas, DefaultColourValuesDrawWithTheDefaultCellsColours) {
  CTableDefaultCell* normal = g.GetDefaultCell(false, false);
  normal->AssignBackColour(GridColour::Rgb(10, 200, 30));
  normal->AssignTextColour(GridColour::Rgb(0, 0, 255));
  CTableCellBase* c = g.CellAt(2, 2);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->BackColour(), GridColour::Default);  // the getter keeps the cell's own value
  QImage i = Branca(QSize(60, 20));
  QPainter dc(&i);
  ASSERT_TRUE(c->DrawCell(&dc, 2, 2, QRect(0, 0, 60, 20), true));
  dc.end();
  EXPECT_EQ(i.pixel(1, 1), qRgb(10, 200, 30));
}

TEST_F(Celulas, DefaultCellIsAlwaysReadOnly) {
  CTableDefaultCell* d = g.GetDefaultCell(true, false);
  d->AssignState(0);
  EXPECT_EQ(d->State() & GVIS_READONLY, GVIS_READONLY);
  d->AssignState(GVIS_SELECTED);
  EXPECT_EQ(d->State(), uint32_t(GVIS_READONLY));  // the state setter does nothing
  d->AssignData(42);
  EXPECT_EQ(d->Data(), 0);
}

TEST_F(Celulas, MeasureTextOfTwoLinesIsAsWideAsTheLongerPlusTwoMargins) {
  CTableCellBase* c = g.CellAt(2, 2);
  c->AssignFormat(DT_WORDBREAK | DT_LEFT);
  c->AssignMargin(4);
  const QFontMetrics fm(*c->FontObject(), g.viewport());
  const QSize t = c->MeasureText(QStringLiteral("ab\nmuito mais longa"), nullptr);
  EXPECT_EQ(t.width(), fm.horizontalAdvance(QStringLiteral("muito mais longa")) + 8);
  EXPECT_GT(t.height(), 2 * fm.height());
}

TEST_F(Celulas, VerticalFontExchangesWidthAndHeightWithFourMoreMargins) {
  CTableCellBase* c = g.CellAt(2, 2);
  c->AssignMargin(3);
  const QSize horizontal = c->MeasureText(QStringLiteral("texto"), nullptr);
  LOGFONT lf = *c->FontData();
  lf.lfEscapement = 900;
  c->AssignFont(&lf);
  const QSize vertical = c->MeasureText(QStringLiteral("texto"), nullptr);
  EXPECT_EQ(vertical.width(), horizontal.height());
  EXPECT_EQ(vertical.height(), horizontal.width() + 12);
}

TEST_F(Celulas, EmptyRectangleIsNeitherDrawnNorPrinted) {
  CTableCellBase* c = g.CellAt(2, 2);
  QImage i = Branca(QSize(10, 10));
  QPainter dc(&i);
  EXPECT_FALSE(c->DrawCell(&dc, 2, 2, QRect(), true));
  EXPECT_FALSE(c->PrintCellContent(&dc, 2, 2, QRect(0, 0, 0, 5)));
  EXPECT_FALSE(c->DrawCell(nullptr, 2, 2, QRect(0, 0, 5, 5), true));
  CTableCell solta;  // no grid
  EXPECT_FALSE(solta.DrawCell(&dc, 0, 0, QRect(0, 0, 5, 5), true));
}

// The arrow is drawn in row 0 of the sort column only, and only when the cell is wider than it.
TEST_F(Celulas, SortArrowOnlyInRowZeroOfTheSortColumn) {
  g.SetNumberOfFixedRows(2);
  for (int r = 0; r < 2; ++r) g.SetCellText(r, 2, QString());
  auto desenha = [&](int row, int largura) {
    QImage i = Branca(QSize(largura, 20));
    QPainter dc(&i);
    g.CellAt(row, 2)->DrawCell(&dc, row, 2, QRect(0, 0, largura, 20), true);
    dc.end();
    return i;
  };
  const QImage semSeta0 = desenha(0, 60), semSeta1 = desenha(1, 60);
  g.SetSortColumn(2);
  EXPECT_NE(desenha(0, 60), semSeta0);
  EXPECT_EQ(desenha(1, 60), semSeta1);
  const QImage estreita = desenha(0, 6);
  g.SetSortColumn(-1);
  EXPECT_EQ(desenha(0, 6), estreita);
}

TEST_F(Celulas, ResetAndCopyKeepTheLeanDefaults) {
  CTableCellBase* c = g.CellAt(2, 2);
  c->AssignText(QStringLiteral("texto bem mais longo que quinze bytes"));
  c->AssignBackColour(GridColour::Rgb(1, 2, 3));
  c->AssignData(7);
  CTableCell copia;
  copia.CopyFrom(*c);
  EXPECT_EQ(copia.Text(), c->Text());
  EXPECT_EQ(copia.BackColour(), GridColour::Rgb(1, 2, 3));
  EXPECT_EQ(copia.Data(), 7);
  EXPECT_EQ(copia.OwnerGrid(), &g);
  copia.ResetCell();
  EXPECT_EQ(copia.Text(), QString());
  EXPECT_EQ(copia.BackColour(), GridColour::Default);
  EXPECT_EQ(copia.Image(), -1);
  EXPECT_EQ(copia.OwnerGrid(), nullptr);
  EXPECT_LE(sizeof(CTableCell), 48u);
}

TEST(CelulaLimitada, EditBoxTakesAtMostTheClampedLimit) {
  teste::Grade t(5, 4, 1, 1);
  ASSERT_TRUE(t.g->SetCellType(2, 2, &CTableCellLimText::classe));
  auto* c = dynamic_cast<CTableCellLimText*>(t.g->CellAt(2, 2));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->Text(), QStringLiteral("2,2"));  // the old cell's text came across
  c->SetMaxLength(200);
  t.dono.activateWindow();
  t.g->setFocus();
  t.g->EditCell(2, 2, QPoint(-1, -1), VK_F2);
  EXPECT_EQ(c->MaxLength(), 50);
  auto* e = t.g->viewport()->findChild<QLineEdit*>(QStringLiteral("8"));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->maxLength(), 50);
  t.g->FinishEditing();
}

}  // namespace
