// Operations on data records: comparisons, remove, disregard, convert, and W.
#include "ModeloTeste.h"
#include "OperaDados.h"

#include <gtest/gtest.h>

using namespace palvedo;

namespace {

// Five records whose variable 0 holds the given values.
ModeloTeste CincoRegistros(std::initializer_list<double> valores, bool comW = true) {
  ModeloTeste m = ModeloTeste::Cria(3, int(valores.size()), 2, comW);
  int i = 0;
  for (double x : valores) m.reg.dados[std::size_t(i++)].valor[0] = x;
  return m;
}

TEST(OperaDados, Comparacoes) {
  struct Caso {
    const char* nome;
    Comparacao comp;
    double parametro;
    std::vector<int> marcados;  // 0-based records disregarded
  } casos[] = {
      {"maior_igual", Comparacao::MaiorIgual, 100.0, {2, 3, 4}},
      {"menor_igual", Comparacao::MenorIgual, 100.0, {0, 1, 2}},
      {"igual_exato", Comparacao::Igual, 100.0, {2}},
      {"igual_sem_coincidencia", Comparacao::Igual, 100.00002, {}},
  };
  for (const Caso& k : casos) {
    ModeloTeste m = CincoRegistros({-5.0, 99.99999, 100.0, 100.00001, 1e9});
    OperacaoDado op;
    op.variavel = 0;
    op.comparacao = k.comp;
    op.parametro = k.parametro;
    op.acao = AcaoDado::Desconsiderar;
    EXPECT_EQ(OperaDados(*m.cab, m.reg, op), int(k.marcados.size())) << k.nome;
    for (int i = 0; i < 5; ++i) {
      const bool esperado = std::find(k.marcados.begin(), k.marcados.end(), i) != k.marcados.end();
      EXPECT_EQ(m.reg.dados[std::size_t(i)].excluido, esperado ? 1 : 0) << k.nome << " registro " << i;
    }
    EXPECT_EQ(m.cab->I32(65580), 5 - int(k.marcados.size())) << k.nome;
    EXPECT_EQ(m.cab->I32(65576), 5);
    EXPECT_EQ(m.cab->I32(41560), 0);
    EXPECT_EQ(m.cab->I32(408704), 0);
  }
}

TEST(OperaDados, DesconsiderarJaDesconsideradoNaoContaDuasVezes) {
  ModeloTeste m = CincoRegistros({1, 2, 3, 4, 5});
  m.reg.dados[1].excluido = 1;
  m.cab->SetI32(65580, 4);
  OperacaoDado op;
  op.comparacao = Comparacao::MenorIgual;
  op.parametro = 2.0;
  op.acao = AcaoDado::Desconsiderar;
  OperaDados(*m.cab, m.reg, op);
  EXPECT_EQ(m.reg.dados[0].excluido, 1);
  EXPECT_EQ(m.reg.dados[1].excluido, 1);
  EXPECT_EQ(m.cab->I32(65580), 3);
}

TEST(OperaDados, ConverterTrocaSoOValorTestado) {
  ModeloTeste m = CincoRegistros({1, 2, 3, 4, 5});
  OperacaoDado op;
  op.comparacao = Comparacao::MaiorIgual;
  op.parametro = 4.0;
  op.acao = AcaoDado::Converter;
  op.conversao = -7.5;
  EXPECT_EQ(OperaDados(*m.cab, m.reg, op), 2);
  const double esperado[] = {1, 2, 3, -7.5, -7.5};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(m.reg.dados[std::size_t(i)].valor[0], esperado[i]);
    EXPECT_EQ(m.reg.dados[std::size_t(i)].valor[1], ModeloTeste::ValorDado(i, 1));
    EXPECT_EQ(m.reg.dados[std::size_t(i)].excluido, 0);
  }
  EXPECT_EQ(m.cab->I32(65580), 5);
}

TEST(OperaDados, ExcluirRegistros2e4LevaSuasLinhasEColunasDeW) {
  ModeloTeste m = CincoRegistros({1, 20, 3, 40, 5});
  m.cab->SetI32(408708, 20);  // stored elements: the off-diagonal ones
  m.reg.dados[3].excluido = 1;  // record 4 was not considered
  m.cab->SetI32(65580, 4);
  const NEWMAT::Matrix W0 = m.reg.W;
  OperacaoDado op;
  op.comparacao = Comparacao::MaiorIgual;
  op.parametro = 10.0;
  op.acao = AcaoDado::Excluir;
  EXPECT_EQ(OperaDados(*m.cab, m.reg, op), 2);

  const int mantidos[] = {1, 3, 5};
  ASSERT_EQ(m.reg.dados.size(), 3u);
  for (int a = 0; a < 3; ++a) EXPECT_EQ(m.reg.dados[std::size_t(a)].Endereco(), QStringLiteral("Rua %1").arg(mantidos[a]));
  ASSERT_EQ(m.reg.W.Nrows(), 3);
  ASSERT_EQ(m.reg.W.Ncols(), 3);
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) EXPECT_EQ(m.reg.W(a + 1, b + 1), W0(mantidos[a], mantidos[b])) << a << "," << b;
  EXPECT_EQ(m.cab->I32(65576), 3);
  EXPECT_EQ(m.cab->I32(65580), 3);  // only record 2 had been considered
  EXPECT_EQ(m.reg.dadosP.size(), 2u);
}

TEST(OperaDados, ExcluirTodosDeixaWVazia) {
  ModeloTeste m = CincoRegistros({1, 2, 3, 4, 5});
  m.cab->SetI32(408708, 20);
  m.reg.dados[0].excluido = 1;
  m.cab->SetI32(65580, 4);
  OperacaoDado op;
  op.comparacao = Comparacao::MaiorIgual;
  op.parametro = -1e300;
  op.acao = AcaoDado::Excluir;
  EXPECT_EQ(OperaDados(*m.cab, m.reg, op), 5);
  EXPECT_TRUE(m.reg.dados.empty());
  EXPECT_EQ(m.reg.W.Nrows(), 0);
  EXPECT_EQ(m.cab->I32(65576), 0);
  EXPECT_EQ(m.cab->I32(65580), 0);
}

TEST(OperaDados, ExcluirRegistroDeValidacaoBaixaAAmostra) {
  ModeloTeste m = CincoRegistros({1, 2, 3, 4, 5}, false);
  for (int i : {1, 4}) {
    m.reg.dados[std::size_t(i)].validacao = 1;
    m.reg.dados[std::size_t(i)].excluido = 1;
  }
  m.cab->SetI32(408240, 2);
  m.cab->SetI32(65580, 3);
  OperacaoDado op;
  op.comparacao = Comparacao::MenorIgual;
  op.parametro = 2.0;
  op.acao = AcaoDado::Excluir;
  OperaDados(*m.cab, m.reg, op);
  EXPECT_EQ(m.cab->I32(408240), 1);
  EXPECT_EQ(m.cab->I32(65580), 2);
  EXPECT_EQ(m.cab->I32(65576), 3);
}

// The counts come from the records' flags: a damaged header (0 considered
// while records are considered, more validation records than there are) ends
// with the counts the records give, never below 0 or above N.
TEST(OperaDados, ContagensRefeitasPelasMarcasDosRegistros) {
  for (AcaoDado acao : {AcaoDado::Excluir, AcaoDado::Desconsiderar, AcaoDado::Converter}) {
    SCOPED_TRACE(int(acao));
    ModeloTeste m = CincoRegistros({1, 2, 3, 4, 5}, false);
    m.reg.dados[0].excluido = 1;
    m.reg.dados[4].validacao = 1;
    m.cab->SetI32(65580, 0);
    m.cab->SetI32(408240, 5);
    OperacaoDado op;
    op.comparacao = Comparacao::MaiorIgual;
    op.parametro = 3.0;
    op.acao = acao;
    op.conversao = 9.0;
    EXPECT_EQ(OperaDados(*m.cab, m.reg, op), 3);
    int considerados = 0, validacao = 0;
    for (const dado& d : m.reg.dados) {
      considerados += d.excluido == 0;
      validacao += d.validacao != 0;
    }
    EXPECT_EQ(m.cab->I32(65576), int(m.reg.dados.size()));
    EXPECT_EQ(m.cab->I32(65580), considerados);
    EXPECT_EQ(m.cab->I32(408240), validacao);
    EXPECT_TRUE(m.cab->ContagensValidas());
  }
}

}  // namespace
