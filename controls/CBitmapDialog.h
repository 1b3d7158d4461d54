#pragma once
// A dialog that paints a bitmap as its background in one of thirteen layouts,
// can cut every pixel of one colour out of its window, can size itself so its
// client area fits the bitmap, and can be dragged by its client area. The
// setters answer small codes, 0 when done.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRegion>

class CBitmapDialog : public QDialog {
  Q_OBJECT
public:
  enum Resultado { Feito = 0, SemTamanho = 1, LayoutInvalido = 2, SemRegiao = 3 };
  // Layouts of the background.
  enum Layout {
    Lado = 0, Centro, Esticado, TopoLado, BaseLado, EsquerdaLado, DireitaLado,
    CantoSupEsq, CantoSupDir, TopoCentro, CantoInfEsq, CantoInfDir, BaseCentro,
  };

  explicit CBitmapDialog(QWidget* parent = nullptr);
  // A dialog built from template `idModelo`: its object name is "dlg<id>".
  CBitmapDialog(int idModelo, QWidget* parent);
  CBitmapDialog(const QString& nomeModelo, QWidget* parent);
  ~CBitmapDialog() override;

  // The colour is 0xRRGGBB, or -1 for none (the window keeps its rectangle).
  int SetBackgroundBitmapHandle(const QImage& bitmap, qint64 transparente = -1);
  int SetBackgroundBitmap(int idRecurso, qint64 transparente = -1);
  int SetBackgroundLayout(int layout, int repinta = 1);
  void FitWindowToBitmap(bool repinta = true);
  int SetDragByClient(int valor);
  void ReleaseBackground();

  int BackgroundLayout() const { return layout_; }
  QSize BitmapSize() const { return QSize(int(largura_), int(altura_)); }
  bool HasBitmap() const { return !bitmap_.isNull(); }
  const QRegion& WindowRegion() const { return regiao_; }
  int DragByClient() const { return arrastoCliente_; }
  // The window region of a bitmap: its whole rectangle less every pixel of
  // `transparente`. Empty when the bitmap is null.
  static QRegion RegionFromBitmap(const QImage& bitmap, QRgb transparente);
  // Draws the background by the layout into a client area of `tamanho`.
  void PaintBackground(QPainter& p, const QSize& tamanho) const;

protected:
  // Called after each background paint with the painter of the image drawn.
  virtual void AfterPaintBackground(QPainter& p);
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

private:
  QImage bitmap_;
  QRegion regiao_;
  unsigned largura_ = 0, altura_ = 0;
  unsigned char layout_ = 0;
  int arrastoCliente_ = 0;
  bool arrastando_ = false;
  QPoint inicioArrasto_;  // cursor minus window position, while dragging
};
