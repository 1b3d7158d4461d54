#pragma once
// The command router. Every QAction carries its command id in data(); a
// command walks the active view, its document, its frame, the main window and
// the application, and stops at the first target that handles it. Posting is
// a queued dispatch, so posted commands run in the order posted, after the
// poster's handler has finished. Update handlers run on activation, after
// each dispatch and on an idle timer; a command nobody handles is disabled.
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class AlvoComando;
class QAction;
class QTimer;
struct EstadoComando;

class RoteadorComandos : public QObject {
  Q_OBJECT
public:
  static RoteadorComandos& Instancia();

  // The chain of objects to ask, in order (set by the main frame).
  void DefineCadeia(std::function<std::vector<QObject*>()> cadeia);
  std::vector<QObject*> Cadeia() const;

  // Runs `id` now; false when no target handled it.
  bool Despacha(int id);
  // Queues `id` for dispatch.
  void Posta(int id);
  // The state the chain gives `id`.
  EstadoComando Estado(int id) const;

  // A window's own chain (its active view, its document, the window): an
  // auxiliary window runs its model's commands on the model window this way,
  // as if they were chosen there, whatever window is active.
  static std::vector<QObject*> CadeiaDe(QObject* janela);
  static bool DespachaEm(QObject* janela, int id);
  void PostaEm(QObject* janela, int id);  // queued; nothing when the window is gone by then
  // Queued; `janela` names the window when the command runs (a window created
  // meanwhile counts), null for nothing.
  void PostaEm(std::function<QObject*()> janela, int id);
  static EstadoComando EstadoEm(QObject* janela, int id);

  // Actions whose state the router keeps current.
  void RegistraAcao(QAction* acao);
  // An action of a window's own tool bar: it is posted to `janela` and takes
  // its state from that window's chain, whatever window is active.
  void RegistraAcao(QAction* acao, QObject* janela);
  void AtualizaAcoes();

signals:
  void comandoDespachado(int id, bool tratado);

private:
  RoteadorComandos();
  static AlvoComando* Alvo(QObject* o);
  static bool DespachaCadeia(const std::vector<QObject*>& cadeia, int id);
  static EstadoComando EstadoCadeia(const std::vector<QObject*>& cadeia, int id);
  std::function<std::vector<QObject*>()> cadeia_;
  struct AcaoRegistrada {
    QPointer<QAction> acao;
    QPointer<QObject> janela;  // null: the active window's chain
    bool propria = false;      // registered for a window of its own
  };
  std::vector<AcaoRegistrada> acoes_;
  QTimer* ocioso_ = nullptr;
};
