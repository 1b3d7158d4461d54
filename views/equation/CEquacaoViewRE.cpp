#include "CEquacaoViewRE.h"

const ConfigPagina CEquacaoViewRE::Configuracao = {
    FormaEquacao::EstimativaRE, 1109, "Função Estimativa RE", "Função Estimativa", 1, true, false, "Estimativa p/",
    true, false, "Equação Regressão", "Análise de Sensibilidade"};

CEquacaoViewRE::CEquacaoViewRE(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent)
    : PaginaEquacao(Configuracao, doc, host, parent) {}
