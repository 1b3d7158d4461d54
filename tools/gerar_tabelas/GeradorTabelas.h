#pragma once
// Computes the three table files of the program folder ("stdt.dat",
// "sndc.dat", "durbwat.dat") in the layouts their look-ups address: flat
// arrays of little-endian f64, the first value unused.
#include <string>
#include <vector>

namespace gerador {

// Student t two-sided critical values: 35 rows (degrees of freedom) x 10
// confidence levels, value (r, c) at index 10 r + c + 1; row 0 is unused.
std::vector<double> TabelaStudent();
// F upper quantiles: 34 rows (nu2) x 19 columns (nu1) x 5 levels, value
// (r, c, j) at index 5 (19 (r - 1) + (c - 1)) + j + 1, r and c from 1.
std::vector<double> TabelaSnedecor();
// Durbin-Watson bounds: 38 rows (sample sizes) x 10 columns (dL, dU for 1 to
// 5 regressors) x 3 levels, value (r, c, j) at index 3 (10 r + c) + j, j from 1.
std::vector<double> TabelaDurbinWatson();

// Exact lower and upper bounds of the Durbin-Watson critical value for n
// observations, `regressores` regressors besides the intercept and the
// one-sided significance level alfa (not rounded).
void LimitesDurbinWatson(int n, int regressores, double alfa, double& dL, double& dU);

// Writes the values as little-endian f64 through a temporary file renamed
// over the target; false (and the old file intact) on any failure.
bool GravaTabela(const std::string& caminho, const std::vector<double>& valores);

}  // namespace gerador
