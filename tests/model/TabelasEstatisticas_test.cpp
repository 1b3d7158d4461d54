// Look-ups in the statistical tables. The fixture files hold, at every
// position, the position's own index (byte offset / 8), so a value read back
// names the cell the look-up addressed.
#include "model/CabecalhoModelo.h"
#include "model/Distribuicoes.h"
#include "model/TabelasEstatisticas.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <string>

namespace {

constexpr int ValoresStudent = 351;     // 2,808 bytes
constexpr int ValoresSnedecor = 3231;   // 25,848 bytes
constexpr int ValoresDurbin = 1141;     // 9,128 bytes

void GravaValores(const QString& caminho, int quantos, const std::function<double(int)>& valor) {
  QByteArray bytes(quantos * 8, '\0');
  for (int i = 0; i < quantos; ++i) {
    const double v = valor(i);
    std::memcpy(bytes.data() + 8 * i, &v, 8);  // x86-64: little-endian like the files
  }
  QFile f(caminho);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

double Indice(int i) { return double(i); }

// Index of the F value (row r, column c from 1, level j from 0).
int IndiceF(int r, int c, int j) { return 5 * (19 * (r - 1) + (c - 1)) + j + 1; }
// Index of the Durbin-Watson value (row r, column c, level j from 1).
int IndiceDW(int r, int c, int j) { return 3 * (10 * r + c) + j; }

double Nivel(float f) { return double(f); }

class TabelasEstatisticas : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    DefinePastaTabelas(pasta.path());
  }
  void TearDown() override { DefinePastaTabelas(QString()); }

  QString Arquivo(const char* nome) const { return QDir(pasta.path()).filePath(QString::fromLatin1(nome)); }
  void TabelasIndexadas() {
    GravaValores(Arquivo("stdt.dat"), ValoresStudent, Indice);
    GravaValores(Arquivo("sndc.dat"), ValoresSnedecor, Indice);
    GravaValores(Arquivo("durbwat.dat"), ValoresDurbin, Indice);
  }

  QTemporaryDir pasta;
};

// ---------------------------------------------------------------- Student t

struct CasoT {
  const char* nome;
  int coluna, a, b;
  double esperado;
};

TEST_F(TabelasEstatisticas, ValorCriticoTEnderecaLinhaEColuna) {
  TabelasIndexadas();
  const CasoT casos[] = {
      {"10 graus, 95%", 2, 12, 2, 10 * 10 + 2 + 1},
      {"1 grau", 0, 5, 4, 10 * 1 + 0 + 1},
      {"30 graus, ultima linha propria", 9, 30, 0, 10 * 30 + 9 + 1},
      {"31 graus vai a linha de 40", 2, 31, 0, 10 * 31 + 3},
      {"35 graus le a linha 31", 2, 40, 5, 10 * 31 + 3},
      {"40 graus", 2, 40, 0, 10 * 31 + 3},
      {"41 graus vai a linha de 60", 2, 41, 0, 10 * 32 + 3},
      {"60 graus", 2, 60, 0, 10 * 32 + 3},
      {"61 graus vai a linha de 120", 2, 61, 0, 10 * 33 + 3},
      {"120 graus", 2, 120, 0, 10 * 33 + 3},
      {"121 graus vai ao infinito", 2, 121, 0, 10 * 34 + 3},
      {"500 graus le a linha 34", 2, 503, 3, 10 * 34 + 3},
      {"coluna 12 vira coluna 2", 12, 12, 2, 10 * 10 + 3},
      {"coluna negativa vira coluna 2", -1, 12, 2, 10 * 10 + 3},
      {"coluna 10 vira coluna 2", 10, 12, 2, 10 * 10 + 3},
      {"nenhum grau de liberdade", 2, 5, 5, 0.0},
      {"graus negativos", 2, 3, 7, 0.0},
  };
  for (const CasoT& c : casos) EXPECT_EQ(LeValorCriticoT(c.coluna, c.a, c.b), c.esperado) << c.nome;
}

TEST_F(TabelasEstatisticas, LinhasDaTabelaT) {
  const int casos[][2] = {{0, 0}, {1, 1}, {29, 29}, {30, 30}, {31, 31}, {40, 31}, {41, 32},
                          {60, 32}, {61, 33}, {120, 33}, {121, 34}, {100000, 34}};
  for (const auto& c : casos) EXPECT_EQ(LinhaStudent(c[0]), c[1]) << c[0] << " graus";
}

// ---------------------------------------------------------------- F

TEST_F(TabelasEstatisticas, LinhasEColunasDaTabelaF) {
  const int linhas[][2] = {{1, 1}, {29, 29}, {30, 30}, {39, 30}, {40, 31}, {59, 31}, {60, 32},
                           {97, 32}, {119, 32}, {120, 33}, {121, 34}, {5000, 34}};
  for (const auto& c : linhas) EXPECT_EQ(LinhaSnedecor(c[0]), c[1]) << "nu2 " << c[0];
  const int colunas[][2] = {{1, 1},   {10, 10}, {11, 10}, {12, 11}, {14, 11}, {15, 12}, {19, 12},
                            {20, 13}, {23, 13}, {24, 14}, {29, 14}, {30, 15}, {39, 15}, {40, 16},
                            {59, 16}, {60, 17}, {119, 17}, {120, 18}, {121, 19}, {500, 19}};
  for (const auto& c : colunas) EXPECT_EQ(ColunaSnedecor(c[0]), c[1]) << "nu1 " << c[0];
}

struct CasoF {
  const char* nome;
  double F;
  double esperado;
};

TEST_F(TabelasEstatisticas, ConfiancaSnedecorPorNivel) {
  TabelasIndexadas();
  // 3 enabled variables and 100 considered records: nu1 = 2 (column 2),
  // nu2 = 97 (row 32); the cell's five values are consecutive indices.
  auto v = [](int j) { return double(IndiceF(32, 2, j)); };
  const CasoF casos[] = {
      {"abaixo do nivel 0,80", v(0) - 0.5, 0.0},
      {"igual ao nivel 0,80", v(0), Nivel(0.80f)},
      {"entre 0,80 e 0,90", v(0) + 0.5, Nivel(0.80f)},
      {"logo abaixo de 0,95", std::nextafter(v(2), 0.0), Nivel(0.90f)},
      {"igual ao nivel 0,95", v(2), Nivel(0.95f)},
      {"igual ao nivel 0,98", v(3), Nivel(0.98f)},
      {"igual ao nivel 0,99", v(4), Nivel(0.99f)},
      {"acima de todos", v(4) + 100.0, Nivel(0.99f)},
      {"infinito", std::numeric_limits<double>::infinity(), Nivel(0.99f)},
      {"negativo", -1.0, 0.0},
      {"nao numerico", std::numeric_limits<double>::quiet_NaN(), 0.0},
  };
  for (const CasoF& c : casos) EXPECT_EQ(ConfiancaSnedecor(c.F, 3, 100), c.esperado) << c.nome;
  EXPECT_EQ(Nivel(0.95f), 0.949999988079071);  // the constants are single precision
}

TEST_F(TabelasEstatisticas, ConfiancaSnedecorLeOCabecalho) {
  TabelasIndexadas();
  auto h = std::make_unique<CabecalhoModelo>();
  h->Zera();
  h->SetNumVariaveis(5);
  for (int v : {0, 2, 4}) h->SetHabilitada(v, true);  // k = 3
  h->SetNumConsiderados(100);
  h->SetEquacaoCorrente(7);
  h->SetF64(CabecalhoModelo::OffF + 8 * 7, IndiceF(32, 2, 2));
  h->SetF64(CabecalhoModelo::OffF + 8 * 6, 1e9);  // another equation: not read
  h->SetF64(410304, IndiceF(32, 2, 3));         // the spatial model's F
  EXPECT_EQ(ConfiancaSnedecor(*h, true), Nivel(0.95f));
  EXPECT_EQ(ConfiancaSnedecor(*h, false), Nivel(0.98f));

  // A header whose counts are out of their limits is not trusted.
  h->SetEquacaoCorrente(100);
  EXPECT_EQ(ConfiancaSnedecor(*h, true), -1.0);
  h->SetEquacaoCorrente(7);
  h->SetNumVariaveis(61);
  EXPECT_EQ(ConfiancaSnedecor(*h, true), -1.0);
}

TEST_F(TabelasEstatisticas, ConfiancaSnedecorSemGrausDeLiberdade) {
  TabelasIndexadas();
  EXPECT_EQ(ConfiancaSnedecor(1e6, 1, 100), -1.0) << "no regressor";
  EXPECT_EQ(ConfiancaSnedecor(1e6, 4, 4), -1.0) << "no residual degree of freedom";
  // Extremes of the table: nu1 = 1, nu2 = 1 and nu1 = 200, nu2 = 1000.
  EXPECT_EQ(ConfiancaSnedecor(IndiceF(1, 1, 2), 2, 3), Nivel(0.95f));
  EXPECT_EQ(ConfiancaSnedecor(IndiceF(34, 19, 4), 201, 1201), Nivel(0.99f));
  EXPECT_EQ(ConfiancaSnedecor(IndiceF(34, 19, 4) - 0.5, 201, 1201), Nivel(0.98f));
}

// ---------------------------------------------------------------- Durbin-Watson

TEST_F(TabelasEstatisticas, LinhasEColunasDurbinWatson) {
  const int linhas[][2] = {{5, 0},   {15, 0},  {16, 1},  {40, 25}, {41, 25}, {44, 25},
                           {45, 26}, {50, 27}, {99, 36}, {100, 37}, {101, 37}, {5000, 37}};
  for (const auto& c : linhas) EXPECT_EQ(LinhaDurbinWatson(c[0]), c[1]) << "n " << c[0];
  const int colunas[][2] = {{2, 0}, {3, 2}, {6, 8}, {7, 8}, {8, 8}, {60, 8}};
  for (const auto& c : colunas) EXPECT_EQ(ColunaDurbinWatson(c[0]), c[1]) << "k " << c[0];
}

struct CasoDW {
  const char* nome;
  int k, n;
  int coluna, linha;  // the dL cell the look-up must read
};

// With indexed values dL = i, dU = i + 3 (both far above 4), so the count is
// 2 exactly when dL is not below d. d = i therefore stops at "90%" only if the
// cell read is i or later, and d = i + 0.5 moves on to "95%" only if it is i
// itself: together they pin the cell.
TEST_F(TabelasEstatisticas, DurbinWatsonEnderecaACelula) {
  TabelasIndexadas();
  const CasoDW casos[] = {
      {"2 variaveis: colunas 0 e 1", 2, 100, 0, 37},
      {"3 variaveis: colunas 2 e 3", 3, 100, 2, 37},
      {"8 variaveis: coluna 8", 8, 100, 8, 37},
      {"12 variaveis: coluna 8", 12, 100, 8, 37},
      {"41 registros: linha de 40", 3, 41, 2, 25},
      {"63 registros: linha de 60", 4, 63, 4, 29},
  };
  for (const CasoDW& c : casos) {
    const double i = IndiceDW(c.linha, c.coluna, 1);
    const char* veredito = nullptr;
    const char* nivel = nullptr;
    EXPECT_EQ(VerificaDurbinWatson(i, c.k, c.n, &veredito, &nivel), 3) << c.nome;
    EXPECT_STREQ(nivel, "90%") << c.nome;
    EXPECT_EQ(VerificaDurbinWatson(i + 0.5, c.k, c.n, &veredito, &nivel), 3) << c.nome;
    EXPECT_STREQ(veredito, "Não auto-regressão      ") << c.nome;
    EXPECT_STREQ(nivel, "95%") << c.nome;
  }
}

struct CasoVeredito {
  const char* nome;
  double d;
  int resultado;
  const char* veredito;
  const char* nivel;
};

TEST_F(TabelasEstatisticas, VereditosDurbinWatson) {
  // dL = 1.2 and dU = 1.4 at every level and cell.
  // Index 3 (10 r + c) + j: even columns hold dL, odd ones dU.
  GravaValores(Arquivo("durbwat.dat"), ValoresDurbin, [](int i) {
    if (i == 0) return 0.0;
    const int celula = (i - 1) / 3;  // 10 r + c
    return celula % 2 == 0 ? 1.2 : 1.4;
  });
  const CasoVeredito casos[] = {
      {"d = 2 sem auto-regressao", 2.0, 3, "Não auto-regressão      ", "90%"},
      {"d abaixo de dL", 1.0, 1, "Auto-regressão positiva ", "98%"},
      {"d entre dL e dU", 1.3, 2, "Região nao conclusiva   ", "98%"},
      {"d igual a dL", 1.2, 1, "Auto-regressão positiva ", "98%"},
      {"d entre 4 - dU e 4 - dL", 2.7, 2, "Região nao conclusiva   ", "98%"},
      {"d acima de 4 - dL", 3.0, 1, "Auto-regressão negativa ", "98%"},
      {"d nao numerico", std::numeric_limits<double>::quiet_NaN(), 2, "Erro no Calculo de dw   ", ""},
  };
  for (const CasoVeredito& c : casos) {
    const char* veredito = nullptr;
    const char* nivel = nullptr;
    EXPECT_EQ(VerificaDurbinWatson(c.d, 2, 30, &veredito, &nivel), c.resultado) << c.nome;
    EXPECT_STREQ(veredito, c.veredito) << c.nome;
    EXPECT_STREQ(nivel, c.nivel) << c.nome;
    EXPECT_EQ(QString::fromUtf8(veredito).size(), 24) << c.nome;
  }
  const char* veredito = nullptr;
  const char* nivel = nullptr;
  EXPECT_EQ(VerificaDurbinWatson(2.0, 1, 30, &veredito, &nivel), 2) << "no regressor";
  EXPECT_STREQ(veredito, "Erro no Calculo de dw   ");
  EXPECT_STREQ(nivel, "");
}

TEST_F(TabelasEstatisticas, DurbinWatsonLeOCabecalho) {
  GravaValores(Arquivo("durbwat.dat"), ValoresDurbin, [](int i) {
    return i == 0 ? 0.0 : ((i - 1) / 3) % 2 == 0 ? 1.2 : 1.4;
  });
  auto h = std::make_unique<CabecalhoModelo>();
  h->Zera();
  h->SetNumVariaveis(4);
  h->SetHabilitada(1, true);
  h->SetHabilitada(3, true);
  h->SetNumConsiderados(50);
  h->SetEquacaoCorrente(3);
  // The statistic sits in the row of the dependent's statistics table.
  h->SetF64VE(CabecalhoModelo::OffEstatisticasEquacao, 4, 3, 2.0);
  h->SetF64VE(CabecalhoModelo::OffEstatisticasEquacao, 4, 2, 0.5);
  const char* veredito = nullptr;
  const char* nivel = nullptr;
  EXPECT_EQ(VerificaDurbinWatson(*h, &veredito, &nivel), 3);
  EXPECT_STREQ(veredito, "Não auto-regressão      ");
  EXPECT_STREQ(nivel, "90%");
  h->SetEquacaoCorrente(2);
  EXPECT_EQ(VerificaDurbinWatson(*h, &veredito, &nivel), 1);
  EXPECT_STREQ(veredito, "Auto-regressão positiva ");
  h->SetEquacaoCorrente(-1);
  EXPECT_EQ(VerificaDurbinWatson(*h, &veredito, &nivel), 2);
  EXPECT_STREQ(veredito, "Erro no Calculo de dw   ");
}

// ---------------------------------------------------------------- files

TEST_F(TabelasEstatisticas, ArquivosAusentes) {
  EXPECT_EQ(LeValorCriticoT(2, 12, 2), 0.0);
  EXPECT_EQ(ConfiancaSnedecor(3.0, 3, 100), -1.0);
  EXPECT_EQ(ConfiancaSnedecor(std::numeric_limits<double>::quiet_NaN(), 3, 100), -1.0) << "F not a number";
  const char* veredito = nullptr;
  const char* nivel = nullptr;
  EXPECT_EQ(VerificaDurbinWatson(2.0, 3, 100, &veredito, &nivel), 2);
  EXPECT_STREQ(veredito, "Erro no Calculo de dw   ");
  EXPECT_STREQ(nivel, "");
  // A table put in place later is found.
  TabelasIndexadas();
  EXPECT_EQ(LeValorCriticoT(2, 12, 2), 103.0);
}

TEST_F(TabelasEstatisticas, ArquivosCurtos) {
  // Each file ends right before the cell the look-up needs.
  GravaValores(Arquivo("stdt.dat"), 10 * 34 + 3, Indice);
  GravaValores(Arquivo("sndc.dat"), IndiceF(32, 2, 3), Indice);
  GravaValores(Arquivo("durbwat.dat"), IndiceDW(37, 1, 1), Indice);
  EXPECT_EQ(LeValorCriticoT(2, 12, 2), 103.0);
  EXPECT_EQ(LeValorCriticoT(2, 200, 0), 0.0);
  EXPECT_EQ(ConfiancaSnedecor(double(IndiceF(32, 2, 1)), 3, 100), Nivel(0.90f)) << "stops before the end";
  EXPECT_EQ(ConfiancaSnedecor(1e9, 3, 100), -1.0) << "needs the missing 0.98 value";
  const char* veredito = nullptr;
  const char* nivel = nullptr;
  // dL (index IndiceDW(37, 0, 1)) is there, its dU is not.
  EXPECT_EQ(VerificaDurbinWatson(2.0, 2, 100, &veredito, &nivel), 2);
  EXPECT_STREQ(veredito, "Erro no Calculo de dw   ");
  EXPECT_STREQ(nivel, "");
}

TEST_F(TabelasEstatisticas, CadaArquivoELidoUmaVez) {
  TabelasIndexadas();
  EXPECT_EQ(LeValorCriticoT(2, 12, 2), 103.0);
  EXPECT_EQ(ConfiancaSnedecor(double(IndiceF(32, 2, 2)), 3, 100), Nivel(0.95f));
  GravaValores(Arquivo("stdt.dat"), ValoresStudent, [](int) { return 7.0; });
  ASSERT_TRUE(QFile::remove(Arquivo("sndc.dat")));
  EXPECT_EQ(LeValorCriticoT(2, 12, 2), 103.0) << "contents kept";
  EXPECT_EQ(ConfiancaSnedecor(double(IndiceF(32, 2, 2)), 3, 100), Nivel(0.95f)) << "contents kept";
  DefinePastaTabelas(pasta.path());  // forgets what was read
  EXPECT_EQ(LeValorCriticoT(2, 12, 2), 7.0);
  EXPECT_EQ(ConfiancaSnedecor(3.0, 3, 100), -1.0);
}

// ---------------------------------------------------------------- t significance

struct CasoSignificancia {
  const char* nome;
  double nu, t, esperado, tolerancia;
};

TEST(SignificanciaStudent, ValoresConhecidos) {
  const CasoSignificancia casos[] = {
      {"10 graus, t 2.228", 10, 2.228, 0.95, 1e-4},
      {"1 grau, t 1", 1, 1, 0.5, 1e-15},
      {"2 graus, t 1", 2, 1, 1.0 / std::sqrt(3.0), 1e-15},
      {"t negativo", 2, -1, 1.0 / std::sqrt(3.0), 1e-15},
      {"t zero", 15, 0, 0.0, 0.0},
      {"300 graus, t 7", 300, 7, 0.9999, 0.0},
      {"300 graus, t 6,5", 300, 6.5, 0.9999, 0.0},
      {"100 graus, t 6,01", 100, 6.01, 0.9999, 0.0},
      {"nunca acima de 0,9999", 5, 40, 0.9999, 0.0},
      {"1 grau, t enorme", 1, 1e9, 0.9999, 0.0},
      {"sem graus de liberdade", 0, 3, 0.0, 0.0},
      {"t nao numerico", 10, std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0},
  };
  for (const CasoSignificancia& c : casos)
    EXPECT_NEAR(SignificanciaStudent(c.nu, c.t), c.esperado, c.tolerancia) << c.nome;
}

// Against 1 - I_{nu/(nu+t^2)}(nu/2, 1/2), the incomplete-beta form of the same
// probability; above 250 degrees of freedom the value of 250 is used.
TEST(SignificanciaStudent, ConfereComABetaIncompleta) {
  const double graus[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 15, 30, 61, 120, 249, 250};
  const double ts[] = {0.05, 0.3, 0.7, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 5.99};
  for (double nu : graus)
    for (double t : ts) {
      const double beta = 1.0 - dist::BetaIncompleta(nu / (nu + t * t), nu / 2, 0.5);
      EXPECT_NEAR(SignificanciaStudent(nu, t), std::min(beta, 0.9999), 1e-10) << "nu " << nu << " t " << t;
    }
  for (double t : {0.5, 2.0, 5.5})
    EXPECT_EQ(SignificanciaStudent(1000, t), SignificanciaStudent(250, t)) << t;
  // Degrees of freedom that are not whole use the incomplete beta directly.
  EXPECT_NEAR(SignificanciaStudent(7.5, 2.0), 1.0 - dist::BetaIncompleta(7.5 / 11.5, 3.75, 0.5), 1e-14);
}

}  // namespace
