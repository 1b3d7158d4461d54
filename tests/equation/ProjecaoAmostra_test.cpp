// The projection of the sample model in the program, end to end: the linear
// regression and the lag model fitted by the real libraries from the model
// window, three properties to appraise added in the projection window, and
// every RL and RE item of its pane checked against the numbers worked out
// here from the fitted model file alone.
#include "CRelatorio.h"
#include "DriversCalculo.h"
#include "ProgramaEquacao.h"
#include "RoteadorComandos.h"
#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"
#include "views/equation/CProjetar.h"

#include "model/TextoNumero.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTimer>
#include <QToolBar>
#include <array>
#include <cmath>
#include <cstring>

namespace {
using C = CabecalhoModelo;

// The model file as the fits left it: its header and its records, read byte for byte.
struct Ajustado {
  std::unique_ptr<CabecalhoModelo> cab = std::make_unique<CabecalhoModelo>();
  std::vector<dado> dados;
  explicit Ajustado(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray b = f.readAll();
    if (b.size() < qsizetype(C::Tamanho)) return;
    std::memcpy(cab->bytes, b.constData(), C::Tamanho);
    const int N = cab->NumDados();
    if (b.size() < qsizetype(C::Tamanho + dado::Tamanho * std::size_t(N))) return;
    dados.resize(std::size_t(N));
    for (int i = 0; i < N; ++i)
      std::memcpy(&dados[std::size_t(i)], b.constData() + C::Tamanho + dado::Tamanho * std::size_t(i), dado::Tamanho);
  }
};

// The transformations the fit was allowed (x and ln x) and their inverses.
double T(double x, int codigo) { return codigo == 3 ? std::log(x) : x; }
double InvT(double y, int codigo) { return codigo == 3 ? std::exp(y) : y; }

// Student t of the 80 % column for ν degrees of freedom, read from the program's table.
double StudentOitenta(int nu) {
  QFile f(QCoreApplication::applicationDirPath() + QStringLiteral("/stdt.dat"));
  if (!f.open(QIODevice::ReadOnly)) return 0.0;
  const QByteArray b = f.readAll();
  const int linha = nu <= 30 ? nu : nu <= 40 ? 31 : nu <= 60 ? 32 : nu <= 120 ? 33 : 34;
  double t = 0.0;
  const qsizetype pos = 8 * (10 * linha + 4 + 1);
  if (b.size() >= pos + 8) std::memcpy(&t, b.constData() + pos, 8);
  return t;
}

// What the pane must show for one property to appraise.
struct Esperado {
  double E, inferior, superior;  // linear estimate and its interval (total value)
  double ES;                     // lag estimate (total value)
  double area;
};

class ProjecaoAmostra : public teste::ProgramaEquacao {
protected:
  void SetUp() override {
    teste::ProgramaEquacao::SetUp();
    plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.'));
    drivers::Modulos() = drivers::NomesModulos{};
  }
  static void Espera() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
  bool Dispara(int id) {
    RoteadorComandos::Instancia().AtualizaAcoes();
    QAction* a = app->MainFrame()->Acao(id);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    Espera();
    return true;
  }
  static void Botao(CProjetarFrame* janela, int id) {
    RoteadorComandos::Instancia().AtualizaAcoes();
    for (QAction* a : janela->Intervalo()->Barra()->actions())
      if (a->data().toInt() == id) {
        EXPECT_TRUE(a->isEnabled()) << id;
        a->trigger();
      }
    Espera();
  }
};

TEST_F(ProjecaoAmostra, ThreePropertiesByTheRegressionAndTheLagModel) {
  const QString caminho = pasta.filePath(QStringLiteral("baltimore.tsn"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn"), caminho));
  QFile::setPermissions(caminho, QFile::ReadOwner | QFile::WriteOwner);
  CTarsolinDoc* doc = app->OpenDocumentFile(caminho);
  ASSERT_NE(doc, nullptr);
  Espera();

  // "Calcular" (general method, x and ln x), then the chooser's first equation.
  plat::RoteiroPara(QStringLiteral("dlg142"), [](QDialog& d) {
    plat::DefineMarcado(d, 1030, true);
    for (int id : {1016, 1018, 1019, 1020, 1021, 1022}) plat::DefineMarcado(d, id, false);
    plat::DefineMarcado(d, 1017, true);
    plat::Pressiona(d, 1);
  });
  plat::RoteiroPara(QStringLiteral("dlg541"), [](QDialog& d) { plat::Pressiona(d, 1); });
  ASSERT_TRUE(Dispara(32831));
  ASSERT_NE(doc->GetCabecalho()->EstadoCalculo(), 0) << mensagens.Textos().join('|').toStdString();

  // The lag model, W from the coordinates.
  plat::RoteiroPara(QStringLiteral("dlg506"), [](QDialog& d) { plat::Pressiona(d, 1); });
  plat::RoteiroPara(QStringLiteral("dlg505"), [](QDialog& d) {
    plat::Pressiona(d, 1016);
    plat::DefineMarcado(d, 1096, true);
    plat::Pressiona(d, 1);
  });
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* r = qobject_cast<CRelatorio*>(w); r && plat::Texto(*r, 2) == QStringLiteral("&Fechar"))
        plat::Pressiona(*r, 2);
  });
  vigia.start(20);
  ASSERT_TRUE(Dispara(32832));
  vigia.stop();
  ASSERT_NE(doc->GetCabecalho()->I32(C::OffEspacialCalculado), 0);
  ASSERT_NE(doc->GetCabecalho()->I32(C::OffTipoEspacial), 0);

  // Everything below comes from the file the fits wrote.
  const Ajustado m(doc->GetPathName());
  const CabecalhoModelo& h = *m.cab;
  ASSERT_EQ(int(m.dados.size()), h.NumDados());
  const int nv = h.NumVariaveis(), dep = nv - 1;
  const int eq = h.EquacaoCorrente(), eqS = h.I32(C::OffEquacaoEspacial);
  std::vector<int> regs;  // enabled regressors, in index order
  for (int v = 0; v < dep; ++v)
    if (h.Habilitada(v)) regs.push_back(v);
  const int k = int(regs.size()) + 1;
  for (int v : regs) {
    ASSERT_TRUE(h.Transformacao(v, eq) == 1 || h.Transformacao(v, eq) == 3) << v;
    ASSERT_TRUE(h.Transformacao(v, eqS) == 1 || h.Transformacao(v, eqS) == 3) << v;
  }
  const int cod = h.Transformacao(dep, eq), codS = h.Transformacao(dep, eqS);
  const int area = h.I32(C::OffVariavelArea), cx = h.I32(C::OffVariavelX), cy = h.I32(C::OffVariavelY);
  ASSERT_GE(area, 0);
  ASSERT_TRUE(h.Habilitada(area));  // the area variable is a regressor of the equation
  ASSERT_EQ(h.U8(C::OffValorUnitario), 0);  // the price is a total value
  ASSERT_TRUE(cx >= 0 && cy >= 0);

  // The sample: X = [1 | T(regressors)], C = (X'X)^-1, the transformed means, yS.
  std::vector<const dado*> amostra;
  for (const dado& d : m.dados)
    if (d.Considerado()) amostra.push_back(&d);
  const int n = int(amostra.size());
  NEWMAT::Matrix X(n, k);
  NEWMAT::ColumnVector yS(n);
  for (int i = 0; i < n; ++i) {
    X(i + 1, 1) = 1.0;
    for (int j = 0; j < k - 1; ++j) X(i + 1, j + 2) = T(amostra[std::size_t(i)]->valor[regs[std::size_t(j)]], h.Transformacao(regs[std::size_t(j)], eq));
    yS(i + 1) = T(amostra[std::size_t(i)]->valor[dep], codS);
  }
  const NEWMAT::Matrix XtX = X.t() * X;
  const NEWMAT::Matrix Cinv = XtX.i();
  std::vector<double> media(std::size_t(k), 0.0);
  for (int j = 1; j <= k; ++j) media[std::size_t(j - 1)] = X.Column(j).Sum() / n;
  const double s = h.F64(C::OffErroPadrao + 8 * std::size_t(eq));
  const double t = StudentOitenta(n - k);
  ASSERT_GT(t, 1.2);
  ASSERT_LT(t, 1.4);
  const double rho = h.F64(C::OffRho);
  const double sigma2S = h.F64(C::OffResultadosEspaciais + 8 * 63);
  auto b = [&](int v, int e) { return h.F64VE(C::OffCoeficientes, v, e); };
  auto bS = [&](int v) { return h.F64(C::OffResultadosEspaciais + 8 * std::size_t(v)); };
  // "Moda" for a log dependent, the estimate itself otherwise.
  auto central = [](double mu, double s2, int codigo) { return codigo == 3 ? mu - s2 : mu; };

  // Three properties to appraise: sample records moved a little, so none
  // stands on a record of the sample.
  const int fontes[3] = {10, 80, 150};
  std::array<std::vector<double>, 3> linhas;
  for (int r = 0; r < 3; ++r) {
    linhas[std::size_t(r)].assign(std::size_t(nv), 0.0);
    for (int v = 0; v < dep; ++v) {
      const int casas = h.CasasDecimais(v);
      double x = m.dados[std::size_t(fontes[r])].valor[v];
      if (v == cx || v == cy) x += 0.75 + r;
      if (v == area) x *= 1.1;
      const double escala = std::pow(10.0, casas);
      linhas[std::size_t(r)][std::size_t(v)] = std::round(x * escala) / escala;
    }
  }

  std::array<Esperado, 3> esperados;
  for (int r = 0; r < 3; ++r) {
    const std::vector<double>& x = linhas[std::size_t(r)];
    // Linear: the estimate on the transformed scale and the interval half-width.
    double mu = b(dep, eq), muS = bS(dep);
    NEWMAT::ColumnVector d(k);
    d(1) = 0.0;
    for (int j = 0; j < k - 1; ++j) {
      const int v = regs[std::size_t(j)];
      const double xt = T(x[std::size_t(v)], h.Transformacao(v, eq));
      mu += b(v, eq) * xt;
      muS += bS(v) * T(x[std::size_t(v)], h.Transformacao(v, eqS));
      d(j + 2) = xt - media[std::size_t(j + 1)];
    }
    const double hw = std::sqrt(1.0 / n + (d.t() * Cinv * d).AsScalar()) * s * t;
    const double u = central(mu, s * s, cod);
    // Lag: inverse-distance weights to the sample, rows summing to one, times yS.
    std::vector<double> w(static_cast<std::size_t>(n));
    double soma = 0.0;
    const double expoente = h.F64(C::OffExpoenteDistancia);
    const double minimo = h.F64(C::OffDistanciaMinima), maximo = h.F64(C::OffDistanciaMaxima);
    for (int c = 0; c < n; ++c) {
      double dist = std::hypot(x[std::size_t(cx)] - amostra[std::size_t(c)]->valor[cx],
                               x[std::size_t(cy)] - amostra[std::size_t(c)]->valor[cy]);
      if (minimo != 0.0 && dist < minimo) dist = minimo;
      w[std::size_t(c)] = dist == 0.0 || (maximo != 0.0 && dist > maximo) ? 0.0 : std::pow(dist, expoente);
      soma += w[std::size_t(c)];
    }
    double Wy = 0.0;
    for (int c = 0; c < n; ++c)
      Wy += (h.U8(C::OffNormalizaW) ? (soma == 0.0 ? 1.0 / n : w[std::size_t(c)] / soma) : w[std::size_t(c)]) * yS(c + 1);
    const double ESt = rho * Wy + muS;
    esperados[std::size_t(r)] = {InvT(u, cod), InvT(u - hw, cod), InvT(u + hw, cod), InvT(central(ESt, sigma2S, codS), codS),
                                 x[std::size_t(area)]};
  }

  // The projection window: no appraisal record yet, so three rows are asked for.
  plat::RoteiroPara(QStringLiteral("dlg511"), [](QDialog& d) {
    plat::DefineTexto(d, 1056, QStringLiteral("3"));
    plat::Pressiona(d, 1);
  });
  ASSERT_TRUE(Dispara(32839));
  auto* sub = qobject_cast<QMdiSubWindow*>(doc->Janela(CTarsolinDoc::JanelaProjetar).data());
  ASSERT_NE(sub, nullptr);
  auto* janela = qobject_cast<CProjetarFrame*>(sub->widget());
  ASSERT_NE(janela, nullptr);
  ASSERT_EQ(janela->Dados()->Linhas(), 3);
  EXPECT_EQ(janela->MolduraModelo(), app->MainFrame()->MolduraModelo(doc));
  CTableCtrlEx* g = janela->Dados()->Grade();
  for (int r = 0; r < 3; ++r) {
    g->SetCellText(r + 1, 2, QStringLiteral("Rua %1").arg(r + 1));
    for (int v = 0; v < dep; ++v)
      g->SetCellText(r + 1, v + 7, FormataNumero(linhas[std::size_t(r)][std::size_t(v)], h.CasasDecimais(v)));
  }
  janela->Dados()->MarcaEditada();
  Botao(janela, CmdProjetarValores);

  const int casas = h.CasasDecimais(dep);
  auto texto = [casas](double x) { return FormataNumero(x, casas); };
  CFrameIntervalo* iv = janela->Intervalo();
  for (int r = 0; r < 3; ++r) {
    if (r > 0) Botao(janela, CmdProjAvancar);
    SCOPED_TRACE(r + 1);
    const Esperado& e = esperados[std::size_t(r)];
    EXPECT_EQ(janela->Form()->Legenda(), QStringLiteral("Dados do imóvel avaliando - %1/3").arg(r + 1));
    // RL: the total value with its interval, the unit value through the area.
    EXPECT_EQ(iv->Valor(TotalRLMedio), texto(e.E));
    EXPECT_EQ(iv->Valor(TotalRLMinimo), texto(e.inferior));
    EXPECT_EQ(iv->Valor(TotalRLMaximo), texto(e.superior));
    EXPECT_EQ(iv->Item(TotalRLMinimo)->GetCaption(),
              QStringLiteral("Minimo (") + FormataNumeroPercentual((e.E - e.inferior) / e.E * 100.0, 2, 1) + ")");
    EXPECT_EQ(iv->Item(TotalRLMaximo)->GetCaption(),
              QStringLiteral("Máximo (") + FormataNumeroPercentual((e.superior - e.E) / e.E * 100.0, 2, 1) + ")");
    EXPECT_EQ(iv->Valor(UnitarioRLMedio), texto(e.E / e.area));
    EXPECT_EQ(iv->Valor(UnitarioRLMinimo), texto(e.inferior / e.area));
    EXPECT_EQ(iv->Valor(UnitarioRLMaximo), texto(e.superior / e.area));
    EXPECT_EQ(iv->Item(UnitarioRLMinimo)->GetCaption(), QStringLiteral("Mínimo"));
    EXPECT_EQ(iv->Item(UnitarioRLMaximo)->GetCaption(), QStringLiteral("Máximo"));
    EXPECT_EQ(iv->Valor(MinimoRL), texto(0.85 * e.E));
    EXPECT_EQ(iv->Valor(MaximoRL), texto(1.15 * e.E));
    // RE: the lag estimate, total and per unit of area, without an interval.
    EXPECT_EQ(iv->Valor(TotalREMedio), texto(e.ES));
    EXPECT_EQ(iv->Valor(UnitarioREMedio), texto(e.ES / e.area));
    for (int i : {TotalREMinimo, TotalREMaximo, UnitarioREMinimo, UnitarioREMaximo}) EXPECT_EQ(iv->Valor(i), QString()) << i;
    EXPECT_EQ(iv->Valor(MinimoRE), texto(0.85 * e.ES));
    EXPECT_EQ(iv->Valor(MaximoRE), texto(1.15 * e.ES));
    // "Adotado" ends with the linear estimate.
    EXPECT_EQ(iv->Valor(Adotado), texto(e.E));
    // The two estimate columns of every row.
    for (int l = 0; l < 3; ++l) {
      EXPECT_EQ(g->GetCellText(l + 1, nv + 6), texto(esperados[std::size_t(l)].E)) << l;
      EXPECT_EQ(g->GetCellText(l + 1, nv + 7), texto(esperados[std::size_t(l)].ES)) << l;
    }
  }
  // The estimates are of the same order as the sample's prices.
  EXPECT_GT(esperados[0].E, 0.0);
  EXPECT_LT(std::fabs(std::log(esperados[0].E / esperados[0].ES)), 1.0);

  // The rows are kept with the model.
  janela->Abas()->Abas()->setCurrentIndex(2);
  Espera();
  ASSERT_TRUE(janela->Dados()->OnCmdMsg(57603));
  EXPECT_FALSE(doc->IsModified());
  const Ajustado salvo(doc->GetPathName());
  ASSERT_EQ(salvo.cab->NumDadosP(), 3);
  // A copy of the model with its three properties, for whoever wants to look at it in the program.
  const QString copia = qEnvironmentVariable("TARSOLIN_MODELO_PROJECAO");
  if (!copia.isEmpty()) {
    QFile::remove(copia);
    EXPECT_TRUE(QFile::copy(doc->GetPathName(), copia));
  }
  plat::LimpaRoteiros();
}

}  // namespace
