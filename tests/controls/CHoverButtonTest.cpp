#include "controls/CHoverButton.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

#include <string>

namespace {

void MoveMouse(QWidget& w, QPoint pos) {
  QMouseEvent e(QEvent::MouseMove, QPointF(pos), w.mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

QImage Grab(QWidget& w) { return w.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

// ---- colour shifting ---------------------------------------------------------------

struct CasoDesloca {
  const char* nome;
  int indice;
  QColor inicial;
  int tom;
  int resultado;
  QColor esperada;
};

class DeslocaCor : public ::testing::TestWithParam<CasoDesloca> {};

TEST_P(DeslocaCor, KeepsHueBalanceAndRange) {
  const CasoDesloca& c = GetParam();
  CHoverButton b;
  ASSERT_EQ(b.SetStateColour(0, c.inicial, false), 0);
  EXPECT_EQ(b.ShiftStateColour(c.indice, static_cast<short>(c.tom), false), c.resultado);
  QColor cor;
  ASSERT_EQ(b.GetStateColour(0, cor), 0);
  EXPECT_EQ(cor.rgb(), c.esperada.rgb()) << cor.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    CHoverButton, DeslocaCor,
    ::testing::Values(
        CasoDesloca{"BrightenCappedByHighestChannel", 0, QColor(250, 200, 100), 30, 0, QColor(255, 205, 105)},
        CasoDesloca{"DarkenCappedByLowestChannel", 0, QColor(10, 100, 200), -30, 0, QColor(0, 90, 190)},
        CasoDesloca{"FullShadeWithinRange", 0, QColor(0, 0, 0), 255, 0, QColor(255, 255, 255)},
        CasoDesloca{"ZeroShadeNoChange", 0, QColor(1, 2, 3), 0, 0, QColor(1, 2, 3)},
        CasoDesloca{"ShadeBelowRangeRefused", 0, QColor(250, 200, 100), -300, 5, QColor(250, 200, 100)},
        CasoDesloca{"ShadeAboveRangeRefused", 0, QColor(250, 200, 100), 256, 5, QColor(250, 200, 100)},
        CasoDesloca{"IndexAboveFiveRefused", 6, QColor(250, 200, 100), 30, 3, QColor(250, 200, 100)}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CHoverButton, SetterCodes) {
  CHoverButton b;
  QColor cor;
  EXPECT_EQ(b.SetStateColour(6, Qt::red, false), 3);
  EXPECT_EQ(b.GetStateColour(6, cor), 3);
  EXPECT_EQ(b.SetImagePlacement(3, false), 0);
  EXPECT_EQ(b.SetImagePlacement(4, false), 4);
  EXPECT_EQ(b.SetPressShift(0, false), 0);
  EXPECT_EQ(b.SetPressShift(1, false), 0);
  EXPECT_EQ(b.SetPressShift(2, false), 6);
  EXPECT_EQ(b.CaptureParentBackground(nullptr), 5);  // not in parent-background mode
  EXPECT_EQ(b.SetStateIcons(987654, CHoverButton::RepousoCinza), 1);  // no such resource
  EXPECT_TRUE(b.ImagemAtiva().isNull());
  EXPECT_EQ(b.SetStateBitmaps(987654, 0, CHoverButton::RepousoCinza, 0), 1);
  EXPECT_EQ(b.SetCursorResource(987654), 1);
  EXPECT_EQ(b.SetCursorResource(0), 0);
}

TEST(CHoverButton, LinkKeepsAtMost259Bytes) {
  CHoverButton b;
  const std::string longo(300, 'a');
  EXPECT_EQ(b.SetLink(longo.c_str()), 0);
  EXPECT_EQ(std::string(b.GetLink()), std::string(259, 'a'));
  EXPECT_EQ(b.SetLink("http://x"), 0);
  EXPECT_STREQ(b.GetLink(), "http://x");
  EXPECT_EQ(b.SetLink(nullptr), 0);
  EXPECT_STREQ(b.GetLink(), "");
}

// ---- generated rest images ------------------------------------------------------------

QImage Imagem2x2() {
  QImage img(2, 2, QImage::Format_ARGB32);
  img.setPixel(0, 0, qRgb(255, 0, 0));
  img.setPixel(1, 0, qRgb(0, 255, 0));
  img.setPixel(0, 1, qRgb(0, 0, 255));
  img.setPixel(1, 1, qRgb(100, 150, 200));
  return img;
}

TEST(CHoverButton, GeneratedRestImages) {
  // Luminance 0.299 R + 0.587 G + 0.114 B truncated: 76.245, 149.685, 29.07, 140.75.
  const int cinza[4] = {76, 149, 29, 140};
  // Each channel c - c/4 truncated.
  const QRgb escuro[4] = {qRgb(191, 0, 0), qRgb(0, 191, 0), qRgb(0, 0, 191), qRgb(75, 112, 150)};
  CHoverButton b;
  ASSERT_EQ(b.SetStateIconHandles(Imagem2x2(), CHoverButton::RepousoCinza), 0);
  for (int i = 0; i < 4; ++i) {
    const QRgb p = b.ImagemRepouso().pixel(i % 2, i / 2);
    EXPECT_EQ(p, qRgb(cinza[i], cinza[i], cinza[i])) << i;
  }
  ASSERT_EQ(b.SetStateIconHandles(Imagem2x2(), CHoverButton::RepousoEscurecido), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b.ImagemRepouso().pixel(i % 2, i / 2), escuro[i]) << i;
  // A dimming factor outside (0, 1] leaves the colours.
  EXPECT_EQ(CHoverButton::CopiaEscurecida(Imagem2x2(), 1.5).pixel(1, 1), qRgb(100, 150, 200));
  ASSERT_EQ(b.SetStateIconHandles(Imagem2x2(), CHoverButton::SemRepouso), 0);
  EXPECT_TRUE(b.ImagemRepouso().isNull());
}

TEST(CHoverButton, GreyRestBitmapKeepsTransparentColour) {
  QImage img = Imagem2x2();
  img.setPixel(1, 1, qRgb(255, 0, 255));
  CHoverButton b;
  b.resize(20, 20);
  b.SetStateColour(CHoverButton::CorFaceRepouso, QColor(0, 0, 80), false);
  ASSERT_EQ(b.SetStateBitmapHandles(img, qRgb(255, 0, 255), CHoverButton::RepousoCinza), 0);
  ASSERT_EQ(b.SetImagePlacement(3, false), 0);
  const QImage g = Grab(b);
  EXPECT_EQ(g.pixel(0, 0), qRgb(76, 76, 76));
  EXPECT_EQ(g.pixel(1, 0), qRgb(149, 149, 149));
  EXPECT_EQ(g.pixel(1, 1), qRgb(0, 0, 80));  // transparent: the face shows through
}

// ---- drawing by state -------------------------------------------------------------------

TEST(CHoverButton, FlatButtonFaceFollowsHover) {
  CHoverButton b;
  b.resize(60, 24);
  b.SetStateColour(CHoverButton::CorFaceAtiva, QColor(200, 0, 0), false);
  b.SetStateColour(CHoverButton::CorFaceRepouso, QColor(0, 0, 200), false);
  const QPoint centro(30, 12), canto(2, 2);
  EXPECT_EQ(Grab(b).pixel(canto), qRgb(0, 0, 200));
  MoveMouse(b, centro);
  ASSERT_TRUE(b.Hovering());
  EXPECT_EQ(Grab(b).pixel(canto), qRgb(200, 0, 0));
  MoveMouse(b, QPoint(100, 100));  // moved away
  EXPECT_FALSE(b.Hovering());
  EXPECT_EQ(Grab(b).pixel(canto), qRgb(0, 0, 200));
  MoveMouse(b, centro);
  EXPECT_EQ(b.EndHover(), 0);
  EXPECT_FALSE(b.Hovering());
}

TEST(CHoverButton, NonFlatButtonNeverHovers) {
  CHoverButton b;
  b.resize(60, 24);
  b.SetFlatLook(false, false);
  MoveMouse(b, QPoint(30, 12));
  EXPECT_FALSE(b.Hovering());
}

TEST(CHoverButton, ImageByStateAndPlacement) {
  QImage ativo(4, 4, QImage::Format_ARGB32);
  ativo.fill(qRgb(10, 200, 30));
  QImage repouso(4, 4, QImage::Format_ARGB32);
  repouso.fill(qRgb(90, 90, 90));
  CHoverButton b;
  b.resize(40, 20);
  b.SetStateColour(CHoverButton::CorFaceRepouso, Qt::white, false);
  b.SetStateColour(CHoverButton::CorFaceAtiva, Qt::white, false);
  ASSERT_EQ(b.SetStateIconHandles(ativo, repouso), 0);
  // Placement 3: the image sits at the top-left corner.
  ASSERT_EQ(b.SetImagePlacement(3, false), 0);
  EXPECT_EQ(Grab(b).pixel(0, 0), qRgb(90, 90, 90));
  MoveMouse(b, QPoint(20, 10));
  EXPECT_EQ(Grab(b).pixel(0, 0), qRgb(10, 200, 30));
  b.EndHover();
  // Placement 0 without caption: centred, (40-4)/2 = 18 across, (20-4)/2 = 8 down.
  ASSERT_EQ(b.SetImagePlacement(0, false), 0);
  const QImage g = Grab(b);
  EXPECT_EQ(g.pixel(18, 8), qRgb(90, 90, 90));
  EXPECT_EQ(g.pixel(17, 8), qRgb(255, 255, 255));
  // Without a rest image the active one shows at rest too.
  ASSERT_EQ(b.SetStateIconHandles(ativo, CHoverButton::SemRepouso), 0);
  EXPECT_EQ(Grab(b).pixel(18, 8), qRgb(10, 200, 30));
  // A non-flat button shows its rest image unless pressed.
  ASSERT_EQ(b.SetStateIconHandles(ativo, repouso), 0);
  b.SetFlatLook(false, false);
  MoveMouse(b, QPoint(20, 10));
  EXPECT_EQ(Grab(b).pixel(18, 8), qRgb(90, 90, 90));
  b.setDown(true);  // pressed: active image, moved by the press shift (1, 1)
  EXPECT_EQ(Grab(b).pixel(19, 9), qRgb(10, 200, 30));
}

TEST(CHoverButton, ToggleModeFollowsCheckMessages) {
  CHoverButton normal;
  normal.SetCheck(1);
  EXPECT_FALSE(normal.IsToggled());
  EXPECT_EQ(normal.SetToggled(true), 0);
  EXPECT_FALSE(normal.IsToggled());

  CHoverButton alterna;
  alterna.setCheckable(true);
  alterna.SetCheck(2);  // indeterminate counts as checked
  EXPECT_TRUE(alterna.IsToggled());
  EXPECT_EQ(alterna.GetCheck(), 1);
  alterna.SetCheck(0);
  EXPECT_FALSE(alterna.IsToggled());
  alterna.click();
  EXPECT_TRUE(alterna.IsToggled());
}

TEST(CHoverButton, DefaultFlagFollowsDialog) {
  QDialog d;
  auto* ok = new CHoverButton(QStringLiteral("&OK"), &d);
  auto* outro = new CHoverButton(QStringLiteral("&Outro"), &d);
  ok->setDefault(true);
  EXPECT_TRUE(ok->IsDefaultButton());
  EXPECT_FALSE(outro->IsDefaultButton());
  outro->setDefault(true);
  EXPECT_FALSE(ok->IsDefaultButton());
  EXPECT_TRUE(outro->IsDefaultButton());
}

// The dialog moves the default to the button that takes the focus; Enter then
// presses that one, not the one marked default when the dialog was built.
TEST(CHoverButton, EnterFollowsMovedDefault) {
  QDialog d;
  auto* ok = new CHoverButton(QStringLiteral("&OK"), &d);
  auto* outro = new CHoverButton(QStringLiteral("&Outro"), &d);
  ok->setDefault(true);
  d.show();
  int cliquesOk = 0, cliquesOutro = 0;
  QObject::connect(ok, &QPushButton::clicked, [&] { ++cliquesOk; });
  QObject::connect(outro, &QPushButton::clicked, [&] { ++cliquesOutro; });
  QFocusEvent foco(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(outro, &foco);
  EXPECT_TRUE(outro->IsDefaultButton());
  EXPECT_FALSE(ok->IsDefaultButton());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&d, &enter);
  EXPECT_EQ(cliquesOutro, 1);
  EXPECT_EQ(cliquesOk, 0);
}

TEST(CHoverButton, HintText) {
  CHoverButton b;
  EXPECT_EQ(b.SetHintText(nullptr, true), 0);
  EXPECT_TRUE(b.toolTip().isEmpty());
  EXPECT_EQ(b.SetHintText(QStringLiteral("Dica"), true), 0);
  EXPECT_TRUE(b.toolTip().contains(QStringLiteral("Dica")));
  EXPECT_EQ(b.EnableHint(false), 0);
  EXPECT_TRUE(b.toolTip().isEmpty());
  EXPECT_EQ(b.TextoDica(), QStringLiteral("Dica"));
}

TEST(CHoverButton, ParentBackgroundReplacesFace) {
  QWidget pai;
  pai.resize(100, 60);
  QPalette pal = pai.palette();
  pal.setColor(QPalette::Window, QColor(10, 120, 30));
  pai.setPalette(pal);
  pai.setAutoFillBackground(true);
  auto* b = new CHoverButton(&pai);
  b->setGeometry(20, 10, 40, 20);
  b->SetStateColour(CHoverButton::CorFaceRepouso, QColor(0, 0, 200), false);
  EXPECT_EQ(Grab(*b).pixel(5, 5), qRgb(0, 0, 200));
  EXPECT_EQ(b->UseParentBackground(false), 0);
  EXPECT_EQ(Grab(*b).pixel(5, 5), qRgb(10, 120, 30));
  // A given picture of the parent replaces the copy.
  QPixmap foto(100, 60);
  foto.fill(QColor(200, 100, 0));
  EXPECT_EQ(b->CaptureParentBackground(&foto), 0);
  EXPECT_EQ(Grab(*b).pixel(5, 5), qRgb(200, 100, 0));
}

TEST(CHoverButton, FitToImage) {
  QImage img(16, 12, QImage::Format_ARGB32);
  img.fill(Qt::red);
  CHoverButton b;
  b.resize(80, 30);
  ASSERT_EQ(b.SetStateIconHandles(img, CHoverButton::RepousoCinza), 0);
  EXPECT_EQ(b.FitToImage(), 0);
  EXPECT_EQ(b.size(), QSize(16, 12));
}

}  // namespace
