#include "modules/regression/CCalcular.h"

#include "controls/CHoverButton.h"
#include "model/CabecalhoModelo.h"
#include "modules/regression/OpcoesCalculo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <type_traits>

namespace ostrimo {

namespace {

const char* const kNomes[8] = {"Auto", "x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
// Check boxes of codes 2 .. 7 and their captions.
const int kIdsTransformacao[6] = {1016, 1017, 1018, 1019, 1021, 1022};
const char* const kRotulosTransformacao[6] = {"1/x", "ln(x)", "x²", "x½", "1/x ²", "1/x½"};
// Buttons of codes 0 .. 7.
const int kIdsBotoes[8] = {1005, 1002, 1003, 1004, 1015, 1020, 1023, 1024};

template <class W>
W* Cria(QWidget* pai, int id, const QString& texto = QString()) {
  W* w;
  if constexpr (std::is_constructible_v<W, QString, QWidget*>) w = new W(texto, pai);
  else w = new W(pai);
  w->setObjectName(QString::number(id));
  return w;
}

QListWidget* CriaLista(QWidget* pai, int id) {
  auto* l = new QListWidget(pai);
  l->setObjectName(QString::number(id));
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setMaximumHeight(140);
  return l;
}

// The buttons' look: the icon with a grey copy at rest, the face lit by 30.
void Estiliza(CHoverButton* b, int icone) {
  b->SetStateIcons(icone, CHoverButton::RepousoCinza);
  b->ShiftStateColour(CHoverButton::CorFaceAtiva, 30, true);
}

}  // namespace

QString CCalcular::NomeTransformacao(int codigo) {
  return codigo >= 0 && codigo < 8 ? QString::fromUtf8(kNomes[codigo]) : QString();
}

int CCalcular::CodigoTransformacao(const QString& nome) {
  for (int c = 0; c < 8; ++c)
    if (nome == QString::fromUtf8(kNomes[c])) return c;
  return -1;
}

CCalcular::CCalcular(CabecalhoModelo& copia, QWidget* parent) : QDialog(parent), copia_(copia) {
  setObjectName(QString::fromUtf8("dlg142"));
  setWindowTitle(QString::fromUtf8("Opções de Cálculo"));
  Monta();
  Inicializa();
}

CCalcular::~CCalcular() = default;

void CCalcular::Monta() {
  // Methods.
  auto* grupoMetodos = new QGroupBox(QString::fromUtf8("Métodos"), this);
  geral_ = Cria<QRadioButton>(grupoMetodos, 1030, QString::fromUtf8("&Geral"));
  simplificado_ = Cria<QRadioButton>(grupoMetodos, 1031, QString::fromUtf8("&Simplificado"));
  dirigido_ = Cria<QRadioButton>(grupoMetodos, 1032, QString::fromUtf8("&Dirigido"));
  auto* lm = new QVBoxLayout(grupoMetodos);
  lm->addWidget(geral_);
  lm->addWidget(simplificado_);
  lm->addWidget(dirigido_);

  // Allowed transformations.
  auto* grupoTransf = new QGroupBox(QString::fromUtf8("Transformações "), this);
  auto* lt = new QGridLayout(grupoTransf);
  for (int i = 0; i < 6; ++i) {
    transformacoes_[i] =
        Cria<QCheckBox>(grupoTransf, kIdsTransformacao[i], QString::fromUtf8(kRotulosTransformacao[i]));
    lt->addWidget(transformacoes_[i], i / 2, i % 2);
  }

  // Options.
  auto* grupoOpcoes = new QGroupBox(QString::fromUtf8("Opções"), this);
  analisar_ = Cria<QCheckBox>(grupoOpcoes, 1026, QString::fromUtf8("Analisar Variáveis"));
  reconsiderar_ = Cria<QCheckBox>(grupoOpcoes, 1072, QString::fromUtf8("&Reconsiderar todos os dados"));
  durbin_ = Cria<QCheckBox>(grupoOpcoes, 1027, QString::fromUtf8("Durbin Watson"));
  ordenacao_ = Cria<QComboBox>(grupoOpcoes, 1001);
  auto* lo = new QGridLayout(grupoOpcoes);
  lo->addWidget(analisar_, 0, 0, 1, 2);
  lo->addWidget(reconsiderar_, 1, 0, 1, 2);
  lo->addWidget(durbin_, 2, 0);
  lo->addWidget(ordenacao_, 2, 1);

  // Selection criterion.
  auto* grupoSelecao = new QGroupBox(QString::fromUtf8("Seleção"), this);
  regressao_ = Cria<QRadioButton>(grupoSelecao, 1033, QString::fromUtf8("Regressão"));
  variacao_ = Cria<QRadioButton>(grupoSelecao, 1034, QString::fromUtf8("Variação"));
  auto* ls = new QVBoxLayout(grupoSelecao);
  ls->addWidget(regressao_);
  ls->addWidget(variacao_);

  // Coefficient method: stored and shown only.
  auto* grupoCoef = new QGroupBox(QString::fromUtf8("Cálculo dos Coeficientes "), this);
  minimos_ = Cria<QRadioButton>(grupoCoef, 1035, QString::fromUtf8("Mínimos Quadrados"));
  verossimilhanca_ = Cria<QRadioButton>(grupoCoef, 1038, QString::fromUtf8("Máxima Verossimilhança"));
  auto* lc = new QVBoxLayout(grupoCoef);
  lc->addWidget(minimos_);
  lc->addWidget(verossimilhanca_);

  // The directed method's choices.
  grupoDirigido_ = Cria<QGroupBox>(this, 1037, QString::fromUtf8("Dirigido"));
  variaveis_ = CriaLista(grupoDirigido_, 1008);
  escolhidas_ = CriaLista(grupoDirigido_, 1036);
  nomes_ = CriaLista(grupoDirigido_, 1007);
  auto* ld = new QGridLayout(grupoDirigido_);
  ld->addWidget(variaveis_, 0, 0);
  ld->addWidget(escolhidas_, 0, 1);
  ld->addWidget(nomes_, 0, 2);
  auto* lb = new QHBoxLayout;
  for (int c = 0; c < 8; ++c) {
    botoes_[c] = Cria<QPushButton>(grupoDirigido_, kIdsBotoes[c], NomeTransformacao(c));
    botoes_[c]->setAutoDefault(false);
    lb->addWidget(botoes_[c]);
  }
  ld->addLayout(lb, 1, 0, 1, 3);

  calcular_ = Cria<CHoverButton>(this, 1, QString::fromUtf8("&Calcular"));
  fechar_ = Cria<CHoverButton>(this, 2, QString::fromUtf8("&Fechar"));
  calcular_->setDefault(true);

  auto* topo = new QGridLayout;
  topo->addWidget(grupoMetodos, 0, 0);
  topo->addWidget(grupoTransf, 0, 1);
  topo->addWidget(grupoOpcoes, 0, 2);
  topo->addWidget(grupoSelecao, 1, 0);
  topo->addWidget(grupoCoef, 1, 1);
  auto* botoes = new QVBoxLayout;
  botoes->addWidget(calcular_);
  botoes->addWidget(fechar_);
  botoes->addStretch();
  topo->addLayout(botoes, 1, 2);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(topo);
  principal->addWidget(grupoDirigido_);
}

void CCalcular::Inicializa() {
  OpcoesCalculo op(copia_);
  const int nv = std::clamp(copia_.NumVariaveis(), 0, CabecalhoModelo::MaxVariaveis);
  for (int v = 0; v < nv; ++v) {
    if (!copia_.Habilitada(v)) continue;
    variaveis_->addItem(copia_.NomeVariavel(v));
    ordenacao_->addItem(copia_.NomeVariavel(v));
    escolhidas_->addItem(NomeTransformacao(0));
  }
  for (int c = 0; c < 8; ++c) nomes_->addItem(NomeTransformacao(c));

  const int metodo = op.Metodo();
  if (metodo == 2) {
    simplificado_->setChecked(true);
    AoMetodoGeral(2);
  } else if (metodo == 3) {
    dirigido_->setChecked(true);
    AoDirigido();
  } else {
    geral_->setChecked(true);
    AoMetodoGeral(1);
  }
  (op.Criterio() == 1 ? variacao_ : regressao_)->setChecked(true);
  (op.MetodoCoeficientes() == 0 ? verossimilhanca_ : minimos_)->setChecked(true);

  if (copia_.NumDados() == copia_.NumConsiderados()) {
    reconsiderar_->setEnabled(false);
    op.SetReconsiderar(false);
  }
  op.SetPermitido(1, true);
  for (int i = 0; i < 6; ++i) transformacoes_[i]->setChecked(op.Permitido(i + 2));
  // The ordering variable always starts on the last enabled one, the dependent.
  ordenacao_->setCurrentIndex(ordenacao_->count() - 1);
  op.SetVariavelDurbinWatson(ordenacao_->count() - 1);
  durbin_->setChecked(op.DurbinWatson());
  ordenacao_->setEnabled(durbin_->isChecked());
  analisar_->setChecked(op.Analisar());
  reconsiderar_->setChecked(op.Reconsiderar());

  Estiliza(calcular_, 171);
  Estiliza(fechar_, 179);

  // Handlers are connected after the controls hold the header's state, so that
  // filling them stores nothing more than the steps above.
  connect(geral_, &QRadioButton::toggled, this, [this](bool m) { if (m) AoMetodoGeral(1); });
  connect(simplificado_, &QRadioButton::toggled, this, [this](bool m) { if (m) AoMetodoGeral(2); });
  connect(dirigido_, &QRadioButton::toggled, this, [this](bool m) { if (m) AoDirigido(); });
  for (int i = 0; i < 6; ++i)
    connect(transformacoes_[i], &QCheckBox::toggled, this,
            [this, i](bool m) { OpcoesCalculo(copia_).SetPermitido(i + 2, m); });
  connect(regressao_, &QRadioButton::toggled, this, [this](bool m) { if (m) OpcoesCalculo(copia_).SetCriterio(0); });
  connect(variacao_, &QRadioButton::toggled, this, [this](bool m) { if (m) OpcoesCalculo(copia_).SetCriterio(1); });
  connect(minimos_, &QRadioButton::toggled, this,
          [this](bool m) { if (m) OpcoesCalculo(copia_).SetMetodoCoeficientes(1); });
  connect(verossimilhanca_, &QRadioButton::toggled, this,
          [this](bool m) { if (m) OpcoesCalculo(copia_).SetMetodoCoeficientes(0); });
  connect(durbin_, &QCheckBox::toggled, this, &CCalcular::AoDurbinWatson);
  connect(variaveis_, &QListWidget::currentRowChanged, this, &CCalcular::AoSelecionarVariavel);
  connect(escolhidas_, &QListWidget::currentRowChanged, this, &CCalcular::AoSelecionarVariavel);
  connect(nomes_, &QListWidget::currentRowChanged, this, &CCalcular::AoSelecionarTransformacao);
  connect(variaveis_, &QListWidget::itemDoubleClicked, this, &CCalcular::AoDuploClique);
  connect(escolhidas_, &QListWidget::itemDoubleClicked, this, &CCalcular::AoDuploClique);
  for (int c = 0; c < 8; ++c)
    connect(botoes_[c], &QPushButton::clicked, this, [this, c] { AoBotaoTransformacao(c); });
  connect(calcular_, &QPushButton::clicked, this, &CCalcular::accept);
  connect(fechar_, &QPushButton::clicked, this, &CCalcular::reject);
}

void CCalcular::AoMetodoGeral(int metodo) {
  OpcoesCalculo op(copia_);
  op.SetMetodo(metodo);
  grupoDirigido_->setEnabled(false);
  for (int i = 0; i < 6; ++i) transformacoes_[i]->setEnabled(true);
  regressao_->setEnabled(true);
  variacao_->setEnabled(true);
  QSignalBlocker b1(regressao_), b2(variacao_);
  (op.Criterio() == 1 ? variacao_ : regressao_)->setChecked(true);
}

void CCalcular::AoDirigido() {
  OpcoesCalculo op(copia_);
  op.SetMetodo(3);
  grupoDirigido_->setEnabled(true);
  sincronizando_ = true;
  if (variaveis_->count() > 0) variaveis_->setCurrentRow(0);
  if (escolhidas_->count() > 0) escolhidas_->setCurrentRow(0);
  nomes_->setCurrentRow(0);
  sincronizando_ = false;
  for (int i = 0; i < 6; ++i) transformacoes_[i]->setEnabled(false);
  op.SetCriterio(0);
  {
    QSignalBlocker b1(regressao_), b2(variacao_);
    regressao_->setChecked(true);
  }
  regressao_->setEnabled(false);
  variacao_->setEnabled(false);
}

void CCalcular::AoSelecionarVariavel(int linha) {
  if (sincronizando_ || linha < 0) return;
  sincronizando_ = true;
  variaveis_->setCurrentRow(linha);
  escolhidas_->setCurrentRow(linha);
  if (QListWidgetItem* item = escolhidas_->item(linha)) {
    const int codigo = CodigoTransformacao(item->text());
    if (codigo >= 0) nomes_->setCurrentRow(codigo);
  }
  sincronizando_ = false;
}

void CCalcular::AoSelecionarTransformacao(int linha) {
  if (sincronizando_ || linha < 0) return;
  if (QListWidgetItem* item = escolhidas_->currentItem()) item->setText(NomeTransformacao(linha));
}

void CCalcular::AoDuploClique() {
  const int linha = variaveis_->currentRow();
  if (linha < 0) return;
  sincronizando_ = true;
  escolhidas_->setCurrentRow(linha);
  sincronizando_ = false;
}

void CCalcular::AoBotaoTransformacao(int codigo) {
  sincronizando_ = true;
  for (int i = 0; i < escolhidas_->count(); ++i) escolhidas_->item(i)->setText(NomeTransformacao(codigo));
  nomes_->setCurrentRow(codigo);
  if (variaveis_->count() > 0) {
    variaveis_->setCurrentRow(0);
    escolhidas_->setCurrentRow(0);
  }
  sincronizando_ = false;
}

void CCalcular::AoDurbinWatson(bool marcado) {
  OpcoesCalculo(copia_).SetDurbinWatson(marcado);
  ordenacao_->setEnabled(marcado);
}

void CCalcular::accept() {
  OpcoesCalculo op(copia_);
  if (op.Metodo() == 3) {
    // The engine reads the directed codes of slot 0 by position among the
    // enabled variables.
    for (int i = 0; i < escolhidas_->count(); ++i)
      copia_.SetI32(CabecalhoModelo::OffTransformacoes + 400 * std::size_t(i),
                    std::max(0, CodigoTransformacao(escolhidas_->item(i)->text())));
  }
  op.SetAnalisar(analisar_->isChecked());
  if (durbin_->isChecked()) {
    op.SetDurbinWatson(true);
    op.SetVariavelDurbinWatson(ordenacao_->currentIndex());
  } else {
    op.SetDurbinWatson(false);
    op.SetVariavelDurbinWatson(-1);
  }
  op.SetReconsiderar(reconsiderar_->isChecked());
  QDialog::accept();
}

}  // namespace ostrimo
