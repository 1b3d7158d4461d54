#include "FixtureEspacial.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {
std::string Pasta() { return std::string(TARSOLIN_SOURCE_DIR) + "/tests/spatial/ref/"; }

// splitmix64: a uniform in [0, 1) from 53 bits; a normal as the sum of twelve uniforms less 6.
class Sorteio {
public:
  explicit Sorteio(std::uint64_t s) : s_(s) {}
  double Uniforme() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) * 0x1.0p-53;
  }
  double Normal() {
    double s = 0.0;
    for (int i = 0; i < 12; ++i) s += Uniforme();
    return s - 6.0;
  }

private:
  std::uint64_t s_;
};
}  // namespace

ProblemaSintetico MontaProblema(int n, std::uint64_t semente, const PesosDosPontos& pesos) {
  Sorteio g(semente);
  std::vector<double> px(std::size_t(n), 0.0), py(std::size_t(n), 0.0);
  for (int i = 0; i < n; ++i) {
    px[std::size_t(i)] = 100.0 * g.Uniforme();
    py[std::size_t(i)] = 100.0 * g.Uniforme();
  }
  ProblemaSintetico p;
  p.W.ReSize(n, n);
  p.W = 0.0;
  pesos(px, py, p.W);
  p.X.ReSize(n, 3);
  for (int i = 1; i <= n; ++i) {
    p.X(i, 1) = 5.0 + 2.0 * g.Normal();
    p.X(i, 2) = g.Normal();
    p.X(i, 3) = 3.0 * g.Uniforme();
  }
  NEWMAT::ColumnVector xb(n);
  for (int i = 1; i <= n; ++i) xb(i) = 10.0 + 2.0 * p.X(i, 1) - 1.5 * p.X(i, 2) + 0.8 * p.X(i, 3);
  p.y.ReSize(n);
  for (int i = 1; i <= n; ++i) {
    double s = 0.0, soma = 0.0;
    for (int j = 1; j <= n; ++j) {
      s += p.W(i, j) * xb(j);
      soma += p.W(i, j);
    }
    p.y(i) = xb(i) + (soma > 0.0 ? 0.5 * s / soma : 0.0) + g.Normal();
  }
  return p;
}

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
