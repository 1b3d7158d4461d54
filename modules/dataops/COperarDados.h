#pragma once
// Dialog 148 "Operar dados ": removes, disregards or converts the data
// records whose value of a chosen variable satisfies a comparison.
#include "CDialogoModelo.h"
#include "OperaDados.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace palvedo {

class COperarDados : public CDialogoModelo {
  Q_OBJECT
public:
  explicit COperarDados(const QString& caminho, QWidget* parent = nullptr);

protected:
  bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
  void OnAplicar();
  void EscolheAcao(AcaoDado acao);

  QListWidget* variaveis_ = nullptr;  // 1007
  QComboBox* comparacao_ = nullptr;   // 1004
  QLineEdit* parametro_ = nullptr;    // 1000
  QLineEdit* conversao_ = nullptr;    // 1002
  double valorParametro_ = 0.0;
  double valorConversao_ = 0.0;
  AcaoDado acao_ = AcaoDado::Desconsiderar;
};

}  // namespace palvedo
