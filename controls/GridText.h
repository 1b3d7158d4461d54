#pragma once
// A cell's text kept lean: UTF-8 bytes, held inside the object up to 15 bytes
// (most numbers and short names) and on the heap beyond, in 16 bytes, so that
// a grid of 64,000 rows and 64 columns stays small.
#include <QString>
#include <cstdint>
#include <cstring>
#include <string_view>

class GridText {
public:
  GridText() { std::memset(b_, 0, sizeof b_); }
  ~GridText() { Libera(); }
  GridText(const GridText&) = delete;
  GridText& operator=(const GridText&) = delete;

  void Set(const QString& texto);
  // The text given as its UTF-8 bytes.
  void SetBytes(std::string_view bytes);
  void Swap(GridText& outro) {
    alignas(8) char t[16];
    std::memcpy(t, b_, sizeof t);
    std::memcpy(b_, outro.b_, sizeof b_);
    std::memcpy(outro.b_, t, sizeof t);
  }
  void Clear() { Libera(); std::memset(b_, 0, sizeof b_); }
  QString Get() const { const auto v = Bytes(); return QString::fromUtf8(v.data(), qsizetype(v.size())); }
  bool IsEmpty() const { return Bytes().empty(); }
  std::string_view Bytes() const {
    if (uint8_t(b_[15]) == Longo) {
      const char* p; uint32_t n;
      std::memcpy(&p, b_, sizeof p);
      std::memcpy(&n, b_ + 8, sizeof n);
      return {p, n};
    }
    return {b_, size_t(uint8_t(b_[15]))};
  }

  // Byte-wise comparison of the two texts as Windows-1252 strings (the order
  // the grid's text comparer sorts in).
  static int CompareCp1252(std::string_view a, std::string_view b);

private:
  static constexpr uint8_t Longo = 0xFF;
  void Libera() {
    if (uint8_t(b_[15]) == Longo) {
      char* p;
      std::memcpy(&p, b_, sizeof p);
      delete[] p;
    }
  }
  // Short: bytes 0..14 the text, byte 15 its length. Long: a pointer at 0,
  // the length at 8, byte 15 = Longo.
  alignas(8) char b_[16];
};
static_assert(sizeof(GridText) == 16);
