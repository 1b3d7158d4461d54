// The ruler: new tabs snap to the unit's step, a 33rd is refused, a tab dragged away goes.
#include "report/CDocChildFrame.h"
#include "report/CLaudoDoc.h"
#include "report/CLaudoView.h"
#include "report/CRulerBar.h"
#include "report/ModeloRelatorio.h"
#include "app/CTarsolinApp.h"
#include "app/UnidadesMedida.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class Regua : public ::testing::Test {
protected:
  void SetUp() override {
    CarregaUnidadesMedida();
    app_ = std::make_unique<CTarsolinApp>();
    app_->Opcoes().Units = 0;  // inches: drag step 90 twips
    doc_ = ModeloRelatorio::OpenDocumentFile();
    ASSERT_TRUE(doc_);
    moldura_ = ModeloRelatorio::Moldura(doc_);
    moldura_->resize(900, 500);
    moldura_->show();
    QApplication::processEvents();
    regua_ = moldura_->Regua();
    regua_->Atualiza();
  }
  void TearDown() override {
    doc_->SetModifiedFlag(false);
    delete moldura_;
    app_.reset();
  }
  // The ruler's x of a position in twips from the left margin (rounded up to a whole pixel).
  int X(int twips) const {
    const CLaudoView* v = moldura_->Vista();
    const int origem = regua_->mapFromGlobal(v->viewport()->mapToGlobal(QPoint(v->DeslocamentoTexto(), 0))).x();
    return origem + (twips * 96 + 1439) / 1440;
  }
  void Clica(int x, int y = 4 + 10) {
    QTest::mousePress(regua_, Qt::LeftButton, {}, QPoint(x, y));
    QTest::mouseRelease(regua_, Qt::LeftButton, {}, QPoint(x, y));
  }
  std::unique_ptr<CTarsolinApp> app_;
  CLaudoDoc* doc_ = nullptr;
  CDocChildFrame* moldura_ = nullptr;
  CRulerBar* regua_ = nullptr;
};

TEST_F(Regua, NewTabSnapsToTheUnitStep) {
  EXPECT_EQ(CRulerBar::Ajusta(1000, 90), 990);
  EXPECT_EQ(CRulerBar::Ajusta(1036, 90), 1080);
  EXPECT_EQ(CRulerBar::Ajusta(700, 142), 710);
  Clica(X(1000));
  EXPECT_EQ(regua_->Tabs(), std::vector<int>{990});
  EXPECT_EQ(moldura_->Vista()->FormatoParagrafoSelecao().tabs, std::vector<int>{990});
}

TEST_F(Regua, AThirtyThirdTabIsRefused) {
  FormatoParagrafo f;
  f.mascara = FormatoParagrafo::Tabulacoes;
  for (int i = 1; i <= 32; ++i) f.tabs.push_back(i * 180);
  moldura_->Vista()->AplicaFormatoParagrafo(f);
  regua_->Atualiza();
  ASSERT_EQ(regua_->Tabs().size(), 32u);
  Clica(X(8000));
  EXPECT_EQ(moldura_->Vista()->FormatoParagrafoSelecao().tabs, f.tabs);
}

TEST_F(Regua, TabDraggedOffTheRulerIsRemovedAndIndentsFollowTheMarkers) {
  Clica(X(1440));
  ASSERT_EQ(regua_->Tabs(), std::vector<int>{1440});
  const QPoint sobre(X(1440) + 1, 4 + 10);
  QTest::mousePress(regua_, Qt::LeftButton, {}, sobre);
  QTest::mouseMove(regua_, QPoint(sobre.x(), 60));
  QTest::mouseRelease(regua_, Qt::LeftButton, {}, QPoint(sobre.x(), 60));
  EXPECT_TRUE(moldura_->Vista()->FormatoParagrafoSelecao().tabs.empty());
  // The first-line marker dragged to half an inch: start indent 720, the other lines stay at 0.
  QTest::mousePress(regua_, Qt::LeftButton, {}, QPoint(X(0), 4 + 1));
  QTest::mouseMove(regua_, QPoint(X(720), 4 + 1));
  QTest::mouseRelease(regua_, Qt::LeftButton, {}, QPoint(X(720), 4 + 1));
  const FormatoParagrafo p = moldura_->Vista()->FormatoParagrafoSelecao();
  EXPECT_EQ(p.inicio, 720);
  EXPECT_EQ(p.deslocamento, -720);
}

}  // namespace
