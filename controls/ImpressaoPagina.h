#pragma once
// The page furniture every printable window of a model prints inside: the
// printable rectangle left by the model's page margins, the page header (two
// title lines, the date, a rule), the footer ("Página %d de %d") and, in print
// preview, dotted lines along the margins. Margins and flags live in the model
// header; each view decides when to call these (margins in preview, header
// and footer by the model's flags, its own drawing inside the rectangle).
//
// The painter stands for the printing device context: its device gives the
// resolution, the physical page and the unprintable offsets, and its current
// transform is the mapping that "logical" coordinates refer to. Device units
// are the painter device's pixels measured from its printable origin (where a
// QPrinter or QPdfWriter puts the painter's origin).
#include <QRect>

class CTarsolinDoc;
struct CabecalhoModelo;
class QPainter;
class QPaintDevice;

// A rectangle as the printing steps use it: left, top, right, bottom, where
// right and bottom lie just past the inside (width = right - left).
struct RetanguloImpressao {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Largura() const { return right - left; }
  int Altura() const { return bottom - top; }
  bool operator==(const RetanguloImpressao&) const = default;
};

// What the printing steps of a view share for one print job: the page range,
// the page being printed, whether it is a preview, and the drawing rectangle.
struct CPrintInfo {
  int minPage = 1;
  // A view sets the page count it prints; left at this value the footer would
  // read "Página 1 de 65535".
  int maxPage = 65535;
  int m_nCurPage = 1;
  bool m_bPreview = false;
  bool m_bContinuePrinting = true;
  QRect m_rectDraw;  // the page's drawing area, device units
  void SetMinPage(int n) { minPage = n; }
  void SetMaxPage(int n) { maxPage = n; }
  int GetMinPage() const { return minPage; }
  int GetMaxPage() const { return maxPage; }
};

// The device values the furniture needs, as the printing device reports them
// (pixels per inch; physical page and unprintable offsets in device pixels).
struct MetricasImpressora {
  int logPixelsX = 96, logPixelsY = 96;
  int physicalWidth = 0, physicalHeight = 0;
  int physicalOffsetX = 0, physicalOffsetY = 0;
  static MetricasImpressora De(const QPaintDevice* dispositivo);
};

// value × numerator / denominator rounded to the nearest, halves away from
// zero (the platform's multiply-divide); -1 for a zero denominator or a
// result beyond 32 bits, as the platform answers.
int MulDiv(int valor, int numerador, int denominador);

// Page margins in twips <-> the unit of the page-setup dialog: hundredths of
// a millimetre when `metrico`, thousandths of an inch otherwise; dialog values
// are rounded to multiples of 10, halves away from zero.
int MargemParaDialogo(int twips, bool metrico);
int MargemDoDialogo(int valor, bool metrico);

// The printable rectangle: the model's margins (twips, from the edges of the
// physical page) measured from the device's printable origin; in twips when
// `twips` is set, otherwise in the painter's logical coordinates. Without a
// document (or header) the margins count as 0.
RetanguloImpressao* CalculaAreaImpressao(RetanguloImpressao* area, const CTarsolinDoc* doc,
                                         QPainter* dc, bool twips);
RetanguloImpressao CalculaAreaImpressao(const CabecalhoModelo* cabecalho, QPainter* dc, bool twips);
// Four dotted lines across the whole page at the margins, in the pen's colour.
void DesenhaMargens(const CTarsolinDoc* doc, QPainter* dc);
// The page header when the model's header flag is set: first line bold 12 pt,
// second line 10 pt, the date right-aligned when the date flag is set, a rule
// along the top margin.
void ImprimeCabecalho(const CTarsolinDoc* doc, QPainter* dc);
// The footer when the model's footer flag is set: a rule along the bottom
// margin and "Página %d de %d" below it.
void ImprimeRodape(const CTarsolinDoc* doc, QPainter* dc, const CPrintInfo* info);

// The current local date and time as the page header and the grid's own
// footer print them (the short date and the time of the Portuguese locale).
QString DataHoraImpressao();
