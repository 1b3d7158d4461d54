#pragma once
// Null-safe front to the caller's progress record: the engine logs and moves
// the bar through it and never sees a widget.
#include "ProgressoCalculo.h"

namespace quenvik {

class Progresso {
public:
  explicit Progresso(const ProgressoCalculo* p = nullptr) : p_(p) {}
  // Appends one log line and a line break, then pumps events. A line that
  // must also begin with a break carries it in its text.
  void Registra(const char* linha) const;
  void Faixa(int baixo, int alto) const;
  void Posicao(int pos) const;
  void ProcessaMensagens() const;

private:
  const ProgressoCalculo* p_;
};

}  // namespace quenvik
