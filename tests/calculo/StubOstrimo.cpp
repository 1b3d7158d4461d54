// Test stand-in for the regression library: Calcula marks the model calculated
// with two kept equations and rewrites the header; a path containing "falha"
// is rewritten the same way but answers FALSE, as a library that reported its
// own failure; one containing "danifica" gets a considered count out of range
// and answers TRUE.
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "platform/Modulo.h"

#include <QString>
#include <memory>

namespace {
int Calcula(const char* caminho) {
  const QString c = QString::fromLocal8Bit(caminho);
  auto cab = std::make_unique<CabecalhoModelo>();
  if (!LeCabecalhoModelo(c, cab.get())) return 0;
  cab->SetI32(CabecalhoModelo::OffEstadoCalculo, 1);
  cab->SetI32(CabecalhoModelo::OffNumEquacoes, 2);
  cab->SetF64(CabecalhoModelo::OffCorrelacao, 0.75);
  if (c.contains(QStringLiteral("danifica"))) cab->SetI32(CabecalhoModelo::OffNumConsiderados, -166);
  if (!GravaCabecalhoModelo(c, cab.get())) return 0;
  return c.contains(QStringLiteral("falha")) ? 0 : 1;
}
}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  return ordinal == 2 ? reinterpret_cast<void*>(&Calcula) : nullptr;
}
