#pragma once
// Windows-1252, the single-byte code page of every text stored in model files.
// All 256 byte values round-trip: the five bytes with no character (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the code points of the same value and back.
#include <QString>
#include <cstddef>
#include <string>

namespace plat {
QChar CaractereCp1252(unsigned char byte);
// Characters outside the code page become '?'.
unsigned char ByteCp1252(QChar c);

// Reads a NUL-terminated text from a fixed field of `tamanho` bytes (stops at the
// field's end when it has no NUL).
QString LeCp1252(const char* campo, std::size_t tamanho);
QString LeCp1252(const std::string& bytes);
// Writes `texto` into a field of `tamanho` bytes, cut by bytes to tamanho-1 and
// NUL-terminated; bytes after the NUL are left as they are.
void GravaCp1252(const QString& texto, char* campo, std::size_t tamanho);
std::string ParaCp1252(const QString& texto);
}  // namespace plat
