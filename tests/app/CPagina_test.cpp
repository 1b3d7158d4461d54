// The page options dialog (533): header lines, page flags written at once,
// margins through the page-setup dialog, Escape and the password.
#include "CChildFrame.h"
#include "CPagina.h"
#include "CTarsolinApp.h"
#include "controls/ImpressaoPagina.h"
#include "report/CPageSetupDlg.h"
#include "ModeloTeste.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QDoubleSpinBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using C = CabecalhoModelo;

struct Pagina : ::testing::Test {
  QTemporaryDir pasta;
  CTarsolinDoc doc;
  plat::GravadorMensagens mensagens{plat::IDNO};  // the save offer: not now
  void SetUp() override {
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    teste::Modelo m(2, 0);
    C& c = *m.cab;
    c.SetTexto(C::OffLinhaTitulo, C::TamLinhaTitulo, "Linha um");
    c.SetTexto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo, "Linha dois");
    c.SetU8(C::OffImprimeCabecalho, 1);
    c.SetU8(C::OffImprimeRodape, 0);
    c.SetU8(C::OffImprimeData, 1);
    c.SetU8(C::OffNumeraPaginas, 0);
    for (int k = 0; k < 4; ++k) c.SetI32(C::OffMargens + 4 * size_t(k), 1440);
    const QString caminho = pasta.filePath("m.tsn");
    ASSERT_TRUE(m.Grava(caminho));
    ASSERT_TRUE(doc.AbreArquivo(caminho));
  }
  void TearDown() override { plat::LimpaRoteiros(); }
  C& Cab() { return *doc.GetCabecalho(); }
};

TEST(PaginaUnidades, MarginsConvertAndRoundToTens) {
  struct Caso { int twips; bool metrico; int dialogo; } casos[] = {
      {1440, true, 2540}, {1440, false, 1000}, {1700, true, 3000}, {567, true, 1000}, {0, true, 0}, {-1440, true, -2540},
  };
  for (const Caso& c : casos) EXPECT_EQ(MargemParaDialogo(c.twips, c.metrico), c.dialogo) << c.twips;
  EXPECT_EQ(MargemDoDialogo(2540, true), 1440);
  EXPECT_EQ(MargemDoDialogo(1000, false), 1440);
  EXPECT_EQ(MargemDoDialogo(2545, true), 1446);  // 2550 hundredths of a millimetre
}

TEST_F(Pagina, ShowsTheHeaderAndWritesTheBoxesAtOnce) {
  CPagina dlg(&doc);
  EXPECT_EQ(plat::Texto(dlg, 1056), QStringLiteral("Linha um"));
  EXPECT_EQ(plat::Texto(dlg, 1057), QStringLiteral("Linha dois"));
  EXPECT_FALSE(plat::Marcado(dlg, 1030));  // header printed: "Não utilizar cabeçalho" clear
  EXPECT_TRUE(plat::Marcado(dlg, 1033));
  EXPECT_TRUE(plat::Marcado(dlg, 1032));
  EXPECT_FALSE(plat::Marcado(dlg, 1031));
  plat::Pressiona(dlg, 1030);
  EXPECT_EQ(Cab().U8(C::OffImprimeCabecalho), 0);
  plat::Pressiona(dlg, 1031);
  EXPECT_EQ(Cab().U8(C::OffNumeraPaginas), 1);
  plat::Pressiona(dlg, 1);
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Cab().U8(C::OffImprimeCabecalho), 0);
}

TEST_F(Pagina, TheSecondLineAloneIsStored) {
  CPagina dlg(&doc);
  auto* e = dlg.findChild<QLineEdit*>(QStringLiteral("1057"));
  e->setFocus();
  e->selectAll();
  QTest::keyClicks(e, QStringLiteral("Outra linha"));
  plat::Pressiona(dlg, 1);
  EXPECT_EQ(Cab().Texto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo), QStringLiteral("Outra linha"));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(mensagens.Mensagens().size(), 1u);  // the save offer ran
}

TEST_F(Pagina, EscapePutsBackWhatTheBoxesWrote) {
  CPagina dlg(&doc);
  plat::Pressiona(dlg, 1030);
  plat::Pressiona(dlg, 1033);
  EXPECT_EQ(Cab().U8(C::OffImprimeRodape), 1);
  dlg.reject();
  EXPECT_EQ(Cab().U8(C::OffImprimeCabecalho), 1);
  EXPECT_EQ(Cab().U8(C::OffImprimeRodape), 0);
  EXPECT_FALSE(doc.IsModified());
}

// With a printer installed the system's page setup shows the margins in its
// unit; without one the program's own margins dialog takes twips.
TEST_F(Pagina, MarginsGoThroughThePageSetupDialog) {
  const bool metrico = CTarsolinApp::UnidadePadrao() == 1;
  const bool sistema = !QPrinterInfo::availablePrinters().isEmpty();
  QMarginsF mostradas;
  int twipsMostrados = 0;
  plat::RoteiroPara(QStringLiteral("dlgPageSetup"), [&](QDialog& d) {
    auto* p = static_cast<QPageSetupDialog&>(d).printer();
    mostradas = p->pageLayout().margins(metrico ? QPageLayout::Millimeter : QPageLayout::Inch);
    if (auto* esquerda = d.findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"))) esquerda->setValue(metrico ? 30.0 : 1.25);
    d.accept();
  });
  plat::RoteiroPara(QStringLiteral("dlg532"), [&](QDialog& d) {
    auto& m = static_cast<CPageSetupDlg&>(d);
    twipsMostrados = m.m_nLeftMargin;
    m.m_nLeftMargin = metrico ? 1701 : 1800;
    d.done(QDialog::Accepted);
  });
  CPagina dlg(&doc);
  plat::Pressiona(dlg, 32859);
  if (sistema) {
    // 1,440 twips show as 25,40 mm (2,540 hundredths) or 1 inch.
    EXPECT_NEAR(mostradas.left(), metrico ? 25.40 : 1.0, 1e-6);
    EXPECT_NEAR(mostradas.top(), metrico ? 25.40 : 1.0, 1e-6);
  } else {
    EXPECT_EQ(twipsMostrados, 1440);
  }
  EXPECT_EQ(Cab().I32(C::OffMargens), metrico ? 1701 : 1800);  // 30 mm or 1.25 in
  EXPECT_EQ(Cab().I32(C::OffMargens + 4), 1440);
  dlg.reject();  // Escape: the margins go back too
  EXPECT_EQ(Cab().I32(C::OffMargens), 1440);
}

// "&Margens" also writes the application's default margins and printer at
// once: Escape puts them back with the header; "&Fechar" keeps them.
TEST_F(Pagina, EscapePutsBackTheDefaultMarginsAndPrinterToo) {
  const bool metrico = CTarsolinApp::UnidadePadrao() == 1;
  const int novaEsquerda = metrico ? 1701 : 1800;
  struct Caso { const char* nome; bool escape; } casos[] = {{"Escape", true}, {"Fechar", false}};
  for (const Caso& caso : casos) {
    CTarsolinApp app;
    const Retangulo antes{1000, 1100, 1200, 1300};
    app.Opcoes().PageMargin = antes;
    app.RestauraImpressora(QStringLiteral("impressora de antes"));
    for (int k = 0; k < 4; ++k) Cab().SetI32(C::OffMargens + 4 * size_t(k), 1440);
    // Each script answers one dialog.
    plat::RoteiroPara(QStringLiteral("dlgPageSetup"), [&](QDialog& d) {
      if (auto* esquerda = d.findChild<QDoubleSpinBox*>(QStringLiteral("leftMargin"))) esquerda->setValue(metrico ? 30.0 : 1.25);
      d.accept();
    });
    plat::RoteiroPara(QStringLiteral("dlg532"), [&](QDialog& d) {
      static_cast<CPageSetupDlg&>(d).m_nLeftMargin = metrico ? 1701 : 1800;
      d.done(QDialog::Accepted);
    });
    CPagina dlg(&doc);
    dlg.show();
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("32859")), Qt::LeftButton);
    ASSERT_EQ(app.Opcoes().PageMargin.left, novaEsquerda) << caso.nome;
    if (caso.escape) QTest::keyClick(&dlg, Qt::Key_Escape);
    else QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
    EXPECT_FALSE(dlg.isVisible()) << caso.nome;
    const Retangulo& m = app.Opcoes().PageMargin;
    if (caso.escape) {
      EXPECT_EQ(m.left, 1000);
      EXPECT_EQ(m.top, 1100);
      EXPECT_EQ(m.right, 1200);
      EXPECT_EQ(m.bottom, 1300);
      EXPECT_EQ(app.ImpressoraPadrao(), QStringLiteral("impressora de antes"));
      EXPECT_EQ(Cab().I32(C::OffMargens), 1440);
    } else {
      EXPECT_EQ(m.left, novaEsquerda);
      EXPECT_EQ(m.top, 1440);
      EXPECT_EQ(Cab().I32(C::OffMargens), novaEsquerda);
    }
  }
}

TEST_F(Pagina, TheModelWindowsPageCommandRunsTheDialog) {
  CPagina::Registra();
  const auto dialogo = CChildFrame::DialogoRegistrado(57605);
  ASSERT_TRUE(bool(dialogo));
  bool visto = false;
  plat::RoteiroPara(QStringLiteral("dlg533"), [&](QDialog& d) {
    visto = true;
    plat::Pressiona(d, 1032);
    d.reject();
  });
  EXPECT_TRUE(dialogo(doc));
  EXPECT_TRUE(visto);
  EXPECT_EQ(Cab().U8(C::OffImprimeData), 1);  // Escape put the box's change back
  CChildFrame::RegistraDialogo(57605, {});
}

TEST_F(Pagina, ALockedModelKeepsItsHeaderOptionsButNotTheFooterOrMargins) {
  Cab().SetU8(C::OffProtegido, 1);
  Cab().SetU8(C::OffDesbloqueado, 0);
  CPagina dlg(&doc);
  for (int id : {1056, 1057, 1030, 1031, 1032}) EXPECT_FALSE(plat::Habilitado(dlg, id)) << id;
  for (int id : {1033, 32859, 1}) EXPECT_TRUE(plat::Habilitado(dlg, id)) << id;
}

}  // namespace
