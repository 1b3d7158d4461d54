#include "CSplashWnd.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {
bool habilitado = false;
QPointer<CSplashWnd> atual;

// Installed on the application while the splash exists, so it sees every event first.
class FiltroSplash : public QObject {
public:
  bool eventFilter(QObject*, QEvent* e) override { return CSplashWnd::FilterSplashMessage(e); }
};
FiltroSplash* filtro = nullptr;
}  // namespace

void CSplashWnd::SetSplashEnabled(bool ligado) { habilitado = ligado; }

CSplashWnd* CSplashWnd::Atual() { return atual; }

void CSplashWnd::OpenSplash(QWidget* parent) {
  if (!habilitado || atual) return;
  const QPixmap figura(QStringLiteral(":/app/splash.png"));
  if (figura.isNull()) return;
  atual = new CSplashWnd(figura, parent);
  if (!filtro) {
    filtro = new FiltroSplash;
    qApp->installEventFilter(filtro);
  }
  atual->show();
  atual->repaint();
}

CSplashWnd::CSplashWnd(const QPixmap& figura, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), figura_(figura) {
  setObjectName("CSplashWnd");
  setAttribute(Qt::WA_DeleteOnClose);
  setCursor(Qt::ArrowCursor);
  setFixedSize(figura_.deviceIndependentSize().toSize());
  if (const QScreen* tela = QGuiApplication::primaryScreen())
    move(tela->geometry().center() - rect().center());
  QTimer::singleShot(TempoMs, this, &CSplashWnd::CloseSplash);
}

CSplashWnd::~CSplashWnd() {
  if (filtro) {
    qApp->removeEventFilter(filtro);
    delete filtro;
    filtro = nullptr;
  }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, figura_);
}

void CSplashWnd::CloseSplash() {
  QWidget* dono = parentWidget();
  close();
  if (dono) dono->update();
}

bool CSplashWnd::FilterSplashMessage(QEvent* evento) {
  if (!atual || !evento) return false;
  switch (evento->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
      atual->CloseSplash();
      return true;
    default:
      return false;
  }
}
