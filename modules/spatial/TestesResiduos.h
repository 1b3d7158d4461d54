#pragma once
// Tests of the least-squares residuals of y on X for spatial dependence with
// W: LM-error, LM-lag and Moran's I with its moments under the regression.
#include <newmat.h>

namespace quenvik {

struct ResultadoTestes {
  double lmErro = 0.0;         // LM-error statistic
  double probLmErro = 0.0;     // its χ²₁ upper tail
  double lmDefasagem = 0.0;    // LM-lag statistic
  double probLmDefasagem = 0.0;
  double moranI = 0.0;
  double esperancaI = 0.0;     // E(I) = tr(MW)/(n − p)
  double varianciaI = 0.0;     // V(I)
  double zI = 0.0;             // (I − E(I))/√V(I)
  double confiancaI = 0.0;     // 1 − 2·(upper normal tail at |z|)
};

// X carries the intercept in its first column; W is n × n.
ResultadoTestes CalculaTestesResiduos(const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X,
                                      const NEWMAT::Matrix& W);

}  // namespace quenvik
