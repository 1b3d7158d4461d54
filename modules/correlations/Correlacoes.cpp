#include "Correlacoes.h"

#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/Transformacoes.h"
#include "model/dado.h"
#include "model/dadoP.h"

#include <newmatap.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace mirsalto {

bool CalculaCorrelacoes(const CabecalhoModelo& cab, const dado* dados, double* iso, double* parc) {
  using C = CabecalhoModelo;
  std::fill(iso, iso + Lado * Lado, 0.0);
  std::fill(parc, parc + Lado * Lado, 0.0);
  const int nv = std::clamp(cab.I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
  const int n = std::clamp(cab.I32(C::OffNumDados), 0, C::MaxDados);
  const int e = std::clamp(cab.I32(C::OffEquacaoCorrente), 0, C::MaxEquacoes - 1);
  std::vector<int> vars;
  for (int v = 0; v < nv; ++v)
    if (cab.I32(C::OffHabilitadas + 4 * v) != 0) vars.push_back(v);
  const int k = int(vars.size());
  std::vector<int> linhas;
  for (int i = 0; i < n; ++i)
    if (dados[i].excluido == 0) linhas.push_back(i);
  const int m = int(linhas.size());
  if (k < 2 || m < 3) return false;

  // Centred columns, then the correlation matrix from their cross-products.
  NEWMAT::Matrix X(m, k);
  for (int b = 0; b < k; ++b) {
    double soma = 0.0;
    for (int r = 0; r < m; ++r) {
      const double x = TransformaDado(&cab, dados, vars[b], linhas[r], e);
      X(r + 1, b + 1) = x;
      soma += x;
    }
    const double media = soma / m;
    for (int r = 1; r <= m; ++r) X(r, b + 1) -= media;
  }
  NEWMAT::SymmetricMatrix S;
  S << X.t() * X;
  NEWMAT::SymmetricMatrix R(k);
  for (int a = 1; a <= k; ++a)
    for (int b = 1; b <= a; ++b) {
      const double den = std::sqrt(S(a, a) * S(b, b));
      R(a, b) = a == b ? 1.0 : (den > 0.0 ? S(a, b) / den : 0.0);
    }
  for (int a = 0; a < k; ++a)
    for (int b = 0; b < k; ++b) iso[Lado * a + b] = R(a + 1, b + 1);

  try {
    NEWMAT::SymmetricMatrix P = R.i();
    for (int a = 1; a <= k; ++a)
      for (int b = 1; b <= k; ++b) {
        const double den = std::sqrt(P(a, a) * P(b, b));
        parc[Lado * (a - 1) + (b - 1)] = a == b ? 1.0 : -P(a, b) / den;
      }
  } catch (...) {
    return false;
  }
  for (int i = 0; i < Lado * Lado; ++i)
    if (!std::isfinite(iso[i]) || !std::isfinite(parc[i])) return false;
  return true;
}

bool CorrelacionaArquivo(const QString& caminho, double* iso, double* parc) {
  auto cab = std::make_unique<CabecalhoModelo>();
  if (!LeCabecalhoModelo(caminho, cab.get())) return false;
  const int n = cab->I32(CabecalhoModelo::OffNumDados);
  const int m = cab->I32(CabecalhoModelo::OffNumDadosP);
  std::vector<dado> dados(std::max(n, 1));
  std::vector<dadoP> dadosP(std::max(m, 1));
  NEWMAT::Matrix w;
  if (!LeRegistrosModelo(caminho, cab.get(), dados.data(), dadosP.data(), w)) return false;
  return CalculaCorrelacoes(*cab, dados.data(), iso, parc);
}

}  // namespace mirsalto
