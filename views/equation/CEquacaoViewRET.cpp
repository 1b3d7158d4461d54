#include "CEquacaoViewRET.h"

const ConfigPagina CEquacaoViewRET::Configuracao = {
    FormaEquacao::RegressaoRE, 1110, "Equação Regressão RE", "Equação Regressão", 1, false, false, "Estimativa p/",
    true, false, "Equação Regressão", "Análise de Sensibilidade"};

CEquacaoViewRET::CEquacaoViewRET(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent)
    : PaginaEquacao(Configuracao, doc, host, parent) {}
