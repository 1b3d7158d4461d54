// "Incluir Dados" (dialog 511): the number of rows within the caller's limit.
#include "views/data/CDadosAdicionar.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

struct Caso {
  const char* nome;
  int limite;
  std::vector<QString> digitados;  // typed and "Adicionar" pressed, in order
  bool aceito;
  int numero;    // the member after the dialog
  int recusas;   // "Este não é um número válido!" boxes
};

class AdicionaDados : public ::testing::TestWithParam<Caso> {
protected:
  void SetUp() override { plat::DefineModoRoteiro(true); }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
};

TEST_P(AdicionaDados, NumberWithinTheLimit) {
  const Caso& c = GetParam();
  plat::GravadorMensagens mensagens;
  CDadosAdicionar dlg;
  dlg.m_nNumero = c.limite;
  QString inicial;
  plat::RoteiroPara(QStringLiteral("dlg511"), [&](QDialog& d) {
    inicial = plat::Texto(d, 1056);
    for (const QString& t : c.digitados) {
      plat::DefineTexto(d, 1056, t);
      plat::Pressiona(d, 1);
    }
    if (d.isVisible()) plat::Pressiona(d, 2);
  });
  const int r = plat::ExecutaDialogo(dlg);
  EXPECT_EQ(inicial, QStringLiteral("1"));
  EXPECT_EQ(r == QDialog::Accepted, c.aceito);
  EXPECT_EQ(dlg.m_nNumero, c.numero);
  EXPECT_EQ(int(mensagens.Mensagens().size()), c.recusas);
  for (const plat::Mensagem& m : mensagens.Mensagens()) {
    EXPECT_EQ(m.texto, QStringLiteral("Este não é um número válido!"));
    EXPECT_EQ(m.estilo & 0xF0, unsigned(plat::MB_ICONSTOP));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, AdicionaDados,
    ::testing::Values(Caso{"WithinTheLimit", 10, {QStringLiteral("3")}, true, 3, 0},
                      Caso{"AtTheLimit", 10, {QStringLiteral("10")}, true, 10, 0},
                      Caso{"AboveTheLimitThenWithin", 10, {QStringLiteral("11"), QStringLiteral("7")}, true, 7, 1},
                      Caso{"NothingToAdd", 10, {QStringLiteral("0")}, false, 10, 1},
                      Caso{"Cancelled", 9995, {}, false, 9995, 0}),
    [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });

TEST(AdicionaDadosSetas, UpDownStaysWithinOneAndTheLimit) {
  plat::DefineModoRoteiro(true);
  CDadosAdicionar dlg;
  dlg.m_nNumero = 3;
  QStringList vistos;
  plat::RoteiroPara(QStringLiteral("dlg511"), [&](QDialog& d) {
    auto* acima = d.findChild<QAbstractButton*>(QStringLiteral("acima"));
    auto* abaixo = d.findChild<QAbstractButton*>(QStringLiteral("abaixo"));
    for (int i = 0; i < 4; ++i) {
      acima->click();
      vistos << plat::Texto(d, 1056);
    }
    abaixo->click();
    vistos << plat::Texto(d, 1056);
    EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("1056"))->maxLength(), 4);
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
  EXPECT_EQ(vistos, (QStringList{"2", "3", "3", "3", "2"}));
  EXPECT_EQ(dlg.m_nNumero, 2);
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(false);
}

}  // namespace
