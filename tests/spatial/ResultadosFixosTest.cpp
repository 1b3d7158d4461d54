// Every figure that sar, sem and lmerror_MoranI store, for fixed data and a
// fixed grid seed at n = 100, 1,000 and 2,000, must stay where it was when the
// dense kernels were hand loops (ref/resultados_fixos.txt, written by that
// code): a faster kernel may reorder sums, never move a result.
//
// The data come from integer arithmetic only (no library random numbers or
// transcendental functions), so they are the same on every machine.
// TARSOLIN_GRAVA_FIXOS=<file> writes the figures there instead of comparing.
#include "CalculoEspacial.h"
#include "FixtureEspacial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace quenvik;

namespace {

using Problema = ProblemaSintetico;

// Raw inverse distances within the cut-off (about 30 neighbours each).
Problema Monta(int n, double corte) {
  return MontaProblema(n, 20240 + std::uint64_t(n), [n, corte](const std::vector<double>& px,
                                                               const std::vector<double>& py, NEWMAT::Matrix& W) {
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        const double dx = px[i] - px[j], dy = py[i] - py[j];
        const double d = std::sqrt(dx * dx + dy * dy);
        if (i != j && d > 0.0 && d <= corte) W(i + 1, j + 1) = 1.0 / d;
      }
  });
}

const Problema& Dados(int n) {
  static std::map<int, Problema> cache;
  auto it = cache.find(n);
  if (it == cache.end()) {
    const double corte = n <= 100 ? 30.0 : n <= 1000 ? 10.0 : 7.0;
    it = cache.emplace(n, Monta(n, corte)).first;
  }
  return it->second;
}

enum class Exportacao { Sar, Sem, Testes };

const char* Nome(Exportacao e) {
  switch (e) {
    case Exportacao::Sar: return "sar";
    case Exportacao::Sem: return "sem";
    case Exportacao::Testes: return "lmerror_MoranI";
  }
  return "";
}

// The header fields each export stores: offset and whether it is an i32.
struct Campo {
  std::size_t off;
  bool inteiro;
};

std::vector<Campo> Campos(Exportacao e) {
  std::vector<Campo> c;
  if (e == Exportacao::Testes) {
    for (std::size_t off : {410328, 410336, 410344, 410352, 410360, 410368, 410376, 410400, 410408})
      c.push_back({off, false});
    return c;
  }
  auto slot = [](int j) { return std::size_t(408776 + 8 * j); };
  // Coefficients, t values and confidences of the three regressors and the intercept.
  for (int v = 0; v < 4; ++v)
    for (int base : {0, 66, 126}) c.push_back({slot(base + v), false});
  for (int j : {60, 62, 63, 64, 65, 186}) c.push_back({slot(j), false});
  for (std::size_t off : {408744, 408752, 410304, 410312, 410320}) c.push_back({off, false});
  for (std::size_t off : {408704, 408716, 408720, 408724, 410272, 410276, 410280, 410284}) c.push_back({off, true});
  return c;
}

std::unique_ptr<CabecalhoModelo> Calcula(Exportacao e, int n) {
  const Problema& p = Dados(n);
  auto cab = CabecalhoEspacial(3, n);
  NEWMAT::ColumnVector y = p.y;
  NEWMAT::Matrix X = p.X, W = p.W;
  OpcoesCalculo op;
  op.sorteio = 4321;
  bool ok = false;
  switch (e) {
    case Exportacao::Sar: ok = Sar(&y, &X, &W, cab.get(), nullptr, op); break;
    case Exportacao::Sem: ok = Sem(&y, &X, &W, cab.get(), nullptr, op); break;
    case Exportacao::Testes: ok = LmErroMoranI(&y, &X, &W, cab.get()); break;
  }
  if (!ok) return nullptr;
  return cab;
}

std::string Chave(Exportacao e, int n, std::size_t off) {
  return std::string(Nome(e)) + " " + std::to_string(n) + " " + std::to_string(off);
}

std::map<std::string, double> LeReferencia() {
  std::map<std::string, double> r;
  std::ifstream f(std::string(TARSOLIN_SOURCE_DIR) + "/tests/spatial/ref/resultados_fixos.txt");
  std::string linha;
  while (std::getline(f, linha)) {
    if (linha.empty() || linha[0] == '#') continue;
    std::istringstream ss(linha);
    std::string exp, n, off, valor;
    ss >> exp >> n >> off >> valor;
    r[exp + " " + n + " " + off] = std::strtod(valor.c_str(), nullptr);
  }
  return r;
}

struct Caso {
  Exportacao exportacao;
  int n;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << Nome(c.exportacao) << " n = " << c.n; }

class ResultadosFixos : public ::testing::TestWithParam<Caso> {};

}  // namespace

TEST_P(ResultadosFixos, MatchTheHandLoopFiguresWithin1e10Relative) {
  const Caso c = GetParam();
  const auto cab = Calcula(c.exportacao, c.n);
  ASSERT_NE(cab, nullptr);
  auto valor = [&](const Campo& k) { return k.inteiro ? double(cab->I32(k.off)) : cab->F64(k.off); };

  if (const char* destino = std::getenv("TARSOLIN_GRAVA_FIXOS")) {
    std::ofstream f(destino, std::ios::app);
    for (const Campo& k : Campos(c.exportacao)) {
      char texto[64];
      std::snprintf(texto, sizeof texto, "%.17g", valor(k));
      f << Chave(c.exportacao, c.n, k.off) << ' ' << texto << '\n';
    }
    GTEST_SKIP() << "figures written to " << destino;
  }

  static const std::map<std::string, double> ref = LeReferencia();
  for (const Campo& k : Campos(c.exportacao)) {
    const auto it = ref.find(Chave(c.exportacao, c.n, k.off));
    ASSERT_NE(it, ref.end()) << Chave(c.exportacao, c.n, k.off);
    const double esperado = it->second, obtido = valor(k);
    if (k.inteiro) {
      EXPECT_EQ(obtido, esperado) << "offset " << k.off;
    } else {
      EXPECT_LE(std::fabs(obtido - esperado), 1e-10 * std::max(std::fabs(esperado), std::fabs(obtido)))
          << "offset " << k.off << ": " << obtido << " against " << esperado;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    TresTamanhos, ResultadosFixos,
    ::testing::Values(Caso{Exportacao::Sar, 100}, Caso{Exportacao::Sem, 100}, Caso{Exportacao::Testes, 100},
                      Caso{Exportacao::Sar, 1000}, Caso{Exportacao::Sem, 1000}, Caso{Exportacao::Testes, 1000},
                      Caso{Exportacao::Sar, 2000}, Caso{Exportacao::Sem, 2000}, Caso{Exportacao::Testes, 2000}),
    [](const ::testing::TestParamInfo<Caso>& i) {
      return std::string(i.param.exportacao == Exportacao::Testes ? "testes" : Nome(i.param.exportacao)) + "_" +
             std::to_string(i.param.n);
    });
