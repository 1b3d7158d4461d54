#include "Colinearidade.h"

bool ColunasIndependentes(std::vector<long double> s, int k) {
  if (k < 0 || s.size() < std::size_t(k) * std::size_t(k)) return false;
  auto em = [&](int r, int c) -> long double& { return s[std::size_t(r) * std::size_t(k) + std::size_t(c)]; };
  std::vector<long double> escala(static_cast<std::size_t>(k));
  for (int c = 0; c < k; ++c) escala[std::size_t(c)] = em(c, c);
  for (int c = 0; c < k; ++c) {
    const long double pivo = em(c, c);
    if (PivoNulo(pivo, escala[std::size_t(c)])) return false;
    for (int r = c + 1; r < k; ++r) {
      const long double f = em(r, c) / pivo;
      for (int j = c + 1; j < k; ++j) em(r, j) -= f * em(c, j);
    }
  }
  return true;
}
