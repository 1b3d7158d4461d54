// Test stand-in for the data-operations library: every ordinal (1 exclude,
// 2 include, 3 operate on records, 4 derive) leaves the model file as it is
// and answers TRUE, as a dialog the user confirmed without a change.
#include "platform/Modulo.h"

namespace {
int Confirma(const char*) { return 1; }
}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  return ordinal >= 1 && ordinal <= 4 ? reinterpret_cast<void*>(&Confirma) : nullptr;
}
