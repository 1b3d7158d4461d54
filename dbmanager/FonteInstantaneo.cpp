#include "dbmanager/FonteInstantaneo.h"

#include "dbmanager/LeitoresArquivo.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <optional>
#include <sqlite3.h>

namespace brenk {

namespace {

QString Identificador(const QString& nome) {
  QString n = nome;
  n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + n + QLatin1Char('"');
}

// Writes the tables a reader finds into the snapshot, in one transaction.
class DestinoSqlite : public DestinoTabelas {
public:
  explicit DestinoSqlite(QSqlDatabase db) : db_(db) {}

  bool CriaTabela(const QString& nome, const QStringList& colunas, const QStringList& tipos) override {
    QStringList defs;
    for (int i = 0; i < colunas.size(); ++i)
      defs << Identificador(colunas[i]) + (i < tipos.size() && !tipos[i].isEmpty() ? QLatin1Char(' ') + tipos[i] : QString());
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("CREATE TABLE ") + Identificador(nome) + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) +
                QStringLiteral(")")))
      return Falha(q);
    insercao_.emplace(db_);
    QStringList marcas;
    for (int i = 0; i < colunas.size(); ++i) marcas << QStringLiteral("?");
    if (!insercao_->prepare(QStringLiteral("INSERT INTO ") + Identificador(nome) + QStringLiteral(" VALUES (") +
                            marcas.join(QLatin1Char(',')) + QStringLiteral(")")))
      return Falha(*insercao_);
    return true;
  }

  bool InsereLinha(const QVariantList& valores) override {
    if (!insercao_) return false;
    for (int i = 0; i < valores.size(); ++i) insercao_->bindValue(i, valores[i]);
    return insercao_->exec() || Falha(*insercao_);
  }

  bool ExecutaSql(const QString& sql) override {
    QSqlQuery q(db_);
    return q.exec(sql) || Falha(q);
  }

  QString Erro() const override { return erro_; }

private:
  bool Falha(const QSqlQuery& q) {
    erro_ = q.lastError().text();
    return false;
  }
  QSqlDatabase db_;
  std::optional<QSqlQuery> insercao_;
  QString erro_;
};

}  // namespace

FonteInstantaneo::FonteInstantaneo(const ParametrosConexao& parametros) : FonteSqlite(parametros) {}

void FonteInstantaneo::Configura(QSqlDatabase& db) { db.setDatabaseName(QStringLiteral(":memory:")); }

QString FonteInstantaneo::OrigemErro() const {
  return p_.provedor.startsWith(QLatin1String("MSDASQL"), Qt::CaseInsensitive)
             ? QStringLiteral("Microsoft OLE DB Provider for ODBC Drivers")
             : QStringLiteral("Microsoft JET Database Engine");
}

bool FonteInstantaneo::AposAbrir() {
  if (!FonteSqlite::AposAbrir()) return false;
  QSqlDatabase db = Banco();
  QString erro;
  bool ok;
  {
    DestinoSqlite destino(db);
    db.transaction();
    switch (p_.motor) {
      case Motor::Excel: ok = LeExcel(p_.arquivo, destino, erro); break;
      case Motor::Dbase: ok = LeDbase(p_.arquivo, destino, erro); break;
      default: ok = LeAccess(p_.arquivo, destino, erro); break;
    }
    if (ok) db.commit();
    else db.rollback();
  }
  if (!ok) {
    erros_ = {ErroFonte{erro, QString(), 0, OrigemErro()}};
    return false;
  }
  // A snapshot of the files: nothing written to it would reach them.
  QSqlQuery(db).exec(QStringLiteral("PRAGMA query_only = 1"));

  const bool odbc = p_.provedor.startsWith(QLatin1String("MSDASQL"), Qt::CaseInsensitive);
  const QString arquivo = QFileInfo(p_.arquivo).absoluteFilePath();
  QString dbms = QStringLiteral("MS Jet");
  if (odbc) dbms = p_.motor == Motor::Dbase ? QStringLiteral("DBASE") : QStringLiteral("EXCEL");
  propriedades_ = {
      {QStringLiteral("Provider Name"), odbc ? QStringLiteral("MSDASQL.DLL") : QStringLiteral("Microsoft.Jet.OLEDB.4.0")},
      {QStringLiteral("Data Source"), odbc ? p_.fonteDados : arquivo},
      {QStringLiteral("Current Catalog"), arquivo},
      {QStringLiteral("DBMS Name"), dbms},
      {QStringLiteral("DBMS Version"), QStringLiteral("SQLite ") + QString::fromLatin1(sqlite3_libversion())},
      {QStringLiteral("Multiple Results"), 1},
      {QStringLiteral("Read Only"), 1},
  };
  if (odbc) propriedades_.append({QStringLiteral("Driver Name"), QStringLiteral("ODBCJT32.DLL")});
  return true;
}

}  // namespace brenk
