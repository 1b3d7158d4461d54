// Inclusion of variables: slots, codes, records and the limit of 60.
#include "IncluiVariaveis.h"
#include "ModeloTeste.h"
#include "SlotsVariavel.h"
#include "model/Var.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace palvedo;

namespace {

Var VarCatalogo(const char* nome, const char* descricao, int tipo, int decimais) {
  Var v{};
  v.SetNome(QString::fromUtf8(nome));
  v.SetDescricao(QString::fromUtf8(descricao));
  v.tipo = tipo;
  v.casasDecimais = decimais;
  v.tipoImovel = 2;
  return v;
}

TEST(Inclusao, VariavelDigitada) {
  const ModeloTeste original = ModeloTeste::Cria(3, 2, 1);
  ModeloTeste m = original.Copia();
  IncluiVariaveis(*m.cab, m.reg, {NovaVariavel::Digitada(QStringLiteral("Área útil"))});
  const CabecalhoModelo& c = *m.cab;

  // [V0, V1, A, D]
  EXPECT_EQ(c.I32(65572), 4);
  EXPECT_EQ(c.I32(65588), 3);
  EXPECT_EQ(c.Texto(1120 + 31 * 2, 31), QStringLiteral("Área útil"));
  EXPECT_EQ(c.Texto(2980 + 601 * 2, 601), QString());
  EXPECT_EQ(c.I32(40300 + 4 * 2), 4);
  EXPECT_EQ(c.I32(40780 + 4 * 2), 2);
  EXPECT_EQ(c.I32(40060 + 4 * 2), 1);
  EXPECT_EQ(c.I32(41020 + 4 * 2), 1134);
  EXPECT_EQ(c.I32(65592 + 4 * 2), 1);
  // The dependent keeps its entries in the last slot.
  EXPECT_EQ(c.Texto(1120 + 31 * 3, 31), QStringLiteral("Var2"));
  EXPECT_EQ(c.Texto(2980 + 601 * 3, 601), QStringLiteral("Descrição 2"));
  EXPECT_EQ(c.Texto(39040 + 6 * 3, 6), QStringLiteral("t2"));
  EXPECT_EQ(c.I32(40540 + 4 * 3), 102);
  EXPECT_EQ(c.I32(41020 + 4 * 3), 1002);
  EXPECT_EQ(c.I32(40300 + 4 * 3), 1 + 2 % 5);
  EXPECT_EQ(c.I32(41560), 0);
  EXPECT_EQ(c.I32(408704), 0);

  for (std::size_t i = 0; i < m.reg.dados.size(); ++i) {
    const dado& d = m.reg.dados[i];
    const dado& o = original.reg.dados[i];
    EXPECT_EQ(d.valor[0], o.valor[0]);
    EXPECT_EQ(d.valor[1], o.valor[1]);
    EXPECT_EQ(d.valor[2], 0.0);
    EXPECT_EQ(d.corTexto[2], 0);
    EXPECT_EQ(d.negrito[2], 0);
    EXPECT_EQ(d.valor[3], o.valor[2]);
    EXPECT_EQ(d.corFundo[3], o.corFundo[2]);
    EXPECT_EQ(d.sublinhado[3], o.sublinhado[2]);
  }
  // Appraisal records: old variables kept, the old dependent's slot and the results from 0.
  const dadoP& p = m.reg.dadosP[0];
  EXPECT_EQ(p.valor[0], original.reg.dadosP[0].valor[0]);
  EXPECT_EQ(p.valor[1], original.reg.dadosP[0].valor[1]);
  for (int s = 2; s < 63; ++s) {
    EXPECT_EQ(p.valor[s], 0.0) << s;
    EXPECT_EQ(p.corTexto[s], 0) << s;
  }
}

TEST(Inclusao, VariasEntramAntesDaDependente) {
  ModeloTeste m = ModeloTeste::Cria(3, 1, 0);
  IncluiVariaveis(*m.cab, m.reg,
                  {NovaVariavel::Digitada("A"), NovaVariavel::Digitada("B"), NovaVariavel::Digitada("C")});
  const char* esperado[] = {"Var0", "Var1", "C", "A", "B", "Var2"};
  ASSERT_EQ(m.cab->I32(65572), 6);
  for (int v = 0; v < 6; ++v) EXPECT_EQ(m.cab->Texto(1120 + 31 * v, 31), QString(esperado[v])) << v;
  EXPECT_EQ(m.reg.dados[0].valor[5], ModeloTeste::ValorDado(0, 2));
  for (int v = 2; v < 5; ++v) EXPECT_EQ(m.reg.dados[0].valor[v], 0.0);
}

// Fields that name the dependent by its slot follow it; the others stay.
TEST(Inclusao, ReferenciasADependenteAcompanhamNaNovaPosicao) {
  ModeloTeste m = ModeloTeste::Cria(3, 1, 0);
  m.cab->SetI32(67432, 2);          // Durbin-Watson variable: the dependent
  m.cab->SetU8(408694, 4 + 2);      // sort column on the dependent
  m.cab->SetI32(41284, 1);          // area variable: not moved
  m.cab->SetI32(408244, -1);        // no coordinate: stays so
  IncluiVariaveis(*m.cab, m.reg, {NovaVariavel::Digitada("A"), NovaVariavel::Digitada("B")});
  EXPECT_EQ(m.cab->I32(67432), 4);
  EXPECT_EQ(m.cab->U8(408694), 4 + 4);
  EXPECT_EQ(m.cab->I32(41284), 1);
  EXPECT_EQ(m.cab->I32(408244), -1);
}

TEST(Inclusao, VariavelDoCatalogo) {
  struct Caso {
    int tipoCatalogo, tipoModelo;
  } casos[] = {{1, 1}, {2, 2}, {3, 3}, {4, 5}};
  for (const Caso& k : casos) {
    ModeloTeste m = ModeloTeste::Cria(2, 1, 0);
    const Var v = VarCatalogo("Padrão", "Padrão construtivo", k.tipoCatalogo, 3);
    IncluiVariaveis(*m.cab, m.reg, {NovaVariavel::DoCatalogo(v)});
    EXPECT_EQ(m.cab->Texto(1120 + 31, 31), QStringLiteral("Padrão"));
    EXPECT_EQ(m.cab->Texto(2980 + 601, 601), QStringLiteral("Padrão construtivo"));
    EXPECT_EQ(m.cab->I32(40300 + 4), k.tipoModelo) << k.tipoCatalogo;
    EXPECT_EQ(m.cab->I32(40780 + 4), 3);
    EXPECT_EQ(m.cab->I32(40060 + 4), 1);
  }
}

TEST(Inclusao, LimiteDeSessentaVariaveis) {
  const ModeloTeste m58 = ModeloTeste::Cria(58, 0, 0);
  EXPECT_TRUE(CabeMaisUma(*m58.cab, 0));
  EXPECT_TRUE(CabeMaisUma(*m58.cab, 1));
  EXPECT_FALSE(CabeMaisUma(*m58.cab, 2));
  const ModeloTeste m60 = ModeloTeste::Cria(60, 0, 0);
  EXPECT_FALSE(CabeMaisUma(*m60.cab, 0));

  // Three never go into 58: nothing changes.
  ModeloTeste demais = m58.Copia();
  EXPECT_FALSE(IncluiVariaveis(*demais.cab, demais.reg,
                               {NovaVariavel::Digitada("A"), NovaVariavel::Digitada("B"), NovaVariavel::Digitada("C")}));
  EXPECT_EQ(std::memcmp(demais.cab->bytes, m58.cab->bytes, CabecalhoModelo::Tamanho), 0);

  // Two included into 58 fill the model; the dependent ends in slot 59.
  ModeloTeste m = m58.Copia();
  EXPECT_TRUE(IncluiVariaveis(*m.cab, m.reg, {NovaVariavel::Digitada("A"), NovaVariavel::Digitada("B")}));
  EXPECT_EQ(m.cab->I32(65572), 60);
  EXPECT_EQ(m.cab->I32(65588), 59);
  EXPECT_EQ(m.cab->Texto(1120 + 31 * 59, 31), QStringLiteral("Var57"));
}

}  // namespace
