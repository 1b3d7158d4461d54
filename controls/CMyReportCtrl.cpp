#include "CMyReportCtrl.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QPainter>

CMyReportCtrl::CMyReportCtrl(QWidget* parent) : CListReportCtrl(parent) {}

bool CMyReportCtrl::CelulaNegrito(int item, int coluna) const {
  if (coluna == 7) return true;
  const CTarsolinDoc* doc = Documento();
  const CabecalhoModelo* h = doc ? doc->GetCabecalho() : nullptr;
  // The model keeps the dependent variable in the last variable's place.
  return h && item == h->NumVariaveis() - 1;
}

int CMyReportCtrl::DrawText(QPainter& p, ReportItemInfo& info, const QRect& r) {
  const QFont antes = p.font();
  p.setFont(CelulaNegrito(info.item, info.column) ? BoldFont() : NormalFont());
  const int w = CListReportCtrl::DrawText(p, info, r);
  p.setFont(antes);
  return w;
}

int CMyReportCtrl::CompareItems(int item1, int coluna1, int item2, int coluna2) {
  return CListReportCtrl::CompareItems(item1, coluna1, item2, coluna2);
}
