// The small dialogs and the older formats as the user reaches them: the
// calculator, the dependent-variable dialog of 32915, the tip of the day, the
// export of 32860 and the opening of an older product's file.
#include "CCalculadora.h"
#include "CChildFrame.h"
#include "CTarsolinApp.h"
#include "CTipDlg.h"
#include "Fixturas.h"
#include "JanelaModeloBasica.h"
#include "RegistroDialogos.h"

#include "model/FormatosAntigos.h"
#include "model/dadoP.h"
#include "model/RotinasCabecalho.h"
#include "platform/TabelaTextos.h"

#include <QDir>
#include <QFileDialog>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <newmat.h>

namespace {
using C = CabecalhoModelo;

// ---------------------------------------------------------------- calculator

std::string Digita(CCalculadora& calc, const std::string& teclas) {
  for (char c : teclas) calc.Tecla(QChar(c));
  return calc.Visor().toStdString();
}

TEST(Calculadora, TabelaDeContas) {
  struct Caso {
    const char* teclas;
    const char* visor;
  };
  const Caso casos[] = {
      {"1/3=", "0,3333333"},
      {"200+10%", "220"},
      {"200*10%", "20"},
      {"200/10%", "2000"},
      {"5/0=", "Erro"},
      {"5/0=7+2=", "Erro"},            // only 'C' leaves the error
      {"5/0=C", "0"},
      {"5/0=c4", "4"},                 // keys are taken in upper case
      {"999999999999999*10=", "Erro"}, // 16 integer digits
      {"999999999999999+0=", "999999999999999"},
      {"0,1+0,2=", "0,3"},
      {"1234567890123456", "123456789012345"},  // a sixteenth digit is ignored
      {"1,234567890123456", "1,2345678901234"},
      {"5_", "-5"},
      {"5_+3=", "-2"},
      {"2+3=_*2=", "-10"},             // the sign flips on a shown result too
      {"2+3=\b", "0"},                 // backspace on a result starts a new number
      {"123\b", "12"},
      {"7\b", "0"},
      {"1,,2", "1,2"},
      {",5", "0,5"},
      {"2*3+4=", "10"},
      {"3+*2=", "6"},                  // a second operator replaces the first
      {"8-2==", "6"},
      {"2+3=4", "4"},                  // '=' then a number starts again
      {"1/8=", "0,125"},
      {"2/3=", "0,6666667"},
      {"x?", "0"},                     // other characters change nothing
  };
  for (const Caso& caso : casos) {
    CCalculadora calc;
    EXPECT_EQ(Digita(calc, caso.teclas), caso.visor) << caso.teclas;
  }
}

TEST(Calculadora, BotoesETecladoLevamAsMesmasTeclasEEnterEscNaoFecham) {
  CCalculadora calc;
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  // The keys are buttons whose ids are their characters.
  for (int id : {'1', '2', '+', '3'}) plat::Pressiona(calc, id);
  EXPECT_EQ(calc.Visor(), "3");
  QTest::keyClick(&calc, Qt::Key_Return);
  EXPECT_EQ(calc.Visor(), "15");
  EXPECT_TRUE(calc.isVisible());
  QTest::keyClicks(&calc, "*2");
  QTest::keyClick(&calc, Qt::Key_Backspace);
  QTest::keyClick(&calc, '4');
  QTest::keyClick(&calc, Qt::Key_Enter);
  EXPECT_EQ(calc.Visor(), "60");
  QTest::keyClick(&calc, Qt::Key_Escape);
  EXPECT_EQ(calc.Visor(), "0");
  EXPECT_TRUE(calc.isVisible());
  for (QChar c : QStringLiteral("0123456789,%=+-*/C\b_")) EXPECT_TRUE(calc.BotaoTecla(c)) << int(c.unicode());
  calc.close();
}

// The calculator is a bitmap dialog: bitmap 129 tiled from the top-left
// corner over the blue background, as the base paints its tiled layout.
TEST(Calculadora, FundoLadrilhadoPelaBaseDeDialogoComBitmap) {
  CCalculadora calc;
  auto* base = qobject_cast<CBitmapDialog*>(&calc);
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->BackgroundLayout(), int(CBitmapDialog::Lado));
  const QImage bitmap = QImage(QStringLiteral(":/icones/129")).convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(bitmap.isNull());
  EXPECT_EQ(base->BitmapSize(), bitmap.size());
  calc.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
  const QImage tela = calc.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  // The strip left of the keys' panel and the right edge show only the background.
  const int w = bitmap.width(), h = bitmap.height();
  for (QPoint p : {QPoint(1, 1), QPoint(3, tela.height() / 2), QPoint(tela.width() - 2, tela.height() - 2)}) {
    const QColor b = QColor::fromRgba(bitmap.pixel(p.x() % w, p.y() % h));
    // The bitmap over blue, by its own alpha.
    const double a = b.alphaF();
    const QColor esperado = QColor::fromRgbF(b.redF() * a, b.greenF() * a, b.blueF() * a + (1 - a));
    const QColor visto = tela.pixelColor(p);
    EXPECT_NEAR(visto.red(), esperado.red(), 1) << p.x() << "," << p.y();
    EXPECT_NEAR(visto.green(), esperado.green(), 1) << p.x() << "," << p.y();
    EXPECT_NEAR(visto.blue(), esperado.blue(), 1) << p.x() << "," << p.y();
  }
  calc.close();
}

// ---------------------------------------------------------------- registered commands

struct Comandos : AmbienteComandos {
  std::unique_ptr<CTarsolinDoc> doc = std::make_unique<CTarsolinDoc>();
  QString caminho;
  void SetUp() override {
    AmbienteComandos::SetUp();
    RegistraDialogosPequenos();
  }
  void TearDown() override {
    for (int id : {32830, 32915}) CChildFrame::RegistraDialogo(id, {});
    CChildFrame::DefineExportadorV5({});
    CTarsolinApp::DefineDicaDoDia({});
    AmbienteComandos::TearDown();
  }
  void Abre(CabecalhoModelo& cab) {
    caminho = GravaModelo(pasta, "m.tsn", cab);
    ASSERT_TRUE(doc->AbreArquivo(caminho));
  }
  std::unique_ptr<C> LeCabecalho() const {
    auto c = std::make_unique<C>();
    EXPECT_TRUE(LeCabecalhoModelo(caminho, c.get()));
    return c;
  }
};

TEST_F(Comandos, CalculadoraAbreComoJanelaPropriaSemPai) {
  auto cab = CabecalhoPequeno();
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  ASSERT_TRUE(f.TemComando(32830));
  QString visto;
  bool semPai = false;
  plat::RoteiroPara("dlg504", [&](QDialog& d) {
    auto& calc = static_cast<CCalculadora&>(d);
    semPai = d.parentWidget() == nullptr;
    Digita(calc, "1/3=");
    visto = calc.Visor();
    d.reject();
  });
  ASSERT_TRUE(f.OnCmdMsg(32830));
  EXPECT_TRUE(semPai);
  EXPECT_EQ(visto, "0,3333333");
}

TEST_F(Comandos, DependenteEscolhidoVaiParaOFimComSeusValoresEORegressaoRoda) {
  auto cab = CabecalhoPequeno(5);
  cab->SetDescricaoVariavel(0, QStringLiteral("Área privativa do imóvel"));
  cab->SetEstadoCalculo(1);
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  QStringList vistos;
  plat::RoteiroPara("dlg545", [&](QDialog& d) {
    vistos << plat::Texto(d, 1126);  // the current dependent, selected at opening
    plat::SelecionaItem(d, 1074, 0);
    vistos << plat::Texto(d, 1126);
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(f.OnCmdMsg(32915));
  EXPECT_EQ(vistos, (QStringList{QString(), QStringLiteral("Área privativa do imóvel")}));
  EXPECT_EQ(servicos.postados, (std::vector<int>{32889, 32831}));
  const auto lido = LeCabecalho();
  EXPECT_EQ(lido->Dependente(), 2);
  EXPECT_EQ(lido->NomeVariavel(2), "V0");
  EXPECT_EQ(lido->NomeVariavel(0), "V2");
  EXPECT_EQ(lido->DescricaoVariavel(2), "Área privativa do imóvel");
  EXPECT_FALSE(lido->Habilitada(0));  // the former dependent, where it landed
  EXPECT_EQ(lido->EstadoCalculo(), 0);
  EXPECT_EQ(doc->GetCabecalho()->NomeVariavel(2), "V0");  // the window re-read the file
  ASSERT_TRUE(doc->CarregaRegistros());
  EXPECT_EQ(doc->GetDados()[3].valor[2], 4.0);
  EXPECT_EQ(doc->GetDados()[3].valor[0], 10.0 + 9 + 1);
}

// The header's references name the same variables after the move, and the
// appraisal records' values move with their variables.
TEST_F(Comandos, DependenteNovoLevaReferenciasEAvaliandos) {
  auto cab = CabecalhoPequeno(5);
  const struct { std::size_t off; int variavel; } referencias[] = {
      {C::OffVariavelArea, 0}, {C::OffVariavelX, 0}, {C::OffVariavelY, 1}, {C::OffVariavelDurbinWatson, 2}};
  for (const auto& r : referencias) cab->SetI32(r.off, r.variavel);
  cab->SetU8(C::OffColunaOrdem, 4 + 0);
  cab->SetNumDadosP(2);
  std::vector<dado> dados(5);
  std::memset(static_cast<void*>(dados.data()), 0, dados.size() * sizeof(dado));
  for (int i = 0; i < 5; ++i) dados[i].valor[0] = i + 1, dados[i].valor[1] = 20 + i, dados[i].valor[2] = 100 + i;
  std::vector<dadoP> avaliandos(2);
  std::memset(static_cast<void*>(avaliandos.data()), 0, avaliandos.size() * sizeof(dadoP));
  for (int i = 0; i < 2; ++i) avaliandos[i].valor[0] = 7 + i, avaliandos[i].valor[1] = 30 + i;
  avaliandos[1].corTexto[0] = 0x0000FF;
  caminho = pasta.filePath("m.tsn");
  NEWMAT::Matrix w;
  ASSERT_TRUE(GravaArquivoModelo(caminho, cab.get(), dados.data(), avaliandos.data(), w));
  ASSERT_TRUE(doc->AbreArquivo(caminho));
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  plat::RoteiroPara("dlg545", [](QDialog& d) {
    plat::SelecionaItem(d, 1074, 0);
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(f.OnCmdMsg(32915));
  const auto lido = LeCabecalho();
  ASSERT_EQ(lido->NomeVariavel(2), "V0");
  for (const auto& r : referencias)
    EXPECT_EQ(lido->NomeVariavel(lido->I32(r.off)), QStringLiteral("V%1").arg(r.variavel)) << r.off;
  EXPECT_EQ(lido->U8(C::OffColunaOrdem), 4 + 2);
  doc->LiberaRegistros();
  ASSERT_TRUE(doc->CarregaRegistros());
  ASSERT_EQ(doc->NumDadosP(), 2);
  for (int i = 0; i < 2; ++i) {
    const dadoP& p = doc->GetDadosP()[i];
    EXPECT_EQ(p.valor[2], 7.0 + i);   // V0's values under V0
    EXPECT_EQ(p.valor[1], 30.0 + i);  // V1 stays
    EXPECT_EQ(p.valor[0], 0.0);       // the former dependent's slot had none
  }
  EXPECT_EQ(doc->GetDadosP()[1].corTexto[2], 0x0000FF);
  EXPECT_EQ(doc->GetDados()[3].valor[2], 4.0);
}

TEST_F(Comandos, DependenteQueJaEraODependenteNaoMudaNada) {
  auto cab = CabecalhoPequeno(5);
  Abre(*cab);
  const QByteArray antes = Conteudo(caminho);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  plat::RoteiroPara("dlg545", [](QDialog& d) { plat::Pressiona(d, 1); });
  ASSERT_TRUE(f.OnCmdMsg(32915));
  EXPECT_TRUE(servicos.postados.empty());
  EXPECT_EQ(Conteudo(caminho), antes);
}

// The records cannot be read: the dialog says so and cancels, so the
// regression does not run again on a model that did not change.
TEST_F(Comandos, DependenteSemRegistrosLegiveisAvisaECancela) {
  auto cab = CabecalhoPequeno(5);
  Abre(*cab);
  ASSERT_TRUE(QFile::resize(caminho, qint64(C::Tamanho) + 100));
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  plat::RoteiroPara("dlg545", [](QDialog& d) {
    plat::SelecionaItem(d, 1074, 1);
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(f.OnCmdMsg(32915));
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Acesso ao arquivo negado !")});
  EXPECT_TRUE(servicos.postados.empty());
  EXPECT_EQ(doc->GetCabecalho()->Dependente(), 2);
  EXPECT_EQ(doc->GetCabecalho()->NomeVariavel(1), "V1");
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(Comandos, ExportacaoGravaVersao5QueVoltaAoModelo) {
  auto cab = CabecalhoPequeno(5);
  cab->SetTipoVariavel(1, 5);
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  ASSERT_TRUE(f.TemComando(32860));
  // The proposed name is the model's, without its ".tsn", and " - v5"; the
  // default extension completes it.
  const QString destino = pasta.filePath("m - v5.kmr");
  plat::RoteiroPara("dlgExportar", [](QDialog& d) { d.accept(); });
  ASSERT_TRUE(f.OnCmdMsg(32860));
  EXPECT_TRUE(mensagens.Textos().isEmpty());
  EXPECT_EQ(QFile(destino).size(), qint64(CabecalhoKmr5::Tamanho + 5 * dadoS5::Tamanho));
  EXPECT_FALSE(doc->RegistrosCarregados());
  ModeloConvertido volta;
  ASSERT_TRUE(ImportaKmr5(destino, MargensPagina{}, volta));
  EXPECT_EQ(volta.cab->NomeVariavel(1), "V1");
  EXPECT_EQ(volta.cab->TipoVariavel(1), 3);
  EXPECT_EQ(volta.dados[4].valor[1], 25.0);
}

TEST_F(Comandos, ExportacaoDeMaisDeTrintaVariaveisERecusadaAntesDoNome) {
  auto cab = CabecalhoPequeno(3);
  cab->SetNumVariaveis(31);
  cab->SetDependente(30);
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  bool pediuNome = false;
  plat::RoteiroPara("dlgExportar", [&](QDialog& d) {
    pediuNome = true;
    d.reject();
  });
  ASSERT_TRUE(f.OnCmdMsg(32860));
  EXPECT_FALSE(pediuNome);
  ASSERT_EQ(mensagens.Textos().size(), 1);
  EXPECT_TRUE(mensagens.Textos()[0].contains("30 variáveis")) << mensagens.Textos()[0].toStdString();
  EXPECT_FALSE(ExportaModeloKmr5(*doc, pasta.filePath("x.kmr")));
  EXPECT_FALSE(QFile::exists(pasta.filePath("x.kmr")));
}

// ---------------------------------------------------------------- tip of the day

struct Dicas : ::testing::Test {
  QTemporaryDir pasta;
  QString arquivo;
  std::unique_ptr<QSettings> s;
  void SetUp() override {
    arquivo = pasta.filePath("tips.txt");
    s = std::make_unique<QSettings>(pasta.filePath("t.ini"), QSettings::IniFormat);
    plat::DefineModoRoteiro(true);
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  void Grava(const QByteArray& texto) { ASSERT_TRUE(teste::GravaBytes(arquivo, texto)); }
  QString Proxima() {
    CTipDlg d(nullptr, arquivo, s.get());
    return d.Dica();
  }
};

TEST_F(Dicas, ComentariosELinhasEmBrancoNuncaAparecemEAPosicaoSobrevive) {
  Grava("; comentario\n\nPrimeira dica\n  recuada\n\tcom tab\nSegunda dica\r\n;fim\n");
  EXPECT_EQ(Proxima(), "Primeira dica");
  EXPECT_EQ(Proxima(), "Segunda dica");
  EXPECT_EQ(Proxima(), "Primeira dica");  // the end of the file starts again
  {
    CTipDlg d(nullptr, arquivo, s.get());
    EXPECT_EQ(d.Dica(), "Segunda dica");
    d.ProximaDica();
    EXPECT_EQ(d.Dica(), "Primeira dica");
  }
  EXPECT_EQ(Proxima(), "Segunda dica");
}

TEST_F(Dicas, ArquivoSubstituidoComecaDaPrimeiraDica) {
  Grava("Um\nDois\nTres\n");
  EXPECT_EQ(Proxima(), "Um");
  EXPECT_EQ(Proxima(), "Dois");
  s->setValue("Tip/TimeStamp", "Mon Jan  1 00:00:00 2001");  // another file's creation time
  EXPECT_EQ(Proxima(), "Um");
}

TEST_F(Dicas, TextoDoProgramaAntigoEmWindows1252TambemLe) {
  Grava(QByteArray("Voc\xea sabia\n"));
  EXPECT_EQ(Proxima(), QStringLiteral("Você sabia"));
}

TEST_F(Dicas, ArquivoSemDicaNaoGiraParaSempre) {
  Grava("; so comentarios\n\n   \n");
  CTipDlg d(nullptr, arquivo, s.get());
  EXPECT_EQ(d.Dica(), plat::Texto(4000));
  EXPECT_FALSE(plat::Habilitado(d, 1084));
}

TEST_F(Dicas, SemArquivoAvisaEDesabilitaAProxima) {
  CTipDlg d(nullptr, pasta.filePath("nao_existe.txt"), s.get());
  EXPECT_EQ(d.Dica(), "Arquivo de dicas inexistente");
  EXPECT_FALSE(plat::Habilitado(d, 1084));
}

TEST_F(Dicas, DesmarcarExibirGuardaStartUp1EOInicioPulaADica) {
  Grava("Uma dica\n");
  EXPECT_TRUE(CTipDlg::ExibeNoInicio(s.get()));
  {
    CTipDlg d(nullptr, arquivo, s.get());
    EXPECT_TRUE(plat::Marcado(d, 1115));
    plat::DefineMarcado(d, 1115, false);
    plat::Pressiona(d, 1);
  }
  EXPECT_EQ(s->value("Tip/StartUp").toInt(), 1);
  EXPECT_FALSE(CTipDlg::ExibeNoInicio(s.get()));
  {
    CTipDlg d(nullptr, arquivo, s.get());
    EXPECT_FALSE(plat::Marcado(d, 1115));
    plat::DefineMarcado(d, 1115, true);
    plat::Pressiona(d, 1);
  }
  EXPECT_EQ(s->value("Tip/StartUp").toInt(), 0);
}

TEST_F(Dicas, ProximaDicaPeloBotao) {
  Grava("A\nB\n");
  CTipDlg d(nullptr, arquivo, s.get());
  EXPECT_EQ(d.Dica(), "A");
  plat::Pressiona(d, 1084);
  EXPECT_EQ(d.Dica(), "B");
  QPixmap foto = d.grab();  // paints without a fault
  EXPECT_FALSE(foto.isNull());
}

// ---------------------------------------------------------------- older formats, end to end

struct Conversao : AmbienteComandos {
  // A version-4 file of the older product: y = 3 + 2 x1 - 0.5 x2 + noise over
  // 12 records, calculated (codes: x for every variable).
  QString GravaKmr4(const QString& nome, std::vector<std::array<double, 3>>& linhas) {
    auto k = std::make_unique<CabecalhoKmr4>();
    k->Zera();
    std::memcpy(k->bytes, "Kolmar 4.93", 11);
    const char* nomes[3] = {"AREA", "IDADE", "VALOR"};
    for (int v = 0; v < 3; ++v) {
      std::strcpy(reinterpret_cast<char*>(k->bytes + CabecalhoKmr4::OffNomes + 26 * v), nomes[v]);
      k->SetI32(CabecalhoKmr4::OffHabilitadas + 4 * v, 1);
      k->SetI32(CabecalhoKmr4::OffTransformacoes + 4 * v, 1);
    }
    const int n = 12;
    k->SetI32(CabecalhoKmr4::OffNumVariaveis, 3);
    k->SetI32(CabecalhoKmr4::OffNumDados, n);
    k->SetI32(CabecalhoKmr4::OffNumConsiderados, n);
    k->SetI32(CabecalhoKmr4::OffDependente, 2);
    k->SetI32(CabecalhoKmr4::OffCalculado, 1);
    k->SetF64(CabecalhoKmr4::OffDurbinWatson, -1.0);
    std::vector<dadoS4> dados(n);
    static const double ruido[n] = {0.3, -0.2, 0.1, 0.4, -0.5, 0.2, -0.1, 0.0, 0.35, -0.25, 0.15, -0.3};
    for (int i = 0; i < n; ++i) {
      const double x1 = 1.0 + i, x2 = 20.0 - 1.5 * i + (i % 3);
      linhas.push_back({x1, x2, 3.0 + 2.0 * x1 - 0.5 * x2 + ruido[i]});
      for (int v = 0; v < 3; ++v) dados[i].valor[v] = linhas.back()[v];
    }
    const QString caminho = pasta.filePath(nome);
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(k->bytes), CabecalhoKmr4::Tamanho);
    f.write(reinterpret_cast<const char*>(dados.data()), qint64(n * sizeof(dadoS4)));
    return caminho;
  }
};

// A converted version-4 model had an equation: the regression library
// computes it again (ordinal 1) and the model opens with its statistics.
TEST_F(Conversao, Versao4ComEquacaoERecalculadaPelaBibliotecaAoAbrir) {
  std::vector<std::array<double, 3>> linhas;
  const QString antigo = GravaKmr4("Modelo.KMR", linhas);
  mensagens.Responde(plat::IDYES);  // "Deseja converter o modelo do Kolmar para o Tarsolin?"
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.AbreArquivo(antigo));
  EXPECT_EQ(mensagens.Textos(), QStringList{plat::Texto(3011)});
  const QString novo = pasta.filePath("Modelo.tsn");
  EXPECT_EQ(doc.GetPathName(), novo);
  EXPECT_TRUE(QFile::exists(antigo));  // the older file stays as it was
  EXPECT_EQ(servicos.postados, std::vector<int>{32862});
  const C& c = *doc.GetCabecalho();
  EXPECT_NE(c.EstadoCalculo(), 0);
  EXPECT_EQ(c.NumEquacoes(), 1);
  EXPECT_EQ(c.NomeVariavel(2), "VALOR");

  // Least squares by the normal equations, independently of the library.
  const int n = int(linhas.size());
  NEWMAT::Matrix X(n, 3);
  NEWMAT::ColumnVector y(n);
  for (int i = 0; i < n; ++i) {
    X(i + 1, 1) = 1.0;
    X(i + 1, 2) = linhas[i][0];
    X(i + 1, 3) = linhas[i][1];
    y(i + 1) = linhas[i][2];
  }
  const NEWMAT::ColumnVector b = (X.t() * X).i() * (X.t() * y);
  EXPECT_NEAR(c.F64VE(C::OffCoeficientes, 2, 0), b(1), 1e-8);  // the intercept at the dependent's row
  EXPECT_NEAR(c.F64VE(C::OffCoeficientes, 0, 0), b(2), 1e-8);
  EXPECT_NEAR(c.F64VE(C::OffCoeficientes, 1, 0), b(3), 1e-8);
}

TEST_F(Conversao, ArquivoAntigoDanificadoDizFormatoInvalido) {
  std::vector<std::array<double, 3>> linhas;
  const QString antigo = GravaKmr4("curto.kmr", linhas);
  ASSERT_TRUE(QFile::resize(antigo, CabecalhoKmr4::Tamanho + 100));  // fewer records than counted
  mensagens.Responde(plat::IDYES);
  CTarsolinDoc doc;
  EXPECT_FALSE(doc.AbreArquivo(antigo));
  // A refusal to open names the file before the reason.
  EXPECT_EQ(mensagens.Textos(),
            (QStringList{plat::Texto(3011), QDir::toNativeSeparators(antigo) + '\n' + plat::Texto(3044)}));
  EXPECT_FALSE(QFile::exists(pasta.filePath("curto.tsn")));
}

}  // namespace
