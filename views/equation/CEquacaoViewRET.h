#pragma once
// Tab "Equação Regressão RE": the spatial model's equation on the transformed scale.
#include "PaginaEquacao.h"

class CEquacaoViewRET : public PaginaEquacao {
  Q_OBJECT
public:
  CEquacaoViewRET(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent = nullptr);
  static const ConfigPagina Configuracao;
};
