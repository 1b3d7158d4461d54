#pragma once
// The spatial lag model y = ρ·W·y + X·β + ε by concentrated maximum
// likelihood: ρ from a bounded minimisation of the concentrated objective,
// then β, σ², the log-likelihood and the t values from the information matrix.
#include "Progresso.h"
#include "ProvedorLogDeterminante.h"
#include "ResultadoEspacial.h"

#include <newmat.h>

namespace quenvik {

struct PesosEsparsos;

struct OpcoesAjuste {
  double inferior = -1.0;        // bounds of the spatial parameter
  double superior = 1.0;
  int maxIteracoes = 500;        // of each minimisation (and of the error model's outer loop)
  double parametroInicial = 0.5; // starting λ of the error model
  double criterio = 0.0001;      // stopping criterion of the error model's outer loop
  int considerados = 0;          // the header's count of considered records (mean of y in R²)
};

// X carries the intercept in its first column; W is n × n. `esparsa`, W's
// compressed form when it has one, takes every product with W and replaces
// the n × n inverse by a sparse LU.
ResultadoEspacial AjustaSar(const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                            const ProvedorLogDeterminante& G, const OpcoesAjuste& opcoes, const Progresso& progresso,
                            const PesosEsparsos* esparsa = nullptr);

// The information-matrix t values: θ_j / √|Q⁻¹(j, j)| for j = 1 … p + 1.
NEWMAT::ColumnVector ValoresT(const NEWMAT::Matrix& Q, const NEWMAT::ColumnVector& theta);
// F = ((n − p − 1)/(p − 1))·((SST − SSE)/SSE) with SST about the mean of y;
// 0 without regressors (p < 2).
double EstatisticaF(const NEWMAT::ColumnVector& y, const NEWMAT::ColumnVector& residuos, int p);

}  // namespace quenvik
