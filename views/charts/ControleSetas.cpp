#include "ControleSetas.h"

#include <QToolButton>
#include <QVBoxLayout>

ControleSetas::ControleSetas(QWidget* parent, std::function<void(int)> delta) : QWidget(parent) {
  setObjectName(QStringLiteral("1112"));
  setAccessibleName(QStringLiteral("Spin1"));
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(0);
  for (int d : {1, -1}) {
    auto* b = new QToolButton(this);
    b->setArrowType(d > 0 ? Qt::UpArrow : Qt::DownArrow);
    b->setObjectName(d > 0 ? QStringLiteral("acima") : QStringLiteral("abaixo"));
    b->setAccessibleName(d > 0 ? QStringLiteral("Próxima variável") : QStringLiteral("Variável anterior"));
    b->setAutoRepeat(true);
    b->setFixedSize(18, 14);
    connect(b, &QToolButton::clicked, this, [delta, d] { delta(d); });
    l->addWidget(b);
  }
  setFixedSize(18, 28);
}
