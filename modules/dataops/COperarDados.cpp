#include "COperarDados.h"

#include "CHoverButton.h"
#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "TextoParametro.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

namespace palvedo {

COperarDados::COperarDados(const QString& caminho, QWidget* parent)
    : CDialogoModelo(caminho, 148, QStringLiteral("Operar dados "), parent) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Variáveis do Modelo"), this), 0, 0);
  variaveis_ = new QListWidget(this);
  DefineId(variaveis_, 1007);
  layout->addWidget(variaveis_, 1, 0, 5, 1);

  layout->addWidget(new QLabel(QStringLiteral("Operação"), this), 0, 1);
  comparacao_ = new QComboBox(this);
  DefineId(comparacao_, 1004);
  layout->addWidget(comparacao_, 1, 1);
  layout->addWidget(new QLabel(QStringLiteral("Parâmetro de seleção"), this), 2, 1);
  parametro_ = new QLineEdit(this);
  DefineId(parametro_, 1000);
  LimitaDigitacao(parametro_, 18);
  layout->addWidget(parametro_, 3, 1);

  auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
  auto* lo = new QVBoxLayout(opcoes);
  auto* excluir = new QRadioButton(QStringLiteral("Excluir do Modelo"), opcoes);
  DefineId(excluir, 1050);
  auto* desconsiderar = new QRadioButton(QStringLiteral("Desconsiderar "), opcoes);
  DefineId(desconsiderar, 1051);
  auto* converter = new QRadioButton(QStringLiteral("Converter para :"), opcoes);
  DefineId(converter, 1005);
  conversao_ = new QLineEdit(opcoes);
  DefineId(conversao_, 1002);
  lo->addWidget(excluir);
  lo->addWidget(desconsiderar);
  auto* linhaConv = new QHBoxLayout;
  linhaConv->addWidget(converter);
  linhaConv->addWidget(conversao_);
  lo->addLayout(linhaConv);
  layout->addWidget(opcoes, 4, 1);

  auto* botoes = new QHBoxLayout;
  auto* aplicar = new CHoverButton(QStringLiteral("&Aplicar"), this);
  DefineId(aplicar, 1);
  auto* fechar = new CHoverButton(QStringLiteral("&Fechar"), this);
  DefineId(fechar, 2);
  PreparaBotaoImagem(aplicar, true);
  PreparaBotaoImagem(fechar, false);
  aplicar->setDefault(true);
  botoes->addStretch();
  botoes->addWidget(aplicar);
  botoes->addWidget(fechar);
  layout->addLayout(botoes, 6, 0, 1, 2);

  connect(excluir, &QRadioButton::clicked, this, [this] { EscolheAcao(AcaoDado::Excluir); });
  connect(desconsiderar, &QRadioButton::clicked, this, [this] { EscolheAcao(AcaoDado::Desconsiderar); });
  connect(converter, &QRadioButton::clicked, this, [this] { EscolheAcao(AcaoDado::Converter); });
  connect(aplicar, &QPushButton::clicked, this, &COperarDados::OnAplicar);
  connect(fechar, &QPushButton::clicked, this, &COperarDados::reject);
  parametro_->installEventFilter(this);
  conversao_->installEventFilter(this);

  variaveis_->addItems(NomesVariaveis(cab_->I32(cab::NumVariaveis)));
  comparacao_->addItems({QStringLiteral(">="), QStringLiteral("<="), QStringLiteral(" =")});
  if (variaveis_->count() > 0) variaveis_->setCurrentRow(0);
  comparacao_->setCurrentIndex(0);
  parametro_->setText(QStringLiteral("0,00"));
  desconsiderar->setChecked(true);
  conversao_->setEnabled(false);
  variaveis_->setFocus();
}

void COperarDados::EscolheAcao(AcaoDado acao) {
  acao_ = acao;
  conversao_->setEnabled(acao == AcaoDado::Converter);
  if (acao == AcaoDado::Converter) conversao_->setFocus();
}

bool COperarDados::eventFilter(QObject* alvo, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut) {
    if (alvo == parametro_) ReformataParametro(parametro_, valorParametro_);
    else if (alvo == conversao_) ReformataParametro(conversao_, valorConversao_);
  }
  return CDialogoModelo::eventFilter(alvo, evento);
}

void COperarDados::OnAplicar() {
  // The texts as they stand, also when an edit still has the focus; a number
  // that is not finite ("1e999") would be written into the records.
  if (!ParametroFinito(parametro_, valorParametro_)) return;
  if (acao_ == AcaoDado::Converter && !ParametroFinito(conversao_, valorConversao_)) return;
  if (plat::MessageBox(QStringLiteral("Deseja efetuar a Operação ?"), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;
  OperacaoDado op;
  op.variavel = variaveis_->currentRow();
  if (op.variavel < 0) return;
  op.comparacao = static_cast<Comparacao>(std::max(0, comparacao_->currentIndex()));
  op.parametro = valorParametro_;
  op.acao = acao_;
  op.conversao = valorConversao_;

  const bool gravado = AplicaNoArquivo([&](CabecalhoModelo& c, RegistrosModelo& r) {
    OperaDados(c, r, op);
    return true;
  });
  if (gravado) accept();
  else reject();
}

}  // namespace palvedo
