#pragma once
// Everything a spatial fit produces before any of it reaches the header, so a
// failure part-way leaves the caller's header untouched.
#include <newmat.h>

namespace quenvik {

struct ResultadoEspacial {
  NEWMAT::ColumnVector beta;      // p coefficients, the intercept first
  NEWMAT::ColumnVector t;         // p + 1 t values: β_1 … β_p, then the spatial parameter
  double parametro = 0.0;         // ρ (lag) or λ (error)
  double sigma2 = 0.0;            // residual variance
  double logVerossimilhanca = 0.0;
  double r2 = 0.0;
  double r2Ajustado = 0.0;
  double F = 0.0;                 // F statistic of the spatial model
  NEWMAT::ColumnVector residuos;  // the residuals the bands are counted on
  int avaliacoes = 0;             // evaluations of the (last) minimisation
  int passes = 0;                 // outer passes (error model)
};

}  // namespace quenvik
