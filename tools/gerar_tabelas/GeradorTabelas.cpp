#include "GeradorTabelas.h"

#include "model/Distribuicoes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace gerador {
namespace {

constexpr double Pi = 3.14159265358979323846;

// Confidence levels of the t columns, in column order.
constexpr double NiveisStudent[10] = {0.99, 0.98, 0.95, 0.90, 0.80, 0.60, 0.50, 0.40, 0.20, 0.10};
// Levels of the F table, in the order of the five values of each cell.
constexpr double NiveisSnedecor[5] = {0.80, 0.90, 0.95, 0.98, 0.99};
// One-sided significance levels of the Durbin-Watson table, labelled by the
// program "90%", "95%" and "98%".
constexpr double NiveisDurbinWatson[3] = {0.05, 0.025, 0.01};

// Degrees of freedom each t row stands for.
double GrausStudent(int linha) {
  if (linha <= 30) return linha;
  static constexpr double resto[4] = {40, 60, 120, dist::Infinito};
  return resto[linha - 31];
}

double GrausLinhaSnedecor(int linha) {  // nu2, rows from 1
  if (linha <= 30) return linha;
  static constexpr double resto[4] = {40, 60, 120, dist::Infinito};
  return resto[linha - 31];
}

double GrausColunaSnedecor(int coluna) {  // nu1, columns from 1
  if (coluna <= 10) return coluna;
  static constexpr double resto[9] = {12, 15, 20, 24, 30, 40, 60, 120, dist::Infinito};
  return resto[coluna - 11];
}

// Sample size of each Durbin-Watson row: 15-40, then 45-100 by 5.
int AmostraDurbinWatson(int linha) { return linha <= 25 ? 15 + linha : 45 + 5 * (linha - 26); }

// Root of an increasing f on [a, b] with f(a) < 0 < f(b) (Brent's method).
double RaizBrent(const std::function<double(double)>& f, double a, double b, double fa, double fb, double tol) {
  double c = a, fc = fa, d = b - a, e = d;
  for (int it = 0; it < 100; ++it) {
    if ((fb > 0) == (fc > 0)) { c = a; fc = fa; d = e = b - a; }
    if (std::fabs(fc) < std::fabs(fb)) { a = b; b = c; c = a; fa = fb; fb = fc; fc = fa; }
    const double tol1 = 2e-16 * std::fabs(b) + 0.5 * tol, xm = 0.5 * (c - b);
    if (std::fabs(xm) <= tol1 || fb == 0.0) return b;
    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
      double p, q, r, s = fb / fa;
      if (a == c) { p = 2.0 * xm * s; q = 1.0 - s; }
      else {
        q = fa / fc; r = fb / fc;
        p = s * (2.0 * xm * q * (q - r) - (b - a) * (r - 1.0));
        q = (q - 1.0) * (r - 1.0) * (s - 1.0);
      }
      if (p > 0) q = -q;
      p = std::fabs(p);
      if (2.0 * p < std::min(3.0 * xm * q - std::fabs(tol1 * q), std::fabs(e * q))) { e = d; d = p / q; }
      else { d = xm; e = d; }
    } else { d = xm; e = d; }
    a = b; fa = fb;
    b += std::fabs(d) > tol1 ? d : (xm > 0 ? tol1 : -tol1);
    fb = f(b);
  }
  return b;
}

// The d with P(sum w_i Z_i^2 / sum Z_i^2 < d) = alfa.
double QuantilRazao(const std::vector<double>& w, double alfa) {
  auto f = [&](double d) {
    std::vector<double> l(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) l[i] = w[i] - d;
    return dist::ProbabilidadeFormaNegativa(l) - alfa;
  };
  // Start from the normal approximation of the ratio and widen to a bracket.
  const double m = double(w.size());
  double media = 0.0, var = 0.0;
  for (double x : w) media += x;
  media /= m;
  for (double x : w) var += (x - media) * (x - media);
  const double dp = std::sqrt(2.0 * var / (m * (m + 2.0)));
  const double z = std::sqrt(dist::QuantilQuiQuadrado(1.0 - 2.0 * alfa, 1.0));
  const double wmin = *std::min_element(w.begin(), w.end()), wmax = *std::max_element(w.begin(), w.end());
  double a = std::max(wmin, media - z * dp - 0.1 * dp), b = std::min(wmax, media - z * dp + 0.1 * dp);
  double fa = f(a), fb = f(b);
  while (fa > 0.0 && a > wmin) { b = a; fb = fa; a = std::max(wmin, a - dp); fa = f(a); }
  while (fb < 0.0 && b < wmax) { a = b; fa = fb; b = std::min(wmax, b + dp); fb = f(b); }
  return RaizBrent(f, a, b, fa, fb, 1e-9);
}

}  // namespace

std::vector<double> TabelaStudent() {
  std::vector<double> v(351, 0.0);
  for (int r = 1; r <= 34; ++r)
    for (int c = 0; c < 10; ++c) v[10 * r + c + 1] = dist::QuantilStudentBilateral(NiveisStudent[c], GrausStudent(r));
  return v;
}

std::vector<double> TabelaSnedecor() {
  std::vector<double> v(1 + 34 * 19 * 5, 0.0);
  for (int r = 1; r <= 34; ++r)
    for (int c = 1; c <= 19; ++c)
      for (int j = 0; j < 5; ++j)
        v[5 * (19 * (r - 1) + (c - 1)) + j + 1] =
            dist::QuantilSnedecor(NiveisSnedecor[j], GrausColunaSnedecor(c), GrausLinhaSnedecor(r));
  return v;
}

void LimitesDurbinWatson(int n, int regressores, double alfa, double& dL, double& dU) {
  // Nonzero eigenvalues of the differencing form, ascending; with k columns in
  // X (the intercept included) d lies between the ratios on the n - k lowest
  // and on the n - k highest of them.
  const int k = regressores + 1;
  std::vector<double> baixo, alto;
  for (int j = 1; j <= n - k; ++j) baixo.push_back(2.0 * (1.0 - std::cos(Pi * j / n)));
  for (int j = k; j <= n - 1; ++j) alto.push_back(2.0 * (1.0 - std::cos(Pi * j / n)));
  dL = QuantilRazao(baixo, alfa);
  dU = QuantilRazao(alto, alfa);
}

std::vector<double> TabelaDurbinWatson() {
  std::vector<double> v(1 + 38 * 10 * 3, 0.0);
  // 190 independent (row, regressors) cells shared out among the cores.
  auto calcula = [&v](int tarefa) {
    const int r = tarefa / 5, m = tarefa % 5;
    for (int j = 1; j <= 3; ++j) {
      double dL, dU;
      LimitesDurbinWatson(AmostraDurbinWatson(r), m + 1, NiveisDurbinWatson[j - 1], dL, dU);
      v[3 * (10 * r + 2 * m) + j] = std::round(dL * 1000.0) / 1000.0;
      v[3 * (10 * r + 2 * m + 1) + j] = std::round(dU * 1000.0) / 1000.0;
    }
  };
  const int tarefas = 38 * 5;
  const int fios = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  std::vector<std::thread> grupo;
  for (int f = 0; f < fios; ++f)
    grupo.emplace_back([&, f] {
      for (int t = f; t < tarefas; t += fios) calcula(t);
    });
  for (auto& t : grupo) t.join();
  return v;
}

bool GravaTabela(const std::string& caminho, const std::vector<double>& valores) {
  std::string bytes(valores.size() * 8, '\0');
  for (std::size_t i = 0; i < valores.size(); ++i) {
    const uint64_t u = std::bit_cast<uint64_t>(valores[i]);
    for (int b = 0; b < 8; ++b) bytes[8 * i + b] = char((u >> (8 * b)) & 0xff);
  }
  const std::string temporario = caminho + ".tmp";
  {
    std::ofstream out(temporario, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush()) {
      out.close();
      std::remove(temporario.c_str());
      return false;
    }
  }
  std::error_code erro;
  std::filesystem::rename(temporario, caminho, erro);
  if (erro) {
    std::remove(temporario.c_str());
    return false;
  }
  return true;
}

}  // namespace gerador
