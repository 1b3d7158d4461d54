// Removal of variables: header tables, records and slot references.
#include "ExcluiVariaveis.h"
#include "ModeloTeste.h"
#include "SlotsVariavel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace palvedo;

namespace {

// Header entries of one variable slot: offset of slot 0 and size.
struct Tabela {
  const char* nome;
  std::size_t base, tamanho;
};
const Tabela TabelasCabecalho[] = {
    {"nome", 1120, 31},      {"descricao", 2980, 601}, {"texto6", 39040, 6},    {"data", 39400, 11},
    {"relacao", 40060, 4},   {"tipo", 40300, 4},       {"codigo", 40540, 4},    {"decimais", 40780, 4},
    {"largura", 41020, 4},   {"habilitada", 65592, 4},
};

bool MesmoCampo(const CabecalhoModelo& a, int va, const CabecalhoModelo& b, int vb, const Tabela& t) {
  return std::memcmp(a.bytes + t.base + t.tamanho * va, b.bytes + t.base + t.tamanho * vb, t.tamanho) == 0;
}

bool Zerado(const unsigned char* p, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] != 0) return false;
  return true;
}

struct CasoExclusao {
  const char* nome;
  int V;
  std::vector<int> removidos;
  std::vector<int> restantes;  // original slots in their new order
};

class Exclusao : public ::testing::TestWithParam<CasoExclusao> {};

TEST_P(Exclusao, TabelasERegistrosSeguemSuasVariaveis) {
  const CasoExclusao& k = GetParam();
  const ModeloTeste original = ModeloTeste::Cria(k.V, 4, 2, true);
  ModeloTeste m = original.Copia();
  ASSERT_EQ(VerificaExclusao(*m.cab, k.removidos), VerificacaoExclusao::Aceita);
  ExcluiVariaveis(*m.cab, m.reg, k.removidos);

  const int novoV = int(k.restantes.size());
  const CabecalhoModelo& c = *m.cab;
  EXPECT_EQ(c.I32(65572), novoV);
  EXPECT_EQ(c.I32(65588), novoV - 1);
  for (int j = 0; j < novoV; ++j)
    for (const Tabela& t : TabelasCabecalho)
      EXPECT_TRUE(MesmoCampo(c, j, *original.cab, k.restantes[j], t)) << t.nome << " slot " << j;
  // Vacated slots are cleared.
  for (int v = novoV; v < k.V; ++v)
    for (const Tabela& t : TabelasCabecalho)
      EXPECT_TRUE(Zerado(c.bytes + t.base + t.tamanho * v, t.tamanho)) << t.nome << " vago " << v;
  // Appraisal-grid widths: the variables' then the three result columns.
  for (int j = 0; j < novoV + 3; ++j) {
    const int origem = j < novoV ? k.restantes[j] : k.V + (j - novoV);
    // The table holds 62 entries: a column past it gets the default width.
    EXPECT_EQ(c.I32(41292 + 4 * j), origem < 62 ? 2000 + origem : 1134) << "largura avaliando " << j;
  }

  for (std::size_t i = 0; i < m.reg.dados.size(); ++i) {
    const dado& d = m.reg.dados[i];
    const dado& o = original.reg.dados[i];
    for (int j = 0; j < novoV; ++j) {
      const int s = k.restantes[j];
      EXPECT_EQ(d.valor[j], o.valor[s]);
      EXPECT_EQ(d.corTexto[j], o.corTexto[s]);
      EXPECT_EQ(d.corFundo[j], o.corFundo[s]);
      EXPECT_EQ(d.negrito[j], o.negrito[s]);
      EXPECT_EQ(d.italico[j], o.italico[s]);
      EXPECT_EQ(d.sublinhado[j], o.sublinhado[s]);
    }
    for (int v = novoV; v < k.V; ++v) {
      EXPECT_EQ(d.valor[v], 0.0);
      EXPECT_EQ(d.corTexto[v], 0);
    }
    // Everything outside the variable slots is untouched.
    EXPECT_EQ(std::memcmp(d.residuo, o.residuo, sizeof d.residuo), 0);
    EXPECT_EQ(d.Endereco(), o.Endereco());
  }
  for (std::size_t i = 0; i < m.reg.dadosP.size(); ++i) {
    const dadoP& p = m.reg.dadosP[i];
    const dadoP& o = original.reg.dadosP[i];
    for (int j = 0; j < novoV + 3; ++j) {
      const int s = j < novoV ? k.restantes[j] : k.V + (j - novoV);
      EXPECT_EQ(p.valor[j], o.valor[s]) << "avaliando slot " << j;
      EXPECT_EQ(p.corTexto[j], o.corTexto[s]);
      EXPECT_EQ(p.corFundo[j], o.corFundo[s]);
      EXPECT_EQ(p.negrito[j], o.negrito[s]);
      EXPECT_EQ(p.italico[j], o.italico[s]);
      EXPECT_EQ(p.sublinhado[j], o.sublinhado[s]);
    }
    for (int s = novoV + 3; s < k.V + 3; ++s) EXPECT_EQ(p.valor[s], 0.0);
  }
  // Only variables go: W is the same matrix.
  ASSERT_EQ(m.reg.W.Nrows(), 4);
  for (int i = 1; i <= 4; ++i)
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(m.reg.W(i, j), original.reg.W(i, j));

  EXPECT_EQ(c.I32(41560), 0);
  EXPECT_EQ(c.I32(408704), 0);
  EXPECT_EQ(c.U8(408692), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Exclusao,
    ::testing::Values(CasoExclusao{"PQRSD_menos_1_e_3", 5, {1, 3}, {0, 2, 4}},
                      CasoExclusao{"ordem_da_selecao_nao_importa", 5, {3, 1}, {0, 2, 4}},
                      CasoExclusao{"tres_variaveis_menos_uma", 3, {0}, {1, 2}},
                      CasoExclusao{"primeiras_tres", 6, {0, 1, 2}, {3, 4, 5}},
                      CasoExclusao{"modelo_cheio_de_60", 60, {0, 58}, [] {
                                     std::vector<int> r;
                                     for (int v = 1; v < 60; ++v)
                                       if (v != 58) r.push_back(v);
                                     return r;
                                   }()}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Exclusao, RecusasAntesDeMudarQualquerCoisa) {
  struct Caso {
    const char* nome;
    int V;
    std::vector<int> escolhidos;
    VerificacaoExclusao esperado;
  } casos[] = {
      {"nenhuma", 5, {}, VerificacaoExclusao::NenhumaSelecionada},
      {"restariam_menos_de_2", 3, {0, 1}, VerificacaoExclusao::MinimoVariaveis},
      {"a_dependente", 4, {3}, VerificacaoExclusao::SlotInvalido},
      {"fora_do_modelo", 4, {-1}, VerificacaoExclusao::SlotInvalido},
      {"uma_de_tres", 3, {1}, VerificacaoExclusao::Aceita},
  };
  for (const Caso& k : casos) {
    const ModeloTeste m = ModeloTeste::Cria(k.V, 1, 0);
    EXPECT_EQ(VerificaExclusao(*m.cab, k.escolhidos), k.esperado) << k.nome;
  }
}

TEST(Exclusao, ReferenciasPorSlotSeguemSuaVariavel) {
  // [P, Q, R, S, D] minus Q and S: P stays 0, R becomes 1, D becomes 2.
  struct Caso {
    const char* campo;
    std::size_t off;
    int antes, depois;
  } casos[] = {
      {"area_em_R", 41284, 2, 1},       {"area_removida", 41284, 1, -1}, {"area_nenhuma", 41284, -1, -1},
      {"x_em_D", 408244, 4, 2},         {"y_removida", 408248, 3, -1},   {"x_em_P", 408244, 0, 0},
      {"durbin_watson_em_R", 67432, 2, 1},
  };
  for (const Caso& k : casos) {
    ModeloTeste m = ModeloTeste::Cria(5, 2, 1);
    m.cab->SetI32(k.off, k.antes);
    ExcluiVariaveis(*m.cab, m.reg, {1, 3});
    EXPECT_EQ(m.cab->I32(k.off), k.depois) << k.campo;
  }
  // The stored sort column counts the grid's four leading columns.
  struct Ordem {
    int antes, depois;
  } ordens[] = {{1, 1}, {4 + 2, 4 + 1}, {4 + 4, 4 + 2}, {4 + 3, 0xFF}};
  for (const Ordem& o : ordens) {
    ModeloTeste m = ModeloTeste::Cria(5, 2, 1);
    m.cab->SetU8(408694, uint8_t(o.antes));
    ExcluiVariaveis(*m.cab, m.reg, {1, 3});
    EXPECT_EQ(m.cab->U8(408694), o.depois) << "coluna " << o.antes;
  }
}

}  // namespace
