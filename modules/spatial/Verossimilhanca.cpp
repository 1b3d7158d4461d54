#include "Verossimilhanca.h"

#include <cmath>

namespace quenvik {

namespace {
constexpr double DoisPi = 6.283185307179586476925286766559;
}  // namespace

double SomaQuadrados(const NEWMAT::ColumnVector& v) {
  const double* p = v.Store();
  double s = 0.0;
  for (int i = 0; i < v.Nrows(); ++i) s += p[i] * p[i];
  return s;
}

double LogVerossimilhancaCompleta(double logDet, int n, double sigma2, double somaQuadrados) {
  return logDet - (n * 0.5) * std::log(DoisPi * sigma2) - somaQuadrados * (1.0 / (sigma2 * 2.0));
}

double LogVerossimilhancaSar(double rho, const ProvedorLogDeterminante& G, double e0e0, double eded, double ede0,
                             int n) {
  const double z = (e0e0 - (rho * 2.0) * ede0) + (rho * rho) * eded;
  return (n * 0.5) * std::log(z / n) - G.LogDet(rho);
}

double LogVerossimilhancaSem(double lambda, const NEWMAT::ColumnVector& e, const NEWMAT::Matrix& W,
                             const ProvedorLogDeterminante& G) {
  const int n = e.Nrows();
  const NEWMAT::ColumnVector a = e - lambda * ProdutoW(W, e);
  return (n * 0.5) * std::log(SomaQuadrados(a) / n) - G.LogDet(lambda);
}

double LogVerossimilhancaSem(double lambda, const NEWMAT::ColumnVector& e, const NEWMAT::ColumnVector& We,
                             const ProvedorLogDeterminante& G) {
  const int n = e.Nrows();
  const NEWMAT::ColumnVector a = e - lambda * We;
  return (n * 0.5) * std::log(SomaQuadrados(a) / n) - G.LogDet(lambda);
}

double LogVerossimilhancaCompletaSar(const NEWMAT::ColumnVector& beta, double rho, double sigma2,
                                     const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                                     const ProvedorLogDeterminante& G) {
  const int n = y.Nrows();
  const NEWMAT::ColumnVector e = (y - X * beta) - rho * ProdutoW(W, y);
  return LogVerossimilhancaCompleta(G.LogDet(rho), n, sigma2, SomaQuadrados(e));
}

double LogVerossimilhancaCompletaSem(const NEWMAT::ColumnVector& beta, double lambda, double sigma2,
                                     const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                                     const ProvedorLogDeterminante& G) {
  const int n = y.Nrows();
  const NEWMAT::ColumnVector r = y - X * beta;
  const NEWMAT::ColumnVector f = r - lambda * ProdutoW(W, r);
  return LogVerossimilhancaCompleta(G.LogDet(lambda), n, sigma2, SomaQuadrados(f));
}

}  // namespace quenvik
