#pragma once
// The in-place edit box of a report list cell, optionally with a "..." button
// beside it. Tab, Enter and Escape end the edit (the key is remembered); losing
// the focus to its button asks the owner for a text (-2062); losing it anywhere
// else reports the end of the edit once (-2058) and closes the box.
#include "ListReportTypes.h"

#include <QLineEdit>

class QPushButton;

class CListReportEditCtrl : public QLineEdit {
  Q_OBJECT
public:
  CListReportEditCtrl(int item, int coluna, bool comBotao, QWidget* parent);
  // Over the cell's text part; narrowed for the button when there is room.
  void Place(const QRect& r);
  // What the start of the edit does to the text and caret.
  void ApplyStartKey(int tecla, EditStart razao);
  int LastKey() const { return ultimaTecla_; }
  bool HasButton() const { return botao_ != nullptr; }
  QPushButton* Button() const { return botao_; }
  // The report ends the edit itself: nothing more to report.
  void Silence() { reportado_ = true; }
  // The key code of a key that ends an in-place edit (Tab 9, Enter 13, Escape 27), else 0.
  static int EndKey(const QKeyEvent* e);

protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  long Envia(ReportEditInfo& e);
  int item_, coluna_;
  bool querBotao_;
  bool reportado_ = false;
  int ultimaTecla_ = 13;
  QPushButton* botao_ = nullptr;
};
