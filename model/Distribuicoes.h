#pragma once
// Distribution functions behind the statistical tables: the regularised
// incomplete beta and gamma functions, their inverses, the quantiles built on
// them and the distribution of a quadratic form in normal variables. Standard
// library only, so the table generator compiles this file on its own.
#include <limits>
#include <vector>

namespace dist {

// I_x(a, b), the regularised incomplete beta function, for a, b > 0 and x in [0, 1].
double BetaIncompleta(double x, double a, double b);
// The x in [0, 1] with I_x(a, b) = p.
double InversaBetaIncompleta(double p, double a, double b);

// P(a, x), the regularised lower incomplete gamma function, for a > 0 and x >= 0.
double GamaIncompleta(double a, double x);
// Q(a, x) = 1 - P(a, x), computed without cancellation in the upper tail.
double GamaIncompletaComplementar(double a, double x);
// The x >= 0 with P(a, x) = p.
double InversaGamaIncompleta(double p, double a);

constexpr double Infinito = std::numeric_limits<double>::infinity();

// Two-sided Student t critical value: the t with P(|T| <= t) = nivel for nu
// degrees of freedom; nu = Infinito gives the normal value.
double QuantilStudentBilateral(double nivel, double nu);
// Upper quantile of Fisher-Snedecor F: the f with P(F <= f) = p; either
// degree of freedom may be Infinito (the limiting distribution).
double QuantilSnedecor(double p, double nu1, double nu2);
// Chi-square quantile: the x with P(X <= x) = p for nu degrees of freedom.
double QuantilQuiQuadrado(double p, double nu);

// P(sum_i pesos[i] * Z_i^2 < 0) for independent standard normal Z_i, by
// Imhof's inversion of the characteristic function (numerical integration);
// accurate to about 1e-10. A ratio of quadratic forms below a value d is this
// with the weights shifted by -d.
double ProbabilidadeFormaNegativa(const std::vector<double>& pesos);

}  // namespace dist
