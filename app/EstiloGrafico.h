#pragma once
// Chart styles: one record of 21 integers per kind of chart, 16 kinds, shared
// by every chart of the program and kept in the options as the 1,344-byte
// value "Graficos" (the records in index order, 84 bytes each, little-endian).
#include <QByteArray>
#include <cstdint>

class QSettings;

struct EstiloGrafico {
  int32_t corInicial;        // start colour of the background gradient
  int32_t corMeio;           // middle colour of the gradient
  int32_t corFinal;          // end colour of the gradient
  int32_t corTitulo;         // colour of the chart title's text
  int32_t corPontos;         // colour of the plotted points
  int32_t corPontos2, corPontos3, corPontos4;  // carried, read by nothing
  int32_t corLinhas;         // colour of the plotted line
  int32_t corLinhas2, corLinhas3, corLinhas4;  // carried, read by nothing
  int32_t legenda;           // legend shown
  int32_t tonsCinza;         // printed without the background gradient
  int32_t gradiente;         // gradient shown on screen
  int32_t tresD;             // three-dimensional view (kept, not drawn)
  int32_t reservado[4];
  int32_t direcaoGradiente;  // gradient direction code, passed to the chart

  static EstiloGrafico Padrao();
};
static_assert(sizeof(EstiloGrafico) == 84);

constexpr int NumEstilosGraficos = 16;
constexpr int TamanhoEstilosGraficos = NumEstilosGraficos * int(sizeof(EstiloGrafico));  // 1,344
// The process-wide table, indexed by chart kind.
extern EstiloGrafico EstilosGraficos[NumEstilosGraficos];

// Fills the table from the first 1,344 bytes of `valor`; a missing or shorter value gives the defaults.
void CarregaEstilosGraficos(const QByteArray& valor);
QByteArray ValorEstilosGraficos();
void CarregaEstilosGraficos(QSettings& s);   // section "Options", value "Graficos"
void GravaEstilosGraficos(QSettings& s);
