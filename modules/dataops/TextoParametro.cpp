#include "TextoParametro.h"

#include "platform/TextoNumerico.h"

namespace palvedo {

double LeParametro(const QString& texto) { return plat::LeReal(texto, QChar(',')); }

QString MostraParametro(double valor) { return plat::FormataC("%-13.4f", {valor}); }

}  // namespace palvedo
