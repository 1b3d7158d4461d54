// The program folder and the string table.
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"

#include "ImprimeQString.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace {

TEST(Programa, PastaDoExecutavelNaoDaPastaCorrente) {
  const QString antes = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));
  const QString pasta = plat::PastaPrograma();
  QDir::setCurrent(antes);
  EXPECT_TRUE(QFileInfo(pasta).isAbsolute());
  // The test executable and the modules built for it sit in the program folder.
  EXPECT_TRUE(QFileInfo(plat::CaminhoPrograma("platform_tests")).isExecutable());
  EXPECT_TRUE(QFileInfo::exists(plat::CaminhoPrograma("test_ModuloA.so")));
  EXPECT_EQ(plat::CaminhoPrograma("stdt.dat"), pasta + "/stdt.dat");
}

TEST(TabelaTextos, TextosPeloId) {
  EXPECT_TRUE(plat::ExisteTexto(57344));
  EXPECT_EQ(plat::Texto(57344), "Tarsolin");
  // "\n" in the table is a line break in the text.
  EXPECT_EQ(plat::Texto(3001).split(u'\n').size(), 3);
  EXPECT_FALSE(plat::Texto(3001).contains("\\n"));
  EXPECT_FALSE(plat::ExisteTexto(-1));
  EXPECT_EQ(plat::Texto(-1), QString());
}

}  // namespace
