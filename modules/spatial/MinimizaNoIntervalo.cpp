#include "MinimizaNoIntervalo.h"

#include <cmath>

namespace quenvik {

ResultadoMinimo MinimizaNoIntervalo(double inferior, double superior, int maxIteracoes,
                                    const std::function<double(double)>& f) {
  const double seps = std::sqrt(2.220446049250313e-16);
  const double c = (3.0 - std::sqrt(5.0)) * 0.5;
  double a = inferior, b = superior;
  double xf = a + c * (b - a);
  double v = xf, w = xf;
  double d = 0.0, e = 0.0;
  double fx = f(xf);
  double fv = fx, fw = fx;
  int conta = 1;
  double xm = (a + b) * 0.5;
  double tol1 = seps * std::fabs(xf) + 0.0001 / 3.0;
  double tol2 = 2.0 * tol1;
  if (std::fabs(xf - xm) <= tol2 - (b - a) * 0.5) return {xf, fx, 1};

  while (conta <= maxIteracoes) {
    bool dourado = true;
    if (std::fabs(e) > tol1) {
      double r = (xf - w) * (fx - fv);
      double q = (xf - v) * (fx - fw);
      double p = (xf - v) * q - (xf - w) * r;
      q = 2.0 * (q - r);
      if (q > 0.0) p = -p;
      q = std::fabs(q);
      r = e;
      e = d;
      if (std::fabs(p) < std::fabs(0.5 * q * r) && p > q * (a - xf) && p < q * (b - xf)) {
        d = p / q;
        const double u = xf + d;
        if (u - a < tol2 || b - u < tol2) d = xm < xf ? -tol1 : tol1;
        dourado = false;
      }
    }
    if (dourado) {
      e = xf >= xm ? a - xf : b - xf;
      d = c * e;
    }
    const double x = xf + (d < 0.0 ? -1.0 : 1.0) * std::fmax(std::fabs(d), tol1);
    const double fu = f(x);
    if (fu <= fx) {
      if (x >= xf) a = xf; else b = xf;
      v = w; fv = fw;
      w = xf; fw = fx;
      xf = x; fx = fu;
    } else {
      if (x < xf) a = x; else b = x;
      if (fu <= fw || w == xf) {
        v = w; fv = fw;
        w = x; fw = fu;
      } else if (fu <= fv || v == xf || v == w) {
        v = x; fv = fu;
      }
    }
    ++conta;
    xm = (a + b) * 0.5;
    tol1 = seps * std::fabs(xf) + 0.0001 / 3.0;
    tol2 = 2.0 * tol1;
    if (std::fabs(xf - xm) <= tol2 - (b - a) * 0.5) break;
  }
  return {xf, fx, conta};
}

}  // namespace quenvik
