// Splitting a batch into statements for SQLite and PostgreSQL.
#include "dbmanager/DivisorLote.h"

#include "tests/platform/ImprimeQString.h"

#include <gtest/gtest.h>

using namespace brenk;

TEST(DivisorLote, Sqlite) {
  struct Caso {
    const char* nome;
    QString lote;
    QStringList partes;
  } casos[] = {
      {"dois selects", QStringLiteral("select 1; select 2"), {QStringLiteral("select 1;"), QStringLiteral("select 2")}},
      {"ponto e virgula em texto", QStringLiteral("select 'a;b'; select \"c;d\" from t;"),
       {QStringLiteral("select 'a;b';"), QStringLiteral("select \"c;d\" from t;")}},
      {"comentarios", QStringLiteral("-- inicio; ainda comentario\nselect 1; /* ; */ select 2;\n-- fim"),
       {QStringLiteral("-- inicio; ainda comentario\nselect 1;"), QStringLiteral("/* ; */ select 2;")}},
      {"gatilho", QStringLiteral("create trigger g after insert on t begin update t set a = 1; delete from u; end; select 3"),
       {QStringLiteral("create trigger g after insert on t begin update t set a = 1; delete from u; end;"), QStringLiteral("select 3")}},
      {"so comentario", QStringLiteral("  -- nada\n /* nada */ ;; "), {}},
      {"vazio", QString(), {}},
  };
  for (const Caso& c : casos) EXPECT_EQ(DivideLoteSqlite(c.lote), c.partes) << c.nome;
}

TEST(DivisorLote, Postgres) {
  struct Caso {
    const char* nome;
    QString lote;
    QStringList partes;
  } casos[] = {
      {"dois selects", QStringLiteral("select 1;select 2;"), {QStringLiteral("select 1;"), QStringLiteral("select 2;")}},
      {"aspas dobradas", QStringLiteral("select 'it''s; ok'; select 2"), {QStringLiteral("select 'it''s; ok';"), QStringLiteral("select 2")}},
      {"cifrao", QStringLiteral("create function f() returns int as $corpo$ begin return 1; end; $corpo$ language plpgsql; select f()"),
       {QStringLiteral("create function f() returns int as $corpo$ begin return 1; end; $corpo$ language plpgsql;"), QStringLiteral("select f()")}},
      {"cifrao vazio", QStringLiteral("select $$a;b$$; select $1"), {QStringLiteral("select $$a;b$$;"), QStringLiteral("select $1")}},
      {"comentario aninhado", QStringLiteral("/* a /* ; */ ; */ select 1; -- ;\n"), {QStringLiteral("/* a /* ; */ ; */ select 1;")}},
  };
  for (const Caso& c : casos) EXPECT_EQ(DivideLotePostgres(c.lote), c.partes) << c.nome;
}
