#pragma once
#include "tests/support/Arquivos.h"
// Small models for the model-core tests, built in memory and written with the
// project's own writer.
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "model/dadoP.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <vector>

namespace teste {

inline std::unique_ptr<CabecalhoModelo> NovoCabecalho(int variaveis, int N, int M) {
  auto c = std::make_unique<CabecalhoModelo>();
  c->Zera();
  c->MarcaFormato();
  c->SetNumVariaveis(variaveis);
  c->SetDependente(variaveis - 1);
  c->SetNumDados(N);
  c->SetNumConsiderados(N);
  c->SetNumDadosP(M);
  for (int v = 0; v < CabecalhoModelo::MaxVariaveis; ++v) c->SetHabilitada(v, true);
  c->SetU8(CabecalhoModelo::OffSemElementosW, 1);
  return c;
}

}  // namespace teste
