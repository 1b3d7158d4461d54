#include "RegistrosModelo.h"

#include "SlotsVariavel.h"
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"

namespace palvedo {

bool RegistrosModelo::Le(const QString& caminho, const CabecalhoModelo& c, const plat::IdentidadeArquivo* lido) {
  const int N = c.I32(cab::NumDados), M = c.I32(cab::NumAvaliandos);
  if (N < 0 || N > CabecalhoModelo::MaxDados || M < 0 || M > CabecalhoModelo::MaxDadosP) return false;
  dados.assign(std::size_t(N), dado{});
  dadosP.assign(std::size_t(M), dadoP{});
  W.ReSize(0, 0);
  // The stored elements go across whenever the model keeps them, so an
  // operation never drops a W edited by hand.
  if (!LeRegistrosModelo(caminho, &c, dados.data(), dadosP.data(), W, LeituraW::Armazenados, lido)) {
    dados.clear();
    dadosP.clear();
    W.ReSize(0, 0);
    return false;
  }
  return true;
}

bool RegistrosModelo::Grava(const QString& caminho, CabecalhoModelo& c, ControleGravacao* controle) {
  return GravaArquivoModelo(caminho, &c, dados.data(), dadosP.data(), W, controle);
}

}  // namespace palvedo
