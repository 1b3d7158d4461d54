#include "CEquacaoViewT.h"

const ConfigPagina CEquacaoViewT::Configuracao = {
    FormaEquacao::Regressao, 1108, "Equação Regressão", "Equação Regressão", 0, false, false, "Projeção p/", false,
    false, "Equação de Regressão", "Teste da Equação"};

CEquacaoViewT::CEquacaoViewT(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent)
    : PaginaEquacao(Configuracao, doc, host, parent) {}
