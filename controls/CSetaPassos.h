#pragma once
// An up-down control with no value of its own: it reports each press as a
// step up (positive) or down, for lists that page through groups.
#include <QAbstractSpinBox>
#include <functional>

class CSetaPassos : public QAbstractSpinBox {
public:
  explicit CSetaPassos(std::function<void(int)> aoPasso, QWidget* parent = nullptr);
  void stepBy(int passos) override;

protected:
  StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
  std::function<void(int)> aoPasso_;
};
