#include "CEquacaoView.h"

const ConfigPagina CEquacaoView::Configuracao = {
    FormaEquacao::Estimativa, 1107, "Função Estimativa", "Função Estimativa", 1, true, true, "Estimativa p/", false,
    true, "Função Estimativa", "Teste da Equação"};

CEquacaoView::CEquacaoView(CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent)
    : PaginaEquacao(Configuracao, doc, host, parent) {}
