#pragma once
// Another instance of the program with a model open: a child process holding
// the model in a document until Termina (or the end of the object).
#include "model/CTarsolinDoc.h"
#include "platform/Mensagem.h"

#include <QString>

#include <sys/wait.h>
#include <unistd.h>

namespace teste {

class OutraInstancia {
public:
  explicit OutraInstancia(const QString& caminho) {
    int pronto[2], fim[2];
    if (::pipe(pronto) != 0 || ::pipe(fim) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(pronto[0]);
      ::close(fim[1]);  // else the end of the pipe is never seen
      plat::GravadorMensagens msgs;
      CTarsolinDoc doc;
      const char r = doc.AbreArquivo(caminho) ? 'S' : 'N';
      (void)!::write(pronto[1], &r, 1);
      char c;
      (void)!::read(fim[0], &c, 1);
      ::_exit(0);
    }
    ::close(pronto[1]);
    ::close(fim[0]);
    fim_ = fim[1];
    char r = 0;
    aberto_ = ::read(pronto[0], &r, 1) == 1 && r == 'S';
    ::close(pronto[0]);
  }
  ~OutraInstancia() { Termina(); }
  OutraInstancia(const OutraInstancia&) = delete;
  OutraInstancia& operator=(const OutraInstancia&) = delete;
  bool Aberto() const { return aberto_; }
  void Termina() {
    if (pid_ <= 0) return;
    ::close(fim_);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

private:
  pid_t pid_ = -1;
  int fim_ = -1;
  bool aberto_ = false;
};

}  // namespace teste
