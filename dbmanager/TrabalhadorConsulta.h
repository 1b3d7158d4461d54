#pragma once
// The worker that owns one query window's connection and lives on that
// window's own thread: it connects, runs each batch and walks its result sets
// into blocks of rows for the window's grids (or into one text), and never
// touches a widget. The window learns everything through queued signals.
#include "dbmanager/DataSource.h"
#include "dbmanager/ValoresColuna.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <atomic>
#include <memory>

namespace brenk {

// The run flags the window and the worker share.
struct EstadoExecucao {
  std::atomic<bool> cancelado{false};      // set by the cancel; polled before every field and row
  std::atomic<bool> tempoEsgotado{false};  // the command time-out stopped the run
  std::atomic<bool> emExecucao{false};     // a run was handed to the worker and has not ended
  std::atomic<bool> encerrado{false};      // the connection is going away
};

// What the end of a run reports to the window.
struct FimExecucao {
  bool erros = false;            // errors were added to the messages
  QString mensagens;             // the messages text of the run
  QString textoResultado;        // text mode: the joined first column
  int grades = 0;                // result grids created
  int linhasNoCancelamento = 0;  // grid rows (heading included) reached when the cancel was seen; 0 otherwise
  bool bancoRelido = false;      // the current database was read again after a "USE "
  QString bancoAtual;
};

// The rows of a grid grow in blocks, so the window is asked once per block.
inline constexpr int kBlocoLinhas = 700;

class TrabalhadorConsulta : public QObject {
  Q_OBJECT
public:
  explicit TrabalhadorConsulta(std::shared_ptr<EstadoExecucao> estado);
  ~TrabalhadorConsulta() override;

  // These run on the worker's thread (the window calls them through
  // ConexaoConsulta, waiting for the answer).
  bool Conecta(const QString& textoConexao, QString& erro);
  DataSource* Fonte() const { return fonte_.get(); }
  // Closes the connection and ends the thread's event loop.
  void Encerra();

public slots:
  // Runs a batch: in text mode only the first column of the first result
  // set is read; with `releBanco` the current database is asked for afterwards.
  void Executa(const QString& lote, bool modoTexto, bool releBanco);

signals:
  void gradeNova(const QList<brenk::ColunaResultado>& colunas);
  // Rows of the newest grid, one array of values per column.
  void blocoNovo(const brenk::BlocoPtr& bloco);
  void execucaoTerminada(const brenk::FimExecucao& fim);

private:
  void BuscaParaGrade(ExecucaoLote& ex, FimExecucao& fim);
  void BuscaParaTexto(ExecucaoLote& ex, FimExecucao& fim);
  bool Cancelado() const { return estado_->cancelado.load(); }
  // Adds a text to the run's messages (after a blank line), unless cancelled.
  void Acrescenta(FimExecucao& fim, const QString& texto, bool erro) const;
  QString TextoFalha(const QList<ErroFonte>& erros) const;

  std::shared_ptr<EstadoExecucao> estado_;
  std::unique_ptr<DataSource> fonte_;
};

}  // namespace brenk

Q_DECLARE_METATYPE(brenk::ColunaResultado)
Q_DECLARE_METATYPE(brenk::FimExecucao)
