#include "modules/regression/engine/EstatisticasEquacao.h"

#include "modules/regression/engine/Transformacao.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace ostrimo {

namespace {
// Stand-in for a zero that would be a divisor.
constexpr double Minimo = 0.0001;

double CorrelacaoComSinal(long double r2) {
  return double(r2 < 0.0L ? -std::sqrt(-r2) : std::sqrt(r2));
}
}  // namespace

double ChaveOrdem(double valor, double residuo, int codigo) {
  if (codigo == 0)
    return valor;
  return TransformaCodigo(valor, codigo >= 2 && codigo <= 7 ? codigo : 1) - residuo;
}

int ComparaLinhasOrdem(double a, double b) {
  const bool na = std::isnan(a), nb = std::isnan(b);
  if (na || nb)
    return na == nb ? 0 : (na ? 1 : -1);
  return a < b ? -1 : (b < a ? 1 : 0);
}

EstatisticasEquacao::Estado EstatisticasEquacao::Calcula(const DadosBusca& dados, const int* codigos,
                                                         int criterio, OrdenacaoDW& ordem,
                                                         TabelasEstatisticas& tabelas,
                                                         ResultadoEquacao& res) {
  OpcoesBusca opcoes;
  opcoes.metodo = 3;
  opcoes.criterio = criterio;
  opcoes.estatistica = true;
  std::copy(codigos, codigos + dados.k, opcoes.codigos);
  const BuscaTransformacoes::Estado estado = busca_.Executa(dados, opcoes, nullptr);
  if (estado == BuscaTransformacoes::Indeterminada)
    return Indeterminada;
  if (estado != BuscaTransformacoes::Concluida)
    return Invalida;

  const int k = dados.k, n = dados.n;
  const AjusteEquacao& aj = busca_.Ajuste();
  const int* dig = busca_.Digitos();
  res = ResultadoEquacao{};
  std::copy(dig, dig + k, res.codigos);
  res.r = aj.R();

  const long double gl = n - k;
  const long double syy = aj.S0(k - 1, k - 1);
  const long double ssr = aj.SSR();
  long double denominador = (k - 1) * (syy - ssr) / gl;
  if (denominador == 0.0L)
    denominador = Minimo;
  res.f = double(ssr / denominador);

  const long double a = aj.Intercepto();
  long double b[60];
  for (int v = 0; v < k - 1; ++v) {
    b[v] = aj.Coeficiente(v);
    res.coeficiente[v] = double(b[v]);
  }
  res.coeficiente[k - 1] = double(a);

  // Residuals in the transformed scale; fitted values back in original units.
  const double* y = dados.valores + std::size_t(k - 1) * n;
  res.residuos.resize(n);
  long double sse = 0.0L, sseOriginal = 0.0L;
  for (int i = 0; i < n; ++i) {
    long double ft = a;
    for (int v = 0; v < k - 1; ++v)
      ft += b[v] * TransformaCodigo(dados.valores[std::size_t(v) * n + i], dig[v]);
    const long double r = TransformaCodigo(y[i], dig[k - 1]) - ft;
    res.residuos[i] = double(r);
    sse += r * r;
    const double d = y[i] - InversaDependente(double(ft), dig[k - 1]);
    sseOriginal += (long double)d * d;
  }
  const long double sst = busca_.SST();
  res.rOriginal = CorrelacaoComSinal((sst - sseOriginal) / sst);
  res.sOriginal = double(std::sqrt(sseOriginal / gl));
  res.s = double(std::sqrt(sse / gl));
  if (res.s == 0.0)
    res.s = Minimo;

  // t of every regressor from the diagonal of the inverse of the regressors' block.
  auto c = std::make_unique<long double[][AjusteEquacao::MaxPosicoes]>(AjusteEquacao::MaxPosicoes);
  aj.Inversa(c.get());
  for (int v = 0; v < k - 1; ++v) {
    long double cvv = c[v][v];
    if (cvv == 0.0L)
      cvv = Minimo;
    res.t[v] = double(b[v] / std::sqrt(std::fabs(cvv) * sse / gl));
    res.confianca[v] = 100.0 * tabelas.Significancia(double(gl), res.t[v]);
  }

  // Durbin-Watson over the considered rows in the chosen order; equal keys
  // keep the rows' own order, so one data set gives one answer.
  if (ordem.codigo == -1 || ordem.posicao < 0 || ordem.posicao >= k) {
    res.dw = -1.0;
  } else {
    ordem.codigo = ordem.posicao == k - 1 ? dig[k - 1] : 0;
    const double* x = dados.valores + std::size_t(ordem.posicao) * n;
    std::vector<double> chave(n);
    for (int i = 0; i < n; ++i)
      chave[i] = ChaveOrdem(x[i], res.residuos[i], ordem.codigo);
    std::vector<int> linhas(n);
    std::iota(linhas.begin(), linhas.end(), 0);
    std::stable_sort(linhas.begin(), linhas.end(),
                     [&](int p, int q) { return ComparaLinhasOrdem(chave[p], chave[q]) < 0; });
    long double num = 0.0L, den = 0.0L;
    for (int i = 0; i < n; ++i) {
      const long double r = res.residuos[linhas[i]];
      den += r * r;
      if (i > 0) {
        const long double dr = r - res.residuos[linhas[i - 1]];
        num += dr * dr;
      }
    }
    if (den == 0.0L)
      den = Minimo;
    res.dw = double(num / den);
  }

  // Growth: every regressor moved from its mean (its minimum when binary) by a
  // tenth of its range (to its maximum when binary), the others held.
  double x0[60], tx0[60];
  long double base = a;
  for (int v = 0; v < k - 1; ++v) {
    x0[v] = busca_.Binaria(v) ? busca_.Minimo(v) : busca_.Media(v);
    tx0[v] = TransformaCodigo(x0[v], dig[v]);
    base += b[v] * tx0[v];
  }
  double y0 = InversaDependente(double(base), dig[k - 1]);
  if (y0 == 0.0)
    y0 = Minimo;
  for (int v = 0; v < k - 1; ++v) {
    const double x1 = busca_.Binaria(v) ? busca_.Maximo(v)
                                        : busca_.Media(v) + (busca_.Maximo(v) - busca_.Minimo(v)) / 10.0;
    long double outro = a;
    for (int w = 0; w < k - 1; ++w)
      outro += b[w] * (w == v ? TransformaCodigo(x1, dig[w]) : tx0[w]);
    const double y1 = InversaDependente(double(outro), dig[k - 1]);
    res.crescimento[v] = (y1 - y0) * 100.0 / y0;
  }

  // Residual bands.
  int ate1 = 0, ate164 = 0, ate196 = 0, acima2 = 0;
  for (int i = 0; i < n; ++i) {
    const double z = std::fabs(res.residuos[i] / res.s);
    ate1 += z <= 1.0;
    ate164 += z <= 1.64;
    ate196 += z <= 1.96;
    acima2 += z > 2.0;
  }
  res.ate1 = ate1 * 100 / n;
  res.ate164 = ate164 * 100 / n;
  res.ate196 = ate196 * 100 / n;
  res.acima2 = acima2;

  res.confiancaF = tabelas.ConfiancaF(res.f, k, n);
  return Concluida;
}

}  // namespace ostrimo
