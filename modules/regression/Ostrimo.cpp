// The regression library's entry points. The program binds them by ordinal:
// 1 `Dirigido`, 2 `Calcula`, each `int (const char* caminho)`, non-zero when done.
// Every call works on a fresh library state and leaves no window behind.
// The library is unloaded right after each call, so no text it hands out may
// point into its own memory: texts are built at run time, never as literals
// whose data stays in the library's image.
#include "controls/CHoverButton.h"
#include "model/TabelasEstatisticas.h"
#include "modules/regression/CalculoRegressao.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/Programa.h"

#include <QString>

#include <exception>
#include <memory>

namespace ostrimo {

namespace {

// The library's application object: finds the program folder once, where the
// F table is looked up, and points the buttons at the library's own icons.
struct CKmrCalcularApp {
  CKmrCalcularApp() : pastaPrograma(plat::PastaPrograma()) {}
  void Prepara() const {
    DefinePastaTabelas(pastaPrograma);
    CHoverButton::DefinePrefixoRecursos(QString::fromUtf8(":/regression/"));
  }
  QString pastaPrograma;
};

CKmrCalcularApp& Aplicacao() {
  static CKmrCalcularApp app;
  return app;
}

template <class F>
int Executa(const char* caminho, F&& f) {
  if (caminho == nullptr) return 0;
  Aplicacao().Prepara();
  try {
    auto calculo = std::make_unique<CalculoRegressao>();
    return f(*calculo, QString::fromLocal8Bit(caminho)) ? 1 : 0;
  } catch (...) {
    // Nothing may leave the library; the file was not written.
    plat::MessageBox(QString::fromUtf8("Cálculo indeterminado !"), QString::fromUtf8("Tarsolin Windows"),
                     plat::MB_OK | plat::MB_ICONERROR);
    return 0;
  }
}

int Dirigido(const char* caminho) {
  return Executa(caminho, [](CalculoRegressao& c, const QString& p) { return c.Dirigido(p); });
}

int Calcula(const char* caminho) {
  return Executa(caminho, [](CalculoRegressao& c, const QString& p) { return c.Calcula(p); });
}

}  // namespace
}  // namespace ostrimo

TARSOLIN_EXPORTA void* ObtemExportacao(int ordinal) {
  switch (ordinal) {
    case 1:
      return reinterpret_cast<void*>(&ostrimo::Dirigido);
    case 2:
      return reinterpret_cast<void*>(&ostrimo::Calcula);
    default:
      return nullptr;
  }
}
