#pragma once
// The edit box laid over a cell while it is edited. It ends when it loses the
// focus: it then sends the grid the end-edit record (row, column, the text and
// the key that ended it) and closes itself. Escape puts the initial text back;
// Tab, Return and (unless the edit was started by the mouse) the arrows and
// page keys end it so that the grid can carry the edit to the next cell.
#include <QLineEdit>
#include <QRect>

class CTableCtrl;
class CTableCell;

class CInPlaceEdit : public QLineEdit {
  Q_OBJECT
public:
  static constexpr int IdControle = 8;

  // `tecla` is why the edit starts (1 the mouse, Return, Backspace, Tab, F2 or
  // a navigation key; 0 for a typed character) and `digitado` the character
  // typed, which replaces the text. `limite` caps the characters (0: none).
  CInPlaceEdit(CTableCtrl* grade, QRect rect, Qt::Alignment alinhamento, int idControle, int row, int col,
               const QString& inicial, int tecla, const QString& digitado, int limite = 0);
  ~CInPlaceEdit() override;

  int Row() const { return row_; }
  int Col() const { return col_; }
  // The key that ended the edit (0 until one does).
  int TeclaFinal() const { return teclaFinal_; }
  // Ends the edit now, as losing the focus does.
  void EndEdit();
  // A key or character that reaches an edit already open.
  void RecebeTecla(int tecla, const QString& digitado);

  void LigaCelula(CTableCell* celula) { celula_ = celula; }
  void DesligaCelula() { celula_ = nullptr; }

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool event(QEvent* e) override;

private:
  void SaiPara(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier);
  void Alarga();

  CTableCtrl* grade_;
  CTableCell* celula_ = nullptr;
  int row_, col_;
  QString inicial_;
  int teclaFinal_ = 0;
  bool sairComSetas_;
  QRect rect_;
  bool terminando_ = false;
  Qt::KeyboardModifiers modificadores_ = Qt::NoModifier;  // held with the key that ended the edit
};
