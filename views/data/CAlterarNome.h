#pragma once
// "Alterar Nome das Variáveis" (dialog 502): renames variables in the model
// header. Names are applied to the list one by one and written into the
// header only when the dialog closes with "&Fechar".
#include <QDialog>

class CTarsolinDoc;
class QLineEdit;
class QListWidget;

class CAlterarNome : public QDialog {
  Q_OBJECT
public:
  explicit CAlterarNome(CTarsolinDoc* doc, QWidget* parent = nullptr);

public slots:
  void accept() override;

private:
  CTarsolinDoc* doc_;
  QListWidget* lista_;
  QLineEdit* nome_;
  bool alterado_ = false;
};
