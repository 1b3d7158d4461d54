// "Cálculo de W": the weights matrix from two coordinate variables, in the
// form that writes the document's W and saves the model.
#include "Fixturas.h"
#include "views/data/CCalculoW.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QComboBox>
#include <cmath>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

struct CalculoW : AmbienteComandos {
  CTarsolinDoc doc;
  QString caminho;
  // Three records at (0, 0), (3, 4) and (6, 12); the last one excluded.
  void Abre(int xGuardado, int yGuardado) {
    auto cab = CabecalhoPequeno(3);
    cab->SetI32(C::OffNumConsiderados, 2);
    cab->SetI32(C::OffVariavelX, xGuardado);
    cab->SetI32(C::OffVariavelY, yGuardado);
    std::vector<dado> dados(3);
    const double xy[3][2] = {{0, 0}, {3, 4}, {6, 12}};
    for (int i = 0; i < 3; ++i) {
      dados[i].valor[0] = xy[i][0];
      dados[i].valor[1] = xy[i][1];
      dados[i].valor[2] = 100.0 + i;
    }
    dados[2].excluido = 1;
    NEWMAT::Matrix w;
    caminho = pasta.filePath("w.tsn");
    ASSERT_TRUE(GravaArquivoModelo(caminho, cab.get(), dados.data(), nullptr, w));
    ASSERT_TRUE(doc.AbreArquivo(caminho));
  }
  // Runs the dialog: notes the preselected variables, picks (x, y) or
  // presses `botao` as they are.
  void Executa(int x, int y, int botao, int* xInicial = nullptr, int* yInicial = nullptr) {
    plat::RoteiroPara("dlg506", [=](QDialog& d) {
      auto* cx = d.findChild<QComboBox*>("1037");
      auto* cy = d.findChild<QComboBox*>("1038");
      ASSERT_EQ(cx->count(), 3);
      EXPECT_EQ(cx->itemText(2), QStringLiteral("V2"));
      if (xInicial) *xInicial = cx->currentIndex();
      if (yInicial) *yInicial = cy->currentIndex();
      if (x >= 0) cx->setCurrentIndex(x);
      if (y >= 0) cy->setCurrentIndex(y);
      plat::Pressiona(d, botao);
    });
    CCalculoW dlg;
    dlg.documento = &doc;
    plat::ExecutaDialogo(dlg);
  }
};
}  // namespace

TEST_F(CalculoW, DistancesBetweenAllRecordsThenTheModelIsSaved) {
  Abre(0, 1);
  Executa(-1, -1, 1);
  const NEWMAT::Matrix& w = doc.GetW();
  ASSERT_EQ(w.Nrows(), 3);
  ASSERT_EQ(w.Ncols(), 3);
  // Independent figures: the excluded record takes part as well.
  const double esperado[3][3] = {{0, 5, std::hypot(6, 12)}, {5, 0, std::hypot(3, 8)}, {std::hypot(6, 12), std::hypot(3, 8), 0}};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(w(i + 1, j + 1), esperado[i][j]) << i << "," << j;
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Cálculos finalizados!")});
  EXPECT_FALSE(doc.IsModified());
  auto lido = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(caminho, lido.get()));
  EXPECT_EQ(lido->I32(C::OffVariavelX), 0);
  EXPECT_EQ(lido->I32(C::OffVariavelY), 1);
}

TEST_F(CalculoW, TheSameVariableTwiceMeasuresAlongIt) {
  Abre(0, 1);
  Executa(1, 1, 1);
  // The plane formula with x = y: the gap along the coordinate times sqrt(2).
  EXPECT_DOUBLE_EQ(doc.GetW()(1, 2), std::sqrt(2.0) * 4.0);
  EXPECT_DOUBLE_EQ(doc.GetW()(3, 1), std::sqrt(2.0) * 12.0);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffVariavelX), 1);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffVariavelY), 1);
}

TEST_F(CalculoW, StoredChoicesOutsideTheVariablesOpenOnTheFirstAndSecond) {
  const struct {
    int x, y;              // stored
    int xAberto, yAberto;  // shown on opening
  } casos[] = {{2, 0, 2, 0}, {-1, 3, 0, 1}, {3, -7, 0, 1}};
  for (const auto& c : casos) {
    Abre(c.x, c.y);
    int x = -9, y = -9;
    Executa(-1, -1, 2, &x, &y);
    EXPECT_EQ(x, c.xAberto) << c.x;
    EXPECT_EQ(y, c.yAberto) << c.y;
  }
}

TEST_F(CalculoW, FecharAndTooManyRecordsChangeNothing) {
  Abre(1, 0);
  doc.GetW().ReSize(2, 2);
  doc.GetW() = 7.0;
  Executa(0, 2, 2);
  EXPECT_EQ(doc.GetW().Nrows(), 2);
  EXPECT_EQ(doc.GetW()(1, 2), 7.0);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffVariavelX), 1);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffVariavelY), 0);
  EXPECT_TRUE(mensagens.Textos().isEmpty());

  // Past the limit of W the dialog refuses before it stores anything, also
  // with the records already loaded.
  ASSERT_TRUE(doc.CarregaRegistros());
  doc.GetCabecalho()->SetI32(C::OffNumDados, CTarsolinDoc::MaxRegistrosW + 1);
  Executa(0, 2, 1);
  EXPECT_EQ(mensagens.Textos().size(), 1);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffVariavelX), 1);
  EXPECT_EQ(doc.GetCabecalho()->I32(C::OffVariavelY), 0);
  EXPECT_EQ(doc.GetW()(1, 2), 7.0);
}
