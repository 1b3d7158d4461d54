// Runs on the worker thread of a connection: result sets, affected rows,
// errors, text mode, cancel and time-out, and the teardown of a busy worker.
#include "FontesTeste.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace brenk;
using teste::Roda;

namespace {

class ExecucaoSqlite : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    arquivo_ = dir_.filePath(QStringLiteral("base.db"));
    ASSERT_TRUE(teste::CriaBancoSqlite(arquivo_));
    QString erro;
    ASSERT_TRUE(c_.Conecta(teste::TextoSqlite(arquivo_), erro)) << erro.toStdString();
  }
  QTemporaryDir dir_;
  QString arquivo_;
  ConexaoConsulta c_;
};

const QString kInfinita = QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c) ");

}  // namespace

TEST_F(ExecucaoSqlite, PropriedadesDaConexao) {
  EXPECT_EQ(c_.Propriedade(QStringLiteral("DBMS Name")).toString(), "SQLite");
  EXPECT_EQ(c_.Propriedade(QStringLiteral("Data Source")).toString(), arquivo_);
  EXPECT_EQ(c_.Propriedade(QStringLiteral("Multiple Results")).toInt(), 1);
}

TEST_F(ExecucaoSqlite, DoisSelectsDaoDuasGrades) {
  const auto r = Roda(c_, QStringLiteral("select codigo, area from imoveis order by codigo;\n"
                                         "select count(*) as n, sum(valor) as total from imoveis"));
  ASSERT_TRUE(r.terminou);
  ASSERT_EQ(r.colunas.size(), 2);
  EXPECT_EQ(r.fim.grades, 2);
  EXPECT_EQ(r.colunas[0][0].nome, "codigo");
  EXPECT_EQ(r.colunas[0][1].nome, "area");
  EXPECT_EQ(r.linhas[0], (QList<QStringList>{{"1", "120,5"}, {"2", "80,25"}, {"3", "95"}}));
  EXPECT_EQ(r.linhas[1], (QList<QStringList>{{"3", "835500,5"}}));
  EXPECT_EQ(r.fim.mensagens, "[3 row(s) affected (application specific)]\n\n[1 row(s) affected (application specific)]");
  EXPECT_FALSE(r.fim.erros);
}

TEST_F(ExecucaoSqlite, AlteracoesContamLinhas) {
  auto r = Roda(c_, QStringLiteral("update imoveis set valor = valor * 2 where bairro = 'Centro'"));
  EXPECT_EQ(r.fim.grades, 0);
  EXPECT_EQ(r.fim.mensagens, "(2 row(s) affected)");
  // A change that matches nothing still reports its count; a statement that
  // is no change reports nothing, even right after a change.
  r = Roda(c_, QStringLiteral("delete from imoveis where codigo = 99; create table t (a int); insert into t values (1)"));
  EXPECT_EQ(r.fim.mensagens, "(0 row(s) affected)\n\n(1 row(s) affected)");
  r = Roda(c_, QStringLiteral("insert into t values (2); create table u (a int)"));
  EXPECT_EQ(r.fim.mensagens, "(1 row(s) affected)");
}

TEST_F(ExecucaoSqlite, SelectVazioENadaARelatar) {
  auto r = Roda(c_, QStringLiteral("select codigo, bairro from imoveis where 1 = 0"));
  ASSERT_EQ(r.colunas.size(), 1);
  EXPECT_EQ(r.colunas[0].size(), 2);
  EXPECT_TRUE(r.linhas[0].isEmpty());
  EXPECT_EQ(r.fim.mensagens, "[0 row(s) affected (application specific)]");

  r = Roda(c_, QStringLiteral("create index i on imoveis (codigo)"));
  EXPECT_EQ(r.fim.grades, 0);
  EXPECT_TRUE(r.fim.mensagens.isEmpty());
  EXPECT_FALSE(r.fim.erros);
}

TEST_F(ExecucaoSqlite, ErrosVaoParaAsMensagens) {
  auto r = Roda(c_, QStringLiteral("select * from nao_existe"));
  EXPECT_TRUE(r.fim.erros);
  EXPECT_EQ(r.fim.mensagens, "no such table: nao_existe\nState: , Native: 1, Source: SQLite");
  // An error after a result keeps the result and its count.
  r = Roda(c_, QStringLiteral("select 1 as um; select * from nao_existe"));
  EXPECT_EQ(r.fim.grades, 1);
  EXPECT_TRUE(r.fim.erros);
  EXPECT_TRUE(r.fim.mensagens.startsWith("[1 row(s) affected (application specific)]\n\nno such table"));
}

TEST_F(ExecucaoSqlite, ModoTextoJuntaAPrimeiraColuna) {
  auto r = Roda(c_, QStringLiteral("select codigo, bairro from imoveis order by codigo"), true);
  EXPECT_EQ(r.fim.textoResultado, "123\n\n");
  EXPECT_EQ(r.fim.grades, 0);
  r = Roda(c_, QStringLiteral("select codigo from imoveis where 0"), true);
  EXPECT_EQ(r.fim.textoResultado, "NULL");
}

TEST_F(ExecucaoSqlite, CancelarCteRecursivaTerminaEmDoisSegundos) {
  QSignalSpy fimCancel(&c_, &ConexaoConsulta::cancelamentoTerminado);
  qint64 ms = 0;
  const auto r = teste::RodaECancela(c_, kInfinita + QStringLiteral("select count(*) from c"), 300, ms);
  ASSERT_TRUE(r.terminou);
  EXPECT_LT(ms, 2000);
  EXPECT_TRUE(c_.Cancelado());
  EXPECT_FALSE(r.fim.erros);
  EXPECT_TRUE(r.fim.mensagens.isEmpty());
  EXPECT_TRUE(fimCancel.count() > 0 || fimCancel.wait(2000));
  // The connection serves the next run.
  EXPECT_EQ(Roda(c_, QStringLiteral("select 7 as sete")).linhas, (QList<QList<QStringList>>{{{"7"}}}));
}

TEST_F(ExecucaoSqlite, CancelarDuranteABuscaGuardaAsLinhasLidas) {
  const auto r = Roda(c_, kInfinita + QStringLiteral("select x from c"), false, [&] {
    QTest::qWait(400);
    c_.Cancela();
  });
  ASSERT_TRUE(r.terminou);
  ASSERT_EQ(r.colunas.size(), 1);
  EXPECT_GE(r.fim.linhasNoCancelamento, 2);
  // Rows arrive in whole blocks: 699, then 700 each.
  EXPECT_GE(r.linhas[0].size(), kBlocoLinhas - 1);
  EXPECT_GE(r.fim.linhasNoCancelamento - 1, r.linhas[0].size());
  EXPECT_EQ(r.linhas[0].first(), QStringList{"1"});
  EXPECT_TRUE(r.fim.mensagens.isEmpty());
}

TEST_F(ExecucaoSqlite, TempoLimiteInterrompe) {
  c_.DefineTempoLimite(1);
  const auto r = Roda(c_, kInfinita + QStringLiteral("select count(*) from c"));
  ASSERT_TRUE(r.terminou);
  EXPECT_LT(r.ms, 4000);
  EXPECT_TRUE(r.fim.erros);
  EXPECT_EQ(r.fim.mensagens, "Query timeout expired");
}

TEST(Conexao, FechaComConsultaEmExecucao) {
  QTemporaryDir dir;
  const QString arquivo = dir.filePath(QStringLiteral("b.db"));
  ASSERT_TRUE(teste::CriaBancoSqlite(arquivo));
  QElapsedTimer t;
  {
    ConexaoConsulta c;
    QString erro;
    ASSERT_TRUE(c.Conecta(teste::TextoSqlite(arquivo), erro));
    c.Executa(kInfinita + QStringLiteral("select count(*) from c"), false, false);
    QTest::qWait(200);
    t.start();
  }
  EXPECT_LT(t.elapsed(), 3000);
}

TEST(Conexao, FalhasAoConectar) {
  QTemporaryDir dir;
  struct Caso {
    const char* nome;
    QString texto;
    QString trecho;
  } casos[] = {
      {"arquivo ausente", teste::TextoSqlite(dir.filePath(QStringLiteral("nao.db"))), QStringLiteral("unable to open database file")},
      {"provedor", QStringLiteral("Provider=Outro;Data Source=x"), QStringLiteral("Provider cannot be found")},
      {"vazia", QString(), QStringLiteral("Nenhuma")},
      {"access invalido", QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + teste::PlanilhaTeste() + QStringLiteral(".mdb"),
       QStringLiteral("Não foi possível encontrar o arquivo")},
  };
  for (const Caso& k : casos) {
    ConexaoConsulta c;
    QString erro;
    EXPECT_FALSE(c.Conecta(k.texto, erro)) << k.nome;
    EXPECT_TRUE(erro.contains(k.trecho)) << k.nome << ": " << erro.toStdString();
    EXPECT_FALSE(c.Conectada());
  }
  // The missing file was not created by the attempt.
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nao.db"))));
}
