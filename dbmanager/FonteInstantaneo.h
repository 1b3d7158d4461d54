#pragma once
// Access, Excel and dBase files read into a read-only SQLite snapshot in
// memory when the connection opens. The source reports the Jet engine's
// facts, so the program's Jet rules (names in brackets, "[Plan1$]") apply;
// SQLite takes bracketed names as written.
#include "dbmanager/FonteSqlite.h"

namespace brenk {

class FonteInstantaneo : public FonteSqlite {
public:
  explicit FonteInstantaneo(const ParametrosConexao& parametros);

protected:
  void Configura(QSqlDatabase& db) override;
  bool AposAbrir() override;
  QString OrigemErro() const override;
};

}  // namespace brenk
