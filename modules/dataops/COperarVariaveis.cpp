#include "COperarVariaveis.h"

#include "OperaVariaveis.h"
#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "TextoParametro.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace palvedo {

namespace {
constexpr int IdMaximoVariaveis = 3065;  // "Número máximo de variáveis = %1 !"
constexpr int OperandoVariavelB = 0, OperandoParametroX = 1;
}  // namespace

COperarVariaveis::COperarVariaveis(const QString& caminho, QWidget* parent)
    : CDialogoModelo(caminho, 146, QStringLiteral("Operar Variáveis"), parent) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Variável A"), this), 0, 0);
  a_ = new QListWidget(this);
  DefineId(a_, 1007);
  layout->addWidget(a_, 1, 0);
  rotuloB_ = new QLabel(QStringLiteral("Variável B"), this);
  DefineId(rotuloB_, 1003);
  layout->addWidget(rotuloB_, 0, 1);
  b_ = new QListWidget(this);
  DefineId(b_, 1008);
  layout->addWidget(b_, 1, 1);

  auto* grupo = new QGroupBox(QStringLiteral("Operação"), this);
  auto* lg = new QGridLayout(grupo);
  operacoes_ = new QListWidget(grupo);
  DefineId(operacoes_, 1036);
  operando_ = new QListWidget(grupo);
  DefineId(operando_, 1045);
  rotuloX_ = new QLabel(QStringLiteral("Parâmetro  X"), grupo);
  DefineId(rotuloX_, 1001);
  x_ = new QLineEdit(grupo);
  DefineId(x_, 1000);
  LimitaDigitacao(x_, 18);
  lg->addWidget(operacoes_, 0, 0, 2, 1);
  lg->addWidget(operando_, 0, 1);
  auto* linhaX = new QHBoxLayout;
  linhaX->addWidget(rotuloX_);
  linhaX->addWidget(x_);
  lg->addLayout(linhaX, 1, 1);
  layout->addWidget(grupo, 2, 0, 1, 2);

  layout->addWidget(new QLabel(QStringLiteral("Nome para Variável C"), this), 3, 0);
  nome_ = new QLineEdit(this);
  DefineId(nome_, 1002);
  nome_->setMaxLength(25);
  layout->addWidget(nome_, 3, 1);

  auto* botoes = new QHBoxLayout;
  auto* aplicar = new QPushButton(QStringLiteral("&Aplicar"), this);
  DefineId(aplicar, 1);
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  DefineId(fechar, 2);
  aplicar->setDefault(true);
  botoes->addStretch();
  botoes->addWidget(aplicar);
  botoes->addWidget(fechar);
  layout->addLayout(botoes, 4, 0, 1, 2);

  const QStringList nomes = NomesVariaveis(cab_->I32(cab::NumVariaveis));
  a_->addItems(nomes);
  b_->addItems(nomes);
  operacoes_->addItems({QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"), QStringLiteral("/"),
                        QStringLiteral("Log"), QStringLiteral("^")});
  operando_->addItems({QStringLiteral("Variável B"), QStringLiteral("Parâmetro X")});
  if (a_->count() > 0) a_->setCurrentRow(0);
  if (b_->count() > 1) b_->setCurrentRow(1);
  operacoes_->setCurrentRow(0);
  operando_->setCurrentRow(OperandoVariavelB);
  x_->setText(QStringLiteral("0,00"));
  MostraOperando(false);

  connect(operacoes_, &QListWidget::currentRowChanged, this, &COperarVariaveis::OperacaoEscolhida);
  connect(operando_, &QListWidget::currentRowChanged, this, &COperarVariaveis::OperandoEscolhido);
  connect(aplicar, &QPushButton::clicked, this, &COperarVariaveis::OnAplicar);
  connect(fechar, &QPushButton::clicked, this, &COperarVariaveis::reject);
  x_->installEventFilter(this);
  a_->setFocus();
}

void COperarVariaveis::MostraOperando(bool parametro) {
  rotuloX_->setEnabled(parametro);
  x_->setEnabled(parametro);
  rotuloB_->setEnabled(!parametro);
  b_->setEnabled(!parametro);
}

void COperarVariaveis::OperacaoEscolhida(int linha) {
  if (linha == int(Operacao::Log)) {
    rotuloX_->setEnabled(false);
    x_->setEnabled(false);
    rotuloB_->setEnabled(false);
    b_->setEnabled(false);
    operando_->setEnabled(false);
    return;
  }
  operando_->setEnabled(true);
  MostraOperando(operando_->currentRow() == OperandoParametroX);
}

void COperarVariaveis::OperandoEscolhido(int linha) {
  MostraOperando(linha == OperandoParametroX);
  if (linha == OperandoParametroX) {
    x_->selectAll();
    x_->setFocus();
  }
}

bool COperarVariaveis::eventFilter(QObject* alvo, QEvent* evento) {
  if (alvo == x_ && evento->type() == QEvent::FocusOut) ReformataParametro(x_, valorX_);
  return CDialogoModelo::eventFilter(alvo, evento);
}

void COperarVariaveis::OnAplicar() {
  const QString nome = nome_->text();
  if (nome.isEmpty()) {
    plat::MessageBox(QStringLiteral("Nome para variável inválido !"));
    nome_->setFocus();
    return;
  }
  if (cab_->I32(cab::NumVariaveis) >= MaxVariaveis) {
    plat::MessageBox(plat::Texto(IdMaximoVariaveis).arg(MaxVariaveis), QString(),
                     plat::MB_OK | plat::MB_ICONINFORMATION);
    return;
  }
  OperacaoVariavel op;
  op.a = a_->currentRow();
  op.b = b_->currentRow();
  op.operacao = static_cast<Operacao>(std::max(0, operacoes_->currentRow()));
  op.usaVariavelB = operando_->currentRow() != OperandoParametroX;
  op.nome = nome;
  // Only what the operation reads must be there: "Log" runs with no B at all.
  if (op.a < 0) {
    plat::MessageBox(QStringLiteral("Selecione a variável A !"));
    a_->setFocus();
    return;
  }
  if (UsaVariavelB(op) && op.b < 0) {
    plat::MessageBox(QStringLiteral("Selecione a variável B !"));
    b_->setFocus();
    return;
  }
  if (op.operacao != Operacao::Log && !UsaVariavelB(op) && !ParametroFinito(x_, valorX_)) return;
  op.x = valorX_;
  if (plat::MessageBox(QStringLiteral("Deseja efetuar a Operação ?"), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;

  ResultadoOperacao resultado = ResultadoOperacao::Feita;
  const bool gravado = AplicaNoArquivo([&](CabecalhoModelo& c, RegistrosModelo& r) {
    resultado = OperaVariaveis(c, r, op);
    return resultado == ResultadoOperacao::Feita;
  });
  if (gravado) {
    accept();
    return;
  }
  switch (resultado) {
    case ResultadoOperacao::OperacaoIlegal:
      // The whole operation is abandoned and the file keeps its content.
      plat::MessageBox(QStringLiteral("Operação matemática ilegal !"));
      reject();
      break;
    case ResultadoOperacao::SlotInvalido:
    case ResultadoOperacao::LimiteVariaveis:
      break;  // nothing was changed; the user may choose again
    case ResultadoOperacao::Feita:
      reject();  // the file could not be read or written (already reported)
      break;
  }
}

}  // namespace palvedo
