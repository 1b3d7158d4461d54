#pragma once
// The small window that shows a cell's whole text over the cell when the text
// does not fit. It never takes input: clicks, keys and the wheel reach the
// grid under it, which hides the tip as soon as the pointer leaves the cell;
// the pointer leaving the grid itself hides it too.
#include <QFont>
#include <QRect>
#include <QWidget>

#include <cstdint>

class CTitleTip : public QWidget {
  Q_OBJECT
public:
  // `pai` is the window whose client coordinates the rectangles are in.
  explicit CTitleTip(QWidget* pai);

  // Shows `texto` over `titulo` (hover area `hover`, the title rectangle when
  // empty) when it is wider than the rectangle; colours of the default value
  // 0xFF000000 keep the tip's own. Nothing when the rectangle is empty, the
  // tip is already shown or no window of the application has the focus.
  void Show(QRect titulo, const QString& texto, int deslocamento, QRect hover, const QFont& fonte,
            uint32_t corTexto, uint32_t corFundo);
  void Hide();
  // The pointer moved to `p` (parent coordinates): the tip hides once it leaves the hover area.
  void PointerMoved(QPoint p);
  QString ShownText() const { return texto_; }
  QRect HoverRect() const { return hover_; }

protected:
  void paintEvent(QPaintEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  QWidget* pai_;
  QRect hover_;
  QString texto_;
  QFont fonte_;
  QColor corTexto_, corFundo_;
};
