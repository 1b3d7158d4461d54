#pragma once
// Last page of the new-model wizard and of the properties sheets (dialog 543
// "Informe a Senha para o Modelo"): the optional password of 6 to 12
// characters and what a user without it may do. Finish checks the password,
// writes the protection and makes the dependent variable the last one.
#include "controls/CWizard.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
struct CabecalhoModelo;

class CSenhaModelo : public CPaginaWizard {
  Q_OBJECT
public:
  static constexpr int MinSenha = 6, MaxSenha = 12;

  explicit CSenhaModelo(QWidget* parent = nullptr);
  void DefineCabecalho(CabecalhoModelo* cab) { cab_ = cab; }

  void OnSetActive() override;
  bool OnWizardFinish() override;

private:
  void Habilita(bool sim);

  CabecalhoModelo* cab_ = nullptr;
  QCheckBox* protegido_;
  QLineEdit* senha_;
  QLineEdit* repeticao_;
  QRadioButton* leitura_;
  QRadioButton* completo_;
};
