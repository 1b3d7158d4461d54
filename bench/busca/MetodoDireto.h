#pragma once
// The direct method, the baseline of the search's speed: for every combination
// the changed positions are transformed again and the sums and cross-products
// of the transformed columns are rebuilt over all rows, then solved, in double,
// in the engine's elimination order. Walks the general method's odometer.
#include "modules/regression/engine/ListaEquacoes.h"

#include <cstdint>
#include <vector>

namespace bench {

class MetodoDireto {
public:
  // valores: column-major, k positions, dependent last; codes 1..7 allowed.
  MetodoDireto(const double* valores, int k, int n, int criterio);

  // Walks combinations [0, limite) of the odometer, offering each to `lista`.
  // Returns the number of combinations computed.
  std::uint64_t Executa(std::uint64_t limite, ostrimo::ListaEquacoes& lista);
  double Criterio(const int* digitos);

private:
  const double* valores_;
  int k_, n_, criterio_;
  std::vector<double> trabalho_;  // work columns of the current combination
  std::vector<double> ajustado_;
  int atual_[60];
  double sst_ = 0;
};

}  // namespace bench
