#pragma once
// The figures of the model summary window (command 32941): the data and
// variable counts and the statistics of the current equation, by item
// caption, each with the colour its value is drawn in; the entries of its
// equation list; and its two printed pages ("Resultados Estatísticos" and
// "Significância dos Regressores"). No widgets: the window only shows them.
#include "views/modelo/ImpressaoModelo.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct CabecalhoModelo;

namespace resumo {

// Value colours (COLORREF: 0x00BBGGRR); Padrao is the grid's own text colour.
constexpr int32_t Padrao = -1, Preto = 0x000000, Azul = 0xFF0000, Verde = 0x00FF00, Vermelho = 0x0000FF;

struct Valor {
  QString texto;
  int32_t cor = Preto;
};

// Every item of the grid for header `h` (null: none). The four counts are
// always set; the rest only when the model is calculated, else empty.
QMap<QString, Valor> Valores(const CabecalhoModelo* h);
// One entry per kept equation, "%i - %8.7f / %8.7f"; none when not calculated.
QStringList EntradasEquacoes(const CabecalhoModelo* h);
// Printed page `indice` (0 or 1).
std::vector<ItemImpresso> Pagina(const CabecalhoModelo& h, int indice);

}  // namespace resumo
