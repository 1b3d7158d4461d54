#pragma once
// The statistics of one equation: its search (code-0 positions are searched,
// the others are taken as given), then coefficients and intercept, R and the
// correlation in original units, F, s, t and their confidences, residuals and
// their bands, Durbin-Watson in the chosen row order, and the growth of every
// regressor. Everything in position order; the caller spreads it to variables.
#include "modules/regression/engine/BuscaTransformacoes.h"

#include <vector>

namespace ostrimo {

// The table look-ups the statistics need, supplied by the caller.
class TabelasEstatisticas {
public:
  virtual ~TabelasEstatisticas() = default;
  // Two-sided confidence of t with nu degrees of freedom (0 .. 0.9999).
  virtual double Significancia(double nu, double t) = 0;
  // Confidence level reached by F with k enabled variables and n considered
  // rows: 0, 0.80, 0.90, 0.95, 0.98 or 0.99 (-1 when the table is unreadable).
  virtual double ConfiancaF(double f, int k, int n) = 0;
};

// Row order of the Durbin-Watson statistic.
struct OrdenacaoDW {
  int posicao = -1;  // ordering variable, a position among the enabled variables
  int codigo = -1;   // -1 test off; 0 raw values; otherwise that code applied, less the residual
};

// Key of a considered row in the Durbin-Watson order: with code 0 the raw value
// of the ordering variable; otherwise that code applied (codes outside 2..7 as
// "x") less the row's residual, for the dependent its fitted value.
double ChaveOrdem(double valor, double residuo, int codigo);
// Order of two keys: -1 first before second, 1 after, 0 equal; a key that is
// not a number comes after every number.
int ComparaLinhasOrdem(double a, double b);

struct ResultadoEquacao {
  int codigos[60] = {};            // final code of every position
  double coeficiente[60] = {};     // regressors; the dependent's slot holds the intercept
  double t[60] = {};               // t statistic of each regressor
  double confianca[60] = {};       // confidence of t, in percent
  double crescimento[60] = {};     // growth percentage of each regressor
  double r = 0.0;                  // R in the transformed scale
  double rOriginal = 0.0;          // signed correlation in original units
  double f = 0.0;
  double confiancaF = 0.0;
  double s = 0.0;                  // standard error (0.0001 for a perfect fit)
  double sOriginal = 0.0;          // standard error in original units
  double dw = -1.0;                // Durbin-Watson, -1 with the test off
  int ate1 = 0, ate164 = 0, ate196 = 0;  // percentages of |residual / s| within 1, 1.64, 1.96
  int acima2 = 0;                  // rows with |residual / s| > 2
  std::vector<double> residuos;    // one per considered row, transformed scale
};

class EstatisticasEquacao {
public:
  enum Estado { Concluida, Indeterminada, Invalida };

  // `codigos`: the equation's code of each position, 0 to search it.
  // `criterio` only sets the starting best criterion, as in the search.
  // The ordering code is updated for the runs that follow.
  Estado Calcula(const DadosBusca& dados, const int* codigos, int criterio, OrdenacaoDW& ordem,
                 TabelasEstatisticas& tabelas, ResultadoEquacao& resultado);

  const BuscaTransformacoes& Busca() const { return busca_; }

private:
  BuscaTransformacoes busca_;
};

}  // namespace ostrimo
