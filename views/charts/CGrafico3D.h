#pragma once
// A point chart in three dimensions drawn with QPainter in an oblique
// projection: the x axis across, the y axis up, the z axis receding at 45
// degrees behind the plane of x and y. It carries what the three-variable
// chart asks of a chart: points with a label and a Windows colour, point
// labels shown on demand, three axis titles, the legend, the panel gradient
// of a chart style, the header text, drawing into any painter and copying as
// an image. Needs no OpenGL, so it draws offscreen too.
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <vector>

struct EstiloGrafico;

class CGrafico3D : public QWidget {
  Q_OBJECT
public:
  explicit CGrafico3D(QWidget* parent = nullptr);

  void LimpaPontos();
  void AdicionaPonto(double x, double y, double z, const QString& rotulo, int32_t cor);
  int NumPontos() const { return int(pontos_.size()); }
  double X(int i) const { return pontos_[std::size_t(i)].x; }
  double Y(int i) const { return pontos_[std::size_t(i)].y; }
  double Z(int i) const { return pontos_[std::size_t(i)].z; }
  QString Rotulo(int i) const { return pontos_[std::size_t(i)].rotulo; }

  void DefineMarcasVisiveis(bool visiveis);
  bool MarcasVisiveis() const { return marcas_; }
  // 0 x (bottom), 1 y (left), 2 z (depth).
  void DefineTituloEixo(int eixo, const QString& titulo);
  QString TituloEixo(int eixo) const { return titulos_[eixo]; }
  void LimpaTitulo() { titulo_.clear(); update(); }
  QString Titulo() const { return titulo_; }
  void DefineLegenda(bool visivel) { legenda_ = visivel; update(); }
  bool Legenda() const { return legenda_; }
  // Legend, gradient (with the middle and end colours on a display of more
  // than 256 colours), start colour and direction of a style; not its 3D flag.
  void AplicaEstilo(const EstiloGrafico& estilo);
  bool GradienteVisivel() const { return gradiente_; }
  void DefineRepinturaAutomatica(bool ligada);

  // The texts a user reads on the chart now: axis titles, tick values, point labels.
  QStringList TextosVisiveis() const;
  void Desenha(QPainter& p, const QRectF& alvo);
  QImage Imagem(const QSize& tamanho);
  void CopiaParaAreaTransferencia();

  // Round tick values covering [minimo, maximo] (about five steps).
  static std::vector<double> Marcas(double minimo, double maximo);

protected:
  void paintEvent(QPaintEvent* e) override;

private:
  struct Ponto {
    double x, y, z;
    QString rotulo;
    int32_t cor;
  };
  std::vector<Ponto> pontos_;
  QString titulos_[3];
  QString titulo_;
  bool marcas_ = false;
  bool legenda_ = false;
  bool gradiente_ = false;
  QColor inicial_ = Qt::white, meio_, final_ = Qt::white;
  int direcao_ = 0;
  bool repintura_ = true;
  mutable QStringList textos_;  // filled by the last drawing
};
