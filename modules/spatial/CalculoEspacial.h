#pragma once
// The four calculations of the spatial library on the caller's objects: the
// entry checks, the optional row normalisation of W, the intercept column put
// in front of X, the fit or the tests, and the results written into the
// model header last, so a failure leaves the header as it was.
#include "ProgressoCalculo.h"
#include "Quenvik.h"
#include "ProvedorLogDeterminante.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <newmat.h>

struct CabecalhoModelo;

namespace quenvik {

// Test seams. By default the grid is seeded from the clock and the
// likelihoods read the Monte-Carlo grid.
struct OpcoesCalculo {
  std::optional<int32_t> sorteio;  // replaces the clock-seeded draw of the seed phrase
  // Builds the log-determinant provider from the (normalised) W instead of the grid.
  std::function<std::unique_ptr<ProvedorLogDeterminante>(const NEWMAT::Matrix& W)> provedor;
  // Forces the sparse (true) or the dense (false) path instead of the share
  // of non-zeros of W.
  std::optional<bool> esparsa;
};

// Order of the log-determinant series.
constexpr int OrdemSerie = 50;

bool Walds(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab);
bool LmErroMoranI(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab);
bool Sar(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
         const ProgressoCalculo* progresso, const OpcoesCalculo& opcoes = {});
bool Sem(NEWMAT::ColumnVector* y, NEWMAT::Matrix* X, NEWMAT::Matrix* W, CabecalhoModelo* cab,
         const ProgressoCalculo* progresso, const OpcoesCalculo& opcoes = {});

}  // namespace quenvik
