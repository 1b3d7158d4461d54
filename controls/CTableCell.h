#pragma once
// The ordinary grid cell: its own text and attributes. Kept lean (the text,
// the state, the format, the grid and one pointer to the attributes few cells
// set), so that a grid of 64,000 rows by 64 columns fits comfortably.
#include "CTableCellBase.h"
#include "GridText.h"

#include <memory>

class CTableCell : public CTableCellBase {
public:
  static const GridCellClass classe;
  const GridCellClass* GetRuntimeClass() const override { return &classe; }

  CTableCell();
  ~CTableCell() override;

  void AssignText(const QString& texto) override { texto_.Set(texto); }
  void AssignImage(int indice) override;
  void AssignData(intptr_t valor) override;
  void AssignFormat(uint32_t formato) override { formato_ = formato; }
  void AssignTextColour(COLORREF cor) override;
  void AssignBackColour(COLORREF cor) override;
  void AssignFont(const LOGFONT* fonte) override;
  void AssignMargin(int pixels) override;
  void AttachToGrid(CTableCtrl* grade) override { grade_ = grade; }
  void AssignPosition(int, int) override {}

  QString Text() const override { return texto_.Get(); }
  int Image() const override { return extras_ ? extras_->imagem : -1; }
  intptr_t Data() const override { return extras_ ? extras_->dados : 0; }
  uint32_t Format() const override;
  COLORREF TextColour() const override { return extras_ ? extras_->corTexto : GridColour::Default; }
  COLORREF BackColour() const override { return extras_ ? extras_->corFundo : GridColour::Default; }
  const LOGFONT* FontData() const override;
  const QFont* FontObject() const override;
  CTableCtrl* OwnerGrid() const override { return grade_; }
  QWidget* EditWindow() const override { return extras_ ? extras_->edicao : nullptr; }
  int Margin() const override;
  bool UsesDefaultFont() const override { return !extras_ || !extras_->fonte; }
  bool IsBeingEdited() const override { return extras_ && extras_->editando; }

  void ResetCell() override;
  bool BeginEdit(int row, int col, QRect rect, QPoint ponto, int idControle, int tecla,
                 const QString& digitado = QString()) override;
  void StopEdit() override;
  void AfterEdit() override;

  // The UTF-8 bytes of the text, for comparisons without building a string.
  std::string_view TextBytes() const { return texto_.Bytes(); }
  // The text set from its UTF-8 bytes, or traded with `outro` whole (so that
  // a write the owner refuses puts the old text back without a copy).
  void AssignTextBytes(std::string_view bytes) { texto_.SetBytes(bytes); }
  void SwapText(GridText& outro) { texto_.Swap(outro); }

protected:
  // The attributes few cells set, allocated on first use.
  struct Extras {
    intptr_t dados = 0;
    int imagem = -1;
    COLORREF corTexto = GridColour::Default;
    COLORREF corFundo = GridColour::Default;
    std::unique_ptr<LOGFONT> fonte;
    int margem = -1;
    bool editando = false;
    QWidget* edicao = nullptr;  // the open edit box (it deletes itself)
  };
  Extras& Ex();
  // Opens the edit box; the limit of characters (0 none).
  bool AbreEdicao(int row, int col, QRect rect, int idControle, int tecla, const QString& digitado, int limite);

  uint32_t formato_ = 0xFFFFFFFF;  // -1: the default cell's
  CTableCtrl* grade_ = nullptr;
  GridText texto_;
  std::unique_ptr<Extras> extras_;
};

// The per-grid cells that hold the defaults the ordinary cells fall back on:
// font, colours, format, margin, and the default column width and row height.
// Never editable; the setters of data, state and position do nothing.
class CTableDefaultCell : public CTableCell {
public:
  static const GridCellClass classe;
  const GridCellClass* GetRuntimeClass() const override { return &classe; }

  CTableDefaultCell();

  void AssignData(intptr_t) override {}
  void AssignState(uint32_t) override {}
  void AssignPosition(int, int) override {}
  void AssignFont(const LOGFONT* fonte) override;
  uint32_t State() const override { return m_nState | GVIS_READONLY; }
  uint32_t Format() const override { return formato_; }
  const LOGFONT* FontData() const override { return &logFonte_; }
  const QFont* FontObject() const override { return &fonte_; }
  int Margin() const override { return margem_; }
  bool UsesDefaultFont() const override { return false; }
  void AssignMargin(int pixels) override { margem_ = pixels; }
  CTableDefaultCell* DefaultCellOf() const override { return const_cast<CTableDefaultCell*>(this); }

  int SpareValue() const { return reserva_; }
  void SetSpareValue(int v) { reserva_ = v; }
  int DefaultWidth() const { return largura_; }
  int DefaultHeight() const { return altura_; }
  void SetDefaultWidth(int v) { largura_ = v; }
  void SetDefaultHeight(int v) { altura_ = v; }

private:
  int largura_ = 30;
  int altura_ = 10;
  QFont fonte_;
  LOGFONT logFonte_;
  int reserva_ = 0;
  int margem_ = 3;
};

// An ordinary cell whose edit box accepts a limited number of characters,
// clamped to 1..50 when an edit starts.
class CTableCellLimText : public CTableCell {
public:
  static const GridCellClass classe;
  const GridCellClass* GetRuntimeClass() const override { return &classe; }

  void SetMaxLength(int n) { limite_ = n; }
  int MaxLength() const { return limite_; }
  bool BeginEdit(int row, int col, QRect rect, QPoint ponto, int idControle, int tecla,
                 const QString& digitado = QString()) override;

private:
  int limite_ = 50;
};
