#include "CTableCellBase.h"

#include "COffscreenDC.h"
#include "CTableCell.h"
#include "CTableCtrl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPolygon>

const GridCellClass CTableCellBase::classe{"CTableCellBase", nullptr, nullptr};

bool GridCellClass::IsDerivedFrom(const GridCellClass* outra) const {
  for (const GridCellClass* c = this; c; c = c->base)
    if (c == outra) return true;
  return false;
}

CTableDefaultCell* CTableCellBase::DefaultCellOf() const {
  CTableCtrl* g = OwnerGrid();
  if (!g) return nullptr;
  const uint32_t s = State();
  return g->GetDefaultCell(s & GVIS_FIXEDROW, s & GVIS_FIXEDCOL);
}

COLORREF CTableCellBase::ResolvedTextColour() const {
  const COLORREF c = TextColour();
  if (c != GridColour::Default) return c;
  const CTableDefaultCell* d = DefaultCellOf();
  return d ? d->TextColour() : GridColour::Sys(GridColour::WindowText);
}

COLORREF CTableCellBase::ResolvedBackColour() const {
  const COLORREF c = BackColour();
  if (c != GridColour::Default) return c;
  const CTableDefaultCell* d = DefaultCellOf();
  return d ? d->BackColour() : GridColour::Sys(GridColour::Window);
}

const QPixmap* CTableCellBase::ImageToDraw(QSize* tamanho) const {
  const CTableCtrl* g = OwnerGrid();
  if (!g || Image() < 0) return nullptr;
  const GridImageList* lista = g->GetImageList();
  if (!lista || !lista->Info(Image(), tamanho)) return nullptr;
  return lista->Image(Image());
}

void CTableCellBase::CopyFrom(const CTableCellBase& o) {
  if (&o == this) return;
  AttachToGrid(o.OwnerGrid());
  AssignText(o.Text());
  AssignImage(o.Image());
  AssignData(o.Data());
  AssignState(o.State());
  AssignFormat(o.Format());
  AssignTextColour(o.TextColour());
  AssignBackColour(o.BackColour());
  AssignFont(o.UsesDefaultFont() ? nullptr : o.FontData());
  AssignMargin(o.Margin());
}

bool CTableCellBase::CursorRequest() {
  if (CTableCtrl* g = OwnerGrid()) g->viewport()->setCursor(Qt::ArrowCursor);
  return true;
}

void CTableCellBase::TextArea(QRect& rect) const {
  QSize t;
  if (ImageToDraw(&t)) rect.setLeft(rect.left() + t.width() + Margin() + 1);
}

QSize CTableCellBase::MeasureText(const QString& texto, QPainter* dc) const {
  const CTableDefaultCell* def = DefaultCellOf();
  if (texto.isEmpty()) return def ? QSize(def->DefaultWidth(), def->DefaultHeight()) : QSize();
  const CTableCtrl* g = OwnerGrid();
  const QFont* f = FontObject();
  const QFont fonte = f ? *f : QApplication::font();
  const QPaintDevice* dispositivo = dc ? dc->device() : (g ? static_cast<const QPaintDevice*>(g->viewport()) : nullptr);
  const QFontMetrics fm = dispositivo ? QFontMetrics(fonte, dispositivo) : QFontMetrics(fonte);
  const uint32_t formato = Format();
  QSize tam;
  if (!(formato & DT_WORDBREAK) || (formato & DT_SINGLELINE)) {
    tam = QSize(fm.horizontalAdvance(texto), fm.height());
  } else {
    int largura = 0;
    for (const QString& linha : texto.split('\n')) largura = std::max(largura, fm.horizontalAdvance(linha));
    const QRect r = fm.boundingRect(QRect(0, 0, largura + 1, 1 << 20), GridQtFlags(formato | DT_NOPREFIX), texto);
    tam = QSize(std::min(largura, r.width()), r.height());
  }
  const int m = Margin();
  tam += QSize(2 * m, 2 * m);
  const LOGFONT* lf = FontData();
  if (lf && GridFontIsVertical(*lf)) tam = QSize(tam.height(), tam.width() + 4 * m);
  return tam;
}

QSize CTableCellBase::MeasureCell(QPainter* dc) const {
  QSize tam = MeasureText(Text(), dc);
  QSize img;
  if (ImageToDraw(&img)) {
    const int m = Margin();
    const int texto = tam.width();
    tam.setWidth(tam.width() + img.width() + (texto > 2 * m ? m : 0));
    tam.setHeight(std::max(tam.height(), img.height() + 2 * m));
  }
  tam += QSize(1, 1);
  if (IsFixedCell()) tam += QSize(1, 1);
  return tam;
}

void GridDrawEdge(QPainter& dc, const QRect& r, bool afundado) {
  const QColor claro = GridColour::ToQt(GridColour::Sys(GridColour::ButtonHighlight));
  const QColor escuro = GridColour::ToQt(GridColour::Sys(afundado ? GridColour::ButtonShadow : GridColour::DarkShadow3D));
  const QColor alto = afundado ? escuro : claro, baixo = afundado ? claro : escuro;
  dc.setPen(QPen(alto, 0));
  dc.drawLine(r.left(), r.top(), r.right(), r.top());
  dc.drawLine(r.left(), r.top(), r.left(), r.bottom());
  dc.setPen(QPen(baixo, 0));
  dc.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  dc.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void GridDrawText(QPainter& dc, const QRect& rect, const QString& texto, uint32_t formato, bool vertical,
                  const QRect& limite) {
  if (texto.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
  const int flags = GridQtFlags(formato);
  if (vertical) {
    // Text running upwards: draw into the rectangle turned a quarter.
    dc.save();
    dc.translate(rect.left(), rect.bottom() + 1);
    dc.rotate(-90);
    const QRect r(0, 0, rect.height(), rect.width());
    dc.drawText(r, flags, texto);
    dc.restore();
    return;
  }
  const QFontMetrics fm = dc.fontMetrics();
  if ((formato & DT_SINGLELINE) && !(formato & DT_EXPANDTABS)) {
    // One line: placed by hand, which spares the text layout on every cell of every paint.
    QString mostrado = texto;
    int largura = fm.horizontalAdvance(mostrado);
    if ((formato & DT_END_ELLIPSIS) && largura > rect.width()) {
      mostrado = fm.elidedText(texto, Qt::ElideRight, rect.width());
      largura = fm.horizontalAdvance(mostrado);
    }
    int x = rect.left();
    if (formato & DT_CENTER) x += (rect.width() - largura) / 2;
    else if (formato & DT_RIGHT) x = rect.left() + rect.width() - largura;
    int topo = rect.top();
    if (formato & DT_VCENTER) topo += (rect.height() - fm.height()) / 2;
    else if (formato & DT_BOTTOM) topo = rect.top() + rect.height() - fm.height();
    QRect area = rect;
    if (!limite.isEmpty()) area.setCoords(rect.left(), std::min(rect.top(), limite.top()), rect.right(),
                                          std::max(rect.bottom(), limite.bottom()));
    const bool corta = !(formato & DT_NOCLIP) && (largura > area.width() || x < area.left() || topo < area.top() ||
                                                  topo + fm.height() > area.bottom() + 1);
    if (corta) {
      dc.save();
      dc.setClipRect(area, Qt::IntersectClip);
    }
    dc.drawText(QPoint(x, topo + fm.ascent()), mostrado);
    if (corta) dc.restore();
    return;
  }
  dc.drawText(rect, flags, texto);
}

bool CTableCellBase::DrawCell(QPainter* dc, int row, int col, QRect rect, bool apaga) {
  CTableCtrl* g = OwnerGrid();
  if (!g || !dc || rect.isEmpty()) return false;
  const CTableDefaultCell* def = DefaultCellOf();
  if (!def) return false;
  dc->save();
  dc->setBackgroundMode(Qt::TransparentMode);
  QColor texto = GridColour::ToQt(ResolvedTextColour());
  QColor fundo = GridColour::ToQt(ResolvedBackColour());
  bool pinta = apaga || BackColour() != GridColour::Default;
  const bool linhas = g->GetGridLines() != 0;

  if (HasFocus() || IsDropTarget()) {
    if (IsInSelection()) {
      fundo = GridColour::ToQt(GridColour::Sys(GridColour::Highlight));
      texto = GridColour::ToQt(GridColour::Sys(GridColour::HighlightText));
      pinta = true;
    }
    if (pinta) dc->fillRect(rect, fundo);
    if (g->GetFrameFocusCell()) {
      // Inside the grid lines when there are lines.
      const QRect moldura = linhas ? rect.adjusted(0, 0, -2, -2) : rect.adjusted(0, 0, -1, -1);
      dc->setPen(QPen(texto, 0));
      dc->setBrush(Qt::NoBrush);
      dc->drawRect(moldura);
    }
  } else if (IsInSelection()) {
    dc->fillRect(rect, GridColour::ToQt(GridColour::Sys(GridColour::Highlight)));
    texto = GridColour::ToQt(GridColour::Sys(GridColour::HighlightText));
  } else if (pinta) {
    dc->fillRect(rect.adjusted(0, 0, -1, -1), fundo);
  }

  if (IsFixedCell() && linhas) {
    const CCellID foco = g->GetFocusCell();
    const bool afundado = g->GetTrackFocusCell() && foco.IsValid() && (foco.row == row || foco.col == col);
    GridDrawEdge(*dc, rect, afundado);
    rect.adjust(1, 1, -1, -1);
  }
  const QRect celula = rect;

  if (!COffscreenDC::EhImpressao(dc)) {
    if (const QFont* f = FontObject(); f && !(dc->font() == *f)) dc->setFont(*f);
  }
  const int m = Margin();
  rect.adjust(m, m, -m, -m);

  QSize img;
  if (const QPixmap* imagem = ImageToDraw(&img)) {
    if (img.width() <= rect.width() + 1 && img.height() <= rect.height() + 1) dc->drawPixmap(rect.topLeft(), *imagem);
  }

  const LOGFONT* lf = FontData();
  const bool vertical = lf && GridFontIsVertical(*lf);
  if (row == 0 && col == g->GetSortColumn()) {
    const int s = std::min(dc->fontMetrics().boundingRect(QStringLiteral("M")).height() - 4, rect.height() - 4);
    if (s > 0 && rect.width() > s) {
      const int base = rect.bottom() - 2;
      const int x0 = vertical ? rect.left() + (rect.width() - s) / 2 : rect.right() - s;
      const bool sobe = g->GetSortAscending();
      auto seta = [&](int dx, int dy, const QColor& cor) {
        dc->setPen(QPen(cor, 0));
        const QPoint a(x0 + dx, (sobe ? base : base - s) + dy), b(x0 + s + dx, (sobe ? base : base - s) + dy);
        const QPoint c(x0 + s / 2 + dx, (sobe ? base - s : base) + dy);
        dc->drawLine(a, b);
        dc->drawLine(b, c);
        dc->drawLine(c, a);
      };
      seta(1, 1, GridColour::ToQt(GridColour::Sys(GridColour::ButtonHighlight)));
      seta(0, 0, GridColour::ToQt(GridColour::Sys(GridColour::ButtonShadow)));
      if (!vertical) rect.setRight(rect.right() - s);
    }
  }

  TextArea(rect);
  dc->setPen(texto);
  GridDrawText(*dc, rect, Text(), Format() | DT_NOPREFIX, vertical, celula);
  dc->restore();
  return true;
}

bool CTableCellBase::PrintCellContent(QPainter* dc, int row, int col, QRect rect) {
  CTableCtrl* g = OwnerGrid();
  if (!g || !dc || rect.width() < 1 || rect.height() < 1) return false;
  dc->save();
  dc->setBackgroundMode(Qt::TransparentMode);
  QColor texto(Qt::black);
  if (g->GetPrintColour()) {
    const CTableDefaultCell* def = DefaultCellOf();
    if (!def) {
      dc->restore();
      return false;
    }
    COLORREF fundo;
    if (IsFixedCell()) {
      fundo = BackColour() != GridColour::Default ? BackColour() : def->BackColour();
    } else {
      fundo = (BackColour() == GridColour::Default || BackColour() == def->BackColour()) ? GridColour::Default : BackColour();
    }
    COLORREF cor = ResolvedTextColour();
    if (g->PrinterIsMonochrome()) {
      if (fundo == GridColour::Default)
        cor = GridColour::Rgb(int(GridColour::Red(cor) * 0.30), int(GridColour::Green(cor) * 0.59),
                              int(GridColour::Blue(cor) * 0.11));
    } else if (fundo != GridColour::Default) {
      dc->fillRect(rect, GridColour::ToQt(fundo));
    }
    texto = GridColour::ToQt(cor);
  }
  if (!UsesDefaultFont()) {
    if (const QFont* f = FontObject()) dc->setFont(*f);
  }
  if (IsFixedCell() && g->GetGridLines() != 0) {
    GridDrawEdge(*dc, rect, false);
    rect.adjust(1, 1, -1, -1);
  }
  const int m = Margin();
  rect.adjust(m, 0, -m, 0);
  QSize img;
  if (const QPixmap* imagem = ImageToDraw(&img)) {
    dc->drawPixmap(rect.topLeft(), *imagem);
    rect.setLeft(rect.left() + img.width() + m);
  }
  dc->setPen(texto);
  const LOGFONT* lf = FontData();
  GridDrawText(*dc, rect, Text(), Format() | DT_NOPREFIX, lf && GridFontIsVertical(*lf));
  dc->restore();
  return true;
}
