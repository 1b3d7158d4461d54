#pragma once
// A connection to one data source, used only from the query window's worker
// thread: it opens, reports its properties, runs a batch and walks its result
// sets. The back ends are QtSql's drivers (SQLite, PostgreSQL, ODBC) and a
// read-only SQLite snapshot of Access, Excel and dBase files.
#include "dbmanager/TextoConexao.h"
#include "dbmanager/ValoresColuna.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace brenk {

// One column of a result set, as the grid's header row needs it.
struct ColunaResultado {
  QString nome;
  int tamanho = -1;       // defined size in characters, -1 when the source does not say
  bool binaria = false;   // shown as "<Binary>/<Raw>"
};

// One entry of the provider's error collection.
struct ErroFonte {
  QString descricao;
  QString estado;  // SQL state, when the source gives one
  int nativo = 0;  // the source's own error number
  QString origem;  // who reported it
};

// The error collection as one text: "%s\nState: %s, Native: %d, Source: %s"
// per error, separated by a blank line; empty without errors.
QString TextoErros(const QList<ErroFonte>& erros);

// Stops the statement that is running, from any thread; does nothing once
// the connection is closed.
class Interruptor {
public:
  virtual ~Interruptor() = default;
  virtual void Interrompe() = 0;
};

// The result sets of one batch, walked forward once.
class ExecucaoLote {
public:
  virtual ~ExecucaoLote() = default;
  // Runs up to the next result set (the first on the first call); false at
  // the end of the batch or on failure (then Erros() is not empty).
  virtual bool Proximo() = 0;
  // The current result set returns rows (an open recordset).
  virtual bool Aberto() const = 0;
  virtual QList<ColunaResultado> Colunas() const = 0;
  // Rows changed by a statement that returns none; -1 when not reported.
  virtual qint64 LinhasAfetadas() const = 0;
  // Moves to the next row (the first on the first call); false at the end or on failure.
  virtual bool ProximaLinha() = 0;
  virtual QVariant Valor(int coluna) const = 0;
  // Appends the current row's value of a column to `destino`, typed as the
  // source gave it.
  virtual void AcrescentaValor(int coluna, ValoresColuna& destino) const { destino.Acrescenta(Valor(coluna)); }
  const QList<ErroFonte>& Erros() const { return erros_; }

protected:
  QList<ErroFonte> erros_;
};

// One row of the tables schema: name, "TABLE" / "VIEW" / "SYSTEM TABLE",
// schema and catalog (no value when the source has none).
struct TabelaEsquema {
  QString nome, tipo;
  QVariant esquema, catalogo;
};

// One row of the procedures schema: name, schema and catalog (no value
// when the source has none).
struct ProcedimentoEsquema {
  QVariant nome, esquema, catalogo;
};

// One property of the provider properties dump, as the dump names it: its
// data type number (0 empty, 2 small integer, 3 integer, 5 double, 8 text,
// 11 boolean, 20 big integer...), its value and its attributes (1 required,
// 2 optional, 512 read, 1024 write).
struct PropriedadeProvedor {
  QString nome;
  int tipo = 0;
  QVariant valor;
  int atributos = 512;
};
// A property whose type number follows its value's type.
PropriedadeProvedor FatoProvedor(const QString& nome, const QVariant& valor, int atributos = 512);

// The four collections of the dump: the connection's facts (the driver's and
// the server's), the command's, the result set's and its first field's.
struct ColecoesPropriedades {
  QList<PropriedadeProvedor> conexao, comando, conjunto, campo;
};

enum class ResultadoPropriedades {
  Ok,
  SemColunas,  // the statement returned no result set
  Erro,        // the source refused it (Erros() says why)
};

class DataSource {
public:
  using Propriedade = QPair<QString, QVariant>;

  virtual ~DataSource() = default;
  // Opens the connection; false with Erros() set.
  virtual bool Abre() = 0;
  virtual void Fecha() = 0;
  virtual bool Aberta() const = 0;

  // The connection's property collection ("Provider Name", "Data Source",
  // "Current Catalog", "DBMS Name", "DBMS Version", "Driver Name",
  // "Multiple Results"...), read when it opened.
  const QList<Propriedade>& Propriedades() const { return propriedades_; }
  QVariant ValorPropriedade(const QString& nome) const;
  void DefinePropriedade(const QString& nome, const QVariant& valor);

  // The interruptor of this connection (shared with the user-interface thread).
  std::shared_ptr<Interruptor> InterruptorConexao() const { return interruptor_; }

  // Starts a batch; the first result set runs on the first Proximo().
  virtual std::unique_ptr<ExecucaoLote> Executa(const QString& lote) = 0;

  // The databases of the server (empty when it has no such list); false on failure.
  virtual bool Bancos(QStringList& nomes);
  // Runs "use <nome>" (with its brackets) and makes the name without them
  // the current catalog; false on failure.
  virtual bool UsaBanco(const QString& nome);
  // The tables, views and system tables of the source; false on failure.
  virtual bool Tabelas(QList<TabelaEsquema>& tabelas);
  // The column names of one table of one schema (none: the default schema).
  virtual bool ColunasTabela(const QString& esquema, const QString& tabela, QStringList& colunas);
  // A schema, table or column name as a statement of this source writes it
  // (quoted by the driver's own rules).
  virtual QString CitaIdentificador(const QString& nome, bool tabela) const { return nome; }
  // Runs a one-value query and answers its first field ("select db_name()").
  virtual bool ValorUnico(const QString& sql, QVariant& valor);
  // The stored procedures and functions of the source (none where it has
  // none); false on failure.
  virtual bool Procedimentos(QList<ProcedimentoEsquema>& procedimentos);
  // Runs `comando` and describes the connection, the command, the first
  // result set and its first field; `tempoLimite` and `cache` are the query
  // window's settings.
  virtual ResultadoPropriedades DescrevePropriedades(const QString& comando, int tempoLimite, int cache,
                                                     ColecoesPropriedades& colecoes);

  const QList<ErroFonte>& Erros() const { return erros_; }

protected:
  QList<Propriedade> propriedades_;
  QList<ErroFonte> erros_;
  std::shared_ptr<Interruptor> interruptor_;
};

// The data source that opens `parametros`; never null (a source that cannot
// be opened says why when it opens).
std::unique_ptr<DataSource> CriaDataSource(const ParametrosConexao& parametros);

}  // namespace brenk
