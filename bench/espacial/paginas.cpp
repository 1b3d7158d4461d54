// The spatial pages of the diagnostic windows on a 10,000-record lag model,
// opened as the user opens them: "Resíduos" (32840), then "Aderência"
// (32852), each computing its fitted values through (I - rho W)^-1.
// Figures: the resident memory with the model open and its W built
// ("antes_MB", the model's own), the peak above it while the two windows
// open ("pico_acima_MB", to stay under 1,024; opening "Aderência" closes
// "Resíduos", whose pages go only once the new window is built, so the peak
// holds both), what stays above it once "Resíduos" has gone
// ("aberto_acima_MB"), and the seconds each window took to open.
// W comes from the coordinates as the program builds it, the distances
// turned into inverse distances and row-normalised by the model's settings:
// within a cut-off of about 30 neighbours (`Paginas/0`, the sparse solve) or
// every pair (`Paginas/1`, the dense one). Run one at a time for clean peaks,
// e.g. --benchmark_filter='Paginas/0'.
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "tests/support/MemoriaProcesso.h"
#include "ModeloEquacao.h"
#include "RoteadorComandos.h"
#include "views/diagnostics/PaginasResiduos.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <malloc.h>
#include <memory>
#include <numbers>
#include <random>

namespace {
using C = CabecalhoModelo;

constexpr int Registros = 10000;

void Aplicacao() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The user's settings and running instances stay apart from the benchmark's.
  static QTemporaryDir configuracoes, execucao;
  qputenv("XDG_RUNTIME_DIR", execucao.path().toLocal8Bit());
  QStandardPaths::setTestModeEnabled(true);
  static int argc = 1;
  static char nome[] = "bench_espacial";
  static char* argv[] = {nome, nullptr};
  new QApplication(argc, argv);  // kept to the end of the process, as the program's is
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configuracoes.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configuracoes.path());
}

// Points in a 100 x 100 square (variables X and Y, not in the equation),
// three regressors and Valor = 10 + 2 A - 1.5 B + 0.8 C + noise. Equation 0
// is their least-squares fit, with its residuals and standard error; the
// lag model stores the generating coefficients and rho = 0.5 (what the pages
// do costs the same whatever the numbers). `corte` is the largest distance
// that weighs (0: every pair).
teste::ModeloEquacao Modelo(int n, double corte) {
  std::mt19937_64 g(20261211);
  std::uniform_real_distribution<double> u(0.0, 100.0);
  std::normal_distribution<double> z(0.0, 1.0);
  std::vector<std::vector<double>> col(6, std::vector<double>(std::size_t(n)));
  for (int i = 0; i < n; ++i) {
    col[0][i] = u(g), col[1][i] = u(g);
    col[2][i] = 5.0 + 2.0 * z(g), col[3][i] = z(g), col[4][i] = u(g) / 30.0;
    col[5][i] = 10.0 + 2.0 * col[2][i] - 1.5 * col[3][i] + 0.8 * col[4][i] + z(g);
  }
  teste::ModeloEquacao m({"X", "Y", "A", "B", "C", "Valor"}, col);
  m.cab->SetHabilitada(0, false);
  m.cab->SetHabilitada(1, false);
  m.cab->SetI32(C::OffVariavelX, 0);
  m.cab->SetI32(C::OffVariavelY, 1);
  NEWMAT::Matrix X(n, 4);
  NEWMAT::ColumnVector y(n);
  for (int i = 0; i < n; ++i) {
    X(i + 1, 1) = 1.0;
    for (int k = 0; k < 3; ++k) X(i + 1, k + 2) = col[std::size_t(k + 2)][i];
    y(i + 1) = col[5][i];
  }
  const NEWMAT::ColumnVector b = (X.t() * X).i() * (X.t() * y);
  const NEWMAT::ColumnVector e = y - X * b;
  m.Coeficiente(5, b(1)).Coeficiente(2, b(2)).Coeficiente(3, b(3)).Coeficiente(4, b(4));
  for (int i = 0; i < n; ++i) m.dados[std::size_t(i)].residuo[0] = e(i + 1);
  m.cab->SetF64(C::OffErroPadrao, std::sqrt(e.SumSquare() / (n - 4)));
  m.Espacial({0.0, 0.0, 2.0, -1.5, 0.8, 10.0}, 0.5, true);
  m.cab->SetU8(C::OffNormalizaW, 1);
  m.cab->SetU8(C::OffTransformaDistancias, 1);
  m.cab->SetF64(C::OffExpoenteDistancia, -1.0);
  m.cab->SetF64(C::OffDistanciaMaxima, corte);
  return m;
}

// About 30 neighbours within the cut-off at n points.
double Corte(int n) { return std::sqrt(30.0 * 100.0 * 100.0 / (std::numbers::pi * n)); }

// Seconds from the command to its window drawn.
double Abre(CTarsolinApp& app, int comando) {
  RoteadorComandos::Instancia().AtualizaAcoes();
  const auto t0 = std::chrono::steady_clock::now();
  app.MainFrame()->Acao(comando)->trigger();
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The spatial page of a window (its last tab), null when it is not there.
PaginaDiagnostico* PaginaEspacial(CTarsolinDoc* doc, int slot) {
  auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(slot).data());
  auto* janela = sub ? qobject_cast<JanelaDiagnostico*>(sub->widget()) : nullptr;
  if (!janela || janela->Abas()->tabText(janela->NumPaginas() - 1) != QStringLiteral("Regressão Espacial")) return nullptr;
  return janela->Pagina(janela->NumPaginas() - 1);
}

bool Finitos(const diag::AjusteEspacial& r) {
  if (int(r.yhat.size()) != Registros) return false;
  for (double v : r.yhat)
    if (!std::isfinite(v)) return false;
  return true;
}

void BM_Paginas(benchmark::State& st) {
  const bool denso = st.range(0) != 0;
  Aplicacao();
  plat::DefineModoRoteiro(true);
  plat::GravadorMensagens mensagens;
  QTemporaryDir pasta;
  for (auto _ : st) {
    QString caminho;
    {
      teste::ModeloEquacao m = Modelo(Registros, denso ? 0.0 : Corte(Registros));
      caminho = m.Grava(pasta, QStringLiteral("paginas.tsn"));
    }
    auto app = std::make_unique<CTarsolinApp>();
    if (!app->InitInstance({QStringLiteral("--sem-boas-vindas")})) {
      st.SkipWithError("the program did not start");
      break;
    }
    CTarsolinDoc* doc = app->OpenDocumentFile(caminho);
    QCoreApplication::processEvents();
    if (!doc || doc->GetW().Nrows() != Registros) {
      st.SkipWithError("the model did not open with its W");
      break;
    }
    malloc_trim(0);
    const double antes = MemoriaMB("VmRSS");
    ZeraPico();
    const double residuos = Abre(*app, 32840);
    auto* re = qobject_cast<CResiduosViewRE*>(PaginaEspacial(doc, CTarsolinDoc::JanelaResiduos));
    const bool residuosOk = re && Finitos(re->Resultado());
    const double aderencia = Abre(*app, 32852);
    const double pico = MemoriaMB("VmHWM");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    const double aberto = MemoriaMB("VmRSS");
    st.SetIterationTime(residuos + aderencia);
    auto* ae = qobject_cast<CValoresAjustadosRE*>(PaginaEspacial(doc, CTarsolinDoc::JanelaValoresAjustados));
    if (!mensagens.Textos().isEmpty()) st.SkipWithError(mensagens.Textos().join(" | ").toStdString().c_str());
    else if (!residuosOk || !ae || !Finitos(ae->Resultado()))
      st.SkipWithError("a spatial page did not open or its fitted values are not numbers");
    st.counters["antes_MB"] = antes;
    st.counters["W_MB"] = 8.0 * Registros * Registros / (1024.0 * 1024.0);
    st.counters["pico_acima_MB"] = pico - antes;
    st.counters["aberto_acima_MB"] = aberto - antes;
    st.counters["residuos_s"] = residuos;
    st.counters["aderencia_s"] = aderencia;
    app.reset();
  }
  plat::DefineModoRoteiro(false);
}

}  // namespace

BENCHMARK(BM_Paginas)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();
