#include "CCustomItemSpin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>

CCustomItemSpinInplaceButton::CCustomItemSpinInplaceButton(CCustomItemSpin* item, QWidget* parent)
    : QWidget(parent), item_(item), repete_(new QTimer(this)) {
  setObjectName(QStringLiteral("CCustomItemSpinInplaceButton"));
  setFocusPolicy(Qt::ClickFocus);
  setAccessibleName(QStringLiteral("Dado"));
  repete_->setInterval(100);
  connect(repete_, &QTimer::timeout, this, [this] {
    if (pressionado_) emit passo(pressionado_);
  });
}

void CCustomItemSpinInplaceButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int meio = height() / 2;
  const QRect cima(0, 0, width(), meio), baixo(0, meio, width(), height() - meio);
  for (int k = 0; k < 2; ++k) {
    const QRect r = k == 0 ? cima : baixo;
    QStyleOptionButton b;
    b.initFrom(this);
    b.rect = r;
    b.state |= (pressionado_ == (k == 0 ? 1 : -1)) ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &b, &p, this);
    QStyleOption seta;
    seta.initFrom(this);
    seta.rect = r.adjusted(2, 1, -2, -1);
    style()->drawPrimitive(k == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &seta, &p, this);
  }
}

void CCustomItemSpinInplaceButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  pressionado_ = e->position().y() < height() / 2 ? 1 : -1;
  update();
  emit passo(pressionado_);
  repete_->start(400);
}

void CCustomItemSpinInplaceButton::mouseReleaseEvent(QMouseEvent*) {
  pressionado_ = 0;
  repete_->stop();
  repete_->setInterval(100);
  update();
}

void CCustomItemSpinInplaceButton::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Up) emit passo(1);
  else if (e->key() == Qt::Key_Down) emit passo(-1);
  else QWidget::keyPressEvent(e);
}

CCustomItemSpin::CCustomItemSpin(const QString& legenda, int superior, int inferior)
    : PropertyGridItemNumber(legenda, 0), inferior_(std::min(inferior, superior)), superior_(std::max(inferior, superior)) {}

CCustomItemSpin::~CCustomItemSpin() { delete botao_; }

void CCustomItemSpin::SetRange(int inferior, int superior) {
  inferior_ = std::min(inferior, superior);
  superior_ = std::max(inferior, superior);
}

void CCustomItemSpin::Step(int delta) {
  PropertyGrid* g = GetGrid();
  // A value being typed is taken first.
  if (g && g->IsEditing()) g->setFocus(Qt::OtherFocusReason);
  const long long n = std::clamp<long long>(static_cast<long long>(GetNumber()) + delta, inferior_, superior_);
  const QString texto = QString::number(n);
  if (texto != GetValue()) OnValueChanged(texto);
}

QRect CCustomItemSpin::GetValueRect() const {
  QRect r = PropertyGridItem::GetValueRect();
  r.setRight(r.right() - 17);
  return r;
}

void CCustomItemSpin::OnSelect() {
  PropertyGrid* g = GetGrid();
  if (!g) return;
  if (!botao_) {
    botao_ = new CCustomItemSpinInplaceButton(this, g->viewport());
    QObject::connect(botao_, &CCustomItemSpinInplaceButton::passo, botao_, [this](int d) { Step(d); });
  }
  Reposition();
  botao_->show();
}

void CCustomItemSpin::OnDeselect() {
  if (botao_) botao_->hide();
}

void CCustomItemSpin::Reposition() {
  if (!botao_) return;
  const QRect r = PropertyGridItem::GetValueRect();
  if (r.isEmpty()) {
    botao_->hide();
    return;
  }
  botao_->setGeometry(r.right() - 14, r.top(), 15, r.height());
}
