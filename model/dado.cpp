#include "dado.h"

#include "platform/Cp1252.h"

QString dado::Endereco() const { return plat::LeCp1252(endereco, sizeof endereco); }
void dado::SetEndereco(const QString& t) { plat::GravaCp1252(t, endereco, sizeof endereco); }
// The complement is entered with at most 50 characters, though its field is wider.
QString dado::Complemento() const { return plat::LeCp1252(complemento, sizeof complemento); }
void dado::SetComplemento(const QString& t) { plat::GravaCp1252(t, complemento, 51); }
