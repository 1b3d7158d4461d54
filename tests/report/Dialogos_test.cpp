// The report dialogs: measurements, the button box, the date list, margins and tabs.
#include "report/CButtonDialog.h"
#include "report/CDateDialog.h"
#include "report/CFormatTabDlg.h"
#include "report/CHelpDialog.h"
#include "report/CLaudoView.h"
#include "report/CPageSetupDlg.h"
#include "report/Medida.h"
#include "app/CTarsolinApp.h"
#include "app/UnidadesMedida.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QComboBox>
#include <gtest/gtest.h>

namespace {

class DialogosRelatorio : public ::testing::Test {
protected:
  void SetUp() override {
    CarregaUnidadesMedida();
    app_ = std::make_unique<CTarsolinApp>();
    app_->Opcoes().Units = 0;  // inches
    plat::DefineModoRoteiro(true);
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
    app_.reset();
  }
  std::unique_ptr<CTarsolinApp> app_;
};

TEST_F(DialogosRelatorio, MeasurementTypedInAnotherUnitKeepsWhatItShows) {
  int twips = 0;
  ASSERT_TRUE(medida::Le(QStringLiteral("2 cm"), &twips));
  EXPECT_EQ(twips, 1136);
  EXPECT_EQ(medida::Escreve(twips, 2), QStringLiteral("0,79\""));
  QLineEdit caixa;
  caixa.setText(QStringLiteral("2 cm"));
  ASSERT_TRUE(medida::LeCaixa(&caixa, &twips));
  EXPECT_EQ(twips, 1138);  // the reading of "0,79\""
  plat::GravadorMensagens mensagens;
  caixa.setText(QStringLiteral("dois"));
  EXPECT_FALSE(medida::LeCaixa(&caixa, &twips));
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Esta não é uma medida válida.")});
  caixa.clear();
  ASSERT_TRUE(medida::LeCaixa(&caixa, &twips));
  EXPECT_EQ(twips, medida::SemValor);
}

TEST_F(DialogosRelatorio, PageSetupRefusesAnEmptyMargin) {
  plat::GravadorMensagens mensagens;
  CPageSetupDlg dlg;
  dlg.m_nTopMargin = 1440;
  dlg.m_nBottomMargin = 1440;
  dlg.m_nLeftMargin = 720;
  dlg.m_nRightMargin = 720;
  bool aberto = false;
  plat::RoteiroPara(QStringLiteral("dlg532"), [&](QDialog& d) {
    EXPECT_EQ(plat::Texto(d, 1052), QStringLiteral("0,5\""));
    plat::DefineTexto(d, 1055, QString());
    plat::Pressiona(d, 1);
    aberto = d.isVisible();
    plat::DefineTexto(d, 1055, QStringLiteral("1,27 cm"));
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
  EXPECT_TRUE(aberto);
  ASSERT_EQ(mensagens.Textos().size(), 1);
  EXPECT_EQ(mensagens.Textos()[0], QStringLiteral("Valores deverão estar entre  -22\" e 22\"."));
  EXPECT_EQ(dlg.m_nTopMargin, 720);
  EXPECT_EQ(dlg.m_nLeftMargin, 720);
}

TEST_F(DialogosRelatorio, SystemPageSetupUnitsComeBackAsTwips) {
  // 1.27 cm is 1270 hundredths of a millimetre; 0.5 inch is 500 thousandths.
  EXPECT_EQ(CLaudoView::MargemDoDialogo(1270, true), 720);
  EXPECT_EQ(CLaudoView::MargemDoDialogo(500, false), 720);
  EXPECT_EQ(CLaudoView::MargemParaDialogo(1800, true), 3180);  // 3175 rounds up to a multiple of 10
  EXPECT_EQ(CLaudoView::MargemParaDialogo(1440, false), 1000);
}

TEST_F(DialogosRelatorio, ButtonBoxAnswersTheIndexAndWrapsLongText) {
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [](QDialog& d) { plat::Pressiona(d, 11); });
  EXPECT_EQ(CButtonDialog::AskWithButtons(QStringLiteral("Texto"), QStringLiteral("Título"),
                                          QStringLiteral("&Um\n&Dois\nTrês"), plat::MB_ICONQUESTION, 0, 2),
            1);
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [](QDialog& d) { d.reject(); });
  EXPECT_EQ(CButtonDialog::AskWithButtons(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("A\nB\nC\nD"), 0, 0, 3), 3);
  EXPECT_EQ(CButtonDialog::AskWithButtons(QStringLiteral("T"), QStringLiteral("C"), QString(), 0, 0, 2), 2);
  EXPECT_EQ(CButtonDialog::AskWithButtons(QStringLiteral("T"), QStringLiteral("C"), QString(), 0, 0, -1), 0);
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [](QDialog& d) { plat::Pressiona(d, 11); });
  EXPECT_EQ(CButtonDialog::AskWithButtons(QStringLiteral("T"), QStringLiteral("C"), QStringLiteral("A\nB\nC\nD"), 0, 0, 3,
                                          {1017, 1009, 1008}),
            1);

  const QString longo = QString(QStringLiteral("palavra ")).repeated(200);
  CButtonDialog dlg(longo, QStringLiteral("C"), {QStringLiteral("OK")}, plat::MB_ICONINFORMATION, 0, 0, {}, nullptr);
  auto* texto = dlg.findChild<QLabel*>(QStringLiteral("65535"));
  ASSERT_TRUE(texto);
  EXPECT_TRUE(texto->wordWrap());
  EXPECT_EQ(texto->maximumWidth(), QGuiApplication::primaryScreen()->geometry().width() * 5 / 8);
}

TEST_F(DialogosRelatorio, DateDialogListsEachTextOnce) {
  CDateDialog dlg(nullptr, QDateTime(QDate(2024, 1, 5), QTime(0, 0)));
  QStringList textos = dlg.Textos();
  ASSERT_FALSE(textos.isEmpty());
  EXPECT_EQ(textos.removeDuplicates(), 0);
  EXPECT_EQ(dlg.Escolhido(), textos.first());
}

TEST_F(DialogosRelatorio, TabDialogRefusesTheThirtyThirdTab) {
  FormatoParagrafo p;
  p.mascara = FormatoParagrafo::Tabulacoes;
  for (int i = 1; i <= 32; ++i) p.tabs.push_back(i * 90);
  CFormatTabDlg dlg(p);
  plat::GravadorMensagens mensagens;
  plat::RoteiroPara(QStringLiteral("dlg523"), [](QDialog& d) {
    plat::DefineTexto(d, 1037, QStringLiteral("5\""));
    plat::Pressiona(d, 1015);
    plat::Pressiona(d, 2);
  });
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Existem muitas tabulações definidas neste parágrafo.")});
  EXPECT_EQ(dlg.Tabulacoes().size(), 32u);
  // Removing one makes room; the new position is inserted in order.
  CFormatTabDlg outro(p);
  plat::RoteiroPara(QStringLiteral("dlg523"), [](QDialog& d) {
    plat::DefineTexto(d, 1037, QStringLiteral("0,06\""));  // 90 twips
    plat::Pressiona(d, 1013);
    plat::DefineTexto(d, 1037, QStringLiteral("5\""));
    plat::Pressiona(d, 1);
  });
  EXPECT_EQ(plat::ExecutaDialogo(outro), QDialog::Accepted);
  const std::vector<int> t = outro.Resultado().tabs;
  ASSERT_EQ(t.size(), 32u);
  EXPECT_EQ(t.front(), 180);
  EXPECT_EQ(t.back(), 7200);
}

TEST_F(DialogosRelatorio, HelpRequestsGoThroughTheHookOnlyWhenSet) {
  EXPECT_FALSE(CHelpDialog::TemAjuda());
  std::vector<std::pair<int, int>> pedidos;
  CHelpDialog::DefineAjuda([&](int d, int c) { pedidos.push_back({d, c}); });
  CPageSetupDlg dlg;
  EXPECT_TRUE(dlg.windowFlags() & Qt::WindowContextHelpButtonHint);
  dlg.show();
  auto* campo = dlg.findChild<QLineEdit*>(QStringLiteral("1049"));
  campo->setFocus();
  QApplication::processEvents();
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(&dlg, &f1);
  CHelpDialog::DefineAjuda({});
  ASSERT_EQ(pedidos.size(), 1u);
  EXPECT_EQ(pedidos[0].first, 532);
  CPageSetupDlg semAjuda;
  EXPECT_FALSE(semAjuda.windowFlags() & Qt::WindowContextHelpButtonHint);
}

}  // namespace
