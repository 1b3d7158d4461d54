// Columns of the report list: definitions and header items, widths, the header's
// events, the column chooser and the layout text in the profile.
#include "RelatorioTeste.h"
#include "controls/CListReportSubItemListCtrl.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

using teste::Relatorio;

namespace {

QVector<qintptr> DadosHeader(CPlainHeaderCtrl* h) {
  QVector<qintptr> r;
  for (int i = 0; i < h->GetItemCount(); ++i) {
    HeaderItem it;
    h->GetItem(i, it);
    r.append(it.lParam);
  }
  return r;
}

TEST(CListReportCtrl, DefiningAColumnInTheMiddleShiftsItemsAndCells) {
  Relatorio r(3);
  const int i = r->AppendRowWithText(QStringLiteral("a"));
  r->SetItemText(i, 1, QStringLiteral("b"));
  ReportColumnInfo novo;
  novo.caption = QStringLiteral("N");
  ASSERT_EQ(r->DescribeColumn(1, novo), 1);
  EXPECT_EQ(DadosHeader(r->Header()), (QVector<qintptr>{0, 2, 3}));
  EXPECT_EQ(r->SubItemCodes(i), QStringLiteral("(-1,-1,-1,-1,1)a|(-1,-1,-1,-1,-1)|(-1,-1,-1,-1,1)b|(-1,-1,-1,-1,-1)|"));
  EXPECT_EQ(r->ColumnDefinition(1)->width, 200);  // negative width: the default
  EXPECT_FALSE(r->IsColumnShown(1));
  ASSERT_EQ(r->RemoveColumn(1), 1);
  EXPECT_EQ(DadosHeader(r->Header()), (QVector<qintptr>{0, 1, 2}));
  EXPECT_EQ(r->ItemText(i, 1), QStringLiteral("b"));
}

TEST(CListReportCtrl, SortHintAndAlignmentOfAShownColumn) {
  Relatorio r(0);
  ReportColumnInfo c;
  c.flags = 0x84001;
  c.width = 120;
  c.caption = QStringLiteral("Sig. RL");
  r->DescribeColumn(0, c);
  const int idx = r->ShowColumnAt(0, 0);
  ASSERT_GE(idx, 0);
  HDITEMEX ex;
  ASSERT_TRUE(r->Header()->GetItemEx(idx, ex));
  EXPECT_EQ(ex.tip, QStringLiteral("Clasificar: Sig. RL"));
  // The text is drawn against the right edge of its cell.
  const int i = r->AppendRowWithText(QStringLiteral("12,5"));
  QRect cel;
  ASSERT_TRUE(r->GetCellRect(i, 0, cel, 0));
  const QImage img = r->grab().toImage();
  int esquerda = cel.right(), direita = cel.left();
  for (int x = cel.left(); x <= cel.right(); ++x)
    for (int y = cel.top(); y <= cel.bottom(); ++y)
      if (qGray(img.pixel(x, y)) < 100) {
        esquerda = std::min(esquerda, x);
        direita = std::max(direita, x);
      }
  EXPECT_GT(esquerda, cel.left() + cel.width() / 2);
  EXPECT_GE(direita, cel.right() - 6 - 3);
  EXPECT_EQ(r->ShowColumnAt(0, 1), -1);  // already shown
}

TEST(CListReportCtrl, WidthsStayWithinTheirLimits) {
  Relatorio r(0);
  ReportColumnInfo c;
  c.caption = QStringLiteral("A");
  c.width = 50;
  r->DescribeColumn(0, c);
  c.minWidth = 40;
  c.maxWidth = 90;
  r->DescribeColumn(1, c);
  r->ShowColumnAt(0, 0);
  r->ShowColumnAt(1, 1);
  EXPECT_EQ(r->SetWidthOfColumn(0, -1), 1);
  EXPECT_EQ(r->GetColumnWidth(0), 200);
  r->SetWidthOfColumn(1, 10);
  EXPECT_EQ(r->GetColumnWidth(1), 40);
  r->SetWidthOfColumn(1, 500);
  EXPECT_EQ(r->GetColumnWidth(1), 90);
  EXPECT_EQ(r->TotalWidth(), 290);
  EXPECT_EQ(r->HideColumn(1), 1);
  EXPECT_EQ(r->TotalWidth(), 200);
  EXPECT_EQ(r->HideColumn(1), 0);
}

TEST(CListReportCtrl, HeaderClicksSortAscendingThenDescending) {
  Relatorio r(1);
  for (const char* t : {"b", "A", "a"}) r->AppendRowWithText(QString::fromLatin1(t));
  auto textos = [&] {
    QStringList t;
    for (int l = 0; l < r->RowCount(); ++l) t << r->ItemText(r->ItemOfDisplayRow(l), 0);
    return t.join(QLatin1Char(','));
  };
  const QPoint centro = r->Header()->GetItemRect(0).center();
  teste::Clica(r->Header(), centro);
  EXPECT_EQ(textos(), QStringLiteral("A,a,b"));
  teste::Clica(r->Header(), centro);
  EXPECT_EQ(textos(), QStringLiteral("b,a,A"));
  int col = -1;
  EXPECT_EQ(r->SortedColumn(col), 1);
  EXPECT_EQ(col, 0);
  ASSERT_EQ(r.gravador->DoCodigo(ReportCode::HeaderClick).size(), 2u);
  // An owner answering the click keeps the rows as they are.
  r.gravador->resposta = [](ReportNmHdr& h) { return h.code == ReportCode::HeaderClick ? 1L : 0L; };
  teste::Clica(r->Header(), centro);
  EXPECT_EQ(textos(), QStringLiteral("b,a,A"));
}

TEST(CListReportCtrl, DividerDoubleClickFitsTheContentUnlessForbidden) {
  Relatorio r(0);
  ReportColumnInfo c;
  c.flags = ReportColumnFlag::HeaderText;
  c.width = 300;
  c.caption = QStringLiteral("A");
  r->DescribeColumn(0, c);
  c.flags |= ReportColumnFlag::NoAutoSize;
  r->DescribeColumn(1, c);
  r->ShowColumnAt(0, 0);
  r->ShowColumnAt(1, 1);
  const int i = r->AppendRowWithText(QStringLiteral("texto"));
  r->SetItemText(i, 1, QStringLiteral("texto"));
  const QRect h0 = r->Header()->GetItemRect(0), h1 = r->Header()->GetItemRect(1);
  teste::ClicaDuplo(r->Header(), QPoint(h0.right() + 1, h0.center().y()));
  const int esperado = 6 + 6 + QFontMetrics(r->font()).horizontalAdvance(QStringLiteral("texto"));
  EXPECT_EQ(r->GetColumnWidth(0), esperado);
  teste::ClicaDuplo(r->Header(), QPoint(r->Header()->GetItemRect(1).right() + 1, h1.center().y()));
  EXPECT_EQ(r->GetColumnWidth(1), 300);
  // Extended flag 4 is also the header's fixed width: the click never leaves it.
  EXPECT_EQ(r.gravador->DoCodigo(ReportCode::DividerDoubleClick).size(), 1u);
}

TEST(CListReportCtrl, ChooserDragShowsAColumnOnAnEmptyHeader) {
  Relatorio r(3, 0, QSize(400, 200), false);
  r->move(0, 0);
  CListReportSubItemListCtrl lista;
  lista.setGeometry(0, 300, 150, 200);
  lista.show();
  r->AttachColumnChooser(&lista);
  ASSERT_EQ(lista.count(), 3);
  EXPECT_EQ(lista.ColumnOfRow(1), 1);
  QWidget* vp = lista.viewport();
  const QPoint inicio = lista.visualItemRect(lista.item(1)).center();
  teste::Mouse(vp, QEvent::MouseButtonPress, inicio, Qt::LeftButton, Qt::LeftButton);
  teste::Mouse(vp, QEvent::MouseMove, inicio + QPoint(0, 20), Qt::LeftButton);
  // Over the header window.
  const QPoint noHeader = vp->mapFromGlobal(r->Header()->mapToGlobal(QPoint(30, 5)));
  teste::Mouse(vp, QEvent::MouseMove, noHeader, Qt::LeftButton);
  EXPECT_EQ(lista.DividerUnderCursor(), 0);
  teste::Mouse(vp, QEvent::MouseButtonRelease, noHeader, Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(r->IsColumnShown(1));
  EXPECT_EQ(r->DefinedColumnOfShown(0), 1);
  ASSERT_EQ(lista.count(), 2);
  EXPECT_EQ(lista.ColumnOfRow(0), 0);
  EXPECT_EQ(lista.ColumnOfRow(1), 2);
}

TEST(CListReportCtrl, ReorderingHeaderItemsKeepsTheFocusedColumn) {
  Relatorio r(3, ReportStyle::CellFocus);
  r->AppendRowWithText(QStringLiteral("a"));
  ASSERT_EQ(r->SetFocusCell(0, 0), 1);  // defined column 0
  CPlainHeaderCtrl* h = r->Header();
  const QRect r0 = h->GetItemRect(0), r2 = h->GetItemRect(2);
  teste::Mouse(h, QEvent::MouseButtonPress, r0.center(), Qt::LeftButton, Qt::LeftButton);
  teste::Mouse(h, QEvent::MouseMove, r0.center() + QPoint(20, 0), Qt::LeftButton);
  teste::Mouse(h, QEvent::MouseMove, QPoint(r2.right() - 5, r2.center().y()), Qt::LeftButton);
  teste::Mouse(h, QEvent::MouseButtonRelease, QPoint(r2.right() - 5, r2.center().y()), Qt::NoButton,
               Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(h->GetOrderArray(), (QVector<int>{1, 2, 0}));
  int col = -1;
  r->GetFocusCell(col);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(r->DefinedColumnOfShown(col), 0);
}

TEST(CListReportCtrl, DraggingOffTheHeaderHidesWithColumnRemoval) {
  for (const bool remove : {false, true}) {
    Relatorio r(3, remove ? ReportStyle::ColumnRemoval : 0);
    CPlainHeaderCtrl* h = r->Header();
    const QRect r1 = h->GetItemRect(1);
    teste::Mouse(h, QEvent::MouseButtonPress, r1.center(), Qt::LeftButton, Qt::LeftButton);
    teste::Mouse(h, QEvent::MouseMove, r1.center() + QPoint(0, 10), Qt::LeftButton);
    teste::Mouse(h, QEvent::MouseMove, r1.center() + QPoint(0, 200), Qt::LeftButton);
    EXPECT_EQ(h->GetDropTargetState(), -1);
    teste::Mouse(h, QEvent::MouseButtonRelease, r1.center() + QPoint(0, 200), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(r->IsColumnShown(1), !remove) << remove;
    EXPECT_EQ(r->ShownColumnCount(), remove ? 2 : 3);
  }
}

// ---- layout text -----------------------------------------------------------------

struct LayoutLista : ::testing::Test {
  QTemporaryDir dir;
  std::unique_ptr<QSettings> perfil;
  Relatorio r{3, 0, QSize(400, 300), false};
  void SetUp() override {
    perfil = std::make_unique<QSettings>(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat);
    for (int c = 0; c < 3; ++c) r->SetWidthOfColumn(c, QVector<int>{100, 80, 60}[c]);
  }
};

TEST_F(LayoutLista, SavingWritesWidthsThenShownColumns) {
  r->ShowColumnAt(2, 0);
  r->ShowColumnAt(0, 1);
  EXPECT_EQ(r->LayoutText(), QStringLiteral("(3,2) 100 80 60 2 0"));
  ASSERT_TRUE(r->SaveLayout(QStringLiteral("Settings"), QStringLiteral("ReportCtrl"), perfil.get()));
  QSettings lido(dir.filePath(QStringLiteral("t.ini")), QSettings::IniFormat);
  EXPECT_EQ(lido.value(QStringLiteral("Settings/ReportCtrl")).toString(), QStringLiteral("(3,2) 100 80 60 2 0"));
}

TEST_F(LayoutLista, RestoringShowsTheColumnsInOrder) {
  perfil->setValue(QStringLiteral("Settings/ReportCtrl"), QStringLiteral("(3,2) 100 80 60 2 0"));
  ASSERT_EQ(r->RestoreLayout(QStringLiteral("Settings"), QStringLiteral("ReportCtrl"), perfil.get()), 1);
  EXPECT_EQ(r->DefinedColumnOfShown(0), 2);
  EXPECT_EQ(r->DefinedColumnOfShown(1), 0);
  EXPECT_EQ(r->GetColumnWidth(2), 60);
  EXPECT_EQ(r->GetColumnWidth(0), 100);
  EXPECT_EQ(r->Header()->GetItemRect(r->Header()->OrderToIndex(0)).width(), 60);
  EXPECT_EQ(r->TotalWidth(), 160);
}

TEST_F(LayoutLista, EmptyOrMissingEntryRestoresNothing) {
  EXPECT_EQ(r->RestoreLayout(QStringLiteral("Settings"), QStringLiteral("ReportCtrl"), perfil.get()), 0);
  perfil->setValue(QStringLiteral("Settings/ReportCtrl"), QString());
  EXPECT_EQ(r->RestoreLayout(QStringLiteral("Settings"), QStringLiteral("ReportCtrl"), perfil.get()), 0);
}

class LayoutMalformado : public LayoutLista, public ::testing::WithParamInterface<const char*> {};

// Read strictly: anything that does not describe these three columns fully
// answers 0 and leaves widths and header as they were.
TEST_P(LayoutMalformado, AnswersZeroAndChangesNothing) {
  r->ShowColumnAt(1, 0);
  EXPECT_EQ(r->ApplyLayout(QString::fromLatin1(GetParam())), 0);
  EXPECT_EQ(r->ShownColumnCount(), 1);
  EXPECT_EQ(r->DefinedColumnOfShown(0), 1);
  EXPECT_EQ(r->GetColumnWidth(0), 100);
  EXPECT_EQ(r->GetColumnWidth(1), 80);
  EXPECT_EQ(r->GetColumnWidth(2), 60);
}

INSTANTIATE_TEST_SUITE_P(CListReportCtrl, LayoutMalformado,
                         ::testing::Values("(4,2) 1 2 3 4 0 1", "(3,0) 100 80 60", "(3,2) 100 80 60 2 9", "x", "",
                                           "(3,2) 100 80", "(3,2) 100 80 60 2", "(3,2) 100 80 60 2 0 7",
                                           "(3,2) 100 80 60 2 0 lixo", "(3,2) 100 -80 60 2 0", "(3,2)100 80 60 2 0",
                                           "(3,2) 1e2 80 60 2 0", "(3,-1) 100 80 60", "(3,2) 100 80 60 -1 0"));

}  // namespace

namespace {

TEST(CListReportCtrl, RightClickOnTheHeaderNamesTheColumn) {
  Relatorio r(3);
  r->HideColumn(0);
  CPlainHeaderCtrl* h = r->Header();
  teste::Clica(h, h->GetItemRect(h->OrderToIndex(1)).center(), Qt::NoModifier, Qt::RightButton);
  teste::Clica(h, QPoint(h->width() - 2, 5), Qt::NoModifier, Qt::RightButton);
  const auto avisos = r.gravador->DoCodigo(ReportCode::HeaderRightClick);
  ASSERT_EQ(avisos.size(), 2u);
  EXPECT_EQ(avisos[0].column, 2);
  EXPECT_EQ(avisos[1].column, -1);
}

}  // namespace

namespace {

TEST(CListReportCtrl, FirstColumnExtraStaysOutOfTheStoredWidths) {
  Relatorio r(2);
  r->SetWidthOfColumn(1, 50);
  r->SetFirstColumnExtraWidth(20);
  CPlainHeaderCtrl* h = r->Header();
  EXPECT_EQ(h->GetItemRect(0).width(), 120);
  EXPECT_EQ(r->GetColumnWidth(0), 100);
  EXPECT_EQ(r->TotalWidth(), 170);
  HDITEMEX ex;
  h->GetItemEx(0, ex);
  EXPECT_EQ(ex.minWidth, 20);
  EXPECT_EQ(r->LayoutText(), QStringLiteral("(2,2) 100 50 0 1"));
  r->SetWidthOfColumn(0, 80);
  EXPECT_EQ(h->GetItemRect(0).width(), 100);
  r->SetFirstColumnExtraWidth(0);
  EXPECT_EQ(h->GetItemRect(0).width(), 80);
  EXPECT_EQ(r->TotalWidth(), 130);
}

}  // namespace
