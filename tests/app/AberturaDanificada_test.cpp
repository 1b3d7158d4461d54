// Opening through Arquivo > Abrir what is no model to read: a FIFO, as a model
// or as a report (refused at once, never waited on), and copies of the example model with
// damaged header fields or stored W elements (refused or repaired, with the
// reason said).
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "ModeloTeste.h"
#include "RoteadorComandos.h"
#include "tests/support/MemoriaProcesso.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Offsets of the example's layout, as the file stores them.
constexpr qsizetype Cab = 583248, TamDado = 2512;
constexpr qsizetype OffEstado = 41560, OffTransf = 41564, OffNumEq = 65564, OffEqCorrente = 65568;
constexpr qsizetype OffN = 65576, OffConsiderados = 65580, OffValidacao = 408240;
constexpr qsizetype OffSemW = 408272, OffK = 408708;
constexpr qsizetype OffMarcaValidacao = 2272;  // in each data record

void I32(QByteArray& b, qsizetype off, int32_t v) { std::memcpy(b.data() + off, &v, 4); }
int32_t LeI32(const QByteArray& b, qsizetype off) {
  int32_t v;
  std::memcpy(&v, b.constData() + off, 4);
  return v;
}
QByteArray Elemento(double valor, int32_t linha, int32_t coluna) {
  QByteArray e(16, '\0');
  std::memcpy(e.data(), &valor, 8);
  std::memcpy(e.data() + 8, &linha, 4);
  std::memcpy(e.data() + 12, &coluna, 4);
  return e;
}
// `ne` kept equations of the example's 16 variables, every code 1 (x), calculated.
void Calculado(QByteArray& b, int ne) {
  I32(b, OffEstado, 1);
  I32(b, OffNumEq, ne);
  for (int v = 0; v < 16; ++v)
    for (int e = 0; e < ne; ++e) I32(b, OffTransf + 400 * v + 4 * e, 1);
}

class AberturaDanificada : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(pasta.isValid());
    qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    exemplo = teste::LeArquivo(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"));
    ASSERT_EQ(exemplo.size(), Cab + 211 * TamDado);
    ASSERT_EQ(LeI32(exemplo, OffN), 211);
  }
  void TearDown() override { plat::LimpaRoteiros(); }
  // Arquivo > Abrir, the file chosen in the dialog.
  void AbrePeloMenu(const QString& caminho) {
    plat::RoteiroPara("dlgArquivo", [caminho](QDialog& d) {
      static_cast<QFileDialog&>(d).selectFile(caminho);
      d.accept();
    });
    EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_FILE_OPEN));
  }
  QString Recusa(const QString& caminho, const QString& motivo) const {
    return QDir::toNativeSeparators(caminho) + '\n' + plat::Texto(3044) + '\n' + motivo;
  }
  QString Reparo(const QString& caminho, const QString& reparos) const {
    return QDir::toNativeSeparators(caminho) + '\n' + QStringLiteral("O modelo foi aberto com correções:") + '\n' +
           reparos;
  }

  QTemporaryDir pasta;
  QByteArray exemplo;
};

// A FIFO is never opened for reading (that waits for a writer forever). A
// regression would hang here: a watchdog thread then opens the FIFO for
// writing, which lets the reader through, and the test fails on the time.
TEST_F(AberturaDanificada, FilaRecusadaSemEsperar) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  const QString filaModelo = pasta.filePath("fila.tsn"), filaRelatorio = pasta.filePath("fila.rtf");
  for (const QString& f : {filaModelo, filaRelatorio})
    ASSERT_EQ(::mkfifo(QFile::encodeName(f).constData(), 0600), 0);
  std::atomic<bool> fim{false}, liberou{false};
  std::thread vigia([&] {
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!fim && std::chrono::steady_clock::now() < limite) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    while (!fim) {
      for (const QString& f : {filaModelo, filaRelatorio}) {
        const int fd = ::open(QFile::encodeName(f).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
          liberou = true;
          ::close(fd);
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  struct Caso {
    QString caminho;
    QString tipo;
  };
  const Caso casos[] = {{filaModelo, QStringLiteral("é uma fila (FIFO)")},
                        {filaRelatorio, QStringLiteral("é uma fila (FIFO)")}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.caminho.toStdString());
    plat::GravadorMensagens msgs;
    QElapsedTimer relogio;
    relogio.start();
    AbrePeloMenu(c.caminho);
    EXPECT_LT(relogio.elapsed(), 2000);
    EXPECT_EQ(msgs.Textos(), QStringList{QDir::toNativeSeparators(c.caminho) + '\n' +
                                         QStringLiteral("Não é um arquivo comum: %1. Só arquivos comuns podem ser "
                                                        "abertos.").arg(c.tipo)});
  }
  fim = true;
  vigia.join();
  EXPECT_FALSE(liberou) << "a FIFO was opened for reading";
  EXPECT_TRUE(app.Documentos().empty());
  EXPECT_TRUE(app.MainFrame()->Mdi()->subWindowList().isEmpty());
  app.MainFrame()->close();
}

// Damaged copies of the example: each refused with its reason, or opened
// repaired with what was repaired said, and never with a made-up equation.
TEST_F(AberturaDanificada, CamposDanificadosRecusadosOuReparados) {
  struct Caso {
    const char* nome;
    std::function<void(QByteArray&)> estraga;
    QString recusa;   // refused with this reason
    QString reparos;  // or opened with these repairs (empty: opened silently)
    std::function<void(const CabecalhoModelo&)> confere;
  };
  auto codigo = [](int32_t c) {
    return [c](QByteArray& b) {
      Calculado(b, 3);
      I32(b, OffTransf + 400 * 3 + 4 * 1, c);  // PATIO in the second equation
    };
  };
  auto textoCodigo = [](const char* c) {
    return QStringLiteral("A equação 2 guarda o código de transformação %1 para a variável PATIO; os códigos vão de "
                          "0 a 7.").arg(QString::fromLatin1(c));
  };
  const Caso casos[] = {
      {"integro", [](QByteArray&) {}, {}, {}, [](const CabecalhoModelo& c) { EXPECT_EQ(c.NumConsiderados(), 211); }},
      {"codigo99", codigo(99), textoCodigo("99"), {}, {}},
      {"codigoMenos7", codigo(-7), textoCodigo("-7"), {}, {}},
      {"codigoMinimo", codigo(-2147483647), textoCodigo("-2147483647"), {}, {}},
      {"equacao96de88",
       [](QByteArray& b) {
         Calculado(b, 88);
         I32(b, OffEqCorrente, 95);
       },
       {},
       QStringLiteral("A equação corrente (96) não está entre as 88 equações guardadas: a equação 1 passa a ser a "
                      "corrente."),
       [](const CabecalhoModelo& c) {
         EXPECT_EQ(c.EquacaoCorrente(), 0);
         EXPECT_EQ(c.NumEquacoes(), 88);
       }},
      {"calculadoSemEquacao", [](QByteArray& b) { Calculado(b, 0); }, {},
       QStringLiteral("O modelo se diz calculado, mas não guarda nenhuma equação: fica sem equação calculada."),
       [](const CabecalhoModelo& c) { EXPECT_EQ(c.EstadoCalculo(), 0); }},
      {"consideradosZero", [](QByteArray& b) { I32(b, OffConsiderados, 0); }, {},
       QStringLiteral("O cabeçalho conta 0 dados considerados, mas os registros marcam 211: a contagem foi "
                      "corrigida."),
       [](const CabecalhoModelo& c) { EXPECT_EQ(c.NumConsiderados(), 211); }},
      {"validacaoSemMarcas",
       [](QByteArray& b) {
         I32(b, OffValidacao, 5);
         I32(b, Cab + 7 * TamDado + OffMarcaValidacao, 1);  // one record marked
         b[Cab + 7 * TamDado + 1506] = 1;                   // and not considered
         I32(b, OffConsiderados, 210);
       },
       {},
       QStringLiteral("O cabeçalho conta 5 dados de validação, mas os registros marcam 1: a contagem foi corrigida."),
       [](const CabecalhoModelo& c) {
         EXPECT_EQ(c.NumValidacao(), 1);
         EXPECT_EQ(c.NumConsiderados(), 210);
       }},
      // A hand-edited W kept in the stored elements (byte 408272 clear, no spatial result).
      {"wValido",
       [](QByteArray& b) {
         b[OffSemW] = 0;
         I32(b, OffK, 2);
         b += Elemento(0.5, 1, 2) + Elemento(0.5, 2, 1);
       },
       {}, {}, {}},
      {"wLinhaZero",
       [](QByteArray& b) {
         b[OffSemW] = 0;
         I32(b, OffK, 3);
         b += Elemento(0.5, 1, 2) + Elemento(0.5, 0, 5) + Elemento(0.5, 2, 1);
       },
       QStringLiteral("O elemento 2 de W (linha 0, coluna 5) está fora da matriz de 211 × 211."), {}, {}},
      {"wColunaAlemDeN",
       [](QByteArray& b) {
         b[OffSemW] = 0;
         I32(b, OffK, 2);
         b += Elemento(0.5, 1, 2) + Elemento(0.5, 3, 212);
       },
       QStringLiteral("O elemento 2 de W (linha 3, coluna 212) está fora da matriz de 211 × 211."), {}, {}},
      {"wAlemDoArquivo",
       [](QByteArray& b) {
         b[OffSemW] = 0;
         I32(b, OffK, 4);
         b += Elemento(0.5, 1, 2);
       },
       QStringLiteral("O arquivo tem %1 bytes; o cabeçalho anuncia %2.").arg(Cab + 211 * TamDado + 16).arg(Cab + 211 * TamDado + 64),
       {}, {}},
  };
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    QByteArray b = exemplo;
    caso.estraga(b);
    const QString c = pasta.filePath(QString::fromLatin1(caso.nome) + ".tsn");
    ASSERT_TRUE(teste::GravaBytes(c, b));
    plat::GravadorMensagens msgs;
    AbrePeloMenu(c);
    EXPECT_EQ(teste::LeArquivo(c), b);  // opening changes nothing on disk
    if (!caso.recusa.isEmpty()) {
      EXPECT_EQ(msgs.Textos(), QStringList{Recusa(c, caso.recusa)});
      EXPECT_EQ(app.DocumentoAberto(c), nullptr);
      continue;
    }
    EXPECT_EQ(msgs.Textos(), caso.reparos.isEmpty() ? QStringList{} : QStringList{Reparo(c, caso.reparos)});
    CTarsolinDoc* doc = app.DocumentoAberto(c);
    ASSERT_NE(doc, nullptr);
    // A repaired model is a changed model: closing it asks to save.
    EXPECT_EQ(doc->IsModified(), !caso.reparos.isEmpty());
    if (caso.confere) caso.confere(*doc->GetCabecalho());
    // The records load (a damaged W would have failed here).
    EXPECT_TRUE(doc->CarregaRegistros());
    EXPECT_EQ(msgs.Textos().size(), caso.reparos.isEmpty() ? 0 : 1);
    doc->SetModifiedFlag(false);
    EXPECT_TRUE(app.FechaDocumento(doc));
  }
  app.MainFrame()->close();
}


// A 2 GiB file claiming 10^8 stored elements (a full W of 10,000 records)
// whose elements are zeros: refused at open at the first element, in under
// two seconds and without reading 1.6 GB into memory. The file is
// sparse: its length is set by ftruncate, nothing is written past the header.
TEST_F(AberturaDanificada, ElementosDemaisRecusadosDepressa) {
  QByteArray cab = exemplo.left(Cab);
  const int N = 10000, K = 100000000;
  I32(cab, OffN, N);
  I32(cab, OffConsiderados, N);  // zero records: every one considered
  cab[OffSemW] = 0;
  I32(cab, OffK, K);
  const qint64 tamanho = 2LL << 30;
  ASSERT_GE(tamanho, Cab + qint64(N) * TamDado + qint64(K) * 16);  // every claimed element is in the file
  const QString c = pasta.filePath("enorme.tsn");
  {
    const int fd = ::open(QFile::encodeName(c).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, cab.constData(), size_t(cab.size())), cab.size());
    ASSERT_EQ(::ftruncate(fd, tamanho), 0);
    ::close(fd);
  }
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  plat::GravadorMensagens msgs;
  ZeraPico();
  [[maybe_unused]] const double antes = MemoriaMB("VmHWM");
  QElapsedTimer relogio;
  relogio.start();
  AbrePeloMenu(c);
  const qint64 ms = relogio.elapsed();
  EXPECT_LT(ms, 2000);
  RecordProperty("abertura_ms", int(ms));
#if !defined(__SANITIZE_ADDRESS__)  // its shadow and quarantine make resident memory no measure of ours
  const double cresceu = MemoriaMB("VmHWM") - antes;
  EXPECT_LT(cresceu, 200.0) << "the open took " << cresceu << " MB at its peak";
  RecordProperty("pico_mb", int(cresceu));
#endif
  EXPECT_EQ(msgs.Textos(),
            QStringList{Recusa(c, QStringLiteral("O elemento 1 de W (linha 0, coluna 0) está fora da matriz de "
                                                 "10000 × 10000."))});
  EXPECT_TRUE(app.Documentos().empty());
  app.MainFrame()->close();
}

}  // namespace
