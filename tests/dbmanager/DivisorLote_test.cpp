// Splitting a batch into statements for SQLite and PostgreSQL.
#include "dbmanager/DivisorLote.h"

#include "tests/platform/ImprimeQString.h"

#include <gtest/gtest.h>

using namespace brenk;

// One table for both dialects: the splitter of each case and what it gives.
TEST(DivisorLote, Dialetos) {
  using Divisor = QStringList (*)(const QString&);
  const Divisor sqlite = DivideLoteSqlite, postgres = DivideLotePostgres;
  struct Caso {
    const char* nome;
    Divisor divide;
    QString lote;
    QStringList partes;
  } casos[] = {
      {"sqlite: dois selects", sqlite, QStringLiteral("select 1; select 2"), {QStringLiteral("select 1;"), QStringLiteral("select 2")}},
      {"sqlite: ponto e virgula em texto", sqlite, QStringLiteral("select 'a;b'; select \"c;d\" from t;"),
       {QStringLiteral("select 'a;b';"), QStringLiteral("select \"c;d\" from t;")}},
      {"sqlite: comentarios", sqlite, QStringLiteral("-- inicio; ainda comentario\nselect 1; /* ; */ select 2;\n-- fim"),
       {QStringLiteral("-- inicio; ainda comentario\nselect 1;"), QStringLiteral("/* ; */ select 2;")}},
      {"sqlite: gatilho", sqlite, QStringLiteral("create trigger g after insert on t begin update t set a = 1; delete from u; end; select 3"),
       {QStringLiteral("create trigger g after insert on t begin update t set a = 1; delete from u; end;"), QStringLiteral("select 3")}},
      {"sqlite: so comentario", sqlite, QStringLiteral("  -- nada\n /* nada */ ;; "), {}},
      {"sqlite: vazio", sqlite, QString(), {}},
      {"postgres: dois selects", postgres, QStringLiteral("select 1;select 2;"), {QStringLiteral("select 1;"), QStringLiteral("select 2;")}},
      {"postgres: aspas dobradas", postgres, QStringLiteral("select 'it''s; ok'; select 2"),
       {QStringLiteral("select 'it''s; ok';"), QStringLiteral("select 2")}},
      {"postgres: cifrao", postgres,
       QStringLiteral("create function f() returns int as $corpo$ begin return 1; end; $corpo$ language plpgsql; select f()"),
       {QStringLiteral("create function f() returns int as $corpo$ begin return 1; end; $corpo$ language plpgsql;"), QStringLiteral("select f()")}},
      {"postgres: cifrao vazio", postgres, QStringLiteral("select $$a;b$$; select $1"), {QStringLiteral("select $$a;b$$;"), QStringLiteral("select $1")}},
      {"postgres: comentario aninhado", postgres, QStringLiteral("/* a /* ; */ ; */ select 1; -- ;\n"),
       {QStringLiteral("/* a /* ; */ ; */ select 1;")}},
  };
  for (const Caso& c : casos) EXPECT_EQ(c.divide(c.lote), c.partes) << c.nome;
}
