#pragma once
// Dialog 146 "Operar Variáveis": derives a variable C from A and either B or
// a parameter X, for every data and appraisal record.
#include "CDialogoModelo.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace palvedo {

class COperarVariaveis : public CDialogoModelo {
  Q_OBJECT
public:
  explicit COperarVariaveis(const QString& caminho, QWidget* parent = nullptr);

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
  void OperacaoEscolhida(int linha);
  void OperandoEscolhido(int linha);
  void MostraOperando(bool parametro);
  void OnAplicar();

  QListWidget* a_ = nullptr;          // 1007
  QLabel* rotuloB_ = nullptr;         // 1003
  QListWidget* b_ = nullptr;          // 1008
  QListWidget* operacoes_ = nullptr;  // 1036
  QListWidget* operando_ = nullptr;   // 1045: "Variável B" or "Parâmetro X"
  QLabel* rotuloX_ = nullptr;         // 1001
  QLineEdit* x_ = nullptr;            // 1000
  QLineEdit* nome_ = nullptr;         // 1002
  double valorX_ = 0.0;
};

}  // namespace palvedo
