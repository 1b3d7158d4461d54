#pragma once
// The numbers of the variable displays, apart from their widgets: each
// variable's mean, extremes and spread over the considered records, raw or
// transformed by the current equation, and Wy, the spatially lagged
// dependent variable.
#include <newmat.h>

#include <QString>
#include <vector>

struct CabecalhoModelo;
struct dado;

struct EstatisticaVariavel {
  double soma = 0;    // over the considered records
  double minimo = 0;
  double maximo = 0;
  double media = 0;
  double dp = 0;      // sample standard deviation (n - 1); not finite for one record
  double Amplitude() const { return maximo - minimo; }
  double CV() const { return 100.0 * dp / media; }  // percent; not finite for a zero mean
};

// The value of variable v in record `registro` as a display shows it: as
// stored, or transformed for the current equation (unchanged while the model
// has no calculation or the variable is disabled).
double ValorExibido(const CabecalhoModelo& cab, const dado* dados, int registro, int v, bool transformado);
// The decimal places a display writes variable v with: its own, or 8 for a
// transformed variable of the current equation.
int CasasExibidas(const CabecalhoModelo& cab, int v, bool transformado);
// The text of variable v's transformation in the current equation ("x" while
// the model has no calculation or the variable is disabled).
QString TransformacaoExibida(const CabecalhoModelo& cab, int v);

// Records of the n that are considered (not excluded).
int ContaConsiderados(const dado* dados, int n);
// One entry per variable of the header, over the considered records among
// the first n; a model with no considered record gives zeros.
std::vector<EstatisticaVariavel> CalculaEstatisticasVariaveis(const CabecalhoModelo& cab, const dado* dados, int n,
                                                              bool transformado);
// Wy = W* y over the considered records: W* is W cut to them, turned into
// weights and row-normalised when the header asks for it; y the dependent
// variable as stored. False, wy emptied, when W is not an n x n matrix.
bool CalculaWy(const CabecalhoModelo& cab, const dado* dados, int n, const NEWMAT::Matrix& W,
               NEWMAT::ColumnVector& wy);
