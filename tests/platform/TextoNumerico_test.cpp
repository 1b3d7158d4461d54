// printf-style number text with the decimal comma, and its parser.
#include "platform/TextoNumerico.h"

#include "ImprimeQString.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale.h>

namespace {

struct CasoFormatoC {
  const char* nome;
  const char* formato;
  double x;
  const char* texto;
};

TEST(TextoNumerico, FormataCComVirgula) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const CasoFormatoC casos[] = {
      {"f_largura_8", "%8.4f", 3.14159265, "  3,1416"},
      {"f_negativo", "%8.4f", -2.5, " -2,5000"},
      {"f_estoura_largura", "%8.4f", 123456.789, "123456,7890"},
      {"f_arredonda", "%8.4f", 0.00005, "  0,0001"},
      {"G_esquerda", "%-9.4G", 1234.5678, "1235     "},
      {"G_expoente", "%-9.4G", 0.000012346, "1,235E-05"},
      {"G_inteiro_sem_virgula", "%-9.4G", 12.0, "12       "},
      {"G_mais", "%+10.6G", 3.5, "      +3,5"},
      {"G_mais_negativo", "%+10.6G", -0.125, "    -0,125"},
      {"G_mais_expoente", "%+10.6G", 123456789.0, "+1,23457E+08"},
      {"G_mais_pequeno", "%+10.6G", 1e-10, "    +1E-10"},
      {"f_infinito", "%8.4f", inf, "     inf"},
      {"f_menos_infinito", "%8.4f", -inf, "    -inf"},
      {"f_nan", "%8.4f", nan, "     nan"},
      {"G_infinito", "%-9.4G", inf, "INF      "},
      {"G_nan", "%-9.4G", nan, "NAN      "},
      {"G_mais_infinito", "%+10.6G", inf, "      +INF"},
      {"G_mais_menos_infinito", "%+10.6G", -inf, "      -INF"},
      {"G_mais_nan", "%+10.6G", nan, "      +NAN"},
      {"literal_mantem_ponto", "x^%3.2f.", 2.0, "x^2,00."},
      {"por_cento", "%.1f%%", 12.25, "12,2%"},
      {"e_minusculo", "%.3e", 1234.5, "1,234e+03"},
  };
  for (const CasoFormatoC& c : casos) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(plat::FormataC(c.formato, {c.x}), QString::fromLatin1(c.texto));
  }
}

TEST(TextoNumerico, FormataCArgumentosMistos) {
  EXPECT_EQ(plat::FormataC("%i. %s = %5.2f", {3, "b1", 0.5}), "3. b1 =  0,50");
  EXPECT_EQ(plat::FormataC("%4d|%-4d|%04d", {7, 7, 7}), "   7|7   |0007");
  // A real given to an integer conversion is cut; one with no integer prints 0.
  EXPECT_EQ(plat::FormataC("%d|%i|%d|%d", {-2.7, 3.9, std::numeric_limits<double>::quiet_NaN(), 1e300}),
            "-2|3|0|0");
  EXPECT_EQ(plat::FormataC("%*.*f", {8, 3, 1.0}), "   1,000");
  // A negative width from the list left-justifies; a negative precision is none.
  EXPECT_EQ(plat::FormataC("%*.*f|", {-8, 1, 2.5}), "2,5     |");
  EXPECT_EQ(plat::FormataC("%.*f|%.*f", {-3, 2.5, -1, 0.125}), "2,500000|0,125000");
  EXPECT_EQ(plat::FormataC("sem argumentos", {}), "sem argumentos");
  EXPECT_EQ(plat::FormataC("%-6s|", {"ab"}), "ab    |");
  EXPECT_EQ(plat::FormataPonto("%8.4f", {3.14159265}), "  3.1416");
  EXPECT_EQ(plat::FormataPonto("%-9.4G", {0.000012346}), "1.235E-05");
  // A huge width is still formatted whole.
  EXPECT_EQ(plat::FormataC("%600.1f", {1.5}).size(), 600);
  EXPECT_TRUE(plat::FormataC("%600.1f", {1.5}).endsWith(" 1,5"));
}

// With the thread's numeric locale set to one with a decimal comma, the C
// formatting still prints a point (then turned into the comma) and reads one.
TEST(TextoNumerico, NaoDependeDoLocaleDoProcesso) {
  locale_t virgula = nullptr;
  for (const char* nome : {"pt_BR.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "pt_PT.UTF-8"}) {
    virgula = newlocale(LC_NUMERIC_MASK, nome, static_cast<locale_t>(nullptr));
    if (virgula) break;
  }
  ASSERT_NE(virgula, nullptr) << "no locale with a decimal comma: scripts/install-deps generates pt_BR.UTF-8";
  const locale_t anterior = uselocale(virgula);
  const std::string ponto = plat::FormataPonto("%8.4f", {3.5});
  const QString comVirgula = plat::FormataC("%8.4f", {3.5});
  bool ok = false;
  const double lido = plat::LeReal(QStringLiteral("2,75"), QChar(u','), &ok);
  uselocale(anterior);
  freelocale(virgula);
  EXPECT_EQ(ponto, "  3.5000");
  EXPECT_EQ(comVirgula, "  3,5000");
  EXPECT_TRUE(ok);
  EXPECT_DOUBLE_EQ(lido, 2.75);
}

struct CasoLeReal {
  const char* nome;
  const char* texto;
  char decimal;
  double valor;
  bool ok;
};

TEST(TextoNumerico, LeReal) {
  const CasoLeReal casos[] = {
      {"virgula", "1234,56", ',', 1234.56, true},
      {"ponto_com_decimal_ponto", "1234.56", '.', 1234.56, true},
      {"ponto_nao_decimal_para", "1.5", ',', 1.0, true},
      {"brancos_antes", "  -7,25", ',', -7.25, true},
      {"texto_depois", "12,5 m2", ',', 12.5, true},
      {"expoente", "1,5E+03", ',', 1500.0, true},
      {"vazio", "", ',', 0.0, false},
      {"sem_numero", "abc", ',', 0.0, false},
      {"so_sinal", "-", ',', 0.0, false},
  };
  for (const CasoLeReal& c : casos) {
    SCOPED_TRACE(c.nome);
    bool ok = !c.ok;
    EXPECT_DOUBLE_EQ(plat::LeReal(QString::fromLatin1(c.texto), QChar(c.decimal), &ok), c.valor);
    EXPECT_EQ(ok, c.ok);
  }
}

// Texts keep their accents through %s, and widths count characters, not bytes.
TEST(TextoNumerico, FormataCTextoComAcentos) {
  EXPECT_EQ(plat::FormataC("%s: %.1f", {QString::fromUtf8("Média"), 2.5}), QString::fromUtf8("Média: 2,5"));
  EXPECT_EQ(plat::FormataC("%-7s|", {"Média"}), QString::fromUtf8("Média  |"));
}

TEST(TextoNumerico, SeparadoresDoUsuario) {
  plat::DefineSeparadoresUsuario(QChar(u'.'), QChar(u','));
  EXPECT_EQ(plat::DecimalUsuario(), QChar(u'.'));
  EXPECT_EQ(plat::MilharUsuario(), QChar(u','));
  plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.'));
  EXPECT_EQ(plat::DecimalUsuario(), QChar(u','));
  EXPECT_EQ(plat::MilharUsuario(), QChar(u'.'));
  plat::RestauraSeparadoresUsuario();
  EXPECT_EQ(plat::DecimalUsuario(), QLocale::system().decimalPoint().at(0));
}

}  // namespace
