// The diagnostic windows as the user reaches them: the program started, a
// model opened, the command chosen from the model menu.
#include "../equation/ProgramaEquacao.h"
#include "CMainFrame.h"
#include "CSplashWnd.h"
#include "RoteadorComandos.h"
#include "views/charts/CTChart.h"
#include "views/diagnostics/COutliers.h"
#include "views/diagnostics/CorrelacaoEsp.h"
#include "controls/PropertyGrid.h"
#include "model/ArquivoModelo.h"
#include "views/diagnostics/CValidarView.h"
#include "views/diagnostics/PaginasResiduos.h"

#include "controls/CTableCtrlEx.h"
#include "EstiloGrafico.h"
#include "model/CTarsolinDoc.h"
#include "model/TextoNumero.h"
#include "platform/Dialogo.h"
#include "platform/TextoNumerico.h"
#include "tests/support/MemoriaProcesso.h"

#include <QAction>
#include <QChart>
#include <QCheckBox>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QTabWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <newmat.h>

#if !defined(__SANITIZE_ADDRESS__)
// Allocations from this size on fail while a test asks (0: none do): a lack
// of memory exactly where the program asks for one large block. The address
// sanitizer keeps its own operator new.
namespace {
std::atomic<std::size_t> recusaDe{0};
void* Aloca(std::size_t n) {
  const std::size_t limite = recusaDe.load(std::memory_order_relaxed);
  if (limite != 0 && n >= limite) throw std::bad_alloc();
  if (void* p = std::malloc(n != 0 ? n : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace
void* operator new(std::size_t n) { return Aloca(n); }
void* operator new[](std::size_t n) { return Aloca(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif

namespace {
using teste::ModeloEquacao;
using C = CabecalhoModelo;

// Twenty records on a line, one regressor (1 to 20 times `escala`);
// equation 0 the least-squares fit, residuals and s stored; records 5 and 12
// held out for validation.
ModeloEquacao ModeloDiagnostico(bool espacial, double escala = 1.0) {
  std::vector<double> a, y;
  for (int i = 0; i < 20; ++i) {
    a.push_back((1.0 + i) * escala);
    y.push_back(10.0 + 2.0 * (1.0 + i) + ((i * 7) % 5 - 2) * 0.8 + (i == 9 ? 9.0 : 0.0));
  }
  ModeloEquacao m({QStringLiteral("Area"), QStringLiteral("Valor")}, {a, y});
  m.cab->SetI32(C::OffVariavelX, -1);
  for (int i : {5, 12}) m.dados[std::size_t(i)].excluido = 1, m.dados[std::size_t(i)].validacao = 1;
  m.cab->SetNumConsiderados(18);
  m.cab->SetI32(C::OffNumValidacao, 2);
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (int i = 0; i < 20; ++i) {
    if (m.dados[std::size_t(i)].excluido) continue;
    sx += a[i], sy += y[i], sxx += a[i] * a[i], sxy += a[i] * y[i];
  }
  const double b = (sxy - sx * sy / 18) / (sxx - sx * sx / 18), c = (sy - b * sx) / 18;
  m.Coeficiente(0, b).Coeficiente(1, c);
  double sse = 0;
  int fora = 0;
  for (int i = 0; i < 20; ++i) {
    if (m.dados[std::size_t(i)].excluido) continue;
    m.dados[std::size_t(i)].residuo[0] = y[i] - c - b * a[i];
    sse += m.dados[std::size_t(i)].residuo[0] * m.dados[std::size_t(i)].residuo[0];
  }
  const double s = std::sqrt(sse / 16);
  m.cab->SetF64(C::OffErroPadrao, s);
  for (int i = 0; i < 20; ++i) fora += std::fabs(m.dados[std::size_t(i)].residuo[0] / s) > 2 ? 1 : 0;
  m.cab->SetI32(C::OffForaDe2, fora);
  if (espacial) {
    m.cab->SetI32(C::OffVariavelX, 0);  // W is rebuilt from the coordinates at the open
    m.cab->SetI32(C::OffVariavelY, 0);
    m.Espacial({b, c}, 0.0, false);
  }
  return m;
}

QStringList Coluna(CTableCtrl* t, int col) {
  QStringList r;
  for (int row = 1; row < t->GetRowCount(); ++row) r << t->GetCellText(row, col).trimmed();
  return r;
}

std::vector<double> Numeros(CTableCtrl* t, int col) {
  std::vector<double> r;
  for (const QString& texto : Coluna(t, col)) {
    double v = NAN;
    EXPECT_TRUE(ConverteStringNumero(texto, &v)) << texto.toStdString();
    r.push_back(v);
  }
  return r;
}

QByteArray Arquivo(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class JanelasDiagnostico : public teste::ProgramaEquacao {
protected:
  JanelaDiagnostico* Abre(CTarsolinDoc* doc, int comando, int slot) {
    app->MainFrame()->Acao(comando)->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(slot).data());
    return sub ? qobject_cast<JanelaDiagnostico*>(sub->widget()) : nullptr;
  }
  // TARSOLIN_CAPTURAS names a folder that receives a picture of each window.
  static void Captura(QWidget* w, const char* nome) {
    const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
    if (pasta.isEmpty() || !w) return;
    w->window()->resize(1400, 900);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->showMaximized();
    QCoreApplication::processEvents();
    w->grab().save(pasta + "/" + nome + ".png");
  }
  static QStringList Abas(JanelaDiagnostico* j) {
    QStringList r;
    for (int i = 0; i < j->Abas()->count(); ++i) r << j->Abas()->tabText(i);
    return r;
  }
};

TEST_F(JanelasDiagnostico, ResidualWindowHasTwoTabsOrThreeWithASpatialModel) {
  ModeloEquacao linear = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(linear);
  ASSERT_TRUE(app->MainFrame()->Acao(32840)->isEnabled());
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(Abas(j), (QStringList{"Regressão Linear", "Distância de Cook"}));
  auto* pagina = qobject_cast<CResiduosView*>(j->Pagina(0));
  ASSERT_NE(pagina, nullptr);
  CTableCtrlEx* t = pagina->Tabela();
  ASSERT_EQ(t->GetRowCount(), 19);
  EXPECT_EQ(t->GetCellText(0, 5), "Resíduo/DP");
  EXPECT_EQ(t->GetCellText(1, 0), "1");
  EXPECT_EQ(t->GetCellText(6, 0), "7");  // records 6 and 13 are held out
  EXPECT_EQ(pagina->Grafico1()->Titulo(), "Resíduos da variável Valor");
  EXPECT_EQ(pagina->Grafico1()->NumPontos(3), 18);
  EXPECT_FALSE(pagina->Caixa()->isVisibleTo(pagina));
  // The recomputed residuals of the dependent are the stored ones.
  for (int i = 0; i < 20; ++i) {
    if (linear.dados[std::size_t(i)].excluido) continue;
    EXPECT_NEAR(pagina->Resultado().Z[std::size_t(i)] * pagina->Resultado().s, linear.dados[std::size_t(i)].residuo[0], 1e-9);
  }
  Captura(j, "residuos_linear");
  j->Abas()->setCurrentIndex(1);
  Captura(j, "residuos_cook");
  j->Abas()->setCurrentIndex(0);
  // The spin goes to the regressor: the model's residuals for it.
  pagina->MoveSetas(-1);
  EXPECT_EQ(pagina->Modo(), 1);
  EXPECT_TRUE(pagina->Caixa()->isVisibleTo(pagina));
  EXPECT_EQ(pagina->Grafico1()->Titulo(), "Resíduos do modelo para Area");

  // The printout: the table's pages and one chart page.
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(pasta.filePath("r.pdf"));
  const int paginas = pagina->ImprimeEm(impressora, false);
  EXPECT_GE(paginas, 2);

  ModeloEquacao espacial = ModeloDiagnostico(true);
  CTarsolinDoc* doc2 = teste::ProgramaEquacao::Abre(espacial, QStringLiteral("e.tsn"));
  JanelaDiagnostico* j2 = Abre(doc2, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j2, nullptr);
  EXPECT_EQ(Abas(j2), (QStringList{"Regressão Linear", "Distância de Cook", "Regressão Espacial"}));
  // rho = 0 and the linear coefficients: the spatial residuals are the linear ones.
  auto* re = qobject_cast<CResiduosViewRE*>(j2->Pagina(2));
  ASSERT_NE(re, nullptr);
  ASSERT_EQ(re->Resultado().e.size(), 18u);
  EXPECT_NEAR(re->Resultado().e[0], espacial.dados[0].residuo[0], 1e-9);
  j2->Abas()->setCurrentIndex(2);
  Captura(j2, "residuos_espacial");
}

// n records on a line with a spatial lag fit (rho 0.3), W made from the
// coordinates when the model opens: every pair weighted, so dense. y receives
// the dependent's values.
ModeloEquacao ModeloLinhaEspacial(int n, std::vector<double>& y) {
  std::vector<double> a;
  y.clear();
  for (int i = 0; i < n; ++i) {
    a.push_back(1.0 + i);
    y.push_back(10.0 + 2.0 * a.back() + ((i * 7) % 5 - 2) * 0.8);
  }
  ModeloEquacao m({QStringLiteral("Area"), QStringLiteral("Valor")}, {a, y});
  m.cab->SetI32(C::OffVariavelX, 0);
  m.cab->SetI32(C::OffVariavelY, 0);
  m.cab->SetU8(C::OffNormalizaW, 1);
  m.Espacial({2.0, 10.0}, 0.3, true);
  return m;
}

// The spatial pages keep the vectors they show, not n x n matrices: with
// "Regressão Espacial" open in both the residual and the fitted-values
// windows of a 3,000-record lag model, the process grows by less than one
// n x n matrix (69 MB), where a copy of W and its LU factors per page took four.
TEST_F(JanelasDiagnostico, SpatialPagesKeepNoSquareMatrix) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow and quarantine make resident memory no measure of ours";
#endif
  const int n = 3000;
  std::vector<double> y;
  ModeloEquacao m = ModeloLinhaEspacial(n, y);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  ASSERT_EQ(doc->GetW().Nrows(), n);
  malloc_trim(0);
  const double antes = MemoriaMB("VmRSS");
  JanelaDiagnostico* r = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(r, nullptr);
  ASSERT_EQ(Abas(r).value(2), "Regressão Espacial") << Abas(r).join(", ").toStdString();
  auto* re = qobject_cast<CResiduosViewRE*>(r->Pagina(2));
  ASSERT_NE(re, nullptr);
  ASSERT_EQ(re->Tabela()->GetRowCount(), n + 1);
  double v = NAN;
  EXPECT_TRUE(ConverteStringNumero(re->Tabela()->GetCellText(n, 2).trimmed(), &v));
  EXPECT_TRUE(std::isfinite(v));
  RoteadorComandos::Instancia().AtualizaAcoes();
  JanelaDiagnostico* f = Abre(doc, 32852, CTarsolinDoc::JanelaValoresAjustados);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(Abas(f).value(1), "Regressão Espacial") << Abas(f).join(", ").toStdString();
  auto* fe = qobject_cast<CValoresAjustadosRE*>(f->Pagina(1));
  ASSERT_NE(fe, nullptr);
  ASSERT_EQ(fe->Tabela()->GetRowCount(), n + 1);
  EXPECT_TRUE(mensagens.Textos().isEmpty()) << mensagens.Textos().join(" | ").toStdString();
  malloc_trim(0);
  EXPECT_LT(MemoriaMB("VmRSS") - antes, 8.0 * n * n / (1024.0 * 1024.0));
}

// No memory for the spatial pages' solve (the n x n buffer of a dense
// I - rho W): each window says so in words and shows its other figures, the
// estimates as errors; nothing ends, and once memory is there again the
// window computes them.
TEST_F(JanelasDiagnostico, SpatialPagesSayWhenMemoryRunsOut) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer keeps its own operator new";
#else
  const int n = 1500;
  std::vector<double> y;
  ModeloEquacao m = ModeloLinhaEspacial(n, y);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  ASSERT_EQ(doc->GetW().Nrows(), n);
  struct Caso { int comando, slot, aba, estimado; };
  const Caso janelas[] = {{32840, CTarsolinDoc::JanelaResiduos, 2, 2}, {32852, CTarsolinDoc::JanelaValoresAjustados, 1, 2}};
  for (const Caso& c : janelas) {
    RoteadorComandos::Instancia().AtualizaAcoes();
    const qsizetype antes = mensagens.Textos().size();
    recusaDe = std::size_t(8.0 * n * n * 0.9);
    JanelaDiagnostico* j = Abre(doc, c.comando, c.slot);
    recusaDe = 0;
    ASSERT_NE(j, nullptr) << c.comando;
    EXPECT_EQ(mensagens.Textos().mid(antes), QStringList{QStringLiteral("Memória Insuficiente.")}) << c.comando;
    ASSERT_EQ(Abas(j).value(c.aba), "Regressão Espacial") << c.comando;
    CTableCtrl* t = j->Pagina(c.aba)->Tabela();
    ASSERT_EQ(t->GetRowCount(), n + 1) << c.comando;
    double observado = NAN;
    EXPECT_TRUE(ConverteStringNumero(t->GetCellText(1, 1).trimmed(), &observado)) << c.comando;
    EXPECT_NEAR(observado, y[0], 0.005) << c.comando;
    EXPECT_EQ(t->GetCellText(1, c.estimado).trimmed(), "Erro") << c.comando;
    // The next calculation finds the memory: the estimates are numbers.
    doc->UpdateAllViews(nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(mensagens.Textos().size(), antes + 1) << mensagens.Textos().join(" | ").toStdString();
    double v = NAN;
    EXPECT_TRUE(ConverteStringNumero(t->GetCellText(1, c.estimado).trimmed(), &v)) << c.comando;
  }
#endif
}

TEST_F(JanelasDiagnostico, CookPageSumsLeverageToTheParameters) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  auto* cook = qobject_cast<CDCookView*>(j->Pagina(1));
  ASSERT_NE(cook, nullptr);
  double soma = 0;
  for (double h : cook->Resultado().h) soma += h;
  EXPECT_NEAR(soma, 2.0, 1e-10);
  EXPECT_EQ(cook->Tabela()->GetCellText(0, 6), "Distância de Cook");
  const auto faixa = cook->Grafico2()->FaixaEixo(Qt::Vertical);
  EXPECT_GE(faixa.second, 1.1 - 1e-12);
}

TEST_F(JanelasDiagnostico, FittedValuesValidationAndOutliersFromTheirCommands) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  ASSERT_TRUE(app->MainFrame()->Acao(32843)->isEnabled());
  JanelaDiagnostico* v = Abre(doc, 32843, CTarsolinDoc::JanelaValidar);
  ASSERT_NE(v, nullptr);
  auto* validar = qobject_cast<CValidarView*>(v->Pagina(0));
  ASSERT_NE(validar, nullptr);
  CTableCtrlEx* t = validar->Tabela();
  ASSERT_EQ(t->GetRowCount(), 3);
  EXPECT_EQ(t->GetCellText(0, 6), "Vr. Espacial");
  EXPECT_EQ(t->GetCellText(1, 1).trimmed(), "6");
  EXPECT_EQ(t->GetCellText(1, 6), "");  // no spatial model
  EXPECT_FALSE(t->GetCellText(1, 7).isEmpty());
  EXPECT_EQ(validar->Grafico1()->NumPontos(0), 0);
  EXPECT_EQ(validar->Grafico2()->NumPontos(0), 2);
  Captura(v, "validacao");

  int linhas = -1;
  QString total;
  plat::RoteiroPara(QStringLiteral("dlg531"), [&](QDialog& d) {
    auto& o = static_cast<COutliers&>(d);
    linhas = o.Lista()->topLevelItemCount();
    total = o.Total()->text();
    Captura(&d, "outliers");
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(app->MainFrame()->Acao(32838)->isEnabled());
  app->MainFrame()->Acao(32838)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(linhas, m.cab->I32(C::OffForaDe2));
  EXPECT_EQ(total, QString::number(linhas));
  // The validation window passes the fitted-values command on to the model window.
  RoteadorComandos::Instancia().AtualizaAcoes();
  ASSERT_TRUE(app->MainFrame()->Acao(32852)->isEnabled());
  JanelaDiagnostico* a = Abre(doc, 32852, CTarsolinDoc::JanelaValoresAjustados);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(Abas(a), (QStringList{"Regressão Linear"}));
  auto* ajuste = qobject_cast<CValoresAjustados*>(a->Pagina(0));
  ASSERT_NE(ajuste, nullptr);
  EXPECT_EQ(ajuste->Classes(), 4);  // floor(sqrt(18))
  EXPECT_EQ(ajuste->Grafico2()->NumPontos(1), 61);
  EXPECT_EQ(ajuste->Tabela()->GetCellText(0, 1), "Valor Observado");
  // The histogram: one green bar per class, filled, the frequencies adding up to 1.
  CTChart* h = ajuste->Grafico2();
  ASSERT_EQ(h->ClasseDaSerie(0), CTChart::SerieHistograma);
  ASSERT_EQ(h->NumPontos(0), 4);
  double soma = 0;
  for (int k = 0; k < 4; ++k) {
    soma += h->Ponto(0, k).y();
    EXPECT_EQ(h->CorPonto(0, k), QColor(0, 255, 0));
  }
  EXPECT_NEAR(soma, 1.0, 1e-12);
  EXPECT_NEAR(h->LarguraBarras(0), h->Ponto(0, 1).x() - h->Ponto(0, 0).x(), 1e-12);
  const QImage img = h->Imagem(QSize(400, 300));
  int verdes = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c(img.pixel(x, y));
      verdes += c.green() > 200 && c.red() < 60 && c.blue() < 60;
    }
  EXPECT_GT(verdes, 5000);  // areas, not outlines
  Captura(a, "aderencia");

}

TEST_F(JanelasDiagnostico, SpatialCorrelationStoresTheNineResultsInTheFile) {
  ModeloEquacao m = ModeloDiagnostico(true);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  QStringList valores;
  plat::RoteiroPara(QStringLiteral("dlg525"), [&](QDialog& d) {
    EXPECT_FALSE(plat::Habilitado(d, 1056));  // no distance transform: the edits are off
    plat::DefineMarcado(d, 1030, true);
    plat::Pressiona(d, 1);
    auto& dlg = static_cast<CorrelacaoEsp&>(d);
    for (QTreeWidgetItemIterator it(dlg.Grade()); *it; ++it)
      if (!static_cast<PropertyGridItem*>(*it)->IsCategory()) valores << static_cast<PropertyGridItem*>(*it)->GetValue();
    Captura(&d, "correlacao_espacial");
    plat::Pressiona(d, 2);
  });
  ASSERT_TRUE(app->MainFrame()->Acao(32834)->isEnabled());
  app->MainFrame()->Acao(32834)->trigger();
  QCoreApplication::processEvents();
  ASSERT_EQ(valores.size(), 9);
  for (const QString& v : valores) EXPECT_FALSE(v.trimmed().isEmpty());
  // The file holds the results and the settings.
  auto lidoP = std::make_unique<CabecalhoModelo>();
  CabecalhoModelo& lido = *lidoP;
  ASSERT_TRUE(LeCabecalhoModelo(doc->GetPathName(), &lido));
  EXPECT_EQ(lido.U8(C::OffNormalizaW), 1);
  EXPECT_NE(lido.F64(410344), 0.0);
  EXPECT_NE(lido.F64(410376), 0.0);
  EXPECT_EQ(valores[0], plat::FormataC("%9.5f", {lido.F64(410344)}));
}

TEST_F(JanelasDiagnostico, SpatialCorrelationWithoutWSaysSo) {
  ModeloEquacao m = ModeloDiagnostico(false);
  teste::ProgramaEquacao::Abre(m);
  plat::RoteiroPara(QStringLiteral("dlg525"), [&](QDialog& d) {
    plat::Pressiona(d, 1);
    plat::Pressiona(d, 2);
  });
  app->MainFrame()->Acao(32834)->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(mensagens.Textos().contains(QStringLiteral("Matriz de pesos está vazia!")));
}

TEST_F(JanelasDiagnostico, PointsBeyondTheBandsAreRed) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  const QColor vermelho(Qt::red);
  // Standardised residuals: red from |z| = 2 on, else the style's points colour.
  int vermelhos = 0;
  for (int pagina : {0, 1})
    for (CTChart* g : {j->Pagina(pagina)->Grafico1(), pagina == 0 ? j->Pagina(0)->Grafico2() : nullptr}) {
      if (!g) continue;
      const EstiloGrafico& e = EstilosGraficos[g == j->Pagina(pagina)->Grafico1() ? 4 : 5];
      ASSERT_EQ(g->NumPontos(3), 18);
      for (int i = 0; i < g->NumPontos(3); ++i) {
        const bool fora = std::fabs(g->Ponto(3, i).y()) >= 2.0;
        EXPECT_EQ(g->CorPonto(3, i), fora ? vermelho : CorDeColorref(e.corPontos)) << i;
        vermelhos += fora;
        if (g->Rotulo(3, i) == "10") {
          EXPECT_TRUE(fora);  // the record pushed off the line
        }
      }
    }
  EXPECT_GE(vermelhos, 3);
  // Cook's distance: red from 1 on.
  CTChart* cook = j->Pagina(1)->Grafico2();
  ASSERT_EQ(cook->NumPontos(1), 18);
  for (int i = 0; i < 18; ++i)
    EXPECT_EQ(cook->CorPonto(1, i), cook->Ponto(1, i).y() >= 1.0 ? vermelho : CorDeColorref(EstilosGraficos[5].corPontos));
  Captura(j, "residuos_vermelhos");
}

TEST_F(JanelasDiagnostico, SortingAResidualTableOrdersItsRowsOnly) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  const QByteArray antes = Arquivo(doc->GetPathName());
  QAction* classificar = app->MainFrame()->Acao(32812);
  // The validation window does not sort; it passes the residuals command on.
  ASSERT_NE(Abre(doc, 32843, CTarsolinDoc::JanelaValidar), nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(classificar->isEnabled());
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  ASSERT_TRUE(classificar->isEnabled());
  CTableCtrl* t = j->Pagina(0)->Tabela();
  const QStringList registros = Coluna(t, 0);
  // Each row keeps its cells: the record number with its residual.
  QMap<QString, QString> residuo;
  for (int r = 1; r < t->GetRowCount(); ++r) residuo[t->GetCellText(r, 0)] = t->GetCellText(r, 3);

  struct Caso { int escolha, ordem, coluna; bool descendente; };
  const Caso casos[] = {{1097, 1100, 3, true}, {1098, 1099, 4, false}, {1095, 1100, 1, true}};
  for (const Caso& c : casos) {
    QStringList legendas;
    plat::RoteiroPara(QStringLiteral("dlg508"), [&](QDialog& d) {
      for (int id : {1095, 1096, 1097, 1098}) legendas << plat::Texto(d, id).remove('&');
      plat::Pressiona(d, c.escolha);
      plat::Pressiona(d, c.ordem);
      plat::Pressiona(d, 1);
    });
    classificar->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(legendas, (QStringList{"Preço Observado", "Valor Estimado", "Resíduo", "Resíduo Relativo"}));
    // By magnitude: -3 comes after 2 when ascending.
    const std::vector<double> v = Numeros(t, c.coluna);
    for (std::size_t i = 1; i < v.size(); ++i) {
      if (c.descendente) EXPECT_GE(std::fabs(v[i - 1]), std::fabs(v[i])) << c.coluna << " " << i;
      else EXPECT_LE(std::fabs(v[i - 1]), std::fabs(v[i])) << c.coluna << " " << i;
    }
    QStringList agora = Coluna(t, 0), ordenados = registros;
    EXPECT_NE(agora, registros);
    agora.sort();
    ordenados.sort();
    EXPECT_EQ(agora, ordenados);
    for (int r = 1; r < t->GetRowCount(); ++r) EXPECT_EQ(t->GetCellText(r, 3), residuo[t->GetCellText(r, 0)]);
  }
  // Cancelled: the order stays.
  const QStringList ordem = Coluna(t, 0);
  plat::RoteiroPara(QStringLiteral("dlg508"), [](QDialog& d) { plat::Pressiona(d, 1097); plat::Pressiona(d, 2); });
  classificar->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(Coluna(t, 0), ordem);
  // The Cook's distance page sorts its own table.
  j->Abas()->setCurrentIndex(1);
  RoteadorComandos::Instancia().AtualizaAcoes();
  ASSERT_TRUE(classificar->isEnabled());
  plat::RoteiroPara(QStringLiteral("dlg508"), [](QDialog& d) { plat::Pressiona(d, 1097); plat::Pressiona(d, 1100); plat::Pressiona(d, 1); });
  classificar->trigger();
  QCoreApplication::processEvents();
  const std::vector<double> e = Numeros(j->Pagina(1)->Tabela(), 3);
  for (std::size_t i = 1; i < e.size(); ++i) EXPECT_GE(std::fabs(e[i - 1]), std::fabs(e[i]));
  // Nothing reached the model: not modified, the file as it was.
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(Arquivo(doc->GetPathName()), antes);

  // The fitted-values pages keep the command disabled.
  ASSERT_NE(Abre(doc, 32852, CTarsolinDoc::JanelaValoresAjustados), nullptr);
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(classificar->isEnabled());
}

TEST_F(JanelasDiagnostico, ValidationKeepsTheDataGridsColumnWidths) {
  ModeloEquacao m = ModeloDiagnostico(false);
  // Twips: 2 inches, half an inch, 1 inch, 3 inches.
  m.cab->SetI32(C::OffLargurasFixasDados, 2880);
  m.cab->SetI32(C::OffLargurasFixasDados + 4, 720);
  m.cab->SetI32(C::OffLargurasVariavel, 1440);
  m.cab->SetI32(C::OffLargurasVariavel + 4, 4320);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  JanelaDiagnostico* v = Abre(doc, 32843, CTarsolinDoc::JanelaValidar);
  ASSERT_NE(v, nullptr);
  CTableCtrl* t = v->Pagina(0)->Tabela();
  const int ppi = int(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
  const std::pair<int, int> larguras[] = {{0, 230}, {2, 2880}, {3, 720}, {4, 1440}, {5, 4320}};
  for (const auto& [coluna, twips] : larguras) EXPECT_EQ(t->WidthOfColumn(coluna), twips * ppi / 1440) << coluna;
  // The record number's column: its 566 twips, wider when its bold heading needs it.
  EXPECT_GE(t->WidthOfColumn(1), 566 * ppi / 1440);
  // The estimates are no data-grid columns: wide enough for their texts.
  for (int coluna : {6, 7})
    for (int r = 0; r < t->GetRowCount(); ++r)
      EXPECT_GE(t->WidthOfColumn(coluna), QFontMetrics(t->font()).horizontalAdvance(t->GetCellText(r, coluna))) << coluna;
}

// The start-up splash eats the first click: tests that click close it first.
void FechaSplash() {
  if (CSplashWnd* splash = CSplashWnd::Atual()) splash->CloseSplash();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Moran's I of the residuals of the equation in use, by the formulas: the
// least-squares residuals e of the transformed dependent on the transformed
// regressor over the considered records, W the distances between their
// coordinates (a, a) with each row summing to 1, I = e'We / e'e.
double MoranEquacao(const ModeloEquacao& m, int e) {
  std::vector<double> a, y;
  for (const dado& d : m.dados)
    if (!d.excluido) a.push_back(d.valor[0]), y.push_back(d.valor[1]);
  const int n = int(a.size());
  auto t = [&](int v, double x) {
    switch (m.cab->Transformacao(v, e)) {
      case 3: return std::log(x);
      default: return x;
    }
  };
  NEWMAT::Matrix X(n, 2);
  NEWMAT::ColumnVector Y(n);
  for (int i = 0; i < n; ++i) X(i + 1, 1) = 1.0, X(i + 1, 2) = t(0, a[i]), Y(i + 1) = t(1, y[i]);
  const NEWMAT::ColumnVector b = (X.t() * X).i() * (X.t() * Y);
  const NEWMAT::ColumnVector r = Y - X * b;
  NEWMAT::Matrix W(n, n);
  for (int i = 0; i < n; ++i) {
    double soma = 0;
    for (int j = 0; j < n; ++j) soma += std::sqrt(2.0) * std::fabs(a[i] - a[j]);
    for (int j = 0; j < n; ++j) W(i + 1, j + 1) = std::sqrt(2.0) * std::fabs(a[i] - a[j]) / soma;
  }
  return (r.t() * W * r).AsScalar() / (r.t() * r).AsScalar();
}

// The spatial correlation indices test the equation in use (here equation
// 2, in logarithms, while the spatial model stands on equation 1), and its
// edits read a decimal point as well as the comma they show.
TEST_F(JanelasDiagnostico, SpatialCorrelationTestsTheCurrentEquationAndReadsTypedNumbers) {
  ModeloEquacao m = ModeloDiagnostico(true);
  m.cab->SetNumEquacoes(2);
  m.cab->SetEquacaoCorrente(1);
  m.Codigo(0, 3, 0.0, 1).Codigo(1, 3, 0.0, 1);
  ASSERT_EQ(m.cab->I32(C::OffEquacaoEspacial), 0);
  FechaSplash();
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  QString moran;
  plat::RoteiroPara(QStringLiteral("dlg525"), [&](QDialog& d) {
    auto caixa = [&](const char* id) { return d.findChild<QCheckBox*>(QString::fromLatin1(id)); };
    QTest::mouseClick(caixa("1030"), Qt::LeftButton);  // "Normalizar matriz pesos"
    plat::Pressiona(d, 1);
    moran = static_cast<CorrelacaoEsp&>(d).Grade()->FindItem(QStringLiteral("Moran I"))->GetValue();
    // The distance transform with numbers typed as a user of a point-decimal desktop types them.
    QTest::mouseClick(caixa("1031"), Qt::LeftButton);
    for (const auto& [id, texto] : {std::pair{"1056", "0.5"}, std::pair{"1057", "0,75"}}) {
      auto* e = d.findChild<QLineEdit*>(QString::fromLatin1(id));
      e->setFocus();
      e->selectAll();
      QTest::keyClicks(e, QString::fromLatin1(texto));
    }
    plat::Pressiona(d, 1);
    plat::Pressiona(d, 2);
  });
  app->MainFrame()->Acao(32834)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(moran, plat::FormataC("%9.5f", {MoranEquacao(m, 1)}));
  EXPECT_NE(moran, plat::FormataC("%9.5f", {MoranEquacao(m, 0)}));
  auto lido = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(doc->GetPathName(), lido.get()));
  EXPECT_EQ(lido->U8(C::OffTransformaDistancias), 1);
  EXPECT_EQ(lido->F64(C::OffExpoenteDistancia), 0.5);
  EXPECT_EQ(lido->F64(C::OffDistanciaMinima), 0.75);
}

// The residual and fitted-values pages pass "Exibir Dados" (32814) on to the
// model window, which enables it while the model has data.
TEST_F(JanelasDiagnostico, ResidualAndFittedPagesPassTheDataCommandOn) {
  ModeloEquacao m = ModeloDiagnostico(false);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  RoteadorComandos& r = RoteadorComandos::Instancia();
  const std::pair<int, int> janelas[] = {{32840, CTarsolinDoc::JanelaResiduos}, {32852, CTarsolinDoc::JanelaValoresAjustados}};
  for (const auto& [comando, slot] : janelas) {
    JanelaDiagnostico* j = Abre(doc, comando, slot);
    ASSERT_NE(j, nullptr) << comando;
    for (int aba = 0; aba < j->Abas()->count(); ++aba) {
      j->Abas()->setCurrentIndex(aba);
      QCoreApplication::processEvents();
      EXPECT_TRUE(r.Estado(32814).habilitado) << comando << " " << aba;
      EXPECT_TRUE(r.Despacha(32814)) << comando << " " << aba;
    }
  }
}

// The validation window: a heading click sorts the numbers by their signed
// value and the texts as texts; the cells keep the data grid's colours and
// font styles; the record number is never clipped.
TEST_F(JanelasDiagnostico, ValidationSortsNumbersKeepsFormatsAndShowsRecordNumbers) {
  const int N = 130;
  const int validacao[] = {3, 50, 101, 110, 125};
  const double lotes[] = {107.80, 115.00, 28.94, -3.50, 5.00};
  const char* ruas[] = {"Rua C", "Rua A", "Rua E", "Rua B", "Rua D"};
  std::vector<double> a, l, y;
  for (int i = 0; i < N; ++i) a.push_back(1.0 + i), l.push_back(10.0 + i % 7), y.push_back(50.0 + 2.0 * i);
  for (int k = 0; k < 5; ++k) l[std::size_t(validacao[k])] = lotes[k];
  ModeloEquacao m({QStringLiteral("Area"), QStringLiteral("LOTSZ"), QStringLiteral("Valor")}, {a, l, y});
  m.Coeficiente(0, 2.0).Coeficiente(1, 0.5).Coeficiente(2, 48.0);
  // Decimals and widths as a new model has them.
  for (int v = 0; v < 3; ++v) m.cab->SetCasasDecimais(v, 2), m.cab->SetI32(C::OffLargurasVariavel + 4 * v, 1134);
  m.cab->SetI32(C::OffLargurasFixasDados, 2552);
  m.cab->SetI32(C::OffLargurasFixasDados + 4, 1985);
  for (int k = 0; k < 5; ++k) {
    dado& d = m.dados[std::size_t(validacao[k])];
    d.excluido = 1, d.validacao = 1;
    d.SetEndereco(QString::fromLatin1(ruas[k]));
  }
  m.cab->SetNumConsiderados(N - 5);
  m.cab->SetI32(C::OffNumValidacao, 5);
  FechaSplash();
  dado& formatado = m.dados[50];
  formatado.fixas[0].corTexto = 0x0000FF;
  formatado.fixas[1].corFundo = 0x00FFFF;
  formatado.fixas[1].italico = 1;
  formatado.corTexto[1] = 0xFF0000;
  formatado.corFundo[1] = 0xC0C0C0;
  formatado.negrito[1] = 1;
  formatado.sublinhado[0] = 1;
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  JanelaDiagnostico* v = Abre(doc, 32843, CTarsolinDoc::JanelaValidar);
  ASSERT_NE(v, nullptr);
  CTableCtrlEx* t = v->Pagina(0)->Tabela();
  ASSERT_EQ(t->GetRowCount(), 6);

  int linha = -1;
  for (int r = 1; r < t->GetRowCount(); ++r)
    if (t->GetCellText(r, 1).trimmed() == "51") linha = r;
  ASSERT_GT(linha, 0);
  EXPECT_EQ(t->GetCellTextColour(linha, 2), COLORREF(0x0000FF));
  EXPECT_EQ(t->GetCellBackColour(linha, 3), COLORREF(0x00FFFF));
  ASSERT_NE(t->GetCellFont(linha, 3), nullptr);
  EXPECT_TRUE(t->GetCellFont(linha, 3)->lfItalic);
  EXPECT_EQ(t->GetCellTextColour(linha, 5), COLORREF(0xFF0000));
  EXPECT_EQ(t->GetCellBackColour(linha, 5), COLORREF(0xC0C0C0));
  ASSERT_NE(t->GetCellFont(linha, 5), nullptr);
  EXPECT_EQ(t->GetCellFont(linha, 5)->lfWeight, 700);
  ASSERT_NE(t->GetCellFont(linha, 4), nullptr);
  EXPECT_TRUE(t->GetCellFont(linha, 4)->lfUnderline);

  // The record number's column holds its bold heading and every number, "126" too.
  for (int r = 0; r < t->GetRowCount(); ++r) {
    const CTableDefaultCell* fixa = t->GetDefaultCell(r == 0, true);
    const QFontMetrics fm(*fixa->FontObject());
    EXPECT_GE(t->WidthOfColumn(1), fm.horizontalAdvance(t->GetCellText(r, 1)) + 2 * fixa->Margin()) << r;
  }

  auto clica = [&](int coluna) {
    QRect celula;
    ASSERT_TRUE(t->GetCellRect(0, coluna, &celula));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::NoModifier, celula.center());
    QCoreApplication::processEvents();
  };
  clica(5);
  EXPECT_EQ(Numeros(t, 5), (std::vector<double>{-3.5, 5.0, 28.94, 107.8, 115.0}));
  clica(5);
  EXPECT_EQ(Numeros(t, 5), (std::vector<double>{115.0, 107.8, 28.94, 5.0, -3.5}));
  clica(1);
  EXPECT_EQ(Coluna(t, 1), (QStringList{"4", "51", "102", "111", "126"}));
  clica(2);
  EXPECT_EQ(Coluna(t, 2), (QStringList{"Rua A", "Rua B", "Rua C", "Rua D", "Rua E"}));
  // The formats went with their record.
  for (int r = 1; r < t->GetRowCount(); ++r)
    EXPECT_EQ(t->GetCellTextColour(r, 2) == COLORREF(0x0000FF), t->GetCellText(r, 1).trimmed() == "51") << r;
  Captura(v, "validacao_ordenada");
}

// Every cell's text fits its column: the cell's font and its margins.
void ColunasCabem(CTableCtrl* t) {
  for (int r = 0; r < t->GetRowCount(); ++r)
    for (int c = 0; c < t->GetColumnCount(); ++c) {
      const CTableDefaultCell* d = t->GetDefaultCell(r == 0, c == 0);
      const QFontMetrics fm(*d->FontObject());
      EXPECT_GE(t->WidthOfColumn(c), fm.horizontalAdvance(t->GetCellText(r, c)) + 2 * d->Margin())
          << r << " " << c << " " << t->GetCellText(r, c).toStdString();
    }
}

// The points' markers lie whole inside the chart's plot area.
void PontosInteiros(CTChart* g, int serie) {
  QChart* c = g->Grafico();
  const QRectF area = c->plotArea();
  ASSERT_FALSE(area.isEmpty());
  const double raio = g->TamanhoPonteiro(serie) / 2.0;
  for (int i = 0; i < g->NumPontos(serie); ++i) {
    const QPointF p = c->mapToPosition(g->Ponto(serie, i));
    EXPECT_TRUE(area.contains(QRectF(p.x() - raio, p.y() - raio, 2 * raio, 2 * raio)))
        << g->Titulo().toStdString() << ": " << g->Rotulo(serie, i).toStdString() << " at " << p.x() << ", " << p.y()
        << " outside " << area.left() << ".." << area.right() << " x " << area.top() << ".." << area.bottom();
  }
}

// The spin of the linear residual page, pressed as the user presses it.
void Seta(PaginaDiagnostico* pagina, const char* qual) {
  auto* botao = pagina->Setas()->findChild<QToolButton*>(QString::fromLatin1(qual));
  ASSERT_NE(botao, nullptr);
  QTest::mouseClick(botao, Qt::LeftButton);
  QCoreApplication::processEvents();
}

// A regressor whose values are far wider than the dependent's, reached with
// the spin: the table's columns widen to hold its texts.
TEST_F(JanelasDiagnostico, ResidualTableFitsTheVariableTheSpinShows) {
  FechaSplash();
  ModeloEquacao m = ModeloDiagnostico(false, 1e8);
  CTarsolinDoc* doc = teste::ProgramaEquacao::Abre(m);
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  auto* pagina = qobject_cast<CResiduosView*>(j->Pagina(0));
  ASSERT_NE(pagina, nullptr);
  ColunasCabem(pagina->Tabela());
  Seta(pagina, "abaixo");
  ASSERT_EQ(pagina->Grafico1()->Titulo(), "Resíduos do modelo para Area");
  ColunasCabem(pagina->Tabela());
  QTest::mouseClick(pagina->Caixa(), Qt::LeftButton);  // the variable's own residuals
  QCoreApplication::processEvents();
  ASSERT_EQ(pagina->Modo(), 0);
  ColunasCabem(pagina->Tabela());
}

// The sample model (211 houses) with the least-squares fit of PRICE on its
// enabled variables, worked out here: the residual page's spin taken down to
// NROOM, whose few whole values put many points at both ends of the second
// chart's range. Every point of both charts is drawn whole inside the plot.
TEST_F(JanelasDiagnostico, ResidualChartsOfTheSampleModelDrawEveryPointWhole) {
  FechaSplash();
  const QString caminho = pasta.filePath(QStringLiteral("baltimore.tsn"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), caminho));
  QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
  auto cab = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(caminho, cab.get()));
  const int N = cab->NumDados();
  ASSERT_EQ(N, 211);
  std::vector<dado> dados(static_cast<std::size_t>(N));
  NEWMAT::Matrix W;
  ASSERT_TRUE(LeRegistrosModelo(caminho, cab.get(), dados.data(), nullptr, W, LeituraW::ComResultadoEspacial));
  std::vector<int> hab;
  for (int v = 0; v < cab->NumVariaveis(); ++v)
    if (cab->Habilitada(v)) hab.push_back(v);
  ASSERT_GE(hab.size(), 2u);
  ASSERT_EQ(cab->NomeVariavel(hab.front()), "NROOM");
  const int k = int(hab.size()), u = hab.back();
  NEWMAT::Matrix X(N, k);
  NEWMAT::ColumnVector y(N);
  for (int i = 0; i < N; ++i) {
    X(i + 1, 1) = 1.0;
    for (int q = 0; q + 1 < k; ++q) X(i + 1, q + 2) = dados[std::size_t(i)].valor[hab[std::size_t(q)]];
    y(i + 1) = dados[std::size_t(i)].valor[u];
  }
  const NEWMAT::ColumnVector b = (X.t() * X).i() * (X.t() * y);
  const NEWMAT::ColumnVector e = y - X * b;
  cab->SetEstadoCalculo(1);
  cab->SetNumEquacoes(1);
  for (int v : hab) cab->SetTransformacao(v, 0, 1);
  cab->SetF64VE(C::OffCoeficientes, u, 0, b(1));
  for (int q = 0; q + 1 < k; ++q) cab->SetF64VE(C::OffCoeficientes, hab[std::size_t(q)], 0, b(q + 2));
  const double s = std::sqrt(e.SumSquare() / (N - k));
  cab->SetF64(C::OffErroPadrao, s);
  for (int i = 0; i < N; ++i) dados[std::size_t(i)].residuo[0] = e(i + 1);
  ASSERT_TRUE(GravaArquivoModelo(caminho, cab.get(), dados.data(), nullptr, W));
  CTarsolinDoc* doc = app->OpenDocumentFile(caminho);
  ASSERT_NE(doc, nullptr);
  QCoreApplication::processEvents();
  JanelaDiagnostico* j = Abre(doc, 32840, CTarsolinDoc::JanelaResiduos);
  ASSERT_NE(j, nullptr);
  auto* pagina = qobject_cast<CResiduosView*>(j->Pagina(0));
  ASSERT_NE(pagina, nullptr);
  for (int passo = 0; passo + 1 < k; ++passo) Seta(pagina, "abaixo");
  ASSERT_EQ(pagina->Grafico1()->Titulo(), "Resíduos do modelo para NROOM");
  if (auto* sub = qobject_cast<QMdiSubWindow*>(j->parentWidget())) sub->showMaximized();
  QCoreApplication::processEvents();
  for (CTChart* g : {pagina->Grafico1(), pagina->Grafico2()}) {
    EXPECT_EQ(g->NumPontos(3), N) << g->Titulo().toStdString();
    PontosInteiros(g, 3);
  }
  ColunasCabem(pagina->Tabela());
  Captura(pagina->Grafico1(), "residuos_nroom_grafico1");
  Captura(pagina->Grafico2(), "residuos_nroom_grafico2");
  Captura(j, "residuos_nroom");
  // Cook's distances start at 0: the records with almost none are whole too.
  QTabBar* abas = j->Abas()->tabBar();
  QTest::mouseClick(abas, Qt::LeftButton, {}, abas->tabRect(1).center());
  QCoreApplication::processEvents();
  auto* cook = qobject_cast<PaginaDiagnostico*>(j->Abas()->currentWidget());
  ASSERT_NE(cook, nullptr);
  ASSERT_EQ(cook->Grafico2()->Titulo(), "Distância de Cook");
  EXPECT_EQ(cook->Grafico2()->NumPontos(1), N);
  PontosInteiros(cook->Grafico1(), 3);
  PontosInteiros(cook->Grafico2(), 1);
  Captura(j, "residuos_cook_amostra");
}

}  // namespace
