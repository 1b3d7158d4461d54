#pragma once
// The desk calculator (dialog 504 "Calculadora"): adds, subtracts, multiplies
// and divides decimal numbers with the decimal comma, takes percentages,
// changes sign and deletes the last typed character. Results are rounded to
// seven decimals; a division by zero or a result of more than 15 integer
// digits shows "Erro" until 'C'. Keys are buttons whose ids are their
// characters; the keyboard types the same characters (Enter is '=', Escape
// is 'C'), so Enter and Escape never close it: only the window's close does.
#include "controls/CBitmapDialog.h"

class QLabel;
class QPushButton;

// The dialog base paints bitmap 129 tiled over the blue background.
class CCalculadora : public CBitmapDialog {
  Q_OBJECT
public:
  enum Estado { Resultado = 0, Digitando = 1, Erro = 2 };
  static constexpr int MaxCaracteres = 15;  // typed digits and comma

  explicit CCalculadora(QWidget* parent = nullptr);

  // One key, as its character (taken in upper case); the display follows.
  void Tecla(QChar c);
  QString Visor() const;
  Estado EstadoAtual() const { return estado_; }
  QPushButton* BotaoTecla(QChar c) const;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  double Exibido() const;
  void MostraResultado(double v);
  void NovoNumero();
  void AtualizaVisor();
  // A key press seen by the dialog or any of its controls; true when taken.
  bool TrataTecla(QKeyEvent* e);

  Estado estado_ = Resultado;
  QChar pendente_ = QChar('=');   // the operator waiting for its second operand
  QString digitos_ = QStringLiteral("0");  // the display without its sign
  bool negativo_ = false;
  double acumulador_ = 0.0;       // the first operand
  QLabel* visor_ = nullptr;       // 32821
};
