#include "GradeLogDeterminante.h"

#include "AlgebraDensa.h"
#include "AlgebraEsparsa.h"
#include "GeradorAleatorio.h"
#include "GeradorCombinado.h"
#include "platform/TextoNumerico.h"

#include <algorithm>
#include <vector>

namespace quenvik {

namespace {

// c = d^e by binary powering, as the Vandermonde powers were formed.
double Potencia(double d, int e) {
  double c = 1.0;
  int b = e;
  for (;;) {
    if (b & 1) c *= d;
    if (b < 2) break;
    b /= 2;
    d *= d;
  }
  return c;
}

int ArredondaInteiro(double v) {
  const int t = static_cast<int>(v);
  return t <= v - 0.5 ? t + 1 : t;
}

}  // namespace

GradeLogDeterminante::GradeLogDeterminante(const NEWMAT::Matrix& G) : G_(G) {}

int GradeLogDeterminante::Linha(double x) const {
  const int m = G_.Nrows();
  if (m < 2) return 1;
  const double* g = G_.Store();  // row-major: value at 2·i, estimate at 2·i + 1
  const double passo = g[2] - g[0];
  // Largest row (from 1) whose grid value is ≤ limite; 0 when none.
  auto maiorAte = [&](double limite) {
    int lo = 0, hi = m;  // answer in [lo, hi]
    while (lo < hi) {
      const int meio = (lo + hi + 1) / 2;
      if (g[2 * (meio - 1)] <= limite) lo = meio; else hi = meio - 1;
    }
    return lo;
  };
  const int i1 = maiorAte(x + passo);
  const int i2 = maiorAte(x - passo);
  const int idx = ArredondaInteiro((i1 + i2) * 0.5);
  return idx == 0 ? 1 : idx;
}

double GradeLogDeterminante::LogDet(double a) const { return G_(Linha(a), 2); }

NEWMAT::Matrix EstimaLogDeterminante(const NEWMAT::Matrix& W, int ordem, int iteracoes, const Progresso& progresso,
                                     std::optional<int32_t> sorteio, const PesosEsparsos* esparsa) {
  const int o = std::max(ordem, 2);
  const int r = iteracoes > 0 ? iteracoes : 30;  // a damaged count must not divide by zero
  const int n = W.Ncols();
  const bool quadrada = W.Nrows() == n;

  progresso.Faixa(0, r);
  progresso.ProcessaMensagens();
  progresso.Posicao(0);

  // Exact first two moments: tr(W) and ½·tr(W²) = ½·Σ W_ij·W_ji.
  const double traco = quadrada ? Traco(W) : 0.0;
  const double t2 = (quadrada ? (esparsa ? TracoQuadrado(*esparsa, W) : TracoProduto(W, W)) : 0.0) * 0.5;

  if (!sorteio) {
    GeradorAleatorio gerador(0, 10000);
    GeradorAleatorio::Semeia();
    sorteio = gerador.Sorteia();
  }
  const std::string frase = plat::FormataPonto("%5i", {int(*sorteio)});
  const ParSementes sementes = SementesDeFrase(frase);
  DefineSementes(sementes.s1, sementes.s2);

  // M(i, h): the estimate of tr(W^i)/i from random vector h. The r vectors
  // are drawn in order and carried side by side (vector h in column h),
  // so each power streams W once for all of them.
  // Rows are padded with zero vectors to a multiple of 8 (up to 32), so the
  // products keep whole registers of sums; the padding stays zero.
  const int passo = r <= 32 ? (r + 7) / 8 * 8 : r;
  std::vector<double> M(std::size_t(o) * r, 0.0);
  std::vector<double> U(std::size_t(n) * passo, 0.0), V, T(std::size_t(n) * passo);
  for (int h = 0; h < r; ++h)
    for (int k = 0; k < n; ++k) U[std::size_t(k) * passo + h] = GeraNormal(0.0, 1.0);
  std::vector<double> s(r, 0.0);
  for (int k = 0; k < n; ++k)
    for (int h = 0; h < r; ++h) s[h] += U[std::size_t(k) * passo + h] * U[std::size_t(k) * passo + h];
  V = U;
  const double* w = W.Store();
  for (int i = 1; i <= o && quadrada && n > 0; ++i) {
    if (esparsa) ProdutoVetores(*esparsa, V.data(), passo, T.data());
    else ProdutoVetores(w, n, V.data(), passo, T.data());
    V.swap(T);
    std::vector<double> uv(r, 0.0);
    for (int k = 0; k < n; ++k)
      for (int h = 0; h < r; ++h) uv[h] += U[std::size_t(k) * passo + h] * V[std::size_t(k) * passo + h];
    for (int h = 0; h < r; ++h) M[std::size_t(i - 1) * r + h] = n * (uv[h] * (1.0 / (i * s[h])));
    progresso.Posicao(r * i / o);
    progresso.ProcessaMensagens();
  }
  for (int h = 0; h < r; ++h) {
    M[h] = traco;
    M[std::size_t(r) + h] = t2;
  }
  std::vector<double> mu(o);
  for (int i = 0; i < o; ++i) {
    double s = 0.0;
    for (int h = 0; h < r; ++h) s += M[std::size_t(i) * r + h];
    mu[i] = s / r;
  }

  std::vector<double> a;
  for (double x = -0.99; x <= 0.991; x += 0.001) a.push_back(x);
  const int m = static_cast<int>(a.size());

  // The powers a^1 … a^o of every grid value; the two phases keep the log
  // lines and progress of the Vandermonde construction and its column flip.
  std::vector<double> potencias(std::size_t(m) * o);
  progresso.Registra("Calculando a matriz de vander...");
  progresso.Faixa(1, 100);
  progresso.Posicao(1);
  progresso.ProcessaMensagens();
  for (int i = 0; i < m; ++i) {
    for (int k = 1; k <= o; ++k) potencias[std::size_t(i) * o + (k - 1)] = Potencia(a[i], k);
    progresso.Posicao(100 * (i + 1) / m);
    progresso.ProcessaMensagens();
  }
  progresso.Registra("Calculando matriz de flip...");
  progresso.Faixa(1, 100);
  progresso.Posicao(1);
  progresso.ProcessaMensagens();
  for (int i = 0; i < m; ++i) {
    progresso.Posicao(100 * (i + 1) / m);
    progresso.ProcessaMensagens();
  }

  NEWMAT::Matrix G(m, 2);
  for (int i = 0; i < m; ++i) {
    double L = 0.0;
    for (int k = 1; k <= o; ++k) L += (-potencias[std::size_t(i) * o + (k - 1)]) * mu[k - 1];
    G(i + 1, 1) = a[i];
    G(i + 1, 2) = L;
  }
  return G;
}

}  // namespace quenvik
