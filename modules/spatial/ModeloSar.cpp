#include "ModeloSar.h"

#include "AlgebraDensa.h"
#include "AlgebraEsparsa.h"
#include "MinimizaNoIntervalo.h"
#include "Verossimilhanca.h"

#include <cmath>
#include <memory>

namespace quenvik {

namespace {
double Soma(const NEWMAT::ColumnVector& v) {
  double s = 0.0;
  for (int i = 1; i <= v.Nrows(); ++i) s += v(i);
  return s;
}
double Quadrado(const NEWMAT::ColumnVector& v) {
  double s = 0.0;
  for (int i = 1; i <= v.Nrows(); ++i) s += v(i) * v(i);
  return s;
}
}  // namespace

NEWMAT::ColumnVector ValoresT(const NEWMAT::Matrix& Q, const NEWMAT::ColumnVector& theta) {
  const NEWMAT::Matrix Qi = Q.i();
  NEWMAT::ColumnVector t(theta.Nrows());
  for (int j = 1; j <= theta.Nrows(); ++j) t(j) = theta(j) / std::sqrt(std::fabs(Qi(j, j)));
  return t;
}

double EstatisticaF(const NEWMAT::ColumnVector& y, const NEWMAT::ColumnVector& residuos, int p) {
  if (p < 2) return 0.0;
  const int n = y.Nrows();
  const double media = Soma(y) / n;
  double sst = 0.0;
  for (int i = 1; i <= n; ++i) sst += (y(i) - media) * (y(i) - media);
  const double sse = Quadrado(residuos);
  const double m = double(n - p - 1) / double(p - 1);
  return m * ((sst - sse) / sse);
}

ResultadoEspacial AjustaSar(const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                            const ProvedorLogDeterminante& G, const OpcoesAjuste& opcoes, const Progresso& progresso,
                            const PesosEsparsos* esparsa) {
  const int n = y.Nrows();
  const int p = X.Ncols();
  ResultadoEspacial res;

  const NEWMAT::ColumnVector Wy = esparsa ? ProdutoW(*esparsa, y) : ProdutoW(W, y);
  const NEWMAT::Matrix XtX = X.t() * X;
  const NEWMAT::CroutMatrix luXtX = XtX;
  const NEWMAT::ColumnVector b0 = luXtX.i() * (X.t() * y);
  const NEWMAT::ColumnVector bd = luXtX.i() * (X.t() * Wy);
  const NEWMAT::ColumnVector e0 = y - X * b0;
  const NEWMAT::ColumnVector ed = Wy - X * bd;
  const double e0e0 = NEWMAT::DotProduct(e0, e0);
  const double eded = NEWMAT::DotProduct(ed, ed);
  const double ede0 = NEWMAT::DotProduct(ed, e0);

  progresso.Registra("Cálculo da função de otimização...");
  const ResultadoMinimo min = MinimizaNoIntervalo(opcoes.inferior, opcoes.superior, opcoes.maxIteracoes,
      [&](double rho) { return LogVerossimilhancaSar(rho, G, e0e0, eded, ede0, n); });
  const double rho = min.x;
  res.parametro = rho;
  res.avaliacoes = min.avaliacoes;

  res.beta = b0 - rho * bd;
  const NEWMAT::ColumnVector e = e0 - rho * ed;
  res.sigma2 = Quadrado(e) * (1.0 / n);
  const double s2 = res.sigma2;

  // WA = W·(I − ρW)⁻¹; (I − ρW)⁻¹ = I + ρ·WA, so ŷ = Xβ + ρ·WA·Xβ. On a
  // sparse W, WA is never formed: WA·Xb by one solve, its traces by columns.
  // WA is made in place (newmat has no move: assigning it would copy n x n).
  const NEWMAT::Matrix WA = esparsa ? NEWMAT::Matrix() : ResolveIdentidadeMenos(W, rho);
  const std::unique_ptr<FatoracaoEsparsa> lu = esparsa ? std::make_unique<FatoracaoEsparsa>(*esparsa, rho) : nullptr;
  const NEWMAT::ColumnVector Xb = X * res.beta;
  const NEWMAT::ColumnVector WAXb = lu ? ProdutoW(*esparsa, lu->Resolve(Xb)) : ProdutoW(WA, Xb);
  const NEWMAT::ColumnVector yChapeu = Xb + rho * WAXb;
  res.residuos = y - yChapeu;

  progresso.Registra("Calculando resultados estatísticos...");
  // The likelihood's residuals (y − Xβ) − ρ·Wy, with the W·y of the start.
  const NEWMAT::ColumnVector eL = (y - Xb) - rho * Wy;
  res.logVerossimilhanca = LogVerossimilhancaCompleta(G.LogDet(rho), n, s2, SomaQuadrados(eL));

  const TracosZ tr = lu ? lu->Tracos() : CalculaTracosZ(WA, rho);
  const double pterm = tr.quadrados + tr.produto;
  const double inv = 1.0 / s2;
  NEWMAT::Matrix Q(p + 2, p + 2);
  Q = 0.0;
  Q.SubMatrix(1, p, 1, p) = inv * XtX;
  const NEWMAT::ColumnVector coluna = (inv * X.t()) * WAXb;
  for (int j = 1; j <= p; ++j) {
    Q(j, p + 1) = coluna(j);
    Q(p + 1, j) = coluna(j);
  }
  Q(p + 1, p + 1) = inv * NEWMAT::DotProduct(WAXb, WAXb) + pterm;
  Q(p + 2, p + 2) = n / (s2 * (s2 + s2));
  Q(p + 1, p + 2) = Q(p + 2, p + 1) = tr.traco * inv;

  NEWMAT::ColumnVector theta(p + 1);
  theta.Rows(1, p) = res.beta;
  theta(p + 1) = rho;
  res.t = ValoresT(Q, theta);

  const int considerados = opcoes.considerados > 0 ? opcoes.considerados : n;
  const double media = Soma(y) / considerados;
  double sst = 0.0;
  for (int i = 1; i <= n; ++i) sst += (y(i) - media) * (y(i) - media);
  const double sse = Quadrado(res.residuos);
  res.r2 = 1.0 - sse / sst;
  res.r2Ajustado = 1.0 - (sse / (n - p)) / (sst / (n - 1));
  res.F = EstatisticaF(y, res.residuos, p);
  return res;
}

}  // namespace quenvik
