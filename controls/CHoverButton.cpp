#include "CHoverButton.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QUrl>

#include <algorithm>
#include <cstring>

#include "platform/TabelaTextos.h"

namespace {

QString& Prefixo() {
  static QString prefixo = QString::fromUtf8(":/icones/");
  return prefixo;
}

// Windows-style line: from (x0, y0) up to but not including (x1, y1); the
// edges below are only ever horizontal or vertical.
void Linha(QPainter& p, int x0, int y0, int x1, int y1) {
  if (x0 == x1 && y0 == y1) return;
  const int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
  p.drawLine(x0, y0, x1 - dx, y1 - dy);
}

// A 3-D rectangle: top and left in one colour, bottom and right in the other.
void Retangulo3D(QPainter& p, const QRect& r, const QColor& supEsq, const QColor& infDir) {
  const int L = r.left(), T = r.top(), R = r.left() + r.width(), B = r.top() + r.height();
  p.fillRect(L, T, r.width() - 1, 1, supEsq);
  p.fillRect(L, T, 1, r.height() - 1, supEsq);
  p.fillRect(R - 1, T, 1, r.height(), infDir);
  p.fillRect(L, B - 1, r.width(), 1, infDir);
}

QColor Sistema(QPalette::ColorRole papel) { return QApplication::palette().color(QPalette::Active, papel); }

}  // namespace

CHoverButton::CHoverButton(QWidget* parent) : QPushButton(parent) { Inicia(); }

CHoverButton::CHoverButton(const QString& texto, QWidget* parent) : QPushButton(texto, parent) { Inicia(); }

CHoverButton::~CHoverButton() = default;

void CHoverButton::Inicia() {
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover, false);
  ResetStateColours(false);
  connect(this, &QAbstractButton::clicked, this, &CHoverButton::AoClicar);
}

void CHoverButton::DefinePrefixoRecursos(const QString& prefixo) { Prefixo() = prefixo; }
QString CHoverButton::PrefixoRecursos() { return Prefixo(); }

QImage CHoverButton::CarregaRecurso(int id, int largura, int altura) {
  // The format is read from the content; a resource may also carry ".png".
  QImage img(Prefixo() + QString::number(id));
  if (img.isNull()) img = QImage(Prefixo() + QString::number(id) + QString::fromUtf8(".png"));
  if (img.isNull()) return img;
  img = img.convertToFormat(QImage::Format_ARGB32);
  if (largura > 0 && altura > 0 && img.size() != QSize(largura, altura))
    img = img.scaled(largura, altura, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return img;
}

void CHoverButton::Repinta(bool repinta) {
  if (repinta) update();
}

void CHoverButton::LiberaImagens() {
  ativa_ = QImage();
  repouso_ = QImage();
  ehBitmap_ = false;
}

// ---- generated rest images ------------------------------------------------

QImage CHoverButton::CopiaCinza(const QImage& origem, const QRgb* transparente) {
  QImage img = origem.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = linha[x];
      if (transparente && (c & 0xFFFFFFu) == (*transparente & 0xFFFFFFu)) continue;
      const int g = static_cast<int>(0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c));
      linha[x] = qRgba(g, g, g, qAlpha(c));
    }
  }
  return img;
}

QImage CHoverButton::CopiaEscurecida(const QImage& origem, double fator, const QRgb* transparente) {
  QImage img = origem.convertToFormat(QImage::Format_ARGB32);
  if (!(fator > 0.0 && fator <= 1.0)) return img;
  auto escurece = [fator](int c) { return static_cast<int>(c - fator * c); };
  for (int y = 0; y < img.height(); ++y) {
    auto* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = linha[x];
      if (transparente && (c & 0xFFFFFFu) == (*transparente & 0xFFFFFFu)) continue;
      linha[x] = qRgba(escurece(qRed(c)), escurece(qGreen(c)), escurece(qBlue(c)), qAlpha(c));
    }
  }
  return img;
}

// ---- images -----------------------------------------------------------------

int CHoverButton::SetStateIconHandles(const QImage& ativo, const QImage& repouso) {
  LiberaImagens();
  if (ativo.isNull()) {
    Repinta(true);
    return FalhaLeitura;
  }
  ativa_ = ativo.convertToFormat(QImage::Format_ARGB32);
  if (!repouso.isNull()) repouso_ = repouso.convertToFormat(QImage::Format_ARGB32);
  Repinta(true);
  return Feito;
}

int CHoverButton::SetStateIconHandles(const QImage& ativo, int repousoGerado) {
  QImage repouso;
  if (!ativo.isNull()) {
    if (repousoGerado == RepousoCinza) repouso = CopiaCinza(ativo);
    else if (repousoGerado == RepousoEscurecido) repouso = CopiaEscurecida(ativo);
  }
  return SetStateIconHandles(ativo, repouso);
}

int CHoverButton::SetStateIcons(int idAtivo, int idRepouso) {
  return SetStateIconsSized(idAtivo, 0, 0, idRepouso, 0, 0);
}

int CHoverButton::SetStateIconsSized(int idAtivo, int larguraAtivo, int alturaAtivo, int idRepouso,
                                     int larguraRepouso, int alturaRepouso) {
  const QImage ativo = CarregaRecurso(idAtivo, larguraAtivo, alturaAtivo);
  if (idRepouso == RepousoCinza || idRepouso == RepousoEscurecido || idRepouso == SemRepouso)
    return SetStateIconHandles(ativo, idRepouso);
  const QImage repouso = CarregaRecurso(idRepouso, larguraRepouso, alturaRepouso);
  if (repouso.isNull()) {
    LiberaImagens();
    Repinta(true);
    return FalhaLeitura;
  }
  return SetStateIconHandles(ativo, repouso);
}

namespace {
// Pixels of the transparent colour become fully transparent: the mask of the
// original, applied once so that drawing shows only the other pixels.
QImage AplicaMascara(const QImage& origem, QRgb transparente) {
  QImage img = origem.convertToFormat(QImage::Format_ARGB32);
  if (img.isNull()) return img;
  for (int y = 0; y < img.height(); ++y) {
    auto* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((linha[x] & 0xFFFFFFu) == (transparente & 0xFFFFFFu)) linha[x] = 0;
      else linha[x] |= 0xFF000000u;
  }
  return img;
}
}  // namespace

int CHoverButton::SetStateBitmapHandles(const QImage& ativo, QRgb transparenteAtivo, const QImage& repouso,
                                        QRgb transparenteRepouso) {
  LiberaImagens();
  if (ativo.isNull()) {
    Repinta(true);
    return FalhaLeitura;
  }
  ativa_ = AplicaMascara(ativo, transparenteAtivo);
  if (!repouso.isNull()) repouso_ = AplicaMascara(repouso, transparenteRepouso);
  if (ativa_.isNull() || (!repouso.isNull() && repouso_.isNull())) {
    LiberaImagens();
    Repinta(true);
    return FalhaMascara;
  }
  ehBitmap_ = true;
  Repinta(true);
  return Feito;
}

int CHoverButton::SetStateBitmapHandles(const QImage& ativo, QRgb transparenteAtivo, int repousoGerado,
                                        QRgb transparenteRepouso) {
  QImage repouso;
  if (!ativo.isNull()) {
    // A generated rest bitmap keeps, and is masked by, the active transparent colour.
    if (repousoGerado == RepousoCinza) repouso = CopiaCinza(ativo, &transparenteAtivo);
    else if (repousoGerado == RepousoEscurecido) repouso = CopiaEscurecida(ativo, 0.25, &transparenteAtivo);
    if (!repouso.isNull()) transparenteRepouso = transparenteAtivo;
  }
  return SetStateBitmapHandles(ativo, transparenteAtivo, repouso, transparenteRepouso);
}

int CHoverButton::SetStateBitmaps(int idAtivo, QRgb transparenteAtivo, int idRepouso, QRgb transparenteRepouso) {
  const QImage ativo = CarregaRecurso(idAtivo);
  if (idRepouso == RepousoCinza || idRepouso == RepousoEscurecido || idRepouso == SemRepouso)
    return SetStateBitmapHandles(ativo, transparenteAtivo, idRepouso, transparenteRepouso);
  const QImage repouso = CarregaRecurso(idRepouso);
  if (repouso.isNull()) {
    LiberaImagens();
    Repinta(true);
    return FalhaLeitura;
  }
  return SetStateBitmapHandles(ativo, transparenteAtivo, repouso, transparenteRepouso);
}

// ---- look -------------------------------------------------------------------

int CHoverButton::SetFlatLook(bool plano, bool repinta) {
  plano_ = plano;
  if (!plano_) hovering_ = false;
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetImagePlacement(int posicao, bool repinta) {
  if (posicao < 0 || posicao > 3) return PosicaoInvalida;
  posicao_ = static_cast<unsigned char>(posicao);
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetPressShift(int estilo, bool repinta) {
  if (estilo == 0) deslocX_ = 1, deslocY_ = 1;
  else if (estilo == 1) deslocX_ = 0, deslocY_ = 2;
  else return EstiloInvalido;
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetToggled(bool marcado, bool repinta) {
  if (!ModoAlternancia()) return Feito;
  setChecked(marcado);
  Repinta(repinta);
  return Feito;
}

bool CHoverButton::IsToggled() const { return ModoAlternancia() && isChecked(); }

void CHoverButton::SetCheck(int estado) {
  if (!ModoAlternancia()) return;
  setChecked(estado == 1 || estado == 2);
  update();
}

int CHoverButton::ResetStateColours(bool repinta) {
  const QColor face = Sistema(QPalette::Button), texto = Sistema(QPalette::ButtonText);
  for (int i = 0; i < 6; i += 2) {
    cores_[i] = face;
    cores_[i + 1] = texto;
  }
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetStateColour(int indice, QColor cor, bool repinta) {
  if (indice < 0 || indice > 5) return CorInvalida;
  cores_[indice] = cor;
  Repinta(repinta);
  return Feito;
}

int CHoverButton::GetStateColour(int indice, QColor& cor) const {
  if (indice < 0 || indice > 5) return CorInvalida;
  cor = cores_[indice];
  return Feito;
}

QColor CHoverButton::DeslocaCor(QColor cor, int tom) {
  const int c[3] = {cor.red(), cor.green(), cor.blue()};
  int passo = tom;
  for (int v : c) {
    int proposta = tom;
    if (tom > 0) {
      if (v + tom > 255) proposta = 255 - v;
      passo = std::min(passo, proposta);
    } else {
      if (v + tom < 0) proposta = -v;
      passo = std::max(passo, proposta);
    }
  }
  return QColor(c[0] + passo, c[1] + passo, c[2] + passo);
}

int CHoverButton::ShiftStateColour(int indice, short tom, bool repinta) {
  if (indice < 0 || indice > 5) return CorInvalida;
  if (tom < -255 || tom > 255) return NaoAplicavel;
  cores_[indice] = DeslocaCor(cores_[indice], tom);
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetHoverWhenInactive(bool ligado) {
  hoverInativo_ = ligado;
  return Feito;
}

int CHoverButton::SetCursorResource(int idCursor, bool repinta) {
  cursor_.reset();
  unsetCursor();
  if (idCursor != 0) {
    const QImage img = CarregaRecurso(idCursor);
    if (img.isNull()) return FalhaLeitura;
    cursor_ = std::make_unique<QCursor>(QPixmap::fromImage(img));
    setCursor(*cursor_);
  }
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetFrameVisible(bool visivel, bool repinta) {
  molduraVisivel_ = visivel;
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetFocusRectWhenFlat(bool ligado, bool repinta) {
  focoQuandoPlano_ = ligado;
  Repinta(repinta);
  return Feito;
}

// ---- tooltip ------------------------------------------------------------------

int CHoverButton::SetHintText(const QString* texto, bool ativa) {
  if (!texto) return Feito;
  temDica_ = true;
  dica_ = *texto;
  return EnableHint(ativa);
}

int CHoverButton::SetHintTextResource(int idTexto, bool ativa) {
  const QString texto = plat::Texto(idTexto);
  if (texto.isEmpty()) return Feito;
  return SetHintText(&texto, ativa);
}

int CHoverButton::EnableHint(bool ativa) {
  if (!temDica_) return Feito;
  dicaAtiva_ = ativa;
  // Tips wider than 400 pixels wrap, as the tip window's maximum width asks.
  setToolTip(ativa ? QString::fromUtf8("<div style=\"max-width:400px\">%1</div>").arg(dica_.toHtmlEscaped())
                   : QString());
  return Feito;
}

int CHoverButton::UseBalloonHint() {
  if (!temDica_) estiloDica_ = 0x40;
  return Feito;
}

// ---- parent background ----------------------------------------------------------

int CHoverButton::UseParentBackground(bool repinta) {
  fundoPai_ = true;
  copiaFundo_ = QPixmap();
  Repinta(repinta);
  return Feito;
}

int CHoverButton::CaptureParentBackground(const QPixmap* fundoPai) {
  if (!fundoPai_ || !fundoPai || fundoPai->isNull()) return NaoAplicavel;
  copiaFundo_ = fundoPai->copy(geometry());
  return Feito;
}

// ---- link, menu ---------------------------------------------------------------------

int CHoverButton::SetLink(const char* link) {
  std::memset(link_, 0, sizeof link_);
  if (!link) return Feito;
  std::size_t n = strnlen(link, sizeof link_ - 1);
  // Never keep half of a multi-byte character at the cut.
  if (n == sizeof link_ - 1 && link[n] != '\0')
    while (n > 0 && (static_cast<unsigned char>(link[n]) & 0xC0) == 0x80) --n;
  std::memcpy(link_, link, n);
  return Feito;
}

int CHoverButton::SetDropMenu(QMenu* menu, QObject* dono, bool repinta) {
  menu_.reset(menu);
  donoMenu_ = menu ? dono : nullptr;
  Repinta(repinta);
  return Feito;
}

int CHoverButton::SetDropMenuNotify(std::function<void(QMenu*, long)> aviso, long lParam) {
  avisoMenu_ = std::move(aviso);
  avisoParam_ = lParam;
  return Feito;
}

int CHoverButton::FitToImage() {
  if (ativa_.isNull()) return Feito;
  margemX_ = margemY_ = 0;
  resize(ativa_.size());
  return Feito;
}

int CHoverButton::EndHover() {
  TerminaHover();
  return Feito;
}

void CHoverButton::TerminaHover() {
  if (!hovering_) return;
  hovering_ = false;
  update();
}

void CHoverButton::AoClicar() {
  setFocus(Qt::MouseFocusReason);
  if (ModoAlternancia()) {  // the toolkit has already flipped the checked state
    update();
    return;
  }
  if (menu_) {
    menuAberto_ = true;
    repaint();
    QMenu* sub = menu_.get();
    for (QAction* a : menu_->actions())
      if (a->menu()) {
        sub = a->menu();
        break;
      }
    if (avisoMenu_) avisoMenu_(sub, avisoParam_);
    QAction* escolhida = sub->exec(mapToGlobal(QPoint(0, height())));
    menuAberto_ = false;
    update();
    if (escolhida && donoMenu_) {
      const int id = escolhida->data().toInt();
      QMetaObject::invokeMethod(this, [this, id] { emit comandoMenu(id); }, Qt::QueuedConnection);
    }
    return;
  }
  if (link_[0] != '\0') QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromUtf8(link_)));
}

// ---- events -------------------------------------------------------------------------

void CHoverButton::mouseMoveEvent(QMouseEvent* e) {
  QPushButton::mouseMoveEvent(e);
  if ((e->buttons() & Qt::LeftButton) && !hovering_) return;
  if (!plano_) return;
  const bool ativa = hoverInativo_ || QApplication::activeWindow() != nullptr;
  const bool sobre = rect().contains(e->position().toPoint()) && isEnabled();
  if (sobre && ativa) {
    if (!hovering_) {
      hovering_ = true;
      update();
    }
  } else {
    TerminaHover();
  }
}

void CHoverButton::enterEvent(QEnterEvent* e) {
  QPushButton::enterEvent(e);
  if (!plano_ || !isEnabled() || (QApplication::mouseButtons() & Qt::LeftButton)) return;
  if (hoverInativo_ || QApplication::activeWindow() != nullptr) {
    if (!hovering_) {
      hovering_ = true;
      update();
    }
  }
}

void CHoverButton::leaveEvent(QEvent* e) {
  QPushButton::leaveEvent(e);
  TerminaHover();
}

void CHoverButton::focusOutEvent(QFocusEvent* e) {
  QPushButton::focusOutEvent(e);
  TerminaHover();
}

void CHoverButton::changeEvent(QEvent* e) {
  QPushButton::changeEvent(e);
  switch (e->type()) {
    case QEvent::EnabledChange:
      if (!isEnabled()) TerminaHover();
      break;
    case QEvent::ActivationChange:
      if (!isActiveWindow()) TerminaHover();
      break;
    default:
      break;
  }
}

bool CHoverButton::event(QEvent* e) {
  if (e->type() == QEvent::ApplicationPaletteChange) {
    // The system colours changed: the caller's own colours are lost.
    copiaFundo_ = QPixmap();
    ResetStateColours(true);
  }
  return QPushButton::event(e);
}

// ---- painting ---------------------------------------------------------------------------

void CHoverButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawItem(p);
}

void CHoverButton::DrawItem(QPainter& p) {
  const QRect item = rect();
  pressionado_ = ModoAlternancia() ? (isDown() || isChecked()) : (isDown() || menuAberto_);
  focado_ = hasFocus();
  desabilitado_ = !isEnabled();

  if (fundoPai_) {
    if (copiaFundo_.isNull() && parentWidget()) {
      QPixmap copia(size());
      copia.fill(Qt::transparent);
      parentWidget()->render(&copia, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
      copiaFundo_ = copia;
    }
    p.drawPixmap(item.topLeft(), copiaFundo_);
  } else {
    PaintFace(p, item);
  }
  PaintFrame(p, item);

  const QString texto = text();
  QRect rTexto = item;
  if (!ativa_.isNull()) {
    if (ehBitmap_) PaintBitmap(p, !texto.isEmpty(), item, rTexto, pressionado_, desabilitado_);
    else PaintIcon(p, !texto.isEmpty(), item, rTexto, pressionado_, desabilitado_);
  }
  if (!texto.isEmpty()) PaintCaption(p, texto, item, rTexto, pressionado_, desabilitado_);

  if (focado_ && (!plano_ || focoQuandoPlano_)) {
    QStyleOptionFocusRect opt;
    opt.initFrom(this);
    opt.rect = item.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
  }
}

void CHoverButton::PaintFace(QPainter& p, const QRect& item) {
  QRect r = item;
  if (!plano_ && (focado_ || isDefault())) {
    p.fillRect(r.left(), r.top(), r.width(), 1, Qt::black);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, Qt::black);
    p.fillRect(r.left(), r.top(), 1, r.height(), Qt::black);
    p.fillRect(r.right(), r.top(), 1, r.height(), Qt::black);
    r.adjust(1, 1, -1, -1);
  }
  const QColor& face = (hovering_ || pressionado_) ? cores_[CorFaceAtiva]
                       : focado_                    ? cores_[CorFaceFoco]
                                                    : cores_[CorFaceRepouso];
  p.fillRect(r, face);
}

void CHoverButton::PaintFrame(QPainter& p, const QRect& item) {
  const QColor luz = Sistema(QPalette::Light), sombra = Sistema(QPalette::Dark);
  if (pressionado_) {
    if (plano_) {
      if (molduraVisivel_) Retangulo3D(p, item, sombra, luz);
    } else {
      p.setPen(sombra);
      p.setBrush(Qt::NoBrush);
      p.drawRect(item.adjusted(0, 0, -1, -1));
    }
    return;
  }
  if (!plano_) {
    // The classic raised edge, four lines in Windows coordinates (exclusive ends).
    const int L = item.left(), T = item.top(), R = item.left() + item.width(), B = item.top() + item.height();
    p.setPen(luz);
    Linha(p, L, B - 1, L, T);
    Linha(p, L, T, R, T);
    p.setPen(Sistema(QPalette::Midlight));
    Linha(p, L + 1, B - 1, L + 1, T + 1);
    Linha(p, L + 1, T + 1, R, T + 1);
    p.setPen(Sistema(QPalette::Shadow));
    Linha(p, L, B - 1, R - 1, B - 1);
    Linha(p, R - 1, B - 1, R - 1, T - 1);
    p.setPen(sombra);
    Linha(p, L + 1, B - 2, R - 2, B - 2);
    Linha(p, R - 2, B - 2, R - 2, T);
  } else if (hovering_ && molduraVisivel_) {
    Retangulo3D(p, item, luz, sombra);
  }
}

QRect CHoverButton::PosicionaImagem(const QRect& item, QRect& rTexto, int w, int h, bool temTexto,
                                    bool pressionado) const {
  // Windows rectangles: right and bottom exclusive.
  int L = item.left(), T = item.top();
  const int W = item.width(), H = item.height();
  int tL = rTexto.left(), tT = rTexto.top(), tR = rTexto.left() + rTexto.width(),
      tB = rTexto.top() + rTexto.height();
  switch (posicao_) {
    case 0:
      if (!temTexto) {
        L += (W - w) / 2;
      } else {
        L += margemX_;
        tL += w + margemX_;
      }
      T += (H - h) / 2;
      break;
    case 1:
      L += (W - w) / 2;
      if (!temTexto) {
        T += (H - h) / 2;
      } else {
        T = margemY_;
        tT += h;
      }
      break;
    case 2:
      if (!temTexto) {
        L += (W - w) / 2;
      } else {
        tR = item.left() + W - (margemX_ + tL + w);
        tL = margemX_;
        L = rect().width() - margemX_ - w;
        T += (H - h) / 2;
      }
      break;
    default:
      break;
  }
  if (pressionado && !ModoAlternancia()) {
    L += deslocX_;
    T += deslocY_;
  }
  rTexto = QRect(QPoint(tL, tT), QPoint(tR - 1, tB - 1));
  return QRect(L, T, w, h);
}

void CHoverButton::PaintIcon(QPainter& p, bool temTexto, const QRect& item, QRect& rTexto, bool pressionado,
                             bool desabilitado) {
  const bool usaAtiva = pressionado || (hovering_ && !ModoAlternancia()) || repouso_.isNull();
  const QImage& img = usaAtiva ? ativa_ : repouso_;
  const QRect r = PosicionaImagem(item, rTexto, img.width(), img.height(), temTexto, pressionado);
  if (desabilitado) {
    QStyleOption opt;
    opt.initFrom(this);
    p.drawPixmap(r.topLeft(), style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(img), &opt));
  } else {
    p.drawImage(r.topLeft(), img);
  }
}

void CHoverButton::PaintBitmap(QPainter& p, bool temTexto, const QRect& item, QRect& rTexto, bool pressionado,
                               bool desabilitado) {
  const bool usaAtiva = pressionado || (hovering_ && !ModoAlternancia()) || repouso_.isNull();
  const QImage& img = usaAtiva ? ativa_ : repouso_;
  const QRect r = PosicionaImagem(item, rTexto, img.width(), img.height(), temTexto, pressionado);
  if (desabilitado && desabilitadoEmRelevo_) {
    // Composed over white through the mask, then embossed.
    QImage composto(img.size(), QImage::Format_ARGB32);
    composto.fill(Qt::white);
    {
      QPainter c(&composto);
      c.drawImage(0, 0, img);
    }
    QStyleOption opt;
    opt.initFrom(this);
    p.drawPixmap(r.topLeft(),
                 style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(composto), &opt));
  } else {
    p.drawImage(r.topLeft(), img);
  }
}

void CHoverButton::PaintCaption(QPainter& p, const QString& texto, const QRect& item, const QRect& rTexto,
                                bool pressionado, bool desabilitado) {
  QRect rc = rTexto;
  if (pressionado && !ModoAlternancia()) rc.translate(deslocX_, deslocY_);
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
  const QRect medido = p.boundingRect(QRect(rc.topLeft(), QSize(rc.width(), 100000)), flags, texto);
  QRect centrado(rc.left() + (rc.width() - medido.width()) / 2, rc.top() + (rc.height() - medido.height()) / 2,
                 medido.width(), medido.height());
  p.setFont(font());
  if (desabilitado) {
    p.setPen(Sistema(QPalette::Light));
    p.drawText(centrado.translated(1, 1), flags, texto);
    p.setPen(Sistema(QPalette::Dark));
    p.drawText(centrado, flags, texto);
    return;
  }
  const QColor& cor = (hovering_ || pressionado) ? cores_[CorTextoAtivo]
                      : focado_                   ? cores_[CorTextoFoco]
                                                  : cores_[CorTextoRepouso];
  p.setPen(cor);
  p.drawText(centrado, flags, texto);
}
