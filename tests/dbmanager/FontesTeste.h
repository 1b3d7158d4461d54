#pragma once
// Shared by the database manager's tests: small databases made in the test,
// the committed workbook, and a run of a batch collected into grids.
#include "dbmanager/ConexaoConsulta.h"
#include "tests/platform/ImprimeQString.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace teste {

// An SQLite file with the table imoveis(codigo, bairro, area, valor).
inline bool CriaBancoSqlite(const QString& caminho) {
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("teste-criacao"));
    db.setDatabaseName(caminho);
    ok = db.open();
    QSqlQuery q(db);
    for (const char* c : {"create table imoveis (codigo integer, bairro text, area real, valor real)",
                          "insert into imoveis values (1, 'Centro', 120.5, 350000)",
                          "insert into imoveis values (2, 'Jardim Botânico', 80.25, 210000)",
                          "insert into imoveis values (3, 'Centro', 95, 275500.5)"})
      ok = ok && q.exec(QString::fromUtf8(c));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("teste-criacao"));
  return ok;
}

// The process's resident memory now, in MB.
inline double MemoriaResidenteMB() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0.0;
  for (const QByteArray& l : f.readAll().split('\n'))
    if (l.startsWith("VmRSS:")) return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
  return 0.0;
}

inline QString TextoSqlite(const QString& caminho) { return QStringLiteral("Provider=SQLite;Data Source=") + caminho; }

// The workbook tests/dbmanager/data/imoveis.xls (written by gera_xls.py).
inline QString PlanilhaTeste() {
  return QStringLiteral(TARSOLIN_SOURCE_DIR) + QStringLiteral("/tests/dbmanager/data/imoveis.xls");
}

// The grids and the end of one run.
struct Corrida {
  QList<QList<brenk::ColunaResultado>> colunas;
  QList<QList<QStringList>> linhas;
  brenk::FimExecucao fim;
  bool terminou = false;
  qint64 ms = 0;
};

// Starts a batch; `durante` runs once it has started (a cancel, say).
template <class F>
Corrida Roda(brenk::ConexaoConsulta& c, const QString& lote, bool modoTexto, F durante, int esperaMs = 15000) {
  Corrida r;
  auto a = QObject::connect(&c, &brenk::ConexaoConsulta::gradeNova, [&](const QList<brenk::ColunaResultado>& cols) {
    r.colunas << cols;
    r.linhas << QList<QStringList>();
  });
  // Each block's rows as the grid shows their cells.
  auto b = QObject::connect(&c, &brenk::ConexaoConsulta::blocoNovo, [&](const brenk::BlocoPtr& bloco) {
    for (std::size_t i = 0; i < bloco->linhas; ++i) {
      QStringList l;
      for (const brenk::ValoresColuna& v : bloco->colunas) l << v.TextoCelula(i);
      r.linhas.last() << l;
    }
  });
  QSignalSpy fim(&c, &brenk::ConexaoConsulta::execucaoTerminada);
  QElapsedTimer t;
  t.start();
  c.Executa(lote, modoTexto, false);
  durante();
  r.terminou = fim.count() > 0 || fim.wait(esperaMs);
  r.ms = t.elapsed();
  if (r.terminou) r.fim = fim.first().first().value<brenk::FimExecucao>();
  QObject::disconnect(a);
  QObject::disconnect(b);
  return r;
}

inline Corrida Roda(brenk::ConexaoConsulta& c, const QString& lote, bool modoTexto = false) {
  return Roda(c, lote, modoTexto, [] {});
}

// Starts a batch, cancels it after `esperaMs` and measures, in `msCancelamento`,
// how long the run took to end after the cancel.
inline Corrida RodaECancela(brenk::ConexaoConsulta& c, const QString& lote, int esperaMs, qint64& msCancelamento) {
  return Roda(c, lote, false, [&] {
    QTest::qWait(esperaMs);
    EXPECT_TRUE(c.Executando());
    QElapsedTimer t;
    t.start();
    c.Cancela();
    QSignalSpy fim(&c, &brenk::ConexaoConsulta::execucaoTerminada);
    fim.wait(5000);
    msCancelamento = t.elapsed();
  });
}

}  // namespace teste
