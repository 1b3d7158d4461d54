#include "Distribuicoes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace dist {
namespace {

constexpr double Minusculo = 1e-300;
constexpr double Precisao = 1e-16;
constexpr double Pi = 3.14159265358979323846;

double LogBeta(double a, double b) { return std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b); }

// Continued fraction of the incomplete beta (modified Lentz), convergent for
// x < (a + 1) / (a + b + 2).
double FracaoBeta(double x, double a, double b) {
  const double qab = a + b, qap = a + 1.0, qam = a - 1.0;
  double c = 1.0;
  double d = 1.0 - qab * x / qap;
  if (std::fabs(d) < Minusculo) d = Minusculo;
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m <= 100000; ++m) {
    const double m2 = 2.0 * m;
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1.0 + aa * d;
    if (std::fabs(d) < Minusculo) d = Minusculo;
    c = 1.0 + aa / c;
    if (std::fabs(c) < Minusculo) c = Minusculo;
    d = 1.0 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1.0 + aa * d;
    if (std::fabs(d) < Minusculo) d = Minusculo;
    c = 1.0 + aa / c;
    if (std::fabs(c) < Minusculo) c = Minusculo;
    d = 1.0 / d;
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1.0) < Precisao) break;
  }
  return h;
}

// Lower-tail series of P(a, x) (x < a + 1).
double SerieGama(double a, double x) {
  double ap = a, del = 1.0 / a, soma = del;
  for (int n = 0; n < 100000; ++n) {
    ap += 1.0;
    del *= x / ap;
    soma += del;
    if (std::fabs(del) < std::fabs(soma) * Precisao) break;
  }
  return soma * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// Continued fraction of Q(a, x) (x >= a + 1), modified Lentz.
double FracaoGama(double a, double x) {
  double b = x + 1.0 - a;
  double c = 1.0 / Minusculo;
  double d = 1.0 / b;
  double h = d;
  for (int i = 1; i < 100000; ++i) {
    const double an = -i * (i - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < Minusculo) d = Minusculo;
    c = b + an / c;
    if (std::fabs(c) < Minusculo) c = Minusculo;
    d = 1.0 / d;
    const double del = d * c;
    h *= del;
    if (std::fabs(del - 1.0) < Precisao) break;
  }
  return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}

// Root of an increasing function g on (lo, hi) where g(lo) < 0 < g(hi):
// Newton steps with the derivative dg, falling back to bisection whenever a
// step leaves the bracket. `lo` may be 0 with roots many decades below hi, so
// the fallback splits geometrically when the bracket spans decades.
double RaizMonotona(const std::function<double(double)>& g, const std::function<double(double)>& dg,
                    double lo, double hi, double x) {
  for (int it = 0; it < 400; ++it) {
    const double gx = g(x);
    if (gx == 0.0) return x;
    if (gx < 0.0) lo = x; else hi = x;
    const double der = dg(x);
    double novo = (der > 0.0 && std::isfinite(der)) ? x - gx / der : lo - 1.0;
    if (!(novo > lo && novo < hi)) {
      novo = (lo > 0.0 && hi / lo > 4.0) ? std::sqrt(lo * hi) : (lo == 0.0 ? hi * 0.125 : 0.5 * (lo + hi));
    }
    if (std::fabs(novo - x) <= 4e-16 * std::fabs(novo) || hi - lo <= 4e-16 * hi) return novo;
    x = novo;
  }
  return x;
}

// Solves I_x(a, b) = p for x in (0, 1/2], where p <= I_{1/2}(a, b).
double InversaBetaInferior(double p, double a, double b) {
  const double lb = LogBeta(a, b);
  auto g = [&](double x) { return BetaIncompleta(x, a, b) - p; };
  auto dg = [&](double x) { return std::exp((a - 1.0) * std::log(x) + (b - 1.0) * std::log1p(-x) - lb); };
  // Start from the small-x behaviour I_x ~ x^a / (a B(a, b)).
  double x0 = std::exp((std::log(p * a) + lb) / a);
  if (!(x0 > 0.0 && x0 < 0.5)) x0 = 0.25;
  return RaizMonotona(g, dg, 0.0, 0.5, x0);
}

// x and 1 - x for I_x(a, b) = p, each computed where it is the smaller one so
// that neither loses digits to cancellation.
void ParBeta(double p, double a, double b, double& x, double& y) {
  if (p <= BetaIncompleta(0.5, a, b)) {
    x = InversaBetaInferior(p, a, b);
    y = 1.0 - x;
  } else {
    y = InversaBetaInferior(1.0 - p, b, a);
    x = 1.0 - y;
  }
}

// Gauss-Kronrod 7-15 nodes and weights on [-1, 1].
constexpr double NosGK[8] = {0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                             0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                             0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                             0.207784955007898467600689403773245, 0.000000000000000000000000000000000};
constexpr double PesosK[8] = {0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
                              0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
                              0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
                              0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr double PesosG[4] = {0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                              0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

// Adaptive Gauss-Kronrod quadrature of f on [a, b] to absolute tolerance tol.
double IntegraAdaptativo(const std::function<double(double)>& f, double a, double b, double tol, int profundidade) {
  const double c = 0.5 * (a + b), h = 0.5 * (b - a);
  const double fc = f(c);
  double kronrod = PesosK[7] * fc, gauss = PesosG[3] * fc;
  for (int i = 0; i < 7; ++i) {
    const double f1 = f(c - h * NosGK[i]), f2 = f(c + h * NosGK[i]);
    kronrod += PesosK[i] * (f1 + f2);
    if (i % 2 == 1) gauss += PesosG[i / 2] * (f1 + f2);
  }
  kronrod *= h;
  gauss *= h;
  if (std::fabs(kronrod - gauss) <= tol || profundidade >= 30) return kronrod;
  return IntegraAdaptativo(f, a, c, 0.5 * tol, profundidade + 1) +
         IntegraAdaptativo(f, c, b, 0.5 * tol, profundidade + 1);
}

}  // namespace

double BetaIncompleta(double x, double a, double b) {
  if (!(x > 0.0)) return 0.0;
  if (x >= 1.0) return 1.0;
  const double front = std::exp(a * std::log(x) + b * std::log1p(-x) - LogBeta(a, b));
  if (x < (a + 1.0) / (a + b + 2.0)) return front * FracaoBeta(x, a, b) / a;
  return 1.0 - front * FracaoBeta(1.0 - x, b, a) / b;
}

double InversaBetaIncompleta(double p, double a, double b) {
  if (!(p > 0.0)) return 0.0;
  if (p >= 1.0) return 1.0;
  double x, y;
  ParBeta(p, a, b, x, y);
  return x;
}

double GamaIncompleta(double a, double x) {
  if (!(x > 0.0)) return 0.0;
  if (std::isinf(x)) return 1.0;
  return x < a + 1.0 ? SerieGama(a, x) : 1.0 - FracaoGama(a, x);
}

double GamaIncompletaComplementar(double a, double x) {
  if (!(x > 0.0)) return 1.0;
  if (std::isinf(x)) return 0.0;
  return x < a + 1.0 ? 1.0 - SerieGama(a, x) : FracaoGama(a, x);
}

double InversaGamaIncompleta(double p, double a) {
  if (!(p > 0.0)) return 0.0;
  if (p >= 1.0) return Infinito;
  const double lg = std::lgamma(a);
  auto dg = [&](double x) { return std::exp((a - 1.0) * std::log(x) - x - lg); };
  // Past the median the upper tail is the accurate side.
  std::function<double(double)> g;
  if (p <= 0.5) g = [&](double x) { return GamaIncompleta(a, x) - p; };
  else g = [&](double x) { return (1.0 - p) - GamaIncompletaComplementar(a, x); };
  double hi = std::max(a, 1.0);
  while (g(hi) < 0.0) hi *= 2.0;
  double x0 = std::exp((std::log(p * a) + lg) / a);  // small-x behaviour P ~ x^a / (a Gamma(a))
  if (!(x0 > 0.0 && x0 < hi)) x0 = 0.5 * hi;
  return RaizMonotona(g, dg, 0.0, hi, x0);
}

double QuantilQuiQuadrado(double p, double nu) { return 2.0 * InversaGamaIncompleta(p, 0.5 * nu); }

double QuantilStudentBilateral(double nivel, double nu) {
  if (std::isinf(nu)) return std::sqrt(QuantilQuiQuadrado(nivel, 1.0));
  // P(|T| > t) = I_x(nu/2, 1/2) with x = nu / (nu + t^2).
  double x, y;
  ParBeta(1.0 - nivel, 0.5 * nu, 0.5, x, y);
  return std::sqrt(nu * y / x);
}

double QuantilSnedecor(double p, double nu1, double nu2) {
  const bool inf1 = std::isinf(nu1), inf2 = std::isinf(nu2);
  if (inf1 && inf2) return 1.0;
  if (inf2) return QuantilQuiQuadrado(p, nu1) / nu1;
  if (inf1) return nu2 / QuantilQuiQuadrado(1.0 - p, nu2);
  // P(F <= f) = I_x(nu1/2, nu2/2) with x = nu1 f / (nu1 f + nu2).
  double x, y;
  ParBeta(p, 0.5 * nu1, 0.5 * nu2, x, y);
  return nu2 * x / (nu1 * y);
}

double ProbabilidadeFormaNegativa(const std::vector<double>& pesos) {
  std::vector<double> l;
  double maior = 0.0;
  bool positivo = false, negativo = false;
  for (double w : pesos) {
    maior = std::max(maior, std::fabs(w));
    if (w != 0.0) l.push_back(w);
    positivo = positivo || w > 0.0;
    negativo = negativo || w < 0.0;
  }
  // Weights of one sign: the form never, or almost surely, falls below zero.
  if (!negativo) return 0.0;
  if (!positivo) return 1.0;
  // Imhof: P(Q > 0) = 1/2 + (1/pi) int_0^inf sin(theta(u)) / (u rho(u)) du,
  // theta(u) = sum(atan(l u)) / 2, rho(u) = prod (1 + l^2 u^2)^(1/4). With
  // both signs present theta settles as u grows, so the tail does not oscillate.
  auto integrando = [&](double u) {
    double teta = 0.0, logRho = 0.0;
    for (double li : l) {
      const double lu = li * u;
      teta += 0.5 * std::atan(lu);
      logRho += 0.25 * std::log1p(lu * lu);
    }
    return std::sin(teta) / (u * std::exp(logRho));
  };
  // Truncation: the tail beyond U is at most 2 / (pi m U^(m/2) prod |l|^(1/2))
  // over any subset of m weights; the weights not far below the largest give
  // the bound that does not blow up on a weight near zero.
  const double tol = 1e-12;
  double somaLog = 0.0;
  int m = 0;
  for (double li : l)
    if (std::fabs(li) >= 1e-3 * maior) {
      somaLog += std::log(std::fabs(li));
      ++m;
    }
  const double logU = (2.0 / m) * (std::log(2.0 / (Pi * m * tol)) - 0.5 * somaLog);
  const double U = std::exp(logU);
  // Integrate over a geometric ladder so that the long tail costs few panels.
  double integral = 0.0, a = 0.0, b = std::min(U, 1.0 / maior);
  for (;;) {
    integral += IntegraAdaptativo(integrando, a, b, 1e-12, 0);
    if (b >= U) break;
    a = b;
    b = std::min(U, 4.0 * b);
  }
  const double acima = 0.5 + integral / Pi;
  return std::clamp(1.0 - acima, 0.0, 1.0);
}

}  // namespace dist
