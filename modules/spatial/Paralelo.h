#pragma once
// Row-parallel loops shared by the dense and the sparse kernels.
#include <cblas.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace quenvik {

// Multiply-adds a thread must have to be worth starting (about half a
// millisecond of work): W·v at 1,000 records stays on the caller's thread,
// which matters to the error model, which forms one per outer pass.
constexpr double OperacoesPorThread = 2.0e6;

// Runs f(i0, i1) over [0, n) split into contiguous row ranges, one per
// thread of the calculation, `porLinha` multiply-adds a row; each row is
// computed by exactly one thread, in the same order as on one. A thread that
// cannot be started leaves its range to the caller's thread.
template <typename F>
inline void ParaLinhas(int n, double porLinha, const F& f) {
  const double porThread = std::max(1.0, double(n) * porLinha / OperacoesPorThread);
  const int k = int(std::clamp<double>(porThread, 1.0, std::min(openblas_get_num_threads(), std::max(n, 1))));
  if (k == 1) {
    f(0, n);
    return;
  }
  std::vector<std::thread> threads;
  threads.reserve(std::size_t(k - 1));
  for (int c = 1; c < k; ++c) {
    const int i0 = int(std::int64_t(n) * c / k), i1 = int(std::int64_t(n) * (c + 1) / k);
    try {
      threads.emplace_back(f, i0, i1);
    } catch (const std::exception&) {
      f(i0, i1);
    }
  }
  f(0, int(std::int64_t(n) / k));
  for (std::thread& t : threads) t.join();
}

}  // namespace quenvik
