#pragma once
// The kept list: at most 100 distinct equations, largest criterion first.
#include "modules/regression/engine/EquacaoCandidata.h"

namespace ostrimo {

class ListaEquacoes {
public:
  static constexpr int Capacidade = 100;
  // Two criteria closer than this are the same equation; the first one met stays.
  static constexpr double Tolerancia = 1e-8;

  void Limpa() { quantidade_ = 0; }
  int Quantidade() const { return quantidade_; }
  const EquacaoCandidata& operator[](int i) const { return lista_[i]; }
  EquacaoCandidata& operator[](int i) { return lista_[i]; }

  // Offers a computed combination (criterion and the codes of its k positions).
  // A criterion that is not a finite number is never kept. Returns true when kept.
  bool Oferece(double criterio, const int* codigos, int k);

  // Puts an entry directly (a directed equation given by the user).
  void DefineUnica(const int* codigos, int k);

private:
  EquacaoCandidata lista_[Capacidade];
  int quantidade_ = 0;
};

}  // namespace ostrimo
