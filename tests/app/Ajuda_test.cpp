// The user guide: every link of it resolves, every help command and the
// welcome dialog's "Ajuda On Line" open it, F1 opens the topic of the window
// in use, and the report dialogs' context help reaches the field's section.
#include "Ajuda.h"
#include "CDlgTransparent.h"
#include "CMainFrame.h"
#include "COpcoesRE.h"
#include "CSplashWnd.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "ModeloTeste.h"
#include "RoteadorComandos.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "report/COptionSheet.h"
#include "report/CPageSetupDlg.h"
#include "views/equation/CResultados.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QWhatsThis>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QString Le(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A topic ("page.html#anchor") that names an existing page and, when it has
// one, an anchor of that page.
::testing::AssertionResult Resolve(const QString& topico, const QString& pagina = QString()) {
  const int cerquilha = topico.indexOf('#');
  QString arquivo = cerquilha < 0 ? topico : topico.left(cerquilha);
  if (arquivo.isEmpty()) arquivo = pagina;
  const QString ancora = cerquilha < 0 ? QString() : topico.mid(cerquilha + 1);
  const QString caminho = QDir(ajuda::PastaGuia()).filePath(arquivo);
  if (!QFile::exists(caminho)) return ::testing::AssertionFailure() << "no page " << arquivo.toStdString();
  if (!ancora.isEmpty() && !Le(caminho).contains(QStringLiteral("name=\"%1\"").arg(ancora)))
    return ::testing::AssertionFailure() << "no anchor " << topico.toStdString();
  return ::testing::AssertionSuccess();
}

void F1(QWidget* w) {
  QKeyEvent tecla(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(w, &tecla);
}

QString TopicoAberto() {
  CJanelaAjuda* j = ajuda::Janela();
  return j && j->isVisible() ? j->TopicoAtual() : QString();
}

void FechaGuia() {
  if (CJanelaAjuda* j = ajuda::Janela()) {
    j->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST(Guia, TodosOsLinksResolvemENenhumaPaginaFicaForaDoConteudo) {
  const QDir pasta(ajuda::PastaGuia());
  const QStringList paginas = pasta.entryList({QStringLiteral("*.html")}, QDir::Files);
  ASSERT_GE(paginas.size(), 15) << pasta.path().toStdString();
  static const QRegularExpression ligacao(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
  int ligacoes = 0;
  for (const QString& p : paginas) {
    const QString html = Le(pasta.filePath(p));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << p.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("{{"))) << "a figure left to fill in " << p.toStdString();
    for (auto it = ligacao.globalMatch(html); it.hasNext();) {
      const QString alvo = it.next().captured(1);
      ASSERT_FALSE(alvo.isEmpty()) << p.toStdString();
      ASSERT_FALSE(alvo.contains(QStringLiteral("://"))) << "the guide links outside itself: " << alvo.toStdString();
      EXPECT_TRUE(Resolve(alvo, p)) << "in " << p.toStdString();
      ++ligacoes;
    }
  }
  EXPECT_GT(ligacoes, 80);
  // The contents list every page but the index, each with its sections.
  QStringList listadas{QString::fromLatin1(ajuda::kIndice)};
  for (const ajuda::Topico& t : ajuda::Conteudo()) {
    EXPECT_FALSE(t.titulo.isEmpty());
    EXPECT_FALSE(t.secoes.isEmpty()) << t.arquivo.toStdString();
    for (const ajuda::Topico& s : t.secoes) EXPECT_TRUE(Resolve(s.arquivo)) << s.arquivo.toStdString();
    listadas << t.arquivo;
  }
  listadas.sort();
  QStringList todas = paginas;
  todas.sort();
  EXPECT_EQ(listadas, todas);
}

TEST(Guia, TopicosDasJanelasEDosDialogosExistem) {
  // Every dialog the program shows, and the report dialogs' fields.
  const int dialogos[] = {500, 549, 142, 132, 134, 541, 505, 506, 538, 525, 531, 509, 533, 504, 547, 545, 502, 552,
                          551, 527, 507, 508, 511, 513, 130, 131, 146, 148, 542, 528, 514, 532, 529, 530, 522, 523};
  for (int d : dialogos) {
    const QString t = ajuda::TopicoDoDialogo(d, 0);
    EXPECT_TRUE(Resolve(t)) << d;
  }
  EXPECT_EQ(ajuda::TopicoDoDialogo(532, 1049), QStringLiteral("relatorio.html#margens"));
  EXPECT_EQ(ajuda::TopicoDoDialogo(529, 1133), QStringLiteral("relatorio.html#unidades"));
  EXPECT_EQ(ajuda::TopicoDoDialogo(530, 1141), QStringLiteral("relatorio.html#quebra"));
  EXPECT_EQ(ajuda::TopicoDoDialogo(514, 1042), QStringLiteral("relatorio.html#data-hora"));
  EXPECT_EQ(ajuda::TopicoDoDialogo(9999, 1), QString::fromLatin1(ajuda::kIndice));
  for (const char* t : {"relatorio.html#margens", "relatorio.html#unidades", "relatorio.html#quebra"})
    EXPECT_TRUE(Resolve(QString::fromLatin1(t)));
}

TEST(Guia, PesquisaIgnoraMaiusculasEAcentosEExigeTodasAsPalavras) {
  const QList<ajuda::Achado> moran = ajuda::Pesquisa(QStringLiteral("MORAN"));
  ASSERT_FALSE(moran.isEmpty());
  EXPECT_EQ(moran.first().arquivo, QStringLiteral("espacial.html"));
  // "regressao" finds the pages that write "regressão".
  const QList<ajuda::Achado> semAcento = ajuda::Pesquisa(QStringLiteral("regressao"));
  const QList<ajuda::Achado> comAcento = ajuda::Pesquisa(QStringLiteral("Regressão"));
  ASSERT_FALSE(semAcento.isEmpty());
  EXPECT_EQ(semAcento.size(), comAcento.size());
  for (int i = 1; i < semAcento.size(); ++i) EXPECT_GE(semAcento[i - 1].ocorrencias, semAcento[i].ocorrencias);
  // Every word must be on the page.
  const QList<ajuda::Achado> ambas = ajuda::Pesquisa(QStringLiteral("arbítrio Durbin"));
  for (const ajuda::Achado& a : ambas) EXPECT_NE(a.arquivo, QStringLiteral("espacial.html"));
  EXPECT_TRUE(ajuda::Pesquisa(QStringLiteral("xyzzyplugh")).isEmpty());
  EXPECT_TRUE(ajuda::Pesquisa(QStringLiteral("   ")).isEmpty());
}

TEST(Guia, JanelaNavegaPeloConteudoEPelaPesquisa) {
  CJanelaAjuda* j = ajuda::Abre(QStringLiteral("escolha-equacao.html#dw"));
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->windowTitle(), QStringLiteral("Ajuda do Tarsolin"));
  EXPECT_EQ(j->TopicoAtual(), QStringLiteral("escolha-equacao.html#dw"));
  EXPECT_TRUE(j->Navegador()->toPlainText().contains(QStringLiteral("Durbin Watson")));
  auto* conteudo = j->findChild<QTreeWidget*>(QStringLiteral("conteudo"));
  ASSERT_NE(conteudo, nullptr);
  EXPECT_EQ(conteudo->topLevelItemCount(), ajuda::Conteudo().size());
  ASSERT_NE(conteudo->currentItem(), nullptr);
  EXPECT_EQ(conteudo->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("escolha-equacao.html#dw"));

  // A link inside the guide, then back and forward.
  j->Navegador()->setSource(QUrl(QStringLiteral("projecao.html")));
  EXPECT_EQ(j->TopicoAtual(), QStringLiteral("projecao.html"));
  j->Navegador()->backward();
  EXPECT_EQ(QFileInfo(j->Navegador()->source().path()).fileName(), QStringLiteral("escolha-equacao.html"));
  j->Navegador()->forward();
  EXPECT_EQ(j->TopicoAtual(), QStringLiteral("projecao.html"));

  j->Pesquisa(QStringLiteral("campo de arbítrio"));
  auto* achados = j->findChild<QListWidget*>(QStringLiteral("achados"));
  ASSERT_NE(achados, nullptr);
  ASSERT_GT(achados->count(), 0);
  EXPECT_TRUE(achados->item(0)->text().startsWith(QStringLiteral("Projeção de valores")));
  achados->setCurrentRow(0);
  emit achados->itemActivated(achados->item(0));
  EXPECT_EQ(j->TopicoAtual(), QStringLiteral("projecao.html"));
  EXPECT_TRUE(j->Navegador()->textCursor().hasSelection());
  FechaGuia();
}

class AjudaNoPrograma : public ::testing::Test {
protected:
  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", pasta.path().toLocal8Bit());
    plat::DefineModoRoteiro(true);
    plat::LimpaRoteiros();
    ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
    // The splash swallows the first key, as it does for the user's.
    if (CSplashWnd::Atual()) {
      QTest::keyClick(app.MainFrame(), Qt::Key_A);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ASSERT_EQ(CSplashWnd::Atual(), nullptr);
  }
  void TearDown() override {
    FechaGuia();
    plat::LimpaRoteiros();
    app.MainFrame()->close();
    CHelpDialog::DefineAjuda({});
  }
  QTemporaryDir pasta;
  CTarsolinApp app;
};

TEST_F(AjudaNoPrograma, CadaComandoDeAjudaEstaHabilitadoEAbreOGuia) {
  RoteadorComandos& r = RoteadorComandos::Instancia();
  CMainFrame* frame = app.MainFrame();
  // The menu entry and the tool bar's button exist; F1 is the shortcut of 57670.
  ASSERT_NE(frame->Acao(ID_HELP_FINDER), nullptr);
  EXPECT_EQ(frame->Acao(ID_HELP_FINDER)->text(), QStringLiteral("&Tópicos da Ajuda"));
  EXPECT_EQ(frame->Acao(ID_HELP)->shortcut(), QKeySequence(Qt::Key_F1));
  ASSERT_NE(frame->Acao(ID_CONTEXT_HELP), nullptr);
  for (int id : {ID_HELP_INDEX, ID_HELP_FINDER, ID_HELP, ID_DEFAULT_HELP, ID_CONTEXT_HELP}) {
    EXPECT_TRUE(r.Estado(id).habilitado) << id;
    FechaGuia();
    EXPECT_TRUE(r.Despacha(id)) << id;
    EXPECT_EQ(TopicoAberto(), QString::fromLatin1(ajuda::kIndice)) << id;  // no model window: the contents
    r.AtualizaAcoes();
    EXPECT_TRUE(frame->Acao(id)->isEnabled()) << id;
  }
}

TEST_F(AjudaNoPrograma, AjudaOnLineDasBoasVindasAbreOConteudo) {
  plat::RoteiroPara(QStringLiteral("dlg549"), [](QDialog& d) { plat::Pressiona(d, 1006); });
  CDlgTransparent boasVindas;
  plat::ExecutaDialogo(boasVindas);
  QCoreApplication::processEvents();  // the button posts 57667
  EXPECT_EQ(TopicoAberto(), QString::fromLatin1(ajuda::kIndice));
}

TEST_F(AjudaNoPrograma, F1NaJanelaDoModeloAbreOSeuTopico) {
  teste::Modelo m(4, 0);
  const QString caminho = pasta.filePath(QStringLiteral("ajuda.tsn"));
  ASSERT_TRUE(m.Grava(caminho));
  ASSERT_NE(app.OpenDocumentFile(caminho), nullptr);
  QCoreApplication::processEvents();
  QMdiSubWindow* sub = app.MainFrame()->Mdi()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  sub->widget()->setFocus();
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_HELP));
  EXPECT_EQ(TopicoAberto(), QStringLiteral("modelo.html#janela-modelo"));
  // The tool bar's "Ajuda" asks for the same topic.
  FechaGuia();
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_CONTEXT_HELP));
  EXPECT_EQ(TopicoAberto(), QStringLiteral("modelo.html#janela-modelo"));
}

TEST_F(AjudaNoPrograma, F1ComAEscolhaDaEquacaoOuAsOpcoesEspaciaisAbertas) {
  teste::Modelo m(4, 0);
  m.cab->SetI32(CabecalhoModelo::OffNumEquacoes, 1);
  QString escolha, espacial;
  bool naoBloqueada = false;
  plat::RoteiroPara(QStringLiteral("dlg541"), [&](QDialog& d) {
    F1(d.focusWidget() ? d.focusWidget() : &d);
    escolha = TopicoAberto();
    // The guide stays usable over the modal dialog.
    CJanelaAjuda* j = ajuda::Janela();
    naoBloqueada = j && j->windowHandle() && j->windowHandle()->transientParent() == d.windowHandle();
    FechaGuia();
    d.reject();
  });
  CResultados chooser(m.cab.get());
  plat::ExecutaDialogo(chooser);
  EXPECT_EQ(escolha, QStringLiteral("escolha-equacao.html"));
  EXPECT_TRUE(naoBloqueada);

  plat::RoteiroPara(QStringLiteral("dlg505"), [&](QDialog& d) {
    F1(plat::Controle(d, 1063));
    espacial = TopicoAberto();
    d.reject();
  });
  COpcoesRE opcoes;
  opcoes.PreencheDoCabecalho(*m.cab);
  plat::ExecutaDialogo(opcoes);
  EXPECT_EQ(espacial, QStringLiteral("espacial.html#opcoes-re"));
}

TEST_F(AjudaNoPrograma, AjudaDeContextoDosDialogosDoRelatorio) {
  ASSERT_TRUE(CHelpDialog::TemAjuda());
  CPageSetupDlg dlg;
  EXPECT_TRUE(dlg.windowFlags() & Qt::WindowContextHelpButtonHint);
  dlg.show();
  auto* margem = dlg.findChild<QLineEdit*>(QStringLiteral("1049"));
  ASSERT_NE(margem, nullptr);
  margem->setFocus();
  QApplication::processEvents();
  F1(&dlg);
  EXPECT_EQ(TopicoAberto(), QStringLiteral("relatorio.html#margens"));
  FechaGuia();

  // The title bar's "?" then a click: the control under the pointer, whatever has the focus.
  QEvent entra(QEvent::EnterWhatsThisMode);
  QApplication::sendEvent(&dlg, &entra);
  EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
  QWidget* superior = plat::Controle(dlg, 1055);
  ASSERT_NE(superior, nullptr);
  const QPoint meio = superior->rect().center();
  QHelpEvent clique(QEvent::WhatsThis, meio, superior->mapToGlobal(meio));
  QApplication::sendEvent(superior, &clique);
  EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
  EXPECT_EQ(TopicoAberto(), QStringLiteral("relatorio.html#margens"));
  FechaGuia();

  // A right click on the margins' frame: the dialog's own topic.
  QWidget* quadro = plat::Controle(dlg, 1004);
  ASSERT_NE(quadro, nullptr);
  const QPoint canto(3, 3);
  QContextMenuEvent direito(QContextMenuEvent::Mouse, canto, quadro->mapToGlobal(canto));
  QApplication::sendEvent(quadro, &direito);
  EXPECT_EQ(TopicoAberto(), QStringLiteral("relatorio.html#configurar-pagina"));
  dlg.close();
  FechaGuia();

  // A property sheet: the page under the pointer answers with its own topics.
  COptionSheet folha(QStringLiteral("Opções"), nullptr, 0);
  folha.show();
  QWidget* centimetros = plat::Controle(folha, 1133);
  ASSERT_NE(centimetros, nullptr);
  const QPoint ponto = centimetros->rect().center();
  QContextMenuEvent sobre(QContextMenuEvent::Mouse, ponto, centimetros->mapToGlobal(ponto));
  QApplication::sendEvent(centimetros, &sobre);
  EXPECT_EQ(TopicoAberto(), QStringLiteral("relatorio.html#unidades"));
  folha.close();
}

// The guide's text without its tags, in single spaces.
QString TextoDoGuia(const QString& pagina = QString()) {
  const QDir pasta(ajuda::PastaGuia());
  QString r;
  for (const QString& p : pagina.isEmpty() ? pasta.entryList({QStringLiteral("*.html")}, QDir::Files) : QStringList{pagina})
    r += Le(pasta.filePath(p)) + QLatin1Char(' ');
  r.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  r.replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  return r.simplified();
}

TEST_F(AjudaNoPrograma, OGuiaDescreveAsJanelasEOsMenusQueOProgramaTem) {
  // A model window adds the list's entries to Exibir.
  teste::Modelo m(4, 0);
  const QString caminho = pasta.filePath(QStringLiteral("menus.tsn"));
  ASSERT_TRUE(m.Grava(caminho));
  ASSERT_NE(app.OpenDocumentFile(caminho), nullptr);
  QCoreApplication::processEvents();
  const QString guia = TextoDoGuia();
  for (QAction* menu : app.MainFrame()->menuBar()->actions()) {
    if (!menu->menu() || (menu->text() != QStringLiteral("E&xibir") && menu->text() != QStringLiteral("&Janela"))) continue;
    for (QAction* a : menu->menu()->actions()) {
      if (a->isSeparator()) continue;
      QString nome = a->text().remove(QLatin1Char('&'));
      if (nome.endsWith(QStringLiteral("..."))) nome.chop(3);
      EXPECT_TRUE(guia.contains(nome.trimmed())) << "the guide does not name " << nome.toStdString();
    }
  }
  // The statistical table and the about box open their own sections.
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_TABELA_NORMAL));
  QCoreApplication::processEvents();
  app.MainFrame()->Mdi()->activeSubWindow()->widget()->setFocus();
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_HELP));
  EXPECT_EQ(TopicoAberto(), QStringLiteral("impressao.html#tabela-normal"));
  FechaGuia();
  QString sobre;
  plat::RoteiroPara(QStringLiteral("dlg500"), [&](QDialog& d) {
    F1(d.focusWidget() ? d.focusWidget() : &d);
    sobre = TopicoAberto();
    FechaGuia();
    d.reject();
  });
  EXPECT_TRUE(RoteadorComandos::Instancia().Despacha(ID_APP_ABOUT));
  EXPECT_EQ(sobre, QStringLiteral("impressao.html#sobre"));
  for (const char* t : {"impressao.html#tabela-normal", "impressao.html#sobre", "impressao.html#janelas"})
    EXPECT_TRUE(Resolve(QString::fromLatin1(t)));
  // The windows go, and the commands their activations post with them.
  app.MainFrame()->Mdi()->closeAllSubWindows();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
}

TEST(Guia, DizOQueOProgramaFaz) {
  struct Caso { const char* pagina; const char* diz; const char* naoDiz; };
  const Caso casos[] = {
      // Saving a rich report as text asks nothing.
      {"relatorio.html", "perde a formatação sem pergunta", "ao salvar em texto, o programa avisa"},
      // The title bar's "?" asks about the control clicked next, F1 about the one with the focus.
      {"relatorio.html", "mostra a seção do campo clicado", "F1 ou o botão \"?\" da barra de título mostram a seção do campo com o foco"},
      {"index.html", "mostra o tópico do campo clicado", "F1 e o botão \"?\" da barra de título mostram o tópico do campo com o foco"},
      // The options sheet has a menu entry.
      {"relatorio.html", "Exibir > Opções...", "Nesta versão nenhum menu os abre; os seus valores valem como padrão"},
      {"dados.html", "o mesmo vale para a caixa de marcação", "o mesmo vale a caixa"},
      // The catalogue editor writes the user's copy, never the program folder's.
      {"dados.html", "cópia do usuário", "(arquivo variaveis.cfg na pasta do programa)"},
  };
  for (const Caso& k : casos) {
    const QString texto = TextoDoGuia(QString::fromLatin1(k.pagina));
    EXPECT_TRUE(texto.contains(QString::fromUtf8(k.diz))) << k.pagina << ": " << k.diz;
    EXPECT_FALSE(texto.contains(QString::fromUtf8(k.naoDiz))) << k.pagina << ": " << k.naoDiz;
  }
}

}  // namespace
