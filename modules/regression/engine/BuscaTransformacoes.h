#pragma once
// The transformation search: every combination the chosen method walks (the
// general method's full odometer, the simplified one's sweep of one position at
// a time, the directed one's sweep of its "Auto" positions), each scored, the
// best one kept for the final pass and the distinct good ones offered to the
// kept list. Works on the considered rows' raw values in position order, the
// dependent last.
#include "modules/regression/engine/AjusteEquacao.h"
#include "modules/regression/engine/TabelaProdutos.h"

#include <memory>
#include <vector>

namespace ostrimo {

class ListaEquacoes;
class ProgressoBusca;
class ObservadorBusca;

// The considered rows, column-major: position j's n values start at j·n.
struct DadosBusca {
  int k = 0;
  int n = 0;
  const double* valores = nullptr;
};

struct OpcoesBusca {
  int metodo = 1;             // 1 Geral, 2 Simplificado, 3 Dirigido
  int criterio = 0;           // 0 Regressão, 1 Variação
  bool estatistica = false;   // statistics run: Variação is not applied, nothing is offered to the list
  unsigned char permitido[8] = {0, 1, 0, 0, 0, 0, 0, 0};  // allowed codes 0..7
  int codigos[60] = {};       // code of each position in slot 0; non-zero fixes it
  int threads = 0;            // general method: worker threads, 0 = every core
  bool sequencial = false;    // walk the general method step by step on one thread
};

class BuscaTransformacoes {
public:
  enum Estado { Concluida, Indeterminada, MetodoInvalido };

  BuscaTransformacoes();
  ~BuscaTransformacoes();

  Estado Executa(const DadosBusca& dados, const OpcoesBusca& opcoes, ListaEquacoes* lista,
                 ProgressoBusca* progresso = nullptr, ObservadorBusca* observador = nullptr);

  int Metodo() const { return metodo_; }
  // Digits of the final pass: the best combination.
  const int* Digitos() const { return melhor_; }
  double MelhorCriterio() const { return melhorCriterio_; }
  double Iteracoes() const { return iteracoes_; }
  double Combinacoes() const { return combinacoes_; }
  // Codes after values ≤ 0 forced "x"; non-zero marks a fixed position.
  const int* Codigos() const { return codigos_; }
  // The fit of the final pass.
  const AjusteEquacao& Ajuste() const { return *ajuste_; }
  const TabelaProdutos& Tabela() const { return tabela_; }

  // Per regressor position, over the considered rows.
  double Media(int j) const { return media_[j]; }
  double Minimo(int j) const { return minimo_[j]; }
  double Maximo(int j) const { return maximo_[j]; }
  bool Binaria(int j) const { return binaria_[j]; }
  long double SST() const { return sst_; }

private:
  Estado Sequencial(ListaEquacoes* lista, ProgressoBusca* progresso, ObservadorBusca* observador);
  Estado GeralParalela(ListaEquacoes* lista, ProgressoBusca* progresso, ObservadorBusca* observador);
  int Proximo(int digito) const;
  double Criterio(AjusteEquacao& ajuste) const;
  void Conta(ProgressoBusca* progresso);

  OpcoesBusca opcoes_;
  DadosBusca dados_;
  TabelaProdutos tabela_;
  std::unique_ptr<AjusteEquacao> ajuste_;
  int metodo_ = 0;
  int k_ = 0;
  int codigos_[60] = {};
  bool fixo_[60] = {};
  int digitos_[60] = {};
  int melhor_[60] = {};
  double melhorCriterio_ = 0.0;
  double iteracoes_ = 0.0;
  double combinacoes_ = 1.0;
  int posicaoBarra_ = -1;
  double media_[60] = {}, minimo_[60] = {}, maximo_[60] = {};
  bool binaria_[60] = {};
  long double sst_ = 0.0L;
};

}  // namespace ostrimo
