#include "CReconsiderarVariaveis.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
using C = CabecalhoModelo;
std::size_t Flag(int v) { return C::OffHabilitadas + 4 * std::size_t(v); }
}  // namespace

CReconsiderarVariaveis::CReconsiderarVariaveis(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("dlg552"));
  setWindowTitle(QStringLiteral("Reconsiderar Variáveis"));
  lista_ = new QListWidget(this);
  lista_->setObjectName(QStringLiteral("1074"));
  marca_ = new QCheckBox(QStringLiteral("&Reconsiderar"), this);
  marca_->setObjectName(QStringLiteral("1030"));
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("1"));
  fechar->setDefault(true);
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Lista das Variáveis"), this), 0, 0);
  g->addWidget(lista_, 1, 0, 2, 1);
  g->addWidget(marca_, 1, 1, Qt::AlignTop);
  g->addWidget(fechar, 2, 1, Qt::AlignBottom);

  if (doc_ && doc_->GetCabecalho()) {
    const CabecalhoModelo& c = *doc_->GetCabecalho();
    const int n = std::clamp(c.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
    for (int v = 0; v < n; ++v) {
      lista_->addItem(c.Texto(C::OffNomesVariaveis + 31 * std::size_t(v), 31));
      originais_.push_back(c.I32(Flag(v)));
    }
  }
  connect(lista_, &QListWidget::currentRowChanged, this, [this](int r) {
    if (r >= 0 && r < int(originais_.size())) marca_->setChecked(doc_->GetCabecalho()->I32(Flag(r)) != 0);
  });
  if (lista_->count() > 0) {
    lista_->setCurrentRow(0);
    lista_->setFocus();
  }
  connect(marca_, &QCheckBox::clicked, this, [this](bool marcado) {
    const int r = lista_->currentRow();
    if (r < 0 || r >= int(originais_.size())) return;
    doc_->GetCabecalho()->SetI32(Flag(r), marcado ? 1 : 0);
    alterado_ = true;
  });
  connect(fechar, &QPushButton::clicked, this, &CReconsiderarVariaveis::accept);
}

void CReconsiderarVariaveis::accept() {
  if (alterado_ && doc_ && doc_->GetCabecalho()) {
    CabecalhoModelo& c = *doc_->GetCabecalho();
    doc_->SetModifiedFlag(true);
    // The stored equations and the spatial results no longer apply.
    c.SetI32(C::OffEstadoCalculo, 0);
    c.SetI32(C::OffEspacialCalculado, 0);
    doc_->UpdateAllViews(nullptr, 1);
  }
  QDialog::accept();
}

void CReconsiderarVariaveis::reject() {
  if (alterado_ && doc_ && doc_->GetCabecalho())
    for (std::size_t v = 0; v < originais_.size(); ++v) doc_->GetCabecalho()->SetI32(Flag(int(v)), originais_[v]);
  QDialog::reject();
}
