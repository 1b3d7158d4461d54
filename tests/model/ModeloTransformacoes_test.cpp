// Transformations at their edges, back-transformation, and distances to
// weights with row normalisation.
#include "ModeloFixture.h"

#include "model/Transformacoes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double Inf = HUGE_VAL;
const double NaN = std::numeric_limits<double>::quiet_NaN();

// NaN equals NaN here; infinities by sign; the rest to a few ulps.
::testing::AssertionResult Igual(double esperado, double obtido) {
  if (std::isnan(esperado) && std::isnan(obtido)) return ::testing::AssertionSuccess();
  if (std::isinf(esperado) || std::isinf(obtido)) {
    if (esperado == obtido) return ::testing::AssertionSuccess();
  } else if (std::fabs(esperado - obtido) <= 1e-12 * std::max(1.0, std::fabs(esperado))) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "expected " << esperado << ", got " << obtido;
}

// One value through the three forward routines, which differ at 0 and at negatives.
struct Avanco {
  const char* nome;
  double x;
  int codigo;
  double p;
  double valor, variavel, dado;  // TransformaValor, TransformaValorVariavel, TransformaDado
};

const Avanco kAvancos[] = {
  {"ZeroIdentity", 0, 1, 0, 0, 0, 0},
  {"ZeroSquare", 0, 4, 0, 0, 0, 0},
  {"ZeroPowerPositive", 0, 0, 2, 0, 0, 0},
  {"ZeroPowerNegative", 0, 0, -1, 0, Inf, Inf},
  {"ZeroInverse", 0, 2, 0, 0, Inf, -Inf},
  {"ZeroLog", 0, 3, 0, 0, -Inf, -Inf},
  {"NegativeLog", -2, 3, 0, -Inf, -Inf, -Inf},
  {"NegativeRoot", -4, 5, 0, NaN, -Inf, NaN},
  {"ZeroRoot", 0, 5, 0, 0, 0, 0},
  {"ZeroInverseSquare", 0, 6, 0, 0, Inf, -Inf},
  {"ZeroInverseRoot", 0, 7, 0, 0, -Inf, -Inf},
  {"NegativeInverseRoot", -4, 7, 0, NaN, -Inf, -Inf},
  {"NegativeInverse", -4, 2, 0, -0.25, -0.25, -0.25},
  {"NegativeSquare", -3, 4, 0, 9, 9, 9},
  {"PositivePower", 4, 0, 1.5, 8, 8, 8},
  {"PositiveIdentity", 4, 1, 0, 4, 4, 4},
  {"PositiveInverse", 4, 2, 0, 0.25, 0.25, 0.25},
  {"PositiveLog", 4, 3, 0, std::log(4.0), std::log(4.0), std::log(4.0)},
  {"PositiveSquare", 4, 4, 0, 16, 16, 16},
  {"PositiveRoot", 4, 5, 0, 2, 2, 2},
  {"PositiveInverseSquare", 4, 6, 0, 0.0625, 0.0625, 0.0625},
  {"PositiveInverseRoot", 4, 7, 0, 0.5, 0.5, 0.5},
};

class Transformacao : public ::testing::TestWithParam<Avanco> {};

TEST_P(Transformacao, EachRoutineAsItsCallersExpect) {
  const Avanco& a = GetParam();
  EXPECT_TRUE(Igual(a.valor, TransformaValor(a.x, a.codigo, a.p)));

  // Variable 1 of equation 2 carries the code; the model is calculated.
  auto cab = teste::NovoCabecalho(3, 1, 0);
  cab->SetEstadoCalculo(1);
  cab->SetTransformacao(1, 2, a.codigo);
  cab->SetExpoente(1, 2, a.p);
  EXPECT_TRUE(Igual(a.variavel, TransformaValorVariavel(cab.get(), a.x, 1, 2)));
  dado d{};
  d.valor[1] = a.x;
  EXPECT_TRUE(Igual(a.dado, TransformaDado(cab.get(), &d, 1, 0, 2)));

  // A disabled variable: TransformaValorVariavel still transforms, TransformaDado does not.
  cab->SetHabilitada(1, false);
  EXPECT_TRUE(Igual(a.variavel, TransformaValorVariavel(cab.get(), a.x, 1, 2)));
  EXPECT_TRUE(Igual(a.x, TransformaDado(cab.get(), &d, 1, 0, 2)));

  // No calculation: both leave the value raw.
  cab->SetHabilitada(1, true);
  cab->SetEstadoCalculo(0);
  EXPECT_TRUE(Igual(a.x, TransformaValorVariavel(cab.get(), a.x, 1, 2)));
  EXPECT_TRUE(Igual(a.x, TransformaDado(cab.get(), &d, 1, 0, 2)));
}

INSTANTIATE_TEST_SUITE_P(Casos, Transformacao, ::testing::ValuesIn(kAvancos),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(TransformacaoBordas, UnknownCodeNullArgumentsAndBadIndex) {
  EXPECT_EQ(TransformaValor(3.0, 9, 0), 3.0);
  EXPECT_EQ(TransformaValor(3.0, -1, 0), 3.0);
  dado d{};
  d.valor[0] = 5;
  auto cab = teste::NovoCabecalho(2, 1, 0);
  EXPECT_EQ(TransformaValorVariavel(nullptr, 5, 0, 0), 0.0);
  EXPECT_EQ(TransformaDado(nullptr, &d, 0, 0, 0), 0.0);
  EXPECT_EQ(TransformaDado(cab.get(), nullptr, 0, 0, 0), 0.0);
  EXPECT_THROW(TransformaDado(cab.get(), &d, 0, 1, 0), std::invalid_argument);
  EXPECT_THROW(TransformaDado(cab.get(), &d, 0, -1, 0), std::invalid_argument);
}

struct Retorno {
  const char* nome;
  double y;
  int codigo;
  double p;
  double esperado;
};

const Retorno kRetornos[] = {
  {"PowerExponentOneKeepsNegative", -3, 0, 1, -3},
  {"PowerSquareRoot", 100, 0, 2, 10},
  {"PowerInverse", 0.5, 0, -1, 2},
  {"Identity", -7, 1, 0, -7},
  {"Inverse", 4, 2, 0, 0.25},
  {"InverseOfZero", 0, 2, 0, Inf},
  {"Exponential", 1, 3, 0, std::exp(1.0)},
  {"SquareRootPositive", 9, 4, 0, 3},
  {"SquareRootNegative", -4, 4, 0, -2},
  {"SquarePositive", 3, 5, 0, 9},
  {"SquareNegative", -2, 5, 0, -4},
  {"InverseRootPositive", 4, 6, 0, 0.5},
  {"InverseRootNegative", -4, 6, 0, -0.5},
  {"InverseSquarePositive", 2, 7, 0, 0.25},
  {"InverseSquareNegative", -2, 7, 0, -0.25},
  {"UnknownCode", 5, 8, 0, 0},
  {"NegativeCode", 5, -1, 0, 0},
};

class Destransformacao : public ::testing::TestWithParam<Retorno> {};

TEST_P(Destransformacao, BackToOriginalUnits) {
  const Retorno& r = GetParam();
  EXPECT_TRUE(Igual(r.esperado, DestransformaValor(r.y, r.codigo, r.p)));
}

INSTANTIATE_TEST_SUITE_P(Casos, Destransformacao, ::testing::ValuesIn(kRetornos),
                         [](const auto& i) { return std::string(i.param.nome); });

TEST(Destransformacao, UndoesEveryForwardCodeOnPositiveValues) {
  for (int codigo = 0; codigo <= 7; ++codigo)
    for (double x : {0.3, 1.0, 2.5, 1234.0}) {
      const double p = codigo == 0 ? 0.37 : 0.0;
      EXPECT_TRUE(Igual(x, DestransformaValor(TransformaValor(x, codigo, p), codigo, p)))
          << "code " << codigo << " x " << x;
    }
}

std::unique_ptr<CabecalhoModelo> CabecalhoPesos(double minimo, double maximo, double expoente) {
  auto c = teste::NovoCabecalho(2, 3, 0);
  c->SetU8(CabecalhoModelo::OffTransformaDistancias, 1);
  c->SetF64(CabecalhoModelo::OffDistanciaMinima, minimo);
  c->SetF64(CabecalhoModelo::OffDistanciaMaxima, maximo);
  c->SetF64(CabecalhoModelo::OffExpoenteDistancia, expoente);
  return c;
}

NEWMAT::Matrix Matriz(int linhas, int colunas, std::initializer_list<double> v) {
  NEWMAT::Matrix m(linhas, colunas);
  auto it = v.begin();
  for (int i = 1; i <= linhas; ++i)
    for (int j = 1; j <= colunas; ++j) m(i, j) = *it++;
  return m;
}

void ExpectMatriz(const NEWMAT::Matrix& esperado, const NEWMAT::Matrix& obtido) {
  ASSERT_EQ(esperado.Nrows(), obtido.Nrows());
  ASSERT_EQ(esperado.Ncols(), obtido.Ncols());
  for (int i = 1; i <= esperado.Nrows(); ++i)
    for (int j = 1; j <= esperado.Ncols(); ++j)
      EXPECT_TRUE(Igual(esperado(i, j), obtido(i, j))) << "(" << i << "," << j << ")";
}

TEST(TransformaPesos, MinimumMaximumAndExponent) {
  auto c = CabecalhoPesos(50, 1000, -1);
  NEWMAT::Matrix W = Matriz(3, 3, {7, 10, 2000,
                                   10, 0, 0,
                                   500, 1000, 3});
  TransformaPesos(c.get(), W);
  ExpectMatriz(Matriz(3, 3, {0, 1.0 / 50, 0,
                             1.0 / 50, 0, 0,
                             1.0 / 500, 1.0 / 1000, 0}), W);
}

TEST(TransformaPesos, ZeroMaximumMeansNoMaximum) {
  auto c = CabecalhoPesos(0, 0, -2);
  NEWMAT::Matrix W = Matriz(2, 2, {0, 4, 1e6, 0});
  TransformaPesos(c.get(), W);
  ExpectMatriz(Matriz(2, 2, {0, 1.0 / 16, 1e-12, 0}), W);
}

TEST(TransformaPesos, RectangularCutOutKeepsItsFirstElements) {
  // Validation x considered: element (1,1) is a distance between two records.
  auto c = CabecalhoPesos(0, 1000, -1);
  NEWMAT::Matrix W = Matriz(2, 3, {100, 200, 5000,
                                   400, 0, 250});
  TransformaPesos(c.get(), W);
  ExpectMatriz(Matriz(2, 3, {0.01, 0.005, 0,
                             0.0025, 0, 0.004}), W);
}

TEST(TransformaPesos, SquareCutOutOfDisjointSetsKeepsItsDiagonal) {
  // Two validation records x two considered ones: square by coincidence, yet
  // (i, i) is a distance between two different records.
  auto c = CabecalhoPesos(0, 1000, -1);
  NEWMAT::Matrix V = Matriz(2, 2, {100, 200,
                                   400, 250});
  NEWMAT::Matrix Q = V;
  TransformaPesos(c.get(), V, false);
  ExpectMatriz(Matriz(2, 2, {0.01, 0.005,
                             0.0025, 0.004}), V);
  // Saying the diagonal is the records' own gives the square rule.
  TransformaPesos(c.get(), Q, true);
  ExpectMatriz(Matriz(2, 2, {0, 0.005,
                             0.0025, 0}), Q);
}

TEST(TransformaPesos, NothingWhenTheHeaderSaysSoOrNoColumns) {
  auto c = CabecalhoPesos(50, 1000, -1);
  c->SetU8(CabecalhoModelo::OffTransformaDistancias, 0);
  NEWMAT::Matrix W = Matriz(2, 2, {1, 2, 3, 4});
  TransformaPesos(c.get(), W);
  ExpectMatriz(Matriz(2, 2, {1, 2, 3, 4}), W);
  c->SetU8(CabecalhoModelo::OffTransformaDistancias, 1);
  NEWMAT::Matrix vazia(3, 0);
  TransformaPesos(c.get(), vazia);
  EXPECT_EQ(vazia.Nrows(), 3);
}

TEST(PadronizaLinhas, RowsSumToOneAndAZeroRowWeighsAllEqually) {
  NEWMAT::Matrix W = Matriz(3, 4, {1, 3, 0, 4,
                                   0, 0, 0, 0,
                                   -1, 1, 2, 2});
  const NEWMAT::Matrix copia = PadronizaLinhas(W);
  const NEWMAT::Matrix esperado = Matriz(3, 4, {0.125, 0.375, 0, 0.5,
                                                0.25, 0.25, 0.25, 0.25,
                                                -0.25, 0.25, 0.5, 0.5});
  ExpectMatriz(esperado, W);
  ExpectMatriz(esperado, copia);
}

}  // namespace
