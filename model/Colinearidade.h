#pragma once
// When a fit's regressors are too close to dependent to be fitted. Rounding
// leaves a tiny non-zero pivot where a column is an exact combination of the
// ones before it (a variable derived as the sum of two that are kept), and
// such a fit gives coefficients and t values that mean nothing. Each pivot of
// an elimination over centred cross-products is therefore compared with its
// column's own centred sum of squares: the ratio is 1 − R² of that column on
// the columns before it, whatever the units, and below the tolerance the pivot
// counts as zero. Sound designs that are merely collinear stay far above it:
// no ratio can be below 1 / VIF, which for Longley's data is above 5e-4.
#include <cmath>
#include <vector>

inline constexpr double ToleranciaPivoRelativa = 1e-10;

// A pivot that is not a number counts as zero as well.
template <class T>
bool PivoNulo(T pivo, T escala) {
  return !(std::fabs(pivo) > T(ToleranciaPivoRelativa) * std::fabs(escala));
}

// Whether the k columns whose centred cross-products are `s` (k x k,
// row-major, symmetric) are independent by the rule above. Elimination in
// column order, no pivoting.
bool ColunasIndependentes(std::vector<long double> s, int k);
