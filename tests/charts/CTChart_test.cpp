// The chart layer: colours, styles, series, labels, trend lines, axes,
// drawing for printing and copying, checked through what a user sees.
#include "EstiloGrafico.h"
#include "views/charts/CTChart.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPainter>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QtCharts/QChart>
#include <gtest/gtest.h>

namespace {

TEST(CTChart, WindowsColourValuesConvertInOnePlace) {
  const std::pair<int32_t, QRgb> casos[] = {{0x0000FF, 0xFF0000}, {0x00FF00, 0x00FF00}, {0xFF0000, 0x0000FF},
                                            {0x0099FF, 0xFF9900}, {0xFF6633, 0x3366FF}, {0, 0}};
  for (const auto& [colorref, rgb] : casos) {
    EXPECT_EQ(CorDeColorref(colorref), QColor(rgb)) << std::hex << colorref;
    EXPECT_EQ(ColorrefDeCor(QColor(rgb)), colorref);
  }
  EXPECT_EQ(CorDeColorref(0x7F0000FF), QColor(Qt::red));  // the high byte carries nothing
}

TEST(CTChart, StyleGivesLegendGradientAndTheKeptThreeDFlag) {
  CTChart g;
  EstiloGrafico e = EstiloGrafico::Padrao();
  e.legenda = 1;
  e.tresD = 1;
  e.gradiente = 1;
  e.corInicial = 0x00FF00;
  e.corMeio = 0x0000FF;
  e.corFinal = 0xFF0000;
  e.direcaoGradiente = 2;
  g.AplicaEstilo(e);
  EXPECT_TRUE(g.Legenda());
  EXPECT_TRUE(g.TresD());
  EXPECT_TRUE(g.GradienteVisivel());
  EXPECT_EQ(g.DirecaoGradiente(), 2);
  EXPECT_EQ(g.CorInicialGradiente(), QColor(Qt::green));
  EXPECT_EQ(g.CorMeioGradiente(), QColor(Qt::red));
  EXPECT_EQ(g.CorFinalGradiente(), QColor(Qt::blue));

  // On a display of 256 colours the middle and end colours stay the chart's own.
  CTChart pobre;
  CTChart::SimulaTelaPoucasCores(true);
  pobre.AplicaEstilo(e);
  CTChart::SimulaTelaPoucasCores(false);
  EXPECT_EQ(pobre.CorInicialGradiente(), QColor(Qt::green));
  EXPECT_FALSE(pobre.CorMeioGradiente().isValid());
  EXPECT_EQ(pobre.CorFinalGradiente(), QColor(Qt::white));
}

TEST(CTChart, GradientDrawsInItsDirection) {
  CTChart g;
  g.resize(200, 200);
  EstiloGrafico e = EstiloGrafico::Padrao();
  e.corInicial = 0x0000FF;  // red
  e.corMeio = 0x0000FF;
  e.corFinal = 0xFF0000;    // blue
  e.tonsCinza = 0;
  struct Caso { int direcao; QPoint vermelho, azul; };
  const Caso casos[] = {{0, {100, 2}, {100, 197}}, {1, {100, 197}, {100, 2}}, {2, {2, 100}, {197, 100}},
                        {3, {197, 100}, {2, 100}}};
  for (const Caso& c : casos) {
    e.direcaoGradiente = c.direcao;
    g.AplicaEstilo(e);
    const QImage img = g.Imagem(QSize(200, 200));
    const QColor vermelho(img.pixel(c.vermelho)), azul(img.pixel(c.azul));
    EXPECT_TRUE(vermelho.red() > 200 && vermelho.blue() < 60) << c.direcao << " " << vermelho.name().toStdString();
    EXPECT_TRUE(azul.blue() > 200 && azul.red() < 60) << c.direcao << " " << azul.name().toStdString();
  }
}

TEST(CTChart, PointsKeepTheirLabelsAndColours) {
  CTChart g;
  const int p = g.AdicionaSerie(CTChart::SeriePontos);
  const int l = g.AdicionaSerie(CTChart::SerieLinha);
  EXPECT_EQ(g.ClasseDaSerie(p), CTChart::SeriePontos);
  g.DefineCorSerie(p, 0xFF0000);
  g.AdicionaPonto(p, 1, 2, QStringLiteral("um"), 0x00FFFF);
  g.AdicionaPonto(p, 3, 4, QStringLiteral("dois"));
  g.AdicionaPonto(l, 0, 0);
  EXPECT_EQ(g.NumPontos(p), 2);
  EXPECT_EQ(g.CorPonto(p, 0), QColor(Qt::yellow));
  EXPECT_EQ(g.CorPonto(p, 1), QColor(Qt::blue));  // the series' colour
  g.DefineCorSerie(p, 0x00FF00);
  EXPECT_EQ(g.CorPonto(p, 1), QColor(Qt::green));  // follows the series
  EXPECT_EQ(g.Rotulo(p, 1), QStringLiteral("dois"));
  EXPECT_EQ(g.NumPontos(7), 0);  // a series that does not exist
  g.LimpaSerie(p);
  EXPECT_EQ(g.NumPontos(p), 0);
  EXPECT_EQ(g.NumPontos(l), 1);
  g.RemoveSeries();
  EXPECT_EQ(g.NumSeries(), 0);
}

// Pixels near `centro` (a 9 x 9 square) that `e` accepts.
template <class F>
int Pixels(const QImage& img, QPointF centro, F e) {
  int n = 0;
  for (int y = int(centro.y()) - 4; y <= int(centro.y()) + 4; ++y)
    for (int x = int(centro.x()) - 4; x <= int(centro.x()) + 4; ++x)
      if (img.rect().contains(x, y) && e(QColor(img.pixel(x, y)))) ++n;
  return n;
}
bool Vermelho(const QColor& c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; }
bool Azul(const QColor& c) { return c.blue() > 90 && c.red() < 90 && c.green() < 90; }
bool Verde(const QColor& c) { return c.green() > 150 && c.red() < 90 && c.blue() < 90; }

TEST(CTChart, EachPointIsDrawnInItsOwnColour) {
  CTChart g;
  g.resize(400, 300);
  g.show();
  QCoreApplication::processEvents();
  const int s = g.AdicionaSerie(CTChart::SeriePontos);
  g.DefineCorSerie(s, 0xFF0000);  // blue
  g.DefinePonteiro(s, CTChart::PonteiroCirculo, 4, 4);  // the diagnostic pages' small points
  g.DefineEixo(Qt::Horizontal, 0, 4);
  g.DefineEixo(Qt::Vertical, 0, 4);
  g.AdicionaPonto(s, 1, 1);
  g.AdicionaPonto(s, 2, 2, QString(), 255);  // red
  g.AdicionaPonto(s, 3, 3, QString(), 0xFF0000);  // its series' colour, given
  EXPECT_EQ(g.CorPonto(s, 1), QColor(Qt::red));
  const QImage img = g.Imagem(QSize(400, 300));
  const QPointF azul = g.Grafico()->mapToPosition(QPointF(1, 1)), vermelho = g.Grafico()->mapToPosition(QPointF(2, 2));
  EXPECT_GT(Pixels(img, vermelho, Vermelho), 6);
  EXPECT_EQ(Pixels(img, vermelho, Azul), 0);  // no border in the series' colour
  EXPECT_GT(Pixels(img, azul, Azul), 6);
  EXPECT_EQ(Pixels(img, azul, Vermelho), 0);
  // The colour follows a series whose points move on; the legend names the series once.
  g.LimpaSerie(s);
  g.AdicionaPonto(s, 2, 2);
  g.DefineLegenda(true);
  g.DefineTituloSerie(s, QStringLiteral("Pontos"));
  const QImage depois = g.Imagem(QSize(400, 300));
  const QPointF agora = g.Grafico()->mapToPosition(QPointF(2, 2));  // the legend took room
  EXPECT_EQ(Pixels(depois, agora, Vermelho), 0);
  EXPECT_GT(Pixels(depois, agora, Azul), 6);
}

TEST(CTChart, BarsStandFromZeroSideBySide) {
  CTChart g;
  g.resize(400, 300);
  g.show();
  QCoreApplication::processEvents();
  const int s = g.AdicionaSerie(CTChart::SerieBarras);
  g.DefineCorSerie(s, 0x00FF00);
  const double alturas[] = {0.5, 0.25, 1.0};
  for (int i = 0; i < 3; ++i) g.AdicionaPonto(s, i, alturas[i], QString(), i == 1 ? 255 : 0x00FF00);
  EXPECT_DOUBLE_EQ(g.LarguraBarras(s), 1.0);
  g.DefineRepinturaAutomatica(true);
  // The automatic ranges hold the whole bars: their edges and y = 0.
  EXPECT_LE(g.FaixaEixo(Qt::Horizontal).first, -0.5);
  EXPECT_GE(g.FaixaEixo(Qt::Horizontal).second, 2.5);
  EXPECT_LE(g.FaixaEixo(Qt::Vertical).first, 0.0);
  const QImage img = g.Imagem(QSize(400, 300));
  auto em = [&](double x, double y) { return g.Grafico()->mapToPosition(QPointF(x, y)); };
  EXPECT_EQ(Pixels(img, em(0.0, 0.25), Verde), 81);   // filled, not an outline
  EXPECT_EQ(Pixels(img, em(0.3, 0.1), Verde), 81);    // as wide as the step between bars
  EXPECT_EQ(Pixels(img, em(1.0, 0.12), Vermelho), 81);  // a bar in its own colour
  EXPECT_EQ(Pixels(img, em(0.0, 0.8), Verde), 0);     // above the bar: nothing
  EXPECT_EQ(Pixels(img, em(2.0, 0.9), Verde), 81);
  g.LimpaSerie(s);
  g.DefineRepinturaAutomatica(true);
  EXPECT_EQ(g.LarguraBarras(s), 0.0);
  EXPECT_EQ(Pixels(g.Imagem(QSize(400, 300)), em(2.0, 0.5), Verde), 0);
}

TEST(CTChart, LabelsAreDrawnOverTheChartWhenMarksAreVisible) {
  CTChart g;
  g.resize(400, 300);
  g.show();
  const int s = g.AdicionaSerie(CTChart::SeriePontos);
  g.AdicionaPonto(s, 1, 1, QStringLiteral("AAA"));
  g.AdicionaPonto(s, 2, 3, QString());
  g.AdicionaPonto(s, 3, 2, QStringLiteral("BBB"));
  QCoreApplication::processEvents();
  EXPECT_TRUE(g.RotulosVisiveis().isEmpty());
  g.DefineMarcasVisiveis(s, true);
  QCoreApplication::processEvents();
  EXPECT_EQ(g.RotulosVisiveis(), (QStringList{"AAA", "BBB"}));
  // The overlay reaches the picture: black text pixels near the labelled point.
  const QImage img = g.Imagem(QSize(400, 300));
  int escuros = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) escuros += qGray(img.pixel(x, y)) < 60;
  EXPECT_GT(escuros, 20);
}

TEST(CTChart, TrendLineIsTheLeastSquaresLineOfItsSeries) {
  CTChart g;
  const int s = g.AdicionaSerie(CTChart::SeriePontos);
  const int t = g.AdicionaTendencia(s);
  const double xs[] = {1, 2, 4, 7}, ys[] = {3.1, 4.8, 9.2, 15.1};
  for (int i = 0; i < 4; ++i) g.AdicionaPonto(s, xs[i], ys[i]);
  // Closed form: b = Sxy / Sxx, a = ȳ - b·x̄.
  const double mx = 3.5, my = (3.1 + 4.8 + 9.2 + 15.1) / 4;
  double sxx = 0, sxy = 0;
  for (int i = 0; i < 4; ++i) {
    sxx += (xs[i] - mx) * (xs[i] - mx);
    sxy += (xs[i] - mx) * (ys[i] - my);
  }
  const double b = sxy / sxx, a = my - b * mx;
  ASSERT_EQ(g.NumPontos(t), 2);
  EXPECT_DOUBLE_EQ(g.Ponto(t, 0).x(), 1.0);
  EXPECT_NEAR(g.Ponto(t, 0).y(), a + b, 1e-12);
  EXPECT_NEAR(g.Ponto(t, 1).y(), a + 7 * b, 1e-12);
  g.LimpaSerie(s);
  EXPECT_EQ(g.NumPontos(t), 0);  // no points, no line
  g.AdicionaPonto(s, 2, 1);
  g.AdicionaPonto(s, 2, 5);
  EXPECT_EQ(g.NumPontos(t), 0);  // one x only: no slope
}

TEST(CTChart, AxisRangesAreAlwaysSorted) {
  CTChart g;
  g.DefineEixo(Qt::Horizontal, 10, -5);
  EXPECT_EQ(g.FaixaEixo(Qt::Horizontal), qMakePair(-5.0, 10.0));
  const int s = g.AdicionaSerie(CTChart::SerieLinha);
  g.AdicionaPonto(s, 3, -100);
  g.AdicionaPonto(s, 1, -300);
  g.DefineRepinturaAutomatica(true);
  const auto y = g.FaixaEixo(Qt::Vertical);
  EXPECT_LE(y.first, -300);
  EXPECT_GE(y.second, -100);
  EXPECT_EQ(g.FaixaEixo(Qt::Horizontal), qMakePair(-5.0, 10.0));  // given, kept
  g.EixoAutomatico(Qt::Horizontal);
  EXPECT_LE(g.FaixaEixo(Qt::Horizontal).first, 1.0);
  EXPECT_LT(g.FaixaEixo(Qt::Horizontal).second, 10.0);
}

// A narrow chart shows its horizontal labels whole (fewer of them), and a
// wide one as many as its range gives; each label is a number with a comma.
TEST(CTChart, HorizontalLabelsAreNeverCut) {
  for (int largura : {240, 900}) {
    CTChart g;
    g.resize(largura, 220);
    g.DefineEixo(Qt::Horizontal, 4.2, 115.1);
    g.DefineEixo(Qt::Vertical, -6.3, 6.3);
    g.show();
    QCoreApplication::processEvents();
    const QRectF area = g.Grafico()->plotArea();
    QStringList abaixo;
    for (QGraphicsItem* item : g.Grafico()->scene()->items())
      if (auto* t = dynamic_cast<QGraphicsTextItem*>(item); t && t->isVisible()) {
        const QRectF r = t->sceneBoundingRect();
        if (r.top() >= area.bottom() - 1) abaixo << t->toPlainText();
      }
    ASSERT_GE(abaixo.size(), 2) << largura;
    for (const QString& r : abaixo) {
      EXPECT_FALSE(r.contains(QChar(0x2026)) || r.contains(QStringLiteral("..."))) << largura << ": " << r.toStdString();
      EXPECT_TRUE(r.contains(QLatin1Char(','))) << r.toStdString();
    }
    if (largura == 900) EXPECT_GE(abaixo.size(), 5);
  }
}

TEST(CTChart, GreyTonePrintingDropsTheGradientOnlyOnPaper) {
  CTChart g;
  EstiloGrafico e = EstiloGrafico::Padrao();
  e.corInicial = e.corMeio = e.corFinal = 0x0000FF;  // all red
  g.AplicaEstilo(e);
  for (int cinza : {1, 0}) {
    e.tonsCinza = cinza;
    QImage img(300, 200, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    g.DesenhaImpressao(p, QRectF(50, 20, 200, 150), e);
    p.end();
    const QColor canto(img.pixel(53, 23));
    EXPECT_EQ(canto == QColor(Qt::white), cinza == 1) << cinza;
    EXPECT_EQ(QColor(img.pixel(10, 10)), QColor(Qt::white));  // nothing outside the rectangle
    EXPECT_TRUE(g.GradienteVisivel());  // the screen keeps its gradient
  }
}

TEST(CTChart, CopiesItsPictureAsAnImage) {
  CTChart g;
  g.resize(320, 200);
  g.AdicionaLinhaTitulo(QStringLiteral("Estimativa p/AREA"));
  EXPECT_EQ(g.Titulo(), QStringLiteral("Estimativa p/AREA"));
  QGuiApplication::clipboard()->clear();
  g.CopiaParaAreaTransferencia();
  const QImage img = QGuiApplication::clipboard()->image();
  EXPECT_EQ(img.size(), QSize(320, 200));
  EXPECT_EQ(g.accessibleName(), QStringLiteral("Estimativa p/AREA"));
}

}  // namespace
