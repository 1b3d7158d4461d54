#pragma once
// The least-squares fit of one combination of transformations, from the
// centred cross-products of TabelaProdutos. The elimination follows the
// engine's own order (no pivoting; a pivot of exactly zero swaps its row with
// the next) in extended precision; a pivot negligible against its column's
// own sum of squares (PivoNulo) makes the equation indeterminate. Fixed-size work arrays: a fit allocates
// nothing, so one object per thread serves a whole search.
#include <vector>

namespace ostrimo {

class TabelaProdutos;

class AjusteEquacao {
public:
  static constexpr int MaxPosicoes = 60;
  enum Estado { Ok, Indeterminado };

  // `estendido`: eliminate in long double (the statistics of one equation);
  // otherwise in double, from the same extended-precision sums (the search).
  AjusteEquacao(const TabelaProdutos& tabela, int k, bool estendido = true);

  // Fits the combination whose position j has code digitos[j].
  Estado Ajusta(const int* digitos);

  // R in the transformed scale, √(SSR / Syy).
  double R() const { return r_; }
  // The signed correlation in original units of the last fit: fitted values
  // taken back through the dependent's code and compared with `yOriginal`;
  // `sst` is Σ(y - ȳ)² of the raw dependent. Needs the stored columns.
  double CorrelacaoOriginal(const double* yOriginal, long double sst);

  int K() const { return k_; }
  const int* Digitos() const { return digitos_; }
  long double Coeficiente(int v) const { return b_[v]; }
  // Intercept from the means: ȳ_T - Σ b·x̄_T (the sums divided by n).
  long double Intercepto() const;
  long double SSR() const { return ssr_; }
  // Centred sums of the fit (before elimination), positions j and l; kept by
  // the extended fit only, as is the inverse below.
  long double S0(int j, int l) const { return s0_[j][l]; }
  long double Media(int j) const;
  int Coluna(int j) const { return colunas_[j]; }

  // C, the inverse of the regressors' block of S0, column by column with the
  // same elimination (for the statistics of one equation only).
  void Inversa(long double (*c)[MaxPosicoes]) const;

  // The elimination and back substitution on s (k × k, the last column the
  // right-hand side); false when a regressor's pivot counts as zero.
  template <class T>
  static bool Resolve(T (*s)[MaxPosicoes], int k, T* b);

private:
  const TabelaProdutos& tabela_;
  int k_;
  bool estendido_;
  int digitos_[MaxPosicoes] = {};
  int colunas_[MaxPosicoes] = {};
  long double s0_[MaxPosicoes][MaxPosicoes];
  long double s_[MaxPosicoes][MaxPosicoes];
  long double b_[MaxPosicoes] = {};
  double sd_[MaxPosicoes][MaxPosicoes];
  double bd_[MaxPosicoes] = {};
  long double ssr_ = 0.0L;
  double r_ = 0.0;
  std::vector<double> ajustado_;  // fitted values, one per row (Variação)
};

}  // namespace ostrimo
