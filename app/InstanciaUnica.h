#pragma once
// The single-instance question on local sockets. Every running instance
// listens on its own socket in the user's runtime folder. An instance asks the
// others, waiting at most 500 ms for each: first whether one has the file open
// already (it brings the window forward), then, at start-up with a file,
// whether one takes it. The start of an instance (its question, the removal of
// stale sockets, its own listen) is one step under an exclusive lock on a file
// in the same folder: two instances started together never both miss each
// other, and a socket left by a killed instance is removed.
#include <QObject>
#include <functional>

class QLocalServer;

class InstanciaUnica : public QObject {
  Q_OBJECT
public:
  static constexpr int EsperaMs = 500;
  // What an instance is asked about a file.
  enum class Pedido { Aberto, Toma };

  explicit InstanciaUnica(QObject* parent = nullptr);
  ~InstanciaUnica() override;

  // The start of this instance: takes the start-up lock, removes the stale
  // sockets and asks the running instances about `caminhoCompleto` (when
  // given). True when one of them has it open or took it (this instance
  // should end; the lock is released). Otherwise the lock is kept until Escuta.
  bool Inicia(const QString& caminhoCompleto);
  // Answers the questions from now on and releases the start-up lock;
  // `trata` receives the full path and the question and must return at once.
  bool Escuta(std::function<bool(const QString&, Pedido)> trata);
  // Asks the other running instances whether one has the file open (it comes
  // forward there); true when one has.
  bool PerguntaAberto(const QString& caminhoCompleto) const;
  static QString Pasta();

private:
  // Asks each running instance but this one; true at the first that says yes.
  bool Pergunta(const QString& caminhoCompleto, Pedido pedido) const;
  void RemoveSocketsMortos() const;
  void LiberaTrava();

  QLocalServer* servidor_ = nullptr;
  std::function<bool(const QString&, Pedido)> trata_;
  int trava_ = -1;  // the start-up lock's file, locked while open
};
