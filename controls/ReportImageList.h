#pragma once
// Images of equal size addressed by index, as the report list, its header and
// the column chooser draw them (cells, header items, check-box states).
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QVector>

class QPainter;

class ReportImageList {
public:
  ReportImageList() = default;
  explicit ReportImageList(QSize tamanho) : tamanho_(tamanho) {}
  // Cuts a strip of images `largura` pixels wide; pixels of `mascara` become transparent.
  static ReportImageList FromStrip(const QImage& faixa, int largura, QRgb mascara);

  QSize ImageSize() const { return tamanho_; }  // invalid when the size cannot be read
  int Count() const { return int(imagens_.size()); }
  int Add(const QPixmap& imagem);               // index of the new image
  QPixmap Image(int indice) const;              // null outside the list
  // Draws image `indice` at `p`, cut to `largura` pixels (negative: whole).
  void Draw(QPainter& painter, int indice, QPoint p, int largura = -1) const;
  // The same image blended `percentual` % with `cor` (selection and focus looks).
  void DrawBlended(QPainter& painter, int indice, QPoint p, int largura, QColor cor, int percentual) const;

private:
  QSize tamanho_;
  QVector<QPixmap> imagens_;
};
