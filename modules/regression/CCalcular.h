#pragma once
// The calculation options (dialog 142 "Opções de Cálculo"). It works on the
// engine's private copy of the header: every control writes straight into the
// copy, so closing with "&Fechar" leaves the model file untouched.
#include <QDialog>

struct CabecalhoModelo;
class CHoverButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ostrimo {

class CCalcular : public QDialog {
  Q_OBJECT
public:
  explicit CCalcular(CabecalhoModelo& copia, QWidget* parent = nullptr);
  ~CCalcular() override;

  // Transformation names by code, as the dialogs show them.
  static QString NomeTransformacao(int codigo);
  static int CodigoTransformacao(const QString& nome);  // -1 for an unknown name

  void accept() override;

private:
  void Monta();
  void Inicializa();
  void AoMetodoGeral(int metodo);
  void AoDirigido();
  void AoSelecionarVariavel(int linha);
  void AoSelecionarTransformacao(int linha);
  void AoDuploClique();
  void AoBotaoTransformacao(int codigo);
  void AoDurbinWatson(bool marcado);

  CabecalhoModelo& copia_;
  QRadioButton *geral_, *simplificado_, *dirigido_;
  QCheckBox* transformacoes_[6];  // codes 2 .. 7
  QCheckBox *analisar_, *reconsiderar_, *durbin_;
  QComboBox* ordenacao_;
  QRadioButton *regressao_, *variacao_;
  QRadioButton *minimos_, *verossimilhanca_;
  QGroupBox* grupoDirigido_;
  QListWidget *variaveis_, *escolhidas_, *nomes_;
  QPushButton* botoes_[8];  // codes 0 .. 7
  CHoverButton *calcular_, *fechar_;
  bool sincronizando_ = false;  // a list is being changed by another one
};

}  // namespace ostrimo
