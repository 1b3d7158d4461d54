#include "InstanciaUnica.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString Prefixo() { return QStringLiteral("tarsolin-%1-").arg(::getuid()); }

QString NomeProprio() {
  return InstanciaUnica::Pasta() + '/' + Prefixo() + QString::number(QCoreApplication::applicationPid()) + ".sock";
}

// The other instances' sockets, newest first.
QStringList Sockets() {
  const QDir pasta(InstanciaUnica::Pasta());
  QStringList r;
  const QString proprio = QFileInfo(NomeProprio()).fileName();
  for (const QString& nome : pasta.entryList({Prefixo() + "*.sock"}, QDir::System | QDir::Files, QDir::Time))
    if (nome != proprio) r << pasta.filePath(nome);
  return r;
}

}  // namespace

InstanciaUnica::InstanciaUnica(QObject* parent) : QObject(parent) {}

InstanciaUnica::~InstanciaUnica() {
  if (servidor_) servidor_->close();  // removes the socket file
  LiberaTrava();
}

void InstanciaUnica::LiberaTrava() {
  if (trava_ < 0) return;
  ::flock(trava_, LOCK_UN);
  ::close(trava_);
  trava_ = -1;
}

QString InstanciaUnica::Pasta() {
  QString p = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (p.isEmpty()) p = QDir::tempPath();
  return p;
}

bool InstanciaUnica::Inicia(const QString& caminhoCompleto) {
  // The start-up lock is held from the question to the listen, so two
  // instances started together never both miss each other. The kernel drops
  // it when the process dies; a start that waits too long goes on without it.
  if (trava_ < 0) {
    const QByteArray nome = QFile::encodeName(Pasta() + '/' + Prefixo() + "inicio.lock");
    trava_ = ::open(nome.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const QDeadlineTimer prazo(10000);
    while (trava_ >= 0 && ::flock(trava_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno != EWOULDBLOCK && errno != EINTR) || prazo.hasExpired()) {
        ::close(trava_);
        trava_ = -1;
        break;
      }
      QThread::msleep(10);
    }
  }
  RemoveSocketsMortos();
  if (!caminhoCompleto.isEmpty() &&
      (Pergunta(caminhoCompleto, Pedido::Aberto) || Pergunta(caminhoCompleto, Pedido::Toma))) {
    LiberaTrava();
    return true;
  }
  return false;
}

void InstanciaUnica::RemoveSocketsMortos() const {
  // A socket nobody listens on refuses the connection at once: its instance
  // ended without removing it. Under the start-up lock no instance is between
  // creating its socket and listening on it.
  for (const QString& nome : Sockets()) {
    QLocalSocket s;
    s.connectToServer(nome);
    if (s.waitForConnected(EsperaMs)) {
      s.abort();
      continue;
    }
    if (s.error() == QLocalSocket::ConnectionRefusedError || s.error() == QLocalSocket::ServerNotFoundError)
      QFile::remove(nome);
  }
}

bool InstanciaUnica::Escuta(std::function<bool(const QString&, Pedido)> trata) {
  trata_ = std::move(trata);
  servidor_ = new QLocalServer(this);
  servidor_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString nome = NomeProprio();
  QLocalServer::removeServer(nome);
  const bool ok = servidor_->listen(nome);
  LiberaTrava();
  if (!ok) return false;
  connect(servidor_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* s = servidor_->nextPendingConnection()) {
      connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
      connect(s, &QLocalSocket::readyRead, s, [this, s] {
        if (!s->canReadLine()) return;
        // "?<path>": has this instance the file open; "<path>": will it take it.
        QString linha = QString::fromUtf8(s->readLine()).trimmed();
        const Pedido pedido = linha.startsWith('?') ? Pedido::Aberto : Pedido::Toma;
        if (pedido == Pedido::Aberto) linha.remove(0, 1);
        const bool aceito = !linha.isEmpty() && trata_ && trata_(linha, pedido);
        s->write(aceito ? "1\n" : "0\n");
        s->flush();
        s->disconnectFromServer();
      });
    }
  });
  return true;
}

bool InstanciaUnica::PerguntaAberto(const QString& caminhoCompleto) const {
  return Pergunta(caminhoCompleto, Pedido::Aberto);
}

bool InstanciaUnica::Pergunta(const QString& caminhoCompleto, Pedido pedido) const {
  if (caminhoCompleto.isEmpty()) return false;
  const QByteArray linha = (pedido == Pedido::Aberto ? "?" : "") + caminhoCompleto.toUtf8() + '\n';
  for (const QString& nome : Sockets()) {
    QLocalSocket s;
    s.connectToServer(nome);
    QDeadlineTimer prazo(EsperaMs);
    if (!s.waitForConnected(int(prazo.remainingTime()))) continue;  // a stale socket or a hung instance
    s.write(linha);
    if (!s.waitForBytesWritten(int(prazo.remainingTime()))) continue;
    while (!s.canReadLine() && !prazo.hasExpired())
      if (!s.waitForReadyRead(int(std::max<qint64>(1, prazo.remainingTime())))) break;
    if (s.canReadLine() && s.readLine().trimmed() == "1") return true;
  }
  return false;
}
