#include "ImpressaoPagina.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

using C = CabecalhoModelo;

const CabecalhoModelo* CabecalhoDe(const CTarsolinDoc* doc) { return doc ? doc->GetCabecalho() : nullptr; }

// Device → logical through the painter's current mapping.
QPoint ParaLogico(const QPainter* dc, int x, int y) {
  if (!dc || !dc->isActive()) return {x, y};
  bool inversivel = false;
  const QTransform inv = dc->combinedTransform().inverted(&inversivel);
  if (!inversivel) return {x, y};
  const QPointF p = inv.map(QPointF(x, y));
  return {qRound(p.x()), qRound(p.y())};
}

// Text metrics of a font on the device, as the platform reports them:
// height (ascent + descent), internal leading (height less the em size) and
// external leading.
struct MetricasTexto {
  int altura = 0, interno = 0, externo = 0;
  int Linha() const { return altura + interno + externo; }
};

MetricasTexto Metricas(const QPainter& dc, const QFont& fonte, int dpiY) {
  const QFontMetrics fm(fonte, dc.device());
  MetricasTexto m;
  m.altura = fm.height();
  const int em = MulDiv(fonte.pointSize(), dpiY, 72);
  m.interno = std::max(0, m.altura - em);
  m.externo = std::max(0, fm.leading());
  return m;
}

QFont FontePontos(int pontos, int peso) {
  QFont f(QStringLiteral("Arial"));
  f.setPointSize(pontos);
  f.setWeight(QFont::Weight(peso));
  return f;
}

// A text whose top-left corner (or, right-aligned, top-right corner) is at the point.
void TextoEm(QPainter& dc, int x, int y, const QString& texto, bool direita = false) {
  constexpr int grande = 1 << 20;
  const QRect r = direita ? QRect(x - grande, y, grande, grande) : QRect(x, y, grande, grande);
  dc.drawText(r, (direita ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine, texto);
}

}  // namespace

MetricasImpressora MetricasImpressora::De(const QPaintDevice* dispositivo) {
  MetricasImpressora m;
  if (!dispositivo) return m;
  m.logPixelsX = dispositivo->logicalDpiX();
  m.logPixelsY = dispositivo->logicalDpiY();
  if (const auto* pagina = dynamic_cast<const QPagedPaintDevice*>(dispositivo)) {
    // A printer or PDF writer: the full sheet, and where its painter's origin
    // (the printable area) stands on it.
    const QPageLayout layout = pagina->pageLayout();
    const QRect folha = layout.fullRectPixels(m.logPixelsX);
    const QRect util = layout.paintRectPixels(m.logPixelsX);
    m.physicalWidth = folha.width();
    m.physicalHeight = folha.height();
    m.physicalOffsetX = util.left() - folha.left();
    m.physicalOffsetY = util.top() - folha.top();
  } else {
    // Screens and images: the whole surface is printable.
    m.physicalWidth = dispositivo->width();
    m.physicalHeight = dispositivo->height();
  }
  return m;
}

int MulDiv(int valor, int numerador, int denominador) {
  if (denominador == 0) return -1;
  const int64_t produto = int64_t(valor) * numerador;
  int64_t q = produto / denominador;
  const int64_t resto = produto % denominador;
  // Round half away from zero.
  if (2 * std::llabs(resto) >= std::llabs(int64_t(denominador)))
    q += ((produto < 0) != (denominador < 0)) ? -1 : 1;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return int(q);
}

namespace {
int MultiploDez(int v) { return (v >= 0 ? (v + 5) / 10 : (v - 5) / 10) * 10; }
}  // namespace

int MargemParaDialogo(int twips, bool metrico) { return MultiploDez(MulDiv(twips, metrico ? 2540 : 1000, 1440)); }
int MargemDoDialogo(int valor, bool metrico) { return MulDiv(MultiploDez(valor), 1440, metrico ? 2540 : 1000); }

RetanguloImpressao CalculaAreaImpressao(const CabecalhoModelo* cab, QPainter* dc, bool twips) {
  const MetricasImpressora m = MetricasImpressora::De(dc ? dc->device() : nullptr);
  const int W = MulDiv(m.physicalWidth, 1440, m.logPixelsX);
  const int H = MulDiv(m.physicalHeight, 1440, m.logPixelsY);
  const int X0 = MulDiv(m.physicalOffsetX, 1440, m.logPixelsX);
  const int Y0 = MulDiv(m.physicalOffsetY, 1440, m.logPixelsY);
  const int esquerda = cab ? cab->I32(C::OffMargens) : 0;
  const int direita = cab ? cab->I32(C::OffMargens + 4) : 0;
  const int superior = cab ? cab->I32(C::OffMargens + 8) : 0;
  const int inferior = cab ? cab->I32(C::OffMargens + 12) : 0;
  RetanguloImpressao r{esquerda - X0, superior - Y0, W - direita - X0, H - inferior - Y0};
  if (twips) return r;
  const QPoint a = ParaLogico(dc, MulDiv(r.left, m.logPixelsX, 1440), MulDiv(r.top, m.logPixelsY, 1440));
  const QPoint b = ParaLogico(dc, MulDiv(r.right, m.logPixelsX, 1440), MulDiv(r.bottom, m.logPixelsY, 1440));
  return {a.x(), a.y(), b.x(), b.y()};
}

RetanguloImpressao* CalculaAreaImpressao(RetanguloImpressao* area, const CTarsolinDoc* doc, QPainter* dc,
                                         bool twips) {
  if (area) *area = CalculaAreaImpressao(CabecalhoDe(doc), dc, twips);
  return area;
}

void DesenhaMargens(const CTarsolinDoc* doc, QPainter* dc) {
  if (!dc || !dc->isActive()) return;
  const CabecalhoModelo* cab = CabecalhoDe(doc);
  dc->save();
  dc->resetTransform();  // device units
  const MetricasImpressora m = MetricasImpressora::De(dc->device());
  const RetanguloImpressao r = CalculaAreaImpressao(cab, dc, false);
  const int larguraPagina = MulDiv(MulDiv(m.physicalWidth, 1440, m.logPixelsX), m.logPixelsX, 1440);
  const int alturaPagina = MulDiv(MulDiv(m.physicalHeight, 1440, m.logPixelsY), m.logPixelsY, 1440);
  dc->setPen(QPen(dc->pen().color(), 0, Qt::DotLine));
  dc->drawLine(0, r.top, larguraPagina, r.top);
  dc->drawLine(r.left, 0, r.left, alturaPagina);
  dc->drawLine(0, r.bottom, larguraPagina, r.bottom);
  dc->drawLine(r.right, 0, r.right, alturaPagina);
  dc->restore();
}

void ImprimeCabecalho(const CTarsolinDoc* doc, QPainter* dc) {
  if (!dc || !dc->isActive()) return;
  const CabecalhoModelo* cab = CabecalhoDe(doc);
  dc->save();
  dc->resetTransform();
  const int dpiY = dc->device()->logicalDpiY();
  const QFont negrito = FontePontos(12, 700);
  const QFont normal = FontePontos(10, 400);
  dc->setFont(negrito);
  const int y1 = Metricas(*dc, negrito, dpiY).Linha();
  const RetanguloImpressao r = CalculaAreaImpressao(cab, dc, false);
  if (cab && cab->U8(C::OffImprimeCabecalho)) {
    TextoEm(*dc, r.left, y1, cab->Texto(C::OffLinhaTitulo, C::TamLinhaTitulo));
    dc->setFont(normal);
    TextoEm(*dc, r.left, 2 * y1, cab->Texto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo));
    if (cab->U8(C::OffImprimeData)) TextoEm(*dc, r.right, y1, DataHoraImpressao(), true);
    dc->setPen(QPen(Qt::black, 0));
    dc->drawLine(r.left, r.top, r.right, r.top);
  }
  dc->restore();
}

void ImprimeRodape(const CTarsolinDoc* doc, QPainter* dc, const CPrintInfo* info) {
  if (!dc || !dc->isActive()) return;
  const CabecalhoModelo* cab = CabecalhoDe(doc);
  dc->save();
  dc->resetTransform();
  const int dpiY = dc->device()->logicalDpiY();
  const QFont negrito = FontePontos(10, 700);
  const QFont normal = FontePontos(10, 400);
  dc->setFont(negrito);
  const MetricasTexto mt = Metricas(*dc, negrito, dpiY);
  const RetanguloImpressao r = CalculaAreaImpressao(cab, dc, false);
  const QString texto = QStringLiteral("Página %1 de %2").arg(info ? info->m_nCurPage : 1).arg(info ? info->GetMaxPage() : 1);
  if (cab && cab->U8(C::OffImprimeRodape)) {
    dc->setPen(QPen(Qt::black, 0));
    dc->drawLine(r.left, r.bottom, r.right, r.bottom);
    dc->setFont(normal);
    TextoEm(*dc, r.left, r.bottom + mt.Linha(), texto);
  }
  dc->restore();
}

QString DataHoraImpressao() {
  return QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}
