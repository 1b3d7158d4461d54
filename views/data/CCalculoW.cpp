#include "CCalculoW.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <newmat.h>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CCalculoW::CCalculoW(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlg506"));
  setWindowTitle(QStringLiteral("Cálculo de W"));
  x_ = new QComboBox(this);
  x_->setObjectName(QStringLiteral("1037"));
  y_ = new QComboBox(this);
  y_->setObjectName(QStringLiteral("1038"));
  auto* calcular = new QPushButton(QStringLiteral("&Calcular"), this);
  calcular->setObjectName(QStringLiteral("1"));
  calcular->setDefault(true);
  auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
  fechar->setObjectName(QStringLiteral("2"));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Selecione as coordenadas geográficas (em UTM):"), this), 0, 0, 1, 2);
  g->addWidget(new QLabel(QStringLiteral("Latitude"), this), 1, 0);
  g->addWidget(x_, 1, 1);
  g->addWidget(new QLabel(QStringLiteral("Longitude"), this), 2, 0);
  g->addWidget(y_, 2, 1);
  auto* b = new QHBoxLayout;
  b->addStretch();
  b->addWidget(calcular);
  b->addWidget(fechar);
  g->addLayout(b, 3, 0, 1, 2);
  connect(calcular, &QPushButton::clicked, this, &CCalculoW::accept);
  connect(fechar, &QPushButton::clicked, this, &CCalculoW::reject);
}

void CCalculoW::showEvent(QShowEvent* e) {
  if (!iniciado_ && documento && documento->GetCabecalho()) {
    iniciado_ = true;
    const CabecalhoModelo& c = *documento->GetCabecalho();
    const int n = std::clamp(c.I32(CabecalhoModelo::OffNumVariaveis), 0, CabecalhoModelo::MaxVariaveis);
    for (int v = 0; v < n; ++v) {
      const QString nome = c.Texto(CabecalhoModelo::OffNomesVariaveis + 31 * v, 31);
      x_->addItem(nome);
      y_->addItem(nome);
    }
    const int vx = c.I32(CabecalhoModelo::OffVariavelX), vy = c.I32(CabecalhoModelo::OffVariavelY);
    x_->setCurrentIndex(vx >= 0 && vx < n ? vx : 0);
    y_->setCurrentIndex(vy >= 0 && vy < n ? vy : std::min(1, n - 1));
  }
  QDialog::showEvent(e);
}

void CCalculoW::accept() {
  if (!documento || !documento->GetCabecalho() || x_->currentIndex() < 0 || y_->currentIndex() < 0) {
    QDialog::reject();
    return;
  }
  // The document builds W from the coordinate variables the header names; a
  // refusal (size limit, records that cannot be read) restores the stored
  // choice and keeps the dialog open, so "Fechar" leaves the model as it was.
  CabecalhoModelo& c = *documento->GetCabecalho();
  const int antigoX = c.I32(CabecalhoModelo::OffVariavelX), antigoY = c.I32(CabecalhoModelo::OffVariavelY);
  c.SetI32(CabecalhoModelo::OffVariavelX, x_->currentIndex());
  c.SetI32(CabecalhoModelo::OffVariavelY, y_->currentIndex());
  const bool calculou = matriz ? (calculo ? calculo(x_->currentIndex(), y_->currentIndex(), *matriz)
                                          : documento->CalculaMatrizW(*matriz))
                               : documento->CalculaMatrizW();
  if (!calculou) {
    c.SetI32(CabecalhoModelo::OffVariavelX, antigoX);
    c.SetI32(CabecalhoModelo::OffVariavelY, antigoY);
    return;
  }
  plat::MessageBox(QStringLiteral("Cálculos finalizados!"));
  if (matriz) {
    QDialog::accept();
    return;
  }
  documento->SetModifiedFlag(true);
  documento->DoSave(documento->GetPathName());
  QDialog::accept();
}
