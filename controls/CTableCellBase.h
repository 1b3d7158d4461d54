#pragma once
// The abstract cell of the grid control: the state bits and the drawing,
// measuring, printing and edit-start logic every cell shares. Cells know their
// grid and ask it for the image list, the focus cell, the sort column and
// direction, the grid-line mode and the matching default cell.
#include "CTableDefs.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class CTableCellBase;
class CTableDefaultCell;
class QPainter;
class QWidget;

// The runtime class of a cell: its name, its base class and how to create
// one. The grid creates every new cell from the runtime class its owner chose.
struct GridCellClass {
  const char* name;
  const GridCellClass* base;
  CTableCellBase* (*create)();  // null: the class cannot be created
  bool IsDerivedFrom(const GridCellClass* outra) const;
};

class CTableCellBase {
public:
  static const GridCellClass classe;
  virtual const GridCellClass* GetRuntimeClass() const { return &classe; }

  CTableCellBase() = default;
  virtual ~CTableCellBase() = default;
  CTableCellBase(const CTableCellBase&) = delete;
  CTableCellBase& operator=(const CTableCellBase&) = delete;

  virtual void AssignText(const QString& texto) = 0;
  virtual void AssignImage(int indice) = 0;
  virtual void AssignData(intptr_t valor) = 0;
  virtual void AssignState(uint32_t estado) { m_nState = estado; }
  virtual void AssignFormat(uint32_t formato) = 0;
  virtual void AssignTextColour(COLORREF cor) = 0;
  virtual void AssignBackColour(COLORREF cor) = 0;
  virtual void AssignFont(const LOGFONT* fonte) = 0;
  virtual void AssignMargin(int pixels) = 0;
  virtual void AttachToGrid(CTableCtrl* grade) = 0;
  virtual void AssignPosition(int row, int col) = 0;

  virtual QString Text() const = 0;
  virtual QString TipText() const { return Text(); }
  virtual int Image() const = 0;
  virtual intptr_t Data() const = 0;
  virtual uint32_t State() const { return m_nState; }
  virtual uint32_t Format() const = 0;
  virtual COLORREF TextColour() const = 0;
  virtual COLORREF BackColour() const = 0;
  virtual const LOGFONT* FontData() const = 0;
  virtual const QFont* FontObject() const = 0;
  virtual CTableCtrl* OwnerGrid() const = 0;
  virtual QWidget* EditWindow() const = 0;
  virtual int Margin() const = 0;
  virtual CTableDefaultCell* DefaultCellOf() const;
  virtual bool UsesDefaultFont() const = 0;
  virtual bool IsBeingEdited() const = 0;

  virtual bool HasFocus() const { return State() & GVIS_FOCUSED; }
  virtual bool IsFixedCell() const { return State() & GVIS_FIXED; }
  virtual bool IsInFixedColumn() const { return State() & GVIS_FIXEDCOL; }
  virtual bool IsInFixedRow() const { return State() & GVIS_FIXEDROW; }
  virtual bool IsInSelection() const { return State() & GVIS_SELECTED; }
  virtual bool IsReadOnlyCell() const { return State() & GVIS_READONLY; }
  virtual bool IsChanged() const { return State() & GVIS_MODIFIED; }
  virtual bool IsDropTarget() const { return State() & GVIS_DROPHILITED; }

  virtual void CopyFrom(const CTableCellBase& outra);
  virtual void ResetCell() { m_nState = 0; }
  // Draws the cell into `rect`; false without a grid, a painter, a default
  // cell or for an empty rectangle.
  virtual bool DrawCell(QPainter* dc, int row, int col, QRect rect, bool apaga = true);
  virtual void TextArea(QRect& rect) const;
  virtual void TipArea(QRect& rect) const { TextArea(rect); }
  virtual QSize MeasureText(const QString& texto, QPainter* dc) const;
  virtual QSize MeasureCell(QPainter* dc) const;
  // Opens the in-place edit box. `tecla` is why the edit starts (the left
  // button 1, Return, F2, Tab, a navigation key, Backspace, or 0 for a typed
  // character), `digitado` the character typed to start it, if any.
  virtual bool BeginEdit(int row, int col, QRect rect, QPoint ponto, int idControle, int tecla,
                         const QString& digitado = QString()) { return false; }
  virtual bool CheckEdit(const QString& texto) { return true; }
  virtual void StopEdit() {}
  virtual bool PrintCellContent(QPainter* dc, int row, int col, QRect rect);
  virtual void AfterEdit() {}

  virtual void MouseEntered() {}
  virtual void MouseOver() {}
  virtual void MouseLeft() {}
  virtual void Clicked(QPoint ponto) {}
  virtual void PressedDown(QPoint ponto) {}
  virtual void RightClicked(QPoint ponto) {}
  virtual void DoubleClicked(QPoint ponto) {}
  virtual bool CursorRequest();

protected:
  // Resolved colours: the cell's own unless it is the default value, then the default cell's.
  COLORREF ResolvedTextColour() const;
  COLORREF ResolvedBackColour() const;
  // The image to draw, when the cell has one and the grid's list holds it.
  const QPixmap* ImageToDraw(QSize* tamanho) const;

  uint32_t m_nState = 0;
};

// Draws `texto` in `rect` as the platform's text drawing does with `formato`
// (alignment, single line or word break, end ellipsis, vertical fonts). A
// line taller than `rect` may reach into `limite` (the cell's own margins)
// rather than lose its accents and descenders.
void GridDrawText(QPainter& dc, const QRect& rect, const QString& texto, uint32_t formato, bool vertical,
                  const QRect& limite = QRect());
// A 3D edge around `rect`: raised (light top-left, dark bottom-right) or sunken.
void GridDrawEdge(QPainter& dc, const QRect& rect, bool afundado);
