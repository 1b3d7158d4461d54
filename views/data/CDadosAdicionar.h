#pragma once
// "Incluir Dados" (dialog 511): how many rows to add to a grid. The caller
// sets the limit before running it and, after "Adicionar", reads the chosen
// number from the same member; "Cancelar" leaves it as it was.
#include <QDialog>

class QLineEdit;

class CDadosAdicionar : public QDialog {
  Q_OBJECT
public:
  explicit CDadosAdicionar(QWidget* parent = nullptr);
  // In: the most rows the grid may still take. Out (after "Adicionar"): the rows to add.
  int m_nNumero = 1;

public slots:
  void accept() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  void Passo(int delta);  // the up-down control: one more or one less, within 1..limit

  QLineEdit* edit_;
  int limite_ = 1;
  bool iniciado_ = false;
};
