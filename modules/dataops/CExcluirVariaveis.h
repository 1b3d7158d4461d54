#pragma once
// Dialog 130 "Excluir Variáveis": removes the chosen explanatory variables
// from the model file.
#include "CDialogoModelo.h"

class QListWidget;

namespace palvedo {

class CExcluirVariaveis : public CDialogoModelo {
  Q_OBJECT
public:
  explicit CExcluirVariaveis(const QString& caminho, QWidget* parent = nullptr);

public slots:
  // Close: asks "Deseja Cancelar ?" and closes only on Yes.
  void reject() override;

private:
  void OnOK();

  QListWidget* lista_ = nullptr;  // 1007, the explanatory variables
};

}  // namespace palvedo
