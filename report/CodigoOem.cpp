#include "CodigoOem.h"

#include "platform/Cp1252.h"

#include <QHash>

namespace oem {
namespace {

// Code points of bytes 0x80-0xFF in code page 850.
constexpr char16_t Alto[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

const QHash<char16_t, char>& Inverso() {
  static const QHash<char16_t, char> m = [] {
    QHash<char16_t, char> h;
    for (int i = 0; i < 128; ++i) h.insert(Alto[i], char(0x80 + i));
    return h;
  }();
  return m;
}

}  // namespace

QByteArray Codifica(const QString& texto) {
  QByteArray r;
  r.reserve(texto.size());
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    if (u < 0x80) r += char(u);
    else r += Inverso().value(u, '?');
  }
  return r;
}

bool Representa(QChar c) { return c.unicode() < 0x80 || Inverso().contains(c.unicode()); }

bool PareceOem(const QByteArray& bytes) {
  auto minuscula = [&bytes](qsizetype i) {
    return i >= 0 && i < bytes.size() && bytes[i] >= 'a' && bytes[i] <= 'z';
  };
  int oem = 0, ansi = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto u = static_cast<unsigned char>(bytes[i]);
    if (u < 0x80) continue;
    const bool entreMinusculas = minuscula(i - 1) || minuscula(i + 1);
    auto pontos = [entreMinusculas](QChar c) {
      if (!c.isLetter()) return 0;
      if (entreMinusculas) return c.isLower() ? 2 : 0;
      return 1;
    };
    ansi += pontos(plat::CaractereCp1252(u));
    oem += pontos(QChar(Alto[u - 0x80]));
  }
  return oem > ansi;
}

QString Decodifica(const QByteArray& bytes) {
  QString r;
  r.reserve(bytes.size());
  for (char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    r += u < 0x80 ? QChar(u) : QChar(Alto[u - 0x80]);
  }
  return r;
}

}  // namespace oem
