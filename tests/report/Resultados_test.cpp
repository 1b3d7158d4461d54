// The results report of the sample model against its golden text, and its printed pages.
#include "report/CDocChildFrame.h"
#include "report/CLaudoDoc.h"
#include "report/CLaudoView.h"
#include "report/ModeloRelatorio.h"
#include "report/ComandosRelatorio.h"
#include "app/CTarsolinApp.h"
#include "app/DriversCalculo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "tests/support/Arquivos.h"
#include "tests/support/Pdf.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QAbstractTextDocumentLayout>
#include <QLocale>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

class Resultados : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    // One calculation of the sample model serves every test.
    pasta_ = new QTemporaryDir;
    caminho_ = pasta_->filePath(QStringLiteral("baltimore.tsn"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), caminho_));
    QFile::setPermissions(caminho_, QFile::ReadOwner | QFile::WriteOwner);
    drivers::Modulos() = drivers::NomesModulos{};
    plat::DefineModoRoteiro(true);
    plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
      plat::DefineMarcado(d, 1030, true);
      for (int id : {1016, 1018, 1019, 1020, 1021, 1022}) plat::DefineMarcado(d, id, false);
      plat::DefineMarcado(d, 1017, true);
      plat::Pressiona(d, 1);
    });
    CTarsolinDoc doc;
    ASSERT_TRUE(doc.AbreArquivo(caminho_));
    ASSERT_TRUE(drivers::RegressaoLinear(doc));
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  static void TearDownTestSuite() { delete pasta_; }

  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    app_ = std::make_unique<CTarsolinApp>();
    modelo_ = std::make_unique<CTarsolinDoc>();
    ASSERT_TRUE(modelo_->AbreArquivo(caminho_));
  }
  void TearDown() override {
    for (CLaudoDoc* d : std::vector<CLaudoDoc*>(ModeloRelatorio::Documentos())) {
      d->SetModifiedFlag(false);
      delete ModeloRelatorio::Moldura(d);
    }
    modelo_.reset();
    app_.reset();
    QLocale::setDefault(QLocale::system());
  }

  static void ImprimePdf(CLaudoView* v, const QString& pdf) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setFullPage(true);
    v->Imprime(&printer, false);
    // TARSOLIN_CAPTURAS names a folder that keeps a copy of each printed PDF.
    const QString capturas = qEnvironmentVariable("TARSOLIN_CAPTURAS");
    if (!capturas.isEmpty() && QDir().mkpath(capturas)) {
      const QString nome = QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
      QFile::remove(QDir(capturas).filePath(nome + QStringLiteral(".pdf")));
      QFile::copy(pdf, QDir(capturas).filePath(nome + QStringLiteral(".pdf")));
    }
  }
  // The text of the pages printed to PDF.
  static QString PaginasPdf(CLaudoView* v) {
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(QStringLiteral("r.pdf"));
    ImprimePdf(v, pdf);
    return teste::TextoPdf(pdf);
  }
  // Every word of the printed report, page after page.
  static std::vector<teste::PalavraPdf> PalavrasImpressas(CLaudoView* v) {
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(QStringLiteral("r.pdf"));
    ImprimePdf(v, pdf);
    std::vector<teste::PalavraPdf> r;
    for (int p = 1, n = teste::PaginasPdf(pdf); p <= n; ++p) {
      const auto palavras = teste::PalavrasPdf(pdf, p);
      r.insert(r.end(), palavras.begin(), palavras.end());
    }
    return r;
  }

  static inline QTemporaryDir* pasta_ = nullptr;
  static inline QString caminho_;
  std::unique_ptr<CTarsolinApp> app_;
  std::unique_ptr<CTarsolinDoc> modelo_;
};

TEST_F(Resultados, SampleModelReportMatchesTheGoldenText) {
  ASSERT_LT(modelo_->GetCabecalho()->F64VE(C::OffEstatisticasEquacao, modelo_->GetCabecalho()->NumVariaveis(),
                                          modelo_->GetCabecalho()->EquacaoCorrente()),
            0.0);  // Durbin-Watson not computed: no section for it
  QWidget janela;
  CLaudoDoc* doc = ModeloRelatorio::OnRelatorio(*modelo_, &janela);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->Tipo(), 5);
  const QString texto = doc->FirstView()->toPlainText();
  const QString esperado = QString::fromUtf8(teste::LeArquivo(QStringLiteral(TARSOLIN_SOURCE_DIR "/tests/report/data/resultados_baltimore.txt")));
  if (qEnvironmentVariableIsSet("TARSOLIN_GRAVA_REFERENCIA"))
    teste::GravaBytes(QStringLiteral(TARSOLIN_SOURCE_DIR "/tests/report/data/resultados_baltimore.txt"), texto.toUtf8());
  EXPECT_EQ(texto.toStdString(), esperado.toStdString());
  EXPECT_FALSE(texto.contains(QStringLiteral("Durbin-Watson")));
  // The margins are the model's.
  const C& c = *modelo_->GetCabecalho();
  EXPECT_EQ(doc->FirstView()->Margens().esquerda, c.I32(C::OffMargens));
  EXPECT_EQ(doc->FirstView()->Margens().inferior, c.I32(C::OffMargens + 12));
}

TEST_F(Resultados, MissingCorrelationsLibraryEndsTheReportAfterItsHeading) {
  drivers::Modulos().mirsalto = QStringLiteral("NaoExiste.so");
  plat::GravadorMensagens mensagens;
  QWidget janela;
  CLaudoDoc* doc = ModeloRelatorio::OnRelatorio(*modelo_, &janela);
  drivers::Modulos() = drivers::NomesModulos{};
  ASSERT_TRUE(doc);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Não foi possível carregar a biblioteca NaoExiste.so!")});
  EXPECT_TRUE(doc->FirstView()->toPlainText().trimmed().endsWith(QStringLiteral("Correlações entre variáveis\tIsoladas\tInfluência")));
}

TEST_F(Resultados, PrintedPagesCarryTheModelHeaderAsTheFlagsSay) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
  C& c = *modelo_->GetCabecalho();
  c.SetTexto(C::OffLinhaTitulo, C::TamLinhaTitulo, QStringLiteral("Avaliação em massa"));
  c.SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo, QStringLiteral("Segunda linha do cabeçalho"));
  auto janela = std::make_unique<QWidget>();
  CLaudoDoc* doc = ModeloRelatorio::OnRelatorio(*modelo_, janela.get());
  ASSERT_TRUE(doc);
  CLaudoView* v = doc->FirstView();
  // "%d %b %Y" in Portuguese: the day in two digits, the month's abbreviation, the year in full.
  static const char* const meses[] = {"jan", "fev", "mar", "abr", "mai", "jun",
                                      "jul", "ago", "set", "out", "nov", "dez"};
  const QDate hoje = QDate::currentDate();
  const QString data = QString::asprintf("%02d %s %04d", hoje.day(), meses[hoje.month() - 1], hoje.year());

  struct Caso { uint8_t cabecalho, dataFlag, pagina; bool titulos, temData, numero; };
  const Caso casos[] = {
      {1, 1, 1, true, true, true},
      {1, 1, 0, true, true, false},
      {0, 1, 1, false, false, false},  // without the header neither date nor page number
  };
  for (const Caso& k : casos) {
    c.SetU8(C::OffImprimeCabecalho, k.cabecalho);
    c.SetU8(C::OffImprimeData, k.dataFlag);
    c.SetU8(C::OffNumeraPaginas, k.pagina);
    const QString paginas = PaginasPdf(v);
    EXPECT_TRUE(paginas.contains(QStringLiteral("Informações Complementares:")));
    EXPECT_EQ(paginas.contains(QStringLiteral("Avaliação em massa")), k.titulos) << int(k.cabecalho);
    EXPECT_EQ(paginas.contains(QStringLiteral("Segunda linha do cabeçalho")), k.titulos);
    EXPECT_EQ(paginas.contains(data), k.temData) << data.toStdString();
    // The footer is the page number alone on its line.
    const bool numero = paginas.contains(QRegularExpression(QStringLiteral("\\n\\s+1\\s*\\n")));
    EXPECT_EQ(numero, k.numero) << paginas.toStdString();
  }
  // The model window closed: the link breaks, no header.
  c.SetU8(C::OffImprimeCabecalho, 1);
  janela.reset();
  EXPECT_FALSE(v->Vinculado());
  EXPECT_FALSE(PaginasPdf(v).contains(QStringLiteral("Avaliação em massa")));
}

// The first word after `antes` (the word itself when empty) whose text is `texto`.
const teste::PalavraPdf* Palavra(const std::vector<teste::PalavraPdf>& palavras, const QString& texto,
                                 const QString& antes = QString()) {
  bool depois = antes.isEmpty();
  for (const teste::PalavraPdf& w : palavras) {
    if (depois && w.texto == texto) return &w;
    if (!depois && w.texto == antes) depois = true;
  }
  return nullptr;
}

TEST_F(Resultados, PrintedEquationHangsUnderItsRightHandSideAsOnScreen) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
  QWidget janela;
  CLaudoDoc* doc = ModeloRelatorio::OnRelatorio(*modelo_, &janela);
  ASSERT_TRUE(doc);
  CLaudoView* v = doc->FirstView();
  v->DefineWordWrap(2);  // lines as long as the page's
  // On screen: the equation's second line starts at the hanging indent.
  const QTextBlock equacao = v->document()->find(QStringLiteral("PRICE = ")).block();
  v->document()->documentLayout()->blockBoundingRect(equacao);
  const QTextLayout* l = equacao.layout();
  ASSERT_GE(l->lineCount(), 2);
  const double recuoTela = l->lineAt(1).x() - l->lineAt(0).x();  // pixels at 96 to the inch
  EXPECT_GT(recuoTela, 30);
  // On paper, the same indent in points from the left margin.
  const auto palavras = PalavrasImpressas(v);
  const teste::PalavraPdf* price = Palavra(palavras, QStringLiteral("PRICE"), QStringLiteral("Regressão:"));
  ASSERT_TRUE(price);
  const double margem = v->Margens().esquerda / 20.0;
  EXPECT_NEAR(price->x0, margem, 1.0);
  const teste::PalavraPdf* segunda = nullptr;
  for (const teste::PalavraPdf* w = price; w != palavras.data() + palavras.size(); ++w)
    if (w->y0 > price->y1 - 1) {
      segunda = w;
      break;
    }
  ASSERT_TRUE(segunda);
  EXPECT_NEAR(segunda->x0, margem + recuoTela * 72.0 / 96.0, 1.0) << segunda->texto.toStdString();
}

TEST_F(Resultados, TableColumnsStandAtTheirTabStopsFromTheMarginOnScreenAndOnPaper) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
  QWidget janela;
  CLaudoDoc* doc = ModeloRelatorio::OnRelatorio(*modelo_, &janela);
  ASSERT_TRUE(doc);
  CLaudoView* v = doc->FirstView();
  // A column's heading and its first entry, and the tab stop both stand at (twips from the margin).
  struct Caso { const char* nome; QString titulo, linha, depoisDe, entrada; int twips; };
  const Caso casos[] = {
      {"statistics (bulleted)", QString(), QString(), QStringLiteral("Estatísticos:"), QStringLiteral("Coeficiente"), 283},
      {"regressors (bulleted)", QStringLiteral("Regressores"), QStringLiteral("NROOM"), QStringLiteral("NROOM"),
       QStringLiteral("ln(x)"), 3401},
      {"correlations (indented)", QStringLiteral("variáveis"), QStringLiteral("DWELL"), QStringLiteral("Influência"),
       QStringLiteral("0,21"), 3401},
  };
  // On screen: the x of the text after the first tab of a paragraph, from the text's left edge.
  auto aposTab = [v](const QString& inicio, const QString& secao = QString()) {
    const QTextCursor desde = secao.isEmpty() ? QTextCursor() : v->document()->find(secao);
    const QTextBlock b = v->document()->find(inicio, desde).block();
    const QRectF r = v->document()->documentLayout()->blockBoundingRect(b);
    const int tab = int(b.text().indexOf(QLatin1Char('\t')));
    const QTextLine linha = b.layout()->lineForTextPosition(tab + 1);
    return r.x() + linha.cursorToX(tab + 1) - v->DeslocamentoTexto();
  };
  for (const Caso& k : casos) {
    if (k.titulo.isEmpty()) continue;
    EXPECT_NEAR(aposTab(k.titulo + QLatin1Char('\t')), k.twips * 96.0 / 1440.0, 1.0) << k.nome;
    EXPECT_NEAR(aposTab(k.linha + QLatin1Char('\t'), k.titulo + QLatin1Char('\t')), k.twips * 96.0 / 1440.0, 1.0)
        << k.nome;
  }
  EXPECT_NEAR(aposTab(QStringLiteral("\tCoeficiente de Correlação")), 283 * 96.0 / 1440.0, 1.0);
  // On paper.
  const auto palavras = PalavrasImpressas(v);
  const double margem = v->Margens().esquerda / 20.0;
  for (const Caso& k : casos) {
    const teste::PalavraPdf* entrada = Palavra(palavras, k.entrada, k.depoisDe);
    ASSERT_TRUE(entrada) << k.nome;
    EXPECT_NEAR(entrada->x0, margem + k.twips / 20.0, 1.0) << k.nome;
  }
  EXPECT_NEAR(Palavra(palavras, QStringLiteral("Equação"), QStringLiteral("Regressores"))->x0, margem + 3401 / 20.0, 1.0);
  EXPECT_NEAR(Palavra(palavras, QStringLiteral("Isoladas"))->x0, margem + 3401 / 20.0, 1.0);
}

TEST_F(Resultados, TextSavesWriteTheSigmaAsALetterTheirCodePageHolds) {
  QWidget janela;
  QTemporaryDir pasta;
  plat::DefineModoRoteiro(true);
  struct Caso { const char* nome; QString filtro; QByteArray linha; };
  const Caso casos[] = {
      {"texto.txt", QStringLiteral("Text Document (*.txt)"), "77% dos residuos situados entre -1 e + 1 s\r\n"},
      {"dos.txt", QStringLiteral("Documento Texto no formato MS-DOS (*.txt)"), "77% dos residuos situados entre -1 e + 1 s\r\n"},
  };
  for (const Caso& k : casos) {
    CLaudoDoc* doc = ModeloRelatorio::OnRelatorio(*modelo_, &janela);
    ASSERT_TRUE(doc);
    const QString caminho = pasta.filePath(QString::fromLatin1(k.nome));
    plat::RoteiroPara(QStringLiteral("dlgArquivo"), [&](QDialog& d) {
      auto& f = static_cast<QFileDialog&>(d);
      f.selectNameFilter(k.filtro);
      emit f.filterSelected(k.filtro);
      f.selectFile(caminho);
      d.accept();
    });
    doc->OnCmdMsg(relatorio::SalvarComo);
    const QByteArray bytes = teste::LeArquivo(caminho);
    EXPECT_TRUE(bytes.contains(k.linha)) << k.nome;
    EXPECT_FALSE(bytes.contains('?')) << k.nome;
    EXPECT_EQ(bytes.count(" s\r\n"), 3) << k.nome;
  }
  plat::LimpaRoteiros();
  plat::DefineModoRoteiro(false);
}

}  // namespace
