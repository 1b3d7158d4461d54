#include "Correlacoes.h"

#include "model/ArquivoModelo.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "platform/Modulo.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {
using C = CabecalhoModelo;

// Three variables over six records; record 5 is excluded and must not count.
struct Fixture {
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados = std::vector<dado>(6);
  Fixture() {
    cab->Zera();
    cab->SetI32(C::OffNumVariaveis, 3);
    cab->SetI32(C::OffNumDados, 6);
    cab->SetI32(C::OffNumConsiderados, 5);
    cab->SetI32(C::OffDependente, 2);
    for (int v = 0; v < 3; ++v) cab->SetI32(C::OffHabilitadas + 4 * v, 1);
    const double x[6][3] = {{1, 2, 3}, {2, 1, 5}, {3, 4, 4}, {4, 3, 8}, {5, 7, 9}, {100, -50, 0}};
    for (int i = 0; i < 6; ++i)
      for (int v = 0; v < 3; ++v) dados[i].valor[v] = x[i][v];
    dados[5].excluido = 1;
  }
};

double Pearson(const std::vector<double>& a, const std::vector<double>& b) {
  const int n = int(a.size());
  double ma = 0, mb = 0;
  for (int i = 0; i < n; ++i) { ma += a[i] / n; mb += b[i] / n; }
  double sab = 0, saa = 0, sbb = 0;
  for (int i = 0; i < n; ++i) {
    sab += (a[i] - ma) * (b[i] - mb);
    saa += (a[i] - ma) * (a[i] - ma);
    sbb += (b[i] - mb) * (b[i] - mb);
  }
  return sab / std::sqrt(saa * sbb);
}

void Esperados(const Fixture& f, double r[3][3], double p[3][3]) {
  std::vector<double> col[3];
  for (int i = 0; i < 5; ++i)
    for (int v = 0; v < 3; ++v) col[v].push_back(f.dados[i].valor[v]);
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) r[a][b] = a == b ? 1.0 : Pearson(col[a], col[b]);
  // First-order partial correlation of a and b given the third variable.
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) {
      const int c = 3 - a - b;
      p[a][b] = a == b ? 1.0
                       : (r[a][b] - r[a][c] * r[b][c]) / std::sqrt((1 - r[a][c] * r[a][c]) * (1 - r[b][c] * r[b][c]));
    }
}
}  // namespace

TEST(Correlacoes, PearsonAndPartialAgainstClosedForms) {
  Fixture f;
  std::vector<double> iso(3600, 7.0), parc(3600, 7.0);
  ASSERT_TRUE(mirsalto::CalculaCorrelacoes(*f.cab, f.dados.data(), iso.data(), parc.data()));
  double r[3][3], p[3][3];
  Esperados(f, r, p);
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) {
      EXPECT_NEAR(iso[60 * a + b], r[a][b], 1e-12) << a << "," << b;
      EXPECT_NEAR(parc[60 * a + b], p[a][b], 1e-12) << a << "," << b;
    }
  EXPECT_EQ(iso[3], 0.0);  // outside the enabled block the arrays are cleared
  EXPECT_EQ(parc[60 * 3], 0.0);
}

TEST(Correlacoes, DisabledVariableIsLeftOutAndTooLittleDataFails) {
  Fixture f;
  f.cab->SetI32(C::OffHabilitadas + 4 * 1, 0);
  std::vector<double> iso(3600), parc(3600);
  ASSERT_TRUE(mirsalto::CalculaCorrelacoes(*f.cab, f.dados.data(), iso.data(), parc.data()));
  double r[3][3], p[3][3];
  Esperados(f, r, p);
  EXPECT_NEAR(iso[1], r[0][2], 1e-12);   // the pair (0, 2) now sits at (0, 1)
  EXPECT_NEAR(parc[1], r[0][2], 1e-12);  // with no third variable, partial = isolated
  for (int i = 2; i < 6; ++i) f.dados[i].excluido = 1;
  EXPECT_FALSE(mirsalto::CalculaCorrelacoes(*f.cab, f.dados.data(), iso.data(), parc.data()));
}

TEST(Correlacoes, ThroughTheModuleOnAModelFile) {
  Fixture f;
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath("c.tsn");
  std::memcpy(f.cab->bytes, "Tarsolin 15509664", 17);
  NEWMAT::Matrix w;
  ASSERT_TRUE(GravaArquivoModelo(caminho, f.cab.get(), f.dados.data(), nullptr, w));
  std::vector<double> iso(3600), parc(3600);
  int resultado = -1;
  const auto estado = plat::ChamaModulo("Mirsalto.so", 1, [&](void* fn) {
    using Correlaciona = int (*)(const char*, double*, double*);
    resultado = reinterpret_cast<Correlaciona>(fn)(caminho.toLocal8Bit().constData(), iso.data(), parc.data());
  });
  ASSERT_EQ(estado, plat::EstadoModulo::Chamado);
  EXPECT_EQ(resultado, 1);
  double r[3][3], p[3][3];
  Esperados(f, r, p);
  EXPECT_NEAR(iso[60 * 0 + 2], r[0][2], 1e-12);
  EXPECT_NEAR(parc[60 * 1 + 2], p[1][2], 1e-12);
  EXPECT_EQ(plat::ChamaModulo("Mirsalto.so", 2, [](void*) {}), plat::EstadoModulo::SemOrdinal);
}
