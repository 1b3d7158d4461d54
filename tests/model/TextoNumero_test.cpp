// Number text of grids and property fields: typed texts read with the user's
// decimal character, numbers laid into the picture masks, margin rounding.
#include "model/TextoNumero.h"

#include "platform/TextoNumerico.h"

#include <gtest/gtest.h>

#include <QRect>
#include <QString>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <locale.h>
#include <random>
#include <string>

namespace {

// Decimal comma and thousands point unless a test says otherwise.
class TextoNumero : public ::testing::Test {
protected:
  void SetUp() override { plat::DefineSeparadoresUsuario(QChar(u','), QChar(u'.')); }
  void TearDown() override { plat::RestauraSeparadoresUsuario(); }
};

struct CasoLeitura {
  const char* nome;
  QString texto;
  double valor;
  bool ok;
};

TEST_F(TextoNumero, ConverteStringNumeroTabela) {
  const double limite = 999999999999.9998779;
  const CasoLeitura casos[] = {
      {"milhar_e_decimal", "1.234,56", 1234.56, true},
      {"moeda_branco_negativo", "R$ -7,5", -7.5, true},
      {"vazio", "", 0.0, true},
      {"sem_digitos", "abc", 0.0, true},
      {"acima_do_limite", "1000000000000000", 1e13, false},
      {"pouco_acima_do_limite", "1000000000000", 1e13, false},
      {"no_limite", "999999999999,9999", limite, true},
      {"negativo_grande_mantido", "-1000000000000000", -1e15, true},
      {"so_decimais", ",5", 0.5, true},
      {"negativo_so_decimais", "-,5", -0.5, true},
      {"sinal_mais", "+4", 4.0, true},
      {"segundo_sinal_encerra", "1-2", 1.0, true},
      {"dois_sinais_nada", "--3", 0.0, true},
      {"segunda_virgula_encerra", "1,2,3", 1.2, true},
      {"letras_caem", "1e5", 15.0, true},
      {"pontos_de_milhar", "1.000.000", 1000000.0, true},
      {"so_50_primeiros", QString(49, u' ') + "12", 1.0, true},
      {"ponto_nao_e_decimal", "3.5", 35.0, true},
  };
  for (const CasoLeitura& c : casos) {
    SCOPED_TRACE(c.nome);
    double v = -123.0;
    EXPECT_EQ(ConverteStringNumero(c.texto, &v), c.ok);
    EXPECT_DOUBLE_EQ(v, c.valor);
  }
}

struct CasoFormato {
  const char* nome;
  double x;
  int decimais;
  const char* texto;
};

TEST_F(TextoNumero, FormataNumeroTabela) {
  const double inf = std::numeric_limits<double>::infinity();
  const CasoFormato casos[] = {
      {"duas_casas", 1234567.891, 2, "1.234.567,89"},
      {"sem_casas_corta", 1234567.891, 0, "1.234.567"},
      {"corta_nao_arredonda", 1.999, 2, "1,99"},
      {"acima_de_1e9_texto_simples", 2e9, 2, "2000000000,000000000"},
      {"abaixo_de_menos_1e9", -2e9, 2, "-2000000000,000000000"},
      {"infinito", inf, 2, "Erro"},
      {"menos_infinito", -inf, 2, "Erro"},
      {"nan", std::nan(""), 2, "Erro"},
      {"zero", 0.0, 2, "0,00"},
      {"zero_sem_casas", 0.0, 0, "0"},
      {"meio_sem_casas", 0.5, 0, "0"},
      {"negativo_sem_inteiros", -0.5, 2, "-0,50"},
      {"negativo_sem_inteiros_sem_casas", -0.5, 0, "-0"},
      {"sinal_antes_do_milhar", -123.456, 2, "-123,45"},
      {"sinal_com_milhar", -1234.5, 1, "-1.234,5"},
      {"nove_digitos_negativo", -999999999.5, 2, "-999.999.999,50"},
      {"dez_digitos_cabem", 1e9, 2, "1.000.000.000,00"},
      {"dez_digitos_e_sinal_transbordam", -1e9, 2, "[.000.000.000,0]"},
      {"onze_casas_alem_das_nove_impressas", 0.123456789012, 11, "0,12345678900"},
      {"arredonda_na_nona_casa_impressa", 999.9999999999, 2, "1.000,00"},
      {"tres_digitos", 100.0, 1, "100,0"},
      {"quatro_digitos", 1000.0, 0, "1.000"},
      {"casas_acima_de_11_usam_11", 1.5, 15, "1,50000000000"},
      {"casas_negativas_usam_0", 1234.5, -3, "1.234"},
  };
  for (const CasoFormato& c : casos) {
    SCOPED_TRACE(c.nome);
    QString s = "lixo";
    FormataNumero(s, c.x, c.decimais);
    EXPECT_EQ(s, QString::fromUtf8(c.texto));
    EXPECT_EQ(FormataNumero(c.x, c.decimais), QString::fromUtf8(c.texto));
  }
}

TEST_F(TextoNumero, FormataNumeroPercentual) {
  EXPECT_EQ(FormataNumeroPercentual(12.5, 1, 1), "12,5%");
  EXPECT_EQ(FormataNumeroPercentual(12.5, 1, 0), "12,5");
  EXPECT_EQ(FormataNumeroPercentual(12.5, 1, 2), "12,5");  // only 1 asks for the sign
  EXPECT_EQ(FormataNumeroPercentual(-3.25, 2, 1), "-3,25%");
  // The sign belongs to a number laid in the picture, not to "Erro" nor the plain text.
  EXPECT_EQ(FormataNumeroPercentual(std::numeric_limits<double>::infinity(), 2, 1), "Erro");
  EXPECT_EQ(FormataNumeroPercentual(5e9, 2, 1), "5000000000,000000000");
  QString s;
  FormataNumeroPercentual(s, 0.0, 2, 1);
  EXPECT_EQ(s, "0,00%");
}

TEST_F(TextoNumero, Mascaras) {
  EXPECT_EQ(MascaraNumero(0), "#.###.###.##@");
  EXPECT_EQ(MascaraNumero(1), "#.###.###.##@,@");
  for (int d = 1; d <= 11; ++d) {
    const QString m = MascaraNumero(d);
    EXPECT_EQ(m.size(), 14 + d);
    EXPECT_TRUE(m.startsWith("#.###.###.##@,"));
    EXPECT_EQ(m.count(u'@'), d + 1);
  }
}

// Against an independent construction: the C library's "%.9f" text, its
// integer digits grouped by threes, its decimals cut to the picture.
TEST_F(TextoNumero, FormataNumeroConfereComPrintf) {
  std::mt19937_64 gerador(20261210);
  std::uniform_real_distribution<double> expoente(-6.0, 9.0);
  std::uniform_int_distribution<int> casas(0, 11);
  // The C library prints in the C locale on this thread, whatever the process has.
  const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const locale_t anterior = uselocale(c);
  for (int i = 0; i < 3000; ++i) {
    double x = std::pow(10.0, expoente(gerador));
    if (i % 2) x = -x;
    const int d = casas(gerador);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9f", x);
    std::string t = buf;
    const bool negativo = t[0] == '-';
    if (negativo) t.erase(0, 1);
    const std::size_t ponto = t.find('.');
    std::string inteiros = t.substr(0, ponto);
    std::string decimais = t.substr(ponto + 1);
    decimais.resize(std::size_t(d), '0');
    std::string agrupado;
    for (std::size_t k = 0; k < inteiros.size(); ++k) {
      if (k > 0 && (inteiros.size() - k) % 3 == 0) agrupado += '.';
      agrupado += inteiros[k];
    }
    std::string esperado = (negativo ? "-" : "") + agrupado + (d ? "," + decimais : "");
    const std::string obtido = FormataNumero(x, d).toStdString();
    if (obtido != esperado) {
      ADD_FAILURE() << "x=" << buf << " d=" << d << ": " << obtido << " != " << esperado;
      break;
    }
  }
  uselocale(anterior);
  freelocale(c);
}

TEST_F(TextoNumero, LeituraDoProprioFormatoVolta) {
  const double valores[] = {0.0, 1.5, -1.5, 1234567.125, -987654321.75, 0.001953125};
  for (double x : valores) {
    double v = 0;
    ASSERT_TRUE(ConverteStringNumero(FormataNumero(x, 9), &v));
    EXPECT_DOUBLE_EQ(v, x);
  }
}

// A user whose decimal character is '.' and whose thousands character is ','.
TEST_F(TextoNumero, UsuarioComPontoDecimal) {
  plat::DefineSeparadoresUsuario(QChar(u'.'), QChar(u','));
  double v = 0;
  EXPECT_TRUE(ConverteStringNumero("1234.56", &v));
  EXPECT_DOUBLE_EQ(v, 1234.56);
  EXPECT_TRUE(ConverteStringNumero("1,234.56", &v));
  EXPECT_DOUBLE_EQ(v, 1234.56);
  EXPECT_TRUE(ConverteStringNumero("-0.25", &v));
  EXPECT_DOUBLE_EQ(v, -0.25);
  EXPECT_TRUE(ConverteStringNumero("3,5", &v));  // the comma groups here
  EXPECT_DOUBLE_EQ(v, 35.0);

  EXPECT_EQ(FormataNumero(1234567.891, 2), "1,234,567.89");
  EXPECT_EQ(FormataNumero(-0.5, 2), "-0.50");
  EXPECT_EQ(FormataNumero(-123.456, 2), "-123.45");
  EXPECT_EQ(FormataNumeroPercentual(12.5, 1, 1), "12.5%");
  // The plain text past 1e9 is the program's own, with the decimal comma.
  EXPECT_EQ(FormataNumero(2e9, 2), "2000000000,000000000");

  // The text written back is the program's own too.
  QString t = "1,234.5";
  EXPECT_TRUE(ConverteTextoNumero(t, &v));
  EXPECT_DOUBLE_EQ(v, 1234.5);
  EXPECT_EQ(t, "1234,5000");
}

TEST_F(TextoNumero, SeparadoresQueNaoSaoDeUmByte) {
  // A narrow no-break space groups the digits in some locales.
  plat::DefineSeparadoresUsuario(QChar(u','), QChar(0x202F));
  EXPECT_EQ(FormataNumero(-1234567.5, 1), QString::fromUtf8("-1\u202F234\u202F567,5"));
  double v = 0;
  EXPECT_TRUE(ConverteStringNumero(QString::fromUtf8("1\u202F234,5"), &v));
  EXPECT_DOUBLE_EQ(v, 1234.5);
}

struct CasoBuffer {
  const char* nome;
  std::string texto;
  std::size_t tamanho;
  const char* reescrito;
  double valor;
  bool ok;
};

TEST_F(TextoNumero, ConverteTextoNumeroReescreveDentroDoBuffer) {
  const CasoBuffer casos[] = {
      {"comum", "1.234,56", 50, "1234,5600", 1234.56, true},
      {"vazio", "", 50, "0,0000", 0.0, true},
      {"positivo_enorme", std::string(49, '9'), 50, "10000000000000,0000", 1e13, false},
      {"negativo_enorme", "-999999999999999999999999999999999999999999999999", 50, "-10000000000000,0000", -1e13, false},
      {"negativo_no_limite", "-999999999999,9999", 50, "-999999999999,9999", -999999999999.9998779, true},
      {"le_so_49", "00000000000000000000000000000000000000000000000001234", 60, "0,0000", 0.0, true},
      {"corta_no_tamanho", "12345,678", 8, "12345,6", 12345.67, true},
      {"le_so_o_tamanho", "123456", 3, "12", 123.0, true},
      {"buffer_de_um_byte", "7", 1, "", 7.0, true},
  };
  for (const CasoBuffer& c : casos) {
    SCOPED_TRACE(c.nome);
    char area[96];
    std::memset(area, 'X', sizeof area);
    std::memcpy(area, c.texto.c_str(), c.texto.size() + 1);
    char antes[sizeof area];
    std::memcpy(antes, area, sizeof area);
    double v = -1;
    EXPECT_EQ(ConverteTextoNumero(area, c.tamanho, &v), c.ok);
    EXPECT_DOUBLE_EQ(v, c.valor);
    EXPECT_STREQ(area, c.reescrito);
    // Nothing is written past the buffer the caller gave.
    for (std::size_t i = c.tamanho; i < sizeof area; ++i) ASSERT_EQ(area[i], antes[i]) << "byte " << i;
  }
}

TEST_F(TextoNumero, ConverteTextoNumeroEmTexto) {
  QString t = QString(60, u'9');
  double v = 0;
  EXPECT_FALSE(ConverteTextoNumero(t, &v));
  EXPECT_EQ(v, 1e13);
  EXPECT_EQ(t, "10000000000000,0000");
  t = "-" + QString(60, u'9');
  EXPECT_FALSE(ConverteTextoNumero(t, &v));
  EXPECT_EQ(v, -1e13);
  EXPECT_EQ(t, "-10000000000000,0000");
  t = "R$ 12,5";
  EXPECT_TRUE(ConverteTextoNumero(t, &v));
  EXPECT_EQ(t, "12,5000");
}

struct CasoMascara {
  const char* nome;
  const char* fonte;
  const char* mascara;
  const char* saida;
  int inteiros;
};

TEST_F(TextoNumero, FormataMascaraTabela) {
  const CasoMascara casos[] = {
      {"transborda_marca_as_pontas", "12345", "#.##@", "[.34]", 5},
      {"zeros_a_esquerda_saem", "0012,3", "###,@@", " 12,30", 2},
      {"brancos_e_zeros_a_esquerda", "  007", "#.##@", "    7", 1},
      {"sinal_sem_separador", "  -7", "#.##@", "   -7", 1},
      {"branco_apaga_separador", "-12,5", "#.##@,@", "  -12,5", 2},
      {"sinal_passa_o_milhar", "-123,5", "#.##@,@", " -123,5", 3},
      {"sinal_sozinho_ganha_zero", "-0,25", "#.##@,@@", "   -0,25", 0},
      {"decimais_em_cerquilha", "5,1", "#@,##", " 5,1 ", 1},
      {"literal_copiado", "123456", "##/##/##", "12/34/56", 6},
      {"modo_letras", "  AB", "&&&-&&", "AB -  ", 2},
  };
  for (const CasoMascara& c : casos) {
    SCOPED_TRACE(c.nome);
    QString s;
    EXPECT_EQ(FormataMascara(QString::fromUtf8(c.fonte), QString::fromUtf8(c.mascara), s), c.inteiros);
    EXPECT_EQ(s, QString::fromUtf8(c.saida));
  }
}

// The data grids' own number form reads the same under any user locale.
TEST(TextoCelula, LeSoUmNumeroInteiroNaFormaDaGrade) {
  plat::DefineSeparadoresUsuario(QChar(u'.'), QChar(u','));  // a user with a decimal point
  struct Caso {
    const char* texto;
    bool ok;
    double valor;
  } casos[] = {
      {"1.234.567,5", true, 1234567.5}, {"1234,5", true, 1234.5}, {" -7 ", true, -7.0}, {",5", true, 0.5},
      {"5,", true, 5.0}, {"+3", true, 3.0}, {"", true, 0.0}, {"1.5", false, 0}, {"12.34", false, 0},
      {"1.2345", false, 0}, {"1234.567", false, 0}, {".500", false, 0}, {"1,2,3", false, 0}, {"-", false, 0},
      {",", false, 0}, {"1e5", false, 0}, {"1 000", false, 0}, {"--3", false, 0},
  };
  for (const Caso& c : casos) {
    double v = -99.0;
    EXPECT_EQ(LeTextoCelula(QString::fromUtf8(c.texto), &v), c.ok) << c.texto;
    if (c.ok) EXPECT_EQ(v, c.valor) << c.texto;
  }
  EXPECT_EQ(TextoCelula(1234.5678, 2), QStringLiteral("1.234,56"));
  EXPECT_EQ(TextoCelulaExato(21.975), QStringLiteral("21,975"));
  EXPECT_EQ(TextoCelulaExato(-0.1), QStringLiteral("-0,1"));
  EXPECT_EQ(TextoCelulaExato(1e20), QStringLiteral("100000000000000000000"));
  double v = 0.0;
  ASSERT_TRUE(LeTextoCelula(TextoCelulaExato(0.1 + 0.2), &v));
  EXPECT_EQ(v, 0.1 + 0.2);
  plat::RestauraSeparadoresUsuario();
}

TEST(ArredondaDezena, Tabela) {
  struct { int entrada, saida; } casos[] = {
      {15, 20}, {-15, -20}, {14, 10}, {-14, -10}, {0, 0}, {5, 10}, {-5, -10}, {4, 0},
      {1700, 1700}, {1695, 1700}, {1444, 1440}, {INT_MAX, 2147483640}, {INT_MIN, -2147483640},
  };
  for (const auto& c : casos) EXPECT_EQ(ArredondaDezena(c.entrada), c.saida) << c.entrada;
}

TEST(ArredondaRetangulo, QuatroCampos) {
  QRect r;
  r.setCoords(15, -14, 1704, 1445);
  ArredondaRetangulo(&r);
  EXPECT_EQ(r.left(), 20);
  EXPECT_EQ(r.top(), -10);
  EXPECT_EQ(r.right(), 1700);
  EXPECT_EQ(r.bottom(), 1450);
}

TEST(EscalaRetangulo, ArredondaAoMaisProximo) {
  // Against the closed form: round half away from zero of the exact quotient.
  const int campos[] = {1700, 1440, -1700, 15, -15, 1, 0, 7, 123456};
  const struct { int num, den; } escalas[] = {{96, 1440}, {1440, 96}, {1, 10}, {1, -10}, {600, 1440}, {3, 2}, {-7, 3}};
  for (const auto& e : escalas) {
    for (int a : campos) {
      QRect in, out;
      in.setCoords(a, -a, a + 1, 2 * a);
      EscalaRetangulo(&out, &in, e.num, e.den);
      auto esperado = [&](int v) { return int(std::lround(double(v) * e.num / e.den)); };
      EXPECT_EQ(out.left(), esperado(a)) << a << "*" << e.num << "/" << e.den;
      EXPECT_EQ(out.top(), esperado(-a));
      EXPECT_EQ(out.right(), esperado(a + 1));
      EXPECT_EQ(out.bottom(), esperado(2 * a));
    }
  }
}

TEST(EscalaRetangulo, DivisorZeroOuEstouroDaoMenosUm) {
  QRect in, out;
  in.setCoords(10, 20, 30, 40);
  EscalaRetangulo(&out, &in, 96, 0);
  EXPECT_EQ(out, QRect(QPoint(-1, -1), QPoint(-1, -1)));
  in.setCoords(INT_MAX, 1, -INT_MAX, 0);
  EscalaRetangulo(&out, &in, 2, 1);
  EXPECT_EQ(out.left(), -1);
  EXPECT_EQ(out.top(), 2);
  EXPECT_EQ(out.right(), -1);
  EXPECT_EQ(out.bottom(), 0);
  // Same rectangle as input and output.
  in.setCoords(1700, 1440, 1700, 1440);
  EscalaRetangulo(&in, &in, 96, 1440);
  EXPECT_EQ(in.left(), 113);
  EXPECT_EQ(in.top(), 96);
}

}  // namespace
