// The results view as a user meets it: the delimited export of the grids and
// of a selection, the copy, Clear, and the query file's save and titles;
// the main frame's window commands and its limit of 512 connections.
#include "JanelaTeste.h"

#include "dbmanager/CExportDlg.h"
#include "dbmanager/CGoToLineDlg.h"
#include "dbmanager/CResultView.h"
#include "dbmanager/ExportacaoDelimitada.h"
#include "dbmanager/ModeloGrade.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTreeWidget>

using namespace brenk;

namespace {

QByteArray LeArquivo(const QString& caminho) {
  QFile f(caminho);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

ModeloGrade* Grade(const QStringList& cabecalho, const QList<QStringList>& linhas) {
  QList<ColunaResultado> cols;
  for (const QString& c : cabecalho) cols << ColunaResultado{c, 10, false};
  auto* g = new ModeloGrade(cols);
  g->AcrescentaLinhas(linhas);
  return g;
}

class Resultados : public JanelaConsulta {
protected:
  // Saves through the export dialog: delimiter by its list index and the check box.
  void RoteiroExportacao(const QString& caminho, int delimitador, bool nomes) {
    plat::RoteiroPara(QStringLiteral("dlg136"), [=](QDialog& d) {
      plat::SelecionaItem(d, 1011, delimitador);
      if (plat::Habilitado(d, 1026)) plat::DefineMarcado(d, 1026, nomes);
      static_cast<QFileDialog&>(d).selectFile(caminho);
      QMetaObject::invokeMethod(&d, "accept");
    });
  }
};

}  // namespace

TEST(ExportacaoDelimitada, BytesDasGradesEDaSelecao) {
  std::unique_ptr<ModeloGrade> a(Grade({"codigo", "bairro"}, {{"1", "Centro"}, {"2", "Jardim, Botânico"}, {"3", "diz \"oi\""}}));
  std::unique_ptr<ModeloGrade> b(Grade({"um"}, {{"1"}}));
  // Comma, names: each grid's heading, its records, an empty line; the
  // comma and the quote are quoted; Windows-1252 with CR LF.
  EXPECT_EQ(TextoGrades({a.get(), b.get()}, QStringLiteral(","), true),
            QByteArray("codigo,bairro\r\n1,Centro\r\n2,\"Jardim, Botânico\"\r\n3,\"diz \"\"oi\"\"\"\r\n\r\n"
                       "um\r\n1\r\n\r\n").replace("\xc3\xa2", "\xe2"));
  EXPECT_EQ(TextoGrades({b.get()}, QStringLiteral("\t"), false), QByteArray("1\r\n\r\n"));
  // "<None>": the cells run together; a comma needs no quotes then.
  EXPECT_EQ(TextoGrades({a.get()}, QString(), false).left(9), QByteArray("1Centro\r\n"));
  // A selection: no heading, no line end after its last row.
  EXPECT_EQ(TextoSelecao(*a, {1, 2, 0, 0}, QStringLiteral("|")), QByteArray("1\r\n2"));
  EXPECT_EQ(TextoCopia(*a, {2, 2, 1, 1}), "Jardim, Botânico");
  EXPECT_EQ(TextoCopia(*a, {1, 2, 0, 1}), "1\tCentro\n2\tJardim, Botânico");
  struct { const char* nome; const char* delimitador; } casos[] = {
      {"Comma Seperated", ","}, {"Tab Delimited", "\t"}, {"Pipe Seperated", "|"}, {"<None>", ""}};
  for (const auto& c : casos) EXPECT_EQ(DelimitadorDoNome(QString::fromLatin1(c.nome)), QString::fromLatin1(c.delimitador)) << c.nome;
}

TEST_F(Resultados, SalvaGradesESelecaoPeloDialogo) {
  QSettings().remove(QStringLiteral("Grid\\Export Options"));
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  ASSERT_TRUE(Roda(j, QStringLiteral("select codigo, bairro from imoveis order by codigo")));
  EXPECT_EQ(j->TextoPainel(2), "Grade de Res. 1 de 1; 3 lin(s); 2 col(s)");
  CResultView* v = j->Resultado();
  v->GradeAtual()->setFocus();
  EXPECT_EQ(j->VistaAtiva(), v);
  frame_->AtualizaComandos();
  EXPECT_TRUE(frame_->Acao(ID_SALVAR_COMO)->isEnabled());
  EXPECT_FALSE(frame_->Acao(ID_SALVAR)->isEnabled());

  const QString todas = dir_.filePath(QStringLiteral("todas.csv"));
  RoteiroExportacao(todas, 2, true);  // pipe, with the names
  EXPECT_TRUE(frame_->Despacha(ID_SALVAR_COMO));
  EXPECT_EQ(LeArquivo(todas), QByteArray("codigo|bairro\r\n1|Centro\r\n2|Jardim Bot\xe2nico\r\n3|Centro\r\n\r\n"));
  EXPECT_EQ(j->TextoPainel(0), "Salvando a grade de resultados...");
  EXPECT_EQ(QSettings().value(QStringLiteral("Grid\\Export Options/Format")).toString(), "Pipe Seperated");

  // A selection of the second column, rows 2 and 3: never the names.
  QTableView* g = v->GradeAtual();
  g->setCurrentIndex(g->model()->index(1, 1));
  g->selectionModel()->select(QItemSelection(g->model()->index(1, 1), g->model()->index(2, 1)),
                              QItemSelectionModel::ClearAndSelect);
  const QString selecao = dir_.filePath(QStringLiteral("selecao.csv"));
  plat::RoteiroPara(QStringLiteral("dlg136"), [&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Salvar Seleção");
    EXPECT_EQ(plat::Texto(d, 1011), "Pipe Seperated");  // remembered
    EXPECT_FALSE(plat::Habilitado(d, 1026));
    plat::SelecionaItem(d, 1011, 0);
    static_cast<QFileDialog&>(d).selectFile(selecao);
    QMetaObject::invokeMethod(&d, "accept");
  });
  EXPECT_TRUE(frame_->Despacha(ID_SALVAR_SELECAO));
  EXPECT_EQ(LeArquivo(selecao), QByteArray("Jardim Bot\xe2nico\r\nCentro"));
  frame_->Despacha(ID_COPIAR);
  EXPECT_EQ(QApplication::clipboard()->text(), "Jardim Botânico\nCentro");
  EXPECT_EQ(j->TextoPainel(0), "Copiando...");

  // Select all: every record cell, the heading left out.
  frame_->Despacha(ID_SELECIONAR_TUDO);
  EXPECT_EQ(v->Selecao().linha1, 1);
  EXPECT_EQ(v->Selecao().linha2, 3);
  EXPECT_EQ(v->Selecao().coluna2, 1);

  // A file that cannot be written is named and nothing is lost.
  plat::GravadorMensagens gravador(plat::IDOK);
  RoteiroExportacao(dir_.filePath(QStringLiteral("ausente/x.csv")), 0, true);
  frame_->Despacha(ID_SALVAR_COMO);
  ASSERT_EQ(gravador.Textos().size(), 1);
  EXPECT_TRUE(gravador.Textos()[0].startsWith("Caminho do arquivo: <" + dir_.filePath(QStringLiteral("ausente/x.csv")) + "> "));
}

TEST_F(Resultados, LimparAsGradesEAsMensagens) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  ASSERT_TRUE(Roda(j, QStringLiteral("select codigo from imoveis")));
  j->Resultado()->GradeAtual()->setFocus();
  plat::GravadorMensagens gravador(plat::IDNO);
  frame_->Despacha(ID_LIMPAR);
  EXPECT_EQ(j->NumeroGrades(), 1);  // No keeps everything
  EXPECT_EQ(gravador.Textos(), QStringList{"The requested operation cannot be undone. Are you sure you wish to continue?"});
  gravador.Responde(plat::IDYES);
  frame_->Despacha(ID_LIMPAR);
  EXPECT_EQ(j->NumeroGrades(), 0);
  EXPECT_EQ(j->TextoPainel(2), "Messages");  // the messages come on show
  EXPECT_EQ(j->VistaAtiva(), j->Resultado());
  gravador.Responde(plat::IDYES);
  frame_->Despacha(ID_LIMPAR);
  EXPECT_TRUE(j->Mensagens().isEmpty());
  EXPECT_EQ(j->TextoPainel(0), "Ready");
  EXPECT_EQ(j->TextoPainel(1), "Exec time: 00:00:00");
  EXPECT_EQ(j->TextoPainel(2), "Conexão aberta");
  frame_->AtualizaComandos();
  EXPECT_FALSE(frame_->Acao(ID_LIMPAR)->isEnabled());
}

TEST_F(Resultados, SalvarConsultaETitulos) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  const QString fonte = j->FonteDados();
  j->Editor()->setFocus();
  j->Editor()->setPlainText(QStringLiteral("select codigo,\nbairro from imoveis"));
  j->Editor()->document()->setModified(true);
  const QString caminho = dir_.filePath(QStringLiteral("consulta.tsq"));
  plat::RoteiroPara(QStringLiteral("dlgSalvarConsulta"), [&](QDialog& d) {
    EXPECT_TRUE(static_cast<QFileDialog&>(d).selectedFiles().value(0).endsWith(
        "/Documento_" + QString::number(CMainFrame::ContadorJanelas()) + ".tsq"));
    static_cast<QFileDialog&>(d).selectFile(caminho);
    QMetaObject::invokeMethod(&d, "accept");
  });
  EXPECT_TRUE(frame_->Despacha(ID_SALVAR));
  EXPECT_EQ(LeArquivo(caminho), QByteArray("select codigo,\nbairro from imoveis"));
  EXPECT_EQ(j->windowTitle(), fonte + " - consulta - (select codigo, ...)");
  EXPECT_EQ(j->Documento()->Caminho(), caminho);
  // A short query shows whole; an empty editor reads "New Query".
  j->Editor()->setPlainText(QStringLiteral("select 1"));
  j->Documento()->SetTitle(QStringLiteral("consulta"));
  EXPECT_EQ(j->windowTitle(), fonte + " - consulta - (select 1)");
  j->Editor()->clear();
  j->Documento()->SetTitle(QStringLiteral("consulta"));
  EXPECT_EQ(j->windowTitle(), fonte + " - consulta - (New Query)");

  // Closing a modified window asks under the plain name; Cancel keeps it.
  j->Editor()->setPlainText(QStringLiteral("select 2"));
  j->Editor()->document()->setModified(true);
  plat::GravadorMensagens gravador(plat::IDCANCEL);
  QPointer<CChildFrame> vigia(j);
  frame_->Despacha(ID_DESCONECTAR);
  ASSERT_EQ(gravador.Textos().size(), 1);
  EXPECT_TRUE(gravador.Textos()[0].contains("consulta"));
  EXPECT_FALSE(gravador.Textos()[0].contains(fonte));
  EXPECT_TRUE(vigia);
  EXPECT_EQ(j->windowTitle(), fonte + " - consulta - (New Query)");
  gravador.Responde(plat::IDNO);
  frame_->Despacha(ID_DESCONECTAR);
  QTest::qWait(10);
  EXPECT_FALSE(vigia);

  // Opening the file again puts its text in a new window.
  CChildFrame* k = Abre();
  ASSERT_TRUE(k);
  plat::RoteiroPara(QStringLiteral("dlgAbrirConsulta"), [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(caminho);
    QMetaObject::invokeMethod(&d, "accept");
  });
  frame_->Despacha(ID_ABRIR);
  EXPECT_EQ(k->Editor()->toPlainText(), "select codigo,\nbairro from imoveis");
}

TEST_F(Resultados, ComandosDasJanelasEIrPara) {
  EXPECT_FALSE(frame_->Acao(ID_CASCATA)->isEnabled());
  EXPECT_FALSE(frame_->Acao(ID_IR_PARA)->isEnabled());
  CChildFrame* a = Abre();
  ASSERT_TRUE(a);
  EXPECT_TRUE(frame_->Acao(ID_CASCATA)->isEnabled());
  EXPECT_FALSE(frame_->Acao(ID_JANELA_PROXIMA)->isEnabled());
  CChildFrame* b = Abre();
  ASSERT_TRUE(b);
  EXPECT_TRUE(frame_->Acao(ID_JANELA_PROXIMA)->isEnabled());
  EXPECT_EQ(frame_->JanelaAtiva(), b);
  frame_->Despacha(ID_JANELA_PROXIMA);
  EXPECT_EQ(frame_->JanelaAtiva(), a);

  // Go to line: a number past the end goes to the last line; Next and Anterior step.
  a->Editor()->setPlainText(QStringLiteral("um\ndois\ntres"));
  a->Editor()->setFocus();
  frame_->Despacha(ID_IR_PARA);
  CGoToLineDlg* ir = frame_->DialogoIrPara();
  ASSERT_TRUE(ir);
  ir->Atualiza();
  EXPECT_EQ(plat::Texto(*ir, 1001), "1");
  plat::DefineTexto(*ir, 1001, QStringLiteral("9"));
  EXPECT_EQ(plat::Texto(*ir, 1005), "&Go To");
  plat::Pressiona(*ir, 1005);
  EXPECT_EQ(plat::Texto(*ir, 1001), "3");
  EXPECT_EQ(a->Editor()->textCursor().blockNumber(), 2);
  EXPECT_EQ(a->TextoPainel(3), "Ln 3, Col 2");
  plat::DefineTexto(*ir, 1001, QString());
  EXPECT_EQ(plat::Texto(*ir, 1005), "&Next");
  plat::Pressiona(*ir, 1002);
  EXPECT_EQ(a->Editor()->textCursor().blockNumber(), 1);
  plat::Pressiona(*ir, 1005);
  EXPECT_EQ(a->Editor()->textCursor().blockNumber(), 2);

  frame_->Despacha(ID_DESCONECTAR_TODOS);
  QTest::qWait(10);
  EXPECT_EQ(frame_->TextoStatus(1), "Total # de conexões: 0");
  ir->Atualiza();
  EXPECT_FALSE(plat::Habilitado(*ir, 1001));
  EXPECT_FALSE(plat::Habilitado(*ir, 1005));
}

TEST_F(Resultados, RecusaA513aConexao) {
  // Hidden, the area does not repaint its 512 windows at each new one.
  frame_->hide();
  for (int i = 0; i < CMainFrame::kLimiteJanelas; ++i) ASSERT_TRUE(Abre()) << i;
  EXPECT_EQ(frame_->TextoStatus(1), "Total # de conexões: 512");
  plat::GravadorMensagens gravador(plat::IDOK);
  EXPECT_FALSE(Abre());
  EXPECT_EQ(gravador.Textos(), QStringList{"Esgotado o limite de conexões simultâneas. "});
  EXPECT_EQ(frame_->JanelasConsulta().size(), 512);
}

TEST_F(Resultados, NavegadorDeTabelasEscreveERodaOsSelects) {
  QSettings().remove(QStringLiteral("Tables"));
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  ASSERT_TRUE(Roda(j, QStringLiteral("create table \"minha tabela\" (\"col a\" integer, b text); create view v as select codigo from imoveis")));
  j->Editor()->clear();
  plat::RoteiroPara(QStringLiteral("dlg131"), [](QDialog& d) {
    auto* lista = d.findChild<QTreeWidget*>(QStringLiteral("1004"));
    ASSERT_EQ(lista->topLevelItemCount(), 2);  // no views unless asked
    EXPECT_EQ(lista->topLevelItem(0)->text(0), "imoveis");
    EXPECT_EQ(lista->topLevelItem(0)->text(2), "NULL");
    EXPECT_EQ(lista->topLevelItem(1)->text(0), "[minha tabela]");
    EXPECT_EQ(plat::Texto(d, 2), "Cancelar");
    // Typing the beginning of a name finds it.
    plat::DefineTexto(d, 1025, QStringLiteral("[MIN"));
    EXPECT_EQ(lista->currentItem()->text(0), "[minha tabela]");
    plat::Pressiona(d, 1);
  });
  EXPECT_TRUE(frame_->Despacha(ID_TABELAS));
  // Names quoted by the driver's rules; the list shows the blank in brackets.
  EXPECT_EQ(j->Editor()->toPlainText(), "\n\nSELECT \"col a\", \"b\" FROM \"minha tabela\"");
  QElapsedTimer t;
  t.start();
  while (j->Executando() && t.elapsed() < 5000) QTest::qWait(20);
  EXPECT_EQ(j->TextoPainel(0), "Consulta finalizada");
  ASSERT_EQ(j->NumeroGrades(), 1);
  EXPECT_EQ(j->Grade(1)->Celula(0, 0), "col a");
  // Views on, text output: the view's source is not available here.
  plat::RoteiroPara(QStringLiteral("dlg131"), [](QDialog& d) {
    plat::Pressiona(d, 1012);
    EXPECT_TRUE(plat::Habilitado(d, 1018));
    plat::Pressiona(d, 1018);
    auto* lista = d.findChild<QTreeWidget*>(QStringLiteral("1004"));
    ASSERT_EQ(lista->topLevelItemCount(), 3);
    lista->setCurrentItem(lista->topLevelItem(2));
    lista->topLevelItem(2)->setSelected(true);
    plat::Pressiona(d, 1);
  });
  frame_->Despacha(ID_TABELAS);
  EXPECT_TRUE(j->Editor()->toPlainText().endsWith("\n\nv // Texto não suportado"));
  EXPECT_EQ(QSettings().value(QStringLiteral("Tables/Views")).toInt(), 1);
  EXPECT_EQ(QSettings().value(QStringLiteral("Tables/TextOnly")).toInt(), 1);
  while (j->Executando() && t.elapsed() < 5000) QTest::qWait(20);
}

TEST_F(Resultados, FolhaDeOpcoesValidaGravaEAplica) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  QSettings ini;
  ini.setValue(QStringLiteral("Configure/CacheSize"), 350000);  // stands when read back
  ini.setValue(QStringLiteral("Configure/ThreadPriority"), QStringLiteral("Highest"));
  plat::GravadorMensagens gravador(plat::IDNO);
  struct Caso { const char* tempo; const char* mensagem; } casos[] = {
      {"", "<Query Timeout> is a required field. The default value is Zero."},
  };
  plat::RoteiroPara(QStringLiteral("dlgConfigure"), [&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Configure");
    // The cache size and the priority act on nothing: greyed, with the reason.
    EXPECT_EQ(plat::Texto(d, 1021), "350000");
    EXPECT_EQ(plat::Texto(d, 1023), "Highest");
    for (int id : {1021, 1023}) {
      EXPECT_FALSE(plat::Habilitado(d, id)) << id;
      EXPECT_FALSE(plat::Controle(d, id)->toolTip().isEmpty()) << id;
    }
    for (const Caso& c : casos) {
      plat::DefineTexto(d, 1019, QString::fromLatin1(c.tempo));
      plat::Pressiona(d, 1);
      EXPECT_TRUE(d.isVisible()) << c.mensagem;
      EXPECT_EQ(gravador.Textos().last(), QString::fromLatin1(c.mensagem));
    }
    plat::DefineTexto(d, 1019, QStringLiteral("25"));
    plat::Pressiona(d, 1);
  });
  EXPECT_TRUE(frame_->Despacha(ID_CONFIGURAR));
  EXPECT_EQ(ini.value(QStringLiteral("Configure/QueryTimeOut")).toInt(), 25);
  EXPECT_EQ(ini.value(QStringLiteral("Configure/CacheSize")).toInt(), 350000);
  EXPECT_EQ(ini.value(QStringLiteral("Configure/ThreadPriority")).toString(), "Highest");
  EXPECT_EQ(j->TempoLimite(), 25);
  EXPECT_EQ(j->TamanhoCache(), 350000);
  EXPECT_EQ(j->Prioridade(), 2);
  // Cancel leaves the profile as it was.
  plat::RoteiroPara(QStringLiteral("dlgConfigure"), [](QDialog& d) {
    plat::Pressiona(d, 3);
    EXPECT_EQ(plat::Texto(d, 1021), "100");
    plat::Pressiona(d, 2);
  });
  frame_->Despacha(ID_CONFIGURAR);
  EXPECT_EQ(ini.value(QStringLiteral("Configure/CacheSize")).toInt(), 350000);
}
