#pragma once
// One entry of the list of kept equations.
#include <cstdint>

namespace ostrimo {

struct EquacaoCandidata {
  double criterio = 0.0;             // R, or the correlation in original units under Variação
  int32_t codigo[60] = {};           // transformation code of each position; unused positions 0
  double correlacaoOriginal = 0.0;   // Ro, filled by the statistics of the equation
  double erroOriginal = 0.0;         // standard error in original units, filled likewise
};

// Order of the kept list: larger criterion first. -1 "before", 1 "after", as a
// qsort comparison.
int ComparaEquacoes(const EquacaoCandidata& a, const EquacaoCandidata& b);

}  // namespace ostrimo
