// One QApplication for every test of an executable, created before the first
// test: offscreen unless the environment chose a platform, with settings and
// data kept away from the user's own.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
class AmbienteQt : public ::testing::Environment {
public:
  void SetUp() override {
    // Test discovery runs the program outside CTest's environment too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char nome[] = "tarsolin_tests";
    static char* argv[] = {nome, nullptr};
    // Kept to the end of the process: widgets a test leaves behind must not
    // outlive their application.
    if (!QApplication::instance()) new QApplication(argc, argv);
    QApplication::setOrganizationName("TarsolinTestes");
    QApplication::setApplicationName("TarsolinTestes");
  }
};
const auto* const ambiente = ::testing::AddGlobalTestEnvironment(new AmbienteQt);
}  // namespace
