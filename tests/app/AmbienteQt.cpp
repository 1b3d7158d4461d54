// One QApplication for every test of this folder, created before the first test.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
class AmbienteQt : public ::testing::Environment {
public:
  void SetUp() override {
    static int argc = 1;
    static char nome[] = "app_tests";
    static char* argv[] = {nome, nullptr};
    QStandardPaths::setTestModeEnabled(true);  // settings and data away from the user's own
    if (!QApplication::instance()) new QApplication(argc, argv);
    QApplication::setOrganizationName("TarsolinTestes");
    QApplication::setApplicationName("TarsolinTestes");
  }
};
const auto* ambiente = ::testing::AddGlobalTestEnvironment(new AmbienteQt);
}  // namespace
