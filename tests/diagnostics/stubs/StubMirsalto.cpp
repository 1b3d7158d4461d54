// Test stand-in for the correlations library that fills only some entries:
// with STUB_MIRSALTO_CHEIO set, every off-diagonal entry is 0.5; without it,
// only the pair (0, 1) is filled, with 0.07, and the rest is left untouched.
#include "platform/Modulo.h"

#include <cstdlib>

namespace {
int Correlaciona(const char*, double* isoladas, double* influencias) {
  if (std::getenv("STUB_MIRSALTO_CHEIO")) {
    for (int a = 0; a < 60; ++a)
      for (int b = 0; b < 60; ++b) isoladas[60 * a + b] = influencias[60 * a + b] = a == b ? 1.0 : 0.5;
    return 1;
  }
  isoladas[1] = isoladas[60] = influencias[1] = influencias[60] = 0.07;
  return 1;
}
}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  return ordinal == 1 ? reinterpret_cast<void*>(&Correlaciona) : nullptr;
}
