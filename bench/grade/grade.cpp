// A grid of 64,000 data rows by 64 columns (one heading row and column),
// every cell holding a number as the data grid shows it. Filling it (and its
// first paint) is the setup; each step after it is one user action with the
// repaint it causes: a page down, a line up, a thumb move, a jump to either
// end, select-all, one extension of a drag-select. The figures are the slowest
// step of each benchmark (max_step_ms, to stay under 100) and the process's
// peak resident memory (peak_rss_MB, to stay under 1,024).
#include "controls/CTableCtrl.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr int Linhas = 64000, Colunas = 64;

double PicoMemoriaMB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_maxrss) / 1024.0;
}

QApplication& Aplicacao() {
  static int argc = 1;
  static char nome[] = "bench_grade";
  static char* argv[] = {nome, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

CTableCtrl& Grade() {
  static std::unique_ptr<CTableCtrl> g;
  if (!g) {
    Aplicacao();
    g = std::make_unique<CTableCtrl>();
    g->resize(1200, 800);
    g->show();
  }
  return *g;
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// One step: the action and the repaint of the whole window it leads to
// (rendered into an image, so the paint really runs offscreen).
template <class F> double Passo(CTableCtrl& g, F acao) {
  static QImage tela;
  if (tela.size() != g.viewport()->size()) tela = QImage(g.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  const auto t0 = std::chrono::steady_clock::now();
  acao();
  g.viewport()->render(&tela);
  return Ms(std::chrono::steady_clock::now() - t0);
}

void BM_Preenche(benchmark::State& state) {
  CTableCtrl& g = Grade();
  for (auto _ : state) {
    g.ClearAll();
    g.SetNumberOfColumns(Colunas + 1);
    g.SetNumberOfRows(Linhas + 1);
    g.SetNumberOfFixedRows(1);
    g.SetNumberOfFixedColumns(1);
    for (int c = 1; c <= Colunas; ++c) g.SetCellText(0, c, QStringLiteral("Variável %1").arg(c));
    for (int r = 1; r <= Linhas; ++r) {
      g.SetCellText(r, 0, QString::number(r));
      for (int c = 1; c <= Colunas; ++c)
        g.SetCellText(r, c, QString::number(1000.0 + r * 0.37 + c * 11.13, 'f', 2).replace('.', ','));
    }
    g.ResetScrollBars();
    Passo(g, [] {});  // the window shows the filled grid once, as it does for a user
  }
  state.counters["peak_rss_MB"] = PicoMemoriaMB();
}

void BM_RolaPorPaginas(benchmark::State& state) {
  CTableCtrl& g = Grade();
  double maximo = 0;
  int passos = 0;
  for (auto _ : state) {
    g.OnVScroll(CTableCtrl::SB_TOP);
    g.OnHScroll(CTableCtrl::SB_TOP);
    for (int k = 0; k < 200 && g.GetScrollPos(Qt::Vertical) < g.verticalScrollBar()->maximum(); ++k) {
      maximo = std::max(maximo, Passo(g, [&] { g.OnVScroll(CTableCtrl::SB_PAGEDOWN); }));
      ++passos;
    }
    // The rest of the way in thumb moves, then the other direction.
    maximo = std::max(maximo, Passo(g, [&] { g.OnVScroll(CTableCtrl::SB_THUMBTRACK, g.verticalScrollBar()->maximum() / 2); }));
    maximo = std::max(maximo, Passo(g, [&] { g.OnVScroll(CTableCtrl::SB_BOTTOM); }));
    maximo = std::max(maximo, Passo(g, [&] { g.OnHScroll(CTableCtrl::SB_BOTTOM); }));
    for (int k = 0; k < 20; ++k) maximo = std::max(maximo, Passo(g, [&] { g.OnVScroll(CTableCtrl::SB_LINEUP); }));
    maximo = std::max(maximo, Passo(g, [&] { g.OnVScroll(CTableCtrl::SB_TOP); }));
    passos += 24;
  }
  state.counters["max_step_ms"] = maximo;
  state.counters["steps"] = passos;
  state.counters["peak_rss_MB"] = PicoMemoriaMB();
}

void BM_SelecionaTudo(benchmark::State& state) {
  CTableCtrl& g = Grade();
  double maximo = 0;
  for (auto _ : state) {
    g.MoveFocusCell(1, 1);
    maximo = std::max(maximo, Passo(g, [&] { g.OnEditSelectAll(); }));
    maximo = std::max(maximo, Passo(g, [&] { g.OnVScroll(CTableCtrl::SB_BOTTOM); }));
    // The selection's text for the clipboard is not a step: it is timed on its own.
    maximo = std::max(maximo, Passo(g, [&] { g.ClearSelection(); }));
  }
  state.counters["max_step_ms"] = maximo;
  state.counters["peak_rss_MB"] = PicoMemoriaMB();
}

void BM_ArrastaSelecao(benchmark::State& state) {
  // A drag from the first data row to the last: one extension per row shown.
  CTableCtrl& g = Grade();
  double maximo = 0;
  for (auto _ : state) {
    g.OnVScroll(CTableCtrl::SB_TOP);
    g.ClearSelection();
    g.MoveFocusCell(1, 1);
    g.SelectRange(CCellRange(1, 1, 1, 1));
    for (int r = 1; r <= Linhas; r += 640)
      maximo = std::max(maximo, Passo(g, [&] { g.SelectRange(CCellRange(1, 1, r, Colunas)); }));
  }
  state.counters["max_step_ms"] = maximo;
  state.counters["peak_rss_MB"] = PicoMemoriaMB();
}

void BM_Pinta(benchmark::State& state) {
  // One repaint of the whole window at the top, the middle and the end.
  CTableCtrl& g = Grade();
  const int posicao[] = {CTableCtrl::SB_TOP, CTableCtrl::SB_THUMBTRACK, CTableCtrl::SB_BOTTOM};
  g.OnVScroll(posicao[state.range(0)], g.verticalScrollBar()->maximum() / 2);
  double maximo = 0;
  for (auto _ : state) maximo = std::max(maximo, Passo(g, [] {}));
  state.counters["max_step_ms"] = maximo;
}

}  // namespace

BENCHMARK(BM_Preenche)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pinta)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RolaPorPaginas)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelecionaTudo)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrastaSelecao)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
