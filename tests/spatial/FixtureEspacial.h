#pragma once
// The reference fixture (tests/spatial/ref): 100 points, three regressors,
// raw inverse-distance weights within a band, and the values an independent
// computation printed for them. Also builds the model header the exports read.
#include "model/CabecalhoModelo.h"

#include <map>
#include <memory>
#include <string>

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
