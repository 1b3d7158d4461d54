// Binding to loadable modules: load from the program folder, resolve one
// ordinal, call once, unload.
#include "platform/Modulo.h"
#include "platform/Programa.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdexcept>

namespace {

const QString kModuloA = QStringLiteral("test_ModuloA.so");
const QString kModuloB = QStringLiteral("test_ModuloB.so");

using Eco = void* (*)(void*);
using Conta = int (*)();

// True while the module is mapped in the process (RTLD_NOLOAD loads nothing).
bool Residente(const QString& arquivo) {
  void* h = dlopen(plat::CaminhoPrograma(arquivo).toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD);
  if (!h) return false;
  dlclose(h);
  return true;
}

TEST(Modulo, ChamadaDevolveSeuArgumento) {
  int dado = 42;
  void* devolvido = nullptr;
  int chamadas = 0;
  const auto estado = plat::ChamaModulo(kModuloA, 1, [&](void* f) {
    ++chamadas;
    EXPECT_TRUE(Residente(kModuloA));
    devolvido = reinterpret_cast<Eco>(f)(&dado);
  });
  EXPECT_EQ(estado, plat::EstadoModulo::Chamado);
  EXPECT_EQ(chamadas, 1);
  EXPECT_EQ(devolvido, &dado);
  EXPECT_FALSE(Residente(kModuloA));
}

struct CasoFalha {
  const char* nome;
  QString arquivo;
  int ordinal;
  plat::EstadoModulo estado;
};

TEST(Modulo, FalhasSaoDevolvidasSemChamar) {
  const CasoFalha casos[] = {
      {"arquivo_ausente", QStringLiteral("NaoExiste.so"), 1, plat::EstadoModulo::NaoCarregado},
      {"arquivo_que_nao_e_biblioteca", QStringLiteral("platform_tests"), 1, plat::EstadoModulo::NaoCarregado},
      {"ordinal_ausente", kModuloA, 99, plat::EstadoModulo::SemOrdinal},
      {"ordinal_zero", kModuloA, 0, plat::EstadoModulo::SemOrdinal},
      {"sem_ponto_de_entrada", kModuloB, 1, plat::EstadoModulo::SemOrdinal},
  };
  for (const CasoFalha& c : casos) {
    SCOPED_TRACE(c.nome);
    bool chamou = false;
    EXPECT_EQ(plat::ChamaModulo(c.arquivo, c.ordinal, [&](void*) { chamou = true; }), c.estado);
    EXPECT_FALSE(chamou);
    EXPECT_FALSE(plat::UltimoErroModulo().isEmpty());
    EXPECT_FALSE(Residente(c.arquivo));
  }
}

TEST(Modulo, CinquentaCiclosCarregaChamaDescarrega) {
  for (int i = 0; i < 50; ++i) {
    int contagem = 0;
    ASSERT_EQ(plat::ChamaModulo(kModuloA, 2, [&](void* f) { contagem = reinterpret_cast<Conta>(f)(); }),
              plat::EstadoModulo::Chamado);
    // A fresh load each time: the module's count starts over.
    ASSERT_EQ(contagem, 1) << "cycle " << i;
    ASSERT_FALSE(Residente(kModuloA)) << "cycle " << i;
  }
}

TEST(Modulo, ExcecaoDoChamadorAindaDescarrega) {
  EXPECT_THROW(plat::ChamaModulo(kModuloA, 1, [](void*) { throw std::runtime_error("falha"); }),
               std::runtime_error);
  EXPECT_FALSE(Residente(kModuloA));
}

// The program's own modules must unload as well. A module that defines a
// process-unique symbol (STB_GNU_UNIQUE, from inline statics of library
// headers) is pinned by the loader and keeps its statics from one call to the
// next. Disabled until the modules are built with -fno-gnu-unique.
TEST(Modulo, ModulosDoProgramaDescarregam) {
  for (const char* nome : {"Ostrimo.so", "Quenvik.so", "Palvedo.so", "Mirsalto.so"}) {
    const QString arquivo = QString::fromLatin1(nome);
    const QByteArray caminho = plat::CaminhoPrograma(arquivo).toLocal8Bit();
    void* h = dlopen(caminho.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!h) continue;  // not built in this tree
    dlclose(h);
    EXPECT_FALSE(Residente(arquivo)) << nome;
  }
}

}  // namespace
