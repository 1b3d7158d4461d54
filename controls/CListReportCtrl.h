#pragma once
// The system's own multi-column list: rows of cells under a flat header, with
// per-cell images, check boxes and colours, per-row colours and heights,
// selection, in-place editing, sorting, an optional tree of rows and a virtual
// mode in which the owner supplies rows on demand. Columns are defined once and
// shown or hidden through the header (or a column chooser); their layout is
// kept in the profile as "(n,m) widths… indices…". The control reports to its
// owner through numbered notifications (ReportCode), each answered at once.
#include "ListReportTypes.h"
#include "ReportImageList.h"
#include "ReportSubItemCode.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <array>

class CListReportHeaderCtrl;
class CListReportSubItemListCtrl;
class CListReportTipCtrl;
class CPlainHeaderCtrl;
class QScrollBar;
class QSettings;
struct HeaderNotify;

class CListReportCtrl : public QWidget {
  Q_OBJECT
public:
  // One defined column.
  struct structSUBITEM {
    quint32 flags = 0;
    int width = 200;
    int minWidth = 0;
    int maxWidth = 0;
    int image = 0;
    QString caption;
  };
  // One stored row.
  struct structITEM {
    QVector<ReportCell> cells;  // one per defined column
    int background = -1;
    int extraHeight = 0;
    int indent = -1;
    quint32 state = 0;
    qintptr data = 0;
    ReportTreeNode* node = nullptr;
  };
  using CompareCallback = std::function<int(int item1, int column1, int item2, int column2, qintptr user)>;

  // Handles of the tree operations, as owners pass them.
  static ReportTreeNode* const TreeRoot;   // the root node
  static ReportTreeNode* const TreeFirst;  // insertion positions
  static ReportTreeNode* const TreeLast;
  static ReportTreeNode* const TreeSorted;

  explicit CListReportCtrl(QWidget* parent = nullptr);
  ~CListReportCtrl() override;

  // Creation. The style is the window style: the control's bits in the low word
  // (ReportStyle), the window bits it reads in the high word (ReportWindowStyle).
  bool Create(quint32 estilo, const QRect& r, QWidget* parent, int id);
  int Id() const { return id_; }
  void SetNotifyHandler(ReportNotifyHandler h) { aviso_ = std::move(h); }

  // ---- items (the model)
  int GetRowItem(ReportItemInfo& info);
  int SetRowItem(const ReportItemInfo& info);
  int GetItemText(int item, int coluna, QString& texto, int tamanho = 256);
  QString ItemText(int item, int coluna);
  int GetItemImage(int item, int coluna);
  int GetItemCheck(int item, int coluna);
  qintptr GetItemData(int item);
  int SetItemText(int item, int coluna, const QString& texto);
  int SetItemImage(int item, int coluna, int imagem);
  int SetItemCheck(int item, int coluna, int check);
  int SetItemData(int item, qintptr dados);
  int AddRowAt(const ReportItemInfo& info);
  int AddRowWithText(int item, const QString& texto, int imagem = -1, int check = -1, int cor = -1);
  int AppendRowWithText(const QString& texto, int imagem = -1, int check = -1, int cor = -1);
  int AppendRowCopy(const ReportItemInfo* info = nullptr);
  int DeleteRow(int item);
  int ClearRows();
  int RowCount() const { return numLinhas_; }
  int StoredRowCount() const { return int(itens_.size()); }
  void SetVirtualRowCount(int n);
  int ItemOfDisplayRow(int linha) const;
  int DisplayPositionOfRow(int item);
  int SetRowOrder(const QVector<int>& ordem);
  QVector<int> RowOrder() const { return ordem_; }
  int MoveRowUp(int linha);
  int MoveRowDown(int linha);
  quint32 GetItemState(int linha);
  void SetItemState(int linha, quint32 estado, quint32 mascara);
  // The codes of a row in the item text format (read-only view of its cells).
  QString SubItemCodes(int item);

  // ---- colour table
  int AddColour(int indice, QRgb cor);
  int SetColour(int indice, QRgb cor);
  int RemoveColour(int indice);
  void ClearColours();
  QRgb GetColour(int indice) const;
  int ColourCount() const { return int(cores_.size()); }

  // ---- tree
  ReportTreeNode* InsertNode(const ReportItemInfo& info, ReportTreeNode* pai, ReportTreeNode* posicao,
                             int colunaSpan = -1);
  ReportTreeNode* InsertNodeWithText(const QString& texto, int imagem, int check, int cor, ReportTreeNode* pai,
                                     ReportTreeNode* posicao, int colunaSpan = -1);
  int DeleteNode(ReportTreeNode* no);
  ReportTreeNode* NextNode(ReportTreeNode* no, int relacao);
  ReportTreeNode* NodeOfRow(int item);
  int CountChildren(ReportTreeNode* no, bool recursivo);

  // ---- window
  quint32 GetControlStyle() const;
  void ChangeControlStyle(quint32 remover, quint32 acrescentar, int flags = 0);
  int SetProperty(int numero, qintptr valor);
  int SetProperty(int numero, const QString& texto);  // 3 empty text, 5 sort hint, 15 tree indent
  qintptr UserValue() const { return valorUsuario_; }
  QString EmptyText() const { return textoVazio_; }
  bool SetImages(const ReportImageList* normal, const ReportImageList* estado);
  const ReportImageList* NormalImages() const { return imagens_; }
  void SetRowHeight(int altura);
  int RowHeight() const { return alturaLinha_; }
  QSize CheckSize() const { return QSize(larguraCheck_, alturaCheck_); }
  void SetRedraw(bool ligado);
  CPlainHeaderCtrl* Header() const;
  bool IsFocused() const { return temFoco_; }
  bool SetBackgroundImage(const QString& recurso);
  int WrappedTextHeight(const QFont& fonte, const QString& texto, const QRect* r = nullptr);
  int LinesHeight(const QFont& fonte, int n);
  bool GetRowRect(int linha, int mostrada, QRect& r, int parte = 0);
  bool GetCellRect(int item, int coluna, QRect& r, int parte = 0);
  void InvalidateRows(int primeira, int ultima, bool agora = false);
  bool EnsureRowVisible(int item, bool parcialBasta = false);
  bool IsRowVisible(int linha, bool parcialBasta = false);
  int VisibleRowCount(bool parcialBasta = false) const;
  int TopRow() const { return topo_; }
  void ScrollPageUp();
  void ScrollPageDown();
  int WheelLines() const { return linhasRoda_; }
  QColor SysColour(int i) const { return corSistema_[std::clamp(i, 0, 11)]; }
  QRect RowsRect() const { return retLinhas_; }
  CListReportTipCtrl* LabelTip() const { return dica_; }
  QRect BandRect() const { return retFaixa_; }
  int HorizontalPosition() const;
  QFont BoldFont() const { return fonteNegrito_; }
  QFont NormalFont() const { return fonte_; }
  // Row height for a font of height `alturaFonte` with `leading`, grid lines and images.
  static int ComputeRowHeight(int alturaFonte, int leading, bool gradeH, int alturaImagem);

  // ---- columns
  int DescribeColumn(int coluna, const ReportColumnInfo& info, bool atualizaEscolhedor = true);
  int RedefineColumn(int coluna, const ReportColumnInfo& info, bool atualizaEscolhedor = true);
  int RemoveColumn(int coluna);
  void RemoveAllColumns();
  int ShowColumnAt(int coluna, int posicao);
  int HideColumn(int coluna);
  int HideAllColumns();
  int SetWidthOfColumn(int coluna, int largura);
  int GetColumnWidth(int coluna);
  bool IsColumnShown(int coluna) const;
  int ShownColumnCount() const;
  int DefinedColumnCount() const { return int(colunas_.size()); }
  const structSUBITEM* ColumnDefinition(int coluna) const;
  int DefinedColumnOfShown(int posicao) const;
  int ShownPositionOfColumn(int coluna) const;
  int SortedColumn(int& coluna) const;
  void SetFirstColumnExtraWidth(int pixels);
  void SyncHeaderOrder();
  int AttachColumnChooser(CListReportSubItemListCtrl* lista);
  CListReportSubItemListCtrl* ColumnChooser() const { return escolhedor_; }
  int TotalWidth() const { return larguraTotal_; }

  // ---- layout in the profile. Without a settings object the process default
  // (DefineDefaultSettings, else QSettings()) is used.
  QString LayoutText();
  int ApplyLayout(const QString& texto);
  bool SaveLayout(const QString& secao, const QString& entrada, QSettings* s = nullptr);
  int RestoreLayout(const QString& secao, const QString& entrada, QSettings* s = nullptr);
  static void DefineDefaultSettings(QSettings* s);

  // ---- selection, keyboard, mouse, editing, sorting
  int HitTest(ReportHitInfo& hit);
  int SetFocusCell(int linha, int mostrada);
  int GetFocusCell(int& mostrada) const;
  int AnchorRow() const { return ancora_; }
  virtual void SelectItems(int primeira, int ultima, bool selecionar, bool manterOutras, bool alternar,
                           bool notificar);
  void SelectRow(int item, bool manterOutras);
  void SelectRows(const QVector<int>& itens, bool manterOutras);
  void SelectNode(ReportTreeNode* no, bool manterOutras);
  void SelectNodes(const QVector<ReportTreeNode*>& nos, bool manterOutras);
  void DeselectAll();
  void SelectAll();
  void InvertSelection();
  void SelectMatching(QChar separador, const QString& padrao, bool manterOutras);
  void SelectByData(int coluna, qintptr limite, bool manterOutras);
  int FindItem(const ReportFindInfo& info, int coluna, int inicio);
  int FirstSelectedRow() const;
  int NextSelectedRow(int item) const;
  int GetSelectedRows(int* itens, int capacidade) const;
  QVector<int> SelectedItems() const { return selecao_; }
  virtual int BeginEdit(int linha, int mostrada, int tecla, EditStart razao = EditStart::Key);
  virtual void EndEdit(bool gravar, ReportEditInfo* info = nullptr);
  QWidget* Editor() const { return editor_; }
  int SortByColumn(int coluna, bool ascendente);
  void SortByHeaderMark();
  void SetCompareCallback(CompareCallback f, qintptr valor);
  CompareCallback GetCompareCallback(qintptr* valor = nullptr) const;
  int ExpandNode(ReportTreeNode* no, int operacao);
  void ExpandToNode(ReportTreeNode* no, bool parcialBasta = false);
  void ExpandAll(ReportTreeNode* no, int operacao, int limite = -1);
  void FocusNode(ReportTreeNode* no);
  void CopySelectedRows();
  virtual QString GetRowText(int item, QChar separador);
  // Case-insensitive pattern with "?" and "*", read from the left without backtracking.
  static bool MatchesPattern(const QString& padrao, const QString& texto);
  // An editor (the built-in one or an owner's) reports -2058 or -2062 here.
  long ReceiveEditorNotify(ReportEditInfo& info);

  // Called by the header subclass and the chooser.
  long OnHeaderNotify(HeaderNotify& n);
  int ParentClientWidthForHeader() const { return retLinhas_.width(); }

signals:
  // Rows, columns or cells changed shape (for accessibility clients).
  void estruturaMudou();

protected:
  virtual bool Initialize();
  virtual void DrawSubItem(QPainter& p, ReportItemInfo& info, const QRect& r);
  virtual void DrawBackground(QPainter& p, const QRect& r, const QColor& cor);
  virtual int CompareItems(int item1, int coluna1, int item2, int coluna2);
  virtual int CompareItemInfos(const ReportItemInfo& a, const ReportItemInfo& b);
  virtual long Notify(ReportNmHdr& registro);
  virtual void LoadSysColors();
  virtual int ReadWheelScrollLines();
  virtual int FindCachedRow(int item);
  virtual int ClaimCacheEntry(int item);
  virtual void InvalidateCachedRow(int item);
  virtual structITEM* GetItemRecord(int item, int coluna);
  virtual void StoreItemRecord(int item, const structITEM& registro);
  virtual void RequestItem(int item, int coluna, structITEM& registro);
  virtual void OnShowTip(ReportItemInfo& info);
  virtual void Paint(QPainter& p, const QRect& clip);
  virtual void DrawRow(QPainter& p, int linha, ReportItemInfo& info, const QRect& r, const QRect& clip,
                       bool impar);
  virtual void DrawTreeButton(QPainter& p, const QRect& quadrado, bool expandido);
  virtual int DrawImage(QPainter& p, ReportItemInfo& info, const QRect& r);
  virtual int DrawCheck(QPainter& p, ReportItemInfo& info, const QRect& r);
  virtual int DrawText(QPainter& p, ReportItemInfo& info, const QRect& r);
  virtual void SortRange(int coluna, int primeira, int ultima, bool ascendente);
  virtual void SortChildren(int coluna, ReportTreeNode* no, bool ascendente, bool recursivo);

  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void focusInEvent(QFocusEvent*) override;
  void focusOutEvent(QFocusEvent*) override;
  void wheelEvent(QWheelEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void changeEvent(QEvent*) override;
  bool event(QEvent*) override;

  const QVector<structSUBITEM>& Columns() const { return colunas_; }

private:
  friend class CListReportAccessible;
  // model
  structITEM LinhaVazia() const;
  structITEM* Registro(int item);  // stored record or insert row, no request
  bool LeCelula(const structITEM& r, int coluna, ReportItemInfo& info) const;
  bool ItemValido(int item) const;
  void MapaDesatualizado() { mapaDesatualizado_ = true; }
  void ReconstroiOrdemArvore();
  void PercorreArvore(ReportTreeNode* no);
  void ApagaNoRecursivo(ReportTreeNode* no);
  void LiberaNos(ReportTreeNode* no);
  ReportTreeNode* NoAnterior(ReportTreeNode* no) const;
  void RemoveRegistro(int item);
  bool ModoVirtual() const { return estilo_ & ReportStyle::Virtual; }
  bool ModoArvore() const { return estilo_ & (ReportStyle::Tree | ReportStyle::TreeEdit); }
  static bool ArvoreDe(ReportTreeNode* no, ReportTreeNode* ancestral);
  ReportTreeNode* NoReal(ReportTreeNode* no) const { return no == TreeRoot || !no ? raiz_ : no; }
  // window
  void Layout();
  void AtualizaRolagem();
  void RolaVertical(int topo);
  void RolaHorizontal(int pos);
  int AlturaDaLinha(int linha);
  int LinhasQueCabem(int desde) const;
  int MaiorTopo() const;
  void AjustaTopoFinal();
  void AplicaFonte();
  QRect RetanguloCliente() const;
  void MostraDica(QPoint p);
  QColor CorTabela(int indice, const QColor& padrao) const;
  void DesenhaFoco(QPainter& p, QRect r);
  void RepintaLinha(int linha);
  // columns
  void RetiraExtra();
  void AplicaExtra();
  void LarguraELimites(int idx, int largura, const structSUBITEM& d);
  void AtualizaEscolhedor();
  int ItemHeaderDaColuna(int coluna) const;
  int LarguraConteudo(int item, int coluna);
  // interaction
  bool MudaSelecao(int linha, quint32 novoEstado, bool notificar);
  void FocaLinha(int linha);
  void ColunaVisivel(int mostrada);
  void MoveFocoVertical(int alvo, Qt::KeyboardModifiers mods);
  long NotificaMouse(int codigo, const ReportHitInfo& hit, Qt::MouseButtons botoes, Qt::KeyboardModifiers mods);
  int ComparaNos(int coluna, ReportTreeNode* a, ReportTreeNode* b);
  void FechaEditor();
  void TerminaEdicaoGravando();
  void Alterado();
  void InvalidaCache();

  // settings
  bool criadoPorCreate_ = false;
  bool redesenha_ = true;
  int margemTexto_ = 6;
  int linhasRoda_ = 3;
  quint32 estilo_ = 0;         // the whole window style
  int id_ = 0;
  ReportNotifyHandler aviso_;
  bool alturasExtras_ = true;
  bool barraHorizontalPermitida_ = true;
  QFont fonte_, fonteNegrito_;
  const ReportImageList* imagens_ = nullptr;
  const ReportImageList* imagensEstado_ = nullptr;
  int larguraImagem_ = 0, alturaImagem_ = 0;
  int larguraCheck_ = 8, alturaCheck_ = 8;
  std::array<QColor, 12> corSistema_;
  QVector<QRgb> cores_;
  Qt::PenStyle estiloCaneta_ = Qt::SolidLine;
  int aparenciaCheck_ = 0;     // 0 flat, 1 monochrome, 2 three-dimensional
  int modoImagem_ = 0;
  QColor corMistura_ = QColor(255, 255, 255);
  QString textoVazio_ = QStringLiteral("No existen clasificaciones en la lista.");
  QString formatoDica_ = QStringLiteral("Clasificar: %s");
  QRect retHeaderFaixa_, retHeader_, retFaixa_, retLinhas_;
  int larguraPadrao_ = 200;
  int alturaLinha_ = 10;
  int larguraTotal_ = 0;
  int numLinhas_ = 0;
  QVector<structSUBITEM> colunas_;
  QVector<structITEM> itens_;
  ReportTreeNode* raiz_ = nullptr;
  bool linhaInsercaoValida_ = false;
  structITEM linhaInsercao_;
  bool cacheLigado_ = true;
  std::array<int, 128> cacheIndice_;
  std::array<structITEM, 128> cache_;
  QVector<int> selecao_;
  bool ordemHeaderDesatualizada_ = false;
  QVector<int> mostradas_;     // header item index per shown position
  QVector<int> mostradasDef_;  // defined column per shown position, as last synchronised
  bool temFoco_ = false;
  int linhaFoco_ = -1, colunaFoco_ = -1, ancora_ = 0;
  QVector<int> ordem_;         // item per display row
  bool extraAplicado_ = false;
  int larguraExtra_ = 0;
  int headerOrdem0_ = -1;
  int colunaExtra_ = -1;       // the column that carries the extra
  bool edicaoArmada_ = false;
  bool mapaDesatualizado_ = false;
  QVector<int> mapa_;          // item -> display row
  int itemEdicao_ = -2, colunaEdicao_ = -1;
  QPointer<QWidget> editor_;
  CompareCallback comparador_;
  qintptr valorComparador_ = 0;
  CListReportHeaderCtrl* header_ = nullptr;
  CListReportTipCtrl* dica_ = nullptr;
  CListReportSubItemListCtrl* escolhedor_ = nullptr;
  QPixmap fundo_;
  qintptr valorUsuario_ = -1;
  // scrolling
  QScrollBar* barraV_ = nullptr;
  QScrollBar* barraH_ = nullptr;
  int topo_ = 0;
  int posH_ = 0;
  bool emLayout_ = false;
  int restoRoda_ = 0;           // wheel turn below one notch
  QColor fundoLinha_;          // background of the row being drawn (image blending)
};
