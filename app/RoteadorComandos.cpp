#include "RoteadorComandos.h"

#include "AlvoComando.h"
#include "AlvoDocumento.h"

#include "model/CTarsolinDoc.h"

#include <QAction>
#include <QTimer>
#include <algorithm>

RoteadorComandos& RoteadorComandos::Instancia() {
  static RoteadorComandos* r = new RoteadorComandos;  // lives for the whole run
  return *r;
}

RoteadorComandos::RoteadorComandos() {
  ocioso_ = new QTimer(this);
  ocioso_->setInterval(250);
  connect(ocioso_, &QTimer::timeout, this, &RoteadorComandos::AtualizaAcoes);
}

void RoteadorComandos::DefineCadeia(std::function<std::vector<QObject*>()> cadeia) { cadeia_ = std::move(cadeia); }

std::vector<QObject*> RoteadorComandos::Cadeia() const {
  std::vector<QObject*> r;
  if (!cadeia_) return r;
  for (QObject* o : cadeia_())
    if (o && std::find(r.begin(), r.end(), o) == r.end()) r.push_back(o);
  return r;
}

AlvoComando* RoteadorComandos::Alvo(QObject* o) {
  if (auto* a = dynamic_cast<AlvoComando*>(o)) return a;
  // Model documents come from the engine library: their file commands are answered here.
  if (auto* d = qobject_cast<CTarsolinDoc*>(o)) return AlvoDocumento::Para(d);
  return nullptr;
}

bool RoteadorComandos::DespachaCadeia(const std::vector<QObject*>& cadeia, int id) {
  for (QObject* o : cadeia) {
    AlvoComando* a = Alvo(o);
    if (a && a->OnCmdMsg(id)) return true;
  }
  return false;
}

EstadoComando RoteadorComandos::EstadoCadeia(const std::vector<QObject*>& cadeia, int id) {
  for (QObject* o : cadeia) {
    AlvoComando* a = Alvo(o);
    EstadoComando e;
    if (a && a->OnUpdateCmd(id, e)) return e;
  }
  for (QObject* o : cadeia) {
    AlvoComando* a = Alvo(o);
    if (a && a->TemComando(id)) return EstadoComando{true, false};
  }
  return EstadoComando{false, false};
}

bool RoteadorComandos::Despacha(int id) {
  const bool tratado = DespachaCadeia(Cadeia(), id);
  emit comandoDespachado(id, tratado);
  AtualizaAcoes();
  return tratado;
}

void RoteadorComandos::Posta(int id) {
  QMetaObject::invokeMethod(this, [this, id] { Despacha(id); }, Qt::QueuedConnection);
}

EstadoComando RoteadorComandos::Estado(int id) const { return EstadoCadeia(Cadeia(), id); }

std::vector<QObject*> RoteadorComandos::CadeiaDe(QObject* janela) {
  std::vector<QObject*> r;
  auto* alvo = dynamic_cast<AlvoComando*>(janela);
  if (!alvo) return r;
  for (QObject* o : {alvo->VistaAtiva(), alvo->DocumentoAlvo(), janela})
    if (o && std::find(r.begin(), r.end(), o) == r.end()) r.push_back(o);
  return r;
}

bool RoteadorComandos::DespachaEm(QObject* janela, int id) { return DespachaCadeia(CadeiaDe(janela), id); }

void RoteadorComandos::PostaEm(QObject* janela, int id) {
  QPointer<QObject> alvo(janela);
  PostaEm([alvo]() -> QObject* { return alvo.data(); }, id);
}

void RoteadorComandos::PostaEm(std::function<QObject*()> janela, int id) {
  QMetaObject::invokeMethod(
      this,
      [this, janela = std::move(janela), id] {
        QObject* alvo = janela ? janela() : nullptr;
        if (!alvo) return;
        const bool tratado = DespachaEm(alvo, id);
        emit comandoDespachado(id, tratado);
        AtualizaAcoes();
      },
      Qt::QueuedConnection);
}

EstadoComando RoteadorComandos::EstadoEm(QObject* janela, int id) { return EstadoCadeia(CadeiaDe(janela), id); }

void RoteadorComandos::RegistraAcao(QAction* acao) {
  acoes_.push_back({acao, nullptr, false});
  connect(acao, &QAction::triggered, this, [this, acao] { Despacha(acao->data().toInt()); });
  if (!ocioso_->isActive()) ocioso_->start();
}

void RoteadorComandos::RegistraAcao(QAction* acao, QObject* janela) {
  acoes_.push_back({acao, janela, true});
  QPointer<QObject> alvo(janela);
  connect(acao, &QAction::triggered, this, [this, acao, alvo] {
    if (alvo) PostaEm(alvo, acao->data().toInt());
  });
  if (!ocioso_->isActive()) ocioso_->start();
}

void RoteadorComandos::AtualizaAcoes() {
  acoes_.erase(std::remove_if(acoes_.begin(), acoes_.end(),
                              [](const AcaoRegistrada& a) { return a.acao.isNull() || (a.propria && a.janela.isNull()); }),
               acoes_.end());
  for (const AcaoRegistrada& r : acoes_) {
    QAction* a = r.acao;
    const int id = a->data().toInt();
    const EstadoComando e = r.propria ? EstadoEm(r.janela, id) : Estado(id);
    a->setEnabled(e.habilitado);
    if (a->isCheckable()) a->setChecked(e.marcado);
  }
}
