#pragma once
// The spreadsheet-like grid on which most windows show data: a rectangle of
// cells with fixed heading rows at the top and fixed heading columns at the
// left, each row with its own height and each column with its own width. The
// non-fixed part scrolls under the headings; the grid paints itself through an
// off-screen surface and tells its owner what happens through notifications
// (CTableOwner). The mouse, keyboard, selection and sorting live in
// CTableCtrlMouse.cpp; editing, clipboard and drag and drop in
// CTableCtrlEdit.cpp; printing and text files in CTableCtrlPrint.cpp.
//
// In virtual mode the grid stores no cells: it asks its owner for each cell
// when it needs it and keeps only counts, sizes, the selection and the row and
// column orders.
#include "CTableCell.h"
#include "CTableDefs.h"
#include "GridCellSet.h"
#include "GridRowHeights.h"
#include "ImpressaoPagina.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointer>
#include <initializer_list>
#include <memory>
#include <vector>

namespace plat { struct ArgFormato; }

class CTitleTip;
class QMimeData;
class QPrinter;

class CTableCtrl : public QAbstractScrollArea {
  Q_OBJECT
public:
  CTableCtrl(int nRows = 0, int nCols = 0, int nFixedRows = 0, int nFixedCols = 0, QWidget* parent = nullptr);
  ~CTableCtrl() override;

  // Window creation: parent, place and control id (the object name); `visivel`
  // shows it.
  bool Create(const QRect& rect, QWidget* parent, int id, bool visivel = true);
  // Takes the place (geometry, layout slot, id) of a dialog's placeholder
  // control `id` under `dialogo`, which is deleted.
  bool SubclassDlgItem(int id, QWidget* dialogo);
  int GetDlgCtrlID() const { return id_; }
  void SetDlgCtrlID(int id);

  // The window notifications go to; without one, the nearest parent that is a CTableOwner.
  void SetOwner(CTableOwner* dono) { dono_ = dono; }
  CTableOwner* GetOwner() const;

  // ---- counts, rows and columns ---------------------------------------------------
  int GetRowCount() const { return nRows_; }
  int GetColumnCount() const { return nCols_; }
  int GetFixedRowCount() const { return nFixedRows_; }
  int GetFixedColumnCount() const { return nFixedCols_; }
  bool SetNumberOfRows(int n);
  bool SetNumberOfColumns(int n);
  bool SetNumberOfFixedRows(int n);
  bool SetNumberOfFixedColumns(int n);
  // Returns the new column's position or -1.
  int AddColumn(const QString& heading, uint32_t formato, int posicao = -1);
  // Returns the new row or -1 (a position equal to the row count is refused).
  int AddRow(const QString& heading, int posicao = -1);
  bool RemoveColumn(int col);
  bool RemoveRow(int row);
  bool RemoveNonFixedRows();
  bool ClearAll();
  bool SetVirtual(bool on);
  bool IsVirtual() const { return virtual_; }
  void SetWholeRowSelection(bool on);
  bool GetWholeRowSelection() const { return linhaInteira_; }
  // Accepted only for a class derived from CTableCellBase that can be created.
  bool SetCellClass(const GridCellClass* classe);
  const GridCellClass* GetCellClass() const { return classeCelula_; }

  // ---- sizes and geometry ---------------------------------------------------------
  int HeightOfRow(int row) const;
  int WidthOfColumn(int col) const;
  bool SetHeightOfRow(int row, int altura);
  bool SetWidthOfColumn(int col, int largura);
  int GetFixedRowHeight() const;
  int GetFixedColumnWidth() const;
  int GetVirtualHeight() const;
  int GetVirtualWidth() const;
  bool GetCellOrigin(int row, int col, QPoint* p);
  bool GetCellRect(int row, int col, QRect* r);
  CCellID GetCellFromPt(QPoint p, bool permiteFixas = true);
  CCellID GetTopleftNonFixedCell(bool recalcula = false);
  CCellRange GetVisibleNonFixedCellRange(QRect* r = nullptr);
  CCellRange GetVisibleFixedCellRange(QRect* r = nullptr);
  CCellRange GetFullyVisibleNonFixedCellRange(QRect* r = nullptr);
  bool IsCellVisible(int row, int col);
  void EnsureVisible(int row, int col);

  // ---- cell attributes ------------------------------------------------------------
  bool SetCellText(int row, int col, const QString& texto);
  QString GetCellText(int row, int col);
  bool SetCellTextFmt(int row, int col, const char* formato, std::initializer_list<plat::ArgFormato> args);
  bool SetCellTextFmtID(int row, int col, int idFormato, std::initializer_list<plat::ArgFormato> args);
  bool SetCellFormat(int row, int col, uint32_t formato);
  uint32_t GetCellFormat(int row, int col);
  bool SetCellImage(int row, int col, int imagem);
  int GetCellImage(int row, int col);
  bool SetCellData(int row, int col, intptr_t dados);
  intptr_t GetCellData(int row, int col);
  bool SetCellTextColour(int row, int col, COLORREF cor);
  COLORREF GetCellTextColour(int row, int col);
  bool SetCellBackColour(int row, int col, COLORREF cor);
  COLORREF GetCellBackColour(int row, int col);
  bool SetCellFont(int row, int col, const LOGFONT* fonte);
  const LOGFONT* GetCellFont(int row, int col);
  bool IsCellEditing(int row, int col);
  bool SetCellState(int row, int col, uint32_t estado);
  uint32_t GetCellState(int row, int col);
  bool SetItem(const GridItem& item);
  bool GetItem(GridItem* item);
  // Replaces the cell object with one of `classe`, copying the old cell into it.
  bool SetCellType(int row, int col, const GridCellClass* classe);
  // The cell object; null out of range. In virtual mode the one shared cell,
  // valid until the next call.
  CTableCellBase* CellAt(int row, int col) {
    if (row < 0 || col < 0 || row >= nRows_ || col >= nCols_) return nullptr;
    if (virtual_) return CelulaVirtual(row, col);
    if (size_t(row) >= linhas_.size()) return nullptr;
    CTableCellBase* c = CelulaArmazenada(row, col);
    // The selection is kept apart from the cells; the bit reads true through here.
    if (c) SincronizaSelecao(c, row, col);
    return c;
  }
  CTableDefaultCell* GetDefaultCell(bool linhaFixa, bool colunaFixa) const;

  // Modified flags: a row or column below 0 means the grid's flag.
  void SetModified(bool on = true, int row = -1, int col = -1);
  bool GetModified(int row = -1, int col = -1);

  // ---- drawing ----------------------------------------------------------------------
  void AllowRedraw(bool on, bool recalculaBarras = false);
  bool IsRedrawAllowed() const { return redesenha_; }
  bool RedrawCell(int row, int col, QPainter* dc = nullptr);
  bool RedrawRow(int row);
  bool RedrawColumn(int col);
  void InvalidateCellRect(const CCellRange& range);
  // 0 none, 1 horizontal, 2 vertical, 3 both.
  void SetGridLines(int modo);
  int GetGridLines() const { return linhasGrade_; }
  // The normal default cell's font; setting passes it to all four default cells.
  void SetGridFont(const LOGFONT& fonte);
  LOGFONT GetGridFont() const;

  // ---- sizing to content --------------------------------------------------------------
  enum AutoSizeScope : uint32_t { GVS_DEFAULT = 0, GVS_HEADER = 1, GVS_DATA = 2, GVS_BOTH = 3 };
  bool AutoSizeColumn(int col, uint32_t escopo = GVS_DEFAULT, bool recalcula = true);
  bool AutoSizeRow(int row, bool recalcula = true);
  void FitColumnsToContents(uint32_t escopo = GVS_DEFAULT);
  void AutoSizeRows();
  void AutoSize(uint32_t escopo = GVS_DEFAULT);
  void ExpandColumnsToFit(bool incluiFixas = true);
  void ExpandLastColumn();
  void ExpandRowsToFit(bool incluiFixas = true);
  void ExpandToFit(bool incluiFixas = true);
  void FillWindow();

  // Column layout snapshot: magic 0x05FD4E64, count, order, widths.
  std::vector<int32_t> GetColumnLayout() const;
  bool SetColumnLayout(const std::vector<int32_t>& bloco);

  // ---- options ------------------------------------------------------------------------
  void SetOutsideColour(COLORREF c) { corFora_ = c; viewport()->update(); }
  COLORREF GetOutsideColour() const { return corFora_; }
  void SetGridLineColour(COLORREF c) { corLinhas_ = c; viewport()->update(); }
  COLORREF GetGridLineColour() const { return corLinhas_; }
  void SetTitleTipBackColour(COLORREF c) { corFundoDica_ = c; }
  void SetTitleTipTextColour(COLORREF c) { corTextoDica_ = c; }
  COLORREF GetTitleTipBackColour() const { return corFundoDica_; }
  COLORREF GetTitleTipTextColour() const { return corTextoDica_; }
  void SetEditable(bool on) { editavel_ = on; }
  bool IsEditable() const { return editavel_; }
  void EnableDragAndDrop(bool on);
  bool IsDragAndDropEnabled() const { return arrastar_; }
  void SetSingleRowSelection(bool on) { linhaUnica_ = on; }
  bool GetSingleRowSelection() const { return linhaUnica_; }
  void SetSingleColSelection(bool on) { colunaUnica_ = on; }
  bool GetSingleColSelection() const { return colunaUnica_; }
  void EnableSelection(bool on);
  bool IsSelectable() const { return selecionavel_; }
  void SetFixedColumnSelection(bool on) { colunaFixaSelecionaLinhas_ = on; }
  bool GetFixedColumnSelection() const { return colunaFixaSelecionaLinhas_; }
  void SetFixedRowSelection(bool on) { linhaFixaSelecionaColunas_ = on; }
  bool GetFixedRowSelection() const { return linhaFixaSelecionaColunas_; }
  void SetHeaderSort(bool on) { cliqueOrdena_ = on; }
  bool GetHeaderSort() const { return cliqueOrdena_; }
  void SetHandleTabKey(bool on) { guardaTab_ = on; }
  bool GetHandleTabKey() const { return guardaTab_; }
  void SetDoubleBuffering(bool on) { buffer_ = on; }
  bool GetDoubleBuffering() const { return buffer_; }
  void EnableTitleTips(bool on) { dicas_ = on; }
  bool GetTitleTips() const { return dicas_; }
  void SetHiddenColResizable(bool on) { colunaOcultaRedimensiona_ = on; }
  void SetHiddenRowResizable(bool on) { linhaOcultaRedimensiona_ = on; }
  void SetColumnsShrinkToZero(bool on) { colunaEncolheZero_ = on; }
  void SetRowsShrinkToZero(bool on) { linhaEncolheZero_ = on; }
  void SetTrackFocusCell(bool on) { marcaCabecalhosFoco_ = on; viewport()->update(); }
  bool GetTrackFocusCell() const { return marcaCabecalhosFoco_; }
  void SetFrameFocusCell(bool on) { molduraFoco_ = on; viewport()->update(); }
  bool GetFrameFocusCell() const { return molduraFoco_; }
  void SetAutoSizeStyle(uint32_t escopo) { escopoAuto_ = escopo; }
  uint32_t GetAutoSizeStyle() const { return escopoAuto_; }
  void SetPrintAtScreenScale(bool on) { escalaTela_ = on; }
  bool GetPrintAtScreenScale() const { return escalaTela_; }
  void SetPrintColour(bool on) { imprimeCores_ = on; }
  bool GetPrintColour() const { return imprimeCores_; }
  void SetImageList(const GridImageList* lista) { imagens_ = lista; }
  const GridImageList* GetImageList() const { return imagens_; }
  void SetRowResize(bool on) { linhasRedimensionam_ = on; }
  void SetColumnResize(bool on) { colunasRedimensionam_ = on; }
  bool GetRowResize() const { return linhasRedimensionam_; }
  bool GetColumnResize() const { return colunasRedimensionam_; }
  void SetDropMovesRows(bool on) { soltarMoveLinhas_ = on; }
  bool GetDropMovesRows() const { return soltarMoveLinhas_; }
  void SetHeadingsDragColumns(bool on) { cabecalhosArrastam_ = on; }
  bool GetHeadingsDragColumns() const { return cabecalhosArrastam_; }
  void SetTabMovesToNextControl(bool on) { tabProximoControle_ = on; }
  void SetRowSelectionIncludesFixed(bool on) { linhaIncluiFixas_ = on; }
  // Lines per wheel notch; -1 scrolls a page.
  void SetWheelScrollLines(int n) { linhasRoda_ = n; }
  int GetWheelScrollLines() const { return linhasRoda_; }

  // ---- focus, selection and sorting -------------------------------------------------
  // Moves the focus; returns the previous focus cell.
  CCellID MoveFocusCell(int row, int col);
  CCellID GetFocusCell() const { return foco_; }
  void SelectRange(const CCellRange& range, bool repintaJa = false, bool seleciona = true);
  void SelectRange(int r0, int c0, int r1, int c1, bool repintaJa = false, bool seleciona = true) {
    SelectRange(CCellRange(r0, c0, r1, c1), repintaJa, seleciona);
  }
  void SelectAllCells();
  void SelectColumns(CCellID cell, bool repintaJa = false, bool seleciona = true);
  void SelectRows(CCellID cell, bool repintaJa = false, bool seleciona = true);
  void SelectCells(CCellID cell, bool repintaJa = false, bool seleciona = true);
  void ClearSelection();
  CCellRange GetSelectedCellRange();
  bool IsCellSelected(int row, int col) const;
  bool HasSelection() const { return !selecao_.Empty(); }
  int64_t GetSelectedCount() const { return selecao_.Count(); }
  // The next cell from `de` (or the first) whose state has every bit of
  // `estado`, searching in direction `direcao` (0 after it row by row, 1 above,
  // 2 below, 3 left, 4 right).
  CCellID GetNextCell(CCellID de, uint32_t estado, int direcao = 0);

  bool SortRowsByColumn(GridCompareFunc compara, int col, bool ascendente, intptr_t dados = 0);
  bool SortByColumn(int col, bool ascendente, intptr_t dados = 0);
  bool SortTextItems(int col, bool ascendente, intptr_t dados = 0);
  void SetSortComparer(GridCompareFunc compara) { comparador_ = compara; }
  GridCompareFunc GetSortComparer() const { return comparador_; }
  void SetSortColumn(int col);
  int GetSortColumn() const { return colunaOrdem_; }
  void SetSortAscending(bool on) { ordemAscendente_ = on; }
  bool GetSortAscending() const { return ordemAscendente_; }
  // The text comparer: the two texts byte-wise as Windows-1252 strings; a missing cell is equal.
  static int CompareCellText(const CTableCellBase* a, const CTableCellBase* b, intptr_t dados);
  // The texts read as long integers: -1, 0 or 1.
  static int CompareCellNumeric(const CTableCellBase* a, const CTableCellBase* b, intptr_t dados);

  // ---- editing, clipboard, drag and drop ------------------------------------------------
  // `tecla` is why the edit starts, `digitado` the character typed (if any).
  virtual void EditCell(int row, int col, QPoint ponto, int tecla, const QString& digitado = QString());
  virtual void EndCellEdit(int row, int col, const QString& texto);
  virtual bool CheckCellEdit(int row, int col, const QString& texto);
  virtual void FinishEditing();
  // Paste, cut and drop store text through here: -105 first, then as an edit.
  bool SetTextAsEdited(int row, int col, const QString& texto);
  void ClearRangeAsEdited(const CCellRange& range);
  virtual void CutSelectedText();
  // The selection's clipboard data (plain text); null when nothing is selected.
  virtual QMimeData* CopySelectionToDataSource();
  // The selection as the clipboard text ("a\tb\r\n\tc").
  QString SelectionText();
  virtual bool PasteTextAt(int row, int col, const QMimeData* dados, bool selecionaColado);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditPaste();
  virtual void OnEditSelectAll();
  // Menu and tool-bar states of the four edit commands.
  bool CanCopy() const;
  bool CanCut() const;
  bool CanPaste();
  bool CanSelectAll() const { return selecionavel_; }
  virtual void StartDrag();
  virtual Qt::DropAction DragEnter(const QMimeData* dados, Qt::KeyboardModifiers teclas, QPoint ponto);
  virtual Qt::DropAction DragOver(const QMimeData* dados, Qt::KeyboardModifiers teclas, QPoint ponto);
  virtual void DragLeave();
  virtual bool DropData(const QMimeData* dados, Qt::DropAction efeito, QPoint ponto);
  virtual QPixmap MakeDragImage(QSize* tamanho);
  // Runs the drag loop for `dados` and answers the effect of the drop; the
  // platform's drag by default. Tests put a scripted drop in its place.
  using ExecutaArrasto = std::function<Qt::DropAction(CTableCtrl& origem, QMimeData* dados)>;
  static void DefineExecutorArrasto(ExecutaArrasto executor);
  // The edit box's end record (control id 8, code -106); `teclas` the
  // modifiers held with the key that ended it.
  int OnEndInPlaceEdit(GridDisplayRequest& fim, Qt::KeyboardModifiers teclas = Qt::NoModifier);
  CTitleTip* TitleTip() const { return dica_.get(); }

  // ---- virtual mode ------------------------------------------------------------------
  void SetCallbackFunc(GridCallbackFunc funcao, intptr_t usuario) { callback_ = std::move(funcao); usuarioCallback_ = usuario; }
  void SetRowComparator(GridRowComparator comparador) { comparaLinhas_ = std::move(comparador); }
  // The dragged column; during a virtual sort, the stored index of the sort column.
  int GetDraggedColumn() const { return colunaArrastada_; }
  virtual void ShiftRowOrder(int indice, int delta);
  void NotifyOwnerOfRange(const CCellRange& range);
  const std::vector<int>& GetRowOrder() const { return ordemLinhas_; }
  const std::vector<int>& GetColumnOrder() const { return ordemColunas_; }

  // ---- notifications ----------------------------------------------------------------------
  // Sends code (row, column) to the owner; its reply.
  int NotifyOwner(int codigo, int row = -1, int col = -1);
  int NotifyOwner(GridNmHdr& hdr);

  // ---- printing and text files ------------------------------------------------------------
  void SetPrintLayout(int cabecalho, int rodape, int esquerda, int direita, int superior, int inferior, int espaco);
  void GetPrintLayout(int* valores7) const;
  virtual void BeginPrinting(QPainter* dc, CPrintInfo* info);
  virtual void PrintPage(QPainter* dc, CPrintInfo* info);
  virtual void EndPrinting(QPainter* dc, CPrintInfo* info);
  virtual void PrintRowBand(int primeiraCol, int fimCol, int row, QRect rect, QPainter* dc, bool primeira);
  virtual void PrintHeadingRows(QPainter* dc, CPrintInfo* info);
  virtual void PrintPageHeader(QPainter* dc, CPrintInfo* info);
  virtual void PrintPageFooter(QPainter* dc, CPrintInfo* info);
  virtual void PrintHeadingColumns(QPainter* dc, CPrintInfo* info);
  // Prints every page on `impressora`, or on the printer the print dialog chooses when null.
  bool Print(QPrinter* impressora = nullptr);
  int GetPageCount() const { return paginas_; }
  // The page of the last print job in its logical units, and the print font's character size.
  QSize GetPrintPageSize() const { return imp_.pagina; }
  QSize GetPrintCharSize() const { return QSize(imp_.larguraCaractere, imp_.alturaCaractere); }
  // Whether the printer in use prints only two colours.
  bool PrinterIsMonochrome() const { return monocromatica_; }
  bool SaveAsText(const QString& arquivo, QChar delimitador);
  bool LoadFromText(const QString& arquivo, QChar delimitador);

  // ---- overridables ------------------------------------------------------------------------
  virtual void PaintGrid(QPainter* dc);
  virtual CTableCellBase* CreateCell(int row, int col);
  virtual void DestroyCell(int row, int col);
  virtual void FixedColumnClicked(CCellID cell);
  virtual void FixedRowClicked(CCellID cell);

  // The mouse mode (see CTableCtrlMouse.cpp).
  enum MouseMode {
    MOUSE_NOTHING = 0, MOUSE_SELECT_ALL = 1, MOUSE_SELECT_COL = 2, MOUSE_SELECT_ROW = 3, MOUSE_SELECT_CELLS = 4,
    MOUSE_OVER_ROW_DIVIDE = 6, MOUSE_SIZING_ROW = 7, MOUSE_OVER_COL_DIVIDE = 8, MOUSE_SIZING_COL = 9,
    MOUSE_PREPARE_EDIT = 10, MOUSE_PREPARE_DRAG = 11, MOUSE_DRAGGING = 12,
  };
  int GetMouseMode() const { return modoMouse_; }

  // Line, page and end scrolls, as the scroll bars send them.
  enum ScrollCode { SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
                    SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8 };
  void OnHScroll(int codigo, int posicao = 0);
  void OnVScroll(int codigo, int posicao = 0);
  int GetScrollPos(Qt::Orientation o) const;
  // Recomputes the scroll bars.
  void ResetScrollBars();

  // The owner's refusal codes are negative.
  static constexpr int IdEdicao = 8;
  static constexpr int TimerAutoRolagem = 513;

protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void changeEvent(QEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool focusNextPrevChild(bool next) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

  // Printing state shared with CTableCtrlEx.
  struct Impressao {
    QFont fonte;
    bool temFonte = false;
    int larguraCaractere = 0, alturaCaractere = 0;
    int alturaCorpo = 0;          // page body height
    QSize pagina;                 // page size, logical units
    QSize impressora;             // printer size, device units
    int larguraCorpo = 0;         // page body width
    int primeiraColuna = 0, linhaAtual = 0;
    int paginasAcross = 1;
    std::vector<int> inicioPaginas;      // first row of each page row
    std::vector<int> inicioColunas;      // first column of each column page
  };
  Impressao imp_;
  int layout_[7] = {2, 2, 4, 4, 1, 1, 1};  // header, footer, left, right, top, bottom, gap
  int paginas_ = 0;
  bool monocromatica_ = false;
  // Page walks done once when printing begins.
  void ContaPaginas(int alturaCorpo, int larguraCorpo);
  void PreparaFontePagina(QPainter* dc);
  // Prints the fixed and body cells of page `p` with the origin at the top of the body.
  void PrintPageBody(QPainter* dc, int pagina);
  // Sorting a normal grid (the quicksort the files' row order depends on).
  bool SortNormal(GridCompareFunc compara, int col, bool ascendente, intptr_t dados, int baixo, int alto);

private:
  friend class CTableAccessible;
  friend class CTableDropTarget;

  // Storage of a normal grid: rows of owned cell pointers, by stored column index.
  using Linha = std::vector<CTableCellBase*>;
  CTableCellBase* CelulaArmazenada(int row, int col) const {
    return linhas_[size_t(row)]->at(size_t(ordemColunas_[size_t(col)]));
  }
  void DestroiLinha(int row);
  bool CriaCelulasLinha(Linha& linha, int row);
  void ReiniciaOrdemColunas();
  void ReiniciaOrdemLinhas();
  void AjustaSelecao();
  // Deselects everything, leaving the focus where it is.
  void LimpaSelecao();
  // Sets the mode 6 or 8 when the point is over a divider (as a hover does).
  void AtualizaModoSobre(QPoint p);
  CTableCellBase* CelulaVirtual(int row, int col);
  void SincronizaSelecao(CTableCellBase* c, int row, int col) const {
    const bool sel = selecao_.Contains(row, col);
    const uint32_t s = c->State();
    if (bool(s & GVIS_SELECTED) != sel) c->AssignState(sel ? (s | GVIS_SELECTED) : (s & ~GVIS_SELECTED));
  }
  bool DefineFixas(Qt::Orientation o, int n);
  template <class F> bool Atribui(int row, int col, bool marca, F f);
  void InvalidaTopoEsquerdo() { topoEsquerdo_ = CCellID(); }
  void RepintaCelulas(const std::vector<CCellID>& celulas, bool repintaJa);
  std::vector<CCellID> CelulasVisiveis();
  void AtualizaCoresSistema();
  bool PosicaoCelula(int row, int col, QPoint* p);

  // Mouse helpers (CTableCtrlMouse.cpp).
  bool SobreDivisorLinha(QPoint p);
  bool SobreDivisorColuna(QPoint p);
  void EstendeSelecaoPorModo(CCellID cell);
  void MostraDicaTitulo(CCellID cell);
  void InverteLinhaRastreio(int pos, bool vertical);
  void TeclaNavegacao(int vk, Qt::KeyboardModifiers mods, bool repeteEdicao);
  void AutoRolagem();
  void ComecaAutoRolagem();
  void ParaAutoRolagem();
  void CursorPara(QPoint p);

  // Scroll helpers.
  void AcaoBarra(Qt::Orientation o, int acao);
  void Rola(Qt::Orientation o, int codigo, int posicao);
  int Tamanho(Qt::Orientation o, int i) const;  // width of column i or height of row i
  void ComecaRedimensionar(Qt::Orientation o, QPoint p);
  void RolaPara(Qt::Orientation o, int pos, bool repinta);
  int MaximoRolagem(Qt::Orientation o) const;
  // The scroll position that shows non-fixed row or column `i` whole, the
  // view's first one being `primeira`.
  int PosicaoQueMostra(Qt::Orientation o, int i, int primeira);

  // Editing helpers (CTableCtrlEdit.cpp).
  void ContinuaEdicao(int tecla, Qt::KeyboardModifiers mods);
  bool AlvoColagem(CCellID* alvo);
  // SetTextAsEdited, the cell repainted only when `redesenha`: the commands
  // that write many cells repaint the window once.
  bool EscreveComoEditado(int row, int col, QStringView texto, bool redesenha);
  void ApagaComoEditadas(const std::vector<CCellID>& celulas);
  // While a command writes many cells, the owner is looked up once.
  struct DonoDoLote {
    CTableCtrl& g;
    CTableOwner* antes;
    explicit DonoDoLote(CTableCtrl& grade) : g(grade), antes(grade.donoLote_) { if (!antes) g.donoLote_ = g.GetOwner(); }
    ~DonoDoLote() { g.donoLote_ = antes; }
  };

  // Members, in the order of the data they stand for.
  COLORREF corFora_;
  COLORREF corLinhas_ = 0xC0C0C0;
  COLORREF coresLembradas_[4];  // window text, window, button face, button shadow
  COLORREF corFundoDica_ = GridColour::Default, corTextoDica_ = GridColour::Default;
  bool virtual_ = false;
  intptr_t usuarioCallback_ = 0;
  GridCallbackFunc callback_;
  int linhasGrade_ = 3;
  bool editavel_ = true;
  bool modificado_ = false;
  bool arrastar_ = false;
  bool linhaInteira_ = false;
  bool linhaUnica_ = false;
  bool colunaUnica_ = false;
  bool redesenha_ = true;
  bool selecionavel_ = true;
  bool colunaFixaSelecionaLinhas_ = true;
  bool linhaFixaSelecionaColunas_ = true;
  bool cliqueOrdena_ = false;
  bool guardaTab_ = true;
  bool buffer_ = true;
  bool dicas_ = true;
  bool escalaTela_ = false;
  bool colunaOcultaRedimensiona_ = true, linhaOcultaRedimensiona_ = true;
  bool colunaEncolheZero_ = true, linhaEncolheZero_ = true;
  bool marcaCabecalhosFoco_ = true;
  bool molduraFoco_ = true;
  uint32_t escopoAuto_ = GVS_BOTH;
  int nRows_ = 0, nFixedRows_ = 0, nCols_ = 0, nFixedCols_ = 0;
  GridRowHeights alturas_;
  std::vector<int> larguras_;
  const GridCellClass* classeCelula_ = &CTableCell::classe;
  std::unique_ptr<CTableDefaultCell> padroes_[4];  // normal, fixed column, fixed row, fixed corner
  const GridImageList* imagens_ = nullptr;
  std::vector<std::unique_ptr<Linha>> linhas_;
  int modoMouse_ = MOUSE_NOTHING;
  bool botaoEsquerdo_ = false;
  QPoint pontoBotao_, ultimoPonto_;
  CCellID celulaBotao_, ancora_, foco_;
  CCellID topoEsquerdo_;
  QBasicTimer timerRolagem_;
  int intervaloRolagem_ = 25;
  int faixaCaptura_ = 3;
  bool linhasRedimensionam_ = true, colunasRedimensionam_ = true;
  int linhasRoda_ = 3;
  int restoRoda_ = 0;  // wheel angle not yet scrolled (touchpads send small steps)
  GridCellSet selecao_;
  GridCellSet anterior_;  // previous selection, kept while Ctrl-clicks add to it
  bool baseEhAnterior_ = false;  // the selection is the previous one plus its rectangle
  std::unique_ptr<CTitleTip> dica_;
  CCellID alvoSoltar_;
  bool ordemAscendente_ = true;
  int colunaOrdem_ = -1;
  GridCompareFunc comparador_ = nullptr;
  bool imprimeCores_ = true;
  int colunaArrastada_ = -1;
  std::vector<int> ordemLinhas_, ordemColunas_;
  bool soltarMoveLinhas_ = true;
  int linhaBotao_ = -1;
  GridRowComparator comparaLinhas_;
  bool destruindo_ = false;
  bool cabecalhosArrastam_ = false;
  bool tabProximoControle_ = false;
  bool linhaIncluiFixas_ = false;

  // Not in the record: the window's id and owner, the virtual-mode request
  // and shared cell, the tracking line and guards.
  int id_ = 0;
  CTableOwner* dono_ = nullptr;
  CTableOwner* donoLote_ = nullptr;  // see DonoDoLote
  GridDisplayRequest pedido_;
  std::unique_ptr<CTableCell> celulaVirtual_;
  int linhaRastreio_ = -1;  // position of the resize tracking line, -1 none
  bool rastreioVertical_ = false;
  bool rolandoInterno_ = false;
  bool terminandoEdicao_ = false;
  bool arrastando_ = false;
  bool editando_ = false;  // an end-edit in progress
  // The cells a drag took out, and where a drop on this grid pasted during it.
  GridCellSet arrastadas_;
  CCellRange coladoNoArraste_;
  bool soltouAqui_ = false;
};
