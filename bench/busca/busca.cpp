// Speed of the general transformation search (every combination of the seven
// codes) against the direct method, on synthetic positive data:
//   (a) 8 enabled variables, n = 500, criterion Regressão
//   (b) 6 enabled variables, n = 20,000, criterion Regressão
//   (c) 6 enabled variables, n = 2,000, criterion Variação
// The direct method is timed on a prefix of the combinations and scaled.
// Figures: combinations per second. "--verifica" also runs the direct method
// over every combination of (a) and (b) and compares the kept lists.
#include "MetodoDireto.h"

#include "modules/regression/engine/AjusteEquacao.h"
#include "modules/regression/engine/BuscaTransformacoes.h"
#include "modules/regression/engine/ListaEquacoes.h"
#include "modules/regression/engine/TabelaProdutos.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Caso {
  const char* nome;
  int k, n, criterio;
  std::uint64_t prefixo;  // combinations the direct method is timed on
};

const Caso casos[] = {
    {"a", 8, 500, 0, 60000},
    {"b", 6, 20000, 0, 1500},
    {"c", 6, 2000, 1, 6000},
};

std::vector<double> Dados(int k, int n, std::uint64_t semente) {
  std::uint64_t s = semente * 6364136223846793005ULL + 1442695040888963407ULL;
  auto u = [&] {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(s >> 11) * (1.0 / 9007199254740992.0);
  };
  std::vector<double> v(std::size_t(k) * n);
  for (int i = 0; i < n; ++i) {
    double y = 1000.0;
    for (int j = 0; j < k - 1; ++j) {
      const double x = 1.0 + 20.0 * u();
      v[std::size_t(j) * n + i] = x;
      y *= j % 2 == 0 ? std::pow(x, 0.3) : 1.0 / (1.0 + 0.02 * x);
    }
    v[std::size_t(k - 1) * n + i] = y * std::exp(0.2 * (u() - 0.5));
  }
  return v;
}

double Combinacoes(const Caso& c) { return std::pow(7.0, c.k); }

ostrimo::OpcoesBusca Opcoes(const Caso& c, int threads) {
  ostrimo::OpcoesBusca o;
  o.metodo = 1;
  o.criterio = c.criterio;
  for (int i = 1; i <= 7; ++i)
    o.permitido[i] = 1;
  o.threads = threads;
  return o;
}

std::map<std::string, double> taxas;  // combinations per second by benchmark name

void Motor(benchmark::State& state, const Caso& c, int threads, const std::string& nome) {
  const auto v = Dados(c.k, c.n, 1);
  static ostrimo::ListaEquacoes lista;
  ostrimo::BuscaTransformacoes busca;
  double segundos = 0;
  for (auto _ : state) {
    lista.Limpa();
    const auto t0 = std::chrono::steady_clock::now();
    busca.Executa({c.k, c.n, v.data()}, Opcoes(c, threads), &lista);
    segundos += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    benchmark::DoNotOptimize(lista.Quantidade());
  }
  const double taxa = Combinacoes(c) * double(state.iterations()) / segundos;
  state.counters["comb/s"] = taxa;
  taxas[nome] = taxa;
}

void Direto(benchmark::State& state, const Caso& c, const std::string& nome) {
  const auto v = Dados(c.k, c.n, 1);
  static ostrimo::ListaEquacoes lista;
  double segundos = 0, feitas = 0;
  for (auto _ : state) {
    lista.Limpa();
    bench::MetodoDireto direto(v.data(), c.k, c.n, c.criterio);
    const auto t0 = std::chrono::steady_clock::now();
    feitas += double(direto.Executa(c.prefixo, lista));
    segundos += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  const double taxa = feitas / segundos;
  state.counters["comb/s"] = taxa;
  taxas[nome] = taxa;
}

// The criteria of the prefix, engine fit against the direct method.
double MaiorDiferencaRelativa(const Caso& c) {
  const auto v = Dados(c.k, c.n, 1);
  unsigned mascaras[60];
  for (int j = 0; j < c.k; ++j)
    mascaras[j] = 0xFE;
  ostrimo::TabelaProdutos tabela;
  tabela.Monta(v.data(), c.n, c.k, mascaras, c.criterio == 1);
  ostrimo::AjusteEquacao ajuste(tabela, c.k);
  bench::MetodoDireto direto(v.data(), c.k, c.n, c.criterio);
  const double* y = v.data() + std::size_t(c.k - 1) * c.n;
  long double soma = 0, sst = 0;
  for (int i = 0; i < c.n; ++i)
    soma += y[i];
  for (int i = 0; i < c.n; ++i)
    sst += (y[i] - soma / c.n) * (y[i] - soma / c.n);
  int d[60];
  for (int j = 0; j < c.k; ++j)
    d[j] = 1;
  double maior = 0;
  for (std::uint64_t i = 0; i < c.prefixo; ++i) {
    ajuste.Ajusta(d);
    const double motor = c.criterio == 1 ? ajuste.CorrelacaoOriginal(y, sst) : ajuste.R();
    const double ref = direto.Criterio(d);
    maior = std::max(maior, std::fabs(motor - ref) / std::fabs(ref));
    for (int j = c.k - 1; j >= 0; --j) {
      if (++d[j] <= 7)
        break;
      d[j] = 1;
    }
  }
  return maior;
}

bool VerificaListas(const Caso& c) {
  const auto v = Dados(c.k, c.n, 1);
  static ostrimo::ListaEquacoes motor, referencia;
  motor.Limpa();
  referencia.Limpa();
  ostrimo::BuscaTransformacoes busca;
  busca.Executa({c.k, c.n, v.data()}, Opcoes(c, 0), &motor);
  bench::MetodoDireto direto(v.data(), c.k, c.n, c.criterio);
  direto.Executa(UINT64_MAX, referencia);
  bool iguais = motor.Quantidade() == referencia.Quantidade();
  double maior = 0;
  for (int i = 0; iguais && i < motor.Quantidade(); ++i) {
    iguais = std::memcmp(motor[i].codigo, referencia[i].codigo, sizeof motor[i].codigo) == 0;
    maior = std::max(maior, std::fabs(motor[i].criterio - referencia[i].criterio) / std::fabs(referencia[i].criterio));
  }
  iguais = iguais && maior <= 1e-10;
  std::printf("case (%s): kept lists %s (%d entries, largest relative difference of criteria %.3g)\n", c.nome,
              iguais ? "identical" : "DIFFER", motor.Quantidade(), maior);
  return iguais;
}

}  // namespace

int main(int argc, char** argv) {
  bool verifica = false;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--verifica") == 0)
      verifica = true;
    else
      args.push_back(argv[i]);
  }
  int argcB = int(args.size());
  const int todas = int(std::thread::hardware_concurrency());
  for (const Caso& c : casos) {
    const std::string base = std::string("busca_") + c.nome;
    benchmark::RegisterBenchmark((base + "/direto_1thread").c_str(),
                                 [&c, base](benchmark::State& s) { Direto(s, c, base + "/direto"); })
        ->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark((base + "/motor_1thread").c_str(),
                                 [&c, base](benchmark::State& s) { Motor(s, c, 1, base + "/motor1"); })
        ->Iterations(c.criterio == 1 ? 1 : 3)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark((base + "/motor_" + std::to_string(todas) + "threads").c_str(),
                                 [&c, base](benchmark::State& s) { Motor(s, c, 0, base + "/motorN"); })
        ->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
  }
  benchmark::Initialize(&argcB, args.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("\ncombinations per second (7^k combinations; direct method timed on a prefix)\n");
  std::printf("%-4s %14s %14s %14s %10s %10s  %s\n", "case", "direct", "engine 1 th", "engine all", "x 1 th",
              "x all", "largest rel. diff. of criteria on the prefix");
  for (const Caso& c : casos) {
    const std::string base = std::string("busca_") + c.nome;
    if (!taxas.count(base + "/direto") || !taxas.count(base + "/motor1") || !taxas.count(base + "/motorN"))
      continue;
    const double d = taxas[base + "/direto"], m1 = taxas[base + "/motor1"], mn = taxas[base + "/motorN"];
    std::printf("(%s)  %14.0f %14.0f %14.0f %10.1f %10.1f  %.3g\n", c.nome, d, m1, mn, m1 / d, mn / d,
                MaiorDiferencaRelativa(c));
  }
  if (verifica) {
    bool ok = true;
    for (const Caso& c : casos)
      if (c.criterio == 0)
        ok = VerificaListas(c) && ok;
    return ok ? 0 : 1;
  }
  return 0;
}
