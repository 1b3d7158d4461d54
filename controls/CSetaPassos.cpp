#include "CSetaPassos.h"

CSetaPassos::CSetaPassos(std::function<void(int)> aoPasso, QWidget* parent)
    : QAbstractSpinBox(parent), aoPasso_(std::move(aoPasso)) {
  setReadOnly(true);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setFixedWidth(22);
}

void CSetaPassos::stepBy(int passos) {
  if (aoPasso_) aoPasso_(passos);
}
