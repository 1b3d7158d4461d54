// The results report of the sample model against its golden text, and its printed pages.
#include "report/CDocChildFrame.h"
#include "report/CLaudoDoc.h"
#include "report/CLaudoView.h"
#include "report/ModeloRelatorio.h"
#include "app/CTarsolinApp.h"
#include "app/DriversCalculo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "tests/support/Arquivos.h"
#include "tests/support/Pdf.h"

#include <QFile>
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

  // The text of the pages printed to PDF.
  static QString PaginasPdf(CLaudoView* v) {
    QTemporaryDir pasta;
    const QString pdf = pasta.filePath(QStringLiteral("r.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setFullPage(true);
    v->Imprime(&printer, false);
    return teste::TextoPdf(pdf);
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
  const QString data = CLaudoView::DataCabecalho(QDateTime::currentDateTime());

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

}  // namespace
