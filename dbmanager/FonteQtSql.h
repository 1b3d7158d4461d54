#pragma once
// The part every QtSql back end shares: the connection under a name of its
// own (a QSqlDatabase belongs to the thread that opened it), the run of a
// batch statement by statement, and errors read into the error collection.
#include "dbmanager/DataSource.h"

#include <QSqlDatabase>
#include <QSqlError>

class QSqlQuery;

namespace brenk {

class FonteQtSql : public DataSource {
public:
  FonteQtSql(const QString& driver, const ParametrosConexao& parametros);
  ~FonteQtSql() override;

  bool Abre() override;
  void Fecha() override;
  bool Aberta() const override;
  std::unique_ptr<ExecucaoLote> Executa(const QString& lote) override;
  bool UsaBanco(const QString& nome) override;
  bool ValorUnico(const QString& sql, QVariant& valor) override;
  bool Tabelas(QList<TabelaEsquema>& tabelas) override;
  bool ColunasTabela(const QString& esquema, const QString& tabela, QStringList& colunas) override;
  QString CitaIdentificador(const QString& nome, bool tabela) const override;
  ResultadoPropriedades DescrevePropriedades(const QString& comando, int tempoLimite, int cache,
                                             ColecoesPropriedades& colecoes) override;

  QSqlDatabase Banco() const;
  const ParametrosConexao& Parametros() const { return p_; }

  // The statements of a batch in the order they run (the whole text when the
  // driver takes a batch at once).
  virtual QStringList DivideLote(const QString& lote) const;
  // Called right before each statement runs.
  virtual void AntesDoComando(const QString& comando) {}
  // Rows changed by the statement `q` ran; -1 when it reports none.
  virtual qint64 LinhasAfetadas(const QSqlQuery& q, const QString& comando) const;
  // True when the driver hands over further result sets of one statement.
  virtual bool ResultadosSeguintes() const { return false; }
  // The error collection of a QtSql error.
  QList<ErroFonte> ErrosDe(const QSqlError& e) const;

protected:
  // Sets the connection's parameters before it opens.
  virtual void Configura(QSqlDatabase& db) {}
  // Reads the properties and sets the interruptor once open; false fails the open.
  virtual bool AposAbrir() = 0;
  // What the server itself tells of the open connection, after the
  // connection's properties and the driver's features in the dump.
  virtual QList<PropriedadeProvedor> FatosServidor() { return {}; }
  // Who reports errors ("Source" of the error collection).
  virtual QString OrigemErro() const = 0;

  ParametrosConexao p_;
  QString driver_;
  QString nomeConexao_;
};

}  // namespace brenk
