#pragma once
// Inclusion of new explanatory variables: typed names or common variables of
// the catalogue, inserted before the dependent variable with value 0 in every
// record.
#include <QString>
#include <vector>

struct CabecalhoModelo;
struct Var;

namespace palvedo {

class RegistrosModelo;

// One variable waiting in the list of variables to include.
struct NovaVariavel {
  QString nome;
  QString descricao;
  int tipo = 4;       // model variable type (40300)
  int decimais = 2;   // number of decimal places (40780)

  // A name typed by the user.
  static NovaVariavel Digitada(const QString& nome);
  // A common variable of the catalogue; its type is translated into the
  // model's codes (the catalogue's 4 "Quantitativa" is the model's 5).
  static NovaVariavel DoCatalogo(const Var& v);
};

// Whether one more variable fits: the model's V plus those already waiting
// must stay below 60.
bool CabeMaisUma(const CabecalhoModelo& c, int pendentes);

// Inserts the variables in list order into slots V .. V+k-1, then moves the
// dependent variable to the last slot (the last new variable takes its old
// slot), voiding earlier results. False, with nothing changed, when there is
// nothing to include, the model has no variables or the limit would be passed.
bool IncluiVariaveis(CabecalhoModelo& c, RegistrosModelo& r, const std::vector<NovaVariavel>& novas);

}  // namespace palvedo
