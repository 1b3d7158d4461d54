#pragma once
// The up-down control beside a chart (1112, "Spin1"): an arrow up (delta +1)
// and an arrow down (delta -1), repeating while held.
#include <QWidget>
#include <functional>

class ControleSetas : public QWidget {
public:
  ControleSetas(QWidget* parent, std::function<void(int)> delta);
};
