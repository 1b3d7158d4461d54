#pragma once
// Records and numbered settings shared by the report list control, its header,
// its editors and its owners. The numbers are the ones owners store and test
// against (style bits, mask bits, notification codes), so they are kept as given.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QtGlobal>
#include <functional>

class QPainter;
class QWidget;

// Fields of a ReportItemInfo that are given (set) or wanted and present (get).
namespace ReportMask {
enum : quint32 {
  Text = 0x001,
  TextColour = 0x002,
  Image = 0x004,
  Check = 0x008,
  Background = 0x010,
  ExtraHeight = 0x020,
  State = 0x040,
  Data = 0x080,
  Indent = 0x100,
  Overlay = 0x200,
};
}

// State bits of a row.
namespace ReportState {
enum : quint32 {
  Focused = 0x01,    // kept by the control
  Selected = 0x02,   // kept by the control
  Bold = 0x04,
  ReadOnly = 0x08,   // cells cannot be edited in place
  OwnerDraw = 0x10,  // the owner draws the cells (-2063)
  Collapsed = 0x20,  // tree node with children, collapsed (kept by the control)
  Expanded = 0x40,   // tree node with children, expanded (kept by the control)
  Blend25 = 0x80,    // image mode 0: images blended 25 % with the blend colour
  Blend50 = 0x100,   // image mode 0: images blended 50 %
};
}

// The control's own style bits (low word of its style).
namespace ReportStyle {
enum : quint32 {
  SingleSelect = 0x0001,
  ShowSelectionAlways = 0x0002,  // selected rows stay highlighted without the focus
  KeepTextColours = 0x0004,      // selected rows keep their own text colours
  AlternateColours = 0x0008,     // odd display rows take colour-table entry 0
  HorizontalGrid = 0x0010,       // the row height is one pixel more
  VerticalGrid = 0x0020,
  NoHeader = 0x0040,
  NoSort = 0x0080,               // a header click does not sort
  ColumnRemoval = 0x0100,        // dragging a header item off the header hides the column
  InsertRow = 0x0200,            // insert-row band (row -1) under the header
  GridToBottom = 0x0400,
  Virtual = 0x0800,
  CellFocus = 0x1000,
  LabelTips = 0x2000,
  Tree = 0x4000,
  TreeEdit = 0x8000,             // tree mode that also inserts and deletes nodes
};
}

// Window-style bits the control reads from the high word of its style.
namespace ReportWindowStyle {
enum : quint32 {
  TabStop = 0x00010000,
  HScroll = 0x00100000,
  VScroll = 0x00200000,
  Border = 0x00800000,    // sunken client edge
  Disabled = 0x08000000,
  Visible = 0x10000000,
  Child = 0x40000000,
};
}

// Column-definition flags: the header format word, the header's extended
// flags in bits 16-23, and the control's own bits above.
namespace ReportColumnFlag {
enum : quint32 {
  AlignMask = 0x3,
  AlignRight = 0x1,
  AlignCenter = 0x2,
  HeaderImage = 0x800,
  HeaderText = 0x4000,
  NoAutoSize = 0x40000,   // extended flag 4: a divider double click does not size the column
  SortHint = 0x80000,     // extended flag 8: the header item carries the sort hint text
  ImageRoom = 0x1000000,  // cells keep room for an image
  CheckRoom = 0x2000000,  // cells keep room for a check box
  NoFocus = 0x4000000,    // the cell focus skips the column
};
}

// Hit-test flags.
namespace ReportHit {
enum : quint32 {
  Nowhere = 0x001,
  Image = 0x002,
  Check = 0x004,
  Text = 0x008,
  Extra = 0x010,
  TreeButton = 0x020,
  InsertRow = 0x040,
  Above = 0x100,
  Below = 0x200,
  Right = 0x400,
  Left = 0x800,
};
}

// Notification codes the control sends to its owner.
namespace ReportCode {
enum : int {
  ExtraDraw = -2048,
  LButtonDown = -2049,
  LDoubleClick = -2050,
  SelectChanging = -2051,
  SelectChanged = -2052,
  HeaderClick = -2053,
  ColumnChanged = -2054,
  DeleteItem = -2055,
  GetItem = -2056,
  BeginEdit = -2057,
  EndEdit = -2058,
  KeyDown = -2059,
  DividerDoubleClick = -2060,
  RButtonDown = -2061,
  EditButton = -2062,
  CustomDraw = -2063,
  TreeButtonClick = -2064,
  TreeToggled = -2065,
  HeaderRightClick = -2066,
};
}

// Flags of a ReportFindInfo.
namespace ReportFind {
enum : quint32 {
  Text = 0x001,
  Partial = 0x002,  // the given text need only begin the cell's text
  Image = 0x004,
  Check = 0x008,
  Data = 0x010,
  Wrap = 0x100,
  Backwards = 0x200,
};
}

// Why an edit starts: a click, a key the owner passes (a key code, never typed),
// or a typed character. Kept apart from the key itself so that a typed blank or
// "(" is not taken for a navigation key of the same number.
enum class EditStart { Mouse, Key, Character };

struct ReportTreeNode;

// The exchange record through which owners read and write items.
struct ReportItemInfo {
  quint32 mask = 0;
  int item = -2;        // -1 the insert row
  int column = -1;      // -1 the row alone
  QString text;         // null: no text (read), or remove the text (write with ReportMask::Text)
  int textSize = 256;   // room of the caller's buffer: at most textSize - 1 characters are read;
                        // -1 after reading a cell without text
  int textColour = -1;  // colour-table index of the cell text
  int image = -1;       // index in the normal image list
  int check = -1;       // check state 0-7 or state-image index
  int background = -1;  // colour-table index of the row background
  int extraHeight = 0;
  int indent = -1;
  quint32 state = 0;
  qintptr data = 0;     // the owner's value for the row
  int overlay = -1;     // image drawn over the image
};

// How owners define a column.
struct ReportColumnInfo {
  quint32 flags = 0;
  int width = -1;       // negative: the default width
  int minWidth = 0;
  int maxWidth = 0;     // 0 or below: no limit
  int image = 0;        // header image, used with ReportColumnFlag::HeaderImage
  QString caption;
};

// One node of the optional tree of rows.
struct ReportTreeNode {
  ReportTreeNode* parent = nullptr;
  ReportTreeNode* firstChild = nullptr;
  ReportTreeNode* next = nullptr;  // next sibling, in display order
  int item = -2;                   // -2 for the root
  int spanColumn = -1;             // a column shown across the whole row and sorted by
  bool expanded = false;
  int level = 0;                   // root 0, its children 1
};

// Hit-test record.
struct ReportHitInfo {
  QPoint point;        // client coordinates
  quint32 flags = 0;
  ReportTreeNode* node = nullptr;
  int item = -2;
  int column = -1;     // defined column
  int row = -2;        // display row
  int shown = -1;      // shown position
  QRect rect;          // the cell's first line
};

// The search record of CListReportCtrl::FindItem.
struct ReportFindInfo {
  quint32 flags = 0;
  QString text;
  int image = -1;
  int check = -1;
  qintptr data = 0;
};

// Every notification begins with the sending control, its id and the code.
struct ReportNmHdr {
  QWidget* from = nullptr;
  int id = 0;
  int code = 0;
};

struct ReportNotifyInfo : ReportNmHdr {
  quint32 keyOrButtons = 0;  // key code, or mouse buttons with the modifiers
  QPoint point;
  quint32 flags = 0;         // hit flags, or the key's modifiers for -2059
  ReportTreeNode* node = nullptr;
  int item = -2;
  int column = -1;
  quint32 state = 0;
  qintptr data = 0;
};

struct ReportColumnNotify : ReportNmHdr {
  int column = -1;  // defined column of the header item, -1 none
};

struct ReportEditInfo : ReportNmHdr {
  int button = 0;             // -2057: the owner sets 1 for the "..." button
  int item = -2;
  int column = -1;
  QWidget* editor = nullptr;  // -2057: the owner's own editor, when it answers non-zero
  QRect rect;                 // -2057: the cell
  int key = 0;                // -2057: what started the edit; -2058: the key that ended it
  EditStart reason = EditStart::Key;  // -2057: how `key` is to be read
  QString text;
  qintptr data = 0;           // -2057
};

struct ReportExtraDrawInfo : ReportNmHdr {
  int item = -2;
  quint32 state = 0;
  QPainter* painter = nullptr;
  QRect rect;                 // the area below the row's first line
  qintptr data = 0;
};

struct ReportDrawInfo : ReportNmHdr {
  ReportItemInfo* info = nullptr;
  QPainter* painter = nullptr;
  QRect rect;
};

struct ReportItemRequest : ReportNmHdr {
  ReportItemInfo info;
};

// The owner's answer to a notification (0: nothing special).
using ReportNotifyHandler = std::function<long(ReportNmHdr&)>;
