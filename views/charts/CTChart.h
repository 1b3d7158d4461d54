#pragma once
// The chart control of every chart of the program, over Qt Charts: series
// added by class (lines, points, bars) and filled with points (x, y, label,
// colour: each point is drawn in its own colour, or its series'), their colours,
// pointer styles and line widths, a trend line over another series, the
// header's text lines and font, the legend, the panel gradient, the axes,
// drawing into a printer rectangle and copying as an image. A chart takes its
// kind's EstiloGrafico through AplicaEstilo. The 3D flag is kept, not drawn.
// Point labels are drawn over the chart (the series keep only numbers); they
// show for the series whose marks are visible.
#include <QColor>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

struct EstiloGrafico;
class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QPainter;
class QAbstractSeries;
class QValueAxis;
class QXYSeries;

// Windows colour values (0x00BBGGRR: red in the low byte) and QColor: every
// conversion of a stored colour goes through these two.
QColor CorDeColorref(int32_t cor);
int32_t ColorrefDeCor(const QColor& cor);

class CTChart : public QWidget {
  Q_OBJECT
public:
  // Series classes by the numbers the windows add them with.
  // Bars (a histogram's): one bar per point, from 0 to y, centred on x and as
  // wide as the smallest distance between two points' x, so neighbours touch.
  enum ClasseSerie { SerieLinha = 0, SerieBarras = 1, SeriePontos = 4, SerieLinhaRapida = 6, SeriePontos3D = 19, SerieHistograma = 29 };
  enum EstiloPonteiro { PonteiroRetangulo = 0, PonteiroCirculo = 1 };
  // A point added with this colour takes its series' colour.
  static constexpr int32_t CorPadrao = 0x20000000;

  explicit CTChart(QWidget* parent = nullptr);
  ~CTChart() override;

  // Series: the index of the new series; every call below ignores a bad index.
  int AdicionaSerie(int classe);
  int NumSeries() const { return int(series_.size()); }
  int ClasseDaSerie(int s) const;
  void RemoveSeries();
  void LimpaSerie(int s);
  void AdicionaPonto(int s, double x, double y, const QString& rotulo = QString(), int32_t cor = CorPadrao);
  // A 3D point: z is kept, the point is drawn at (x, y).
  void AdicionaPonto3D(int s, double x, double y, double z, const QString& rotulo = QString(),
                       int32_t cor = CorPadrao);
  int NumPontos(int s) const;
  QPointF Ponto(int s, int i) const;
  double Z(int s, int i) const;
  QString Rotulo(int s, int i) const;
  QColor CorPonto(int s, int i) const;  // the series' colour unless the point has its own
  // Bars: the width every bar of the series is drawn with (0 without points).
  double LarguraBarras(int s) const;
  // Points added without a colour of their own take the palette's colours in
  // turn (bar charts where every bar has its own colour).
  void DefineCorPorPonto(int s, bool cadaUm);
  void DefineCorSerie(int s, int32_t cor);
  QColor CorSerie(int s) const;
  void DefinePonteiro(int s, int estilo, int largura, int altura);
  int EstiloPonteiroSerie(int s) const;
  double TamanhoPonteiro(int s) const;
  void DefineLarguraLinha(int s, int largura);
  void DefineMarcasVisiveis(int s, bool visiveis);
  void DefineTituloSerie(int s, const QString& titulo);  // its legend entry
  // A line series holding the least-squares line of `origem`'s points over
  // their x range; it follows every change of `origem`.
  int AdicionaTendencia(int origem);

  // Header.
  void LimpaTitulo();
  void AdicionaLinhaTitulo(const QString& linha);
  QString Titulo() const;  // the lines joined by '\n'
  void DefineFonteTitulo(bool negrito, int pontos);
  void DefineCorTitulo(int32_t cor);
  QColor CorTitulo() const;

  // Legend, 3D flag, panel gradient.
  void DefineLegenda(bool visivel);
  bool Legenda() const;
  void DefineTresD(bool tresD) { tresD_ = tresD; }
  bool TresD() const { return tresD_; }
  void DefineGradienteVisivel(bool visivel);
  bool GradienteVisivel() const { return gradiente_.visivel; }
  void DefineCorInicialGradiente(int32_t cor);
  void DefineCorMeioGradiente(int32_t cor);
  void DefineCorFinalGradiente(int32_t cor);
  // 0 top to bottom, 1 bottom to top, 2 left to right, 3 right to left,
  // 4 from the centre, 5 from the top-left corner, 6 from the bottom-left corner.
  void DefineDirecaoGradiente(int direcao);
  int DirecaoGradiente() const { return gradiente_.direcao; }
  QColor CorInicialGradiente() const { return gradiente_.inicial; }
  QColor CorMeioGradiente() const { return gradiente_.meio; }
  QColor CorFinalGradiente() const { return gradiente_.final; }
  // Legend, 3D and gradient from a style (the middle and end colours only on
  // a display of more than 256 colours); the chart repaints once, at the end.
  void AplicaEstilo(const EstiloGrafico& estilo);
  static bool TelaMuitasCores();
  static void SimulaTelaPoucasCores(bool sim);  // tests: a 256-colour display

  // Automatic repainting: off while a chart is filled, on to draw it once.
  void DefineRepinturaAutomatica(bool ligada);

  // Axes: a range given in any order is sorted; automatic ranges fit the points.
  void DefineEixo(Qt::Orientation eixo, double minimo, double maximo);
  void EixoAutomatico(Qt::Orientation eixo);
  void DefineTituloEixo(Qt::Orientation eixo, const QString& titulo);
  QPair<double, double> FaixaEixo(Qt::Orientation eixo) const;

  // Draws the chart scaled into `alvo` of any painter (a printer's page too).
  void Desenha(QPainter& p, const QRectF& alvo);
  // The same for printing: the gradient shows only when the style's grey-tone
  // printing is off, and the screen keeps its own setting afterwards.
  void DesenhaImpressao(QPainter& p, const QRectF& alvo, const EstiloGrafico& estilo);
  QImage Imagem(const QSize& tamanho);
  void CopiaParaAreaTransferencia();  // the picture as an image (PNG)

  // The label texts drawn over the chart now, as a user reads them.
  QStringList RotulosVisiveis() const;
  QChart* Grafico() const { return chart_; }

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  struct Serie;
  struct Desenho;
  struct Gradiente {
    bool visivel = false;
    QColor inicial = Qt::white;
    QColor meio;  // invalid: no middle colour
    QColor final = Qt::white;
    int direcao = 0;
  };
  Serie* Obtem(int s) const;
  Desenho NovoDesenho(const Serie& x, const QColor& cor);
  void PintaDesenho(const Desenho& d, const QColor& cor);
  void Distribui(Serie& x);
  void SerieMudou(int s);
  void RecalculaTendencias(int origem);
  void AtualizaEixos();
  void AtualizaGradiente();
  void PosicionaRotulos();
  // Fewer divisions on the horizontal axis when its labels would not fit
  // side by side (the chart would cut them to "2..."), back to the range's
  // own count when there is room again.
  void AjustaDivisoesX();
  void AtualizaAcessibilidade();
  void Repinta();

  QChart* chart_;
  QChartView* vista_;
  QValueAxis* eixoX_;
  QValueAxis* eixoY_;
  std::vector<std::unique_ptr<Serie>> series_;
  std::vector<QGraphicsSimpleTextItem*> rotulos_;
  QStringList titulo_;
  Gradiente gradiente_;
  bool tresD_ = false;
  bool repintura_ = true;
  bool sincronizacaoPendente_ = false;
  bool automatico_[2] = {true, true};  // x, y
  int divisoesX_ = 0;  // the horizontal axis's tick count as its range set it
};
