#include "CPlainHeaderCtrl.h"

#include "CHoverButton.h"
#include "COffscreenDC.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolTip>

namespace {
constexpr int SemLimite = 0x4000;  // a maximum of 0 or below, where a number is needed
constexpr int ZonaDivisor = 4;     // pixels either side of a divider that grab it

Qt::WindowFlags FlagsJanelaFlutuante() {
  return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
         Qt::WindowTransparentForInput;
}
}  // namespace

// ---------------------------------------------------------------- drag and drop windows

CPHDragWnd::CPHDragWnd() : QWidget(nullptr, FlagsJanelaFlutuante()) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("PHDragWnd"));
}

bool CPHDragWnd::Create(const QRect& tela, CPlainHeaderCtrl* header, int item, const HeaderItem& registro) {
  header_ = header;
  item_ = item;
  registro_ = registro;
  if (header_) setFont(header_->font());
  setGeometry(tela);
  show();
  return true;
}

void CPHDragWnd::PaintContent(QPainter& p) {
  const QPalette& pal = palette();
  const QRect r = rect();
  p.fillRect(r, pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(pal.color(QPalette::Dark));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  if (!header_) return;
  bool asc = false;
  const bool ordenado = item_ >= 0 && header_->GetSortMark(&asc) == item_;
  const int m = header_->Margin();
  p.setPen(pal.color(QPalette::ButtonText));
  header_->DrawHeaderItem(p, r.left() + m, r.top(), r.right() + 1 - m, r.bottom() + 1, registro_, ordenado, asc);
}

void CPHDragWnd::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintContent(p);
}

CPHDropWnd::CPHDropWnd() : QWidget(nullptr, FlagsJanelaFlutuante()) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("PHDropWnd"));
}

bool CPHDropWnd::Create(int alturaHeader) {
  altura_ = alturaHeader + 20;
  const int H = altura_;
  resize(12, H);
  // Two arrows pointing at the gap, one from above and one from below.
  QPolygon baixo({QPoint(8, 0), QPoint(8, 4), QPoint(11, 4), QPoint(6, 9), QPoint(1, 4), QPoint(4, 4), QPoint(4, 0)});
  QPolygon cima({QPoint(4, H), QPoint(4, H - 4), QPoint(0, H - 4), QPoint(6, H - 10), QPoint(12, H - 4),
                 QPoint(8, H - 4), QPoint(8, H)});
  setMask(QRegion(baixo, Qt::OddEvenFill) + QRegion(cima, Qt::OddEvenFill));
  return true;
}

void CPHDropWnd::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(255, 0, 0));
}

// ---------------------------------------------------------------- header

CPlainHeaderCtrl::CPlainHeaderCtrl(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(false);
}

CPlainHeaderCtrl::~CPlainHeaderCtrl() { CancelaArrasto(false); }

long CPlainHeaderCtrl::NotificaPai(HeaderNotify& n) {
  n.from = this;
  n.id = id_;
  return aviso_ ? aviso_(n) : 0;
}

int CPlainHeaderCtrl::InsertItem(int indice, const HeaderItem& item) {
  const int n = int(itens_.size());
  const int idx = std::clamp(indice, 0, n);
  Item novo;
  novo.dados = item;
  if (!(item.mask & HeaderMask::Width)) novo.dados.width = 0;
  if (!(item.mask & HeaderMask::Format)) novo.dados.format = HeaderFormat::String;
  if (!(item.mask & HeaderMask::Image)) novo.dados.image = -1;
  itens_.insert(idx, novo);
  for (int& o : ordem_)
    if (o >= idx) ++o;
  const int pos = (item.mask & HeaderMask::Order) ? std::clamp(item.order, 0, n) : std::min(idx, n);
  ordem_.insert(pos, idx);
  if (colunaOrdenada_ >= idx) ++colunaOrdenada_;
  update();
  return idx;
}

bool CPlainHeaderCtrl::DeleteItem(int indice) {
  if (indice < 0 || indice >= itens_.size()) return false;
  if (itemPressionado_ == indice) {
    CancelaArrasto(false);
    itemPressionado_ = -1;
  } else if (itemPressionado_ > indice) {
    --itemPressionado_;
  }
  itens_.removeAt(indice);
  ordem_.removeAll(indice);
  for (int& o : ordem_)
    if (o > indice) --o;
  // The sort mark stays on its item: cleared with it, followed when it moves.
  if (colunaOrdenada_ == indice) colunaOrdenada_ = -1;
  else if (colunaOrdenada_ > indice) --colunaOrdenada_;
  update();
  return true;
}

bool CPlainHeaderCtrl::GetItem(int indice, HeaderItem& item) const {
  if (indice < 0 || indice >= itens_.size()) return false;
  const quint32 mask = item.mask;
  item = itens_[indice].dados;
  item.mask = mask;
  item.order = IndexToOrder(indice);
  return true;
}

bool CPlainHeaderCtrl::SetItem(int indice, const HeaderItem& item) {
  if (indice < 0 || indice >= itens_.size()) return false;
  HeaderItem& d = itens_[indice].dados;
  quint32 mudou = 0;
  if ((item.mask & HeaderMask::Width) && d.width != std::max(0, item.width)) {
    d.width = std::max(0, item.width);
    mudou |= HeaderMask::Width;
  }
  if ((item.mask & HeaderMask::Text) && d.text != item.text) {
    d.text = item.text;
    mudou |= HeaderMask::Text;
  }
  if ((item.mask & HeaderMask::Format) && d.format != item.format) {
    d.format = item.format;
    mudou |= HeaderMask::Format;
  }
  if (item.mask & HeaderMask::Param) d.lParam = item.lParam;
  if (item.mask & HeaderMask::Bitmap) d.bitmap = item.bitmap;
  if (item.mask & HeaderMask::Image) d.image = item.image;
  if (item.mask & HeaderMask::Order) {
    QVector<int> o = ordem_;
    o.removeAll(indice);
    o.insert(std::clamp(item.order, 0, int(o.size())), indice);
    ordem_ = o;
  }
  update();
  if (mudou) {
    HeaderNotify n;
    n.code = HeaderCode::ItemChanged;
    n.item = indice;
    n.changed = mudou;
    n.record = &d;
    NotificaPai(n);
  }
  return true;
}

QRect CPlainHeaderCtrl::GetItemRect(int indice) const {
  int x = 0;
  for (int i : ordem_) {
    const int w = itens_[i].dados.width;
    if (i == indice) return QRect(x, 0, w, height());
    x += w;
  }
  return QRect();
}

int CPlainHeaderCtrl::TotalWidth() const {
  int t = 0;
  for (const Item& i : itens_) t += i.dados.width;
  return t;
}

bool CPlainHeaderCtrl::SetOrderArray(const QVector<int>& ordem) {
  if (ordem.size() != itens_.size()) return false;
  QVector<int> visto(itens_.size(), 0);
  for (int i : ordem) {
    if (i < 0 || i >= itens_.size() || visto[i]) return false;
    visto[i] = 1;
  }
  ordem_ = ordem;
  update();
  return true;
}

int CPlainHeaderCtrl::OrderToIndex(int posicao) const {
  return posicao >= 0 && posicao < ordem_.size() ? ordem_[posicao] : -1;
}

int CPlainHeaderCtrl::IndexToOrder(int indice) const { return int(ordem_.indexOf(indice)); }

int CPlainHeaderCtrl::HitTest(QPoint p, quint32* flags) const {
  quint32 f = HeaderHit::Nowhere;
  int achado = -1;
  if (p.y() >= 0 && p.y() < height() && p.x() >= 0) {
    // Dividers first: each item's right edge, and a zero-width item right of it.
    int x = 0;
    for (int k = 0; k < ordem_.size() && achado < 0; ++k) {
      x += itens_[ordem_[k]].dados.width;
      if (p.x() >= x - ZonaDivisor && p.x() < x + ZonaDivisor) {
        if (p.x() >= x && k + 1 < ordem_.size() && itens_[ordem_[k + 1]].dados.width == 0) {
          achado = ordem_[k + 1];
          f = HeaderHit::OnHiddenDivider;
        } else {
          achado = ordem_[k];
          f = HeaderHit::OnDivider;
        }
      }
    }
    if (achado < 0) {
      x = 0;
      for (int i : ordem_) {
        const int w = itens_[i].dados.width;
        if (p.x() >= x && p.x() < x + w) {
          achado = i;
          f = HeaderHit::OnHeader;
          break;
        }
        x += w;
      }
    }
  }
  if (flags) *flags = f;
  return achado;
}

int CPlainHeaderCtrl::GapAt(QPoint p) const {
  quint32 f = 0;
  int x = 0;
  if (p.y() < 0 || p.y() >= std::max(height(), 1)) return -1;
  for (int k = 0; k < ordem_.size(); ++k) {
    const int w = itens_[ordem_[k]].dados.width;
    if (p.x() >= x && p.x() < x + w) return k + (p.x() > x + w / 2 ? 1 : 0);
    x += w;
  }
  (void)f;
  return -1;
}

void CPlainHeaderCtrl::SetImageList(const ReportImageList* lista) {
  imagens_ = lista;
  update();
}

bool CPlainHeaderCtrl::SetHeaderOption(int opcao, qintptr valor) {
  switch (opcao) {
    case 1: margem_ = int(valor); break;
    case 2:
      marcaL_ = int(valor & 0xFFFF);
      marcaA_ = int((valor >> 16) & 0xFFFF);
      break;
    case 3: alargaLayout_ = valor != 0; break;
    case 4: cursorFora_ = int(valor); break;
    case 5: escolhedor_ = reinterpret_cast<QWidget*>(valor); break;
    case 6: dicas_ = valor != 0; break;
    case 7:
      modoAjuste_ = int(valor);
      if (valor == 1) FitAllColumns();
      break;
    default: return false;
  }
  update();
  return true;
}

void CPlainHeaderCtrl::SetSortMark(int coluna, bool ascendente) {
  colunaOrdenada_ = coluna;
  ascendente_ = ascendente;
  update();
}

int CPlainHeaderCtrl::GetSortMark(bool* ascendente) const {
  if (ascendente) *ascendente = ascendente_;
  return colunaOrdenada_;
}

bool CPlainHeaderCtrl::GetItemEx(int indice, HDITEMEX& ex) const {
  if (indice < 0 || indice >= itens_.size()) return false;
  ex = itens_[indice].ex;
  if (ex.flags & HeaderExFlag::FixedWidth) ex.minWidth = ex.maxWidth = itens_[indice].dados.width;
  return true;
}

int CPlainHeaderCtrl::ContentWidth(int indice, bool espacoMarca) const {
  if (indice < 0 || indice >= itens_.size()) return 0;
  const HeaderItem& d = itens_[indice].dados;
  int w = margem_;
  if ((d.format & HeaderFormat::Image) && imagens_) w += imagens_->ImageSize().width() + margem_;
  if ((d.format & HeaderFormat::Bitmap) && !d.bitmap.isNull()) w += d.bitmap.width() + margem_;
  if (espacoMarca) w += marcaL_ + margem_;
  if ((d.format & HeaderFormat::String) && !d.text.isEmpty())
    w += fontMetrics().horizontalAdvance(d.text) + margem_;
  return w;
}

bool CPlainHeaderCtrl::SetItemEx(int indice, const HDITEMEX& ex) {
  if (indice < 0 || indice >= itens_.size()) return false;
  int w = itens_[indice].dados.width;
  const int antes = w;
  if (ex.flags & HeaderExFlag::FitContent) w = ContentWidth(indice, ex.flags & HeaderExFlag::FitSortRoom);
  if (!(ex.flags & HeaderExFlag::FixedWidth)) {
    if (w < ex.minWidth) w = ex.minWidth;
    if (ex.maxWidth > 0 && w > ex.maxWidth) w = ex.maxWidth;
  }
  itens_[indice].ex = ex;
  if (w != antes) MudaLargura(indice, w);
  return true;
}

quint32 CPlainHeaderCtrl::GetItemExFlags(int indice) const {
  return indice >= 0 && indice < itens_.size() ? itens_[indice].ex.flags : 0;
}

bool CPlainHeaderCtrl::SetItemExFlags(int indice, quint32 flags) {
  if (indice < 0 || indice >= itens_.size()) return false;
  itens_[indice].ex.flags = flags;
  return true;
}

void CPlainHeaderCtrl::MudaLargura(int indice, int largura) {
  HeaderItem h;
  h.mask = HeaderMask::Width;
  h.width = largura;
  SetItem(indice, h);
}

int CPlainHeaderCtrl::ParentClientWidth() const {
  return parentWidget() ? parentWidget()->contentsRect().width() : 0;
}

void CPlainHeaderCtrl::FitColumns(int s) {
  const int larguraPai = ParentClientWidth();
  const int n = int(ordem_.size());
  if (larguraPai <= 0 || n == 0) return;
  const int posS = s >= 0 ? IndexToOrder(s) : -1;
  int primeira = 0, direitaS = 0;
  if (s >= 0 && posS >= 0 && posS < n - 1) {
    primeira = posS + 1;
    const QRect r = GetItemRect(s);
    direitaS = r.left() + r.width();
  }
  QVector<structFHAutoSize> cols;
  long long somaL = 0, somaMin = 0;
  for (int k = primeira; k < n; ++k) {
    structFHAutoSize c;
    c.item = ordem_[k];
    HDITEMEX ex;
    GetItemEx(c.item, ex);
    c.width = itens_[c.item].dados.width;
    c.minWidth = ex.minWidth;
    c.maxWidth = ex.maxWidth > 0 ? ex.maxWidth : SemLimite;
    somaL += c.width;
    somaMin += c.minWidth;
    cols.append(c);
  }
  somaL = std::max<long long>(somaL, 1);
  const long long alvo = std::max<long long>(larguraPai, somaMin) - direitaS;
  long long soma = 0;
  for (structFHAutoSize& c : cols) {
    long long w = c.width * alvo / somaL;
    w = std::max<long long>(w, c.minWidth);
    w = std::min<long long>(w, c.maxWidth);
    c.width = int(w);
    soma += c.width;
  }
  // Spread what is left one pixel at a time; a pass that changes nothing means
  // every column is at its limit, and the fit ends there.
  long long dif = alvo - soma;
  while (dif != 0) {
    bool mudou = false;
    for (structFHAutoSize& c : cols) {
      if (dif > 0 && c.width < c.maxWidth) {
        ++c.width;
        --dif;
        mudou = true;
      } else if (dif < 0 && c.width > c.minWidth) {
        --c.width;
        ++dif;
        mudou = true;
      }
      if (dif == 0) break;
    }
    if (!mudou) break;
  }
  aplicandoLarguras_ = true;
  for (const structFHAutoSize& c : cols) MudaLargura(c.item, c.width);
  aplicandoLarguras_ = false;
}

QRect CPlainHeaderCtrl::Layout(QRect& area) {
  int h = fontMetrics().height() + 6;
  if (imagens_ && imagens_->ImageSize().isValid()) h = std::max(h, imagens_->ImageSize().height() + 6);
  if (alturaFixa_ > 0) h = alturaFixa_;
  QRect r(area.left(), area.top(), area.width() + (alargaLayout_ ? 2 : 0), h);
  area.setTop(area.top() + h);
  if (modoAjuste_ && !rastreando_) FitAllColumns();
  return r;
}

int CPlainHeaderCtrl::SetHotDivider(bool ehPonto, QPoint tela, int posicao) {
  int pos = posicao;
  if (ehPonto) pos = GapAt(mapFromGlobal(tela));
  const int n = int(ordem_.size());
  if (pos < 0 || pos > n + 1) {
    if (janelaDrop_) {
      janelaDrop_->close();
      janelaDrop_ = nullptr;
    }
    return pos;
  }
  if (!janelaDrop_) {
    janelaDrop_ = new CPHDropWnd;
    janelaDrop_->Create(GetHeaderHeight());
  }
  int gap = 0;
  if (pos < n) gap = GetItemRect(ordem_[pos]).left() - 1;
  else if (n > 0) {
    const QRect r = GetItemRect(ordem_[n - 1]);
    gap = r.left() + r.width();
  }
  const QPoint g = mapToGlobal(QPoint(gap, GetHeaderHeight() / 2));
  janelaDrop_->move(g.x() - 6, g.y() - janelaDrop_->Height() / 2);
  janelaDrop_->show();
  return pos;
}

QVector<int> CPlainHeaderCtrl::ReorderForDrop(const QVector<int>& ordem, int de, int lacuna) {
  if (de < 0 || de >= ordem.size() || lacuna < 0 || lacuna > ordem.size()) return ordem;
  QVector<int> r = ordem;
  const int item = r.takeAt(de);
  // Moving right, the gap counts the dragged item itself.
  r.insert(lacuna > de ? lacuna - 1 : lacuna, item);
  return r;
}

// ---------------------------------------------------------------- painting

void CPlainHeaderCtrl::DrawSortMark(QPainter& p, int x, int top, int bottom, bool ascendente) const {
  const int w = marcaL_, h = marcaA_;
  const int y = top + (bottom - h - top - 1) / 2;
  const int meio = x + (w - 1) / 2;
  const QColor claro = palette().color(QPalette::Light), sombra = palette().color(QPalette::Dark);
  if (ascendente) {
    p.setPen(claro);
    p.drawLine(meio + 1, y, x + w - 1, y + h - 1);
    p.drawLine(x + w - 1, y + h - 1, x, y + h - 1);
    p.setPen(sombra);
    p.drawLine(meio, y, x, y + h - 1);
  } else {
    p.setPen(claro);
    p.drawLine(meio + 1, y + h - 1, x + w - 1, y);
    p.setPen(sombra);
    p.drawLine(meio, y + h - 1, x, y);
    p.drawLine(x, y, x + w, y);
  }
}

void CPlainHeaderCtrl::DrawItem(QPainter&, int, const QRect&) {}

void CPlainHeaderCtrl::DrawHeaderItem(QPainter& p, int left, int top, int right, int bottom,
                                      const HeaderItem& item, bool ordenado, bool ascendente) {
  const int m = margem_, a = marcaL_;
  const int fmt = item.format;
  const QSize tamImg = imagens_ ? imagens_->ImageSize() : QSize();
  const bool querImagem = fmt & HeaderFormat::Image;
  const bool temImagem = querImagem && imagens_ && item.image >= 0 && item.image < imagens_->Count();
  const bool temBitmap = (fmt & HeaderFormat::Bitmap) && !item.bitmap.isNull();
  const bool temTexto = (fmt & HeaderFormat::String) && !item.text.isEmpty();
  const QColor corTexto = p.pen().color();
  int x = left, r = right;

  auto imagem = [&]() {
    if (!temImagem) return false;
    const int w = std::min(tamImg.width(), r - x);
    if (w <= 0) return false;
    imagens_->Draw(p, item.image, QPoint(x, top + (bottom - top - tamImg.height()) / 2), w);
    x += tamImg.width() + m;
    return true;
  };
  auto bitmapEm = [&](int bx) {
    p.drawPixmap(bx, top + (bottom - top - item.bitmap.height()) / 2, item.bitmap);
  };
  // The bitmap against the right edge, when it fits beside `reserva` more pixels.
  auto bitmapADireita = [&](int reserva) {
    if (!temBitmap || item.bitmap.width() > r - x - reserva) return;
    bitmapEm(r - item.bitmap.width());
    r -= item.bitmap.width() + m;
  };
  auto marcaADireita = [&]() {
    if (!ordenado) return;
    if (r - a >= x) DrawSortMark(p, r - a, top, bottom, ascendente);
    r -= a + 2 * m;
  };
  auto texto = [&](int l, int rr, Qt::Alignment al) {
    if (!temTexto || rr <= l) return 0;
    const QString t = p.fontMetrics().elidedText(item.text, Qt::ElideRight, rr - l);
    p.setPen(corTexto);
    p.drawText(QRect(l, top, rr - l, bottom - top), int(al | Qt::AlignVCenter | Qt::TextSingleLine), t);
    return std::min(int(p.fontMetrics().horizontalAdvance(t)), rr - l);
  };

  switch (fmt & HeaderFormat::AlignMask) {
    case HeaderFormat::Left: {
      if (querImagem && !imagem()) return;
      bitmapADireita(0);
      const int fimTexto = r - (ordenado ? a + m : 0);
      const int tw = texto(x, fimTexto, Qt::AlignLeft);
      if (tw > 0) x += tw + m;
      if (ordenado && x + a <= r) DrawSortMark(p, x, top, bottom, ascendente);
      break;
    }
    case HeaderFormat::Right: {
      const bool bitmapDireita = fmt & HeaderFormat::BitmapOnRight;
      if (temBitmap && !bitmapDireita && item.bitmap.width() <= r - x) {
        bitmapEm(x);
        x += item.bitmap.width() + m;
      }
      if (querImagem && !imagem()) return;
      if (bitmapDireita) bitmapADireita(0);
      marcaADireita();
      texto(x, r, Qt::AlignRight);
      break;
    }
    case HeaderFormat::Center: {
      if (querImagem && !imagem()) return;
      bitmapADireita(ordenado ? a + m : 0);
      marcaADireita();
      texto(x, r, Qt::AlignHCenter);
      break;
    }
    default: break;
  }
}

void CPlainHeaderCtrl::paintEvent(QPaintEvent* e) {
  QPainter alvo(this);
  // Through the off-screen surface: one copy of the asked area reaches the screen.
  COffscreenDC dc(&alvo, e->rect());
  QPainter& p = *dc;
  const QPalette& pal = palette();
  p.fillRect(e->rect(), pal.color(QPalette::Button));
  p.setFont(font());
  const QColor claro = pal.color(QPalette::Light), sombra = pal.color(QPalette::Dark);
  const QPoint cursorLocal = mapFromGlobal(QCursor::pos());
  for (int k = 0; k < ordem_.size(); ++k) {
    const int i = ordem_[k];
    const HeaderItem& d = itens_[i].dados;
    const QRect r = GetItemRect(i);
    if (d.format & HeaderFormat::OwnerDraw) {
      DrawItem(p, i, r);
    } else {
      p.setPen(pal.color(QPalette::ButtonText));
      DrawHeaderItem(p, r.left() + margem_, r.top(), r.left() + r.width() - margem_, r.top() + r.height(), d,
                     i == colunaOrdenada_, ascendente_);
      if (botaoAbaixo_ && !rastreando_ && !arrastando_ && i == itemPressionado_ &&
          (hitPressao_ & HeaderHit::OnHeader) && r.contains(cursorLocal)) {
        p.save();
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.fillRect(r, Qt::white);
        p.restore();
      }
    }
    if (k + 1 < ordem_.size()) {
      const int dir = r.left() + r.width();
      p.setPen(sombra);
      p.drawLine(dir - 1, r.top() + 2, dir - 1, r.top() + r.height() - 2);
      p.setPen(claro);
      p.drawLine(dir, r.top() + 2, dir, r.top() + r.height() - 2);
    }
  }
  const int total = TotalWidth();
  if (total > 0) {
    const QRect f(0, 0, std::min(total, width()), height());
    p.setPen(claro);
    p.drawLine(f.topLeft(), f.topRight());
    p.drawLine(f.topLeft(), f.bottomLeft());
    p.setPen(sombra);
    p.drawLine(f.bottomLeft(), f.bottomRight());
    p.drawLine(f.topRight(), f.bottomRight());
  }
}

void CPlainHeaderCtrl::changeEvent(QEvent* e) {
  if (e->type() == QEvent::PaletteChange || e->type() == QEvent::FontChange) update();
  QWidget::changeEvent(e);
}

bool CPlainHeaderCtrl::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* he = static_cast<QHelpEvent*>(e);
    const int i = dicas_ ? HitTest(he->pos()) : -1;
    if (i >= 0 && !itens_[i].ex.tip.isEmpty())
      QToolTip::showText(he->globalPos(), itens_[i].ex.tip.left(79), this, GetItemRect(i));
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(e);
}

// ---------------------------------------------------------------- mouse

QCursor CPlainHeaderCtrl::CursorFora() const {
  if (cursorFora_ != 0) {
    const QImage img = CHoverButton::CarregaRecurso(cursorFora_);
    if (!img.isNull()) return QCursor(QPixmap::fromImage(img));
  }
  return QCursor(Qt::ForbiddenCursor);
}

void CPlainHeaderCtrl::AtualizaCursor(QPoint p) {
  quint32 f = 0;
  const int i = HitTest(p, &f);
  const bool divisor = i >= 0 && (f & (HeaderHit::OnDivider | HeaderHit::OnHiddenDivider));
  // A fixed-width item shows the arrow over its divider: it cannot be resized.
  if (divisor && !(itens_[i].ex.flags & HeaderExFlag::FixedWidth)) setCursor(Qt::SplitHCursor);
  else unsetCursor();
}

void CPlainHeaderCtrl::LimitesDivisor(int indice, int& minimo, int& maximo) const {
  HDITEMEX ex;
  GetItemEx(indice, ex);
  minimo = ex.minWidth;
  maximo = ex.maxWidth > 0 ? ex.maxWidth : SemLimite;
  if (modoAjuste_ == 1) {
    // Keep room for the columns after it within the parent's width.
    const int dirCliente = ParentClientWidth() - 1;
    const int esq = GetItemRect(indice).left();
    long long somaMin = 0, somaMax = 0;
    for (int k = IndexToOrder(indice) + 1; k < ordem_.size(); ++k) {
      HDITEMEX e2;
      GetItemEx(ordem_[k], e2);
      somaMin += e2.minWidth;
      somaMax += e2.maxWidth > 0 ? e2.maxWidth : SemLimite;
    }
    maximo = int(std::min<long long>(maximo, dirCliente - somaMin - esq + 1));
    minimo = int(std::max<long long>(minimo, dirCliente + 1 - somaMax - esq));
  }
  minimo = std::max(minimo, 0);
}

void CPlainHeaderCtrl::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(e);
    return;
  }
  quint32 f = 0;
  const int i = HitTest(e->position().toPoint(), &f);
  pontoPressao_ = e->position().toPoint();
  hitPressao_ = f;
  itemPressionado_ = i;
  if (i >= 0) GetItem(i, registroPressionado_);
  if (i < 0) return;
  if (f & HeaderHit::OnHeader) {
    botaoAbaixo_ = true;
    update(GetItemRect(i));
  } else if (f & (HeaderHit::OnDivider | HeaderHit::OnHiddenDivider)) {
    if (itens_[i].ex.flags & HeaderExFlag::FixedWidth) {
      itemPressionado_ = -1;  // the press never reaches the divider
      return;
    }
    botaoAbaixo_ = true;
    rastreando_ = true;
    itemRastreado_ = i;
    origemRastreio_ = GetItemRect(i).left();
  }
}

void CPlainHeaderCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  quint32 f = 0;
  const int i = HitTest(e->position().toPoint(), &f);
  if (i >= 0 && (f & (HeaderHit::OnDivider | HeaderHit::OnHiddenDivider))) {
    if (itens_[i].ex.flags & HeaderExFlag::FixedWidth) return;  // swallowed
    HeaderNotify n;
    n.code = HeaderCode::DividerDoubleClick;
    n.item = i;
    NotificaPai(n);
    return;
  }
  // A quick second click on an item is a click like the first.
  mousePressEvent(e);
}

void CPlainHeaderCtrl::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (!botaoAbaixo_ || !(e->buttons() & Qt::LeftButton) || itemPressionado_ < 0) {
    AtualizaCursor(p);
    return;
  }
  if (rastreando_) {
    int minimo = 0, maximo = SemLimite;
    LimitesDivisor(itemRastreado_, minimo, maximo);
    int w = p.x() - origemRastreio_;
    w = std::min(w, maximo);
    w = std::max(w, minimo);
    if (w != itens_[itemRastreado_].dados.width) MudaLargura(itemRastreado_, w);
    return;
  }
  if (!(hitPressao_ & HeaderHit::OnHeader) || !(estilo_ & HeaderStyle::DragDrop)) return;
  const QPoint g = e->globalPosition().toPoint();
  if (!arrastando_) {
    if ((p - pontoPressao_).manhattanLength() < QApplication::startDragDistance()) return;
    HeaderNotify n;
    n.code = HeaderCode::BeginDrag;
    n.item = itemPressionado_;
    n.button = 1;
    n.record = &registroPressionado_;
    if (NotificaPai(n) == 0) {
      const QRect r = GetItemRect(itemPressionado_);
      janelaArrasto_ = new CPHDragWnd;
      janelaArrasto_->Create(QRect(mapToGlobal(r.topLeft()), r.size()), this, itemPressionado_,
                             registroPressionado_);
      retEscolhedor_ = QRect();
      if (escolhedor_) {
        QWidget* pai = escolhedor_->parentWidget();
        if (pai ? pai->isVisible() : escolhedor_->isVisible())
          retEscolhedor_ = QRect(escolhedor_->mapToGlobal(QPoint(0, 0)), escolhedor_->size());
      }
    }
    arrastando_ = true;
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    cursorSobreposto_ = true;
  }
  if (janelaArrasto_) janelaArrasto_->move(g - QPoint(janelaArrasto_->width() / 2, janelaArrasto_->height() / 2));
  quint32 f = 0;
  const int sob = rect().contains(p) ? HitTest(p, &f) : -1;
  int pos = -1;
  if (sob >= 0) {
    alvoDrop_ = 0;
    QApplication::changeOverrideCursor(Qt::ArrowCursor);
    const QRect r = GetItemRect(sob);
    pos = IndexToOrder(sob) + (p.x() > r.left() + r.width() / 2 ? 1 : 0);
  } else if (itens_[itemPressionado_].ex.flags & HeaderExFlag::NoDragOff) {
    alvoDrop_ = 2;
    QApplication::changeOverrideCursor(Qt::ForbiddenCursor);
  } else if (retEscolhedor_.contains(g)) {
    alvoDrop_ = 1;
    QApplication::changeOverrideCursor(Qt::ArrowCursor);
  } else {
    alvoDrop_ = -1;
    QApplication::changeOverrideCursor(CursorFora());
  }
  const int propria = IndexToOrder(itemPressionado_);
  if (pos == propria || pos == propria + 1) pos = -1;
  if (pos != posDrop_) {
    posDrop_ = pos;
    SetHotDivider(false, QPoint(), pos);
  }
}

void CPlainHeaderCtrl::CancelaArrasto(bool) {
  if (janelaArrasto_) {
    janelaArrasto_->close();
    janelaArrasto_ = nullptr;
  }
  if (janelaDrop_) {
    janelaDrop_->close();
    janelaDrop_ = nullptr;
  }
  if (cursorSobreposto_) {
    QApplication::restoreOverrideCursor();
    cursorSobreposto_ = false;
  }
  arrastando_ = false;
  posDrop_ = -1;
}

void CPlainHeaderCtrl::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(e);
    return;
  }
  const QPoint p = e->position().toPoint();
  if (arrastando_) {
    const int item = itemPressionado_;
    const int d = posDrop_;
    const int de = IndexToOrder(item);
    HeaderNotify n;
    n.code = HeaderCode::EndDrag;
    n.item = item;
    n.button = 0;
    n.record = &registroPressionado_;
    const long r = NotificaPai(n);
    if (r == 0 && d >= 0 && de >= 0) SetOrderArray(ReorderForDrop(ordem_, de, d));
    CancelaArrasto(true);
    update();
  } else if (rastreando_) {
    const int item = itemRastreado_;
    rastreando_ = false;
    if (modoAjuste_) FitColumns(item);
  } else if (botaoAbaixo_ && (hitPressao_ & HeaderHit::OnHeader) && itemPressionado_ >= 0) {
    const int item = itemPressionado_;
    update(GetItemRect(item));
    quint32 f = 0;
    if (HitTest(p, &f) == item && (f & HeaderHit::OnHeader) && (estilo_ & HeaderStyle::Buttons)) {
      botaoAbaixo_ = false;
      HeaderNotify n;
      n.code = HeaderCode::ItemClick;
      n.item = item;
      NotificaPai(n);
    }
  }
  botaoAbaixo_ = false;
  rastreando_ = false;
  itemRastreado_ = -1;
  alvoDrop_ = -1;
  AtualizaCursor(p);
}

void CPlainHeaderCtrl::leaveEvent(QEvent* e) {
  if (!botaoAbaixo_) unsetCursor();
  QWidget::leaveEvent(e);
}
