#include "EstatisticasEspaciais.h"

#include "CalculoEspacial.h"
#include "Distribuicoes.h"
#include "model/CabecalhoModelo.h"

#include <cmath>

namespace quenvik {

namespace {
constexpr std::size_t OffTabela = 408776;
std::size_t Slot(int j) { return OffTabela + 8 * std::size_t(j); }
double Confianca(double t) { return (1.0 - 2.0 * CaudaNormalSuperior(std::fabs(t))) * 100.0; }
}  // namespace

FaixasResiduos ContaFaixas(const NEWMAT::ColumnVector& residuos, double s) {
  FaixasResiduos f;
  const int n = residuos.Nrows();
  int c1 = 0, c164 = 0, c196 = 0;
  for (int i = 1; i <= n; ++i) {
    const double razao = std::fabs(residuos(i)) / s;
    if (razao <= 1.0) ++c1;
    if (razao <= 1.64) ++c164;
    if (razao <= 1.96) ++c196;
    if (razao > 2.0) ++f.acimaDe2;
  }
  if (n > 0) {
    f.ate1 = c1 * 100 / n;
    f.ate164 = c164 * 100 / n;
    f.ate196 = c196 * 100 / n;
  }
  return f;
}

void GravaResultadoEspacial(CabecalhoModelo& cab, const ResultadoEspacial& res, int variaveis, double inferior,
                            double superior, double confiancaF) {
  auto slot = [&](int j, double v) { cab.SetF64(Slot(j), v); };
  slot(64, res.r2Ajustado);
  slot(65, res.r2);
  slot(62, res.logVerossimilhanca);
  slot(60, res.parametro);
  slot(63, res.sigma2);
  cab.SetF64(408744, inferior);
  cab.SetF64(408752, superior);
  cab.SetI32(408716, 0);
  cab.SetI32(408720, OrdemSerie);
  cab.SetI32(408724, res.avaliacoes);

  // The enabled regressors among slots 0 … V − 2 are X's columns 2 … p in order.
  int c = 1;
  for (int v = 0; v <= variaveis - 2; ++v) {
    if (cab.I32(CabecalhoModelo::OffHabilitadas + 4 * std::size_t(v)) != 0) {
      ++c;
      slot(v, res.beta(c));
      slot(66 + v, res.t(c));
      slot(126 + v, Confianca(res.t(c)));
    } else {
      slot(v, 0.0);
      slot(66 + v, 0.0);
      slot(126 + v, 0.0);
    }
  }
  const int dep = variaveis - 1;
  slot(dep, res.beta(1));
  slot(66 + dep, res.t(1));
  slot(126 + dep, Confianca(res.t(1)));
  const int p = res.beta.Nrows();
  slot(186, res.t(p + 1));
  cab.SetF64(410320, Confianca(res.t(p + 1)));

  cab.SetF64(410304, res.F);
  cab.SetF64(410312, confiancaF);

  const FaixasResiduos f = ContaFaixas(res.residuos, std::sqrt(res.sigma2));
  cab.SetI32(410272, f.acimaDe2);
  cab.SetI32(410276, f.ate1);
  cab.SetI32(410280, f.ate164);
  cab.SetI32(410284, f.ate196);
  cab.SetI32(CabecalhoModelo::OffEspacialCalculado, 1);
}

}  // namespace quenvik
