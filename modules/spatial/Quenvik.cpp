// The loadable spatial library: one C entry point that hands out the four
// exports by ordinal. Nothing escapes an export but its boolean result.
#include "CalculoEspacial.h"
#include "Quenvik.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"

namespace {

// What escapes the calculation (a failed allocation while normalising W or
// widening X) is still the calculation's failure, reported like the others.
int Indeterminado() {
  try {
    plat::MessageBox(QString::fromUtf8("Cálculo indeterminado !"), QString(), plat::MB_OK);
  } catch (...) {
  }
  return 0;
}

int Walds(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab) {
  try {
    return quenvik::Walds(y, X, W, cab) ? 1 : 0;
  } catch (...) {
    return Indeterminado();
  }
}

int lmerror_MoranI(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab) {
  try {
    return quenvik::LmErroMoranI(y, X, W, cab) ? 1 : 0;
  } catch (...) {
    return Indeterminado();
  }
}

int sar(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
        ProgressoCalculo* progresso) {
  try {
    return quenvik::Sar(y, X, W, cab, progresso) ? 1 : 0;
  } catch (...) {
    return Indeterminado();
  }
}

int sem(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
        ProgressoCalculo* progresso) {
  try {
    return quenvik::Sem(y, X, W, cab, progresso) ? 1 : 0;
  } catch (...) {
    return Indeterminado();
  }
}

}  // namespace

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  switch (ordinal) {
    case quenvik::OrdinalWalds: return reinterpret_cast<void*>(static_cast<quenvik::FuncaoTestes>(&Walds));
    case quenvik::OrdinalLmErroMoranI:
      return reinterpret_cast<void*>(static_cast<quenvik::FuncaoTestes>(&lmerror_MoranI));
    case quenvik::OrdinalSar: return reinterpret_cast<void*>(static_cast<quenvik::FuncaoModelo>(&sar));
    case quenvik::OrdinalSem: return reinterpret_cast<void*>(static_cast<quenvik::FuncaoModelo>(&sem));
    default: return nullptr;
  }
}
