#include "GridText.h"

#include "platform/Cp1252.h"

void GridText::Set(const QString& texto) {
  const QByteArray u = texto.toUtf8();
  SetBytes(std::string_view(u.constData(), size_t(u.size())));
}

void GridText::SetBytes(std::string_view bytes) {
  Libera();
  std::memset(b_, 0, sizeof b_);
  const size_t n = bytes.size();
  if (n <= 15) {
    std::memcpy(b_, bytes.data(), n);
    b_[15] = char(n);
    return;
  }
  char* p = new char[n];
  std::memcpy(p, bytes.data(), n);
  const auto n32 = uint32_t(n);
  std::memcpy(b_, &p, sizeof p);
  std::memcpy(b_ + 8, &n32, sizeof n32);
  b_[15] = char(Longo);
}

int GridText::CompareCp1252(std::string_view a, std::string_view b) {
  // ASCII bytes are the same in both encodings; past the first other byte
  // the rest of each text is compared through the code page.
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  for (; i < n; ++i) {
    const auto x = uint8_t(a[i]), y = uint8_t(b[i]);
    if (x >= 0x80 || y >= 0x80) break;
    if (x != y) return x < y ? -1 : 1;
  }
  if (i == n) return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  const QString ra = QString::fromUtf8(a.data() + i, qsizetype(a.size() - i));
  const QString rb = QString::fromUtf8(b.data() + i, qsizetype(b.size() - i));
  const qsizetype m = std::min(ra.size(), rb.size());
  for (qsizetype k = 0; k < m; ++k) {
    const unsigned char x = plat::ByteCp1252(ra[k]), y = plat::ByteCp1252(rb[k]);
    if (x != y) return x < y ? -1 : 1;
  }
  return ra.size() == rb.size() ? 0 : (ra.size() < rb.size() ? -1 : 1);
}
