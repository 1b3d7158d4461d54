// One QApplication for every test of this folder, created before the first test.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
class AmbienteQt : public ::testing::Environment {
public:
  void SetUp() override {
    static int argc = 1;
    static char nome[] = "dataops_tests";
    static char* argv[] = {nome, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    QApplication::setOrganizationName("TarsolinTestes");
    QApplication::setApplicationName("PalvedoTestes");
    // The user's catalogue copy goes to a test folder, never the real one.
    QStandardPaths::setTestModeEnabled(true);
  }
};
const auto* ambiente = ::testing::AddGlobalTestEnvironment(new AmbienteQt);
}  // namespace
