#pragma once
// Where the likelihoods read ln|I − a·W| from: the Monte-Carlo grid of the
// program, or an exact factorisation (tests and reference comparisons).

namespace quenvik {

class ProvedorLogDeterminante {
public:
  virtual ~ProvedorLogDeterminante() = default;
  virtual double LogDet(double a) const = 0;
};

}  // namespace quenvik
