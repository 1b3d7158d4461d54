#include "SeletorCor.h"

#include "CTChart.h"

#include "platform/Dialogo.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

SeletorCor::SeletorCor(QWidget* parent) : QToolButton(parent) {
  setIconSize(QSize(40, 14));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  connect(this, &QToolButton::clicked, this, &SeletorCor::Escolhe);
  Pinta();
}

void SeletorCor::DefineCor(int32_t cor) {
  cor_ = cor;
  Pinta();
}

void SeletorCor::Pinta() {
  QPixmap amostra(iconSize());
  amostra.fill(CorDeColorref(cor_));
  QPainter p(&amostra);
  p.setPen(Qt::darkGray);
  p.drawRect(amostra.rect().adjusted(0, 0, -1, -1));
  setIcon(QIcon(amostra));
  setAccessibleDescription(CorDeColorref(cor_).name());
}

void SeletorCor::Escolhe() {
  QColorDialog dlg(CorDeColorref(cor_), window());
  dlg.setObjectName(QStringLiteral("dlgCor"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  DefineCor(ColorrefDeCor(dlg.selectedColor()));
  emit corEscolhida(cor_);
}
