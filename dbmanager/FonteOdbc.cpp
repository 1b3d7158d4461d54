#include "dbmanager/FonteOdbc.h"

#include <QSqlDriver>
#include <mutex>
#include <sql.h>
#include <sqlext.h>

namespace brenk {

namespace {

SQLHDBC Handle(const QSqlDatabase& db) {
  const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
  if (!h.isValid() || (qstrcmp(h.typeName(), "SQLHANDLE") != 0 && qstrcmp(h.typeName(), "void*") != 0)) return nullptr;
  return *static_cast<const SQLHANDLE*>(h.constData());
}

QString Info(SQLHDBC h, SQLUSMALLINT tipo) {
  SQLCHAR buf[512] = {};
  SQLSMALLINT n = 0;
  if (!SQL_SUCCEEDED(SQLGetInfo(h, tipo, buf, sizeof buf, &n))) return QString();
  return QString::fromUtf8(reinterpret_cast<const char*>(buf));
}

// Asks the driver to cancel what runs on the connection (drivers that do not
// know the request ignore it; the fetch then stops at its next check).
class InterruptorOdbc : public Interruptor {
public:
  explicit InterruptorOdbc(SQLHDBC h) : h_(h) {}
  void Interrompe() override {
    std::lock_guard<std::mutex> trava(m_);
    if (h_) SQLCancelHandle(SQL_HANDLE_DBC, h_);
  }
  void Desliga() {
    std::lock_guard<std::mutex> trava(m_);
    h_ = nullptr;
  }
private:
  std::mutex m_;
  SQLHDBC h_;
};

// The first diagnostic of a statement as the error collection's entry.
ErroFonte ErroComando(SQLHSTMT st, const QString& origem) {
  SQLCHAR estado[6] = {}, texto[512] = {};
  SQLINTEGER nativo = 0;
  SQLSMALLINT n = 0;
  SQLGetDiagRec(SQL_HANDLE_STMT, st, 1, estado, &nativo, texto, sizeof texto, &n);
  return ErroFonte{QString::fromUtf8(reinterpret_cast<const char*>(texto)),
                   QString::fromLatin1(reinterpret_cast<const char*>(estado)), int(nativo), origem};
}

// A text column of the current row; no value for SQL NULL.
QVariant Coluna(SQLHSTMT st, SQLUSMALLINT coluna) {
  SQLCHAR buf[512] = {};
  SQLLEN n = 0;
  if (!SQL_SUCCEEDED(SQLGetData(st, coluna, SQL_C_CHAR, buf, sizeof buf, &n)) || n == SQL_NULL_DATA) return QVariant();
  return QString::fromUtf8(reinterpret_cast<const char*>(buf));
}

}  // namespace

FonteOdbc::FonteOdbc(const ParametrosConexao& parametros) : FonteQtSql(QStringLiteral("QODBC"), parametros) {}

void FonteOdbc::Configura(QSqlDatabase& db) {
  db.setDatabaseName(p_.textoOdbc);
  if (!p_.usuario.isEmpty()) db.setUserName(p_.usuario);
  if (!p_.senha.isEmpty()) db.setPassword(p_.senha);
}

bool FonteOdbc::AposAbrir() {
  SQLHDBC h = Handle(Banco());
  if (!h) {
    erros_ << ErroFonte{QStringLiteral("Ocorreram erros."), QString(), 0, OrigemErro()};
    return false;
  }
  interruptor_ = std::make_shared<InterruptorOdbc>(h);
  multiplos_ = Info(h, SQL_MULT_RESULT_SETS) == QLatin1String("Y");
  QString fonte = Info(h, SQL_DATA_SOURCE_NAME);
  if (fonte.isEmpty()) fonte = p_.fonteDados;
  propriedades_ = {
      {QStringLiteral("Provider Name"), QStringLiteral("MSDASQL.DLL")},
      {QStringLiteral("Data Source"), fonte},
      {QStringLiteral("Current Catalog"), Info(h, SQL_DATABASE_NAME)},
      {QStringLiteral("DBMS Name"), Info(h, SQL_DBMS_NAME)},
      {QStringLiteral("DBMS Version"), Info(h, SQL_DBMS_VER)},
      {QStringLiteral("Driver Name"), Info(h, SQL_DRIVER_NAME)},
      {QStringLiteral("Driver Version"), Info(h, SQL_DRIVER_VER)},
      {QStringLiteral("User Name"), Info(h, SQL_USER_NAME)},
      {QStringLiteral("Multiple Results"), multiplos_ ? 1 : 0},
  };
  return true;
}

void FonteOdbc::Fecha() {
  if (auto i = std::dynamic_pointer_cast<InterruptorOdbc>(interruptor_)) i->Desliga();
  FonteQtSql::Fecha();
}

bool FonteOdbc::Bancos(QStringList& nomes) {
  nomes.clear();
  erros_.clear();
  SQLHDBC h = Handle(Banco());
  SQLHSTMT st = nullptr;
  if (!h || !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h, &st))) {
    erros_ << ErroFonte{QStringLiteral("Ocorreram erros."), QString(), 0, OrigemErro()};
    return false;
  }
  SQLCHAR todos[] = SQL_ALL_CATALOGS;
  SQLCHAR vazio[] = "";
  bool ok = SQL_SUCCEEDED(SQLTables(st, todos, SQL_NTS, vazio, 0, vazio, 0, nullptr, 0));
  if (ok) {
    while (SQL_SUCCEEDED(SQLFetch(st))) {
      SQLCHAR buf[512] = {};
      SQLLEN n = 0;
      if (SQL_SUCCEEDED(SQLGetData(st, 1, SQL_C_CHAR, buf, sizeof buf, &n)) && n != SQL_NULL_DATA)
        nomes << QString::fromUtf8(reinterpret_cast<const char*>(buf));
    }
  } else {
    erros_ << ErroComando(st, OrigemErro());
  }
  SQLFreeHandle(SQL_HANDLE_STMT, st);
  return ok;
}

bool FonteOdbc::Procedimentos(QList<ProcedimentoEsquema>& procedimentos) {
  procedimentos.clear();
  erros_.clear();
  SQLHDBC h = Handle(Banco());
  SQLHSTMT st = nullptr;
  if (!h || !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, h, &st))) {
    erros_ << ErroFonte{QStringLiteral("Errors occurred."), QString(), 0, OrigemErro()};
    return false;
  }
  const bool ok = SQL_SUCCEEDED(SQLProcedures(st, nullptr, 0, nullptr, 0, nullptr, 0));
  if (ok) {
    // Catalog, schema and name are the first three columns.
    while (SQL_SUCCEEDED(SQLFetch(st))) procedimentos << ProcedimentoEsquema{Coluna(st, 3), Coluna(st, 2), Coluna(st, 1)};
  } else {
    erros_ << ErroComando(st, OrigemErro());
  }
  SQLFreeHandle(SQL_HANDLE_STMT, st);
  return ok;
}

QList<PropriedadeProvedor> FonteOdbc::FatosServidor() {
  QList<PropriedadeProvedor> l;
  SQLHDBC h = Handle(Banco());
  if (!h) return l;
  const struct { SQLUSMALLINT tipo; const char* nome; } fatos[] = {
      {SQL_ODBC_VER, "ODBC Version"},           {SQL_DRIVER_ODBC_VER, "Driver ODBC Version"},
      {SQL_SERVER_NAME, "Server Name"},         {SQL_IDENTIFIER_QUOTE_CHAR, "Identifier Quote Character"},
      {SQL_CATALOG_TERM, "Catalog Term"},       {SQL_SCHEMA_TERM, "Schema Term"},
      {SQL_PROCEDURE_TERM, "Procedure Term"},   {SQL_PROCEDURES, "Procedures"},
      {SQL_ACCESSIBLE_TABLES, "Accessible Tables"}, {SQL_DATA_SOURCE_READ_ONLY, "Read-Only Data Source"},
  };
  for (const auto& f : fatos) l << FatoProvedor(QString::fromLatin1(f.nome), Info(h, f.tipo));
  return l;
}

}  // namespace brenk
