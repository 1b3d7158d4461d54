#pragma once
// A PostgreSQL server through QtSql's driver: each statement of a batch runs
// on its own; a running statement is cancelled through the server's cancel
// request.
#include "dbmanager/FonteQtSql.h"

namespace brenk {

class FontePostgres : public FonteQtSql {
public:
  explicit FontePostgres(const ParametrosConexao& parametros);
  void Fecha() override;
  QStringList DivideLote(const QString& lote) const override;
  qint64 LinhasAfetadas(const QSqlQuery& q, const QString& comando) const override;
  // Functions and procedures outside the server's own schemas.
  bool Procedimentos(QList<ProcedimentoEsquema>& procedimentos) override;
  // Every table and view with its schema (the server's own are system tables).
  bool Tabelas(QList<TabelaEsquema>& tabelas) override;
  // The columns of one table named exactly (letter case kept).
  bool ColunasTabela(const QString& esquema, const QString& tabela, QStringList& colunas) override;

protected:
  void Configura(QSqlDatabase& db) override;
  bool AposAbrir() override;
  QString OrigemErro() const override { return QStringLiteral("PostgreSQL"); }
  QList<PropriedadeProvedor> FatosServidor() override;
};

}  // namespace brenk
