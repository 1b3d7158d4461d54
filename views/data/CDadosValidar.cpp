#include "CDadosValidar.h"

#include "controls/CHoverButton.h"
#include "platform/Mensagem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

CDadosValidar::CDadosValidar(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg513"));
  setWindowTitle(QStringLiteral("Dados para Validação"));
  edit_ = new QSpinBox(this);
  edit_->setObjectName(QStringLiteral("1056"));
  // The box takes any number; "Aplicar" checks the range.
  edit_->setRange(-999999, 999999);
  auto* aplicar = new CHoverButton(QStringLiteral("Aplicar"), this);
  aplicar->setObjectName(QStringLiteral("1"));
  aplicar->setDefault(true);
  auto* cancelar = new CHoverButton(QStringLiteral("Cancelar"), this);
  cancelar->setObjectName(QStringLiteral("2"));
  connect(aplicar, &QPushButton::clicked, this, &CDadosValidar::accept);
  connect(cancelar, &QPushButton::clicked, this, &CDadosValidar::reject);
  auto* linha = new QHBoxLayout;
  linha->addWidget(new QLabel(QStringLiteral("Percetual a selecionar (%):"), this));
  linha->addWidget(edit_);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(aplicar);
  botoes->addWidget(cancelar);
  auto* l = new QVBoxLayout(this);
  l->addLayout(linha);
  l->addLayout(botoes);
}

void CDadosValidar::showEvent(QShowEvent* e) {
  edit_->setValue(m_nPercentual);
  QDialog::showEvent(e);
}

void CDadosValidar::accept() {
  edit_->interpretText();
  const int p = edit_->value();
  if (p < 1 || p > 50) {
    plat::MessageBox(QStringLiteral("Entre um número inteiro entre 1 e 50."), QString(), plat::MB_ICONEXCLAMATION);
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  m_nPercentual = p;
  QDialog::accept();
}
