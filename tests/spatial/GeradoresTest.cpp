// Seeds from phrases, the combined generator, normal variates and the bounded
// integer generator.
#include "GeradorAleatorio.h"
#include "GeradorCombinado.h"
#include "platform/Mensagem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using namespace quenvik;

TEST(SementesDeFrase, PublishedPhrasesGiveTheirSeeds) {
  struct Caso { const char* frase; int32_t s1, s2; } casos[] = {
      {"", 1234567890, 123456789},
      {"    0", 622353789, 923149612},
      {"  123", 349657453, 650453276},
      {"10000", 963224210, 190278209},
  };
  for (const Caso& c : casos) {
    const ParSementes s = SementesDeFrase(c.frase);
    EXPECT_EQ(s.s1, c.s1) << '"' << c.frase << '"';
    EXPECT_EQ(s.s2, c.s2) << '"' << c.frase << '"';
  }
}

TEST(SementesDeFrase, TrailingBlanksAreIgnoredLeadingOnesCount) {
  const ParSementes a = SementesDeFrase("  123");
  const ParSementes b = SementesDeFrase("  123   ");
  const ParSementes c = SementesDeFrase("123");
  EXPECT_EQ(a.s1, b.s1);
  EXPECT_EQ(a.s2, b.s2);
  EXPECT_NE(a.s1, c.s1);
}

TEST(GeradorCombinado, FirstIntegersAfterSeeding) {
  DefineSementes(349657453, 650453276);
  EXPECT_EQ(InteiroAleatorio(), 1973580642);
  EXPECT_EQ(InteiroAleatorio(), 175943048);
  EXPECT_EQ(InteiroAleatorio(), 2033566409);
  // Reseeding restarts the sequence.
  DefineSementes(349657453, 650453276);
  EXPECT_EQ(InteiroAleatorio(), 1973580642);
}

TEST(GeradorCombinado, NormalVariatesHaveUnitMomentsAndRepeatUnderTheSameSeeds) {
  DefineSementes(622353789, 923149612);
  const int n = 200000;
  std::vector<double> x(n);
  double soma = 0.0, soma2 = 0.0, soma4 = 0.0;
  int alem3 = 0;
  for (double& v : x) {
    v = GeraNormal(0.0, 1.0);
    soma += v;
    soma2 += v * v;
    soma4 += v * v * v * v;
    if (std::fabs(v) > 3.0) ++alem3;
  }
  EXPECT_NEAR(soma / n, 0.0, 0.01);
  EXPECT_NEAR(soma2 / n, 1.0, 0.015);
  EXPECT_NEAR(soma4 / n, 3.0, 0.08);
  // P(|Z| > 3) = 0.0026998: the tail part of the method is exercised.
  EXPECT_NEAR(double(alem3) / n, 0.0026998, 0.0006);
  DefineSementes(622353789, 923149612);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(GeraNormal(0.0, 1.0), x[i]);
  DefineSementes(622353789, 923149612);
  EXPECT_DOUBLE_EQ(GeraNormal(5.0, 2.0), 5.0 + 2.0 * x[0]);
}

TEST(GeradorAleatorio, DrawsInsideInclusiveBounds) {
  GeradorAleatorio g(0, 10000);
  std::srand(7);
  bool viuZero = false;
  GeradorAleatorio pequeno(0, 1);
  for (int i = 0; i < 2000; ++i) {
    const int32_t v = g.Sorteia();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 10000);
    if (pequeno.Sorteia() == 0) viuZero = true;
  }
  EXPECT_TRUE(viuZero);
}

TEST(GeradorAleatorio, InvertedBoundsShowTheMessageAndUseZeroOne) {
  plat::GravadorMensagens gravador;
  GeradorAleatorio g(5, 2);
  ASSERT_EQ(gravador.Textos().size(), 1);
  EXPECT_EQ(gravador.Textos()[0],
            QStringLiteral("Error: HIGH value cannot be less than LOW value!\nUsing defaults: High = 1, Low = 0"));
  EXPECT_EQ(g.Baixo(), 0);
  EXPECT_EQ(g.Alto(), 1);
  for (int i = 0; i < 100; ++i) {
    const int32_t v = g.Sorteia();
    ASSERT_TRUE(v == 0 || v == 1);
  }
}

TEST(GeradorAleatorio, FullThirtyTwoBitSpanDoesNotOverflow) {
  GeradorAleatorio g(INT32_MIN, INT32_MAX);
  EXPECT_EQ(g.Baixo(), INT32_MIN);
  for (int i = 0; i < 100; ++i) {
    const int64_t v = g.Sorteia();
    ASSERT_GE(v, int64_t(INT32_MIN));
    // rand() ≤ RAND_MAX, so the draw stays at most low + RAND_MAX.
    ASSERT_LE(v, int64_t(INT32_MIN) + RAND_MAX);
  }
}
