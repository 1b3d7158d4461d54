#include "dadoP.h"

#include "platform/Cp1252.h"

QString dadoP::Endereco() const { return plat::LeCp1252(endereco, sizeof endereco); }
void dadoP::SetEndereco(const QString& t) { plat::GravaCp1252(t, endereco, sizeof endereco); }
QString dadoP::Complemento() const { return plat::LeCp1252(complemento, sizeof complemento); }
void dadoP::SetComplemento(const QString& t) { plat::GravaCp1252(t, complemento, sizeof complemento); }
QString dadoP::Bairro() const { return plat::LeCp1252(bairro, sizeof bairro); }
void dadoP::SetBairro(const QString& t) { plat::GravaCp1252(t, bairro, sizeof bairro); }
QString dadoP::Cidade() const { return plat::LeCp1252(cidade, sizeof cidade); }
void dadoP::SetCidade(const QString& t) { plat::GravaCp1252(t, cidade, sizeof cidade); }
QString dadoP::Estado() const { return plat::LeCp1252(estado, sizeof estado); }
void dadoP::SetEstado(const QString& t) { plat::GravaCp1252(t, estado, sizeof estado); }
