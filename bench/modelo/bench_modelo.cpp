// Writes and reads a model of 64,000 records and 60 variables and copies the
// same file with cp, in one run. Reads and writes go by whole regions, so
// each should stay within twice the time of the copy.
//
// The files go to $TARSOLIN_BENCH_DIR (default: the system temporary folder).
#include "model/ArquivoModelo.h"
#include "model/dado.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int N = 64000;
constexpr int Variaveis = 60;

struct Cenario {
  std::unique_ptr<QTemporaryDir> dir;
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados = std::vector<dado>(N);
  QString modelo, copia;
  Cenario() {
    const QByteArray base = qgetenv("TARSOLIN_BENCH_DIR");
    dir = std::make_unique<QTemporaryDir>(base.isEmpty() ? QDir::tempPath() + "/bench_modelo_XXXXXX"
                                                         : QString::fromLocal8Bit(base) + "/bench_modelo_XXXXXX");
    modelo = dir->filePath("grande.tsn");
    copia = dir->filePath("copia.tsn");
    cab->Zera();
    cab->MarcaFormato();
    cab->SetNumVariaveis(Variaveis);
    cab->SetDependente(Variaveis - 1);
    cab->SetNumDados(N);
    cab->SetNumConsiderados(N);
    cab->SetU8(CabecalhoModelo::OffSemElementosW, 1);
    for (int i = 0; i < N; ++i)
      for (int v = 0; v < Variaveis; ++v) dados[i].valor[v] = i * 0.5 + v;
  }
};

Cenario& Modelo() {
  static Cenario c;
  return c;
}

// Best seconds per operation, kept for the summary.
double g_grava = 0, g_le = 0, g_copia = 0, g_copiaSync = 0;

void Registra(double& melhor, double s) {
  if (melhor == 0 || s < melhor) melhor = s;
}

void BM_GravaArquivoModelo(benchmark::State& st) {
  Cenario& c = Modelo();
  NEWMAT::Matrix W;
  for (auto _ : st) {
    const auto t0 = std::chrono::steady_clock::now();
    if (!GravaArquivoModelo(c.modelo, c.cab.get(), c.dados.data(), nullptr, W)) st.SkipWithError("write failed");
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    st.SetIterationTime(s);
    Registra(g_grava, s);
  }
  st.SetBytesProcessed(st.iterations() * TamanhoEsperadoModelo(*c.cab, false));
}

void BM_LeArquivoModelo(benchmark::State& st) {
  Cenario& c = Modelo();
  NEWMAT::Matrix W;
  if (!QFile::exists(c.modelo)) GravaArquivoModelo(c.modelo, c.cab.get(), c.dados.data(), nullptr, W);
  auto cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados(N);
  for (auto _ : st) {
    const auto t0 = std::chrono::steady_clock::now();
    if (!LeCabecalhoModelo(c.modelo, cab.get()) || !LeRegistrosModelo(c.modelo, cab.get(), dados.data(), nullptr, W))
      st.SkipWithError("read failed");
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    st.SetIterationTime(s);
    Registra(g_le, s);
    benchmark::DoNotOptimize(dados.data());
  }
  st.SetBytesProcessed(st.iterations() * TamanhoEsperadoModelo(*c.cab, false));
}

void BM_CopiaCp(benchmark::State& st) {
  Cenario& c = Modelo();
  NEWMAT::Matrix W;
  if (!QFile::exists(c.modelo)) GravaArquivoModelo(c.modelo, c.cab.get(), c.dados.data(), nullptr, W);
  const QByteArray comando = "cp '" + QFile::encodeName(c.modelo) + "' '" + QFile::encodeName(c.copia) + "'";
  for (auto _ : st) {
    QFile::remove(c.copia);
    const auto t0 = std::chrono::steady_clock::now();
    if (std::system(comando.constData()) != 0) st.SkipWithError("cp failed");
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    st.SetIterationTime(s);
    Registra(g_copia, s);
  }
  st.SetBytesProcessed(st.iterations() * TamanhoEsperadoModelo(*c.cab, false));
}

// The safe writer flushes the file to disk before renaming it over the
// model, so the fair copy to compare the write with is cp plus a flush.
void BM_CopiaCpSync(benchmark::State& st) {
  Cenario& c = Modelo();
  NEWMAT::Matrix W;
  if (!QFile::exists(c.modelo)) GravaArquivoModelo(c.modelo, c.cab.get(), c.dados.data(), nullptr, W);
  const QByteArray comando = "cp '" + QFile::encodeName(c.modelo) + "' '" + QFile::encodeName(c.copia) +
                             "' && sync '" + QFile::encodeName(c.copia) + "'";
  for (auto _ : st) {
    QFile::remove(c.copia);
    const auto t0 = std::chrono::steady_clock::now();
    if (std::system(comando.constData()) != 0) st.SkipWithError("cp failed");
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    st.SetIterationTime(s);
    Registra(g_copiaSync, s);
  }
  st.SetBytesProcessed(st.iterations() * TamanhoEsperadoModelo(*c.cab, false));
}

BENCHMARK(BM_CopiaCp)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopiaCpSync)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GravaArquivoModelo)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeArquivoModelo)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_copia > 0) {
    std::printf("\nModel of %d records, %d variables: %.1f MB\n", N, Variaveis,
                TamanhoEsperadoModelo(*Modelo().cab, false) / 1e6);
    std::printf("best cp      %8.1f ms\n", g_copia * 1e3);
    if (g_copiaSync > 0) std::printf("best cp+sync %8.1f ms\n", g_copiaSync * 1e3);
    if (g_grava > 0) {
      std::printf("best write   %8.1f ms  (%.2f x cp", g_grava * 1e3, g_grava / g_copia);
      if (g_copiaSync > 0) std::printf(", %.2f x cp+sync", g_grava / g_copiaSync);
      std::printf(")\n");
    }
    if (g_le > 0) std::printf("best read    %8.1f ms  (%.2f x cp)\n", g_le * 1e3, g_le / g_copia);
  }
  return 0;
}
