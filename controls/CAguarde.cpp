#include "CAguarde.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAguarde::CAguarde(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg501"));
  setWindowTitle(QStringLiteral("Aguarde, em processamento"));
  // 230 x 60 dialog units of the 8-point dialog font.
  const QFontMetrics fm(font());
  const int ux = std::max(1, fm.averageCharWidth()), uy = std::max(1, fm.height());
  resize(230 * ux / 4, 60 * uy / 8);
  auto* l = new QVBoxLayout(this);
  animacao_ = new QLabel(this);
  animacao_->setObjectName(QStringLiteral("1000"));
  animacao_->setAlignment(Qt::AlignCenter);
  animacao_->setAttribute(Qt::WA_TranslucentBackground);
  mensagem_ = new QLabel(QStringLiteral("Mensagem ..."), this);
  mensagem_->setObjectName(QStringLiteral("1080"));
  cancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
  cancelar_->setObjectName(QStringLiteral("32804"));
  cancelar_->hide();
  l->addWidget(animacao_, 1);
  l->addWidget(mensagem_);
  l->addWidget(cancelar_, 0, Qt::AlignRight);
}
