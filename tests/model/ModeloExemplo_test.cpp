// The sample model shipped in examples/ opens and reads as a current model.
#include "model/ArquivoModelo.h"
#include "model/ReconhecimentoModelo.h"
#include "model/dado.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

TEST(ExemploBaltimore, ReadsAsACurrentModelWithPriceLast) {
  const QString p = QStringLiteral(TARSOLIN_SOURCE_DIR "/examples/baltimore.tsn");
  QFile f(p);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray prefixo = f.read(18);
  ASSERT_EQ(prefixo.size(), 18);
  EXPECT_EQ(ReconheceArquivoModelo(prefixo.constData()), ClasseArquivo::Atual);

  auto cab = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(p, cab.get()));
  ASSERT_EQ(cab->NumVariaveis(), 16);
  EXPECT_EQ(cab->Dependente(), 15);
  EXPECT_EQ(cab->NomeVariavel(15), QStringLiteral("PRICE"));
  EXPECT_EQ(cab->NomeVariavel(cab->I32(CabecalhoModelo::OffVariavelX)), QStringLiteral("X"));
  EXPECT_EQ(cab->NomeVariavel(cab->I32(CabecalhoModelo::OffVariavelY)), QStringLiteral("Y"));
  ASSERT_EQ(cab->NumDados(), 211);
  EXPECT_EQ(cab->NumConsiderados(), 211);
  EXPECT_EQ(f.size(), TamanhoEsperadoModelo(*cab, false));

  std::vector<dado> dados(211);
  NEWMAT::Matrix W;
  ASSERT_TRUE(LeRegistrosModelo(p, cab.get(), dados.data(), nullptr, W));
  // First line of the table: 1,47,4,0,1,0,0,0,2,3,0,148,0,5.7,11.25,907,534
  EXPECT_EQ(dados[0].Endereco(), QStringLiteral("Observação 1"));
  EXPECT_EQ(dados[0].valor[15], 47.0);
  EXPECT_EQ(dados[0].valor[0], 4.0);
  EXPECT_EQ(dados[0].valor[11], 5.7);
  EXPECT_EQ(dados[0].valor[13], 907.0);
  EXPECT_EQ(dados[0].valor[14], 534.0);
}
