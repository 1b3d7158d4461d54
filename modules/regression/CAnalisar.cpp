#include "modules/regression/CAnalisar.h"

#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "modules/regression/CursorEspera.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrimo {

CAnalisar::CAnalisar(const CabecalhoModelo& copia, const dado* dados, int numDados, QWidget* parent)
    : QDialog(parent), copia_(copia), dados_(dados), numDados_(numDados) {
  setObjectName(QString::fromUtf8("dlg132"));
  setWindowTitle(QString::fromUtf8("Analisar Variáveis"));
  auto* rotulo = new QLabel(QString::fromUtf8("Informações Complementares"), this);
  texto_ = new QPlainTextEdit(this);
  texto_->setObjectName(QString::fromUtf8("1000"));
  texto_->setReadOnly(true);
  texto_->setMinimumSize(360, 180);
  naoCalcular_ = new QCheckBox(QString::fromUtf8("&Não calcular em caso de inconsistências"), this);
  naoCalcular_->setObjectName(QString::fromUtf8("1026"));
  naoCalcular_->setChecked(true);
  analisar_ = new QPushButton(QString::fromUtf8("&Analisar"), this);
  analisar_->setObjectName(QString::fromUtf8("1"));
  analisar_->setDefault(true);
  auto* cancelar = new QPushButton(QString::fromUtf8("&Cancelar"), this);
  cancelar->setObjectName(QString::fromUtf8("2"));
  cancelar->setAutoDefault(false);

  auto* botoes = new QHBoxLayout;
  botoes->addWidget(naoCalcular_);
  botoes->addStretch();
  botoes->addWidget(analisar_);
  botoes->addWidget(cancelar);
  auto* principal = new QVBoxLayout(this);
  principal->addWidget(rotulo);
  principal->addWidget(texto_);
  principal->addLayout(botoes);

  connect(analisar_, &QPushButton::clicked, this, &CAnalisar::AoAnalisar);
  connect(cancelar, &QPushButton::clicked, this, &CAnalisar::reject);
}

CAnalisar::~CAnalisar() = default;

void CAnalisar::AoAnalisar() {
  if (analisado_) {
    accept();
    return;
  }
  analisado_ = true;
  Analisa();
}

void CAnalisar::Analisa() {
  bool constante = false;
  {
    CursorEspera espera;
    QString relato;
    const int nv = std::clamp(copia_.NumVariaveis(), 0, CabecalhoModelo::MaxVariaveis);
    for (int v = 0; v < nv; ++v) {
      if (!copia_.Habilitada(v)) continue;
      bool varia = false;
      // Every record counts here, the excluded ones too.
      for (int i = 1; i < numDados_ && !varia; ++i) varia = dados_[i].valor[v] != dados_[0].valor[v];
      relato += QString::fromUtf8("Analisando a variável ") + copia_.NomeVariavel(v);
      relato += varia ? QString::fromUtf8(".  OK !") : QString::fromUtf8(".  Apresenta valores constantes !");
      relato += QString::fromUtf8("\r\n");
      constante = constante || !varia;
      texto_->setPlainText(QString(relato).remove(QLatin1Char('\r')));
      texto_->repaint();
    }
  }
  if (constante && naoCalcular_->isChecked()) analisar_->hide();
  else analisar_->setText(QString::fromUtf8("C&oncluir"));
  naoCalcular_->hide();
}

}  // namespace ostrimo
