// The message function: recorded and answered in tests, written to standard
// error when no GUI application runs.
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include "ImprimeQString.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

using ::testing::ElementsAre;

TEST(Mensagem, GravadorRegistraTextoTituloEstilo) {
  plat::GravadorMensagens gravador;
  EXPECT_EQ(plat::MessageBox(QString::fromUtf8("Número de dados insuficiente !"), QStringLiteral("Ostrimo"),
                             plat::MB_OK | plat::MB_ICONSTOP),
            plat::IDOK);
  plat::MessageBox(QStringLiteral("Sem título"));
  ASSERT_EQ(gravador.Mensagens().size(), 2u);
  EXPECT_EQ(gravador.Mensagens()[0].titulo, "Ostrimo");
  EXPECT_EQ(gravador.Mensagens()[0].estilo, plat::MB_OK | plat::MB_ICONSTOP);
  EXPECT_EQ(gravador.Mensagens()[1].titulo, plat::TituloPadrao());
  EXPECT_THAT(gravador.Textos(), ElementsAre(QString::fromUtf8("Número de dados insuficiente !"),
                                             QStringLiteral("Sem título")));
}

TEST(Mensagem, RespostasNaOrdemDepoisOPadrao) {
  plat::GravadorMensagens gravador(plat::IDCANCEL);
  gravador.Responde(plat::IDNO);
  gravador.Responde(plat::IDYES);
  EXPECT_EQ(plat::MessageBox("a", "", plat::MB_YESNOCANCEL), plat::IDNO);
  EXPECT_EQ(plat::MessageBox("b", "", plat::MB_YESNOCANCEL), plat::IDYES);
  EXPECT_EQ(plat::MessageBox("c", "", plat::MB_YESNOCANCEL), plat::IDCANCEL);
  EXPECT_EQ(plat::MessageBox("d", "", plat::MB_YESNOCANCEL), plat::IDCANCEL);
  EXPECT_EQ(gravador.Mensagens().size(), 4u);
}

TEST(Mensagem, GravadoresAninhadosRestauramOAnterior) {
  plat::GravadorMensagens externo;
  {
    plat::GravadorMensagens interno(plat::IDNO);
    EXPECT_EQ(plat::MessageBox("dentro", "", plat::MB_YESNO), plat::IDNO);
    EXPECT_EQ(interno.Mensagens().size(), 1u);
  }
  EXPECT_EQ(plat::MessageBox("fora", "", plat::MB_YESNO), plat::IDOK);
  EXPECT_THAT(externo.Textos(), ElementsAre("fora"));
}

TEST(Mensagem, TextoDaTabelaPeloId) {
  plat::GravadorMensagens gravador;
  plat::MessageBox(57344, plat::MB_OK);
  ASSERT_EQ(gravador.Mensagens().size(), 1u);
  EXPECT_EQ(gravador.Mensagens()[0].texto, plat::Texto(57344));
  EXPECT_FALSE(gravador.Mensagens()[0].texto.isEmpty());
}

// With no GUI application the text goes to standard error and the default
// button answers; nothing blocks and nothing crashes.
TEST(Mensagem, SemAplicacaoGraficaEscreveNoErroPadrao) {
  if (QCoreApplication::instance()) GTEST_SKIP() << "an application object is alive in this process";
  const struct { unsigned estilo; int resposta; } casos[] = {
      {plat::MB_OK, plat::IDOK},
      {plat::MB_OKCANCEL, plat::IDOK},
      {plat::MB_OKCANCEL | plat::MB_DEFBUTTON2, plat::IDCANCEL},
      {plat::MB_YESNO | plat::MB_ICONQUESTION, plat::IDYES},
      {plat::MB_YESNO | plat::MB_DEFBUTTON2, plat::IDNO},
      {plat::MB_YESNOCANCEL | plat::MB_DEFBUTTON2, plat::IDNO},
      {plat::MB_RETRYCANCEL, plat::IDRETRY},
  };
  for (const auto& c : casos) {
    ::testing::internal::CaptureStderr();
    const int r = plat::MessageBox(QString::fromUtf8("Não foi possível carregar a biblioteca Ostrimo.so!"),
                                   QStringLiteral("Tarsolin"), c.estilo);
    const std::string saida = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(r, c.resposta) << std::hex << c.estilo;
    EXPECT_EQ(saida, "Tarsolin: Não foi possível carregar a biblioteca Ostrimo.so!\n");
  }
}

TEST(Mensagem, ComAplicacaoNaoGraficaTambemEscreveNoErroPadrao) {
  if (QCoreApplication::instance()) GTEST_SKIP() << "an application object is alive in this process";
  int argc = 1;
  char nome[] = "platform_tests";
  char* argv[] = {nome, nullptr};
  QCoreApplication app(argc, argv);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(plat::MessageBox("Aviso", "Tarsolin", plat::MB_YESNO), plat::IDYES);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Tarsolin: Aviso\n");
}

}  // namespace
