#pragma once
// What the regression library holds for one export call: the working header,
// the options chosen, the kept equations and the Durbin-Watson ordering left
// by the search. `Calcula` and `Dirigido` read the model file, drive the
// dialogs and the engine, and write the file back only when everything
// succeeded, so a cancelled or failed call leaves the file as it was.
#include "model/CabecalhoModelo.h"
#include "modules/regression/OpcoesCalculo.h"
#include "modules/regression/engine/EstatisticasEquacao.h"
#include "modules/regression/engine/ListaEquacoes.h"
#include "platform/ArquivoSeguro.h"

#include <QString>

#include <memory>
#include <vector>


struct dado;
struct dadoP;

namespace ostrimo {

class CalculoRegressao {
public:
  CalculoRegressao();
  ~CalculoRegressao();

  bool Calcula(const QString& caminho);
  bool Dirigido(const QString& caminho);

  // The engine's two modes: 0 runs the options (and analysis) dialogs and the
  // search; 1 computes the statistics of kept entry `slot` into slot `slot`.
  // Returns the method used (1, 2, 3) or 0 when nothing was done.
  int CalculaEquacoes(const QString& caminho, int modo, int slot);

  const ListaEquacoes& Lista() const { return lista_; }

private:
  bool LeRegistros(const QString& caminho);
  void MontaDados();
  bool GravaModelo(const QString& caminho);
  int Estatisticas(int slot, const int* codigos, int metodo);
  bool VerificaDados();
  bool VerificaConsiderados();

  QString caminho_;
  plat::IdentidadeArquivo lido_;  // the file whose header was read: the only one read on and replaced
  std::unique_ptr<CabecalhoModelo> trabalho_;   // read at the start of every call, written back whole
  unsigned char opcoes_[OpcoesCalculo::Tamanho] = {};  // the options chosen, restored before writing
  ListaEquacoes lista_;
  OrdenacaoDW ordem_;
  int criterio_ = 0;

  // The records of the model, changed in memory and written with the header
  // (the stored W elements are never read: the write carries them across).
  std::vector<dado> dados_;
  std::vector<dadoP> dadosP_;
  bool registrosLidos_ = false;

  // The considered rows' raw values of the enabled variables, column-major.
  int k_ = 0;
  std::vector<double> valores_;
  std::vector<int> considerados_;  // record index of each considered row
  std::vector<int> variavelDaPosicao_;
};

}  // namespace ostrimo
