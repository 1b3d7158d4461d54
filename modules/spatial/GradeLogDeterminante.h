#pragma once
// The Monte-Carlo estimate of ln|I − a·W| on the fixed grid a = −0.99 …
// 0.99 (step 0.001, 1,981 rows), by the moment method of Barry and Pace:
// ln|I − aW| = −Σ_k a^k·tr(W^k)/k, the traces of the higher powers estimated
// from random normal vectors. Built once per fit; each likelihood evaluation
// reads one row.
#include "Progresso.h"
#include "ProvedorLogDeterminante.h"

#include <cstdint>
#include <optional>

#include <newmat.h>

namespace quenvik {

struct PesosEsparsos;

class GradeLogDeterminante : public ProvedorLogDeterminante {
public:
  // G: m × 2, column 1 the grid values, column 2 the estimates.
  explicit GradeLogDeterminante(const NEWMAT::Matrix& G);
  double LogDet(double a) const override;
  // Row (from 1) that the look-up reads for a trial value.
  int Linha(double x) const;
  const NEWMAT::Matrix& Grade() const { return G_; }

private:
  NEWMAT::Matrix G_;
};

// The grid for W with a series of `ordem` terms and `iteracoes` random
// vectors (30 when not positive). The normal generator is seeded from a
// phrase made of one integer drawn from 0 … 10000 by a clock-seeded
// generator; `sorteio` replaces that draw, so a test can fix the grid.
// `esparsa`, W's compressed form when it has one, takes the products (the
// same grid, bit for bit).
NEWMAT::Matrix EstimaLogDeterminante(const NEWMAT::Matrix& W, int ordem, int iteracoes, const Progresso& progresso,
                                     std::optional<int32_t> sorteio = std::nullopt,
                                     const PesosEsparsos* esparsa = nullptr);

}  // namespace quenvik
