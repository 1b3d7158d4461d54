// One QApplication for every test of an executable, created before the first
// test: offscreen unless the environment chose a platform, with settings and
// data kept away from the user's own.
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>

namespace {
class AmbienteQt : public ::testing::Environment {
public:
  void SetUp() override {
    // Test discovery runs the program outside CTest's environment too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "tarsolin_tests";
    static char* argv[] = {nome, nullptr};
    // Kept to the end of the process: widgets a test leaves behind must not
    // outlive their application.
    if (!QApplication::instance()) new QApplication(argc, argv);
    QApplication::setOrganizationName("TarsolinTestes");
    QApplication::setApplicationName("TarsolinTestes");
    // CTest runs the tests of one executable as parallel processes: each keeps
    // its settings in a folder of its own, so one test's set-up cannot wipe
    // what another is about to read back.
    // Each process meets no running instance of the program but those its
    // tests start: the runtime folder, where instances find each other, is its own.
    static QTemporaryDir execucao;
    if (execucao.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(execucao.path()));
    // Data (the user's variable catalogue), cache and configuration folders
    // too: a test that writes the catalogue must read back its own, whatever
    // the other processes copy or remove meanwhile.
    static QTemporaryDir dados, cache, configuracao;
    for (const auto& [variavel, pasta] : {std::pair{"XDG_DATA_HOME", &dados}, std::pair{"XDG_CACHE_HOME", &cache},
                                          std::pair{"XDG_CONFIG_HOME", &configuracao}})
      if (pasta->isValid()) qputenv(variavel, QFile::encodeName(pasta->path()));
    static QTemporaryDir configuracoes;
    if (configuracoes.isValid()) {
      QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configuracoes.path());
      QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configuracoes.path());
    }
  }
};
const auto* const ambiente = ::testing::AddGlobalTestEnvironment(new AmbienteQt);
}  // namespace
