// The window of the report list: creation, style and properties, fonts and row
// height, layout of header, insert-row band and rows, scrolling, painting and
// the label tips.
#include "CListReportCtrl.h"

#include "CHoverButton.h"
#include "CListReportHeaderCtrl.h"
#include "CListReportSubItemListCtrl.h"
#include "CListReportTipCtrl.h"
#include "COffscreenDC.h"
#include "ListReportAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QTextDocument>
#include <QWheelEvent>
#include <qdrawutil.h>

namespace {
constexpr int MolduraDialogo = 3;  // the dialog-frame height of the band's strip
constexpr int Borda = 2;           // the sunken client edge

QSet<CListReportCtrl*>& Controles() {
  static QSet<CListReportCtrl*> s;
  return s;
}
}  // namespace

CListReportCtrl::CListReportCtrl(QWidget* parent) : QWidget(parent) {
  Controles().insert(this);
  RegistraAcessibilidadeRelatorio();
  cacheIndice_.fill(-2);
  raiz_ = new ReportTreeNode;
  raiz_->expanded = true;
  raiz_->item = -2;
  fonte_ = QApplication::font();
  fonteNegrito_ = fonte_;
  fonteNegrito_.setWeight(QFont::Bold);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  LoadSysColors();
}

CListReportCtrl::~CListReportCtrl() {
  Controles().remove(this);
  FechaEditor();
  // By now the owner may be half destroyed (Qt deletes children from the
  // parent's base destructor): rows go without -2055, and owners release what
  // their row data refers to themselves.
  aviso_ = nullptr;
  blockSignals(true);
  if (!ModoVirtual()) ClearRows();
  LiberaNos(raiz_);
  delete raiz_;
  delete dica_;
  if (escolhedor_) escolhedor_->SetOwner(nullptr);
}

bool CListReportCtrl::Create(quint32 estilo, const QRect& r, QWidget* parent, int id) {
  criadoPorCreate_ = true;
  if (parent != parentWidget()) setParent(parent);
  id_ = id;
  estilo_ = estilo;
  setGeometry(r);
  const bool ok = Initialize();
  if (ok && (estilo_ & ReportWindowStyle::Visible)) show();
  return ok;
}

bool CListReportCtrl::Initialize() {
  if (!header_) {
    header_ = new CListReportHeaderCtrl(this);
    header_->SetHeaderStyle(0xC3);
    header_->SetNotifyHandler([this](HeaderNotify& n) { return OnHeaderNotify(n); });
  }
  if (!dica_) dica_ = new CListReportTipCtrl(this);
  if (!barraV_) {
    barraV_ = new QScrollBar(Qt::Vertical, this);
    barraV_->hide();
    connect(barraV_, &QScrollBar::actionTriggered, this, [this](int acao) {
      // Page steps go by whole rows of the view, not by the bar's page.
      if (acao == QAbstractSlider::SliderPageStepAdd) {
        const int antes = topo_;
        ScrollPageDown();
        barraV_->setSliderPosition(topo_);
        topo_ = antes;
      } else if (acao == QAbstractSlider::SliderPageStepSub) {
        const int antes = topo_;
        ScrollPageUp();
        barraV_->setSliderPosition(topo_);
        topo_ = antes;
      }
    });
    connect(barraV_, &QScrollBar::valueChanged, this, [this](int v) { RolaVertical(v); });
  }
  if (!barraH_) {
    barraH_ = new QScrollBar(Qt::Horizontal, this);
    barraH_->hide();
    connect(barraH_, &QScrollBar::valueChanged, this, [this](int v) { RolaHorizontal(v); });
  }
  if (parentWidget()) fonte_ = parentWidget()->font();
  const bool antes = redesenha_;
  redesenha_ = false;
  AplicaFonte();
  redesenha_ = antes;
  setEnabled(!(estilo_ & ReportWindowStyle::Disabled));
  LoadSysColors();
  linhasRoda_ = ReadWheelScrollLines();
  Layout();
  return header_ && dica_;
}

CPlainHeaderCtrl* CListReportCtrl::Header() const { return header_; }

// ---------------------------------------------------------------- colours, fonts, style

void CListReportCtrl::LoadSysColors() {
  const QPalette& p = palette();
  corSistema_[0] = p.color(QPalette::Active, QPalette::Base);
  corSistema_[1] = p.color(QPalette::Active, QPalette::Highlight);
  corSistema_[2] = p.color(QPalette::Active, QPalette::Button);
  corSistema_[3] = p.color(QPalette::Active, QPalette::Text);
  corSistema_[4] = p.color(QPalette::Active, QPalette::HighlightedText);
  corSistema_[5] = p.color(QPalette::Active, QPalette::Text);
  corSistema_[6] = p.color(QPalette::Active, QPalette::Button).darker(110);
  corSistema_[7] = p.color(QPalette::Active, QPalette::Button);
  corSistema_[8] = p.color(QPalette::Active, QPalette::Midlight);
  corSistema_[9] = p.color(QPalette::Active, QPalette::Dark);
  corSistema_[10] = p.color(QPalette::Active, QPalette::Light);
  corSistema_[11] = p.color(QPalette::Active, QPalette::Shadow);
}

int CListReportCtrl::ReadWheelScrollLines() { return QApplication::wheelScrollLines(); }

int CListReportCtrl::ComputeRowHeight(int alturaFonte, int leading, bool gradeH, int alturaImagem) {
  int h = alturaFonte + std::max(leading, 0) + 2 + (gradeH ? 1 : 0);
  if (alturaImagem > 0) h = std::max(h, alturaImagem + 1);
  return h;
}

void CListReportCtrl::AplicaFonte() {
  fonteNegrito_ = fonte_;
  fonteNegrito_.setWeight(QFont::Bold);
  const QFontMetrics fm(fonte_);
  alturaLinha_ = ComputeRowHeight(fm.height(), fm.leading(), estilo_ & ReportStyle::HorizontalGrid,
                                  imagens_ ? alturaImagem_ : 0);
  larguraCheck_ = alturaCheck_ = alturaLinha_ - 2;
  if (header_) header_->setFont(fonte_);
  if (redesenha_) {
    Layout();
    update();
  }
}

void CListReportCtrl::changeEvent(QEvent* e) {
  switch (e->type()) {
    case QEvent::FontChange:
      fonte_ = font();
      AplicaFonte();
      break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
      LoadSysColors();
      update();
      break;
    case QEvent::EnabledChange: update(); break;
    default: break;
  }
  QWidget::changeEvent(e);
}

quint32 CListReportCtrl::GetControlStyle() const { return estilo_; }

void CListReportCtrl::ChangeControlStyle(quint32 remover, quint32 acrescentar, int) {
  TerminaEdicaoGravando();
  const quint32 antes = estilo_;
  estilo_ = (estilo_ & ~remover) | acrescentar;
  const bool gradeAntes = antes & ReportStyle::HorizontalGrid, gradeAgora = estilo_ & ReportStyle::HorizontalGrid;
  if (!gradeAntes && gradeAgora) ++alturaLinha_;
  if (gradeAntes && !gradeAgora) --alturaLinha_;
  if ((antes & ReportStyle::CellFocus) && !(estilo_ & ReportStyle::CellFocus)) colunaFoco_ = -1;
  setEnabled(!(estilo_ & ReportWindowStyle::Disabled));
  Layout();
  update();
}

int CListReportCtrl::SetProperty(int numero, qintptr valor) {
  switch (numero) {
    case 1: margemTexto_ = int(valor); break;
    case 2:
      larguraCheck_ = int(valor & 0xFFFF);
      alturaCheck_ = int((valor >> 16) & 0xFFFF);
      break;
    case 4:
      if (valor < 0 || valor > 2) return 0;
      estiloCaneta_ = valor == 0 ? Qt::DotLine : valor == 1 ? Qt::DashLine : Qt::SolidLine;
      break;
    case 6: valorUsuario_ = valor; break;
    case 7:
      cacheLigado_ = valor != 0;
      cacheIndice_.fill(-2);
      linhaInsercaoValida_ = false;
      break;
    case 8: {
      // Rows stored before would no longer read back as they were written.
      for (CListReportCtrl* c : Controles())
        if (c->StoredRowCount() > 0) return 0;
      if (valor <= 0 || valor > 0xFFFF) return 0;
      ReportTextSettings::Process().separator = QChar(char16_t(valor));
      break;
    }
    case 9: alturasExtras_ = valor != 0; break;
    case 10: barraHorizontalPermitida_ = valor != 0; break;
    case 11:
      if (valor < 0 || valor > 2) return 0;
      aparenciaCheck_ = int(valor);
      break;
    case 12:
      if (valor < 0 || valor > 3) return 0;
      modoImagem_ = int(valor);
      break;
    case 13: corMistura_ = QColor::fromRgb(QRgb(valor)); break;
    case 14:
      if (valor <= 0 || valor > 0xFFFF) return 0;
      ReportTextSettings::Process().copySeparator = QChar(char16_t(valor));
      break;
    case 3:
    case 5:
    case 15: return 0;  // texts: the text overload
    default: return 0;
  }
  Layout();
  update();
  return 1;
}

int CListReportCtrl::SetProperty(int numero, const QString& texto) {
  switch (numero) {
    case 3: textoVazio_ = texto; break;
    case 5: formatoDica_ = texto; break;
    case 15: ReportTextSettings::Process().treeIndent = texto; break;
    case 8:
    case 14: return texto.size() == 1 ? SetProperty(numero, qintptr(texto.at(0).unicode())) : 0;
    default: return 0;
  }
  Layout();
  update();
  return 1;
}

bool CListReportCtrl::SetImages(const ReportImageList* normal, const ReportImageList* estado) {
  imagens_ = normal;
  imagensEstado_ = estado;
  if (header_) header_->SetImageList(normal);
  bool ok = true;
  // Each list gives its image size; rows are at least one pixel higher.
  const auto tamanho = [&](const ReportImageList* lista, int& largura, int& altura) {
    if (!lista) return;
    const QSize s = lista->ImageSize();
    if (!s.isValid()) {
      ok = false;
      return;
    }
    largura = s.width();
    altura = s.height();
    alturaLinha_ = std::max(alturaLinha_, altura + 1);
  };
  larguraImagem_ = alturaImagem_ = 0;
  tamanho(normal, larguraImagem_, alturaImagem_);
  tamanho(estado, larguraCheck_, alturaCheck_);
  Layout();
  update();
  return ok;
}

void CListReportCtrl::SetRowHeight(int altura) {
  alturaLinha_ = std::max(altura, 1);
  Layout();
  update();
}

void CListReportCtrl::SetRedraw(bool ligado) {
  redesenha_ = ligado;
  if (ligado) {
    AtualizaRolagem();
    repaint();
  }
}

bool CListReportCtrl::SetBackgroundImage(const QString& recurso) {
  fundo_ = QPixmap();
  QPixmap p(recurso);
  if (p.isNull()) {
    bool ehNumero = false;
    const int id = recurso.toInt(&ehNumero);
    if (ehNumero) p = QPixmap::fromImage(CHoverButton::CarregaRecurso(id));
  }
  fundo_ = p;
  update();
  return !fundo_.isNull();
}

int CListReportCtrl::WrappedTextHeight(const QFont& fonte, const QString& texto, const QRect* r) {
  const int largura = r ? r->width() : larguraTotal_;
  const QFontMetrics fm(fonte);
  const QRect b = fm.boundingRect(QRect(0, 0, std::max(largura, 1), 100000),
                                  int(Qt::TextWordWrap | Qt::TextExpandTabs | Qt::AlignLeft | Qt::AlignTop), texto);
  return b.height();
}

int CListReportCtrl::LinesHeight(const QFont& fonte, int n) {
  const QFontMetrics fm(fonte);
  return n * (fm.height() + fm.leading());
}

// ---------------------------------------------------------------- layout and scrolling

QRect CListReportCtrl::RetanguloCliente() const {
  QRect r = rect();
  if (estilo_ & ReportWindowStyle::Border) r.adjust(Borda, Borda, -Borda, -Borda);
  return r;
}

int CListReportCtrl::AlturaDaLinha(int linha) {
  if (!alturasExtras_ || linha < 0) return alturaLinha_;
  const int item = ItemOfDisplayRow(linha);
  const structITEM* r = ModoVirtual() ? GetItemRecord(item, -1) : Registro(item);
  return alturaLinha_ + (r ? std::max(r->extraHeight, 0) : 0);
}

int CListReportCtrl::LinhasQueCabem(int desde) const {
  auto* eu = const_cast<CListReportCtrl*>(this);
  int h = 0, n = 0;
  for (int l = std::max(desde, 0); l < numLinhas_; ++l) {
    h += eu->AlturaDaLinha(l);
    if (h > retLinhas_.height()) break;
    ++n;
  }
  return n;
}

int CListReportCtrl::MaiorTopo() const {
  auto* eu = const_cast<CListReportCtrl*>(this);
  int h = 0;
  int t = numLinhas_;
  while (t > 0) {
    const int a = eu->AlturaDaLinha(t - 1);
    if (h + a > retLinhas_.height()) break;
    h += a;
    --t;
  }
  // When not even one row fits, the last row may still be the top.
  return std::min(t, std::max(numLinhas_ - 1, 0));
}

int CListReportCtrl::VisibleRowCount(bool parcialBasta) const {
  const int n = LinhasQueCabem(topo_);
  if (!parcialBasta) return n;
  return topo_ + n < numLinhas_ ? n + 1 : n;
}

int CListReportCtrl::HorizontalPosition() const { return posH_; }

void CListReportCtrl::Layout() {
  if (emLayout_ || !header_) return;
  emLayout_ = true;
  const QRect cliente = RetanguloCliente();
  const int larguraBarra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  bool comV = barraV_->isVisibleTo(this), comH = barraH_->isVisibleTo(this);
  for (int passo = 0; passo < 3; ++passo) {
    QRect area = cliente.adjusted(0, 0, comV ? -larguraBarra : 0, comH ? -larguraBarra : 0);
    retHeaderFaixa_ = area;
    if (estilo_ & ReportStyle::NoHeader) {
      retHeader_ = QRect(area.left(), area.top(), area.width(), 0);
    } else {
      retHeader_ = header_->Layout(area);
    }
    retFaixa_ = QRect();
    if (estilo_ & ReportStyle::InsertRow) {
      retFaixa_ = QRect(area.left(), area.top(), area.width(), alturaLinha_ + 2 * MolduraDialogo);
      area.setTop(area.top() + retFaixa_.height());
    }
    retHeaderFaixa_.setBottom(area.top() - 1);
    retLinhas_ = area;
    const bool querV = MaiorTopo() > 0;
    const bool querH = barraHorizontalPermitida_ && larguraTotal_ > retLinhas_.width();
    if (querV == comV && querH == comH) break;
    comV = querV;
    comH = querH;
  }
  barraV_->setVisible(comV);
  barraH_->setVisible(comH);
  if (comV) barraV_->setGeometry(cliente.right() + 1 - larguraBarra, cliente.top(), larguraBarra,
                                 cliente.height() - (comH ? larguraBarra : 0));
  if (comH) barraH_->setGeometry(cliente.left(), cliente.bottom() + 1 - larguraBarra,
                                 cliente.width() - (comV ? larguraBarra : 0), larguraBarra);
  emLayout_ = false;
  AtualizaRolagem();
}

void CListReportCtrl::AtualizaRolagem() {
  if (!header_ || !barraV_) return;
  const int maxV = MaiorTopo();
  topo_ = std::clamp(topo_, 0, maxV);
  {
    QSignalBlocker b(barraV_);
    barraV_->setRange(0, maxV);
    barraV_->setPageStep(std::max(1, LinhasQueCabem(topo_)));
    barraV_->setSingleStep(1);
    barraV_->setValue(topo_);
  }
  const int maxH = std::max(0, larguraTotal_ - retLinhas_.width());
  posH_ = std::clamp(posH_, 0, maxH);
  {
    QSignalBlocker b(barraH_);
    barraH_->setRange(0, maxH);
    barraH_->setPageStep(std::max(1, retLinhas_.width()));
    barraH_->setSingleStep(std::max(1, retLinhas_.width() / 8));
    barraH_->setValue(posH_);
  }
  if (!emLayout_) {
    const bool querV = maxV > 0;
    const bool querH = barraHorizontalPermitida_ && maxH > 0;
    if (querV != barraV_->isVisibleTo(this) || querH != barraH_->isVisibleTo(this)) {
      Layout();
      return;
    }
  }
  if (estilo_ & ReportStyle::NoHeader) {
    header_->hide();
  } else {
    header_->setGeometry(retHeader_.left() - posH_, retHeader_.top(),
                         std::max(retLinhas_.width(), larguraTotal_) + (retHeader_.width() - retLinhas_.width()),
                         retHeader_.height());
    header_->show();
  }
}

void CListReportCtrl::RolaVertical(int topo) {
  topo = std::clamp(topo, 0, MaiorTopo());
  if (topo == topo_) return;
  TerminaEdicaoGravando();
  topo_ = topo;
  QSignalBlocker b(barraV_);
  barraV_->setValue(topo_);
  barraV_->setPageStep(std::max(1, LinhasQueCabem(topo_)));
  update();
}

void CListReportCtrl::RolaHorizontal(int pos) {
  pos = std::clamp(pos, 0, std::max(0, larguraTotal_ - retLinhas_.width()));
  if (pos == posH_) return;
  TerminaEdicaoGravando();
  posH_ = pos;
  {
    QSignalBlocker b(barraH_);
    barraH_->setValue(posH_);
  }
  AtualizaRolagem();
  update();
}

void CListReportCtrl::ScrollPageUp() {
  // The page that ends at the current top row; the row above it becomes the top.
  int f = topo_;
  int h = AlturaDaLinha(topo_);
  while (f > 0 && h + AlturaDaLinha(f - 1) <= retLinhas_.height()) {
    --f;
    h += AlturaDaLinha(f);
  }
  RolaVertical(std::max(0, f - 1));
}

void CListReportCtrl::ScrollPageDown() {
  RolaVertical(topo_ + std::max(1, LinhasQueCabem(topo_)));
}

bool CListReportCtrl::IsRowVisible(int linha, bool parcialBasta) {
  if (linha == -1) return estilo_ & ReportStyle::InsertRow;
  if (linha < topo_ || linha >= numLinhas_) return false;
  return linha < topo_ + VisibleRowCount(parcialBasta);
}

bool CListReportCtrl::EnsureRowVisible(int item, bool parcialBasta) {
  const int linha = DisplayPositionOfRow(item);
  if (linha == -1) return true;
  if (linha < 0 || linha >= numLinhas_) return false;
  if (linha < topo_) {
    RolaVertical(linha);
  } else if (!IsRowVisible(linha, parcialBasta)) {
    int t = linha, h = AlturaDaLinha(linha);
    while (t > 0 && h + AlturaDaLinha(t - 1) <= retLinhas_.height()) {
      --t;
      h += AlturaDaLinha(t);
    }
    RolaVertical(t);
  }
  return true;
}

void CListReportCtrl::resizeEvent(QResizeEvent*) {
  TerminaEdicaoGravando();
  Layout();
  update();
}

void CListReportCtrl::wheelEvent(QWheelEvent* e) {
  restoRoda_ += e->angleDelta().y();
  while (std::abs(restoRoda_) >= 120) {
    const bool sobe = restoRoda_ > 0;
    restoRoda_ += sobe ? -120 : 120;
    if (linhasRoda_ == -1) {
      if (sobe) ScrollPageUp();
      else ScrollPageDown();
    } else {
      RolaVertical(topo_ + (sobe ? -linhasRoda_ : linhasRoda_));
    }
  }
  e->accept();
}

// ---------------------------------------------------------------- geometry

bool CListReportCtrl::GetRowRect(int linha, int mostrada, QRect& r, int parte) {
  const int item = ItemOfDisplayRow(linha);
  if (mostrada < 0) {
    if (linha == -1) {
      if (!(estilo_ & ReportStyle::InsertRow)) return false;
      r = QRect(retLinhas_.left() - posH_, retFaixa_.top(), larguraTotal_, alturaLinha_);
      return true;
    }
    if (!IsRowVisible(linha, true)) return false;
    int y = retLinhas_.top();
    for (int l = topo_; l < linha; ++l) y += AlturaDaLinha(l);
    r = QRect(retLinhas_.left() - posH_, y, larguraTotal_, AlturaDaLinha(linha));
    return true;
  }
  return GetCellRect(item, DefinedColumnOfShown(mostrada), r, parte);
}

bool CListReportCtrl::GetCellRect(int item, int coluna, QRect& r, int parte) {
  const int linha = DisplayPositionOfRow(item);
  QRect linhaR;
  if (!GetRowRect(linha, -1, linhaR)) return false;
  const int mostrada = ShownPositionOfColumn(coluna);
  if (mostrada < 0) return false;
  const QRect h = header_->GetItemRect(header_->OrderToIndex(mostrada));
  ReportItemInfo info;
  info.mask = ReportMask::Text;
  info.item = item;
  info.column = coluna;
  GetRowItem(info);
  int esq = retLinhas_.left() - posH_ + h.left();
  const int dir = esq + h.width();
  if (mostrada == 0 && info.indent > 0) esq += info.indent * alturaLinha_;
  QRect cel(esq, linhaR.top(), std::max(0, dir - esq), alturaLinha_);
  if (parte == 4) {
    r = QRect(esq, linhaR.top(), linhaR.left() + linhaR.width() - esq, linhaR.height());
    return r.width() > 0;
  }
  if (parte == 0) {
    r = cel;
    return true;
  }
  const quint32 flags = colunas_[coluna].flags;
  int x = esq + margemTexto_;
  const int fim = dir - margemTexto_;
  if (info.image >= 0 || (flags & ReportColumnFlag::ImageRoom)) {
    if (parte == 1) {
      r = QRect(x, cel.top(), std::min(larguraImagem_, fim - x), cel.height());
      return info.image >= 0 && r.width() > 0;
    }
    x += larguraImagem_ + margemTexto_;
  } else if (parte == 1) {
    return false;
  }
  if (info.check >= 0 || (flags & ReportColumnFlag::CheckRoom)) {
    if (parte == 2) {
      r = QRect(x, cel.top(), std::min(larguraCheck_, fim - x), cel.height());
      return info.check >= 0 && r.width() >= larguraCheck_;
    }
    x += larguraCheck_ + margemTexto_;
  } else if (parte == 2) {
    return false;
  }
  r = QRect(x, cel.top(), fim - x, cel.height());
  return r.width() > 0;
}

void CListReportCtrl::InvalidateRows(int primeira, int ultima, bool agora) {
  if (primeira > ultima) std::swap(primeira, ultima);
  QRect a, b;
  const bool temA = GetRowRect(primeira, -1, a), temB = GetRowRect(ultima, -1, b);
  QRect r;
  if (temA && temB) r = a.united(b);
  else if (temA) r = a.united(QRect(a.left(), a.top(), a.width(), retLinhas_.bottom() - a.top() + 1));
  else if (temB) r = b.united(QRect(b.left(), retLinhas_.top(), b.width(), 1));
  else r = QRect(retHeaderFaixa_.topLeft(), retLinhas_.bottomRight());
  r.setLeft(retLinhas_.left());
  r.setRight(retLinhas_.right());
  if (agora) repaint(r);
  else update(r);
}

void CListReportCtrl::RepintaLinha(int linha) {
  if (linha == -2) return;
  InvalidateRows(linha, linha);
}

// ---------------------------------------------------------------- painting

QColor CListReportCtrl::CorTabela(int indice, const QColor& padrao) const {
  return indice >= 0 && indice < cores_.size() ? QColor::fromRgb(cores_[indice]) : padrao;
}

void CListReportCtrl::DesenhaFoco(QPainter& p, QRect r) {
  if (estilo_ & (ReportStyle::HorizontalGrid | ReportStyle::VerticalGrid)) r.adjust(1, 0, -1, -1);
  QStyleOptionFocusRect o;
  o.initFrom(this);
  o.rect = r;
  o.backgroundColor = corSistema_[0];
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
}

void CListReportCtrl::paintEvent(QPaintEvent* e) {
  QPainter alvo(this);
  // Through the off-screen surface: one copy of the asked area reaches the screen.
  COffscreenDC dc(&alvo, e->rect());
  Paint(*dc, e->rect());
}

void CListReportCtrl::DrawBackground(QPainter& p, const QRect& r, const QColor& cor) {
  if (fundo_.isNull()) {
    p.fillRect(r, cor);
    return;
  }
  p.fillRect(r, cor);
  p.save();
  p.setClipRect(r.intersected(retLinhas_));
  const int w = fundo_.width(), h = fundo_.height();
  const int x0 = retLinhas_.left() - (posH_ % w);
  const int y0 = retLinhas_.top() + ((r.top() - retLinhas_.top()) / h) * h;
  for (int y = y0; y <= r.bottom(); y += h)
    for (int x = x0; x <= r.right(); x += w) p.drawPixmap(x, y, fundo_);
  p.restore();
}

void CListReportCtrl::Paint(QPainter& p, const QRect& clip) {
  if (estilo_ & ReportWindowStyle::Border) qDrawShadePanel(&p, rect(), palette(), true, Borda);
  const QRect cliente = RetanguloCliente();
  const QColor fundoPadrao = isEnabled() ? corSistema_[0] : corSistema_[7];
  p.setClipRect(clip.intersected(cliente));
  DrawBackground(p, clip.intersected(cliente), fundoPadrao);
  QPen caneta(corSistema_[6]);
  caneta.setStyle(estiloCaneta_);
  caneta.setWidth(1);
  p.setPen(caneta);
  p.setFont(fonte_);
  if (ordemHeaderDesatualizada_) SyncHeaderOrder();
  const int shown = ShownColumnCount();

  if (estilo_ & ReportStyle::InsertRow) {
    const QRect faixa(cliente.left(), retFaixa_.bottom() + 1 - 2 * MolduraDialogo, cliente.width(), 2 * MolduraDialogo);
    p.fillRect(faixa, corSistema_[7]);
    p.setPen(corSistema_[10]);
    p.drawLine(faixa.topLeft(), faixa.topRight());
    p.setPen(corSistema_[11]);
    p.drawLine(faixa.bottomLeft(), faixa.bottomRight());
    p.setPen(caneta);
    ReportItemInfo info;
    info.mask = ReportMask::Text;
    info.item = -1;
    info.column = -1;
    if (GetRowItem(info)) {
      QRect r(retLinhas_.left() - posH_, retFaixa_.top(), std::max(larguraTotal_, 0), alturaLinha_);
      p.save();
      p.setClipRect(QRect(cliente.left(), retFaixa_.top(), cliente.width(), alturaLinha_).intersected(clip));
      DrawRow(p, -1, info, r, clip, false);
      if (temFoco_ && !editor_ && linhaFoco_ == -1 && colunaFoco_ < 0) DesenhaFoco(p, r);
      p.restore();
    }
  }

  int ultimoFundo = retLinhas_.top();
  bool todasDesenhadas = true;
  if (numLinhas_ > 0) {
    p.save();
    p.setClipRect(retLinhas_.intersected(clip));
    int y = retLinhas_.top();
    int linha = topo_;
    for (; linha < numLinhas_ && y <= clip.bottom() && y <= retLinhas_.bottom(); ++linha) {
      ReportItemInfo info;
      info.mask = ReportMask::Text;
      info.item = ItemOfDisplayRow(linha);
      info.column = -1;
      if (!GetRowItem(info)) break;
      const int h = alturaLinha_ + (alturasExtras_ ? std::max(info.extraHeight, 0) : 0);
      const int recuo = info.indent >= 0 ? info.indent * alturaLinha_ : 0;
      const int esq = retLinhas_.left() - posH_ + recuo;
      const int dir = std::max(retLinhas_.left() - posH_ + larguraTotal_, esq);
      const QRect r(esq, y, dir - esq, h);
      if (r.bottom() >= clip.top()) {
        DrawRow(p, linha, info, r, clip, linha % 2 == 1);
        if (alturasExtras_ && info.extraHeight != 0) {
          ReportExtraDrawInfo x;
          x.code = ReportCode::ExtraDraw;
          x.item = info.item;
          x.state = info.state;
          x.painter = &p;
          x.rect = QRect(r.left(), y + alturaLinha_, r.width(), info.extraHeight);
          x.data = info.data;
          p.save();
          Notify(x);
          p.restore();
        }
        if (estilo_ & ReportStyle::HorizontalGrid) {
          p.setPen(caneta);
          p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        }
        if (temFoco_ && !editor_ && linha == linhaFoco_ &&
            !((estilo_ & ReportStyle::CellFocus) && colunaFoco_ >= 0))
          DesenhaFoco(p, r);
      }
      y += h;
      ultimoFundo = y;
    }
    todasDesenhadas = linha >= numLinhas_;
    p.restore();
  }

  // Grid lines.
  if (shown > 0 && (estilo_ & (ReportStyle::HorizontalGrid | ReportStyle::VerticalGrid))) {
    p.save();
    p.setClipRect(retLinhas_.intersected(clip));
    p.setPen(caneta);
    int baixo = (estilo_ & ReportStyle::GridToBottom) ? retLinhas_.bottom() : ultimoFundo - 1;
    const int esq = retLinhas_.left() - posH_, dir = esq + larguraTotal_ - 1;
    if ((estilo_ & ReportStyle::HorizontalGrid) && (estilo_ & ReportStyle::GridToBottom) && todasDesenhadas) {
      for (int y = ultimoFundo + alturaLinha_ - 1; y <= clip.bottom(); y += alturaLinha_)
        p.drawLine(esq, y, dir, y);
      baixo = retLinhas_.bottom();
    }
    p.drawLine(esq, retLinhas_.top(), esq, baixo);
    p.drawLine(dir, retLinhas_.top(), dir, baixo);
    if (estilo_ & ReportStyle::VerticalGrid) {
      int x = esq;
      for (int k = 0; k < shown; ++k) {
        x += header_->GetItemRect(header_->OrderToIndex(k)).width();
        p.drawLine(x - 1, retLinhas_.top(), x - 1, baixo);
      }
    }
    p.restore();
  }

  if (numLinhas_ == 0) {
    const int largura = std::min(larguraTotal_ > 0 ? larguraTotal_ : cliente.width(), cliente.width());
    const QRect r(retLinhas_.left(), retLinhas_.top() + 2, largura, alturaLinha_);
    p.setPen(corSistema_[3]);
    p.setFont(fonte_);
    p.drawText(r, int(Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine),
               p.fontMetrics().elidedText(textoVazio_, Qt::ElideRight, r.width()));
  }
}

void CListReportCtrl::DrawRow(QPainter& p, int linha, ReportItemInfo& info, const QRect& r, const QRect& clip,
                              bool impar) {
  const QColor padrao = isEnabled() ? corSistema_[0] : corSistema_[7];
  QColor fundo = padrao;
  if ((estilo_ & ReportStyle::AlternateColours) && impar && !cores_.isEmpty()) fundo = QColor::fromRgb(cores_[0]);
  if (info.background >= 0) fundo = CorTabela(info.background, fundo);
  const bool selecionada = info.state & ReportState::Selected;
  if (selecionada) {
    if (temFoco_) fundo = corSistema_[1];
    else if (estilo_ & ReportStyle::ShowSelectionAlways) fundo = corSistema_[2];
  }
  if (fundo_.isNull() || fundo != padrao || linha == -1) p.fillRect(r, fundo);
  const QFont fonteLinha = (info.state & ReportState::Bold) ? fonteNegrito_ : fonte_;
  p.setFont(fonteLinha);

  const int n = ShownColumnCount();
  const int recuo = info.indent >= 0 ? info.indent * alturaLinha_ : 0;
  int x = retLinhas_.left() - posH_;
  ReportTreeNode* no = ModoArvore() ? NodeOfRow(info.item) : nullptr;
  for (int k = 0; k < n && x <= clip.right(); ++k) {
    const int idx = header_->OrderToIndex(k);
    const int largura = header_->GetItemRect(idx).width();
    int esq = x;
    if (k == 0) esq += recuo;
    const int dir = x + largura;
    x = dir;
    if (dir < clip.left() && !(k == 0 && no && no->spanColumn >= 0)) continue;
    HeaderItem hi;
    header_->GetItem(idx, hi);
    int coluna = int(hi.lParam);
    QRect cel(esq, r.top(), std::max(0, dir - esq), alturaLinha_);
    if (k == 0 && info.indent >= 0) {
      if (info.state & (ReportState::Collapsed | ReportState::Expanded))
        DrawTreeButton(p, QRect(esq - alturaLinha_, r.top(), alturaLinha_, alturaLinha_),
                       info.state & ReportState::Expanded);
      if (no && no->spanColumn >= 0) {
        coluna = no->spanColumn;
        cel = QRect(esq, r.top(), std::max(0, r.right() + 1 - esq), alturaLinha_);
      }
    }
    ReportItemInfo ci;
    ci.mask = ReportMask::Text;
    ci.item = info.item;
    ci.column = coluna;
    GetRowItem(ci);
    QColor corTexto = ci.textColour >= 0 ? CorTabela(ci.textColour, corSistema_[3]) : corSistema_[3];
    const bool corPropria = (estilo_ & ReportStyle::KeepTextColours) && ci.textColour >= 0;
    if (selecionada && temFoco_ && !corPropria) corTexto = corSistema_[4];
    if (selecionada && !temFoco_ && (estilo_ & ReportStyle::ShowSelectionAlways) && !corPropria)
      corTexto = corSistema_[5];
    const bool celulaFocada = linha == linhaFoco_ && k == colunaFoco_ && colunaFoco_ >= 0 &&
                              (linha == -1 || (estilo_ & ReportStyle::CellFocus));
    if (celulaFocada) {
      p.fillRect(cel, padrao);
      corTexto = corSistema_[3];
    }
    fundoLinha_ = celulaFocada ? padrao : fundo;
    p.setPen(corTexto);
    p.setFont(fonteLinha);
    DrawSubItem(p, ci, cel.adjusted(margemTexto_, 0, -margemTexto_, 0));
    if (temFoco_ && !editor_ && celulaFocada) DesenhaFoco(p, cel);
    if (k == 0 && no && no->spanColumn >= 0) break;
  }
}

void CListReportCtrl::DrawSubItem(QPainter& p, ReportItemInfo& info, const QRect& r) {
  if (info.state & ReportState::OwnerDraw) {
    ReportDrawInfo d;
    d.code = ReportCode::CustomDraw;
    d.info = &info;
    d.painter = &p;
    d.rect = r;
    p.save();
    const long resposta = Notify(d);
    p.restore();
    if (resposta != 0) return;
  }
  QRect resto = r;
  const int wi = DrawImage(p, info, resto);
  if (wi > 0) resto.setLeft(resto.left() + wi + margemTexto_);
  else if (info.image >= 0) return;
  const int wc = DrawCheck(p, info, resto);
  if (wc > 0) resto.setLeft(resto.left() + wc + margemTexto_);
  else if (info.check >= 0) return;
  DrawText(p, info, resto);
}

int CListReportCtrl::DrawImage(QPainter& p, ReportItemInfo& info, const QRect& r) {
  const quint32 flags = info.column >= 0 && info.column < colunas_.size() ? colunas_[info.column].flags : 0;
  if (info.image < 0 || !imagens_) return (flags & ReportColumnFlag::ImageRoom) ? larguraImagem_ : 0;
  if (r.width() <= 0) return 0;
  const QPoint pos(r.left(), r.top() + (r.height() - alturaImagem_) / 2 + 1);
  const bool selecionada = info.state & ReportState::Selected;
  const bool focada = info.state & ReportState::Focused;
  QColor cor;
  int pct = 0;
  switch (modoImagem_) {
    case 1:
      if (selecionada) cor = fundoLinha_, pct = 50;
      break;
    case 2:
      if (focada) cor = corSistema_[0], pct = 25;
      break;
    case 3:
      if (selecionada) cor = fundoLinha_, pct = 50;
      else if (focada) cor = corSistema_[0], pct = 25;
      break;
    default:
      if (info.state & ReportState::Blend25) cor = corMistura_, pct = 25;
      else if (info.state & ReportState::Blend50) cor = corMistura_, pct = 50;
      break;
  }
  const int largura = std::min(larguraImagem_, r.width());
  imagens_->DrawBlended(p, info.image, pos, largura, cor, pct);
  if (info.overlay >= 0) imagens_->DrawBlended(p, info.overlay, pos, largura, cor, pct);
  return larguraImagem_;
}

int CListReportCtrl::DrawCheck(QPainter& p, ReportItemInfo& info, const QRect& r) {
  const quint32 flags = info.column >= 0 && info.column < colunas_.size() ? colunas_[info.column].flags : 0;
  if (info.check < 0) return (flags & ReportColumnFlag::CheckRoom) ? larguraCheck_ : 0;
  if (r.width() < larguraCheck_) return 0;
  const QRect caixa(r.left(), r.top() + (r.height() - alturaCheck_) / 2, larguraCheck_, alturaCheck_);
  if (imagensEstado_) {
    imagensEstado_->Draw(p, info.check, caixa.topLeft());
    return larguraCheck_;
  }
  const int v = info.check;
  const bool redondo = v >= 4;
  const bool marcado = v == 1 || v == 3 || v == 5 || v == 7;
  const bool cruz = v == 2 || v == 3 || v == 6 || v == 7;
  QStyleOptionButton o;
  o.initFrom(this);
  o.rect = caixa;
  o.state = (o.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver)) |
            (marcado ? QStyle::State_On : QStyle::State_Off);
  if (aparenciaCheck_ == 0) o.state &= ~QStyle::State_Raised;
  p.save();
  style()->drawPrimitive(redondo ? QStyle::PE_IndicatorRadioButton : QStyle::PE_IndicatorCheckBox, &o, &p, this);
  if (cruz) {
    QPen vermelha(QColor(255, 0, 0));
    vermelha.setWidth(2);
    p.setPen(vermelha);
    QRect dentro = caixa.adjusted(1, 1, -1, -1);
    if (redondo) dentro.translate(1, 0);
    p.drawLine(dentro.topLeft(), dentro.bottomRight());
    p.drawLine(dentro.bottomLeft(), dentro.topRight());
  }
  p.restore();
  return larguraCheck_;
}

int CListReportCtrl::DrawText(QPainter& p, ReportItemInfo& info, const QRect& r) {
  if (info.text.isNull() || r.width() <= 0) return 0;
  const quint32 flags = info.column >= 0 && info.column < colunas_.size() ? colunas_[info.column].flags : 0;
  Qt::Alignment al = Qt::AlignLeft;
  if ((flags & ReportColumnFlag::AlignMask) == ReportColumnFlag::AlignRight) al = Qt::AlignRight;
  else if ((flags & ReportColumnFlag::AlignMask) == ReportColumnFlag::AlignCenter) al = Qt::AlignHCenter;
  const QString t = p.fontMetrics().elidedText(info.text, Qt::ElideRight, r.width());
  p.drawText(r, int(al | Qt::AlignVCenter | Qt::TextSingleLine), t);
  return std::min(int(p.fontMetrics().horizontalAdvance(t)), r.width());
}

void CListReportCtrl::DrawTreeButton(QPainter& p, const QRect& q, bool expandido) {
  const QRect b(q.left() + (q.width() - 9) / 2, q.top() + (q.height() - 9) / 2, 9, 9);
  p.save();
  p.fillRect(b, corSistema_[0]);
  p.setPen(corSistema_[9]);
  p.drawRect(b.adjusted(0, 0, -1, -1));
  p.setPen(corSistema_[3]);
  const int cx = b.left() + 4, cy = b.top() + 4;
  p.drawLine(cx - 2, cy, cx + 2, cy);
  if (!expandido) p.drawLine(cx, cy - 2, cx, cy + 2);
  p.restore();
}

// ---------------------------------------------------------------- tips, focus, notifications

void CListReportCtrl::OnShowTip(ReportItemInfo&) {}

void CListReportCtrl::MostraDica(QPoint ponto) {
  ReportHitInfo hit;
  hit.point = ponto;
  HitTest(hit);
  if (hit.item != -2 && (hit.flags & ReportHit::Text)) {
    ReportItemInfo info;
    info.mask = ReportMask::Text;
    info.item = hit.item;
    info.column = hit.column;
    if (GetRowItem(info) && !info.text.isEmpty()) {
      QRect r;
      ReportTreeNode* no = ModoArvore() ? NodeOfRow(hit.item) : nullptr;
      if (no && no->spanColumn >= 0) GetCellRect(hit.item, DefinedColumnOfShown(0), r, 4);
      else GetCellRect(hit.item, hit.column, r, 3);
      OnShowTip(info);
      dica_->Show(info.text, r, (info.state & ReportState::Bold) ? fonteNegrito_ : fonte_, margemTexto_);
      return;
    }
  }
  dica_->Clear();
}

void CListReportCtrl::mouseMoveEvent(QMouseEvent* e) {
  if (e->buttons() == Qt::NoButton && temFoco_ && !editor_ && (estilo_ & ReportStyle::LabelTips) && dica_)
    MostraDica(e->position().toPoint());
  QWidget::mouseMoveEvent(e);
}

void CListReportCtrl::focusInEvent(QFocusEvent* e) {
  temFoco_ = true;
  update();
  QWidget::focusInEvent(e);
}

void CListReportCtrl::focusOutEvent(QFocusEvent* e) {
  QWidget* novo = QApplication::focusWidget();
  if (!novo || !isAncestorOf(novo)) {
    temFoco_ = false;
    if (dica_) dica_->Hide();
    update();
  }
  QWidget::focusOutEvent(e);
}

long CListReportCtrl::Notify(ReportNmHdr& registro) {
  registro.from = this;
  registro.id = id_;
  return aviso_ ? aviso_(registro) : 0;
}

void CListReportCtrl::Alterado() {
  emit estruturaMudou();
  NotificaAcessibilidadeRelatorio(this);
}

bool CListReportCtrl::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    // The control wants the arrow keys, as a dialog would ask it.
    auto* k = static_cast<QKeyEvent*>(e);
    switch (k->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right: e->accept(); return true;
      default: break;
    }
  }
  return QWidget::event(e);
}
