#pragma once
// "Reconsiderar Variáveis" (dialog 552): switches variables in or out of the
// calculation. The check box writes the selected variable's enabled flag at
// once; "&Fechar" then invalidates the model's results, Escape puts every
// flag back as it was.
#include <QDialog>
#include <vector>

class CTarsolinDoc;
class QCheckBox;
class QListWidget;

class CReconsiderarVariaveis : public QDialog {
  Q_OBJECT
public:
  explicit CReconsiderarVariaveis(CTarsolinDoc* doc, QWidget* parent = nullptr);

public slots:
  void accept() override;
  void reject() override;

private:
  CTarsolinDoc* doc_;
  QListWidget* lista_;
  QCheckBox* marca_;
  std::vector<int> originais_;
  bool alterado_ = false;
};
