// The kept list: near-duplicates, criteria that are not numbers, a full list.
#include "modules/regression/engine/ListaEquacoes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace ostrimo;

namespace {
const int umCodigo[1] = {1};
const int outroCodigo[1] = {2};
}  // namespace

TEST(ListaEquacoes, QuaseIguaisFicaOPrimeiro) {
  struct Caso { const char* nome; double primeiro, segundo; int esperados; };
  const Caso casos[] = {
      {"within 1e-8", 0.9, 0.9 + 0.5e-8, 1},
      {"equal", 0.9, 0.9, 1},
      {"just apart", 0.9, 0.9 + 2e-8, 2},
      {"second is NaN", 0.9, std::nan(""), 1},
      {"first is NaN", std::nan(""), 0.9, 1},
      {"minus infinity", -std::numeric_limits<double>::infinity(), 0.9, 1},
  };
  for (const auto& c : casos) {
    ListaEquacoes l;
    l.Oferece(c.primeiro, umCodigo, 1);
    l.Oferece(c.segundo, outroCodigo, 1);
    EXPECT_EQ(l.Quantidade(), c.esperados) << c.nome;
    if (c.esperados == 1 && std::isfinite(c.primeiro)) {
      EXPECT_EQ(l[0].codigo[0], 1) << c.nome;
    }
  }
}

TEST(ListaEquacoes, ListaCheiaGuardaOsCemMaiores) {
  ListaEquacoes l;
  // 250 distinct criteria in a scrambled order
  for (int i = 0; i < 250; ++i) {
    const int v = (i * 97) % 250;
    const int c[1] = {v};
    EXPECT_EQ(l.Oferece(v / 1000.0, c, 1), i < 100 || v / 1000.0 > l[99].criterio);
  }
  ASSERT_EQ(l.Quantidade(), 100);
  for (int i = 0; i < 100; ++i) {
    EXPECT_DOUBLE_EQ(l[i].criterio, (249 - i) / 1000.0);
    EXPECT_EQ(l[i].codigo[0], 249 - i);
  }
  // A NaN never replaces the last entry, nor does a near-duplicate of any entry.
  EXPECT_FALSE(l.Oferece(std::nan(""), umCodigo, 1));
  EXPECT_FALSE(l.Oferece(0.2, umCodigo, 1));
  EXPECT_FALSE(l.Oferece(0.249 + 1e-9, umCodigo, 1));
  EXPECT_TRUE(l.Oferece(0.3, umCodigo, 1));
  EXPECT_EQ(l[0].codigo[0], 1);
  EXPECT_DOUBLE_EQ(l[99].criterio, 0.151);
}

TEST(ListaEquacoes, ComparaOrdenaDoMaiorParaOMenor) {
  EquacaoCandidata a, b;
  a.criterio = 0.8;
  b.criterio = 0.5;
  EXPECT_EQ(ComparaEquacoes(a, b), -1);
  EXPECT_EQ(ComparaEquacoes(b, a), 1);
  ListaEquacoes l;
  l.Oferece(-0.3, umCodigo, 1);
  l.Oferece(0.7, umCodigo, 1);
  l.Oferece(-2.5, umCodigo, 1);
  l.Oferece(0.1, umCodigo, 1);
  ASSERT_EQ(l.Quantidade(), 4);
  EXPECT_EQ(l[0].criterio, 0.7);
  EXPECT_EQ(l[1].criterio, 0.1);
  EXPECT_EQ(l[2].criterio, -0.3);
  EXPECT_EQ(l[3].criterio, -2.5);
}
