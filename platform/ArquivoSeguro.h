#pragma once
// Whole-file writes that never lose the old file: the data goes to a temporary
// file in the same folder, is flushed, and replaces the target by rename only
// when it was written completely. A destination that is a symbolic link stays
// one: the file it points to is replaced.
//
// A file has one writer at a time. An open model holds an advisory lock
// (flock, exclusive) on its file; a write takes the lock of the target for
// its whole length, or finds that this process holds it, and a write that
// replaces the file moves this process's lock to the new file. A write is
// refused when another process holds the lock, when the target is
// write-protected, and, when the caller names the file it read, when the
// target is no longer that file.
#include <QString>
#include <cstddef>
#include <memory>

namespace plat {

// Identity and state of a file: another file put in its place (another
// inode), one rewritten in place (size, modification time) or one removed no
// longer compares equal.
struct IdentidadeArquivo {
  unsigned long long dispositivo = 0, inode = 0;
  long long tamanho = -1;  // -1: no file
  long long modificacaoNs = 0;
  bool Existe() const { return tamanho >= 0; }
  bool MesmoArquivo(const IdentidadeArquivo& o) const {
    return Existe() && o.Existe() && dispositivo == o.dispositivo && inode == o.inode;
  }
  bool operator==(const IdentidadeArquivo&) const = default;
};
// The file at `caminho`, links followed; no file when it cannot be reached.
IdentidadeArquivo IdentidadeDe(const QString& caminho);
IdentidadeArquivo IdentidadeDoDescritor(int fd);

struct EntradaTrava;

// The advisory lock this process holds on a file while a TravaArquivo refers
// to it. Every TravaArquivo of the process on one file shares one lock, so
// only other processes are kept out.
class TravaArquivo {
public:
  enum class Resultado { Travado, EmUso, SemTrava };
  TravaArquivo();
  ~TravaArquivo();
  TravaArquivo(const TravaArquivo&) = delete;
  TravaArquivo& operator=(const TravaArquivo&) = delete;
  // Takes the lock without waiting: EmUso when another process holds it,
  // SemTrava when the file cannot be opened or locked at all.
  Resultado Trava(const QString& caminho);
  void Libera();
  bool Travado() const { return entrada_ != nullptr; }
  // The file locked, as it is now, and a path that reads it even after
  // another program put a different file at its name.
  IdentidadeArquivo Identidade() const;
  QString CaminhoLeitura() const;

private:
  std::shared_ptr<EntradaTrava> entrada_;
};

// Removes the temporary files a killed write left beside `caminho` (our own
// naming pattern only, none that a live writer holds). The caller holds the
// lock of the file, so no write to it is running. Returns how many went.
int RemoveTemporariosAbandonados(const QString& caminho);

// The reason of a system error, for the user.
QString DescricaoErro(int codigo);

class GravacaoSegura {
public:
  enum class Falha {
    Nenhuma,
    Sistema,    // the reason is in Erro(): full disk, read-only disk, a folder, a link loop ...
    Protegido,  // the file exists and may not be written by this user
    Alterado,   // the target is no longer the file the caller read
    EmUso,      // another process holds the file's lock
  };
  // `lido`: the file as the caller read it; the target must still be that
  // file when the write starts and when it replaces it. Null: no check.
  explicit GravacaoSegura(const QString& destino, const IdentidadeArquivo* lido = nullptr);
  ~GravacaoSegura();  // discards the temporary file unless Confirma succeeded
  GravacaoSegura(const GravacaoSegura&) = delete;
  GravacaoSegura& operator=(const GravacaoSegura&) = delete;
  bool Aberta() const { return fd_ >= 0; }
  // Appends bytes; false (and the write is doomed) on any short write.
  bool Escreve(const void* dados, std::size_t tamanho);
  // Leaves `tamanho` bytes unwritten (zeros that take no disk space).
  bool Pula(std::size_t tamanho);
  // Flushes, checks the target again, keeps its permissions and renames over it.
  bool Confirma();
  QString Erro() const { return erro_; }
  Falha TipoFalha() const { return falha_; }
  // The file written, once Confirma succeeded.
  IdentidadeArquivo Gravado() const { return gravado_; }

private:
  bool VerificaDestino();
  void Falhou(Falha tipo, int codigo);

  QString destino_, temporario_, erro_;
  int fd_ = -1;
  int travaPropria_ = -1;  // the target's lock, when no lock of this process held it
  std::shared_ptr<EntradaTrava> travaProcesso_;
  bool temLido_ = false;
  IdentidadeArquivo lido_, gravado_;
  bool falhou_ = false, pulou_ = false;
  Falha falha_ = Falha::Nenhuma;
};

// Test seam: after `bytes` bytes every later write of the process fails, as
// on a full disk, until a negative value turns the failure off again.
void SimulaFalhaGravacao(long long bytes);

}  // namespace plat
