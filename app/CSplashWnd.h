#pragma once
// The splash window: the start-up picture centred on the screen while the
// main frame is created, hidden after 950 ms or at the first key or mouse
// press, which it swallows.
#include <QPixmap>
#include <QWidget>

class CSplashWnd : public QWidget {
  Q_OBJECT
public:
  static constexpr int TempoMs = 950;
  static void SetSplashEnabled(bool ligado);
  // Shows the splash (nothing when disabled, already shown or the picture is missing).
  static void OpenSplash(QWidget* parent);
  // The splash sees every event first: a key or button press hides it and is consumed.
  static bool FilterSplashMessage(QEvent* evento);
  static CSplashWnd* Atual();
  void CloseSplash();

protected:
  void paintEvent(QPaintEvent*) override;

private:
  CSplashWnd(const QPixmap& figura, QWidget* parent);
  ~CSplashWnd() override;
  QPixmap figura_;
};
