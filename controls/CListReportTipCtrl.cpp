#include "CListReportTipCtrl.h"

#include "CListReportCtrl.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>

CListReportTipCtrl::CListReportTipCtrl(CListReportCtrl* dono)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput),
      dono_(dono) {
  setObjectName(QStringLiteral("ListReportTipCtrl"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  setForegroundRole(QPalette::ToolTipText);
  fade_.setInterval(20);
  connect(&fade_, &QTimer::timeout, this, &CListReportTipCtrl::Passo);
  // No mouse move follows the pointer out of the list: its leaving hides the
  // tip, and coming back into the same cell shows it again.
  if (dono_) dono_->installEventFilter(this);
}

bool CListReportTipCtrl::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Leave && o == dono_) Clear();
  return QWidget::eventFilter(o, e);
}

void CListReportTipCtrl::Passo() {
  alfa_ = std::min(255, alfa_ + 10);
  setWindowOpacity(alfa_ / 255.0);
  if (alfa_ >= 255) fade_.stop();
}

void CListReportTipCtrl::Show(const QString& texto, const QRect& celula, const QFont& fonte, int margem) {
  margem_ = margem;
  if (celula == ultimo_) return;
  ultimo_ = celula;
  setFont(fonte);
  const int largura = QFontMetrics(fonte).horizontalAdvance(texto);
  if (largura <= celula.width()) {
    Hide();
    return;
  }
  texto_ = texto;
  const int m = margem_;
  const QPoint origem = dono_ ? dono_->mapToGlobal(celula.topLeft()) : celula.topLeft();
  setGeometry(origem.x() - m, origem.y(), largura + 2 * m + 2, celula.height());
  alfa_ = 0;
  setWindowOpacity(0.0);
  show();
  fade_.start();
}

void CListReportTipCtrl::Hide() {
  fade_.stop();
  alfa_ = 255;
  setWindowOpacity(1.0);
  hide();
}

void CListReportTipCtrl::Clear() {
  Hide();
  ultimo_ = QRect();
}

void CListReportTipCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(QPalette::ToolTipText));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  // One pixel down and margin - 1 in, past the one-pixel frame.
  p.drawText(rect().adjusted(margem_, 1, 0, 0), int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine), texto_);
}
