// Connection strings: the ones the connect command builds, and their reading
// into the back ends.
#include "dbmanager/RegrasProvedor.h"
#include "dbmanager/TextoConexao.h"

#include "tests/platform/ImprimeQString.h"

#include <gtest/gtest.h>

using namespace brenk;

TEST(TextoConexao, TabelaDosTipos) {
  const QString f = QStringLiteral("/dados/vendas 2024/base.mdb");
  const QString x = QStringLiteral("/dados/planilha.xls");
  const QString c = QStringLiteral("/home/ana");
  struct Caso {
    int tipo;
    QString arquivo;
    QString esperado;
  } casos[] = {
      {1, f, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/dados/vendas 2024/base.mdb;Persist Security Info=False")},
      {2, x, QStringLiteral("Provider=MSDASQL;Persist Security Info=False;Extended Properties=DSN=Arquivos do Excel;"
                            "DBQ=/dados/planilha.xls;DefaultDir=/home/ana;DriverId=790;MaxBufferSize=2048;PageTimeout=5;")},
      {3, QStringLiteral("/dados/dbf/lotes.dbf"),
       QStringLiteral("Provider=MSDASQL.1;Persist Security Info=False;Data Source=Arquivos do dBASE;"
                      "Extended Properties=DefaultDir=/dados/dbf;")},
      {6, x, QStringLiteral("Provider=MSDASQL;Persist Security Info=False;Extended Properties=DSN=Excel Files;"
                            "DBQ=/dados/planilha.xls;DefaultDir=/home/ana;DriverId=790;MaxBufferSize=2048;PageTimeout=5;")},
      {0, x, QString()},
      {4, x, QString()},
  };
  for (const Caso& k : casos) EXPECT_EQ(TextoConexao(k.tipo, k.arquivo, c), k.esperado) << "tipo " << k.tipo;

  // Two .dbf files of one folder give the same source.
  EXPECT_EQ(TextoConexao(3, QStringLiteral("/dados/dbf/a.dbf"), c), TextoConexao(3, QStringLiteral("/dados/dbf/b.dbf"), c));
  // The current folder enters the string with at most 260 characters.
  const QString longa = QStringLiteral("/") + QString(300, QLatin1Char('p'));
  EXPECT_TRUE(TextoConexao(2, x, longa).contains(QStringLiteral("DefaultDir=") + longa.left(260) + QStringLiteral(";DriverId")));
}

TEST(TextoConexao, DialogoDeArquivo) {
  EXPECT_EQ(ArquivoDoTipo(1).descricao, "Arquivos do Microsoft Access (*.mdb)");
  EXPECT_EQ(ArquivoDoTipo(1).extensao, "mdb");
  EXPECT_EQ(ArquivoDoTipo(2).descricao, "Arquivos do Microsoft Office Excel (*.xls)");
  EXPECT_EQ(ArquivoDoTipo(3).nomeInicial, "*.dbf");
  EXPECT_EQ(ArquivoDoTipo(6).descricao, "Microsoft Excel Files (*.xls)");
  EXPECT_TRUE(ArquivoDoTipo(0).descricao.isEmpty());
  EXPECT_TRUE(ArquivoDoTipo(4).extensao.isEmpty());
}

TEST(LeTextoConexao, CadaTipoChegaAoSeuMotor) {
  const QString c = QStringLiteral("/home/ana");
  struct Caso {
    const char* nome;
    QString texto;
    Motor motor;
    QString arquivo;
    QString fonte;
  } casos[] = {
      {"access", TextoConexao(1, QStringLiteral("/d/base.mdb"), c), Motor::Access, QStringLiteral("/d/base.mdb"), QStringLiteral("/d/base.mdb")},
      {"excel 2", TextoConexao(2, QStringLiteral("/d/p.xls"), c), Motor::Excel, QStringLiteral("/d/p.xls"), QStringLiteral("Arquivos do Excel")},
      {"excel 6", TextoConexao(6, QStringLiteral("/d/p.xls"), c), Motor::Excel, QStringLiteral("/d/p.xls"), QStringLiteral("Excel Files")},
      {"dbase", TextoConexao(3, QStringLiteral("/d/dbf/x.dbf"), c), Motor::Dbase, QStringLiteral("/d/dbf"), QStringLiteral("Arquivos do dBASE")},
      {"jet com planilha", QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/d/p.xls;Extended Properties=\"Excel 8.0;HDR=Yes\""),
       Motor::Excel, QStringLiteral("/d/p.xls"), QStringLiteral("/d/p.xls")},
      {"sqlite", QStringLiteral("Provider=SQLite;Data Source=/d/base.db"), Motor::Sqlite, QStringLiteral("/d/base.db"), QStringLiteral("/d/base.db")},
      {"sqlite entre aspas", QStringLiteral("provider=sqlite; data source=\"/d/a;b.db\""), Motor::Sqlite, QStringLiteral("/d/a;b.db"), QStringLiteral("/d/a;b.db")},
  };
  for (const Caso& k : casos) {
    const ParametrosConexao p = LeTextoConexao(k.texto);
    EXPECT_EQ(p.motor, k.motor) << k.nome;
    EXPECT_EQ(p.arquivo, k.arquivo) << k.nome;
    EXPECT_EQ(p.fonteDados, k.fonte) << k.nome;
    EXPECT_TRUE(p.erro.isEmpty()) << k.nome << ": " << p.erro.toStdString();
  }
}

TEST(LeTextoConexao, ServidoresEOdbc) {
  ParametrosConexao p = LeTextoConexao(QStringLiteral(
      "Provider=PostgreSQL;Data Source=127.0.0.1;Port=5433;Initial Catalog=vendas;User ID=ana;Password=\"a;b\""));
  EXPECT_EQ(p.motor, Motor::Postgres);
  EXPECT_EQ(p.servidor, "127.0.0.1");
  EXPECT_EQ(p.porta, 5433);
  EXPECT_EQ(p.banco, "vendas");
  EXPECT_EQ(p.usuario, "ana");
  EXPECT_EQ(p.senha, "a;b");

  p = LeTextoConexao(QStringLiteral("Provider=MSDASQL;Extended Properties=DRIVER={SQLite3};Database=/d/x.db"));
  EXPECT_EQ(p.motor, Motor::Odbc);
  EXPECT_EQ(p.textoOdbc, "DRIVER={SQLite3};Database=/d/x.db");

  p = LeTextoConexao(QStringLiteral("Provider=MSDASQL.1;Data Source=Vendas;User ID=ana;Password=x"));
  EXPECT_EQ(p.motor, Motor::Odbc);
  EXPECT_EQ(p.textoOdbc, "DSN=Vendas;UID=ana;PWD=x");
  EXPECT_EQ(p.fonteDados, "Vendas");

  // Without a provider the string is an ODBC one, as the default provider takes it.
  p = LeTextoConexao(QStringLiteral("DSN=Vendas"));
  EXPECT_EQ(p.motor, Motor::Odbc);

  // The SQL Server family's own provider goes through FreeTDS.
  p = LeTextoConexao(QStringLiteral("Provider=SQLOLEDB.1;Data Source=srv;Initial Catalog=pubs;User ID=sa;Password=s"));
  EXPECT_EQ(p.motor, Motor::Odbc);
  EXPECT_EQ(p.textoOdbc, "DRIVER={FreeTDS};SERVER=srv;PORT=1433;DATABASE=pubs;UID=sa;PWD=s");
}

TEST(LeTextoConexao, OQueNaoAbre) {
  for (const QString& t : {QString(), QStringLiteral("   "), QStringLiteral("Provider=Desconhecido.1;Data Source=x"),
                           QStringLiteral("Provider=SQLite"), QStringLiteral("Provider=MSDASQL;Persist Security Info=False")}) {
    const ParametrosConexao p = LeTextoConexao(t);
    EXPECT_EQ(p.motor, Motor::Nenhum) << t.toStdString();
    EXPECT_FALSE(p.erro.isEmpty()) << t.toStdString();
  }
  EXPECT_EQ(LeTextoConexao(QStringLiteral("Provider=Desconhecido.1")).erro,
            "Provider cannot be found. It may not be properly installed.");
}

TEST(RegrasProvedor, TabelaDeFatos) {
  struct Caso {
    const char* nome;
    FatosProvedor fatos;
    bool jet, assincrono, trocaBanco;
  } casos[] = {
      {"jet oledb", {QStringLiteral("MSJETOLEDB40.DLL"), QStringLiteral("MS JET"), {}}, true, false, false},
      {"jet odbc", {QStringLiteral("msdasql.dll"), QStringLiteral("EXCEL"), QStringLiteral("odbcjt32.dll")}, true, false, false},
      {"outro odbc", {QStringLiteral("MSDASQL.DLL"), QStringLiteral("SQLITE"), QStringLiteral("libsqlite3odbc.so")}, false, true, false},
      {"publicacao", {QStringLiteral("MSDAIPP.DLL"), QString(), {}}, false, false, false},
      {"publicacao por nome", {QStringLiteral("Microsoft OLE DB Provider for Internet Publishing"), QString(), {}}, false, false, false},
      {"sql server", {QStringLiteral("MSDASQL.DLL"), QStringLiteral("MICROSOFT SQL SERVER"), QStringLiteral("libtdsodbc.so")}, false, true, true},
      {"sql server curto", {QStringLiteral("SQLOLEDB.DLL"), QStringLiteral("SQL SERVER"), {}}, false, true, true},
      {"anywhere", {QStringLiteral("MSDASQL.DLL"), QStringLiteral("ADAPTIVE SERVER ANYWHERE"), {}}, false, true, true},
      {"postgres", {QStringLiteral("QPSQL"), QStringLiteral("POSTGRESQL"), {}}, false, true, false},
  };
  for (const Caso& k : casos) {
    const RegrasProvedor r = RegrasDe(k.fatos);
    EXPECT_EQ(r.jet, k.jet) << k.nome;
    EXPECT_EQ(r.assincrono, k.assincrono) << k.nome;
    EXPECT_EQ(r.trocaBanco, k.trocaBanco) << k.nome;
  }
}

TEST(RegrasProvedor, SpHelptextENomes) {
  const RegrasProvedor sql = RegrasDe({QStringLiteral("MSDASQL.DLL"), QStringLiteral("MICROSOFT SQL SERVER"), {}});
  const RegrasProvedor asa = RegrasDe({QStringLiteral("MSDASQL.DLL"), QStringLiteral("SYBASE SQL ANYWHERE"), {}});
  const RegrasProvedor jet = RegrasDe({QString(), QStringLiteral("MS JET"), {}});
  const RegrasProvedor ora = RegrasDe({QString(), QStringLiteral("ORACLE"), {}});

  LotePreparado l = PreparaLote(QStringLiteral("sp_helptext dbo.Vendas\nselect 1"), sql);
  EXPECT_TRUE(l.modoTexto);
  EXPECT_EQ(l.nomeObjeto, "dbo.Vendas");
  EXPECT_EQ(l.texto, "sp_helptext dbo.Vendas\nselect 1");
  // Written in capitals it is an ordinary query.
  EXPECT_FALSE(PreparaLote(QStringLiteral("SP_HELPTEXT Vendas"), sql).modoTexto);
  EXPECT_FALSE(PreparaLote(QStringLiteral("sp_helptext Vendas"), jet).modoTexto);
  l = PreparaLote(QStringLiteral("sp_helptext Vendas\t"), asa);
  EXPECT_TRUE(l.modoTexto);
  EXPECT_EQ(l.texto, "SELECT text FROM syscomments where id = object_id('Vendas') order by number, colid2, colid");

  EXPECT_TRUE(LoteTrocaBanco(QStringLiteral("use pubs"), sql));
  EXPECT_FALSE(LoteTrocaBanco(QStringLiteral("use pubs"), jet));
  EXPECT_FALSE(LoteTrocaBanco(QStringLiteral("select usuario from t"), sql));

  EXPECT_EQ(TextoProcedimento(QStringLiteral("p"), sql), "sp_helptext p");
  EXPECT_EQ(TextoProcedimento(QStringLiteral("P"), ora), "select TEXT from ALL_SOURCE where type = 'PROCEDURE' and NAME = 'P'");
  EXPECT_EQ(TextoProcedimento(QStringLiteral("p"), jet), "p // Procedure text not supported");
  EXPECT_EQ(TextoVisao(QStringLiteral("v"), jet), "v // Texto não suportado\n\n");

  EXPECT_EQ(NomeTabelaLista(QStringLiteral("Plan1$"), jet), "[Plan1$]");
  EXPECT_EQ(NomeTabelaLista(QStringLiteral("Plan1"), sql), "Plan1");
  EXPECT_EQ(NomeTabelaLista(QStringLiteral("Order Details"), sql), "[Order Details]");
  EXPECT_EQ(ColunaSelect(QStringLiteral("a.b"), jet), "[a].[b], ");
  EXPECT_EQ(ColunaSelect(QStringLiteral("Preco Unit"), sql), "[Preco Unit], ");
  EXPECT_EQ(ColunaSelect(QStringLiteral("preco"), sql), "preco, ");
}
