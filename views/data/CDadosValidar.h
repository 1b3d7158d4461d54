#pragma once
// "Dados para Validação" (dialog 513): the percentage of the considered rows
// to draw as validation rows, 1 to 50. The caller presets it and reads it back.
#include <QDialog>

class QSpinBox;

class CDadosValidar : public QDialog {
  Q_OBJECT
public:
  explicit CDadosValidar(QWidget* parent = nullptr);
  int m_nPercentual = 25;

public slots:
  void accept() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  QSpinBox* edit_;
};
