#include "GridCellSet.h"

#include <algorithm>
#include <bit>
#include <cstring>

void GridCellSet::Aloca() {
  if (bits_.empty() && rows_ > 0 && palavras_ > 0) bits_.assign(size_t(rows_) * palavras_, 0);
}

void GridCellSet::Resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  if (rows == rows_ && cols == cols_) return;
  Materialize();
  const size_t novas = size_t(cols + 63) / 64;
  if (!bits_.empty() && linhaMax_ >= linhaMin_) {
    std::vector<uint64_t> outro(size_t(rows) * novas, 0);
    const int ate = std::min(linhaMax_, rows - 1);
    for (int r = linhaMin_; r <= ate; ++r) {
      const uint64_t* de = bits_.data() + size_t(r) * palavras_;
      uint64_t* para = outro.data() + size_t(r) * novas;
      const size_t n = std::min(novas, palavras_);
      std::copy(de, de + n, para);
      // Columns past the new count go.
      if (n == novas && (cols & 63)) para[novas - 1] &= (uint64_t(1) << (cols & 63)) - 1;
    }
    bits_.swap(outro);
    linhaMax_ = std::min(linhaMax_, rows - 1);
  } else {
    bits_.clear();
    linhaMin_ = 0;
    linhaMax_ = -1;
  }
  rows_ = rows;
  cols_ = cols;
  palavras_ = novas;
  if (rows_ == 0 || cols_ == 0) {
    bits_.clear();
    linhaMin_ = 0;
    linhaMax_ = -1;
  }
}

void GridCellSet::Clear() {
  rect_ = CCellRange();
  if (!bits_.empty() && linhaMax_ >= linhaMin_)
    std::fill(bits_.begin() + ptrdiff_t(size_t(linhaMin_) * palavras_),
              bits_.begin() + ptrdiff_t(size_t(linhaMax_ + 1) * palavras_), 0);
  linhaMin_ = 0;
  linhaMax_ = -1;
}

bool GridCellSet::Empty() const {
  if (rect_.IsValid()) return false;
  if (bits_.empty() || linhaMax_ < linhaMin_) return true;
  const uint64_t* p = Linha(linhaMin_);
  const uint64_t* fim = Linha(linhaMax_) + palavras_;
  return std::all_of(p, fim, [](uint64_t w) { return w == 0; });
}

void GridCellSet::Set(int r, int c, bool on) {
  if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return;
  if (rect_.IsValid() && rect_.InRange(r, c)) {
    if (on) return;
    Materialize();
  }
  if (!on && bits_.empty()) return;
  Aloca();
  uint64_t& w = Linha(r)[c >> 6];
  const uint64_t m = uint64_t(1) << (c & 63);
  if (on) {
    w |= m;
    if (linhaMax_ < linhaMin_) linhaMin_ = linhaMax_ = r;
    else { linhaMin_ = std::min(linhaMin_, r); linhaMax_ = std::max(linhaMax_, r); }
  } else {
    w &= ~m;
  }
}

void GridCellSet::SetRange(const CCellRange& range, bool on) {
  const CCellRange r = range.Intersect(CCellRange(0, 0, rows_ - 1, cols_ - 1));
  if (!r.IsValid()) return;
  if (!on && rect_.IsValid()) Materialize();
  if (!on && bits_.empty()) return;
  Aloca();
  for (int linha = r.minRow; linha <= r.maxRow; ++linha) {
    uint64_t* p = Linha(linha);
    for (int c0 = r.minCol; c0 <= r.maxCol;) {
      const int palavra = c0 >> 6;
      const int fimPalavra = std::min(r.maxCol, palavra * 64 + 63);
      const int n = fimPalavra - c0 + 1;
      const uint64_t m = (n == 64 ? ~uint64_t(0) : ((uint64_t(1) << n) - 1)) << (c0 & 63);
      if (on) p[palavra] |= m;
      else p[palavra] &= ~m;
      c0 = fimPalavra + 1;
    }
  }
  if (on) {
    if (linhaMax_ < linhaMin_) { linhaMin_ = r.minRow; linhaMax_ = r.maxRow; }
    else { linhaMin_ = std::min(linhaMin_, r.minRow); linhaMax_ = std::max(linhaMax_, r.maxRow); }
  }
}

void GridCellSet::SetRect(const CCellRange& range) {
  const CCellRange r = range.Intersect(CCellRange(0, 0, rows_ - 1, cols_ - 1));
  rect_ = r.IsValid() ? r : CCellRange();
}

void GridCellSet::Materialize() {
  if (!rect_.IsValid()) return;
  const CCellRange r = rect_;
  rect_ = CCellRange();
  SetRange(r, true);
}

void GridCellSet::CopyFrom(const GridCellSet& o) {
  if (&o == this) return;
  if (o.rows_ != rows_ || o.cols_ != cols_) {
    rows_ = o.rows_;
    cols_ = o.cols_;
    palavras_ = o.palavras_;
    bits_.clear();
    linhaMin_ = 0;
    linhaMax_ = -1;
  }
  Clear();
  rect_ = o.rect_;
  if (!o.bits_.empty() && o.linhaMax_ >= o.linhaMin_) {
    Aloca();
    std::copy(o.Linha(o.linhaMin_), o.Linha(o.linhaMax_) + palavras_, Linha(o.linhaMin_));
    linhaMin_ = o.linhaMin_;
    linhaMax_ = o.linhaMax_;
  }
}

void GridCellSet::Add(const GridCellSet& o) {
  if (o.rows_ != rows_ || o.cols_ != cols_) return;
  if (o.rect_.IsValid()) SetRange(o.rect_, true);
  if (o.bits_.empty() || o.linhaMax_ < o.linhaMin_) return;
  Aloca();
  for (int r = o.linhaMin_; r <= o.linhaMax_; ++r) {
    const uint64_t* de = o.Linha(r);
    uint64_t* para = Linha(r);
    for (size_t k = 0; k < palavras_; ++k) para[k] |= de[k];
  }
  if (linhaMax_ < linhaMin_) { linhaMin_ = o.linhaMin_; linhaMax_ = o.linhaMax_; }
  else { linhaMin_ = std::min(linhaMin_, o.linhaMin_); linhaMax_ = std::max(linhaMax_, o.linhaMax_); }
}

CCellRange GridCellSet::Bounds() const {
  CCellRange b = rect_;
  if (bits_.empty() || linhaMax_ < linhaMin_) return b;
  int r0 = -1, r1 = -1, c0 = cols_, c1 = -1;
  for (int r = linhaMin_; r <= linhaMax_; ++r) {
    const uint64_t* p = Linha(r);
    bool alguma = false;
    for (size_t k = 0; k < palavras_; ++k) {
      if (!p[k]) continue;
      alguma = true;
      c0 = std::min(c0, int(k * 64) + std::countr_zero(p[k]));
      c1 = std::max(c1, int(k * 64) + 63 - std::countl_zero(p[k]));
    }
    if (alguma) {
      if (r0 < 0) r0 = r;
      r1 = r;
    }
  }
  if (r0 < 0) return b;
  if (!b.IsValid()) return {r0, c0, r1, c1};
  return {std::min(b.minRow, r0), std::min(b.minCol, c0), std::max(b.maxRow, r1), std::max(b.maxCol, c1)};
}

int64_t GridCellSet::Count() const {
  int64_t n = 0;
  if (!bits_.empty() && linhaMax_ >= linhaMin_)
    for (const uint64_t* p = Linha(linhaMin_); p != Linha(linhaMax_) + palavras_; ++p) n += std::popcount(*p);
  if (rect_.IsValid()) {
    for (int r = rect_.minRow; r <= rect_.maxRow; ++r)
      for (int c = rect_.minCol; c <= rect_.maxCol; ++c)
        if (bits_.empty() || !(Linha(r)[c >> 6] >> (c & 63) & 1)) ++n;
  }
  return n;
}
