#pragma once
// An SQLite database file through QtSql's driver: each statement of a batch
// runs on its own, and a running statement is interrupted through the
// driver's handle.
#include "dbmanager/FonteQtSql.h"

struct sqlite3;

namespace brenk {

class FonteSqlite : public FonteQtSql {
public:
  explicit FonteSqlite(const ParametrosConexao& parametros);

  QStringList DivideLote(const QString& lote) const override;
  void AntesDoComando(const QString& comando) override;
  qint64 LinhasAfetadas(const QSqlQuery& q, const QString& comando) const override;
  bool Abre() override;
  void Fecha() override;

protected:
  void Configura(QSqlDatabase& db) override;
  bool AposAbrir() override;
  QString OrigemErro() const override { return QStringLiteral("SQLite"); }
  QList<PropriedadeProvedor> FatosServidor() override;
  // The handle of the open connection.
  sqlite3* Handle() const;

  long long totalAntes_ = 0;  // changes counted before the running statement
};

}  // namespace brenk
