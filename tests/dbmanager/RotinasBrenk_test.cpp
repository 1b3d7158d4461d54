// The database manager's shared routines: the number read back from a cell,
// the text of a value and of a file error, the check of components.
#include "dbmanager/RotinasBrenk.h"

#include <QDateTime>
#include <QTemporaryDir>
#include "tests/platform/ImprimeQString.h"
#include "tests/support/Arquivos.h"

#include <gtest/gtest.h>

using namespace brenk;

TEST(ConverteCelulaNumero, Casos) {
  struct Caso {
    const char* nome;
    QString texto;
    double numero;
    bool ok;
  } casos[] = {
      {"milhar e decimal", QStringLiteral("1.234,5"), 1234.5, true},
      {"ponto decimal", QStringLiteral("12.5"), 12.5, true},
      {"expoente", QStringLiteral("1e5"), 1e5, true},
      {"expoente com virgula", QStringLiteral("1,234E-05"), 1.234e-05, true},
      {"negativo", QStringLiteral("-7,25"), -7.25, true},
      {"espacos em volta", QStringLiteral(" 350 "), 350.0, true},
      {"inteiro grande", QStringLiteral("2500000000000000"), 2.5e15, true},
      // Nothing is dropped to make a number.
      {"unidade em letras", QStringLiteral("350 metros"), 0.0, false},
      {"digito na unidade", QStringLiteral("85,5 m2"), 0.0, false},
      {"valor e moeda", QStringLiteral("R$ 12,75"), 0.0, false},
      {"sem digitos", QStringLiteral("abc"), 0.0, false},
      {"vazio", QString(), 0.0, false},
      // 1.234 in one reading, 1234 in the other.
      {"ambiguo", QStringLiteral("1.234"), 0.0, false},
      {"grupos errados", QStringLiteral("1.23,5"), 0.0, false},
      {"virgula e ponto", QStringLiteral("1,234.5"), 0.0, false},
  };
  for (const Caso& c : casos) {
    double n = -1;
    EXPECT_EQ(ConverteCelulaNumero(c.texto, n), c.ok) << c.nome;
    EXPECT_EQ(n, c.numero) << c.nome;
  }
}

TEST(TextoValor, Tipos) {
  EXPECT_EQ(TextoValor(QVariant()), "NULL");
  EXPECT_EQ(TextoValor(QVariant(QMetaType(QMetaType::Int))), "NULL");
  EXPECT_EQ(TextoValor(QVariant(short(-12))), "-12");
  EXPECT_EQ(TextoValor(QVariant(42)), "42");
  EXPECT_EQ(TextoValor(QVariant(1.5)), "1,500000e+00");
  EXPECT_EQ(TextoValor(QVariant(true)), "TRUE");
  EXPECT_EQ(TextoValor(QVariant(false)), "FALSE");
  EXPECT_EQ(TextoValor(QVariant(QStringLiteral("Jardim Botânico"))), "Jardim Botânico");
  EXPECT_EQ(TextoValor(QVariant(QDateTime(QDate(1970, 1, 1), QTime(0, 0)))), "Thu Jan  1 00:00:00 1970");
  EXPECT_EQ(TextoValor(QVariant(QDate(2024, 12, 25))), "Wed Dec 25 00:00:00 2024");
  EXPECT_EQ(TextoValor(QVariant(QByteArray("\x01\x02"))), "Array of VT_UI1");
  EXPECT_EQ(TextoValor(QVariant::fromValue(QPoint(1, 2))), "<Unknown>");
}

TEST(TextoTipoVariante, Marcas) {
  EXPECT_EQ(TextoTipoVariante(0x4000 | 3), "Pointer to VT_I4");
  EXPECT_EQ(TextoTipoVariante(0x2000 | 8), "Array of VT_BSTR");
  EXPECT_EQ(TextoTipoVariante(0x6000 | 17), "Array of Pointer to VT_UI1");
  EXPECT_EQ(TextoTipoVariante(0x2000 | 14), "Array of ");  // a type without a name adds nothing
  EXPECT_EQ(TextoTipoVariante(20), "VT_I8");
  EXPECT_EQ(TextoTipoVariante(72), "VT_CLSID");
  EXPECT_EQ(TextoTipoVariante(14), "");
  EXPECT_EQ(TextoTipoVariante(40), "<Unknown>");
}

TEST(TextoCelula, NumerosComVirgula) {
  EXPECT_EQ(TextoCelula(QVariant(1234.5)), "1234,5");
  EXPECT_EQ(TextoCelula(QVariant(0.1 + 0.2)), "0,3");
  EXPECT_EQ(TextoCelula(QVariant(1e20)), "1E+20");
  EXPECT_EQ(TextoCelula(QVariant(qlonglong(1234567))), "1234567");
  EXPECT_EQ(TextoCelula(QVariant()), "NULL");
  EXPECT_EQ(TextoCelula(QVariant(QDate(2024, 3, 9))), "09/03/2024");
  EXPECT_EQ(TextoCelula(QVariant(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)))), "09/03/2024 14:05:07");
  EXPECT_EQ(TextoCelula(QVariant(QByteArray("x"))), "<Binary>/<Raw>");
  // What the grid shows reads back as the number it shows.
  double n = 0;
  ASSERT_TRUE(ConverteCelulaNumero(TextoCelula(QVariant(98765.4321)), n));
  EXPECT_EQ(n, 98765.4321);
}

TEST(TextoErroArquivo, Causas) {
  EXPECT_EQ(TextoErroArquivo(2), "The file could not be located.");
  EXPECT_EQ(TextoErroArquivo(13), "The disk is full.");
  EXPECT_EQ(TextoErroArquivo(14), "The end of file was reached.");
  EXPECT_EQ(TextoErroArquivo(0), "An unspecified error occurred.");
  EXPECT_EQ(TextoErroArquivo(1), "An unspecified error occurred.");
  EXPECT_EQ(TextoErroArquivo(15), "An unspecified error occurred.");
}

TEST(Componentes, RegistroEClasses) {
  EXPECT_TRUE(ClasseRegistrada(QStringLiteral("Datalinks")));
  EXPECT_TRUE(ClasseRegistrada(QStringLiteral("MSHierarchicalFlexGridLib.MSHFlexGrid.6")));
  EXPECT_TRUE(ClasseRegistrada(QStringLiteral("{2206CDB2-19C1-11D1-89E0-00C04FD7A829}")));
  EXPECT_FALSE(ClasseRegistrada(QStringLiteral("{nao-e-um-identificador}")));
  EXPECT_FALSE(ClasseRegistrada(QStringLiteral("Outro.Componente")));
  // A file that is no library registers nothing.
  QTemporaryDir dir;
  const QString falso = dir.filePath(QStringLiteral("falso.ocx"));
  ASSERT_TRUE(teste::GravaBytes(falso, "nada"));
  EXPECT_FALSE(RegistraServidor(falso));
  EXPECT_FALSE(RegistraServidor(dir.filePath(QStringLiteral("ausente.ocx"))));
  // A real library without the entry point is no server either.
  EXPECT_FALSE(RegistraServidor(QStringLiteral("libsqlite3.so.0")));
  EXPECT_FALSE(GaranteRegistro(QStringLiteral("Outro.Componente"), QStringLiteral("arquivo-que-nao-existe.ocx")));
  EXPECT_TRUE(GaranteRegistro(QStringLiteral("Datalinks"), QStringLiteral("qualquer.ocx")));
}
