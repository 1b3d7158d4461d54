#pragma once
// A QApplication for the widget tests of one suite, gone again afterwards so
// that other suites can check what happens with no GUI application.
#include <QApplication>
#include <memory>

class AplicacaoTeste {
public:
  static void Cria() {
    static int argc = 1;
    static char nome[] = "platform_tests";
    static char* argv[] = {nome, nullptr};
    if (!QCoreApplication::instance()) App() = std::make_unique<QApplication>(argc, argv);
  }
  static void Destroi() { App().reset(); }
private:
  static std::unique_ptr<QApplication>& App() {
    static std::unique_ptr<QApplication> app;
    return app;
  }
};
