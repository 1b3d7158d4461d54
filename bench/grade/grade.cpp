// A grid of 64,000 data rows by 64 columns (one heading row and column),
// every cell holding a number as the data grid shows it. Filling it (and its
// first paint) is the setup; each step after it is one user action with the
// repaint it causes: a page down, a line up, a thumb move, a jump to either
// end, select-all, one extension of a drag-select, bringing a far row into
// view, a heading click that sorts. The figures are the slowest step of each
// benchmark (max_step_ms, to stay under 100; 10 for bringing a row into view)
// and the process's peak resident memory (peak_rss_MB, to stay under 1,024).
// Then the keys that touch every cell, typed on the grid: Ctrl+A and Ctrl+X
// (the whole grid cut to the clipboard), Ctrl+V (the 64,000 rows pasted
// back), Ctrl+A and Delete; each under 1,000 ms.
#include "controls/CTableCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
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

// The window the grid lives in: it answers every notification with 0, as an
// owner that accepts every edit does.
struct Dono : QWidget, CTableOwner {
  int OnGridNotify(GridNmHdr&) override { return 0; }
};

CTableCtrl& Grade() {
  static std::unique_ptr<Dono> dono;
  static CTableCtrl* g = nullptr;
  if (!g) {
    Aplicacao();
    dono = std::make_unique<Dono>();
    dono->resize(1200, 800);
    g = new CTableCtrl(0, 0, 0, 0, dono.get());
    g->resize(1200, 800);
    dono->show();
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

void BM_MostraLinha(benchmark::State& state) {
  // EnsureVisible to the last row, the first, the middle, one just below the
  // view and the last cell of the last row: the call alone (ensure_ms) and
  // with the repaint it causes (max_step_ms).
  CTableCtrl& g = Grade();
  double maximo = 0, chamada = 0;
  for (auto _ : state) {
    g.OnVScroll(CTableCtrl::SB_TOP);
    g.OnHScroll(CTableCtrl::SB_TOP);
    const int alvos[][2] = {{Linhas, 1}, {1, 1}, {Linhas / 2, 1}, {Linhas / 2 + 60, 1}, {Linhas, Colunas}, {2, 1}};
    for (const auto& a : alvos)
      maximo = std::max(maximo, Passo(g, [&] {
        const auto t0 = std::chrono::steady_clock::now();
        g.EnsureVisible(a[0], a[1]);
        chamada = std::max(chamada, Ms(std::chrono::steady_clock::now() - t0));
      }));
  }
  state.counters["ensure_ms"] = chamada;
  state.counters["max_step_ms"] = maximo;
}

// A left click on the heading of column `col`, as the mouse sends it.
void ClicaCabecalho(CTableCtrl& g, int col) {
  QRect r;
  g.GetCellRect(0, col, &r);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

void BM_OrdenaPeloCabecalho(benchmark::State& state) {
  // Heading clicks that sort: descending, then ascending again.
  CTableCtrl& g = Grade();
  g.SetHeaderSort(true);
  g.OnVScroll(CTableCtrl::SB_TOP);
  g.OnHScroll(CTableCtrl::SB_TOP);
  double maximo = 0;
  for (auto _ : state)
    for (int k = 0; k < 2; ++k)
      for (int col : {2, 2, 3}) maximo = std::max(maximo, Passo(g, [&] { ClicaCabecalho(g, col); }));
  g.SetHeaderSort(false);
  state.counters["max_step_ms"] = maximo;
}

// One key typed on the grid, with the repaint it causes.
double Tecla(CTableCtrl& g, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
  return Passo(g, [&] { QTest::keyClick(&g, k, m); });
}

// A click on the first data cell, unless it has the focus (a click there
// would open its edit box).
void Seleciona(CTableCtrl& g) {
  g.OnVScroll(CTableCtrl::SB_TOP);
  g.OnHScroll(CTableCtrl::SB_TOP);
  if (g.GetFocusCell() == CCellID(1, 1)) return;
  QRect r;
  g.GetCellRect(1, 1, &r);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
}

// Whether every data cell is empty, or holds the text the fill gave it.
bool Confere(CTableCtrl& g, bool vazias) {
  for (int r = 1; r <= Linhas; r += 997)
    for (int c = 1; c <= Colunas; c += 7)
      if (g.GetCellText(r, c).isEmpty() != vazias) return false;
  return true;
}

void BM_RecortaTudo(benchmark::State& state) {
  CTableCtrl& g = Grade();
  for (auto _ : state) {
    Seleciona(g);
    state.counters["ctrl_a_ms"] = Tecla(g, Qt::Key_A, Qt::ControlModifier);
    state.counters["ctrl_x_ms"] = Tecla(g, Qt::Key_X, Qt::ControlModifier);
  }
  if (!Confere(g, true) || QApplication::clipboard()->text().count(QLatin1Char('\n')) != Linhas - 1)
    state.SkipWithError("the cut left text behind or put too little on the clipboard");
}

void BM_ColaTudo(benchmark::State& state) {
  // The clipboard holds the 64,000 rows cut above; they go back where they were.
  CTableCtrl& g = Grade();
  for (auto _ : state) {
    Seleciona(g);
    state.counters["ctrl_v_ms"] = Tecla(g, Qt::Key_V, Qt::ControlModifier);
  }
  if (!Confere(g, false)) state.SkipWithError("the paste left cells empty");
}

void BM_ApagaTudo(benchmark::State& state) {
  CTableCtrl& g = Grade();
  for (auto _ : state) {
    Seleciona(g);
    state.counters["ctrl_a_ms"] = Tecla(g, Qt::Key_A, Qt::ControlModifier);
    state.counters["delete_ms"] = Tecla(g, Qt::Key_Delete);
  }
  if (!Confere(g, true)) state.SkipWithError("Delete left text behind");
  state.counters["peak_rss_MB"] = PicoMemoriaMB();
}

}  // namespace

BENCHMARK(BM_Preenche)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pinta)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RolaPorPaginas)->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelecionaTudo)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArrastaSelecao)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MostraLinha)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrdenaPeloCabecalho)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecortaTudo)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColaTudo)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApagaTudo)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
