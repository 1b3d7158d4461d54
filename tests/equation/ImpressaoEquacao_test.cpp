// The printout of the equation pages, read back from PDF as a viewer shows it.
#include "CTarsolinApp.h"
#include "CMainFrame.h"
#include "ProgramaEquacao.h"
#include "tests/support/Pdf.h"
#include "views/charts/CTChart.h"
#include "views/equation/CEquacaoViewTab.h"
#include "views/equation/ImpressaoEquacao.h"
#include "views/equation/PaginaEquacao.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QBuffer>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

// Four regressors X1..X4 over six records and the dependent VU.
ModeloEquacao ModeloCinco(int margemLateral, int margemVertical) {
  std::vector<std::vector<double>> colunas;
  for (int v = 0; v < 4; ++v) colunas.push_back({1.0 + v, 2.0 + v, 3.0, 4.0 + v, 5.0 + v, 2.5});
  colunas.push_back({10, 12, 13, 15, 18, 11});
  ModeloEquacao m({"X1", "X2", "X3", "X4", "VU"}, colunas);
  m.Coeficiente(4, 2.0).Coeficiente(0, 0.5).Coeficiente(1, 0.25).Coeficiente(2, -0.1).Coeficiente(3, 1.5);
  for (int i = 0; i < 4; ++i) m.cab->SetI32(C::OffMargens + 4 * std::size_t(i), i < 2 ? margemLateral : margemVertical);
  return m;
}

class Impressao : public teste::ProgramaEquacao {
protected:
  CEquacaoViewTab* Abre(ModeloEquacao& m) { return AbreEquacao(ProgramaEquacao::Abre(m)); }
  // The printout laid out on an A4 page of this resolution.
  static int Layout(ImpressaoEquacao& impressao, int dpi) {
    QBuffer memoria;
    memoria.open(QIODevice::WriteOnly);
    QPdfWriter medida(&memoria);
    medida.setResolution(dpi);
    medida.setPageSize(QPageSize(QPageSize::A4));
    QPainter p(&medida);
    return impressao.Prepara(p);
  }
  QString Pdf(PaginaEquacao& pagina) {
    const QString caminho = pasta.filePath(QStringLiteral("eq%1.pdf").arg(++arquivos));
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(caminho);
    impressora.setPageSize(QPageSize(QPageSize::A4));
    EXPECT_TRUE(ImprimeEquacaoEm(pagina, impressora, false));
    return caminho;
  }
  int arquivos = 0;
};

TEST_F(Impressao, FiveVariablesGiveATablePageAndFourChartPages) {
  ModeloEquacao m = ModeloCinco(720, 720);
  CEquacaoViewTab* janela = Abre(m);
  ASSERT_NE(janela, nullptr);
  PaginaEquacao& f = *janela->Pagina(0);
  const QString pdf = Pdf(f);
  ASSERT_EQ(teste::PaginasPdf(pdf), 5);
  const QString tabela = teste::TextoPdf(pdf, 1, 1);
  for (const char* t : {"Função Estimativa", "Modelo : Modelo de teste", "Variável", "Valor Médio", "T Observado",
                        "Coef.Equação", "Forma", "Cresc", "T-Indep", "X4"})
    EXPECT_TRUE(tabela.contains(QString::fromUtf8(t))) << t << "\n" << tabela.toStdString();
  EXPECT_TRUE(tabela.contains(QStringLiteral("Função Estimativa:VU =")));
  const QString grafico = teste::TextoPdf(pdf, 3, 3);
  EXPECT_TRUE(grafico.contains(QStringLiteral("Teste da Equação")));
  EXPECT_TRUE(grafico.contains(QStringLiteral("Variável: X2")));
  EXPECT_TRUE(grafico.contains(QStringLiteral("Amplitude: de 2 a 6"))) << grafico.toStdString();
  EXPECT_TRUE(grafico.contains(QStringLiteral("Valor Médio: 3,58333")));
  EXPECT_TRUE(grafico.contains(QStringLiteral("Valores Calculados: de ")));
  EXPECT_TRUE(grafico.contains(QStringLiteral("Estimativa p/X2")));  // the chart's own header
  EXPECT_EQ(f.RegressorAtual(), 3);  // the chart of the regressor printed last

  // The spatial pages' titles and the regression page's transformed values.
  const QString t = teste::TextoPdf(Pdf(*janela->Pagina(1)), 1, 2);
  EXPECT_TRUE(t.contains(QStringLiteral("Equação de Regressão")));
  EXPECT_TRUE(t.contains(QStringLiteral("Teste da Equação")));
}

TEST_F(Impressao, NarrowPagesSplitTheColumnsAndShortOnesTheRows) {
  // 7 cm of side margins leave room for the name and a few value columns.
  ModeloEquacao m = ModeloCinco(4000, 720);
  CEquacaoViewTab* janela = Abre(m);
  ASSERT_NE(janela, nullptr);
  PaginaEquacao& f = *janela->Pagina(0);
  ImpressaoEquacao layout(f);
  const int total = Layout(layout, 1200);
  ASSERT_GT(layout.Grupos(), 1);
  EXPECT_EQ(layout.TabelaGrupos().front(), 0);
  EXPECT_EQ(layout.TabelaGrupos().back(), 5);
  EXPECT_EQ(total, layout.Faixas() * layout.Grupos() + 4);
  const QString pdf = Pdf(f);
  EXPECT_EQ(teste::PaginasPdf(pdf), total);
  const QString segunda = teste::TextoPdf(pdf, 2, 2);
  EXPECT_TRUE(segunda.contains(QStringLiteral("X3")));       // the name column again
  EXPECT_FALSE(segunda.contains(QStringLiteral("VU = ")));   // the equation on the first page only
  EXPECT_FALSE(segunda.contains(QStringLiteral("Cresc")));
  const QString ultimaTabela = teste::TextoPdf(pdf, layout.Faixas() * layout.Grupos(), layout.Faixas() * layout.Grupos());
  EXPECT_TRUE(ultimaTabela.contains(QStringLiteral("Cresc")));
  EXPECT_TRUE(ultimaTabela.contains(QStringLiteral("X3")));

  // No room for any row, no room for any column: still one of each per page, and an end.
  ModeloEquacao apertado = ModeloCinco(5900, 7000);
  CTarsolinDoc* doc = janela->Documento();
  std::memcpy(doc->GetCabecalho()->bytes + C::OffMargens, apertado.cab->bytes + C::OffMargens, 16);
  ImpressaoEquacao espremido(f);
  const int paginas = Layout(espremido, 1200);
  EXPECT_EQ(espremido.LinhasPorPagina(), 1);
  EXPECT_EQ(espremido.Grupos(), 5);
  EXPECT_EQ(paginas, 5 * 5 + 4);
}

}  // namespace
