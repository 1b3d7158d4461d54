#pragma once
// Bounded one-dimensional minimisation: golden section with parabolic
// interpolation (Brent's method) with fixed tolerances.
#include <functional>

namespace quenvik {

struct ResultadoMinimo {
  double x = 0.0;       // argument of the minimum
  double fx = 0.0;      // objective there
  int avaliacoes = 0;   // objective evaluations made
};

// Minimises f over [inferior, superior] with at most `maxIteracoes` steps after
// the first point; reaching the limit returns the best point so far.
ResultadoMinimo MinimizaNoIntervalo(double inferior, double superior, int maxIteracoes,
                                    const std::function<double(double)>& f);

}  // namespace quenvik
