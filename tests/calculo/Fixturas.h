#pragma once
#include "tests/support/Arquivos.h"
// A small model file on disk and a document over it, with the services that
// record the posted commands.
#include "DriversCalculo.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <memory>
#include <vector>

struct ServicosGravados : ServicosDocumento {
  std::vector<int> postados;
  void PostaComando(int c) override { postados.push_back(c); }
};

// Three variables (the last the dependent) over five records at (i, i²).
inline std::unique_ptr<CabecalhoModelo> CabecalhoPequeno(int registros = 5) {
  auto cab = std::make_unique<CabecalhoModelo>();
  cab->Zera();
  std::memcpy(cab->bytes, "Tarsolin 15509664", 17);
  cab->SetI32(CabecalhoModelo::OffNumVariaveis, 3);
  cab->SetI32(CabecalhoModelo::OffNumDados, registros);
  cab->SetI32(CabecalhoModelo::OffNumConsiderados, registros);
  cab->SetI32(CabecalhoModelo::OffDependente, 2);
  for (int v = 0; v < 3; ++v) {
    cab->SetI32(CabecalhoModelo::OffHabilitadas + 4 * v, 1);
    cab->SetTexto(CabecalhoModelo::OffNomesVariaveis + 31 * v, 31, QStringLiteral("V%1").arg(v));
  }
  return cab;
}

inline QString GravaModelo(const QTemporaryDir& pasta, const QString& nome, CabecalhoModelo& cab) {
  const int n = cab.I32(CabecalhoModelo::OffNumDados);
  std::vector<dado> dados(n);
  for (int i = 0; i < n; ++i) {
    dados[i].valor[0] = i + 1;
    dados[i].valor[1] = (i + 1) * (i + 1);
    dados[i].valor[2] = 10.0 + 3 * i + (i % 2);
  }
  NEWMAT::Matrix w;
  const QString caminho = pasta.filePath(nome);
  GravaArquivoModelo(caminho, &cab, dados.data(), nullptr, w);
  return caminho;
}

inline QByteArray Conteudo(const QString& caminho) { return teste::LeArquivo(caminho); }

inline QByteArray BytesCabecalho(const CabecalhoModelo& c) {
  return QByteArray(reinterpret_cast<const char*>(c.bytes), CabecalhoModelo::Tamanho);
}
// The file's header as the document holds it after a re-read: the file's
// bytes, except the two only the session knows (unlocked with the password,
// W built from the coordinates at open), which stay as they were in memory.
inline QByteArray CabecalhoRelido(const QByteArray& arquivo, const CabecalhoModelo& memoria) {
  QByteArray c = arquivo.left(CabecalhoModelo::Tamanho);
  for (std::size_t off : {CabecalhoModelo::OffDesbloqueado, CabecalhoModelo::OffSemElementosW})
    c[qsizetype(off)] = char(memoria.U8(off));
  return c;
}

// Commands run against recorded services and messages, dialogs scripted, the
// regression library replaced by its stand-in.
struct AmbienteComandos : ::testing::Test {
  QTemporaryDir pasta;
  ServicosGravados servicos;
  plat::GravadorMensagens mensagens;
  void SetUp() override {
    CTarsolinDoc::DefineServicos(&servicos);
    plat::DefineModoRoteiro(true);
    drivers::Modulos() = drivers::NomesModulos{};
    drivers::Modulos().ostrimo = QStringLiteral("StubOstrimo.so");
  }
  void TearDown() override {
    drivers::Modulos() = drivers::NomesModulos{};
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
    CTarsolinDoc::DefineServicos(nullptr);
  }
};
