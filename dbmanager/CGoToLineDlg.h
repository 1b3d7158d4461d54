#pragma once
// "Selecione a opção:" (dlg137), modeless and kept by the main frame: moves
// the caret of the active window's editor or text result to a line, or to
// the next or previous line, and shows the current row of a result grid.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace brenk {

class CMainFrame;

class CGoToLineDlg : public QDialog {
  Q_OBJECT
public:
  explicit CGoToLineDlg(CMainFrame* principal);
  // Reads the active window's state into the dialog.
  void Atualiza();
  // Button 1005 (go to the number, or the next line) and "&Anterior".
  void Vai(bool anterior);

protected:
  bool event(QEvent* e) override;

private:
  void TextoMudou();
  CMainFrame* principal_;
  QLineEdit* linha_;
  QPushButton* ir_;
  QPushButton* anterior_;
  QPushButton* fechar_;
  bool proxima_ = false;
};

}  // namespace brenk
