#include "RotinasCabecalho.h"

#include "CabecalhoModelo.h"
#include "dado.h"
#include "dadoP.h"

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

// One record's value and cell attributes of variables a and b exchanged.
template <class R>
void TrocaColunas(R& r, int a, int b) {
  std::swap(r.valor[a], r.valor[b]);
  std::swap(r.corTexto[a], r.corTexto[b]);
  std::swap(r.corFundo[a], r.corFundo[b]);
  std::swap(r.negrito[a], r.negrito[b]);
  std::swap(r.italico[a], r.italico[b]);
  std::swap(r.sublinhado[a], r.sublinhado[b]);
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

void MoveVariavelDependente(CabecalhoModelo& cab, bool desabilita, dado* dados, dadoP* avaliandos) {
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
  // Whatever names one of the two variables goes on naming it.
  auto segue = [d, u](int v) { return v == d ? u : v == u ? d : v; };
  for (std::size_t ref : {C::OffVariavelArea, C::OffVariavelX, C::OffVariavelY, C::OffVariavelDurbinWatson})
    cab.SetI32(ref, segue(cab.I32(ref)));
  // The data grid's stored sort column: variable v is its column 4 + v.
  const int coluna = cab.U8(C::OffColunaOrdem);
  if (coluna >= 4) cab.SetU8(C::OffColunaOrdem, uint8_t(segue(coluna - 4) + 4));
  cab.SetDependente(u);
  cab.SetEstadoCalculo(0);
  if (desabilita) cab.SetHabilitada(d, false);
  if (dados != nullptr) {
    const int N = std::clamp(cab.NumDados(), 0, C::MaxDados);
    for (int i = 0; i < N; ++i) TrocaColunas(dados[i], d, u);
  }
  if (avaliandos != nullptr) {
    const int M = std::clamp(cab.NumDadosP(), 0, C::MaxDadosP);
    for (int i = 0; i < M; ++i) TrocaColunas(avaliandos[i], d, u);
  }
}
