#include "GeradorAleatorio.h"

#include "platform/Mensagem.h"

#include <cstdlib>
#include <ctime>

namespace quenvik {

void GeradorAleatorio::DefineLimites(int32_t baixo, int32_t alto) {
  if (alto < baixo) {
    plat::MessageBox(QString::fromUtf8("Error: HIGH value cannot be less than LOW value!\n"
                                       "Using defaults: High = 1, Low = 0"));
    baixo_ = 0;
    alto_ = 1;
    return;
  }
  baixo_ = baixo;
  alto_ = alto;
}

void GeradorAleatorio::Semeia() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

int32_t GeradorAleatorio::Sorteia() const {
  const int64_t faixa = int64_t(alto_) - int64_t(baixo_) + 1;
  return static_cast<int32_t>(int64_t(std::rand()) % faixa + baixo_);
}

}  // namespace quenvik
