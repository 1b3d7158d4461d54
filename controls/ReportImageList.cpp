#include "ReportImageList.h"

#include <QPainter>

ReportImageList ReportImageList::FromStrip(const QImage& faixa, int largura, QRgb mascara) {
  if (faixa.isNull() || largura <= 0) return ReportImageList();
  ReportImageList lista(QSize(largura, faixa.height()));
  QImage img = faixa.convertToFormat(QImage::Format_ARGB32);
  const QRgb chave = mascara | 0xFF000000u;
  for (int y = 0; y < img.height(); ++y) {
    auto* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((linha[x] | 0xFF000000u) == chave) linha[x] = 0;
  }
  for (int x = 0; x + largura <= img.width(); x += largura)
    lista.imagens_.append(QPixmap::fromImage(img.copy(x, 0, largura, img.height())));
  return lista;
}

int ReportImageList::Add(const QPixmap& imagem) {
  if (!tamanho_.isValid()) tamanho_ = imagem.size();
  imagens_.append(imagem.size() == tamanho_ ? imagem : imagem.scaled(tamanho_));
  return int(imagens_.size()) - 1;
}

QPixmap ReportImageList::Image(int indice) const {
  return indice >= 0 && indice < imagens_.size() ? imagens_[indice] : QPixmap();
}

void ReportImageList::Draw(QPainter& painter, int indice, QPoint p, int largura) const {
  const QPixmap img = Image(indice);
  if (img.isNull()) return;
  const int w = largura < 0 ? img.width() : std::min(largura, int(img.width()));
  if (w > 0) painter.drawPixmap(p, img, QRect(0, 0, w, img.height()));
}

void ReportImageList::DrawBlended(QPainter& painter, int indice, QPoint p, int largura, QColor cor,
                                  int percentual) const {
  const QPixmap img = Image(indice);
  if (img.isNull()) return;
  if (percentual <= 0) return Draw(painter, indice, p, largura);
  // Only the image's own pixels take the colour; its transparent ones stay so.
  QPixmap misturada(img.size());
  misturada.fill(Qt::transparent);
  {
    QPainter q(&misturada);
    q.drawPixmap(0, 0, img);
    q.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    q.setOpacity(percentual / 100.0);
    q.fillRect(misturada.rect(), cor);
  }
  const int w = largura < 0 ? img.width() : std::min(largura, int(img.width()));
  if (w > 0) painter.drawPixmap(p, misturada, QRect(0, 0, w, img.height()));
}
