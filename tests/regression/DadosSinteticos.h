#pragma once
// Synthetic positive data for the search and statistics tests: a portable
// generator, so every machine sees the same numbers.
#include <cstdint>
#include <vector>

namespace testes {

class Gerador {
public:
  explicit Gerador(std::uint64_t semente) : s_(semente * 6364136223846793005ULL + 1442695040888963407ULL) {}
  // Uniform in [0, 1).
  double Uniforme() {
    s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return double(s_ >> 11) * (1.0 / 9007199254740992.0);
  }

private:
  std::uint64_t s_;
};

// k positions, column-major (position j at j·n), the dependent last: regressors
// in [1, 11), the dependent a noisy product of powers of them.
inline std::vector<double> DadosPositivos(int k, int n, std::uint64_t semente, double ruido = 0.15) {
  Gerador g(semente);
  std::vector<double> v(std::size_t(k) * n);
  for (int i = 0; i < n; ++i) {
    double y = 100.0;
    for (int j = 0; j < k - 1; ++j) {
      const double x = 1.0 + 10.0 * g.Uniforme();
      v[std::size_t(j) * n + i] = x;
      y *= j % 2 == 0 ? (1.0 + 0.1 * x) : 1.0 / (1.0 + 0.05 * x * x);
    }
    v[std::size_t(k - 1) * n + i] = y * (1.0 + ruido * (g.Uniforme() - 0.5));
  }
  return v;
}

}  // namespace testes
