// Header routines: packing to the enabled variables and moving the dependent
// variable to the last slot.
#include "ModeloFixture.h"

#include "model/RotinasCabecalho.h"

#include <cstring>
#include <gtest/gtest.h>
#include <utility>

namespace {
using C = CabecalhoModelo;

// Four variables with distinct entries in every per-variable table.
std::unique_ptr<C> Quatro() {
  auto c = teste::NovoCabecalho(4, 0, 0);
  for (int v = 0; v < 4; ++v) {
    c->SetNomeVariavel(v, QStringLiteral("Var%1").arg(v));
    c->SetDescricaoVariavel(v, QStringLiteral("Descrição %1").arg(v));
    std::memset(c->bytes + C::OffTextosCurtos + 6 * v, 'a' + v, 6);
    c->SetTexto(C::OffDatasEvento + 11 * v, 11, QStringLiteral("0%1/01/2020").arg(v + 1));
    c->SetRelacao(v, v % 2);
    c->SetTipoVariavel(v, v + 1);
    c->SetI32(C::OffCodigosVariavel + 4 * v, 100 + v);
    c->SetCasasDecimais(v, v + 1);
    c->SetI32(C::OffLargurasVariavel + 4 * v, 1000 + v);
    for (int e = 0; e < 3; ++e) {
      c->SetTransformacao(v, e, 10 * v + e + 1);
      c->SetF64VE(C::OffEstatisticaT, v, e, 100 * v + e);
      c->SetF64VE(C::OffCoeficientes, v, e, 1000 * v + e);
      c->SetF64VE(C::OffSignificancias, v, e, 50 + v + e);
      c->SetF64VE(C::OffExpoentes, v, e, 0.5 * v + e);
    }
  }
  return c;
}

TEST(CompactaCabecalho, PacksTheEnabledVariablesFromTheSource) {
  auto origem = Quatro();
  origem->SetHabilitada(1, false);
  origem->SetNumEquacoes(2);
  auto antes = std::make_unique<C>(*origem);
  auto destino = std::make_unique<C>();
  ASSERT_TRUE(CompactaCabecalho(destino.get(), *origem));
  EXPECT_EQ(std::memcmp(origem->bytes, antes->bytes, C::Tamanho), 0);

  const int de[3] = {0, 2, 3};  // slot k holds the k-th enabled variable
  for (int k = 0; k < 3; ++k) {
    const int v = de[k];
    SCOPED_TRACE(k);
    for (int e = 0; e < 2; ++e) {
      EXPECT_EQ(destino->Transformacao(k, e), 10 * v + e + 1);
      EXPECT_EQ(destino->F64VE(C::OffEstatisticaT, k, e), 100 * v + e);
      EXPECT_EQ(destino->F64VE(C::OffCoeficientes, k, e), 1000 * v + e);
      EXPECT_EQ(destino->F64VE(C::OffSignificancias, k, e), 50 + v + e);
      EXPECT_EQ(destino->Expoente(k, e), 0.5 * v + e);
    }
    EXPECT_EQ(destino->NomeVariavel(k), QStringLiteral("Var%1").arg(v));
    EXPECT_EQ(destino->CasasDecimais(k), v + 1);
    EXPECT_EQ(destino->Relacao(k), v % 2);
  }
  // Left as copied: equations not kept, types, descriptions, enabled flags, the slot past the packed ones.
  EXPECT_EQ(destino->Transformacao(1, 2), 10 * 1 + 2 + 1);
  for (int v = 0; v < 4; ++v) {
    EXPECT_EQ(destino->TipoVariavel(v), v + 1);
    EXPECT_EQ(destino->DescricaoVariavel(v), QStringLiteral("Descrição %1").arg(v));
    EXPECT_EQ(destino->Habilitada(v), v != 1);
  }
  EXPECT_EQ(destino->NomeVariavel(3), QStringLiteral("Var3"));
}

TEST(CompactaCabecalho, NoKeptEquationIsAPlainCopyAndNullFails) {
  auto origem = Quatro();
  origem->SetHabilitada(0, false);
  auto destino = std::make_unique<C>();
  ASSERT_TRUE(CompactaCabecalho(destino.get(), *origem));
  EXPECT_EQ(std::memcmp(destino->bytes, origem->bytes, C::Tamanho), 0);
  EXPECT_FALSE(CompactaCabecalho(nullptr, *origem));
}

// Offsets of the bytes that differ between two headers.
std::vector<std::size_t> Diferencas(const C& a, const C& b) {
  std::vector<std::size_t> r;
  for (std::size_t i = 0; i < C::Tamanho; ++i)
    if (a.bytes[i] != b.bytes[i]) r.push_back(i);
  return r;
}

TEST(MoveVariavelDependente, SwapsTheEntriesAndTheRecords) {
  auto c = Quatro();
  c->SetDependente(1);
  c->SetEstadoCalculo(2);
  auto antes = std::make_unique<C>(*c);
  std::vector<dado> dados(2);
  for (int i = 0; i < 2; ++i)
    for (int v = 0; v < 4; ++v) {
      dados[i].valor[v] = 10 * i + v;
      dados[i].corTexto[v] = 0x100 + v;
      dados[i].corFundo[v] = 0x200 + v;
      dados[i].negrito[v] = uint8_t(v);
      dados[i].italico[v] = uint8_t(10 + v);
      dados[i].sublinhado[v] = uint8_t(20 + v);
    }
  c->SetNumDados(2);
  antes->SetNumDados(2);
  const std::vector<dado> dadosAntes = dados;

  MoveVariavelDependente(*c, true, dados.data());

  EXPECT_EQ(c->Dependente(), 3);
  EXPECT_EQ(c->EstadoCalculo(), 0);
  EXPECT_FALSE(c->Habilitada(1));
  EXPECT_TRUE(c->Habilitada(3));
  EXPECT_EQ(c->NomeVariavel(1), QStringLiteral("Var3"));
  EXPECT_EQ(c->NomeVariavel(3), QStringLiteral("Var1"));
  EXPECT_EQ(c->DescricaoVariavel(3), QStringLiteral("Descrição 1"));
  EXPECT_EQ(c->bytes[C::OffTextosCurtos + 6 * 1], 'd');
  EXPECT_EQ(c->Texto(C::OffDatasEvento + 11 * 3, 11), QStringLiteral("02/01/2020"));
  EXPECT_EQ(c->Relacao(1), 1); EXPECT_EQ(c->Relacao(3), 1);
  EXPECT_EQ(c->TipoVariavel(1), 4); EXPECT_EQ(c->TipoVariavel(3), 2);
  EXPECT_EQ(c->I32(C::OffCodigosVariavel + 4), 103);
  EXPECT_EQ(c->CasasDecimais(3), 2);
  EXPECT_EQ(c->I32(C::OffLargurasVariavel + 12), 1001);
  EXPECT_EQ(c->Transformacao(1, 0), 11);  // codes stay with their slots

  // Nothing else in the header changed.
  using Faixa = std::pair<std::size_t, std::size_t>;
  const Faixa permitidas[] = {
    {C::OffNomesVariaveis, C::OffNomesVariaveis + 31 * 4}, {C::OffDescricoes, C::OffDescricoes + 601 * 4},
    {C::OffTextosCurtos, C::OffTextosCurtos + 24}, {C::OffDatasEvento, C::OffDatasEvento + 44},
    {C::OffRelacoes, C::OffRelacoes + 16}, {C::OffTiposVariavel, C::OffTiposVariavel + 16},
    {C::OffCodigosVariavel, C::OffCodigosVariavel + 16}, {C::OffCasasDecimais, C::OffCasasDecimais + 16},
    {C::OffLargurasVariavel, C::OffLargurasVariavel + 16}, {C::OffDependente, C::OffDependente + 4},
    {C::OffEstadoCalculo, C::OffEstadoCalculo + 4}, {C::OffHabilitadas + 4, C::OffHabilitadas + 8},
  };
  for (std::size_t off : Diferencas(*antes, *c)) {
    bool ok = false;
    for (const Faixa& f : permitidas) ok = ok || (off >= f.first && off < f.second);
    EXPECT_TRUE(ok) << "byte " << off << " changed";
  }

  for (int i = 0; i < 2; ++i) {
    dado esperado = dadosAntes[i];
    std::swap(esperado.valor[1], esperado.valor[3]);
    std::swap(esperado.corTexto[1], esperado.corTexto[3]);
    std::swap(esperado.corFundo[1], esperado.corFundo[3]);
    std::swap(esperado.negrito[1], esperado.negrito[3]);
    std::swap(esperado.italico[1], esperado.italico[3]);
    std::swap(esperado.sublinhado[1], esperado.sublinhado[3]);
    EXPECT_EQ(std::memcmp(&esperado, &dados[i], sizeof(dado)), 0) << "record " << i;
  }
}

TEST(MoveVariavelDependente, KeepsTheEnabledFlagWithoutTheOption) {
  auto c = Quatro();
  c->SetDependente(0);
  MoveVariavelDependente(*c, false, nullptr);
  EXPECT_TRUE(c->Habilitada(0));
  EXPECT_EQ(c->NomeVariavel(0), QStringLiteral("Var3"));
}

TEST(MoveVariavelDependente, NothingWhenTheDependentIsAlreadyLast) {
  auto c = Quatro();
  c->SetDependente(3);
  c->SetEstadoCalculo(2);
  auto antes = std::make_unique<C>(*c);
  std::vector<dado> dados(1);
  dados[0].valor[0] = 1;
  c->SetNumDados(1);
  antes->SetNumDados(1);
  MoveVariavelDependente(*c, true, dados.data());
  EXPECT_EQ(std::memcmp(c->bytes, antes->bytes, C::Tamanho), 0);
  EXPECT_EQ(dados[0].valor[0], 1);
}

}  // namespace
