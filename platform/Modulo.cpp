#include "platform/Modulo.h"

#include "platform/Programa.h"

#include <dlfcn.h>

namespace plat {

namespace {
QString& UltimoErro() {
  static QString e;
  return e;
}
}  // namespace

EstadoModulo ChamaModulo(const QString& arquivo, int ordinal,
                         const std::function<void(void*)>& chamada) {
  const QByteArray caminho = CaminhoPrograma(arquivo).toLocal8Bit();
  // RTLD_LOCAL keeps each module's symbols to itself; the one shared newmat is
  // already in the process.
  void* h = dlopen(caminho.constData(), RTLD_NOW | RTLD_LOCAL);
  if (!h) {
    const char* e = dlerror();
    UltimoErro() = QString::fromLocal8Bit(e ? e : "");
    return EstadoModulo::NaoCarregado;
  }
  using Obtem = void* (*)(int);
  auto obtem = reinterpret_cast<Obtem>(dlsym(h, "ObtemExportacao"));
  void* exportacao = obtem ? obtem(ordinal) : nullptr;
  if (!exportacao) {
    UltimoErro() = QStringLiteral("ordinal %1").arg(ordinal);
    dlclose(h);
    return EstadoModulo::SemOrdinal;
  }
  struct Descarrega {
    void* h;
    ~Descarrega() { dlclose(h); }
  } descarrega{h};
  chamada(exportacao);
  return EstadoModulo::Chamado;
}

QString UltimoErroModulo() { return UltimoErro(); }

}  // namespace plat
