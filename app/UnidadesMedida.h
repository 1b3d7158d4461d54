#pragma once
// Measurement units of the report editor's rulers and margin fields.
#include <QString>

struct UnidadeMedida {
  int twipsPorUnidade;   // twips in one unit
  int marcas[3];         // ruler tick spacings, twips
  int passoMinimo;       // smallest step, twips
  int idNome;            // string-table id of the name
  bool espacoAntes;      // a blank between the number and the name
  QString nome;          // loaded by CarregaUnidades
};

constexpr int NumUnidades = 7;
extern UnidadeMedida Unidades[NumUnidades];

// Names from the string table.
void CarregaUnidadesMedida();
// Parses "2,5 cm", "72 pt", "1 INCHES", or a bare number in unit `atual`.
bool LeMedidaTexto(const QString& texto, int atual, int* twips);
// `twips` in unit `atual` with at most `decimais` decimals, trailing zeros dropped.
QString EscreveMedidaTexto(int twips, int decimais, int atual);
