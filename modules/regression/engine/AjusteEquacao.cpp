#include "modules/regression/engine/AjusteEquacao.h"

#include "modules/regression/engine/TabelaProdutos.h"
#include "modules/regression/engine/Transformacao.h"

#include <cmath>
#include <utility>

namespace ostrimo {

AjusteEquacao::AjusteEquacao(const TabelaProdutos& tabela, int k) : tabela_(tabela), k_(k) {
  if (tabela.GuardouColunas())
    ajustado_.resize(tabela.N());
}

bool AjusteEquacao::Resolve(long double (*s)[MaxPosicoes], int k, long double* b) {
  // Forward elimination over the regressors' rows; the dependent's row is never
  // read by the back substitution, so it is left as it is. Columns left of the
  // pivot are not read either.
  for (int c = 0; c <= k - 3; ++c) {
    if (s[c][c] == 0.0L)
      for (int col = c; col < k; ++col)
        std::swap(s[c][col], s[c + 1][col]);
    const long double pivo = s[c][c];
    for (int r = c + 1; r <= k - 2; ++r) {
      const long double f = -(s[r][c] / pivo);
      for (int col = c + 1; col < k; ++col)
        s[r][col] += f * s[c][col];
    }
  }
  if (s[k - 2][k - 2] == 0.0L)
    return false;
  b[k - 2] = s[k - 2][k - 1] / s[k - 2][k - 2];
  for (int r = k - 3; r >= 0; --r) {
    long double soma = s[r][k - 1];
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
  const int codigo = digitos_[k_ - 1];
  long double sse = 0.0L;
  for (int i = 0; i < n; ++i) {
    const double d = yOriginal[i] - InversaDependente(f[i], codigo);
    sse += d * d;
  }
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
