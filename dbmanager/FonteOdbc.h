#pragma once
// Any ODBC source through unixODBC and QtSql's ODBC driver (the SQL Server
// family through FreeTDS). The batch goes to the driver whole; further result
// sets are read when the driver has them. The facts come from the driver.
#include "dbmanager/FonteQtSql.h"

namespace brenk {

class FonteOdbc : public FonteQtSql {
public:
  explicit FonteOdbc(const ParametrosConexao& parametros);
  void Fecha() override;
  bool ResultadosSeguintes() const override { return multiplos_; }
  bool Bancos(QStringList& nomes) override;
  bool Procedimentos(QList<ProcedimentoEsquema>& procedimentos) override;

protected:
  void Configura(QSqlDatabase& db) override;
  bool AposAbrir() override;
  QString OrigemErro() const override { return QStringLiteral("Microsoft OLE DB Provider for ODBC Drivers"); }
  QList<PropriedadeProvedor> FatosServidor() override;

private:
  bool multiplos_ = false;
};

}  // namespace brenk
