// Two processes: a second start with a file hands it to the running instance;
// two started together open the file once; Arquivo > Abrir in a second
// instance brings forward the first one's window; a killed instance's socket
// is removed by the next start.
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "ModeloTeste.h"
#include "RoteadorComandos.h"

#include "model/CTarsolinDoc.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Programa.h"

#include <QDir>
#include <QFileDialog>
#include <csignal>
#include <unistd.h>

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

// Started at the same moment with the same file: one instance opens it, the
// other hands it over and ends.
TEST_F(DuasInstancias, DuasAoMesmoTempoAbremOArquivoUmaVez) {
  const QString a = Modelo("a.tsn");
  QProcess segunda;
  Inicia(primeira, a);
  Inicia(segunda, a);
  ASSERT_TRUE(primeira.waitForStarted(5000));
  ASSERT_TRUE(segunda.waitForStarted(5000));
  QString registroSegunda;
  const QString aberto = "aberto: \"" + a + "\"";
  auto le = [&] {
    primeira.waitForReadyRead(20);
    registro += QString::fromUtf8(primeira.readAllStandardError());
    registroSegunda += QString::fromUtf8(segunda.readAllStandardError());
  };
  // One of them opens it, the other ends.
  ASSERT_TRUE(QTest::qWaitFor([&] {
    le();
    return (registro + registroSegunda).contains(aberto) &&
           (primeira.state() == QProcess::NotRunning || segunda.state() == QProcess::NotRunning);
  }, 15000)) << registro.toStdString() << registroSegunda.toStdString();
  // Time for a late second open to show.
  QTest::qWait(1500);
  le();
  EXPECT_EQ((registro + registroSegunda).count(aberto), 1) << registro.toStdString() << registroSegunda.toStdString();
  QProcess& encerrada = primeira.state() == QProcess::NotRunning ? primeira : segunda;
  EXPECT_EQ(encerrada.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(encerrada.exitCode(), 0);
  if (segunda.state() != QProcess::NotRunning) {
    segunda.terminate();
    if (!segunda.waitForFinished(3000)) segunda.kill();
    segunda.waitForFinished(3000);
  }
}

// A killed instance leaves its socket: the next start removes it and opens
// its file at once.
TEST_F(DuasInstancias, SocketDeInstanciaMortaRemovido) {
  const QString a = Modelo("a.tsn"), b = Modelo("b.tsn");
  Inicia(primeira, a);
  ASSERT_TRUE(primeira.waitForStarted(5000));
  ASSERT_TRUE(Registrou("aberto: \"" + a + "\"")) << registro.toStdString();
  const QString socket = pasta.filePath(QStringLiteral("tarsolin-%1-%2.sock").arg(::getuid()).arg(primeira.processId()));
  ASSERT_TRUE(QFileInfo::exists(socket));
  ::kill(pid_t(primeira.processId()), SIGKILL);
  ASSERT_TRUE(primeira.waitForFinished(5000));
  ASSERT_TRUE(QFileInfo::exists(socket));  // left behind

  QProcess segunda;
  Inicia(segunda, b);
  ASSERT_TRUE(segunda.waitForStarted(5000));
  QString registroSegunda;
  EXPECT_TRUE(QTest::qWaitFor([&] {
    segunda.waitForReadyRead(20);
    registroSegunda += QString::fromUtf8(segunda.readAllStandardError());
    return registroSegunda.contains("aberto: \"" + b + "\"");
  }, 10000)) << registroSegunda.toStdString();
  EXPECT_FALSE(QFileInfo::exists(socket));
  segunda.terminate();
  if (!segunda.waitForFinished(3000)) segunda.kill();
  segunda.waitForFinished(3000);
}

// Arquivo > Abrir in a second instance, of a model the first has open: the
// first brings it forward, the second opens nothing; another model opens here.
TEST_F(DuasInstancias, AbrirNaSegundaInstanciaTrazAPrimeira) {
  const QString a = Modelo("a.tsn"), b = Modelo("b.tsn");
  Inicia(primeira, a);
  ASSERT_TRUE(primeira.waitForStarted(5000));
  ASSERT_TRUE(Registrou("aberto: \"" + a + "\"")) << registro.toStdString();

  qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // this process meets the first
  plat::DefineModoRoteiro(true);
  plat::LimpaRoteiros();
  {
    CTarsolinApp app;
    ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
    auto abre = [](const QString& caminho) {
      plat::RoteiroPara("dlgArquivo", [caminho](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(caminho);
        d.accept();
      });
      EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_FILE_OPEN));
    };
    plat::GravadorMensagens msgs;
    abre(a);
    EXPECT_TRUE(app.Documentos().empty());
    EXPECT_TRUE(Registrou("ativado: \"" + a + "\"")) << registro.toStdString();
    abre(b);
    ASSERT_EQ(app.Documentos().size(), 1u);
    EXPECT_EQ(app.Documentos()[0]->GetPathName(), b);
    EXPECT_EQ(msgs.Textos(), QStringList{});
    app.MainFrame()->close();
  }
  plat::LimpaRoteiros();
  EXPECT_EQ(registro.count("aberto: \"" + a + "\""), 1);
  EXPECT_FALSE(registro.contains("aberto: \"" + b + "\""));
}

}  // namespace
