// The sources other than an SQLite file: the committed workbook and dBase
// tables made here (read into a read-only snapshot), ODBC through the SQLite
// ODBC driver, and PostgreSQL when a server was started for the tests.
#include "FontesTeste.h"
#include "tests/support/Arquivos.h"

#include "dbmanager/TextoConexao.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <shapefil.h>

using namespace brenk;
using teste::Roda;

namespace {

// Two dBase tables: lotes(CODIGO, BAIRRO, AREA) with a deleted record, and bairros(ID, NOME).
bool CriaTabelasDbase(const QString& pasta) {
  DBFHandle l = DBFCreateEx(QFile::encodeName(pasta + QStringLiteral("/lotes.dbf")).constData(), "UTF-8");
  DBFHandle b = DBFCreateEx(QFile::encodeName(pasta + QStringLiteral("/bairros.dbf")).constData(), "UTF-8");
  if (!l || !b) return false;
  DBFAddField(l, "CODIGO", FTInteger, 5, 0);
  DBFAddField(l, "BAIRRO", FTInteger, 3, 0);
  DBFAddField(l, "AREA", FTDouble, 10, 2);
  const struct { int codigo, bairro; double area; } lotes[] = {{1, 10, 300.5}, {2, 20, 450.25}, {3, 10, 99}, {4, 20, 1}};
  for (int i = 0; i < 4; ++i) {
    DBFWriteIntegerAttribute(l, i, 0, lotes[i].codigo);
    DBFWriteIntegerAttribute(l, i, 1, lotes[i].bairro);
    DBFWriteDoubleAttribute(l, i, 2, lotes[i].area);
  }
  DBFMarkRecordDeleted(l, 3, 1);
  DBFAddField(b, "ID", FTInteger, 3, 0);
  DBFAddField(b, "NOME", FTString, 30, 0);
  DBFWriteIntegerAttribute(b, 0, 0, 10);
  DBFWriteStringAttribute(b, 0, 1, "Centro");
  DBFWriteIntegerAttribute(b, 1, 0, 20);
  DBFWriteStringAttribute(b, 1, 1, "Jardim Botânico");
  DBFClose(l);
  DBFClose(b);
  return true;
}

}  // namespace

TEST(FontesArquivo, PlanilhaRespondeAUmaJuncao) {
  ConexaoConsulta c;
  QString erro;
  ASSERT_TRUE(c.Conecta(TextoConexao(2, teste::PlanilhaTeste(), QDir::currentPath()), erro)) << erro.toStdString();
  EXPECT_EQ(c.Propriedade(QStringLiteral("Data Source")).toString(), "Arquivos do Excel");
  EXPECT_EQ(c.Propriedade(QStringLiteral("DBMS Name")).toString(), "EXCEL");
  EXPECT_EQ(c.Propriedade(QStringLiteral("Driver Name")).toString(), "ODBCJT32.DLL");
  const auto r = Roda(c, QStringLiteral("SELECT i.Codigo, b.Nome, i.Area, i.Valor FROM [Imoveis$] i "
                                        "INNER JOIN [Bairros$] b ON b.Id = i.Bairro ORDER BY i.Codigo"));
  ASSERT_EQ(r.linhas.size(), 1) << r.fim.mensagens.toStdString();
  EXPECT_EQ(r.linhas[0], (QList<QStringList>{{"1", "Centro", "120,5", "350000"},
                                             {"2", "Jardim Botânico", "80,25", "210000"},
                                             {"3", "Centro", "95", "275500,5"}}));
  // The snapshot is read-only: nothing written would reach the workbook.
  const auto w = Roda(c, QStringLiteral("delete from [Imoveis$]"));
  EXPECT_TRUE(w.fim.erros);
  EXPECT_TRUE(w.fim.mensagens.contains(QStringLiteral("readonly"))) << w.fim.mensagens.toStdString();
}

TEST(FontesArquivo, DbaseUsaAPastaDoArquivoEscolhido) {
  QTemporaryDir dir;
  ASSERT_TRUE(CriaTabelasDbase(dir.path()));
  ConexaoConsulta c;
  QString erro;
  // Choosing one table of the folder opens them all.
  ASSERT_TRUE(c.Conecta(TextoConexao(3, dir.filePath(QStringLiteral("bairros.dbf")), QDir::currentPath()), erro))
      << erro.toStdString();
  EXPECT_EQ(c.Propriedade(QStringLiteral("DBMS Name")).toString(), "DBASE");
  const auto r = Roda(c, QStringLiteral("select l.CODIGO, b.NOME, l.AREA from lotes l join bairros b on b.ID = l.BAIRRO "
                                        "order by l.CODIGO"));
  ASSERT_EQ(r.linhas.size(), 1) << r.fim.mensagens.toStdString();
  EXPECT_EQ(r.linhas[0], (QList<QStringList>{{"1", "Centro", "300,5"}, {"2", "Jardim Botânico", "450,25"}, {"3", "Centro", "99"}}));
}

TEST(FontesArquivo, ArquivoQueNaoEAccess) {
  QTemporaryDir dir;
  const QString falso = dir.filePath(QStringLiteral("falso.mdb"));
  ASSERT_TRUE(teste::GravaBytes(falso, "isto nao e um banco"));
  ConexaoConsulta c;
  QString erro;
  EXPECT_FALSE(c.Conecta(TextoConexao(1, falso, QDir::currentPath()), erro));
  EXPECT_FALSE(erro.isEmpty());
  EXPECT_TRUE(erro.contains(QStringLiteral("Source: Microsoft JET Database Engine"))) << erro.toStdString();
}

TEST(FontesArquivo, OdbcComODriverSqlite) {
  const QString driver = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so");
  if (!QFileInfo::exists(driver)) GTEST_SKIP() << "driver ODBC do SQLite ausente (" << driver.toStdString() << ")";
  QTemporaryDir dir;
  const QString arquivo = dir.filePath(QStringLiteral("odbc.db"));
  ASSERT_TRUE(teste::CriaBancoSqlite(arquivo));
  ConexaoConsulta c;
  QString erro;
  ASSERT_TRUE(c.Conecta(QStringLiteral("Provider=MSDASQL;Extended Properties=DRIVER=") + driver +
                            QStringLiteral(";Database=") + arquivo,
                        erro))
      << erro.toStdString();
  EXPECT_EQ(c.Propriedade(QStringLiteral("DBMS Name")).toString(), "SQLite");
  EXPECT_EQ(c.Propriedade(QStringLiteral("Provider Name")).toString(), "MSDASQL.DLL");
  EXPECT_TRUE(c.Propriedade(QStringLiteral("Driver Name")).toString().contains(QStringLiteral("sqlite3odbc")));
  const auto r = Roda(c, QStringLiteral("select codigo, area from imoveis order by codigo"));
  ASSERT_EQ(r.linhas.size(), 1) << r.fim.mensagens.toStdString();
  EXPECT_EQ(r.linhas[0].size(), 3);
  EXPECT_EQ(r.linhas[0][0], (QStringList{"1", "120,5"}));
}

// PostgreSQL: scripts/test starts a throwaway server on loopback and names
// it in TARSOLIN_PG (a connection string of this program).
class FontePostgres : public ::testing::Test {
protected:
  void SetUp() override {
    texto_ = qEnvironmentVariable("TARSOLIN_PG");
    if (texto_.isEmpty()) GTEST_SKIP() << "nenhum servidor PostgreSQL de teste (TARSOLIN_PG não definido)";
    QString erro;
    if (!c_.Conecta(texto_, erro)) GTEST_SKIP() << "servidor PostgreSQL de teste não responde: " << erro.toStdString();
  }
  QString texto_;
  ConexaoConsulta c_;
};

TEST_F(FontePostgres, LoteComDoisResultados) {
  EXPECT_EQ(c_.Propriedade(QStringLiteral("DBMS Name")).toString(), "PostgreSQL");
  const auto r = Roda(c_, QStringLiteral("select 1 as um, 2.5::float8 as meio;\n"
                                         "create temporary table t (a int); insert into t values (1), (2);\n"
                                         "select 'a;b' as texto union all select 'c' order by 1"));
  ASSERT_EQ(r.colunas.size(), 2) << r.fim.mensagens.toStdString();
  EXPECT_EQ(r.linhas[0], (QList<QStringList>{{"1", "2,5"}}));
  EXPECT_EQ(r.linhas[1], (QList<QStringList>{{"a;b"}, {"c"}}));
  EXPECT_EQ(r.fim.mensagens, "[1 row(s) affected (application specific)]\n\n(2 row(s) affected)\n\n"
                             "[2 row(s) affected (application specific)]");
}

TEST_F(FontePostgres, CancelarUmaConsultaDemorada) {
  qint64 ms = 0;
  const auto r = teste::RodaECancela(c_, QStringLiteral("select pg_sleep(30)"), 300, ms);
  ASSERT_TRUE(r.terminou);
  EXPECT_LT(ms, 2000);
  EXPECT_TRUE(r.fim.mensagens.isEmpty());
}
