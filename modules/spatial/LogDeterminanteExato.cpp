#include "LogDeterminanteExato.h"

namespace quenvik {

double LogDeterminanteExato::LogDet(double a) const {
  const int n = W_.Nrows();
  NEWMAT::Matrix A = -a * W_;
  for (int i = 1; i <= n; ++i) A(i, i) += 1.0;
  return A.LogDeterminant().LogValue();
}

}  // namespace quenvik
