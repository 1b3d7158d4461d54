#pragma once
// Binding to the loadable libraries. Each module (Ostrimo.so, Quenvik.so,
// Palvedo.so, Mirsalto.so) exports one C function,
//   extern "C" void* ObtemExportacao(int ordinal);
// returning the export for that ordinal or a null pointer. The program loads the
// module from the program folder for one call and unloads it right after.
#include <QString>
#include <functional>

#define TARSOLIN_EXPORTA extern "C" __attribute__((visibility("default")))

namespace plat {

enum class EstadoModulo {
  Chamado,        // loaded, resolved and called
  NaoCarregado,   // the file is missing or does not load
  SemOrdinal,     // no ObtemExportacao, or it answers null for the ordinal
};

// Loads `arquivo` from the program folder, resolves `ordinal`, hands the export
// to `chamada` (which casts it to its type and calls it once) and unloads.
EstadoModulo ChamaModulo(const QString& arquivo, int ordinal,
                         const std::function<void(void* exportacao)>& chamada);

// The loader's last error text, for logs.
QString UltimoErroModulo();

}  // namespace plat
