#include "platform/ArquivoSeguro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

QByteArray Local(const QString& caminho) { return QFile::encodeName(caminho); }

IdentidadeArquivo DeStat(const struct stat& st) {
  IdentidadeArquivo id;
  id.dispositivo = static_cast<unsigned long long>(st.st_dev);
  id.inode = static_cast<unsigned long long>(st.st_ino);
  id.tamanho = static_cast<long long>(st.st_size);
  id.modificacaoNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return id;
}

// A model reached through a symbolic link stays a link: the file it points to
// is the one replaced (chains of links followed, also to a target not yet
// created), and the temporary file goes beside it so the rename stays on one
// file system. `ciclo` is set when the chain never ends.
QString AlvoFinal(const QString& destino, bool* ciclo = nullptr) {
  QString alvo = destino;
  for (int i = 0; i < 40; ++i) {
    const QFileInfo info(alvo);
    if (!info.isSymLink()) {
      if (ciclo) *ciclo = false;
      return alvo;
    }
    alvo = info.symLinkTarget();
  }
  if (ciclo) *ciclo = true;
  return alvo;
}

// A write-protected file is not written, also by root, for whom access()
// always succeeds: then a file with no write permission bit is protected.
int Protecao(const QByteArray& caminho, const struct stat& st) {
  if (::faccessat(AT_FDCWD, caminho.constData(), W_OK, AT_EACCESS) != 0) return errno;
  if (::geteuid() == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  return 0;
}
}  // namespace

void SimulaFalhaGravacao(long long bytes) { g_falhaApos = bytes; }

QString DescricaoErro(int codigo) {
  switch (codigo) {
    case ENOSPC: return QStringLiteral("Não há espaço livre no disco.");
    case EDQUOT: return QStringLiteral("A cota de disco do usuário se esgotou.");
    case EROFS: return QStringLiteral("O disco está protegido contra gravação (somente leitura).");
    case EACCES:
    case EPERM: return QStringLiteral("Permissão negada.");
    case EISDIR: return QStringLiteral("O nome indicado é uma pasta, não um arquivo.");
    case ELOOP: return QStringLiteral("O nome indicado é um link simbólico em ciclo.");
    case ENOENT: return QStringLiteral("A pasta indicada não existe.");
    case ENOTDIR: return QStringLiteral("Uma parte do caminho não é uma pasta.");
    case ENAMETOOLONG: return QStringLiteral("O nome do arquivo é longo demais.");
    case EFBIG: return QStringLiteral("O arquivo excede o tamanho permitido pelo disco.");
    case EIO: return QStringLiteral("Erro de leitura ou gravação no disco.");
    case EMFILE:
    case ENFILE: return QStringLiteral("Há arquivos abertos demais.");
    case ETXTBSY:
    case EBUSY:
    case EWOULDBLOCK: return QStringLiteral("O arquivo está aberto e em uso por outro programa.");
    case EINVAL: return QStringLiteral("O nome indicado não é um arquivo comum.");
    default: return QString::fromLocal8Bit(std::strerror(codigo));
  }
}

// ---------------------------------------------------------------- identity

IdentidadeArquivo IdentidadeDe(const QString& caminho) {
  struct stat st;
  if (::stat(Local(caminho).constData(), &st) != 0) return {};
  return DeStat(st);
}

IdentidadeArquivo IdentidadeDoDescritor(int fd) {
  struct stat st;
  if (fd < 0 || ::fstat(fd, &st) != 0) return {};
  return DeStat(st);
}

// ---------------------------------------------------------------- locks

// One lock of this process on one file: an open file description holding
// flock(LOCK_EX). A safe write that replaces the file puts the new file's
// descriptor (locked before the rename) in its place.
struct EntradaTrava {
  int fd = -1;
  IdentidadeArquivo id;  // device and inode of the file locked
  // A child forked from this process shares the descriptor but is another
  // process: the lock is not its own.
  pid_t processo = ::getpid();
  ~EntradaTrava() {
    if (fd >= 0) ::close(fd);
  }
};

namespace {
std::mutex g_travasMutex;
std::vector<std::weak_ptr<EntradaTrava>> g_travas;

std::shared_ptr<EntradaTrava> TravaDoProcesso(const IdentidadeArquivo& id) {
  std::lock_guard<std::mutex> guarda(g_travasMutex);
  std::shared_ptr<EntradaTrava> achada;
  g_travas.erase(std::remove_if(g_travas.begin(), g_travas.end(),
                                [&](const std::weak_ptr<EntradaTrava>& w) {
                                  auto e = w.lock();
                                  if (!e) return true;
                                  if (e->processo == ::getpid() && e->id.MesmoArquivo(id)) achada = e;
                                  return false;
                                }),
                 g_travas.end());
  return achada;
}

void RegistraTrava(const std::shared_ptr<EntradaTrava>& e) {
  std::lock_guard<std::mutex> guarda(g_travasMutex);
  g_travas.push_back(e);
}

// The lock of the file `caminho` names now, without waiting: the descriptor
// (>= 0), or -1 with `erro` (EWOULDBLOCK: another process holds it). A file
// replaced between the open and the lock is tried again.
int TravaDescritor(const QByteArray& caminho, int& erro) {
  for (int tentativa = 0; tentativa < 8; ++tentativa) {
    const int fd = ::open(caminho.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
      erro = errno;
      return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      erro = errno;
      ::close(fd);
      return -1;
    }
    struct stat porDescritor, porNome;
    if (::fstat(fd, &porDescritor) == 0 && ::stat(caminho.constData(), &porNome) == 0 &&
        porDescritor.st_dev == porNome.st_dev && porDescritor.st_ino == porNome.st_ino)
      return fd;
    ::close(fd);
  }
  erro = EWOULDBLOCK;
  return -1;
}
}  // namespace

TravaArquivo::TravaArquivo() = default;
TravaArquivo::~TravaArquivo() = default;

TravaArquivo::Resultado TravaArquivo::Trava(const QString& caminho) {
  Libera();
  const QByteArray local = Local(caminho);
  struct stat st;
  if (::stat(local.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return Resultado::SemTrava;
  if (auto e = TravaDoProcesso(DeStat(st))) {
    entrada_ = e;
    return Resultado::Travado;
  }
  int erro = 0;
  const int fd = TravaDescritor(local, erro);
  if (fd < 0) return erro == EWOULDBLOCK ? Resultado::EmUso : Resultado::SemTrava;
  auto e = std::make_shared<EntradaTrava>();
  e->fd = fd;
  e->id = IdentidadeDoDescritor(fd);
  RegistraTrava(e);
  entrada_ = e;
  return Resultado::Travado;
}

void TravaArquivo::Libera() { entrada_.reset(); }

IdentidadeArquivo TravaArquivo::Identidade() const {
  return entrada_ ? IdentidadeDoDescritor(entrada_->fd) : IdentidadeArquivo{};
}

QString TravaArquivo::CaminhoLeitura() const {
  return entrada_ ? QStringLiteral("/proc/self/fd/%1").arg(entrada_->fd) : QString();
}

int RemoveTemporariosAbandonados(const QString& caminho) {
  const QFileInfo alvo(AlvoFinal(caminho));
  const QString prefixo = QLatin1Char('.') + alvo.fileName() + QLatin1Char('.');
  const QDir pasta = alvo.absoluteDir();
  int removidos = 0;
  for (const QString& nome : pasta.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
    // mkstemp's six letters or digits after ".<name>.".
    if (nome.size() != prefixo.size() + 6 || !nome.startsWith(prefixo)) continue;
    const QString sufixo = nome.mid(prefixo.size());
    if (!std::all_of(sufixo.begin(), sufixo.end(), [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; }))
      continue;
    const QByteArray local = Local(pasta.filePath(nome));
    // A live writer keeps its temporary file locked.
    const int fd = ::open(local.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::unlink(local.constData()) == 0)
      ++removidos;
    ::close(fd);
  }
  return removidos;
}

// ---------------------------------------------------------------- writes

void GravacaoSegura::Falhou(Falha tipo, int codigo) {
  falhou_ = true;
  falha_ = tipo;
  switch (tipo) {
    case Falha::Protegido: erro_ = QStringLiteral("O arquivo está protegido contra gravação."); break;
    case Falha::Alterado:
      erro_ = QStringLiteral("O arquivo foi alterado por outro programa depois de lido.");
      break;
    case Falha::EmUso: erro_ = DescricaoErro(EWOULDBLOCK); break;
    default: erro_ = DescricaoErro(codigo); break;
  }
}

// The target as it is now: a regular file this user may write (or none yet),
// under this process's lock, and the file the caller read. False, with the
// reason, otherwise.
bool GravacaoSegura::VerificaDestino() {
  const QByteArray local = Local(destino_);
  struct stat st;
  if (::stat(local.constData(), &st) != 0) {
    if (errno != ENOENT) {
      Falhou(Falha::Sistema, errno);
      return false;
    }
    // No file yet: a new one, unless the caller read one that is gone.
    if (temLido_ && lido_.Existe()) {
      Falhou(Falha::Alterado, 0);
      return false;
    }
    return true;
  }
  if (S_ISDIR(st.st_mode)) {
    Falhou(Falha::Sistema, EISDIR);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    Falhou(Falha::Sistema, EINVAL);
    return false;
  }
  if (const int e = Protecao(local, st); e != 0) {
    Falhou(e == EACCES || e == EPERM ? Falha::Protegido : Falha::Sistema, e);
    return false;
  }
  const IdentidadeArquivo atual = DeStat(st);
  const bool travado = (travaProcesso_ && travaProcesso_->id.MesmoArquivo(atual)) ||
                       (travaPropria_ >= 0 && IdentidadeDoDescritor(travaPropria_).MesmoArquivo(atual));
  if (!travado) {
    travaProcesso_ = TravaDoProcesso(atual);
    if (!travaProcesso_) {
      if (travaPropria_ >= 0) ::close(travaPropria_);
      int erro = 0;
      travaPropria_ = TravaDescritor(local, erro);
      // A file system without locks still takes the write; a lock held elsewhere does not.
      if (travaPropria_ < 0 && erro == EWOULDBLOCK) {
        Falhou(Falha::EmUso, erro);
        return false;
      }
    }
  }
  if (temLido_ && !(IdentidadeDe(destino_) == lido_)) {
    Falhou(Falha::Alterado, 0);
    return false;
  }
  return true;
}

GravacaoSegura::GravacaoSegura(const QString& destino, const IdentidadeArquivo* lido) {
  bool ciclo = false;
  destino_ = AlvoFinal(destino, &ciclo);
  if (lido) {
    temLido_ = true;
    lido_ = *lido;
  }
  if (ciclo) {
    Falhou(Falha::Sistema, ELOOP);
    return;
  }
  if (!VerificaDestino()) return;
  const QFileInfo info(destino_);
  QByteArray modelo = Local(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
  fd_ = ::mkostemp(modelo.data(), O_CLOEXEC);  // no started program inherits the lock
  if (fd_ < 0) {
    Falhou(Falha::Sistema, errno);
    return;
  }
  temporario_ = QFile::decodeName(modelo);
  // Locked while it is written: a temporary file nobody holds is debris.
  ::flock(fd_, LOCK_EX | LOCK_NB);
  // Keep the permissions of the file being replaced (a new file gets 0644 less the umask).
  struct stat st;
  if (::stat(Local(destino_).constData(), &st) == 0) {
    ::fchmod(fd_, st.st_mode & 07777);
  } else {
    ::fchmod(fd_, 0666 & ~MascaraCriacao());
  }
}

GravacaoSegura::~GravacaoSegura() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporario_.isEmpty()) ::unlink(Local(temporario_).constData());
  if (travaPropria_ >= 0) ::close(travaPropria_);
}

bool GravacaoSegura::Escreve(const void* dados, std::size_t tamanho) {
  if (fd_ < 0 || falhou_) return false;
  const char* p = static_cast<const char*>(dados);
  while (tamanho > 0) {
    std::size_t parte = tamanho;
    const long long limite = g_falhaApos.load();
    if (limite >= 0) {
      if (limite == 0) {
        Falhou(Falha::Sistema, ENOSPC);
        return false;
      }
      parte = std::min<std::size_t>(parte, static_cast<std::size_t>(limite));
    }
    const ssize_t n = ::write(fd_, p, parte);
    if (n < 0) {
      if (errno == EINTR) continue;
      Falhou(Falha::Sistema, errno);
      return false;
    }
    if (limite >= 0) g_falhaApos = limite - n;
    p += n;
    tamanho -= static_cast<std::size_t>(n);
  }
  return true;
}

bool GravacaoSegura::Pula(std::size_t tamanho) {
  if (fd_ < 0 || falhou_) return false;
  if (tamanho == 0) return true;
  if (::lseek(fd_, static_cast<off_t>(tamanho), SEEK_CUR) < 0) {
    Falhou(Falha::Sistema, errno);
    return false;
  }
  pulou_ = true;
  return true;
}

bool GravacaoSegura::Confirma() {
  if (fd_ < 0 || falhou_) return false;
  // Bytes skipped at the end exist only once the length covers them.
  if (pulou_) {
    const off_t fim = ::lseek(fd_, 0, SEEK_CUR);
    if (fim < 0 || ::ftruncate(fd_, fim) != 0) {
      Falhou(Falha::Sistema, errno);
      return false;
    }
  }
  if (::fsync(fd_) != 0) {
    Falhou(Falha::Sistema, errno);
    return false;
  }
  // Checked again under the lock: the file may have been made read-only or
  // replaced while the new one was written.
  if (!VerificaDestino()) return false;
  if (::rename(Local(temporario_).constData(), Local(destino_).constData()) != 0) {
    Falhou(Falha::Sistema, errno);
    return false;
  }
  temporario_.clear();
  gravado_ = IdentidadeDoDescritor(fd_);
  if (travaProcesso_) {
    // This process's lock follows its file: the new file, locked since it was created.
    std::lock_guard<std::mutex> guarda(g_travasMutex);
    ::close(travaProcesso_->fd);
    travaProcesso_->fd = fd_;
    travaProcesso_->id = gravado_;
  } else {
    ::close(fd_);
  }
  fd_ = -1;
  if (travaPropria_ >= 0) ::close(travaPropria_);
  travaPropria_ = -1;
  return true;
}

}  // namespace plat
