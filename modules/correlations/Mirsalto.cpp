// Mirsalto.so: correlations of a model's variables for the correlation windows.
#include "Correlacoes.h"

#include "platform/Modulo.h"

namespace {
// Ordinal 1: the model path and two caller-owned arrays of 60 x 60 doubles.
int Correlaciona(const char* caminho, double* isoladas, double* parciais) {
  if (!caminho || !isoladas || !parciais) return 0;
  try {
    return mirsalto::CorrelacionaArquivo(QString::fromLocal8Bit(caminho), isoladas, parciais) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  return ordinal == 1 ? reinterpret_cast<void*>(&Correlaciona) : nullptr;
}
