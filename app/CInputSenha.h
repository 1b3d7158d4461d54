#pragma once
// Password prompt of a protected model (dialog 542 "Digite a senha"): edit
// 1056 under "Senha : ", OK and "Cancelar". Every OK compares what was typed
// with the stored password, exactly and case-sensitively; the third wrong
// entry cancels the prompt. The stored password is never shown.
#include <QDialog>

class CTarsolinDoc;
class QLineEdit;

class CInputSenha : public QDialog {
  Q_OBJECT
public:
  static constexpr int MaxTentativas = 3;
  CInputSenha(CTarsolinDoc* doc, QWidget* parent = nullptr);
  int Tentativas() const { return tentativas_; }

protected:
  void accept() override;

private:
  CTarsolinDoc* doc_;
  QLineEdit* senha_;
  int tentativas_ = 0;  // wrong entries so far
};
