#include "CTermo.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/RotinasCabecalho.h"
#include "platform/Mensagem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <memory>

CTermo::CTermo(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("dlg545"));
  setWindowTitle(QStringLiteral("Definir Termo Dependente"));
  auto* layout = new QVBoxLayout(this);
  auto* rotulo = new QLabel(QStringLiteral("Selecione uma das Variáveis :"), this);
  layout->addWidget(rotulo);
  lista_ = new QListWidget(this);
  lista_->setObjectName(QStringLiteral("1074"));
  lista_->setAccessibleName(rotulo->text());
  layout->addWidget(lista_, 1);
  descricao_ = new QLabel(this);
  descricao_->setObjectName(QStringLiteral("1126"));
  descricao_->setWordWrap(true);
  descricao_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  descricao_->setMinimumHeight(3 * fontMetrics().lineSpacing());
  layout->addWidget(descricao_);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch(1);
  auto* aplicar = new QPushButton(QStringLiteral("&Aplicar"), this);
  aplicar->setObjectName(QStringLiteral("1"));
  aplicar->setDefault(true);
  auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
  fechar->setObjectName(QStringLiteral("2"));
  botoes->addWidget(aplicar);
  botoes->addWidget(fechar);
  layout->addLayout(botoes);
  connect(aplicar, &QPushButton::clicked, this, &CTermo::accept);
  connect(fechar, &QPushButton::clicked, this, &CTermo::reject);
  connect(lista_, &QListWidget::currentRowChanged, this, &CTermo::MostraDescricao);
  resize(330, 300);

  const CabecalhoModelo* cab = doc_ ? doc_->GetCabecalho() : nullptr;
  const int n = cab ? std::clamp(cab->NumVariaveis(), 0, CabecalhoModelo::MaxVariaveis) : 0;
  for (int v = 0; v < n; ++v) lista_->addItem(cab->NomeVariavel(v));
  // The dependent variable is kept last.
  if (n > 0) lista_->setCurrentRow(n - 1);
  lista_->setFocus();
}

void CTermo::MostraDescricao(int variavel) {
  const CabecalhoModelo* cab = doc_ ? doc_->GetCabecalho() : nullptr;
  descricao_->setText(cab && variavel >= 0 ? cab->DescricaoVariavel(variavel) : QString());
}

void CTermo::accept() {
  CabecalhoModelo* cab = doc_ ? doc_->GetCabecalho() : nullptr;
  const int escolhida = lista_->currentRow();
  if (!cab || escolhida < 0 || escolhida == cab->Dependente()) {
    reject();
    return;
  }
  // Nothing may stay half-changed: on failure the header returns to this
  // copy and loaded records are swapped back.
  const auto antes = std::make_unique<CabecalhoModelo>(*cab);
  const bool carregados = doc_->RegistrosCarregados();
  const bool modificado = doc_->IsModified();
  cab->SetDependente(escolhida);
  bool movido = false, ok = doc_->CarregaRegistros();
  // The appraisal records move with the variables when the header counts them all.
  dadoP* avaliandos = doc_->NumDadosP() == cab->NumDadosP() ? doc_->GetDadosP() : nullptr;
  if (ok) {
    MoveVariavelDependente(*cab, true, doc_->GetDados(), avaliandos);
    movido = true;
    doc_->SetModifiedFlag(true);
    ok = doc_->OnSaveDocument(doc_->GetPathName());
  }
  if (!ok) {
    if (movido && doc_->RegistrosCarregados()) {
      auto desfaz = std::make_unique<CabecalhoModelo>(*antes);
      desfaz->SetDependente(escolhida);
      MoveVariavelDependente(*desfaz, false, doc_->GetDados(), avaliandos);
    }
    std::memcpy(cab->bytes, antes->bytes, CabecalhoModelo::Tamanho);
    if (!carregados) doc_->LiberaRegistros();
    doc_->SetModifiedFlag(modificado);
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONSTOP);
    reject();
    return;
  }
  QDialog::accept();
}
