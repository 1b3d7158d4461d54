// The older products' files: synthetic version-4, version-5 and later-format
// files convert to the fields they announce, their counts are checked against
// their length, and a model exported to version 5 imports back.
#include "ModeloFixture.h"

#include "model/ArquivoModelo.h"
#include "model/FormatosAntigos.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

void Texto(unsigned char* campo, const char* t) { std::strcpy(reinterpret_cast<char*>(campo), t); }
void Texto(char* campo, const char* t) { std::strcpy(campo, t); }

template <class Cab, class... Registros>
bool GravaAntigo(const QString& caminho, const Cab& cab, const Registros&... registros) {
  QFile f(caminho);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  bool ok = f.write(reinterpret_cast<const char*>(cab.bytes), qint64(Cab::Tamanho)) == qint64(Cab::Tamanho);
  auto escreve = [&](const auto& v) {
    const qint64 n = qint64(v.size() * sizeof(v[0]));
    ok = ok && (n == 0 || f.write(reinterpret_cast<const char*>(v.data()), n) == n);
  };
  (escreve(registros), ...);
  return ok;
}

// A version-4 file of three variables (the dependent in the middle when asked)
// and four records; calculated when `calculado`.
struct Kmr4 {
  std::unique_ptr<CabecalhoKmr4> cab = std::make_unique<CabecalhoKmr4>();
  std::vector<dadoS4> dados;
  explicit Kmr4(bool calculado, int dependente = 2) {
    using K = CabecalhoKmr4;
    K& k = *cab;
    k.Zera();
    std::memcpy(k.bytes, "Kolmar 4.93", 11);
    Texto(k.bytes + K::OffNome, "Apartamentos Centro");
    Texto(k.bytes + K::OffAutor, "Eng. Silva");
    Texto(k.bytes + K::OffInformacoes, "Amostra de 1998, zona sul, SP");
    Texto(k.bytes + K::OffLinhasTitulo, "Linha antiga");
    k.SetI32(K::OffMargens, 11);
    Texto(k.bytes + K::OffNomes, "AREA");
    Texto(k.bytes + K::OffNomes + 26, "ABCDEFGHIJKLMNOPQRSTUVWXY");  // 25 characters, the field's maximum
    Texto(k.bytes + K::OffNomes + 52, "VALOR");
    k.SetI32(K::OffNumVariaveis, 3);
    k.SetI32(K::OffNumDados, 4);
    k.SetI32(K::OffNumConsiderados, 3);
    k.SetI32(K::OffDependente, dependente);
    for (int v = 0; v < 3; ++v) k.SetI32(K::OffHabilitadas + 4 * v, v != 1 ? 1 : 0);
    k.SetI32(K::OffVariavelDurbinWatson, 0);
    if (calculado) {
      k.SetI32(K::OffCalculado, 1);
      for (int v = 0; v < 3; ++v) {
        k.SetI32(K::OffTransformacoes + 4 * v, v + 1);
        k.SetF64(K::OffEstatisticaT + 8 * v, 1.5 + v);
        k.SetF64(K::OffCoeficientes + 8 * v, 10.0 * (v + 1));
        k.SetF64(K::OffSignificancias + 8 * v, 90.0 + v);
      }
      for (int i = 0; i < 4; ++i) k.SetI32(K::OffPercentuais + 4 * i, 60 + i);
      k.SetF64(K::OffCorrelacao, 0.91);
      k.SetF64(K::OffDurbinWatson, 1.87);
      k.SetF64(K::OffErroPadrao, 0.12);
      k.SetF64(K::OffF, 44.5);
      k.SetF64(K::OffConfiancaF, 0.99);
    }
    dados.assign(4, dadoS4{});
    for (int i = 0; i < 4; ++i) {
      for (int v = 0; v < 3; ++v) dados[i].valor[v] = 100.0 * v + i;
      dados[i].residuo = 7.0;
      std::snprintf(dados[i].endereco, sizeof dados[i].endereco, "Rua %d", i);
      Texto(dados[i].complemento, "apto 12");
      dados[i].excluido = i == 3 ? 1 : 0;
    }
  }
  bool Grava(const QString& c) const { return GravaAntigo(c, *cab, dados); }
};

// A version-5 file: four variables, two kept equations, protected.
struct Kmr5 {
  std::unique_ptr<CabecalhoKmr5> cab = std::make_unique<CabecalhoKmr5>();
  std::vector<dadoS5> dados;
  Kmr5() {
    using K = CabecalhoKmr5;
    K& k = *cab;
    k.Zera();
    std::memcpy(k.bytes, "Kolmar 5.30", 12);
    Texto(k.bytes + K::OffNome, "Casas");
    Texto(k.bytes + K::OffAutor, "Maria");
    Texto(k.bytes + K::OffInformacoes, "Informa\xe7\xf5" "es");
    Texto(k.bytes + K::OffData, "02/03/2001");
    Texto(k.bytes + K::OffSenha, "segredo1");
    k.SetU8(K::OffProtegido, 1);
    k.SetI32(K::OffModoAcesso, 1);
    const char* nomes[4] = {"AREA", "FRENTE", "PADRAO", "VALOR"};
    for (int v = 0; v < 4; ++v) {
      Texto(k.bytes + K::OffNomes + 31 * v, nomes[v]);
      Texto(k.bytes + K::OffDescricoes + 601 * v, "Descri\xe7\xe3o");  // Windows-1252
      k.SetI32(K::OffRelacoes + 4 * v, 1);
      k.SetI32(K::OffTipos + 4 * v, v + 1);
      k.SetI32(K::OffCasasDecimais + 4 * v, v);
      k.SetI32(K::OffLarguras + 4 * v, 900 + v);
      k.SetI32(K::OffHabilitadas + 4 * v, 1);
    }
    k.SetI32(K::OffLarguras + 4 * 4, 777);  // the slot after the last variable
    k.SetI32(K::OffLargurasFixas, 3000);
    k.SetI32(K::OffLargurasFixas + 4, 2000);
    k.SetI32(K::OffVariavelArea, 0);
    k.SetU8(K::OffValorUnitario, 1);
    k.SetI32(K::OffEstadoCalculo, 2);
    k.SetI32(K::OffNumEquacoes, 2);
    k.SetI32(K::OffEquacaoCorrente, 1);
    k.SetI32(K::OffNumVariaveis, 4);
    k.SetI32(K::OffNumDados, 3);
    k.SetI32(K::OffNumConsiderados, 3);
    k.SetI32(K::OffDependente, 3);
    k.SetI32(K::OffVariavelDurbinWatson, 2);
    for (int e = 0; e < 2; ++e) {
      for (int i = 0; i < 4; ++i) k.SetI32(K::OffPercentuais + 400 * i + 4 * e, 10 * i + e);
      for (int v = 0; v < 4; ++v) {
        k.SetI32(K::OffTransformacoes + 400 * v + 4 * e, (v + e) % 8);
        k.SetF64(K::OffEstatisticaT + 800 * v + 8 * e, v + 0.25 * e);
        k.SetF64(K::OffCoeficientes + 800 * v + 8 * e, -v - 0.5 * e);
        k.SetF64(K::OffSignificancias + 800 * v + 8 * e, 80.0 + v + e);
      }
      k.SetF64(K::OffCorrelacao + 8 * e, 0.8 + e / 100.0);
      k.SetF64(K::OffCorrelacaoOriginal + 8 * e, 0.7 + e / 100.0);
      k.SetF64(K::OffDurbinWatson + 8 * e, 1.9 + e);
      k.SetF64(K::OffErroPadrao + 8 * e, 0.3 + e);
      k.SetF64(K::OffErroPadraoOriginal + 8 * e, 300.0 + e);
      k.SetF64(K::OffF + 8 * e, 50.0 + e);
      k.SetF64(K::OffConfiancaF + 8 * e, 0.95);
    }
    k.SetI32(K::OffMetodo, 2);
    k.SetI32(K::OffOpcaoDurbinWatson, 1);
    for (int i = 0; i < 14; ++i) k.SetU8(K::OffBytesOpcoes + i, uint8_t(i + 1));
    dados.assign(3, dadoS5{});
    for (int i = 0; i < 3; ++i) {
      for (int v = 0; v < 4; ++v) dados[i].valor[v] = 10.0 * v + i;
      for (int e = 0; e < 100; ++e) dados[i].residuo[e] = e + i / 10.0;
      std::snprintf(dados[i].endereco, sizeof dados[i].endereco, "Av. %d", i);
      Texto(dados[i].complemento, "fundos");
      dados[i].excluido = i == 1;
      dados[i].negrito[0] = 1;
    }
  }
  bool Grava(const QString& c) const { return GravaAntigo(c, *cab, dados); }
};

// A later-format file: 40 variables, one equation, two appraisal records.
struct Arquivo550 {
  std::unique_ptr<Cabecalho550> cab = std::make_unique<Cabecalho550>();
  std::vector<dado550> dados;
  std::vector<dadoP550> dadosP;
  Arquivo550() {
    using K = Cabecalho550;
    K& k = *cab;
    k.Zera();
    std::memcpy(k.bytes, "Zelvar 1.0", 10);
    Texto(k.bytes + K::OffNome, "Lotes");
    Texto(k.bytes + K::OffData, "05/06/2004");
    const int nv = 40;
    for (int v = 0; v < nv; ++v) {
      char nome[16];
      std::snprintf(nome, sizeof nome, "V%02d", v);
      Texto(k.bytes + K::OffNomes + 31 * v, nome);
      k.SetI32(K::OffRelacoes + 4 * v, v % 2);
      k.SetI32(K::OffTipos + 4 * v, 5);
      k.SetI32(K::OffCasasDecimais + 4 * v, 3);
      k.SetI32(K::OffLarguras + 4 * v, 1000 + v);
      k.SetI32(K::OffHabilitadas + 4 * v, 1);
      k.SetI32(K::OffTransformacoes + 400 * v, 3);
      k.SetF64(K::OffEstatisticaT + 800 * v, 2.0 + v);
      k.SetF64(K::OffCoeficientes + 800 * v, 0.5 * v);
      k.SetF64(K::OffSignificancias + 800 * v, 95.0);
      k.SetF64(K::OffEstatisticasRegressor + 800 * v, 0.01 * v);
      k.SetF64(K::OffVariacao + 800 * v, 1.0 + v);
      k.SetF64(K::OffExpoentes + 800 * v, 0.5);
    }
    k.SetI32(K::OffLarguraFixa0, 2800);
    k.SetI32(K::OffLarguraFixa1, 1900);
    k.SetI32(K::OffLarguraAvaliacao1, 1700);
    k.SetI32(K::OffEstadoCalculo, 1);
    k.SetI32(K::OffNumEquacoes, 1);
    k.SetI32(K::OffNumVariaveis, nv);
    k.SetI32(K::OffNumDados, 2);
    k.SetI32(K::OffNumConsiderados, 2);
    k.SetI32(K::OffNumDadosP, 2);
    k.SetI32(K::OffDependente, nv - 1);
    k.SetI32(K::OffPercentuais + 1200, 3);  // three residuals beyond ±2
    k.SetF64(K::OffCorrelacao, 0.88);
    k.SetF64(K::OffErroPadrao, 0.2);
    k.SetF64(K::OffF, 12.0);
    k.SetI32(K::OffMetodo, 1);
    k.SetU8(K::OffBytesOpcoes + 4, 1);
    k.SetU8(K::OffMetodoCoeficientes, 1);
    dados.assign(2, dado550{});
    for (int i = 0; i < 2; ++i) {
      for (int v = 0; v < nv; ++v) dados[i].valor[v] = v * 2.0 + i;
      dados[i].residuo[0] = -0.5 - i;
      Texto(dados[i].endereco, "Estrada velha");
    }
    dadosP.assign(2, dadoP550{});
    for (int i = 0; i < 2; ++i) {
      for (int v = 0; v < 43; ++v) dadosP[i].valor[v] = 1000.0 + v;
      Texto(dadosP[i].endereco, "Rua Nova");
      Texto(dadosP[i].complemento, "casa 2");
      Texto(dadosP[i].bairro, "Centro");
      Texto(dadosP[i].cidade, "Campinas");
      Texto(dadosP[i].estado, "SP");
    }
  }
  bool Grava(const QString& c) const { return GravaAntigo(c, *cab, dados, dadosP); }
};

class FormatosAntigos : public ::testing::Test {
protected:
  QString Caminho(const QString& nome) const { return pasta.filePath(nome); }
  QTemporaryDir pasta;
  MargensPagina margens{1701, 1702, 1441, 1442};
};

void EsperaMargens(const C& c, const MargensPagina& m) {
  EXPECT_EQ(c.I32(C::OffMargens), m.esquerda);
  EXPECT_EQ(c.I32(C::OffMargens + 4), m.direita);
  EXPECT_EQ(c.I32(C::OffMargens + 8), m.superior);
  EXPECT_EQ(c.I32(C::OffMargens + 12), m.inferior);
}

TEST_F(FormatosAntigos, Versao4CalculadaConverteCamposEEquacaoZero) {
  Kmr4 k(true);
  ASSERT_TRUE(k.Grava(Caminho("v4.kmr")));
  ModeloConvertido m;
  ASSERT_TRUE(ImportaKmr4(Caminho("v4.kmr"), margens, m));
  const C& c = *m.cab;
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(c.bytes), 17), QByteArray("Tarsolin 15309664"));
  EXPECT_EQ(c.Texto(C::OffNome, 51), "Apartamentos Centro");
  EXPECT_EQ(c.Texto(C::OffAutor, 31), "Eng. Silva");
  EXPECT_EQ(c.Texto(C::OffInformacoes, 201), "Amostra de 1998, zona sul, SP");
  EXPECT_EQ(c.Texto(C::OffData, 11), "01/01/2003");  // the file had no date
  EXPECT_EQ(c.Texto(664, 101), "Tarsolin Windows 1.60");
  EXPECT_EQ(c.Texto(765, 101), "Sistema de Avaliação em Massa");
  EXPECT_EQ(c.Texto(866, 101), "");
  EsperaMargens(c, margens);
  EXPECT_EQ(c.U8(1092) * 1000 + c.U8(1093) * 100 + c.U8(1094) * 10 + c.U8(1095), 1011);
  EXPECT_EQ(c.U8(C::OffProtegido), 0);
  EXPECT_EQ(c.NumVariaveis(), 3);
  EXPECT_EQ(c.NumDados(), 4);
  EXPECT_EQ(c.NumConsiderados(), 3);
  EXPECT_EQ(c.NumDadosP(), 0);
  EXPECT_EQ(c.Dependente(), 2);
  EXPECT_EQ(c.EstadoCalculo(), 3);
  EXPECT_EQ(c.NumEquacoes(), 1);
  EXPECT_EQ(c.NomeVariavel(1), "ABCDEFGHIJKLMNOPQRSTUVWXY");
  for (int v = 0; v < 3; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(c.Habilitada(v), v != 1);
    EXPECT_EQ(c.TipoVariavel(v), 4);
    EXPECT_EQ(c.CasasDecimais(v), 2);
    EXPECT_EQ(c.Relacao(v), 0);
    EXPECT_EQ(c.I32(C::OffLargurasVariavel + 4 * v), 1134);
    EXPECT_EQ(c.DescricaoVariavel(v), "");
    EXPECT_EQ(c.Transformacao(v, 0), v + 1);
    EXPECT_EQ(c.F64VE(C::OffEstatisticaT, v, 0), 1.5 + v);
    EXPECT_EQ(c.F64VE(C::OffCoeficientes, v, 0), 10.0 * (v + 1));
    EXPECT_EQ(c.F64VE(C::OffSignificancias, v, 0), 90.0 + v);
  }
  EXPECT_EQ(c.I32(C::OffPercentual1), 60);
  EXPECT_EQ(c.I32(C::OffForaDe2), 63);
  EXPECT_EQ(c.F64(C::OffCorrelacao), 0.91);
  EXPECT_EQ(c.F64VE(C::OffEstatisticasEquacao, 3, 0), 1.87);  // the Durbin-Watson row
  EXPECT_EQ(c.F64(C::OffErroPadrao), 0.12);
  EXPECT_EQ(c.F64(C::OffF), 44.5);
  EXPECT_EQ(c.F64(C::OffConfiancaF), 0.99);
  // Options: method 3, Durbin-Watson on (a statistic was computed), codes 0-3.
  EXPECT_EQ(c.I32(408280), 3);
  EXPECT_EQ(c.I32(408284), 0);
  EXPECT_EQ(c.U8(408290), 1);
  for (int off = 408292; off <= 408295; ++off) EXPECT_EQ(c.U8(off), 1);
  EXPECT_EQ(c.I32(41260), 2552);
  EXPECT_EQ(c.I32(41540), 2552);
  EXPECT_EQ(c.I32(41292 + 4 * 4), 1134);  // the second slot after the last variable
  EXPECT_EQ(c.I32(C::OffNumElementosW), 0);
  EXPECT_EQ(c.I32(C::OffMaxIteracoes), 500);
  EXPECT_EQ(c.F64(C::OffRho), 0.5);
  EXPECT_EQ(c.I32(C::OffVariavelX), -1);

  ASSERT_EQ(m.dados.size(), 4u);
  EXPECT_EQ(m.dados[2].valor[1], 102.0);
  EXPECT_EQ(m.dados[2].Endereco(), "Rua 2");
  EXPECT_EQ(m.dados[2].Complemento(), "apto 12");
  EXPECT_EQ(m.dados[2].residuo[0], 0.0);  // the older residual is not carried
  EXPECT_EQ(m.dados[3].excluido, 1);
  EXPECT_EQ(m.dados[3].reservado1[0], 1);
  EXPECT_TRUE(c.ContagensValidas());
}

TEST_F(FormatosAntigos, Versao4SemCalculoFicaSemEquacaoEComMetodo1) {
  Kmr4 k(false);
  ASSERT_TRUE(k.Grava(Caminho("v4.kmr")));
  ModeloConvertido m;
  ASSERT_TRUE(ImportaKmr4(Caminho("v4.kmr"), margens, m));
  EXPECT_EQ(m.cab->EstadoCalculo(), 0);
  EXPECT_EQ(m.cab->NumEquacoes(), 0);
  EXPECT_EQ(m.cab->I32(408280), 1);
  EXPECT_EQ(m.cab->U8(408290), 0);
}

TEST_F(FormatosAntigos, Versao5ConverteTextosProtecaoTabelasEEquacoes) {
  Kmr5 k;
  ASSERT_TRUE(k.Grava(Caminho("v5.kmr")));
  ModeloConvertido m;
  ASSERT_TRUE(ImportaKmr5(Caminho("v5.kmr"), margens, m));
  const C& c = *m.cab;
  EXPECT_EQ(c.Texto(C::OffNome, 51), "Casas");
  EXPECT_EQ(c.Texto(C::OffAutor, 31), "Maria");
  EXPECT_EQ(c.Texto(C::OffData, 11), "02/03/2001");
  EXPECT_EQ(c.Texto(664, 101), "Tarsolin Windows 1.60");
  EsperaMargens(c, margens);
  EXPECT_EQ(c.U8(1093), 1);
  EXPECT_EQ(c.U8(C::OffProtegido), 1);
  EXPECT_EQ(c.Texto(C::OffSenha, 13), "segredo1");
  EXPECT_EQ(c.I32(C::OffAcessoSemSenha), 1);
  EXPECT_EQ(c.EstadoCalculo(), 2);
  EXPECT_EQ(c.NumEquacoes(), 2);
  EXPECT_EQ(c.EquacaoCorrente(), 1);
  EXPECT_EQ(c.NumVariaveis(), 4);
  EXPECT_EQ(c.Dependente(), 3);
  EXPECT_EQ(c.NomeVariavel(1), "FRENTE");
  EXPECT_EQ(c.DescricaoVariavel(2), "Descrição");
  for (int v = 0; v < 4; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(c.Relacao(v), 0);
    EXPECT_EQ(c.TipoVariavel(v), v + 1);
    EXPECT_EQ(c.CasasDecimais(v), v);
    EXPECT_EQ(c.I32(C::OffLargurasVariavel + 4 * v), 900 + v);
    EXPECT_EQ(c.I32(41292 + 4 * v), 900 + v);
  }
  EXPECT_EQ(c.I32(41292 + 4 * 4), 777);
  EXPECT_EQ(c.I32(41260), 3000);
  EXPECT_EQ(c.I32(41264), 2000);
  EXPECT_EQ(c.I32(41268), 1134);
  EXPECT_EQ(c.U8(C::OffValorUnitario), 1);
  EXPECT_EQ(c.I32(C::OffVariavelDurbinWatson), 2);
  for (int e = 0; e < 2; ++e) {
    SCOPED_TRACE(e);
    EXPECT_EQ(c.I32(C::OffPercentual196 + 4 * e), 20 + e);
    EXPECT_EQ(c.Transformacao(2, e), (2 + e) % 8);
    EXPECT_EQ(c.F64VE(C::OffEstatisticaT, 3, e), 3 + 0.25 * e);
    EXPECT_EQ(c.F64VE(C::OffCoeficientes, 1, e), -1 - 0.5 * e);
    EXPECT_EQ(c.F64VE(C::OffSignificancias, 0, e), 80.0 + e);
    EXPECT_EQ(c.F64(C::OffCorrelacao + 8 * e), 0.8 + e / 100.0);
    EXPECT_EQ(c.F64VE(C::OffEstatisticasEquacao, 0, e), 0.7 + e / 100.0);
    for (int linha = 1; linha < 4; ++linha) EXPECT_EQ(c.F64VE(C::OffEstatisticasEquacao, linha, e), -1.0);
    EXPECT_EQ(c.F64VE(C::OffEstatisticasEquacao, 4, e), 1.9 + e);
    EXPECT_EQ(c.F64(C::OffErroPadraoOriginal + 8 * e), 300.0 + e);
    EXPECT_EQ(c.F64(C::OffF + 8 * e), 50.0 + e);
  }
  EXPECT_EQ(c.I32(408280), 2);
  EXPECT_EQ(c.I32(408284), 1);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(c.U8(408288 + i), i + 1);
  EXPECT_EQ(c.U8(408302), 0);
  EXPECT_EQ(c.U8(C::OffSemElementosW), 1);
  ASSERT_EQ(m.dados.size(), 3u);
  EXPECT_EQ(m.dados[1].valor[3], 31.0);
  EXPECT_DOUBLE_EQ(m.dados[2].residuo[99], 99.2);
  EXPECT_EQ(m.dados[1].excluido, 1);
  EXPECT_EQ(m.dados[0].Complemento(), "fundos");
  EXPECT_EQ(m.dados[0].negrito[0], 0);  // display attributes start from the grid's defaults
}

TEST_F(FormatosAntigos, FormatoPosteriorConverteQuarentaVariaveisERegistrosDeAvaliacao) {
  Arquivo550 k;
  ASSERT_TRUE(k.Grava(Caminho("z.zlv")));
  ModeloConvertido m;
  ASSERT_TRUE(Importa550(Caminho("z.zlv"), margens, m));
  const C& c = *m.cab;
  EXPECT_EQ(c.Texto(C::OffNome, 51), "Lotes");
  EXPECT_EQ(c.NumVariaveis(), 40);
  EXPECT_EQ(c.NumDadosP(), 2);
  EXPECT_EQ(c.Dependente(), 39);
  EXPECT_EQ(c.NomeVariavel(39), "V39");
  EXPECT_EQ(c.Relacao(7), 1);
  EXPECT_EQ(c.TipoVariavel(7), 5);  // codes are carried unchanged
  EXPECT_EQ(c.I32(41292 + 4 * 7), 1007);
  EXPECT_EQ(c.I32(41260), 2800);
  EXPECT_EQ(c.I32(41540), 2800);
  EXPECT_EQ(c.I32(41264), 1900);
  EXPECT_EQ(c.I32(41544), 1700);
  EXPECT_EQ(c.Transformacao(5, 0), 3);
  EXPECT_EQ(c.F64VE(C::OffEstatisticaT, 5, 0), 7.0);
  EXPECT_DOUBLE_EQ(c.F64VE(C::OffEstatisticasEquacao, 6, 0), 0.05);  // regressor 5's row
  EXPECT_EQ(c.F64VE(C::OffVariacaoPercentual, 5, 0), 6.0);
  EXPECT_EQ(c.Expoente(5, 0), 0.5);
  EXPECT_EQ(c.I32(C::OffForaDe2), 3);
  EXPECT_EQ(c.F64(C::OffF), 12.0);
  EXPECT_EQ(c.U8(408292), 1);
  EXPECT_EQ(c.U8(408302), 1);
  EXPECT_EQ(c.I32(C::OffVariavelX), -1);
  EXPECT_EQ(c.I32(C::OffVariavelY), -1);
  ASSERT_EQ(m.dados.size(), 2u);
  EXPECT_EQ(m.dados[1].valor[39], 79.0);
  EXPECT_EQ(m.dados[1].residuo[0], -1.5);
  ASSERT_EQ(m.dadosP.size(), 2u);
  EXPECT_EQ(m.dadosP[0].valor[42], 1042.0);  // the variables and the three slots after them
  EXPECT_EQ(m.dadosP[0].Cidade(), "Campinas");
  EXPECT_EQ(m.dadosP[0].Estado(), "SP");
  EXPECT_EQ(m.dadosP[0].Complemento(), "casa 2");
}

// An older model whose dependent is not the last variable would regress every
// later fit on the wrong variable: it is moved last with its values.
TEST_F(FormatosAntigos, DependenteForaDoFimEMovidoParaOFim) {
  Kmr4 k(true, 0);
  ASSERT_TRUE(k.Grava(Caminho("v4.kmr")));
  ModeloConvertido m;
  ASSERT_TRUE(ImportaKmr4(Caminho("v4.kmr"), margens, m));
  const C& c = *m.cab;
  EXPECT_EQ(c.Dependente(), 2);
  EXPECT_EQ(c.NomeVariavel(2), "AREA");
  EXPECT_EQ(c.NomeVariavel(0), "VALOR");
  EXPECT_EQ(m.dados[1].valor[2], 1.0);
  EXPECT_EQ(m.dados[1].valor[0], 201.0);
  EXPECT_TRUE(c.Habilitada(0));
  EXPECT_TRUE(c.Habilitada(2));
  EXPECT_EQ(c.EstadoCalculo(), 0);  // the stored equation belonged to the old order
}

TEST_F(FormatosAntigos, ContagensForaDosLimitesOuAlemDoArquivoSaoRecusadas) {
  struct Caso {
    const char* nome;
    std::function<void(Kmr4&)> estraga;
  };
  const Caso casos[] = {
      {"variaveis demais", [](Kmr4& k) { k.cab->SetI32(CabecalhoKmr4::OffNumVariaveis, 31); }},
      {"registros negativos", [](Kmr4& k) { k.cab->SetI32(CabecalhoKmr4::OffNumDados, -1); }},
      {"considerados alem de N", [](Kmr4& k) { k.cab->SetI32(CabecalhoKmr4::OffNumConsiderados, 5); }},
      {"dependente alem das variaveis", [](Kmr4& k) { k.cab->SetI32(CabecalhoKmr4::OffDependente, 3); }},
      {"mais registros que o arquivo", [](Kmr4& k) { k.dados.pop_back(); }},
      {"cabecalho curto", [](Kmr4& k) { k.dados.clear(); k.cab->SetI32(CabecalhoKmr4::OffNumDados, 0); }},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nome);
    Kmr4 k(false);
    caso.estraga(k);
    const QString c = Caminho("ruim.kmr");
    ASSERT_TRUE(k.Grava(c));
    if (std::string(caso.nome) == "cabecalho curto") QFile::resize(c, CabecalhoKmr4::Tamanho - 1);
    ModeloConvertido m;
    EXPECT_FALSE(ImportaKmr4(c, margens, m));
  }
  Kmr5 k5;
  k5.cab->SetI32(CabecalhoKmr5::OffNumEquacoes, 101);
  ASSERT_TRUE(k5.Grava(Caminho("ruim5.kmr")));
  ModeloConvertido m5;
  EXPECT_FALSE(ImportaKmr5(Caminho("ruim5.kmr"), margens, m5));
  Arquivo550 z;
  z.dadosP.pop_back();
  ASSERT_TRUE(z.Grava(Caminho("ruim.zlv")));
  ModeloConvertido mz;
  EXPECT_FALSE(Importa550(Caminho("ruim.zlv"), margens, mz));
}

// A calculated model of the program with `equacoes` kept equations.
struct ModeloCalculado {
  std::unique_ptr<C> cab;
  std::vector<dado> dados;
  ModeloCalculado(int variaveis, int equacoes) : cab(teste::NovoCabecalho(variaveis, 3, 0)) {
    C& c = *cab;
    c.SetTexto(C::OffNome, 51, "Modelo exportado");
    c.SetTexto(C::OffAutor, 31, "Autor");
    c.SetTexto(C::OffInformacoes, 201, "Uma informação complementar bem mais longa que trinta letras");
    c.SetTexto(C::OffData, 11, "10/11/2012");
    c.SetTexto(664, 101, "Tarsolin Windows 1.60");
    for (int i = 0; i < 4; ++i) c.SetI32(C::OffMargens + 4 * i, 1000 + i);
    c.SetEstadoCalculo(1);
    c.SetNumEquacoes(equacoes);
    c.SetEquacaoCorrente(0);
    for (int v = 0; v < variaveis; ++v) {
      c.SetNomeVariavel(v, QString("VARIAVEL_COM_UM_NOME_LONGO_%1").arg(v));
      c.SetTipoVariavel(v, 5 - v % 5);
      c.SetCasasDecimais(v, 2);
      c.SetRelacao(v, 1);
      c.SetI32(C::OffLargurasVariavel + 4 * v, 1134);
    }
    for (int e = 0; e < equacoes; ++e) {
      for (int v = 0; v < variaveis; ++v) {
        c.SetTransformacao(v, e, (v + e) % 8);
        c.SetF64VE(C::OffCoeficientes, v, e, v * 100.0 + e);
        c.SetF64VE(C::OffEstatisticaT, v, e, -v - e / 7.0);
      }
      c.SetF64(C::OffCorrelacao + 8 * e, e / 100.0);
      c.SetF64VE(C::OffEstatisticasEquacao, variaveis, e, 2.0 - e / 50.0);
      c.SetI32(C::OffForaDe2 + 4 * e, e % 3);
    }
    dados.assign(3, dado{});
    for (int i = 0; i < 3; ++i) {
      for (int v = 0; v < variaveis; ++v) dados[i].valor[v] = i * 10.0 + v;
      for (int e = 0; e < 100; ++e) dados[i].residuo[e] = e + 0.5;
      dados[i].SetEndereco(QString("Rua do Exportador, %1").arg(i));
      dados[i].SetComplemento("Complemento com mais de vinte letras");
    }
  }
};

TEST_F(FormatosAntigos, ExportacaoVersao5LimitaEquacoesEReclassificaQuantitativas) {
  ModeloCalculado modelo(5, 100);
  auto k = std::make_unique<CabecalhoKmr5>();
  std::vector<dadoS5> registros;
  ASSERT_TRUE(MontaKmr5(*modelo.cab, modelo.dados.data(), *k, registros));
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(k->bytes), 17), QByteArray("Kolmar 5.30\0" "09663", 17));
  EXPECT_EQ(k->I32(CabecalhoKmr5::OffNumEquacoes), 99);
  EXPECT_EQ(k->I32(CabecalhoKmr5::OffTipos), 3);           // "Quantitativa" (5) becomes 3
  EXPECT_EQ(k->I32(CabecalhoKmr5::OffTipos + 4), 4);
  EXPECT_EQ(k->I32(CabecalhoKmr5::OffRelacoes), 1);
  EXPECT_EQ(k->U8(CabecalhoKmr5::OffImpressao + 1), 0);
  EXPECT_EQ(k->I32(CabecalhoKmr5::OffMargens + 12), 1003);
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(k->bytes + CabecalhoKmr5::OffNomes)), "VARIAVEL_COM_UM_NOME_LONGO");
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(k->bytes + CabecalhoKmr5::OffInformacoes)).size(), 30);
  EXPECT_EQ(k->F64(CabecalhoKmr5::OffCoeficientes + 800 * 2 + 8 * 98), 298.0);
  EXPECT_EQ(k->F64(CabecalhoKmr5::OffCoeficientes + 800 * 2 + 8 * 99), 0.0);  // the hundredth is left out
  EXPECT_EQ(k->F64(CabecalhoKmr5::OffDurbinWatson + 8 * 98), 2.0 - 98 / 50.0);
  ASSERT_EQ(registros.size(), 3u);
  EXPECT_EQ(registros[0].residuo[98], 98.5);
  EXPECT_EQ(registros[0].residuo[99], 0.0);
  EXPECT_EQ(QByteArray(registros[0].complemento), "Complemento com mais");

  ModeloCalculado semCalculo(5, 3);
  semCalculo.cab->SetEstadoCalculo(0);
  ASSERT_TRUE(MontaKmr5(*semCalculo.cab, semCalculo.dados.data(), *k, registros));
  EXPECT_EQ(registros[0].residuo[0], 0.0);
  EXPECT_EQ(k->F64(CabecalhoKmr5::OffCoeficientes + 800 * 2), 0.0);
}

TEST_F(FormatosAntigos, ExportacaoRecusaMaisDeTrintaVariaveis) {
  ModeloCalculado modelo(31, 1);
  const QString destino = Caminho("grande.kmr");
  EXPECT_EQ(ExportaKmr5(*modelo.cab, modelo.dados.data(), destino), ResultadoExportacao::VariaveisDemais);
  EXPECT_FALSE(QFile::exists(destino));
  ModeloCalculado trinta(30, 1);
  EXPECT_EQ(ExportaKmr5(*trinta.cab, trinta.dados.data(), destino), ResultadoExportacao::Feito);
  EXPECT_EQ(QFile(destino).size(), qint64(CabecalhoKmr5::Tamanho + 3 * dadoS5::Tamanho));
}

TEST_F(FormatosAntigos, ExportacaoVersao5SeguidaDeImportacaoVoltaAoModelo) {
  ModeloCalculado modelo(4, 3);
  C& origem = *modelo.cab;
  origem.SetTipoVariavel(0, 2);
  origem.SetHabilitada(1, false);
  origem.SetU8(C::OffProtegido, 1);
  origem.SetTexto(C::OffSenha, 13, "abcdef");
  origem.SetI32(C::OffAcessoSemSenha, 2);
  origem.SetI32(C::OffVariavelDurbinWatson, 1);
  origem.SetU8(408290, 1);
  modelo.dados[1].excluido = 1;
  origem.SetNumConsiderados(2);
  const QString destino = Caminho("volta.kmr");
  ASSERT_EQ(ExportaKmr5(origem, modelo.dados.data(), destino), ResultadoExportacao::Feito);

  ModeloConvertido m;
  ASSERT_TRUE(ImportaKmr5(destino, margens, m));
  const C& c = *m.cab;
  const std::pair<std::size_t, std::size_t> textos[] = {{C::OffNome, 51}, {C::OffAutor, 31}, {C::OffData, 11}, {C::OffSenha, 13}};
  for (auto [off, tam] : textos) EXPECT_EQ(c.Texto(off, tam), origem.Texto(off, tam)) << off;
  EXPECT_EQ(c.Texto(C::OffInformacoes, 201), origem.Texto(C::OffInformacoes, 201).left(30));
  EXPECT_EQ(c.I32(C::OffAcessoSemSenha), 2);
  for (std::size_t off : {C::OffEstadoCalculo, C::OffNumEquacoes, C::OffEquacaoCorrente, C::OffNumVariaveis,
                          C::OffNumDados, C::OffNumConsiderados, C::OffDependente, C::OffVariavelDurbinWatson,
                          std::size_t(408280), std::size_t(408284)})
    EXPECT_EQ(c.I32(off), origem.I32(off)) << off;
  EXPECT_EQ(c.U8(408290), 1);
  for (int v = 0; v < 4; ++v) {
    SCOPED_TRACE(v);
    EXPECT_EQ(c.NomeVariavel(v), origem.NomeVariavel(v).left(26));
    EXPECT_EQ(c.Habilitada(v), origem.Habilitada(v));
    EXPECT_EQ(c.TipoVariavel(v), origem.TipoVariavel(v) == 5 ? 3 : origem.TipoVariavel(v));
    EXPECT_EQ(c.CasasDecimais(v), origem.CasasDecimais(v));
    for (int e = 0; e < 3; ++e) {
      EXPECT_EQ(c.Transformacao(v, e), origem.Transformacao(v, e));
      EXPECT_EQ(c.F64VE(C::OffCoeficientes, v, e), origem.F64VE(C::OffCoeficientes, v, e));
      EXPECT_EQ(c.F64VE(C::OffEstatisticaT, v, e), origem.F64VE(C::OffEstatisticaT, v, e));
    }
  }
  for (int e = 0; e < 3; ++e) {
    EXPECT_EQ(c.F64(C::OffCorrelacao + 8 * e), origem.F64(C::OffCorrelacao + 8 * e));
    EXPECT_EQ(c.F64VE(C::OffEstatisticasEquacao, 4, e), origem.F64VE(C::OffEstatisticasEquacao, 4, e));
    EXPECT_EQ(c.I32(C::OffForaDe2 + 4 * e), origem.I32(C::OffForaDe2 + 4 * e));
  }
  ASSERT_EQ(m.dados.size(), modelo.dados.size());
  for (std::size_t i = 0; i < m.dados.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(0, std::memcmp(m.dados[i].valor, modelo.dados[i].valor, sizeof(double) * 4));
    EXPECT_EQ(0, std::memcmp(m.dados[i].residuo, modelo.dados[i].residuo, sizeof(double) * 3));
    EXPECT_EQ(m.dados[i].Endereco(), modelo.dados[i].Endereco());
    EXPECT_EQ(m.dados[i].Complemento(), modelo.dados[i].Complemento().left(20));
    EXPECT_EQ(m.dados[i].excluido, modelo.dados[i].excluido);
  }
}

}  // namespace
