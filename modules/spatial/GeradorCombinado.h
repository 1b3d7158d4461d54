#pragma once
// The library's own random numbers for the Monte-Carlo log-determinant: seeds
// from a phrase, 32 virtual combined multiplicative congruential generators
// (L'Ecuyer and Côté) and standard normal variates by Ahrens and Dieter's FL
// method. The state is module-wide and reseeded on every grid construction.
#include <cstdint>
#include <string_view>

namespace quenvik {

struct ParSementes {
  int32_t s1;
  int32_t s2;
};

// Two seeds from a phrase; trailing blanks are ignored.
ParSementes SementesDeFrase(std::string_view frase);
// Sets the initial seeds of all 32 generators from generator 1's pair and
// resets each to them; the current generator stays as it was.
void DefineSementes(int32_t s1, int32_t s2);
// Next integer (1 … 2147483562) of the current generator.
int32_t InteiroAleatorio();
// Uniform variate in (0, 1).
double UniformeAleatoria();
// Standard normal variate.
double NormalPadrao();
// media + dp · standard normal.
double GeraNormal(double media, double dp);

}  // namespace quenvik
