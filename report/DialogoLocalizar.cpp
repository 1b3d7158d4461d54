#include "DialogoLocalizar.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

DialogoLocalizar::DialogoLocalizar(QObject*, bool substituir, const QString& inicial, QWidget* parent)
    : QDialog(parent) {
  setObjectName(substituir ? QStringLiteral("dlgSubstituir") : QStringLiteral("dlgLocalizar"));
  setWindowTitle(substituir ? QStringLiteral("Substituir") : QStringLiteral("Localizar"));
  auto* f = new QFormLayout;
  texto_ = new QLineEdit(inicial, this);
  texto_->setObjectName(QStringLiteral("1152"));
  f->addRow(QStringLiteral("Locali&zar:"), texto_);
  if (substituir) {
    novo_ = new QLineEdit(this);
    novo_->setObjectName(QStringLiteral("1153"));
    f->addRow(QStringLiteral("Substituir &por:"), novo_);
  }
  palavra_ = new QCheckBox(QStringLiteral("Somente palavras &inteiras"), this);
  palavra_->setObjectName(QStringLiteral("1040"));
  maiusculas_ = new QCheckBox(QStringLiteral("Diferenciar &maiúsculas e minúsculas"), this);
  maiusculas_->setObjectName(QStringLiteral("1041"));
  auto* proxima = new QPushButton(QStringLiteral("&Localizar próxima"), this);
  proxima->setObjectName(QStringLiteral("1"));
  proxima->setDefault(true);
  auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  cancelar->setObjectName(QStringLiteral("2"));
  connect(proxima, &QPushButton::clicked, this, [this] {
    if (!texto_->text().isEmpty()) emit procura(texto_->text(), Opcoes());
  });
  connect(cancelar, &QPushButton::clicked, this, &QDialog::close);
  auto* botoes = new QVBoxLayout;
  botoes->addWidget(proxima);
  if (substituir) {
    auto* um = new QPushButton(QStringLiteral("&Substituir"), this);
    um->setObjectName(QStringLiteral("1024"));
    auto* todas = new QPushButton(QStringLiteral("Substituir &todas"), this);
    todas->setObjectName(QStringLiteral("1025"));
    connect(um, &QPushButton::clicked, this, [this] {
      if (!texto_->text().isEmpty()) emit substitui(texto_->text(), novo_->text(), Opcoes(), false);
    });
    connect(todas, &QPushButton::clicked, this, [this] {
      if (!texto_->text().isEmpty()) emit substitui(texto_->text(), novo_->text(), Opcoes(), true);
    });
    botoes->addWidget(um);
    botoes->addWidget(todas);
  }
  botoes->addWidget(cancelar);
  botoes->addStretch();
  auto* esquerda = new QVBoxLayout;
  esquerda->addLayout(f);
  esquerda->addWidget(palavra_);
  esquerda->addWidget(maiusculas_);
  auto* l = new QHBoxLayout(this);
  l->addLayout(esquerda, 1);
  l->addLayout(botoes);
}

int DialogoLocalizar::Opcoes() const {
  int o = 0;
  if (palavra_->isChecked()) o |= QTextDocument::FindWholeWords;
  if (maiusculas_->isChecked()) o |= QTextDocument::FindCaseSensitively;
  return o;
}
