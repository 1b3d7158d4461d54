#pragma once
// ln|I − a·W| by an LU factorisation for every trial value: exact and
// O(n³) per call, for checks against the grid and reference comparisons.
#include "ProvedorLogDeterminante.h"

#include <newmat.h>

namespace quenvik {

class LogDeterminanteExato : public ProvedorLogDeterminante {
public:
  explicit LogDeterminanteExato(const NEWMAT::Matrix& W) : W_(W) {}
  double LogDet(double a) const override;

private:
  NEWMAT::Matrix W_;
};

}  // namespace quenvik
