#pragma once
// The header of a report list: the flat header, which also tells its report of
// right-button presses on its items (-2066) and fits to the report's rows width.
#include "CPlainHeaderCtrl.h"

class CListReportCtrl;

class CListReportHeaderCtrl : public CPlainHeaderCtrl {
  Q_OBJECT
public:
  explicit CListReportHeaderCtrl(CListReportCtrl* report);

protected:
  int ParentClientWidth() const override;
  void mousePressEvent(QMouseEvent* e) override;

private:
  CListReportCtrl* report_;
};
