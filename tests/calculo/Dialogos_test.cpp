#include "COpcoesRE.h"
#include "CRelatorio.h"
#include "Fixturas.h"
#include "views/equation/CResultados.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

// Three kept equations with the given correlations.
std::unique_ptr<CabecalhoModelo> CabecalhoComEquacoes() {
  auto cab = CabecalhoPequeno();
  const double r[] = {0.9, 0.95, 0.8}, ro[] = {0.85, 0.8, 0.9};
  cab->SetI32(C::OffEstadoCalculo, 1);
  cab->SetI32(C::OffNumEquacoes, 3);
  for (int e = 0; e < 3; ++e) {
    cab->SetF64(C::OffCorrelacao + 8 * e, r[e]);
    cab->SetF64(C::OffEstatisticasEquacao + 8 * e, ro[e]);
    cab->SetF64(C::OffEstatisticasEquacao + 800 * 3 + 8 * e, -1.0);  // no Durbin-Watson
    for (int v = 0; v < 3; ++v) cab->SetI32VE(C::OffTransformacoes, v, e, 1);
  }
  cab->SetI32VE(C::OffTransformacoes, 0, 1, 0);
  cab->SetF64VE(C::OffExpoentes, 0, 1, 0.5);
  cab->SetI32VE(C::OffTransformacoes, 1, 1, 3);
  return cab;
}

// A header with settings the optimiser accepts: 500 iterations, tolerance
// 0.0001, rho from -0.99 to 0.99 starting at 0.1.
std::unique_ptr<CabecalhoModelo> CabecalhoOtimizador() {
  auto cab = CabecalhoPequeno();
  cab->SetI32(C::OffMaxIteracoes, 500);
  cab->SetF64(C::OffTolerancia, 0.0001);
  cab->SetF64(C::OffRho, 0.1);
  cab->SetF64(C::OffRhoMinimo, -0.99);
  cab->SetF64(C::OffRhoMaximo, 0.99);
  return cab;
}

// A document whose 2 x 2 W holds `valor` everywhere.
void DefineW(CTarsolinDoc& doc, double valor) {
  doc.GetW().ReSize(2, 2);
  doc.GetW() = valor;
}

struct Dialogos : ::testing::Test {
  ServicosGravados servicos;
  plat::GravadorMensagens mensagens;
  void SetUp() override { CTarsolinDoc::DefineServicos(&servicos); }
  void TearDown() override { CTarsolinDoc::DefineServicos(nullptr); }
};
}  // namespace

TEST_F(Dialogos, ChooserLinesToggleAndApply) {
  auto cab = CabecalhoComEquacoes();
  CResultados dlg(cab.get());
  auto* lista = dlg.findChild<QComboBox*>("1040");
  ASSERT_NE(lista, nullptr);
  ASSERT_EQ(lista->count(), 3);
  EXPECT_EQ(lista->itemText(0), QStringLiteral("1 - 0,9000000  /  0,8500000"));
  EXPECT_EQ(plat::Texto(dlg, 1045), QStringLiteral("1 -      0,81  /    0,7225"));
  EXPECT_EQ(plat::Texto(dlg, 1047), QString());  // statistic -1: nothing to judge
  plat::Pressiona(dlg, 32809);                   // criterion Regressão: now sorted by Ro
  EXPECT_EQ(plat::Texto(dlg, 32809), QStringLiteral("<<"));
  EXPECT_EQ(lista->itemText(0), QStringLiteral("3 -       0,8  /       0,9"));
  lista->setCurrentIndex(2);  // "2 - ..." (Ro 0.8, the smallest)
  auto* tabela = dlg.findChild<QTreeWidget*>("1076");
  EXPECT_EQ(tabela->topLevelItem(0)->text(1), QStringLiteral("x^0,50"));
  EXPECT_EQ(tabela->topLevelItem(1)->text(1), QStringLiteral("ln(x)"));
  EXPECT_EQ(tabela->topLevelItem(2)->text(2), QString());  // the dependent has no growth
  plat::Pressiona(dlg, 1);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(cab->I32(C::OffEquacaoCorrente), 1);
  EXPECT_EQ(servicos.postados, std::vector<int>{32889});
}

// A fit worse than the mean once back-transformed (Ro below zero) shows its
// determination in original units signed, Ro·|Ro|, not as a good square.
TEST_F(Dialogos, ChooserShowsTheDeterminationInOriginalUnitsSigned) {
  auto cab = CabecalhoComEquacoes();
  cab->SetF64(C::OffCorrelacao, 0.6);
  cab->SetF64(C::OffEstatisticasEquacao, -76.5);
  CResultados dlg(cab.get());
  EXPECT_EQ(plat::Texto(dlg, 1045), QStringLiteral("1 -      0,36  /  -5852,25"));
  EXPECT_DOUBLE_EQ(cab->DeterminacaoOriginal(0), -5852.25);
  EXPECT_DOUBLE_EQ(cab->DeterminacaoOriginal(1), 0.64);
}

TEST_F(Dialogos, ChooserClampsAStoredEquationAndRefusesAnEmptyList) {
  auto cab = CabecalhoComEquacoes();
  cab->SetI32(C::OffEquacaoCorrente, 57);
  {
    CResultados dlg(cab.get());
    EXPECT_EQ(dlg.findChild<QComboBox*>("1040")->currentIndex(), 2);
    plat::Pressiona(dlg, 1);
    EXPECT_EQ(cab->I32(C::OffEquacaoCorrente), 2);
  }
  cab->SetI32(C::OffNumEquacoes, 0);
  CResultados vazio(cab.get());
  EXPECT_FALSE(plat::Habilitado(vazio, 1));
}

TEST_F(Dialogos, SpatialOptionsShowTheHeaderAndWriteItBack) {
  auto cab = CabecalhoOtimizador();
  cab->SetF64(C::OffExpoenteDistancia, -1);
  cab->SetI32(C::OffTipoEspacial, 1);
  CTarsolinDoc doc;
  DefineW(doc, 0.0);
  COpcoesRE dlg;
  dlg.documento = &doc;
  dlg.PreencheDoCabecalho(*cab);
  dlg.show();
  EXPECT_EQ(plat::Texto(dlg, 1057), QStringLiteral(" 500"));
  EXPECT_EQ(plat::Texto(dlg, 1058), QStringLiteral("0,00010"));
  EXPECT_EQ(plat::Texto(dlg, 1063), QStringLiteral("-1,00"));
  EXPECT_TRUE(plat::Marcado(dlg, 1096));
  EXPECT_FALSE(plat::Habilitado(dlg, 1063));  // distances greyed while not inverted
  plat::DefineMarcado(dlg, 1031, true);
  EXPECT_TRUE(plat::Habilitado(dlg, 1063));

  plat::Pressiona(dlg, 1);  // W all zeros: refused, dialog stays open
  EXPECT_EQ(mensagens.Textos().value(0), QStringLiteral("Matriz de pesos está vazia!"));
  EXPECT_TRUE(dlg.isVisible());

  doc.GetW()(1, 2) = 3.0;
  plat::DefineTexto(dlg, 1060, "0.5");  // minimum above the start: refused
  plat::Pressiona(dlg, 1);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(mensagens.Textos().size(), 2);
  plat::DefineTexto(dlg, 1060, "-0.5");  // the point is accepted as well
  plat::DefineMarcado(dlg, 1095, true);
  plat::Pressiona(dlg, 1);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_FALSE(dlg.ModeloLag());
  dlg.GravaNoCabecalho(*cab);
  EXPECT_EQ(cab->F64(C::OffRhoMinimo), -0.5);
  EXPECT_EQ(cab->I32(C::OffTipoEspacial), 0);
  EXPECT_EQ(cab->I32(C::OffIteracoesMonteCarlo), 30);
  EXPECT_EQ(cab->U8(C::OffTransformaDistancias), 1);
  EXPECT_EQ(cab->I32(C::OffMaxIteracoes), 500);
}

TEST_F(Dialogos, ProgressLogKeepsLinesAndTheWaitEndsOnClose) {
  CRelatorio rel;
  rel.show();
  ProgressoCalculo* p = rel.Progresso();
  p->AcrescentaRegistro(p->contexto, "Iniciando os cálculos ...\n");
  p->DefineFaixa(p->contexto, 0, 50);
  p->DefinePosicao(p->contexto, 20);
  p->AcrescentaRegistro(p->contexto, "linha 2\n");
  p->ProcessaMensagens(p->contexto);
  EXPECT_EQ(rel.TextoRegistro(), QStringLiteral("Iniciando os cálculos ...\nlinha 2\n"));
  EXPECT_EQ(rel.Barra()->maximum(), 50);
  EXPECT_EQ(rel.Barra()->value(), 20);
  rel.MostraFechar();
  EXPECT_EQ(plat::Texto(rel, 2), QStringLiteral("&Fechar"));
  QTimer::singleShot(10, &rel, [&] { plat::Pressiona(rel, 2); });
  rel.AguardaFechamento();
  EXPECT_TRUE(rel.Fechado());
  rel.AguardaFechamento();  // already closed: returns at once
}

TEST(OpcoesRE, NumbersReadAsTheCLibraryReadsThem) {
  const struct {
    const char* texto;
    int inteiro;
    double real;
  } casos[] = {
      {" 500", 500, 500.0}, {"50 0", 50, 50.0}, {"12x", 12, 12.0}, {"", 0, 0.0},
      {"abc", 0, 0.0},      {"-3", -3, -3.0},   {"0,25", 0, 0.25}, {"0.25", 0, 0.25},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(COpcoesRE::LeInteiro(QString::fromLatin1(c.texto)), c.inteiro) << c.texto;
    EXPECT_EQ(COpcoesRE::LeNumero(QString::fromLatin1(c.texto)), c.real) << c.texto;
  }
}

// Refused, the dialog staying open: settings the optimiser cannot use, bounds
// of rho past the log-determinant grid (-0.99 ... 0.99) and numbers that are
// not finite in any field ("1e999" reads as infinity).
TEST_F(Dialogos, SpatialOptionsRefuseSettingsTheOptimiserCannotUse) {
  struct Caso {
    const char* nome;
    int campo;
    const char* texto;
    const char* mensagem = nullptr;  // checked where given
  };
  const char* const foraDaGrade = "Os limites de rho devem estar entre -0,99 e 0,99 !";
  const char* const infinito = "Valor numérico inválido !";
  const Caso recusados[] = {
      {"no iteration", 1057, "0"},          {"tolerance zero", 1058, "0"},
      {"negative tolerance", 1058, "-1"},   {"minimum equal to maximum", 1060, "0,99"},
      {"start below the minimum", 1056, "-1"}, {"start above the maximum", 1056, "1"},
      {"maximum past the grid", 1062, "2,0", foraDaGrade},
      {"minimum past the grid", 1060, "-0,995", foraDaGrade},
      {"infinite bound", 1062, "1e999", infinito},
      {"infinite start", 1056, "-1e999", infinito},
      {"infinite distance", 1061, "1e999", infinito},
      {"infinite tolerance", 1058, "1e999", infinito},
  };
  auto cab = CabecalhoOtimizador();
  cab->SetF64(C::OffDistanciaMaxima, 250.0);
  CTarsolinDoc doc;
  DefineW(doc, 1.0);
  for (const Caso& c : recusados) {
    COpcoesRE dlg;
    dlg.documento = &doc;
    dlg.PreencheDoCabecalho(*cab);
    dlg.show();
    const int antes = int(mensagens.Textos().size());
    plat::DefineTexto(dlg, c.campo, QString::fromLatin1(c.texto));
    plat::Pressiona(dlg, 1);
    EXPECT_TRUE(dlg.isVisible()) << c.nome;
    ASSERT_EQ(int(mensagens.Textos().size()), antes + 1) << c.nome;
    if (c.mensagem) {
      EXPECT_EQ(mensagens.Textos().last(), QString::fromUtf8(c.mensagem)) << c.nome;
    }
  }
  // Accepted: the iterations read up to the first blank, and the greyed
  // distance fields are written back all the same.
  COpcoesRE dlg;
  dlg.documento = &doc;
  dlg.PreencheDoCabecalho(*cab);
  dlg.show();
  EXPECT_FALSE(plat::Habilitado(dlg, 1061));
  plat::DefineTexto(dlg, 1057, "50 0");
  plat::Pressiona(dlg, 1);
  ASSERT_EQ(dlg.result(), QDialog::Accepted);
  cab->SetF64(C::OffDistanciaMaxima, 0.0);
  dlg.GravaNoCabecalho(*cab);
  EXPECT_EQ(cab->I32(C::OffMaxIteracoes), 50);
  EXPECT_EQ(cab->F64(C::OffDistanciaMaxima), 250.0);
  EXPECT_EQ(cab->U8(C::OffTransformaDistancias), 0);
}

TEST_F(Dialogos, SpatialOptionsShowLongHeaderValuesWhole) {
  auto cab = CabecalhoOtimizador();
  cab->SetI32(C::OffMaxIteracoes, 123456);
  cab->SetF64(C::OffRho, -0.123456);
  cab->SetF64(C::OffDistanciaMaxima, 1234567890.25);
  CTarsolinDoc doc;
  DefineW(doc, 1.0);
  COpcoesRE dlg;
  dlg.documento = &doc;
  dlg.PreencheDoCabecalho(*cab);
  dlg.show();
  EXPECT_EQ(plat::Texto(dlg, 1057), QStringLiteral("123456"));
  EXPECT_EQ(plat::Texto(dlg, 1056), QStringLiteral("-0,1235"));
  EXPECT_EQ(plat::Texto(dlg, 1061), QStringLiteral("1234567890,25"));
  plat::Pressiona(dlg, 1);
  ASSERT_EQ(dlg.result(), QDialog::Accepted);
  auto volta = CabecalhoPequeno();
  dlg.GravaNoCabecalho(*volta);
  EXPECT_EQ(volta->I32(C::OffMaxIteracoes), 123456);
  EXPECT_EQ(volta->F64(C::OffRho), -0.1235);
  EXPECT_EQ(volta->F64(C::OffDistanciaMaxima), 1234567890.25);
}

// Stored bounds past the log-determinant grid (the new model's -1 and 1, or
// a damaged -12.5) are offered at its edges and can be calculated.
TEST_F(Dialogos, SpatialOptionsOfferStoredBoundsWithinTheGrid) {
  CTarsolinDoc doc;
  DefineW(doc, 1.0);
  auto cab = CabecalhoOtimizador();
  cab->SetF64(C::OffRhoMinimo, -12.5);
  cab->SetF64(C::OffRhoMaximo, 1.0);
  COpcoesRE dlg;
  dlg.documento = &doc;
  dlg.PreencheDoCabecalho(*cab);
  dlg.show();
  EXPECT_EQ(plat::Texto(dlg, 1060), QStringLiteral("-0,9900"));
  EXPECT_EQ(plat::Texto(dlg, 1062), QStringLiteral("0,9900"));
  plat::Pressiona(dlg, 1);
  ASSERT_EQ(dlg.result(), QDialog::Accepted);
  dlg.GravaNoCabecalho(*cab);
  EXPECT_EQ(cab->F64(C::OffRhoMinimo), -0.99);
  EXPECT_EQ(cab->F64(C::OffRhoMaximo), 0.99);
}

TEST_F(Dialogos, SpatialOptionsKeepTypedValuesWhenShownAgain) {
  auto cab = CabecalhoPequeno();
  cab->SetI32(C::OffMaxIteracoes, 500);
  COpcoesRE dlg;
  dlg.PreencheDoCabecalho(*cab);
  dlg.show();
  plat::DefineTexto(dlg, 1057, "77");
  plat::DefineMarcado(dlg, 1096, true);
  dlg.hide();
  dlg.show();
  EXPECT_EQ(plat::Texto(dlg, 1057), QStringLiteral("77"));
  EXPECT_TRUE(plat::Marcado(dlg, 1096));
}
