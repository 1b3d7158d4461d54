// Speed of the spatial library.
// - Dense inverse-distance W (every pair), row-normalised, n = 500 … 2,000:
//   the log-determinant grid beside the same 1,500 products W·v through
//   newmat's operator, and whole lag and error fits and residual tests.
// - Inverse distances within a cut-off of about 30 neighbours, handed over
//   raw and row-normalised by the library as the program does, n = 1,000 …
//   10,000: whole fits with the peak resident memory of the process during
//   the fit, and the two phases that grow with n (the grid, about n², and
//   W·(I − ρW)⁻¹, about n³). Run one size at a time for clean peaks, e.g.
//   --benchmark_filter='Corte/10000'.
// - The six nearest neighbours of each point, weight 1, row-normalised by the
//   library, n = 1,000 … 10,000: whole lag and error fits on the sparse W
//   most spatial users build (--benchmark_filter='Knn/10000').
// Threads follow the library's choice, or OPENBLAS_NUM_THREADS when set.
#include "AlgebraDensa.h"
#include "CalculoEspacial.h"
#include "GradeLogDeterminante.h"
#include "tests/support/MemoriaProcesso.h"
#include "model/CabecalhoModelo.h"
#include "model/Transformacoes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace quenvik;

namespace {

// Points in a 100 × 100 square, three regressors and y = Xβ + 0.5·W·Xβ + ε,
// drawn in this order from one generator; `defasa` gives W·Xβ from the
// points (building W consumes no draws).
struct Amostra {
  std::vector<double> px, py;
  NEWMAT::Matrix X;  // three regressors, no intercept
  NEWMAT::ColumnVector y;
};

template <typename Defasa>
Amostra Sorteia(std::uint64_t semente, int n, Defasa defasa) {
  std::mt19937_64 g(semente);
  std::uniform_real_distribution<double> u(0.0, 100.0);
  std::normal_distribution<double> z(0.0, 1.0);
  Amostra a;
  a.px.resize(n);
  a.py.resize(n);
  for (int i = 0; i < n; ++i) { a.px[i] = u(g); a.py[i] = u(g); }
  a.X.ReSize(n, 3);
  for (int i = 1; i <= n; ++i) {
    a.X(i, 1) = 5.0 + 2.0 * z(g);
    a.X(i, 2) = z(g);
    a.X(i, 3) = u(g) / 30.0;
  }
  NEWMAT::ColumnVector xb(n);
  for (int i = 1; i <= n; ++i) xb(i) = 10.0 + 2.0 * a.X(i, 1) - 1.5 * a.X(i, 2) + 0.8 * a.X(i, 3);
  const NEWMAT::ColumnVector wxb = defasa(a, xb);
  a.y.ReSize(n);
  for (int i = 1; i <= n; ++i) a.y(i) = xb(i) + 0.5 * wxb(i) + z(g);
  return a;
}

// Inverse distances (within `corte` when it is positive), zero diagonal.
NEWMAT::Matrix InversoDistancias(const Amostra& a, double corte) {
  const int n = static_cast<int>(a.px.size());
  NEWMAT::Matrix W(n, n);
  double* w = W.Store();
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const double d = std::hypot(a.px[i] - a.px[j], a.py[i] - a.py[j]);
      const bool vizinho = i != j && d > 0.0 && (corte <= 0.0 || d <= corte);
      w[std::size_t(i) * n + j] = vizinho ? 1.0 / d : 0.0;
    }
  return W;
}

// Dense problems keep W, row-normalised.
struct Problema {
  Amostra a;
  NEWMAT::Matrix W;
};

const Problema& Dados(int n) {
  static std::map<int, Problema> cache;
  auto it = cache.find(n);
  if (it != cache.end()) return it->second;
  Problema p;
  p.a = Sorteia(42 + n, n, [&](const Amostra& a, const NEWMAT::ColumnVector& xb) {
    p.W = InversoDistancias(a, 0.0);
    PadronizaLinhasNoLugar(p.W);
    return NEWMAT::ColumnVector(p.W * xb);
  });
  return cache.emplace(n, std::move(p)).first->second;
}

// Cut-off problems (about 30 neighbours) keep only the sample; W (8·n² bytes)
// is built afresh for each call, since the library normalises it in place.
double Corte(int n) { return std::sqrt(30.0 * 100.0 * 100.0 / (std::numbers::pi * n)); }

const Amostra& DadosCorte(int n) {
  static std::map<int, Amostra> cache;
  auto it = cache.find(n);
  if (it != cache.end()) return it->second;
  Amostra a = Sorteia(7 + n, n, [&](const Amostra& b, const NEWMAT::ColumnVector& xb) {
    NEWMAT::Matrix W = InversoDistancias(b, Corte(n));
    PadronizaLinhasNoLugar(W);
    return ProdutoW(W, xb);
  });
  return cache.emplace(n, std::move(a)).first->second;
}

NEWMAT::Matrix PesosCorte(int n) { return InversoDistancias(DadosCorte(n), Corte(n)); }

// The k nearest neighbours of each point (ties to the lower index), weight 1,
// zero diagonal.
constexpr int VizinhosKnn = 6;

NEWMAT::Matrix Vizinhos(const Amostra& a, int k) {
  const int n = static_cast<int>(a.px.size());
  NEWMAT::Matrix W(n, n);
  W = 0.0;
  std::vector<std::pair<double, int>> d(std::size_t(n > 0 ? n - 1 : 0));
  for (int i = 0; i < n; ++i) {
    std::size_t c = 0;
    for (int j = 0; j < n; ++j)
      if (j != i) d[c++] = {std::hypot(a.px[i] - a.px[j], a.py[i] - a.py[j]), j};
    const int m = std::min(k, n - 1);
    std::partial_sort(d.begin(), d.begin() + m, d.end());
    for (int h = 0; h < m; ++h) W.Store()[std::size_t(i) * n + d[h].second] = 1.0;
  }
  return W;
}

const Amostra& DadosKnn(int n) {
  static std::map<int, Amostra> cache;
  auto it = cache.find(n);
  if (it != cache.end()) return it->second;
  Amostra a = Sorteia(11 + n, n, [&](const Amostra& b, const NEWMAT::ColumnVector& xb) {
    NEWMAT::Matrix W = Vizinhos(b, VizinhosKnn);
    PadronizaLinhasNoLugar(W);
    return ProdutoW(W, xb);
  });
  return cache.emplace(n, std::move(a)).first->second;
}

std::unique_ptr<CabecalhoModelo> Cabecalho(int n, bool normaliza) {
  auto cab = std::make_unique<CabecalhoModelo>();
  cab->Zera();
  cab->SetI32(CabecalhoModelo::OffNumVariaveis, 4);
  cab->SetI32(65580, n);
  for (int v = 0; v < 4; ++v) cab->SetI32(CabecalhoModelo::OffHabilitadas + 4 * v, 1);
  cab->SetU8(CabecalhoModelo::OffNormalizaW, normaliza ? 1 : 0);
  cab->SetI32(CabecalhoModelo::OffMaxIteracoes, 500);
  cab->SetF64(CabecalhoModelo::OffRho, 0.5);
  cab->SetF64(CabecalhoModelo::OffTolerancia, 0.0001);
  cab->SetF64(CabecalhoModelo::OffRhoMinimo, -0.99);
  cab->SetF64(CabecalhoModelo::OffRhoMaximo, 0.99);
  cab->SetI32(CabecalhoModelo::OffIteracoesMonteCarlo, 30);
  return cab;
}

void BM_GradeLacos(benchmark::State& st) {
  const Problema& p = Dados(static_cast<int>(st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(EstimaLogDeterminante(p.W, 50, 30, Progresso(), 1));
}

// The same 30 × 50 products W·v, one vector at a time through newmat.
void BM_ProdutosNewmat(benchmark::State& st) {
  const int n = static_cast<int>(st.range(0));
  const Problema& p = Dados(n);
  NEWMAT::ColumnVector u(n);
  for (int i = 1; i <= n; ++i) u(i) = std::sin(i);
  for (auto _ : st) {
    double acumula = 0.0;
    for (int h = 0; h < 30; ++h) {
      NEWMAT::ColumnVector v = u;
      for (int k = 0; k < 50; ++k) {
        v = p.W * v;
        acumula += NEWMAT::DotProduct(u, v);
      }
    }
    benchmark::DoNotOptimize(acumula);
  }
}

void BM_Testes(benchmark::State& st) {
  const int n = static_cast<int>(st.range(0));
  const Problema& p = Dados(n);
  for (auto _ : st) {
    st.PauseTiming();
    auto cab = Cabecalho(n, false);
    NEWMAT::ColumnVector y = p.a.y;
    NEWMAT::Matrix X = p.a.X, W = p.W;
    st.ResumeTiming();
    if (!LmErroMoranI(&y, &X, &W, cab.get())) st.SkipWithError("tests failed");
  }
}

// One whole fit per iteration on fresh copies (the library normalises W and
// widens X in place), with the memory it took: "pico_MB" is the process's
// peak during the call, "antes_MB" its size before, "W_MB" the caller's W.
enum class TipoW { Denso, Corte, Knn };

void Ajuste(benchmark::State& st, bool defasagem, TipoW tipo) {
  const int n = static_cast<int>(st.range(0));
  OpcoesCalculo op;
  op.sorteio = 1;
  for (auto _ : st) {
    st.PauseTiming();
    auto cab = Cabecalho(n, tipo != TipoW::Denso);
    const Amostra& a = tipo == TipoW::Corte ? DadosCorte(n) : tipo == TipoW::Knn ? DadosKnn(n) : Dados(n).a;
    NEWMAT::ColumnVector y = a.y;
    NEWMAT::Matrix X = a.X;
    NEWMAT::Matrix W = tipo == TipoW::Corte ? PesosCorte(n)
                       : tipo == TipoW::Knn ? Vizinhos(a, VizinhosKnn)
                                            : NEWMAT::Matrix(Dados(n).W);
    const double antes = MemoriaMB("VmRSS");
    ZeraPico();
    st.ResumeTiming();
    const bool ok = defasagem ? Sar(&y, &X, &W, cab.get(), nullptr, op) : Sem(&y, &X, &W, cab.get(), nullptr, op);
    st.PauseTiming();
    if (!ok) st.SkipWithError("fit failed");
    st.counters["param"] = cab->F64(408776 + 8 * 60);
    st.counters["W_MB"] = 8.0 * n * n / (1024.0 * 1024.0);
    st.counters["antes_MB"] = antes;
    st.counters["pico_MB"] = MemoriaMB("VmHWM");
    st.ResumeTiming();
  }
}
void BM_Sar(benchmark::State& st) { Ajuste(st, true, TipoW::Denso); }
void BM_Sem(benchmark::State& st) { Ajuste(st, false, TipoW::Denso); }
void BM_SarCorte(benchmark::State& st) { Ajuste(st, true, TipoW::Corte); }
void BM_SemCorte(benchmark::State& st) { Ajuste(st, false, TipoW::Corte); }
void BM_SarKnn(benchmark::State& st) { Ajuste(st, true, TipoW::Knn); }
void BM_SemKnn(benchmark::State& st) { Ajuste(st, false, TipoW::Knn); }

// The share of non-zeros where the sparse path stops paying: lag fits on the
// k nearest neighbours (n, k), forced dense (0) or sparse (1).
void BM_Limiar(benchmark::State& st) {
  const int n = static_cast<int>(st.range(0)), k = static_cast<int>(st.range(1));
  OpcoesCalculo op;
  op.sorteio = 1;
  op.esparsa = st.range(2) != 0;
  for (auto _ : st) {
    st.PauseTiming();
    auto cab = Cabecalho(n, true);
    const Amostra& a = DadosKnn(n);
    NEWMAT::ColumnVector y = a.y;
    NEWMAT::Matrix X = a.X;
    NEWMAT::Matrix W = Vizinhos(a, k);
    st.ResumeTiming();
    if (!Sar(&y, &X, &W, cab.get(), nullptr, op)) st.SkipWithError("fit failed");
  }
  st.counters["fracao"] = double(k) / n;
}

// The two phases that grow with n, on the cut-off W normalised.
void BM_GradeCorte(benchmark::State& st) {
  const int n = static_cast<int>(st.range(0));
  NEWMAT::Matrix W = PesosCorte(n);
  PadronizaLinhasNoLugar(W);
  DefineThreadsCalculo(n);
  for (auto _ : st) benchmark::DoNotOptimize(EstimaLogDeterminante(W, 50, 30, Progresso(), 1));
}

void BM_InversaCorte(benchmark::State& st) {
  const int n = static_cast<int>(st.range(0));
  NEWMAT::Matrix W = PesosCorte(n);
  PadronizaLinhasNoLugar(W);
  DefineThreadsCalculo(n);
  for (auto _ : st) benchmark::DoNotOptimize(ResolveIdentidadeMenos(W, 0.4));
}

}  // namespace

BENCHMARK(BM_GradeLacos)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ProdutosNewmat)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sar)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Testes)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sem)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SarCorte)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_SemCorte)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_SarKnn)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_SemKnn)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_Limiar)->ArgsProduct({{1000}, {20, 40, 80, 160}, {0, 1}})->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();
BENCHMARK(BM_Limiar)->ArgsProduct({{2000}, {20, 40, 80, 160}, {0, 1}})->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();
BENCHMARK(BM_Limiar)->ArgsProduct({{5000}, {50, 100, 200}, {0, 1}})->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();
BENCHMARK(BM_Limiar)->ArgsProduct({{10000}, {50, 100}, {0, 1}})->Unit(benchmark::kMillisecond)
    ->Iterations(1)->UseRealTime();
BENCHMARK(BM_GradeCorte)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_InversaCorte)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();

BENCHMARK_MAIN();
