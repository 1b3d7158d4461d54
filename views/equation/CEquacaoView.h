#pragma once
// Tab "Função Estimativa": the equation solved for the dependent variable in
// original units, with the step of the estimate from the mean on its chart
// and the regressors that contradict their expected relation in red.
#include "PaginaEquacao.h"

class CEquacaoView : public PaginaEquacao {
  Q_OBJECT
public:
  CEquacaoView(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent = nullptr);
  static const ConfigPagina Configuracao;
};
