// 1,000,000 rows by 6 columns (two integers, two doubles, two texts) of an
// SQLite file, run as "select * from vendas" in a query window of the
// database manager until the run has ended and every row is in its grid. The
// table is made once, before the first run. Figures of each run: its time,
// the peak resident memory above what the process held before it (pico_MB),
// the longest the window's event loop went without turning (pausa_max_ms:
// nothing in the window waits on the fetch), and the sqlite3 client's time
// for "select * from vendas" on the same file (sqlite3_ms; 0 when the client
// is not installed).
#include "dbmanager/CChildFrame.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/ModeloGrade.h"
#include "platform/Dialogo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Linhas = 1000000;

QApplication& Aplicacao() {
  static int argc = 1;
  static char nome[] = "bench_resultados";
  static char* argv[] = {nome, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// A value of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMB(const char* chave) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0.0;
  for (const QByteArray& l : f.readAll().split('\n'))
    if (l.startsWith(chave)) return l.mid(qstrlen(chave) + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
  return 0.0;
}

// Sets the peak (VmHWM) back to the present resident size.
void ZeraPico() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (f.open(QIODevice::WriteOnly)) f.write("5");
}

const QString& Banco() {
  static QTemporaryDir pasta;
  static QString caminho;
  if (caminho.isEmpty()) {
    caminho = pasta.filePath(QStringLiteral("vendas.db"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("criacao"));
    db.setDatabaseName(caminho);
    db.open();
    QSqlQuery q(db);
    q.exec(QStringLiteral("create table vendas as with recursive s(i) as (select 1 union all select i + 1 from s "
                          "where i < %1) select i as codigo, 'Rua ' || (i % 977) || ', ' || i as endereco, "
                          "50 + (i % 300) * 0.75 as area, i % 40 as idade, 'Bairro ' || (i % 31) as bairro, "
                          "1000.5 * i + 0.25 as valor from s").arg(Linhas));
    q.finish();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("criacao"));
  }
  return caminho;
}

// The sqlite3 client's time for the same select, its output thrown away.
double TempoClienteMs() {
  const QString cliente = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
  if (cliente.isEmpty()) return 0.0;
  QProcess p;
  p.setStandardOutputFile(QProcess::nullDevice());
  QElapsedTimer t;
  t.start();
  p.start(cliente, {Banco(), QStringLiteral("select * from vendas")});
  p.waitForFinished(-1);
  return double(t.elapsed());
}

void BM_BuscaUmMilhaoDeLinhas(benchmark::State& estado) {
  Aplicacao();
  plat::DefineModoRoteiro(true);  // the tables browser after connecting is cancelled
  brenk::CMainFrame quadro;
  quadro.resize(1200, 800);
  quadro.show();
  brenk::CQueryDoc* doc = quadro.AbreNovaConexao(QStringLiteral("Provider=SQLite;Data Source=") + Banco(), QString(), QString());
  if (!doc) {
    estado.SkipWithError("sem conexão");
    return;
  }
  auto* janela = qobject_cast<brenk::CChildFrame*>(doc->parent());
  QApplication::processEvents();
  double pico = 0, pausa = 0, cliente = 0;
  for (auto _ : estado) {
    estado.PauseTiming();
    janela->LimpaResultados(QString());
    QApplication::processEvents();
    ZeraPico();
    const double base = StatusMB("VmRSS:");
    janela->Editor()->setPlainText(QStringLiteral("select * from vendas"));
    estado.ResumeTiming();
    // The event loop's longest gap while the rows come in.
    QElapsedTimer volta;
    volta.start();
    double maior = 0;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
      maior = std::max(maior, double(volta.restart()));
    });
    relogio.start(10);
    janela->OnCmdMsg(brenk::ID_EXECUTAR);
    while (janela->Executando()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    relogio.stop();
    estado.PauseTiming();
    pico = std::max(pico, StatusMB("VmHWM:") - base);
    pausa = std::max(pausa, maior);
    if (janela->Grade(1) == nullptr || janela->Grade(1)->Linhas() != Linhas + 1) {
      estado.SkipWithError("a grade não recebeu todas as linhas");
      break;
    }
    estado.ResumeTiming();
  }
  cliente = TempoClienteMs();
  estado.counters["pico_MB"] = pico;
  estado.counters["pausa_max_ms"] = pausa;
  estado.counters["sqlite3_ms"] = cliente;
  estado.counters["linhas"] = Linhas;
}
BENCHMARK(BM_BuscaUmMilhaoDeLinhas)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
