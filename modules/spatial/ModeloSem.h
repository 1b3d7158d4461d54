#pragma once
// The spatial error model y = X·β + u, u = λ·W·u + ε: a generalised
// least-squares step for β alternating with a bounded minimisation over λ
// until λ settles; always at least one pass, so β always exists.
#include "ModeloSar.h"

namespace quenvik {

// `esparsa` as for AjustaSar.
ResultadoEspacial AjustaSem(const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                            const ProvedorLogDeterminante& G, const OpcoesAjuste& opcoes, const Progresso& progresso,
                            const PesosEsparsos* esparsa = nullptr);

}  // namespace quenvik
