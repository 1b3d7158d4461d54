#pragma once
// The flat column header of the report list: items kept in insertion order and
// shown in a display order of their own, painted flat (one raised frame, etched
// dividers, a sort mark), with extended data per item (flags, width limits, tip
// text), a fit of the columns to the parent's width, divider dragging held to
// each column's limits, and columns moved by drag and drop with a floating image
// of the item and a red double arrow at the drop gap.
#include "ReportImageList.h"

#include <QPixmap>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>

class CPlainHeaderCtrl;

// Fields of a HeaderItem given (set) or wanted (get).
namespace HeaderMask {
enum : quint32 { Width = 0x01, Text = 0x02, Format = 0x04, Param = 0x08, Bitmap = 0x10, Image = 0x20, Order = 0x80 };
}
// Bits of an item's format word.
namespace HeaderFormat {
enum : int {
  Left = 0, Right = 1, Center = 2, AlignMask = 3,
  Image = 0x800, BitmapOnRight = 0x1000, Bitmap = 0x2000, String = 0x4000, OwnerDraw = 0x8000,
};
}
// Header styles.
namespace HeaderStyle {
enum : quint32 { Buttons = 0x02, DragDrop = 0x40, FullDrag = 0x80 };
}
// Hit flags of CPlainHeaderCtrl::HitTest.
namespace HeaderHit {
enum : quint32 { Nowhere = 0x01, OnHeader = 0x02, OnDivider = 0x04, OnHiddenDivider = 0x08 };
}
// Flags of the extended data.
namespace HeaderExFlag {
enum : quint32 { FitContent = 0x01, FitSortRoom = 0x02, FixedWidth = 0x04, NoDragOff = 0x10 };
}
// Notifications to the parent.
namespace HeaderCode {
enum : int { RightClick = -5, ItemChanged = -301, ItemClick = -302, DividerDoubleClick = -305,
             BeginDrag = -310, EndDrag = -311 };
}

struct HeaderItem {
  quint32 mask = 0;
  int width = 0;
  QString text;
  int format = HeaderFormat::String;
  qintptr lParam = 0;
  QPixmap bitmap;
  int image = -1;
  int order = -1;
};

// Extended data of one item. A maximum of 0 or below is no limit.
struct HDITEMEX {
  quint32 flags = 0;
  int minWidth = 0;
  int maxWidth = 0;
  QString tip;
};

// Working record of the column fit.
struct structFHAutoSize {
  int item = 0;
  int width = 0;
  int minWidth = 0;
  int maxWidth = 0;
};

struct HeaderNotify {
  CPlainHeaderCtrl* from = nullptr;
  int id = 0;
  int code = 0;
  int item = -1;
  int button = 0;           // 1 with the begin of a drag, 0 with its end
  quint32 changed = 0;      // HeaderMask of what an item change touched
  const HeaderItem* record = nullptr;
  QPoint point;             // right click, header coordinates
};

// The floating image of a dragged item.
class CPHDragWnd : public QWidget {
  Q_OBJECT
public:
  CPHDragWnd();
  // The rectangle in screen coordinates; `item` is -1 for a record of no header item.
  virtual bool Create(const QRect& tela, CPlainHeaderCtrl* header, int item, const HeaderItem& registro);
protected:
  virtual void PaintContent(QPainter& p);
  void paintEvent(QPaintEvent*) override;
private:
  CPlainHeaderCtrl* header_ = nullptr;
  int item_ = -1;
  HeaderItem registro_;
};

// The red double arrow marking the drop gap.
class CPHDropWnd : public QWidget {
  Q_OBJECT
public:
  CPHDropWnd();
  virtual bool Create(int alturaHeader);
  int Height() const { return altura_; }
protected:
  void paintEvent(QPaintEvent*) override;
private:
  int altura_ = 0;
};

class CPlainHeaderCtrl : public QWidget {
  Q_OBJECT
public:
  explicit CPlainHeaderCtrl(QWidget* parent = nullptr);
  ~CPlainHeaderCtrl() override;

  void SetHeaderStyle(quint32 estilo) { estilo_ = estilo; }
  quint32 HeaderStyle() const { return estilo_; }
  void SetId(int id) { id_ = id; }
  int Id() const { return id_; }
  // The parent's answer to a notification (non-zero refuses a drag).
  void SetNotifyHandler(std::function<long(HeaderNotify&)> h) { aviso_ = std::move(h); }

  // The platform header's item store.
  int InsertItem(int indice, const HeaderItem& item);
  bool DeleteItem(int indice);
  bool GetItem(int indice, HeaderItem& item) const;
  bool SetItem(int indice, const HeaderItem& item);
  int GetItemCount() const { return int(itens_.size()); }
  QRect GetItemRect(int indice) const;  // header coordinates
  QVector<int> GetOrderArray() const { return ordem_; }
  bool SetOrderArray(const QVector<int>& ordem);
  int OrderToIndex(int posicao) const;
  int IndexToOrder(int indice) const;
  int HitTest(QPoint p, quint32* flags = nullptr) const;
  void SetImageList(const ReportImageList* lista);
  const ReportImageList* ImageList() const { return imagens_; }
  int TotalWidth() const;

  // Options 1-7: margin, sort-mark size (width low 16 bits, height high 16 bits),
  // widen layout, outside cursor id, chooser window (a QWidget*), tooltips, fit mode.
  bool SetHeaderOption(int opcao, qintptr valor);
  void SetSortMark(int coluna, bool ascendente);
  int GetSortMark(bool* ascendente = nullptr) const;
  int GetDropTargetState() const { return alvoDrop_; }
  void SetFixedHeight(int altura) { alturaFixa_ = altura; }
  int GetHeaderHeight() const { return alturaFixa_ > 0 ? alturaFixa_ : height(); }
  bool IsApplyingWidths() const { return aplicandoLarguras_; }
  bool GetItemEx(int indice, HDITEMEX& ex) const;
  bool SetItemEx(int indice, const HDITEMEX& ex);
  quint32 GetItemExFlags(int indice) const;
  bool SetItemExFlags(int indice, quint32 flags);
  void FitColumns(int item);
  void FitAllColumns() { FitColumns(-1); }
  // The layout request: the header's rectangle at the top of `area`, which loses its height.
  QRect Layout(QRect& area);
  // The drop arrow: at the item under a screen point, or at a gap; answers the gap.
  int SetHotDivider(bool ehPonto, QPoint tela, int posicao = -1);
  int Margin() const { return margem_; }
  QWidget* ChooserWindow() const { return escolhedor_; }
  bool Dragging() const { return arrastando_; }
  int DropPosition() const { return posDrop_; }
  // The gap index for a point in header coordinates (-1 off the items).
  int GapAt(QPoint p) const;
  // The order after moving the item at display position `de` to gap `lacuna`.
  static QVector<int> ReorderForDrop(const QVector<int>& ordem, int de, int lacuna);
  // Width of an item's content: margins, image, bitmap, sort-mark room, text.
  int ContentWidth(int indice, bool espacoMarca) const;

  virtual void DrawHeaderItem(QPainter& p, int left, int top, int right, int bottom, const HeaderItem& item,
                              bool ordenado, bool ascendente);

protected:
  virtual void DrawItem(QPainter& p, int indice, const QRect& r);  // owner-drawn items
  // The width the fit fills: the parent's client width.
  virtual int ParentClientWidth() const;
  long NotificaPai(HeaderNotify& n);

  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;
  void changeEvent(QEvent*) override;
  bool event(QEvent*) override;

private:
  struct Item {
    HeaderItem dados;
    HDITEMEX ex;
  };
  void DrawSortMark(QPainter& p, int x, int top, int bottom, bool ascendente) const;
  void CancelaArrasto(bool mover);
  void AtualizaCursor(QPoint p);
  void LimitesDivisor(int indice, int& minimo, int& maximo) const;
  void MudaLargura(int indice, int largura);
  QCursor CursorFora() const;

  QVector<Item> itens_;
  QVector<int> ordem_;              // item index per display position
  const ReportImageList* imagens_ = nullptr;
  quint32 estilo_ = HeaderStyle::Buttons | HeaderStyle::DragDrop | HeaderStyle::FullDrag;
  int id_ = 0;
  std::function<long(HeaderNotify&)> aviso_;
  int margem_ = 6;
  int marcaL_ = 8, marcaA_ = 8;     // sort-mark size
  bool alargaLayout_ = false;
  int cursorFora_ = 0;              // cursor resource id, 0 the "no" cursor
  QPointer<QWidget> escolhedor_;
  QRect retEscolhedor_;             // screen rectangle taken when a drag starts
  int alvoDrop_ = -1;               // 0 header, 1 chooser, 2 cannot leave, -1 outside
  bool dicas_ = false;
  int modoAjuste_ = 0;
  bool aplicandoLarguras_ = false;
  bool rastreando_ = false;         // a divider is being dragged
  int itemRastreado_ = -1;
  int origemRastreio_ = 0;          // x of the item's left edge
  int posDrop_ = -1;
  QColor corSeta_ = QColor(255, 0, 0);
  CPHDropWnd* janelaDrop_ = nullptr;
  bool botaoAbaixo_ = false;
  bool arrastando_ = false;
  CPHDragWnd* janelaArrasto_ = nullptr;
  QPoint pontoPressao_;
  int itemPressionado_ = -1;
  quint32 hitPressao_ = 0;
  HeaderItem registroPressionado_;
  bool ascendente_ = false;
  int colunaOrdenada_ = -1;
  int alturaFixa_ = -1;
  bool cursorSobreposto_ = false;
};
