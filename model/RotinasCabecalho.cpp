#include "RotinasCabecalho.h"

#include "CabecalhoModelo.h"
#include "dado.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
using C = CabecalhoModelo;

void TrocaBytes(unsigned char* base, std::size_t largura, int a, int b) {
  unsigned char tmp[C::TamDescricao];
  std::memcpy(tmp, base + largura * std::size_t(a), largura);
  std::memcpy(base + largura * std::size_t(a), base + largura * std::size_t(b), largura);
  std::memcpy(base + largura * std::size_t(b), tmp, largura);
}
}  // namespace

bool CompactaCabecalho(CabecalhoModelo* destino, const CabecalhoModelo& origem) {
  if (destino == nullptr) return false;
  if (destino != &origem) std::memcpy(destino->bytes, origem.bytes, C::Tamanho);
  const int equacoes = std::clamp(origem.NumEquacoes(), 0, C::MaxEquacoes);
  if (equacoes == 0) return true;
  const int n = std::clamp(origem.NumVariaveis(), 0, C::MaxVariaveis);
  // Reads always come from the source, so a slot already overwritten in the
  // destination is never read back.
  int k = 0;
  for (int v = 0; v < n; ++v) {
    if (!origem.Habilitada(v)) continue;
    for (int e = 0; e < equacoes; ++e) {
      destino->SetI32VE(C::OffTransformacoes, k, e, origem.I32VE(C::OffTransformacoes, v, e));
      for (std::size_t base : {C::OffEstatisticaT, C::OffCoeficientes, C::OffSignificancias, C::OffExpoentes})
        destino->SetF64VE(base, k, e, origem.F64VE(base, v, e));
    }
    std::memcpy(destino->bytes + C::OffNomesVariaveis + C::TamNomeVariavel * std::size_t(k),
                origem.bytes + C::OffNomesVariaveis + C::TamNomeVariavel * std::size_t(v), C::TamNomeVariavel);
    destino->SetCasasDecimais(k, origem.CasasDecimais(v));
    destino->SetRelacao(k, origem.Relacao(v));
    ++k;
  }
  return true;
}

void MoveVariavelDependente(CabecalhoModelo& cab, bool desabilita, dado* dados) {
  const int n = cab.NumVariaveis();
  const int d = cab.Dependente();
  if (n <= 0 || n > C::MaxVariaveis || d < 0 || d >= n || d == n - 1) return;
  const int u = n - 1;
  TrocaBytes(cab.bytes + C::OffNomesVariaveis, C::TamNomeVariavel, d, u);
  TrocaBytes(cab.bytes + C::OffDescricoes, C::TamDescricao, d, u);
  TrocaBytes(cab.bytes + C::OffTextosCurtos, C::TamTextoCurto, d, u);
  TrocaBytes(cab.bytes + C::OffDatasEvento, C::TamDataEvento, d, u);
  for (std::size_t base : {C::OffRelacoes, C::OffTiposVariavel, C::OffCodigosVariavel, C::OffCasasDecimais,
                           C::OffLargurasVariavel})
    TrocaBytes(cab.bytes + base, 4, d, u);
  cab.SetDependente(u);
  cab.SetEstadoCalculo(0);
  if (desabilita) cab.SetHabilitada(d, false);
  if (dados == nullptr) return;
  const int N = std::clamp(cab.NumDados(), 0, C::MaxDados);
  for (int i = 0; i < N; ++i) {
    dado& r = dados[i];
    std::swap(r.valor[d], r.valor[u]);
    std::swap(r.corTexto[d], r.corTexto[u]);
    std::swap(r.corFundo[d], r.corFundo[u]);
    std::swap(r.negrito[d], r.negrito[u]);
    std::swap(r.italico[d], r.italico[u]);
    std::swap(r.sublinhado[d], r.sublinhado[u]);
  }
}
