#pragma once
// Working rows (LinhaDado) read straight from the model file for the views
// that compute on their own copies. Rows are allocated one by one into a
// plain array of pointers; LiberaLinhas frees them and the array.
#include <QString>

struct CabecalhoModelo;
struct LinhaDado;

// One new row per data record (N entries), row numbers 1..N.
bool LeLinhasDados(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas);
// The same into N rows that already exist.
bool PreencheLinhasDados(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas);
// New rows for the considered records only (room for the header's count of
// considered records, which is never exceeded); row numbers keep the file
// position, so they have gaps where excluded records stand.
bool LeLinhasConsideradas(const QString& caminho, const CabecalhoModelo* cab, LinhaDado** linhas);
// Deletes `quantidade` rows and then the array; a null array is ignored.
void LiberaLinhas(int quantidade, LinhaDado** linhas);
