#include "CNomeVariaveis.h"

#include "ControlesAssistente.h"
#include "controls/CSetaPassos.h"
#include "model/CabecalhoModelo.h"
#include "model/VariaveisComuns.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace assistente;

namespace {
const char* const TitulosTipo[] = {
    "Variáveis - Apartamentos", "Variáveis - Casas",  "Variáveis - Lojas",
    "Variáveis - Escritórios",  "Variáveis - Lotes",  "Variáveis - Glebas",
    "Variáveis - Outras Tipologias",
};
constexpr int NumTipos = 7;
constexpr int TxtMaximoVariaveis = 3065;
}  // namespace

CNomeVariaveis::CNomeVariaveis(QWidget* parent) : CPaginaWizard(parent) {
  setObjectName(QStringLiteral("dlg526"));
  setTitle(QStringLiteral("Variáveis do Modelo"));
  setSubTitle(QStringLiteral("Digite os nomes das variáveis ou escolha-as entre as variáveis comuns."));
  auto* g = new QGridLayout(this);
  g->addWidget(new QLabel(QStringLiteral("Variável a incluir"), this), 0, 0);
  nome_ = new QLineEdit(this);
  DefineId(nome_, 1056);
  nome_->setMaxLength(25);
  g->addWidget(nome_, 1, 0);

  auto* linha = new QHBoxLayout;
  tituloComuns_ = new QLabel(this);
  DefineId(tituloComuns_, 1128);
  auto* seta = new CSetaPassos([this](int passo) { MudaTipo(passo); }, this);
  DefineId(seta, 1112);
  linha->addWidget(tituloComuns_, 1);
  linha->addWidget(seta);
  g->addLayout(linha, 2, 0);
  comuns_ = new QListWidget(this);
  DefineId(comuns_, 1075);
  g->addWidget(comuns_, 3, 0);

  auto* botoes = new QVBoxLayout;
  auto* adicionar = new QPushButton(QStringLiteral("A&dicionar"), this);
  DefineId(adicionar, 1016);
  remover_ = new QPushButton(QStringLiteral("&Remover"), this);
  DefineId(remover_, 1017);
  remover_->setEnabled(false);
  botoes->addStretch();
  botoes->addWidget(adicionar);
  botoes->addWidget(remover_);
  botoes->addStretch();
  g->addLayout(botoes, 1, 1, 3, 1);

  tituloModelo_ = new QLabel(this);
  DefineId(tituloModelo_, 1138);
  g->addWidget(tituloModelo_, 0, 2, 1, 1);
  modelo_ = new QListWidget(this);
  DefineId(modelo_, 1074);
  g->addWidget(modelo_, 1, 2, 3, 1);
  g->setColumnStretch(0, 1);
  g->setColumnStretch(2, 1);

  for (QWidget* w : {static_cast<QWidget*>(nome_), static_cast<QWidget*>(comuns_), static_cast<QWidget*>(modelo_)})
    w->installEventFilter(this);
  connect(adicionar, &QPushButton::clicked, this, &CNomeVariaveis::Adiciona);
  connect(remover_, &QPushButton::clicked, this, &CNomeVariaveis::Remove);
  connect(comuns_, &QListWidget::itemDoubleClicked, this, [this] {
    origem_ = comuns_;
    Adiciona();
  });
  AtualizaContagem();
  tituloComuns_->setText(QString::fromUtf8(TitulosTipo[0]));
}

void CNomeVariaveis::DefineCabecalho(CabecalhoModelo* cab) { cab_ = cab; }

void CNomeVariaveis::initializePage() {
  // Once, when the page is first shown: the property type the first page chose.
  if (iniciada_) return;
  iniciada_ = true;
  const int tipo = cab_ ? cab_->I32(364) - 1 : 0;
  tipoMostrado_ = std::clamp(tipo, 0, NumTipos - 1);
}

bool CNomeVariaveis::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::FocusOut && (o == nome_ || o == comuns_)) origem_ = static_cast<QWidget*>(o);
  if (e->type() == QEvent::FocusIn && o == modelo_) remover_->setEnabled(true);
  if (e->type() == QEvent::KeyPress && (o == nome_ || o == comuns_)) {
    const int tecla = static_cast<QKeyEvent*>(e)->key();
    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
      // Enter adds rather than moving the sheet on.
      origem_ = static_cast<QWidget*>(o);
      Adiciona();
      return true;
    }
  }
  return CPaginaWizard::eventFilter(o, e);
}

void CNomeVariaveis::OnSetActive() {
  initializePage();
  SetWizardButtons(CWizard::PSWIZB_BACK | CWizard::PSWIZB_NEXT);
  PreencheCatalogo();
  if (cab_) cab_->SetI32(cab::Dependente, -1);
}

void CNomeVariaveis::MudaTipo(int passo) {
  const int novo = std::clamp(tipoMostrado_ + (passo > 0 ? 1 : -1), 0, NumTipos - 1);
  if (novo == tipoMostrado_) return;
  tipoMostrado_ = novo;
  PreencheCatalogo();
}

void CNomeVariaveis::PreencheCatalogo() {
  comuns_->clear();
  if (catalogo_) {
    for (std::size_t i = 0; i < catalogo_->size(); ++i) {
      const Var& v = (*catalogo_)[i];
      if (v.tipoImovel != tipoMostrado_ + 1) continue;
      auto* item = new QListWidgetItem(v.Nome(), comuns_);
      item->setData(Qt::UserRole, int(i));
    }
  }
  tituloComuns_->setText(QString::fromUtf8(TitulosTipo[tipoMostrado_]));
}

void CNomeVariaveis::AtualizaContagem() {
  tituloModelo_->setText(QStringLiteral("Variáveis do modelo - %1").arg(contagem_));
}

void CNomeVariaveis::Adiciona() {
  if (contagem_ >= MaxVariaveisPagina) {
    plat::MessageBox(plat::Texto(TxtMaximoVariaveis).arg(QStringLiteral("59")), QString(),
                     plat::MB_ICONINFORMATION);
    return;
  }
  if (origem_ == nome_) {
    const QString texto = nome_->text();
    if (texto.isEmpty()) return;
    auto* item = new QListWidgetItem(texto, modelo_);
    item->setData(Qt::UserRole, Digitada);
    nome_->clear();
    nome_->setFocus();
  } else if (origem_ == comuns_) {
    QListWidgetItem* sel = comuns_->currentItem();
    if (!sel || !sel->isSelected()) return;
    auto* item = new QListWidgetItem(sel->text(), modelo_);
    item->setData(Qt::UserRole, sel->data(Qt::UserRole));
    comuns_->setFocus();
  } else {
    return;
  }
  ++contagem_;
  AtualizaContagem();
}

void CNomeVariaveis::Remove() {
  QListWidgetItem* sel = modelo_->currentItem();
  if (contagem_ <= 0 || !sel || !sel->isSelected()) return;
  delete sel;
  --contagem_;
  AtualizaContagem();
}

bool CNomeVariaveis::OnWizardNext() {
  if (contagem_ < 2) {
    plat::MessageBox(QStringLiteral("É necessário definir no mínimo duas variáveis."), QString(),
                     plat::MB_ICONINFORMATION);
    return false;
  }
  if (!cab_) return true;
  cab_->SetI32(cab::NumVariaveis, contagem_);
  for (int j = 0; j < contagem_; ++j) {
    const QListWidgetItem* item = modelo_->item(j);
    const int indice = item->data(Qt::UserRole).toInt();
    const bool doCatalogo = catalogo_ && indice >= 0 && std::size_t(indice) < catalogo_->size();
    if (doCatalogo) {
      const Var& v = (*catalogo_)[std::size_t(indice)];
      cab_->SetTexto(cab::Em(cab::Nome, j, cab::TamNome), cab::TamNome, v.Nome());
      cab_->SetTexto(cab::Em(cab::Descricao, j, cab::TamDescricao), cab::TamDescricao, v.Descricao());
      cab_->SetI32(cab::Em(cab::Tipo, j), TipoVariavelModelo(v.tipo));
      cab_->SetI32(cab::Em(cab::Casas, j), CasasDecimaisValidas(v.casasDecimais));
    } else {
      cab_->SetTexto(cab::Em(cab::Nome, j, cab::TamNome), cab::TamNome, item->text());
      cab_->SetTexto(cab::Em(cab::Descricao, j, cab::TamDescricao), cab::TamDescricao, QString());
      cab_->SetI32(cab::Em(cab::Tipo, j), 4);
      cab_->SetI32(cab::Em(cab::Casas, j), 2);
    }
    cab_->SetI32(cab::Em(cab::Relacao, j), 0);
    cab_->SetI32(cab::Em(cab::Habilitada, j), 1);
  }
  return true;
}
