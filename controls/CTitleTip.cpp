#include "CTitleTip.h"

#include "CTableDefs.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

CTitleTip::CTitleTip(QWidget* pai)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      pai_(pai) {
  setObjectName(QStringLiteral("ZTitleTip"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  // No mouse move follows the pointer out of the parent: its leaving hides the tip.
  if (pai_) {
    pai_->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(pai_)) area->viewport()->installEventFilter(this);
  }
}

bool CTitleTip::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Leave) Hide();
  return QWidget::eventFilter(o, e);
}

void CTitleTip::Show(QRect titulo, const QString& texto, int deslocamento, QRect hover, const QFont& fonte,
                     uint32_t corTexto, uint32_t corFundo) {
  if (titulo.isEmpty() || isVisible() || !QGuiApplication::focusWindow() || !pai_) return;
  hover_ = (hover.isEmpty() ? titulo : hover).adjusted(0, 0, 1, 1);
  const QString mostrado = QLatin1Char(' ') + texto + QLatin1Char(' ');
  const QFontMetrics fm(fonte);
  const int largura = fm.horizontalAdvance(mostrado);
  if (largura + 2 * deslocamento <= titulo.width()) return;
  texto_ = mostrado;
  fonte_ = fonte;
  const QPalette pal = QGuiApplication::palette();
  corTexto_ = corTexto != GridColour::Default ? GridColour::ToQt(corTexto) : pal.color(QPalette::ToolTipText);
  corFundo_ = corFundo != GridColour::Default ? GridColour::ToQt(corFundo) : pal.color(QPalette::ToolTipBase);
  const QPoint canto = pai_->mapToGlobal(QPoint(titulo.left() + deslocamento, titulo.top()));
  setGeometry(QRect(canto, QSize(largura + deslocamento, titulo.height())));
  show();
  raise();
}

void CTitleTip::Hide() {
  if (isVisible()) hide();
}

void CTitleTip::PointerMoved(QPoint p) {
  if (isVisible() && !hover_.contains(p)) Hide();
}

void CTitleTip::paintEvent(QPaintEvent*) {
  QPainter dc(this);
  dc.fillRect(rect(), corFundo_);
  dc.setPen(QPen(corTexto_.darker(150), 0));
  dc.drawRect(rect().adjusted(0, 0, -1, -1));
  dc.setFont(fonte_);
  dc.setPen(corTexto_);
  dc.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, texto_);
}
