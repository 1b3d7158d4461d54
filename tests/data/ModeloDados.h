#pragma once
// A small model file for the data window: variables X, Y (plane coordinates)
// and VU (the dependent), one record per point, written with the project's
// own writer.
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "model/dadoP.h"

#include <QString>
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <vector>

namespace teste {

struct ModeloDados {
  using C = CabecalhoModelo;
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados;
  NEWMAT::Matrix W;

  // pontos[i] = {x, y, vu}
  explicit ModeloDados(const std::vector<std::vector<double>>& pontos) {
    cab->Zera();
    std::memcpy(cab->bytes, "Tarsolin 15509664", 17);
    const QString nomes[3] = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("VU")};
    cab->SetNumVariaveis(3);
    cab->SetDependente(2);
    const int n = int(pontos.size());
    cab->SetNumDados(n);
    cab->SetNumConsiderados(n);
    cab->SetTexto(C::OffNome, C::TamNome, QStringLiteral("Modelo de dados"));
    cab->SetI32(C::OffVariavelX, 0);
    cab->SetI32(C::OffVariavelY, 1);
    for (int v = 0; v < 3; ++v) {
      cab->SetHabilitada(v, true);
      cab->SetNomeVariavel(v, nomes[v]);
      cab->SetTransformacao(v, 0, 1);
      cab->SetI32(C::OffCasasDecimais + 4 * std::size_t(v), 2);
      cab->SetI32(C::OffLargurasVariavel + 4 * std::size_t(v), 1200);
      cab->SetI32(C::OffLargurasAvaliacao + 4 * std::size_t(v), 1200);
    }
    for (int k = 0; k < 5; ++k) cab->SetI32(C::OffLargurasFixasAvaliacao + 4 * std::size_t(k), 1000);
    cab->SetI32(C::OffLargurasFixasDados, 2000);
    cab->SetI32(C::OffLargurasFixasDados + 4, 1500);
    dados.assign(std::size_t(n), dado{});
    for (int i = 0; i < n; ++i) {
      std::memset(&dados[std::size_t(i)], 0, sizeof(dado));
      for (int v = 0; v < 3; ++v) dados[std::size_t(i)].valor[v] = pontos[std::size_t(i)][std::size_t(v)];
      dados[std::size_t(i)].SetEndereco(QStringLiteral("Rua %1").arg(i + 1));
    }
  }
  ModeloDados& Exclui(int i, bool validacao = false) {
    dados[std::size_t(i)].excluido = 1;
    dados[std::size_t(i)].validacao = validacao ? 1 : 0;
    int c = 0, val = 0;
    for (const dado& d : dados) {
      c += d.excluido ? 0 : 1;
      val += d.excluido && d.validacao ? 1 : 0;
    }
    cab->SetNumConsiderados(c);
    cab->SetI32(C::OffNumValidacao, val);
    return *this;
  }
  QString Grava(const QTemporaryDir& pasta, const QString& nome) {
    const QString caminho = pasta.filePath(nome);
    GravaArquivoModelo(caminho, cab.get(), dados.data(), nullptr, W);
    return caminho;
  }
};

// The records of a saved model file, read back with the project's reader.
inline std::vector<dado> LeDados(const QString& caminho, CabecalhoModelo& cab) {
  EXPECT_TRUE(LeCabecalhoModelo(caminho, &cab));
  std::vector<dado> d(std::size_t(std::max(0, cab.NumDados())));
  std::vector<dadoP> p(std::size_t(std::max(0, cab.NumDadosP())));
  EXPECT_TRUE(LeRegistrosModelo(caminho, &cab, d.data(), p.data()));
  return d;
}

}  // namespace teste
