// The sparse path of the fits against the dense one on the same W: the grid,
// the likelihood and the estimates bit for bit, every other stored figure
// within 1e-9 relative; the traces the same bits on any number of threads.
// The W are the six nearest neighbours of points drawn by integer arithmetic.
#include "AlgebraDensa.h"
#include "AlgebraEsparsa.h"
#include "CalculoEspacial.h"
#include "FixtureEspacial.h"
#include "GradeLogDeterminante.h"
#include "model/Transformacoes.h"
#include "tests/support/MemoriaProcesso.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

using namespace quenvik;

namespace {

using Problema = ProblemaSintetico;

// Weight 1 for each of the six nearest neighbours (the header normalises).
Problema Monta(int n) {
  return MontaProblema(n, 777 + std::uint64_t(n), [n](const std::vector<double>& px, const std::vector<double>& py,
                                                       NEWMAT::Matrix& W) {
    std::vector<std::pair<double, int>> d;
    for (int i = 0; i < n; ++i) {
      d.clear();
      for (int j = 0; j < n; ++j)
        if (j != i) d.emplace_back((px[i] - px[j]) * (px[i] - px[j]) + (py[i] - py[j]) * (py[i] - py[j]), j);
      std::partial_sort(d.begin(), d.begin() + 6, d.end());
      for (int k = 0; k < 6; ++k) W(i + 1, d[std::size_t(k)].second + 1) = 1.0;
    }
  });
}

const Problema& Dados(int n) {
  static std::map<int, Problema> cache;
  auto it = cache.find(n);
  if (it == cache.end()) it = cache.emplace(n, Monta(n)).first;
  return it->second;
}

NEWMAT::Matrix Normalizada(int n) {
  NEWMAT::Matrix W = Dados(n).W;
  PadronizaLinhasNoLugar(W);
  return W;
}

std::unique_ptr<CabecalhoModelo> Ajusta(const Problema& p, bool defasagem, std::optional<bool> esparsa) {
  const int n = p.y.Nrows();
  auto cab = CabecalhoEspacial(3, n);
  NEWMAT::ColumnVector y = p.y;
  NEWMAT::Matrix X = p.X, W = p.W;
  OpcoesCalculo op;
  op.sorteio = 4321;
  op.esparsa = esparsa;
  const bool ok = defasagem ? Sar(&y, &X, &W, cab.get(), nullptr, op) : Sem(&y, &X, &W, cab.get(), nullptr, op);
  if (!ok) return nullptr;
  return cab;
}

std::size_t Slot(int j) { return std::size_t(408776 + 8 * j); }

struct Caso {
  bool defasagem;
  int n;
};
void PrintTo(const Caso& c, std::ostream* os) { *os << (c.defasagem ? "sar" : "sem") << " n = " << c.n; }

class EsparsaIgualDensa : public ::testing::TestWithParam<Caso> {};

}  // namespace

TEST_P(EsparsaIgualDensa, EveryStoredFigure) {
  const Caso c = GetParam();
  const auto densa = Ajusta(Dados(c.n), c.defasagem, false);
  const auto esparsa = Ajusta(Dados(c.n), c.defasagem, true);
  const auto detectada = Ajusta(Dados(c.n), c.defasagem, std::nullopt);
  ASSERT_NE(densa, nullptr);
  ASSERT_NE(esparsa, nullptr);
  ASSERT_NE(detectada, nullptr);
  // Six neighbours in n records: the fit finds the sparse form by itself.
  EXPECT_EQ(std::memcmp(esparsa->bytes, detectada->bytes, CabecalhoModelo::Tamanho), 0);

  // What the grid and the products with W give: the same bits.
  std::vector<int> exatos = {60, 62, 63};
  for (int v = 0; v < 4; ++v) exatos.push_back(v);
  for (int j : exatos) EXPECT_EQ(esparsa->F64(Slot(j)), densa->F64(Slot(j))) << "slot " << j;
  EXPECT_EQ(esparsa->I32(408724), densa->I32(408724));  // evaluations of the minimiser

  // What the traces and the solves give: within 1e-9 relative.
  std::vector<std::size_t> campos;
  for (int v = 0; v < 4; ++v)
    for (int base : {66, 126}) campos.push_back(Slot(base + v));
  for (int j : {64, 65, 186}) campos.push_back(Slot(j));
  for (std::size_t off : {408744, 408752, 410304, 410312, 410320}) campos.push_back(off);
  for (std::size_t off : campos) {
    const double a = esparsa->F64(off), b = densa->F64(off);
    EXPECT_LE(std::fabs(a - b), 1e-9 * std::max(std::fabs(b), 1e-300)) << "offset " << off << ": " << a << " " << b;
  }
  for (std::size_t off : {408704, 408716, 408720, 410272, 410276, 410280, 410284})
    EXPECT_EQ(esparsa->I32(off), densa->I32(off)) << "offset " << off;
}

INSTANTIATE_TEST_SUITE_P(Knn, EsparsaIgualDensa,
                         ::testing::Values(Caso{true, 1000}, Caso{false, 1000}, Caso{true, 2000}, Caso{false, 2000}));

// n = 1,003 leaves three columns past the last group of four.
TEST(Esparsa, GridSameBitsAsDense) {
  for (int n : {1000, 1003}) {
    NEWMAT::Matrix W = Normalizada(n);
    W(5, 5) = 0.25;  // a weight on the diagonal goes through tr(W) and tr(W²) too
    const auto e = FormaEsparsa(W);
    const NEWMAT::Matrix densa = EstimaLogDeterminante(W, 50, 30, Progresso(), 77);
    const NEWMAT::Matrix esparsa = EstimaLogDeterminante(W, 50, 30, Progresso(), 77, e.get());
    ASSERT_EQ(densa.Nrows(), esparsa.Nrows());
    for (int i = 1; i <= densa.Nrows(); ++i) ASSERT_EQ(esparsa(i, 2), densa(i, 2)) << "n = " << n << " row " << i;
  }
}

TEST(Esparsa, ProductsSameBitsAsDense) {
  const NEWMAT::Matrix W = Normalizada(1003);
  const auto e = FormaEsparsa(W);
  const Problema& p = Dados(1003);
  const NEWMAT::ColumnVector a = ProdutoW(*e, p.y), b = ProdutoW(W, p.y);
  for (int i = 1; i <= a.Nrows(); ++i) ASSERT_EQ(a(i), b(i));
  const NEWMAT::Matrix A = ProdutoDenso(*e, p.X), B = ProdutoDenso(W, p.X);
  for (int i = 1; i <= A.Nrows(); ++i)
    for (int j = 1; j <= A.Ncols(); ++j) ASSERT_EQ(A(i, j), B(i, j));
}

TEST(Esparsa, TracesSameBitsOnAnyThreadCountAndMatchDense) {
  const NEWMAT::Matrix W = Normalizada(1000);
  const auto e = FormaEsparsa(W);
  const double a = 0.6;
  std::vector<TracosZ> r;
  for (int threads : {1, 3, 8}) {
    FixaThreadsCalculo(threads);
    r.push_back(FatoracaoEsparsa(*e, a).Tracos());
  }
  const TracosZ densa = CalculaTracosZ(ResolveIdentidadeMenos(W, a), a);
  DefineThreadsCalculo(1000);
  for (const TracosZ& t : r) {
    EXPECT_EQ(std::memcmp(&t, &r[0], sizeof t), 0);
    for (auto [x, y] : {std::pair{t.traco, densa.traco}, {t.quadrados, densa.quadrados},
                        {t.produto, densa.produto}, {t.inversa, densa.inversa}})
      EXPECT_NEAR(x, y, 1e-9 * std::fabs(y));
  }
}

// Which W the fits take sparse: the average count of non-zeros a row decides
// (the LU's fill grows with it whatever n is), the share keeps small models
// dense.
TEST(Esparsa, SparsePathWhileFewNeighboursARecord) {
  struct Caso {
    int n, vizinhos;
    bool esparsa;
  };
  for (const Caso c : {Caso{2000, 6, true}, Caso{2000, 64, true}, Caso{2000, 70, false}, Caso{5000, 100, false},
                       Caso{100, 4, true}, Caso{100, 6, false}}) {
    NEWMAT::Matrix W(c.n, c.n);
    W = 0.0;
    for (int i = 0; i < c.n; ++i)
      for (int k = 1; k <= c.vizinhos; ++k) W(i + 1, (i + k) % c.n + 1) = 1.0;
    EXPECT_EQ(DetectaEsparsa(W) != nullptr, c.esparsa) << c.n << " x " << c.vizinhos;
  }
}

// A dense lag fit holds one n x n matrix besides the caller's W: W·(I − ρW)⁻¹,
// made in place.
TEST(Esparsa, DenseLagFitHoldsOneSquareMatrixBesidesW) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow and quarantine make resident memory no measure of ours";
#endif
  const int n = 1500;
  const Problema p = MontaProblema(n, 31, [n](const std::vector<double>& px, const std::vector<double>& py,
                                              NEWMAT::Matrix& W) {
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        if (i != j) W(i + 1, j + 1) = 1.0 / (1.0 + std::hypot(px[i] - px[j], py[i] - py[j]));
  });
  bool zerado = true;
  auto ajusta = [&] {
    const double antes = MemoriaMB("VmRSS");
    ZeraPico();
    zerado = MemoriaMB("VmHWM") <= antes + 1.0;
    EXPECT_NE(Ajusta(p, true, false), nullptr);
    return MemoriaMB("VmHWM") - antes;
  };
  ajusta();  // the first fit also sets up the BLAS library's buffers
  const double cresceu = ajusta();
  if (!zerado) GTEST_SKIP() << "the peak of resident memory cannot be reset here";
  // The caller's copy of W and the one matrix of the fit.
  EXPECT_LT(cresceu, 2.5 * 8.0 * n * n / (1024.0 * 1024.0));
}

// A W with most pairs weighted stays on the dense path: the default fit is
// the forced dense one byte for byte.
TEST(Esparsa, DenseWeightsKeepTheDensePath) {
  const FixtureEspacial& f = FixtureEspacial::Carrega();
  const int n = f.y.Nrows();
  ASSERT_GT(FracaoNaoNulos(f.W), FracaoEsparsaMaxima);
  std::vector<std::unique_ptr<CabecalhoModelo>> cab;
  for (std::optional<bool> esparsa : {std::optional<bool>(false), std::optional<bool>()}) {
    cab.push_back(CabecalhoEspacial(3, n));
    NEWMAT::ColumnVector y = f.y;
    NEWMAT::Matrix X = f.X, W = f.W;
    OpcoesCalculo op;
    op.sorteio = 99;
    op.esparsa = esparsa;
    ASSERT_TRUE(Sar(&y, &X, &W, cab.back().get(), nullptr, op));
  }
  EXPECT_EQ(std::memcmp(cab[0]->bytes, cab[1]->bytes, CabecalhoModelo::Tamanho), 0);
}
