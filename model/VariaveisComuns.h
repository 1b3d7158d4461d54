#pragma once
// The common-variable catalogue "variaveis.cfg": a plain sequence of 648-byte
// Var records, no header.
#include "Var.h"

#include <QString>
#include <vector>

// Replaces `catalogo` by the file's records (count = length / 648, a remainder
// ignored); false when the file cannot be opened or a record is short (the
// records read so far stay). An empty file is an empty catalogue.
bool LeVariaveisComuns(const QString& caminho, std::vector<Var>& catalogo);
// Writes every record in order, whole-file and safely (the old file is kept
// when the write fails).
bool GravaVariaveisComuns(const QString& caminho, const std::vector<Var>& catalogo);
// Catalogue order: property type ascending, then the names byte by byte as
// unsigned characters. Negative, zero or positive, as strcmp.
int ComparaVar(const Var& a, const Var& b);

// The catalogue's data types are 1 "Dicotômica", 2 "Data", 3 "Qualitativa",
// 4 "Quantitativa"; the model's are the same first three, 4 "Proxy" and
// 5 "Quantitativa". The model's type of a catalogue entry.
int TipoVariavelModelo(int tipoCatalogo);
// Decimal places the number formatting has pictures for: 0 to 11.
constexpr int MaxCasasDecimais = 11;
int CasasDecimaisValidas(int casas);
