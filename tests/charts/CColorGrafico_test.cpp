// The chart-style editor: what it shows for each kind, what each control
// writes into the live table, and the stored value coming back unchanged
// but for the edited field.
#include "EstiloGrafico.h"
#include "views/charts/CColorGrafico.h"
#include "views/charts/CTChart.h"
#include "views/charts/SeletorCor.h"

#include "platform/Dialogo.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QTreeWidget>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A stored table with a distinct value in every field, reserved ones included.
QByteArray ValorMarcado() {
  QByteArray v(TamanhoEstilosGraficos, '\0');
  for (int i = 0; i < NumEstilosGraficos * 21; ++i)
    qToLittleEndian<int32_t>(0x010203 * (i + 1) & 0xFFFFFF, reinterpret_cast<uchar*>(v.data()) + 4 * i);
  return v;
}

class Editor : public ::testing::Test {
protected:
  void SetUp() override {
    plat::DefineModoRoteiro(true);
    CarregaEstilosGraficos(ValorMarcado());
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
    CarregaEstilosGraficos(QByteArray());
  }
  static void EscolheCor(CColorGrafico& d, int controle, QColor cor) {
    plat::RoteiroPara(QStringLiteral("dlgCor"), [cor](QDialog& c) {
      static_cast<QColorDialog&>(c).setCurrentColor(cor);
      c.accept();
    });
    d.findChild<SeletorCor*>(QString::number(controle))->click();
  }
};

TEST_F(Editor, OpensOnTheFirstKindWithItsColoursAndSwitches) {
  EstilosGraficos[0].tonsCinza = 0;
  EstilosGraficos[0].gradiente = 1;
  EstilosGraficos[0].tresD = 1;
  CColorGrafico d;
  EXPECT_EQ(d.objectName(), QStringLiteral("dlg509"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Personalizar Gráficos"));
  auto* tipos = d.findChild<QTreeWidget*>(QStringLiteral("1132"));
  ASSERT_EQ(tipos->topLevelItemCount(), 13);
  EXPECT_EQ(tipos->topLevelItem(12)->text(0), QStringLiteral("Variáveis"));
  EXPECT_EQ(tipos->currentItem(), tipos->topLevelItem(0));
  EXPECT_EQ(d.Atual(), 0);
  const EstiloGrafico& r = EstilosGraficos[0];
  const std::pair<int, int32_t> cores[] = {{1016, r.corInicial}, {1021, r.corMeio},  {1017, r.corFinal},
                                           {1018, r.corPontos},  {1019, r.corLinhas}, {1022, r.corTitulo}};
  for (const auto& [id, cor] : cores) EXPECT_EQ(d.findChild<SeletorCor*>(QString::number(id))->Cor(), cor) << id;
  EXPECT_FALSE(plat::Marcado(d, 1030));
  EXPECT_TRUE(plat::Marcado(d, 1031));
  EXPECT_TRUE(plat::Marcado(d, 1032));
  // The sample: one fast line of ten values in the kind's line colour, under the title.
  CTChart* a = d.Amostra();
  ASSERT_EQ(a->NumSeries(), 1);
  EXPECT_EQ(a->ClasseDaSerie(0), CTChart::SerieLinhaRapida);
  EXPECT_EQ(a->NumPontos(0), 10);
  EXPECT_EQ(a->CorSerie(0), CorDeColorref(r.corLinhas));
  EXPECT_EQ(a->Titulo(), QStringLiteral("Título do Gráfico"));
  EXPECT_EQ(a->CorTitulo(), CorDeColorref(r.corTitulo));
  EXPECT_TRUE(a->TresD());
  EXPECT_EQ(plat::Texto(d, 1024), QStringLiteral("Gráfico de exemplo"));
}

TEST_F(Editor, EveryControlWritesItsFieldOfTheSelectedKind) {
  CColorGrafico d;
  auto* tipos = d.findChild<QTreeWidget*>(QStringLiteral("1132"));
  tipos->setCurrentItem(tipos->topLevelItem(12));
  ASSERT_EQ(d.Atual(), 12);
  const EstiloGrafico antes = EstilosGraficos[12];
  const EstiloGrafico vizinho = EstilosGraficos[11];
  struct Caso { int controle; QRgb cor; int32_t EstiloGrafico::*campo; };
  const Caso casos[] = {{1016, 0x112233, &EstiloGrafico::corInicial}, {1021, 0x445566, &EstiloGrafico::corMeio},
                        {1017, 0x778899, &EstiloGrafico::corFinal},   {1018, 0xAABBCC, &EstiloGrafico::corPontos},
                        {1019, 0xDDEEFF, &EstiloGrafico::corLinhas},  {1022, 0x102030, &EstiloGrafico::corTitulo}};
  for (const Caso& c : casos) {
    EscolheCor(d, c.controle, QColor(c.cor));
    EXPECT_EQ(EstilosGraficos[12].*c.campo, ColorrefDeCor(QColor(c.cor))) << c.controle;
  }
  EXPECT_EQ(d.Amostra()->CorFinalGradiente(), QColor(0x778899));
  EXPECT_EQ(d.Amostra()->CorSerie(0), QColor(0xDDEEFF));  // the last of points and lines
  EXPECT_EQ(d.Amostra()->CorTitulo(), QColor(0x102030));

  const bool cinza = EstilosGraficos[12].tonsCinza != 0;
  const bool gradiente = d.Amostra()->GradienteVisivel();
  d.findChild<QCheckBox*>(QStringLiteral("1030"))->click();
  EXPECT_EQ(EstilosGraficos[12].tonsCinza != 0, !cinza);
  EXPECT_EQ(d.Amostra()->GradienteVisivel(), gradiente);  // printing only
  d.findChild<QCheckBox*>(QStringLiteral("1031"))->click();
  EXPECT_EQ(EstilosGraficos[12].gradiente != 0, !(antes.gradiente != 0));
  EXPECT_EQ(d.Amostra()->GradienteVisivel(), EstilosGraficos[12].gradiente != 0);
  d.findChild<QCheckBox*>(QStringLiteral("1032"))->click();
  EXPECT_EQ(EstilosGraficos[12].tresD != 0, !(antes.tresD != 0));
  // Nothing leaks into another kind.
  EXPECT_EQ(std::memcmp(&EstilosGraficos[11], &vizinho, sizeof vizinho), 0);
  EXPECT_EQ(EstilosGraficos[12].legenda, antes.legenda);
  EXPECT_EQ(EstilosGraficos[12].direcaoGradiente, antes.direcaoGradiente);
}

TEST_F(Editor, StoredValueRoundTripsWithTheOneChangeEvenAfterCancel) {
  const QByteArray antes = ValorEstilosGraficos();
  ASSERT_EQ(antes, ValorMarcado());
  {
    CColorGrafico d;
    plat::RoteiroPara(QStringLiteral("dlg509"), [](QDialog& dlg) {
      auto* tipos = dlg.findChild<QTreeWidget*>(QStringLiteral("1132"));
      tipos->setCurrentItem(tipos->topLevelItem(3));
      plat::RoteiroPara(QStringLiteral("dlgCor"), [](QDialog& c) {
        static_cast<QColorDialog&>(c).setCurrentColor(QColor(0x123456));
        c.accept();
      });
      dlg.findChild<SeletorCor*>(QStringLiteral("1019"))->click();
      plat::Pressiona(dlg, 2);  // "Cancelar" keeps the change
    });
    EXPECT_EQ(plat::ExecutaDialogo(d), int(QDialog::Rejected));
  }
  QByteArray esperado = antes;
  qToLittleEndian<int32_t>(ColorrefDeCor(QColor(0x123456)), reinterpret_cast<uchar*>(esperado.data()) + 84 * 3 + 4 * 8);
  EXPECT_EQ(ValorEstilosGraficos(), esperado);
}

}  // namespace
