// The equation texts and the names of the transformations, as tables.
#include "ModeloEquacao.h"
#include "views/equation/TextoEquacao.h"

#include <gtest/gtest.h>
#include <newmat.h>

namespace {
using teste::ModeloEquacao;

TEST(TextoEquacao, NamesOfTheTransformations) {
  const std::pair<int, const char*> casos[] = {{0, "x^0,50"}, {-1, "x^0,50"}, {1, "x"},   {2, "1/x"},
                                               {3, "ln(x)"},  {4, "x²"},      {5, "x½"},  {6, "1/x²"},
                                               {7, "1/x½"},   {8, ""}};
  for (const auto& [codigo, texto] : casos)
    EXPECT_EQ(NomeTransformacao(codigo, 0.5), QString::fromUtf8(texto)) << codigo;
}

// The text of a two-variable equation (AREA, then the dependent) with coefficients b0, b1.
QString Texto(const ModeloEquacao& m, double b0, double b1, bool estimativa = true, bool lag = false) {
  NEWMAT::Matrix b(2, 1);
  b(1, 1) = b0;
  b(2, 1) = b1;
  const int mapa[] = {0, 1};
  ParametrosTextoEquacao p;
  p.cab = m.cab.get();
  p.mapa = mapa;
  p.k = 2;
  p.b = &b;
  p.estimativa = estimativa;
  p.lag = lag;
  p.rho = 0.4;
  return MontaTextoEquacao(p);
}

struct CasoTexto {
  const char* nome;
  int codigoY;
  double expoenteY;
  int codigoX;
  bool estimativa;
  bool lag;
  const char* esperado;  // the whole text
};

TEST(TextoEquacao, BuiltByTheCodes) {
  const CasoTexto casos[] = {
      {"potência", 0, 0.5, 3, true, false, "VU ^0,50 = \t\r\n\t+1\r\n\t+0,8 * ln (AREA)"},
      {"ln estimativa", 3, 0, 3, true, false, "VU = e^(\t\r\n\t+1\r\n\t+0,8 * ln (AREA))"},
      {"ln transformada", 3, 0, 3, false, false, "ln (VU) = \t\r\n\t+1\r\n\t+0,8 * ln (AREA)"},
      {"raiz estimativa", 5, 0, 1, true, false, "VU = (\t\r\n\t+1\r\n\t+0,8 * AREA)²"},
      {"inversa da raiz", 7, 0, 2, true, false, "VU = 1/(\t\r\n\t+1\r\n\t+0,8 / AREA)²"},
      {"quadrado transformada", 4, 0, 6, false, false, "VU² = \t\r\n\t+1\r\n\t+0,8 / AREA²"},
      {"regressor potência", 1, 0, 0, true, false, "VU = \t\r\n\t+1\r\n\t+0,8 * AREA^0,25"},
      {"regressor 1/√x", 2, 0, 7, false, false, "1/VU = \t\r\n\t+1\r\n\t+0,8 / AREA½"},
      {"lag", 3, 0, 3, true, true, "VU = e^(\t\r\n\t+1\r\n\t+0,8 * ln (AREA)\r\n\t+0,4 *w*y)"},
      {"lag transformada", 3, 0, 3, false, true, "ln (VU) = \t\r\n\t+1\r\n\t+0,8 * ln (AREA)\r\n\t+0,4 *w*y"},
      {"código desconhecido", 9, 0, 9, true, false, "\r\n\t+1\r\n\t+0,8AREA"},
  };
  for (const CasoTexto& c : casos) {
    ModeloEquacao m({"AREA", "VU"}, {{1, 2}, {3, 4}});
    m.Codigo(1, c.codigoY, c.expoenteY).Codigo(0, c.codigoX, 0.25);
    EXPECT_EQ(Texto(m, 1.0, 0.8, c.estimativa, c.lag), QString::fromUtf8(c.esperado)) << c.nome;
  }
}

TEST(TextoEquacao, CoefficientsKeepTenSignificantDigits) {
  ModeloEquacao m({"X", "Y"}, {{1, 2}, {3, 4}});
  EXPECT_EQ(Texto(m, -1234.567890123, 1.5e-12), QStringLiteral("Y = \t\r\n\t-1234,56789\r\n\t+1,5E-12 * X"));
}

}  // namespace
