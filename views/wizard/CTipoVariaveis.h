#pragma once
// Third page of the new-model wizard and first page shown by the properties
// sheets (dialog 548 "Análise preliminar das variáveis"): each variable's
// type, relation with the dependent variable, decimal places and description,
// and which variable is the dependent one. Every change goes at once into
// the header.
#include "controls/CWizard.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
struct CabecalhoModelo;

class CTipoVariaveis : public CPaginaWizard {
  Q_OBJECT
public:
  explicit CTipoVariaveis(QWidget* parent = nullptr);
  void DefineCabecalho(CabecalhoModelo* cab) { cab_ = cab; }

  void OnSetActive() override;
  bool OnWizardNext() override;
  bool OnWizardBack() override;

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  int Selecionada() const;
  void Mostra(int v);
  void GravaDescricao();
  void TipoClicado(int codigo);
  void DependenteClicado(bool marcado);

  CabecalhoModelo* cab_ = nullptr;
  bool mostrando_ = false;
  int mostrada_ = -1;  // the variable whose description the edit holds
  QListWidget* lista_;
  QButtonGroup* tipos_;
  QRadioButton* tipo_[5];
  QDateEdit* data_;
  QRadioButton* positiva_;
  QRadioButton* negativa_;
  QCheckBox* dependente_;
  QRadioButton* unitario_;
  QRadioButton* total_;
  QComboBox* area_;
  QSpinBox* casas_;
  QPlainTextEdit* descricao_;
};
