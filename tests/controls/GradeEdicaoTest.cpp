// The grid's in-place edit, clipboard, and drag and drop.
#include "controls/CInPlaceEdit.h"
#include "controls/CTableCtrl.h"
#include "tests/controls/GradeTeste.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

using teste::Aviso;

struct Edicao : ::testing::Test {
  teste::Grade t{8, 6, 1, 1};
  CTableCtrl& g = *t.g;
  void SetUp() override {
    QApplication::setActiveWindow(&t.dono);
    g.setFocus();
  }
  // The open edit box (a closed one lingers until deleted).
  QLineEdit* Caixa() {
    for (QLineEdit* e : g.viewport()->findChildren<QLineEdit*>(QStringLiteral("8")))
      if (e->isVisible()) return e;
    return nullptr;
  }
  bool Aberta() { return Caixa() && Caixa()->isVisible(); }
  int Conta(int codigo) {
    return int(std::count_if(t.dono.log.begin(), t.dono.log.end(), [&](const Aviso& a) { return a.codigo == codigo; }));
  }
};

// Every printable character replaces the text, the space and ! " # $ % & ' ( included.
TEST_F(Edicao, TypingAnyPrintableCharacterReplacesTheText) {
  for (const QString& c : {QStringLiteral("x"), QStringLiteral(" "), QStringLiteral("!"), QStringLiteral("\""),
                           QStringLiteral("#"), QStringLiteral("$"), QStringLiteral("%"), QStringLiteral("&"),
                           QStringLiteral("'"), QStringLiteral("("), QStringLiteral("7")}) {
    g.SetCellText(2, 2, QStringLiteral("antigo"));
    g.MoveFocusCell(2, 2);
    t.Digita(c);
    ASSERT_TRUE(Aberta()) << c.toStdString();
    EXPECT_EQ(Caixa()->text(), c);
    QTest::keyClick(Caixa(), Qt::Key_Return);
    EXPECT_EQ(g.GetCellText(2, 2), c);
    EXPECT_TRUE(g.GetModified(2, 2));
  }
}

TEST_F(Edicao, StartKeysPlaceTheCaretOrSelect) {
  g.MoveFocusCell(2, 2);
  t.Tecla(Qt::Key_F2);
  ASSERT_TRUE(Aberta());
  EXPECT_EQ(Caixa()->selectedText(), QStringLiteral("2,2"));  // F2 selects, types nothing
  QTest::keyClick(Caixa(), Qt::Key_Escape);
  EXPECT_FALSE(Aberta());
  t.Tecla(Qt::Key_Backspace);
  ASSERT_TRUE(Aberta());
  EXPECT_EQ(Caixa()->text(), QStringLiteral("2,"));
  QTest::keyClicks(Caixa(), QStringLiteral("9"));
  QTest::keyClick(Caixa(), Qt::Key_Return);
  EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,9"));
}

TEST_F(Edicao, EscapeEndsWithTheInitialTextAndChangesNothing) {
  g.SetModified(false);
  g.MoveFocusCell(3, 3);
  t.Digita(QStringLiteral("novo"));
  QTest::keyClick(Caixa(), Qt::Key_Escape);
  EXPECT_EQ(g.GetCellText(3, 3), QStringLiteral("3,3"));
  EXPECT_FALSE(g.GetModified());
  EXPECT_EQ(Conta(GVN_ENDLABELEDIT), 0);
}

TEST_F(Edicao, RefusalAtBeginOpensNoEditor) {
  t.dono.respostas[GVN_BEGINLABELEDIT] = -1;
  g.MoveFocusCell(2, 2);
  t.Digita(QStringLiteral("z"));
  EXPECT_FALSE(Aberta());
  EXPECT_EQ(Conta(GVN_BEGINLABELEDIT), 1);
  EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,2"));
}

TEST_F(Edicao, RefusalAtEndPutsTheOldTextBack) {
  g.SetModified(false);
  t.dono.respostas[GVN_ENDLABELEDIT] = -1;
  g.MoveFocusCell(2, 2);
  t.Digita(QStringLiteral("zz"));
  QTest::keyClick(Caixa(), Qt::Key_Return);
  EXPECT_EQ(Conta(GVN_ENDLABELEDIT), 1);
  EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,2"));
  EXPECT_FALSE(g.GetModified(2, 2));
}

TEST_F(Edicao, TabCarriesTheEditToTheNextCellAndWrapsToTheNextRow) {
  g.MoveFocusCell(2, 4);
  t.Digita(QStringLiteral("a"));
  QTest::keyClick(Caixa(), Qt::Key_Tab);
  EXPECT_EQ(g.GetCellText(2, 4), QStringLiteral("a"));
  EXPECT_EQ(g.GetFocusCell(), CCellID(2, 5));
  ASSERT_TRUE(Aberta());
  QTest::keyClicks(Caixa(), QStringLiteral("b"));
  QTest::keyClick(Caixa(), Qt::Key_Tab);
  EXPECT_EQ(g.GetCellText(2, 5), QStringLiteral("b"));
  EXPECT_EQ(g.GetFocusCell(), CCellID(3, 1));  // past the last column: the next row
  ASSERT_TRUE(Aberta());
  QTest::keyClicks(Caixa(), QStringLiteral("c"));
  QTest::keyClick(Caixa(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(g.GetCellText(3, 1), QStringLiteral("c"));
  EXPECT_EQ(g.GetFocusCell(), CCellID(2, 5));
  QTest::keyClick(Caixa(), Qt::Key_Down);  // a key start: the arrows end the edit too
  EXPECT_EQ(g.GetFocusCell(), CCellID(3, 5));
  EXPECT_TRUE(Aberta());
  g.FinishEditing();
  EXPECT_FALSE(Aberta());
}

TEST_F(Edicao, MouseStartedEditKeepsTheArrowsInTheBox) {
  t.Clica(t.Centro(2, 2));
  t.Clica(t.Centro(2, 2));  // a press on the focus cell's text: edit on release
  ASSERT_TRUE(Aberta());
  EXPECT_EQ(Caixa()->cursorPosition(), 3);
  QTest::keyClick(Caixa(), Qt::Key_Left);
  EXPECT_TRUE(Aberta());
  EXPECT_EQ(Caixa()->cursorPosition(), 2);
  QTest::keyClick(Caixa(), Qt::Key_Left, Qt::ControlModifier);  // with Ctrl the arrow ends it
  EXPECT_EQ(g.GetFocusCell(), CCellID(2, 1));
  ASSERT_TRUE(Aberta());
  EXPECT_EQ(Caixa()->selectedText(), QStringLiteral("2,1"));
}

// ---- clipboard ---------------------------------------------------------------------

TEST_F(Edicao, CopyOfASelectionWithHolesKeepsTheBlockRectangular) {
  g.SetCellText(1, 1, "a");
  g.SetCellText(1, 2, "b");
  g.SetCellText(2, 2, "c");
  g.SetCellState(1, 1, GVIS_SELECTED);
  g.SetCellState(1, 2, GVIS_SELECTED);
  g.SetCellState(2, 2, GVIS_SELECTED);
  EXPECT_EQ(g.SelectionText(), QStringLiteral("a\tb\r\n\tc"));
  EXPECT_TRUE(g.CanCopy());
  g.OnEditCopy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\tb\r\n\tc"));
  g.ClearSelection();
  EXPECT_FALSE(g.CanCopy());
  EXPECT_EQ(g.CopySelectionToDataSource(), nullptr);
}

TEST_F(Edicao, PasteSkipsHiddenColumnsAndTrimsTheCarriageReturn) {
  g.SetWidthOfColumn(3, 0);
  QMimeData dados;
  dados.setText(QStringLiteral("p\tq\tr\r\n\r\ns\t t \r\n"));
  ASSERT_TRUE(g.PasteTextAt(2, 2, &dados, true));
  // The line of a lone carriage return still writes its one (now empty) field.
  const QString esperado[3][4] = {{"p", "2,3", "q", "r"}, {"", "3,3", "3,4", "3,5"}, {"s", "4,3", "t", "4,5"}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(g.GetCellText(2 + r, 2 + c), esperado[r][c]) << r << "," << c;
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(2, 2, 4, 5));
  EXPECT_EQ(Conta(GVN_BEGINLABELEDIT), 6);
  EXPECT_EQ(Conta(GVN_ENDLABELEDIT), 6);
}

// Ctrl+V with accented texts, fields padded with no-break spaces, a hidden
// row, and a cell whose owner refuses the edit: it keeps its long text.
TEST_F(Edicao, CtrlVWritesAccentsTrimsEverySpaceAndLeavesARefusedCellAlone) {
  const QString longo = QStringLiteral("um texto bem mais longo que quinze bytes");
  g.SetCellText(2, 3, longo);
  g.SetHeightOfRow(3, 0);
  g.SetModified(false);
  t.dono.responde = [](int codigo, int row, int col) {
    return codigo == GVN_ENDLABELEDIT && row == 2 && col == 3 ? -1 : 0;
  };
  QApplication::clipboard()->setText(QStringLiteral("\u00a0Área construída\u00a0\tnova\t x \r\nß\u3000\t y\r\n"));
  t.Clica(t.Centro(2, 2));
  t.Tecla(Qt::Key_V, Qt::ControlModifier);
  const QString esperado[3][3] = {
      {QStringLiteral("Área construída"), longo, "x"}, {"3,2", "3,3", "3,4"}, {QStringLiteral("ß"), "y", "4,4"}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(g.GetCellText(2 + r, 2 + c), esperado[r][c]) << r << "," << c;
  EXPECT_FALSE(g.GetModified(2, 3));
  EXPECT_TRUE(g.GetModified(4, 3));
  EXPECT_EQ(g.GetSelectedCellRange(), CCellRange(2, 2, 4, 4));
  EXPECT_EQ(Conta(GVN_BEGINLABELEDIT), 5);
  EXPECT_EQ(Conta(GVN_ENDLABELEDIT), 5);
}

TEST_F(Edicao, PasteDoesNothingOnAReadOnlyCellOrANonEditableGrid) {
  QMimeData dados;
  dados.setText(QStringLiteral("x"));
  g.SetCellState(2, 2, GVIS_READONLY);
  EXPECT_FALSE(g.PasteTextAt(2, 2, &dados, true));
  g.SetEditable(false);
  EXPECT_FALSE(g.PasteTextAt(3, 3, &dados, true));
  QMimeData vazio;
  g.SetEditable(true);
  EXPECT_FALSE(g.PasteTextAt(3, 3, &vazio, true));
  EXPECT_EQ(g.GetCellText(3, 3), QStringLiteral("3,3"));
}

TEST_F(Edicao, CutAndDeleteClearTheSelectedTextsThroughTheEditNotifications) {
  g.SelectRange(CCellRange(2, 2, 3, 3));
  g.MoveFocusCell(2, 2);
  t.dono.respostas[GVN_ENDLABELEDIT] = 0;
  g.OnEditCut();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2,2\t2,3\r\n3,2\t3,3"));
  EXPECT_EQ(g.GetCellText(3, 3), QString());
  g.SetCellText(4, 4, "k");
  g.SelectRange(CCellRange(4, 4, 4, 4));
  t.dono.respostas[GVN_BEGINLABELEDIT] = -1;  // the owner keeps this one
  t.Tecla(Qt::Key_Delete);
  EXPECT_EQ(g.GetCellText(4, 4), QStringLiteral("k"));
}

TEST_F(Edicao, EditCommandStates) {
  QApplication::clipboard()->setText(QStringLiteral("t"));
  g.MoveFocusCell(2, 2);
  EXPECT_TRUE(g.CanPaste());
  g.SetCellState(2, 2, g.GetCellState(2, 2) | GVIS_READONLY);
  EXPECT_FALSE(g.CanPaste());
  EXPECT_FALSE(g.CanCut());
  g.SelectRange(CCellRange(3, 3, 3, 3));
  EXPECT_TRUE(g.CanCut());
  g.SetEditable(false);
  EXPECT_FALSE(g.CanCut());
  EXPECT_TRUE(g.CanCopy());
  EXPECT_TRUE(g.CanSelectAll());
  g.EnableSelection(false);
  EXPECT_FALSE(g.CanSelectAll());
}

// ---- drag and drop -------------------------------------------------------------------

// In a normal grid a drop pastes (the initial "drop moves rows" applies to the
// row order of virtual mode only).
TEST_F(Edicao, DropOnANormalGridPastesTheText) {
  g.EnableDragAndDrop(true);
  ASSERT_TRUE(g.GetDropMovesRows());
  QMimeData dados;
  dados.setText(QStringLiteral("u\tv"));
  EXPECT_NE(g.DragEnter(&dados, Qt::NoModifier, t.Centro(5, 2)), Qt::IgnoreAction);
  EXPECT_EQ(g.DragOver(&dados, Qt::NoModifier, t.Centro(5, 3)), Qt::MoveAction);
  EXPECT_TRUE(g.GetCellState(5, 3) & GVIS_DROPHILITED);
  EXPECT_EQ(g.DragOver(&dados, Qt::ControlModifier, t.Centro(5, 3)), Qt::CopyAction);
  EXPECT_TRUE(g.DropData(&dados, Qt::MoveAction, t.Centro(5, 3)));
  EXPECT_FALSE(g.GetCellState(5, 3) & GVIS_DROPHILITED);
  EXPECT_EQ(g.GetCellText(5, 3), QStringLiteral("u"));
  EXPECT_EQ(g.GetCellText(5, 4), QStringLiteral("v"));
  EXPECT_EQ(g.GetCellText(5, 2), QStringLiteral("5,2"));
}

TEST_F(Edicao, DragOverRefusesHeadingsReadOnlyCellsAndOtherData) {
  g.EnableDragAndDrop(true);
  QMimeData dados;
  dados.setText(QStringLiteral("u"));
  EXPECT_EQ(g.DragOver(&dados, Qt::NoModifier, t.Centro(0, 3)), Qt::IgnoreAction);
  g.SetCellState(4, 4, GVIS_READONLY);
  EXPECT_EQ(g.DragOver(&dados, Qt::NoModifier, t.Centro(4, 4)), Qt::IgnoreAction);
  QMimeData imagem;
  imagem.setImageData(QImage(2, 2, QImage::Format_RGB32));
  EXPECT_EQ(g.DragOver(&imagem, Qt::NoModifier, t.Centro(3, 3)), Qt::IgnoreAction);
  g.EnableDragAndDrop(false);
  EXPECT_EQ(g.DragOver(&dados, Qt::NoModifier, t.Centro(3, 3)), Qt::IgnoreAction);
  EXPECT_FALSE(g.DropData(&dados, Qt::MoveAction, t.Centro(3, 3)));
}

// The drop a user makes at `ponto` of `alvo`: enter, move, drop.
struct SoltaEm {
  CTableCtrl* alvo;
  QPoint ponto;
  SoltaEm(CTableCtrl* a, QPoint p) : alvo(a), ponto(p) {
    CTableCtrl::DefineExecutorArrasto([this](CTableCtrl&, QMimeData* dados) {
      alvo->DragEnter(dados, Qt::NoModifier, ponto);
      if (alvo->DragOver(dados, Qt::NoModifier, ponto) == Qt::IgnoreAction) {
        alvo->DragLeave();
        return Qt::IgnoreAction;
      }
      return alvo->DropData(dados, Qt::MoveAction, ponto) ? Qt::MoveAction : Qt::IgnoreAction;
    });
  }
  ~SoltaEm() { CTableCtrl::DefineExecutorArrasto(nullptr); }
};

// Dragged cells dropped elsewhere in the grid move their text there; a drop
// back onto the dragged cells loses nothing; a refused drop cuts nothing.
TEST_F(Edicao, DraggingCellsMovesTheTextOnlyWhenItLandsElsewhere) {
  g.EnableDragAndDrop(true);
  auto arrasta = [&](CCellID de, CCellID para) {
    g.SelectRange(CCellRange(de.row, de.col, de.row, de.col + 1));
    g.MoveFocusCell(de.row, de.col);
    SoltaEm solta(&g, t.Centro(para.row, para.col));
    const QPoint inicio = t.Centro(de.row, de.col + 1);  // a selected cell other than the focus
    t.Pressiona(inicio);
    EXPECT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_PREPARE_DRAG);
    t.Move(inicio + QPoint(20, 0), Qt::LeftButton);  // the drag runs here
    t.Solta(inicio + QPoint(20, 0));
  };
  t.dono.log.clear();
  arrasta({2, 2}, {6, 2});
  EXPECT_EQ(g.GetCellText(6, 2), QStringLiteral("2,2"));
  EXPECT_EQ(g.GetCellText(6, 3), QStringLiteral("2,3"));
  EXPECT_EQ(g.GetCellText(2, 2), QString());
  EXPECT_EQ(g.GetCellText(2, 3), QString());
  ASSERT_FALSE(t.dono.log.empty());
  EXPECT_EQ(t.dono.log.front(), (Aviso{GVN_BEGINDRAG, 2, 2}));

  arrasta({4, 2}, {4, 3});  // onto the dragged cells themselves
  EXPECT_EQ(g.GetCellText(4, 3), QStringLiteral("4,2"));
  EXPECT_EQ(g.GetCellText(4, 2), QStringLiteral("4,2"));

  g.SetCellState(7, 2, GVIS_READONLY);
  arrasta({5, 2}, {7, 2});  // refused: the source keeps its text
  EXPECT_EQ(g.GetCellText(5, 2), QStringLiteral("5,2"));
  EXPECT_EQ(g.GetCellText(7, 2), QStringLiteral("7,2"));
}

// A drop whose every cell the owner refuses (a column of results) places
// nothing: the dragged cells keep their text, and a paste reports failure.
TEST_F(Edicao, ADropTheOwnerRefusesCutsNothing) {
  g.EnableDragAndDrop(true);
  t.dono.responde = [](int codigo, int, int col) { return codigo == GVN_ENDLABELEDIT && col >= 4 ? -1 : 0; };
  g.SelectRange(CCellRange(2, 2, 2, 3));
  g.MoveFocusCell(2, 2);
  {
    SoltaEm solta(&g, t.Centro(6, 4));
    const QPoint inicio = t.Centro(2, 3);
    t.Pressiona(inicio);
    ASSERT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_PREPARE_DRAG);
    t.Move(inicio + QPoint(20, 0), Qt::LeftButton);
    t.Solta(inicio + QPoint(20, 0));
  }
  EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,2"));
  EXPECT_EQ(g.GetCellText(2, 3), QStringLiteral("2,3"));
  EXPECT_EQ(g.GetCellText(6, 4), QStringLiteral("6,4"));
  EXPECT_EQ(g.GetCellText(6, 5), QStringLiteral("6,5"));
  QMimeData dados;
  dados.setText(QStringLiteral("u\tv"));
  EXPECT_FALSE(g.PasteTextAt(6, 4, &dados, false));
  EXPECT_TRUE(g.PasteTextAt(6, 3, &dados, false));  // "u" lands in column 3
  EXPECT_EQ(g.GetCellText(6, 3), QStringLiteral("u"));
}

TEST_F(Edicao, HeadingDropMovesTheColumnInTheOrder) {
  g.SetHeadingsDragColumns(true);
  SoltaEm solta(&g, t.Centro(0, 4));
  t.Pressiona(t.Centro(0, 1));
  EXPECT_EQ(g.GetMouseMode(), CTableCtrl::MOUSE_PREPARE_DRAG);
  t.Move(t.Centro(0, 1) + QPoint(20, 0), Qt::LeftButton);
  t.Solta(t.Centro(0, 1) + QPoint(20, 0));
  EXPECT_EQ(g.GetColumnOrder(), (std::vector<int>{0, 2, 3, 4, 1, 5}));
  EXPECT_EQ(g.GetCellText(2, 4), QStringLiteral("2,1"));
  EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("2,2"));
  EXPECT_EQ(g.GetDraggedColumn(), -1);
}

}  // namespace
