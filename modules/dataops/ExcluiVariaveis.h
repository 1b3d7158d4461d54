#pragma once
// Removal of explanatory variables from a model: every per-variable table of
// the header and every data and appraisal record lose the chosen escolhidos, the
// later escolhidos moving down.
#include <vector>

struct CabecalhoModelo;

namespace palvedo {

class RegistrosModelo;

enum class VerificacaoExclusao {
  Aceita,
  NenhumaSelecionada,  // "Selecione pelo menos uma variável a excluir !"
  MinimoVariaveis,     // "Número mínimo de variáveis não poderá ser menor do que 2 !"
  SlotInvalido,        // a slot that is not an explanatory variable
};

// Whether the escolhidos (explanatory variables, 0 .. V-2) may be removed.
VerificacaoExclusao VerificaExclusao(const CabecalhoModelo& c, const std::vector<int>& escolhidos);

// Removes the escolhidos (already accepted by VerificaExclusao) from the header and
// the records. Fields that name a variable by its slot follow their variable,
// or become -1 when it goes; vacated escolhidos are cleared. Results are voided.
void ExcluiVariaveis(CabecalhoModelo& c, RegistrosModelo& r, std::vector<int> escolhidos);

}  // namespace palvedo
