// The bitmap dialog base: layouts, the window region cut from a colour, codes,
// fitting the window and dragging by the client area.
#include "controls/CBitmapDialog.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

#include <string>

namespace {

// A w x h bitmap: red with a blue top-left pixel and a green bottom-right one.
QImage Bitmap(int w, int h) {
  QImage b(w, h, QImage::Format_RGB32);
  b.fill(qRgb(255, 0, 0));
  b.setPixel(0, 0, qRgb(0, 0, 255));
  b.setPixel(w - 1, h - 1, qRgb(0, 255, 0));
  return b;
}

QImage Pinta(const CBitmapDialog& d, QSize cliente) {
  QImage img(cliente, QImage::Format_RGB32);
  img.fill(qRgb(255, 255, 255));
  QPainter p(&img);
  d.PaintBackground(p, cliente);
  return img;
}

struct CasoLayout {
  const char* nome;
  int layout;
  QPoint azul;       // where the bitmap's top-left pixel lands
  QPoint verde;      // where its bottom-right pixel lands
  QPoint branco;     // a point the bitmap does not cover (-1: none)
};

class Layouts : public ::testing::TestWithParam<CasoLayout> {};

// A 10 x 8 bitmap in a 25 x 20 client area.
TEST_P(Layouts, PlaceTheBitmap) {
  const CasoLayout& c = GetParam();
  CBitmapDialog d;
  ASSERT_EQ(d.SetBackgroundBitmapHandle(Bitmap(10, 8)), 0);
  ASSERT_EQ(d.SetBackgroundLayout(c.layout, 0), 0);
  const QImage img = Pinta(d, QSize(25, 20));
  EXPECT_EQ(img.pixel(c.azul), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(c.verde), qRgb(0, 255, 0));
  if (c.branco.x() >= 0) {
    EXPECT_EQ(img.pixel(c.branco), qRgb(255, 255, 255));
  }
}

INSTANTIATE_TEST_SUITE_P(
    CBitmapDialog, Layouts,
    ::testing::Values(CasoLayout{"Tiled", 0, {20, 16}, {19, 15}, {-1, -1}},
                      CasoLayout{"Centred", 1, {7, 6}, {16, 13}, {6, 6}},
                      CasoLayout{"Stretched", 2, {0, 0}, {24, 19}, {-1, -1}},
                      CasoLayout{"TopEdge", 3, {20, 0}, {9, 7}, {5, 10}},
                      CasoLayout{"BottomEdge", 4, {10, 12}, {19, 19}, {5, 5}},
                      CasoLayout{"LeftEdge", 5, {0, 16}, {9, 15}, {15, 5}},
                      CasoLayout{"RightEdge", 6, {15, 8}, {24, 15}, {5, 5}},
                      CasoLayout{"TopLeft", 7, {0, 0}, {9, 7}, {12, 12}},
                      CasoLayout{"TopRight", 8, {15, 0}, {24, 7}, {5, 5}},
                      CasoLayout{"TopCentre", 9, {7, 0}, {16, 7}, {5, 12}},
                      CasoLayout{"BottomLeft", 10, {0, 12}, {9, 19}, {5, 5}},
                      CasoLayout{"BottomRight", 11, {15, 12}, {24, 19}, {5, 5}},
                      CasoLayout{"BottomCentre", 12, {7, 12}, {16, 19}, {5, 5}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CBitmapDialog, CentredLargerBitmapShowsItsMiddle) {
  CBitmapDialog d;
  QImage b(30, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) b.setPixel(x, y, qRgb(x * 8, y * 8, 0));
  d.SetBackgroundBitmapHandle(b);
  d.SetBackgroundLayout(1, 0);
  const QImage img = Pinta(d, QSize(10, 10));
  EXPECT_EQ(img.pixel(0, 0), qRgb(10 * 8, 10 * 8, 0));
  EXPECT_EQ(img.pixel(9, 9), qRgb(19 * 8, 19 * 8, 0));
}

TEST(CBitmapDialog, CodesAndLayoutRefusal) {
  CBitmapDialog d(520, nullptr);
  EXPECT_EQ(d.objectName(), QStringLiteral("dlg520"));
  EXPECT_EQ(d.SetBackgroundLayout(12, 0), 0);
  EXPECT_EQ(d.SetBackgroundLayout(13, 1), 2);
  EXPECT_EQ(d.BackgroundLayout(), 12);
  EXPECT_EQ(d.SetBackgroundBitmap(987654, -1), 0);  // a missing resource removes the bitmap
  EXPECT_FALSE(d.HasBitmap());
  EXPECT_EQ(d.SetDragByClient(1), 0);
}

TEST(CBitmapDialog, RegionCutsTheTransparentColourAcrossTheWholeWidth) {
  CBitmapDialog d;
  QImage b(103, 20, QImage::Format_RGB32);
  b.fill(qRgb(10, 20, 30));
  b.setPixel(5, 5, qRgb(255, 0, 255));
  b.setPixel(102, 19, qRgb(255, 0, 255));
  ASSERT_EQ(d.SetBackgroundBitmapHandle(b, 0xFF00FF), 0);
  const QRegion& r = d.WindowRegion();
  EXPECT_EQ(r.boundingRect(), QRect(0, 0, 103, 20));
  EXPECT_FALSE(r.contains(QPoint(5, 5)));
  EXPECT_FALSE(r.contains(QPoint(102, 19)));
  EXPECT_TRUE(r.contains(QPoint(102, 0)));  // the last columns stay
  EXPECT_TRUE(r.contains(QPoint(4, 5)));
  // No colour: the window keeps its rectangle.
  ASSERT_EQ(d.SetBackgroundBitmapHandle(b, -1), 0);
  EXPECT_TRUE(d.WindowRegion().isEmpty());
  EXPECT_TRUE(d.mask().isEmpty());
  // A bitmap all of the transparent colour leaves no window: refused with 3.
  QImage todo(4, 4, QImage::Format_RGB32);
  todo.fill(qRgb(255, 0, 255));
  EXPECT_EQ(d.SetBackgroundBitmapHandle(todo, 0xFF00FF), 3);
  EXPECT_FALSE(d.HasBitmap());
}

TEST(CBitmapDialog, FitsTheWindowToTheBitmap) {
  CBitmapDialog d;
  d.SetBackgroundBitmapHandle(Bitmap(120, 80));
  d.FitWindowToBitmap(false);
  EXPECT_EQ(d.BackgroundLayout(), 1);
  EXPECT_EQ(d.size(), QSize(120, 80));
  d.show();
  const QImage g = d.grab().toImage();
  EXPECT_EQ(g.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(g.pixel(119, 79), qRgb(0, 255, 0));
}

TEST(CBitmapDialog, DraggingTheClientAreaMovesTheDialog) {
  CBitmapDialog d;
  d.setGeometry(100, 100, 200, 150);
  d.show();
  d.SetDragByClient(1);
  const QPoint antes = d.pos();
  const QPoint p(50, 50);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), d.mapToGlobal(QPointF(p)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&d, &press);
  QMouseEvent move(QEvent::MouseMove, QPointF(p + QPoint(30, 20)), d.mapToGlobal(QPointF(p + QPoint(30, 20))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&d, &move);
  QMouseEvent solta(QEvent::MouseButtonRelease, QPointF(p + QPoint(30, 20)),
                    d.mapToGlobal(QPointF(p + QPoint(30, 20))), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&d, &solta);
  EXPECT_EQ(d.pos(), antes + QPoint(30, 20));
}

}  // namespace
