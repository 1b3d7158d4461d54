#pragma once
// The grid most windows create: it prints inside the model's page furniture
// (margins from the model's page settings, the model's page header and
// footer), and when a heading click sorts the rows it can store the sort in
// the model header and tell the window that holds it.
#include "CTableCtrl.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>

class CTableCtrlEx : public CTableCtrl {
  Q_OBJECT
public:
  explicit CTableCtrlEx(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0, QWidget* parent = nullptr);

  void SetDocument(CTarsolinDoc* doc) { doc_ = doc; }
  CTarsolinDoc* GetDocument() const { return doc_; }
  // A byte of the window that holds the grid, set to 1 after a heading sort.
  void SetSortedFlag(uint8_t* flag) { ordenado_ = flag; }
  // Whether a heading sort is written into the model header.
  void SetStoreSortInModel(bool on) { guardaOrdem_ = on; }
  bool GetStoreSortInModel() const { return guardaOrdem_; }
  // The margins of the print job in screen pixels (left, top, right, bottom).
  QMargins MarginRect() const { return margens_; }

  void BeginPrinting(QPainter* dc, CPrintInfo* info) override;
  void PrintPage(QPainter* dc, CPrintInfo* info) override;
  void EndPrinting(QPainter* dc, CPrintInfo* info) override;
  void PrintPageHeader(QPainter*, CPrintInfo*) override {}
  void PrintPageFooter(QPainter*, CPrintInfo*) override {}
  void FixedRowClicked(CCellID cell) override;

private:
  QMargins margens_;          // screen pixels
  int deslocX_ = 0, deslocY_ = 0;  // the printer's unprintable offsets, twips
  QPointer<CTarsolinDoc> doc_;
  int ppiImpressoraX_ = 0, ppiImpressoraY_ = 0, ppiTelaX_ = 0, ppiTelaY_ = 0;
  uint8_t* ordenado_ = nullptr;
  bool guardaOrdem_ = false;
};
