#include "IncluiVariaveis.h"

#include "RegistrosModelo.h"
#include "SlotsVariavel.h"
#include "model/CabecalhoModelo.h"
#include "model/RotinasCabecalho.h"
#include "model/Var.h"
#include "model/VariaveisComuns.h"

namespace palvedo {

NovaVariavel NovaVariavel::Digitada(const QString& nome) {
  NovaVariavel n;
  n.nome = nome;
  n.tipo = 4;
  n.decimais = 2;
  return n;
}

NovaVariavel NovaVariavel::DoCatalogo(const Var& v) {
  NovaVariavel n;
  n.nome = v.Nome();
  n.descricao = v.Descricao();
  n.tipo = TipoVariavelModelo(v.tipo);
  n.decimais = CasasDecimaisValidas(v.casasDecimais);
  return n;
}

bool CabeMaisUma(const CabecalhoModelo& c, int pendentes) {
  return c.I32(cab::NumVariaveis) + pendentes < MaxVariaveis;
}

bool IncluiVariaveis(CabecalhoModelo& c, RegistrosModelo& r, const std::vector<NovaVariavel>& novas) {
  const int V = c.I32(cab::NumVariaveis);
  const int k = int(novas.size());
  if (k == 0 || V < 1 || V + k > MaxVariaveis) return false;

  for (int j = 0; j < k; ++j) {
    const int v = V + j;
    const NovaVariavel& n = novas[j];
    c.SetTexto(cab::Nome + cab::TamNome * v, cab::TamNome, n.nome);
    c.SetTexto(cab::Descricao + cab::TamDescricao * v, cab::TamDescricao, n.descricao);
    c.SetI32(cab::Relacao + 4 * v, 1);
    c.SetI32(cab::Decimais + 4 * v, n.decimais);
    c.SetI32(cab::Tipo + 4 * v, n.tipo);
    c.SetI32(cab::Habilitada + 4 * v, 1);
    c.SetI32(cab::LarguraDado + 4 * v, LarguraColunaPadrao);
  }

  for (dado& d : r.dados) {
    unsigned char* b = RegistrosModelo::Bytes(d);
    for (int v = V; v < V + k; ++v) LimpaSlotDado(b, v);
  }
  // The appraisal records lose the old dependent's slot and the result slots:
  // the new variables and the moved results start from 0.
  for (dadoP& p : r.dadosP) {
    unsigned char* b = RegistrosModelo::Bytes(p);
    for (int s = V - 1; s < SlotsAvaliando; ++s) LimpaSlotAvaliando(b, s);
  }

  c.SetI32(cab::NumVariaveis, V + k);
  // The dependent goes to the last slot, swapping with the last new variable;
  // the references to it (area, coordinates, sort column) go with it.
  MoveVariavelDependente(c, false, r.dados.empty() ? nullptr : r.dados.data());
  c.SetI32(cab::ResultadosEspaciais, 0);
  c.SetI32(cab::MetodoCalculo, 0);
  return true;
}

}  // namespace palvedo
