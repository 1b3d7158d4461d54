#include "dbmanager/DataSource.h"

#include "dbmanager/FonteInstantaneo.h"
#include "dbmanager/FonteOdbc.h"
#include "dbmanager/FontePostgres.h"
#include "dbmanager/FonteSqlite.h"

namespace brenk {

namespace {

// A connection string that names nothing this program can open.
class FonteInvalida : public DataSource {
public:
  explicit FonteInvalida(QString erro) : erro_(std::move(erro)) {}
  bool Abre() override {
    erros_ = {ErroFonte{erro_, QString(), 0, QStringLiteral("ADODB.Connection")}};
    return false;
  }
  void Fecha() override {}
  bool Aberta() const override { return false; }
  std::unique_ptr<ExecucaoLote> Executa(const QString&) override { return nullptr; }
private:
  QString erro_;
};

}  // namespace

std::unique_ptr<DataSource> CriaDataSource(const ParametrosConexao& p) {
  switch (p.motor) {
    case Motor::Sqlite: return std::make_unique<FonteSqlite>(p);
    case Motor::Postgres: return std::make_unique<FontePostgres>(p);
    case Motor::Odbc: return std::make_unique<FonteOdbc>(p);
    case Motor::Access:
    case Motor::Excel:
    case Motor::Dbase: return std::make_unique<FonteInstantaneo>(p);
    case Motor::Nenhum: break;
  }
  return std::make_unique<FonteInvalida>(p.erro.isEmpty() ? QStringLiteral("Ocorreram erros.") : p.erro);
}

}  // namespace brenk
