#include "CIncluirVariaveis.h"

#include "IncluiVariaveis.h"
#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/VariaveisComuns.h"
#include "controls/CSetaPassos.h"
#include "platform/Mensagem.h"

#include <QAbstractSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <functional>

namespace palvedo {

namespace {

const char* const TitulosTipo[] = {
    "Variáveis - Apartamentos", "Variáveis - Casas",  "Variáveis - Lojas",
    "Variáveis - Escritórios",  "Variáveis - Lotes",  "Variáveis - Glebas",
    "Variáveis - Outras Tipologias",
};

}  // namespace

CIncluirVariaveis::CIncluirVariaveis(const QString& caminho, QWidget* parent)
    : CDialogoModelo(caminho, 131, QStringLiteral("Incluir Variáveis"), parent) {
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Nome da Variável"), this), 0, 0);
  nome_ = new QLineEdit(this);
  DefineId(nome_, 1000);
  nome_->setMaxLength(25);
  layout->addWidget(nome_, 1, 0);

  auto* linhaTitulo = new QHBoxLayout;
  tituloComuns_ = new QLabel(QStringLiteral("Variáveis mais comuns"), this);
  DefineId(tituloComuns_, 1006);
  auto* seta = new CSetaPassos([this](int passo) { MudaTipo(passo); }, this);
  DefineId(seta, 1011);
  linhaTitulo->addWidget(tituloComuns_, 1);
  linhaTitulo->addWidget(seta);
  layout->addLayout(linhaTitulo, 2, 0);
  comuns_ = new QListWidget(this);
  DefineId(comuns_, 1008);
  layout->addWidget(comuns_, 3, 0);

  layout->addWidget(new QLabel(QStringLiteral("Variáveis do modelo"), this), 0, 2);
  incluir_ = new QListWidget(this);
  DefineId(incluir_, 1007);
  layout->addWidget(incluir_, 1, 2, 3, 1);

  auto* meio = new QVBoxLayout;
  auto* adicionar = new QPushButton(QStringLiteral("A&dicionar"), this);
  DefineId(adicionar, 1009);
  remover_ = new QPushButton(QStringLiteral("&Remover"), this);
  DefineId(remover_, 1010);
  adicionar->setAutoDefault(false);
  remover_->setAutoDefault(false);
  meio->addStretch();
  meio->addWidget(adicionar);
  meio->addWidget(remover_);
  meio->addStretch();
  layout->addLayout(meio, 1, 1, 3, 1);

  auto* rodape = new QHBoxLayout;
  rodape->addWidget(new QLabel(QStringLiteral("Total de Variáveis a incluir:"), this));
  total_ = new QLabel(QStringLiteral("0"), this);
  DefineId(total_, 1016);
  rodape->addWidget(total_);
  rodape->addStretch();
  auto* concluir = new QPushButton(QStringLiteral("Conclui&r"), this);
  DefineId(concluir, 1);
  auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
  DefineId(cancelar, 2);
  concluir->setDefault(true);
  rodape->addWidget(concluir);
  rodape->addWidget(cancelar);
  layout->addLayout(rodape, 4, 0, 1, 3);

  connect(adicionar, &QPushButton::clicked, this, &CIncluirVariaveis::Adiciona);
  connect(remover_, &QPushButton::clicked, this, &CIncluirVariaveis::Remove);
  connect(concluir, &QPushButton::clicked, this, &CIncluirVariaveis::OnOK);
  connect(cancelar, &QPushButton::clicked, this, &CIncluirVariaveis::reject);
  connect(comuns_, &QListWidget::itemDoubleClicked, this, [this] {
    ultima_ = Entrada::Lista;
    Adiciona();
  });
  connect(incluir_, &QListWidget::itemSelectionChanged, this, [this] { remover_->setEnabled(true); });
  nome_->installEventFilter(this);
  comuns_->installEventFilter(this);
  incluir_->installEventFilter(this);

  remover_->setEnabled(false);
  // Clamped before the subtraction: a damaged type may be any integer.
  tipo_ = std::clamp(cab_->I32(cab::TipoImovel), 1, 7) - 1;
  pendentes_ = 0;
  // A missing or unreadable catalogue leaves the common list empty.
  LeVariaveisComuns(CaminhoCatalogoUsuario(), catalogo_);
  std::stable_sort(catalogo_.begin(), catalogo_.end(),
                   [](const Var& a, const Var& b) { return ComparaVar(a, b) < 0; });
  PreencheComuns();
  nome_->setFocus();
}

void CIncluirVariaveis::PreencheComuns() {
  comuns_->clear();
  for (std::size_t i = 0; i < catalogo_.size(); ++i) {
    if (catalogo_[i].tipoImovel != tipo_ + 1) continue;
    auto* item = new QListWidgetItem(catalogo_[i].Nome(), comuns_);
    item->setData(Qt::UserRole, int(i));
  }
  tituloComuns_->setText(QString::fromUtf8(TitulosTipo[tipo_]));
}

void CIncluirVariaveis::MudaTipo(int passo) {
  if (passo <= 0) {
    if (tipo_ > 0) {
      --tipo_;
      PreencheComuns();
    }
  } else if (tipo_ < 6) {
    ++tipo_;
    PreencheComuns();
  }
}

void CIncluirVariaveis::MostraPendentes() { total_->setText(QString::number(pendentes_)); }

void CIncluirVariaveis::Adiciona() {
  if (!CabeMaisUma(*cab_, pendentes_)) {
    plat::MessageBox(QStringLiteral("Não foi possível incluir novas variáveis. Limite esgotado!"), QString(),
                     plat::MB_OK | plat::MB_ICONINFORMATION);
    return;
  }
  if (ultima_ == Entrada::Edicao) {
    const QString texto = nome_->text();
    if (texto.trimmed().isEmpty()) return;
    auto* item = new QListWidgetItem(texto, incluir_);
    item->setData(Qt::UserRole, -1);
    nome_->clear();
    nome_->setFocus();
    ++pendentes_;
    MostraPendentes();
  } else if (ultima_ == Entrada::Lista) {
    // Nothing chosen in the common list: nothing to add.
    QListWidgetItem* escolhido = comuns_->currentItem();
    if (escolhido == nullptr || !escolhido->isSelected()) {
      nome_->setFocus();
      return;
    }
    auto* item = new QListWidgetItem(escolhido->text(), incluir_);
    item->setData(Qt::UserRole, escolhido->data(Qt::UserRole));
    comuns_->setFocus();
    ++pendentes_;
    MostraPendentes();
    nome_->setFocus();
  } else {
    nome_->setFocus();
  }
}

void CIncluirVariaveis::Remove() {
  if (pendentes_ <= 0) return;
  QListWidgetItem* item = incluir_->currentItem();
  if (item == nullptr || !item->isSelected()) return;
  delete item;
  --pendentes_;
  MostraPendentes();
}

bool CIncluirVariaveis::eventFilter(QObject* alvo, QEvent* evento) {
  const Entrada entrada = alvo == nome_ ? Entrada::Edicao : alvo == comuns_ ? Entrada::Lista : Entrada::Nenhuma;
  switch (evento->type()) {
    case QEvent::FocusOut:
      if (entrada != Entrada::Nenhuma) ultima_ = entrada;
      break;
    case QEvent::FocusIn:
      if (alvo == comuns_) {
        QListWidgetItem* item = comuns_->currentItem();
        if (item != nullptr && item->isSelected()) nome_->setText(item->text());
      } else if (alvo == incluir_) {
        remover_->setEnabled(true);
      }
      break;
    case QEvent::KeyPress: {
      const int tecla = static_cast<QKeyEvent*>(evento)->key();
      if (entrada != Entrada::Nenhuma && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
        ultima_ = entrada;
        Adiciona();
        return true;  // the key goes no further
      }
      break;
    }
    default:
      break;
  }
  return CDialogoModelo::eventFilter(alvo, evento);
}

void CIncluirVariaveis::reject() {
  if (plat::MessageBox(QStringLiteral("Deseja Cancelar ?"), QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) ==
      plat::IDYES)
    QDialog::reject();
}

void CIncluirVariaveis::OnOK() {
  if (pendentes_ == 0) {
    plat::MessageBox(QStringLiteral("Selecione ou inclua pelo menos uma variável !"));
    return;
  }
  std::vector<NovaVariavel> novas;
  for (int j = 0; j < incluir_->count(); ++j) {
    const QListWidgetItem* item = incluir_->item(j);
    const int indice = item->data(Qt::UserRole).toInt();
    if (indice >= 0 && std::size_t(indice) < catalogo_.size())
      novas.push_back(NovaVariavel::DoCatalogo(catalogo_[std::size_t(indice)]));
    else
      novas.push_back(NovaVariavel::Digitada(item->text()));
  }
  if (cab_->I32(cab::NumVariaveis) + int(novas.size()) > MaxVariaveis) {
    plat::MessageBox(QStringLiteral("Não foi possível incluir novas variáveis. Limite esgotado!"), QString(),
                     plat::MB_OK | plat::MB_ICONINFORMATION);
    return;
  }
  const bool gravado = AplicaNoArquivo([&](CabecalhoModelo& c, RegistrosModelo& r) {
    return IncluiVariaveis(c, r, novas);
  });
  if (gravado) accept();
  else QDialog::reject();
}

}  // namespace palvedo
