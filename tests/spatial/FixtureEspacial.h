#pragma once
// The reference fixture (tests/spatial/ref): 100 points, three regressors,
// raw inverse-distance weights within a band, and the values an independent
// computation printed for them. Also builds the model header the exports read.
#include "model/CabecalhoModelo.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <newmat.h>

struct FixtureEspacial {
  NEWMAT::ColumnVector y;
  NEWMAT::Matrix X;  // without the intercept
  NEWMAT::Matrix W;  // raw weights, not normalised
  std::map<std::string, double> ref;

  static const FixtureEspacial& Carrega();
  double Ref(const std::string& nome) const;
};

// A header with `regressores` enabled regressors in slots 0 … k − 1 and the
// dependent in slot k, n considered records and the program's spatial defaults.
std::unique_ptr<CabecalhoModelo> CabecalhoEspacial(int regressores, int n);

// Slot j of the spatial result table.
double SlotEspacial(const CabecalhoModelo& cab, int j);

// Synthetic data from integer arithmetic only (splitmix64 uniforms, normals
// as twelve uniforms less 6), the same on every machine: n points drawn in a
// 100 × 100 square from `semente`, W (zero on entry) weighted from their
// coordinates by `pesos`, three regressors, and y = Xβ + 0.5·W̃·Xβ + ε with
// W̃ the row-normalised W.
struct ProblemaSintetico {
  NEWMAT::ColumnVector y;
  NEWMAT::Matrix X;  // three regressors, no intercept
  NEWMAT::Matrix W;  // raw weights; the header asks for normalisation
};
using PesosDosPontos =
    std::function<void(const std::vector<double>& px, const std::vector<double>& py, NEWMAT::Matrix& W)>;
ProblemaSintetico MontaProblema(int n, std::uint64_t semente, const PesosDosPontos& pesos);
