// The main road end to end, offscreen, with the real libraries: the linear
// regression from the model window, the equation chooser, then the spatial
// lag model with its options and progress.
#include "CChildFrame.h"
#include "CRelatorio.h"
#include "DriversCalculo.h"
#include "Fixturas.h"
#include "JanelaModeloBasica.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

int32_t I32(const QByteArray& b, int off) {
  int32_t v;
  std::memcpy(&v, b.constData() + off, 4);
  return v;
}
}  // namespace

TEST(PontaAPonta, LinearRegressionChooserAndSpatialLag) {
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath("baltimore.tsn");
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), caminho));
  QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
  drivers::Modulos() = drivers::NomesModulos{};
  ServicosGravados servicos;
  CTarsolinDoc::DefineServicos(&servicos);
  plat::GravadorMensagens mensagens;
  plat::DefineModoRoteiro(true);

  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(caminho));
  CChildFrame moldura(&doc, new JanelaModeloBasica(&doc));

  // 32831: the options of the regression library (general method, x and ln(x)).
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1030, true);
    for (int id : {1016, 1018, 1019, 1020, 1021, 1022}) plat::DefineMarcado(d, id, false);
    plat::DefineMarcado(d, 1017, true);
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(moldura.OnCmdMsg(32831));
  ASSERT_EQ(servicos.postados, std::vector<int>{32837}) << mensagens.Textos().join('|').toStdString();
  EXPECT_FALSE(doc.RegistrosCarregados());
  const QByteArray calculado = Conteudo(caminho);
  EXPECT_EQ(BytesCabecalho(*doc.GetCabecalho()), CabecalhoRelido(calculado, *doc.GetCabecalho()));
  const int kept = I32(calculado, C::OffNumEquacoes);
  ASSERT_GT(kept, 1);

  // 32837: the chooser; the second line is another equation.
  QString primeiraLinha;
  plat::RoteiroPara(QStringLiteral("dlg541"), [&](QDialog& d) {
    auto* lista = d.findChild<QComboBox*>(QStringLiteral("1040"));
    primeiraLinha = lista->itemText(0);
    lista->setCurrentIndex(1);
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(moldura.OnCmdMsg(32837));
  EXPECT_TRUE(primeiraLinha.startsWith(QStringLiteral("1 - 0,"))) << primeiraLinha.toStdString();
  EXPECT_TRUE(primeiraLinha.contains(QStringLiteral("  /  0,"))) << primeiraLinha.toStdString();
  const QByteArray escolhido = Conteudo(caminho);
  EXPECT_EQ(I32(escolhido, C::OffEquacaoCorrente), 1);
  EXPECT_EQ(escolhido.mid(C::Tamanho), calculado.mid(C::Tamanho));  // records untouched by the pick
  EXPECT_FALSE(doc.IsModified());

  // 32832: W from the coordinates, then the lag model.
  plat::RoteiroPara(QStringLiteral("dlg506"), [](QDialog& d) { plat::Pressiona(d, 1); });
  plat::RoteiroPara(QStringLiteral("dlg505"), [](QDialog& d) {
    plat::Pressiona(d, 1016);
    plat::DefineMarcado(d, 1096, true);
    plat::Pressiona(d, 1);
  });
  QString registro;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* r = qobject_cast<CRelatorio*>(w); r && plat::Texto(*r, 2) == QStringLiteral("&Fechar")) {
        registro = r->TextoRegistro();
        plat::Pressiona(*r, 2);
      }
  });
  vigia.start(20);
  ASSERT_TRUE(moldura.OnCmdMsg(32832));
  vigia.stop();
  const QByteArray espacial = Conteudo(caminho);
  EXPECT_NE(I32(espacial, C::OffEspacialCalculado), 0);
  EXPECT_EQ(I32(espacial, C::OffEquacaoEspacial), 1);
  EXPECT_EQ(I32(espacial, C::OffContadorEspacial + 4), 50);
  EXPECT_EQ(I32(espacial, C::OffTipoEspacial), 1);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(doc.GetCabecalho()->bytes), C::Tamanho), espacial.left(C::Tamanho));
  const int inicio = registro.indexOf(QStringLiteral("Iniciando os cálculos ..."));
  const int fim = registro.indexOf(QStringLiteral("Salvando os resultados..."));
  EXPECT_EQ(inicio, 0) << registro.toStdString();
  // The library's lines stand between, in their order.
  int anterior = inicio;
  for (const char* linha : {"Normalizando matriz pesos...", "Cálculo da função de log-verossimilhança...",
                            "Cálculo da função de otimização...", "Calculando resultados estatísticos..."}) {
    const int pos = registro.indexOf(QString::fromUtf8(linha));
    EXPECT_GT(pos, anterior) << linha;
    anterior = pos;
  }
  EXPECT_GT(fim, anterior) << registro.toStdString();
  EXPECT_TRUE(mensagens.Textos().contains(QStringLiteral("Cálculos finalizados!")));

  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(false);
  CTarsolinDoc::DefineServicos(nullptr);
}
