#include "CBitmapDialog.h"

#include "CHoverButton.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

CBitmapDialog::CBitmapDialog(QWidget* parent) : QDialog(parent) {}

CBitmapDialog::CBitmapDialog(int idModelo, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg%1").arg(idModelo));
}

CBitmapDialog::CBitmapDialog(const QString& nomeModelo, QWidget* parent) : QDialog(parent) {
  setObjectName(nomeModelo);
}

CBitmapDialog::~CBitmapDialog() = default;

void CBitmapDialog::ReleaseBackground() {
  bitmap_ = QImage();
  if (!regiao_.isEmpty()) clearMask();
  regiao_ = QRegion();
  largura_ = altura_ = 0;
}

QRegion CBitmapDialog::RegionFromBitmap(const QImage& bitmap, QRgb transparente) {
  if (bitmap.isNull()) return QRegion();
  // Every column counts, whatever the width.
  const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
  // As a region, this mask holds the pixels of the colour; the window is the rest.
  const QImage mascara = rgb.createMaskFromColor(transparente | 0xFF000000u, Qt::MaskOutColor);
  return QRegion(0, 0, rgb.width(), rgb.height()) - QRegion(QBitmap::fromImage(mascara));
}

int CBitmapDialog::SetBackgroundBitmapHandle(const QImage& bitmap, qint64 transparente) {
  ReleaseBackground();
  if (!bitmap.isNull()) {
    if (bitmap.width() <= 0 || bitmap.height() <= 0) {
      ReleaseBackground();
      return SemTamanho;
    }
    bitmap_ = bitmap;
    largura_ = unsigned(bitmap.width());
    altura_ = unsigned(bitmap.height());
    if (transparente != -1) {
      regiao_ = RegionFromBitmap(bitmap_, QRgb(transparente & 0xFFFFFF));
      if (regiao_.isEmpty()) {
        ReleaseBackground();
        return SemRegiao;
      }
      setMask(regiao_);
    }
  }
  update();
  return Feito;
}

int CBitmapDialog::SetBackgroundBitmap(int idRecurso, qint64 transparente) {
  return SetBackgroundBitmapHandle(CHoverButton::CarregaRecurso(idRecurso), transparente);
}

int CBitmapDialog::SetBackgroundLayout(int layout, int repinta) {
  if (layout < 0 || layout > BaseCentro) return LayoutInvalido;
  layout_ = static_cast<unsigned char>(layout);
  if (repinta == 1) update();
  return Feito;
}

void CBitmapDialog::FitWindowToBitmap(bool repinta) {
  SetBackgroundLayout(Centro, repinta ? 1 : 0);
  if (!bitmap_.isNull()) resize(int(largura_), int(altura_));
}

int CBitmapDialog::SetDragByClient(int valor) {
  arrastoCliente_ = valor;
  return Feito;
}

void CBitmapDialog::PaintBackground(QPainter& p, const QSize& tamanho) const {
  if (bitmap_.isNull()) return;
  const int W = tamanho.width(), H = tamanho.height();
  const int w = int(largura_), h = int(altura_);
  const auto tiles = [&](int x0, int y0, bool emX, bool emY) {
    if (W <= 0 || H <= 0) return;
    for (int y = y0; emY ? y < H : y == y0; y += h)
      for (int x = x0; emX ? x < W : x == x0; x += w) p.drawImage(x, y, bitmap_);
  };
  switch (layout_) {
    case Lado: tiles(0, 0, true, true); break;
    case Centro: p.drawImage((W - w) / 2, (H - h) / 2, bitmap_); break;
    case Esticado: p.drawImage(QRect(0, 0, W, H), bitmap_); break;
    case TopoLado: tiles(0, 0, true, false); break;
    case BaseLado: tiles(0, H - h, true, false); break;
    case EsquerdaLado: tiles(0, 0, false, true); break;
    case DireitaLado: tiles(W - w, 0, false, true); break;
    case CantoSupEsq: p.drawImage(0, 0, bitmap_); break;
    case CantoSupDir: p.drawImage(W - w, 0, bitmap_); break;
    case TopoCentro: p.drawImage((W - w) / 2, 0, bitmap_); break;
    case CantoInfEsq: p.drawImage(0, H - h, bitmap_); break;
    case CantoInfDir: p.drawImage(W - w, H - h, bitmap_); break;
    case BaseCentro: p.drawImage((W - w) / 2, H - h, bitmap_); break;
    default: break;
  }
}

void CBitmapDialog::AfterPaintBackground(QPainter&) {}

void CBitmapDialog::paintEvent(QPaintEvent* e) {
  QDialog::paintEvent(e);
  if (bitmap_.isNull()) return;
  QImage imagem(size(), QImage::Format_ARGB32_Premultiplied);
  imagem.fill(palette().color(backgroundRole()));
  {
    QPainter q(&imagem);
    PaintBackground(q, size());
    AfterPaintBackground(q);
  }
  QPainter p(this);
  p.drawImage(0, 0, imagem);
}

void CBitmapDialog::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (!bitmap_.isNull()) update();
}

void CBitmapDialog::mousePressEvent(QMouseEvent* e) {
  if (arrastoCliente_ == 1 && e->button() == Qt::LeftButton) {
    // As if the caption were pressed: the window system moves the window; where
    // it cannot, the dialog follows the cursor itself.
    QWindow* janela = windowHandle();
    if (!(janela && janela->startSystemMove())) {
      arrastando_ = true;
      inicioArrasto_ = e->globalPosition().toPoint() - frameGeometry().topLeft();
    }
  }
  QDialog::mousePressEvent(e);
}

void CBitmapDialog::mouseMoveEvent(QMouseEvent* e) {
  if (arrastando_ && (e->buttons() & Qt::LeftButton)) move(e->globalPosition().toPoint() - inicioArrasto_);
  QDialog::mouseMoveEvent(e);
}

void CBitmapDialog::mouseReleaseEvent(QMouseEvent* e) {
  arrastando_ = false;
  QDialog::mouseReleaseEvent(e);
}
