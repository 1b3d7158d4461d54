#pragma once
// Correlations between the enabled variables of a model, over its considered
// records, with every value transformed by the current equation: the Pearson
// (isolated) correlations and the partial correlations, each given the others.
#include <QString>

struct CabecalhoModelo;
struct dado;

namespace mirsalto {

constexpr int Lado = 60;  // both arrays are 60 x 60, entry (a, b) at 60 a + b

// Fills the two arrays (zeroed first) for the enabled variables in model
// order, the dependent last. False when fewer than two variables are enabled,
// fewer than three records are considered or the correlation matrix is
// singular (the partial correlations cannot be had).
bool CalculaCorrelacoes(const CabecalhoModelo& cab, const dado* dados, double* isoladas, double* parciais);

// Reads the model file and calls CalculaCorrelacoes.
bool CorrelacionaArquivo(const QString& caminho, double* isoladas, double* parciais);

}  // namespace mirsalto
