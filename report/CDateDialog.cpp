#include "CDateDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

CDateDialog::CDateDialog(QWidget* parent, const QDateTime& agora) : CHelpDialog(514, parent) {
  setWindowTitle(QStringLiteral("Data e Hora"));
  auto* rotulo = new QLabel(QStringLiteral("&Formatos disponíveis:"), this);
  rotulo->setObjectName(QStringLiteral("1116"));
  lista_ = new QListWidget(this);
  lista_->setObjectName(QStringLiteral("1042"));
  rotulo->setBuddy(lista_);
  const QLocale local;
  // Short dates, long dates, then times.
  const QString textos[] = {
      local.toString(agora.date(), QLocale::ShortFormat), local.toString(agora.date(), QLocale::NarrowFormat),
      local.toString(agora.date(), QLocale::LongFormat),  local.toString(agora.time(), QLocale::ShortFormat),
      local.toString(agora.time(), QLocale::LongFormat),
  };
  for (const QString& t : textos)
    if (!t.isEmpty() && lista_->findItems(t, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty()) lista_->addItem(t);
  lista_->setCurrentRow(0);
  auto* botoes = CHelpDialog::BotoesOkCancelar(this);
  connect(lista_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* l = new QVBoxLayout(this);
  l->addWidget(rotulo);
  l->addWidget(lista_);
  l->addWidget(botoes);
}

QString CDateDialog::Escolhido() const {
  const QListWidgetItem* i = lista_->currentItem();
  return i ? i->text() : QString();
}

QStringList CDateDialog::Textos() const {
  QStringList r;
  for (int i = 0; i < lista_->count(); ++i) r << lista_->item(i)->text();
  return r;
}
