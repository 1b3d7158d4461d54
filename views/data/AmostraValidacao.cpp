#include "AmostraValidacao.h"

#include <chrono>
#include <random>

namespace {
std::optional<std::uint64_t>& Semente() {
  static std::optional<std::uint64_t> s;
  return s;
}
}  // namespace

void DefineSementeAmostra(std::optional<std::uint64_t> semente) { Semente() = semente; }

std::vector<int> SorteiaAmostra(const std::vector<bool>& considerados, int percentual) {
  std::vector<int> sorteadas;
  const int N = int(considerados.size());
  int C = 0;
  for (bool c : considerados) C += c ? 1 : 0;
  const long long k = static_cast<long long>(percentual) * C / 100;
  if (k <= 0 || N <= 0 || percentual > 100) return sorteadas;
  const std::uint64_t semente =
      Semente() ? *Semente() : std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
  std::mt19937_64 gerador(semente);
  std::uniform_int_distribution<int> linha(0, N - 1);
  std::vector<bool> livre = considerados;
  // At most half of the considered rows are drawn, so every retry loop ends quickly.
  while (static_cast<long long>(sorteadas.size()) < k) {
    const int i = linha(gerador);
    if (!livre[std::size_t(i)]) continue;
    livre[std::size_t(i)] = false;
    sorteadas.push_back(i);
  }
  return sorteadas;
}
