#pragma once
// The numbers of the projection window apart from its widgets. The window
// hands in the rows of its appraisal grid as raw values (one row per property
// to appraise, one column per variable) and gets back the texts and captions
// of the interval grid's items, the two estimate columns of the grid and the
// curve of the chart page. The statistics of the sample (C = (X'X)^-1, the
// coefficients, the regressors' ranges) are prepared once per window.
#include <newmat.h>

#include <QString>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

struct CabecalhoModelo;
struct dado;

// The result items of the interval grid, in grid order.
enum ItemIntervalo : int {
  UnitarioREMinimo, UnitarioREMedio, UnitarioREMaximo,
  TotalREMinimo, TotalREMedio, TotalREMaximo,
  UnitarioRLMinimo, UnitarioRLMedio, UnitarioRLMaximo,
  TotalRLMinimo, TotalRLMedio, TotalRLMaximo,
  MinimoRE, MaximoRE, MinimoRL, MaximoRL,
  Adotado, Desvio,
  NumItensIntervalo
};

// Values and captions of the result items; a new one is the emptied grid.
struct TextosIntervalo {
  QString valor[NumItensIntervalo];
  QString legenda[NumItensIntervalo];
  TextosIntervalo();
  // The caption an item is built with ("Mínimo", "Médio", "Mínimo RE (-15%)" ...).
  static QString LegendaPadrao(int item);
};

// "Estimativa pela": the central value of a log-normal estimate.
enum TendenciaCentral : int { Moda = 0, Mediana = 1, Media = 2 };

// Why the statistics could not be prepared. `Singular` still opens the
// window: the estimates stand, the confidence intervals cannot be had.
enum class PreparoProjecao { Pronto, Singular, SemDependente, SemDados, Indeterminado };

// What one projection of the current row fills: the interval items and, for
// every row of the grid, the texts of "Valor Médio RL" and "Valor Médio RE"
// (an empty vector leaves that column as it is).
struct ResultadoProjecao {
  TextosIntervalo itens;
  std::vector<QString> colunaRL, colunaRE;
  // The numbers behind the texts of the current row (NaN where there is none).
  double E = NAN, inferior = NAN, superior = NAN;  // linear estimate and its interval
  double ES = NAN;                                 // spatial estimate
};

// One point of the curve of the chart page, in original units.
struct PontoCurva {
  double estimativa = 0.0, inferior = 0.0, superior = 0.0, area = 0.0;
};

class CalculoProjecao {
public:
  CalculoProjecao();
  ~CalculoProjecao();

  // Statistics of the considered records under the equation in use, and the
  // spatial model's coefficients; run once per window. Never throws.
  PreparoProjecao PreparaEstatisticasProjecao(const CabecalhoModelo& cab, const dado* dados);

  // Student t for the confidence level (column of "stdt.dat") and n - k
  // degrees of freedom; 0 when the table cannot answer.
  double DefineNivelConfianca(int nivel);
  void DefineT(double t) { t_ = t; }
  double T() const { return t_; }

  // The "Projetar Valores" sequence over the grid's rows (`valores`: one row
  // per grid row, variable v in column v + 1): t for `nivel`, every row
  // projected again, the results of grid row `linhaAtual` (1-based; row 1
  // when the model stores fewer records) and the curve over the area variable.
  void ProjetaValores(const NEWMAT::Matrix& valores, int nivel, int tendencia, int linhaAtual, int numDadosP,
                      ResultadoProjecao& r);
  // Projects every row unless the rows are projected already; false when the
  // grid has no row. A lag model whose rows cannot be placed (no coordinate
  // variables) projects without the spatial estimate; see SemCoordenadas.
  bool ProjetaRegistros(const NEWMAT::Matrix& valores);
  // Half-widths of the confidence interval for every row of `pontos` (rows x k).
  void CalculaSemiAmplitudes(const NEWMAT::Matrix& pontos);
  // The results of grid row `linha` (1-based), whose values are `valoresLinha`
  // (variable v in column v + 1), after a projection of every row.
  void CalculaProjecao(int linha, int tendencia, const NEWMAT::RowVector& valoresLinha, ResultadoProjecao& r) const;
  // The 11-point curve of the linear estimate over the transformed range
  // lo..hi of the regressor at `posicao` (-1: the curve is cleared), the other
  // regressors at their values in `valoresLinha`.
  void CalculaCurvaProjecao(double lo, double hi, int posicao, const NEWMAT::RowVector& valoresLinha);
  // The curve over the area variable's range.
  void CalculaCurvaArea(const NEWMAT::RowVector& valoresLinha) {
    CalculaCurvaProjecao(areaMin_, areaMax_, posicaoArea_, valoresLinha);
  }
  static void LimpaIntervalo(TextosIntervalo& itens, bool espacial, bool linear);

  // The grid's rows were added or deleted: the estimates follow the new count.
  void RedimensionaEstimativas(int linhas);
  void LimpaProjetado() { projetado_ = false; }
  bool Projetado() const { return projetado_; }

  // "Minimo: %s  Médio: %s  e  Máximo: %s" of regressor j in original units.
  QString DescreveFaixaVariavel(int j) const;
  // Whether value x of regressor j lies outside the sample's range.
  bool Extrapola(int j, double x) const;

  // Read access to the state.
  int K() const { return k_; }
  int N() const { return n_; }
  int Mapa(int j) const { return mapa_[j]; }
  int PosicaoRegressor(int v) const;  // -1 when v is not a regressor in use
  int Equacao() const { return eq_; }
  int EquacaoEspacial() const { return eqS_; }
  bool Espacial() const { return espacial_; }
  bool Lag() const { return lag_; }
  bool LinearCalculado() const { return linear_; }
  bool IntervaloValido() const { return intervalo_; }
  bool SemCoordenadas() const { return semCoordenadas_; }
  int VariavelArea() const { return area_; }
  int PosicaoArea() const { return posicaoArea_; }
  bool ValorUnitario() const { return unitario_; }
  double AreaMinima() const { return areaMin_; }
  double AreaMaxima() const { return areaMax_; }
  double Media(int j) const { return media_[j]; }
  double Minimo(int j) const { return minimo_[j]; }
  double Maximo(int j) const { return maximo_[j]; }
  double MediaT(int j) const { return mediaT_[j]; }
  double S() const { return s_; }
  const NEWMAT::Matrix& Cinv() const { return C_; }
  const NEWMAT::ColumnVector& B() const { return b_; }
  const NEWMAT::ColumnVector& BS() const { return bS_; }
  const NEWMAT::ColumnVector& ET() const { return ET_; }
  const NEWMAT::ColumnVector& E() const { return E_; }
  const NEWMAT::ColumnVector& ESt() const { return ESt_; }
  const NEWMAT::ColumnVector& ES() const { return ES_; }
  const NEWMAT::ColumnVector& H() const { return h_; }
  const PontoCurva* Curva() const { return curva_; }
  const CabecalhoModelo* Cabecalho() const { return cab_.get(); }
  // The dependent's decimal places, as its values are shown.
  int CasasDependente() const;

  // The central value of a transformed estimate mu with variance s2 for the
  // dependent's transformation code `codigo`: only ln x has three.
  static double ValorCentral(double mu, double s2, int codigo, int tendencia);

private:
  void MontaXp(const NEWMAT::Matrix& valores, int e, NEWMAT::Matrix& Xp) const;
  double Destransforma(double y, int e) const;  // the dependent's code and exponent in e
  int CodigoDependente(int e) const;

  std::unique_ptr<CabecalhoModelo> cab_;  // the header as the window opened
  int k_ = 0, n_ = 0, nv_ = 0;
  int mapa_[60] = {};
  int eq_ = 0, eqS_ = 0;
  bool espacial_ = false, lag_ = false, linear_ = false;
  bool intervalo_ = false;       // C could be had: confidence intervals exist
  bool semCoordenadas_ = false;  // lag model without coordinate variables
  int area_ = -1, posicaoArea_ = -1;
  bool unitario_ = false;
  int coordX_ = -1, coordY_ = -1;
  double media_[60] = {}, minimo_[60] = {}, maximo_[60] = {}, mediaT_[60] = {};
  double areaMin_ = 0.0, areaMax_ = 0.0;
  double s_ = 0.0, sigma2S_ = 0.0, rho_ = 0.0, t_ = 0.0;
  NEWMAT::Matrix C_;
  NEWMAT::ColumnVector b_, bS_, yS_;
  NEWMAT::ColumnVector xAmostra_, yAmostra_;  // coordinates of the considered records (lag model)
  NEWMAT::Matrix Xp_;
  NEWMAT::ColumnVector ET_, E_, ESt_, ES_, h_;
  PontoCurva curva_[11];
  bool projetado_ = false;
};

// An arbitrated value v against the RL estimate E: accepted within 85 % to
// 115 % of E (the bounds compared with a relative tolerance, so 115 stands
// against 100), with its text and the deviation in whole percent rounded away
// from zero. Nothing when E is 0.
struct Arbitragem {
  bool aceito = false;
  QString adotado;  // the accepted value's text (picture 2)
  int desvio = 0;
};
std::optional<Arbitragem> ArbitraValor(double v, double E);
// The value a deviation of d percent gives from E, as "Adotado" shows it; nothing when E is 0.
std::optional<QString> ValorDoDesvio(double E, int d);
