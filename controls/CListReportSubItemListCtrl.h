#pragma once
// The column chooser of a report list: a list of the defined columns that are
// not shown, drawn like header buttons. Dragging a name onto the report's
// header shows that column at the gap marked by the header's drop arrow; with
// the report's style 0x100, a header item dragged onto this list is hidden.
#include <QListWidget>
#include <QPointer>

class CListReportCtrl;
class CPHDragWnd;

class CListReportSubItemListCtrl : public QListWidget {
  Q_OBJECT
public:
  explicit CListReportSubItemListCtrl(QWidget* parent = nullptr);
  ~CListReportSubItemListCtrl() override;
  // Empties the list and takes the owner; a null owner detaches it.
  void SetOwner(CListReportCtrl* dono);
  CListReportCtrl* Owner() const { return dono_; }
  // Lists the captions of the defined columns not shown, with the column as data.
  void Refill();
  virtual bool AcceptsColumn(int coluna) const;
  virtual bool IsColumnDisabled(int coluna) const;
  int ColumnOfRow(int linha) const;
  int DraggedColumn() const { return colunaArrastada_; }
  int DividerUnderCursor() const { return divisor_; }

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

private:
  void TerminaArrasto(bool soltar);
  CListReportCtrl* dono_ = nullptr;
  int colunaArrastada_ = -1;
  int linhaPressionada_ = -1;
  QPoint pressao_;
  QRect retItem_;
  QPointer<CPHDragWnd> janela_;
  QRect retLista_, retHeader_;  // screen rectangles taken when the drag starts
  int divisor_ = -1;
  bool cursorSobreposto_ = false;
};
