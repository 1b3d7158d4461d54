#pragma once
// The report list of the main model view: its user value (property 6) is the
// model document, and it draws column 7 and the row of the dependent variable
// (the model's last variable) in bold.
#include "CListReportCtrl.h"

class CTarsolinDoc;

class CMyReportCtrl : public CListReportCtrl {
  Q_OBJECT
public:
  explicit CMyReportCtrl(QWidget* parent = nullptr);
  CTarsolinDoc* Documento() const { return reinterpret_cast<CTarsolinDoc*>(UserValue() == -1 ? 0 : UserValue()); }
  void SetDocumento(CTarsolinDoc* doc) { SetProperty(6, reinterpret_cast<qintptr>(doc)); }
  // Whether a cell is drawn in bold: column 7, or the last variable's row.
  bool CelulaNegrito(int item, int coluna) const;

protected:
  int DrawText(QPainter& p, ReportItemInfo& info, const QRect& r) override;
  int CompareItems(int item1, int coluna1, int item2, int coluna2) override;
};
