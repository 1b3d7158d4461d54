#include "TestesResiduos.h"

#include "AlgebraDensa.h"
#include "Distribuicoes.h"

#include <cmath>

namespace quenvik {

ResultadoTestes CalculaTestesResiduos(const NEWMAT::ColumnVector& y, const NEWMAT::Matrix& X,
                                      const NEWMAT::Matrix& W) {
  const int n = y.Nrows();
  const int p = X.Ncols();
  ResultadoTestes res;

  const NEWMAT::Matrix XtX = X.t() * X;
  const NEWMAT::Matrix XtXi = XtX.i();
  const NEWMAT::CroutMatrix lu = XtX;
  const NEWMAT::ColumnVector b = lu.i() * (X.t() * y);
  const NEWMAT::ColumnVector Xb = X * b;
  const NEWMAT::ColumnVector e = y - Xb;
  const double ee = NEWMAT::DotProduct(e, e);
  const double sigma2 = ee / n;

  const NEWMAT::ColumnVector We = ProdutoW(W, e);
  const NEWMAT::ColumnVector Wy = ProdutoW(W, y);
  // T = tr((W + W')·W) = Σ W_ij·W_ji + Σ W_ij².
  const double trWW = TracoProduto(W, W);
  const double trWtW = TracoProdutoTransposta(W, W);
  const double T = trWW + trWtW;
  const double eWe = NEWMAT::DotProduct(e, We);

  const double le = eWe / sigma2;
  res.lmErro = (le * le) * (1.0 / T);
  res.probLmErro = CaudaQuiQuadradoSuperior(res.lmErro, 1.0);

  // M = I − X(X'X)⁻¹X' is applied without forming it: M·Z = Z − X·((X'X)⁻¹·(X'Z)).
  const double ly = NEWMAT::DotProduct(e, Wy) / sigma2;
  const NEWMAT::ColumnVector z = ProdutoW(W, Xb);
  const NEWMAT::ColumnVector Xtz = X.t() * z;
  const double D = NEWMAT::DotProduct(z, z) - NEWMAT::DotProduct(Xtz, XtXi * Xtz);
  res.lmDefasagem = (ly * ly) * (1.0 / (D / sigma2 + T));
  res.probLmDefasagem = CaudaQuiQuadradoSuperior(res.lmDefasagem, 1.0);

  res.moranI = eWe / ee;
  // MW = W − H·G and MWt = W' − H·F with H = X(X'X)⁻¹ (n × p), G = X'W and
  // F = X'W' (p × n): W less a rank-p term. Their traces expand into traces
  // of W and of p × p products, so neither n × n matrix is ever formed:
  //   tr(MW)      = tr(W) − tr(GH)
  //   tr(MW·MW)   = tr(W·W) − 2·tr(G·WH) + tr(GH·GH)
  //   tr(MW·MWt)  = tr(W·W') − tr(F·WH) − tr(G·W'H) + tr(GH·FH)
  const NEWMAT::Matrix H = X * XtXi;                        // n × p
  const NEWMAT::Matrix G = ProdutoDensoTransposta(W, X).t(); // X'W
  const NEWMAT::Matrix F = ProdutoDenso(W, X).t();           // X'W'
  const NEWMAT::Matrix WH = ProdutoDenso(W, H);
  const NEWMAT::Matrix WtH = ProdutoDensoTransposta(W, H);
  const NEWMAT::Matrix GH = G * H, FH = F * H;
  const double trMW = Traco(W) - GH.Trace();
  const double trMWMW = trWW - 2.0 * (G * WH).Trace() + (GH * GH).Trace();
  const double trMWMWt = trWtW - (F * WH).Trace() - (G * WtH).Trace() + (GH * FH).Trace();
  const double np = n - p;
  res.esperancaI = trMW / np;
  res.varianciaI = (trMWMWt + trMWMW + trMW * trMW) / (np * (np + 2.0)) - res.esperancaI * res.esperancaI;
  res.zI = (res.moranI - res.esperancaI) / std::sqrt(res.varianciaI);
  res.confiancaI = 1.0 - 2.0 * CaudaNormalSuperior(std::fabs(res.zI));
  return res;
}

}  // namespace quenvik
