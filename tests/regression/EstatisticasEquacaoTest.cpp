// Statistics of one equation against independent computations: a newmat QR
// fit, the Durbin-Watson formula, growth by hand, and the certified Longley
// results.
#include "AjusteIndependente.h"
#include "DadosSinteticos.h"

#include "model/TabelasEstatisticas.h"
#include "modules/regression/engine/EstatisticasEquacao.h"
#include "modules/regression/engine/ListaEquacoes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>

using namespace ostrimo;

namespace {

// The t confidence from the model's closed form; the F confidence recorded.
class TabelasTeste : public TabelasEstatisticas {
public:
  double Significancia(double nu, double t) override { return SignificanciaStudent(nu, t); }
  double ConfiancaF(double f, int k, int n) override {
    fRecebido = f;
    kRecebido = k;
    nRecebido = n;
    return 0.95;
  }
  double fRecebido = 0;
  int kRecebido = 0, nRecebido = 0;
};

void ExpectRelativo(double a, double b, double tol, const std::string& o) {
  EXPECT_LE(std::fabs(a - b), tol * std::fabs(b)) << o << ": " << a << " vs " << b;
}

double DurbinWatson(const std::vector<double>& e, const std::vector<double>& chave) {
  std::vector<int> ordem(e.size());
  std::iota(ordem.begin(), ordem.end(), 0);
  std::stable_sort(ordem.begin(), ordem.end(), [&](int a, int b) { return chave[a] < chave[b]; });
  double num = 0, den = 0;
  for (std::size_t i = 0; i < ordem.size(); ++i) {
    den += e[ordem[i]] * e[ordem[i]];
    if (i > 0)
      num += (e[ordem[i]] - e[ordem[i - 1]]) * (e[ordem[i]] - e[ordem[i - 1]]);
  }
  return num / den;
}

}  // namespace

TEST(EstatisticasEquacao, ConfereComAjusteIndependente) {
  const int k = 4, n = 30;
  const auto v = testes::DadosPositivos(k, n, 41);
  const int codigos[4] = {3, 2, 5, 3};
  const auto ind = testes::AjustaNewmat(v, k, n, codigos);

  TabelasTeste tabelas;
  OrdenacaoDW ordem;  // test off
  ResultadoEquacao res;
  EstatisticasEquacao est;
  ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);

  for (int j = 0; j < k; ++j)
    EXPECT_EQ(res.codigos[j], codigos[j]);
  for (int j = 0; j < k - 1; ++j) {
    ExpectRelativo(res.coeficiente[j], ind.b[j + 1], 1e-9, "coefficient " + std::to_string(j));
    const double t = ind.b[j + 1] / ind.erroPadraoCoef[j];
    ExpectRelativo(res.t[j], t, 1e-9, "t " + std::to_string(j));
    EXPECT_NEAR(res.confianca[j], 100.0 * SignificanciaStudent(n - k, t), 1e-7);
  }
  ExpectRelativo(res.coeficiente[k - 1], ind.b[0], 1e-9, "intercept");
  ExpectRelativo(res.r, ind.r, 1e-9, "R");
  ExpectRelativo(res.f, ind.f, 1e-9, "F");
  ExpectRelativo(res.s, ind.s, 1e-9, "s");
  ExpectRelativo(res.rOriginal, ind.rOriginal, 1e-9, "Ro");
  double sseo = 0;
  for (int i = 0; i < n; ++i) {
    const double ft = testes::Transforma(v[3 * n + i], 3) - ind.residuos[i];
    const double d = v[3 * n + i] - std::exp(ft);
    sseo += d * d;
  }
  ExpectRelativo(res.sOriginal, std::sqrt(sseo / (n - k)), 1e-9, "s in original units");
  for (int i = 0; i < n; ++i)
    EXPECT_NEAR(res.residuos[i], ind.residuos[i], 1e-9 * ind.s);
  EXPECT_EQ(res.dw, -1.0);
  EXPECT_DOUBLE_EQ(tabelas.fRecebido, res.f);
  EXPECT_EQ(tabelas.kRecebido, k);
  EXPECT_EQ(tabelas.nRecebido, n);
  EXPECT_EQ(res.confiancaF, 0.95);

  // residual bands
  int b1 = 0, b164 = 0, b196 = 0, a2 = 0;
  for (double e : ind.residuos) {
    const double z = std::fabs(e / ind.s);
    b1 += z <= 1;
    b164 += z <= 1.64;
    b196 += z <= 1.96;
    a2 += z > 2;
  }
  EXPECT_EQ(res.ate1, b1 * 100 / n);
  EXPECT_EQ(res.ate164, b164 * 100 / n);
  EXPECT_EQ(res.ate196, b196 * 100 / n);
  EXPECT_EQ(res.acima2, a2);
}

// Ordered by a regressor: its raw values, ties in the rows' own order; by the
// dependent: the fitted values in the transformed scale.
TEST(EstatisticasEquacao, DurbinWatsonNasDuasOrdens) {
  const int k = 3, n = 40;
  auto v = testes::DadosPositivos(k, n, 17);
  for (int i = 0; i < n; ++i)
    v[n + i] = std::round(v[n + i]);  // position 1 with ties
  const int codigos[3] = {2, 1, 3};
  const auto ind = testes::AjustaNewmat(v, k, n, codigos);
  TabelasTeste tabelas;

  std::vector<double> chaveRegressor(v.begin() + n, v.begin() + 2 * n);
  std::vector<double> chaveDependente(n);
  for (int i = 0; i < n; ++i)
    chaveDependente[i] = std::log(v[2 * n + i]) - ind.residuos[i];

  struct Caso { const char* nome; int posicao; const std::vector<double>* chave; };
  const Caso casos[] = {{"regressor", 1, &chaveRegressor}, {"dependent", 2, &chaveDependente}};
  for (const auto& c : casos) {
    OrdenacaoDW ordem{c.posicao, 1};
    ResultadoEquacao res;
    EstatisticasEquacao est;
    ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);
    EXPECT_NEAR(res.dw, DurbinWatson(ind.residuos, *c.chave), 1e-9) << c.nome;
    EXPECT_EQ(ordem.codigo, c.posicao == 2 ? 3 : 0) << c.nome;
  }
}

TEST(EstatisticasEquacao, CrescimentoDeRegressorBinario) {
  const int k = 3, n = 24;
  auto v = testes::DadosPositivos(k, n, 23);
  for (int i = 0; i < n; ++i) {
    v[i] = i % 3 == 0 ? 5.0 : 2.0;  // position 0 takes two values
    v[2 * n + i] *= v[i];
  }
  const int codigos[3] = {1, 3, 3};
  const auto ind = testes::AjustaNewmat(v, k, n, codigos);
  TabelasTeste tabelas;
  OrdenacaoDW ordem;
  ResultadoEquacao res;
  EstatisticasEquacao est;
  ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);

  double media1 = 0, min1 = 1e300, max1 = -1e300;
  for (int i = 0; i < n; ++i) {
    media1 += v[n + i] / n;
    min1 = std::min(min1, v[n + i]);
    max1 = std::max(max1, v[n + i]);
  }
  auto estima = [&](double x0, double x1) { return std::exp(ind.b[0] + ind.b[1] * x0 + ind.b[2] * std::log(x1)); };
  const double y0 = estima(2.0, media1);
  ExpectRelativo(res.crescimento[0], (estima(5.0, media1) - y0) * 100 / y0, 1e-9, "binary regressor");
  ExpectRelativo(res.crescimento[1], (estima(2.0, media1 + (max1 - min1) / 10) - y0) * 100 / y0, 1e-9, "other");
}

TEST(EstatisticasEquacao, AjustePerfeitoGuardaSMinimo) {
  const int k = 2, n = 5;
  const std::vector<double> v{1, 2, 3, 4, 5, 3, 5, 7, 9, 11};
  const int codigos[2] = {1, 1};
  TabelasTeste tabelas;
  OrdenacaoDW ordem{1, 1};
  ResultadoEquacao res;
  EstatisticasEquacao est;
  ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);
  EXPECT_EQ(res.s, 0.0001);
  EXPECT_TRUE(std::isinf(res.t[0]));
  EXPECT_EQ(res.coeficiente[0], 2.0);
  EXPECT_EQ(res.coeficiente[1], 1.0);
  EXPECT_EQ(res.f, 40.0 / 0.0001);  // Syy - SSR is exactly zero
  EXPECT_EQ(res.dw, 0.0);           // every residual zero: 0 / 0.0001
  EXPECT_EQ(res.ate1, 100);
}

TEST(EstatisticasEquacao, AutoProcuraECodigoZeroNuncaFica) {
  const int k = 3, n = 30;
  const auto v = testes::DadosPositivos(k, n, 29);
  const int codigos[3] = {0, 4, 0};
  TabelasTeste tabelas;
  OrdenacaoDW ordem;
  ResultadoEquacao res;
  EstatisticasEquacao est;
  ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);
  EXPECT_GE(res.codigos[0], 1);
  EXPECT_EQ(res.codigos[1], 4);
  EXPECT_GE(res.codigos[2], 1);
  const int achados[3] = {res.codigos[0], res.codigos[1], res.codigos[2]};
  EXPECT_NEAR(res.r, testes::AjustaNewmat(v, k, n, achados).r, 1e-10);
}

// A constant regressor in any position makes the equation indeterminate; no
// statistics come out of it (they would all be NaN).
TEST(EstatisticasEquacao, RegressorConstanteEmQualquerPosicao) {
  const int k = 4, n = 20;
  for (int posicao = 0; posicao < k - 1; ++posicao) {
    auto v = testes::DadosPositivos(k, n, 13);
    std::fill(v.begin() + std::size_t(posicao) * n, v.begin() + std::size_t(posicao + 1) * n, 2.5);
    const int codigos[4] = {1, 3, 2, 3};
    TabelasTeste tabelas;
    OrdenacaoDW ordem;
    ResultadoEquacao res;
    EstatisticasEquacao est;
    EXPECT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Indeterminada)
        << "constant position " << posicao;
  }
}

// A stored code outside 1..7 (a damaged file) transforms as "x" and is kept as
// it was; it never reads a column that was not built.
TEST(EstatisticasEquacao, CodigoForaDaFaixaValeComoX) {
  const int k = 3, n = 30;
  const auto v = testes::DadosPositivos(k, n, 37);
  struct Caso { const char* nome; int codigos[3]; int comoX[3]; };
  const Caso casos[] = {
      {"regressor 9", {9, 3, 2}, {1, 3, 2}},
      {"middle regressor 12", {2, 12, 3}, {2, 1, 3}},
      {"dependent 9", {3, 2, 9}, {3, 2, 1}},
      {"negative code", {-4, 2, 3}, {1, 2, 3}},
  };
  for (const auto& c : casos) {
    const auto ind = testes::AjustaNewmat(v, k, n, c.comoX);
    TabelasTeste tabelas;
    OrdenacaoDW ordem;
    ResultadoEquacao res;
    EstatisticasEquacao est;
    ASSERT_EQ(est.Calcula({k, n, v.data()}, c.codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida)
        << c.nome;
    for (int j = 0; j < k; ++j)
      EXPECT_EQ(res.codigos[j], c.codigos[j]) << c.nome;
    ExpectRelativo(res.r, ind.r, 1e-9, c.nome);
    for (int j = 0; j < k - 1; ++j)
      ExpectRelativo(res.coeficiente[j], ind.b[j + 1], 1e-9, c.nome);
  }
}

// Longley: every code "x"; the certified coefficients to 9 significant digits
// and R² to 10.
TEST(EstatisticasEquacao, LongleyCertificado) {
  std::string caminho = TARSOLIN_SOURCE_DIR;
  caminho.append("/tests/regression/data/longley.txt");
  std::ifstream f(caminho);
  ASSERT_TRUE(f.good());
  std::vector<std::vector<double>> linhas;
  double coef[7] = {}, dp[7] = {}, r2 = 0, sd = 0, fcert = 0;
  std::string linha;
  while (std::getline(f, linha)) {
    std::istringstream in(linha);
    std::string chave;
    in >> chave;
    if (chave == "data") {
      std::vector<double> l(7);
      for (double& x : l)
        in >> x;
      linhas.push_back(l);
    } else if (chave == "coef") {
      int i;
      in >> i;
      in >> coef[i] >> dp[i];
    } else if (chave == "rsquared") {
      in >> r2;
    } else if (chave == "residualsd") {
      in >> sd;
    } else if (chave == "fstatistic") {
      in >> fcert;
    }
  }
  const int n = int(linhas.size()), k = 7;
  ASSERT_EQ(n, 16);
  std::vector<double> v(std::size_t(k) * n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < 6; ++j)
      v[std::size_t(j) * n + i] = linhas[i][j + 1];
    v[std::size_t(6) * n + i] = linhas[i][0];
  }
  const int codigos[7] = {1, 1, 1, 1, 1, 1, 1};
  TabelasTeste tabelas;
  OrdenacaoDW ordem;
  ResultadoEquacao res;
  EstatisticasEquacao est;
  ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);
  for (int j = 0; j < 6; ++j) {
    SCOPED_TRACE(j + 1);
    ExpectRelativo(res.coeficiente[j], coef[j + 1], 1e-9, "coefficient");
    ExpectRelativo(res.coeficiente[j] / res.t[j], dp[j + 1], 1e-9, "standard deviation");
  }
  ExpectRelativo(res.coeficiente[6], coef[0], 1e-9, "intercept");
  ExpectRelativo(res.r * res.r, r2, 1e-10, "R squared");
  ExpectRelativo(res.s, sd, 1e-9, "residual standard deviation");
  ExpectRelativo(res.f, fcert, 1e-9, "F");
}

TEST(EstatisticasEquacao, OrdemDasLinhas) {
  struct Caso { const char* nome; double valor, residuo; int codigo; double chave; };
  const Caso casos[] = {
      {"raw value", 4.0, 0.5, 0, 4.0},
      {"ln less the residual", std::exp(2.0), 0.25, 3, 1.75},
      {"1/x", 4.0, 0.0, 2, 0.25},
      {"code outside 2..7 as x", 4.0, 1.0, 9, 3.0},
  };
  for (const auto& c : casos)
    EXPECT_DOUBLE_EQ(ChaveOrdem(c.valor, c.residuo, c.codigo), c.chave) << c.nome;
  EXPECT_EQ(ComparaLinhasOrdem(1.0, 2.0), -1);
  EXPECT_EQ(ComparaLinhasOrdem(2.0, 1.0), 1);
  EXPECT_EQ(ComparaLinhasOrdem(2.0, 2.0), 0);
  EXPECT_EQ(ComparaLinhasOrdem(std::nan(""), 1e300), 1);
  EXPECT_EQ(ComparaLinhasOrdem(-1e300, std::nan("")), -1);
  EXPECT_EQ(ComparaLinhasOrdem(std::nan(""), std::nan("")), 0);
}

// A regressor that is the exact sum of two others leaves, after rounding, a
// tiny pivot that is not exactly zero: the equation is indeterminate, in the
// statistics (long double) and in the search (double). A sound design whose
// third regressor is nearly, not exactly, that sum still fits, and agrees with
// an independent QR fit.
TEST(EstatisticasEquacao, SomaExataIndeterminadaQuaseSomaAjusta) {
  const int k = 4, n = 30;
  std::vector<double> v(std::size_t(k) * n);
  for (int i = 0; i < n; ++i) {
    const double area = 80.0 + 7.3 * i + 11.0 * std::sin(0.9 * i);  // SQFT-like
    const double lote = 200.0 + 13.1 * ((i * 7) % 11) + 0.5 * i;      // LOTSZ-like
    v[i] = area;
    v[std::size_t(n) + i] = lote;
    v[2 * std::size_t(n) + i] = area + lote;
    v[3 * std::size_t(n) + i] = 1000.0 + 30.0 * area + 4.0 * lote + 150.0 * std::cos(1.7 * i);
  }
  const int codigos[4] = {1, 1, 1, 1};
  TabelasTeste tabelas;
  {
    OrdenacaoDW ordem;
    ResultadoEquacao res;
    EstatisticasEquacao est;
    EXPECT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Indeterminada);
    OpcoesBusca op;
    op.metodo = 1;
    op.permitido[1] = 1;
    ListaEquacoes lista;
    BuscaTransformacoes busca;
    EXPECT_EQ(busca.Executa({k, n, v.data()}, op, &lista), BuscaTransformacoes::Indeterminada);
  }
  // Nearly the sum: 1 − R² of the third regressor on the others about 1e-7.
  for (int i = 0; i < n; ++i) v[2 * std::size_t(n) + i] += 0.05 * std::cos(2.3 * i);
  OrdenacaoDW ordem;
  ResultadoEquacao res;
  EstatisticasEquacao est;
  ASSERT_EQ(est.Calcula({k, n, v.data()}, codigos, 0, ordem, tabelas, res), EstatisticasEquacao::Concluida);
  const auto ind = testes::AjustaNewmat(v, k, n, codigos);
  for (int j = 0; j < k - 1; ++j)
    EXPECT_NEAR(res.coeficiente[j], ind.b[std::size_t(j) + 1], 1e-6 * (1.0 + std::fabs(ind.b[std::size_t(j) + 1]))) << j;
  EXPECT_NEAR(res.coeficiente[k - 1], ind.b[0], 1e-6 * (1.0 + std::fabs(ind.b[0])));
  ExpectRelativo(res.s, ind.s, 1e-9, "s");
}
