#pragma once
// The query window's side of its connection: starts the worker's thread,
// hands it the connect and the runs, relays its signals on the user-interface
// thread, cancels through a short-lived cancel thread, applies the command
// time-out and, when destroyed, waits at most 30 s for the threads; a worker
// still busy then finishes and deletes itself later.
#include "dbmanager/TrabalhadorConsulta.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QThread;
class QTimer;

namespace brenk {

class ConexaoConsulta : public QObject {
  Q_OBJECT
public:
  explicit ConexaoConsulta(QObject* parent = nullptr);
  ~ConexaoConsulta() override;

  // Opens the connection on the worker's thread and waits; false with the
  // error collection's text.
  bool Conecta(const QString& textoConexao, QString& erro);
  bool Conectada() const { return conectada_; }
  QString TextoConexao() const { return texto_; }
  // The connection's properties as read when it opened (and updated by
  // database switches).
  QList<DataSource::Propriedade> Propriedades();
  QVariant Propriedade(const QString& nome);

  // Runs `f` with the data source on the worker's thread and waits for it
  // (only while no batch runs). False when there is no connection.
  bool NaConexao(const std::function<void(DataSource&)>& f);

  // Starts a batch; gradeNova, blocoNovo and execucaoTerminada follow.
  void Executa(const QString& lote, bool modoTexto, bool releBanco);
  bool Executando() const { return executando_; }
  // Starts the cancel thread: it sets the cancelled flag and interrupts the
  // running statement, again every few hundredths of a second until the run
  // has ended (so a cancel that comes before the statement starts is not
  // lost), and then reports cancelamentoTerminado.
  void Cancela();
  bool Cancelado() const { return estado_->cancelado.load(); }
  // Clears the cancelled flag once a cancelled run has ended.
  void LimpaCancelamento() { estado_->cancelado = false; }

  // Command time-out in seconds (0: none); a run that takes longer is
  // interrupted and ends with "Query timeout expired".
  void DefineTempoLimite(int segundos) { tempoLimite_ = segundos; }
  int TempoLimite() const { return tempoLimite_; }
  // Priority of the fetch (the program's numbers: -2 lowest ... 2 highest, 15 time critical).
  void DefinePrioridade(int prioridade) { prioridade_ = prioridade; }
  int Prioridade() const { return prioridade_; }

  // Maximum wait for each thread when the connection goes away.
  static constexpr int kEsperaMs = 30000;
  // Interval of the cancel's repeated interruption.
  static constexpr int kRepeticaoCancelamentoMs = 50;

signals:
  void gradeNova(const QList<brenk::ColunaResultado>& colunas);
  void blocoNovo(const brenk::BlocoPtr& bloco);
  void execucaoTerminada(const brenk::FimExecucao& fim);
  void cancelamentoTerminado();

private:
  void AoTerminar(const FimExecucao& fim);

  std::shared_ptr<EstadoExecucao> estado_;
  QThread* thread_ = nullptr;
  TrabalhadorConsulta* trabalhador_ = nullptr;
  QThread* cancelamento_ = nullptr;
  QTimer* tempo_ = nullptr;
  std::shared_ptr<Interruptor> interruptor_;
  QString texto_;
  bool conectada_ = false;
  bool executando_ = false;
  int tempoLimite_ = 0;
  int prioridade_ = -2;
};

}  // namespace brenk
