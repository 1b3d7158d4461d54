// The common-variable catalogue file and its order.
#include "ModeloFixture.h"

#include "model/VariaveisComuns.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

Var Entrada(const QString& nome, int tipoImovel) {
  Var v{};
  v.SetNome(nome);
  v.SetDescricao(QStringLiteral("Descrição de ") + nome);
  v.tipo = 4;
  v.casasDecimais = 2;
  v.tipoImovel = tipoImovel;
  return v;
}

TEST(VariaveisComuns, RoundTripAndFileLength) {
  QTemporaryDir dir;
  const QString p = dir.filePath("variaveis.cfg");
  std::vector<Var> catalogo = {Entrada("Área", 1), Entrada("Quartos", 2)};
  catalogo[1].reservado[2] = 0x7F;  // carried unchanged
  ASSERT_TRUE(GravaVariaveisComuns(p, catalogo));
  EXPECT_EQ(QFileInfo(p).size(), 2 * 648);
  std::vector<Var> lido;
  ASSERT_TRUE(LeVariaveisComuns(p, lido));
  ASSERT_EQ(lido.size(), 2u);
  EXPECT_EQ(std::memcmp(lido.data(), catalogo.data(), 2 * 648), 0);
  EXPECT_EQ(lido[0].Nome(), QStringLiteral("Área"));
}

TEST(VariaveisComuns, ARemainderIsIgnoredAndMissingOrEmptyFilesAreEmpty) {
  QTemporaryDir dir;
  const QString p = dir.filePath("variaveis.cfg");
  QByteArray mil(1000, '\0');
  Var v = Entrada("Idade", 3);
  std::memcpy(mil.data(), &v, sizeof v);
  ASSERT_TRUE(teste::GravaBytes(p, mil));
  std::vector<Var> lido;
  ASSERT_TRUE(LeVariaveisComuns(p, lido));
  ASSERT_EQ(lido.size(), 1u);
  EXPECT_EQ(lido[0].Nome(), QStringLiteral("Idade"));
  EXPECT_EQ(lido[0].tipoImovel, 3);

  ASSERT_TRUE(teste::GravaBytes(p, QByteArray()));
  EXPECT_TRUE(LeVariaveisComuns(p, lido));
  EXPECT_TRUE(lido.empty());
  EXPECT_FALSE(LeVariaveisComuns(dir.filePath("nao-existe.cfg"), lido));
  EXPECT_TRUE(lido.empty());
}

TEST(VariaveisComuns, OrderByPropertyTypeThenUnsignedBytes) {
  std::vector<Var> c = {Entrada("Zona", 2), Entrada("Área", 1), Entrada("Zona", 1),
                        Entrada("area", 1), Entrada("Ágio", 2), Entrada("Bairro", 2)};
  // A name that fills its field without a NUL is compared within the field.
  Var cheio = Entrada("", 2);
  std::memset(cheio.nome, 'z', sizeof cheio.nome);
  c.push_back(cheio);
  std::sort(c.begin(), c.end(), [](const Var& a, const Var& b) { return ComparaVar(a, b) < 0; });
  QStringList ordem;
  for (const Var& v : c) ordem << QStringLiteral("%1:%2").arg(v.tipoImovel).arg(v.Nome().left(3));
  EXPECT_EQ(ordem.join(' '), QStringLiteral("1:Zon 1:are 1:Áre 2:Bai 2:Zon 2:zzz 2:Ági"));
  EXPECT_EQ(ComparaVar(Entrada("X", 1), Entrada("X", 1)), 0);
}

}  // namespace
