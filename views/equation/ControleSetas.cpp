#include "ControleSetas.h"

#include <QToolButton>
#include <QVBoxLayout>

ControleSetas::ControleSetas(QWidget* parent, int id, const QString& nome, std::function<void(int)> passo)
    : QWidget(parent) {
  setObjectName(QString::number(id));
  setAccessibleName(nome);
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
    connect(b, &QToolButton::clicked, this, [passo, d] { passo(d); });
    l->addWidget(b);
  }
  setFixedSize(18, 28);
}
