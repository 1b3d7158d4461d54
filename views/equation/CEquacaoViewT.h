#pragma once
// Tab "Equação Regressão": the equation on the transformed scale, as the
// regression fitted it.
#include "PaginaEquacao.h"

class CEquacaoViewT : public PaginaEquacao {
  Q_OBJECT
public:
  CEquacaoViewT(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent = nullptr);
  static const ConfigPagina Configuracao;
};
