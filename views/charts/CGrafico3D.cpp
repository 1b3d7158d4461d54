#include "CGrafico3D.h"

#include "CTChart.h"
#include "EstiloGrafico.h"

#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <string>

namespace {
// The receding axis: its full length as a share of the plot's width and height, at 45 degrees.
constexpr double kProfundidade = 0.35;

struct Faixa {
  double minimo = 0, maximo = 1;
  double Normaliza(double v) const { return maximo > minimo ? (v - minimo) / (maximo - minimo) : 0.5; }
};

QString TextoMarca(double v, double passo) {
  const int casas = passo >= 1 ? 0 : std::min(6, int(std::ceil(-std::log10(passo) - 1e-9)));
  const std::string formato = "%." + std::to_string(casas) + "f";
  return plat::FormataC(formato.c_str(), {v});
}
}  // namespace

CGrafico3D::CGrafico3D(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(60, 60);
}

void CGrafico3D::LimpaPontos() {
  pontos_.clear();
  if (repintura_) update();
}

void CGrafico3D::AdicionaPonto(double x, double y, double z, const QString& rotulo, int32_t cor) {
  pontos_.push_back({x, y, z, rotulo, cor});
  if (repintura_) update();
}

void CGrafico3D::DefineMarcasVisiveis(bool visiveis) {
  marcas_ = visiveis;
  update();
}

void CGrafico3D::DefineTituloEixo(int eixo, const QString& titulo) {
  if (eixo < 0 || eixo > 2) return;
  titulos_[eixo] = titulo;
  update();
}

void CGrafico3D::AplicaEstilo(const EstiloGrafico& estilo) {
  legenda_ = estilo.legenda != 0;
  gradiente_ = estilo.gradiente != 0;
  inicial_ = CorDeColorref(estilo.corInicial);
  direcao_ = estilo.direcaoGradiente;
  if (CTChart::TelaMuitasCores()) {
    meio_ = CorDeColorref(estilo.corMeio);
    final_ = CorDeColorref(estilo.corFinal);
  }
  update();
}

void CGrafico3D::DefineRepinturaAutomatica(bool ligada) {
  repintura_ = ligada;
  if (ligada) update();
}

std::vector<double> CGrafico3D::Marcas(double minimo, double maximo) {
  std::vector<double> r;
  if (!std::isfinite(minimo) || !std::isfinite(maximo)) return r;
  if (maximo < minimo) std::swap(minimo, maximo);
  if (maximo == minimo) return {minimo};
  const double bruto = (maximo - minimo) / 5.0;
  const double base = std::pow(10.0, std::floor(std::log10(bruto)));
  double passo = base;
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (bruto <= m * base) { passo = m * base; break; }
  const double inicio = std::ceil(minimo / passo - 1e-9) * passo;
  for (double v = inicio; v <= maximo + passo * 1e-9 && r.size() < 50; v += passo)
    r.push_back(std::abs(v) < passo * 1e-9 ? 0.0 : v);
  return r;
}

void CGrafico3D::paintEvent(QPaintEvent*) {
  QPainter p(this);
  Desenha(p, rect());
}

QImage CGrafico3D::Imagem(const QSize& tamanho) {
  QImage img(tamanho, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::white);
  QPainter p(&img);
  Desenha(p, QRectF(QPointF(0, 0), tamanho));
  return img;
}

void CGrafico3D::CopiaParaAreaTransferencia() {
  QApplication::clipboard()->setImage(Imagem(size()));
}

QStringList CGrafico3D::TextosVisiveis() const { return textos_; }

void CGrafico3D::Desenha(QPainter& p, const QRectF& alvo) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  textos_.clear();
  // The panel: the style's gradient, or plain white.
  QBrush fundo(Qt::white);
  if (gradiente_) {
    const QColor fim = final_.isValid() ? final_ : inicial_;
    if (direcao_ == 4) {
      QRadialGradient g(alvo.center(), std::max(alvo.width(), alvo.height()) / 2);
      g.setColorAt(0, inicial_);
      if (meio_.isValid()) g.setColorAt(0.5, meio_);
      g.setColorAt(1, fim);
      fundo = QBrush(g);
    } else {
      QPointF a = alvo.topLeft(), b = alvo.bottomLeft();
      switch (direcao_) {
        case 1: a = alvo.bottomLeft(); b = alvo.topLeft(); break;
        case 2: a = alvo.topLeft(); b = alvo.topRight(); break;
        case 3: a = alvo.topRight(); b = alvo.topLeft(); break;
        case 5: a = alvo.topLeft(); b = alvo.bottomRight(); break;
        case 6: a = alvo.bottomLeft(); b = alvo.topRight(); break;
        default: break;
      }
      QLinearGradient g(a, b);
      g.setColorAt(0, inicial_);
      if (meio_.isValid()) g.setColorAt(0.5, meio_);
      g.setColorAt(1, fim);
      fundo = QBrush(g);
    }
  }
  p.fillRect(alvo, fundo);

  QFont fonte = font();
  fonte.setPointSizeF(8);
  p.setFont(fonte);
  const QFontMetricsF fm(fonte, p.device());
  const double linha = fm.height();

  // Ranges of the three coordinates.
  Faixa faixa[3];
  if (!pontos_.empty()) {
    for (int a = 0; a < 3; ++a) {
      faixa[a].minimo = faixa[a].maximo = a == 0 ? pontos_[0].x : a == 1 ? pontos_[0].y : pontos_[0].z;
    }
    for (const Ponto& pt : pontos_) {
      const double v[3] = {pt.x, pt.y, pt.z};
      for (int a = 0; a < 3; ++a)
        if (std::isfinite(v[a])) {
          faixa[a].minimo = std::min(faixa[a].minimo, v[a]);
          faixa[a].maximo = std::max(faixa[a].maximo, v[a]);
        }
    }
  }
  std::vector<double> marcas[3];
  for (int a = 0; a < 3; ++a) {
    marcas[a] = Marcas(faixa[a].minimo, faixa[a].maximo);
    if (marcas[a].size() > 1) {
      const double passo = marcas[a][1] - marcas[a][0];
      faixa[a].minimo = std::min(faixa[a].minimo, std::floor(faixa[a].minimo / passo) * passo);
      faixa[a].maximo = std::max(faixa[a].maximo, std::ceil(faixa[a].maximo / passo) * passo);
      marcas[a] = Marcas(faixa[a].minimo, faixa[a].maximo);
    }
  }

  // The plot: room for tick values and titles on the left and below.
  double larguraMarcas = 0;
  for (double v : marcas[1]) {
    const double passo = marcas[1].size() > 1 ? marcas[1][1] - marcas[1][0] : 1;
    larguraMarcas = std::max(larguraMarcas, fm.horizontalAdvance(TextoMarca(v, passo)));
  }
  const double esquerda = alvo.left() + 8 + linha + larguraMarcas + 6;
  const double direita = alvo.right() - 8 - fm.horizontalAdvance(titulos_[2]) / 2;
  const double topo = alvo.top() + 8 + linha;
  const double base = alvo.bottom() - 8 - 2 * linha - 6;
  const double largura = std::max(10.0, direita - esquerda);
  const double altura = std::max(10.0, base - topo);
  // Depth moves a point right and up.
  const double dx = kProfundidade * std::min(largura, altura), dy = dx;
  const double lx = largura - dx, ly = altura - dy;
  auto projeta = [&](double nx, double ny, double nz) {
    return QPointF(esquerda + nx * lx + nz * dx, base - ny * ly - nz * dy);
  };

  // The three back walls with their grid lines, then the box's edges.
  const QColor parede(240, 240, 240, 200), grade(200, 200, 200);
  auto quadrilatero = [&](QPointF a, QPointF b, QPointF c, QPointF d) {
    QPolygonF q;
    q << a << b << c << d;
    p.setPen(QPen(QColor(128, 128, 128), 0));
    p.setBrush(parede);
    p.drawPolygon(q);
  };
  quadrilatero(projeta(0, 0, 0), projeta(1, 0, 0), projeta(1, 0, 1), projeta(0, 0, 1));  // floor
  quadrilatero(projeta(0, 0, 0), projeta(0, 1, 0), projeta(0, 1, 1), projeta(0, 0, 1));  // left wall
  quadrilatero(projeta(0, 0, 1), projeta(1, 0, 1), projeta(1, 1, 1), projeta(0, 1, 1));  // back wall
  p.setPen(QPen(grade, 0, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  for (double v : marcas[0]) {
    const double n = faixa[0].Normaliza(v);
    p.drawLine(projeta(n, 0, 0), projeta(n, 0, 1));
    p.drawLine(projeta(n, 0, 1), projeta(n, 1, 1));
  }
  for (double v : marcas[1]) {
    const double n = faixa[1].Normaliza(v);
    p.drawLine(projeta(0, n, 0), projeta(0, n, 1));
    p.drawLine(projeta(0, n, 1), projeta(1, n, 1));
  }
  for (double v : marcas[2]) {
    const double n = faixa[2].Normaliza(v);
    p.drawLine(projeta(0, 0, n), projeta(1, 0, n));
    p.drawLine(projeta(0, 0, n), projeta(0, 1, n));
  }

  // Tick values: x below the front edge, y left of the front edge, z along the floor's right edge.
  p.setPen(Qt::black);
  auto escreve = [&](const QString& t, QPointF ancora, Qt::Alignment a) {
    const double w = fm.horizontalAdvance(t);
    double x = ancora.x(), y = ancora.y();
    if (a & Qt::AlignRight) x -= w;
    else if (a & Qt::AlignHCenter) x -= w / 2;
    if (a & Qt::AlignVCenter) y += fm.ascent() / 2 - fm.descent() / 2;
    else if (a & Qt::AlignTop) y += fm.ascent();
    p.drawText(QPointF(x, y), t);
    textos_ << t;
  };
  for (int a = 0; a < 3; ++a) {
    const double passo = marcas[a].size() > 1 ? marcas[a][1] - marcas[a][0] : 1;
    for (double v : marcas[a]) {
      const double n = faixa[a].Normaliza(v);
      const QString t = TextoMarca(v, passo);
      if (a == 0) escreve(t, projeta(n, 0, 0) + QPointF(0, 3), Qt::AlignHCenter | Qt::AlignTop);
      else if (a == 1) escreve(t, projeta(0, n, 0) - QPointF(4, 0), Qt::AlignRight | Qt::AlignVCenter);
      else escreve(t, projeta(1, 0, n) + QPointF(4, 0), Qt::AlignLeft | Qt::AlignVCenter);
    }
  }
  // Axis titles.
  QFont negrito = fonte;
  negrito.setBold(true);
  p.setFont(negrito);
  const QFontMetricsF fmn(negrito, p.device());
  if (!titulos_[0].isEmpty()) {
    const QPointF c = projeta(0.5, 0, 0);
    p.drawText(QPointF(c.x() - fmn.horizontalAdvance(titulos_[0]) / 2, alvo.bottom() - 8 - fmn.descent()), titulos_[0]);
    textos_ << titulos_[0];
  }
  if (!titulos_[1].isEmpty()) {
    const QPointF c = projeta(0, 0.5, 0);
    p.save();
    p.translate(alvo.left() + 8 + fmn.ascent(), c.y());
    p.rotate(-90);
    p.drawText(QPointF(-fmn.horizontalAdvance(titulos_[1]) / 2, 0), titulos_[1]);
    p.restore();
    textos_ << titulos_[1];
  }
  if (!titulos_[2].isEmpty()) {
    const QPointF c = projeta(1, 0, 1);
    p.drawText(QPointF(c.x() - fmn.horizontalAdvance(titulos_[2]) / 2, c.y() - 4 - fmn.descent() - linha * 0), titulos_[2]);
    textos_ << titulos_[2];
  }
  p.setFont(fonte);
  if (!titulo_.isEmpty()) {
    p.drawText(QRectF(alvo.left(), alvo.top() + 2, alvo.width(), linha), Qt::AlignHCenter, titulo_);
    textos_ << titulo_;
  }

  // The points, farthest first, each with a drop line to the floor so its depth reads.
  std::vector<std::size_t> ordem(pontos_.size());
  for (std::size_t i = 0; i < ordem.size(); ++i) ordem[i] = i;
  std::stable_sort(ordem.begin(), ordem.end(), [this](std::size_t a, std::size_t b) { return pontos_[a].z > pontos_[b].z; });
  const double raio = 3.5;
  for (std::size_t i : ordem) {
    const Ponto& pt = pontos_[i];
    if (!std::isfinite(pt.x) || !std::isfinite(pt.y) || !std::isfinite(pt.z)) continue;
    const double nx = faixa[0].Normaliza(pt.x), ny = faixa[1].Normaliza(pt.y), nz = faixa[2].Normaliza(pt.z);
    const QPointF c = projeta(nx, ny, nz);
    p.setPen(QPen(QColor(170, 170, 170), 0));
    p.drawLine(c, projeta(nx, 0, nz));
    const QColor cor = CorDeColorref(pt.cor);
    p.setPen(QPen(cor.darker(150), 1));
    p.setBrush(cor);
    p.drawEllipse(c, raio, raio);
    if (marcas_ && !pt.rotulo.isEmpty()) {
      p.setPen(Qt::black);
      p.drawText(c + QPointF(raio + 1, -raio - 1), pt.rotulo);
      textos_ << pt.rotulo;
    }
  }

  if (legenda_) {
    // One entry: the series of points, named by its three axes.
    const QString nome = titulos_[0] + QStringLiteral(" × ") + titulos_[1] + QStringLiteral(" × ") + titulos_[2];
    const double w = fm.horizontalAdvance(nome) + 24;
    const QRectF caixa(alvo.right() - w - 8, alvo.top() + 4, w, linha + 6);
    p.setPen(QPen(Qt::gray, 0));
    p.setBrush(Qt::white);
    p.drawRect(caixa);
    p.setBrush(pontos_.empty() ? QColor(Qt::red) : CorDeColorref(pontos_.front().cor));
    p.drawEllipse(QPointF(caixa.left() + 10, caixa.center().y()), raio, raio);
    p.setPen(Qt::black);
    p.drawText(QPointF(caixa.left() + 20, caixa.center().y() + fm.ascent() / 2 - fm.descent() / 2), nome);
    textos_ << nome;
  }
  p.restore();
}
