// The application shell: measurement units, options, chart styles, frame
// placement, welcome dialog, splash, dropped files and the command router.
#include "AlvoComando.h"
#include "CDlgTransparent.h"
#include "CMainFrame.h"
#include "CSplashWnd.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "EstiloGrafico.h"
#include "JanelaModeloBasica.h"
#include "ListaArquivosRecentes.h"
#include "ModeloCorrente.h"
#include "ModeloTeste.h"
#include "RoteadorComandos.h"
#include "UnidadesMedida.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"
#include "platform/TextoNumerico.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFontComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>
#include <climits>
#include <clocale>
#include <string>

namespace {

// ------------------------------------------------------------ units

TEST(Medidas, LeituraDeTextos) {
  CarregaUnidadesMedida();
  struct Caso {
    const char* texto;
    int atual;       // unit when the text names none
    bool aceito;
    int twips;
  };
  const Caso casos[] = {
      {"2,5 cm", 0, true, 1420},     {"72 pt", 1, true, 1440},    {"1 INCHES", 1, true, 1440},
      {"1 inch", 1, true, 1440},     {"2\"", 1, true, 2880},      {"  3  pi ", 1, true, 720},
      {"2,5", 1, true, 1420},        {"1,5", 0, true, 2160},      {"-1 cm", 0, true, -568},
      {"0,3 cm", 0, true, 170},      {"1 xx", 1, false, 0},       {"", 1, false, 0},
      {"cm", 1, false, 0},           {"2.5 cm", 1, false, 0},
      {"107374182 pt", 1, false, 0},  // the float product rounds to 2^31: no int holds it
      {"107374176 pt", 1, true, 2147483520},
  };
  for (const Caso& c : casos) {
    int twips = -12345;
    EXPECT_EQ(LeMedidaTexto(QString::fromUtf8(c.texto), c.atual, &twips), c.aceito) << c.texto;
    if (c.aceito) { EXPECT_EQ(twips, c.twips) << c.texto; }
  }
}

TEST(Medidas, EscritaComDecimaisArredondados) {
  CarregaUnidadesMedida();
  struct Caso {
    int twips, decimais, unidade;
    const char* texto;
  };
  const Caso casos[] = {
      {1420, 2, 1, "2,5 cm"}, {1440, 2, 0, "1\""},     {1440, 2, 2, "72 pt"},   {568, 2, 1, "1 cm"},
      {1700, 2, 1, "2,99 cm"}, {1703, 1, 1, "3 cm"},   {-1420, 2, 1, "-2,5 cm"}, {0, 2, 1, "0 cm"},
      {100, 3, 4, "0,069in"},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(EscreveMedidaTexto(c.twips, c.decimais, c.unidade), QString::fromUtf8(c.texto)) << c.twips;
  // Through the application: the current unit is the option "Units".
  CTarsolinApp app;
  app.Opcoes().Units = 1;
  EXPECT_EQ(app.EscreveMedida(1420, 2), "2,5 cm");
  int twips = 0;
  EXPECT_TRUE(app.LeMedida("2,5", &twips));
  EXPECT_EQ(twips, 1420);
}

// Measurements are read and written in the C locale with the decimal comma,
// whatever the process's numeric locale: the application object takes the
// user's locale from the environment, and the users' is pt_BR.
TEST(Medidas, NaoDependemDoLocaleDoProcesso) {
  CarregaUnidadesMedida();
  const std::string anterior = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "pt_BR.UTF-8"), nullptr)
      << "pt_BR.UTF-8 is missing: scripts/install-deps generates it";
  int twips = 0;
  const bool virgula = LeMedidaTexto(QStringLiteral("2,5 cm"), 0, &twips);
  const int comVirgula = twips;
  const bool ponto = LeMedidaTexto(QStringLiteral("2.5 cm"), 0, &twips);
  const QString escrito = EscreveMedidaTexto(1420, 2, 1);
  std::setlocale(LC_NUMERIC, anterior.c_str());
  EXPECT_TRUE(virgula);
  EXPECT_EQ(comVirgula, 1420);
  EXPECT_FALSE(ponto);  // a point still ends the number
  EXPECT_EQ(escrito, QStringLiteral("2,5 cm"));
}

// ------------------------------------------------------------ options

class OpcoesTeste : public ::testing::Test {
protected:
  QSettings Nova(const QString& nome) { return QSettings(pasta.filePath(nome), QSettings::IniFormat); }
  QTemporaryDir pasta;
  const QRect tela{0, 0, 1024, 768};
};

TEST_F(OpcoesTeste, ConfiguracaoVaziaDaOsPadroes) {
  QSettings s = Nova("vazia.ini");
  CTarsolinApp app;
  EstilosGraficos[3].corPontos = 0x123456;  // anything left over is replaced
  app.LoadOptions(s, tela);
  const OpcoesAplicacao& o = app.Opcoes();
  EXPECT_EQ(o.WordSel, 1);
  EXPECT_EQ(o.Units, CTarsolinApp::UnidadePadrao());
  EXPECT_EQ(o.Maximized, 0);
  EXPECT_EQ(o.FrameRect, Retangulo{});
  EXPECT_EQ(o.PageMargin, (Retangulo{1700, 1440, 1700, 1440}));
  const EstiloGrafico p = EstiloGrafico::Padrao();
  for (const EstiloGrafico& e : EstilosGraficos) EXPECT_EQ(std::memcmp(&e, &p, sizeof p), 0);
  EXPECT_EQ(p.corFinal, 0xFF6633);
  EXPECT_EQ(p.corLinhas, 0x0099FF);
  EXPECT_EQ(p.direcaoGradiente, 1);
}

TEST_F(OpcoesTeste, GravarERelerEIdentico) {
  QSettings s = Nova("ida.ini");
  CTarsolinApp app;
  app.LoadOptions(s, tela);
  app.Opcoes().WordSel = 0;
  app.Opcoes().Units = 2;
  app.Opcoes().Maximized = 1;
  app.Opcoes().FrameRect = Retangulo{100, 100, 900, 700};
  app.Opcoes().PageMargin = Retangulo{1, 2, 3, 4};
  app.ObtemOpcoesDocumento(7).wrap = 2;
  EstilosGraficos[15].reservado[2] = -7;  // fields nobody reads still round-trip
  EstilosGraficos[0].corInicial = 0x00ABCDEF;
  app.SaveOptions(s);

  const QByteArray graficos = s.value("Options/Graficos").toByteArray();
  ASSERT_EQ(graficos.size(), 1344);
  EXPECT_EQ(s.value("Options/FrameRect").toByteArray().size(), 16);
  EXPECT_EQ(s.value("Options/PageMargin").toByteArray(), QByteArray("\x01\0\0\0\x02\0\0\0\x03\0\0\0\x04\0\0\0", 16));
  // Little-endian, 84 bytes a record.
  EXPECT_EQ(graficos.mid(0, 4), QByteArray("\xEF\xCD\xAB\x00", 4));
  EXPECT_EQ(graficos.mid(15 * 84 + 16 * 4 + 2 * 4, 4), QByteArray("\xF9\xFF\xFF\xFF", 4));

  QSettings s2(s.fileName(), QSettings::IniFormat);
  CTarsolinApp outra;
  for (auto& e : EstilosGraficos) e = EstiloGrafico::Padrao();
  outra.LoadOptions(s2, tela);
  EXPECT_EQ(outra.Opcoes().WordSel, 0);
  EXPECT_EQ(outra.Opcoes().Units, 2);
  EXPECT_EQ(outra.Opcoes().Maximized, 1);
  EXPECT_EQ(outra.Opcoes().FrameRect, (Retangulo{100, 100, 900, 700}));
  EXPECT_EQ(outra.Opcoes().PageMargin, (Retangulo{1, 2, 3, 4}));
  EXPECT_EQ(outra.ObtemOpcoesDocumento(7).wrap, 2);
  EXPECT_EQ(ValorEstilosGraficos(), graficos);
  QSettings s3(pasta.filePath("volta.ini"), QSettings::IniFormat);
  outra.SaveOptions(s3);
  for (const char* chave : {"Options/WordSel", "Options/Units", "Options/Maximized", "Options/FrameRect",
                            "Options/PageMargin", "Options/Graficos", "Text/Wrap", "RTF/Wrap", "Word6/Wrap",
                            "Write/Wrap"})
    EXPECT_EQ(s3.value(chave), s.value(chave)) << chave;
}

TEST_F(OpcoesTeste, GraficosCurtoDaOsPadroes) {
  QSettings s = Nova("curto.ini");
  s.setValue("Options/Graficos", QByteArray(1000, '\x11'));
  CTarsolinApp app;
  app.LoadOptions(s, tela);
  const EstiloGrafico p = EstiloGrafico::Padrao();
  for (const EstiloGrafico& e : EstilosGraficos) EXPECT_EQ(std::memcmp(&e, &p, sizeof p), 0);
}

TEST_F(OpcoesTeste, PosicaoForaDaTelaEsquecida) {
  struct Caso {
    const char* nome;
    Retangulo r;
    bool mantida;
  };
  const Caso casos[] = {
      {"dentro", {100, 100, 900, 700}, true},
      {"parcial", {1000, 100, 1600, 700}, true},       // 24 pixels still on the screen
      {"borda", {1018, 100, 1600, 700}, false},        // 6 pixels wide on the screen
      {"fora", {2000, 2000, 2600, 2500}, false},
      {"negativa", {-900, -700, -100, -100}, false},
      {"invertida", {900, 700, 100, 100}, false},      // right of its right edge: meets nothing
      {"extrema", {0, 0, INT_MIN, 700}, false},
      {"enorme", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, true},  // covers the whole screen
  };
  for (const Caso& c : casos) {
    QSettings s = Nova(QString(c.nome) + ".ini");
    s.setValue("Options/FrameRect", c.r.Bytes());
    CTarsolinApp app;
    app.LoadOptions(s, tela);
    EXPECT_EQ(app.Opcoes().FrameRect, c.mantida ? c.r : Retangulo{}) << c.nome;
  }
}

TEST(Moldura, PosicaoSalvaSoComOsDoisCantosNaTela) {
  const QSize tela(1024, 768);
  EXPECT_TRUE(CMainFrame::PosicaoValida(Retangulo{100, 100, 900, 700}, tela));
  EXPECT_FALSE(CMainFrame::PosicaoValida(Retangulo{100, 100, 1100, 700}, tela));
  EXPECT_FALSE(CMainFrame::PosicaoValida(Retangulo{}, tela));
  EXPECT_FALSE(CMainFrame::PosicaoValida(Retangulo{100, 100, 100, 700}, tela));
  EXPECT_FALSE(CMainFrame::PosicaoValida(Retangulo{900, 700, 100, 100}, tela));
  EXPECT_FALSE(CMainFrame::PosicaoValida(Retangulo{INT_MIN, 100, 500, 700}, tela));
}

TEST(Comparadores, PorValorEPorValorAbsoluto) {
  const QChar decimal = plat::DecimalUsuario(), milhar = plat::MilharUsuario();
  plat::DefineSeparadoresUsuario(',', '.');
  struct Caso {
    const char* a;
    const char* b;
    int valor, absoluto;
  };
  const Caso casos[] = {
      {"2,5", "10", -1, -1},   // as numbers, not as texts
      {"10", "2,5", 1, 1},
      {"-3", "2", -1, 1},
      {"-3", "3", -1, 0},
      {"1.000", "999", 1, 1},  // thousands separator
      {"0", "0,0", 0, 0},
  };
  for (const Caso& c : casos) {
    const QString a = QString::fromUtf8(c.a), b = QString::fromUtf8(c.b);
    EXPECT_EQ(CTarsolinApp::ComparaValor(&a, &b), c.valor) << c.a << " " << c.b;
    EXPECT_EQ(CTarsolinApp::ComparaValorAbsoluto(&a, &b), c.absoluto) << c.a << " " << c.b;
  }
  const QString um = "1";
  EXPECT_EQ(CTarsolinApp::ComparaValor(&um, nullptr), 0);
  EXPECT_EQ(CTarsolinApp::ComparaValorAbsoluto(nullptr, &um), 0);
  plat::DefineSeparadoresUsuario(decimal, milhar);
}

// ------------------------------------------------------------ welcome dialog and splash

TEST(BoasVindas, Botao1011PostaUltimoEditadoEDepoisProjetar) {
  std::vector<int> despachados;
  auto conexao = QObject::connect(&RoteadorComandos::Instancia(), &RoteadorComandos::comandoDespachado,
                                  [&](int id, bool) { despachados.push_back(id); });
  plat::RoteiroPara("dlg549", [](QDialog& d) { plat::Pressiona(d, 1011); });
  CDlgTransparent dlg;
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
  EXPECT_TRUE(despachados.empty());  // posted, not run inside the dialog
  QCoreApplication::processEvents();
  QObject::disconnect(conexao);
  EXPECT_EQ(despachados, (std::vector<int>{ID_FILE_MRU_FILE1, ID_PROJETAR}));
}

TEST(BoasVindas, BotoesETextos) {
  CDlgTransparent dlg;
  EXPECT_EQ(dlg.windowTitle(), "Bem Vindo ao Tarsolin Windows");
  const std::pair<int, const char*> botoes[] = {{1008, "Criar Novo Modelo"}, {1009, "Abrir Modelo"},
                                                {1010, "Abrir Último Editado"}, {1011, "Abrir Projeção Valores"},
                                                {1007, "Importar Banco de Dados"}, {1006, "Ajuda On Line"},
                                                {1, "Fechar"}};
  for (const auto& [id, texto] : botoes) {
    auto* b = qobject_cast<QAbstractButton*>(plat::Controle(dlg, id));
    ASSERT_NE(b, nullptr) << id;
    EXPECT_EQ(b->text(), QString::fromUtf8(texto));
  }
}

// Records the keys it receives.
class Alvo : public QWidget {
public:
  int teclas = 0;
protected:
  void keyPressEvent(QKeyEvent*) override { ++teclas; }
};

TEST(Splash, TeclaDuranteOSplashEEngolida) {
  Alvo alvo;
  alvo.show();
  CSplashWnd::SetSplashEnabled(true);
  CSplashWnd::OpenSplash(&alvo);
  ASSERT_NE(CSplashWnd::Atual(), nullptr);
  QTest::keyClick(&alvo, Qt::Key_A);
  EXPECT_EQ(alvo.teclas, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(CSplashWnd::Atual(), nullptr);
  QTest::keyClick(&alvo, Qt::Key_B);  // once hidden, keys pass again
  EXPECT_EQ(alvo.teclas, 1);
}

// Records the button presses it receives.
class AlvoMouse : public QWidget {
public:
  int cliques = 0;
protected:
  void mousePressEvent(QMouseEvent*) override { ++cliques; }
};

TEST(Splash, CliqueDuranteOSplashEEngolido) {
  for (Qt::MouseButton botao : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    AlvoMouse alvo;
    alvo.resize(100, 100);
    alvo.show();
    CSplashWnd::SetSplashEnabled(true);
    CSplashWnd::OpenSplash(&alvo);
    ASSERT_NE(CSplashWnd::Atual(), nullptr) << botao;
    QTest::mousePress(&alvo, botao, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(&alvo, botao, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(alvo.cliques, 0) << botao;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CSplashWnd::Atual(), nullptr) << botao;
    QTest::mousePress(&alvo, botao, Qt::NoModifier, QPoint(10, 10));  // once hidden, presses pass
    QTest::mouseRelease(&alvo, botao, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(alvo.cliques, 1) << botao;
  }
}

TEST(Splash, SomeSozinhoDepoisDe950ms) {
  QWidget dono;
  CSplashWnd::SetSplashEnabled(true);
  CSplashWnd::OpenSplash(&dono);
  ASSERT_NE(CSplashWnd::Atual(), nullptr);
  QTest::qWait(500);
  EXPECT_NE(CSplashWnd::Atual(), nullptr);
  EXPECT_TRUE(QTest::qWaitFor([] { return CSplashWnd::Atual() == nullptr; }, 2000));
}

// ------------------------------------------------------------ start-up, drops and routing

class InicioTeste : public ::testing::Test {
protected:
  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());  // no other instance to ask
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    CTarsolinApp::DefineFabricaJanelaModelo({});
  }
  QString Modelo(const QString& nome, int N) {
    teste::Modelo m(N, 0);
    const QString c = pasta.filePath(nome);
    EXPECT_TRUE(m.Grava(c));
    return c;
  }
  QTemporaryDir pasta;
};

TEST_F(InicioTeste, BoasVindasSoComLinhaDeComandoVazia) {
  for (bool comArquivo : {false, true}) {
    int mostrado = 0;
    plat::RoteiroPara("dlg549", [&](QDialog& d) { ++mostrado; d.reject(); });
    CTarsolinApp app;
    const QString arquivo = Modelo("inicio.tsn", 2);
    ASSERT_TRUE(app.InitInstance(comArquivo ? QStringList{arquivo} : QStringList{}));
    EXPECT_EQ(mostrado, comArquivo ? 0 : 1) << comArquivo;
    plat::LimpaRoteiros();
    if (comArquivo) {
      // The file named on the command line opens right after start-up.
      EXPECT_TRUE(QTest::qWaitFor([&] { return app.Documentos().size() == 1; }, 2000));
      EXPECT_EQ(app.MainFrame()->Mdi()->subWindowList().size(), 1);
    }
    app.MainFrame()->close();
  }
}

TEST_F(InicioTeste, SoltarTresArquivosAbreOPrimeiro) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  const QString a = Modelo("a.tsn", 2), b = Modelo("b.tsn", 3), c = Modelo("c.tsn", 4);
  QMimeData dados;
  dados.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
  QDropEvent solta(QPointF(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  plat::GravadorMensagens msgs;
  QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(app.MainFrame(), &entra);
  EXPECT_TRUE(entra.isAccepted());
  QApplication::sendEvent(app.MainFrame(), &solta);
  EXPECT_EQ(msgs.Textos(), QStringList{});
  ASSERT_EQ(app.Documentos().size(), 1u);
  EXPECT_EQ(app.Documentos()[0]->GetPathName(), a);
  app.MainFrame()->close();
}

// A view that handles 32831 and enables bold, and records what reaches it.
class VistaTeste : public QWidget, public AlvoComando {
public:
  explicit VistaTeste(CTarsolinDoc* d) : doc(d) { setObjectName("JanelaModelo"); }
  bool OnCmdMsg(int id) override { recebidos.push_back(id); return id == 32831; }
  bool TemComando(int id) const override { return id == 32831; }
  bool OnUpdateCmd(int id, EstadoComando& e) override {
    if (id != 32805) return false;
    e.habilitado = true;
    e.marcado = true;
    return true;
  }
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override { return doc; }
  void OnCorFormatacao(unsigned cor, int comando) override { cores.emplace_back(cor, comando); }
  bool OnDefineFormato(const QTextCharFormat& f) override {
    formatos.push_back(f);
    return true;
  }
  CTarsolinDoc* doc;
  std::vector<QTextCharFormat> formatos;
  std::vector<int> recebidos;
  std::vector<std::pair<unsigned, int>> cores;
};

TEST_F(InicioTeste, RoteadorPercorreVistaDocumentoMolduraEAplicacao) {
  VistaTeste* vista = nullptr;
  CTarsolinApp::DefineFabricaJanelaModelo([&](CTarsolinDoc* d) { return vista = new VistaTeste(d); });
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CMainFrame* frame = app.MainFrame();
  RoteadorComandos& r = RoteadorComandos::Instancia();

  // Without a model: the model menus are hidden, model commands disabled.
  auto menuVisivel = [&](const QString& titulo) {
    for (QAction* a : frame->menuBar()->actions())
      if (a->text() == titulo) return a->isVisible();
    return false;
  };
  EXPECT_FALSE(menuVisivel("&Modelo"));
  EXPECT_FALSE(r.Estado(32831).habilitado);
  EXPECT_FALSE(r.Estado(ID_FILE_SAVE).habilitado);
  EXPECT_TRUE(r.Estado(ID_FILE_OPEN).habilitado);
  EXPECT_FALSE(r.Estado(32805).habilitado);  // the frame disables bold unless a view enables it

  ASSERT_NE(app.OpenDocumentFile(Modelo("rota.tsn", 3)), nullptr);
  ASSERT_NE(vista, nullptr);
  // Activating the model's window posts the pane refreshes, once, in their order.
  QCoreApplication::processEvents();
  EXPECT_EQ(vista->recebidos, (std::vector<int>{ID_ATUALIZA_RESULTADOS, ID_AJUSTA_LISTA, ID_ATUALIZA_PAINEL_DADOS}));
  EXPECT_FALSE(frame->Painel(59507)->isHidden());  // the normal layout
  EXPECT_TRUE(menuVisivel("&Modelo"));
  EXPECT_TRUE(r.Estado(32831).habilitado);
  EXPECT_TRUE(r.Estado(ID_FILE_SAVE).habilitado);   // answered by the document
  EXPECT_TRUE(r.Estado(32805).habilitado);
  EXPECT_TRUE(r.Estado(32805).marcado);
  EXPECT_FALSE(r.Estado(32999).habilitado);         // nobody handles it

  vista->recebidos.clear();
  EXPECT_TRUE(r.Despacha(32831));
  EXPECT_TRUE(r.Despacha(ID_WINDOW_CASCADE));       // reaches the frame after the view declined
  EXPECT_FALSE(r.Despacha(32999));
  EXPECT_EQ(vista->recebidos, (std::vector<int>{32831, ID_WINDOW_CASCADE, 32999}));
  EXPECT_TRUE(frame->Acao(32831)->isEnabled());

  // The formatting bar's colour: text colour for 32806, back colour otherwise; passed on unchanged.
  frame->MensagemCor(0x0000FF, 32806);
  frame->MensagemCor(0x00FF00, 32800);
  EXPECT_EQ(frame->CorTexto(), 0x0000FFu);
  EXPECT_EQ(frame->CorFundo(), 0x00FF00u);
  EXPECT_EQ(vista->cores, (std::vector<std::pair<unsigned, int>>{{0x0000FF, 32806}, {0x00FF00, 32800}}));

  // Posted commands run later, in the order posted.
  QCoreApplication::processEvents();
  vista->recebidos.clear();
  r.Posta(32998);
  r.Posta(32831);
  EXPECT_TRUE(vista->recebidos.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(vista->recebidos, (std::vector<int>{32998, 32831}));
  frame->close();
}

TEST_F(InicioTeste, SoltarCaminhoLongoAbreOArquivoInteiro) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  // A path well past 259 characters: cutting it would name another file.
  QString sub = QString(60, 'p');
  QString caminho;
  for (int i = 0; i < 5; ++i) caminho += "/" + sub + QString::number(i);
  ASSERT_TRUE(QDir().mkpath(pasta.path() + caminho));
  const QString arquivo = Modelo(caminho.mid(1) + "/longo.tsn", 2);
  ASSERT_GT(arquivo.size(), 300);
  QMimeData dados;
  dados.setUrls({QUrl::fromLocalFile(arquivo)});
  QDropEvent solta(QPointF(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  plat::GravadorMensagens msgs;
  QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(app.MainFrame(), &entra);
  QApplication::sendEvent(app.MainFrame(), &solta);
  EXPECT_EQ(msgs.Textos(), QStringList{});
  ASSERT_EQ(app.Documentos().size(), 1u);
  EXPECT_EQ(app.Documentos()[0]->GetPathName(), arquivo);
  app.MainFrame()->close();
}

TEST_F(InicioTeste, CoresDaBarraDeFormatacaoEmValoresWindows) {
  // The starting colours come from the system's window-text and window colours,
  // kept with red in the low byte like every colour the bar passes on.
  const QPalette antes = QApplication::palette();
  QPalette p = antes;
  p.setColor(QPalette::WindowText, QColor(0x11, 0x22, 0x33));
  p.setColor(QPalette::Base, QColor(0xAA, 0xBB, 0xCC));
  QApplication::setPalette(p);
  CTarsolinApp app;
  const bool iniciou = app.InitInstance({"--sem-boas-vindas"});
  QApplication::setPalette(antes);
  ASSERT_TRUE(iniciou);
  CMainFrame* f = app.MainFrame();
  EXPECT_EQ(f->CorTexto(), 0x332211u);
  EXPECT_EQ(f->CorFundo(), 0xCCBBAAu);

  // Picking a colour (32806 text, 32800 back): the dialog starts at the current one.
  struct Caso { int comando; QColor inicial, escolhida; unsigned texto, fundo; };
  const Caso casos[] = {
      {32806, QColor(0x11, 0x22, 0x33), QColor(0x40, 0x80, 0xC0), 0xC08040u, 0xCCBBAAu},
      {32800, QColor(0xAA, 0xBB, 0xCC), QColor(0x01, 0x02, 0x03), 0xC08040u, 0x030201u},
  };
  for (const Caso& c : casos) {
    QColor inicial;
    plat::RoteiroPara("dlgCor", [&](QDialog& d) {
      auto& cor = static_cast<QColorDialog&>(d);
      inicial = cor.currentColor();
      cor.setCurrentColor(c.escolhida);
      d.accept();
    });
    EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(c.comando));
    EXPECT_EQ(inicial, c.inicial) << c.comando;
    EXPECT_EQ(f->CorTexto(), c.texto) << c.comando;
    EXPECT_EQ(f->CorFundo(), c.fundo) << c.comando;
    plat::LimpaRoteiros();
  }
  f->close();
}

TEST_F(InicioTeste, BarrasMenuEBotaoDividido) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CMainFrame* f = app.MainFrame();
  EXPECT_EQ(f->menuBar()->windowTitle(), "Barra de Menu");
  EXPECT_EQ(f->Acao(ID_IMPORTAR)->statusTip(), "Importar de banco de dados");
  // "Editar Dados" on the edit bar drops down the two data windows.
  auto* edicao = f->findChild<QToolBar*>("2005");
  ASSERT_NE(edicao, nullptr);
  auto* botao = qobject_cast<QToolButton*>(edicao->widgetForAction(f->Acao(ID_EDITAR_DADOS)));
  ASSERT_NE(botao, nullptr);
  EXPECT_EQ(botao->popupMode(), QToolButton::MenuButtonPopup);
  ASSERT_NE(botao->menu(), nullptr);
  QList<int> ids;
  QStringList textos;
  for (QAction* a : botao->menu()->actions()) {
    ids << a->data().toInt();
    textos << a->text();
  }
  EXPECT_EQ(ids, (QList<int>{32729, 32820}));
  EXPECT_EQ(textos, (QStringList{"Dados ", "Dados e W (Matriz pesos)"}));
  // The model window's menus: every entry with its text, in a menu shown with a model.
  const std::pair<int, const char*> itens[] = {
      {32831, "&Calcular RL ..."}, {32832, "Calc&ular RE ..."}, {32834, "Correlação Espacial ..."},
      {32862, "Proprie&dades ..."}, {32913, "&Incluir Variável ..."}, {32911, "E&xcluir Variável ..."},
      {32914, "&Operar Variável ..."}, {32816, "&Operar ..."}, {32915, "&Definir Variável Dependente ..."},
      {32908, "&Habilitar/Desabilitar  ..."}, {32817, "&Reconsiderar ..."}, {32909, "&Alterar Nome ..."},
      {32835, "&Desproteger Modelo ..."}, {32860, "E&xportar..."}, {32841, "&Resultados"},
      {32838, "&Outiliers ..."}, {32910, "&Tipologias (comuns)"}, {32850, "Personalizar ..."},
      {57605, "Configurar Pá&gina ..."}, {59502, "Barra de Campos Cabeçalho"}, {32836, "&Equação ..."},
      {32840, "&Resíduos ..."}, {32912, "&Exibir Variáveis ..."}, {32833, "Corre&lações ..."},
      {32852, "&Aderência"}, {32853, "&Variáveis ..."}, {32813, "&Editar dados ..."},
      {32820, "Dados e W (Matriz pesos)"}, {32839, "&Projetar ..."}, {32843, "Validação Modelo..."}};
  QList<QAction*> menusModelo;
  for (QAction* m : f->menuBar()->actions())
    if (m->text() == "&Dados" || m->text() == "&Modelo") menusModelo += m->menu()->actions();
  for (const auto& [id, texto] : itens) {
    QAction* a = f->Acao(id);
    ASSERT_NE(a, nullptr) << id;
    EXPECT_EQ(a->text(), QString::fromUtf8(texto)) << id;
    EXPECT_TRUE(menusModelo.contains(a)) << id;
  }
  EXPECT_TRUE(f->Acao(59502)->isCheckable());
  EXPECT_FALSE(menusModelo.contains(f->Acao(32837)));  // posted and on the tool bar only
  // Tool bar buttons keep their own names.
  EXPECT_EQ(f->Acao(32831)->iconText(), "Calcular");
  EXPECT_EQ(f->Acao(32838)->iconText(), "Outiliers");
  // The font name and size boxes are lists, not edit fields.
  auto* fonte = f->findChild<QComboBox*>("1067");
  auto* tamanho = f->findChild<QComboBox*>("1068");
  ASSERT_NE(fonte, nullptr);
  ASSERT_NE(tamanho, nullptr);
  EXPECT_FALSE(fonte->isEditable());
  EXPECT_FALSE(tamanho->isEditable());
  f->close();
}

TEST_F(InicioTeste, VoltarAJanelaDoModeloRestauraOLayoutNormal) {
  VistaTeste* vista = nullptr;
  CTarsolinApp::DefineFabricaJanelaModelo([&](CTarsolinDoc* d) { return vista = new VistaTeste(d); });
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CMainFrame* f = app.MainFrame();
  CTarsolinDoc* doc = app.OpenDocumentFile(Modelo("volta.tsn", 3));
  ASSERT_NE(doc, nullptr);
  QCoreApplication::processEvents();
  QMdiSubWindow* modelo = f->Mdi()->activeSubWindow();
  ASSERT_NE(modelo, nullptr);
  EXPECT_FALSE(f->Painel(59507)->isHidden());

  // An auxiliary window of the same model takes the preview layout when it opens.
  QMdiSubWindow* auxiliar = f->AdicionaJanela(new QWidget, doc);
  f->Mdi()->setActiveSubWindow(auxiliar);
  f->AplicaLayoutPreview();
  QCoreApplication::processEvents();
  EXPECT_TRUE(f->Painel(59507)->isHidden());
  vista->recebidos.clear();

  // Back on the model window: the normal layout again; same model, so no refresh posted.
  f->Mdi()->setActiveSubWindow(modelo);
  QCoreApplication::processEvents();
  EXPECT_FALSE(f->Painel(59507)->isHidden());
  EXPECT_FALSE(f->Painel(32923)->isHidden());
  EXPECT_EQ(ModeloCorrente, doc);
  EXPECT_TRUE(vista->recebidos.empty());
  f->close();
}

TEST_F(InicioTeste, FonteETamanhoEscolhidosVaoParaAVistaAtiva) {
  VistaTeste* vista = nullptr;
  CTarsolinApp::DefineFabricaJanelaModelo([&](CTarsolinDoc* d) { return vista = new VistaTeste(d); });
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CMainFrame* f = app.MainFrame();
  auto* fonte = f->findChild<QFontComboBox*>("1067");
  auto* tamanho = f->findChild<QComboBox*>("1068");
  ASSERT_NE(fonte, nullptr);
  ASSERT_NE(tamanho, nullptr);
  // Without a window nobody takes it, and nothing breaks.
  QTest::keyClick(tamanho, Qt::Key_Down);
  ASSERT_NE(app.OpenDocumentFile(Modelo("formato.tsn", 2)), nullptr);
  QCoreApplication::processEvents();
  ASSERT_NE(vista, nullptr);
  EXPECT_TRUE(vista->formatos.empty());  // showing the view's format sends nothing back

  tamanho->setCurrentText("10");
  QTest::keyClick(tamanho, Qt::Key_Down);
  ASSERT_EQ(vista->formatos.size(), 1u);
  EXPECT_EQ(vista->formatos[0].fontPointSize(), 11);
  EXPECT_FALSE(vista->formatos[0].hasProperty(QTextFormat::FontFamilies));
  QTest::keyClick(fonte, Qt::Key_Down);
  ASSERT_EQ(vista->formatos.size(), 2u);
  EXPECT_EQ(vista->formatos[1].fontFamilies().toStringList(), QStringList{fonte->currentFont().family()});
  EXPECT_FALSE(vista->formatos[1].hasProperty(QTextFormat::FontPointSize));
  f->close();
}

TEST_F(InicioTeste, UltimoEditadoComListaVazia) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  while (!app.Recentes().Entradas().isEmpty()) app.Recentes().Remove(0);
  RoteadorComandos& r = RoteadorComandos::Instancia();
  // The menu entry is greyed, but the welcome dialog's posted command runs and opens nothing.
  EXPECT_FALSE(r.Estado(ID_FILE_MRU_FILE1).habilitado);
  plat::GravadorMensagens msgs;
  EXPECT_TRUE(r.Despacha(ID_FILE_MRU_FILE1));
  EXPECT_TRUE(app.Documentos().empty());
  EXPECT_TRUE(msgs.Textos().isEmpty());
  app.Recentes().Adiciona(Modelo("recente.tsn", 2));
  EXPECT_TRUE(r.Estado(ID_FILE_MRU_FILE1).habilitado);
  EXPECT_FALSE(r.Estado(ID_FILE_MRU_FILE1 + 1).habilitado);
  EXPECT_TRUE(r.Despacha(ID_FILE_MRU_FILE1));
  ASSERT_EQ(app.Documentos().size(), 1u);
  app.MainFrame()->close();
}

TEST_F(InicioTeste, PaineisELayouts) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CMainFrame* f = app.MainFrame();
  QCoreApplication::processEvents();
  const std::pair<int, const char*> paineis[] = {
      {59507, "Dados"}, {32923, "Resultados RL"}, {32924, "Resultados RE"}, {32921, "Lista de Dados"}};
  for (const auto& [id, titulo] : paineis) {
    ASSERT_NE(f->Painel(id), nullptr);
    EXPECT_EQ(f->Painel(id)->windowTitle(), titulo);
  }
  // Tool bars in their order.
  QStringList barras;
  for (QToolBar* b : f->findChildren<QToolBar*>()) barras << b->objectName();
  EXPECT_EQ(barras, (QStringList{"100", "2005", "2000", "2007", "2006"}));
  // Preview layout at start: "Resultados RL" and "Dados" hidden.
  EXPECT_TRUE(f->Painel(59507)->isHidden());
  EXPECT_TRUE(f->Painel(32923)->isHidden());
  EXPECT_FALSE(f->Painel(32924)->isHidden());
  f->AplicaLayoutNormal();
  EXPECT_FALSE(f->Painel(59507)->isHidden());
  EXPECT_FALSE(f->Painel(32923)->isHidden());
  EXPECT_TRUE(f->Painel(32921)->isHidden());
  EXPECT_EQ(f->tabifiedDockWidgets(f->Painel(59507)).size(), 2);
  f->AplicaLayoutPreview();
  EXPECT_TRUE(f->Painel(59507)->isHidden());
  f->close();
}

TEST(ArquivosRecentes, CincoEntradasSemRepeticao) {
  QTemporaryDir pasta;
  ListaArquivosRecentes r;
  for (int i = 0; i < 7; ++i) r.Adiciona(pasta.filePath(QString("m%1.tsn").arg(i)));
  r.Adiciona(pasta.filePath("m3.tsn"));
  QStringList esperado;
  for (int i : {3, 6, 5, 4, 2}) esperado << pasta.filePath(QString("m%1.tsn").arg(i));
  EXPECT_EQ(r.Entradas(), esperado);
  QSettings s(pasta.filePath("r.ini"), QSettings::IniFormat);
  r.Grava(s);
  ListaArquivosRecentes outra;
  outra.Carrega(s);
  EXPECT_EQ(outra.Entradas(), esperado);
  EXPECT_EQ(s.value("Recent File List/File1").toString(), esperado[0]);
}

TEST_F(InicioTeste, DialogoDeAbrirDevolveOTipoEscolhido) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  const QString arquivo = Modelo("escolhido.tsn", 2);
  QStringList filtros;
  plat::RoteiroPara("dlgArquivo", [&](QDialog& d) {
    auto& f = static_cast<QFileDialog&>(d);
    filtros = f.nameFilters();
    f.selectFile(arquivo);
    static_cast<QDialog&>(f).accept();
  });
  QString nome;
  int tipo = -1;
  ASSERT_TRUE(app.PedeNomeArquivo(nome, 61440, true, &tipo));
  EXPECT_EQ(nome, arquivo);
  EXPECT_EQ(tipo, 0);
  // The models, then the reports the report editor opens.
  EXPECT_EQ(filtros, (QStringList{"Tarsolin Windows (*.tsn)", "Kolmar Windows (*.kmr)", "Zelvar Windows (*.zlv)",
                                  "Rich Text Format (*.rtf)", "Text Documents (*.txt)"}));
  app.MainFrame()->close();
}

TEST_F(InicioTeste, FormatoPadraoSemVistaQueResponda) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  const QTextCharFormat f = app.MainFrame()->FormatoCaractere();
  EXPECT_EQ(f.fontPointSize(), 10);
  EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{QApplication::font().family()});
  EXPECT_FALSE(f.fontItalic());
  app.MainFrame()->close();
}

TEST_F(InicioTeste, MaximizarGuardaOEstadoSemMudarAPosicao) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  CMainFrame* f = app.MainFrame();
  f->showNormal();
  f->setGeometry(100, 120, 640, 480);
  QCoreApplication::processEvents();
  EXPECT_EQ(app.Opcoes().Maximized, 0);
  const Retangulo restaurado = app.Opcoes().FrameRect;
  EXPECT_EQ(restaurado.Largura(), 640);
  EXPECT_EQ(restaurado.Altura(), 480);
  f->showMaximized();
  QCoreApplication::processEvents();
  if (!f->isMaximized()) GTEST_SKIP() << "a plataforma não maximiza janelas";
  EXPECT_EQ(app.Opcoes().Maximized, 1);
  EXPECT_EQ(app.Opcoes().FrameRect, restaurado);
  f->close();
}

TEST_F(InicioTeste, DicaDoDiaAntesDasBoasVindas) {
  std::vector<QString> ordem;
  CTarsolinApp::DefineDicaDoDia([&](bool inicio) { ordem.push_back(inicio ? "dica-inicio" : "dica"); });
  plat::RoteiroPara("dlg549", [&](QDialog& d) { ordem.push_back("boas-vindas"); d.reject(); });
  {
    CTarsolinApp app;
    ASSERT_TRUE(app.InitInstance({}));
    EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_TIP_OF_THE_DAY));
    app.MainFrame()->close();
  }
  CTarsolinApp::DefineDicaDoDia({});
  EXPECT_EQ(ordem, (std::vector<QString>{"dica-inicio", "boas-vindas", "dica"}));
  EXPECT_FALSE(RoteadorComandos::Instancia().Estado(ID_TIP_OF_THE_DAY).habilitado);
}

// The same model reached through a link is the model already open: its
// window comes to the front, and no second document works on the file.
TEST_F(InicioTeste, OMesmoModeloPorUmLinkNaoAbreOutroDocumento) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  const QString arquivo = Modelo("original.tsn", 3);
  const QString link = pasta.filePath("atalho.tsn");
  ASSERT_TRUE(QFile::link(arquivo, link));
  CTarsolinDoc* doc = app.OpenDocumentFile(arquivo);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(app.OpenDocumentFile(link), doc);
  EXPECT_EQ(app.Documentos().size(), 1u);
  EXPECT_EQ(app.MainFrame()->Mdi()->subWindowList().size(), 1);
  EXPECT_TRUE(CTarsolinApp::MesmoArquivo(link, pasta.path() + "/./original.tsn"));
  EXPECT_FALSE(CTarsolinApp::MesmoArquivo(link, Modelo("outro.tsn", 3)));
  EXPECT_FALSE(CTarsolinApp::MesmoArquivo(link, pasta.filePath("nao_existe.tsn")));
  app.MainFrame()->close();
}

// A model cut short (here its first 1,000 bytes) is refused with the
// invalid-format message naming the file, from the command line and from
// "Abrir"; nothing opens.
TEST_F(InicioTeste, ModeloTruncadoRecusadoComONomeDoArquivo) {
  const QString arquivo = pasta.filePath("truncado.tsn");
  {
    teste::Modelo m(4, 0);
    ASSERT_TRUE(m.Grava(arquivo));
    ASSERT_TRUE(teste::GravaBytes(arquivo, teste::LeArquivo(arquivo).left(1000)));
  }
  const QString esperado = QDir::toNativeSeparators(arquivo) + '\n' + plat::Texto(3044);
  plat::GravadorMensagens msgs;
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({arquivo}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !msgs.Textos().isEmpty(); }, 2000));
  EXPECT_EQ(msgs.Textos(), QStringList{esperado});
  plat::RoteiroPara("dlgArquivo", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(arquivo);
    d.accept();
  });
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_FILE_OPEN));
  EXPECT_EQ(msgs.Textos(), (QStringList{esperado, esperado}));
  EXPECT_TRUE(app.Documentos().empty());
  EXPECT_TRUE(app.MainFrame()->Mdi()->subWindowList().isEmpty());
  app.MainFrame()->close();
}

// Qt's own dialogs and buttons speak Portuguese once the program has started.
TEST_F(InicioTeste, DialogosDoQtEmPortugues) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  QDialogButtonBox botoes(QDialogButtonBox::Cancel | QDialogButtonBox::Save | QDialogButtonBox::Open);
  EXPECT_EQ(botoes.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("Cancelar"));
  EXPECT_EQ(botoes.button(QDialogButtonBox::Save)->text().remove('&'), QStringLiteral("Salvar"));
  EXPECT_EQ(botoes.button(QDialogButtonBox::Open)->text().remove('&'), QStringLiteral("Abrir"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Procurar em:"));
  app.MainFrame()->close();
}

// Arquivo > Abrir in a folder holding a subfolder and a model: the detail
// view's headings and texts are whole, and the type column speaks Portuguese.
TEST_F(InicioTeste, DialogoDeArquivoMostraColunasInteirasEmPortugues) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  ASSERT_TRUE(QDir(pasta.path()).mkdir(QStringLiteral("Avaliações 2026")));
  const QString arquivo = Modelo("amostra.tsn", 2);
  QStringList tipos, cortadas;
  plat::RoteiroPara("dlgArquivo", [&](QDialog& d) {
    auto& f = static_cast<QFileDialog&>(d);
    f.selectFile(arquivo);
    auto* vista = f.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* modelo = f.findChild<QFileSystemModel*>();
    ASSERT_TRUE(vista && modelo);
    const QModelIndex raiz = modelo->index(pasta.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return modelo->rowCount(raiz) == 2; }, 5000));
    QTest::qWait(50);
    for (int r = 0; r < 2; ++r) tipos << modelo->index(r, 2, raiz).data().toString();
    const QFontMetrics fm(vista->header()->font());
    for (int c = 1; c < 4; ++c) {
      const QString titulo = modelo->headerData(c, Qt::Horizontal).toString();
      int largura = fm.horizontalAdvance(titulo);
      for (int r = 0; r < 2; ++r)
        largura = std::max(largura, vista->fontMetrics().horizontalAdvance(modelo->index(r, c, raiz).data().toString()));
      if (vista->columnWidth(c) < largura) cortadas << titulo;
    }
    d.accept();
  });
  plat::GravadorMensagens msgs;
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_FILE_OPEN));
  EXPECT_TRUE(msgs.Textos().isEmpty()) << msgs.Textos().join(" | ").toStdString();
  tipos.sort();
  EXPECT_EQ(tipos.join(", ").toStdString(), "Arquivo TSN, Pasta");
  EXPECT_TRUE(cortadas.isEmpty()) << cortadas.join(", ").toStdString();
  EXPECT_EQ(app.Documentos().size(), 1u);
  app.MainFrame()->close();
}

TEST_F(InicioTeste, ImportarSemOGerenciadorNaoDizNada) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  plat::GravadorMensagens msgs;
  // The start is recorded instead of run, and fails as when the manager cannot start.
  QStringList iniciados;
  auto anterior = plat::DefineIniciadorPrograma([&](const QString& programa, const QStringList& args) {
    iniciados << programa;
    EXPECT_TRUE(args.isEmpty());
    return false;
  });
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_IMPORTAR));
  plat::DefineIniciadorPrograma(anterior);
  EXPECT_TRUE(msgs.Textos().isEmpty());
  // The database manager, from the program folder.
  EXPECT_EQ(iniciados, QStringList{plat::CaminhoPrograma("brenk")});
  app.MainFrame()->close();
}

}  // namespace
