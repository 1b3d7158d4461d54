#include "TestesResiduos.h"

#include "AlgebraDensa.h"
#include "Distribuicoes.h"
#include "Verossimilhanca.h"

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
  const double T = TracoProduto(W, W) + TracoProdutoTransposta(W, W);
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
  // MW = M·W and MWt = M·W'.
  const NEWMAT::Matrix H = X * XtXi;  // n × p
  const NEWMAT::Matrix Wt = W.t();
  const NEWMAT::Matrix MW = W - H * (X.t() * W);
  const NEWMAT::Matrix MWt = Wt - H * (X.t() * Wt);
  const double trMW = Traco(MW);
  const double np = n - p;
  res.esperancaI = trMW / np;
  res.varianciaI = (TracoProduto(MW, MWt) + TracoProduto(MW, MW) + trMW * trMW) / (np * (np + 2.0)) -
                   res.esperancaI * res.esperancaI;
  res.zI = (res.moranI - res.esperancaI) / std::sqrt(res.varianciaI);
  res.confiancaI = 1.0 - 2.0 * CaudaNormalSuperior(std::fabs(res.zI));
  return res;
}

}  // namespace quenvik
