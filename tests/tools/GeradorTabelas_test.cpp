// The table files the build writes into the program folder, and the routines
// that compute them.
#include "tools/gerar_tabelas/GeradorTabelas.h"

#include "model/TabelasEstatisticas.h"
#include "platform/Programa.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

std::vector<double> LeArquivo(const char* nome) {
  QFile f(plat::CaminhoPrograma(QString::fromLatin1(nome)));
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QByteArray b = f.readAll();
  std::vector<double> v(std::size_t(b.size()) / 8);
  std::memcpy(v.data(), b.constData(), v.size() * 8);  // little-endian host
  return v;
}

class TabelasGeradas : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    t = LeArquivo("stdt.dat");
    f = LeArquivo("sndc.dat");
    dw = LeArquivo("durbwat.dat");
  }
  // Student t: row r, column c (0 "99%" .. 9 "10%").
  static double T(int r, int c) { return t.at(std::size_t(10 * r + c + 1)); }
  // F: row r (nu2), column c (nu1) from 1, level j 0..4 (0.80 .. 0.99).
  static double F(int r, int c, int j) { return f.at(std::size_t(5 * (19 * (r - 1) + (c - 1)) + j + 1)); }
  // Durbin-Watson: row r, column c, level j 1..3 (5 %, 2.5 %, 1 %).
  static double DW(int r, int c, int j) { return dw.at(std::size_t(3 * (10 * r + c) + j)); }

  static std::vector<double> t, f, dw;
};
std::vector<double> TabelasGeradas::t, TabelasGeradas::f, TabelasGeradas::dw;

TEST_F(TabelasGeradas, TamanhosExatos) {
  EXPECT_EQ(QFileInfo(plat::CaminhoPrograma("stdt.dat")).size(), 2808);
  EXPECT_EQ(QFileInfo(plat::CaminhoPrograma("sndc.dat")).size(), 25848);
  EXPECT_EQ(QFileInfo(plat::CaminhoPrograma("durbwat.dat")).size(), 9128);
}

struct CasoPublicado {
  const char* nome;
  double valor, publicado;
};

TEST_F(TabelasGeradas, ValoresPublicados) {
  ASSERT_EQ(t.size(), 351u);
  ASSERT_EQ(f.size(), 3231u);
  ASSERT_EQ(dw.size(), 1141u);
  const CasoPublicado casos[] = {
      {"t 95% 10 graus", T(10, 2), 2.228},
      {"t 99% 1 grau", T(1, 0), 63.657},
      {"t 90% 5 graus", T(5, 3), 2.015},
      {"t 98% 40 graus", T(31, 1), 2.423},
      {"t 95% infinito", T(34, 2), 1.960},
      {"t 50% 120 graus", T(33, 6), 0.677},
      {"F 0,95 2 e 60", F(32, 2, 2), 3.15},
      {"F 0,99 1 e 1", F(1, 1, 4), 4052.18},
      {"F 0,95 10 e 10", F(10, 10, 2), 2.98},
      {"F 0,90 5 e 20", F(20, 5, 1), 2.16},
      {"F 0,95 12 e 30", F(30, 11, 2), 2.09},
      {"F 0,99 infinito e 120", F(33, 19, 4), 1.38},
      {"F 0,95 1 e infinito", F(34, 1, 2), 3.84},
      {"F 0,95 infinito e 1", F(1, 19, 2), 254.31},
      {"F infinito e infinito", F(34, 19, 3), 1.00},
      {"DW 90% n 15 dL 1 regressor", DW(0, 0, 1), 1.08},
      {"DW 90% n 15 dU 1 regressor", DW(0, 1, 1), 1.36},
      {"DW 90% n 100 dL 5 regressores", DW(37, 8, 1), 1.57},
      {"DW 90% n 100 dU 5 regressores", DW(37, 9, 1), 1.78},
      {"DW 90% n 15 dU 5 regressores", DW(0, 9, 1), 2.22},
      {"DW 90% n 40 dL 3 regressores", DW(25, 4, 1), 1.34},
      {"DW 98% n 15 dL 1 regressor", DW(0, 0, 3), 0.81},
      {"DW 98% n 15 dU 1 regressor", DW(0, 1, 3), 1.07},
      {"DW 98% n 100 dL 1 regressor", DW(37, 0, 3), 1.52},
      {"DW 98% n 100 dU 1 regressor", DW(37, 1, 3), 1.56},
      {"DW 90% n 20 dL 2 regressores", DW(5, 2, 1), 1.10},
      {"DW 90% n 20 dU 2 regressores", DW(5, 3, 1), 1.54},
      {"DW 90% n 30 dL 3 regressores", DW(15, 4, 1), 1.21},
      {"DW 90% n 30 dU 3 regressores", DW(15, 5, 1), 1.65},
      {"DW 90% n 50 dL 5 regressores", DW(27, 8, 1), 1.335},
      {"DW 90% n 50 dU 5 regressores", DW(27, 9, 1), 1.77},
      {"DW 90% n 60 dL 1 regressor", DW(29, 0, 1), 1.55},
      {"DW 90% n 60 dU 1 regressor", DW(29, 1, 1), 1.62},
      {"DW 98% n 40 dL 2 regressores", DW(25, 2, 3), 1.20},
      {"DW 98% n 40 dU 2 regressores", DW(25, 3, 3), 1.40},
      {"DW 98% n 100 dL 5 regressores", DW(37, 8, 3), 1.44},
      {"DW 98% n 100 dU 5 regressores", DW(37, 9, 3), 1.65},
  };
  for (const CasoPublicado& c : casos) EXPECT_NEAR(c.valor, c.publicado, 0.005) << c.nome;
}

// Closed forms the generated files must agree with.
TEST_F(TabelasGeradas, FormasFechadas) {
  ASSERT_EQ(t.size(), 351u);
  ASSERT_EQ(f.size(), 3231u);
  const double niveisT[10] = {0.99, 0.98, 0.95, 0.90, 0.80, 0.60, 0.50, 0.40, 0.20, 0.10};
  const double niveisF[5] = {0.80, 0.90, 0.95, 0.98, 0.99};
  for (int c = 0; c < 10; ++c) {
    const double L = niveisT[c];
    EXPECT_NEAR(T(1, c), std::tan(Pi * L / 2), 1e-9 * T(1, c)) << c;          // Cauchy
    EXPECT_NEAR(T(2, c), L * std::sqrt(2 / (1 - L * L)), 1e-12) << c;        // two degrees
    EXPECT_NEAR(std::erf(T(34, c) / std::sqrt(2.0)), L, 1e-13) << c;         // normal
  }
  for (int j = 0; j < 5; ++j) {
    const double p = niveisF[j];
    EXPECT_NEAR(F(34, 2, j), -std::log1p(-p), 1e-12) << j;                   // chi-square 2 / 2
    EXPECT_NEAR(F(34, 19, j), 1.0, 0.0) << j;
    for (int r = 1; r <= 30; ++r)                                             // I_x(1, b) form
      EXPECT_NEAR(F(r, 2, j), r / 2.0 * (std::pow(1 - p, -2.0 / r) - 1), 1e-10 * F(r, 2, j)) << r << " " << j;
  }
  // F(1, nu) at p is the square of the two-sided t at confidence p.
  const int colunaT[5] = {4, 3, 2, 1, 0};
  for (int r = 1; r <= 34; ++r)
    for (int j = 0; j < 5; ++j)
      EXPECT_NEAR(F(r, 1, j), T(r, colunaT[j]) * T(r, colunaT[j]), 1e-9 * F(r, 1, j)) << r << " " << j;
  EXPECT_EQ(t[0], 0.0);
  EXPECT_EQ(f[0], 0.0);
}

// Degrees of freedom of the t rows and of the F rows (nu2) and columns (nu1);
// 0 stands for infinity.
constexpr int GrausAlem30[4] = {40, 60, 120, 0};
constexpr int GrausAlem10[9] = {12, 15, 20, 24, 30, 40, 60, 120, 0};
int GrausLinha(int r) { return r <= 30 ? r : GrausAlem30[r - 31]; }
int GrausColunaF(int c) { return c <= 10 ? c : GrausAlem10[c - 11]; }

// sum_{j<m} e^-y y^j / j!, the Poisson form of an upper chi-square tail with 2m
// degrees of freedom at 2y.
double SomaPoisson(int m, double y) {
  double soma = 0.0;
  for (int j = 0; j < m; ++j) soma += std::exp(-y + j * std::log(y) - std::lgamma(j + 1.0));
  return soma;
}

// Every t value against the arctangent and algebraic closed forms of the
// two-sided confidence.
TEST_F(TabelasGeradas, StudentConfereComAFormaFechada) {
  ASSERT_EQ(t.size(), 351u);
  const double niveis[10] = {0.99, 0.98, 0.95, 0.90, 0.80, 0.60, 0.50, 0.40, 0.20, 0.10};
  for (int r = 1; r <= 33; ++r)
    for (int c = 0; c < 10; ++c)
      EXPECT_NEAR(SignificanciaStudent(GrausLinha(r), T(r, c)), niveis[c], 1e-11) << "nu " << GrausLinha(r) << " c " << c;
}

// Every F value with an even degree of freedom against finite sums: with
// m = nu1 / 2 whole, I_x(m, b) = 1 - (1 - x)^b sum_{j<m} (b)_j x^j / j!; the
// infinite row and column through the Poisson form of chi-square.
TEST_F(TabelasGeradas, SnedecorConfereComSomasFinitas) {
  ASSERT_EQ(f.size(), 3231u);
  const double niveis[5] = {0.80, 0.90, 0.95, 0.98, 0.99};
  int conferidos = 0;
  for (int r = 1; r <= 34; ++r)
    for (int c = 1; c <= 19; ++c)
      for (int j = 0; j < 5; ++j) {
        const int nu1 = GrausColunaF(c), nu2 = GrausLinha(r);
        const double v = F(r, c, j);
        double p;
        if (nu1 > 0 && nu1 % 2 == 0 && nu2 > 0) {
          const double x = nu1 * v / (nu1 * v + nu2), umMenosX = nu2 / (nu1 * v + nu2), b = nu2 / 2.0;
          double soma = 0.0;
          for (int i = 0; i < nu1 / 2; ++i)
            soma += std::exp(b * std::log(umMenosX) + std::lgamma(b + i) - std::lgamma(b) - std::lgamma(i + 1.0) +
                             i * std::log(x));
          p = 1.0 - soma;
        } else if (nu1 > 0 && nu1 % 2 == 0 && nu2 == 0) {
          p = 1.0 - SomaPoisson(nu1 / 2, nu1 * v / 2.0);  // chi-square(nu1) / nu1
        } else if (nu1 == 0 && nu2 > 0 && nu2 % 2 == 0) {
          p = SomaPoisson(nu2 / 2, nu2 / v / 2.0);  // nu2 / chi-square(nu2)
        } else {
          continue;
        }
        ++conferidos;
        EXPECT_NEAR(p, niveis[j], 1e-11) << "nu1 " << nu1 << " nu2 " << nu2 << " nivel " << niveis[j];
      }
  EXPECT_EQ(conferidos, 5 * (12 * 33 + 12 + 18)) << "cells with an even degree of freedom";
}

// With two eigenvalues w1 < w2 the bounding ratio has a closed form:
// P(ratio < d) = (2 / pi) atan(sqrt((d - w1) / (w2 - d))), so the quantile is
// d = (w1 + c w2) / (1 + c) with c = tan^2(pi alfa / 2).
TEST(GeradorTabelas, LimitesComDoisAutovaloresEmFormaFechada) {
  for (int regressores : {1, 3, 5})
    for (double alfa : {0.05, 0.025, 0.01}) {
      const int n = regressores + 3;  // n - k = 2 eigenvalues in each bound
      auto lambda = [n](int j) { return 2.0 * (1.0 - std::cos(Pi * j / n)); };
      const double c = std::pow(std::tan(Pi * alfa / 2.0), 2.0);
      auto quantil = [c](double w1, double w2) { return (w1 + c * w2) / (1.0 + c); };
      double dL, dU;
      gerador::LimitesDurbinWatson(n, regressores, alfa, dL, dU);
      EXPECT_NEAR(dL, quantil(lambda(1), lambda(2)), 1e-8) << "n " << n << " alfa " << alfa;
      EXPECT_NEAR(dU, quantil(lambda(n - 2), lambda(n - 1)), 1e-8) << "n " << n << " alfa " << alfa;
    }
}

// The bounds are rounded to three decimals and keep the orderings of the
// theory: dL below dU, both rising with n, the band widening with more
// regressors, and stricter levels lying lower.
TEST_F(TabelasGeradas, LimitesDurbinWatsonCoerentes) {
  ASSERT_EQ(dw.size(), 1141u);
  for (int r = 0; r <= 37; ++r)
    for (int m = 0; m < 5; ++m)
      for (int j = 1; j <= 3; ++j) {
        const double dL = DW(r, 2 * m, j), dU = DW(r, 2 * m + 1, j);
        EXPECT_EQ(dL, std::round(dL * 1000) / 1000);
        EXPECT_LT(dL, dU) << r << " " << m << " " << j;
        EXPECT_GT(dL, 0.0);
        EXPECT_LT(dU, 4.0);
        if (m > 0) {
          EXPECT_LE(dL, DW(r, 2 * m - 2, j));
          EXPECT_GE(dU, DW(r, 2 * m - 1, j));
        }
        if (r > 0) {
          EXPECT_GE(dL, DW(r - 1, 2 * m, j));
        }
        if (j > 1) {
          EXPECT_LE(dU, DW(r, 2 * m + 1, j - 1));
        }
      }
}

// The look-ups address the generated files where the generator put each value.
TEST_F(TabelasGeradas, ConsultasNosArquivosGerados) {
  DefinePastaTabelas(QString());
  EXPECT_NEAR(LeValorCriticoT(2, 12, 2), 2.228, 0.0005);
  EXPECT_NEAR(LeValorCriticoT(0, 1000, 0), 2.576, 0.0005);
  // nu1 = 2, nu2 = 60: the 0.95 value is 3.150.
  EXPECT_EQ(ConfiancaSnedecor(3.1505, 3, 63), double(0.95f));
  EXPECT_EQ(ConfiancaSnedecor(3.1503, 3, 63), double(0.90f));
  const char* veredito = nullptr;
  const char* nivel = nullptr;
  // n = 15, one regressor: dL 1.077, dU 1.361 at "90%".
  EXPECT_EQ(VerificaDurbinWatson(2.0, 2, 15, &veredito, &nivel), 3);
  EXPECT_STREQ(nivel, "90%");
  // Inconclusive at "90%" moves on; 1.2 clears the "98%" bounds (0.811, 1.070).
  EXPECT_EQ(VerificaDurbinWatson(1.2, 2, 15, &veredito, &nivel), 3);
  EXPECT_STREQ(nivel, "98%");
  EXPECT_EQ(VerificaDurbinWatson(1.0, 2, 15, &veredito, &nivel), 2);
  EXPECT_STREQ(veredito, "Região nao conclusiva   ");
  EXPECT_STREQ(nivel, "98%");
  EXPECT_EQ(VerificaDurbinWatson(0.5, 2, 15, &veredito, &nivel), 1);
  EXPECT_STREQ(veredito, "Auto-regressão positiva ");
  EXPECT_STREQ(nivel, "98%");
}

TEST(GeradorTabelas, LimitesNaoArredondados) {
  double dL, dU;
  gerador::LimitesDurbinWatson(15, 1, 0.05, dL, dU);
  EXPECT_NEAR(dL, 1.077, 0.0005);
  EXPECT_NEAR(dU, 1.361, 0.0005);
  gerador::LimitesDurbinWatson(100, 5, 0.05, dL, dU);
  EXPECT_NEAR(dL, 1.571, 0.0005);
  EXPECT_NEAR(dU, 1.780, 0.0005);
}

TEST(GeradorTabelas, GravacaoSegura) {
  QTemporaryDir pasta;
  ASSERT_TRUE(pasta.isValid());
  const std::string caminho = QDir(pasta.path()).filePath("x.dat").toStdString();
  ASSERT_TRUE(gerador::GravaTabela(caminho, {0.0, 1.5, -2.25}));
  QFile arquivo(QString::fromStdString(caminho));
  ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
  const QByteArray b = arquivo.readAll();
  ASSERT_EQ(b.size(), 24);
  EXPECT_EQ(b.mid(8, 8), QByteArray::fromHex("000000000000f83f"));  // 1.5, little-endian
  EXPECT_EQ(b.mid(16, 8), QByteArray::fromHex("00000000000002c0")); // -2.25
  EXPECT_FALSE(gerador::GravaTabela(QDir(pasta.path()).filePath("nao/existe/x.dat").toStdString(), {1.0}));
  EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList{"x.dat"}) << "no temporary file left";
}

}  // namespace
