#include "modules/regression/engine/Transformacao.h"

#include <cmath>

namespace ostrimo {

double TransformaCodigo(double x, int codigo) {
  switch (codigo) {
    case 1: return x;
    case 2: return 1.0 / x;
    case 3: return std::log(x);
    case 4: return x * x;
    case 5: return std::sqrt(x);
    case 6: return 1.0 / (x * x);
    case 7: return 1.0 / std::sqrt(x);
    default: return x;
  }
}

double InversaDependente(double f, int codigo) {
  const double sinal = f < 0.0 ? -1.0 : 1.0;
  switch (codigo) {
    case 2: return 1.0 / f;
    case 3: return std::exp(f);
    case 4: return sinal * std::sqrt(std::fabs(f));
    case 5: return sinal * f * f;
    case 6: return sinal * std::sqrt(std::fabs(1.0 / f));
    case 7: { const double q = 1.0 / f; return sinal * q * q; }
    default: return f;
  }
}

}  // namespace ostrimo
