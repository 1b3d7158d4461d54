#include "modules/regression/engine/TabelaProdutos.h"

#include "modules/regression/engine/Transformacao.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace ostrimo {

namespace {
// Rows per block of partial products; fixed, so the sums never depend on the
// number of threads.
constexpr int LinhasPorBloco = 4096;
// Transformed columns are kept while they fit in this many values; beyond it
// they are transformed again on each pass.
constexpr std::size_t MaximoGuardado = std::size_t(24) << 20;
}  // namespace

void TabelaProdutos::Monta(const double* valores, int n, int k, const unsigned* mascaras,
                           bool guardaColunas, int threads) {
  n_ = n;
  k_ = k;
  indice_.assign(std::size_t(k) * 8, -1);
  posicao_.clear();
  codigo_.clear();
  for (int j = 0; j < k; ++j)
    for (int c = 1; c <= 7; ++c)
      if (mascaras[j] & (1u << c)) {
        indice_[j * 8 + c] = int(posicao_.size());
        posicao_.push_back(j);
        codigo_.push_back(c);
      }
  colunas_ = int(posicao_.size());
  const int K = colunas_;

  // Transformed columns, kept when asked or while they are not too many.
  guardadasPedidas_ = guardaColunas;
  const bool guarda = guardaColunas || std::size_t(K) * n <= MaximoGuardado;
  colunasGuardadas_.clear();
  if (guarda) {
    colunasGuardadas_.resize(std::size_t(K) * n);
    for (int a = 0; a < K; ++a) {
      const double* x = valores + std::size_t(posicao_[a]) * n;
      double* t = colunasGuardadas_.data() + std::size_t(a) * n;
      const int c = codigo_[a];
      for (int i = 0; i < n; ++i)
        t[i] = TransformaCodigo(x[i], c);
    }
  }
  auto valor = [&](int a, int i) -> double {
    if (guarda)
      return colunasGuardadas_[std::size_t(a) * n + i];
    return TransformaCodigo(valores[std::size_t(posicao_[a]) * n + i], codigo_[a]);
  };

  // Means; a column whose values are all the same centres to exact zeros, so a
  // constant regressor gives exactly zero sums, as it does in exact arithmetic.
  media_.assign(K, 0.0L);
  std::vector<char> constante(K, 1);
  for (int a = 0; a < K; ++a) {
    long double soma = 0.0L;
    const double primeiro = n > 0 ? valor(a, 0) : 0.0;
    for (int i = 0; i < n; ++i) {
      const double x = valor(a, i);
      soma += x;
      if (std::memcmp(&x, &primeiro, sizeof x) != 0)
        constante[a] = 0;
    }
    media_[a] = n > 0 ? soma / n : 0.0L;
    // A second pass removes the rounding of the first mean.
    long double correcao = 0.0L;
    for (int i = 0; i < n; ++i)
      correcao += valor(a, i) - media_[a];
    if (n > 0)
      media_[a] += correcao / n;
    if (constante[a])
      media_[a] = primeiro;
  }

  // Centred cross-products, lower triangle, block by block of rows.
  const int blocos = std::max(1, (n + LinhasPorBloco - 1) / LinhasPorBloco);
  const std::size_t tamanho = std::size_t(K) * K;
  std::vector<long double> parciais(tamanho * blocos, 0.0L);
  // Four rows at a time: each sum is loaded and stored once per four products.
  auto calculaBloco = [&](int bloco) {
    long double* g = parciais.data() + tamanho * bloco;
    std::vector<long double> d(std::size_t(4) * K);
    const int inicio = bloco * LinhasPorBloco;
    const int fim = std::min(n, (bloco + 1) * LinhasPorBloco);
    for (int i = inicio; i < fim; i += 4) {
      const int linhas = std::min(4, fim - i);
      for (int q = 0; q < 4; ++q)
        for (int a = 0; a < K; ++a)
          d[std::size_t(q) * K + a] =
              q >= linhas || constante[a] ? 0.0L : (long double)valor(a, i + q) - media_[a];
      const long double* d0 = d.data();
      const long double* d1 = d0 + K;
      const long double* d2 = d1 + K;
      const long double* d3 = d2 + K;
      for (int a = 0; a < K; ++a) {
        long double* linha = g + std::size_t(a) * K;
        const long double a0 = d0[a], a1 = d1[a], a2 = d2[a], a3 = d3[a];
        for (int b = 0; b <= a; ++b)
          linha[b] += (a0 * d0[b] + a1 * d1[b]) + (a2 * d2[b] + a3 * d3[b]);
      }
    }
  };
  int nThreads = threads > 0 ? threads : int(std::thread::hardware_concurrency());
  nThreads = std::max(1, std::min(nThreads, blocos));
  if (nThreads == 1) {
    for (int b = 0; b < blocos; ++b)
      calculaBloco(b);
  } else {
    std::vector<std::thread> ts;
    for (int t = 0; t < nThreads; ++t)
      ts.emplace_back([&, t] {
        for (int b = t; b < blocos; b += nThreads)
          calculaBloco(b);
      });
    for (auto& t : ts)
      t.join();
  }
  g_.assign(tamanho, 0.0L);
  for (int b = 0; b < blocos; ++b) {
    const long double* p = parciais.data() + tamanho * b;
    for (std::size_t i = 0; i < tamanho; ++i)
      g_[i] += p[i];
  }
  for (int a = 0; a < K; ++a)
    for (int b = 0; b < a; ++b)
      g_[std::size_t(b) * K + a] = g_[std::size_t(a) * K + b];
  gd_.resize(tamanho);
  for (std::size_t i = 0; i < tamanho; ++i)
    gd_[i] = double(g_[i]);
  if (!guardaColunas)
    std::vector<double>().swap(colunasGuardadas_);
}

}  // namespace ostrimo
