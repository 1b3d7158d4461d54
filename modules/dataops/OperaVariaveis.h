#pragma once
// Derivation of a new variable C from a variable A and either a variable B or
// a parameter X, computed for every data and appraisal record and inserted
// just before the dependent variable.
#include <QString>

struct CabecalhoModelo;

namespace palvedo {

class RegistrosModelo;

// The operations, in the order of the dialog's list.
enum class Operacao { Soma = 0, Subtracao = 1, Produto = 2, Divisao = 3, Log = 4, Potencia = 5 };

struct OperacaoVariavel {
  int a = 0;                    // slot of A
  int b = 1;                    // slot of B
  Operacao operacao = Operacao::Soma;
  bool usaVariavelB = true;     // second operand: B (true) or the parameter X
  double x = 0.0;               // the parameter X
  QString nome;                 // name of C
};

// Whether the operation reads variable B: the operand "Variável B" with any
// operation but "Log", which has no second operand.
bool UsaVariavelB(const OperacaoVariavel& op);

enum class ResultadoOperacao {
  Feita,
  LimiteVariaveis,   // the model already has 60 variables
  SlotInvalido,      // A or B is not a variable of the model
  OperacaoIlegal,    // a data record has no value for C (or a power has none)
};

// Computes C into the header and the records. On anything but Feita the
// header and the records are left unchanged.
ResultadoOperacao OperaVariaveis(CabecalhoModelo& c, RegistrosModelo& r, const OperacaoVariavel& op);

}  // namespace palvedo
