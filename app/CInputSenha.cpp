#include "CInputSenha.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInputSenha::CInputSenha(CTarsolinDoc* doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName("dlg542");
  setWindowTitle("Digite a senha");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Senha : ", this));
  senha_ = new QLineEdit(this);
  senha_->setObjectName("1056");
  senha_->setEchoMode(QLineEdit::Password);
  senha_->setMaxLength(12);
  layout->addWidget(senha_);
  auto* botoes = new QDialogButtonBox(this);
  auto* ok = botoes->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("1");
  ok->setDefault(true);
  auto* cancelar = botoes->addButton("Cancelar", QDialogButtonBox::RejectRole);
  cancelar->setObjectName("2");
  connect(botoes, &QDialogButtonBox::accepted, this, &CInputSenha::accept);
  connect(botoes, &QDialogButtonBox::rejected, this, &CInputSenha::reject);
  layout->addWidget(botoes);
}

void CInputSenha::accept() {
  const CabecalhoModelo* cab = doc_ ? doc_->GetCabecalho() : nullptr;
  const QString guardada = cab ? cab->Texto(CabecalhoModelo::OffSenha, CabecalhoModelo::TamSenha) : QString();
  if (cab && senha_->text() == guardada) {
    QDialog::accept();
    return;
  }
  senha_->clear();
  if (++tentativas_ >= MaxTentativas) {
    reject();
    return;
  }
  plat::MessageBox("Senha Inválida !");
  senha_->setFocus();
}
