#pragma once
// What the grid control family shares with the windows that use it: cell
// addresses and ranges, the cell record, the notification records sent to the
// owner and the owner interface, and the grid's colour, font and image helpers.
// Colours are 32-bit 0x00BBGGRR values, as the windows store and compare them;
// fonts travel as the 60-byte logical-font record.
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class CTableCtrl;
class CTableCellBase;

using COLORREF = uint32_t;

// Colour values of the grid and the system colours it starts from.
struct GridColour {
  static constexpr COLORREF Default = 0xFF000000;  // "use the default cell's colour"
  static constexpr COLORREF Rgb(int r, int g, int b) {
    return COLORREF(r & 0xFF) | COLORREF(g & 0xFF) << 8 | COLORREF(b & 0xFF) << 16;
  }
  static constexpr int Red(COLORREF c) { return int(c & 0xFF); }
  static constexpr int Green(COLORREF c) { return int(c >> 8 & 0xFF); }
  static constexpr int Blue(COLORREF c) { return int(c >> 16 & 0xFF); }
  static QColor ToQt(COLORREF c) { return QColor(Red(c), Green(c), Blue(c)); }
  static COLORREF FromQt(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }
  // The system colours the grid uses, read from the application's palette.
  enum System {
    WindowText, Window, ButtonFace, ButtonShadow, Highlight, HighlightText,
    ButtonHighlight, DarkShadow3D, InfoBackground, InfoText, InactiveBorder,
  };
  static COLORREF Sys(System qual);
};

// The platform's 60-byte logical-font record.
struct LOGFONT {
  int32_t lfHeight = 0;       // < 0: character height in pixels; > 0: cell height
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;   // tenths of a degree; 900 and -900 are vertical text
  int32_t lfOrientation = 0;
  int32_t lfWeight = 400;     // 400 normal, 700 bold
  uint8_t lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0;
  uint8_t lfOutPrecision = 0, lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
  char lfFaceName[32] = {};   // Windows-1252, NUL-terminated
  bool operator==(const LOGFONT& o) const;
};
static_assert(sizeof(LOGFONT) == 60);

// Font record <-> Qt font. Heights are pixels of the device the font is drawn on.
QFont GridFont(const LOGFONT& lf);
LOGFONT GridLogFont(const QFont& fonte, int dpiY = 96);
// The system's message font as a record (the default cells' font).
LOGFONT GridMessageFont();
inline bool GridFontIsVertical(const LOGFONT& lf) { return lf.lfEscapement == 900 || lf.lfEscapement == -900; }

// Text-drawing flags of the cells' format (the platform's text-drawing flags).
enum GridFormat : uint32_t {
  DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000,
};
// Qt alignment and text flags for a format.
int GridQtFlags(uint32_t formato);

// Images drawn in cells: pictures of one size, by index.
class GridImageList {
public:
  GridImageList() = default;
  explicit GridImageList(QSize tamanho) : tamanho_(tamanho) {}
  int Add(const QPixmap& imagem);  // index of the new image
  int Count() const { return int(imagens_.size()); }
  QSize ImageSize() const { return tamanho_; }
  bool Info(int indice, QSize* tamanho) const;
  const QPixmap* Image(int indice) const;
private:
  QSize tamanho_;
  std::vector<QPixmap> imagens_;
};

// A cell address, row then column; (-1, -1) is no cell.
struct CCellID {
  int row = -1, col = -1;
  CCellID() = default;
  CCellID(int r, int c) : row(r), col(c) {}
  bool IsValid() const { return row >= 0 && col >= 0; }
  bool operator==(const CCellID&) const = default;
};

// A rectangle of cells; (-1, -1, -1, -1) is no range.
struct CCellRange {
  int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
  CCellRange() = default;
  CCellRange(int r0, int c0, int r1, int c1) : minRow(r0), minCol(c0), maxRow(r1), maxCol(c1) {}
  bool IsValid() const { return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow && minCol <= maxCol; }
  bool InRange(int r, int c) const { return r >= minRow && r <= maxRow && c >= minCol && c <= maxCol; }
  bool InRange(const CCellID& id) const { return InRange(id.row, id.col); }
  CCellID TopLeft() const { return {minRow, minCol}; }
  CCellRange Intersect(const CCellRange& o) const {
    return {std::max(minRow, o.minRow), std::max(minCol, o.minCol), std::min(maxRow, o.maxRow), std::min(maxCol, o.maxCol)};
  }
  int Rows() const { return maxRow - minRow + 1; }
  int Cols() const { return maxCol - minCol + 1; }
  bool operator==(const CCellRange&) const = default;
};

// Which members of a GridItem count.
enum GridItemMask : uint32_t {
  GVIF_TEXT = 0x01, GVIF_IMAGE = 0x02, GVIF_PARAM = 0x04, GVIF_STATE = 0x08, GVIF_BKCLR = 0x10,
  GVIF_FGCLR = 0x20, GVIF_FORMAT = 0x40, GVIF_FONT = 0x80, GVIF_MARGIN = 0x100, GVIF_ALL = 0xFFFFFFFF,
};

// Cell state bits.
enum GridCellState : uint32_t {
  GVIS_FOCUSED = 0x01, GVIS_SELECTED = 0x02, GVIS_DROPHILITED = 0x04, GVIS_READONLY = 0x08,
  GVIS_FIXED = 0x10, GVIS_FIXEDROW = 0x20, GVIS_FIXEDCOL = 0x40, GVIS_MODIFIED = 0x80,
};

// The whole record of one cell.
struct GridItem {
  int row = 0, col = 0;
  uint32_t mask = 0;
  uint32_t nState = 0;
  uint32_t nFormat = 0;
  int iImage = -1;
  COLORREF crBkClr = GridColour::Default;
  COLORREF crFgClr = GridColour::Default;
  intptr_t lParam = 0;
  LOGFONT lfFont;
  int nMargin = 0;
  QString strText;
};

// The notification records: the header every record starts with, then the
// control's own fields.
struct GridNmHdr {
  CTableCtrl* hwndFrom = nullptr;
  int idFrom = 0;
  int code = 0;
};
struct NM_GRIDVIEW {
  GridNmHdr hdr;
  int iRow = -1, iColumn = -1;
};
struct GridDisplayRequest {
  GridNmHdr hdr;
  GridItem item;
};
struct GridCacheHint {
  GridNmHdr hdr;
  CCellRange range;
};

// Notification codes.
enum GridNotify : int {
  GVN_CLICK = -2, GVN_DBLCLK = -3, GVN_RCLICK = -5,
  GVN_SELCHANGING = -100, GVN_SELCHANGED = -101,
  GVN_BEGINLABELEDIT = -105, GVN_ENDLABELEDIT = -106,
  GVN_BEGINDRAG = -109, GVN_ODCACHEHINT = -113, GVN_GETDISPINFO = -150,
};

// The window the grid reports to: its owner, or its parent when it has none.
// The reply to a notification is the message's result.
class CTableOwner {
public:
  virtual ~CTableOwner() = default;
  virtual int OnGridNotify(GridNmHdr& hdr) = 0;
  // The command posted after every left-button release on a cell (notification code 0).
  virtual void OnGridCommand(CTableCtrl* grid, int idControle) {}
};

// Key codes the grid and its edit box pass around (the platform's virtual keys).
enum GridKey : int {
  VK_LBUTTON = 1, VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32,
  VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39,
  VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_F2 = 113,
};
// The Qt key of a virtual key, and back (0 when there is none).
int GridQtKey(int vk);
int GridVirtualKey(int qtKey);

// Compares two cells for a sort: negative, 0 or positive.
using GridCompareFunc = int (*)(const CTableCellBase* a, const CTableCellBase* b, intptr_t dados);
// Virtual mode: fills the request's item; the answer is ignored.
using GridCallbackFunc = std::function<bool(GridDisplayRequest* pedido, intptr_t usuario)>;
// Virtual mode sort: true when stored row a goes before stored row b.
using GridRowComparator = std::function<bool(int a, int b)>;
