// The grid's printing (pages, headings on every page, the model's page
// furniture), the heading sort stored in the model, and text files.
#include "controls/CTableCtrlEx.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Mensagem.h"
#include "tests/controls/GradeTeste.h"
#include "tests/controls/ModeloControles.h"
#include "tests/support/Arquivos.h"
#include "tests/support/Pdf.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using C = CabecalhoModelo;

void ConfiguraPdf(QPrinter& p, const QString& arquivo) {
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setOutputFileName(arquivo);
  p.setPageSize(QPageSize(QPageSize::A4));
  p.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

// A grid of `linhas` data rows, a heading row and a heading column.
void Preenche(CTableCtrl& g, int linhas, int colunas) {
  g.SetNumberOfRows(linhas + 1);
  g.SetNumberOfColumns(colunas + 1);
  g.SetNumberOfFixedRows(1);
  g.SetNumberOfFixedColumns(1);
  for (int c = 1; c <= colunas; ++c) g.SetCellText(0, c, QStringLiteral("Var%1").arg(c));
  for (int r = 1; r <= linhas; ++r) {
    g.SetCellText(r, 0, QStringLiteral("L%1").arg(r));
    for (int c = 1; c <= colunas; ++c) g.SetCellText(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
  }
}

TEST(Impressao, FiveHundredRowsPrintTheCountedPagesWithTheModelsFurniture) {
  teste::ModeloAberto m;
  m.Cab().SetTexto(C::OffLinhaTitulo, C::TamLinhaTitulo, "Avaliacao de Teste");
  m.Cab().SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo, "Segunda Linha");
  m.Cab().SetU8(C::OffImprimeCabecalho, 1);
  m.Cab().SetU8(C::OffImprimeRodape, 1);
  for (int k = 0; k < 4; ++k) m.Cab().SetI32(C::OffMargens + 4 * k, 1440);
  CTableCtrlEx g;
  Preenche(g, 500, 4);
  g.SetDocument(&m.doc);
  g.SetPrintLayout(-1, -1, 1440, 1440, 1440, 1440, -1);  // as the windows set them from the model
  QTemporaryDir dir;
  QPrinter p(QPrinter::HighResolution);
  ConfiguraPdf(p, dir.filePath("grade.pdf"));
  ASSERT_TRUE(g.Print(&p));
  const int n = g.GetPageCount();
  ASSERT_GT(n, 1);
  EXPECT_EQ(teste::PaginasPdf(dir.filePath("grade.pdf")), n);
  const QString primeira = teste::TextoPdf(dir.filePath("grade.pdf"), 1, 1);
  EXPECT_TRUE(primeira.contains(QStringLiteral("Página 1 de %1").arg(n))) << primeira.toStdString();
  EXPECT_TRUE(primeira.contains(QStringLiteral("Avaliacao de Teste")));
  EXPECT_TRUE(primeira.contains(QStringLiteral("Segunda Linha")));
  EXPECT_TRUE(primeira.contains(QStringLiteral("Var1")));
  const QString segunda = teste::TextoPdf(dir.filePath("grade.pdf"), 2, 2);
  EXPECT_TRUE(segunda.contains(QStringLiteral("Página 2 de %1").arg(n)));
  EXPECT_TRUE(segunda.contains(QStringLiteral("Var1")));  // the heading row on every page
  const QString ultima = teste::TextoPdf(dir.filePath("grade.pdf"), n, n);
  EXPECT_TRUE(ultima.contains(QStringLiteral("500.4")));  // row 500, column 4
  // The stored margins stay as the window set them.
  int layout[7];
  g.GetPrintLayout(layout);
  EXPECT_EQ(layout[2], 1440);
  EXPECT_EQ(layout[4], 1440);

  // Without the model's header and footer flags the page carries neither.
  m.Cab().SetU8(C::OffImprimeCabecalho, 0);
  m.Cab().SetU8(C::OffImprimeRodape, 0);
  QPrinter p2(QPrinter::HighResolution);
  ConfiguraPdf(p2, dir.filePath("semmoldura.pdf"));
  ASSERT_TRUE(g.Print(&p2));
  const QString sem = teste::TextoPdf(dir.filePath("semmoldura.pdf"), 1, 1);
  EXPECT_FALSE(sem.contains(QStringLiteral("Avaliacao de Teste")));
  EXPECT_FALSE(sem.contains(QStringLiteral("Página")));
}

TEST(Impressao, EveryRowIsPrintedOnceAcrossThePages) {
  CTableCtrl g;
  Preenche(g, 300, 2);
  QTemporaryDir dir;
  QPrinter p(QPrinter::HighResolution);
  ConfiguraPdf(p, dir.filePath("g.pdf"));
  ASSERT_TRUE(g.Print(&p));
  const int n = g.GetPageCount();
  EXPECT_EQ(teste::PaginasPdf(dir.filePath("g.pdf")), n);
  const QString texto = teste::TextoPdf(dir.filePath("g.pdf"));
  EXPECT_TRUE(texto.contains(QStringLiteral("Page 1 of %1").arg(n)));
  for (int r : {1, 77, 150, 299, 300}) {
    EXPECT_EQ(texto.count(QStringLiteral(" %1.1 ").arg(r)), 1) << r;
    EXPECT_EQ(texto.count(QStringLiteral("L%1 ").arg(r)), 1) << r;
  }
  // The page is the total column width plus the left and right margins (4 + 4
  // characters), its height in the printer's proportion.
  const QSize pagina = g.GetPrintPageSize(), caractere = g.GetPrintCharSize();
  EXPECT_EQ(pagina.width(), g.GetVirtualWidth() + 8 * caractere.width());
  const double proporcao = double(p.height()) / p.width();
  EXPECT_NEAR(double(pagina.height()) / pagina.width(), proporcao, 0.01);
}

TEST(Impressao, ScreenScaleSplitsWideGridsIntoPagesAcross) {
  CTableCtrlEx g;
  Preenche(g, 30, 40);
  for (int c = 0; c <= 40; ++c) g.SetWidthOfColumn(c, 120);
  g.SetPrintAtScreenScale(true);
  g.SetPrintLayout(-1, -1, 720, 720, 720, 720, -1);
  QTemporaryDir dir;
  QPrinter p(QPrinter::HighResolution);
  ConfiguraPdf(p, dir.filePath("largo.pdf"));
  ASSERT_TRUE(g.Print(&p));
  EXPECT_GT(g.GetPageCount(), 4);
  EXPECT_EQ(teste::PaginasPdf(dir.filePath("largo.pdf")), g.GetPageCount());
  const QString texto = teste::TextoPdf(dir.filePath("largo.pdf"));
  EXPECT_TRUE(texto.contains(QStringLiteral("Var40")));
  EXPECT_TRUE(texto.contains(QStringLiteral("30.40")));
}

// A heading click on a CTableCtrlEx stores the sort in the model header.
TEST(OrdemNoModelo, HeadingClicksWriteTheSortIntoTheHeader) {
  teste::ModeloAberto m;
  auto* g = new CTableCtrlEx(6, 4, 1, 1);
  teste::Grade t(6, 4, 1, 1, g);
  uint8_t ordenado = 0;
  g->SetDocument(&m.doc);
  g->SetHeaderSort(true);
  g->SetStoreSortInModel(true);
  g->SetSortedFlag(&ordenado);
  m.doc.SetModifiedFlag(false);
  auto campos = [&]() {
    return std::vector<int>{m.Cab().U8(C::OffOrdenadoOutra), m.Cab().U8(C::OffOrdemAscendente), m.Cab().U8(C::OffColunaOrdem)};
  };
  t.Clica(t.Centro(0, 1));
  EXPECT_EQ(campos(), (std::vector<int>{0, 1, 1}));
  EXPECT_TRUE(m.doc.IsModified());
  EXPECT_EQ(ordenado, 1);
  t.Clica(t.Centro(0, 1));
  EXPECT_EQ(campos(), (std::vector<int>{1, 0, 1}));
  t.Clica(t.Centro(0, 3));
  EXPECT_EQ(campos(), (std::vector<int>{1, 1, 3}));
  // Without store-sort the header is left alone; the window still hears of it.
  g->SetStoreSortInModel(false);
  ordenado = 0;
  t.Clica(t.Centro(0, 2));
  EXPECT_EQ(campos(), (std::vector<int>{1, 1, 3}));
  EXPECT_EQ(ordenado, 1);
}

// ---- text files ------------------------------------------------------------------------

TEST(ArquivoTexto, SaveThenLoadThenSaveIsByteIdentical) {
  QTemporaryDir dir;
  CTableCtrl g(4, 3, 1, 1);
  const QString textos[4][3] = {{"", "Média", "Desvio"}, {"1", "0,5", ""}, {"2", "çã", "x y"}, {"", "", "z"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) g.SetCellText(r, c, textos[r][c]);
  ASSERT_TRUE(g.SaveAsText(dir.filePath("a.txt"), '\t'));
  const QByteArray a = teste::LeArquivo(dir.filePath("a.txt"));
  EXPECT_EQ(a, QByteArray("\tM\xE9" "dia\tDesvio\r\n1\t0,5\t\r\n2\t\xE7\xE3\tx y\r\n\t\tz\r\n"));
  CTableCtrl h;
  ASSERT_TRUE(h.LoadFromText(dir.filePath("a.txt"), '\t'));
  EXPECT_EQ(h.GetRowCount(), 4);
  EXPECT_EQ(h.GetColumnCount(), 3);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(h.GetCellText(r, c), textos[r][c]) << r << "," << c;
  EXPECT_EQ(h.GetCellFormat(0, 1), uint32_t(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  ASSERT_TRUE(h.SaveAsText(dir.filePath("b.txt"), '\t'));
  EXPECT_EQ(teste::LeArquivo(dir.filePath("b.txt")), a);
}

TEST(ArquivoTexto, FieldsAndLinesAsTheReaderSplitsThem) {
  QTemporaryDir dir;
  const QByteArray longa(3000, 'k');
  ASSERT_TRUE(teste::GravaBytes(dir.filePath("t.txt"), "a\tb\tc\nw\t\tz\n\n" + longa + "\tq\nfim\t"));
  CTableCtrl g;
  ASSERT_TRUE(g.LoadFromText(dir.filePath("t.txt"), '\t'));
  struct Linha { QString c0, c1, c2; } esperado[] = {
      {"a", "b", "c"}, {"w", "", "z"}, {"", "", ""}, {QString(longa), "q", ""}, {"fim", "", ""},
  };
  ASSERT_EQ(g.GetRowCount(), 5);  // a line of 3,000 characters is one row
  for (int r = 0; r < 5; ++r) {
    EXPECT_EQ(g.GetCellText(r, 0), esperado[r].c0) << r;
    EXPECT_EQ(g.GetCellText(r, 1), esperado[r].c1) << r;
    EXPECT_EQ(g.GetCellText(r, 2), esperado[r].c2) << r;
  }
}

// A save that fails half-way (a full disk) leaves the file as it was.
TEST(ArquivoTexto, AFailedSaveLeavesTheOldFile) {
  QTemporaryDir dir;
  const QString arquivo = dir.filePath("TabelaNormal.dat");
  const QByteArray antigo("\tz\r\n0,0\t0,5000\r\n");
  ASSERT_TRUE(teste::GravaBytes(arquivo, antigo));
  CTableCtrl g(30, 4, 1, 1);
  for (int r = 0; r < 30; ++r)
    for (int c = 0; c < 4; ++c) g.SetCellText(r, c, QString("%1,%2").arg(r).arg(c));
  plat::GravadorMensagens gravador;
  plat::SimulaFalhaGravacao(40);
  const bool salvou = g.SaveAsText(arquivo, '\t');
  plat::SimulaFalhaGravacao(-1);
  EXPECT_FALSE(salvou);
  EXPECT_EQ(gravador.Textos(), QStringList{QStringLiteral("Unable to save grid list")});
  EXPECT_EQ(teste::LeArquivo(arquivo), antigo);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("TabelaNormal.dat")});
}

TEST(ArquivoTexto, ErrorsAreReportedAndVirtualGridsRefuse) {
  plat::GravadorMensagens gravador;
  CTableCtrl g(2, 2);
  EXPECT_FALSE(g.LoadFromText(QStringLiteral("/nao/existe/tabela.dat"), '\t'));
  ASSERT_EQ(gravador.Mensagens().size(), 1u);
  EXPECT_TRUE(gravador.Mensagens()[0].texto.contains(QStringLiteral("/nao/existe/tabela.dat")));
  EXPECT_FALSE(g.SaveAsText(QStringLiteral("/nao/existe/tabela.dat"), '\t'));
  EXPECT_EQ(gravador.Mensagens().size(), 2u);
  QTemporaryDir dir;
  teste::GravaBytes(dir.filePath("v.txt"), "a\tb\n");
  g.SetVirtual(true);
  EXPECT_FALSE(g.LoadFromText(dir.filePath("v.txt"), '\t'));
  EXPECT_EQ(gravador.Mensagens().size(), 2u);
}

}  // namespace
