#pragma once
// The numbers behind the equation window, apart from its widgets: the
// statistics of the data under the equation in force (prepared once, when the
// window opens) and the sensitivity of one page (its estimate at the mean, a
// curve over each regressor's range and the growth of the estimate when a
// regressor rises by a tenth of its range), in the four forms of the pages.
#include <newmat.h>

#include <QString>

struct CabecalhoModelo;
struct dado;

// The statistics of the data under the equation; the pages read them only.
struct EstatisticasEquacao {
  int k = 0;             // enabled variables, the dependent included
  int mapa[60] = {};     // enabled variables in index order; mapa[k-1] is the dependent
  int equacao = 0;       // eq: the spatial model's equation when it exists, else the current one
  int n = 0;             // considered records
  bool espacial = false; // a spatial model was calculated
  bool lag = false;      // ... and it is the lag model
  bool semW = false;     // lag model whose W was never built: no lag term
  double rho = 0.0;
  NEWMAT::Matrix bS;     // k x 1 spatial coefficients, intercept first; empty without a spatial model
  NEWMAT::Matrix b;      // k x 1 linear coefficients of eq, intercept first
  NEWMAT::Matrix m;      // 1 x k [1, mean_0 ...] original units
  NEWMAT::Matrix mT;     // 1 x k [1, meanT_0 ...] transformed units
  NEWMAT::Matrix r0;     // 1 x k [1, T(mean_0) ...]
  NEWMAT::ColumnVector L;  // rho·W·y over the considered records (lag model), else the single element 0
  double media[61] = {};   // 1 followed by mean_j
  double minimo[60] = {}, maximo[60] = {};
  double mediaT[61] = {};  // 1 followed by meanT_j
  double minimoT[60] = {}, maximoT[60] = {};
  char duasValores[60] = {};  // '*' two-valued regressor (its mean is its minimum), ' ' otherwise

  bool DoisValores(int j) const { return duasValores[j] == '*'; }
};

// Why the statistics could not be prepared.
enum class PreparoEquacao { Pronto, SemRegistros, SemDependente, SemDados, Indeterminado };

// Fills `s` from the header, the records and the document's W (N x N; any
// other shape is "W never built"). Never throws.
PreparoEquacao PreparaEstatisticasEquacao(EstatisticasEquacao& s, const CabecalhoModelo& cab, const dado* dados,
                                          const NEWMAT::Matrix& W);
// The message a refused window shows; empty when there is none.
QString MensagemPreparo(PreparoEquacao r);

// The four pages of the equation window, by the form of their numbers.
enum class FormaEquacao {
  Estimativa,    // CEquacaoView: linear, original units
  Regressao,     // CEquacaoViewT: linear, transformed scale
  EstimativaRE,  // CEquacaoViewRE: spatial, original units
  RegressaoRE,   // CEquacaoViewRET: spatial, transformed scale
};
bool FormaEspacial(FormaEquacao f);
bool FormaEstimativa(FormaEquacao f);  // shown in original units

// The sensitivity of one page, replaced whole at every update.
struct SensibilidadeEquacao {
  int equacao = 0;             // the equation whose codes the page uses
  double E = 0.0;              // the estimate at the mean row
  double crescimento[60] = {}; // g_j, percent
  double alterada[60] = {};    // E_j, the estimate after the change of regressor j
  double curvaY[660] = {};     // point u of regressor j at 11·j + u
  double curvaX[660] = {};
};

void CalculaSensibilidade(SensibilidadeEquacao& r, const EstatisticasEquacao& s, const CabecalhoModelo& cab,
                          FormaEquacao forma);

// Regressor j's growth contradicts its expected relation: negative while
// "Positiva" (0) or positive while "Negativa" (1). Zero never does.
bool ContradizRelacao(double crescimento, int relacao);
