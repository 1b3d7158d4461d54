// File types: the detection table, the filters and the MS-DOS character set.
#include "report/CodigoOem.h"
#include "report/FileTypeEntry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iconv.h>

namespace {

struct CasoDeteccao {
  const char* nome;
  QByteArray conteudo;
  int tipo;
};

TEST(TiposArquivo, DetectFileTypeByFirstBytesThenByName) {
  const CasoDeteccao casos[] = {
      {"relatorio.txt", QByteArray("{\\rtf1\\ansi }"), 7},         // rich text whatever its name
      {"w2.doc", QByteArray("\xDB\xA5\x2D\x00\x01\x02", 6), 3},
      {"programa.rtf", QByteArray("MZ\x90\x00", 4), 11},
      {"carta.wri", QByteArray("\x31\xBE\x00\x00", 4), 8},          // no Write converter here
      {"carta2.wri", QByteArray("\x32\xBE\x00\x00", 4), 8},
      {"composto.doc", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\x00", 9), 8},  // no Word converter
      {"texto.rtf", QByteArray("Olá"), 8},
      {"vazio.RTF", QByteArray(), 7},
      {"vazio.doc", QByteArray(), 5},
      {"vazio.txt", QByteArray(), 8},
      {"semextensao", QByteArray(), 8},
  };
  QTemporaryDir pasta;
  for (const CasoDeteccao& c : casos) {
    const QString caminho = pasta.filePath(QString::fromUtf8(c.nome));
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.conteudo);
    f.close();
    int erro = -1;
    EXPECT_EQ(DetectFileType(caminho, &erro), c.tipo) << c.nome;
    EXPECT_EQ(erro, 0) << c.nome;
  }
  int erro = 0;
  EXPECT_EQ(DetectFileType(pasta.filePath(QStringLiteral("nao-existe.rtf")), &erro), -1);
  EXPECT_NE(erro, 0);
}

TEST(TiposArquivo, FiltersOfferModelsAndReportsToOpenAndRtfTextDosTextToSave) {
  RestauraTabelaTipos();
  DefineCaminhosConversores(QStringLiteral("/nao/existe"));
  EXPECT_EQ(BuildFileTypeFilter(false),
            (QStringList{QStringLiteral("Rich Text Format (RTF) (*.rtf)"), QStringLiteral("Text Document (*.txt)"),
                         QStringLiteral("Documento Texto no formato MS-DOS (*.txt)")}));
  const QStringList abrir = BuildFileTypeFilter(true);
  ASSERT_EQ(abrir.size(), 5);
  EXPECT_EQ(abrir[0], QStringLiteral("Tarsolin Windows (*.tsn)"));
  EXPECT_EQ(abrir[3], QStringLiteral("Rich Text Format (*.rtf)"));
  // Positions and types agree both ways; types never offered have no position.
  EXPECT_EQ(FileTypeAtFilterPos(0, false), 7);
  EXPECT_EQ(FileTypeAtFilterPos(2, false), 9);
  EXPECT_EQ(FileTypeAtFilterPos(3, false), -1);
  EXPECT_EQ(FilterPosOfFileType(8, false), 1);
  EXPECT_EQ(FilterPosOfFileType(5, false), -1);
  EXPECT_EQ(FilterPosOfFileType(2, true), 2);
  EXPECT_EQ(FileTypeExtension(7), QStringLiteral(".rtf"));
  EXPECT_EQ(FileTypeExtension(5), QStringLiteral(".doc"));
  EXPECT_EQ(FileTypeExtension(12), QString());
  // The Word and Write types stay out even when a file of the converter's name exists.
  QTemporaryDir pasta;
  QFile conversor(pasta.filePath(QStringLiteral("MSWD6_32.WPC")));
  ASSERT_TRUE(conversor.open(QIODevice::WriteOnly));
  conversor.write("MZ");
  conversor.close();
  DefineCaminhosConversores(pasta.path());
  EXPECT_EQ(FilterPosOfFileType(5, false), -1);
  EXPECT_FALSE(FileType(4).readable);
}

TEST(TiposArquivo, MsDosTextIsCodePage850) {
  EXPECT_EQ(oem::Codifica(QStringLiteral("ção")), QByteArray("\x87\xC6\x6F", 3));
  EXPECT_EQ(oem::Decodifica(QByteArray("\x87\xC6\x6F", 3)), QStringLiteral("ção"));
  EXPECT_EQ(oem::Codifica(QStringLiteral("€")), QByteArray("?"));
  // Every upper byte against the C library's own converter.
  iconv_t cd = iconv_open("UTF-8", "CP850");
  ASSERT_NE(cd, iconv_t(-1));
  for (int b = 0x80; b <= 0xFF; ++b) {
    char entrada[1] = {char(b)};
    char saida[8] = {};
    char* pe = entrada;
    char* ps = saida;
    size_t ne = 1, ns = sizeof saida;
    ASSERT_NE(iconv(cd, &pe, &ne, &ps, &ns), size_t(-1)) << b;
    const QString esperado = QString::fromUtf8(saida, int(ps - saida));
    EXPECT_EQ(oem::Decodifica(QByteArray(1, char(b))), esperado) << b;
    EXPECT_EQ(oem::Codifica(esperado), QByteArray(1, char(b))) << b;
  }
  iconv_close(cd);
}

}  // namespace
