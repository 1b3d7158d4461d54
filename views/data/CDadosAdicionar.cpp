#include "CDadosAdicionar.h"

#include "controls/CHoverButton.h"
#include "platform/Mensagem.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int TxtNumeroInvalido = 3072;
}

CDadosAdicionar::CDadosAdicionar(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg511"));
  setWindowTitle(QStringLiteral("Incluir Dados"));
  edit_ = new QLineEdit(QStringLiteral("1"), this);
  edit_->setObjectName(QStringLiteral("1056"));
  edit_->setMaxLength(4);
  edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
  edit_->setAlignment(Qt::AlignRight);
  edit_->setAccessibleName(QStringLiteral("Número de dados"));
  // The up-down control beside the edit (its buddy).
  auto* setas = new QWidget(this);
  setas->setObjectName(QStringLiteral("1112"));
  setas->setAccessibleName(QStringLiteral("Número de dados"));
  auto* ls = new QVBoxLayout(setas);
  ls->setContentsMargins(0, 0, 0, 0);
  ls->setSpacing(0);
  for (int d : {1, -1}) {
    auto* b = new QToolButton(setas);
    b->setObjectName(d > 0 ? QStringLiteral("acima") : QStringLiteral("abaixo"));
    b->setAccessibleName(d > 0 ? QStringLiteral("Mais um") : QStringLiteral("Menos um"));
    b->setArrowType(d > 0 ? Qt::UpArrow : Qt::DownArrow);
    b->setAutoRepeat(true);
    b->setFixedSize(18, 12);
    connect(b, &QToolButton::clicked, this, [this, d] { Passo(d); });
    ls->addWidget(b);
  }
  auto* rotulo = new QLabel(QStringLiteral("Número de dados:"), this);
  rotulo->setBuddy(edit_);

  auto* adicionar = new CHoverButton(QStringLiteral("Adicionar"), this);
  adicionar->setObjectName(QStringLiteral("1"));
  adicionar->setDefault(true);
  auto* cancelar = new CHoverButton(QStringLiteral("Cancelar"), this);
  cancelar->setObjectName(QStringLiteral("2"));
  adicionar->SetStateIcons(149, CHoverButton::RepousoCinza);
  cancelar->SetStateIcons(148, CHoverButton::RepousoCinza);

  auto* g = new QGridLayout(this);
  g->addWidget(rotulo, 0, 0);
  auto* campo = new QHBoxLayout;
  campo->setSpacing(0);
  campo->addWidget(edit_);
  campo->addWidget(setas);
  g->addLayout(campo, 0, 1);
  auto* b = new QHBoxLayout;
  b->addStretch();
  b->addWidget(adicionar);
  b->addWidget(cancelar);
  g->addLayout(b, 1, 0, 1, 2);
  connect(adicionar, &QPushButton::clicked, this, &CDadosAdicionar::accept);
  connect(cancelar, &QPushButton::clicked, this, &CDadosAdicionar::reject);
}

void CDadosAdicionar::showEvent(QShowEvent* e) {
  if (!iniciado_) {
    iniciado_ = true;
    limite_ = m_nNumero;
    edit_->setText(QStringLiteral("1"));
    edit_->selectAll();
    edit_->setFocus();
  }
  QDialog::showEvent(e);
}

void CDadosAdicionar::Passo(int delta) {
  bool ok = false;
  const int n = edit_->text().toInt(&ok);
  edit_->setText(QString::number(std::clamp((ok ? n : 1) + delta, 1, std::max(limite_, 1))));
}

void CDadosAdicionar::accept() {
  bool ok = false;
  const int n = edit_->text().trimmed().toInt(&ok);
  // Nothing to add is no number of rows either.
  if (!ok || n < 1 || n > m_nNumero) {
    plat::MessageBox(TxtNumeroInvalido, plat::MB_ICONSTOP);
    edit_->setFocus();
    edit_->selectAll();
    return;
  }
  m_nNumero = n;
  QDialog::accept();
}
