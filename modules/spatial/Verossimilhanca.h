#pragma once
// The concentrated objectives that the minimiser drives (smaller is better)
// and the full Gaussian log-likelihoods evaluated at the optimum:
//   −(n/2)·ln(2πσ²) − e'e/(2σ²) + ln|I − a·W|.
#include "AlgebraDensa.h"
#include "ProvedorLogDeterminante.h"

#include <newmat.h>

namespace quenvik {

// (n/2)·ln(((e0'e0 − 2ρ·ed'e0) + ρ²·ed'ed)/n) − ln|I − ρW|.
double LogVerossimilhancaSar(double rho, const ProvedorLogDeterminante& G, double e0e0, double eded, double ede0,
                             int n);
// (n/2)·ln(a'a/n) − ln|I − λW| with a = e − λ·W·e.
double LogVerossimilhancaSem(double lambda, const NEWMAT::ColumnVector& e, const NEWMAT::Matrix& W,
                             const ProvedorLogDeterminante& G);
// The same with W·e formed once by the caller, since e is fixed during a
// minimisation: a = e − λ·We gives the same numbers without a product per trial.
double LogVerossimilhancaSem(double lambda, const NEWMAT::ColumnVector& e, const NEWMAT::ColumnVector& We,
                             const ProvedorLogDeterminante& G);
// The full log-likelihood from ln|I − aW| and the residuals' sum of squares:
// what the two below compute, for callers that hold the residuals already.
double LogVerossimilhancaCompleta(double logDet, int n, double sigma2, double somaQuadrados);
// Σ v_i², added in order.
double SomaQuadrados(const NEWMAT::ColumnVector& v);
// Lag model: e = y − Xβ − ρ·Wy.
double LogVerossimilhancaCompletaSar(const NEWMAT::ColumnVector& beta, double rho, double sigma2,
                                     const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                                     const ProvedorLogDeterminante& G);
// Error model: f = r − λ·W·r with r = y − Xβ.
double LogVerossimilhancaCompletaSem(const NEWMAT::ColumnVector& beta, double lambda, double sigma2,
                                     const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                                     const ProvedorLogDeterminante& G);

}  // namespace quenvik
