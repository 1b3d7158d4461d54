// Modal dialogs run through ExecutaDialogo, scripted by tests.
#include "platform/Dialogo.h"

#include "AplicacaoTeste.h"
#include "ImprimeQString.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A small dialog with the usual controls, addressed by their ids.
class DialogoPequeno : public QDialog {
public:
  DialogoPequeno() {
    setObjectName("dlg142");
    edicao = Cria<QLineEdit>(1030);
    opcao = Cria<QCheckBox>(1031);
    lista = Cria<QComboBox>(1032);
    lista->addItems({"um", "dois", "três"});
    auto* ok = Cria<QPushButton>(1);
    auto* cancela = Cria<QPushButton>(2);
    desligado = Cria<QPushButton>(1033);
    desligado->setEnabled(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
    connect(desligado, &QPushButton::clicked, this, [this] { ++cliquesDesligado; });
    connect(edicao, &QLineEdit::textEdited, this, [this](const QString& t) { editado = t; });
    connect(opcao, &QCheckBox::toggled, this, [this](bool b) { marcadoPeloUsuario = b; });
  }
  template <class W> W* Cria(int id) {
    auto* w = new W(this);
    w->setObjectName(QString::number(id));
    return w;
  }
  QLineEdit* edicao;
  QCheckBox* opcao;
  QComboBox* lista;
  QPushButton* desligado;
  QString editado;
  bool marcadoPeloUsuario = false;
  int cliquesDesligado = 0;
  int vezesMostrado = 0;
protected:
  void showEvent(QShowEvent* e) override { ++vezesMostrado; QDialog::showEvent(e); }
};

class Dialogo : public ::testing::Test {
protected:
  static void SetUpTestSuite() { AplicacaoTeste::Cria(); }
  static void TearDownTestSuite() { AplicacaoTeste::Destroi(); }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
};

TEST_F(Dialogo, RoteiroPreencheEPressionaOk) {
  DialogoPequeno dlg;
  bool rodou = false;
  plat::RoteiroPara("dlg142", [&](QDialog& d) {
    rodou = true;
    // The script acts while the dialog is up and modal, as a user would.
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &d);
    plat::DefineTexto(d, 1030, "12,5");
    plat::DefineMarcado(d, 1031, true);
    plat::SelecionaItem(d, 1032, 2);
    EXPECT_FALSE(plat::Habilitado(d, 1033));
    EXPECT_TRUE(plat::Habilitado(d, 1030));
    plat::Pressiona(d, 1033);  // a disabled button does not react
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
  EXPECT_TRUE(rodou);
  EXPECT_EQ(plat::Texto(dlg, 1030), "12,5");
  EXPECT_EQ(dlg.editado, "12,5");  // the dialog's own handlers ran
  EXPECT_TRUE(plat::Marcado(dlg, 1031));
  EXPECT_TRUE(dlg.marcadoPeloUsuario);
  EXPECT_EQ(plat::Texto(dlg, 1032), QString::fromUtf8("três"));
  EXPECT_EQ(dlg.cliquesDesligado, 0);
}

TEST_F(Dialogo, RoteiroQueNaoFechaCancela) {
  DialogoPequeno dlg;
  plat::RoteiroPara("dlg142", [](QDialog& d) { plat::DefineTexto(d, 1030, "x"); });
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
  EXPECT_EQ(dlg.edicao->text(), "x");
}

TEST_F(Dialogo, RoteirosUsadosUmaVezEmOrdem) {
  DialogoPequeno dlg;
  plat::RoteiroPara("dlg142", [](QDialog& d) { plat::Pressiona(d, 1); });
  plat::RoteiroPara("dlg142", [](QDialog& d) { plat::Pressiona(d, 2); });
  plat::RoteiroPara("dlg999", [](QDialog& d) { plat::Pressiona(d, 1); });
  plat::DefineModoRoteiro(true);
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
  EXPECT_EQ(dlg.vezesMostrado, 2);
  // No script left for this name: cancelled at once, never shown.
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
  EXPECT_EQ(dlg.vezesMostrado, 2);
  // The script for another dialog is still there for it.
  DialogoPequeno outro;
  outro.setObjectName("dlg999");
  EXPECT_EQ(plat::ExecutaDialogo(outro), QDialog::Accepted);
}

TEST_F(Dialogo, LimpaRoteirosDescartaOsPendentes) {
  DialogoPequeno dlg;
  plat::RoteiroPara("dlg142", [](QDialog& d) { plat::Pressiona(d, 1); });
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(true);
  EXPECT_TRUE(plat::ModoRoteiro());
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
  EXPECT_EQ(dlg.vezesMostrado, 0);
}

TEST_F(Dialogo, IdsDesconhecidosNaoQuebram) {
  DialogoPequeno dlg;
  EXPECT_EQ(plat::Controle(dlg, 4242), nullptr);
  plat::DefineTexto(dlg, 4242, "x");
  plat::DefineMarcado(dlg, 4242, true);
  plat::SelecionaItem(dlg, 4242, 1);
  plat::Pressiona(dlg, 4242);
  EXPECT_EQ(plat::Texto(dlg, 4242), QString());
  EXPECT_FALSE(plat::Marcado(dlg, 4242));
  EXPECT_FALSE(plat::Habilitado(dlg, 4242));
}

}  // namespace
