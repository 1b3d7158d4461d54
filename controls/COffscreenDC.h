#pragma once
// The flicker-free painting surface of the system's own controls: a paint
// handler wraps its painter in a COffscreenDC, draws through it, and the
// result reaches the target in one copy when the COffscreenDC goes out of
// scope. Qt already double-buffers widgets; the surface is kept because the
// controls' painting code is written against it, and so that one paint reaches
// the screen as a single copy of exactly the area it was asked to paint.
// A printing target is never buffered: drawing goes straight to it.
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <memory>

class COffscreenDC {
public:
  // `alvo` must be active. `area` is the target's clip box in its logical
  // coordinates; empty means the painter's clip bounds or, without a clip,
  // the whole device.
  explicit COffscreenDC(QPainter* alvo, const QRect& area = QRect());
  ~COffscreenDC();
  COffscreenDC(const COffscreenDC&) = delete;
  COffscreenDC& operator=(const COffscreenDC&) = delete;

  // The painter to draw with: the surface's own, or the target's when not buffering.
  QPainter* Pintor() { return pintor_; }
  QPainter* operator->() { return pintor_; }
  QPainter& operator*() { return *pintor_; }
  // The rectangle it covers, in the target's coordinates.
  QRect Area() const { return area_; }
  bool Armazena() const { return armazena_; }
  // The size of the bitmap behind the surface, in device pixels (empty when not buffering).
  QSize TamanhoBitmap() const { return bitmap_.size(); }

  // Whether a painter draws on a printing device (a printer, a PDF writer or a preview).
  static bool EhImpressao(const QPainter* dc);
  // How many buffered surfaces have been copied to their targets in this
  // process, and the rectangle of the last copy: what a control's paint put on screen.
  static int CopiasFeitas();
  static QRect UltimaCopia();

private:
  QPainter* alvo_;
  QPainter* pintor_;
  QRect area_;
  bool armazena_ = false;
  QPixmap bitmap_;
  std::unique_ptr<QPainter> proprio_;
};
