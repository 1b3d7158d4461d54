#include "dbmanager/IconesBrenk.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace brenk {

namespace {

// A database drum: the sign of a file database.
void Tambor(QPainter& p, QColor cor) {
  p.setBrush(cor);
  p.setPen(QPen(cor.darker(160), 1.5));
  QPainterPath corpo;
  corpo.moveTo(6, 9);
  corpo.lineTo(6, 25);
  corpo.arcTo(QRectF(6, 21, 20, 8), 180, 180);
  corpo.lineTo(26, 9);
  corpo.closeSubpath();
  p.drawPath(corpo);
  p.setBrush(cor.lighter(140));
  p.drawEllipse(QRectF(6, 5, 20, 8));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(6, 12, 20, 8), 180 * 16, 180 * 16);
  p.drawArc(QRectF(6, 17, 20, 8), 180 * 16, 180 * 16);
}

// A sheet of cells: the sign of a workbook.
void Planilha(QPainter& p, QColor cor) {
  p.setPen(QPen(cor.darker(170), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4, 5, 24, 22));
  p.fillRect(QRectF(4.6, 5.6, 23, 5), cor);
  for (int i = 1; i < 4; ++i) p.drawLine(QPointF(4 + 6 * i, 5), QPointF(4 + 6 * i, 27));
  for (int j = 1; j < 4; ++j) p.drawLine(QPointF(4, 5 + 5.5 * j), QPointF(28, 5 + 5.5 * j));
}

}  // namespace

QImage IconeBrenk(int id) {
  QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  switch (id) {
    case 256: Tambor(p, QColor(176, 38, 48)); break;
    case 257: Planilha(p, QColor(33, 115, 70)); break;
    case 258: Tambor(p, QColor(214, 150, 30)); break;
    case 259:
      Tambor(p, QColor(40, 90, 170));
      p.setPen(QPen(QColor(30, 30, 30), 2));
      p.drawLine(QPointF(22, 22), QPointF(30, 30));
      p.drawLine(QPointF(30, 22), QPointF(22, 30));
      break;
    case 175:
      p.setPen(QPen(QColor(150, 20, 20), 4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 8), QPointF(24, 24));
      p.drawLine(QPointF(24, 8), QPointF(8, 24));
      break;
    case 352: {
      p.setBrush(QColor(40, 90, 170));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(3, 3, 26, 26));
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(20);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    default: break;
  }
  return img;
}

QImage LogoBrenk() {
  QImage img(230, 96, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.save();
  p.scale(3, 3);
  Tambor(p, QColor(40, 90, 170, 150));
  p.restore();
  QFont f(QStringLiteral("Liberation Sans"));
  f.setBold(true);
  f.setPixelSize(44);
  p.setFont(f);
  p.setPen(QColor(40, 90, 170, 150));
  p.drawText(QRectF(92, 0, 138, 96), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Brenk"));
  return img;
}

QImage FundoBrenk(int largura, int altura) {
  QImage img(qMax(1, largura), qMax(1, altura), QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, altura);
  g.setColorAt(0, QColor(250, 250, 252));
  g.setColorAt(1, QColor(214, 222, 236));
  p.fillRect(img.rect(), g);
  return img;
}

}  // namespace brenk
