// The report list's rows and cells: the item text format, reading and writing
// items, the display order, states, the colour table, virtual rows and the tree.
#include "RelatorioTeste.h"

#include <gtest/gtest.h>

#include <string>

using teste::Relatorio;

namespace {

const QString Vazio = QStringLiteral("(-1,-1,-1,-1,-1)|");

// ---- the item text format -----------------------------------------------------------

struct CasoCodigos {
  const char* nome;
  std::function<void(CListReportCtrl&, int item)> escreve;
  QString codigos;  // expected codes of the row
  int coluna;       // column read back
  quint32 mascara;  // mask read back (text asked)
  QString texto;    // text read back (null: none)
};

class Codigos : public ::testing::TestWithParam<CasoCodigos> {};

TEST_P(Codigos, WrittenCellsGiveTheirSegments) {
  const CasoCodigos& c = GetParam();
  Relatorio r(3);
  const int item = r->AppendRowWithText(QString());
  c.escreve(*r.ctrl, item);
  EXPECT_EQ(r->SubItemCodes(item), c.codigos);
  ReportItemInfo i;
  i.mask = ReportMask::Text;
  i.item = item;
  i.column = c.coluna;
  ASSERT_EQ(r->GetRowItem(i), 1);
  EXPECT_EQ(i.mask, c.mascara);
  EXPECT_EQ(i.text.isNull(), c.texto.isNull());
  EXPECT_EQ(i.text, c.texto);
}

ReportItemInfo Celula(int item, int coluna, quint32 mascara, const QString& texto = QString(), int imagem = -1) {
  ReportItemInfo i;
  i.item = item;
  i.column = coluna;
  i.mask = mascara;
  i.text = texto;
  i.image = imagem;
  return i;
}

INSTANTIATE_TEST_SUITE_P(
    CListReportCtrl, Codigos,
    ::testing::Values(
        CasoCodigos{"NewRowHasOneEmptySegmentPerColumn", [](CListReportCtrl& c, int i) {
                      c.SetItemText(i, 0, QString());  // no text stays no data
                    },
                    Vazio + Vazio + Vazio, 1, ReportMask::State | ReportMask::Data, QString()},
        CasoCodigos{"TotalWithImage2", [](CListReportCtrl& c, int i) {
                      c.SetRowItem(Celula(i, 1, ReportMask::Text | ReportMask::Image, QStringLiteral("Total"), 2));
                    },
                    Vazio + QStringLiteral("(2,-1,-1,-1,5)Total|") + Vazio, 1,
                    ReportMask::Text | ReportMask::Image | ReportMask::State | ReportMask::Data,
                    QStringLiteral("Total")},
        CasoCodigos{"TextOf300KeepsItsFirst255", [](CListReportCtrl& c, int i) {
                      c.SetItemText(i, 2, QString(300, QLatin1Char('x')));
                    },
                    Vazio + Vazio + QStringLiteral("(-1,-1,-1,-1,255)") + QString(255, QLatin1Char('x')) + "|", 2,
                    ReportMask::Text | ReportMask::State | ReportMask::Data, QString(255, QLatin1Char('x'))},
        CasoCodigos{"EmptyButPresentTextReadsBack", [](CListReportCtrl& c, int i) {
                      c.SetItemText(i, 0, QStringLiteral(""));
                    },
                    QStringLiteral("(-1,-1,-1,-1,0)|") + Vazio + Vazio, 0,
                    ReportMask::Text | ReportMask::State | ReportMask::Data, QStringLiteral("")},
        CasoCodigos{"CheckWithoutText", [](CListReportCtrl& c, int i) { c.SetItemCheck(i, 0, 1); },
                    QStringLiteral("(-1,-1,1,-1,-1)|") + Vazio + Vazio, 0,
                    ReportMask::Check | ReportMask::State | ReportMask::Data, QString()},
        // A separator typed into a text cannot shift the cells after it.
        CasoCodigos{"SeparatorInsideTextKeepsLaterCells", [](CListReportCtrl& c, int i) {
                      c.SetItemText(i, 0, QStringLiteral("a|b"));
                      c.SetItemText(i, 1, QStringLiteral("depois"));
                    },
                    QStringLiteral("(-1,-1,-1,-1,3)a|b|(-1,-1,-1,-1,6)depois|") + Vazio, 1,
                    ReportMask::Text | ReportMask::State | ReportMask::Data, QStringLiteral("depois")}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CListReportCtrl, EmptyCellReadsAsNothing) {
  Relatorio r(3);
  const int i = r->AppendRowWithText(QString());
  QString t = QStringLiteral("old");
  EXPECT_EQ(r->GetItemText(i, 1, t), 0);
  EXPECT_TRUE(t.isEmpty());
  EXPECT_EQ(r->GetItemImage(i, 1), -1);
  EXPECT_EQ(r->GetItemCheck(i, 1), -1);
  // Outside the rows or the columns the read fails.
  ReportItemInfo fora;
  fora.item = 5;
  EXPECT_EQ(r->GetRowItem(fora), 0);
  fora.item = i;
  fora.column = 3;
  EXPECT_EQ(r->GetRowItem(fora), 0);
}

TEST(CListReportCtrl, SmallBufferCutsTheText) {
  Relatorio r(1);
  const int i = r->AppendRowWithText(QStringLiteral("abcdef"));
  QString t;
  EXPECT_EQ(r->GetItemText(i, 0, t, 4), 3);
  EXPECT_EQ(t, QStringLiteral("abc"));
}

// ---- rows and order ---------------------------------------------------------------

TEST(CListReportCtrl, InsertingAtZeroShiftsTheOrder) {
  Relatorio r(1);
  for (int k = 0; k < 3; ++k) r->AppendRowWithText(QString::number(k));
  ASSERT_EQ(r->SetRowOrder({2, 0, 1}), 1);
  EXPECT_EQ(r->AddRowWithText(0, QStringLiteral("novo")), 0);
  EXPECT_EQ(r->RowOrder(), (QVector<int>{0, 3, 1, 2}));
  EXPECT_EQ(r->DisplayPositionOfRow(3), 1);
  EXPECT_EQ(r->ItemText(3, 0), QStringLiteral("2"));
  // An order of another length is refused.
  EXPECT_EQ(r->SetRowOrder({0, 1}), 0);
}

TEST(CListReportCtrl, DeletingNotifiesAndCloses) {
  Relatorio r(1);
  for (int k = 0; k < 4; ++k) r.Linha({QString::number(k)}, 10 + k);
  ASSERT_EQ(r->SetRowOrder({3, 2, 1, 0}), 1);
  r->SelectRow(2, false);
  EXPECT_EQ(r->DeleteRow(1), 1);
  auto apagados = r.gravador->DoCodigo(ReportCode::DeleteItem);
  ASSERT_EQ(apagados.size(), 1u);
  EXPECT_EQ(apagados[0].item, 1);
  EXPECT_EQ(apagados[0].data, 11);
  EXPECT_EQ(apagados[0].column, 0);
  EXPECT_EQ(r->RowOrder(), (QVector<int>{2, 1, 0}));
  EXPECT_EQ(r->SelectedItems(), QVector<int>{1});  // item 2 is now item 1
  EXPECT_EQ(r->RowCount(), 3);
  EXPECT_EQ(r->DeleteRow(-1), 0);
  EXPECT_EQ(r->ClearRows(), 1);
  EXPECT_EQ(r.gravador->DoCodigo(ReportCode::DeleteItem).size(), 4u);
  EXPECT_EQ(r->RowCount(), 0);
}

TEST(CListReportCtrl, MovingRowsCarriesTheFocus) {
  Relatorio r(1);
  for (int k = 0; k < 3; ++k) r->AppendRowWithText(QString::number(k));
  r->SetFocusCell(1, -1);
  EXPECT_EQ(r->MoveRowUp(1), 1);
  EXPECT_EQ(r->RowOrder(), (QVector<int>{1, 0, 2}));
  int col = 0;
  EXPECT_EQ(r->GetFocusCell(col), 0);
  EXPECT_EQ(r->MoveRowUp(0), 0);
  EXPECT_EQ(r->MoveRowDown(2), 0);
  EXPECT_EQ(r->MoveRowDown(0), 1);
  EXPECT_EQ(r->RowOrder(), (QVector<int>{0, 1, 2}));
}

TEST(CListReportCtrl, StateWritesKeepTheSelection) {
  Relatorio r(1);
  const int i = r->AppendRowWithText(QStringLiteral("a"));
  r->SelectRow(i, false);
  ReportItemInfo s;
  s.item = i;
  s.column = -1;
  s.mask = ReportMask::State;
  s.state = ReportState::Bold;
  r->SetRowItem(s);
  EXPECT_EQ(r->GetItemState(0) & (ReportState::Bold | ReportState::Selected),
            ReportState::Bold | ReportState::Selected);
  s.state = 0;
  r->SetRowItem(s);
  EXPECT_EQ(r->GetItemState(0) & (ReportState::Bold | ReportState::Selected), ReportState::Selected);
}

TEST(CListReportCtrl, AppendRowCopyTakesTheInsertRowTexts) {
  Relatorio r(2, ReportStyle::InsertRow);
  r->SetItemText(-1, 0, QStringLiteral("x"));
  r->SetItemText(-1, 1, QStringLiteral("y"));
  const int i = r->AppendRowCopy();
  EXPECT_EQ(r->ItemText(i, 0), QStringLiteral("x"));
  EXPECT_EQ(r->ItemText(i, 1), QStringLiteral("y"));
}

// ---- colour table -------------------------------------------------------------------

TEST(CListReportCtrl, ColourTableFillsGapsWithBlack) {
  Relatorio r(1);
  EXPECT_EQ(r->AddColour(2, qRgb(255, 0, 0)), 2);
  EXPECT_EQ(r->ColourCount(), 3);
  EXPECT_EQ(r->GetColour(0), qRgb(0, 0, 0));
  EXPECT_EQ(r->GetColour(2), qRgb(255, 0, 0));
  EXPECT_EQ(r->AddColour(0, qRgb(1, 2, 3)), 0);
  EXPECT_EQ(r->GetColour(3), qRgb(255, 0, 0));
  EXPECT_EQ(r->SetColour(4, 0), 0);
  EXPECT_EQ(r->RemoveColour(9), 0);
  EXPECT_EQ(r->RemoveColour(0), 1);
  EXPECT_EQ(r->AddColour(-1, 0), -1);
}

// ---- separator setting ----------------------------------------------------------------

TEST(CListReportCtrl, SeparatorChangesOnlyWithoutStoredRows) {
  {
    Relatorio r(2);
    r->AppendRowWithText(QStringLiteral("a"));
    EXPECT_EQ(r->SetProperty(8, qintptr(';')), 0);
  }
  Relatorio r(2);
  ASSERT_EQ(r->SetProperty(8, qintptr(';')), 1);
  const int i = r->AppendRowWithText(QStringLiteral("a"));
  EXPECT_EQ(r->SubItemCodes(i), QStringLiteral("(-1,-1,-1,-1,1)a;(-1,-1,-1,-1,-1);"));
  r->ClearRows();
  ASSERT_EQ(r->SetProperty(8, qintptr('|')), 1);
}

// ---- virtual rows --------------------------------------------------------------------

struct VirtualLista : ::testing::Test {
  Relatorio r{3, ReportStyle::Virtual};
  int pedidos = 0;
  void SetUp() override {
    r.gravador->resposta = [this](ReportNmHdr& h) -> long {
      if (h.code != ReportCode::GetItem) return 0;
      ++pedidos;
      auto& q = static_cast<ReportItemRequest&>(h);
      q.info.text = QStringLiteral("r%1c%2").arg(q.info.item).arg(q.info.column);
      q.info.mask |= ReportMask::Text | ReportMask::Background;
      q.info.background = 0;
      return 1;
    };
    r->SetVirtualRowCount(300);
  }
};

TEST_F(VirtualLista, RowsComeFromRequestsThroughTheCache) {
  EXPECT_EQ(r->ItemText(200, 1), QStringLiteral("r200c1"));
  const int antes = pedidos;
  EXPECT_EQ(r->ItemText(200, 1), QStringLiteral("r200c1"));
  EXPECT_EQ(pedidos, antes);  // cached
  EXPECT_EQ(r->ItemText(200, 2), QStringLiteral("r200c2"));
  EXPECT_EQ(pedidos, antes + 1);  // another column of the cached row
  EXPECT_EQ(r->ItemText(72, 1), QStringLiteral("r72c1"));  // same cache entry, another row
  EXPECT_EQ(r->ItemText(200, 1), QStringLiteral("r200c1"));
  ReportItemInfo i;
  i.item = 5;
  i.column = 0;
  ASSERT_EQ(r->GetRowItem(i), 1);
  EXPECT_EQ(i.background, 0);
  EXPECT_EQ(r->ItemOfDisplayRow(250), 250);
  EXPECT_EQ(r->DisplayPositionOfRow(250), 250);
}

TEST_F(VirtualLista, WritingAndInsertingAreRefused) {
  EXPECT_EQ(r->AddRowWithText(0, QStringLiteral("x")), -2);
  EXPECT_EQ(r->SetItemText(0, 0, QStringLiteral("x")), 0);
  EXPECT_EQ(r->DeleteRow(0), -2);
  EXPECT_EQ(r->ClearRows(), 0);
  EXPECT_EQ(r->SetRowOrder({}), 0);
}

TEST_F(VirtualLista, CachingOffRequestsEveryRead) {
  ASSERT_EQ(r->SetProperty(7, 0), 1);
  r->ItemText(3, 0);
  const int antes = pedidos;
  r->ItemText(3, 0);
  EXPECT_EQ(pedidos, antes + 1);
}

TEST_F(VirtualLista, ShrinkingTheCountDropsSelectionAndFocus) {
  r->SelectItems(250, 260, true, false, false, false);
  r->SetVirtualRowCount(255);
  for (int s : r->SelectedItems()) EXPECT_LT(s, 255);
  int col = 0;
  EXPECT_EQ(r->GetFocusCell(col), 250);
  r->SetVirtualRowCount(100);
  EXPECT_EQ(r->GetFocusCell(col), 99);
  EXPECT_EQ(r->ItemText(150, 0), QString());  // past the count
}

// ---- tree ------------------------------------------------------------------------------

TEST(CListReportCtrl, TreeNodesNeedTheEditBit) {
  Relatorio r(1, ReportStyle::Tree);
  EXPECT_EQ(r->InsertNodeWithText(QStringLiteral("a"), -1, -1, -1, CListReportCtrl::TreeRoot,
                                  CListReportCtrl::TreeLast),
            nullptr);
  EXPECT_EQ(r->AddRowWithText(0, QStringLiteral("x")), -2);
}

TEST(CListReportCtrl, TreeKeepsOrderLevelsAndFocus) {
  Relatorio r(1, ReportStyle::TreeEdit);
  auto* raiz = CListReportCtrl::TreeRoot;
  auto* b = r->InsertNodeWithText(QStringLiteral("b"), -1, -1, -1, raiz, CListReportCtrl::TreeLast);
  auto* a = r->InsertNodeWithText(QStringLiteral("a"), -1, -1, -1, raiz, CListReportCtrl::TreeSorted);
  auto* c = r->InsertNodeWithText(QStringLiteral("c"), -1, -1, -1, raiz, b);
  auto* b1 = r->InsertNodeWithText(QStringLiteral("b1"), -1, -1, -1, b, CListReportCtrl::TreeFirst);
  auto* b2 = r->InsertNodeWithText(QStringLiteral("b2"), -1, -1, -1, b, CListReportCtrl::TreeLast);
  ASSERT_TRUE(a && b && c && b1 && b2);
  // Collapsed nodes hide their children.
  auto textos = [&] {
    QStringList t;
    for (int l = 0; l < r->RowCount(); ++l) t << r->ItemText(r->ItemOfDisplayRow(l), 0);
    return t.join(QLatin1Char(','));
  };
  EXPECT_EQ(textos(), QStringLiteral("a,b,c"));
  EXPECT_EQ(r->GetItemState(1) & ReportState::Collapsed, ReportState::Collapsed);
  ASSERT_EQ(r->ExpandNode(b, 1), 1);
  EXPECT_EQ(textos(), QStringLiteral("a,b,b1,b2,c"));
  EXPECT_EQ(r->CountChildren(raiz, false), 3);
  EXPECT_EQ(r->CountChildren(raiz, true), 5);
  EXPECT_EQ(r->NextNode(b1, 0), b);
  EXPECT_EQ(r->NextNode(b1, 1), b2);
  EXPECT_EQ(r->NextNode(b2, 2), b1);
  EXPECT_EQ(r->NextNode(b1, 3), b);
  EXPECT_EQ(r->NextNode(a, 3), nullptr);
  EXPECT_EQ(r->NextNode(raiz, 4), a);
  // Copied text marks levels: indent text per level beyond the first, then the marker.
  r->SelectRow(b2->item, false);
  EXPECT_EQ(r->GetRowText(b2->item, QLatin1Char('\t')), QStringLiteral("   b2\n"));
  EXPECT_EQ(r->GetRowText(b->item, QLatin1Char('\t')), QStringLiteral("-b\n"));
  // Collapsing moves the focus to the node and drops the hidden selection.
  ASSERT_EQ(r->ExpandNode(b, 0), 1);
  int col = 0;
  EXPECT_EQ(r->ItemOfDisplayRow(r->GetFocusCell(col)), b->item);
  EXPECT_TRUE(r->SelectedItems().isEmpty());
  // Deleting the focused node gives the focus to its next sibling.
  r->FocusNode(b);
  const int antes = int(r.gravador->DoCodigo(ReportCode::DeleteItem).size());
  ASSERT_EQ(r->DeleteNode(b), 1);
  EXPECT_EQ(int(r.gravador->DoCodigo(ReportCode::DeleteItem).size()) - antes, 3);
  EXPECT_EQ(textos(), QStringLiteral("a,c"));
  EXPECT_EQ(r->ItemOfDisplayRow(r->GetFocusCell(col)), c->item);
  // Sorting descending reverses the top level.
  ASSERT_EQ(r->SortByColumn(0, false), 1);
  EXPECT_EQ(textos(), QStringLiteral("c,a"));
}

}  // namespace
