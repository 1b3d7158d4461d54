#pragma once
// The texts of a regression equation: the name of a transformation as the
// tables show it, and the equation itself as the equation window writes it
// (tab after the left side, one line per term, "\r\n" between lines).
#include <QString>

namespace NEWMAT { class Matrix; }
struct CabecalhoModelo;

// "x^0,50" for code 0 (and below), then "x", "1/x", "ln(x)", "x²", "x½",
// "1/x²", "1/x½" for codes 1 to 7; empty for any other code.
QString NomeTransformacao(int codigo, double expoente);

// What one equation text is built from.
struct ParametrosTextoEquacao {
  const CabecalhoModelo* cab = nullptr;
  const int* mapa = nullptr;        // enabled variables, mapa[k-1] the dependent
  int k = 0;
  const NEWMAT::Matrix* b = nullptr;  // k x 1, the intercept first
  int equacao = 0;                  // the equation whose codes are written
  bool estimativa = true;           // solved for the dependent (else the transformed form)
  bool lag = false;                 // a lag model: the "*w*y" line with rho
  double rho = 0.0;
};
QString MontaTextoEquacao(const ParametrosTextoEquacao& p);
