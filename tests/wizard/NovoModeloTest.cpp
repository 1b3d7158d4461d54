// New through the program's document services: the wizard runs first, and
// only a finished wizard is offered for saving; the properties sheet and the
// catalogue editor are the model window's commands once registered.
#include "views/wizard/AssistenteModelo.h"

#include "app/CChildFrame.h"
#include "app/ServicosDocumentoApp.h"
#include "controls/CWizard.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class NovoModelo : public ::testing::Test {
protected:
  void SetUp() override {
    plat::DefineModoRoteiro(true);
    CTarsolinDoc::DefineServicos(&servicos_);
  }
  void TearDown() override {
    CTarsolinDoc::DefineServicos(nullptr);
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  ServicosDocumentoApp servicos_{nullptr};
};

TEST_F(NovoModelo, AssistenteCanceladoNaoPedeParaSalvar) {
  bool salvar = false;
  plat::RoteiroPara("dlgSalvarModelo", [&](QDialog& d) {
    salvar = true;
    d.reject();
  });
  plat::RoteiroPara("dlgWizard", [](QDialog& d) { d.reject(); });
  plat::GravadorMensagens msgs;
  CTarsolinDoc doc;
  EXPECT_FALSE(doc.OnNewDocument());
  EXPECT_TRUE(msgs.Textos().isEmpty());
  EXPECT_FALSE(salvar);
}

TEST_F(NovoModelo, ModeloDoAssistenteESalvoComoFoiDefinido) {
  QTemporaryDir dir;
  const QString destino = dir.filePath("novo.tsn");
  plat::RoteiroPara("dlgWizard", [](QDialog& d) {
    auto& w = static_cast<CWizard&>(d);
    auto pagina = [&w]() -> QWidget& { return *w.currentPage(); };
    w.next();
    for (const char* nome : {"VALOR", "AREA"}) {
      auto* e = qobject_cast<QLineEdit*>(plat::Controle(pagina(), 1056));
      e->setText(nome);
      QTest::keyClick(e, Qt::Key_Return);
    }
    w.next();
    plat::Pressiona(pagina(), 1030);  // VALOR, the first, is the dependent
    plat::Pressiona(pagina(), 1101);
    w.next();
    plat::Pressiona(pagina(), 1030);
    plat::DefineTexto(pagina(), 1056, "abcdef");
    plat::DefineTexto(pagina(), 1057, "abcdef");
    w.button(QWizard::FinishButton)->click();
  });
  plat::RoteiroPara("dlgSalvarModelo", [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(destino);
    d.accept();
  });
  plat::GravadorMensagens msgs(plat::IDYES);
  CTarsolinDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  auto cab = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(destino, cab.get()));
  EXPECT_EQ(cab->NumVariaveis(), 2);
  EXPECT_EQ(cab->Dependente(), 1);
  EXPECT_EQ(cab->Texto(1120 + 31, 31), "VALOR");
  EXPECT_EQ(cab->U8(41288), 1);
  EXPECT_EQ(cab->U8(1109), 1);
  EXPECT_EQ(cab->Texto(1096, 13), "abcdef");
  EXPECT_EQ(cab->I32(1112), 1);
}

TEST_F(NovoModelo, ComandosDaJanelaDoModeloRegistrados) {
  RegistraAssistenteModelo();
  EXPECT_TRUE(bool(CChildFrame::DialogoRegistrado(32910)));
  CChildFrame::RegistraDialogo(32910, {});
  CChildFrame::DefineAssistentePropriedades({});
  CChildFrame::DefineFolhaPropriedades({});
}

}  // namespace
