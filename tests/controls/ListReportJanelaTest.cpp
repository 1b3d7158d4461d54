// The report list's window: row heights, style changes, properties, what the
// rows look like, wheel scrolling, label tips and the accessible table.
#include "RelatorioTeste.h"
#include "controls/CListReportTipCtrl.h"
#include "controls/COffscreenDC.h"

#include <QAccessible>
#include <gtest/gtest.h>

#include <string>

using teste::Relatorio;

namespace {

struct CasoAltura {
  const char* nome;
  int fonte, leading;
  bool grade;
  int imagem;
  int altura;
};

class AlturaLinha : public ::testing::TestWithParam<CasoAltura> {};

TEST_P(AlturaLinha, FromFontGridAndImages) {
  const CasoAltura& c = GetParam();
  EXPECT_EQ(CListReportCtrl::ComputeRowHeight(c.fonte, c.leading, c.grade, c.imagem), c.altura);
}

INSTANTIATE_TEST_SUITE_P(CListReportCtrl, AlturaLinha,
                         ::testing::Values(CasoAltura{"Font13", 13, 0, false, 0, 15},
                                           CasoAltura{"Font13Grid", 13, 0, true, 0, 16},
                                           CasoAltura{"Font13Images20", 13, 0, false, 20, 21},
                                           CasoAltura{"Font13GridImages20", 13, 0, true, 20, 21},
                                           CasoAltura{"Leading", 13, 2, false, 0, 17}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(CListReportCtrl, RowHeightFollowsFontStyleAndImages) {
  Relatorio r(1);
  const QFontMetrics fm(r->font());
  const int base = fm.height() + fm.leading() + 2;
  EXPECT_EQ(r->RowHeight(), base);
  EXPECT_EQ(r->CheckSize(), QSize(base - 2, base - 2));
  r->ChangeControlStyle(0, ReportStyle::HorizontalGrid);
  EXPECT_EQ(r->RowHeight(), base + 1);
  r->ChangeControlStyle(ReportStyle::HorizontalGrid, 0);
  EXPECT_EQ(r->RowHeight(), base);
  ReportImageList imagens(QSize(20, base + 5));
  QPixmap p(20, base + 5);
  p.fill(Qt::red);
  imagens.Add(p);
  ASSERT_TRUE(r->SetImages(&imagens, nullptr));
  EXPECT_EQ(r->RowHeight(), base + 6);
  ReportImageList vazia;
  EXPECT_FALSE(r->SetImages(&vazia, nullptr));
  r->SetImages(nullptr, nullptr);
}

TEST(CListReportCtrl, PropertiesRefuseUnknownNumbersAndValues) {
  Relatorio r(1);
  EXPECT_EQ(r->SetProperty(4, 3), 0);
  EXPECT_EQ(r->SetProperty(4, 0), 1);
  EXPECT_EQ(r->SetProperty(11, 5), 0);
  EXPECT_EQ(r->SetProperty(12, 4), 0);
  EXPECT_EQ(r->SetProperty(99, 1), 0);
  EXPECT_EQ(r->SetProperty(6, 1234), 1);
  EXPECT_EQ(r->UserValue(), 1234);
  EXPECT_EQ(r->SetProperty(3, QStringLiteral("Nada")), 1);
  EXPECT_EQ(r->EmptyText(), QStringLiteral("Nada"));
  EXPECT_EQ(r->SetProperty(3, 1), 0);  // a text property given a number
}

// Whether a row of the grab shows colour `cor` at a point with no text.
QRgb PixelDaLinha(Relatorio& r, int linha) {
  QRect rr;
  EXPECT_TRUE(r->GetRowRect(linha, -1, rr));
  return r->grab().toImage().pixel(rr.left() + 250, rr.center().y());
}

TEST(CListReportCtrl, AlternateRowsTakeColourZero) {
  Relatorio r(3);
  const QRgb cinza = qRgb(0xC0, 0xC0, 0xC0);
  r->AddColour(0, cinza);
  for (int k = 0; k < 6; ++k) r->AppendRowWithText(QStringLiteral("x"));
  r->ChangeControlStyle(0, ReportStyle::AlternateColours);
  r->clearFocus();
  const QRgb branco = r->SysColour(0).rgb();
  for (int l = 0; l < 6; ++l) EXPECT_EQ(PixelDaLinha(r, l), l % 2 ? cinza : branco) << l;
  // A row's own background wins.
  ReportItemInfo b;
  b.item = r->ItemOfDisplayRow(1);
  b.column = -1;
  b.mask = ReportMask::Background;
  r->AddColour(1, qRgb(0, 200, 0));
  b.background = 1;
  r->SetRowItem(b);
  EXPECT_EQ(PixelDaLinha(r, 1), qRgb(0, 200, 0));
}

TEST(CListReportCtrl, EmptyListShowsItsTextUnderTheHeader) {
  Relatorio r(3);
  EXPECT_EQ(r->EmptyText(), QStringLiteral("No existen clasificaciones en la lista."));
  const QImage img = r->grab().toImage();
  const QRect linhas = r->RowsRect();
  // Text pixels: dark on the window colour (anti-aliased edges included).
  const auto texto = [&](int x, int y) { return qGray(img.pixel(x, y)) < 128; };
  int esq = 10000, dir = -1, achados = 0;
  for (int y = linhas.top(); y < linhas.top() + r->RowHeight() + 2; ++y)
    for (int x = linhas.left(); x <= linhas.right(); ++x)
      if (texto(x, y)) {
        ++achados;
        esq = std::min(esq, x);
        dir = std::max(dir, x);
      }
  ASSERT_GT(achados, 20);
  // Centred over the shown columns (300 pixels wide).
  EXPECT_NEAR((esq + dir) / 2, linhas.left() + 150, 4);
  // Nothing further down.
  for (int y = linhas.top() + r->RowHeight() + 4; y < linhas.bottom(); ++y)
    for (int x = linhas.left(); x <= linhas.right(); x += 3) ASSERT_FALSE(texto(x, y)) << x << "," << y;
}

TEST(CListReportCtrl, WheelNotchScrollsByTheWheelLines) {
  QApplication::setWheelScrollLines(3);  // read when the list is created
  Relatorio s(1, 0, QSize(300, 120));
  for (int k = 0; k < 30; ++k) s->AppendRowWithText(QString::number(k));
  s->ScrollPageDown();
  s->ScrollPageDown();
  const int topo = s->TopRow();
  ASSERT_GE(topo, 3);
  QWheelEvent w(QPointF(50, 60), s->mapToGlobal(QPointF(50, 60)), QPoint(), QPoint(0, 120), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(s.ctrl.get(), &w);
  EXPECT_EQ(s->TopRow(), topo - 3);
  QWheelEvent baixo(QPointF(50, 60), s->mapToGlobal(QPointF(50, 60)), QPoint(), QPoint(0, -240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(s.ctrl.get(), &baixo);
  EXPECT_EQ(s->TopRow(), topo + 3);
}

TEST(CListReportCtrl, PagesAndEnsureVisible) {
  Relatorio r(1, 0, QSize(300, 150));
  for (int k = 0; k < 40; ++k) r->AppendRowWithText(QString::number(k));
  const int pagina = r->VisibleRowCount();
  ASSERT_GT(pagina, 2);
  r->ScrollPageDown();
  EXPECT_EQ(r->TopRow(), pagina);
  r->ScrollPageUp();
  EXPECT_EQ(r->TopRow(), 0);
  r->EnsureRowVisible(39);
  EXPECT_EQ(r->TopRow(), 40 - pagina);
  EXPECT_TRUE(r->IsRowVisible(39));
  EXPECT_FALSE(r->IsRowVisible(0));
}

TEST(CListReportCtrl, LabelTipOnlyForCutTexts) {
  Relatorio r(2, ReportStyle::LabelTips);
  r->AppendRowWithText(QStringLiteral("curto"));
  r->AppendRowWithText(QStringLiteral("um texto bem mais longo do que a largura da coluna"));
  r->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(r->IsFocused());
  CListReportTipCtrl* tip = r->LabelTip();
  ASSERT_NE(tip, nullptr);
  teste::Mouse(r.ctrl.get(), QEvent::MouseMove, r.Celula(0, 0), Qt::NoButton);
  EXPECT_FALSE(tip->isVisible());
  teste::Mouse(r.ctrl.get(), QEvent::MouseMove, r.Celula(1, 0), Qt::NoButton);
  EXPECT_TRUE(tip->isVisible());
  EXPECT_EQ(tip->Text(), QStringLiteral("um texto bem mais longo do que a largura da coluna"));
  // A key dismisses it; moving within the same cell does not bring it back.
  teste::Tecla(r.ctrl.get(), Qt::Key_Shift);
  EXPECT_FALSE(tip->isVisible());
  teste::Mouse(r.ctrl.get(), QEvent::MouseMove, r.Celula(1, 0) + QPoint(2, 0), Qt::NoButton);
  EXPECT_FALSE(tip->isVisible());
}

// The pointer leaving the list hides the tip; back in the same cell, it shows again.
TEST(CListReportCtrl, LabelTipHidesWhenThePointerLeavesTheList) {
  Relatorio r(2, ReportStyle::LabelTips);
  r->AppendRowWithText(QStringLiteral("um texto bem mais longo do que a largura da coluna"));
  r->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(r->IsFocused());
  CListReportTipCtrl* tip = r->LabelTip();
  teste::Mouse(r.ctrl.get(), QEvent::MouseMove, r.Celula(0, 0), Qt::NoButton);
  ASSERT_TRUE(tip->isVisible());
  QEvent sai(QEvent::Leave);
  QApplication::sendEvent(r.ctrl.get(), &sai);
  EXPECT_FALSE(tip->isVisible());
  teste::Mouse(r.ctrl.get(), QEvent::MouseMove, r.Celula(0, 0), Qt::NoButton);
  EXPECT_TRUE(tip->isVisible());
}

// The list and its flat header paint through the off-screen surface: a paint
// of a 10 x 10 square puts exactly that square on screen, and the
// square shows what the whole window shows there.
TEST(CListReportCtrl, ListAndHeaderPaintThroughTheOffscreenSurface) {
  Relatorio r(2);
  r->AppendRowWithText(QStringLiteral("linha"));
  QApplication::processEvents();
  QWidget* cabecalho = r->Header();
  ASSERT_NE(cabecalho, nullptr);
  struct Caso { QWidget* w; QRect quadrado; } casos[] = {
      {r.ctrl.get(), QRect(100, r->height() / 2, 10, 10)},
      {cabecalho, QRect(40, 2, 10, 10)},
  };
  for (const Caso& c : casos) {
    const QImage inteira = c.w->grab().toImage();
    const int antes = COffscreenDC::CopiasFeitas();
    c.w->repaint(c.quadrado);
    // The header lies over the list, which paints the square under it first.
    EXPECT_GT(COffscreenDC::CopiasFeitas(), antes) << c.w->metaObject()->className();
    EXPECT_EQ(COffscreenDC::UltimaCopia(), c.quadrado) << c.w->metaObject()->className();
    const QImage parte = c.w->grab(c.quadrado).toImage();
    EXPECT_EQ(parte, inteira.copy(c.quadrado).convertToFormat(parte.format())) << c.w->metaObject()->className();
  }
}

TEST(CListReportCtrl, AccessibleTableReadsTheShownCells) {
  Relatorio r(3);
  r->HideColumn(1);
  r.Linha({QStringLiteral("a"), QStringLiteral("oculta"), QStringLiteral("Total")});
  r.Linha({QStringLiteral("b"), QString(), QStringLiteral("x")});
  r->SelectRow(1, false);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(r.ctrl.get());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Table);
  QAccessibleTableInterface* t = a->tableInterface();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->rowCount(), 2);
  EXPECT_EQ(t->columnCount(), 2);
  EXPECT_EQ(t->columnDescription(1), QStringLiteral("C2"));
  EXPECT_EQ(t->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Total"));
  EXPECT_EQ(t->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("b"));
  EXPECT_EQ(t->selectedRows(), QList<int>{1});
  EXPECT_TRUE(t->cellAt(1, 0)->state().selected);
  EXPECT_EQ(a->childCount(), 4);
  // After sorting the table follows the display order.
  r->SortByColumn(2, true);
  EXPECT_EQ(t->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Total"));
  r->SortByColumn(2, false);
  EXPECT_EQ(t->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("x"));
  EXPECT_EQ(t->cellAt(5, 0), nullptr);
}

}  // namespace
