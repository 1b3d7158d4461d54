#include "CChildFrame.h"
#include "DriversCalculo.h"
#include "Fixturas.h"
#include "JanelaModeloBasica.h"

#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QFileDialog>
#include <gtest/gtest.h>

namespace {
using C = CabecalhoModelo;

struct Moldura : AmbienteComandos {
  std::unique_ptr<CTarsolinDoc> doc = std::make_unique<CTarsolinDoc>();
  QString caminho;
  void TearDown() override {
    CChildFrame::DefineExportadorV5({});
    AmbienteComandos::TearDown();
  }
  void Abre(CabecalhoModelo& cab) {
    caminho = GravaModelo(pasta, "m.tsn", cab);
    ASSERT_TRUE(doc->AbreArquivo(caminho));
  }
};
}  // namespace

TEST_F(Moldura, LockedModelRefusesBeforeAnyOtherCheck) {
  auto cab = CabecalhoPequeno();
  cab->SetU8(C::OffProtegido, 1);
  cab->SetI32(C::OffHabilitadas + 8, 0);  // the dependent disabled as well
  cab->SetI32(C::OffAcessoSemSenha, 1);
  Abre(*cab);
  doc->GetCabecalho()->SetU8(C::OffDesbloqueado, 0);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  for (int id : {32831, 32832, 32913, 32911, 32914, 32816, 32817}) {
    mensagens.Responde(plat::IDYES);
    ASSERT_TRUE(f.OnCmdMsg(id));
  }
  EXPECT_EQ(mensagens.Textos(), QStringList(7, QStringLiteral("Modelo protegido por senha !")));
  EXPECT_TRUE(servicos.postados.empty());
}

TEST_F(Moldura, RegressionRunsOnlyWithEnoughDataAndAfterTheSaveOffer) {
  auto cab = CabecalhoPequeno(3);
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  f.OnCmdMsg(32831);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Número de dados insuficiente !")});

  auto quatro = CabecalhoPequeno(4);
  caminho = GravaModelo(pasta, "q.tsn", *quatro);
  ASSERT_TRUE(doc->AbreArquivo(caminho));
  doc->SetModifiedFlag(true);
  mensagens.Responde(plat::IDNO);  // not saved: the command stops
  f.OnCmdMsg(32831);
  EXPECT_TRUE(servicos.postados.empty());
  mensagens.Responde(plat::IDYES);
  f.OnCmdMsg(32831);
  EXPECT_EQ(servicos.postados, std::vector<int>{32837});
  EXPECT_EQ(doc->GetCabecalho()->I32(C::OffEstadoCalculo), 1);
}

TEST_F(Moldura, CommandStatesFollowTheHeader) {
  auto cab = CabecalhoPequeno();
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  auto estado = [&](int id) {
    EstadoComando e;
    EXPECT_TRUE(f.OnUpdateCmd(id, e)) << id;
    return e.habilitado;
  };
  CabecalhoModelo& c = *doc->GetCabecalho();
  // A command with nothing to run has no state of its own (the router greys it).
  for (int id : {32836, 32838, 32843, 32912}) {
    EstadoComando e;
    EXPECT_FALSE(f.OnUpdateCmd(id, e)) << id;
  }
  const std::pair<int, int> janelas[] = {{32836, CTarsolinDoc::JanelaEquacao},
                                         {32843, CTarsolinDoc::JanelaValidar},
                                         {32912, CTarsolinDoc::JanelaExibirVariaveis}};
  std::vector<CChildFrame::JanelaAuxiliar> anteriores;
  for (const auto& [id, slot] : janelas)
    anteriores.push_back(
        CChildFrame::RegistraJanelaAuxiliar(id, {slot, false, 0, [](CTarsolinDoc*) { return new QWidget; }}));
  const CChildFrame::DialogoComando outliers = CChildFrame::RegistraDialogo(32838, [](CTarsolinDoc&) { return true; });
  EXPECT_FALSE(estado(32836));
  EXPECT_FALSE(estado(32837));
  EXPECT_FALSE(estado(32817));
  EXPECT_TRUE(estado(32912));
  c.SetI32(C::OffEstadoCalculo, 1);
  c.SetI32(C::OffNumEquacoes, 2);
  c.SetI32(C::OffNumConsiderados, 4);
  EXPECT_TRUE(estado(32836));
  EXPECT_TRUE(estado(32837));
  EXPECT_TRUE(estado(32817));
  EXPECT_FALSE(estado(32838));  // no residual beyond two standard errors
  c.SetI32(C::OffForaDe2, 1);
  EXPECT_TRUE(estado(32838));
  EXPECT_FALSE(estado(32843));
  EXPECT_FALSE(estado(32835));
  EXPECT_FALSE(f.TemComando(32860));  // no older-format writer here: export disabled
  EstadoComando barra;
  f.OnCmdMsg(59502);
  ASSERT_TRUE(f.OnUpdateCmd(59502, barra));
  EXPECT_TRUE(barra.marcado);
  EXPECT_EQ(f.BarraCampos()->windowTitle(), QStringLiteral("Campos do Cabeçalho"));
  // 32814 keeps its state although the data windows run it.
  EstadoComando dados;
  EXPECT_TRUE(f.OnUpdateCmd(32814, dados));
  EXPECT_TRUE(dados.habilitado);
  for (std::size_t i = 0; i < std::size(janelas); ++i) CChildFrame::RegistraJanelaAuxiliar(janelas[i].first, anteriores[i]);
  CChildFrame::RegistraDialogo(32838, outliers);
}

// After the library excluded variables or operated on the records, the
// result panes refresh; including and deriving refresh them after their
// properties sheet instead.
TEST_F(Moldura, ExcludeAndOperateRefreshTheResultPanes) {
  drivers::Modulos().palvedo = QStringLiteral("StubPalvedo.so");
  auto cab = CabecalhoPequeno();
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  const std::pair<int, std::vector<int>> casos[] = {
      {32911, {32889}}, {32816, {32889}}, {32913, {32813}}, {32914, {}}};
  for (const auto& [comando, postados] : casos) {
    servicos.postados.clear();
    ASSERT_TRUE(f.OnCmdMsg(comando));
    EXPECT_EQ(servicos.postados, postados) << comando;
  }
  EXPECT_TRUE(mensagens.Textos().isEmpty()) << mensagens.Textos().join('|').toStdString();
}

TEST_F(Moldura, OneAuxiliaryWindowPerModel) {
  auto cab = CabecalhoPequeno();
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  int criadas = 0;
  CChildFrame* corrente = nullptr;  // the model window a window is made from, when it asks for it
  const CChildFrame::JanelaAuxiliar anteriores[] = {
      CChildFrame::RegistraJanelaAuxiliar(32836, {CTarsolinDoc::JanelaEquacao, false, 0, [&](CTarsolinDoc*) {
                                                    ++criadas;
                                                    return new QWidget;
                                                  }}),
      CChildFrame::RegistraJanelaAuxiliar(32840, {CTarsolinDoc::JanelaResiduos, false, 0,
                                                  [&](CTarsolinDoc*, CChildFrame* moldura) {
                                                    ++criadas;
                                                    corrente = moldura;
                                                    return new QWidget;
                                                  }})};
  ASSERT_TRUE(f.OnCmdMsg(32836));
  QPointer<QObject> equacao = doc->Janela(CTarsolinDoc::JanelaEquacao);
  ASSERT_TRUE(equacao);
  f.OnCmdMsg(32836);  // raises the first one
  EXPECT_EQ(criadas, 1);
  EXPECT_EQ(doc->Janela(CTarsolinDoc::JanelaEquacao), equacao);
  f.OnCmdMsg(32840);  // the residual window closes the equation window
  EXPECT_EQ(criadas, 2);
  EXPECT_EQ(corrente, &f);
  EXPECT_FALSE(doc->Janela(CTarsolinDoc::JanelaEquacao));
  EXPECT_TRUE(doc->Janela(CTarsolinDoc::JanelaResiduos));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(equacao);
  f.FechaJanelasAuxiliares();
  CChildFrame::RegistraJanelaAuxiliar(32836, anteriores[0]);
  CChildFrame::RegistraJanelaAuxiliar(32840, anteriores[1]);
}

TEST_F(Moldura, ExportOntoTheModelItselfIsRefusedAndAsksAgain) {
  auto cab = CabecalhoPequeno();
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  QStringList exportados;
  CChildFrame::DefineExportadorV5([&](CTarsolinDoc&, const QString& d) {
    exportados << d;
    return true;
  });
  // Another spelling of the model's own path, then a good name.
  const QString outraGrafia = pasta.path() + QStringLiteral("/./m.tsn");
  const QString bom = pasta.filePath("m - v5.kmr");
  for (const QString& nome : {outraGrafia, bom})
    plat::RoteiroPara(QStringLiteral("dlgExportar"), [nome](QDialog& d) {
      auto& fd = static_cast<QFileDialog&>(d);
      fd.setOption(QFileDialog::DontConfirmOverwrite);  // the refusal must come from the frame
      fd.selectFile(nome);
      d.accept();
    });
  ASSERT_TRUE(f.OnCmdMsg(32860));
  EXPECT_EQ(mensagens.Textos().value(0),
            QStringLiteral("Nome de arquivo inválido. \nVocê não pode salvar o arquivo com o mesmo nome !"));
  EXPECT_EQ(exportados, QStringList{bom});
  EXPECT_TRUE(QFile::exists(caminho));
}

TEST_F(Moldura, ReconsiderKeepsTheValidationSampleHeldOut) {
  auto cab = CabecalhoPequeno(6);
  Abre(*cab);
  ASSERT_TRUE(doc->CarregaRegistros());
  dado* d = doc->GetDados();
  d[1].excluido = 1;
  d[4].excluido = 1;
  d[4].validacao = 1;
  doc->GetCabecalho()->SetI32(C::OffNumConsiderados, 4);
  doc->GetCabecalho()->SetI32(C::OffNumValidacao, 1);
  doc->GetCabecalho()->SetI32(C::OffEstadoCalculo, 2);
  doc->GetCabecalho()->SetI32(C::OffEspacialCalculado, 1);
  doc->SetModifiedFlag(true);
  ASSERT_TRUE(doc->DoSave(caminho));
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  mensagens.Responde(plat::IDYES);
  ASSERT_TRUE(f.OnCmdMsg(32817));
  EXPECT_EQ(mensagens.Textos().value(0), QStringLiteral("Deseja reconsiderar todos os dados ? "));
  auto lido = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(caminho, lido.get()));
  EXPECT_EQ(lido->I32(C::OffNumConsiderados), 5);
  EXPECT_EQ(lido->I32(C::OffEstadoCalculo), 0);
  EXPECT_EQ(lido->I32(C::OffEspacialCalculado), 0);
  EXPECT_EQ(servicos.postados, std::vector<int>{32889});
}

TEST_F(Moldura, BothRegressionsCheckInOrderBeforeTheSaveOffer) {
  struct Caso {
    const char* nome;
    bool bloqueado;
    int habilitadas;  // the first regressors enabled (variables 0 and 1)
    bool dependente;
    int considerados;
    const char* esperado;  // empty: the options dialog opens
  };
  const Caso casos[] = {
      {"locked first", true, 0, false, 0, "Modelo protegido por senha !"},
      {"dependent before the counts", false, 0, false, 0, "A variável dependente não está habilitada !"},
      {"variables before data", false, 0, true, 0, "Número de variáveis insuficiente ! "},
      {"three enabled, three considered", false, 2, true, 3, "Número de dados insuficiente !"},
      {"three enabled, four considered", false, 2, true, 4, ""},
  };
  auto cab = CabecalhoPequeno();
  cab->SetI32(C::OffAcessoSemSenha, 1);
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  for (const Caso& c : casos) {
    for (int comando : {32831, 32832}) {
      SCOPED_TRACE(std::string(c.nome) + " " + std::to_string(comando));
      CabecalhoModelo& h = *doc->GetCabecalho();
      h.SetU8(C::OffProtegido, c.bloqueado ? 1 : 0);
      h.SetU8(C::OffDesbloqueado, 0);
      for (int v = 0; v < 2; ++v) h.SetI32(C::OffHabilitadas + 4 * v, v < c.habilitadas ? 1 : 0);
      h.SetI32(C::OffHabilitadas + 8, c.dependente ? 1 : 0);
      h.SetI32(C::OffNumConsiderados, c.considerados);
      // A refused command never gets as far as the save question.
      const bool recusado = *c.esperado != '\0';
      if (!recusado && comando == 32831) continue;  // the linear run is covered elsewhere
      doc->SetModifiedFlag(recusado);
      bool opcoes = false;
      plat::RoteiroPara("dlg505", [&](QDialog& d) {
        opcoes = true;
        plat::Pressiona(d, 2);
      });
      const int antes = int(mensagens.Textos().size());
      ASSERT_TRUE(f.OnCmdMsg(comando));
      const QStringList novas = mensagens.Textos().mid(antes);
      if (recusado) {
        EXPECT_EQ(novas, QStringList{QString::fromUtf8(c.esperado)});
        EXPECT_FALSE(opcoes);
      } else {
        EXPECT_TRUE(novas.isEmpty()) << novas.join('|').toStdString();
        EXPECT_TRUE(opcoes);
      }
      plat::LimpaRoteiros();
    }
  }
  EXPECT_TRUE(servicos.postados.empty());
}

namespace {
// Registers a recording dialog for each command and puts back what was
// registered before afterwards.
struct DialogosGravados {
  std::vector<int> executados;
  std::vector<int> ids;
  std::vector<CChildFrame::DialogoComando> anteriores;
  bool resposta = true;
  DialogosGravados(std::initializer_list<int> comandos) : ids(comandos) {
    for (int id : ids)
      anteriores.push_back(CChildFrame::RegistraDialogo(id, [this, id](CTarsolinDoc&) {
        executados.push_back(id);
        return resposta;
      }));
  }
  ~DialogosGravados() {
    for (std::size_t i = 0; i < ids.size(); ++i) CChildFrame::RegistraDialogo(ids[i], anteriores[i]);
  }
};
}  // namespace

TEST_F(Moldura, DialogCommandsRefuseALockedModelFirst) {
  auto cab = CabecalhoPequeno(3);  // also too few data for the calculation checks
  cab->SetU8(C::OffProtegido, 1);
  cab->SetI32(C::OffAcessoSemSenha, 1);
  Abre(*cab);
  doc->GetCabecalho()->SetU8(C::OffDesbloqueado, 0);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  DialogosGravados dialogos{32834, 32915, 32908, 32909, 32838};
  bool assistente = false;
  CChildFrame::DefineAssistentePropriedades([&](CTarsolinDoc&, CabecalhoModelo&) { return assistente = true; });
  for (int id : {32834, 32862, 32915, 32908}) ASSERT_TRUE(f.OnCmdMsg(id)) << id;
  EXPECT_EQ(mensagens.Textos(), QStringList(4, QStringLiteral("Modelo protegido por senha !")));
  EXPECT_TRUE(dialogos.executados.empty());
  EXPECT_FALSE(assistente);
  // Commands without the locked check still run.
  f.OnCmdMsg(32838);
  EXPECT_EQ(dialogos.executados, std::vector<int>{32838});
  CChildFrame::DefineAssistentePropriedades({});
  EXPECT_FALSE(f.TemComando(32862));
}

TEST_F(Moldura, DialogCommandsTakeTheirStepsAroundTheDialog) {
  auto cab = CabecalhoPequeno(3);
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  EXPECT_FALSE(f.TemComando(32915));  // no dialog, no command
  DialogosGravados dialogos{32834, 32915, 32908, 32909};
  EXPECT_TRUE(f.TemComando(32915));
  std::vector<int> hints;
  QObject::connect(doc.get(), &plat::Documento::documentUpdated, [&](QObject*, int h) { hints.push_back(h); });

  // Spatial correlation runs the calculation checks first.
  f.OnCmdMsg(32834);
  EXPECT_EQ(mensagens.Textos(), QStringList{QStringLiteral("Número de dados insuficiente !")});
  EXPECT_TRUE(dialogos.executados.empty());

  // Dependent variable: on OK the header is read again from the file, the
  // views hear of new variables and the regression is asked for again.
  ASSERT_TRUE(doc->CarregaRegistros());
  doc->GetCabecalho()->SetI32(C::OffEstadoCalculo, 9);  // not in the file
  f.OnCmdMsg(32915);
  EXPECT_FALSE(doc->RegistrosCarregados());
  EXPECT_EQ(doc->GetCabecalho()->I32(C::OffEstadoCalculo), 0);
  EXPECT_EQ(hints, std::vector<int>{1});
  EXPECT_EQ(servicos.postados, (std::vector<int>{32889, 32831}));

  // Cancelled: enable/disable posts nothing; renaming marks the model
  // modified and refreshes the views all the same.
  dialogos.resposta = false;
  hints.clear();
  servicos.postados.clear();
  f.OnCmdMsg(32908);
  f.OnCmdMsg(32909);
  EXPECT_TRUE(servicos.postados.empty());
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(hints, std::vector<int>{3});
  dialogos.resposta = true;
  mensagens.Responde(plat::IDNO);  // the light offer: not saved, the command stops
  f.OnCmdMsg(32908);
  EXPECT_EQ(dialogos.executados, (std::vector<int>{32915, 32908, 32909}));
}

TEST_F(Moldura, PropertiesEditACopyAndSaveUnlessCancelled) {
  auto cab = CabecalhoPequeno();
  Abre(*cab);
  CChildFrame f(doc.get(), new JanelaModeloBasica(doc.get()));
  bool aceita = false;
  CChildFrame::DefineAssistentePropriedades([&](CTarsolinDoc&, CabecalhoModelo& copia) {
    copia.SetI32(C::OffTipoEspacial, 7);
    return aceita;
  });
  int hint = -1;
  QObject::connect(doc.get(), &plat::Documento::documentUpdated, [&](QObject*, int h) { hint = h; });
  f.OnCmdMsg(32862);
  EXPECT_EQ(doc->GetCabecalho()->I32(C::OffTipoEspacial), 0);
  EXPECT_EQ(hint, -1);
  aceita = true;
  f.OnCmdMsg(32862);
  auto lido = std::make_unique<CabecalhoModelo>();
  ASSERT_TRUE(LeCabecalhoModelo(caminho, lido.get()));
  EXPECT_EQ(lido->I32(C::OffTipoEspacial), 7);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(hint, 0);
  CChildFrame::DefineAssistentePropriedades({});
}
