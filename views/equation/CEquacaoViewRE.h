#pragma once
// Tab "Função Estimativa RE": the spatial model's equation solved for the
// dependent variable in original units (with the lag term of a lag model).
#include "PaginaEquacao.h"

class CEquacaoViewRE : public PaginaEquacao {
  Q_OBJECT
public:
  CEquacaoViewRE(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent = nullptr);
  static const ConfigPagina Configuracao;
};
