#include "CFormatParaDlg.h"

#include "Medida.h"
#include "platform/TabelaTextos.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CFormatParaDlg::CFormatParaDlg(const FormatoParagrafo& p, int quebra, QWidget* parent) : CHelpDialog(522, parent) {
  setWindowTitle(QStringLiteral("Parágrafo"));
  auto* grupo = new QGroupBox(QStringLiteral("Recuo"), this);
  grupo->setObjectName(QStringLiteral("1004"));
  auto* f = new QFormLayout(grupo);
  auto campo = [&](int id, const char* rotulo) { return medida::NovaCaixa(f, grupo, id, rotulo); };
  esquerda_ = campo(1051, "&Esquerda:");
  direita_ = campo(1053, "&Direita:");
  primeira_ = campo(1050, "&Primeira Linha:");
  auto* rotulo = new QLabel(QStringLiteral("&Alinhamento:"), this);
  rotulo->setObjectName(QStringLiteral("1124"));
  alinhamento_ = new QComboBox(this);
  alinhamento_->setObjectName(QStringLiteral("1036"));
  alinhamento_->addItems({plat::Texto(3061), plat::Texto(3083), plat::Texto(3003)});
  rotulo->setBuddy(alinhamento_);
  // Index 0 left, 1 right, 2 centred; none when the format does not carry an alignment.
  int indice = -1;
  if (p.mascara & FormatoParagrafo::Alinhamento)
    indice = p.alinhamento == Qt::AlignRight ? 1 : p.alinhamento == Qt::AlignHCenter ? 2 : 0;
  alinhamento_->setCurrentIndex(indice);
  if (quebra == 0) {
    alinhamento_->setEnabled(false);
    rotulo->setEnabled(false);
  }
  int direito = (p.mascara & FormatoParagrafo::Direito) ? p.direito : medida::SemValor;
  int primeira = medida::SemValor, esquerda = medida::SemValor;
  if (p.mascara & FormatoParagrafo::Deslocamento) {
    primeira = -p.deslocamento;
    esquerda = (p.mascara & FormatoParagrafo::Inicio) ? p.inicio + p.deslocamento : medida::SemValor;
  }
  medida::MostraCaixa(esquerda_, esquerda);
  medida::MostraCaixa(direita_, direito);
  medida::MostraCaixa(primeira_, primeira);

  auto* botoes = CHelpDialog::BotoesOkCancelar(this);
  auto* l = new QVBoxLayout(this);
  l->addWidget(grupo);
  auto* linha = new QHBoxLayout;
  linha->addWidget(rotulo);
  linha->addWidget(alinhamento_);
  l->addLayout(linha);
  l->addWidget(botoes);
}

void CFormatParaDlg::accept() {
  int esquerda = 0, direito = 0, primeira = 0;
  for (auto [caixa, valor] : {std::pair{esquerda_, &esquerda}, std::pair{direita_, &direito}, std::pair{primeira_, &primeira}}) {
    if (!medida::LeCaixa(caixa, valor)) return;
    if (*valor != medida::SemValor && !medida::Valida(caixa, *valor, -medida::Limite, medida::Limite)) return;
  }
  FormatoParagrafo r;
  const int indice = alinhamento_->currentIndex();
  if (indice >= 0) {
    r.mascara |= FormatoParagrafo::Alinhamento;
    r.alinhamento = indice == 1 ? Qt::AlignRight : indice == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  }
  if (direito != medida::SemValor) {
    r.mascara |= FormatoParagrafo::Direito;
    r.direito = direito;
  }
  if (esquerda != medida::SemValor && primeira != medida::SemValor) {
    r.mascara |= FormatoParagrafo::Inicio;
    r.inicio = esquerda + primeira;
  }
  if (primeira != medida::SemValor) {
    r.mascara |= FormatoParagrafo::Deslocamento;
    r.deslocamento = -primeira;
  }
  resultado_ = r;
  CHelpDialog::accept();
}
