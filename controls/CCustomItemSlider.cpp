#include "CCustomItemSlider.h"

CInplaceSlider::CInplaceSlider(CCustomItemSlider* item, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), item_(item) {
  setObjectName(QStringLiteral("CInplaceSlider"));
  setAccessibleName(item->GetCaption());
  setAutoFillBackground(true);
  connect(this, &QSlider::valueChanged, this, &CInplaceSlider::Mudou);
}

void CInplaceSlider::Mudou(int pos) {
  if (pos == ultimo_) return;
  ultimo_ = pos;
  item_->SetNumber(pos);
  item_->OnValueChanged(item_->GetValue());
  if (PropertyGrid* g = item_->GetGrid()) g->viewport()->update();
}

CCustomItemSlider::CCustomItemSlider(const QString& legenda, int minimo, int maximo)
    : PropertyGridItemNumber(legenda, 0), minimo_(minimo), maximo_(maximo) {
  SetFlags(0);  // no in-place edit or button: the track bar is the editor
}

CCustomItemSlider::~CCustomItemSlider() { delete slider_; }

QRect CCustomItemSlider::RetanguloSlider() const {
  PropertyGrid* g = GetGrid();
  if (!g) return QRect();
  const QRect v = GetValueRect();
  // The number stays readable left of the bar.
  const int esq = v.left() + g->fontMetrics().horizontalAdvance(QStringLiteral("XXX")) + 2;
  if (esq >= v.right()) return QRect();
  return QRect(esq, v.top(), v.right() + 1 - esq, v.height());
}

void CCustomItemSlider::OnSelect() {
  PropertyGrid* g = GetGrid();
  const QRect r = RetanguloSlider();
  if (!g || r.isEmpty()) return;
  if (!slider_) slider_ = new CInplaceSlider(this, g->viewport());
  QPalette pal = slider_->palette();
  pal.setColor(QPalette::Window, g->palette().color(QPalette::Base));
  slider_->setPalette(pal);
  slider_->blockSignals(true);
  slider_->setRange(minimo_, maximo_);
  slider_->setValue(GetNumber());
  slider_->blockSignals(false);
  slider_->SetLastReported(slider_->value());
  slider_->setGeometry(r);
  slider_->show();
}

void CCustomItemSlider::OnDeselect() {
  // Later: the deselection may come from the owner's answer to the slider's own report.
  if (slider_) {
    slider_->hide();
    slider_->deleteLater();
  }
  slider_ = nullptr;
}

void CCustomItemSlider::Reposition() {
  if (!slider_) return;
  const QRect r = RetanguloSlider();
  if (r.isEmpty()) slider_->hide();
  else {
    slider_->setGeometry(r);
    slider_->show();
  }
}
