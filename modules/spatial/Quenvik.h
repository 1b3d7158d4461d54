#pragma once
// What the program needs to call the spatial library: the ordinals and the
// types of the four exports resolved through ObtemExportacao. Every export
// returns non-zero when done; matrices and the header stay the caller's.
#include "ProgressoCalculo.h"

#include <newmat.h>

struct CabecalhoModelo;

namespace quenvik {

enum OrdinalQuenvik : int { OrdinalWalds = 1, OrdinalLmErroMoranI = 2, OrdinalSar = 3, OrdinalSem = 4 };

// The most records lmerror_MoranI, sar and sem accept: the model's own limit
// for W. A fit holds W and one more n × n matrix of doubles (1.6 GB at this
// size); past it the exports refuse with a message naming this number.
constexpr int MaximoRegistrosEspaciais = 10000;

// Walds and lmerror_MoranI: y, X, W, header.
using FuncaoTestes = int (*)(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab);
// sar and sem: y, X, W, header, progress record.
using FuncaoModelo = int (*)(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
                             ProgressoCalculo* progresso);

}  // namespace quenvik
