// How the report list answers the user: selection with its notifications, the
// keyboard, in-place editing, sorting, pattern selection, search and copying.
#include "RelatorioTeste.h"
#include "controls/CListReportComboCtrl.h"
#include "controls/CListReportEditCtrl.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <string>

using teste::Relatorio;

namespace {

QStringList Textos(Relatorio& r, int coluna = 0) {
  QStringList t;
  for (int l = 0; l < r->RowCount(); ++l) t << r->ItemText(r->ItemOfDisplayRow(l), coluna);
  return t;
}

// ---- selection ------------------------------------------------------------------

TEST(CListReportCtrl, CtrlClickOnASelectedRowDeselectsIt) {
  Relatorio r(2);
  for (int k = 0; k < 3; ++k) r.Linha({QString::number(k)});
  teste::Clica(r.ctrl.get(), r.Celula(1, 0));
  r.gravador->avisos.clear();
  teste::Clica(r.ctrl.get(), r.Celula(1, 0), Qt::ControlModifier);
  const auto antes = r.gravador->DoCodigo(ReportCode::SelectChanging);
  const auto depois = r.gravador->DoCodigo(ReportCode::SelectChanged);
  ASSERT_EQ(antes.size(), 1u);
  ASSERT_EQ(depois.size(), 1u);
  EXPECT_EQ(antes[0].item, 1);
  EXPECT_EQ(antes[0].state & ReportState::Selected, 0u);
  EXPECT_EQ(depois[0].state & ReportState::Selected, 0u);
  EXPECT_TRUE(r->SelectedItems().isEmpty());
}

TEST(CListReportCtrl, ShiftClickSelectsARangeOrOneRowWithSingleSelection) {
  for (const bool unica : {false, true}) {
    Relatorio r(1, unica ? ReportStyle::SingleSelect : 0);
    for (int k = 0; k < 5; ++k) r.Linha({QString::number(k)});
    teste::Clica(r.ctrl.get(), r.Celula(1, 0));
    teste::Clica(r.ctrl.get(), r.Celula(3, 0), Qt::ShiftModifier);
    QVector<int> s = r->SelectedItems();
    std::sort(s.begin(), s.end());
    EXPECT_EQ(s, unica ? QVector<int>{3} : (QVector<int>{1, 2, 3})) << unica;
  }
}

TEST(CListReportCtrl, RefusedSelectionChangeLeavesTheRow) {
  Relatorio r(1);
  for (int k = 0; k < 3; ++k) r.Linha({QString::number(k)});
  teste::Clica(r.ctrl.get(), r.Celula(0, 0));
  // The owner refuses every change of row 0.
  r.gravador->resposta = [](ReportNmHdr& h) -> long {
    return h.code == ReportCode::SelectChanging && static_cast<ReportNotifyInfo&>(h).item == 0 ? 1 : 0;
  };
  teste::Clica(r.ctrl.get(), r.Celula(2, 0));
  QVector<int> s = r->SelectedItems();
  std::sort(s.begin(), s.end());
  EXPECT_EQ(s, (QVector<int>{0, 2}));
  EXPECT_TRUE(r->GetItemState(0) & ReportState::Selected);
}

TEST(CListReportCtrl, KeyboardMovesTheSelection) {
  Relatorio r(1);
  for (int k = 0; k < 5; ++k) r.Linha({QString::number(k)});
  teste::Clica(r.ctrl.get(), r.Celula(1, 0));
  teste::Tecla(r.ctrl.get(), Qt::Key_Down);
  EXPECT_EQ(r->SelectedItems(), QVector<int>{2});
  teste::Tecla(r.ctrl.get(), Qt::Key_Down, QString(), Qt::ShiftModifier);
  QVector<int> s = r->SelectedItems();
  std::sort(s.begin(), s.end());
  EXPECT_EQ(s, (QVector<int>{2, 3}));
  teste::Tecla(r.ctrl.get(), Qt::Key_End);
  EXPECT_EQ(r->SelectedItems(), QVector<int>{4});
  teste::Tecla(r.ctrl.get(), Qt::Key_Home);
  EXPECT_EQ(r->SelectedItems(), QVector<int>{0});
  teste::Tecla(r.ctrl.get(), Qt::Key_Up);  // no band: stays
  EXPECT_EQ(r->SelectedItems(), QVector<int>{0});
  // Space with Ctrl toggles the focused row.
  teste::Tecla(r.ctrl.get(), Qt::Key_Space, QStringLiteral(" "), Qt::ControlModifier);
  EXPECT_TRUE(r->SelectedItems().isEmpty());
  // An owner answering the key leaves it to the default handling.
  r.gravador->resposta = [](ReportNmHdr& h) { return h.code == ReportCode::KeyDown ? 1L : 0L; };
  teste::Tecla(r.ctrl.get(), Qt::Key_Down);
  int col = 0;
  EXPECT_EQ(r->GetFocusCell(col), 0);
  const auto teclas = r.gravador->DoCodigo(ReportCode::KeyDown);
  ASSERT_FALSE(teclas.empty());
  EXPECT_EQ(teclas.back().key, 40);
}

TEST(CListReportCtrl, SelectAllInvertAndData) {
  Relatorio r(1);
  for (int k = 0; k < 4; ++k) r.Linha({QString::number(k)}, k * 10);
  r->SelectAll();
  EXPECT_EQ(r->SelectedItems().size(), 4);
  r->InvertSelection();
  EXPECT_TRUE(r->SelectedItems().isEmpty());
  r->SelectByData(0, 15, false);
  QVector<int> s = r->SelectedItems();
  std::sort(s.begin(), s.end());
  EXPECT_EQ(s, (QVector<int>{0, 1}));
  EXPECT_EQ(r->FirstSelectedRow(), 0);
  EXPECT_EQ(r->NextSelectedRow(0), 1);
  EXPECT_EQ(r->NextSelectedRow(1), -2);
  int buf[1] = {-1};
  EXPECT_EQ(r->GetSelectedRows(buf, 1), 2);
  EXPECT_EQ(buf[0], 0);
  r->DeselectAll();
  EXPECT_EQ(r->FirstSelectedRow(), -2);
}

// ---- editing --------------------------------------------------------------------

struct EdicaoLista : ::testing::Test {
  Relatorio r{2, ReportStyle::CellFocus};
  void SetUp() override {
    r.Linha({QStringLiteral("abc"), QStringLiteral("def")});
    r.Linha({QStringLiteral("ghi")});  // column 1 without text
  }
  QLineEdit* Editor() { return qobject_cast<QLineEdit*>(r->Editor()); }
};

TEST_F(EdicaoLista, SecondClickOnTheFocusedCellEditsWithTheCaretAtTheEnd) {
  teste::Clica(r.ctrl.get(), r.Celula(0, 0));
  EXPECT_EQ(r->Editor(), nullptr);
  teste::Clica(r.ctrl.get(), r.Celula(0, 0));
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->text(), QStringLiteral("abc"));
  EXPECT_EQ(Editor()->cursorPosition(), 3);
  EXPECT_FALSE(Editor()->hasSelectedText());
  const auto inicio = r.gravador->DoCodigo(ReportCode::BeginEdit);
  ASSERT_EQ(inicio.size(), 1u);
  EXPECT_EQ(inicio[0].key, 1);
}

struct CasoTecla {
  const char* nome;
  int tecla;
  QString texto;
  bool edita;
  QString resultado;
};

class EdicaoPorTecla : public EdicaoLista, public ::testing::WithParamInterface<CasoTecla> {};

TEST_P(EdicaoPorTecla, TypedCharacterReplacesTheText) {
  const CasoTecla& c = GetParam();
  ASSERT_EQ(r->SetFocusCell(0, 0), 1);
  teste::Tecla(r.ctrl.get(), c.tecla, c.texto);
  ASSERT_EQ(Editor() != nullptr, c.edita);
  if (c.edita) {
    EXPECT_EQ(Editor()->text(), c.resultado);
  }
}

// Keys numbered 32-40 as characters are typed like any other (they used to be
// taken for navigation keys and lost).
INSTANTIATE_TEST_SUITE_P(CListReportCtrl, EdicaoPorTecla,
                         ::testing::Values(CasoTecla{"Digit", Qt::Key_7, QStringLiteral("7"), true, QStringLiteral("7")},
                                           CasoTecla{"OpenParenthesis", Qt::Key_ParenLeft, QStringLiteral("("), true,
                                                     QStringLiteral("(")},
                                           CasoTecla{"Exclamation", Qt::Key_Exclam, QStringLiteral("!"), true,
                                                     QStringLiteral("!")},
                                           CasoTecla{"Backspace", Qt::Key_Backspace, QStringLiteral("\b"), true,
                                                     QStringLiteral("ab")},
                                           CasoTecla{"SpaceSelectsInstead", Qt::Key_Space, QStringLiteral(" "), false,
                                                     QString()},
                                           CasoTecla{"CtrlLetterDoesNotEdit", Qt::Key_A, QString(), false, QString()}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(EdicaoLista, StartKeysPassedByTheOwner) {
  struct { int tecla; EditStart razao; QString texto; int cursor; bool selecao; } casos[] = {
      {13, EditStart::Key, QStringLiteral("abc"), 3, false},
      {8, EditStart::Key, QStringLiteral("ab"), 2, false},
      {9, EditStart::Key, QStringLiteral("abc"), 3, true},
      {37, EditStart::Key, QStringLiteral("abc"), 3, true},
      {113, EditStart::Key, QStringLiteral("abc"), 3, true},  // F2: a key, never typed
      {'%', EditStart::Character, QStringLiteral("%"), 1, false},
  };
  for (const auto& c : casos) {
    ASSERT_EQ(r->BeginEdit(0, 0, c.tecla, c.razao), 1) << c.tecla;
    EXPECT_EQ(Editor()->text(), c.texto) << c.tecla;
    EXPECT_EQ(Editor()->hasSelectedText(), c.selecao) << c.tecla;
    r->EndEdit(false);
    EXPECT_EQ(r->Editor(), nullptr);
  }
}

struct CasoFim {
  const char* nome;
  int tecla;  // 0: the focus goes elsewhere
  QString texto;
};

class FimEdicao : public EdicaoLista, public ::testing::WithParamInterface<CasoFim> {};

TEST_P(FimEdicao, EscapeKeepsTheOldTextOthersStore) {
  const CasoFim& c = GetParam();
  QLineEdit outro(r.ctrl.get());
  outro.move(0, 250);
  outro.show();
  ASSERT_EQ(r->BeginEdit(0, 1, 1, EditStart::Mouse), 1);
  Editor()->setText(QStringLiteral("novo"));
  if (c.tecla) teste::Tecla(Editor(), c.tecla);
  else outro.setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(r->Editor(), nullptr);
  EXPECT_EQ(r->ItemText(0, 1), c.texto);
  const auto fim = r.gravador->DoCodigo(ReportCode::EndEdit);
  ASSERT_EQ(fim.size(), 1u);
  EXPECT_EQ(fim[0].key, c.tecla ? (c.tecla == Qt::Key_Escape ? 27 : c.tecla == Qt::Key_Tab ? 9 : 13) : 13);
  EXPECT_EQ(fim[0].text, QStringLiteral("novo"));
}

INSTANTIATE_TEST_SUITE_P(CListReportCtrl, FimEdicao,
                         ::testing::Values(CasoFim{"Escape", Qt::Key_Escape, QStringLiteral("def")},
                                           CasoFim{"Enter", Qt::Key_Return, QStringLiteral("novo")},
                                           CasoFim{"Tab", Qt::Key_Tab, QStringLiteral("novo")},
                                           CasoFim{"FocusElsewhere", 0, QStringLiteral("novo")}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(EdicaoLista, OwnerCanRefuseStoring) {
  r.gravador->resposta = [](ReportNmHdr& h) { return h.code == ReportCode::EndEdit ? 1L : 0L; };
  ASSERT_EQ(r->BeginEdit(0, 0, 1, EditStart::Mouse), 1);
  Editor()->setText(QStringLiteral("zzz"));
  teste::Tecla(Editor(), Qt::Key_Return);
  EXPECT_EQ(r->ItemText(0, 0), QStringLiteral("abc"));
}

TEST_F(EdicaoLista, ReadOnlyRowsAndCellsWithoutTextAreNotEdited) {
  EXPECT_EQ(r->BeginEdit(1, 1, 1, EditStart::Mouse), 0);  // no text
  ReportItemInfo s;
  s.item = 0;
  s.column = -1;
  s.mask = ReportMask::State;
  s.state = ReportState::ReadOnly;
  r->SetRowItem(s);
  EXPECT_EQ(r->BeginEdit(0, 0, 1, EditStart::Mouse), 0);
  EXPECT_EQ(r->BeginEdit(-2, 0, 1, EditStart::Mouse), 0);
  EXPECT_EQ(r->BeginEdit(-1, 0, 1, EditStart::Mouse), 0);  // no insert-row band
}

TEST_F(EdicaoLista, ButtonAsksTheOwnerForAText) {
  r.gravador->resposta = [](ReportNmHdr& h) -> long {
    if (h.code == ReportCode::BeginEdit) static_cast<ReportEditInfo&>(h).button = 1;
    if (h.code == ReportCode::EditButton) {
      static_cast<ReportEditInfo&>(h).text = QStringLiteral("escolhido");
      return 1;
    }
    return 0;
  };
  ASSERT_EQ(r->BeginEdit(0, 0, 1, EditStart::Mouse), 1);
  auto* ed = qobject_cast<CListReportEditCtrl*>(r->Editor());
  ASSERT_NE(ed, nullptr);
  ASSERT_TRUE(ed->HasButton());
  EXPECT_EQ(ed->Button()->text(), QStringLiteral("..."));
  ed->Button()->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(ed->text(), QStringLiteral("escolhido"));
  EXPECT_EQ(r->Editor(), ed);  // still editing
  teste::Tecla(ed, Qt::Key_Return);
  EXPECT_EQ(r->ItemText(0, 0), QStringLiteral("escolhido"));
}

TEST_F(EdicaoLista, OwnersEditorIsUsed) {
  r.gravador->resposta = [this](ReportNmHdr& h) -> long {
    if (h.code != ReportCode::BeginEdit) return 0;
    auto& e = static_cast<ReportEditInfo&>(h);
    auto* c = new CListReportComboCtrl(e.item, e.column, r.ctrl.get());
    c->addItems({QStringLiteral("um"), QStringLiteral("dois")});
    c->setGeometry(e.rect);
    e.editor = c;
    return 1;
  };
  ASSERT_EQ(r->BeginEdit(0, 0, 1, EditStart::Mouse), 1);
  auto* c = qobject_cast<CListReportComboCtrl*>(r->Editor());
  ASSERT_NE(c, nullptr);
  c->setCurrentIndex(1);
  teste::Tecla(c, Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_EQ(r->ItemText(0, 0), QStringLiteral("dois"));
}

// ---- sorting, patterns, search, copy -----------------------------------------------------

TEST(CListReportCtrl, SortingIsByteWiseAndEmptyCellsComeFirst) {
  Relatorio r(2);
  for (const char* t : {"b", "A", "a"}) r.Linha({QString::fromLatin1(t)});
  ASSERT_EQ(r->SortByColumn(0, true), 1);
  EXPECT_EQ(Textos(r), (QStringList{"A", "a", "b"}));
  r->SetItemText(0, 1, QStringLiteral("z"));
  ASSERT_EQ(r->SortByColumn(1, true), 1);
  EXPECT_EQ(Textos(r, 1).last(), QStringLiteral("z"));
  ASSERT_EQ(r->SortByColumn(1, false), 1);
  EXPECT_EQ(Textos(r, 1).first(), QStringLiteral("z"));
  r->HideColumn(1);
  EXPECT_EQ(r->SortByColumn(1, true), 0);
  // A compare callback decides alone.
  r->SetCompareCallback([](int a, int, int b, int, qintptr) { return b - a; }, 0);
  r->SortByColumn(0, true);
  EXPECT_EQ(r->RowOrder(), (QVector<int>{2, 1, 0}));
}

TEST(CListReportCtrl, CopyJoinsSelectedRowsWithTabsAndLineFeeds) {
  Relatorio r(3);
  r->HideColumn(1);
  r.Linha({QStringLiteral("x"), QStringLiteral("oculta"), QStringLiteral("y")});
  r.Linha({QStringLiteral("fora")});
  r.Linha({QStringLiteral("a\tb"), QString(), QStringLiteral("c")});
  r->SelectRows({2, 0}, false);
  r->CopySelectedRows();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("x\ty\na b\tc\n"));
}

struct CasoPadrao {
  const char* padrao;
  const char* texto;
  bool casa;
};

class Padrao : public ::testing::TestWithParam<CasoPadrao> {};

TEST_P(Padrao, MatchesAsTheListReadsIt) {
  const CasoPadrao& c = GetParam();
  EXPECT_EQ(CListReportCtrl::MatchesPattern(QString::fromLatin1(c.padrao), QString::fromLatin1(c.texto)), c.casa)
      << c.padrao << " / " << c.texto;
}

INSTANTIATE_TEST_SUITE_P(CListReportCtrl, Padrao,
                         ::testing::Values(CasoPadrao{"*ab", "xaby\n", true}, CasoPadrao{"ab*", "abc\n", true},
                                           CasoPadrao{"ab", "ab\n", false}, CasoPadrao{"AB*", "abc\n", true},
                                           CasoPadrao{"?b*", "ab\n", true}, CasoPadrao{"*b?d*", "abcd\n", true},
                                           CasoPadrao{"*x*", "abc\n", false}, CasoPadrao{"", "", true},
                                           CasoPadrao{"*", "", false}, CasoPadrao{"a?", "a", false}));

TEST(CListReportCtrl, SelectMatchingRows) {
  Relatorio r(1);
  for (const char* t : {"xaby", "abc", "ab"}) r.Linha({QString::fromLatin1(t)});
  r->SelectMatching(QLatin1Char('\t'), QStringLiteral("*ab"), false);
  QVector<int> s = r->SelectedItems();
  std::sort(s.begin(), s.end());
  EXPECT_EQ(s, (QVector<int>{0, 1, 2}));
  r->SelectMatching(QLatin1Char('\t'), QStringLiteral("ab*"), false);
  s = r->SelectedItems();
  std::sort(s.begin(), s.end());
  EXPECT_EQ(s, (QVector<int>{1, 2}));
}

TEST(CListReportCtrl, FindItemWalksRecordsWithWrap) {
  Relatorio r(1);
  for (const char* t : {"alfa", "beta", "alfabeto"}) r.Linha({QString::fromLatin1(t)}, 7);
  ReportFindInfo f;
  f.flags = ReportFind::Text;
  f.text = QStringLiteral("alfa");
  EXPECT_EQ(r->FindItem(f, 0, -1), 0);
  EXPECT_EQ(r->FindItem(f, 0, 0), -2);
  f.flags |= ReportFind::Partial;
  EXPECT_EQ(r->FindItem(f, 0, 0), 2);
  f.flags |= ReportFind::Wrap;
  EXPECT_EQ(r->FindItem(f, 0, 2), 0);
  f.flags |= ReportFind::Backwards;
  EXPECT_EQ(r->FindItem(f, 0, 0), 2);
  ReportFindInfo d;
  d.flags = ReportFind::Data;
  d.data = 8;
  EXPECT_EQ(r->FindItem(d, 0, -1), -2);
  EXPECT_EQ(r->FindItem(d, 0, 5), -2);
}

}  // namespace
