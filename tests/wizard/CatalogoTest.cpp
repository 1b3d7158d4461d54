// The common-variable catalogue editor over copies of the shipped catalogue.
#include "views/wizard/CVariaveisComuns.h"

#include "model/VariaveisComuns.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Programa.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

namespace {

QByteArray Le(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Catalogo : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    caminho_ = dir_.filePath("variaveis.cfg");
    ASSERT_TRUE(QFile::copy(plat::CaminhoPrograma("variaveis.cfg"), caminho_));
    QFile::setPermissions(caminho_, QFile::ReadOwner | QFile::WriteOwner);
    original_ = Le(caminho_);
    plat::DefineModoRoteiro(true);
  }
  void TearDown() override {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
  // Runs the editor with `passos`; its exec() result.
  int Edita(const std::function<void(CVariaveisComuns&)>& passos) {
    CVariaveisComuns dlg(caminho_);
    plat::RoteiroPara("dlg551", [passos](QDialog& d) { passos(static_cast<CVariaveisComuns&>(d)); });
    return plat::ExecutaDialogo(dlg);
  }
  static QListWidget* Lista(QWidget& d) { return qobject_cast<QListWidget*>(plat::Controle(d, 1074)); }

  QTemporaryDir dir_;
  QString caminho_;
  QByteArray original_;
};

TEST_F(Catalogo, OCatalogoDoProgramaEstaOrdenadoEFechaIgual) {
  std::vector<Var> vars;
  ASSERT_TRUE(LeVariaveisComuns(caminho_, vars));
  ASSERT_GE(vars.size(), 70u);
  for (std::size_t i = 1; i < vars.size(); ++i) EXPECT_LT(ComparaVar(vars[i - 1], vars[i]), 0) << i;
  for (int tipo = 1; tipo <= 7; ++tipo)
    EXPECT_TRUE(std::any_of(vars.begin(), vars.end(), [tipo](const Var& v) { return v.tipoImovel == tipo; })) << tipo;
  for (const Var& v : vars) {
    EXPECT_GE(v.tipo, 1);
    EXPECT_LE(v.tipo, 4);
    EXPECT_LE(v.casasDecimais, 11);
  }
  EXPECT_EQ(Edita([](CVariaveisComuns& d) { plat::Pressiona(d, 1); }), QDialog::Accepted);
  EXPECT_EQ(Le(caminho_), original_);
}

TEST_F(Catalogo, NovaEntradaFicaPorUltimoEDepoisEmSeuLugar) {
  const int total = int(original_.size() / 648);
  EXPECT_EQ(Edita([&](CVariaveisComuns& d) {
              plat::RoteiroPara("dlg527", [](QDialog& n) {
                plat::DefineTexto(n, 1056, "Vista para o Mar");
                plat::Pressiona(n, 1);
              });
              plat::Pressiona(d, 1017);
              QListWidget* l = Lista(d);
              ASSERT_EQ(l->count(), total + 1);
              EXPECT_EQ(l->currentRow(), total);
              EXPECT_EQ(l->item(total)->text(), "Vista para o Mar");
              EXPECT_TRUE(plat::Marcado(d, 1095));
              EXPECT_EQ(plat::Texto(d, 1057), "2");
              EXPECT_EQ(qobject_cast<QComboBox*>(plat::Controle(d, 1037))->currentIndex(), -1);
              plat::Pressiona(d, 1);
            }),
            QDialog::Accepted);
  std::vector<Var> vars;
  ASSERT_TRUE(LeVariaveisComuns(caminho_, vars));
  ASSERT_EQ(int(vars.size()), total + 1);
  EXPECT_EQ(vars.back().Nome(), "Vista para o Mar");
  EXPECT_EQ(vars.back().tipoImovel, 0);
  EXPECT_EQ(Edita([&](CVariaveisComuns& d) {
              EXPECT_EQ(Lista(d)->item(0)->text(), "Vista para o Mar");  // type 0 sorts first
              d.reject();
            }),
            QDialog::Rejected);
}

TEST_F(Catalogo, EdicoesFicamNaEntradaEditadaEEscNaoGrava) {
  EXPECT_EQ(Edita([&](CVariaveisComuns& d) {
              QListWidget* l = Lista(d);
              l->setCurrentRow(0);
              auto* desc = qobject_cast<QPlainTextEdit*>(plat::Controle(d, 1056));
              desc->setPlainText("Nova descrição");
              desc->document()->setModified(true);
              auto* casas = qobject_cast<QLineEdit*>(plat::Controle(d, 1057));
              casas->setText("15");
              casas->setModified(true);
              plat::Pressiona(d, 1098);
              plat::SelecionaItem(d, 1037, 6);
              l->setCurrentRow(1);  // another entry: the first keeps its changes
              EXPECT_EQ(d.Catalogo()[0].Descricao(), "Nova descrição");
              EXPECT_EQ(d.Catalogo()[0].casasDecimais, 11);
              EXPECT_EQ(d.Catalogo()[0].tipo, 4);
              EXPECT_EQ(d.Catalogo()[0].tipoImovel, 7);
              EXPECT_NE(d.Catalogo()[1].Descricao(), "Nova descrição");
              d.reject();
            }),
            QDialog::Rejected);
  EXPECT_EQ(Le(caminho_), original_);
}

TEST_F(Catalogo, RemoverAUltimaSelecionaANovaUltima) {
  const int total = int(original_.size() / 648);
  plat::GravadorMensagens msgs(plat::IDYES);
  msgs.Responde(plat::IDNO);
  EXPECT_EQ(Edita([&](CVariaveisComuns& d) {
              QListWidget* l = Lista(d);
              l->setCurrentRow(total - 1);
              plat::Pressiona(d, 1016);  // No: stays
              EXPECT_EQ(l->count(), total);
              const QString penultima = l->item(total - 2)->text();
              plat::Pressiona(d, 1016);
              ASSERT_EQ(l->count(), total - 1);
              EXPECT_EQ(l->currentRow(), total - 2);
              EXPECT_EQ(l->currentItem()->text(), penultima);
              plat::Pressiona(d, 1);
            }),
            QDialog::Accepted);
  EXPECT_EQ(Le(caminho_).size(), original_.size() - 648);
  EXPECT_EQ(msgs.Textos().value(0), "Deseja excluir a variável selecionada ?");
}

TEST_F(Catalogo, FalhaAoGravarEDitaEMantemAJanela) {
  plat::GravadorMensagens msgs;
  CVariaveisComuns dlg(dir_.filePath("nao/existe/variaveis.cfg"));
  plat::RoteiroPara("dlg551", [](QDialog& d) {
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    d.reject();
  });
  EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
  ASSERT_EQ(msgs.Textos().size(), 1);
  EXPECT_TRUE(msgs.Textos()[0].startsWith("Não foi possível gravar o catálogo")) << msgs.Textos()[0].toStdString();
}

}  // namespace
