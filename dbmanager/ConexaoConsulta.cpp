#include "dbmanager/ConexaoConsulta.h"

#include <QThread>
#include <QTimer>

namespace brenk {

namespace {
QThread::Priority PrioridadeThread(int p) {
  switch (p) {
    case 15: return QThread::TimeCriticalPriority;
    case 2: return QThread::HighestPriority;
    case 1: return QThread::HighPriority;
    case 0: return QThread::NormalPriority;
    case -1: return QThread::LowPriority;
    default: return QThread::LowestPriority;
  }
}
}  // namespace

ConexaoConsulta::ConexaoConsulta(QObject* parent)
    : QObject(parent), estado_(std::make_shared<EstadoExecucao>()) {
  thread_ = new QThread;
  thread_->setObjectName(QStringLiteral("ConexaoConsulta"));
  trabalhador_ = new TrabalhadorConsulta(estado_);
  trabalhador_->moveToThread(thread_);
  connect(trabalhador_, &TrabalhadorConsulta::gradeNova, this, &ConexaoConsulta::gradeNova);
  connect(trabalhador_, &TrabalhadorConsulta::blocoNovo, this, &ConexaoConsulta::blocoNovo);
  connect(trabalhador_, &TrabalhadorConsulta::execucaoTerminada, this, &ConexaoConsulta::AoTerminar);
  thread_->start();
  tempo_ = new QTimer(this);
  tempo_->setSingleShot(true);
  connect(tempo_, &QTimer::timeout, this, [this] {
    if (!executando_ || !interruptor_) return;
    estado_->tempoEsgotado = true;
    interruptor_->Interrompe();
  });
}

ConexaoConsulta::~ConexaoConsulta() {
  // Whatever still runs is stopped first, so the waits below are short.
  estado_->encerrado = true;
  estado_->cancelado = true;
  if (interruptor_) interruptor_->Interrompe();
  if (cancelamento_ && !cancelamento_->wait(kEsperaMs)) {
    cancelamento_->setParent(nullptr);
    connect(cancelamento_, &QThread::finished, cancelamento_, &QObject::deleteLater);
  } else {
    delete cancelamento_;
  }
  QMetaObject::invokeMethod(trabalhador_, &TrabalhadorConsulta::Encerra, Qt::QueuedConnection);
  if (thread_->wait(kEsperaMs)) {
    delete trabalhador_;
    delete thread_;
  } else {
    // The worker is not stopped: it ends its statement, closes its
    // connection and deletes itself and its thread.
    connect(thread_, &QThread::finished, trabalhador_, &QObject::deleteLater);
    connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
  }
}

bool ConexaoConsulta::Conecta(const QString& textoConexao, QString& erro) {
  bool ok = false;
  std::shared_ptr<Interruptor> interruptor;
  QMetaObject::invokeMethod(
      trabalhador_,
      [&] {
        ok = trabalhador_->Conecta(textoConexao, erro);
        if (ok) interruptor = trabalhador_->Fonte()->InterruptorConexao();
      },
      Qt::BlockingQueuedConnection);
  conectada_ = ok;
  interruptor_ = interruptor;
  if (ok) texto_ = textoConexao;
  return ok;
}

bool ConexaoConsulta::NaConexao(const std::function<void(DataSource&)>& f) {
  if (!conectada_ || executando_) return false;
  bool feito = false;
  QMetaObject::invokeMethod(
      trabalhador_,
      [&] {
        if (DataSource* fonte = trabalhador_->Fonte()) {
          f(*fonte);
          feito = true;
        }
      },
      Qt::BlockingQueuedConnection);
  return feito;
}

QList<DataSource::Propriedade> ConexaoConsulta::Propriedades() {
  QList<DataSource::Propriedade> l;
  NaConexao([&](DataSource& f) { l = f.Propriedades(); });
  return l;
}

QVariant ConexaoConsulta::Propriedade(const QString& nome) {
  QVariant v;
  NaConexao([&](DataSource& f) { v = f.ValorPropriedade(nome); });
  return v;
}

void ConexaoConsulta::Executa(const QString& lote, bool modoTexto, bool releBanco) {
  // The cancel of the last run has stopped repeating before this one starts.
  if (cancelamento_) cancelamento_->wait();
  estado_->cancelado = false;
  estado_->tempoEsgotado = false;
  estado_->emExecucao = true;
  executando_ = true;
  thread_->setPriority(PrioridadeThread(prioridade_));
  if (tempoLimite_ > 0) tempo_->start(tempoLimite_ * 1000);
  QMetaObject::invokeMethod(trabalhador_, "Executa", Qt::QueuedConnection, Q_ARG(QString, lote),
                            Q_ARG(bool, modoTexto), Q_ARG(bool, releBanco));
}

void ConexaoConsulta::AoTerminar(const FimExecucao& fim) {
  executando_ = false;
  tempo_->stop();
  thread_->setPriority(QThread::NormalPriority);
  emit execucaoTerminada(fim);
}

void ConexaoConsulta::Cancela() {
  if (cancelamento_ && cancelamento_->isRunning()) return;
  delete cancelamento_;
  auto estado = estado_;
  auto interruptor = interruptor_;
  cancelamento_ = QThread::create([estado, interruptor] {
    estado->cancelado = true;
    // An interruption that lands before the statement starts is lost: it is
    // repeated until the worker has ended the run (the worker itself starts
    // no statement once the flag is set).
    while (interruptor) {
      interruptor->Interrompe();
      if (!estado->emExecucao.load() || estado->encerrado.load()) break;
      QThread::msleep(kRepeticaoCancelamentoMs);
    }
  });
  connect(cancelamento_, &QThread::finished, this, &ConexaoConsulta::cancelamentoTerminado, Qt::QueuedConnection);
  cancelamento_->start(QThread::NormalPriority);
}

}  // namespace brenk
