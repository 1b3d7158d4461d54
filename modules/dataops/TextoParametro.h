#pragma once
// Parameters typed in the dialogs: read with the decimal comma, reading
// stopping at the first character that cannot continue the number (text that
// is not a number reads 0), and shown back with "%-13.4f".
#include <QString>

namespace palvedo {

double LeParametro(const QString& texto);
QString MostraParametro(double valor);

}  // namespace palvedo
