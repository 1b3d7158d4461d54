#include "InstanciaUnica.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace {
QString Prefixo() { return QStringLiteral("tarsolin-%1-").arg(::getuid()); }
}  // namespace

InstanciaUnica::InstanciaUnica(QObject* parent) : QObject(parent) {}

InstanciaUnica::~InstanciaUnica() {
  if (servidor_) servidor_->close();  // removes the socket file
}

QString InstanciaUnica::Pasta() {
  QString p = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (p.isEmpty()) p = QDir::tempPath();
  return p;
}

bool InstanciaUnica::Escuta(std::function<bool(const QString&)> trata) {
  trata_ = std::move(trata);
  servidor_ = new QLocalServer(this);
  servidor_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString nome = Pasta() + '/' + Prefixo() + QString::number(QCoreApplication::applicationPid()) + ".sock";
  QLocalServer::removeServer(nome);
  if (!servidor_->listen(nome)) return false;
  connect(servidor_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* s = servidor_->nextPendingConnection()) {
      connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
      connect(s, &QLocalSocket::readyRead, s, [this, s] {
        if (!s->canReadLine()) return;
        const QString caminho = QString::fromUtf8(s->readLine()).trimmed();
        const bool aceito = !caminho.isEmpty() && trata_ && trata_(caminho);
        s->write(aceito ? "1\n" : "0\n");
        s->flush();
        s->disconnectFromServer();
      });
    }
  });
  return true;
}

bool InstanciaUnica::Pergunta(const QString& caminhoCompleto, int esperaMs) {
  if (caminhoCompleto.isEmpty()) return false;
  const QDir pasta(Pasta());
  const QStringList sockets = pasta.entryList({Prefixo() + "*.sock"}, QDir::System | QDir::Files, QDir::Time);
  for (const QString& nome : sockets) {
    QLocalSocket s;
    s.connectToServer(pasta.filePath(nome));
    QDeadlineTimer prazo(esperaMs);
    if (!s.waitForConnected(int(prazo.remainingTime()))) continue;  // a stale socket or a hung instance
    s.write(caminhoCompleto.toUtf8() + '\n');
    if (!s.waitForBytesWritten(int(prazo.remainingTime()))) continue;
    while (!s.canReadLine() && !prazo.hasExpired())
      if (!s.waitForReadyRead(int(std::max<qint64>(1, prazo.remainingTime())))) break;
    if (s.canReadLine() && s.readLine().trimmed() == "1") return true;
  }
  return false;
}
