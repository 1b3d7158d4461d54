#pragma once
// "Definir Termo Dependente" (dialog 545): the user picks the model's
// dependent variable. Applying a new one moves it to the last place with its
// values (the variable that was dependent is disabled where it lands) and
// saves the model; the dialog then closes with OK and the model window runs
// the regression again. When the records cannot be loaded or saved nothing
// changes, the user is told, and the dialog closes as cancelled.
#include <QDialog>

class CTarsolinDoc;
class QLabel;
class QListWidget;

class CTermo : public QDialog {
  Q_OBJECT
public:
  CTermo(CTarsolinDoc* doc, QWidget* parent = nullptr);

protected:
  void accept() override;

private:
  void MostraDescricao(int variavel);

  CTarsolinDoc* doc_;
  QListWidget* lista_;    // 1074
  QLabel* descricao_;     // 1126
};
