// The page furniture: the printable rectangle from the model's margins, and
// the header and footer as a reader of the printed PDF sees them.
#include "controls/ImpressaoPagina.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "tests/controls/ModeloControles.h"
#include "tests/support/Pdf.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

using C = CabecalhoModelo;

// A new model with its page settings set as a test needs them.
struct Modelo : teste::ModeloAberto {
  Modelo() {
    EXPECT_NE(doc.GetCabecalho(), nullptr);
    Cab().SetTexto(C::OffLinhaTitulo, C::TamLinhaTitulo, "Primeira Linha Titulo");
    Cab().SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo, "Segunda Linha Titulo");
    Margens(1440, 1440, 1440, 1440);
    Flags(1, 1, 1);
  }
  void Margens(int e, int d, int s, int i) {
    Cab().SetI32(C::OffMargens, e);
    Cab().SetI32(C::OffMargens + 4, d);
    Cab().SetI32(C::OffMargens + 8, s);
    Cab().SetI32(C::OffMargens + 12, i);
  }
  void Flags(int cabecalho, int rodape, int data) {
    Cab().SetU8(C::OffImprimeCabecalho, uint8_t(cabecalho));
    Cab().SetU8(C::OffImprimeRodape, uint8_t(rodape));
    Cab().SetU8(C::OffImprimeData, uint8_t(data));
  }
};

// Letter paper, 1200 dpi, an unprintable border of a quarter inch (360 twips).
void ConfiguraCarta(QPrinter& p, const QString& arquivo) {
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setOutputFileName(arquivo);
  p.setPageSize(QPageSize(QPageSize::Letter));
  p.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

// Prints one page through `pagina` and answers the PDF's text.
QString ImprimePagina(const QString& arquivo, const std::function<void(QPainter&)>& pagina) {
  QPrinter p(QPrinter::HighResolution);
  ConfiguraCarta(p, arquivo);
  QPainter dc(&p);
  pagina(dc);
  dc.end();
  return teste::TextoPdf(arquivo);
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  struct Caso { int v, n, d, esperado; } casos[] = {
      {1440, 2540, 1440, 2540}, {3, 1, 2, 2}, {-3, 1, 2, -2}, {5, 1, 3, 2}, {4, 1, 3, 1},
      {300, 1440, 1200, 360}, {7, 3, 0, -1}, {2000000000, 4, 1, -1},
  };
  for (const Caso& c : casos) EXPECT_EQ(MulDiv(c.v, c.n, c.d), c.esperado) << c.v << "*" << c.n << "/" << c.d;
}

TEST(AreaImpressao, LetterWithQuarterInchOffsetsAndInchMargins) {
  Modelo m;
  QTemporaryDir dir;
  QPrinter p(QPrinter::HighResolution);
  ConfiguraCarta(p, dir.filePath("a.pdf"));
  QPainter dc(&p);
  RetanguloImpressao r;
  ASSERT_EQ(CalculaAreaImpressao(&r, &m.doc, &dc, true), &r);
  EXPECT_EQ(r, (RetanguloImpressao{1080, 1080, 10440, 14040}));
  // Device units at 1200 dpi, then through a mapping that halves every length.
  CalculaAreaImpressao(&r, &m.doc, &dc, false);
  EXPECT_EQ(r, (RetanguloImpressao{900, 900, 8700, 11700}));
  dc.scale(2, 2);
  CalculaAreaImpressao(&r, &m.doc, &dc, false);
  EXPECT_EQ(r, (RetanguloImpressao{450, 450, 4350, 5850}));
  // A printer with no unprintable border: the margins from the sheet's edge.
  dc.end();
  QPrinter inteira(QPrinter::HighResolution);
  ConfiguraCarta(inteira, dir.filePath("b.pdf"));
  inteira.setFullPage(true);
  QPainter dc2(&inteira);
  CalculaAreaImpressao(&r, &m.doc, &dc2, true);
  EXPECT_EQ(r, (RetanguloImpressao{1440, 1440, 10800, 14400}));
}

TEST(Cabecalho, PrintsTheModelsLinesDateAndRuleByItsFlags) {
  Modelo m;
  QTemporaryDir dir;
  const QString ano = QString::number(QDate::currentDate().year());

  QString texto = ImprimePagina(dir.filePath("1.pdf"), [&](QPainter& dc) { ImprimeCabecalho(&m.doc, &dc); });
  EXPECT_TRUE(texto.contains("Primeira Linha Titulo")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("Segunda Linha Titulo"));
  EXPECT_TRUE(texto.contains(ano));

  m.Flags(1, 1, 0);
  texto = ImprimePagina(dir.filePath("2.pdf"), [&](QPainter& dc) { ImprimeCabecalho(&m.doc, &dc); });
  EXPECT_TRUE(texto.contains("Primeira Linha Titulo"));
  EXPECT_FALSE(texto.contains(ano));

  m.Flags(0, 1, 1);
  texto = ImprimePagina(dir.filePath("3.pdf"), [&](QPainter& dc) { ImprimeCabecalho(&m.doc, &dc); });
  EXPECT_TRUE(texto.trimmed().isEmpty()) << texto.toStdString();
}

TEST(Rodape, PrintsPageOfCountOnlyWithTheFooterFlag) {
  Modelo m;
  QTemporaryDir dir;
  CPrintInfo info;
  info.SetMaxPage(7);
  info.m_nCurPage = 3;
  QString texto = ImprimePagina(dir.filePath("1.pdf"), [&](QPainter& dc) { ImprimeRodape(&m.doc, &dc, &info); });
  EXPECT_TRUE(texto.contains(QString::fromUtf8("Página 3 de 7"))) << texto.toStdString();
  m.Flags(1, 0, 1);
  texto = ImprimePagina(dir.filePath("2.pdf"), [&](QPainter& dc) { ImprimeRodape(&m.doc, &dc, &info); });
  EXPECT_TRUE(texto.trimmed().isEmpty());
}

// Cleared flags draw nothing at all (no rule either); every function leaves
// the painter's mapping, font, pen and alignment as it found them.
TEST(Moldura, FlagsOffDrawNothingAndPainterStateIsKept) {
  Modelo m;
  m.Margens(144, 144, 144, 144);
  QImage folha(600, 800, QImage::Format_RGB32);
  folha.fill(Qt::white);
  QPainter dc(&folha);
  dc.translate(5, 7);
  dc.scale(1.5, 1.5);
  QFont fonte("Liberation Mono", 9);
  dc.setFont(fonte);
  dc.setPen(QPen(Qt::red, 3));
  dc.setLayoutDirection(Qt::LeftToRight);
  const QTransform antes = dc.transform();
  CPrintInfo info;

  m.Flags(0, 0, 1);
  ImprimeCabecalho(&m.doc, &dc);
  ImprimeRodape(&m.doc, &dc, &info);
  QImage branca(folha.size(), folha.format());
  branca.fill(Qt::white);
  EXPECT_EQ(folha, branca);

  m.Flags(1, 1, 1);
  ImprimeCabecalho(&m.doc, &dc);
  ImprimeRodape(&m.doc, &dc, &info);
  DesenhaMargens(&m.doc, &dc);
  EXPECT_EQ(dc.transform(), antes);
  EXPECT_EQ(dc.font(), fonte);
  EXPECT_EQ(dc.pen(), QPen(Qt::red, 3));
  dc.end();
  EXPECT_NE(folha, branca);
  // The margin lines are drawn in device units, not through the painter's
  // scale: the left one stands at 144 twips at the image's own resolution.
  const int x = MulDiv(144, folha.logicalDpiX(), 1440);
  int marcados = 0;
  for (int y = 300; y < 500; ++y) marcados += folha.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_GT(marcados, 20);
}

TEST(Moldura, NoDocumentMeansNoMarginsAndNoFurniture) {
  QImage folha(200, 300, QImage::Format_RGB32);
  folha.fill(Qt::white);
  QPainter dc(&folha);
  RetanguloImpressao r;
  CalculaAreaImpressao(&r, nullptr, &dc, false);
  EXPECT_EQ(r, (RetanguloImpressao{0, 0, 200, 300}));
  ImprimeCabecalho(nullptr, &dc);
  ImprimeRodape(nullptr, &dc, nullptr);
  dc.end();
  QImage branca(folha.size(), folha.format());
  branca.fill(Qt::white);
  EXPECT_EQ(folha, branca);
}

}  // namespace
