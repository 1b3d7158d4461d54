#include "platform/Cp1252.h"

#include <cstring>

namespace plat {

namespace {
// 0x80..0x9F; the five unassigned bytes keep their own value.
const char16_t kAlto[32] = {
  0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
}  // namespace

QChar CaractereCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return QChar(kAlto[byte - 0x80]);
  return QChar(char16_t(byte));
}

unsigned char ByteCp1252(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (int i = 0; i < 32; ++i)
    if (kAlto[i] == u) return static_cast<unsigned char>(0x80 + i);
  return '?';
}

QString LeCp1252(const char* campo, std::size_t tamanho) {
  const void* nul = std::memchr(campo, 0, tamanho);
  const std::size_t n = nul ? static_cast<const char*>(nul) - campo : tamanho;
  QString r;
  r.resize(static_cast<qsizetype>(n));
  for (std::size_t i = 0; i < n; ++i)
    r[static_cast<qsizetype>(i)] = CaractereCp1252(static_cast<unsigned char>(campo[i]));
  return r;
}

QString LeCp1252(const std::string& bytes) { return LeCp1252(bytes.data(), bytes.size()); }

std::string ParaCp1252(const QString& texto) {
  std::string r;
  r.reserve(static_cast<std::size_t>(texto.size()));
  for (QChar c : texto) r.push_back(static_cast<char>(ByteCp1252(c)));
  return r;
}

void GravaCp1252(const QString& texto, char* campo, std::size_t tamanho) {
  if (tamanho == 0) return;
  const std::string b = ParaCp1252(texto);
  const std::size_t n = std::min(b.size(), tamanho - 1);
  std::memcpy(campo, b.data(), n);
  campo[n] = '\0';
}

}  // namespace plat
