// Windows-1252 codec of the stored texts.
#include "platform/Cp1252.h"

#include "ImprimeQString.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringDecoder>
#include <cstring>

namespace {

TEST(Cp1252, TodosOs256BytesVoltam) {
  QSet<char16_t> vistos;
  for (int b = 0; b < 256; ++b) {
    const QChar c = plat::CaractereCp1252(static_cast<unsigned char>(b));
    EXPECT_EQ(plat::ByteCp1252(c), b) << "byte " << b;
    vistos.insert(c.unicode());
  }
  EXPECT_EQ(vistos.size(), 256);  // no two bytes share a character

  // Whole texts of every byte round-trip as well, through the field routines.
  char campo[257];
  for (int b = 0; b < 256; ++b) campo[b] = static_cast<char>(b == 0 ? 1 : b);
  campo[256] = '\0';
  const QString texto = plat::LeCp1252(campo, sizeof campo);
  ASSERT_EQ(texto.size(), 256);
  EXPECT_EQ(plat::ParaCp1252(texto), std::string(campo, 256));
}

TEST(Cp1252, CaracteresConhecidos) {
  const struct { unsigned char byte; char16_t u; } casos[] = {
      {0x41, u'A'},   {0x7F, 0x7F},   {0x80, 0x20AC}, {0x82, 0x201A}, {0x85, 0x2026},
      {0x8A, 0x0160}, {0x93, 0x201C}, {0x96, 0x2013}, {0x99, 0x2122}, {0x9F, 0x0178},
      {0xA0, 0x00A0}, {0xBA, u'º'},   {0xC7, u'Ç'},   {0xE3, u'ã'},   {0xE9, u'é'},
      {0xFF, u'ÿ'},
      // The five bytes with no character keep their value.
      {0x81, 0x81},   {0x8D, 0x8D},   {0x8F, 0x8F},   {0x90, 0x90},   {0x9D, 0x9D},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(plat::CaractereCp1252(c.byte).unicode(), c.u) << int(c.byte);
    EXPECT_EQ(plat::ByteCp1252(QChar(c.u)), c.byte) << int(c.byte);
  }
}

TEST(Cp1252, ConfereComDecodificadorDoSistema) {
  QStringDecoder icu("windows-1252");
  if (!icu.isValid()) GTEST_SKIP() << "no windows-1252 decoder in this Qt build";
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    const char byte = static_cast<char>(b);
    const QString esperado = icu.decode(QByteArrayView(&byte, 1));
    EXPECT_EQ(QString(plat::CaractereCp1252(static_cast<unsigned char>(b))), esperado) << "byte " << b;
  }
}

TEST(Cp1252, ForaDaPaginaViraInterrogacao) {
  EXPECT_EQ(plat::ByteCp1252(QChar(0x03C3)), '?');  // sigma
  EXPECT_EQ(plat::ByteCp1252(QChar(0x4E2D)), '?');
  EXPECT_EQ(plat::ParaCp1252(QString::fromUtf8("aσb")), "a?b");
}

TEST(Cp1252, CamposDeTamanhoFixo) {
  // Reading stops at the NUL, or at the field's end without one.
  const char comNul[8] = {'a', 'b', '\0', 'z', 'z', 'z', 'z', 'z'};
  EXPECT_EQ(plat::LeCp1252(comNul, sizeof comNul), "ab");
  const char semNul[4] = {'\xC9', 'r', 'a', '!'};
  EXPECT_EQ(plat::LeCp1252(semNul, sizeof semNul), QString::fromUtf8("Éra!"));

  // Writing cuts by bytes to size - 1, terminates, and leaves what follows.
  char campo[8];
  std::memset(campo, '#', sizeof campo);
  plat::GravaCp1252(QString::fromUtf8("Avaliação"), campo, 6);
  EXPECT_STREQ(campo, "Avali");
  EXPECT_EQ(campo[6], '#');
  EXPECT_EQ(campo[7], '#');
  plat::GravaCp1252(QString::fromUtf8("ção"), campo, 6);
  EXPECT_EQ(std::string(campo, 4), std::string("\xE7\xE3o\0", 4));
  EXPECT_EQ(campo[4], 'i');  // bytes after the NUL stay as they were
  plat::GravaCp1252(QStringLiteral("x"), campo, 0);  // no room, nothing written
  EXPECT_EQ(campo[0], '\xE7');
}

}  // namespace
