#pragma once
// The regression inputs built from the records: X (regressors, no column of
// ones), y (the dependent variable, the last one), residual vectors, and cut-
// outs of W. Rows follow the records' file order among those that pass the
// row test; columns the regressors' index order (the enabled variables below
// the last). X and y are sized by the caller; filling past their size
// throws std::invalid_argument. The cut-outs of W size their result
// themselves; a W smaller than N x N throws std::invalid_argument.
#include <newmat.h>

struct CabecalhoModelo;
struct dado;
struct dadoP;

// Considered records x regressors, transformed for equation e; the regressor
// `bruta` (-1 for none) is copied raw.
void MontaMatrizX(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados, int bruta, int e);
// The same over the validation records.
void MontaMatrizXValidacao(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados, int bruta, int e);
// Considered records x regressors, raw values.
void MontaMatrizXOriginal(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dado* dados);
// Every appraisal record x regressors, transformed for equation e.
void MontaMatrizXProjecao(NEWMAT::Matrix& X, const CabecalhoModelo* cab, const dadoP* dadosP, int e);

// The dependent variable of the considered records, raw or transformed.
void MontaVetorY(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto, int e);
// The same over the records considered or in the validation sample.
void MontaVetorYAmostra(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto, int e);
// The same over the validation records.
void MontaVetorYValidacao(NEWMAT::ColumnVector& y, const CabecalhoModelo* cab, const dado* dados, bool bruto, int e);
// The considered records' residuals in the current equation.
void MontaVetorResiduos(NEWMAT::ColumnVector& v, const CabecalhoModelo* cab, const dado* dados);

// The Euclidean distances between the n points (x[i], y[i]), both ways, with
// a zero diagonal; D is sized n x n here (an allocation failure throws).
void MatrizDistancias(const double* x, const double* y, int n, NEWMAT::Matrix& D);

// W (N x N, file order) cut to considered x considered; a plain copy when
// every record is considered.
void RecortaPesos(const NEWMAT::Matrix& W, NEWMAT::Matrix& resultado, const CabecalhoModelo* cab, const dado* dados);
// Validation records x considered records.
void RecortaPesosValidacao(const NEWMAT::Matrix& W, NEWMAT::Matrix& resultado, const CabecalhoModelo* cab,
                           const dado* dados);
// Records considered or in the validation sample, both ways.
void RecortaPesosAmostra(const NEWMAT::Matrix& W, NEWMAT::Matrix& resultado, const CabecalhoModelo* cab,
                         const dado* dados);
