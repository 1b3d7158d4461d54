#include "CPageSetupDlg.h"

#include "Medida.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CPageSetupDlg::CPageSetupDlg(QWidget* parent) : CHelpDialog(532, parent) {
  setWindowTitle(QStringLiteral("Configurar Página"));
  auto* grupo = new QGroupBox(QStringLiteral("Margens"), this);
  grupo->setObjectName(QStringLiteral("1004"));
  auto* f = new QFormLayout(grupo);
  auto campo = [&](int id, const char* rotulo) { return medida::NovaCaixa(f, grupo, id, rotulo); };
  superior_ = campo(1055, "&Superior:");
  inferior_ = campo(1049, "&Inferior:");
  esquerda_ = campo(1052, "&Esquerda:");
  direita_ = campo(1054, "&Direita:");
  auto* botoes = CHelpDialog::BotoesOkCancelar(this);
  auto* l = new QVBoxLayout(this);
  l->addWidget(grupo);
  l->addWidget(botoes);
}

void CPageSetupDlg::showEvent(QShowEvent* e) {
  medida::MostraCaixa(superior_, m_nTopMargin);
  medida::MostraCaixa(inferior_, m_nBottomMargin);
  medida::MostraCaixa(esquerda_, m_nLeftMargin);
  medida::MostraCaixa(direita_, m_nRightMargin);
  CHelpDialog::showEvent(e);
}

void CPageSetupDlg::accept() {
  // Each box in turn: read, then bounded; the first failure keeps the dialog open.
  struct Campo { QLineEdit* caixa; int* valor; };
  const Campo campos[] = {{superior_, &m_nTopMargin}, {inferior_, &m_nBottomMargin},
                          {esquerda_, &m_nLeftMargin}, {direita_, &m_nRightMargin}};
  int lidos[4];
  for (int i = 0; i < 4; ++i) {
    if (!medida::LeCaixa(campos[i].caixa, &lidos[i])) return;
    if (!medida::Valida(campos[i].caixa, lidos[i], -medida::Limite, medida::Limite)) return;
  }
  for (int i = 0; i < 4; ++i) *campos[i].valor = lidos[i];
  CHelpDialog::accept();
}
