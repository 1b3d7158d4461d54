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
