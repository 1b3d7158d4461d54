// Two processes: a second start with a file hands it to the running instance.
#include "ModeloTeste.h"

#include "platform/Programa.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DuasInstancias : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    QFile::setPermissions(pasta.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    ambiente.insert("XDG_RUNTIME_DIR", pasta.path());       // only these processes meet
    ambiente.insert("HOME", pasta.path());                  // settings of their own
    ambiente.insert("XDG_CONFIG_HOME", pasta.filePath("config"));
    ambiente.insert("QT_LOGGING_RULES", "tarsolin.documentos.info=true");
  }
  void TearDown() override {
    if (primeira.state() != QProcess::NotRunning) {
      primeira.terminate();
      if (!primeira.waitForFinished(3000)) primeira.kill();
      primeira.waitForFinished(3000);
    }
  }
  QString Modelo(const QString& nome) {
    teste::Modelo m(3, 0);
    const QString c = pasta.filePath(nome);
    EXPECT_TRUE(m.Grava(c));
    return c;
  }
  void Inicia(QProcess& p, const QString& arquivo) {
    p.setProcessEnvironment(ambiente);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(plat::CaminhoPrograma("tarsolin"), {arquivo});
  }
  // Waits until the first instance has logged `linha`.
  bool Registrou(const QString& linha, int ms = 10000) {
    return QTest::qWaitFor([&] {
      primeira.waitForReadyRead(50);
      registro += QString::fromUtf8(primeira.readAllStandardError());
      return registro.contains(linha);
    }, ms);
  }

  QTemporaryDir pasta;
  QProcessEnvironment ambiente;
  QProcess primeira;
  QString registro;
};

TEST_F(DuasInstancias, SegundaInicializacaoEntregaOArquivoAPrimeira) {
  const QString a = Modelo("a.tsn"), b = Modelo("b.tsn");
  Inicia(primeira, a);
  ASSERT_TRUE(primeira.waitForStarted(5000));
  ASSERT_TRUE(Registrou("aberto: \"" + a + "\"")) << registro.toStdString();

  // The same file: the first instance answers, brings its window forward, the second ends.
  QProcess segunda;
  QElapsedTimer relogio;
  relogio.start();
  Inicia(segunda, a);
  ASSERT_TRUE(segunda.waitForFinished(5000));
  const qint64 ms = relogio.elapsed();
  EXPECT_EQ(segunda.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(segunda.exitCode(), 0);
  EXPECT_LT(ms, 2500) << "the second start took " << ms << " ms";
  RecordProperty("segunda_ms", int(ms));
  EXPECT_TRUE(Registrou("ativado: \"" + a + "\"")) << registro.toStdString();
  EXPECT_EQ(registro.count("aberto: \"" + a + "\""), 1);  // not opened twice

  // Another file: the first instance opens it.
  QProcess terceira;
  Inicia(terceira, b);
  ASSERT_TRUE(terceira.waitForFinished(5000));
  EXPECT_EQ(terceira.exitCode(), 0);
  EXPECT_TRUE(Registrou("aberto: \"" + b + "\"")) << registro.toStdString();
  EXPECT_EQ(primeira.state(), QProcess::Running);
}

}  // namespace
