#pragma once
// A set of cells of a grid, kept as one bit per cell (row by row, 64 columns
// to a word) plus one rectangle held apart. The grid's selection lives here:
// selecting everything or a dragged rectangle touches no cell, a drag that
// keeps extending the same rectangle only moves the rectangle, and rows from
// 65,536 on are as good as any other.
#include "CTableDefs.h"

#include <cstdint>
#include <vector>

class GridCellSet {
public:
  // Resizes to rows x cols, keeping the cells that stay inside.
  void Resize(int rows, int cols);
  int Rows() const { return rows_; }
  int Cols() const { return cols_; }

  void Clear();
  bool Empty() const;
  bool Contains(int r, int c) const {
    if (r < 0 || c < 0 || r >= rows_ || c >= cols_) return false;
    if (rect_.IsValid() && rect_.InRange(r, c)) return true;
    return !bits_.empty() && (bits_[size_t(r) * palavras_ + size_t(c >> 6)] >> (c & 63) & 1);
  }
  void Set(int r, int c, bool on);
  // Every cell of the range (clamped to the set) on or off.
  void SetRange(const CCellRange& range, bool on);
  // The rectangle held apart: a member without its cells being written.
  void SetRect(const CCellRange& range);
  const CCellRange& Rect() const { return rect_; }
  // Writes the rectangle into the bits.
  void Materialize();
  // This set becomes a copy of `outra` (same size).
  void CopyFrom(const GridCellSet& outra);
  // Adds every cell of `outra`.
  void Add(const GridCellSet& outra);
  // The smallest range holding every member; invalid when empty.
  CCellRange Bounds() const;
  int64_t Count() const;
  // Calls f(row, col) for every member, row by row.
  template <class F> void ForEach(F f) const {
    const CCellRange b = Bounds();
    if (!b.IsValid()) return;
    for (int r = b.minRow; r <= b.maxRow; ++r)
      for (int c = b.minCol; c <= b.maxCol; ++c)
        if (Contains(r, c)) f(r, c);
  }

private:
  uint64_t* Linha(int r) { return bits_.data() + size_t(r) * palavras_; }
  const uint64_t* Linha(int r) const { return bits_.data() + size_t(r) * palavras_; }
  void Aloca();

  int rows_ = 0, cols_ = 0;
  size_t palavras_ = 0;          // words per row
  std::vector<uint64_t> bits_;   // empty until a bit is set
  int linhaMin_ = 0, linhaMax_ = -1;  // rows where bits may be set
  CCellRange rect_;
};
