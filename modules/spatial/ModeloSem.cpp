#include "ModeloSem.h"

#include "AlgebraDensa.h"
#include "AlgebraEsparsa.h"
#include "MinimizaNoIntervalo.h"
#include "Verossimilhanca.h"

#include <cmath>

namespace quenvik {

ResultadoEspacial AjustaSem(const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X, const NEWMAT::Matrix& W,
                            const ProvedorLogDeterminante& G, const OpcoesAjuste& opcoes, const Progresso& progresso,
                            const PesosEsparsos* esparsa) {
  const int n = y.Nrows();
  const int p = X.Ncols();
  ResultadoEspacial res;

  const NEWMAT::Matrix WX = esparsa ? ProdutoDenso(*esparsa, X) : ProdutoDenso(W, X);
  const NEWMAT::ColumnVector Wy = esparsa ? ProdutoW(*esparsa, y) : ProdutoW(W, y);

  progresso.Registra("Cálculo da função de otimização...");
  double lambda = opcoes.parametroInicial;
  int it = 1;
  NEWMAT::ColumnVector b, e, We;
  for (;;) {
    const NEWMAT::Matrix Xs = X - lambda * WX;
    const NEWMAT::ColumnVector ys = y - lambda * Wy;
    const NEWMAT::Matrix XsXs = Xs.t() * Xs;
    b = XsXs.i() * (Xs.t() * ys);
    e = y - X * b;
    We = esparsa ? ProdutoW(*esparsa, e) : ProdutoW(W, e);
    const double anterior = lambda;
    const ResultadoMinimo min = MinimizaNoIntervalo(opcoes.inferior, opcoes.superior, opcoes.maxIteracoes,
        [&](double l) { return LogVerossimilhancaSem(l, e, We, G); });
    lambda = min.x;
    res.avaliacoes = min.avaliacoes;
    ++res.passes;
    ++it;
    if (it >= opcoes.maxIteracoes || std::fabs(anterior - lambda) <= opcoes.criterio) break;
  }
  res.beta = b;  // estimated at the λ the last pass started from
  res.parametro = lambda;

  progresso.Registra("Calculando resultados estatísticos...");
  // The last pass's e is y − Xβ and its W·e is at hand: the final residuals
  // f = r − λ·W·r and the likelihood need no further product with W.
  const NEWMAT::ColumnVector f = e - lambda * We;
  res.sigma2 = NEWMAT::DotProduct(f, f) / n;
  const double s2 = res.sigma2;
  res.logVerossimilhanca = LogVerossimilhancaCompleta(G.LogDet(lambda), n, s2, SomaQuadrados(f));
  res.residuos = f;

  // WB = W·(I − λW)⁻¹ and BI = (I − λW)⁻¹ = I + λ·WB: every trace the
  // information matrix reads comes from one pass over WB.
  const TracosZ tr = esparsa ? FatoracaoEsparsa(*esparsa, lambda).Tracos()
                             : CalculaTracosZ(ResolveIdentidadeMenos(W, lambda), lambda);
  const double inv = 1.0 / s2;
  const NEWMAT::Matrix BX = X - lambda * WX;

  NEWMAT::Matrix Q(p + 2, p + 2);
  Q = 0.0;
  Q.SubMatrix(1, p, 1, p) = inv * (BX.t() * BX);
  Q(p + 1, p + 1) = tr.produto + tr.quadrados;
  Q(p + 2, p + 2) = n / (s2 * (s2 + s2));
  Q(p + 1, p + 2) = Q(p + 2, p + 1) = -((lambda * tr.quadrados - tr.inversa) * inv);

  NEWMAT::ColumnVector theta(p + 1);
  theta.Rows(1, p) = res.beta;
  theta(p + 1) = lambda;
  res.t = ValoresT(Q, theta);

  const int considerados = opcoes.considerados > 0 ? opcoes.considerados : n;
  double somaY = 0.0;
  for (int i = 1; i <= n; ++i) somaY += y(i);
  const double media = somaY / considerados;
  double sst = 0.0;
  for (int i = 1; i <= n; ++i) sst += (y(i) - media) * (y(i) - media);
  const double sse = double(considerados) * s2;
  res.r2 = 1.0 - sse / sst;
  res.r2Ajustado = 1.0 - (sse / (n - p)) / (sst / (n - 1));
  res.F = EstatisticaF(y, f, p);
  return res;
}

}  // namespace quenvik
