#pragma once
// An independent least-squares fit with newmat: an explicit column of ones and
// the transformed regressors, solved by Householder QR.
#include <newmat.h>
#include <newmatap.h>

#include <cmath>
#include <vector>

namespace testes {

inline double Transforma(double x, int c) {
  switch (c) {
    case 2: return 1.0 / x;
    case 3: return std::log(x);
    case 4: return x * x;
    case 5: return std::sqrt(x);
    case 6: return 1.0 / (x * x);
    case 7: return 1.0 / std::sqrt(x);
    default: return x;
  }
}

inline double Inversa(double f, int c) {
  const double s = f < 0 ? -1.0 : 1.0;
  switch (c) {
    case 2: return 1.0 / f;
    case 3: return std::exp(f);
    case 4: return s * std::sqrt(std::fabs(f));
    case 5: return s * f * f;
    case 6: return s * std::sqrt(std::fabs(1.0 / f));
    case 7: return s / (f * f);
    default: return f;
  }
}

struct AjusteNewmat {
  std::vector<double> b;        // intercept first, then the regressors
  std::vector<double> residuos; // transformed scale
  std::vector<double> erroPadraoCoef;  // standard errors of the regressors' coefficients
  double r = 0, sse = 0, ssr = 0, syy = 0, f = 0, s = 0;
  double rOriginal = 0;        // signed correlation in original units
};

// valores: column-major, k positions, dependent last; codes per position.
inline AjusteNewmat AjustaNewmat(const std::vector<double>& valores, int k, int n, const int* codigos) {
  NEWMAT::Matrix x(n, k);
  NEWMAT::ColumnVector y(n);
  for (int i = 0; i < n; ++i) {
    x(i + 1, 1) = 1.0;
    for (int j = 0; j < k - 1; ++j)
      x(i + 1, j + 2) = Transforma(valores[std::size_t(j) * n + i], codigos[j]);
    y(i + 1) = Transforma(valores[std::size_t(k - 1) * n + i], codigos[k - 1]);
  }
  NEWMAT::Matrix xq = x;
  NEWMAT::UpperTriangularMatrix u;
  NEWMAT::QRZ(xq, u);
  NEWMAT::Matrix m;
  NEWMAT::Matrix yq = y;
  NEWMAT::QRZ(xq, yq, m);
  NEWMAT::ColumnVector b = u.i() * m;
  NEWMAT::ColumnVector e = y - x * b;
  AjusteNewmat a;
  a.b.assign(b.Store(), b.Store() + k);
  a.residuos.assign(e.Store(), e.Store() + n);
  const double my = y.Sum() / n;
  double syy = 0, sse = 0;
  for (int i = 1; i <= n; ++i) {
    syy += (y(i) - my) * (y(i) - my);
    sse += e(i) * e(i);
  }
  a.syy = syy;
  a.sse = sse;
  a.ssr = syy - sse;
  a.r = std::sqrt(a.ssr / syy);
  a.s = std::sqrt(sse / (n - k));
  a.f = a.ssr / ((k - 1) * sse / (n - k));
  // (X'X)^-1 = U^-1 U^-T
  NEWMAT::UpperTriangularMatrix ui = u.i();
  NEWMAT::Matrix xtxi = ui * ui.t();
  for (int v = 0; v < k - 1; ++v)
    a.erroPadraoCoef.push_back(std::sqrt(xtxi(v + 2, v + 2) * sse / (n - k)));
  // correlation in original units
  double soma = 0;
  for (int i = 0; i < n; ++i)
    soma += valores[std::size_t(k - 1) * n + i];
  const double media = soma / n;
  double sst = 0, sseo = 0;
  for (int i = 0; i < n; ++i) {
    const double yo = valores[std::size_t(k - 1) * n + i];
    const double ft = y(i + 1) - e(i + 1);
    sst += (yo - media) * (yo - media);
    sseo += (yo - Inversa(ft, codigos[k - 1])) * (yo - Inversa(ft, codigos[k - 1]));
  }
  const double r2 = (sst - sseo) / sst;
  a.rOriginal = r2 < 0 ? -std::sqrt(-r2) : std::sqrt(r2);
  return a;
}

}  // namespace testes
