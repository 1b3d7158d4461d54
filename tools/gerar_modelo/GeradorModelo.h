#pragma once
// Builds a new model from a comma-separated table: one data record per line,
// one variable per described column, the dependent variable last.
#include <QString>
#include <QStringList>
#include <vector>

// How one column of the table becomes a model variable.
struct ColunaModelo {
  QString coluna;      // header of the column in the table
  QString descricao;
  int tipo;            // 1 "Dicotômica", 3 "Qualitativa (cód. alocados)", 5 "Quantitativa"
  int casasDecimais;
  int relacao;         // expected relation: 0 positive, 1 negative
};

// The model's description and how the table maps onto it.
struct DescricaoModelo {
  QString nome, autor, informacoes, data;
  int tipoImovel = 2;                // "Casas"
  QString colunaEndereco;            // column whose value names the record
  QString prefixoEndereco;           // text put before that value
  std::vector<ColunaModelo> variaveis;  // the dependent variable last
  QString colunaX, colunaY;          // coordinate variables
  QString colunaArea;                // area variable for unit values
};

// Reads `csv`, builds the model and writes it to `destino`; false with a
// message in `erro` on bad input or a failed write.
bool GeraModelo(const QString& csv, const QString& destino, const DescricaoModelo& d, QString& erro);

// The Baltimore house-price sample.
DescricaoModelo DescricaoBaltimore();
