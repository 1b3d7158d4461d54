// The correlations window as the user reaches it: "Corre&lações ..." on a
// calculated model, the library called on the model file, the figures shown,
// the spin, the printout and the commands passed on to the model window.
#include "../equation/ProgramaEquacao.h"
#include "../support/Pdf.h"
#include "DriversCalculo.h"
#include "RoteadorComandos.h"
#include "views/charts/CTChart.h"
#include "views/diagnostics/CCorrelacoesView.h"

#include "controls/CTableCtrlEx.h"
#include "model/CTarsolinDoc.h"
#include "platform/TextoNumerico.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <newmatap.h>
#include <cmath>

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

// Five variables, the third disabled: A as ln(x), B as x^0,50, C off, D as
// 1/x, Valor (the dependent) as x; twelve records.
ModeloEquacao ModeloCorrelacoes() {
  std::vector<std::vector<double>> col(5);
  for (int i = 0; i < 12; ++i) {
    const double a = 1.0 + i, b = 3.0 + (i * 5) % 7, c = 2.0 + (i * 3) % 4, d = 1.5 + (i * 7) % 5;
    col[0].push_back(a);
    col[1].push_back(b);
    col[2].push_back(c);
    col[3].push_back(d);
    col[4].push_back(20.0 + 3.0 * std::log(a) - 0.8 * std::sqrt(b) + 4.0 / d + ((i * 11) % 3) * 0.7);
  }
  ModeloEquacao m({"A", "B", "C", "D", "Valor"}, col);
  m.Codigo(0, 3).Codigo(1, 0, 0.5).Codigo(3, 2);
  m.cab->SetHabilitada(2, false);
  return m;
}

// The enabled variables' values as the current equation transforms them.
std::vector<std::vector<double>> Transformadas(const ModeloEquacao& m) {
  std::vector<std::vector<double>> t(4);
  for (const dado& d : m.dados) {
    t[0].push_back(std::log(d.valor[0]));
    t[1].push_back(std::sqrt(d.valor[1]));
    t[2].push_back(1.0 / d.valor[3]);
    t[3].push_back(d.valor[4]);
  }
  return t;
}

double Pearson(const std::vector<double>& a, const std::vector<double>& b) {
  const double n = double(a.size());
  double ma = 0, mb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) ma += a[i] / n, mb += b[i] / n;
  double sab = 0, saa = 0, sbb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    sab += (a[i] - ma) * (b[i] - mb);
    saa += (a[i] - ma) * (a[i] - ma);
    sbb += (b[i] - mb) * (b[i] - mb);
  }
  return sab / std::sqrt(saa * sbb);
}

// The partial correlation of a and b given the others: the correlation of
// their residuals after a least-squares fit on the others and an intercept.
double Parcial(const std::vector<std::vector<double>>& t, int a, int b) {
  const int n = int(t[0].size()), k = int(t.size());
  NEWMAT::Matrix Z(n, k - 1);
  for (int i = 0; i < n; ++i) {
    Z(i + 1, 1) = 1.0;
    for (int v = 0, c = 2; v < k; ++v)
      if (v != a && v != b) Z(i + 1, c++) = t[std::size_t(v)][std::size_t(i)];
  }
  const auto residuos = [&](int v) {
    NEWMAT::ColumnVector y(n);
    for (int i = 0; i < n; ++i) y(i + 1) = t[std::size_t(v)][std::size_t(i)];
    NEWMAT::ColumnVector coef = (Z.t() * Z).i() * (Z.t() * y);
    NEWMAT::ColumnVector e = y - Z * coef;
    return std::vector<double>(e.Store(), e.Store() + n);
  };
  return Pearson(residuos(a), residuos(b));
}

QString Celula(double r) { return plat::FormataC("%2.0f", {std::ceil(100.0 * r - 1e-9) + 0.0}); }

class Correlacoes : public teste::ProgramaEquacao {
protected:
  CCorrelacoesView* AbreJanela(CTarsolinDoc* doc) {
    RoteadorComandos::Instancia().AtualizaAcoes();
    if (!app->MainFrame()->Acao(32833)->isEnabled()) return nullptr;
    app->MainFrame()->Acao(32833)->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaCorrelacoes).data());
    return sub ? qobject_cast<CCorrelacoesView*>(sub->widget()) : nullptr;
  }
  void TearDown() override {
    drivers::Modulos().mirsalto = QStringLiteral("Mirsalto.so");
    qunsetenv("STUB_MIRSALTO_CHEIO");
    teste::ProgramaEquacao::TearDown();
  }
};

TEST(CorrelacoesTexto, HundredthsRoundUpWithoutTheProductsNoise) {
  const struct {
    double r;
    const char* texto;
  } casos[] = {{0.07, " 7"}, {0.123, "13"}, {-0.456, "-45"}, {1.0, "100"}, {-0.003, " 0"}, {0.0701, " 8"}, {0.29, "29"}};
  for (const auto& c : casos)
    EXPECT_EQ(plat::FormataC("%2.0f", {CCorrelacoesView::Centesimos(c.r)}), QString::fromUtf8(c.texto)) << c.r;

  ModeloEquacao m = ModeloCorrelacoes();
  const char* formas[] = {"", "x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
  for (int codigo = 1; codigo <= 7; ++codigo) {
    m.Codigo(4, codigo);
    EXPECT_EQ(CCorrelacoesView::Forma(*m.cab, 4, 0), QString::fromUtf8(formas[codigo]));
  }
  EXPECT_EQ(CCorrelacoesView::Forma(*m.cab, 1, 0), "x^0,50");
}

TEST_F(Correlacoes, OpensFromItsCommandWithTheLibrarysFigures) {
  ModeloEquacao m = ModeloCorrelacoes();
  CTarsolinDoc* doc = Abre(m);
  CCorrelacoesView* j = AbreJanela(doc);
  ASSERT_NE(j, nullptr);
  EXPECT_TRUE(mensagens.Textos().isEmpty()) << mensagens.Textos().join('\n').toStdString();
  ASSERT_EQ(j->NumVariaveis(), 4);
  EXPECT_EQ(j->Abas()->tabText(0), "Isoladas");
  EXPECT_EQ(j->Abas()->tabText(1), "Influência");

  const auto t = Transformadas(m);
  const QStringList nomes{"A", "B", "D", "Valor"}, formas{"ln(x)", "x^0,50", "1/x", "x"};
  for (int k = 0; k < 2; ++k) {
    CTableCtrlEx* tab = j->Tabela(k);
    ASSERT_EQ(tab->GetRowCount(), 5);
    ASSERT_EQ(tab->GetColumnCount(), 7);
    EXPECT_EQ(tab->GetCellText(0, 1), "Forma");
    EXPECT_EQ(tab->GetCellText(0, 2), "Variável");
    for (int r = 1; r <= 4; ++r) {
      EXPECT_EQ(tab->GetCellText(r, 0), QString::number(r));
      EXPECT_EQ(tab->GetCellText(r, 1), formas[r - 1]);
      EXPECT_EQ(tab->GetCellText(r, 2), nomes[r - 1]);
      EXPECT_EQ(tab->GetCellText(0, r + 2), nomes[r - 1]);
      for (int c = 0; c < 4; ++c) {
        const QString texto = tab->GetCellText(r, c + 3);
        if (c == r - 1) {
          EXPECT_TRUE(texto.isEmpty());
          continue;
        }
        const double esperado = k == 0 ? Pearson(t[std::size_t(r - 1)], t[std::size_t(c)]) : Parcial(t, r - 1, c);
        EXPECT_EQ(texto, Celula(esperado)) << k << ":" << r << "," << c;
      }
    }
  }

  // The charts of the first variable: a bar per enabled variable, coloured
  // one by one, the same colour in the other chart and in the row headings.
  CTChart* iso = j->Grafico(0);
  CTChart* inf = j->Grafico(1);
  EXPECT_EQ(iso->Titulo(), "Correlações Isoladas p/A");
  EXPECT_EQ(inf->Titulo(), "Correlações Influência p/A");
  ASSERT_EQ(iso->NumPontos(0), 4);
  ASSERT_EQ(inf->NumPontos(0), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(iso->Ponto(0, i).x(), i + 1);
    if (i > 0) {
      EXPECT_EQ(iso->Ponto(0, i).y(), std::ceil(100 * Pearson(t[0], t[std::size_t(i)]) - 1e-9));
      EXPECT_EQ(inf->Ponto(0, i).y(), std::ceil(100 * Parcial(t, 0, i) - 1e-9));
    }
    EXPECT_EQ(inf->CorPonto(0, i), iso->CorPonto(0, i));
    EXPECT_EQ(CorDeColorref(int32_t(j->Tabela(1)->GetCellBackColour(i + 1, 0))), iso->CorPonto(0, i));
    if (i > 0) EXPECT_NE(iso->CorPonto(0, i), iso->CorPonto(0, i - 1));
  }

  // The spin stays within the enabled variables.
  j->MoveSetas(-1);
  EXPECT_EQ(j->Selecionada(), 0);
  for (int i = 0; i < 5; ++i) j->MoveSetas(+1);
  EXPECT_EQ(j->Selecionada(), 3);
  EXPECT_EQ(iso->Titulo(), "Correlações Isoladas p/Valor");

  // The model loses its results: the window closes.
  doc->GetCabecalho()->SetEstadoCalculo(0);
  doc->UpdateAllViews(nullptr, 3);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  EXPECT_TRUE(doc->Janela(CTarsolinDoc::JanelaCorrelacoes).isNull());
}

TEST_F(Correlacoes, DisabledUntilTheModelIsCalculated) {
  ModeloEquacao m = ModeloCorrelacoes();
  m.cab->SetEstadoCalculo(0);
  CTarsolinDoc* doc = Abre(m);
  EXPECT_EQ(AbreJanela(doc), nullptr);
  EXPECT_FALSE(app->MainFrame()->Acao(32833)->isEnabled());
}

TEST_F(Correlacoes, PrintsOnePagePerEnabledVariable) {
  ModeloEquacao m = ModeloCorrelacoes();
  CTarsolinDoc* doc = Abre(m);
  CCorrelacoesView* j = AbreJanela(doc);
  ASSERT_NE(j, nullptr);
  const QString arquivo = pasta.filePath("c.pdf");
  {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(arquivo);
    EXPECT_EQ(j->ImprimeEm(impressora, false), 4);
  }
  EXPECT_EQ(teste::PaginasPdf(arquivo), 4);
  const QString texto = teste::TextoPdf(arquivo, 2, 2);
  EXPECT_TRUE(texto.contains("Correlações Parciais")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("Modelo : Modelo de teste")) << texto.toStdString();

  // Pages 1 to 3: the charts stay on the third enabled variable.
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(pasta.filePath("c3.pdf"));
  impressora.setFromTo(1, 3);
  EXPECT_EQ(j->ImprimeEm(impressora, false), 3);
  EXPECT_EQ(j->Selecionada(), 2);
  EXPECT_EQ(j->Grafico(0)->Titulo(), "Correlações Isoladas p/D");
}

TEST_F(Correlacoes, PassesTheResidualsCommandToTheModelWindow) {
  ModeloEquacao m = ModeloCorrelacoes();
  CTarsolinDoc* doc = Abre(m);
  ASSERT_NE(AbreJanela(doc), nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  // Its own command is not among those it passes on.
  EXPECT_FALSE(app->MainFrame()->Acao(32833)->isEnabled());
  ASSERT_TRUE(app->MainFrame()->Acao(32840)->isEnabled());
  app->MainFrame()->Acao(32840)->trigger();
  for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
  EXPECT_FALSE(doc->Janela(CTarsolinDoc::JanelaResiduos).isNull());
  EXPECT_TRUE(doc->Janela(CTarsolinDoc::JanelaCorrelacoes).isNull());
}

TEST_F(Correlacoes, UnfilledEntriesReadAsZeroAndAMissingLibraryIsSaid) {
  ModeloEquacao m = ModeloCorrelacoes();
  CTarsolinDoc* doc = Abre(m);
  drivers::Modulos().mirsalto = QStringLiteral("StubMirsalto.so");
  qputenv("STUB_MIRSALTO_CHEIO", "1");
  CCorrelacoesView* j = AbreJanela(doc);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->Tabela(0)->GetCellText(2, 5), "50");
  // The next call fills only the pair (0, 1), with 0.07.
  qunsetenv("STUB_MIRSALTO_CHEIO");
  doc->UpdateAllViews(nullptr, 0);
  EXPECT_EQ(j->Tabela(0)->GetCellText(1, 4), " 7");
  EXPECT_EQ(j->Tabela(1)->GetCellText(2, 3), " 7");
  EXPECT_EQ(j->Tabela(0)->GetCellText(2, 5), " 0");
  EXPECT_EQ(j->Grafico(0)->Ponto(0, 1).y(), 7.0);

  drivers::Modulos().mirsalto = QStringLiteral("NaoExiste.so");
  doc->UpdateAllViews(nullptr, 0);
  EXPECT_TRUE(mensagens.Textos().contains("Não foi possível carregar a biblioteca NaoExiste.so !"));
  EXPECT_EQ(j->Tabela(0)->GetCellText(1, 4), " 7");  // what was shown stays
}

}  // namespace
