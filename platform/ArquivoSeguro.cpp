#include "platform/ArquivoSeguro.h"

#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {
std::atomic<long long> g_falhaApos{-1};

// The process umask, read from /proc so that no other thread ever sees it
// changed (umask() can only be read by setting it).
mode_t MascaraCriacao() {
  FILE* f = std::fopen("/proc/self/status", "r");
  mode_t m = 022;
  if (!f) return m;
  char linha[256];
  while (std::fgets(linha, sizeof linha, f)) {
    unsigned v = 0;
    if (std::sscanf(linha, "Umask: %o", &v) == 1) { m = static_cast<mode_t>(v); break; }
  }
  std::fclose(f);
  return m;
}
}  // namespace

void SimulaFalhaGravacao(long long bytes) { g_falhaApos = bytes; }

namespace {
// A model reached through a symbolic link stays a link: the file it points to
// is the one replaced (chains of links followed, also to a target not yet
// created), and the temporary file goes beside it so the rename stays on one
// file system.
QString AlvoFinal(const QString& destino) {
  QString alvo = destino;
  for (int i = 0; i < 40; ++i) {
    const QFileInfo info(alvo);
    if (!info.isSymLink()) break;
    alvo = info.symLinkTarget();
  }
  return alvo;
}
}  // namespace

GravacaoSegura::GravacaoSegura(const QString& destino) : destino_(AlvoFinal(destino)) {
  const QFileInfo info(destino_);
  QByteArray modelo = (info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                       QStringLiteral(".XXXXXX")).toLocal8Bit();
  fd_ = mkstemp(modelo.data());
  if (fd_ < 0) {
    erro_ = QString::fromLocal8Bit(std::strerror(errno));
    return;
  }
  temporario_ = QString::fromLocal8Bit(modelo);
  // Keep the permissions of the file being replaced (a new file gets 0644 less the umask).
  struct stat st;
  if (::stat(destino_.toLocal8Bit().constData(), &st) == 0) {
    ::fchmod(fd_, st.st_mode & 07777);
  } else {
    ::fchmod(fd_, 0666 & ~MascaraCriacao());
  }
}

GravacaoSegura::~GravacaoSegura() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporario_.isEmpty()) ::unlink(temporario_.toLocal8Bit().constData());
}

bool GravacaoSegura::Escreve(const void* dados, std::size_t tamanho) {
  if (fd_ < 0 || falhou_) return false;
  const char* p = static_cast<const char*>(dados);
  while (tamanho > 0) {
    std::size_t parte = tamanho;
    const long long limite = g_falhaApos.load();
    if (limite >= 0) {
      if (limite == 0) {
        falhou_ = true;
        erro_ = QString::fromLocal8Bit(std::strerror(ENOSPC));
        return false;
      }
      parte = std::min<std::size_t>(parte, static_cast<std::size_t>(limite));
    }
    const ssize_t n = ::write(fd_, p, parte);
    if (n < 0) {
      if (errno == EINTR) continue;
      falhou_ = true;
      erro_ = QString::fromLocal8Bit(std::strerror(errno));
      return false;
    }
    if (limite >= 0) g_falhaApos = limite - n;
    p += n;
    tamanho -= static_cast<std::size_t>(n);
  }
  return true;
}

bool GravacaoSegura::Confirma() {
  if (fd_ < 0 || falhou_) return false;
  const bool sincronizou = ::fsync(fd_) == 0;
  const bool fechou = ::close(fd_) == 0;
  if (!sincronizou || !fechou) {
    fd_ = -1;
    falhou_ = true;
    erro_ = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  fd_ = -1;
  if (::rename(temporario_.toLocal8Bit().constData(), destino_.toLocal8Bit().constData()) != 0) {
    falhou_ = true;
    erro_ = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  temporario_.clear();
  return true;
}

}  // namespace plat
