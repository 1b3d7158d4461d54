#pragma once
// The variable transformations (TipoTransformacao codes 0-7) applied and
// undone, and the turning of a distance matrix into the spatial weights W.
#include <newmat.h>

struct CabecalhoModelo;
struct dado;

// TipoTransformacao: 0 x^p, 1 x, 2 1/x, 3 ln x, 4 x², 5 √x, 6 1/x², 7 1/√x.
enum TipoTransformacao {
  TransfPotencia = 0, TransfLinear = 1, TransfInversa = 2, TransfLog = 3,
  TransfQuadrado = 4, TransfRaiz = 5, TransfInversaQuadrado = 6, TransfInversaRaiz = 7
};

// The three forward routines agree on ordinary positive values and differ at
// zero and at negatives, as their callers rely on:
// TransformaValor: 0 stays 0 under every code; ln of a negative is -HUGE_VAL;
// √ and 1/√ of a negative are NaN; an unknown code leaves x as it is.
double TransformaValor(double x, int codigo, double p);
// The code and exponent of variable v in equation e; x unchanged while the
// model has no calculation. Values without a transform: 1/0 and 1/0² give
// +HUGE_VAL, ln of x <= 0, √ of x < 0 and 1/√ of x <= 0 give -HUGE_VAL.
// A null header gives 0.
double TransformaValorVariavel(const CabecalhoModelo* cab, double x, int v, int e);
// Value of variable v in data record `registro`, transformed for equation e;
// unchanged while the model has no calculation or the variable is disabled.
// 1/0, 1/0², ln of x <= 0 and 1/√ of x <= 0 give -HUGE_VAL; √ of a negative
// is NaN. Null header or records give 0; a record index outside 0..N-1
// throws std::invalid_argument.
double TransformaDado(const CabecalhoModelo* cab, const dado* dados, int v, int registro, int e);
// Back to original units; the codes 4 to 7 keep the sign of y.
double DestransformaValor(double y, int codigo, double p);

// Distances to weights, in place, when the header asks for it (408737) and
// the matrix has columns: zero (no neighbour) and distances beyond the
// maximum weigh 0 (a maximum of 0 is no maximum), the minimum distance raises
// smaller ones, and the rest are raised to the exponent. The diagonal of a
// square matrix weighs 0.
void TransformaPesos(const CabecalhoModelo* cab, NEWMAT::Matrix& W);
// The same, saying whether element (i, i) pairs a record with itself: false
// for a validation x considered cut-out, whose row and column sets never
// share a record even when it happens to be square.
void TransformaPesos(const CabecalhoModelo* cab, NEWMAT::Matrix& W, bool diagonalPropria);
// Divides every row by its sum (a zero row becomes 1/columns in every cell);
// in place, and returns a copy of the result.
NEWMAT::Matrix PadronizaLinhas(NEWMAT::Matrix& W);
// The same rule in place only, for a W too large to copy.
void PadronizaLinhasNoLugar(NEWMAT::Matrix& W);
// The same for rows primeira … fim − 1 only (a share of the rows for a thread).
void PadronizaLinhasNoLugar(NEWMAT::Matrix& W, int primeira, int fim);
