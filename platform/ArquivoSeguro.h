#pragma once
// Whole-file writes that never lose the old file: the data goes to a temporary
// file in the same folder, is flushed, and replaces the target by rename only
// when it was written completely. A destination that is a symbolic link stays
// one: the file it points to is replaced.
#include <QString>
#include <cstddef>

namespace plat {

class GravacaoSegura {
public:
  explicit GravacaoSegura(const QString& destino);
  ~GravacaoSegura();  // discards the temporary file unless Confirma succeeded
  GravacaoSegura(const GravacaoSegura&) = delete;
  GravacaoSegura& operator=(const GravacaoSegura&) = delete;
  bool Aberta() const { return fd_ >= 0; }
  // Appends bytes; false (and the write is doomed) on any short write.
  bool Escreve(const void* dados, std::size_t tamanho);
  // Flushes, keeps the target's permissions and renames over it.
  bool Confirma();
  QString Erro() const { return erro_; }
private:
  QString destino_, temporario_, erro_;
  int fd_ = -1;
  bool falhou_ = false;
};

// Test seam: after `bytes` bytes every later write of the process fails, as
// on a full disk, until a negative value turns the failure off again.
void SimulaFalhaGravacao(long long bytes);

}  // namespace plat
