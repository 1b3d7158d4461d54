#pragma once
// The figures of the diagnostic windows, apart from their widgets: residuals
// recomputed from the working rows, leverage and Cook's distance, fitted
// values in untransformed units (linear and spatial), the adherence
// histogram, the validation estimates and the outliers of an equation.
// Everything works on the caller's copies and never writes the model.
#include <newmat.h>

#include <cstdint>
#include <vector>

struct CabecalhoModelo;
struct LinhaDado;
struct dado;

namespace diag {

// Forward transformation of a working value by its code (0 x^p ... 7 1/√x),
// without guards: what cannot be computed comes out infinite or NaN.
double Transforma(double x, int codigo, double p);
// Signed inverse of a code (the sign of v kept for codes 4 to 7).
double Destransforma(double v, int codigo, double p);
// Residual in untransformed units, given the transformed value yT and the
// transformed residual e: back(yT) - back(yT - e), the observed side taken
// on the positive branch, the fitted side signed; codes 1 and 0 with p = 1
// leave e as it is.
double ResiduoOriginal(double yT, double e, int codigo, double p);

// ---------------------------------------------------------------- residuals
// The linear residual page: the working copy (packed to the enabled
// variables) and N working rows, count enabled positions (the dependent last),
// the analysed position O and the mode (0 residuals of the variable, 1 of the
// model for the variable). The rows are transformed in place, O is exchanged
// with the last position, residual J of each row is overwritten in
// untransformed units and the last value put back into untransformed units.
// The copy receives the exchanged codes, the recomputed coefficients (mode 0)
// and the recomputed standard error.
struct Residuos {
  std::vector<double> F;      // fitted (or implied) value by record position
  std::vector<double> Z;      // standardised recomputed residual by record position
  std::vector<double> RO;     // stored residual / stored standard error, per considered record
  std::vector<double> XO;     // analysed variable's transformed value, per considered record
  std::vector<int> registro;  // 1-based record number by position, 0 when excluded
  double s = 0.0;             // recomputed standard error
};
void CalculaResiduos(CabecalhoModelo& copia, LinhaDado* const* linhas, int N, int count, int O, int modo, Residuos& r);

// ---------------------------------------------------------------- Cook
// Leverage and Cook's distance of the considered rows, from (X'X)^-1 without
// the n x n hat matrix; the rows are transformed in place. False when X'X is
// singular (the distances and leverages are then NaN).
struct DistanciasCook {
  std::vector<double> h;          // leverage per considered record
  std::vector<double> D;          // Cook's distance per considered record
  std::vector<double> y;          // transformed dependent per considered record
  std::vector<double> Z;          // e / s by record position
  std::vector<int> registro;      // 1-based record number by position, 0 when excluded
};
bool CalculaDistanciaCook(const CabecalhoModelo& copia, LinhaDado* const* linhas, int N, int count,
                          DistanciasCook& r);

// ---------------------------------------------------------------- adherence
// The linear fitted-values page: with the dependent at position m - 1 of the
// rows (never changed: a copy is transformed), A = residual in untransformed
// units and B = e / s by record index, and the observed value y.
struct Aderencia {
  std::vector<double> A, B, y;
};
void CalculaAderencia(const CabecalhoModelo& copia, const LinhaDado* const* linhas, int N, int m, double s,
                      Aderencia& r);

// Histogram classes: min(32, max(3, floor(sqrt(n)))).
int NumeroClasses(int n);
// Classes centred on lo, lo + w, ... hi (w = (hi - lo)/(c - 1)); frequency = count / n.
struct Histograma {
  std::vector<double> centro, frequencia;
};
Histograma CalculaHistograma(const std::vector<double>& valores, int classes, int n);
// The standard normal density at x = -3.0 ... 3.0, 61 points (x accumulated by 0.1 from -3.1).
std::vector<std::pair<double, double>> CurvaNormal();

// ---------------------------------------------------------------- spatial
// Solves (I - rho W) x = b: a sparse LU when W has few non-zeros, a dense
// one otherwise, formed for the solve and freed with it. Only the last
// system's fingerprint, b and x are kept, so a second call on the same rho, W
// and b factorises nothing (nor allocates an n x n buffer) and a page holds no
// n x n matrix.
// False (x untouched) when the matrix is singular; std::bad_alloc when memory
// runs out.
class SolucaoEspacial {
public:
  bool Resolve(const NEWMAT::Matrix& W, double rho, const NEWMAT::ColumnVector& b, NEWMAT::ColumnVector& x);
  // The same on W's restriction to the considered records, transformed and
  // row-standardised as PesosEspaciais makes it, built a row at a time
  // without a copy of W. Throws std::invalid_argument when W is smaller
  // than the records.
  bool ResolveRecorte(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W, double rho,
                      const NEWMAT::ColumnVector& b, NEWMAT::ColumnVector& x);
  int Fatoracoes() const { return fatoracoes_; }
  void Esquece() { valida_ = false; }

private:
  template <typename Linha>
  bool Soluciona(int n, const Linha& linha, double rho, const NEWMAT::ColumnVector& b, NEWMAT::ColumnVector& x);

  std::uint64_t impressao_ = 0;
  double rho_ = 0.0;
  bool valida_ = false, singular_ = false;
  std::vector<double> b_, x_;
  int fatoracoes_ = 0;
};

// W of the considered records as the spatial model used it: cut out, the
// header's distance rule, row-standardised when the header says so.
void PesosEspaciais(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W, NEWMAT::Matrix& Wc);

// The spatial model's fit over the considered records (equation E of the
// header): y untransformed, yT transformed, the fitted values both ways, the
// residual in both units and the transformed residual's standard error
// (n - m degrees of freedom; 0 replaced by 1). False when I - rho W is singular.
struct AjusteEspacial {
  std::vector<double> y, yT, yhatT, yhat, e, eT;
  double sT = 1.0;
  double s = 1.0;    // untransformed residuals' standard error (0 replaced by 1)
  int m = 0;
  bool semMemoria = false;
};
// semMemoria: the lag term could not be computed for lack of memory (the
// fitted values are then not numbers and the result is false).
bool CalculaAjusteEspacial(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W,
                           SolucaoEspacial& solucao, AjusteEspacial& r);

// ---------------------------------------------------------------- validation
// Estimates of the validation records: observed y, the linear estimate of the
// current equation J and, when the spatial model exists, the spatial one
// (equation E; the lag term from W cut to validation x considered records,
// without the diagonal rule).
struct Validacao {
  std::vector<int> registro;  // record index of each validation record
  std::vector<double> y, linear, espacial;
  bool temEspacial = false;
};
void CalculaValidacao(const CabecalhoModelo& cab, const dado* dados, const NEWMAT::Matrix& W, Validacao& r);

// ---------------------------------------------------------------- outliers
// Considered records of equation e whose |residual / s| is strictly above 2.
struct Outlier {
  int registro;  // record index
  double residuo, padronizado;
};
std::vector<Outlier> ListaOutliers(const CabecalhoModelo& cab, const dado* dados, int e);

}  // namespace diag
