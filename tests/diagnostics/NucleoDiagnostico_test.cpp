// The diagnostic windows' figures against independent dense computations.
#include "views/diagnostics/NucleoDiagnostico.h"

#include "../equation/ModeloEquacao.h"
#include "model/LinhaDado.h"
#include "tests/support/MemoriaProcesso.h"

#include <newmatap.h>
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {
using C = CabecalhoModelo;
using teste::ModeloEquacao;

// Rows as the pages read them: every variable enabled, so packed = full.
struct Linhas {
  std::vector<LinhaDado> l;
  std::vector<LinhaDado*> p;
  explicit Linhas(const ModeloEquacao& m) {
    l.resize(m.dados.size());
    for (std::size_t i = 0; i < l.size(); ++i) {
      std::memset(&l[i], 0, sizeof(LinhaDado));
      std::memcpy(l[i].valor, m.dados[i].valor, sizeof l[i].valor);
      std::memcpy(l[i].residuo, m.dados[i].residuo, sizeof l[i].residuo);
      l[i].excluido = m.dados[i].excluido;
      l[i].linha = int(i) + 1;
    }
    for (auto& x : l) p.push_back(&x);
  }
};

// Twelve records, two regressors, a log dependent; the stored equation is
// the least-squares fit computed here with newmat, residuals and s stored.
ModeloEquacao ModeloAjustado(int registros = 12, bool excluiUm = false) {
  std::vector<double> a, b, y;
  for (int i = 0; i < registros; ++i) {
    a.push_back(10.0 + 3.0 * i + (i % 3));
    b.push_back(1.0 + (i * 7 % 5));
    y.push_back(std::exp(0.5 + 0.04 * a.back() + 0.1 * b.back() + 0.05 * std::sin(i * 1.7)));
  }
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("VU")}, {a, b, y});
  m.Codigo(0, 1).Codigo(1, 1).Codigo(2, 3);
  if (excluiUm) {
    m.dados[3].excluido = 1;
    m.cab->SetNumConsiderados(registros - 1);
  }
  const int n = m.cab->NumConsiderados();
  NEWMAT::Matrix X(n, 3);
  NEWMAT::ColumnVector Y(n);
  int r = 0;
  for (int i = 0; i < registros; ++i) {
    if (m.dados[std::size_t(i)].excluido) continue;
    ++r;
    X(r, 1) = 1.0, X(r, 2) = a[std::size_t(i)], X(r, 3) = b[std::size_t(i)];
    Y(r) = std::log(y[std::size_t(i)]);
  }
  const NEWMAT::ColumnVector beta = (X.t() * X).i() * (X.t() * Y);
  m.Coeficiente(2, beta(1)).Coeficiente(0, beta(2)).Coeficiente(1, beta(3));
  const NEWMAT::ColumnVector e = Y - X * beta;
  m.cab->SetF64(C::OffErroPadrao, std::sqrt(e.SumSquare() / (n - 3)));
  r = 0;
  for (int i = 0; i < registros; ++i)
    if (!m.dados[std::size_t(i)].excluido) m.dados[std::size_t(i)].residuo[0] = e(++r);
  return m;
}

TEST(NucleoDiagnostico, RecomputedResidualsOfTheDependentEqualTheStoredFit) {
  for (bool exclui : {false, true}) {
    ModeloEquacao m = ModeloAjustado(12, exclui);
    Linhas linhas(m);
    CabecalhoModelo copia = *m.cab;
    diag::Residuos r;
    diag::CalculaResiduos(copia, linhas.p.data(), 12, 3, 2, 0, r);
    EXPECT_NEAR(r.s, m.cab->F64(C::OffErroPadrao), 1e-9);
    for (int v = 0; v < 3; ++v)
      EXPECT_NEAR(copia.F64VE(C::OffCoeficientes, v, 0), m.cab->F64VE(C::OffCoeficientes, v, 0), 1e-9) << v;
    for (int i = 0; i < 12; ++i) {
      const dado& d = m.dados[std::size_t(i)];
      if (d.excluido) {
        EXPECT_EQ(r.registro[std::size_t(i)], 0);
        EXPECT_EQ(linhas.l[std::size_t(i)].residuo[0], 0.0);
        continue;
      }
      EXPECT_NEAR(r.Z[std::size_t(i)] * r.s, d.residuo[0], 1e-9) << i;
      // Back in untransformed units: the observed value and e^y - e^(y - e).
      EXPECT_NEAR(linhas.l[std::size_t(i)].valor[2], d.valor[2], 1e-9 * d.valor[2]);
      EXPECT_NEAR(linhas.l[std::size_t(i)].residuo[0], d.valor[2] - std::exp(std::log(d.valor[2]) - d.residuo[0]),
                  1e-9 * d.valor[2]);
    }
  }
}

TEST(NucleoDiagnostico, ModelResidualsForARegressorSolveTheEquationForIt) {
  ModeloEquacao m = ModeloAjustado();
  Linhas linhas(m);
  CabecalhoModelo copia = *m.cab;
  diag::Residuos r;
  diag::CalculaResiduos(copia, linhas.p.data(), 12, 3, 0, 1, r);
  const double b0 = m.cab->F64VE(C::OffCoeficientes, 2, 0), bA = m.cab->F64VE(C::OffCoeficientes, 0, 0),
               bB = m.cab->F64VE(C::OffCoeficientes, 1, 0);
  for (int i = 0; i < 12; ++i) {
    const dado& d = m.dados[std::size_t(i)];
    EXPECT_NEAR(r.F[std::size_t(i)], (std::log(d.valor[2]) - b0 - bB * d.valor[1]) / bA, 1e-9);
    EXPECT_DOUBLE_EQ(r.XO[std::size_t(i)], d.valor[0]);
    EXPECT_NEAR(r.RO[std::size_t(i)], d.residuo[0] / m.cab->F64(C::OffErroPadrao), 1e-12);
  }
  // The analysed variable's code went last.
  EXPECT_EQ(copia.I32VE(C::OffTransformacoes, 2, 0), 1);
  EXPECT_EQ(copia.I32VE(C::OffTransformacoes, 0, 0), 3);
}

TEST(NucleoDiagnostico, CookDistanceAndLeverageMatchTheDenseHatMatrix) {
  ModeloEquacao m = ModeloAjustado();
  Linhas linhas(m);
  diag::DistanciasCook r;
  ASSERT_TRUE(diag::CalculaDistanciaCook(*m.cab, linhas.p.data(), 12, 3, r));
  NEWMAT::Matrix X(12, 3);
  for (int i = 0; i < 12; ++i) {
    X(i + 1, 1) = 1.0;
    X(i + 1, 2) = m.dados[std::size_t(i)].valor[0];
    X(i + 1, 3) = m.dados[std::size_t(i)].valor[1];
  }
  const NEWMAT::Matrix H = X * (X.t() * X).i() * X.t();
  const double s = m.cab->F64(C::OffErroPadrao);
  double soma = 0.0;
  for (int i = 0; i < 12; ++i) {
    const double h = H(i + 1, i + 1), e = m.dados[std::size_t(i)].residuo[0];
    EXPECT_NEAR(r.h[std::size_t(i)], h, 1e-12);
    EXPECT_NEAR(r.D[std::size_t(i)], e * e / (3 * s * s) * h / ((1 - h) * (1 - h)), 1e-12);
    EXPECT_NEAR(r.Z[std::size_t(i)], e / s, 1e-15);
    soma += r.h[std::size_t(i)];
  }
  EXPECT_NEAR(soma, 3.0, 1e-10);
}

TEST(NucleoDiagnostico, DependentRegressorsAreSingularNotACrash) {
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("VU")},
                  {{1, 2, 3, 4, 5}, {2, 4, 6, 8, 10}, {3, 5, 8, 9, 12}});
  m.cab->SetF64(C::OffErroPadrao, 1.0);
  Linhas linhas(m);
  diag::DistanciasCook r;
  EXPECT_FALSE(diag::CalculaDistanciaCook(*m.cab, linhas.p.data(), 5, 3, r));
  ASSERT_EQ(r.D.size(), 5u);
  EXPECT_TRUE(std::isnan(r.D[0]));
}

TEST(NucleoDiagnostico, HistogramClassesAndTheNormalCurve) {
  const std::pair<int, int> casos[] = {{8, 3}, {30, 5}, {2000, 32}, {0, 3}, {16, 4}};
  for (auto [n, c] : casos) EXPECT_EQ(diag::NumeroClasses(n), c) << n;
  const auto curva = diag::CurvaNormal();
  ASSERT_EQ(curva.size(), 61u);
  EXPECT_NEAR(curva.front().first, -3.0, 1e-12);
  EXPECT_NEAR(curva.back().first, 3.0, 1e-12);
  EXPECT_NEAR(curva[30].first, 0.0, 1e-14);
  EXPECT_NEAR(curva[30].second, 0.3989423, 1e-7);

  const std::vector<double> z = {-1.5, -0.2, 0.0, 0.4, 0.9, 2.5, -1.5, 1.1};
  const diag::Histograma h = diag::CalculaHistograma(z, 5, 8);
  ASSERT_EQ(h.centro.size(), 5u);
  EXPECT_NEAR(h.centro.front(), -1.5, 1e-12);
  EXPECT_NEAR(h.centro.back(), 2.5, 1e-12);
  double total = 0.0;
  for (double f : h.frequencia) total += f;
  EXPECT_NEAR(total, 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(h.frequencia.back(), 1.0 / 8);  // the largest falls in the last class
  // All equal: zero width, every class empty.
  const diag::Histograma vazio = diag::CalculaHistograma({0.5, 0.5, 0.5}, 3, 3);
  for (double f : vazio.frequencia) EXPECT_EQ(f, 0.0);
}

TEST(NucleoDiagnostico, AdherenceBackTransformsACopyOfTheDependent) {
  ModeloEquacao m = ModeloAjustado();
  Linhas linhas(m);
  const double s = m.cab->F64(C::OffErroPadrao);
  diag::Aderencia a;
  for (int vez = 0; vez < 2; ++vez) {  // the rows never change: twice gives the same
    diag::CalculaAderencia(*m.cab, linhas.p.data(), 12, 3, s, a);
    for (int i = 0; i < 12; ++i) {
      const dado& d = m.dados[std::size_t(i)];
      const double yT = std::log(d.valor[2]), e = d.residuo[0];
      EXPECT_NEAR(a.A[std::size_t(i)], std::exp(yT) - std::exp(yT - e), 1e-9 * d.valor[2]);
      EXPECT_NEAR(a.B[std::size_t(i)], e / s, 1e-12);
      EXPECT_EQ(a.y[std::size_t(i)], d.valor[2]);
      EXPECT_EQ(linhas.l[std::size_t(i)].valor[2], d.valor[2]);
    }
  }
  // Code 4 with a negative fitted value adds the roots.
  EXPECT_NEAR(diag::ResiduoOriginal(4.0, 5.0, 4, 0.0), 2.0 + 1.0, 1e-15);
  EXPECT_NEAR(diag::ResiduoOriginal(4.0, 1.5, 1, 0.0), 1.5, 0.0);
  EXPECT_NEAR(diag::ResiduoOriginal(4.0, 1.5, 0, 1.0), 1.5, 0.0);
}

TEST(NucleoDiagnostico, OutliersAreStrictlyBeyondTwo) {
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("VU")}, {{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
  m.cab->SetF64(C::OffErroPadrao, 1.0);
  const double residuos[] = {2.0, -2.0, 2.0001, -2.0001, 3.0};
  for (int i = 0; i < 5; ++i) m.dados[std::size_t(i)].residuo[0] = residuos[i];
  m.dados[4].excluido = 1;
  const auto lista = diag::ListaOutliers(*m.cab, m.dados.data(), 0);
  ASSERT_EQ(lista.size(), 2u);
  EXPECT_EQ(lista[0].registro, 2);
  EXPECT_EQ(lista[1].registro, 3);
  EXPECT_DOUBLE_EQ(lista[1].padronizado, -2.0001);
}

// A spatial model over 6 records on a line, W the inverse distances.
ModeloEquacao ModeloEspacial(bool lag, double rho) {
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("VU")},
                  {{1, 2, 3, 4, 5, 6}, {3.1, 4.9, 7.2, 8.8, 11.1, 13.2}});
  m.Codigo(0, 1).Codigo(1, 1);
  m.Espacial({1.8, 0.9}, rho, lag);
  m.W.ReSize(6, 6);
  for (int i = 1; i <= 6; ++i)
    for (int j = 1; j <= 6; ++j) m.W(i, j) = i == j ? 0.0 : 1.0 / std::abs(i - j);
  m.cab->SetU8(C::OffNormalizaW, 1);
  return m;
}

TEST(NucleoDiagnostico, SpatialFittedValuesOneFactorisationPerRhoAndW) {
  ModeloEquacao m = ModeloEspacial(true, 0.3);
  diag::SolucaoEspacial sol;
  diag::AjusteEspacial r;
  ASSERT_TRUE(diag::CalculaAjusteEspacial(*m.cab, m.dados.data(), m.W, sol, r));
  NEWMAT::Matrix Wn = m.W;
  for (int i = 1; i <= 6; ++i) Wn.Row(i) /= Wn.Row(i).Sum();
  NEWMAT::IdentityMatrix I(6);
  NEWMAT::Matrix X(6, 2);
  NEWMAT::ColumnVector b(2);
  b << 0.9 << 1.8;
  for (int i = 1; i <= 6; ++i) X(i, 1) = 1.0, X(i, 2) = i;
  const NEWMAT::ColumnVector esperado = (I - 0.3 * Wn).i() * (X * b);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(r.yhatT[std::size_t(i)], esperado(i + 1), 1e-12);
  EXPECT_EQ(sol.Fatoracoes(), 1);
  ASSERT_TRUE(diag::CalculaAjusteEspacial(*m.cab, m.dados.data(), m.W, sol, r));
  EXPECT_EQ(sol.Fatoracoes(), 1);  // same rho and W: the factors are reused
  m.cab->SetF64(C::OffRho, 0.5);
  ASSERT_TRUE(diag::CalculaAjusteEspacial(*m.cab, m.dados.data(), m.W, sol, r));
  EXPECT_EQ(sol.Fatoracoes(), 2);

  // The error model ignores W and rho; rho = 0 makes both kinds agree.
  ModeloEquacao erro = ModeloEspacial(false, 0.5), lag0 = ModeloEspacial(true, 0.0);
  diag::AjusteEspacial re, r0;
  ASSERT_TRUE(diag::CalculaAjusteEspacial(*erro.cab, erro.dados.data(), erro.W, sol, re));
  ASSERT_TRUE(diag::CalculaAjusteEspacial(*lag0.cab, lag0.dados.data(), lag0.W, sol, r0));
  const NEWMAT::ColumnVector Xb = X * b;
  for (int i = 0; i < 6; ++i) {
    EXPECT_NEAR(re.yhatT[std::size_t(i)], Xb(i + 1), 1e-12);
    EXPECT_NEAR(r0.yhatT[std::size_t(i)], re.yhatT[std::size_t(i)], 1e-12);
  }
}

// W row-standardised, the records on a line: each record's two neighbours
// (1.3 % of the weights non-zero, the sparse solve) or the inverse distances
// between every pair (the dense one).
NEWMAT::Matrix PesosLinha(int n, bool cadeia) {
  NEWMAT::Matrix W(n, n);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j)
      W(i, j) = i == j ? 0.0 : cadeia ? (std::abs(i - j) == 1 ? 1.0 : 0.0) : 1.0 / std::abs(i - j);
    W.Row(i) /= W.Row(i).Sum();
  }
  return W;
}

// Five random neighbours per record with weights up to 2, not standardised:
// I - rho W is then not diagonally dominant and the sparse LU must pivot.
NEWMAT::Matrix PesosAleatorios(int n) {
  NEWMAT::Matrix W(n, n);
  W = 0.0;
  std::mt19937 g(3);
  std::uniform_int_distribution<int> j(1, n);
  std::uniform_real_distribution<double> p(0.1, 2.0);
  for (int i = 1; i <= n; ++i)
    for (int k = 0; k < 5; ++k)
      if (const int c = j(g); c != i) W(i, c) = p(g);
  return W;
}

TEST(NucleoDiagnostico, SingularSpatialSystemIsRefused) {
  NEWMAT::Matrix W(2, 2);
  W << 0.0 << 1.0 << 1.0 << 0.0;
  NEWMAT::ColumnVector b(2), x;
  b << 1.0 << 2.0;
  diag::SolucaoEspacial sol;
  EXPECT_FALSE(sol.Resolve(W, 1.0, b, x));  // I - W is singular
  EXPECT_TRUE(sol.Resolve(W, 0.5, b, x));
  EXPECT_NEAR(x(1) - 0.5 * x(2), 1.0, 1e-12);
  // The same by the sparse solve: rows summing to 1 leave I - W singular.
  const NEWMAT::Matrix cadeia = PesosLinha(150, true);
  NEWMAT::ColumnVector c(150);
  c = 1.0;
  EXPECT_FALSE(sol.Resolve(cadeia, 1.0, c, x));
}

TEST(NucleoDiagnostico, SparseAndDenseSystemsMatchADirectSolve) {
  const std::pair<const char*, NEWMAT::Matrix> casos[] = {
      {"cadeia", PesosLinha(150, true)}, {"aleatoria", PesosAleatorios(200)}, {"todos os pares", PesosLinha(40, false)}};
  for (const auto& [nome, W] : casos) {
    const int n = W.Nrows();
    NEWMAT::ColumnVector b(n), x;
    for (int i = 1; i <= n; ++i) b(i) = std::sin(i) + 2.0;
    diag::SolucaoEspacial sol;
    ASSERT_TRUE(sol.Resolve(W, 0.7, b, x)) << nome;
    const NEWMAT::IdentityMatrix I(n);
    const NEWMAT::ColumnVector esperado = (I - 0.7 * W).i() * b;
    ASSERT_EQ(x.Nrows(), n);
    const double escala = esperado.MaximumAbsoluteValue();
    for (int i = 1; i <= n; ++i) EXPECT_NEAR(x(i), esperado(i), 1e-10 * escala) << nome << " " << i;
    ASSERT_TRUE(sol.Resolve(W, 0.7, b, x));
    EXPECT_EQ(sol.Fatoracoes(), 1) << nome;
  }
}

// The dense solve holds I - rho W once: LAPACK factorises it in place, with
// no row-order copy beside it.
TEST(NucleoDiagnostico, DenseSolveHoldsOneSquareMatrix) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow and quarantine make resident memory no measure of ours";
#endif
  const int n = 1500;
  const double matriz = 8.0 * n * n / (1024.0 * 1024.0);
  const NEWMAT::Matrix W = PesosLinha(n, false);
  NEWMAT::ColumnVector b(n), x;
  for (int i = 1; i <= n; ++i) b(i) = std::sin(i) + 2.0;
  diag::SolucaoEspacial sol;
  ASSERT_TRUE(sol.Resolve(W, 0.3, b, x));  // the first call also sets up the BLAS library's buffers
  malloc_trim(0);
  const double antes = MemoriaMB("VmRSS");
  ZeraPico();
  if (MemoriaMB("VmHWM") > antes + 1.0) GTEST_SKIP() << "the peak of resident memory cannot be reset here";
  ASSERT_TRUE(sol.Resolve(W, 0.4, b, x));
  EXPECT_LT(MemoriaMB("VmHWM") - antes, 1.4 * matriz);
}

// Random neighbours make the sparse LU fill in far beyond W. Under limits
// on the address space that leave room for W's non-zeros but not for the
// factors, each solve ends for lack of memory wherever the limit falls: the
// fit says so (and is no number), neither a singular matrix nor a crash.
TEST(NucleoDiagnostico, SparseSolveOutOfMemoryIsSaidAsSuch) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves address space a limit cannot leave room for";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const int n = 3000;
  std::vector<double> a, y;
  for (int i = 0; i < n; ++i) a.push_back(1.0 + i), y.push_back(12.0 + 2.0 * i);
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("VU")}, {a, y});
  m.Espacial({2.0, 10.0}, 0.5, true);
  m.cab->SetU8(C::OffNormalizaW, 1);
  m.W.ReSize(n, n);
  m.W = 0.0;
  std::mt19937 g(7);
  std::uniform_int_distribution<int> j(1, n);
  for (int i = 1; i <= n; ++i)
    for (int k = 0; k < 60; ++k) m.W(i, j(g)) = 1.0;
  for (int i = 1; i <= n; ++i) m.W(i, i) = 0.0;
  auto semMemoria = [&] {
    rlimit lim{};
    if (getrlimit(RLIMIT_AS, &lim) != 0) std::_Exit(2);
    const rlim_t livre = lim.rlim_cur;
    for (const int folga : {12, 20, 28}) {
      malloc_trim(0);
      unsigned long paginas = 0;
      if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lu", &paginas) != 1) paginas = 0;
        std::fclose(statm);
      }
      lim.rlim_cur = rlim_t(paginas) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(folga) << 20);
      if (paginas == 0 || setrlimit(RLIMIT_AS, &lim) != 0) std::_Exit(2);
      diag::SolucaoEspacial sol;
      diag::AjusteEspacial r;
      const bool ok = diag::CalculaAjusteEspacial(*m.cab, m.dados.data(), m.W, sol, r);
      lim.rlim_cur = livre;
      if (setrlimit(RLIMIT_AS, &lim) != 0) std::_Exit(2);
      if (ok || !r.semMemoria || std::isfinite(r.yhatT.front())) {
        std::fprintf(stderr, "folga %d MB: ok %d semMemoria %d\n", folga, ok, r.semMemoria);
        std::_Exit(1);
      }
    }
    std::_Exit(0);
  };
  EXPECT_EXIT(semMemoria(), ::testing::ExitedWithCode(0), "");
}

TEST(NucleoDiagnostico, ValidationEstimatesLinearAndSpatial) {
  ModeloEquacao m = ModeloEspacial(true, 0.4);
  m.cab->SetI32(C::OffEspacialCalculado, 0);  // linear only first
  m.Coeficiente(1, 1.0).Coeficiente(0, 2.0);
  m.dados[1].excluido = 1, m.dados[1].validacao = 1;
  m.dados[4].excluido = 1, m.dados[4].validacao = 1;
  m.cab->SetNumConsiderados(4);
  m.cab->SetI32(C::OffNumValidacao, 2);
  diag::Validacao v;
  diag::CalculaValidacao(*m.cab, m.dados.data(), m.W, v);
  EXPECT_FALSE(v.temEspacial);
  EXPECT_TRUE(v.espacial.empty());
  ASSERT_EQ(v.registro, (std::vector<int>{1, 4}));
  EXPECT_DOUBLE_EQ(v.linear[0], 1.0 + 2.0 * 2);
  EXPECT_DOUBLE_EQ(v.linear[1], 1.0 + 2.0 * 5);
  EXPECT_DOUBLE_EQ(v.y[1], 11.1);

  m.cab->SetI32(C::OffEspacialCalculado, 1);
  diag::CalculaValidacao(*m.cab, m.dados.data(), m.W, v);
  ASSERT_TRUE(v.temEspacial);
  // Record 2 (index 1) against the considered records 1, 3, 4, 6: the
  // weights 1/|i - j| row-standardised, no diagonal rule.
  const int considerados[] = {0, 2, 3, 5};
  const double yc[] = {3.1, 7.2, 8.8, 13.2};
  double soma = 0.0, wy = 0.0;
  for (int k = 0; k < 4; ++k) soma += 1.0 / std::abs(1 - considerados[k]);
  for (int k = 0; k < 4; ++k) wy += (1.0 / std::abs(1 - considerados[k])) / soma * yc[k];
  EXPECT_NEAR(v.espacial[0], 0.9 + 1.8 * 2 + 0.4 * wy, 1e-12);
}

}  // namespace
