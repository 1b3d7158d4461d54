#include "modules/regression/engine/ListaEquacoes.h"

#include <cmath>

namespace ostrimo {

int ComparaEquacoes(const EquacaoCandidata& a, const EquacaoCandidata& b) {
  return b.criterio < a.criterio ? -1 : 1;
}

bool ListaEquacoes::Oferece(double criterio, const int* codigos, int k) {
  // Only a finite criterion ranks: a constant dependent gives NaN or -inf.
  if (!std::isfinite(criterio))
    return false;
  if (quantidade_ == Capacidade && !(criterio > lista_[Capacidade - 1].criterio))
    return false;
  for (int i = 0; i < quantidade_; ++i)
    if (std::fabs(criterio - lista_[i].criterio) < Tolerancia)
      return false;

  // The new entry goes to the end (or over the last one of a full list) and
  // moves up past every entry with a smaller criterion; entries of equal
  // criterion keep their order, so the list is in one total order.
  int pos = quantidade_ < Capacidade ? quantidade_++ : Capacidade - 1;
  EquacaoCandidata nova;
  nova.criterio = criterio;
  for (int j = 0; j < k && j < 60; ++j)
    nova.codigo[j] = codigos[j];
  while (pos > 0 && ComparaEquacoes(nova, lista_[pos - 1]) < 0) {
    lista_[pos] = lista_[pos - 1];
    --pos;
  }
  lista_[pos] = nova;
  return true;
}

void ListaEquacoes::DefineUnica(const int* codigos, int k) {
  lista_[0] = EquacaoCandidata{};
  for (int j = 0; j < k && j < 60; ++j)
    lista_[0].codigo[j] = codigos[j];
  quantidade_ = 1;
}

}  // namespace ostrimo
