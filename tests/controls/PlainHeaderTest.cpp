// The flat header: moving items by drag and drop, fitting columns to the
// parent's width, fixed-width items and the cursor off the header.
#include "RelatorioTeste.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Cabecalho {
  QWidget pai;
  CPlainHeaderCtrl* h;
  std::vector<HeaderNotify> avisos;
  long resposta = 0;
  explicit Cabecalho(const QVector<int>& larguras, int larguraPai = 800) : h(new CPlainHeaderCtrl(&pai)) {
    pai.resize(larguraPai, 100);
    h->setGeometry(0, 0, larguraPai, 24);
    for (int i = 0; i < larguras.size(); ++i) {
      HeaderItem it;
      it.mask = HeaderMask::Width | HeaderMask::Text | HeaderMask::Param;
      it.width = larguras[i];
      it.text = QStringLiteral("H%1").arg(i);
      it.lParam = i;
      h->InsertItem(i, it);
    }
    h->SetNotifyHandler([this](HeaderNotify& n) {
      avisos.push_back(n);
      return resposta;
    });
    pai.show();
  }
  QVector<int> Larguras() const {
    QVector<int> r;
    for (int i = 0; i < h->GetItemCount(); ++i) r.append(h->GetItemRect(i).width());
    return r;
  }
  // Drags item `de` by the mouse and drops it at `x` (header coordinates).
  void Arrasta(int de, QPoint ate) {
    const QPoint p = h->GetItemRect(de).center();
    teste::Mouse(h, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    teste::Mouse(h, QEvent::MouseMove, p + QPoint(QApplication::startDragDistance() + 2, 0), Qt::LeftButton);
    teste::Mouse(h, QEvent::MouseMove, ate, Qt::LeftButton);
    teste::Mouse(h, QEvent::MouseButtonRelease, ate, Qt::NoButton, Qt::LeftButton);
  }
};

struct CasoDrop {
  const char* nome;
  int de;
  int lacuna;
  QVector<int> ordem;
};

class Drop : public ::testing::TestWithParam<CasoDrop> {};

TEST_P(Drop, MovesTheItemToTheGap) {
  const CasoDrop& c = GetParam();
  EXPECT_EQ(CPlainHeaderCtrl::ReorderForDrop({0, 1, 2, 3}, c.de, c.lacuna), c.ordem);
  // The same by the mouse: the gap is the item under the cursor, plus one right of its middle.
  Cabecalho k({100, 100, 100, 100});
  const int item = c.lacuna < 4 ? c.lacuna : 3;
  const QRect r = k.h->GetItemRect(item);
  const QPoint alvo = c.lacuna < 4 ? QPoint(r.left() + 10, r.center().y()) : QPoint(r.right() - 10, r.center().y());
  k.Arrasta(c.de, alvo);
  EXPECT_EQ(k.h->GetOrderArray(), c.ordem);
  ASSERT_GE(k.avisos.size(), 2u);
  EXPECT_EQ(k.avisos.front().code, HeaderCode::BeginDrag);
  EXPECT_EQ(k.avisos.back().code, HeaderCode::EndDrag);
  EXPECT_EQ(k.avisos.back().item, c.de);
}

INSTANTIATE_TEST_SUITE_P(CPlainHeaderCtrl, Drop,
                         ::testing::Values(CasoDrop{"FirstToTheEnd", 0, 4, {1, 2, 3, 0}},
                                           CasoDrop{"LastToTheStart", 3, 0, {3, 0, 1, 2}},
                                           CasoDrop{"OwnGapMovesNothing", 1, 1, {0, 1, 2, 3}},
                                           CasoDrop{"NextGapMovesNothing", 1, 2, {0, 1, 2, 3}},
                                           CasoDrop{"MiddleRight", 1, 3, {0, 2, 1, 3}}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(CPlainHeaderCtrl, ParentRefusingTheEndKeepsTheOrder) {
  Cabecalho k({100, 100, 100, 100});
  k.resposta = 1;
  k.Arrasta(0, QPoint(390, 10));
  EXPECT_EQ(k.h->GetOrderArray(), (QVector<int>{0, 1, 2, 3}));
}

struct CasoAjuste {
  const char* nome;
  QVector<int> larguras;
  QVector<HDITEMEX> limites;
  int larguraPai;
  QVector<int> esperadas;
};

class Ajuste : public ::testing::TestWithParam<CasoAjuste> {};

TEST_P(Ajuste, FitsTheParentWidthWithinLimits) {
  const CasoAjuste& c = GetParam();
  Cabecalho k(c.larguras, c.larguraPai);
  for (int i = 0; i < c.limites.size(); ++i) k.h->SetItemEx(i, c.limites[i]);
  k.h->FitAllColumns();  // ends even when every column is at its limit
  EXPECT_EQ(k.Larguras(), c.esperadas);
}

HDITEMEX Lim(int minimo, int maximo, quint32 flags = 0) {
  HDITEMEX e;
  e.minWidth = minimo;
  e.maxWidth = maximo;
  e.flags = flags;
  return e;
}

INSTANTIATE_TEST_SUITE_P(
    CPlainHeaderCtrl, Ajuste,
    ::testing::Values(CasoAjuste{"Proportional", {100, 100, 200}, {}, 800, {200, 200, 400}},
                      CasoAjuste{"RemainderSpreadFromTheLeft", {100, 100, 100}, {}, 800, {267, 267, 266}},
                      CasoAjuste{"MinimumAboveItsShare", {300, 300, 300}, {Lim(300, 0), Lim(0, 0), Lim(0, 0)}, 600,
                                 {300, 150, 150}},
                      CasoAjuste{"AllAtTheirMaximum", {100, 100, 100}, {Lim(0, 120), Lim(0, 120), Lim(0, 120)}, 800,
                                 {120, 120, 120}},
                      CasoAjuste{"AllFixed", {100, 50, 70},
                                 {Lim(0, 0, HeaderExFlag::FixedWidth), Lim(0, 0, HeaderExFlag::FixedWidth),
                                  Lim(0, 0, HeaderExFlag::FixedWidth)},
                                 800, {100, 50, 70}},
                      CasoAjuste{"ShrinkToFit", {300, 300, 400}, {}, 500, {150, 150, 200}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CPlainHeaderCtrl, FixedWidthItemCannotBeResized) {
  Cabecalho k({100, 100});
  k.h->SetItemEx(0, Lim(0, 0, HeaderExFlag::FixedWidth));
  const QPoint divisor(99, 10);
  quint32 f = 0;
  EXPECT_EQ(k.h->HitTest(divisor, &f), 0);
  EXPECT_EQ(f, HeaderHit::OnDivider);
  teste::Mouse(k.h, QEvent::MouseMove, divisor, Qt::NoButton);
  EXPECT_EQ(k.h->cursor().shape(), Qt::ArrowCursor);
  teste::Mouse(k.h, QEvent::MouseButtonPress, divisor, Qt::LeftButton, Qt::LeftButton);
  teste::Mouse(k.h, QEvent::MouseMove, divisor + QPoint(40, 0), Qt::LeftButton);
  teste::Mouse(k.h, QEvent::MouseButtonRelease, divisor + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(k.Larguras(), (QVector<int>{100, 100}));
  teste::ClicaDuplo(k.h, divisor);
  EXPECT_TRUE(k.avisos.empty());
  // Its neighbour resizes, held to its limits.
  k.h->SetItemEx(1, Lim(60, 150));
  const QPoint d1(199, 10);
  teste::Mouse(k.h, QEvent::MouseMove, d1, Qt::NoButton);
  EXPECT_EQ(k.h->cursor().shape(), Qt::SplitHCursor);
  teste::Mouse(k.h, QEvent::MouseButtonPress, d1, Qt::LeftButton, Qt::LeftButton);
  teste::Mouse(k.h, QEvent::MouseMove, QPoint(400, 10), Qt::LeftButton);
  EXPECT_EQ(k.Larguras(), (QVector<int>{100, 150}));
  teste::Mouse(k.h, QEvent::MouseMove, QPoint(110, 10), Qt::LeftButton);
  EXPECT_EQ(k.Larguras(), (QVector<int>{100, 60}));
  teste::Mouse(k.h, QEvent::MouseButtonRelease, QPoint(110, 10), Qt::NoButton, Qt::LeftButton);
  ASSERT_FALSE(k.avisos.empty());
  EXPECT_EQ(k.avisos.back().code, HeaderCode::ItemChanged);
}

TEST(CPlainHeaderCtrl, OffTheHeaderShowsTheOutsideCursor) {
  Cabecalho k({100, 100});
  const QPoint p = k.h->GetItemRect(0).center();
  teste::Mouse(k.h, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  teste::Mouse(k.h, QEvent::MouseMove, p + QPoint(0, 10), Qt::LeftButton);
  teste::Mouse(k.h, QEvent::MouseMove, p + QPoint(0, 100), Qt::LeftButton);
  EXPECT_EQ(k.h->GetDropTargetState(), -1);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  // Resource 1085 is not in this test's resources: the system's "no" cursor.
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
  // A column that may not leave the header shows the "no" cursor with state 2.
  k.h->SetItemExFlags(0, HeaderExFlag::NoDragOff);
  teste::Mouse(k.h, QEvent::MouseMove, p + QPoint(0, 120), Qt::LeftButton);
  EXPECT_EQ(k.h->GetDropTargetState(), 2);
  teste::Mouse(k.h, QEvent::MouseButtonRelease, p + QPoint(0, 120), Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(k.h->GetOrderArray(), (QVector<int>{0, 1}));
}

TEST(CPlainHeaderCtrl, OptionsAndExtendedData) {
  Cabecalho k({100});
  EXPECT_TRUE(k.h->SetHeaderOption(1, 4));
  EXPECT_EQ(k.h->Margin(), 4);
  EXPECT_FALSE(k.h->SetHeaderOption(8, 1));
  EXPECT_FALSE(k.h->SetItemEx(3, HDITEMEX{}));
  HDITEMEX ex;
  EXPECT_FALSE(k.h->GetItemEx(1, ex));
  // Fitted to its content: margin, text and margin.
  ASSERT_TRUE(k.h->SetItemEx(0, Lim(0, 0, HeaderExFlag::FitContent)));
  EXPECT_EQ(k.Larguras()[0], 4 + k.h->fontMetrics().horizontalAdvance(QStringLiteral("H0")) + 4);
  // A fixed-width item reports its width as both limits.
  k.h->SetItemExFlags(0, HeaderExFlag::FixedWidth);
  ASSERT_TRUE(k.h->GetItemEx(0, ex));
  EXPECT_EQ(ex.minWidth, k.Larguras()[0]);
  EXPECT_EQ(ex.maxWidth, k.Larguras()[0]);
}

}  // namespace
