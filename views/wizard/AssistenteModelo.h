#pragma once
// The runs of the model set-up pages: the new-model wizard "Novo Modelo"
// (four pages over the new model's header), the properties sheet
// "Propriedades do Modelo" of 32862 and the plain sheet after including or
// deriving variables (three pages over a copy of the header, from the types
// page), and the catalogue editor of 32910.
#include <vector>

class QWidget;
struct CabecalhoModelo;
struct Var;

// True on Finish; the header then holds the new model's description,
// variables (the dependent last) and protection.
bool ExecutaAssistenteNovoModelo(CabecalhoModelo& cab, const std::vector<Var>& catalogo, QWidget* parent);
// The three-page sheet over `copia`, starting on the types page; with a
// caption and the pictures for 32862, plain after 32913 and 32914.
bool ExecutaFolhaPropriedades(CabecalhoModelo& copia, QWidget* parent, bool assistente);

// Plugs the sheets and the catalogue editor into the model window's commands.
void RegistraAssistenteModelo();
