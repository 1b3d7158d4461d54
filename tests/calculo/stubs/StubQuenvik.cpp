// Test stand-in for the spatial library: sar (3) and sem (4) write a line to
// the progress log, then a mark of the model fitted and the shapes of y, X and
// W they received into the spatial results, and set the spatial flag. A start
// value of rho below zero answers FALSE, as a library that reported its own
// failure, and writes nothing.
#include "model/CabecalhoModelo.h"
#include "modules/spatial/ProgressoCalculo.h"
#include "platform/Modulo.h"

#include <newmat.h>

namespace {
using C = CabecalhoModelo;

int Ajusta(NEWMAT::ColumnVector* y, NEWMAT::Matrix* x, NEWMAT::Matrix* w, CabecalhoModelo* cab,
           ProgressoCalculo* p, double marca) {
  if (p && p->AcrescentaRegistro) p->AcrescentaRegistro(p->contexto, "linha da biblioteca\n");
  if (p && p->ProcessaMensagens) p->ProcessaMensagens(p->contexto);
  if (cab->F64(C::OffRho) < 0.0) return 0;
  const std::size_t r = 408776;  // spatial result [i] at r + 8 i
  cab->SetF64(r, marca);
  cab->SetF64(r + 8, y->Nrows());
  cab->SetF64(r + 16, x->Nrows());
  cab->SetF64(r + 24, x->Ncols());
  cab->SetF64(r + 32, w->Nrows());
  cab->SetF64(r + 40, w->Ncols());
  cab->SetI32(C::OffEspacialCalculado, 1);
  return 1;
}

int Sar(NEWMAT::ColumnVector* y, NEWMAT::Matrix* x, NEWMAT::Matrix* w, CabecalhoModelo* cab, ProgressoCalculo* p) {
  return Ajusta(y, x, w, cab, p, 3.0);
}
int Sem(NEWMAT::ColumnVector* y, NEWMAT::Matrix* x, NEWMAT::Matrix* w, CabecalhoModelo* cab, ProgressoCalculo* p) {
  return Ajusta(y, x, w, cab, p, 4.0);
}
}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  if (ordinal == 3) return reinterpret_cast<void*>(&Sar);
  if (ordinal == 4) return reinterpret_cast<void*>(&Sem);
  return nullptr;
}
