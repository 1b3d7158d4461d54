#pragma once
// A number item with a track bar over its value, right of room for the number
// itself: the value follows the thumb while it moves and each new position is
// reported to the grid's owner once.
#include "PropertyGrid.h"

#include <QPointer>
#include <QSlider>

class CCustomItemSlider;

class CInplaceSlider : public QSlider {
  Q_OBJECT
public:
  CInplaceSlider(CCustomItemSlider* item, QWidget* parent);
  int LastReported() const { return ultimo_; }
  void SetLastReported(int v) { ultimo_ = v; }
private:
  void Mudou(int pos);
  CCustomItemSlider* item_;
  int ultimo_ = 0;
};

class CCustomItemSlider : public PropertyGridItemNumber {
public:
  CCustomItemSlider(const QString& legenda, int minimo, int maximo);
  ~CCustomItemSlider() override;
  int Minimum() const { return minimo_; }
  int Maximum() const { return maximo_; }
  CInplaceSlider* Slider() const { return slider_; }

  void OnSelect() override;
  void OnDeselect() override;
  void Reposition() override;

private:
  QRect RetanguloSlider() const;
  int minimo_, maximo_;
  QPointer<CInplaceSlider> slider_;
};
