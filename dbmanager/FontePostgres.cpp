#include "dbmanager/FontePostgres.h"

#include "dbmanager/DivisorLote.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlResult>
#include <libpq-fe.h>
#include <mutex>

namespace brenk {

namespace {

// PQcancel is safe from any thread; the cancel object is taken once the
// connection is open and freed when it closes.
class InterruptorPostgres : public Interruptor {
public:
  explicit InterruptorPostgres(PGcancel* c) : c_(c) {}
  ~InterruptorPostgres() override { Desliga(); }
  void Interrompe() override {
    std::lock_guard<std::mutex> trava(m_);
    char erro[256];
    if (c_) PQcancel(c_, erro, sizeof erro);
  }
  void Desliga() {
    std::lock_guard<std::mutex> trava(m_);
    if (c_) PQfreeCancel(c_);
    c_ = nullptr;
  }
private:
  std::mutex m_;
  PGcancel* c_;
};

// The driver's handles carry the type's own name or its typedef's.
bool Nomeado(const QVariant& h, const char* a, const char* b) {
  return qstrcmp(h.typeName(), a) == 0 || qstrcmp(h.typeName(), b) == 0;
}

PGconn* Conexao(const QSqlDatabase& db) {
  const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
  if (!h.isValid() || !Nomeado(h, "PGconn*", "pg_conn*")) return nullptr;
  return *static_cast<PGconn* const*>(h.constData());
}

}  // namespace

FontePostgres::FontePostgres(const ParametrosConexao& parametros) : FonteQtSql(QStringLiteral("QPSQL"), parametros) {}

void FontePostgres::Configura(QSqlDatabase& db) {
  if (!p_.servidor.isEmpty()) db.setHostName(p_.servidor);
  if (p_.porta > 0) db.setPort(p_.porta);
  if (!p_.banco.isEmpty()) db.setDatabaseName(p_.banco);
  if (!p_.usuario.isEmpty()) db.setUserName(p_.usuario);
  if (!p_.senha.isEmpty()) db.setPassword(p_.senha);
  db.setConnectOptions(QStringLiteral("connect_timeout=10"));
}

bool FontePostgres::AposAbrir() {
  PGconn* c = Conexao(Banco());
  if (!c) {
    erros_ << ErroFonte{QStringLiteral("Ocorreram erros."), QString(), 0, OrigemErro()};
    return false;
  }
  interruptor_ = std::make_shared<InterruptorPostgres>(PQgetCancel(c));
  propriedades_ = {
      {QStringLiteral("Provider Name"), QStringLiteral("QPSQL")},
      {QStringLiteral("Data Source"), QString::fromUtf8(PQhost(c))},
      {QStringLiteral("Current Catalog"), QString::fromUtf8(PQdb(c))},
      {QStringLiteral("DBMS Name"), QStringLiteral("PostgreSQL")},
      {QStringLiteral("DBMS Version"), QString::fromUtf8(PQparameterStatus(c, "server_version"))},
      {QStringLiteral("User Name"), QString::fromUtf8(PQuser(c))},
      {QStringLiteral("Multiple Results"), 1},
  };
  return true;
}

void FontePostgres::Fecha() {
  if (auto i = std::dynamic_pointer_cast<InterruptorPostgres>(interruptor_)) i->Desliga();
  FonteQtSql::Fecha();
}

bool FontePostgres::Procedimentos(QList<ProcedimentoEsquema>& procedimentos) {
  procedimentos.clear();
  erros_.clear();
  QSqlQuery q(Banco());
  q.setForwardOnly(true);
  // One row per name and schema: overloads share the statement that shows them.
  if (!q.exec(QStringLiteral("select distinct p.proname, n.nspname, current_database() from pg_proc p "
                             "join pg_namespace n on n.oid = p.pronamespace "
                             "where p.prokind in ('f', 'p') and n.nspname not in ('pg_catalog', 'information_schema') "
                             "and n.nspname not like 'pg\\_%' order by 2, 1"))) {
    erros_ = ErrosDe(q.lastError());
    return false;
  }
  while (q.next()) procedimentos << ProcedimentoEsquema{q.value(0), q.value(1), q.value(2)};
  return true;
}

bool FontePostgres::Tabelas(QList<TabelaEsquema>& tabelas) {
  tabelas.clear();
  erros_.clear();
  QSqlQuery q(Banco());
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("select c.relname, n.nspname, c.relkind, current_database() from pg_class c "
                             "join pg_namespace n on n.oid = c.relnamespace "
                             "where c.relkind in ('r', 'p', 'v', 'm', 'f') and n.nspname not like 'pg\\_toast%' "
                             "and n.nspname not like 'pg\\_temp\\_%' order by 2, 1"))) {
    erros_ = ErrosDe(q.lastError());
    return false;
  }
  while (q.next()) {
    TabelaEsquema t;
    t.nome = q.value(0).toString();
    const QString esquema = q.value(1).toString();
    const QString tipo = q.value(2).toString();
    if (esquema == QLatin1String("pg_catalog") || esquema == QLatin1String("information_schema"))
      t.tipo = QStringLiteral("SYSTEM TABLE");
    else
      t.tipo = tipo == QLatin1String("v") || tipo == QLatin1String("m") ? QStringLiteral("VIEW") : QStringLiteral("TABLE");
    t.esquema = esquema;
    t.catalogo = q.value(3);
    tabelas << t;
  }
  return true;
}

bool FontePostgres::ColunasTabela(const QString& esquema, const QString& tabela, QStringList& colunas) {
  erros_.clear();
  QSqlQuery q(Banco());
  q.setForwardOnly(true);
  // Without a schema, the table the search path finds.
  q.prepare(QStringLiteral("select a.attname from pg_attribute a join pg_class c on c.oid = a.attrelid "
                           "join pg_namespace n on n.oid = c.relnamespace "
                           "where c.relname = ? and (n.nspname = ? or (? = '' and pg_table_is_visible(c.oid))) "
                           "and a.attnum > 0 and not a.attisdropped order by a.attnum"));
  q.addBindValue(tabela);
  q.addBindValue(esquema);
  q.addBindValue(esquema);
  if (!q.exec()) {
    erros_ = ErrosDe(q.lastError());
    return false;
  }
  while (q.next()) colunas << q.value(0).toString();
  return true;
}

QList<PropriedadeProvedor> FontePostgres::FatosServidor() {
  QList<PropriedadeProvedor> l;
  PGconn* c = Conexao(Banco());
  if (!c) return l;
  l << FatoProvedor(QStringLiteral("Server Version Number"), PQserverVersion(c))
    << FatoProvedor(QStringLiteral("Protocol Version"), PQprotocolVersion(c))
    << FatoProvedor(QStringLiteral("Library Version Number"), PQlibVersion());
  for (const char* p : {"server_encoding", "client_encoding", "DateStyle", "IntervalStyle", "TimeZone",
                        "integer_datetimes", "standard_conforming_strings", "is_superuser"}) {
    const char* v = PQparameterStatus(c, p);
    l << FatoProvedor(QString::fromLatin1(p), v ? QVariant(QString::fromUtf8(v)) : QVariant());
  }
  return l;
}

QStringList FontePostgres::DivideLote(const QString& lote) const { return DivideLotePostgres(lote); }

qint64 FontePostgres::LinhasAfetadas(const QSqlQuery& q, const QString&) const {
  // PQcmdTuples is empty for a statement that is not a change.
  const QSqlResult* r = q.result();
  const QVariant h = r ? r->handle() : QVariant();
  if (!h.isValid() || !Nomeado(h, "PGresult*", "pg_result*")) return -1;
  PGresult* res = *static_cast<PGresult* const*>(h.constData());
  if (!res) return -1;
  const char* n = PQcmdTuples(res);
  return n && *n ? QByteArray(n).toLongLong() : -1;
}

}  // namespace brenk
