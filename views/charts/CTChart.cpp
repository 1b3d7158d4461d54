#include "CTChart.h"

#include "app/EstiloGrafico.h"

#include <QApplication>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
// The colours a chart gives the points of a series coloured point by point.
const QRgb kPaleta[] = {0xFF0000, 0x00A000, 0xFFFF00, 0x0000FF, 0xFF8000, 0x808080, 0xFF00FF, 0x008080,
                        0x000080, 0x800000, 0x00FF00, 0x808000, 0x800080, 0xC0C0C0, 0x00FFFF, 0x000000};

bool poucasCores = false;

QLocale LocalNumeros() {
  // Axis labels with a decimal comma and no grouping, as every number of the program.
  QLocale l(QLocale::Portuguese, QLocale::Brazil);
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l;
}
}  // namespace

QColor CorDeColorref(int32_t cor) {
  const auto c = uint32_t(cor);
  return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

int32_t ColorrefDeCor(const QColor& cor) {
  return int32_t(uint32_t(cor.red()) | uint32_t(cor.green()) << 8 | uint32_t(cor.blue()) << 16);
}

// One Qt series drawing a series' points of one colour.
struct CTChart::Desenho {
  QAbstractSeries* qt = nullptr;  // what the chart holds
  QXYSeries* xy = nullptr;        // its points: the series itself, or the upper line of a bar area
  QLineSeries* base = nullptr;    // bars: the line y = 0 the area closes on
};

// One series: the numbers live here and reach the chart series in one
// replacement, so filling a series point by point costs no redraw per point.
struct CTChart::Serie {
  int classe = SerieLinha;
  // desenhos[0] draws in the series' colour and holds its legend entry. Points
  // and bars of another colour are drawn by one more Qt series per colour:
  // Qt's own per-point colour fills a marker but leaves its border in the
  // series' colour, and a small marker is mostly border.
  std::vector<Desenho> desenhos;
  std::vector<QPointF> pontos;
  std::vector<double> z;
  std::vector<QString> rotulos;
  std::vector<int32_t> cores;  // CorPadrao: the series' colour
  QColor cor = Qt::red;
  bool marcas = false;
  int origem = -1;             // a trend line: the series it follows
  int estiloPonteiro = PonteiroCirculo;
  double tamanhoPonteiro = 8;
  bool pendente = false;       // numbers not yet given to the chart series
  bool corPorPonto = false;    // points take the palette's colours in turn
};

CTChart::CTChart(QWidget* parent) : QWidget(parent) {
  chart_ = new QChart;
  chart_->setLocale(LocalNumeros());
  chart_->setLocalizeNumbers(true);
  chart_->setBackgroundRoundness(0);
  // The panel (and its gradient) fills the whole control, to its edges.
  chart_->layout()->setContentsMargins(0, 0, 0, 0);
  chart_->legend()->setVisible(false);
  eixoX_ = new QValueAxis(chart_);
  eixoY_ = new QValueAxis(chart_);
  chart_->addAxis(eixoX_, Qt::AlignBottom);
  chart_->addAxis(eixoY_, Qt::AlignLeft);
  eixoX_->setRange(0, 1);
  eixoY_->setRange(0, 1);
  vista_ = new QChartView(chart_, this);
  vista_->setRenderHint(QPainter::Antialiasing);
  vista_->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(vista_);
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(vista_);
  divisoesX_ = eixoX_->tickCount();
  connect(chart_, &QChart::plotAreaChanged, this, [this] {
    AjustaDivisoesX();
    PosicionaRotulos();
  });
  AtualizaGradiente();
}

CTChart::~CTChart() = default;

CTChart::Serie* CTChart::Obtem(int s) const {
  return s >= 0 && s < int(series_.size()) ? series_[std::size_t(s)].get() : nullptr;
}

namespace {
// Bar charts (kind 1) and histograms (kind 29) are drawn alike.
bool Barras(int classe) { return classe == CTChart::SerieBarras || classe == CTChart::SerieHistograma; }

// The smallest distance between two x of the points, so that neighbouring bars touch.
double LarguraDe(const std::vector<QPointF>& pontos) {
  std::vector<double> xs;
  for (const QPointF& p : pontos)
    if (std::isfinite(p.x()) && std::isfinite(p.y())) xs.push_back(p.x());
  if (xs.empty()) return 0.0;
  std::sort(xs.begin(), xs.end());
  double w = 0.0;
  for (std::size_t i = 1; i < xs.size(); ++i)
    if (const double d = xs[i] - xs[i - 1]; d > 0 && (w == 0.0 || d < w)) w = d;
  return w > 0 ? w : 1.0;  // one x only: a unit bar
}

bool PorCor(int classe) {
  return classe == CTChart::SeriePontos || classe == CTChart::SeriePontos3D || Barras(classe);
}
}  // namespace

CTChart::Desenho CTChart::NovoDesenho(const Serie& x, const QColor& cor) {
  Desenho d;
  if (Barras(x.classe)) {
    auto* topo = new QLineSeries;
    auto* base = new QLineSeries;
    auto* area = new QAreaSeries(topo, base);
    topo->setParent(area);  // the area does not own its lines
    base->setParent(area);
    d = {area, topo, base};
  } else if (x.classe == SeriePontos || x.classe == SeriePontos3D) {
    auto* pontos = new QScatterSeries;
    pontos->setMarkerShape(x.estiloPonteiro == PonteiroRetangulo ? QScatterSeries::MarkerShapeRectangle
                                                                 : QScatterSeries::MarkerShapeCircle);
    pontos->setMarkerSize(x.tamanhoPonteiro);
    d = {pontos, pontos, nullptr};
  } else {
    auto* linha = new QLineSeries;
    d = {linha, linha, nullptr};
  }
  chart_->addSeries(d.qt);
  d.qt->attachAxis(eixoX_);
  d.qt->attachAxis(eixoY_);
  if (!x.desenhos.empty())  // the legend names the series once
    for (QLegendMarker* m : chart_->legend()->markers(d.qt)) m->setVisible(false);
  PintaDesenho(d, cor);
  return d;
}

void CTChart::PintaDesenho(const Desenho& d, const QColor& cor) {
  if (auto* pontos = qobject_cast<QScatterSeries*>(d.qt)) {
    pontos->setColor(cor);
    pontos->setBorderColor(cor.darker(140));
  } else if (auto* area = qobject_cast<QAreaSeries*>(d.qt)) {
    area->setBrush(cor);
    area->setPen(QPen(Qt::black, 1));  // the bars' outlines part neighbours
  } else {
    QPen caneta = d.xy->pen();
    caneta.setColor(cor);
    d.xy->setPen(caneta);
  }
}

int CTChart::AdicionaSerie(int classe) {
  auto nova = std::make_unique<Serie>();
  nova->classe = classe;
  // Colours of new series follow one another, as a chart gives them.
  static const QRgb cores[] = {0xFF0000, 0x00A000, 0xFFFF00, 0x0000FF, 0xFFFFFF, 0x808080, 0xFF00FF, 0x800000};
  nova->cor = QColor(cores[series_.size() % 8]);
  nova->desenhos.push_back(NovoDesenho(*nova, nova->cor));
  series_.push_back(std::move(nova));
  const int s = int(series_.size()) - 1;
  DefineCorSerie(s, ColorrefDeCor(series_.back()->cor));
  return s;
}

int CTChart::ClasseDaSerie(int s) const {
  const Serie* x = Obtem(s);
  return x ? x->classe : -1;
}

void CTChart::RemoveSeries() {
  for (auto& s : series_)
    for (Desenho& d : s->desenhos) {
      chart_->removeSeries(d.qt);
      delete d.qt;
    }
  series_.clear();
  Repinta();
}

void CTChart::LimpaSerie(int s) {
  Serie* x = Obtem(s);
  if (!x) return;
  x->pontos.clear();
  x->z.clear();
  x->rotulos.clear();
  x->cores.clear();
  SerieMudou(s);
}

void CTChart::AdicionaPonto(int s, double x, double y, const QString& rotulo, int32_t cor) {
  AdicionaPonto3D(s, x, y, 0.0, rotulo, cor);
}

void CTChart::AdicionaPonto3D(int s, double x, double y, double z, const QString& rotulo, int32_t cor) {
  Serie* e = Obtem(s);
  if (!e || e->origem >= 0) return;  // a trend line takes no points of its own
  if (e->corPorPonto && cor == CorPadrao)
    cor = ColorrefDeCor(QColor(kPaleta[e->pontos.size() % (sizeof kPaleta / sizeof kPaleta[0])]));
  e->pontos.emplace_back(x, y);
  e->z.push_back(z);
  e->rotulos.push_back(rotulo);
  e->cores.push_back(cor);
  SerieMudou(s);
}

int CTChart::NumPontos(int s) const {
  const Serie* x = Obtem(s);
  return x ? int(x->pontos.size()) : 0;
}

QPointF CTChart::Ponto(int s, int i) const {
  const Serie* x = Obtem(s);
  return x && i >= 0 && i < int(x->pontos.size()) ? x->pontos[std::size_t(i)] : QPointF();
}

double CTChart::Z(int s, int i) const {
  const Serie* x = Obtem(s);
  return x && i >= 0 && i < int(x->z.size()) ? x->z[std::size_t(i)] : 0.0;
}

QString CTChart::Rotulo(int s, int i) const {
  const Serie* x = Obtem(s);
  return x && i >= 0 && i < int(x->rotulos.size()) ? x->rotulos[std::size_t(i)] : QString();
}

QColor CTChart::CorPonto(int s, int i) const {
  const Serie* x = Obtem(s);
  if (!x || i < 0 || i >= int(x->pontos.size())) return QColor();
  const int32_t c = i < int(x->cores.size()) ? x->cores[std::size_t(i)] : CorPadrao;
  return c == CorPadrao ? x->cor : CorDeColorref(c);
}

double CTChart::LarguraBarras(int s) const {
  const Serie* x = Obtem(s);
  return x ? LarguraDe(x->pontos) : 0.0;
}

void CTChart::DefineCorSerie(int s, int32_t cor) {
  Serie* x = Obtem(s);
  if (!x) return;
  x->cor = CorDeColorref(cor);
  PintaDesenho(x->desenhos.front(), x->cor);
  SerieMudou(s);  // points that take the series' colour follow it
}

QColor CTChart::CorSerie(int s) const {
  const Serie* x = Obtem(s);
  return x ? x->cor : QColor();
}

void CTChart::DefinePonteiro(int s, int estilo, int largura, int altura) {
  Serie* x = Obtem(s);
  if (!x) return;
  x->estiloPonteiro = estilo;
  // The drawn marker is round or square: one size, the larger of the two.
  x->tamanhoPonteiro = std::max(largura, altura);
  for (const Desenho& d : x->desenhos)
    if (auto* pontos = qobject_cast<QScatterSeries*>(d.qt)) {
      pontos->setMarkerShape(estilo == PonteiroRetangulo ? QScatterSeries::MarkerShapeRectangle
                                                         : QScatterSeries::MarkerShapeCircle);
      pontos->setMarkerSize(x->tamanhoPonteiro);
    }
}

int CTChart::EstiloPonteiroSerie(int s) const {
  const Serie* x = Obtem(s);
  return x ? x->estiloPonteiro : -1;
}

double CTChart::TamanhoPonteiro(int s) const {
  const Serie* x = Obtem(s);
  return x ? x->tamanhoPonteiro : 0.0;
}

void CTChart::DefineLarguraLinha(int s, int largura) {
  Serie* x = Obtem(s);
  if (!x || PorCor(x->classe)) return;
  QPen caneta = x->desenhos.front().xy->pen();
  caneta.setWidth(largura);
  x->desenhos.front().xy->setPen(caneta);
}

void CTChart::DefineMarcasVisiveis(int s, bool visiveis) {
  Serie* x = Obtem(s);
  if (!x) return;
  x->marcas = visiveis;
  PosicionaRotulos();
}

void CTChart::DefineCorPorPonto(int s, bool cadaUm) {
  if (Serie* x = Obtem(s)) x->corPorPonto = cadaUm;
}

void CTChart::DefineTituloSerie(int s, const QString& titulo) {
  if (Serie* x = Obtem(s)) x->desenhos.front().qt->setName(titulo);
}

int CTChart::AdicionaTendencia(int origem) {
  if (!Obtem(origem)) return -1;
  const int s = AdicionaSerie(SerieLinha);
  series_.back()->origem = origem;
  RecalculaTendencias(origem);
  return s;
}

void CTChart::RecalculaTendencias(int origem) {
  const Serie* o = Obtem(origem);
  if (!o) return;
  for (std::size_t t = 0; t < series_.size(); ++t) {
    Serie& tend = *series_[t];
    if (tend.origem != origem) continue;
    tend.pontos.clear();
    tend.cores.clear();
    tend.rotulos.clear();
    tend.z.clear();
    // y = a + b·x by least squares, over centred sums (long double: sums of
    // many large values lose no digits that matter here).
    const std::size_t n = o->pontos.size();
    long double mx = 0, my = 0;
    double xmin = 0, xmax = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const QPointF& p = o->pontos[i];
      mx += p.x();
      my += p.y();
      if (i == 0 || p.x() < xmin) xmin = p.x();
      if (i == 0 || p.x() > xmax) xmax = p.x();
    }
    if (n >= 2 && xmax > xmin) {
      mx /= n;
      my /= n;
      long double sxx = 0, sxy = 0;
      for (const QPointF& p : o->pontos) {
        sxx += (p.x() - mx) * (p.x() - mx);
        sxy += (p.x() - mx) * (p.y() - my);
      }
      const long double b = sxy / sxx, a = my - b * mx;
      for (double x : {xmin, xmax}) {
        tend.pontos.emplace_back(x, double(a + b * x));
        tend.cores.push_back(CorPadrao);
        tend.rotulos.emplace_back();
        tend.z.push_back(0.0);
      }
    }
    tend.pendente = true;
  }
}

void CTChart::SerieMudou(int s) {
  Serie* x = Obtem(s);
  if (!x) return;
  x->pendente = true;
  RecalculaTendencias(s);
  Repinta();
}

void CTChart::Repinta() {
  if (!repintura_) return;
  // Many changes in one turn of the event loop reach the chart once.
  if (sincronizacaoPendente_) return;
  sincronizacaoPendente_ = true;
  QTimer::singleShot(0, this, [this] {
    sincronizacaoPendente_ = false;
    if (repintura_) DefineRepinturaAutomatica(true);
  });
}

void CTChart::DefineRepinturaAutomatica(bool ligada) {
  repintura_ = ligada;
  vista_->setUpdatesEnabled(ligada);
  if (!ligada) return;
  for (auto& s : series_) {
    if (!s->pendente) continue;
    s->pendente = false;
    Distribui(*s);
  }
  AtualizaEixos();
  PosicionaRotulos();
  AtualizaAcessibilidade();
  vista_->update();
}

void CTChart::Distribui(Serie& x) {
  if (!PorCor(x.classe)) {
    // A line is one Qt series; a point's colour marks its point.
    QXYSeries* linha = x.desenhos.front().xy;
    linha->replace(QList<QPointF>(x.pontos.begin(), x.pontos.end()));
    linha->clearPointsConfiguration();
    for (std::size_t i = 0; i < x.cores.size(); ++i)
      if (x.cores[i] != CorPadrao)
        linha->setPointConfiguration(int(i), QXYSeries::PointConfiguration::Color, CorDeColorref(x.cores[i]));
    return;
  }
  // The points of each colour, the series' own colour first.
  std::vector<QColor> cores{x.cor};
  std::vector<QList<QPointF>> grupos(1);
  for (std::size_t i = 0; i < x.pontos.size(); ++i) {
    const int32_t c = i < x.cores.size() ? x.cores[i] : CorPadrao;
    const QColor cor = c == CorPadrao ? x.cor : CorDeColorref(c);
    const auto k = std::size_t(std::find(cores.begin(), cores.end(), cor) - cores.begin());
    if (k == cores.size()) {
      cores.push_back(cor);
      grupos.emplace_back();
    }
    grupos[k] << x.pontos[i];
  }
  while (x.desenhos.size() > grupos.size()) {
    chart_->removeSeries(x.desenhos.back().qt);
    delete x.desenhos.back().qt;
    x.desenhos.pop_back();
  }
  const double meia = LarguraDe(x.pontos) / 2;
  for (std::size_t k = 0; k < grupos.size(); ++k) {
    if (k == x.desenhos.size()) x.desenhos.push_back(NovoDesenho(x, cores[k]));
    else if (k > 0) PintaDesenho(x.desenhos[k], cores[k]);
    const Desenho& d = x.desenhos[k];
    if (!Barras(x.classe)) {
      d.xy->replace(grupos[k]);
      continue;
    }
    // Bars: the outline of each, from y = 0, left to right; the area closes on y = 0.
    QList<QPointF>& g = grupos[k];
    g.erase(std::remove_if(g.begin(), g.end(), [](const QPointF& p) { return !std::isfinite(p.x()) || !std::isfinite(p.y()); }),
            g.end());
    std::sort(g.begin(), g.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    QList<QPointF> topo, base;
    for (const QPointF& p : g)
      topo << QPointF(p.x() - meia, 0) << QPointF(p.x() - meia, p.y()) << QPointF(p.x() + meia, p.y())
           << QPointF(p.x() + meia, 0);
    if (!g.isEmpty()) base << QPointF(g.front().x() - meia, 0) << QPointF(g.back().x() + meia, 0);
    d.xy->replace(topo);
    d.base->replace(base);
  }
}

// ------------------------------------------------------------ header

void CTChart::LimpaTitulo() {
  titulo_.clear();
  chart_->setTitle(QString());
  AtualizaAcessibilidade();
}

void CTChart::AdicionaLinhaTitulo(const QString& linha) {
  titulo_ << linha;
  QStringList html;
  for (const QString& l : titulo_) html << l.toHtmlEscaped();
  chart_->setTitle(html.join(QStringLiteral("<br>")));
  AtualizaAcessibilidade();
}

QString CTChart::Titulo() const { return titulo_.join('\n'); }

void CTChart::DefineFonteTitulo(bool negrito, int pontos) {
  QFont f(QStringLiteral("Arial"), pontos);
  f.setBold(negrito);
  chart_->setTitleFont(f);
}

void CTChart::DefineCorTitulo(int32_t cor) { chart_->setTitleBrush(CorDeColorref(cor)); }

QColor CTChart::CorTitulo() const { return chart_->titleBrush().color(); }

// ------------------------------------------------------------ legend and gradient

void CTChart::DefineLegenda(bool visivel) { chart_->legend()->setVisible(visivel); }
bool CTChart::Legenda() const { return chart_->legend()->isVisible(); }

void CTChart::DefineGradienteVisivel(bool visivel) {
  gradiente_.visivel = visivel;
  AtualizaGradiente();
}
void CTChart::DefineCorInicialGradiente(int32_t cor) {
  gradiente_.inicial = CorDeColorref(cor);
  AtualizaGradiente();
}
void CTChart::DefineCorMeioGradiente(int32_t cor) {
  gradiente_.meio = CorDeColorref(cor);
  AtualizaGradiente();
}
void CTChart::DefineCorFinalGradiente(int32_t cor) {
  gradiente_.final = CorDeColorref(cor);
  AtualizaGradiente();
}
void CTChart::DefineDirecaoGradiente(int direcao) {
  gradiente_.direcao = direcao;
  AtualizaGradiente();
}

void CTChart::AtualizaGradiente() {
  if (!gradiente_.visivel) {
    chart_->setBackgroundBrush(Qt::white);
    return;
  }
  QGradientStops paradas;
  paradas << QGradientStop(0.0, gradiente_.inicial);
  if (gradiente_.meio.isValid()) paradas << QGradientStop(0.5, gradiente_.meio);
  paradas << QGradientStop(1.0, gradiente_.final);
  // Coordinates over the chart's own rectangle (0..1 both ways).
  QGradient g;
  switch (gradiente_.direcao) {
    case 0: g = QLinearGradient(0, 0, 0, 1); break;
    case 2: g = QLinearGradient(0, 0, 1, 0); break;
    case 3: g = QLinearGradient(1, 0, 0, 0); break;
    case 4: g = QRadialGradient(0.5, 0.5, 0.75); break;
    case 5: g = QLinearGradient(0, 0, 1, 1); break;
    case 6: g = QLinearGradient(0, 1, 1, 0); break;
    default: g = QLinearGradient(0, 1, 0, 0); break;  // 1 and any other code: bottom to top
  }
  if (gradiente_.direcao == 4) {
    // From the centre: the start colour at the edges, the end colour in the middle.
    QGradientStops inversas;
    for (auto it = paradas.crbegin(); it != paradas.crend(); ++it) inversas << QGradientStop(1.0 - it->first, it->second);
    paradas = inversas;
  }
  g.setCoordinateMode(QGradient::ObjectBoundingMode);
  g.setStops(paradas);
  chart_->setBackgroundBrush(QBrush(g));
}

bool CTChart::TelaMuitasCores() { return !poucasCores && QPixmap::defaultDepth() > 8; }
void CTChart::SimulaTelaPoucasCores(bool sim) { poucasCores = sim; }

void CTChart::AplicaEstilo(const EstiloGrafico& estilo) {
  DefineLegenda(estilo.legenda != 0);
  DefineTresD(estilo.tresD != 0);
  gradiente_.visivel = estilo.gradiente != 0;
  gradiente_.inicial = CorDeColorref(estilo.corInicial);
  gradiente_.direcao = estilo.direcaoGradiente;
  if (TelaMuitasCores()) {
    gradiente_.meio = CorDeColorref(estilo.corMeio);
    gradiente_.final = CorDeColorref(estilo.corFinal);
  }
  AtualizaGradiente();
  DefineRepinturaAutomatica(true);
}

// ------------------------------------------------------------ axes

void CTChart::DefineEixo(Qt::Orientation eixo, double minimo, double maximo) {
  if (minimo > maximo) std::swap(minimo, maximo);
  automatico_[eixo == Qt::Horizontal ? 0 : 1] = false;
  (eixo == Qt::Horizontal ? eixoX_ : eixoY_)->setRange(minimo, maximo);
  if (eixo == Qt::Horizontal) {
    eixoX_->setTickCount(divisoesX_);
    AjustaDivisoesX();
  }
  PosicionaRotulos();
}

void CTChart::EixoAutomatico(Qt::Orientation eixo) {
  automatico_[eixo == Qt::Horizontal ? 0 : 1] = true;
  AtualizaEixos();
}

void CTChart::DefineTituloEixo(Qt::Orientation eixo, const QString& titulo) {
  (eixo == Qt::Horizontal ? eixoX_ : eixoY_)->setTitleText(titulo);
}

QPair<double, double> CTChart::FaixaEixo(Qt::Orientation eixo) const {
  const QValueAxis* a = eixo == Qt::Horizontal ? eixoX_ : eixoY_;
  return {a->min(), a->max()};
}

void CTChart::AtualizaEixos() {
  for (int k = 0; k < 2; ++k) {
    if (!automatico_[k]) continue;
    double lo = 0, hi = 0;
    bool algum = false;
    auto inclui = [&](double v) {
      if (!std::isfinite(v)) return;
      if (!algum || v < lo) lo = v;
      if (!algum || v > hi) hi = v;
      algum = true;
    };
    for (const auto& s : series_) {
      // Bars reach half their width beyond their x, and from y = 0.
      const bool barras = Barras(s->classe);
      const double meia = barras ? LarguraDe(s->pontos) / 2 : 0.0;
      for (const QPointF& p : s->pontos) {
        if (barras && (!std::isfinite(p.x()) || !std::isfinite(p.y()))) continue;
        if (k == 1) {
          inclui(p.y());
          if (barras) inclui(0.0);
        } else {
          inclui(p.x() - meia);
          inclui(p.x() + meia);
        }
      }
    }
    if (!algum) {
      lo = 0;
      hi = 1;
    } else if (hi - lo <= std::abs(hi) * 1e-12) {
      // One value: a range around it.
      const double d = lo == 0 ? 1.0 : std::abs(lo) * 0.1;
      lo -= d;
      hi += d;
    } else {
      // A margin so the end points are not cut by the frame.
      const double d = (hi - lo) * 0.05;
      lo -= d;
      hi += d;
    }
    QValueAxis* a = k == 0 ? eixoX_ : eixoY_;
    a->setRange(lo, hi);
    a->applyNiceNumbers();
    if (k == 0) {
      divisoesX_ = a->tickCount();
      AjustaDivisoesX();
    }
  }
}

void CTChart::AjustaDivisoesX() {
  const double largura = chart_->plotArea().width();
  if (largura <= 0 || divisoesX_ < 2) return;
  // The widest label the range can have: its ends with two decimals and a
  // sign, and a space between neighbours.
  const QFontMetricsF fm(eixoX_->labelsFont());
  const QLocale l = LocalNumeros();
  double rotulo = 0;
  for (double v : {eixoX_->min(), eixoX_->max()})
    rotulo = std::max(rotulo, fm.horizontalAdvance(l.toString(-std::abs(v), 'f', 2)));
  rotulo += fm.horizontalAdvance(QStringLiteral("  "));
  const int cabem = std::max(2, int(largura / rotulo) + 1);
  const int divisoes = std::min(divisoesX_, cabem);
  if (eixoX_->tickCount() != divisoes) eixoX_->setTickCount(divisoes);
}

// ------------------------------------------------------------ labels

void CTChart::PosicionaRotulos() {
  std::size_t usados = 0;
  for (const auto& s : series_) {
    if (!s->marcas || s->pendente) continue;
    for (std::size_t i = 0; i < s->pontos.size() && i < s->rotulos.size(); ++i) {
      if (s->rotulos[i].isEmpty()) continue;
      if (usados == rotulos_.size()) {
        auto* item = new QGraphicsSimpleTextItem(chart_);
        item->setZValue(10);
        rotulos_.push_back(item);
      }
      QGraphicsSimpleTextItem* item = rotulos_[usados++];
      item->setText(s->rotulos[i]);
      item->setBrush(Qt::black);
      const QPointF p = chart_->mapToPosition(s->pontos[i], s->desenhos.front().qt);
      const QRectF r = item->boundingRect();
      item->setPos(p.x() - r.width() / 2, p.y() - r.height() - s->tamanhoPonteiro / 2 - 2);
      item->setVisible(chart_->plotArea().contains(p));
    }
  }
  for (std::size_t i = usados; i < rotulos_.size(); ++i) delete rotulos_[i];
  rotulos_.resize(usados);
}

QStringList CTChart::RotulosVisiveis() const {
  QStringList r;
  for (const QGraphicsSimpleTextItem* item : rotulos_)
    if (item->isVisible()) r << item->text();
  return r;
}

void CTChart::AtualizaAcessibilidade() {
  vista_->setAccessibleName(titulo_.join(' '));
  setAccessibleName(titulo_.join(' '));
  vista_->setAccessibleDescription(RotulosVisiveis().join(QStringLiteral(", ")));
}

void CTChart::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  PosicionaRotulos();
}

// ------------------------------------------------------------ drawing

void CTChart::Desenha(QPainter& p, const QRectF& alvo) {
  const bool antes = repintura_;
  DefineRepinturaAutomatica(true);
  // The chart is laid out at the target's shape, in screen-sized units, so
  // that fonts and markers keep their proportions on any device.
  const QRectF dispositivo = p.combinedTransform().mapRect(alvo);
  const double dpi = p.device() ? p.device()->logicalDpiX() : 96.0;
  const double escala = dpi > 0 ? 96.0 / dpi : 1.0;
  const QSizeF logico(std::max(1.0, dispositivo.width() * escala), std::max(1.0, dispositivo.height() * escala));
  const QSizeF original = chart_->size();
  chart_->resize(logico);
  if (chart_->layout()) chart_->layout()->activate();
  PosicionaRotulos();
  chart_->scene()->render(&p, alvo, QRectF(chart_->pos(), logico), Qt::IgnoreAspectRatio);
  chart_->resize(original);
  if (chart_->layout()) chart_->layout()->activate();
  PosicionaRotulos();
  DefineRepinturaAutomatica(antes);
}

void CTChart::DesenhaImpressao(QPainter& p, const QRectF& alvo, const EstiloGrafico& estilo) {
  DefineGradienteVisivel(estilo.tonsCinza == 0);
  Desenha(p, alvo);
  DefineGradienteVisivel(estilo.gradiente != 0);
}

QImage CTChart::Imagem(const QSize& tamanho) {
  QImage img(tamanho.isValid() && !tamanho.isEmpty() ? tamanho : QSize(400, 300), QImage::Format_ARGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Desenha(p, QRectF(QPointF(0, 0), QSizeF(img.size())));
  return img;
}

void CTChart::CopiaParaAreaTransferencia() { QGuiApplication::clipboard()->setImage(Imagem(size())); }
