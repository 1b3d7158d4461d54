// The libFuzzer entry point of every fuzz target: the build names the target
// (TARSOLIN_ALVO_<name>) and the input goes through that target's checks. A
// failed check aborts, so libFuzzer keeps the input as a crash. The replay
// test builds every source of this folder and names no target: nothing here.
#if defined(TARSOLIN_NOME_ALVO)
#include "AlvoAntigos.h"
#include "AlvoBibliotecas.h"
#include "AlvoModelo.h"

#include <cstdio>
#include <cstdlib>

namespace {
#if defined(TARSOLIN_ALVO_MODELO)
constexpr auto Verifica = fuzz::VerificaEntrada;
#elif defined(TARSOLIN_ALVO_ANTIGOS)
constexpr auto Verifica = fuzz::VerificaAntigos;
#elif defined(TARSOLIN_ALVO_BIBLIOTECAS)
constexpr auto Verifica = fuzz::VerificaBibliotecas;
#else
#error "the build names no fuzz target"
#endif
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, std::size_t tamanho) {
  const std::string erro = Verifica(dados, tamanho);
  if (!erro.empty()) {
    std::fprintf(stderr, "%s: %s\n", TARSOLIN_NOME_ALVO, erro.c_str());
    std::abort();
  }
  return 0;
}
#endif
