#pragma once
// What the search tells its progress window: the bar's range and position and
// the best criterion found so far. Every call comes from the thread that runs
// the search.

namespace ostrimo {

class ProgressoBusca {
public:
  virtual ~ProgressoBusca() = default;
  // The window appears with its bar on the range 0 .. maximo.
  virtual void Inicia(int maximo) = 0;
  virtual void Posicao(int posicao) = 0;
  // A new best criterion; the window shows it with "%9.9f".
  virtual void MelhorCriterio(double criterio) = 0;
  // The search is over (successfully or not); the window goes away.
  virtual void Termina() = 0;
};

// Sees every computed combination in the order the search meets it (tests).
class ObservadorBusca {
public:
  virtual ~ObservadorBusca() = default;
  virtual void Combinacao(const int* digitos, int k, double criterio, bool passeFinal) = 0;
};

}  // namespace ostrimo
