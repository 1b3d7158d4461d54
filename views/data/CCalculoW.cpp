#include "CCalculoW.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <cmath>

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
  if (!documento || x_->currentIndex() < 0 || y_->currentIndex() < 0) {
    QDialog::reject();
    return;
  }
  // Past the limit nothing is stored: the dialog stays open and a later
  // "Fechar" leaves the model as it was.
  const int n = documento->NumDados();
  if (n > CTarsolinDoc::MaxRegistrosW) {
    plat::MessageBox(QStringLiteral("Número de dados grande demais para a matriz de pesos (máximo %1) !")
                         .arg(CTarsolinDoc::MaxRegistrosW), QString(), plat::MB_ICONSTOP);
    return;
  }
  if (!documento->RegistrosCarregados() && !documento->CarregaRegistros()) {
    plat::MessageBox(QStringLiteral("Não foi possível ler os dados do modelo !"), QString(), plat::MB_ICONSTOP);
    return;
  }
  CabecalhoModelo& c = *documento->GetCabecalho();
  const int vx = x_->currentIndex(), vy = y_->currentIndex();
  c.SetI32(CabecalhoModelo::OffVariavelX, vx);
  c.SetI32(CabecalhoModelo::OffVariavelY, vy);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  NEWMAT::Matrix& w = documento->GetW();
  w.ReSize(n, n);
  const dado* d = documento->GetDados();
  for (int i = 0; i < n; ++i) {
    w(i + 1, i + 1) = 0.0;
    const double xi = d[i].valor[vx], yi = d[i].valor[vy];
    for (int j = i + 1; j < n; ++j) {
      const double dx = xi - d[j].valor[vx], dy = yi - d[j].valor[vy];
      const double dist = std::sqrt(dx * dx + dy * dy);
      w(i + 1, j + 1) = dist;
      w(j + 1, i + 1) = dist;
    }
  }
  QApplication::restoreOverrideCursor();
  plat::MessageBox(QStringLiteral("Cálculos finalizados!"));
  documento->SetModifiedFlag(true);
  documento->DoSave(documento->GetPathName());
  QDialog::accept();
}
