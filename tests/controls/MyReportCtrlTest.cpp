// The main view's list draws column 7 and the dependent variable's row in bold.
#include "RelatorioTeste.h"
#include "controls/CListReportView.h"
#include "controls/CMyReportCtrl.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Dark pixels of a cell's text part: bold text has more of them.
int Tinta(CListReportCtrl& c, int item, int coluna) {
  QRect r;
  EXPECT_TRUE(c.GetCellRect(item, coluna, r, 3));
  const QImage img = c.grab().toImage();
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qGray(img.pixel(x, y)) < 100;
  return n;
}

TEST(CMyReportCtrl, ColumnSevenAndTheLastVariableAreBold) {
  // A model of three variables, the last one the dependent.
  QTemporaryDir dir;
  CabecalhoModelo cab;
  cab.Zera();
  std::memcpy(cab.bytes, "Tarsolin 155", 12);
  std::memcpy(cab.bytes + 12, "09664", 5);
  cab.SetI32(CabecalhoModelo::OffNumVariaveis, 3);
  cab.SetI32(CabecalhoModelo::OffDependente, 2);
  const QString caminho = dir.filePath(QStringLiteral("m.tsn"));
  NEWMAT::Matrix w;
  ASSERT_TRUE(GravaArquivoModelo(caminho, &cab, nullptr, nullptr, w));
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));

  teste::Relatorio r(8, 0, QSize(900, 200), true, new CMyReportCtrl);
  auto* meu = static_cast<CMyReportCtrl*>(r.ctrl.get());
  for (int c = 0; c < 8; ++c) r->SetWidthOfColumn(c, 110);
  meu->SetDocumento(&doc);
  for (int v = 0; v < 3; ++v) {
    const int i = r->AppendRowWithText(QStringLiteral("Variavel"));
    for (int c = 1; c < 8; ++c) r->SetItemText(i, c, QStringLiteral("Variavel"));
  }
  r->clearFocus();
  const int normal = Tinta(*r.ctrl, 0, 6);
  EXPECT_GT(Tinta(*r.ctrl, 0, 7), normal + 5);
  EXPECT_GT(Tinta(*r.ctrl, 2, 0), normal + 5);
  EXPECT_GT(Tinta(*r.ctrl, 2, 6), normal + 5);
  EXPECT_EQ(Tinta(*r.ctrl, 1, 6), normal);
  EXPECT_TRUE(meu->CelulaNegrito(2, 3));
  EXPECT_FALSE(meu->CelulaNegrito(1, 3));
  // Without a document only column 7 is bold.
  meu->SetDocumento(nullptr);
  EXPECT_FALSE(meu->CelulaNegrito(2, 3));
}

// A view over its own list sizes and focuses it; a plain view creates its
// embedded list with its style word.
struct VistaPropria : CListReportView {
  CMyReportCtrl lista;
  CListReportCtrl* GetReportCtrl() override { return &lista; }
  void OnInitialUpdate() override {
    CListReportView::OnInitialUpdate();
    lista.Create(0x50012100, rect(), this, 100);
  }
};

struct VistaComEstilo : CListReportView {
  void PreCreateWindow(quint32& estilo) override { estilo |= ReportStyle::ColumnRemoval | ReportStyle::LabelTips; }
};

TEST(CListReportView, CreatesOrManagesItsList) {
  VistaComEstilo v;
  v.resize(300, 200);
  v.show();
  v.OnInitialUpdate();
  ASSERT_TRUE(v.IsInitialized());
  CListReportCtrl* c = v.GetReportCtrl();
  EXPECT_EQ(c->parentWidget(), &v);
  EXPECT_EQ(c->GetControlStyle() & 0xFFFF, quint32(ReportStyle::ColumnRemoval | ReportStyle::LabelTips));
  EXPECT_EQ(c->geometry(), v.rect());
  v.resize(320, 240);
  EXPECT_EQ(c->geometry(), QRect(0, 0, 320, 240));

  VistaPropria p;
  p.resize(200, 100);
  p.show();
  p.OnInitialUpdate();
  EXPECT_EQ(p.lista.parentWidget(), &p);
  EXPECT_EQ(p.lista.Id(), 100);
  p.resize(250, 120);
  EXPECT_EQ(p.lista.geometry(), QRect(0, 0, 250, 120));
}

}  // namespace
