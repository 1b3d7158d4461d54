// The property grid: categories and items, values set by the program without
// notifications, user edits with one, the spin item "Dado no." and the slider
// item "Desvio".
#include "controls/CCustomItemSlider.h"
#include "controls/CCustomItemSpin.h"
#include "controls/PropertyGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Grade : ::testing::Test {
  PropertyGrid g;
  QStringList mudancas;  // "caption=value" per notification
  void SetUp() override {
    g.resize(300, 300);
    QObject::connect(&g, &PropertyGrid::valueChanged, &g,
                     [this](PropertyGridItem* i) { mudancas << i->GetCaption() + "=" + i->GetValue(); });
    g.show();
    g.activateWindow();
    QApplication::setActiveWindow(&g);
  }
};

TEST_F(Grade, ProgramValuesDoNotNotify) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Dados e Variáveis"));
  PropertyGridItem* i = cat->AddChildItem(new PropertyGridItem(QStringLiteral("Dados "), QStringLiteral("aaa")));
  PropertyGridItem* rho = cat->AddChildItem(new PropertyGridItem(QStringLiteral("rho")));
  rho->AddChildItem(new PropertyGridItem(QStringLiteral("t. rho")));
  cat->Expand();
  rho->Expand();
  i->SetValue(QStringLiteral("120 "));
  EXPECT_TRUE(mudancas.isEmpty());
  EXPECT_EQ(g.FindItem(QStringLiteral("t. rho"))->ParentItem(), rho);
  EXPECT_TRUE(cat->IsCategory());
  EXPECT_EQ(i->text(1), QStringLiteral("120 "));
  g.ResetContent();
  EXPECT_EQ(g.topLevelItemCount(), 0);
  EXPECT_EQ(g.FindItem(QStringLiteral("rho")), nullptr);
}

TEST_F(Grade, TypedValueNotifiesOnceReadOnlyRefuses) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Campo Arbítrio"));
  PropertyGridItem* adotado = cat->AddChildItem(new PropertyGridItem(QStringLiteral("Adotado")));
  PropertyGridItem* minimo = cat->AddChildItem(new PropertyGridItem(QStringLiteral("Mínimo RL (-15%)")));
  minimo->SetReadOnly(true);
  cat->Expand();
  adotado->Select();
  g.editItem(adotado, 1);
  auto* ed = g.viewport()->findChild<QLineEdit*>(QStringLiteral("PropertyGridEdit"));
  ASSERT_NE(ed, nullptr);
  ed->setText(QStringLiteral("1.234,00"));
  QTest::keyClick(ed, Qt::Key_Return);
  QApplication::processEvents();  // the view commits after the key
  EXPECT_EQ(mudancas, QStringList{QStringLiteral("Adotado=1.234,00")});
  // Double-clicking the caption edits the value too; a read-only item never.
  g.setCurrentItem(minimo, 0);
  EXPECT_FALSE(g.IsEditing());
  const QRect r = g.visualItemRect(minimo);
  QTest::mouseDClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  EXPECT_FALSE(g.IsEditing());
}

TEST_F(Grade, DropDownChoiceNotifiesWithItsIndex) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Coeficientes"));
  PropertyGridItem* c = cat->AddChildItem(new PropertyGridItem(QStringLiteral("Correlação")));
  c->SetFlags(PropertyGridItem::HasComboButton);
  c->GetConstraints() << QStringLiteral("1 - 0,9000 / 0,8000") << QStringLiteral("2 - 0,8500 / 0,7000");
  c->SetValue(c->GetConstraints()[0]);
  c->SetConstraintIndex(0);
  cat->Expand();
  c->Select();
  g.editItem(c, 1);
  auto* combo = g.viewport()->findChild<QComboBox*>(QStringLiteral("PropertyGridCombo"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentIndex(), 0);
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  QApplication::processEvents();
  EXPECT_EQ(mudancas, QStringList{QStringLiteral("Correlação=2 - 0,8500 / 0,7000")});
  EXPECT_EQ(c->GetConstraintIndex(), 1);
}

struct CasoSpin {
  int superior;
  QString inicial;
  int passo;
  QString final_;
  bool notifica;
};

TEST_F(Grade, SpinStaysWithinItsRange) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Id. dado"));
  auto* spin = static_cast<CCustomItemSpin*>(cat->AddChildItem(new CCustomItemSpin(QStringLiteral("Dado no."), 5)));
  cat->Expand();
  const CasoSpin casos[] = {
      {5, QStringLiteral("00004"), 1, QStringLiteral("5"), true},
      {5, QStringLiteral("5"), 1, QStringLiteral("5"), false},      // at N
      {5, QStringLiteral("00000"), -1, QStringLiteral("0"), true},  // the text becomes "%i" of 0
      {5, QStringLiteral("0"), -1, QStringLiteral("0"), false},     // at 0
      {64000, QStringLiteral("40000"), 1, QStringLiteral("40001"), true},  // past 16 bits
      {64000, QStringLiteral("64000"), 1, QStringLiteral("64000"), false},
  };
  for (const CasoSpin& c : casos) {
    spin->SetRange(0, c.superior);
    spin->SetValue(c.inicial);
    mudancas.clear();
    spin->Step(c.passo);
    EXPECT_EQ(spin->GetValue(), c.final_) << c.inicial.toStdString();
    EXPECT_EQ(mudancas.size(), c.notifica ? 1 : 0) << c.inicial.toStdString();
  }
}

TEST_F(Grade, SpinButtonAppearsOnSelectionAndSteps) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Id. dado"));
  auto* spin = static_cast<CCustomItemSpin*>(cat->AddChildItem(new CCustomItemSpin(QStringLiteral("Dado no."), 3)));
  spin->SetValue(QStringLiteral("00002"));
  cat->Expand();
  EXPECT_EQ(spin->Button(), nullptr);
  spin->Select();
  ASSERT_NE(spin->Button(), nullptr);
  EXPECT_TRUE(spin->Button()->isVisible());
  const QRect valor = spin->PropertyGridItem::GetValueRect();
  EXPECT_EQ(spin->Button()->geometry().right(), valor.right());
  EXPECT_EQ(spin->Button()->width(), 15);
  EXPECT_EQ(spin->GetValueRect().right(), valor.right() - 17);
  QTest::mouseClick(spin->Button(), Qt::LeftButton, Qt::NoModifier, QPoint(7, 2));
  QTest::mouseClick(spin->Button(), Qt::LeftButton, Qt::NoModifier, QPoint(7, 2));
  EXPECT_EQ(spin->GetValue(), QStringLiteral("3"));
  EXPECT_EQ(mudancas, QStringList{QStringLiteral("Dado no.=3")});
  QTest::mouseClick(spin->Button(), Qt::LeftButton, Qt::NoModifier, QPoint(7, spin->Button()->height() - 2));
  EXPECT_EQ(spin->GetValue(), QStringLiteral("2"));
  cat->setSelected(true);
  g.setCurrentItem(cat);
  EXPECT_FALSE(spin->Button()->isVisible());
}

TEST_F(Grade, SliderReportsEachNewValueOnce) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Campo Arbítrio"));
  auto* desvio = static_cast<CCustomItemSlider*>(
      cat->AddChildItem(new CCustomItemSlider(QStringLiteral("Desvio"), -15, 15)));
  desvio->SetValue(QStringLiteral("0"));
  cat->Expand();
  desvio->Select();
  CInplaceSlider* s = desvio->Slider();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->minimum(), -15);
  EXPECT_EQ(s->maximum(), 15);
  EXPECT_EQ(s->value(), 0);
  EXPECT_TRUE(mudancas.isEmpty());  // showing it reports nothing
  // Room for the number left of the bar.
  const int xxx = g.fontMetrics().horizontalAdvance(QStringLiteral("XXX"));
  EXPECT_EQ(s->geometry().left(), desvio->GetValueRect().left() + xxx + 2);
  for (int k = 0; k < 10; ++k) {
    s->setSliderDown(true);
    s->setSliderPosition(s->sliderPosition() + 1);
    s->setSliderPosition(s->sliderPosition());  // the same position again reports nothing
  }
  s->setSliderDown(false);
  QStringList esperado;
  for (int k = 1; k <= 10; ++k) esperado << QStringLiteral("Desvio=%1").arg(k);
  EXPECT_EQ(mudancas, esperado);
  EXPECT_EQ(desvio->GetNumber(), 10);
}

TEST_F(Grade, NarrowValueColumnShowsNoSlider) {
  PropertyGridItem* cat = g.AddCategory(QStringLiteral("Campo Arbítrio"));
  auto* desvio = static_cast<CCustomItemSlider*>(
      cat->AddChildItem(new CCustomItemSlider(QStringLiteral("Desvio"), -15, 15)));
  cat->Expand();
  const int xxx = g.fontMetrics().horizontalAdvance(QStringLiteral("XXX"));
  g.header()->setStretchLastSection(false);
  g.header()->resizeSection(1, xxx + 2);
  desvio->Select();
  EXPECT_EQ(desvio->Slider(), nullptr);
}

}  // namespace

namespace {

// A grid with its tool bar, items and a selected item, destroyed as its
// window closes: nothing the tree signals while it clears itself reaches the
// grid (the sanitizer build stops on any call into it).
TEST(GradeDestruida, FechaSemChamarAGradeDesfeita) {
  QWidget janela;
  auto* g = new PropertyGrid(&janela);
  g->ShowToolBar(true);
  PropertyGridItem* cat = g->AddCategory(QStringLiteral("Geral"));
  PropertyGridItem* a = cat->AddChildItem(new PropertyGridItem(QStringLiteral("Nome"), QStringLiteral("x")));
  cat->AddChildItem(new PropertyGridItem(QStringLiteral("Valor"), QStringLiteral("1")));
  cat->Expand();
  janela.resize(300, 300);
  janela.show();
  g->setCurrentItem(a, 1);
  QSignalSpy destruida(g, &QObject::destroyed);
  EXPECT_TRUE(g->AcaoOrdenacao(PropertyGrid::PorCategoria)->isEnabled());
  delete g;
  EXPECT_EQ(destruida.count(), 1);
}

}  // namespace
