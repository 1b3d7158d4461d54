#pragma once
// What the document's open checks in a model file beyond its counts' limits,
// with the rules of the readers (ArquivoModelo.h). Each reason is Portuguese.
#include "CabecalhoModelo.h"

#include <QString>

// Why the stored W elements cannot be read, with the rule of every reader: a
// count within N x N and the file's length, and each element inside the
// matrix (the first one outside is named). Empty when they can. Reads the
// elements in blocks, whatever their count.
QString MotivoElementosW(const QString& caminho, const CabecalhoModelo& cab);

// Counts the data records not excluded (considered) and those in the
// validation sample, as their own marks say; false when the records cannot be
// read. Reads only the marks' bytes of each record.
bool ContaMarcasRegistros(const QString& caminho, const CabecalhoModelo& cab, int& considerados, int& validacao);
