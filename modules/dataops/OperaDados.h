#pragma once
// One action on every data record whose value of a chosen variable satisfies
// a comparison with a parameter: remove it, disregard it, or overwrite the
// value. Appraisal records are not touched.
struct CabecalhoModelo;

namespace palvedo {

class RegistrosModelo;

// The comparisons, in the order of the dialog's list.
enum class Comparacao { MaiorIgual = 0, MenorIgual = 1, Igual = 2 };
// The actions, as the dialog numbers them.
enum class AcaoDado { Excluir = 0, Desconsiderar = 1, Converter = 2 };

struct OperacaoDado {
  int variavel = 0;                          // slot tested
  Comparacao comparacao = Comparacao::MaiorIgual;
  double parametro = 0.0;
  AcaoDado acao = AcaoDado::Desconsiderar;
  double conversao = 0.0;                    // new value for AcaoDado::Converter
};

// Whether x satisfies the comparison (" =" is exact equality).
bool Satisfaz(double x, Comparacao comparacao, double parametro);

// Applies the operation to the records and the counts in the header (the
// considered and validation counts recounted from the records' flags);
// removed records take their rows and columns of W with them. Returns the
// number of records that matched. Results are voided even when none matched.
int OperaDados(CabecalhoModelo& c, RegistrosModelo& r, const OperacaoDado& op);

}  // namespace palvedo
