#include "COffscreenDC.h"

#include <QPaintDevice>
#include <QPaintEngine>

namespace {
int copias = 0;
QRect ultimaCopia;
}  // namespace

int COffscreenDC::CopiasFeitas() { return copias; }
QRect COffscreenDC::UltimaCopia() { return ultimaCopia; }

bool COffscreenDC::EhImpressao(const QPainter* dc) {
  if (!dc || !dc->isActive()) return false;
  const QPaintEngine* motor = dc->paintEngine();
  if (!motor) return false;
  switch (motor->type()) {
    case QPaintEngine::Pdf:
    case QPaintEngine::Windows:
    case QPaintEngine::MacPrinter:
    case QPaintEngine::Picture:
      return true;
    default:
      return dc->device() && dc->device()->devType() == QInternal::Printer;
  }
}

COffscreenDC::COffscreenDC(QPainter* alvo, const QRect& area) : alvo_(alvo), pintor_(alvo) {
  if (!alvo_ || !alvo_->isActive() || EhImpressao(alvo_)) return;
  area_ = area;
  if (area_.isEmpty())
    area_ = alvo_->hasClipping() ? alvo_->clipBoundingRect().toAlignedRect() : alvo_->viewport();
  if (area_.isEmpty()) return;
  const qreal razao = alvo_->device() ? alvo_->device()->devicePixelRatioF() : 1.0;
  bitmap_ = QPixmap((QSizeF(area_.size()) * razao).toSize());
  bitmap_.setDevicePixelRatio(razao);
  bitmap_.fill(Qt::transparent);
  proprio_ = std::make_unique<QPainter>(&bitmap_);
  // Drawing uses the target's coordinates.
  proprio_->translate(-area_.topLeft());
  proprio_->setFont(alvo_->font());
  proprio_->setPen(alvo_->pen());
  proprio_->setBrush(alvo_->brush());
  pintor_ = proprio_.get();
  armazena_ = true;
}

COffscreenDC::~COffscreenDC() {
  if (!armazena_) return;
  proprio_->end();
  // One plain copy of the covered rectangle into the target.
  alvo_->save();
  alvo_->setCompositionMode(QPainter::CompositionMode_Source);
  alvo_->drawPixmap(area_.topLeft(), bitmap_);
  alvo_->restore();
  ++copias;
  ultimaCopia = area_;
}
