#pragma once
// The heights of a grid's rows with their running sums, so that where a row
// starts, the total height and the row at a given offset cost a lookup
// instead of a walk from the top: scrolling, hit tests and redrawing one cell
// cost the same at row 64,000 as at row 1. The sums are rebuilt lazily, from
// the first height that changed, the next time one is asked for.
#include <algorithm>
#include <cstdint>
#include <vector>

class GridRowHeights {
public:
  int size() const { return int(v_.size()); }
  int operator[](size_t i) const { return v_[i]; }

  void Set(int i, int h) {
    if (v_[size_t(i)] == h) return;
    v_[size_t(i)] = h;
    Changed(i);
  }
  void Swap(int i, int j) {
    if (v_[size_t(i)] == v_[size_t(j)]) return;
    std::swap(v_[size_t(i)], v_[size_t(j)]);
    Changed(std::min(i, j));
  }
  void Reserve(int n) { v_.reserve(size_t(n)); }
  void Append(int h) { v_.push_back(h); }
  void Resize(int n, int h = 0) {
    Changed(std::min(n, size()));
    v_.resize(size_t(n), h);
  }
  void Insert(int i, int h) {
    v_.insert(v_.begin() + i, h);
    Changed(i);
  }
  void Erase(int i) {
    v_.erase(v_.begin() + i);
    Changed(i);
  }
  void Clear() {
    v_.clear();
    Changed(0);
  }

  // The height of the rows above row i (0 <= i <= size()).
  int64_t Start(int i) const {
    Update();
    return soma_[size_t(i)];
  }
  int64_t Total() const { return Start(size()); }
  // The first row r in [de, ate] that starts at y or below; ate + 1 when none.
  int FirstStartingAtOrBelow(int64_t y, int de, int ate) const {
    Update();
    return int(std::lower_bound(soma_.begin() + de, soma_.begin() + ate + 1, y) - soma_.begin());
  }
  // The first row r from `de` whose bottom lies below y (Start(r + 1) > y),
  // or whose bottom reaches y when `inclusive`; -1 when none.
  int FirstEndingBelow(int64_t y, int de, bool inclusive = false) const {
    Update();
    const auto b = soma_.begin() + de + 1, e = soma_.end();
    const auto it = inclusive ? std::lower_bound(b, e, y) : std::upper_bound(b, e, y);
    return it == e ? -1 : int(it - soma_.begin()) - 1;
  }

private:
  // Sums up to and including soma_[i] stay good.
  void Changed(int i) { validas_ = std::min(validas_, size_t(i) + 1); }
  void Update() const {
    const size_t n = v_.size() + 1;
    if (validas_ >= n && soma_.size() == n) return;
    soma_.resize(n);
    soma_[0] = 0;
    for (size_t k = std::max<size_t>(validas_, 1); k < n; ++k) soma_[k] = soma_[k - 1] + v_[k - 1];
    validas_ = n;
  }

  std::vector<int> v_;
  mutable std::vector<int64_t> soma_{0};  // soma_[k]: the height of rows 0 .. k - 1
  mutable size_t validas_ = 1;            // soma_[0 .. validas_ - 1] are good
};
