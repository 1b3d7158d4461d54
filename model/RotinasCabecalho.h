#pragma once
// Routines over the header's per-variable tables.
struct CabecalhoModelo;
struct dado;
struct dadoP;

// A scratch copy of `origem` whose per-variable tables hold the enabled
// variables packed from slot 0, for views that index statistics by enabled
// position: per kept equation the transformation codes, t values,
// coefficients, confidences and exponents; and the names, decimal places and
// relations (nothing is packed while no equation is kept). Enabled flags,
// types and descriptions stay as in the source. False for a null destination.
bool CompactaCabecalho(CabecalhoModelo* destino, const CabecalhoModelo& origem);

// Makes the dependent variable the last one: swaps its header entries (name,
// description, the 6- and 11-byte texts, relation, type, per-variable code,
// decimals, width) with those of the last variable, sets the dependent index
// and clears the calculation state; with `desabilita` the old slot is
// disabled. The header's references to either variable (area, coordinates,
// Durbin-Watson ordering, the data grid's sort column) follow them. With
// records (the header's N of them) their values and cell attributes are
// swapped too, and so are those of the appraisal records (its M of them).
// Nothing at all when the dependent is already last.
void MoveVariavelDependente(CabecalhoModelo& cab, bool desabilita, dado* dados, dadoP* avaliandos = nullptr);
inline void MoveVariavelDependente(CabecalhoModelo* cab, bool desabilita, dado* dados, dadoP* avaliandos = nullptr) {
  if (cab != nullptr) MoveVariavelDependente(*cab, desabilita, dados, avaliandos);
}
