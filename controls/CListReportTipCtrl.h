#pragma once
// The label tip of a report list: the whole text of a cut cell, shown over the
// cell when the text is wider than it. Input passes through it to the windows
// below; it fades in where the window system can change a window's opacity.
#include <QFont>
#include <QRect>
#include <QTimer>
#include <QWidget>

class CListReportCtrl;

class CListReportTipCtrl : public QWidget {
  Q_OBJECT
public:
  explicit CListReportTipCtrl(CListReportCtrl* dono);
  // `celula` in the owner's client coordinates. The same rectangle as last time
  // changes nothing, so a dismissed tip does not come back in the same cell.
  // `margem` is the owner's text margin, added on both sides.
  void Show(const QString& texto, const QRect& celula, const QFont& fonte, int margem);
  void Hide();   // dismissed: stays hidden in the same cell
  void Clear();  // hidden, and the next cell shows again
  QString Text() const { return texto_; }
  QRect LastCell() const { return ultimo_; }

protected:
  void paintEvent(QPaintEvent*) override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void Passo();
  CListReportCtrl* dono_;
  QString texto_;
  QRect ultimo_;
  int margem_ = 6;
  int alfa_ = 0;
  QTimer fade_;
};
