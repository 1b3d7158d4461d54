// Regression inputs from the records: X, y, residuals and cut-outs of W on a
// five-record model with an excluded record, a validation record and a
// disabled variable; working rows read from the file.
#include "ModeloFixture.h"

#include "model/ArquivoModelo.h"
#include "model/LinhaDado.h"
#include "model/LinhasDados.h"
#include "model/MatrizesModelo.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Variables: 0 (ln x in equation 0), 1 disabled, 2 (x² in equation 0), 3 the
// dependent (1/x in equation 0). Equation 1: x, -, √x, x.
// Records: 0 considered, 1 excluded, 2 excluded and validation, 3 and 4 considered.
struct Cinco {
  std::unique_ptr<CabecalhoModelo> cab = teste::NovoCabecalho(4, 5, 2);
  std::vector<dado> dados = std::vector<dado>(5);
  std::vector<dadoP> dadosP = std::vector<dadoP>(2);
  Cinco() {
    const double v[5][4] = {{2, 7, 3, 4}, {5, 7, 1, 10}, {8, 7, 2, 5}, {1, 7, 4, 2}, {3, 7, 5, 8}};
    for (int i = 0; i < 5; ++i) {
      for (int j = 0; j < 4; ++j) dados[i].valor[j] = v[i][j];
      for (int e = 0; e < 100; ++e) dados[i].residuo[e] = 10 * i + e;
    }
    dados[1].excluido = 1;
    dados[2].excluido = 1;
    dados[2].validacao = 1;
    cab->SetNumConsiderados(3);
    cab->SetNumValidacao(1);
    cab->SetHabilitada(1, false);
    cab->SetEstadoCalculo(1);
    cab->SetNumEquacoes(2);
    cab->SetEquacaoCorrente(1);
    const int codigos[2][4] = {{3, 2, 4, 2}, {1, 0, 5, 1}};
    for (int e = 0; e < 2; ++e)
      for (int j = 0; j < 4; ++j) cab->SetTransformacao(j, e, codigos[e][j]);
    const double p[2][4] = {{4, 0, 2, 0}, {0, 0, 1, 0}};
    for (int i = 0; i < 2; ++i)
      for (int j = 0; j < 4; ++j) dadosP[i].valor[j] = p[i][j];
  }
};

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
    for (int j = 1; j <= esperado.Ncols(); ++j) {
      const double a = esperado(i, j), b = obtido(i, j);
      if (std::isinf(a)) EXPECT_EQ(a, b) << "(" << i << "," << j << ")";
      else EXPECT_NEAR(a, b, 1e-12) << "(" << i << "," << j << ")";
    }
}

NEWMAT::Matrix Coluna(const NEWMAT::ColumnVector& v) { return NEWMAT::Matrix(v); }

TEST(MontaMatriz, RegressorsOfTheConsideredRecords) {
  Cinco m;
  const dado* d = m.dados.data();
  NEWMAT::Matrix X(3, 2);
  MontaMatrizX(X, m.cab.get(), d, -1, 0);
  ExpectMatriz(Matriz(3, 2, {std::log(2.0), 9, 0, 16, std::log(3.0), 25}), X);
  // The raw column is copied as it is; a disabled variable is no regressor.
  MontaMatrizX(X, m.cab.get(), d, 2, 0);
  ExpectMatriz(Matriz(3, 2, {std::log(2.0), 3, 0, 4, std::log(3.0), 5}), X);
  MontaMatrizX(X, m.cab.get(), d, 1, 0);
  ExpectMatriz(Matriz(3, 2, {std::log(2.0), 9, 0, 16, std::log(3.0), 25}), X);
  MontaMatrizX(X, m.cab.get(), d, -1, 1);
  ExpectMatriz(Matriz(3, 2, {2, std::sqrt(3.0), 1, 2, 3, std::sqrt(5.0)}), X);
  MontaMatrizXOriginal(X, m.cab.get(), d);
  ExpectMatriz(Matriz(3, 2, {2, 3, 1, 4, 3, 5}), X);
  // The excluded validation record is taken by the validation builder only.
  NEWMAT::Matrix V(1, 2);
  MontaMatrizXValidacao(V, m.cab.get(), d, -1, 0);
  ExpectMatriz(Matriz(1, 2, {std::log(8.0), 4}), V);
  // No calculation: raw values.
  m.cab->SetEstadoCalculo(0);
  MontaMatrizX(X, m.cab.get(), d, -1, 0);
  ExpectMatriz(Matriz(3, 2, {2, 3, 1, 4, 3, 5}), X);
}

TEST(MontaMatriz, AppraisalRecordsUseTheVariableTransform) {
  Cinco m;
  NEWMAT::Matrix X(2, 2);
  MontaMatrizXProjecao(X, m.cab.get(), m.dadosP.data(), 0);
  ExpectMatriz(Matriz(2, 2, {std::log(4.0), 4, -HUGE_VAL, 1}), X);
}

TEST(MontaMatriz, EmptyShapesAndTooSmallMatrices) {
  Cinco m;
  m.cab->SetHabilitada(0, false);
  m.cab->SetHabilitada(2, false);
  NEWMAT::Matrix X(3, 0);
  EXPECT_NO_THROW(MontaMatrizX(X, m.cab.get(), m.dados.data(), -1, 0));
  Cinco sem;
  for (dado& d : sem.dados) d.excluido = 1;
  NEWMAT::Matrix X0(0, 2);
  NEWMAT::ColumnVector y0(0);
  EXPECT_NO_THROW(MontaMatrizX(X0, sem.cab.get(), sem.dados.data(), -1, 0));
  EXPECT_NO_THROW(MontaVetorY(y0, sem.cab.get(), sem.dados.data(), false, 0));
  Cinco c;
  NEWMAT::Matrix pequena(2, 2);
  EXPECT_THROW(MontaMatrizX(pequena, c.cab.get(), c.dados.data(), -1, 0), std::invalid_argument);
  NEWMAT::ColumnVector curto(2);
  EXPECT_THROW(MontaVetorY(curto, c.cab.get(), c.dados.data(), false, 0), std::invalid_argument);
}

TEST(MontaVetor, DependentAndResiduals) {
  Cinco m;
  const dado* d = m.dados.data();
  NEWMAT::ColumnVector y(3);
  MontaVetorY(y, m.cab.get(), d, false, 0);
  ExpectMatriz(Matriz(3, 1, {0.25, 0.5, 0.125}), Coluna(y));
  MontaVetorY(y, m.cab.get(), d, true, 0);
  ExpectMatriz(Matriz(3, 1, {4, 2, 8}), Coluna(y));
  NEWMAT::ColumnVector a(4);
  MontaVetorYAmostra(a, m.cab.get(), d, false, 0);
  ExpectMatriz(Matriz(4, 1, {0.25, 0.2, 0.5, 0.125}), Coluna(a));
  NEWMAT::ColumnVector v(1);
  MontaVetorYValidacao(v, m.cab.get(), d, true, 0);
  ExpectMatriz(Matriz(1, 1, {5}), Coluna(v));
  NEWMAT::ColumnVector r(3);
  MontaVetorResiduos(r, m.cab.get(), d);  // current equation 1
  ExpectMatriz(Matriz(3, 1, {1, 31, 41}), Coluna(r));
}

TEST(RecortaPesos, CutOutsFollowTheRowSets) {
  Cinco m;
  NEWMAT::Matrix W(5, 5);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 5; ++j) W(i, j) = 10 * i + j;
  NEWMAT::Matrix c(3, 3);
  RecortaPesos(W, c, m.cab.get(), m.dados.data());
  ExpectMatriz(Matriz(3, 3, {11, 14, 15, 41, 44, 45, 51, 54, 55}), c);
  NEWMAT::Matrix v(1, 3);
  RecortaPesosValidacao(W, v, m.cab.get(), m.dados.data());
  ExpectMatriz(Matriz(1, 3, {31, 34, 35}), v);
  NEWMAT::Matrix a(4, 4);
  RecortaPesosAmostra(W, a, m.cab.get(), m.dados.data());
  ExpectMatriz(Matriz(4, 4, {11, 13, 14, 15, 31, 33, 34, 35, 41, 43, 44, 45, 51, 53, 54, 55}), a);
  // Every record considered: a plain copy.
  for (dado& d : m.dados) d.excluido = 0;
  NEWMAT::Matrix todos;
  RecortaPesos(W, todos, m.cab.get(), m.dados.data());
  ExpectMatriz(W, todos);
  // A W smaller than N x N is refused.
  m.dados[0].excluido = 1;
  NEWMAT::Matrix menor(4, 4), r(4, 4);
  menor = 1.0;
  EXPECT_THROW(RecortaPesos(menor, r, m.cab.get(), m.dados.data()), std::invalid_argument);
}

TEST(RecortaPesos, ResultTakesTheShapeOfTheCutOut) {
  // Callers may hand an empty or wrongly shaped result: it becomes exactly
  // the cut-out, as the plain copy becomes W.
  Cinco m;
  NEWMAT::Matrix W(5, 5);
  for (int i = 1; i <= 5; ++i)
    for (int j = 1; j <= 5; ++j) W(i, j) = 10 * i + j;
  NEWMAT::Matrix c, v(7, 7), a(2, 9);
  RecortaPesos(W, c, m.cab.get(), m.dados.data());
  ExpectMatriz(Matriz(3, 3, {11, 14, 15, 41, 44, 45, 51, 54, 55}), c);
  RecortaPesosValidacao(W, v, m.cab.get(), m.dados.data());
  ExpectMatriz(Matriz(1, 3, {31, 34, 35}), v);
  RecortaPesosAmostra(W, a, m.cab.get(), m.dados.data());
  ExpectMatriz(Matriz(4, 4, {11, 13, 14, 15, 31, 33, 34, 35, 41, 43, 44, 45, 51, 53, 54, 55}), a);
}

class LinhasDadosArquivo : public ::testing::Test {
protected:
  QTemporaryDir dir;
  Cinco m;
  QString p;
  void SetUp() override {
    p = dir.filePath("cinco.tsn");
    NEWMAT::Matrix W;
    ASSERT_TRUE(GravaArquivoModelo(p, m.cab.get(), m.dados.data(), m.dadosP.data(), W));
  }
  void ExpectLinha(const LinhaDado& l, int registro) {
    const dado& d = m.dados[registro];
    const double esperado[4] = {d.valor[0], d.valor[2], d.valor[3], 0};  // variable 1 is disabled
    for (int k = 0; k < 4; ++k) EXPECT_EQ(l.valor[k], esperado[k]) << "slot " << k;
    EXPECT_EQ(l.residuo[7], d.residuo[7]);
    EXPECT_EQ(l.excluido, d.excluido);
    EXPECT_EQ(l.linha, registro + 1);
  }
};

TEST_F(LinhasDadosArquivo, EveryRecordAndTheConsideredOnes) {
  LinhaDado** todas = new LinhaDado*[5]();
  ASSERT_TRUE(LeLinhasDados(p, m.cab.get(), todas));
  for (int i = 0; i < 5; ++i) ExpectLinha(*todas[i], i);
  m.dados[4].valor[0] = 99;  // refilled from the file, not from memory
  ASSERT_TRUE(PreencheLinhasDados(p, m.cab.get(), todas));
  EXPECT_EQ(todas[4]->valor[0], 3);
  LiberaLinhas(5, todas);

  LinhaDado** consideradas = new LinhaDado*[3]();
  ASSERT_TRUE(LeLinhasConsideradas(p, m.cab.get(), consideradas));
  m.dados[4].valor[0] = 3;
  ExpectLinha(*consideradas[0], 0);
  ExpectLinha(*consideradas[1], 3);
  ExpectLinha(*consideradas[2], 4);
  LiberaLinhas(3, consideradas);
  LiberaLinhas(0, nullptr);
}

TEST_F(LinhasDadosArquivo, StaleCountAndShortFileFailWithoutOverrun) {
  m.cab->SetNumConsiderados(2);
  LinhaDado** duas = new LinhaDado*[2]();
  EXPECT_FALSE(LeLinhasConsideradas(p, m.cab.get(), duas));
  ExpectLinha(*duas[0], 0);
  ExpectLinha(*duas[1], 3);
  LiberaLinhas(2, duas);

  m.cab->SetNumConsiderados(3);
  QFile f(p);
  ASSERT_TRUE(f.resize(qint64(CabecalhoModelo::Tamanho) + 2 * 2512 + 100));
  LinhaDado** todas = new LinhaDado*[5]();
  EXPECT_FALSE(LeLinhasDados(p, m.cab.get(), todas));
  ExpectLinha(*todas[0], 0);
  ExpectLinha(*todas[1], 1);
  EXPECT_EQ(todas[2], nullptr);
  LiberaLinhas(5, todas);
}

}  // namespace
