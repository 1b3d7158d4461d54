#pragma once
// A small calculated model for the equation window: named variables (the
// last one the dependent) with their values per record, transformation codes
// and coefficients of equation 0 set by hand, written with the project's own
// writer when a document must open it.
#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "model/dadoP.h"

#include <QString>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <vector>

namespace teste {

struct ModeloEquacao {
  using C = CabecalhoModelo;
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados;
  std::vector<dadoP> dadosP;  // the properties to appraise
  NEWMAT::Matrix W;

  // colunas[v][i]: value of variable v in record i.
  ModeloEquacao(const std::vector<QString>& nomes, const std::vector<std::vector<double>>& colunas) {
    cab->Zera();
    std::memcpy(cab->bytes, "Tarsolin 15509664", 17);
    const int nv = int(nomes.size());
    const int n = colunas.empty() ? 0 : int(colunas[0].size());
    cab->SetNumVariaveis(nv);
    cab->SetDependente(nv - 1);
    cab->SetNumDados(n);
    cab->SetNumConsiderados(n);
    cab->SetEstadoCalculo(1);
    cab->SetNumEquacoes(1);
    cab->SetTexto(C::OffNome, C::TamNome, QStringLiteral("Modelo de teste"));
    cab->SetI32(C::OffVariavelX, -1);
    cab->SetI32(C::OffVariavelY, -1);
    for (int v = 0; v < nv; ++v) {
      cab->SetHabilitada(v, true);
      cab->SetNomeVariavel(v, nomes[std::size_t(v)]);
      cab->SetTransformacao(v, 0, 1);
    }
    dados.assign(std::size_t(n), dado{});
    for (int i = 0; i < n; ++i) {
      std::memset(&dados[std::size_t(i)], 0, sizeof(dado));
      for (int v = 0; v < nv; ++v) dados[std::size_t(i)].valor[v] = colunas[std::size_t(v)][std::size_t(i)];
    }
  }
  ModeloEquacao& Codigo(int v, int codigo, double expoente = 0.0, int e = 0) {
    cab->SetTransformacao(v, e, codigo);
    cab->SetExpoente(v, e, expoente);
    return *this;
  }
  ModeloEquacao& Coeficiente(int v, double b, int e = 0) {
    cab->SetF64VE(C::OffCoeficientes, v, e, b);
    return *this;
  }
  // The spatial model on equation `e`: coefficients by variable (the
  // intercept at the dependent), rho and the kind (lag or error).
  ModeloEquacao& Espacial(const std::vector<double>& coeficientes, double rho, bool lag, int e = 0) {
    cab->SetI32(C::OffEspacialCalculado, 1);
    cab->SetI32(C::OffTipoEspacial, lag ? 1 : 0);
    cab->SetI32(C::OffEquacaoEspacial, e);
    cab->SetF64(C::OffRho, rho);
    for (std::size_t v = 0; v < coeficientes.size(); ++v)
      cab->SetF64(C::OffResultadosEspaciais + 8 * v, coeficientes[v]);
    return *this;
  }
  // A property to appraise with these values by variable (the rest 0) and address.
  ModeloEquacao& Avaliando(const std::vector<double>& valores, const QString& endereco = QString()) {
    dadoP d;
    std::memset(&d, 0, sizeof d);
    for (std::size_t v = 0; v < valores.size(); ++v) d.valor[v] = valores[v];
    d.SetEndereco(endereco);
    dadosP.push_back(d);
    cab->SetNumDadosP(int(dadosP.size()));
    return *this;
  }
  QString Grava(const QTemporaryDir& pasta, const QString& nome) {
    const QString caminho = pasta.filePath(nome);
    NEWMAT::Matrix vazio;
    GravaArquivoModelo(caminho, cab.get(), dados.data(), dadosP.empty() ? nullptr : dadosP.data(), vazio);
    return caminho;
  }
};

// The sensitivity fixture: A = 100..400 (ln x), B = 0, 1, 0, 1 (x), the
// dependent VU in ln, b = (1.0, 0.8, 0.1).
inline ModeloEquacao ModeloSensibilidade() {
  ModeloEquacao m({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("VU")},
                  {{100, 200, 300, 400}, {0, 1, 0, 1}, {150, 260, 330, 480}});
  m.Codigo(0, 3).Codigo(1, 1).Codigo(2, 3);
  m.Coeficiente(2, 1.0).Coeficiente(0, 0.8).Coeficiente(1, 0.1);
  return m;
}

}  // namespace teste
