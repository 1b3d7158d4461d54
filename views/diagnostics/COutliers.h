#pragma once
// "Outliers do Modelo" (dialog 531, command 32838): the considered records
// whose standardised residual in the current equation is beyond 2.
#include <QDialog>

class CTarsolinDoc;
class QLabel;
class QTreeWidget;

class COutliers : public QDialog {
  Q_OBJECT
public:
  explicit COutliers(CTarsolinDoc* doc, QWidget* parent = nullptr);
  QTreeWidget* Lista() const { return lista_; }
  QLabel* Total() const { return total_; }

private:
  QTreeWidget* lista_;
  QLabel* total_;
};
