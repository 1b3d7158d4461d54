#pragma once
// The single-instance question on local sockets. Every running instance
// listens on its own socket in the user's runtime folder; a new instance
// started with a file asks each of them in turn, waiting at most 500 ms for
// each, whether it takes the file. The one that answers yes opens the file (or
// brings forward the window that has it) and the new instance ends.
#include <QObject>
#include <functional>

class QLocalServer;

class InstanciaUnica : public QObject {
  Q_OBJECT
public:
  static constexpr int EsperaMs = 500;
  explicit InstanciaUnica(QObject* parent = nullptr);
  ~InstanciaUnica() override;

  // Answers the question from now on; `trata` receives the full path and says
  // whether this instance takes the file (it must return at once).
  bool Escuta(std::function<bool(const QString&)> trata);
  // Asks the running instances; true when one of them took the file.
  static bool Pergunta(const QString& caminhoCompleto, int esperaMs = EsperaMs);
  static QString Pasta();

private:
  QLocalServer* servidor_ = nullptr;
  std::function<bool(const QString&)> trata_;
};
