#pragma once
// First page of the new-model wizard and of the properties sheets (dialog
// 528 "Criar novo Modelo do Tarsolin"): the model's reference name, author,
// creation date, property type and complementary information.
#include "controls/CWizard.h"

class QDateEdit;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
struct CabecalhoModelo;

class CNovoModelo : public CPaginaWizard {
  Q_OBJECT
public:
  explicit CNovoModelo(QWidget* parent = nullptr);
  void DefineCabecalho(CabecalhoModelo* cab) { cab_ = cab; }

  void OnSetActive() override;
  bool OnWizardNext() override;

private:
  CabecalhoModelo* cab_ = nullptr;
  QLineEdit* nome_;
  QLineEdit* autor_;
  QPlainTextEdit* info_;
  QDateEdit* data_;
  QListWidget* tipos_;
};
