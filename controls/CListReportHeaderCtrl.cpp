#include "CListReportHeaderCtrl.h"

#include "CListReportCtrl.h"

#include <QMouseEvent>

CListReportHeaderCtrl::CListReportHeaderCtrl(CListReportCtrl* report) : CPlainHeaderCtrl(report), report_(report) {
  setObjectName(QStringLiteral("ListReportHeader"));
}

int CListReportHeaderCtrl::ParentClientWidth() const {
  return report_ ? report_->ParentClientWidthForHeader() : CPlainHeaderCtrl::ParentClientWidth();
}

void CListReportHeaderCtrl::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::RightButton && report_) {
    HeaderNotify n;
    n.code = HeaderCode::RightClick;
    n.point = e->position().toPoint();
    n.item = HitTest(n.point);
    if (NotificaPai(n) != 0) return;
  }
  CPlainHeaderCtrl::mousePressEvent(e);
}
