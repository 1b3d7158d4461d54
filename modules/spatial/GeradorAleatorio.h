#pragma once
// Bounded integer generator on the C library's generator, with inclusive
// bounds. The grid draws one integer with it to make its seed phrase.
#include <cstdint>

namespace quenvik {

class GeradorAleatorio {
public:
  GeradorAleatorio(int32_t baixo, int32_t alto) { DefineLimites(baixo, alto); }
  // Inverted bounds are refused with a message and replaced by 0 … 1.
  void DefineLimites(int32_t baixo, int32_t alto);
  // Seeds the C library generator with the current time in seconds.
  static void Semeia();
  // rand() mod (alto − baixo + 1) + baixo; the range is taken in 64 bits so
  // the full 32-bit span cannot overflow.
  int32_t Sorteia() const;
  int32_t Baixo() const { return baixo_; }
  int32_t Alto() const { return alto_; }

private:
  int32_t baixo_ = 0;
  int32_t alto_ = 1;
};

}  // namespace quenvik
