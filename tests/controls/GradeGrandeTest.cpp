// A grid of 64,000 data rows, as many as a model holds: the keys that touch
// every cell, and a far cell brought into view, cost what the rows on screen
// cost. The time bounds are generous (a slow, busy machine is well inside
// them) yet far below what a walk from the top for each cell takes (minutes).
#include "controls/CTableCtrl.h"
#include "tests/controls/GradeTeste.h"

#include <functional>

#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>

namespace {

constexpr int Linhas = 64000, Colunas = 16;

QString Texto(int r, int c) { return QString::number(r) + QLatin1Char(':') + QString::number(c); }

double Segundos(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The window the grid lives in: it accepts every edit and counts the edit
// notifications (a million cells, so no log of each).
struct Dono : QWidget, CTableOwner {
  int inicios = 0, fins = 0;
  int OnGridNotify(GridNmHdr& h) override {
    inicios += h.code == GVN_BEGINLABELEDIT;
    fins += h.code == GVN_ENDLABELEDIT;
    return 0;
  }
};

struct GradeGrande : ::testing::Test {
  Dono dono;
  CTableCtrl* g = new CTableCtrl(Linhas + 1, Colunas + 1, 1, 1);

  void SetUp() override {
    dono.resize(600, 400);
    g->setParent(&dono);
    g->setGeometry(0, 0, 600, 400);
    for (int c = 0; c <= Colunas; ++c) g->SetCellText(0, c, QStringLiteral("V%1").arg(c));
    for (int r = 1; r <= Linhas; ++r)
      for (int c = 0; c <= Colunas; ++c) g->SetCellText(r, c, c == 0 ? QString::number(r) : Texto(r, c));
    dono.show();
    QApplication::setActiveWindow(&dono);
    g->setFocus();
    QApplication::processEvents();
    // The user starts on the first data cell.
    QRect r;
    ASSERT_TRUE(g->GetCellRect(1, 1, &r));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    ASSERT_EQ(g->GetFocusCell(), CCellID(1, 1));
  }
  // A key typed on the grid and the repaint it causes; the seconds taken.
  double Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    const auto t0 = std::chrono::steady_clock::now();
    QTest::keyClick(g, k, m);
    QApplication::processEvents();
    return Segundos(t0);
  }
  // The data cells (not the headings) whose text is not what `esperado` gives.
  int Diferentes(const std::function<QString(int, int)>& esperado) {
    int n = 0;
    for (int r = 1; r <= Linhas; ++r)
      for (int c = 1; c <= Colunas; ++c) n += g->GetCellText(r, c) != esperado(r, c);
    return n;
  }
  bool CabecalhosIntactos() {
    return g->GetCellText(0, Colunas) == QStringLiteral("V%1").arg(Colunas) && g->GetCellText(Linhas, 0) == QString::number(Linhas);
  }
};

TEST_F(GradeGrande, CtrlADeleteClearsEveryCellAtOnce) {
  EXPECT_LT(Tecla(Qt::Key_A, Qt::ControlModifier), 10.0);
  dono.inicios = dono.fins = 0;
  EXPECT_LT(Tecla(Qt::Key_Delete), 10.0);
  EXPECT_EQ(Diferentes([](int, int) { return QString(); }), 0);
  EXPECT_TRUE(CabecalhosIntactos());
  // Each cell went through the edit notifications, as one typed over would.
  EXPECT_EQ(dono.inicios, Linhas * Colunas);
  EXPECT_EQ(dono.fins, Linhas * Colunas);
}

TEST_F(GradeGrande, CtrlXCutsEverythingAndCtrlVPutsItBack) {
  QStringList linhas;
  for (int r = 1; r <= Linhas; ++r) {
    QStringList campos;
    for (int c = 1; c <= Colunas; ++c) campos << Texto(r, c);
    linhas << campos.join(QLatin1Char('\t'));
  }
  const QString esperado = linhas.join(QStringLiteral("\r\n"));

  Tecla(Qt::Key_A, Qt::ControlModifier);
  EXPECT_LT(Tecla(Qt::Key_X, Qt::ControlModifier), 10.0);
  EXPECT_EQ(QApplication::clipboard()->text(), esperado);
  EXPECT_EQ(Diferentes([](int, int) { return QString(); }), 0);

  EXPECT_LT(Tecla(Qt::Key_V, Qt::ControlModifier), 10.0);
  EXPECT_EQ(Diferentes(Texto), 0);
  EXPECT_TRUE(CabecalhosIntactos());
  EXPECT_EQ(g->GetSelectedCellRange(), CCellRange(1, 1, Linhas, Colunas));
}

TEST_F(GradeGrande, TypingOnTheLastRowWhileTheTopIsShownBringsItIntoView) {
  Tecla(Qt::Key_End, Qt::ControlModifier);
  ASSERT_EQ(g->GetFocusCell(), CCellID(Linhas, Colunas));
  QScrollBar* barra = g->verticalScrollBar();
  barra->triggerAction(QAbstractSlider::SliderToMinimum);
  g->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  QApplication::processEvents();
  ASSERT_EQ(barra->value(), 0);

  const auto t0 = std::chrono::steady_clock::now();
  QTest::keyClicks(g, QStringLiteral("7"));
  QApplication::processEvents();
  EXPECT_LT(Segundos(t0), 0.5);
  // The view went to the end, where the edit box opened over the last row.
  EXPECT_EQ(barra->value(), barra->maximum());
  QLineEdit* caixa = nullptr;
  for (QLineEdit* e : g->viewport()->findChildren<QLineEdit*>())
    if (e->isVisible()) caixa = e;
  ASSERT_NE(caixa, nullptr);
  EXPECT_EQ(caixa->text(), QStringLiteral("7"));
  EXPECT_TRUE(g->viewport()->rect().contains(caixa->geometry()));
}

}  // namespace
