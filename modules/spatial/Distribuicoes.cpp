#include "Distribuicoes.h"

#include "model/Distribuicoes.h"

#include <cmath>
#include <functional>
#include <limits>

namespace quenvik {

namespace {

constexpr double MenorPositivo = std::numeric_limits<double>::min();

void Normal(double z, double& p, double& q) {
  p = 0.5 * std::erfc(-z / std::sqrt(2.0));
  q = 0.5 * std::erfc(z / std::sqrt(2.0));
  if (p < MenorPositivo) p = 0.0;
  if (q < MenorPositivo) q = 0.0;
}

// Regularised incomplete gamma ratios P(a, x) and Q(a, x), from the routines
// behind the statistical tables (each computed without cancellation).
void GamaIncompleta(double a, double x, double& p, double& q) {
  if (x <= 0.0) { p = 0.0; q = 1.0; return; }
  p = dist::GamaIncompleta(a, x);
  q = dist::GamaIncompletaComplementar(a, x);
}

// Finds t in [lo, hi] with f(t) = 0 for f increasing, by bisection.
// Returns 0, or 1/2 with `limite` at the end when the root lies outside.
int Raiz(const std::function<double(double)>& f, double lo, double hi, double& t, double& limite) {
  if (f(lo) > 0.0) { t = limite = lo; return 1; }
  if (f(hi) < 0.0) { t = limite = hi; return 2; }
  for (int i = 0; i < 400 && hi - lo > 1e-15 * (std::fabs(lo) + std::fabs(hi)) + 1e-300; ++i) {
    const double m = 0.5 * (lo + hi);
    if (f(m) < 0.0) lo = m; else hi = m;
  }
  t = 0.5 * (lo + hi);
  return 0;
}

// In the inverse modes p and q must be consistent probabilities.
bool ProbabilidadesValidas(double p, double q, int& status, double& limite) {
  if (p < 0.0 || p > 1.0) { status = -2; limite = p < 0.0 ? 0.0 : 1.0; return false; }
  if (q <= 0.0 || q > 1.0) { status = -3; limite = q <= 0.0 ? 0.0 : 1.0; return false; }
  if (std::fabs(p + q - 1.0) > 3.0 * std::numeric_limits<double>::epsilon()) {
    status = 3; limite = (p + q < 1.0) ? 0.0 : 1.0; return false;
  }
  return true;
}

}  // namespace

double CaudaNormalSuperior(double z) {
  double p, q;
  Normal(z, p, q);
  return q;
}

double CaudaQuiQuadradoSuperior(double x, double gl) {
  double p, q;
  GamaIncompleta(0.5 * gl, 0.5 * x, p, q);
  return q;
}

void DistribuicaoNormal(int modo, double& p, double& q, double& x, double& media, double& dp, int& status,
                        double& limite) {
  status = 0;
  if (modo < 1 || modo > 4) { status = -1; limite = modo < 1 ? 1.0 : 4.0; return; }
  if (modo != 4 && dp <= 0.0) { status = -6; limite = 0.0; return; }
  if (modo == 1) {
    Normal((x - media) / dp, p, q);
    return;
  }
  if (!ProbabilidadesValidas(p, q, status, limite)) return;
  double z;
  status = Raiz([&](double t) { double pp, qq; Normal(t, pp, qq); return p <= 0.5 ? pp - p : q - qq; }, -40.0,
                40.0, z, limite);
  if (status != 0) return;
  if (modo == 2) x = media + dp * z;
  else if (modo == 3) media = x - dp * z;
  else if (z != 0.0 && (x - media) / z > 0.0) dp = (x - media) / z;
  else { status = -6; limite = 0.0; }
}

void DistribuicaoQuiQuadrado(int modo, double& p, double& q, double& x, double& gl, int& status, double& limite) {
  status = 0;
  if (modo < 1 || modo > 3) { status = -1; limite = modo < 1 ? 1.0 : 3.0; return; }
  if (modo != 2 && x < 0.0) { status = -4; limite = 0.0; return; }
  if (modo != 3 && gl <= 0.0) { status = -5; limite = 0.0; return; }
  if (modo == 1) {
    GamaIncompleta(0.5 * gl, 0.5 * x, p, q);
    return;
  }
  if (!ProbabilidadesValidas(p, q, status, limite)) return;
  if (modo == 2) {
    status = Raiz([&](double t) { double pp, qq; GamaIncompleta(0.5 * gl, 0.5 * t, pp, qq); return p <= 0.5 ? pp - p : q - qq; },
                  0.0, 1e100, x, limite);
    return;
  }
  // df: P(χ²_df ≤ x) decreases as df grows.
  status = Raiz([&](double t) { double pp, qq; GamaIncompleta(0.5 * t, 0.5 * x, pp, qq); return p <= 0.5 ? p - pp : qq - q; },
                1e-100, 1e10, gl, limite);
}

}  // namespace quenvik
