// Grid time for a dense inverse-distance W at n = 500, 1,000 and 2,000 beside
// the same 1,500 products W·v through newmat's operator, and the time of
// whole lag and error fits (grid, fit, information matrix, statistics) and of
// the residual tests.
#include "CalculoEspacial.h"
#include "GradeLogDeterminante.h"
#include "model/CabecalhoModelo.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>

using namespace quenvik;

namespace {

struct Problema {
  NEWMAT::ColumnVector y;
  NEWMAT::Matrix X;  // three regressors, no intercept
  NEWMAT::Matrix W;  // dense inverse distances, row-normalised
};

const Problema& Dados(int n) {
  static std::map<int, Problema> cache;
  auto it = cache.find(n);
  if (it != cache.end()) return it->second;
  std::mt19937_64 g(42 + n);
  std::uniform_real_distribution<double> u(0.0, 100.0);
  std::normal_distribution<double> z(0.0, 1.0);
  std::vector<double> px(n), py(n);
  for (int i = 0; i < n; ++i) { px[i] = u(g); py[i] = u(g); }
  Problema p;
  p.W.ReSize(n, n);
  for (int i = 0; i < n; ++i) {
    double s = 0.0;
    for (int j = 0; j < n; ++j) {
      const double d = std::hypot(px[i] - px[j], py[i] - py[j]);
      p.W(i + 1, j + 1) = (i == j || d == 0.0) ? 0.0 : 1.0 / d;
      s += p.W(i + 1, j + 1);
    }
    for (int j = 1; j <= n; ++j) p.W(i + 1, j) /= s;
  }
  p.X.ReSize(n, 3);
  p.y.ReSize(n);
  for (int i = 1; i <= n; ++i) {
    p.X(i, 1) = 5.0 + 2.0 * z(g);
    p.X(i, 2) = z(g);
    p.X(i, 3) = u(g) / 30.0;
  }
  NEWMAT::ColumnVector xb(n);
  for (int i = 1; i <= n; ++i) xb(i) = 10.0 + 2.0 * p.X(i, 1) - 1.5 * p.X(i, 2) + 0.8 * p.X(i, 3);
  const NEWMAT::ColumnVector wxb = p.W * xb;
  for (int i = 1; i <= n; ++i) p.y(i) = xb(i) + 0.5 * wxb(i) + z(g);
  return cache.emplace(n, std::move(p)).first->second;
}

std::unique_ptr<CabecalhoModelo> Cabecalho(int n) {
  auto cab = std::make_unique<CabecalhoModelo>();
  cab->Zera();
  cab->SetI32(CabecalhoModelo::OffNumVariaveis, 4);
  cab->SetI32(65580, n);
  for (int v = 0; v < 4; ++v) cab->SetI32(CabecalhoModelo::OffHabilitadas + 4 * v, 1);
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

void Ajuste(benchmark::State& st, bool defasagem) {
  const int n = static_cast<int>(st.range(0));
  const Problema& p = Dados(n);
  OpcoesCalculo op;
  op.sorteio = 1;
  for (auto _ : st) {
    st.PauseTiming();
    auto cab = Cabecalho(n);
    NEWMAT::ColumnVector y = p.y;
    NEWMAT::Matrix X = p.X, W = p.W;
    st.ResumeTiming();
    const bool ok = defasagem ? Sar(&y, &X, &W, cab.get(), nullptr, op) : Sem(&y, &X, &W, cab.get(), nullptr, op);
    if (!ok) st.SkipWithError("fit failed");
    st.counters["param"] = cab->F64(408776 + 8 * 60);
  }
}
void BM_Sar(benchmark::State& st) { Ajuste(st, true); }

void BM_Testes(benchmark::State& st) {
  const int n = static_cast<int>(st.range(0));
  const Problema& p = Dados(n);
  for (auto _ : st) {
    st.PauseTiming();
    auto cab = Cabecalho(n);
    NEWMAT::ColumnVector y = p.y;
    NEWMAT::Matrix X = p.X, W = p.W;
    st.ResumeTiming();
    if (!LmErroMoranI(&y, &X, &W, cab.get())) st.SkipWithError("tests failed");
  }
}
void BM_Sem(benchmark::State& st) { Ajuste(st, false); }

}  // namespace

BENCHMARK(BM_GradeLacos)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ProdutosNewmat)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sar)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Testes)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Sem)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_MAIN();
