// Derived variables: C from A and B or X, the undefined cases, the slot moves.
#include "ModeloTeste.h"
#include "OperaVariaveis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace palvedo;

namespace {

// A model of 4 variables; A (slot 0) and B (slot 1) get the values given per
// data record, and 2.0 and 4.0 in the appraisal record.
ModeloTeste ComValores(std::vector<double> a, std::vector<double> b, int avaliandos = 1) {
  ModeloTeste m = ModeloTeste::Cria(4, int(a.size()), avaliandos);
  for (std::size_t i = 0; i < a.size(); ++i) {
    m.reg.dados[i].valor[0] = a[i];
    m.reg.dados[i].valor[1] = b[i];
  }
  for (dadoP& p : m.reg.dadosP) {
    p.valor[0] = 2.0;
    p.valor[1] = 4.0;
  }
  return m;
}

OperacaoVariavel Op(Operacao o, bool usaB, double x) {
  OperacaoVariavel op;
  op.a = 0;
  op.b = 1;
  op.operacao = o;
  op.usaVariavelB = usaB;
  op.x = x;
  op.nome = QStringLiteral("C");
  return op;
}

struct CasoConta {
  const char* nome;
  Operacao op;
  bool usaB;
  double x;
  double (*esperado)(double a, double b, double x);
};

class Conta : public ::testing::TestWithParam<CasoConta> {};

TEST_P(Conta, CadaRegistroUsaSeusOperandos) {
  const CasoConta& k = GetParam();
  const std::vector<double> a = {3.0, 0.5, 8.0}, b = {2.0, 5.0, -4.0};
  ModeloTeste m = ComValores(a, b);
  ASSERT_EQ(OperaVariaveis(*m.cab, m.reg, Op(k.op, k.usaB, k.x)), ResultadoOperacao::Feita);
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_DOUBLE_EQ(m.reg.dados[i].valor[3], k.esperado(a[i], b[i], k.x)) << k.nome << " registro " << i;
  EXPECT_DOUBLE_EQ(m.reg.dadosP[0].valor[3], k.esperado(2.0, 4.0, k.x)) << k.nome << " avaliando";
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Conta,
    ::testing::Values(
        CasoConta{"soma_B", Operacao::Soma, true, 99.0, [](double a, double b, double) { return a + b; }},
        CasoConta{"subtracao_B", Operacao::Subtracao, true, 99.0, [](double a, double b, double) { return a - b; }},
        CasoConta{"produto_X", Operacao::Produto, false, 2.5, [](double a, double, double x) { return a * x; }},
        CasoConta{"divisao_B", Operacao::Divisao, true, 0.0, [](double a, double b, double) { return a / b; }},
        CasoConta{"divisao_X", Operacao::Divisao, false, 4.0, [](double a, double, double x) { return a / x; }},
        CasoConta{"log", Operacao::Log, true, 0.0, [](double a, double, double) { return std::log(a); }},
        CasoConta{"potencia_X", Operacao::Potencia, false, 0.5, [](double a, double, double x) { return std::sqrt(a); }},
        CasoConta{"potencia_B", Operacao::Potencia, true, 0.5,
                  [](double a, double b, double) { return std::pow(a, b); }}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(OperaVariaveis, ReferenciasADependenteAcompanhamNaNovaPosicao) {
  ModeloTeste m = ComValores({3.0, 4.0}, {1.0, 1.0});
  const int dependente = m.cab->I32(65588);
  m.cab->SetI32(67432, dependente);
  m.cab->SetU8(408694, uint8_t(4 + dependente));
  m.cab->SetI32(408248, 0);
  ASSERT_EQ(OperaVariaveis(*m.cab, m.reg, Op(Operacao::Soma, true, 0)), ResultadoOperacao::Feita);
  EXPECT_EQ(m.cab->I32(67432), dependente + 1);
  EXPECT_EQ(m.cab->U8(408694), 4 + dependente + 1);
  EXPECT_EQ(m.cab->I32(408248), 0);
}

TEST(OperaVariaveis, CEntraAntesDaDependente) {
  const ModeloTeste original = ComValores({3.0, 4.0}, {1.0, 1.0});
  ModeloTeste m = original.Copia();
  m.cab->SetI32(41292 + 4 * 3, 1777);
  ASSERT_EQ(OperaVariaveis(*m.cab, m.reg, Op(Operacao::Soma, true, 0)), ResultadoOperacao::Feita);
  const CabecalhoModelo& c = *m.cab;
  EXPECT_EQ(c.I32(65572), 5);
  EXPECT_EQ(c.I32(65588), 4);
  EXPECT_EQ(c.I32(65592 + 4 * 3), 1);
  EXPECT_EQ(c.I32(65592 + 4 * 4), 1);
  // C in slot 3.
  EXPECT_EQ(c.Texto(1120 + 31 * 3, 31), QStringLiteral("C"));
  EXPECT_EQ(c.Texto(2980 + 601 * 3, 601), QString());
  EXPECT_EQ(c.Texto(39040 + 6 * 3, 6), QString());
  EXPECT_EQ(c.Texto(39400 + 11 * 3, 11), QString());
  EXPECT_EQ(c.I32(40780 + 4 * 3), 2);
  EXPECT_EQ(c.I32(40060 + 4 * 3), 1);
  EXPECT_EQ(c.I32(40300 + 4 * 3), 3);
  EXPECT_EQ(c.I32(40540 + 4 * 3), 0);
  EXPECT_EQ(c.I32(41020 + 4 * 3), 1134);
  // The dependent in slot 4 with all its entries.
  EXPECT_EQ(c.Texto(1120 + 31 * 4, 31), QStringLiteral("Var3"));
  EXPECT_EQ(c.Texto(2980 + 601 * 4, 601), QStringLiteral("Descrição 3"));
  EXPECT_EQ(c.Texto(39040 + 6 * 4, 6), QStringLiteral("t3"));
  EXPECT_EQ(c.Texto(39400 + 11 * 4, 11), QStringLiteral("04/01/2020"));
  EXPECT_EQ(c.I32(40060 + 4 * 4), 1);
  EXPECT_EQ(c.I32(40300 + 4 * 4), 4);
  EXPECT_EQ(c.I32(40540 + 4 * 4), 103);
  EXPECT_EQ(c.I32(40780 + 4 * 4), 3);
  EXPECT_EQ(c.I32(41020 + 4 * 4), 1003);
  EXPECT_EQ(c.I32(41292 + 4 * 4), 1777);
  EXPECT_EQ(c.I32(41560), 0);
  EXPECT_EQ(c.I32(408704), 0);

  for (std::size_t i = 0; i < 2; ++i) {
    const dado& d = m.reg.dados[i];
    const dado& o = original.reg.dados[i];
    EXPECT_EQ(d.valor[4], o.valor[3]);
    EXPECT_EQ(d.corTexto[4], o.corTexto[3]);
    EXPECT_EQ(d.italico[4], o.italico[3]);
    EXPECT_EQ(d.corTexto[3], 0);
    EXPECT_EQ(d.negrito[3], 0);
  }
  const dadoP& p = m.reg.dadosP[0];
  const dadoP& o = original.reg.dadosP[0];
  EXPECT_EQ(p.corTexto[4], o.corTexto[3]);
  EXPECT_EQ(p.corTexto[3], 0);
  for (int s = 4; s <= 7; ++s) EXPECT_EQ(p.valor[s], 0.0) << s;
}

TEST(OperaVariaveis, IndefinidosNosDadosFalhamSemMudarNada) {
  struct Caso {
    const char* nome;
    std::vector<double> a;
    OperacaoVariavel op;
  } casos[] = {
      {"divisao_por_X_zero", {1.0, 2.0}, Op(Operacao::Divisao, false, 0.0)},
      {"log_de_zero", {1.0, 0.0}, Op(Operacao::Log, true, 0.0)},
      {"log_negativo", {-3.0, 2.0}, Op(Operacao::Log, false, 0.0)},
      {"raiz_de_negativo", {4.0, -1.0}, Op(Operacao::Potencia, false, 0.5)},
  };
  for (const Caso& k : casos) {
    const ModeloTeste original = ComValores(k.a, {1.0, 1.0});
    ModeloTeste m = original.Copia();
    EXPECT_EQ(OperaVariaveis(*m.cab, m.reg, k.op), ResultadoOperacao::OperacaoIlegal) << k.nome;
    EXPECT_EQ(std::memcmp(m.cab->bytes, original.cab->bytes, CabecalhoModelo::Tamanho), 0) << k.nome;
    EXPECT_EQ(std::memcmp(m.reg.dados.data(), original.reg.dados.data(), 2 * sizeof(dado)), 0) << k.nome;
  }
}

TEST(OperaVariaveis, AvaliandosRecebemZeroOndeNaoHaValor) {
  // No data records: the quotient by 0 gives 0 in the appraisal record.
  ModeloTeste semDados = ComValores({}, {});
  ASSERT_EQ(OperaVariaveis(*semDados.cab, semDados.reg, Op(Operacao::Divisao, false, 0.0)), ResultadoOperacao::Feita);
  EXPECT_EQ(semDados.reg.dadosP[0].valor[3], 0.0);

  // The logarithm of an appraisal record's 0 is 0 while the data records have values.
  ModeloTeste m = ComValores({1.0, std::exp(2.0)}, {0, 0});
  m.reg.dadosP[0].valor[0] = 0.0;
  ASSERT_EQ(OperaVariaveis(*m.cab, m.reg, Op(Operacao::Log, true, 0.0)), ResultadoOperacao::Feita);
  EXPECT_EQ(m.reg.dadosP[0].valor[3], 0.0);
  EXPECT_DOUBLE_EQ(m.reg.dados[1].valor[3], 2.0);

  // A power with no real value fails wherever it happens.
  ModeloTeste p = ComValores({}, {});
  p.reg.dadosP[0].valor[0] = -2.0;
  EXPECT_EQ(OperaVariaveis(*p.cab, p.reg, Op(Operacao::Potencia, false, 0.5)), ResultadoOperacao::OperacaoIlegal);
}

// A C that is not a finite number is no value: in a data record it fails the
// whole operation with nothing changed, in an appraisal record it becomes 0.
TEST(OperaVariaveis, ResultadoNaoFinitoNuncaEGravado) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Caso {
    const char* nome;
    double a;
    OperacaoVariavel op;
  } casos[] = {
      {"zero_a_menos_um", 0.0, Op(Operacao::Potencia, false, -1.0)},
      {"dez_a_400", 10.0, Op(Operacao::Potencia, false, 400.0)},
      {"divisao_por_1e-320", 1.0, Op(Operacao::Divisao, false, 1e-320)},
      {"log_de_nan", nan, Op(Operacao::Log, false, 0.0)},
      {"soma_infinita", 1e308, Op(Operacao::Soma, false, 1e308)},
  };
  for (const Caso& k : casos) {
    const ModeloTeste original = ComValores({2.0, k.a}, {1.0, 1.0});
    ModeloTeste m = original.Copia();
    EXPECT_EQ(OperaVariaveis(*m.cab, m.reg, k.op), ResultadoOperacao::OperacaoIlegal) << k.nome;
    EXPECT_EQ(std::memcmp(m.cab->bytes, original.cab->bytes, CabecalhoModelo::Tamanho), 0) << k.nome;
    EXPECT_EQ(std::memcmp(m.reg.dados.data(), original.reg.dados.data(), 2 * sizeof(dado)), 0) << k.nome;

    ModeloTeste avaliando = ComValores({1e-20}, {1.0});  // a value every case can take
    avaliando.reg.dadosP[0].valor[0] = k.a;
    ASSERT_EQ(OperaVariaveis(*avaliando.cab, avaliando.reg, k.op), ResultadoOperacao::Feita) << k.nome;
    EXPECT_EQ(avaliando.reg.dadosP[0].valor[3], 0.0) << k.nome;
    EXPECT_TRUE(std::isfinite(avaliando.reg.dados[0].valor[3])) << k.nome;
  }
}

// "Log" reads no B: a model whose list B has no variable chosen still runs it.
TEST(OperaVariaveis, LogSemVariavelB) {
  ModeloTeste m = ComValores({std::exp(1.0)}, {1.0});
  OperacaoVariavel op = Op(Operacao::Log, true, 0.0);
  op.b = -1;
  ASSERT_EQ(OperaVariaveis(*m.cab, m.reg, op), ResultadoOperacao::Feita);
  EXPECT_DOUBLE_EQ(m.reg.dados[0].valor[3], 1.0);
  OperacaoVariavel soma = Op(Operacao::Soma, true, 0.0);
  soma.b = -1;
  EXPECT_EQ(OperaVariaveis(*m.cab, m.reg, soma), ResultadoOperacao::SlotInvalido);
}

TEST(OperaVariaveis, RecusaAlemDeSessentaVariaveis) {
  ModeloTeste m = ModeloTeste::Cria(60, 1, 0);
  EXPECT_EQ(OperaVariaveis(*m.cab, m.reg, Op(Operacao::Soma, true, 0)), ResultadoOperacao::LimiteVariaveis);
  EXPECT_EQ(m.cab->I32(65572), 60);
  ModeloTeste m59 = ModeloTeste::Cria(59, 1, 1);
  EXPECT_EQ(OperaVariaveis(*m59.cab, m59.reg, Op(Operacao::Soma, true, 0)), ResultadoOperacao::Feita);
  EXPECT_EQ(m59.cab->I32(65572), 60);
  EXPECT_EQ(m59.cab->Texto(1120 + 31 * 59, 31), QStringLiteral("Var58"));
}

}  // namespace
