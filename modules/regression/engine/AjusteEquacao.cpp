#include "modules/regression/engine/AjusteEquacao.h"

#include "modules/regression/engine/TabelaProdutos.h"
#include "modules/regression/engine/Transformacao.h"
#include "model/Colinearidade.h"

#include <cmath>
#include <utility>

namespace ostrimo {

AjusteEquacao::AjusteEquacao(const TabelaProdutos& tabela, int k, bool estendido)
    : tabela_(tabela), k_(k), estendido_(estendido) {
  if (tabela.GuardouColunas())
    ajustado_.resize(tabela.N());
}

template <class T>
bool AjusteEquacao::Resolve(T (*s)[MaxPosicoes], int k, T* b) {
  // Each pivot is judged against its column's centred sum of squares before
  // the elimination (PivoNulo): a regressor that is a combination of the ones
  // before it leaves a pivot that rounding only keeps from being exactly zero.
  T escala[MaxPosicoes];
  for (int c = 0; c <= k - 2; ++c)
    escala[c] = s[c][c];
  // Forward elimination over the regressors' rows; the dependent's row is never
  // read by the back substitution, so it is left as it is. Columns left of the
  // pivot are not read either.
  for (int c = 0; c <= k - 3; ++c) {
    if (s[c][c] == T(0))
      for (int col = c; col < k; ++col)
        std::swap(s[c][col], s[c + 1][col]);
    const T pivo = s[c][c];
    // Still zero after the swap: the centred matrix is singular (a constant
    // regressor, say). Dividing by it would only spread NaN through the
    // coefficients, so the equation is indeterminate here as well.
    if (PivoNulo(pivo, escala[c]))
      return false;
    for (int r = c + 1; r <= k - 2; ++r) {
      const T f = -(s[r][c] / pivo);
      for (int col = c + 1; col < k; ++col)
        s[r][col] += f * s[c][col];
    }
  }
  if (PivoNulo(s[k - 2][k - 2], escala[k - 2]))
    return false;
  b[k - 2] = s[k - 2][k - 1] / s[k - 2][k - 2];
  for (int r = k - 3; r >= 0; --r) {
    T soma = s[r][k - 1];
    for (int m = r + 1; m <= k - 2; ++m)
      soma -= b[m] * s[r][m];
    b[r] = soma / s[r][r];
  }
  return true;
}

AjusteEquacao::Estado AjusteEquacao::Ajusta(const int* digitos) {
  const int k = k_;
  for (int j = 0; j < k; ++j) {
    digitos_[j] = digitos[j];
    colunas_[j] = tabela_.Coluna(j, digitos[j]);
  }
  if (!estendido_) {
    for (int j = 0; j < k; ++j)
      for (int l = 0; l <= j; ++l)
        sd_[j][l] = sd_[l][j] = tabela_.ProdutoDuplo(colunas_[j], colunas_[l]);
    // the right-hand side and Syy, kept before the elimination changes them
    double sy[MaxPosicoes];
    for (int v = 0; v < k; ++v)
      sy[v] = sd_[v][k - 1];
    if (!Resolve(sd_, k, bd_))
      return Indeterminado;
    double ssr = 0.0;
    for (int v = 0; v < k - 1; ++v) {
      ssr += sy[v] * bd_[v];
      b_[v] = bd_[v];
    }
    ssr_ = ssr;
    r_ = std::sqrt(ssr / sy[k - 1]);
    return Ok;
  }
  for (int j = 0; j < k; ++j)
    for (int l = 0; l <= j; ++l) {
      const long double p = tabela_.Produto(colunas_[j], colunas_[l]);
      s0_[j][l] = s0_[l][j] = s_[j][l] = s_[l][j] = p;
    }
  if (!Resolve(s_, k, b_))
    return Indeterminado;
  long double ssr = 0.0L;
  for (int v = 0; v < k - 1; ++v)
    ssr += s0_[v][k - 1] * b_[v];
  ssr_ = ssr;
  r_ = double(std::sqrt(ssr / s0_[k - 1][k - 1]));
  return Ok;
}

long double AjusteEquacao::Media(int j) const { return tabela_.Media(colunas_[j]); }

long double AjusteEquacao::Intercepto() const {
  long double a = tabela_.Media(colunas_[k_ - 1]);
  for (int v = 0; v < k_ - 1; ++v)
    a -= b_[v] * tabela_.Media(colunas_[v]);
  return a;
}

double AjusteEquacao::CorrelacaoOriginal(const double* yOriginal, long double sst) {
  const int n = tabela_.N();
  double* f = ajustado_.data();
  const double a = double(Intercepto());
  for (int i = 0; i < n; ++i)
    f[i] = a;
  for (int v = 0; v < k_ - 1; ++v) {
    const double bv = double(b_[v]);
    const double* x = tabela_.Valores(colunas_[v]);
    for (int i = 0; i < n; ++i)
      f[i] += bv * x[i];
  }
  // back to original units, one loop per code so that each one vectorises
  const int codigo = digitos_[k_ - 1];
  switch (codigo) {
    case 2: for (int i = 0; i < n; ++i) f[i] = InversaDependente(f[i], 2); break;
    case 3: for (int i = 0; i < n; ++i) f[i] = std::exp(f[i]); break;
    case 4: for (int i = 0; i < n; ++i) f[i] = InversaDependente(f[i], 4); break;
    case 5: for (int i = 0; i < n; ++i) f[i] = InversaDependente(f[i], 5); break;
    case 6: for (int i = 0; i < n; ++i) f[i] = InversaDependente(f[i], 6); break;
    case 7: for (int i = 0; i < n; ++i) f[i] = InversaDependente(f[i], 7); break;
    default: break;
  }
  double parcial[4] = {0.0, 0.0, 0.0, 0.0};
  int i = 0;
  for (; i + 4 <= n; i += 4)
    for (int q = 0; q < 4; ++q) {
      const double d = yOriginal[i + q] - f[i + q];
      parcial[q] += d * d;
    }
  for (; i < n; ++i) {
    const double d = yOriginal[i] - f[i];
    parcial[0] += d * d;
  }
  const long double sse = ((long double)parcial[0] + parcial[1]) + ((long double)parcial[2] + parcial[3]);
  const long double r2 = (sst - sse) / sst;
  return double(r2 < 0.0L ? -std::sqrt(-r2) : std::sqrt(r2));
}

void AjusteEquacao::Inversa(long double (*c)[MaxPosicoes]) const {
  const int k = k_;
  long double s[MaxPosicoes][MaxPosicoes];
  long double coluna[MaxPosicoes];
  for (int alvo = 0; alvo < k - 1; ++alvo) {
    for (int j = 0; j < k; ++j)
      for (int l = 0; l < k; ++l)
        s[j][l] = s0_[j][l];
    for (int j = 0; j < k; ++j) {
      const long double u = j == alvo ? 1.0L : 0.0L;
      s[j][k - 1] = u;
      s[k - 1][j] = u;
    }
    if (!Resolve(s, k, coluna)) {
      // Cannot happen after a determinate fit of the same block; leave C as
      // the division by the zero pivot would.
      coluna[k - 2] = s[k - 2][k - 1] / s[k - 2][k - 2];
      for (int r = k - 3; r >= 0; --r) {
        long double soma = s[r][k - 1];
        for (int m = r + 1; m <= k - 2; ++m)
          soma -= coluna[m] * s[r][m];
        coluna[r] = soma / s[r][r];
      }
    }
    for (int v = 0; v < k - 1; ++v)
      c[v][alvo] = coluna[v];
  }
}

}  // namespace ostrimo
