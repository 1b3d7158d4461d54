#include "CAlterarNome.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
using C = CabecalhoModelo;
}

CAlterarNome::CAlterarNome(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("dlg502"));
  setWindowTitle(QStringLiteral("Alterar Nome das Variáveis"));
  lista_ = new QListWidget(this);
  lista_->setObjectName(QStringLiteral("1074"));
  nome_ = new QLineEdit(this);
  nome_->setObjectName(QStringLiteral("1056"));
  nome_->setMaxLength(25);
  auto* aplicar = new QPushButton(QStringLiteral("&Aplicar"), this);
  aplicar->setObjectName(QStringLiteral("1016"));
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("1"));
  fechar->setDefault(true);
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Variáveis do Modelo"), this), 0, 0);
  g->addWidget(lista_, 1, 0, 3, 1);
  g->addWidget(new QLabel(QStringLiteral("Novo Nome"), this), 0, 1);
  g->addWidget(nome_, 1, 1);
  g->addWidget(aplicar, 2, 1);
  g->addWidget(fechar, 3, 1, Qt::AlignBottom);

  if (doc_ && doc_->GetCabecalho()) {
    const CabecalhoModelo& c = *doc_->GetCabecalho();
    const int n = std::clamp(c.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
    for (int v = 0; v < n; ++v) lista_->addItem(c.Texto(C::OffNomesVariaveis + 31 * std::size_t(v), 31));
  }
  connect(lista_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0) nome_->setText(lista_->item(r)->text());
  });
  if (lista_->count() > 0) lista_->setCurrentRow(0);
  connect(aplicar, &QPushButton::clicked, this, [this] {
    QListWidgetItem* it = lista_->currentItem();
    if (!it) return;
    it->setText(nome_->text());
    alterado_ = true;
  });
  connect(fechar, &QPushButton::clicked, this, &CAlterarNome::accept);
}

void CAlterarNome::accept() {
  if (alterado_ && doc_ && doc_->GetCabecalho()) {
    CabecalhoModelo& c = *doc_->GetCabecalho();
    for (int v = 0; v < lista_->count(); ++v)
      c.SetTexto(C::OffNomesVariaveis + 31 * std::size_t(v), 31, lista_->item(v)->text());
    doc_->SetModifiedFlag(true);
    doc_->UpdateAllViews(nullptr, 0);
  }
  QDialog::accept();
}
