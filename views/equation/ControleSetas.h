#pragma once
// The up-down control beside a chart: an arrow up (step +1) and an arrow down
// (step -1); the window decides what a step moves.
#include <QWidget>
#include <functional>

class ControleSetas : public QWidget {
  Q_OBJECT
public:
  ControleSetas(QWidget* parent, int id, const QString& nome, std::function<void(int)> passo);
};
