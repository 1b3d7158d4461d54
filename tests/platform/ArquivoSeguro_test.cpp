// Whole-file writes: a failed write never costs the old file.
#include "platform/ArquivoSeguro.h"

#include "ImprimeQString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

class ArquivoSeguro : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    alvo = pasta.filePath("modelo.tsn");
  }
  void TearDown() override { plat::SimulaFalhaGravacao(-1); }

  QByteArray Le() const {
    QFile f(alvo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
  }
  void Grava(const QByteArray& conteudo) const {
    QFile f(alvo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
  }
  // Every entry of the folder, hidden ones too: no temporary file may remain.
  QStringList Entradas() const {
    return QDir(pasta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  }

  QTemporaryDir pasta;
  QString alvo;
};

TEST_F(ArquivoSeguro, GravaArquivoNovo) {
  const QByteArray dados(100000, 'a');
  {
    plat::GravacaoSegura g(alvo);
    ASSERT_TRUE(g.Aberta());
    EXPECT_TRUE(g.Escreve(dados.constData(), 60000));
    EXPECT_TRUE(g.Escreve(dados.constData() + 60000, 40000));
    EXPECT_TRUE(g.Confirma());
  }
  EXPECT_EQ(Le(), dados);
  EXPECT_EQ(Entradas(), QStringList{"modelo.tsn"});
}

TEST_F(ArquivoSeguro, SubstituiOAntigoMantendoPermissoes) {
  Grava("antigo");
  ASSERT_EQ(::chmod(QFile::encodeName(alvo).constData(), 0640), 0);
  {
    plat::GravacaoSegura g(alvo);
    ASSERT_TRUE(g.Escreve("novo", 4));
    ASSERT_TRUE(g.Confirma());
  }
  EXPECT_EQ(Le(), "novo");
  struct stat st;
  ASSERT_EQ(::stat(QFile::encodeName(alvo).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Entradas(), QStringList{"modelo.tsn"});
}

// A disk that fills up at different points of the write.
TEST_F(ArquivoSeguro, FalhaDeGravacaoPreservaOAntigo) {
  const QByteArray antigo("conteudo antigo que deve sobreviver");
  const QByteArray novo(4096, 'n');
  const long long pontos[] = {0, 1, 2048, 4095};
  for (long long ponto : pontos) {
    SCOPED_TRACE(ponto);
    Grava(antigo);
    {
      plat::GravacaoSegura g(alvo);
      ASSERT_TRUE(g.Aberta());
      plat::SimulaFalhaGravacao(ponto);
      EXPECT_FALSE(g.Escreve(novo.constData(), 2048) && g.Escreve(novo.constData() + 2048, 2048));
      EXPECT_FALSE(g.Escreve("x", 1));  // a failed write stays failed
      EXPECT_FALSE(g.Confirma());
      EXPECT_FALSE(g.Erro().isEmpty());
      plat::SimulaFalhaGravacao(-1);
    }
    EXPECT_EQ(Le(), antigo);
    EXPECT_EQ(Entradas(), QStringList{"modelo.tsn"});
  }
}

// A model reached through a link (also a chain of them) stays a link; the file
// it points to, in another folder, gets the new content.
TEST_F(ArquivoSeguro, LinkSimbolicoContinuaLink) {
  QTemporaryDir outra;
  const QString real = outra.filePath("real.tsn");
  {
    QFile f(real);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("antigo");
  }
  const QString meio = pasta.filePath("meio.tsn");
  ASSERT_TRUE(QFile::link(real, meio));
  ASSERT_TRUE(QFile::link(meio, alvo));
  {
    plat::GravacaoSegura g(alvo);
    ASSERT_TRUE(g.Escreve("novo", 4));
    ASSERT_TRUE(g.Confirma());
  }
  EXPECT_TRUE(QFileInfo(alvo).isSymLink());
  EXPECT_TRUE(QFileInfo(meio).isSymLink());
  EXPECT_EQ(Le(), "novo");
  EXPECT_EQ(QDir(outra.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"real.tsn"});
  EXPECT_EQ(Entradas(), (QStringList{"meio.tsn", "modelo.tsn"}));
}

TEST_F(ArquivoSeguro, SemConfirmarNadaMuda) {
  Grava("antigo");
  {
    plat::GravacaoSegura g(alvo);
    ASSERT_TRUE(g.Escreve("metade", 6));
  }
  EXPECT_EQ(Le(), "antigo");
  EXPECT_EQ(Entradas(), QStringList{"modelo.tsn"});
}

TEST_F(ArquivoSeguro, PastaInexistenteFalhaComMensagem) {
  plat::GravacaoSegura g(pasta.filePath("nao/existe/modelo.tsn"));
  EXPECT_FALSE(g.Aberta());
  EXPECT_FALSE(g.Escreve("x", 1));
  EXPECT_FALSE(g.Confirma());
  EXPECT_FALSE(g.Erro().isEmpty());
}

TEST_F(ArquivoSeguro, ConfirmarDuasVezesNaoRegrava) {
  plat::GravacaoSegura g(alvo);
  ASSERT_TRUE(g.Escreve("um", 2));
  ASSERT_TRUE(g.Confirma());
  EXPECT_FALSE(g.Confirma());
  EXPECT_FALSE(g.Escreve("dois", 4));
  EXPECT_EQ(Le(), "um");
}

}  // namespace
