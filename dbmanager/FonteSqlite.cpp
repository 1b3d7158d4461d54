#include "dbmanager/FonteSqlite.h"

#include "dbmanager/DivisorLote.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlQuery>
#include <mutex>
#include <sqlite3.h>

namespace brenk {

namespace {

// sqlite3_interrupt may be called from any thread while the connection is open.
class InterruptorSqlite : public Interruptor {
public:
  explicit InterruptorSqlite(sqlite3* db) : db_(db) {}
  void Interrompe() override {
    std::lock_guard<std::mutex> trava(m_);
    if (db_) sqlite3_interrupt(db_);
  }
  void Desliga() {
    std::lock_guard<std::mutex> trava(m_);
    db_ = nullptr;
  }
private:
  std::mutex m_;
  sqlite3* db_;
};

// The first keyword of a statement, past blanks and comments.
QString PrimeiraPalavra(const QString& c) {
  int i = 0;
  const int n = c.size();
  while (i < n) {
    if (c[i].isSpace()) { ++i; continue; }
    if (c.mid(i, 2) == QLatin1String("--")) { const int f = c.indexOf(QLatin1Char('\n'), i); i = f < 0 ? n : f + 1; continue; }
    if (c.mid(i, 2) == QLatin1String("/*")) { const int f = c.indexOf(QLatin1String("*/"), i); i = f < 0 ? n : f + 2; continue; }
    break;
  }
  int f = i;
  while (f < n && c[f].isLetter()) ++f;
  return c.mid(i, f - i).toUpper();
}

}  // namespace

FonteSqlite::FonteSqlite(const ParametrosConexao& parametros) : FonteQtSql(QStringLiteral("QSQLITE"), parametros) {}

void FonteSqlite::Configura(QSqlDatabase& db) {
  db.setDatabaseName(p_.arquivo);
}

sqlite3* FonteSqlite::Handle() const {
  const QVariant h = Banco().driver() ? Banco().driver()->handle() : QVariant();
  if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) return nullptr;
  return *static_cast<sqlite3* const*>(h.constData());
}

bool FonteSqlite::AposAbrir() {
  sqlite3* h = Handle();
  if (!h) {
    erros_ << ErroFonte{QStringLiteral("Ocorreram erros."), QString(), 0, OrigemErro()};
    return false;
  }
  interruptor_ = std::make_shared<InterruptorSqlite>(h);
  // A file that is not a database fails here rather than at the first query.
  if (p_.motor == Motor::Sqlite) {
    QSqlQuery q(Banco());
    if (!q.exec(QStringLiteral("select count(*) from sqlite_master"))) {
      erros_ = ErrosDe(q.lastError());
      return false;
    }
  }
  const QString arquivo = QFileInfo(p_.arquivo).absoluteFilePath();
  propriedades_ = {
      {QStringLiteral("Provider Name"), QStringLiteral("QSQLITE")},
      {QStringLiteral("Data Source"), arquivo},
      {QStringLiteral("Current Catalog"), QStringLiteral("main")},
      {QStringLiteral("DBMS Name"), QStringLiteral("SQLite")},
      {QStringLiteral("DBMS Version"), QString::fromLatin1(sqlite3_libversion())},
      {QStringLiteral("Multiple Results"), 1},
  };
  return true;
}

bool FonteSqlite::Abre() {
  // The driver would create a missing file empty: a connection names a
  // database that is there.
  if (p_.motor == Motor::Sqlite && !QFileInfo(p_.arquivo).isFile()) {
    erros_ = {ErroFonte{QStringLiteral("unable to open database file: ") + p_.arquivo, QString(), 14, OrigemErro()}};
    return false;
  }
  return FonteQtSql::Abre();
}

void FonteSqlite::Fecha() {
  if (auto i = std::dynamic_pointer_cast<InterruptorSqlite>(interruptor_)) i->Desliga();
  FonteQtSql::Fecha();
}

QList<PropriedadeProvedor> FonteSqlite::FatosServidor() {
  QList<PropriedadeProvedor> l;
  l << FatoProvedor(QStringLiteral("Library Source Id"), QString::fromLatin1(sqlite3_sourceid()))
    << FatoProvedor(QStringLiteral("Thread Safe"), sqlite3_threadsafe());
  QSqlQuery q(Banco());
  for (const char* pragma : {"encoding", "page_size", "journal_mode", "foreign_keys", "query_only"}) {
    QVariant v;
    if (q.exec(QStringLiteral("pragma ") + QLatin1String(pragma)) && q.next()) v = q.value(0);
    q.finish();
    l << FatoProvedor(QString::fromLatin1(pragma), v);
  }
  return l;
}

QStringList FonteSqlite::DivideLote(const QString& lote) const { return DivideLoteSqlite(lote); }

void FonteSqlite::AntesDoComando(const QString&) {
  if (sqlite3* h = Handle()) totalAntes_ = sqlite3_total_changes64(h);
}

qint64 FonteSqlite::LinhasAfetadas(const QSqlQuery&, const QString& comando) const {
  sqlite3* h = Handle();
  if (!h) return -1;
  // sqlite3_changes keeps the count of the last change, so a statement that
  // changed nothing reports only when it is itself a change.
  static const QStringList mudancas = {QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
                                       QStringLiteral("DELETE"), QStringLiteral("REPLACE")};
  if (sqlite3_total_changes64(h) != totalAntes_ || mudancas.contains(PrimeiraPalavra(comando)))
    return sqlite3_changes64(h);
  return -1;
}

}  // namespace brenk
