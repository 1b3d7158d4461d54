// The spatial regression flow against a stand-in library that marks the header
// with the model it fitted and the shapes it received.
#include "CRelatorio.h"
#include "DriversCalculo.h"
#include "Fixturas.h"

#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;
constexpr std::size_t kResultados = 408776;  // spatial result [i] at + 8 i

CRelatorio* RelatorioAberto() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* r = qobject_cast<CRelatorio*>(w)) return r;
  return nullptr;
}

struct Espacial : AmbienteComandos {
  CTarsolinDoc doc;
  QString caminho;
  QString registro;  // the progress log as it stood when the wait began
  QTimer vigia;

  void SetUp() override {
    AmbienteComandos::SetUp();
    drivers::Modulos().quenvik = QStringLiteral("StubQuenvik.so");
    auto cab = CabecalhoPequeno(6);
    caminho = GravaModelo(pasta, "m.tsn", *cab);
    ASSERT_TRUE(doc.AbreArquivo(caminho));
    ASSERT_TRUE(doc.CarregaRegistros());
    // Record 3 excluded: everything is cut to the five considered records.
    doc.GetDados()[3].excluido = 1;
    doc.GetCabecalho()->SetI32(C::OffNumConsiderados, 5);
    NEWMAT::Matrix& w = doc.GetW();
    w.ReSize(6, 6);
    w = 1.0;
    // The wait ends when the user presses "&Fechar".
    QObject::connect(&vigia, &QTimer::timeout, [this] {
      if (CRelatorio* r = RelatorioAberto(); r && plat::Texto(*r, 2) == QStringLiteral("&Fechar")) {
        registro = r->TextoRegistro();
        plat::Pressiona(*r, 2);
      }
    });
    vigia.start(10);
  }
  void TearDown() override {
    vigia.stop();
    plat::SimulaFalhaGravacao(-1);
    AmbienteComandos::TearDown();
  }
  // The options dialog: the model's radio and the start of rho.
  static void Preenche(QDialog& d, int radio, const char* rhoInicial) {
    plat::DefineMarcado(d, radio, true);
    plat::DefineTexto(d, 1057, "50");
    plat::DefineTexto(d, 1058, "0,0001");
    plat::DefineTexto(d, 1060, "-0,99");
    plat::DefineTexto(d, 1062, "0,99");
    plat::DefineTexto(d, 1056, QString::fromLatin1(rhoInicial));
  }
  static void Opcoes(int radio, const char* rhoInicial) {
    plat::RoteiroPara("dlg505", [radio, rhoInicial](QDialog& d) {
      Preenche(d, radio, rhoInicial);
      plat::Pressiona(d, 1);
    });
  }
  QByteArray CabecalhoArquivo() const { return Conteudo(caminho).left(C::Tamanho); }
  QByteArray CabecalhoMemoria() {
    return QByteArray(reinterpret_cast<const char*>(doc.GetCabecalho()->bytes), C::Tamanho);
  }
};
}  // namespace

TEST_F(Espacial, TheChosenModelRunsOnTheConsideredRecordsAndIsSaved) {
  struct Caso {
    const char* nome;
    int radio;
    double marca;  // 3 sar, 4 sem
    int tipo;      // model kind stored at 408732
  };
  const Caso casos[] = {{"lag", 1096, 3.0, 1}, {"error", 1095, 4.0, 0}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    ASSERT_TRUE(doc.CarregaRegistros());
    doc.GetDados()[3].excluido = 1;
    servicos.postados.clear();
    Opcoes(c.radio, "0,1");
    ASSERT_TRUE(drivers::RegressaoEspacial(doc)) << mensagens.Textos().join('|').toStdString();
    const CabecalhoModelo& cab = *doc.GetCabecalho();
    EXPECT_EQ(cab.F64(kResultados), c.marca);
    EXPECT_EQ(cab.I32(C::OffTipoEspacial), c.tipo);
    // y and X over the five considered records, X without the dependent, W cut.
    EXPECT_EQ(cab.F64(kResultados + 8), 5.0);
    EXPECT_EQ(cab.F64(kResultados + 16), 5.0);
    EXPECT_EQ(cab.F64(kResultados + 24), 2.0);
    EXPECT_EQ(cab.F64(kResultados + 32), 5.0);
    EXPECT_EQ(cab.F64(kResultados + 40), 5.0);
    EXPECT_EQ(CabecalhoMemoria(), CabecalhoArquivo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.RegistrosCarregados());
    EXPECT_EQ(servicos.postados, std::vector<int>{drivers::CmdAtualizaPaineis});
    EXPECT_EQ(registro, QStringLiteral("Iniciando os cálculos ...\nlinha da biblioteca\nSalvando os resultados...\n"));
  }
  EXPECT_TRUE(mensagens.Textos().isEmpty());
}

TEST_F(Espacial, LibraryFalseEndsAtOnceWithoutMessageOrSave) {
  const QByteArray antes = CabecalhoArquivo();
  Opcoes(1096, "-0,5");
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  EXPECT_TRUE(mensagens.Textos().isEmpty());  // the library reports its own failure
  EXPECT_EQ(RelatorioAberto(), nullptr);
  EXPECT_EQ(CabecalhoArquivo(), antes);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffEspacialCalculado), 0);
  EXPECT_TRUE(servicos.postados.empty());
}

TEST_F(Espacial, FailedSaveIsReportedAndTheResultsStayInMemory) {
  const QByteArray antes = CabecalhoArquivo();
  Opcoes(1096, "0,1");
  plat::SimulaFalhaGravacao(0);
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  plat::SimulaFalhaGravacao(-1);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Acesso ao arquivo negado !")});
  EXPECT_EQ(doc.GetCabecalho()->F64(kResultados), 3.0);
  EXPECT_NE(doc.GetCabecalho()->I32(C::OffEspacialCalculado), 0);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(CabecalhoArquivo(), antes);
  EXPECT_EQ(RelatorioAberto(), nullptr);
  EXPECT_TRUE(servicos.postados.empty());
}

TEST_F(Espacial, MissingOrdinalIsReportedWhileTheProgressDialogStands) {
  drivers::Modulos().quenvik = QStringLiteral("StubOstrimo.so");  // no ordinal 3 or 4
  bool relatorioNaMensagem = false;
  const plat::TratadorMensagem anterior = plat::DefineTratadorMensagem([&](const plat::Mensagem& m) {
    relatorioNaMensagem = RelatorioAberto() != nullptr;
    EXPECT_EQ(m.texto, QStringLiteral("Não foi possível executar a rotina de cálculo !"));
    return plat::IDOK;
  });
  Opcoes(1096, "0,1");
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  plat::DefineTratadorMensagem(anterior);
  EXPECT_TRUE(relatorioNaMensagem);
  EXPECT_EQ(RelatorioAberto(), nullptr);
}

TEST_F(Espacial, CancelDuringTheCalculationHidesTheDialogAndTheWaitReturnsAtOnce) {
  vigia.stop();  // nobody presses "&Fechar" this time
  bool cancelado = false;
  QString botao;
  plat::RoteiroPara("dlg505", [&](QDialog& d) {
    Preenche(d, 1096, "0,1");
    plat::Pressiona(d, 1);
    // Pressed as soon as the progress dialog handles events.
    QTimer::singleShot(0, [&] {
      if (CRelatorio* r = RelatorioAberto()) {
        botao = plat::Texto(*r, 2);
        plat::Pressiona(*r, 2);
        cancelado = !r->isVisible();
      }
    });
  });
  // Should the wait not return, this ends it and the test fails.
  bool resgatado = false;
  QTimer resgate;
  resgate.setSingleShot(true);
  QObject::connect(&resgate, &QTimer::timeout, [&] {
    if (CRelatorio* r = RelatorioAberto()) {
      resgatado = true;
      r->reject();
    }
  });
  resgate.start(5000);
  EXPECT_TRUE(drivers::RegressaoEspacial(doc)) << mensagens.Textos().join('|').toStdString();
  EXPECT_EQ(botao, QStringLiteral("&Cancelar"));  // still calculating
  EXPECT_TRUE(cancelado);
  EXPECT_FALSE(resgatado);
  // The calculation went on: the results are saved.
  EXPECT_EQ(doc.GetCabecalho()->F64(kResultados), 3.0);
  EXPECT_EQ(CabecalhoMemoria(), CabecalhoArquivo());
}

// Records that can no longer be read stop the flow with the access message,
// and the progress dialog goes with it.
TEST_F(Espacial, UnreadableRecordsSayAccessDenied) {
  doc.LiberaRegistros();
  ASSERT_TRUE(teste::GravaBytes(caminho, Conteudo(caminho).left(C::Tamanho + 100)));
  Opcoes(1096, "0,1");
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Acesso ao arquivo negado !")});
  EXPECT_EQ(RelatorioAberto(), nullptr);
  EXPECT_TRUE(servicos.postados.empty());
}

// Past the records W can be built for, the command says so, naming the limit,
// before the options: not that the matrix is empty after them.
TEST_F(Espacial, PastTheWeightsLimitTheLimitIsNamedBeforeTheOptions) {
  doc.LiberaRegistros();
  doc.GetW().ReSize(0, 0);  // never built at this size
  doc.GetCabecalho()->SetI32(C::OffNumDados, CTarsolinDoc::MaxRegistrosW + 1);
  bool opcoes = false;
  plat::RoteiroPara("dlg505", [&](QDialog& d) {
    opcoes = true;
    Preenche(d, 1096, "0,1");
    plat::Pressiona(d, 1);
    if (d.isVisible()) d.reject();
  });
  EXPECT_FALSE(drivers::RegressaoEspacial(doc));
  EXPECT_FALSE(opcoes);
  EXPECT_EQ(mensagens.Textos(), QStringList{plat::Texto(21005).arg(CTarsolinDoc::MaxRegistrosW)});
  EXPECT_TRUE(mensagens.Textos().value(0).contains(QString::number(CTarsolinDoc::MaxRegistrosW)));
  EXPECT_EQ(RelatorioAberto(), nullptr);
}
