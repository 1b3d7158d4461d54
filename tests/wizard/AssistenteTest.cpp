// The new-model wizard and the properties sheets, driven as a user would:
// controls by id on the page shown, Next, Back and Finish on the sheet.
#include "views/wizard/AssistenteModelo.h"
#include "views/wizard/CNomeVariaveis.h"
#include "views/wizard/CSenhaModelo.h"
#include "views/wizard/CTipoVariaveis.h"

#include "controls/CWizard.h"
#include "model/CabecalhoModelo.h"
#include "model/Var.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using C = CabecalhoModelo;

struct Folha {
  CWizard& w;
  QWidget& Pagina() { return *w.currentPage(); }
  int Indice() const { return w.currentId(); }
  void Texto(int id, const QString& t) { plat::DefineTexto(Pagina(), id, t); }
  void Clica(int id) {
    auto* b = qobject_cast<QAbstractButton*>(plat::Controle(Pagina(), id));
    ASSERT_NE(b, nullptr) << id;
    b->click();
  }
  void Seleciona(int id, int i) { plat::SelecionaItem(Pagina(), id, i); }
  // A typed name followed by Enter in the name box.
  void Digita(const QString& nome) {
    auto* e = qobject_cast<QLineEdit*>(plat::Controle(Pagina(), 1056));
    e->setText(nome);
    QTest::keyClick(e, Qt::Key_Return);
  }
  void Avanca() { w.next(); }
  void Volta() { w.PressionaVoltar(); }
  void Conclui() { w.button(QWizard::FinishButton)->click(); }
};

// Runs `passos` on the sheet once it is shown; the sheet's own result.
int RodaFolha(const std::function<int()>& executa, const std::function<void(Folha&)>& passos) {
  plat::RoteiroPara("dlgWizard", [passos](QDialog& d) {
    Folha f{static_cast<CWizard&>(d)};
    passos(f);
  });
  return executa();
}

std::unique_ptr<C> CabecalhoNovo() {
  auto c = std::make_unique<C>();
  c->Zera();
  for (int v = 0; v < C::MaxVariaveis; ++v) c->SetI32(65592 + 4 * std::size_t(v), 1);
  return c;
}

Var Entrada(const char* nome, int tipo, int casas, int imovel, const char* descricao = "") {
  Var v;
  std::memset(&v, 0, sizeof v);
  v.SetNome(QString::fromUtf8(nome));
  v.SetDescricao(QString::fromUtf8(descricao));
  v.tipo = tipo;
  v.casasDecimais = casas;
  v.tipoImovel = imovel;
  return v;
}

class Assistente : public ::testing::Test {
protected:
  void SetUp() override { plat::DefineModoRoteiro(true); }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
};

TEST_F(Assistente, NovoModeloComSenhaGravaDependenteUltimoEProtecao) {
  auto cab = CabecalhoNovo();
  std::vector<Var> catalogo;
  plat::GravadorMensagens msgs;
  const int r = RodaFolha([&] { return ExecutaAssistenteNovoModelo(*cab, catalogo, nullptr) ? 1 : 0; },
                          [](Folha& f) {
                            EXPECT_EQ(f.Indice(), 0);
                            f.Texto(1057, "Apartamentos Centro");
                            f.Texto(1056, "Ana");
                            f.Seleciona(1074, 4);  // "Lotes"
                            f.Avanca();
                            ASSERT_EQ(f.Indice(), 1);
                            EXPECT_EQ(plat::Texto(f.Pagina(), 1128), "Variáveis - Lotes");
                            f.Digita("PRECO");
                            f.Digita("AREA");
                            f.Avanca();
                            ASSERT_EQ(f.Indice(), 2);
                            f.Seleciona(1074, 0);
                            f.Clica(1030);  // PRECO is the dependent
                            f.Clica(1102);  // totals
                            f.Texto(1057, "3");
                            f.Seleciona(1074, 1);
                            f.Clica(1100);  // AREA: negative
                            f.Clica(1098);  // quantitative
                            f.Avanca();
                            ASSERT_EQ(f.Indice(), 3);
                            f.Clica(1030);
                            f.Clica(1096);  // without the password the model does not open
                            f.Texto(1056, "abcde");
                            f.Texto(1057, "abcde");
                            f.Conclui();
                            f.Texto(1056, "abcdef");
                            f.Texto(1057, "abcdeF");
                            f.Conclui();
                            f.Texto(1057, "abcdef");
                            f.Conclui();
                          });
  ASSERT_EQ(r, 1);
  EXPECT_EQ(msgs.Textos(), QStringList({"Senha inválida !", "Senha redigitada não confere !"}));
  EXPECT_EQ(cab->Texto(20, 81), "Apartamentos Centro");
  EXPECT_EQ(cab->Texto(101, 51), "Ana");
  EXPECT_EQ(cab->Texto(353, 11), QDate::currentDate().toString("dd/MM/yyyy"));
  EXPECT_EQ(cab->I32(364), 5);
  ASSERT_EQ(cab->I32(C::OffNumVariaveis), 2);
  EXPECT_EQ(cab->I32(C::OffDependente), 1);
  EXPECT_EQ(cab->Texto(1120, 31), "AREA");
  EXPECT_EQ(cab->Texto(1120 + 31, 31), "PRECO");
  EXPECT_EQ(cab->I32(40060), 1);         // AREA negative, moved to slot 0
  EXPECT_EQ(cab->I32(40300), 5);
  EXPECT_EQ(cab->I32(40300 + 4), 4);     // the dependent keeps its type
  EXPECT_EQ(cab->I32(40780 + 4), 3);     // and its decimal places
  EXPECT_EQ(cab->I32(40780), 2);
  EXPECT_EQ(cab->U8(41288), 0);
  EXPECT_EQ(cab->I32(41284), -1);
  EXPECT_EQ(cab->U8(1109), 1);
  EXPECT_EQ(cab->Texto(1096, 13), "abcdef");
  EXPECT_EQ(cab->I32(1112), 2);
  EXPECT_EQ(cab->U8(1116), 1);
}

TEST_F(Assistente, PaginasRecusamSairSemOQueFalta) {
  auto cab = CabecalhoNovo();
  std::vector<Var> catalogo;
  plat::GravadorMensagens msgs;
  // The two refusals, then the first Back question: stay.
  msgs.Responde(plat::IDOK);
  msgs.Responde(plat::IDOK);
  msgs.Responde(plat::IDCANCEL);
  const int r = RodaFolha([&] { return ExecutaAssistenteNovoModelo(*cab, catalogo, nullptr) ? 1 : 0; },
                          [&](Folha& f) {
                            f.Avanca();
                            f.Digita("A");
                            f.Avanca();
                            EXPECT_EQ(f.Indice(), 1);  // one variable is not enough
                            f.Digita("B");
                            f.Digita("C");
                            f.Avanca();
                            ASSERT_EQ(f.Indice(), 2);
                            f.Avanca();
                            EXPECT_EQ(f.Indice(), 2);  // no dependent variable
                            f.Seleciona(1074, 2);
                            f.Clica(1030);
                            EXPECT_EQ(cab->I32(C::OffDependente), 2);
                            f.Clica(1030);
                            EXPECT_EQ(cab->I32(C::OffDependente), -1);
                            f.Volta();
                            EXPECT_EQ(f.Indice(), 2);  // Cancel stays
                            f.Volta();                 // OK clears the variables
                            EXPECT_EQ(f.Indice(), 1);
                            EXPECT_EQ(cab->I32(C::OffNumVariaveis), 0);
                            EXPECT_EQ(cab->I32(41284), -1);
                            EXPECT_EQ(cab->Texto(1120, 31), "");
                            f.Volta();
                            EXPECT_EQ(plat::Texto(f.Pagina(), 1057), "");  // the first page keeps what it had
                            f.w.reject();
                          });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(msgs.Textos(), QStringList({"É necessário definir no mínimo duas variáveis.",
                                        "É necessário definir a Variável Dependente",
                                        "As informações fornecidas serão perdidas. Deseja continuar ?",
                                        "As informações fornecidas serão perdidas. Deseja continuar ?"}));
}

TEST_F(Assistente, VariaveisDoCatalogoLevamSeusTiposNoModelo) {
  auto cab = CabecalhoNovo();
  cab->SetI32(364, 2);  // the catalogue list opens on "Casas"
  const std::vector<Var> catalogo = {
      Entrada("Area", 4, 15, 2, "Área construída"), Entrada("Piscina", 1, 0, 2), Entrada("Vagas", 4, 0, 1)};
  const int r = RodaFolha([&] { return ExecutaAssistenteNovoModelo(*cab, catalogo, nullptr) ? 1 : 0; },
                          [&](Folha& f) {
                            f.Avanca();
                            auto* comuns = qobject_cast<QListWidget*>(plat::Controle(f.Pagina(), 1075));
                            ASSERT_EQ(comuns->count(), 2);
                            EXPECT_EQ(plat::Texto(f.Pagina(), 1128), "Variáveis - Casas");
                            comuns->setFocus();
                            QTest::keyClick(comuns, Qt::Key_Return);  // nothing selected: nothing added
                            comuns->setCurrentRow(0);
                            QTest::keyClick(comuns, Qt::Key_Return);
                            comuns->setCurrentRow(1);
                            QTest::keyClick(comuns, Qt::Key_Return);
                            static_cast<CNomeVariaveis&>(f.Pagina()).MudaTipo(-1);
                            EXPECT_EQ(plat::Texto(f.Pagina(), 1128), "Variáveis - Apartamentos");
                            EXPECT_EQ(comuns->count(), 1);
                            f.Digita("Preco");
                            EXPECT_EQ(plat::Texto(f.Pagina(), 1138), "Variáveis do modelo - 3");
                            f.Avanca();
                            f.Clica(1030);  // Area, the first, is the dependent
                            f.Avanca();
                            f.Conclui();
                          });
  ASSERT_EQ(r, 1);
  ASSERT_EQ(cab->I32(C::OffNumVariaveis), 3);
  // Area moved last: the catalogue's "Quantitativa" (4) is the model's 5;
  // 15 places are more than the number pictures hold.
  EXPECT_EQ(cab->Texto(1120 + 62, 31), "Area");
  EXPECT_EQ(cab->Texto(2980 + 2 * 601, 601), "Área construída");
  EXPECT_EQ(cab->I32(40300 + 8), 5);
  EXPECT_EQ(cab->I32(40780 + 8), 11);
  EXPECT_EQ(cab->Texto(1120 + 31, 31), "Piscina");
  EXPECT_EQ(cab->I32(40300 + 4), 1);
  EXPECT_EQ(cab->Texto(1120, 31), "Preco");  // typed: "Proxy", two places
  EXPECT_EQ(cab->I32(40300), 4);
  EXPECT_EQ(cab->I32(40780), 2);
  EXPECT_EQ(cab->U8(1109), 0);
  EXPECT_EQ(cab->Texto(1096, 13), "");
}

// A protected model of three variables, the last dependent, as the properties sheet gets it.
std::unique_ptr<C> ModeloProtegido() {
  auto c = CabecalhoNovo();
  c->SetI32(C::OffNumVariaveis, 3);
  c->SetI32(C::OffDependente, 2);
  const char* nomes[] = {"X", "DATA", "PRECO"};
  for (int v = 0; v < 3; ++v) c->SetTexto(1120 + 31 * std::size_t(v), 31, nomes[v]);
  c->SetI32(40300 + 4, 2);
  c->SetTexto(39400 + 11, 11, "31/02/1890");  // no such date
  c->SetTexto(353, 11, "xx/yy/zzzz");
  c->SetI32(364, 3);
  c->SetI32(41284, 0);
  c->SetU8(41288, 1);
  c->SetU8(1109, 1);
  c->SetI32(1112, 2);
  c->SetTexto(1096, 13, "segredo1");
  c->SetU8(1116, 1);
  return c;
}

TEST_F(Assistente, FolhaDePropriedadesComecaNosTiposEGuardaASenha) {
  auto cab = ModeloProtegido();
  const int r = RodaFolha([&] { return ExecutaFolhaPropriedades(*cab, nullptr, true) ? 1 : 0; }, [&](Folha& f) {
    EXPECT_EQ(f.w.windowTitle(), "Propriedades do Modelo");
    ASSERT_EQ(f.Indice(), 1);
    EXPECT_FALSE(plat::Habilitado(f.Pagina(), 1030));
    f.Seleciona(1074, 2);
    EXPECT_TRUE(plat::Marcado(f.Pagina(), 1030));
    EXPECT_TRUE(plat::Marcado(f.Pagina(), 1101));
    EXPECT_EQ(qobject_cast<QComboBox*>(plat::Controle(f.Pagina(), 1037))->currentIndex(), 1);
    f.Seleciona(1074, 1);
    EXPECT_TRUE(plat::Marcado(f.Pagina(), 1096));
    EXPECT_EQ(cab->Texto(39400 + 11, 11), QDate::currentDate().toString("dd/MM/yyyy"));
    f.Volta();  // no question in a properties sheet
    ASSERT_EQ(f.Indice(), 0);
    EXPECT_EQ(cab->Texto(353, 11), "xx/yy/zzzz");
    f.Avanca();
    EXPECT_EQ(cab->Texto(353, 11), QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(cab->I32(364), 3);
    f.Avanca();
    ASSERT_EQ(f.Indice(), 2);
    EXPECT_TRUE(plat::Marcado(f.Pagina(), 1030));
    EXPECT_TRUE(plat::Marcado(f.Pagina(), 1096));
    EXPECT_EQ(plat::Texto(f.Pagina(), 1056), "");  // never shown back
    f.Conclui();
  });
  ASSERT_EQ(r, 1);
  EXPECT_EQ(cab->Texto(1096, 13), "segredo1");
  EXPECT_EQ(cab->U8(1109), 1);
  EXPECT_EQ(cab->I32(1112), 2);
}

TEST_F(Assistente, DesprotegerApagaASenha) {
  auto cab = ModeloProtegido();
  const int r = RodaFolha([&] { return ExecutaFolhaPropriedades(*cab, nullptr, false) ? 1 : 0; }, [&](Folha& f) {
    f.Avanca();
    f.Clica(1030);
    EXPECT_FALSE(plat::Habilitado(f.Pagina(), 1056));
    f.Conclui();
  });
  ASSERT_EQ(r, 1);
  EXPECT_EQ(cab->U8(1109), 0);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(cab->U8(1096 + std::size_t(i)), 0) << i;
}

TEST_F(Assistente, SenhaDeSeisAceitaEDependenteNoMeioVaiParaOFim) {
  auto cab = CabecalhoNovo();
  cab->SetI32(C::OffNumVariaveis, 4);
  cab->SetI32(C::OffDependente, 1);
  const char* nomes[] = {"A", "B", "C", "D"};
  for (int v = 0; v < 4; ++v) {
    cab->SetTexto(1120 + 31 * std::size_t(v), 31, nomes[v]);
    cab->SetI32(40780 + 4 * std::size_t(v), v);
  }
  cab->SetI32(41284, 3);  // the area variable is the one the dependent changes places with
  CWizard folha(QStringLiteral("Teste"), nullptr, 0, 0, 0);
  auto* senha = new CSenhaModelo;
  senha->DefineCabecalho(cab.get());
  folha.AddPage(senha);
  plat::GravadorMensagens msgs;
  plat::RoteiroPara("dlgWizard", [](QDialog& d) {
    Folha f{static_cast<CWizard&>(d)};
    f.Clica(1030);
    f.Texto(1056, "123456");
    f.Texto(1057, "123456");
    f.Conclui();
  });
  ASSERT_EQ(folha.DoModal(), QDialog::Accepted);
  EXPECT_TRUE(msgs.Textos().isEmpty());
  EXPECT_EQ(cab->Texto(1096, 13), "123456");
  EXPECT_EQ(cab->I32(1112), 1);
  EXPECT_EQ(cab->I32(C::OffDependente), 3);
  EXPECT_EQ(cab->Texto(1120 + 93, 31), "B");
  EXPECT_EQ(cab->I32(40780 + 12), 1);
  EXPECT_EQ(cab->Texto(1120 + 31, 31), "D");
  EXPECT_EQ(cab->I32(41284), 1);
}

}  // namespace
