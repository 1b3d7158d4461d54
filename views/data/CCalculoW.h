#pragma once
// "Cálculo de W" (dialog 506): the user picks the two variables that hold the
// plane coordinates and W becomes the N x N matrix of Euclidean distances
// between all data records (zero diagonal); the model is then saved.
#include <QDialog>

#include <functional>

namespace NEWMAT { class Matrix; }

class CTarsolinDoc;
class QComboBox;

class CCalculoW : public QDialog {
  Q_OBJECT
public:
  explicit CCalculoW(QWidget* parent = nullptr);
  CTarsolinDoc* documento = nullptr;
  // The weights page's matrix: the distances go there (the page stores them
  // into the model when it saves) instead of into the model's W, and the
  // model is not saved.
  NEWMAT::Matrix* matriz = nullptr;
  // With the matrix: computes the distances from the chosen variables (x, y)
  // of the rows the user sees, instead of from the records on disk; false
  // when it refused (it says why).
  std::function<bool(int x, int y, NEWMAT::Matrix&)> calculo;

public slots:
  void accept() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  QComboBox* x_;
  QComboBox* y_;
  bool iniciado_ = false;
};
