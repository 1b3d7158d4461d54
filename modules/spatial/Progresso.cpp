#include "Progresso.h"

#include <string>

namespace quenvik {

void Progresso::Registra(const char* linha) const {
  if (p_ && p_->AcrescentaRegistro) {
    std::string texto = linha;
    texto += '\n';
    p_->AcrescentaRegistro(p_->contexto, texto.c_str());
  }
  ProcessaMensagens();
}

void Progresso::Faixa(int baixo, int alto) const {
  if (p_ && p_->DefineFaixa) p_->DefineFaixa(p_->contexto, baixo, alto);
}

void Progresso::Posicao(int pos) const {
  if (p_ && p_->DefinePosicao) p_->DefinePosicao(p_->contexto, pos);
}

void Progresso::ProcessaMensagens() const {
  if (p_ && p_->ProcessaMensagens) p_->ProcessaMensagens(p_->contexto);
}

}  // namespace quenvik
