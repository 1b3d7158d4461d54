#include "COutliers.h"

#include "NucleoDiagnostico.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/TextoNumerico.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

COutliers::COutliers(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg531"));
  setWindowTitle(QStringLiteral("Outliers do Modelo"));
  lista_ = new QTreeWidget(this);
  lista_->setObjectName(QStringLiteral("1088"));
  lista_->setRootIsDecorated(false);
  lista_->setAllColumnsShowFocus(true);
  lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
  auto* rotulo = new QLabel(QStringLiteral("Total de Outliers :"), this);
  total_ = new QLabel(this);
  total_->setObjectName(QStringLiteral("1131"));
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("1"));
  fechar->setDefault(true);
  connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
  auto* l = new QVBoxLayout(this);
  l->addWidget(lista_);
  auto* baixo = new QHBoxLayout;
  baixo->addWidget(rotulo);
  baixo->addWidget(total_);
  baixo->addStretch();
  baixo->addWidget(fechar);
  l->addLayout(baixo);
  resize(520, 360);

  if (!doc || !doc->GetCabecalho() || (!doc->RegistrosCarregados() && !doc->CarregaRegistros())) return;
  lista_->setHeaderLabels({QStringLiteral("Dado"), QStringLiteral("Endereço"), QStringLiteral("Resíduo"),
                           QStringLiteral("Resíduo/DP")});
  const int larguras[] = {60, 220, 100, 90};
  for (int c = 0; c < 4; ++c) lista_->setColumnWidth(c, larguras[c]);
  lista_->headerItem()->setTextAlignment(0, Qt::AlignRight);
  lista_->headerItem()->setTextAlignment(2, Qt::AlignRight);
  lista_->headerItem()->setTextAlignment(3, Qt::AlignRight);
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  const int e = std::clamp(cab.EquacaoCorrente(), 0, CabecalhoModelo::MaxEquacoes - 1);
  // One row per record found: a stored count that disagrees leaves no blank rows or missing records.
  const std::vector<diag::Outlier> achados = diag::ListaOutliers(cab, doc->GetDados(), e);
  for (const diag::Outlier& o : achados) {
    auto* item = new QTreeWidgetItem(lista_);
    item->setText(0, plat::FormataC("%4d", {o.registro + 1}));
    item->setText(1, doc->GetDados()[o.registro].Endereco());
    item->setText(2, FormataNumero(o.residuo, 8));
    item->setText(3, FormataNumero(o.padronizado, 2));
    for (int c : {0, 2, 3}) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  total_->setText(plat::FormataC("%d", {int(achados.size())}));
  lista_->setFocus();
}
