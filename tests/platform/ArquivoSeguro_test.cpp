// Whole-file writes: a failed write never costs the old file.
#include "platform/ArquivoSeguro.h"

#include "ImprimeQString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A write-protected target is never replaced: made read-only before the
// write or while it ran. The rule is the permission bits, also for root.
TEST_F(ArquivoSeguro, AlvoProtegidoNaoESubstituido) {
  for (bool duranteAGravacao : {false, true}) {
    SCOPED_TRACE(duranteAGravacao);
    ::chmod(QFile::encodeName(alvo).constData(), 0644);
    Grava("antigo");
    if (!duranteAGravacao) {
      ASSERT_EQ(::chmod(QFile::encodeName(alvo).constData(), 0444), 0);
    }
    {
      plat::GravacaoSegura g(alvo);
      g.Escreve("novo", 4);
      if (duranteAGravacao) {
        ASSERT_EQ(::chmod(QFile::encodeName(alvo).constData(), 0444), 0);
      }
      EXPECT_FALSE(g.Confirma());
      EXPECT_EQ(g.TipoFalha(), plat::GravacaoSegura::Falha::Protegido);
      EXPECT_EQ(g.Erro(), QStringLiteral("O arquivo está protegido contra gravação."));
    }
    EXPECT_EQ(Le(), "antigo");
    EXPECT_EQ(Entradas(), QStringList{"modelo.tsn"});
  }
}

// The reason of a refusal, in the user's words.
TEST_F(ArquivoSeguro, MotivoDaFalha) {
  ASSERT_TRUE(QDir(pasta.path()).mkdir("pasta"));
  ASSERT_TRUE(QFile::link(pasta.filePath("b"), pasta.filePath("a")));
  ASSERT_TRUE(QFile::link(pasta.filePath("a"), pasta.filePath("b")));
  const struct {
    const char* nome;
    QString motivo;
  } casos[] = {
      {"pasta", QStringLiteral("O nome indicado é uma pasta, não um arquivo.")},
      {"a", QStringLiteral("O nome indicado é um link simbólico em ciclo.")},
      {"nao/existe", QStringLiteral("A pasta indicada não existe.")},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.nome);
    plat::GravacaoSegura g(pasta.filePath(k.nome));
    g.Escreve("x", 1);
    EXPECT_FALSE(g.Confirma());
    EXPECT_EQ(g.Erro(), k.motivo);
  }
  EXPECT_TRUE(QFileInfo(pasta.filePath("a")).isSymLink());
  EXPECT_TRUE(QFileInfo(pasta.filePath("pasta")).isDir());
}

// A write that names the file it read replaces only that file: not one put
// in its place, not one rewritten meanwhile.
TEST_F(ArquivoSeguro, SoSubstituiOArquivoLido) {
  for (bool noLugar : {false, true}) {
    SCOPED_TRACE(noLugar);
    Grava("lido");
    const plat::IdentidadeArquivo lido = plat::IdentidadeDe(alvo);
    plat::GravacaoSegura g(alvo, &lido);
    ASSERT_TRUE(g.Aberta());
    ASSERT_TRUE(g.Escreve("novo", 4));
    if (noLugar) {
      Grava("de outro");
    } else {
      const QString outro = pasta.filePath("outro");
      QFile f(outro);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("de outro");
      f.close();
      ASSERT_EQ(::rename(QFile::encodeName(outro).constData(), QFile::encodeName(alvo).constData()), 0);
    }
    EXPECT_FALSE(g.Confirma());
    EXPECT_EQ(g.TipoFalha(), plat::GravacaoSegura::Falha::Alterado);
    EXPECT_EQ(Le(), "de outro");
  }
}

// Another process holds the file's lock: no write; this process's own lock
// does not stop its writes, and follows the file a write puts in place.
TEST_F(ArquivoSeguro, TravaDeOutroProcessoImpedeAGravacao) {
  Grava("antigo");
  int sinal[2], fim[2];
  ASSERT_EQ(::pipe(sinal), 0);
  ASSERT_EQ(::pipe(fim), 0);
  const pid_t filho = ::fork();
  if (filho == 0) {
    ::close(sinal[0]);
    ::close(fim[1]);  // else the end of the pipe is never seen
    const int fd = ::open(QFile::encodeName(alvo).constData(), O_RDONLY);
    const char c = ::flock(fd, LOCK_EX) == 0 ? 'S' : 'N';
    (void)!::write(sinal[1], &c, 1);
    char x;
    (void)!::read(fim[0], &x, 1);
    ::_exit(0);
  }
  ::close(sinal[1]);
  ::close(fim[0]);
  char c = 0;
  ASSERT_EQ(::read(sinal[0], &c, 1), 1);
  ASSERT_EQ(c, 'S');
  {
    plat::GravacaoSegura g(alvo);
    EXPECT_FALSE(g.Aberta());
    EXPECT_EQ(g.TipoFalha(), plat::GravacaoSegura::Falha::EmUso);
    plat::TravaArquivo t;
    EXPECT_EQ(t.Trava(alvo), plat::TravaArquivo::Resultado::EmUso);
  }
  ::close(fim[1]);
  ::waitpid(filho, nullptr, 0);
  EXPECT_EQ(Le(), "antigo");

  plat::TravaArquivo trava;
  ASSERT_EQ(trava.Trava(alvo), plat::TravaArquivo::Resultado::Travado);
  {
    plat::GravacaoSegura g(alvo);
    ASSERT_TRUE(g.Escreve("novo", 4));
    ASSERT_TRUE(g.Confirma());
    EXPECT_TRUE(trava.Identidade() == g.Gravado());
  }
  EXPECT_EQ(Le(), "novo");
  const int fd = ::open(QFile::encodeName(alvo).constData(), O_RDONLY);
  EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0) << "the new file is locked";
  trava.Libera();
  EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  ::close(fd);
}

// Skipped bytes are a hole: zeros on reading, no space on disk.
TEST_F(ArquivoSeguro, PularDeixaBuraco) {
  {
    plat::GravacaoSegura g(alvo);
    ASSERT_TRUE(g.Escreve("ini", 3));
    ASSERT_TRUE(g.Pula(64 << 20));
    ASSERT_TRUE(g.Escreve("meio", 4));
    ASSERT_TRUE(g.Pula(1 << 20));  // up to the end
    ASSERT_TRUE(g.Confirma());
  }
  const QByteArray b = Le();
  ASSERT_EQ(b.size(), 3 + (64 << 20) + 4 + (1 << 20));
  EXPECT_EQ(b.left(3), "ini");
  EXPECT_EQ(b.mid(3 + (64 << 20), 4), "meio");
  EXPECT_EQ(b.count('\0'), (64 << 20) + (1 << 20));
  struct stat st;
  ASSERT_EQ(::stat(QFile::encodeName(alvo).constData(), &st), 0);
  EXPECT_LT(static_cast<long long>(st.st_blocks) * 512, 1LL << 20);
}

// Debris of a killed write goes; a temporary a live writer holds stays.
TEST_F(ArquivoSeguro, TemporariosAbandonados) {
  Grava("modelo");
  auto cria = [&](const char* nome) {
    QFile f(pasta.filePath(nome));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("resto");
  };
  cria(".modelo.tsn.k1LL3d");
  plat::GravacaoSegura vivo(alvo);
  ASSERT_TRUE(vivo.Aberta());
  cria(".modelo.tsn.");
  cria(".modelo.tsn.toolong7");
  EXPECT_EQ(plat::RemoveTemporariosAbandonados(alvo), 1);
  EXPECT_EQ(Entradas().size(), 4) << Entradas().join(' ').toStdString();
  EXPECT_FALSE(Entradas().contains(".modelo.tsn.k1LL3d"));
}

}  // namespace
