#pragma once
// A number item with an up-down control at the right of its value: each step
// adds or takes one, held within the item's range, and counts as a user edit.
// The range is two full integers (a record number goes past 32,767).
#include "PropertyGrid.h"

#include <QPointer>
#include <QWidget>

class CCustomItemSpin;
class QTimer;

// The up-down control shown while its item is selected.
class CCustomItemSpinInplaceButton : public QWidget {
  Q_OBJECT
public:
  CCustomItemSpinInplaceButton(CCustomItemSpin* item, QWidget* parent);
  QSize sizeHint() const override { return QSize(15, 18); }
signals:
  void passo(int delta);
protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
private:
  CCustomItemSpin* item_;
  int pressionado_ = 0;  // +1 upper half, -1 lower half
  QTimer* repete_;
};

class CCustomItemSpin : public PropertyGridItemNumber {
public:
  // The value is held between `inferior` and `superior`.
  CCustomItemSpin(const QString& legenda, int superior, int inferior = 0);
  ~CCustomItemSpin() override;
  void SetRange(int inferior, int superior);
  int Lower() const { return inferior_; }
  int Upper() const { return superior_; }
  // One step of the up-down control (as a user's click or arrow key).
  void Step(int delta);
  CCustomItemSpinInplaceButton* Button() const { return botao_; }

  QRect GetValueRect() const override;
  void OnSelect() override;
  void OnDeselect() override;
  void Reposition() override;

private:
  int inferior_, superior_;
  QPointer<CCustomItemSpinInplaceButton> botao_;
};
