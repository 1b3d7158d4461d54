#include "FixtureEspacial.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {
std::string Pasta() { return std::string(TARSOLIN_SOURCE_DIR) + "/tests/spatial/ref/"; }
}  // namespace

const FixtureEspacial& FixtureEspacial::Carrega() {
  static const FixtureEspacial f = [] {
    FixtureEspacial r;
    std::ifstream dados(Pasta() + "dados.csv");
    std::string linha;
    std::getline(dados, linha);
    std::vector<std::vector<double>> linhas;
    while (std::getline(dados, linha)) {
      std::stringstream ss(linha);
      std::string campo;
      std::vector<double> v;
      while (std::getline(ss, campo, ',')) v.push_back(std::stod(campo));
      linhas.push_back(v);
    }
    const int n = static_cast<int>(linhas.size());
    if (n == 0) throw std::runtime_error("fixture missing");
    r.y.ReSize(n);
    r.X.ReSize(n, 3);
    for (int i = 0; i < n; ++i) {
      r.y(i + 1) = linhas[i][0];
      for (int j = 0; j < 3; ++j) r.X(i + 1, j + 1) = linhas[i][j + 1];
    }
    r.W.ReSize(n, n);
    r.W = 0.0;
    std::ifstream pesos(Pasta() + "pesos.txt");
    int i, j;
    double w;
    while (pesos >> i >> j >> w) r.W(i, j) = w;
    std::ifstream ref(Pasta() + "referencia.txt");
    std::string nome;
    double valor;
    while (ref >> nome >> valor) r.ref[nome] = valor;
    return r;
  }();
  return f;
}

double FixtureEspacial::Ref(const std::string& nome) const {
  const auto it = ref.find(nome);
  if (it == ref.end()) throw std::runtime_error("no reference value " + nome);
  return it->second;
}

std::unique_ptr<CabecalhoModelo> CabecalhoEspacial(int regressores, int n) {
  auto cab = std::make_unique<CabecalhoModelo>();
  cab->Zera();
  cab->SetI32(CabecalhoModelo::OffNumVariaveis, regressores + 1);
  cab->SetI32(65580, n);
  for (int v = 0; v <= regressores; ++v) cab->SetI32(CabecalhoModelo::OffHabilitadas + 4 * v, 1);
  cab->SetU8(CabecalhoModelo::OffNormalizaW, 1);
  cab->SetI32(CabecalhoModelo::OffMaxIteracoes, 500);
  cab->SetF64(CabecalhoModelo::OffRho, 0.5);
  cab->SetF64(CabecalhoModelo::OffTolerancia, 0.0001);
  cab->SetF64(CabecalhoModelo::OffRhoMinimo, -0.99);
  cab->SetF64(CabecalhoModelo::OffRhoMaximo, 0.99);
  cab->SetI32(CabecalhoModelo::OffIteracoesMonteCarlo, 30);
  return cab;
}

double SlotEspacial(const CabecalhoModelo& cab, int j) { return cab.F64(408776 + 8 * std::size_t(j)); }
