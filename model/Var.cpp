#include "Var.h"

#include "platform/Cp1252.h"

QString Var::Nome() const { return plat::LeCp1252(nome, sizeof nome); }
void Var::SetNome(const QString& t) { plat::GravaCp1252(t, nome, sizeof nome); }
QString Var::Descricao() const { return plat::LeCp1252(descricao, sizeof descricao); }
void Var::SetDescricao(const QString& t) { plat::GravaCp1252(t, descricao, sizeof descricao); }
