// The sort dialogs and the rename and reconsider dialogs, driven by their
// control ids.
#include "ModeloDados.h"

#include "controls/CTableCtrl.h"
#include "views/data/CAlterarNome.h"
#include "views/data/CClassificar.h"
#include "views/data/CReconsiderarVariaveis.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"

#include <QListWidget>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

struct Roteiro {
  Roteiro() { plat::DefineModoRoteiro(true); }
  ~Roteiro() {
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
  }
};

std::unique_ptr<CTarsolinDoc> Documento(QTemporaryDir& pasta) {
  teste::ModeloDados m({{0, 0, 1}, {1, 1, 2}});
  m.cab->SetI32(C::OffEstadoCalculo, 2);
  m.cab->SetI32(C::OffEspacialCalculado, 1);
  m.cab->SetNumEquacoes(1);  // a calculated model keeps the equation it was calculated with
  auto doc = std::make_unique<CTarsolinDoc>();
  EXPECT_TRUE(doc->AbreArquivo(m.Grava(pasta, "m.tsn")));
  return doc;
}

TEST(CClassificar, ChavesEOrdem) {
  QTemporaryDir pasta;
  auto doc = Documento(pasta);
  Roteiro r;
  struct Caso {
    std::function<void(QDialog&)> cliques;
    int chave, descendente;
  };
  const Caso casos[] = {
      {[](QDialog&) {}, 4, 0},  // confirmed at once: first variable, ascending
      {[](QDialog& d) { plat::Pressiona(d, 1100); plat::Pressiona(d, 1099); }, 1, 1},
      {[](QDialog& d) { plat::Pressiona(d, 1096); }, 3, 0},
      {[](QDialog& d) { plat::SelecionaItem(d, 1074, 2); plat::Pressiona(d, 1095); plat::Pressiona(d, 1097); }, 6, 0},
  };
  for (const Caso& c : casos) {
    int chave = -9, desc = -9;
    CClassificar dlg(doc.get(), &chave, &desc);
    plat::RoteiroPara("dlg507", [&](QDialog& d) {
      c.cliques(d);
      plat::Pressiona(d, 1);
    });
    EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
    EXPECT_EQ(chave, c.chave);
    EXPECT_EQ(desc, c.descendente);
  }
}

TEST(CClassificarVar, ModoGradeOrdenaAColunaMostrada) {
  CTableCtrl g(2, 5, 1, 0);
  const char* titulos[] = {"", "Dado", "Endereço", "Resíduo", "Padronizado"};
  for (int c = 0; c < 5; ++c) g.SetCellText(0, c, QString::fromUtf8(titulos[c]));
  Roteiro r;
  const int ids[] = {1095, 1096, 1097, 1098};
  for (int i = 0; i < 4; ++i) {
    int chave = -9, desc = -9;
    CClassificarVar dlg(&chave, &desc, &g);
    EXPECT_EQ(plat::Texto(dlg, ids[i]).remove('&'), g.GetCellText(0, i + 1));
    plat::RoteiroPara("dlg508", [&](QDialog& d) {
      plat::Pressiona(d, ids[i]);
      plat::Pressiona(d, 1100);
      plat::Pressiona(d, 1);
    });
    plat::ExecutaDialogo(dlg);
    EXPECT_EQ(CClassificarVar::ColunaGrade(chave), i + 1);
    EXPECT_EQ(desc, 1);
  }
  // Text mode keeps the captions' keys: 1 and 2 the variables, 3 and 4 address and complement.
  int chave = 0, desc = 0;
  CClassificarVar texto(&chave, &desc, "A", "B");
  EXPECT_EQ(chave, 1);
  plat::RoteiroPara("dlg508", [](QDialog& d) { plat::Pressiona(d, 1096); plat::Pressiona(d, 2); });
  EXPECT_EQ(plat::ExecutaDialogo(texto), QDialog::Rejected);
  EXPECT_EQ(chave, 4);
}

TEST(CAlterarNome, AplicaDoisNomesEFechaGrava) {
  QTemporaryDir pasta;
  auto doc = Documento(pasta);
  QSignalSpy avisos(doc.get(), &plat::Documento::documentUpdated);
  Roteiro r;
  CAlterarNome dlg(doc.get());
  plat::RoteiroPara("dlg502", [](QDialog& d) {
    EXPECT_EQ(plat::Texto(d, 1056), QStringLiteral("X"));
    plat::DefineTexto(d, 1056, "Leste");
    plat::Pressiona(d, 1016);
    plat::SelecionaItem(d, 1074, 1);
    plat::DefineTexto(d, 1056, "Norte");
    plat::Pressiona(d, 1016);
    plat::SelecionaItem(d, 1074, 0);
    EXPECT_EQ(plat::Texto(d, 1056), QStringLiteral("Leste"));
    plat::Pressiona(d, 1);
  });
  plat::ExecutaDialogo(dlg);
  EXPECT_EQ(doc->GetCabecalho()->NomeVariavel(0), QStringLiteral("Leste"));
  EXPECT_EQ(doc->GetCabecalho()->NomeVariavel(1), QStringLiteral("Norte"));
  EXPECT_TRUE(doc->IsModified());
  ASSERT_EQ(avisos.count(), 1);
  EXPECT_EQ(avisos.at(0).at(1).toInt(), 0);
}

TEST(CReconsiderarVariaveis, FecharInvalidaEEscapeRestaura) {
  QTemporaryDir pasta;
  auto doc = Documento(pasta);
  CabecalhoModelo& c = *doc->GetCabecalho();
  Roteiro r;
  {
    // Off and on again is still a change.
    CReconsiderarVariaveis dlg(doc.get());
    plat::RoteiroPara("dlg552", [](QDialog& d) {
      EXPECT_TRUE(plat::Marcado(d, 1030));
      plat::Pressiona(d, 1030);
      plat::Pressiona(d, 1030);
      plat::Pressiona(d, 1);
    });
    EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
    EXPECT_EQ(c.I32(C::OffEstadoCalculo), 0);
    EXPECT_EQ(c.I32(C::OffEspacialCalculado), 0);
    EXPECT_EQ(c.I32(C::OffHabilitadas), 1);
  }
  c.SetI32(C::OffEstadoCalculo, 2);
  doc->SetModifiedFlag(false);
  {
    CReconsiderarVariaveis dlg(doc.get());
    plat::RoteiroPara("dlg552", [&](QDialog& d) {
      plat::SelecionaItem(d, 1074, 1);
      plat::Pressiona(d, 1030);
      EXPECT_EQ(c.I32(C::OffHabilitadas + 4), 0);  // written at once
      d.reject();
    });
    EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Rejected);
    EXPECT_EQ(c.I32(C::OffHabilitadas + 4), 1);
    EXPECT_EQ(c.I32(C::OffEstadoCalculo), 2);
    EXPECT_FALSE(doc->IsModified());
  }
}

}  // namespace
