#pragma once
#include "tests/support/Arquivos.h"
// Small model files for the application tests, written with the project's own writer.
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "model/dadoP.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <vector>

namespace teste {

// A model of three variables (x, y, price: the last is the dependent), with
// N data records and M appraisal records whose values are fixed functions of
// their index, so any change is visible.
struct Modelo {
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados;
  std::vector<dadoP> dadosP;
  NEWMAT::Matrix W;

  Modelo(int N, int M) {
    cab->Zera();
    std::memcpy(cab->bytes, "Tarsolin 155", 12);
    std::memcpy(cab->bytes + 12, "09664", 5);
    cab->SetI32(CabecalhoModelo::OffNumVariaveis, 3);
    cab->SetI32(CabecalhoModelo::OffDependente, 2);
    cab->SetI32(CabecalhoModelo::OffNumDados, N);
    cab->SetI32(CabecalhoModelo::OffNumConsiderados, N);
    cab->SetI32(CabecalhoModelo::OffNumDadosP, M);
    for (int v = 0; v < 60; ++v) cab->SetI32(CabecalhoModelo::OffHabilitadas + 4 * v, 1);
    cab->SetTexto(CabecalhoModelo::OffNomesVariaveis, 31, "X");
    cab->SetTexto(CabecalhoModelo::OffNomesVariaveis + 31, 31, "Y");
    cab->SetTexto(CabecalhoModelo::OffNomesVariaveis + 62, 31, "PRECO");
    cab->SetI32(408244, 0);
    cab->SetI32(408248, 1);
    cab->SetU8(408272, 1);
    dados.resize(std::size_t(N));
    for (int i = 0; i < N; ++i) {
      std::memset(&dados[i], 0, sizeof(dado));
      dados[i].valor[0] = 10.0 * i + 1.0;
      dados[i].valor[1] = 3.0 * i * i - 2.0;
      dados[i].valor[2] = 1000.0 + i;
      dados[i].residuo[0] = 0.5 * i;
      dados[i].SetEndereco(QString("Rua %1").arg(i));
    }
    dadosP.resize(std::size_t(M));
    for (int i = 0; i < M; ++i) {
      std::memset(&dadosP[i], 0, sizeof(dadoP));
      dadosP[i].valor[0] = 7.0 * i + 4.0;
      dadosP[i].valor[1] = -5.0 * i;
    }
  }

  bool Grava(const QString& caminho) {
    return GravaArquivoModelo(caminho, cab.get(), dados.empty() ? nullptr : dados.data(),
                              dadosP.empty() ? nullptr : dadosP.data(), W);
  }
};

}  // namespace teste
