// Widgets need an application object before any test runs.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Test discovery runs the program outside CTest's environment too.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
