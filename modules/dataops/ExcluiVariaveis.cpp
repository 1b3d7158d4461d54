#include "ExcluiVariaveis.h"

#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "model/CabecalhoModelo.h"

#include <algorithm>

namespace palvedo {

namespace {

// New slot of `v` once the sorted `removidos` are gone; -1 when v itself goes.
int NovoSlot(int v, const std::vector<int>& removidos) {
  int abaixo = 0;
  for (int s : removidos) {
    if (s == v) return -1;
    if (s < v) ++abaixo;
  }
  return v - abaixo;
}

std::vector<int> Mantidos(int total, const std::vector<int>& removidos) {
  std::vector<int> m;
  for (int s = 0; s < total; ++s)
    if (!std::binary_search(removidos.begin(), removidos.end(), s)) m.push_back(s);
  return m;
}

}  // namespace

VerificacaoExclusao VerificaExclusao(const CabecalhoModelo& c, const std::vector<int>& escolhidos) {
  const int V = c.I32(cab::NumVariaveis);
  std::vector<int> s = escolhidos;
  std::sort(s.begin(), s.end());
  s.erase(std::unique(s.begin(), s.end()), s.end());
  if (s.empty()) return VerificacaoExclusao::NenhumaSelecionada;
  if (V < 1 || V > MaxVariaveis || s.front() < 0 || s.back() > V - 2) return VerificacaoExclusao::SlotInvalido;
  if (V - int(s.size()) < 2) return VerificacaoExclusao::MinimoVariaveis;
  return VerificacaoExclusao::Aceita;
}

void ExcluiVariaveis(CabecalhoModelo& c, RegistrosModelo& r, std::vector<int> escolhidos) {
  std::sort(escolhidos.begin(), escolhidos.end());
  escolhidos.erase(std::unique(escolhidos.begin(), escolhidos.end()), escolhidos.end());
  const int V = c.I32(cab::NumVariaveis);
  const int k = int(escolhidos.size());
  const int novoV = V - k;

  // Slot references elsewhere in the header.
  RenumeraReferencias(c, V, [&](int v) { return NovoSlot(v, escolhidos); });

  // Header tables: the kept escolhidos move down in order, the vacated ones are cleared.
  const std::vector<int> mantidos = Mantidos(V, escolhidos);
  for (int j = 0; j < novoV; ++j)
    if (mantidos[j] != j) CopiaSlotCabecalho(c, mantidos[j], j, true, false);
  for (int v = novoV; v < V; ++v) LimpaSlotCabecalho(c, v, true);
  // The appraisal-grid widths run three columns past the variables, within
  // the table's 62 entries.
  const int larguras = std::min(V + 3, LarguraAvaliandoEntradas);
  const std::vector<int> largurasMantidas = Mantidos(larguras, escolhidos);
  for (int j = 0; j < int(largurasMantidas.size()); ++j)
    c.SetI32(cab::LarguraAvaliando + 4 * j, c.I32(cab::LarguraAvaliando + 4 * largurasMantidas[j]));
  // A later inclusion keeps the width it finds, so a vacated column keeps a visible one.
  for (int j = int(largurasMantidas.size()); j < larguras; ++j)
    c.SetI32(cab::LarguraAvaliando + 4 * j, LarguraColunaPadrao);
  const std::vector<int> slotsAvaliando = Mantidos(V + 3, escolhidos);

  for (dado& d : r.dados) {
    unsigned char* b = RegistrosModelo::Bytes(d);
    for (int j = 0; j < novoV; ++j)
      if (mantidos[j] != j) CopiaSlotDado(b, mantidos[j], j);
    for (int v = novoV; v < V; ++v) LimpaSlotDado(b, v);
  }
  for (dadoP& p : r.dadosP) {
    unsigned char* b = RegistrosModelo::Bytes(p);
    for (int j = 0; j < novoV + 3; ++j)
      if (slotsAvaliando[j] != j) CopiaSlotAvaliando(b, slotsAvaliando[j], j);
    for (int s = novoV + 3; s < V + 3; ++s) LimpaSlotAvaliando(b, s);
  }
  // W is untouched: only variables go, not records.

  c.SetI32(cab::NumVariaveis, novoV);
  c.SetI32(cab::Dependente, novoV - 1);
  c.SetI32(cab::MetodoCalculo, 0);
  c.SetI32(cab::ResultadosEspaciais, 0);
  c.SetU8(cab::OrdemGravada, 0);
}

}  // namespace palvedo
