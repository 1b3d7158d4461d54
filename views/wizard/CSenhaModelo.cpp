#include "CSenhaModelo.h"

#include "ControlesAssistente.h"
#include "model/CabecalhoModelo.h"
#include "model/RotinasCabecalho.h"
#include "platform/Mensagem.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstring>

using namespace assistente;

CSenhaModelo::CSenhaModelo(QWidget* parent) : CPaginaWizard(parent) {
  setObjectName(QStringLiteral("dlg543"));
  setTitle(QStringLiteral("Informe a Senha para o Modelo"));
  setSubTitle(QStringLiteral("Proteja o modelo contra alterações de quem não conhece a senha."));
  auto* raiz = new QVBoxLayout(this);
  protegido_ = new QCheckBox(QStringLiteral("Modelo protegido por Senha"), this);
  DefineId(protegido_, 1030);
  raiz->addWidget(protegido_);
  auto* opcoes = new QGroupBox(QStringLiteral("Opções"), this);
  auto* g = new QGridLayout(opcoes);
  g->addWidget(new QLabel(QStringLiteral("Senha"), opcoes), 0, 0);
  senha_ = new QLineEdit(opcoes);
  DefineId(senha_, 1056);
  g->addWidget(senha_, 0, 1);
  g->addWidget(new QLabel(QStringLiteral("» entre 6 e 12 caracteres"), opcoes), 0, 2);
  g->addWidget(new QLabel(QStringLiteral("Redigite"), opcoes), 1, 0);
  repeticao_ = new QLineEdit(opcoes);
  DefineId(repeticao_, 1057);
  g->addWidget(repeticao_, 1, 1);
  g->addWidget(new QLabel(QStringLiteral("» redigite a mesma senha"), opcoes), 1, 2);
  for (QLineEdit* e : {senha_, repeticao_}) {
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(MaxSenha);
  }
  leitura_ = new QRadioButton(QStringLiteral("Somente Leitura"), opcoes);
  DefineId(leitura_, 1095);
  completo_ = new QRadioButton(QStringLiteral("Acesso completo"), opcoes);
  DefineId(completo_, 1096);
  g->addWidget(leitura_, 2, 1);
  g->addWidget(completo_, 3, 1);
  raiz->addWidget(opcoes);
  raiz->addStretch();
  Habilita(false);

  connect(protegido_, &QCheckBox::clicked, this, [this](bool marcado) {
    Habilita(marcado);
    if (!cab_) return;
    cab_->SetU8(cab::Protegido, marcado ? 1 : 0);
    if (!marcado) return;
    leitura_->setChecked(true);
    cab_->SetI32(cab::NivelAcesso, 1);
    senha_->setFocus();
  });
  connect(leitura_, &QRadioButton::clicked, this, [this] { if (cab_) cab_->SetI32(cab::NivelAcesso, 1); });
  connect(completo_, &QRadioButton::clicked, this, [this] { if (cab_) cab_->SetI32(cab::NivelAcesso, 2); });
}

void CSenhaModelo::Habilita(bool sim) {
  for (QWidget* w : {static_cast<QWidget*>(leitura_), static_cast<QWidget*>(completo_),
                     static_cast<QWidget*>(senha_), static_cast<QWidget*>(repeticao_)})
    w->setEnabled(sim);
}

void CSenhaModelo::OnSetActive() {
  SetWizardButtons(CWizard::PSWIZB_BACK | CWizard::PSWIZB_FINISH);
  if (!cab_) return;
  const bool protegido = cab_->U8(cab::Protegido) != 0;
  protegido_->setChecked(protegido);
  Habilita(protegido);
  // The stored password is never shown back: the edits keep only what was
  // typed on this page; left empty, a protected model keeps its password.
  if (protegido) (cab_->I32(cab::NivelAcesso) == 1 ? leitura_ : completo_)->setChecked(true);
  else {
    senha_->clear();
    repeticao_->clear();
  }
}

bool CSenhaModelo::OnWizardFinish() {
  if (!cab_) return true;
  if (cab_->U8(cab::Protegido) != 0) {
    const QString senha = senha_->text(), repeticao = repeticao_->text();
    const bool guardada = !cab_->Texto(cab::Senha, cab::TamSenha).isEmpty();
    if (!(senha.isEmpty() && repeticao.isEmpty() && guardada)) {
      if (senha.size() < MinSenha) {
        plat::MessageBox(QStringLiteral("Senha inválida !"));
        senha_->setFocus();
        return false;
      }
      if (repeticao != senha) {
        plat::MessageBox(QStringLiteral("Senha redigitada não confere !"));
        repeticao_->setFocus();
        return false;
      }
      std::memset(cab_->bytes + cab::Senha, 0, cab::TamSenha);
      cab_->SetTexto(cab::Senha, cab::TamSenha, senha);
    }
    cab_->SetU8(cab::Desbloqueado, 1);
  } else {
    // An unprotected model keeps no password.
    std::memset(cab_->bytes + cab::Senha, 0, cab::TamSenha);
  }
  // The model has no records yet (the properties sheets work on a header copy).
  const int n = cab_->I32(cab::NumVariaveis), d = cab_->I32(cab::Dependente), area = cab_->I32(cab::VariavelArea);
  MoveVariavelDependente(*cab_, false, nullptr);
  // The area variable follows its variable across the exchange.
  if (d >= 0 && d < n - 1) {
    if (area == d) cab_->SetI32(cab::VariavelArea, n - 1);
    else if (area == n - 1) cab_->SetI32(cab::VariavelArea, d);
  }
  return true;
}
