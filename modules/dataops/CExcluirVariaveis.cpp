#include "CExcluirVariaveis.h"

#include "CHoverButton.h"
#include "ExcluiVariaveis.h"
#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace palvedo {

CExcluirVariaveis::CExcluirVariaveis(const QString& caminho, QWidget* parent)
    : CDialogoModelo(caminho, 130, QStringLiteral("Excluir Variáveis"), parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Selecione as variáveis a excluir:"), this));
  lista_ = new QListWidget(this);
  DefineId(lista_, 1007);
  lista_->setSelectionMode(QAbstractItemView::MultiSelection);
  layout->addWidget(lista_);
  auto* botoes = new QHBoxLayout;
  auto* ok = new CHoverButton(QStringLiteral("&Excluir"), this);
  DefineId(ok, 1);
  auto* fechar = new CHoverButton(QStringLiteral("&Fechar"), this);
  DefineId(fechar, 2);
  PreparaBotaoImagem(ok, true);
  PreparaBotaoImagem(fechar, false);
  ok->setDefault(true);
  botoes->addStretch();
  botoes->addWidget(ok);
  botoes->addWidget(fechar);
  layout->addLayout(botoes);
  connect(ok, &QPushButton::clicked, this, &CExcluirVariaveis::OnOK);
  connect(fechar, &QPushButton::clicked, this, &CExcluirVariaveis::reject);

  // The dependent variable, always the last, cannot be removed.
  lista_->addItems(NomesVariaveis(cab_->I32(cab::NumVariaveis) - 1));
}

void CExcluirVariaveis::reject() {
  if (plat::MessageBox(QStringLiteral("Deseja Cancelar ?"), QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) ==
      plat::IDYES)
    QDialog::reject();
}

void CExcluirVariaveis::OnOK() {
  std::vector<int> escolhidos;
  for (int i = 0; i < lista_->count(); ++i)
    if (lista_->item(i)->isSelected()) escolhidos.push_back(i);  // list position = variable slot

  switch (VerificaExclusao(*cab_, escolhidos)) {
    case VerificacaoExclusao::NenhumaSelecionada:
      plat::MessageBox(QStringLiteral("Selecione pelo menos uma variável a excluir !"));
      return;
    case VerificacaoExclusao::MinimoVariaveis:
      plat::MessageBox(QStringLiteral("Número mínimo de variáveis não poderá ser menor do que 2 !"));
      return;
    case VerificacaoExclusao::SlotInvalido:
      return;
    case VerificacaoExclusao::Aceita:
      break;
  }
  if (plat::MessageBox(QStringLiteral("Deseja excluir as variáveis selecionadas !"), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;

  const bool gravado = AplicaNoArquivo([&](CabecalhoModelo& c, RegistrosModelo& r) {
    ExcluiVariaveis(c, r, escolhidos);
    return true;
  });
  if (gravado) accept();
  else QDialog::reject();
}

}  // namespace palvedo
