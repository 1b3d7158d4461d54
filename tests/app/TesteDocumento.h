#pragma once
// What the document tests share: a folder of their own, the program's
// services with scripted dialogs, and a child process standing for another
// instance of the program.
#include "ModeloTeste.h"
#include "ServicosDocumentoApp.h"

#include "model/CTarsolinDoc.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace teste {

// Runs `f` in a child process; true when it answered true.
inline bool EmOutroProcesso(const std::function<bool()>& f) {
  const pid_t filho = ::fork();
  if (filho == 0) ::_exit(f() ? 0 : 1);
  int estado = 0;
  ::waitpid(filho, &estado, 0);
  return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

// `Servicos`: the document services the tests install (the program's own,
// or those with a step replaced).
template <class Servicos>
class TesteDocumento : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    CTarsolinDoc::DefineServicos(&servicos);
  }
  void TearDown() override {
    CTarsolinDoc::DefineServicos(nullptr);
    plat::LimpaRoteiros();
    plat::SimulaFalhaGravacao(-1);
  }
  QString Caminho(const QString& nome) const { return pasta.filePath(nome); }
  QString GravaModelo(const QString& nome, Modelo& m) {
    const QString c = Caminho(nome);
    EXPECT_TRUE(m.Grava(c));
    return c;
  }

  QTemporaryDir pasta;
  Servicos servicos;
};

}  // namespace teste
