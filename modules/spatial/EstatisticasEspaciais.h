#pragma once
// The statistics block shared by both spatial models: coefficient tables,
// t values and confidences by variable slot, the F statistic with its table
// confidence and the residual bands, written into the model header.
#include "ResultadoEspacial.h"

struct CabecalhoModelo;

namespace quenvik {

// Residuals by their ratio |r_i|/s to the residual standard deviation.
struct FaixasResiduos {
  int acimaDe2 = 0;     // count of ratios above 2
  int ate1 = 0;         // per cent (truncated) of ratios at most 1
  int ate164 = 0;       // … at most 1.64
  int ate196 = 0;       // … at most 1.96
};
FaixasResiduos ContaFaixas(const NEWMAT::ColumnVector& residuos, double s);

// Writes a fitted model into the header: coefficient slots, t values and
// confidences, ρ or λ, σ², log-likelihood, R², bounds, F and its confidence,
// residual bands and the results flag. `variaveis` is the header's variable
// count, already clamped to 0 … 60.
void GravaResultadoEspacial(CabecalhoModelo& cab, const ResultadoEspacial& res, int variaveis, double inferior,
                            double superior, double confiancaF);

}  // namespace quenvik
