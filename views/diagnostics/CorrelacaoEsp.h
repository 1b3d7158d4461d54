#pragma once
// "Indices de Correlação Espacial" (dialog 525, command 32834): how W is
// prepared (row normalisation, distances turned into weights), the spatial
// library's Moran's I and robust LM indices of the least-squares residuals,
// stored in the model, which is saved.
#include <QDialog>

class CTarsolinDoc;
class PropertyGrid;
class PropertyGridItem;
class QCheckBox;
class QLineEdit;

class CorrelacaoEsp : public QDialog {
  Q_OBJECT
public:
  explicit CorrelacaoEsp(CTarsolinDoc* doc, QWidget* parent = nullptr);
  PropertyGrid* Grade() const { return grade_; }
  // "&Calcular": true when the library ran and the model was saved.
  bool Calcula();

private:
  void MostraResultados();
  CTarsolinDoc* doc_;
  QCheckBox* normaliza_;
  QCheckBox* transforma_;
  QLineEdit* edits_[3];  // exponent, minimum, maximum
  PropertyGrid* grade_;
  PropertyGridItem* itens_[9];
};
