#include "DriversCalculo.h"
#include "CRelatorio.h"
#include "Fixturas.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

using Drivers = AmbienteComandos;

// Options the optimiser accepts, typed with the given decimal separator.
void OpcoesEspaciaisValidas(QChar decimal) {
  plat::RoteiroPara("dlg505", [decimal](QDialog& d) {
    auto numero = [decimal](const char* t) { return QString::fromLatin1(t).replace(QLatin1Char('.'), decimal); };
    plat::DefineTexto(d, 1057, "50");
    plat::DefineTexto(d, 1058, numero("0.0001"));
    plat::DefineTexto(d, 1060, numero("-0.99"));
    plat::DefineTexto(d, 1062, numero("0.99"));
    plat::DefineTexto(d, 1056, "0");
    plat::Pressiona(d, 1);
  });
}

struct CasoPrecondicao {
  const char* nome;
  int habilitadas;   // the first k variables enabled (the dependent is variable 2)
  bool dependente;   // dependent enabled
  int considerados;
  const char* esperado;
};
}  // namespace

TEST_F(Drivers, CalculationChecksInTheirOrder) {
  const CasoPrecondicao casos[] = {
      {"dependent first, even without data", 3, false, 0, "A variável dependente não está habilitada !"},
      {"one variable", 1, true, 10, "Número de variáveis insuficiente ! "},
      {"three enabled, three considered", 3, true, 3, "Número de dados insuficiente !"},
      {"three enabled, four considered", 3, true, 4, ""},
  };
  for (const CasoPrecondicao& c : casos) {
    auto cab = CabecalhoPequeno();
    for (int v = 0; v < 3; ++v) cab->SetI32(C::OffHabilitadas + 4 * v, 0);
    for (int v = 0; v < c.habilitadas - 1; ++v) cab->SetI32(C::OffHabilitadas + 4 * v, 1);
    cab->SetI32(C::OffHabilitadas + 4 * 2, c.dependente ? 1 : 0);
    cab->SetI32(C::OffNumConsiderados, c.considerados);
    EXPECT_EQ(drivers::VerificaCalculo(*cab), QString::fromUtf8(c.esperado)) << c.nome;
  }
  // A damaged header whose dependent is not the last enabled variable.
  {
    auto cab = CabecalhoPequeno();
    cab->SetI32(C::OffDependente, 1);
    cab->SetI32(C::OffNumConsiderados, 5);
    EXPECT_EQ(drivers::VerificaCalculo(*cab), QString::fromUtf8("Formato de arquivo inválido!"));
    cab->SetI32(C::OffHabilitadas + 4 * 2, 0);  // nothing enabled after it: sound
    cab->SetI32(C::OffNumVariaveis, 4);
    cab->SetI32(C::OffHabilitadas + 4 * 3, 0);
    cab->SetI32(C::OffHabilitadas + 4 * 0, 1);
    EXPECT_EQ(drivers::VerificaCalculo(*cab), QString());
  }
  auto cab = CabecalhoPequeno();
  EXPECT_FALSE(drivers::Bloqueado(*cab));
  cab->SetU8(C::OffProtegido, 1);
  EXPECT_TRUE(drivers::Bloqueado(*cab));
  cab->SetU8(C::OffDesbloqueado, 1);
  EXPECT_FALSE(drivers::Bloqueado(*cab));
}

TEST_F(Drivers, LinearFlowRereadsTheHeaderAndPostsTheChooser) {
  auto cab = CabecalhoPequeno();
  const QString caminho = GravaModelo(pasta, "m.tsn", *cab);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  ASSERT_TRUE(doc.CarregaRegistros());
  int hint = -1;
  QObject::connect(&doc, &plat::Documento::documentUpdated, [&](QObject*, int h) { hint = h; });
  ASSERT_TRUE(drivers::RegressaoLinear(doc));
  EXPECT_FALSE(doc.RegistrosCarregados());
  const QByteArray arquivo = Conteudo(caminho);
  EXPECT_EQ(BytesCabecalho(*doc.GetCabecalho()), CabecalhoRelido(arquivo, *doc.GetCabecalho()));
  EXPECT_EQ(doc.GetCabecalho()->U8(C::OffSemElementosW), 1);  // set at open, whatever the file says
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffNumEquacoes), 2);
  EXPECT_EQ(hint, 3);
  EXPECT_EQ(servicos.postados, std::vector<int>{drivers::CmdAbreEscolhaEquacao});
}

TEST_F(Drivers, LibraryFalseAfterRewritingLeavesMemoryEqualToTheFile) {
  auto cab = CabecalhoPequeno();
  const QString caminho = GravaModelo(pasta, "falha.tsn", *cab);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  EXPECT_FALSE(drivers::RegressaoLinear(doc));
  EXPECT_EQ(BytesCabecalho(*doc.GetCabecalho()), CabecalhoRelido(Conteudo(caminho), *doc.GetCabecalho()));
  EXPECT_TRUE(servicos.postados.empty());
  EXPECT_TRUE(mensagens.Textos().isEmpty());  // the library reports its own failure
}

// A library that answers TRUE but leaves a file the program would refuse to
// open: the re-read says so, and the header in memory stays as it was.
TEST_F(Drivers, FailedRereadIsReported) {
  auto cab = CabecalhoPequeno();
  const QString caminho = GravaModelo(pasta, "danifica.tsn", *cab);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  const QByteArray memoria(reinterpret_cast<const char*>(doc.GetCabecalho()->bytes), C::Tamanho);
  EXPECT_FALSE(drivers::RegressaoLinear(doc));
  EXPECT_EQ(mensagens.Textos(), QStringList{QString::fromUtf8("Formato de arquivo inválido!")});
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.GetCabecalho()->bytes), C::Tamanho), memoria);
  EXPECT_TRUE(servicos.postados.empty());
}

TEST_F(Drivers, MissingLibrariesAndOrdinalsGiveTheProgramsTexts) {
  auto cab = CabecalhoPequeno();
  const QString caminho = GravaModelo(pasta, "m.tsn", *cab);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  drivers::Modulos().palvedo = QStringLiteral("NaoExiste.so");
  EXPECT_FALSE(drivers::OperacaoDados(doc, drivers::OrdIncluiVariavel, 1));
  drivers::Modulos().palvedo = QStringLiteral("StubOstrimo.so");  // has no ordinal 3
  EXPECT_FALSE(drivers::OperacaoDados(doc, drivers::OrdOperaDado, 3));
  drivers::Modulos().ostrimo = QStringLiteral("test_ModuloB.so");  // loads, exports nothing
  EXPECT_FALSE(drivers::RegressaoLinear(doc));
  ASSERT_EQ(mensagens.Textos().size(), 3);
  EXPECT_EQ(mensagens.Textos()[0], QStringLiteral("Não foi possível carregar a biblioteca NaoExiste.so!"));
  EXPECT_EQ(mensagens.Textos()[1], QStringLiteral("Não foi possível executar a rotina de dados !"));
  EXPECT_EQ(mensagens.Textos()[2], QStringLiteral("Não foi possível executar a rotina de cálculo !"));
}

TEST_F(Drivers, MissingSpatialLibraryLeavesNoProgressDialog) {
  auto cab = CabecalhoPequeno();
  const QString caminho = GravaModelo(pasta, "m.tsn", *cab);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  ASSERT_TRUE(doc.CarregaRegistros());
  NEWMAT::Matrix& w = doc.GetW();
  w.ReSize(5, 5);
  w = 1.0;
  drivers::Modulos().quenvik = QStringLiteral("QuenvikAusente.so");
  OpcoesEspaciaisValidas(QLatin1Char(','));
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  ASSERT_EQ(mensagens.Textos().size(), 1);
  EXPECT_EQ(mensagens.Textos()[0], QStringLiteral("Não foi possível carregar a biblioteca QuenvikAusente.so!"));
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<CRelatorio*>(w), nullptr);
}

TEST_F(Drivers, WeightsMatrixNotNxNEndsWithNullMatrix) {
  auto cab = CabecalhoPequeno();
  const QString caminho = GravaModelo(pasta, "m.tsn", *cab);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  ASSERT_TRUE(doc.CarregaRegistros());
  doc.GetW().ReSize(4, 4);
  doc.GetW() = 1.0;
  OpcoesEspaciaisValidas(QLatin1Char('.'));  // the point is accepted too
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Matriz nula! ")});
}
