#pragma once
// A ready-made in-place combo box that owners may hand the report list as their
// editor (answering -2057): it ends the edit on Tab, Enter, Escape or focus
// loss like the built-in edit box, reporting -2058 once with its text.
#include "ListReportTypes.h"

#include <QComboBox>

class CListReportComboCtrl : public QComboBox {
  Q_OBJECT
public:
  CListReportComboCtrl(int item, int coluna, QWidget* parent);
  // An editable box types a start character into its text; a click or Enter does nothing.
  void ApplyStartKey(int tecla, EditStart razao);
  int LastKey() const { return ultimaTecla_; }

protected:
  bool event(QEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  int item_, coluna_;
  bool reportado_ = false;
  int ultimaTecla_ = 13;
};
