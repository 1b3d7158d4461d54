// Test module: ordinal 1 returns its argument, ordinal 2 counts its calls since
// the module was loaded; every other ordinal has no export.
#include "platform/Modulo.h"

namespace {

// Starts at 0 on every fresh load, so a count above 1 means the module stayed.
int g_chamadas = 0;

void* Eco(void* p) { return p; }
int Conta() { return ++g_chamadas; }

}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  switch (ordinal) {
    case 1: return reinterpret_cast<void*>(&Eco);
    case 2: return reinterpret_cast<void*>(&Conta);
    default: return nullptr;
  }
}
