#pragma once
// The wait dialog 501 "Aguarde, em processamento": an animation area (1000), a
// message (1080, "Mensagem ...") and a hidden "&Cancelar" button (32804).
// Nothing in the program opens it.
#include <QDialog>

class QLabel;
class QPushButton;

class CAguarde : public QDialog {
  Q_OBJECT
public:
  explicit CAguarde(QWidget* parent = nullptr);
  QLabel* Animacao() const { return animacao_; }
  QLabel* Mensagem() const { return mensagem_; }

private:
  QLabel* animacao_;
  QLabel* mensagem_;
  QPushButton* cancelar_;
};
