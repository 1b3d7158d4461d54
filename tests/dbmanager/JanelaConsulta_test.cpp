// The query window as a user meets it: the data-source dialog, connecting
// (with the retry through the connection dialog), runs with their grids,
// messages and status panes, cancel, and closing during a run.
#include "JanelaTeste.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CDataSourceDlg.h"
#include "dbmanager/CDialogoConexao.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/CResultView.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/ModeloGrade.h"
#include "dbmanager/RotinasBrenk.h"
#include "dbmanager/TextoConexao.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QListView>
#include <QSemaphore>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <malloc.h>
#include <thread>

using namespace brenk;


TEST_F(JanelaConsulta, ConectaETituloComContador) {
  const int antes = CMainFrame::ContadorJanelas();
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  EXPECT_EQ(j->windowTitle(), arquivo_ + QStringLiteral(" - Documento_%1").arg(antes + 1));
  EXPECT_EQ(j->TextoPainel(2), "Conexão aberta");
  EXPECT_TRUE(j->TextoPainel(1).startsWith("Exec time: 00:00:0"));
  EXPECT_EQ(frame_->TextoStatus(1), "Total # de conexões: 1");
  EXPECT_EQ(frame_->CaixaBancos()->currentText(), "Não suportado");
  EXPECT_FALSE(j->Habilitado(ID_CAIXA_BANCOS));
  EXPECT_TRUE(frame_->Mdi()->activeSubWindow()->isMaximized());
  // Closed or not, the next untitled window takes the next number.
  frame_->Mdi()->closeAllSubWindows();
  QTest::qWait(10);
  EXPECT_EQ(frame_->TextoStatus(1), "Total # de conexões: 0");
  j = Abre();
  ASSERT_TRUE(j);
  EXPECT_TRUE(j->windowTitle().endsWith(QStringLiteral("Documento_%1").arg(antes + 2)));
}

TEST_F(JanelaConsulta, DuasGradesPaginasEMensagens) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  EXPECT_FALSE(j->Habilitado(ID_EXECUTAR));  // nothing to run yet
  ASSERT_TRUE(Roda(j, QStringLiteral("select codigo, bairro from imoveis order by codigo; select 1 as um")));
  EXPECT_EQ(j->TextoPainel(0), "Consulta finalizada");
  ASSERT_EQ(j->NumeroGrades(), 2);
  EXPECT_EQ(j->TextoPainel(2), "Grade de Res. 1 de 2; 3 lin(s); 2 col(s)");
  EXPECT_EQ(j->Grade(1)->Celula(0, 1), "bairro");
  EXPECT_EQ(j->Grade(1)->Celula(2, 1), "Jardim Botânico");
  EXPECT_TRUE(j->VistaGrade(1)->isVisible());
  EXPECT_FALSE(j->Habilitado(ID_ANTERIOR));
  EXPECT_TRUE(j->Habilitado(ID_PROXIMA));
  EXPECT_TRUE(frame_->Despacha(ID_ULTIMA));
  EXPECT_EQ(j->TextoPainel(2), "Grade de Res. 2 de 2; 1 lin(s); 1 col(s)");
  EXPECT_TRUE(j->Habilitado(ID_PRIMEIRA));
  EXPECT_FALSE(j->Habilitado(ID_PROXIMA));
  // F4: the messages, then the grid again.
  EXPECT_TRUE(frame_->Despacha(ID_MENSAGENS));
  EXPECT_EQ(j->TextoPainel(2), "Messages");
  EXPECT_EQ(j->Resultado()->Texto(),
            "[3 row(s) affected (application specific)]\n\n[1 row(s) affected (application specific)]");
  EXPECT_TRUE(frame_->Acao(ID_MENSAGENS)->isChecked());
  frame_->Despacha(ID_MENSAGENS);
  EXPECT_EQ(j->TextoPainel(2), "Grade de Res. 2 de 2; 1 lin(s); 1 col(s)");
}

TEST_F(JanelaConsulta, MensagensDeCadaTipoDeComando) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  struct Caso {
    const char* nome;
    QString sql;
    QString status, mensagens, painel2;
    int grades;
  } casos[] = {
      {"nada a relatar", QStringLiteral("create table nova (a int)"), QStringLiteral("Consulta finalizada"),
       QStringLiteral("O comando foi concluído com successo."), QStringLiteral("Messages"), 0},
      {"alteracao", QStringLiteral("update imoveis set area = area + 1 where bairro = 'Centro'"), QStringLiteral("Consulta finalizada"),
       QStringLiteral("(2 row(s) affected)"), QStringLiteral("Messages"), 0},
      {"select vazio", QStringLiteral("select codigo, area from imoveis where 0"), QStringLiteral("Consulta finalizada"),
       QStringLiteral("[0 row(s) affected (application specific)]"), QStringLiteral("Grade de Res. 1 de 1; 1 lin(s); 2 col(s)"), 1},
      {"erro", QStringLiteral("select * from ausente"), QStringLiteral("Consulta finalizou com erros"),
       QStringLiteral("no such table: ausente\nState: , Native: 1, Source: SQLite"), QStringLiteral("Messages"), 0},
  };
  for (const Caso& c : casos) {
    ASSERT_TRUE(Roda(j, c.sql)) << c.nome;
    EXPECT_EQ(j->TextoPainel(0), c.status) << c.nome;
    EXPECT_EQ(j->Mensagens(), c.mensagens) << c.nome;
    EXPECT_EQ(j->TextoPainel(2), c.painel2) << c.nome;
    EXPECT_EQ(j->NumeroGrades(), c.grades) << c.nome;
    if (c.painel2 == QLatin1String("Messages")) {
      EXPECT_EQ(j->Resultado()->Texto(), c.mensagens) << c.nome;
    }
  }
  // The empty select's grid keeps its heading and one empty row.
  Roda(j, QStringLiteral("select codigo, area from imoveis where 0"));
  EXPECT_EQ(j->Grade(1)->Linhas(), 2);
  EXPECT_EQ(j->Grade(1)->Celula(0, 0), "codigo");
}

TEST_F(JanelaConsulta, CancelarCteRecursiva) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  j->Editor()->setPlainText(QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c"));
  frame_->Despacha(ID_EXECUTAR);
  QTest::qWait(300);
  ASSERT_TRUE(j->Executando());
  EXPECT_FALSE(frame_->Acao(ID_EXECUTAR)->isEnabled());
  EXPECT_TRUE(frame_->Acao(ID_CANCELAR)->isEnabled());
  QElapsedTimer t;
  t.start();
  EXPECT_TRUE(frame_->Despacha(ID_CANCELAR));
  EXPECT_EQ(j->TextoPainel(0), "Attempting to cancel query batch...");
  EXPECT_FALSE(j->Habilitado(ID_CANCELAR));  // a run is cancelled once
  while (j->Executando() && t.elapsed() < 5000) QTest::qWait(10);
  EXPECT_LT(t.elapsed(), 2000);
  EXPECT_EQ(j->TextoPainel(0), "Consulta cancelada");
  EXPECT_EQ(j->Mensagens(), "Consulta cancelada pelo usuário.");
  // The window runs again afterwards.
  ASSERT_TRUE(Roda(j, QStringLiteral("select 2 as dois")));
  EXPECT_EQ(j->TextoPainel(0), "Consulta finalizada");
}

TEST_F(JanelaConsulta, FecharDuranteUmaExecucao) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  QPointer<CChildFrame> vigia(j);
  j->Editor()->setPlainText(QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c"));
  frame_->Despacha(ID_EXECUTAR);
  QTest::qWait(200);
  plat::GravadorMensagens gravador(plat::IDNO);
  QMdiSubWindow* sub = frame_->Mdi()->activeSubWindow();
  sub->close();  // No: the window stays and the run goes on
  ASSERT_EQ(gravador.Textos(), QStringList{"A query execution is in progress. Are you sure you wish to cancel this query?"});
  EXPECT_TRUE(vigia);
  EXPECT_TRUE(j->Executando());
  gravador.Responde(plat::IDYES);
  sub->close();  // Yes: cancelled, then closed once the run has ended
  EXPECT_TRUE(vigia);
  QElapsedTimer t;
  t.start();
  while (vigia && t.elapsed() < 5000) QTest::qWait(10);
  EXPECT_FALSE(vigia);
  EXPECT_EQ(gravador.Textos().size(), 2);
  EXPECT_EQ(frame_->TextoStatus(1), "Total # de conexões: 0");
}

TEST_F(JanelaConsulta, DialogoDeFontesEComandoConectar) {
  // "Fechar" leaves the kind and does nothing; Enter is OK with the kind unchanged.
  CDataSourceDlg::DefineTipoConexao(0);
  plat::RoteiroPara(QStringLiteral("dlg138"), [](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Selecione o Banco de Dados");
    EXPECT_FALSE(plat::Controle(d, 1134)->isVisible());
    plat::Pressiona(d, 2);
  });
  frame_->OnConnect();
  EXPECT_EQ(CDataSourceDlg::TipoConexao(), 0);
  EXPECT_TRUE(frame_->JanelasConsulta().isEmpty());
  {
    CDataSourceDlg dlg;
    plat::RoteiroPara(QStringLiteral("dlg138"), [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Return); });
    EXPECT_EQ(plat::ExecutaDialogo(dlg), QDialog::Accepted);
    EXPECT_EQ(CDataSourceDlg::TipoConexao(), 0);
  }
  // "Arquivos do Excel", then the workbook in the file dialog.
  plat::RoteiroPara(QStringLiteral("dlg138"), [](QDialog& d) { plat::Pressiona(d, 1009); });
  plat::RoteiroPara(QStringLiteral("dlgArquivo"), [](QDialog& d) {
    auto& f = static_cast<QFileDialog&>(d);
    EXPECT_EQ(f.windowTitle(), "Selecione o arquivo de dados");
    EXPECT_EQ(f.nameFilters(), QStringList{"Arquivos do Microsoft Office Excel (*.xls)"});
    f.selectFile(teste::PlanilhaTeste());
    QMetaObject::invokeMethod(&f, "accept");
  });
  frame_->OnConnect();
  EXPECT_EQ(CDataSourceDlg::TipoConexao(), 2);
  ASSERT_EQ(frame_->JanelasConsulta().size(), 1);
  CChildFrame* j = frame_->JanelasConsulta().first();
  EXPECT_TRUE(j->windowTitle().startsWith("Arquivos do Excel - Documento_"));
  EXPECT_TRUE(j->Regras().jet);
  ASSERT_TRUE(Roda(j, QStringLiteral("select Nome from [Bairros$] order by Id")));
  EXPECT_EQ(j->Grade(1)->Celula(2, 0), "Jardim Botânico");
  // Cancelling the file dialog opens nothing.
  plat::RoteiroPara(QStringLiteral("dlg138"), [](QDialog& d) { plat::Pressiona(d, 1007); });
  frame_->OnConnect();
  EXPECT_EQ(CDataSourceDlg::TipoConexao(), 1);
  EXPECT_EQ(frame_->JanelasConsulta().size(), 1);
}

TEST_F(JanelaConsulta, FalhaOfereceRepetirComODialogoDeConexao) {
  plat::GravadorMensagens gravador(plat::IDCANCEL);
  const QString ausente = teste::TextoSqlite(dir_.filePath(QStringLiteral("ausente.db")));
  EXPECT_FALSE(frame_->AbreNovaConexao(ausente, QString(), QString()));
  ASSERT_EQ(gravador.Mensagens().size(), 1u);
  EXPECT_EQ(gravador.Mensagens()[0].estilo, plat::MB_RETRYCANCEL | plat::MB_ICONQUESTION);
  EXPECT_TRUE(gravador.Textos()[0].startsWith("unable to open database file"));
  EXPECT_TRUE(frame_->JanelasConsulta().isEmpty());

  // Retry: the dialog opens with the failed string's values; fixing the file connects.
  gravador.Responde(plat::IDRETRY);
  plat::RoteiroPara(QStringLiteral("dlgConexao"), [this](QDialog& d) {
    EXPECT_EQ(plat::Texto(d, 4001), "SQLite");
    EXPECT_EQ(plat::Texto(d, 4002), dir_.filePath(QStringLiteral("ausente.db")));
    plat::DefineTexto(d, 4002, arquivo_);
    plat::Pressiona(d, 1);
  });
  CQueryDoc* doc = frame_->AbreNovaConexao(ausente, QString(), QString());
  ASSERT_TRUE(doc);
  EXPECT_EQ(frame_->JanelasConsulta().size(), 1);
  EXPECT_EQ(frame_->JanelasConsulta().first()->Conexao()->TextoConexao(), teste::TextoSqlite(arquivo_));

  // The connection dialog of "MSDAC - Data Access", cancelled: no window.
  EXPECT_FALSE(frame_->AbreNovaConexao(QString(), QString(), QString()));
  EXPECT_EQ(frame_->JanelasConsulta().size(), 1);
}

TEST_F(JanelaConsulta, NovaConsultaNaMesmaFonte) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  EXPECT_TRUE(frame_->Despacha(ID_NOVA_CONSULTA));
  ASSERT_EQ(frame_->JanelasConsulta().size(), 2);
  CChildFrame* segunda = frame_->JanelasConsulta().last();
  EXPECT_NE(segunda, j);
  EXPECT_EQ(segunda->Conexao()->TextoConexao(), j->Conexao()->TextoConexao());
  EXPECT_EQ(frame_->TextoStatus(1), "Total # de conexões: 2");
}

TEST_F(JanelaConsulta, OpcoesLidasAoConectar) {
  QSettings ini;
  ini.setValue(QStringLiteral("Configure/QueryTimeOut"), 100000);
  ini.setValue(QStringLiteral("Configure/CacheSize"), 0);
  ini.setValue(QStringLiteral("Configure/ThreadPriority"), QStringLiteral("HIGHEST"));
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  EXPECT_EQ(j->TempoLimite(), 0);
  EXPECT_EQ(j->TamanhoCache(), 100);
  EXPECT_EQ(j->Prioridade(), 2);
  // The options applied later are taken as given.
  j->DefineTempoLimite(100000);
  j->DefineCache(0);
  EXPECT_EQ(j->TempoLimite(), 100000);
  EXPECT_EQ(j->TamanhoCache(), 0);
  struct { const char* texto; int prioridade; } casos[] = {
      {"Time critical", 15}, {"highest", 2}, {"Above Normal", 1}, {"NORMAL", 0}, {"Below Normal", -1}, {"Lowest", -2}, {"", -2}, {"Idle", -2}};
  for (const auto& c : casos) EXPECT_EQ(CChildFrame::PrioridadeDeTexto(QString::fromLatin1(c.texto)), c.prioridade) << c.texto;
}

TEST(ModeloGrade, LargurasDasColunas) {
  EXPECT_EQ(ModeloGrade::LarguraTwips({QStringLiteral("ID"), 4, false}), 990);
  EXPECT_EQ(ModeloGrade::LarguraTwips({QStringLiteral("Nome"), 255, false}), 6050);
  EXPECT_EQ(ModeloGrade::LarguraTwips({QStringLiteral("B"), -1, true}), 1430);
  EXPECT_EQ(ModeloGrade::LarguraTwips({QStringLiteral("Descricao"), 3, false}), 110 * 9 + 550);
}

TEST_F(JanelaConsulta, CancelarAntesDeOComandoComecarNaoSePerde) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  // The worker is kept busy, so the run waits behind it and the cancel
  // comes before its statement has started.
  QSemaphore dentro, solta;
  std::thread ocupado([&] {
    j->Conexao()->NaConexao([&](DataSource&) {
      dentro.release();
      solta.acquire();
    });
  });
  ASSERT_TRUE(dentro.tryAcquire(1, 5000));
  j->Editor()->setPlainText(QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c"));
  frame_->Despacha(ID_EXECUTAR);
  EXPECT_TRUE(frame_->Despacha(ID_CANCELAR));
  QTest::qWait(200);
  solta.release();
  ocupado.join();
  QElapsedTimer t;
  t.start();
  while (j->Executando() && t.elapsed() < 5000) QTest::qWait(10);
  EXPECT_FALSE(j->Executando());
  EXPECT_EQ(j->TextoPainel(0), "Consulta cancelada");
  EXPECT_EQ(j->NumeroGrades(), 0);
  // The next run is not touched by that cancel.
  ASSERT_TRUE(Roda(j, QStringLiteral("select 2 as dois")));
  EXPECT_EQ(j->TextoPainel(0), "Consulta finalizada");
  EXPECT_EQ(j->Grade(1)->Celula(1, 0), "2");
}

TEST_F(JanelaConsulta, SenhaEscondidaNaSequenciaDeConexao) {
  const QString texto = teste::TextoSqlite(arquivo_) + QStringLiteral(";User ID=avaliador;Password=segredo 1");
  CQueryDoc* doc = frame_->AbreNovaConexao(texto, QString(), QString());
  ASSERT_TRUE(doc);
  auto Mostrada = [&] {
    QString t;
    plat::RoteiroPara(QStringLiteral("dlg144"), [&](QDialog& d) {
      t = plat::Texto(d, 1014);
      plat::Pressiona(d, 1);
    });
    frame_->Despacha(ID_TEXTO_CONEXAO);
    return t;
  };
  EXPECT_EQ(Mostrada(), teste::TextoSqlite(arquivo_) + QStringLiteral(";User ID=avaliador;Password=********"));
  // Nova Consulta opens on the whole string and hides it the same way.
  EXPECT_TRUE(frame_->Despacha(ID_NOVA_CONSULTA));
  ASSERT_EQ(frame_->JanelasConsulta().size(), 2);
  EXPECT_EQ(frame_->JanelasConsulta().last()->Conexao()->TextoConexao(), texto);
  EXPECT_FALSE(Mostrada().contains(QStringLiteral("segredo")));
  // A password inside an ODBC string goes to the masked field and back.
  const QString odbc = QStringLiteral("Provider=MSDASQL;Extended Properties=DRIVER={SQLite3};Database=/d/x.db;PWD=segredo;Timeout=5");
  plat::RoteiroPara(QStringLiteral("dlgConexao"), [&](QDialog& d) {
    EXPECT_EQ(plat::Texto(d, 4008), "DRIVER={SQLite3};Database=/d/x.db;Timeout=5");
    auto* senha = d.findChild<QLineEdit*>(QStringLiteral("4007"));
    EXPECT_EQ(senha->text(), "segredo");
    EXPECT_EQ(senha->echoMode(), QLineEdit::Password);
    plat::Pressiona(d, 1);
  });
  QString devolvida = odbc;
  ASSERT_TRUE(CDialogoConexao::Pede(frame_.get(), devolvida));
  EXPECT_EQ(LeTextoConexao(devolvida).textoOdbc, "DRIVER={SQLite3};Database=/d/x.db;Timeout=5;PWD=segredo");
  EXPECT_EQ(OcultaSenha(QStringLiteral("Provider=PostgreSQL;Password='a;b';Port=5;Extended Properties=DSN=x;pwd={c;d}")),
            "Provider=PostgreSQL;Password=********;Port=5;Extended Properties=DSN=x;pwd=********");
}

TEST_F(JanelaConsulta, ExportarDadosSoComUmaGradeNaTela) {
  frame_->AtualizaComandos();
  EXPECT_FALSE(frame_->Acao(ID_EXPORTAR_MODELO)->isEnabled());  // no query window
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  frame_->AtualizaComandos();
  EXPECT_FALSE(frame_->Acao(ID_EXPORTAR_MODELO)->isEnabled());  // no grid yet
  ASSERT_TRUE(Roda(j, QStringLiteral("select codigo, area, valor from imoveis")));
  frame_->AtualizaComandos();
  EXPECT_TRUE(frame_->Acao(ID_EXPORTAR_MODELO)->isEnabled());
  frame_->Despacha(ID_MENSAGENS);  // the messages instead of the grid
  EXPECT_FALSE(frame_->Acao(ID_EXPORTAR_MODELO)->isEnabled());
  frame_->Despacha(ID_MENSAGENS);
  EXPECT_TRUE(frame_->Acao(ID_EXPORTAR_MODELO)->isEnabled());
  ASSERT_TRUE(Roda(j, QStringLiteral("create table t (a int)")));  // a run without a grid
  EXPECT_FALSE(frame_->Acao(ID_EXPORTAR_MODELO)->isEnabled());
}

TEST_F(JanelaConsulta, LeiameEOsLinksDoSobre) {
  QStringList abertos;
  const AbridorArquivos anterior = DefineAbridorArquivos([&](const QString& c) {
    abertos << c;
    return true;
  });
  plat::GravadorMensagens gravador;
  EXPECT_TRUE(frame_->Acao(ID_LEIAME)->isEnabled());
  frame_->Acao(ID_LEIAME)->trigger();
  EXPECT_TRUE(gravador.Textos().isEmpty()) << gravador.Textos().join('|').toStdString();
  ASSERT_EQ(abertos.size(), 1);
  QFile leiame(abertos.first());
  ASSERT_TRUE(leiame.open(QIODevice::ReadOnly)) << abertos.first().toStdString();
  EXPECT_EQ(QFileInfo(leiame).fileName(), "readme.txt");
  EXPECT_TRUE(QString::fromUtf8(leiame.readAll()).contains(QStringLiteral("gerenciador de banco de dados")));
  abertos.clear();
  // The about box's three links, clicked.
  plat::RoteiroPara(QStringLiteral("dlg100"), [&](QDialog& d) {
    for (int id : {1127, 1138, 1139}) {
      auto* l = d.findChild<QLabel*>(QString::number(id));
      ASSERT_TRUE(l) << id;
      ASSERT_TRUE(l->isVisible()) << id;
      QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(4, l->height() / 2));
    }
    plat::Pressiona(d, 1);
  });
  frame_->Despacha(ID_SOBRE);
  DefineAbridorArquivos(anterior);
  ASSERT_EQ(abertos.size(), 3);
  for (const QString& c : abertos) EXPECT_TRUE(QFileInfo::exists(c)) << c.toStdString();
  EXPECT_TRUE(abertos[1].endsWith("ajuda/banco-dados.html"));
}

TEST_F(JanelaConsulta, GradeGrandeEmPoucaMemoria) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's shadow and quarantine make resident memory no measure of ours";
#endif
  // 200,000 rows of six columns, kept as fetched: a few tens of megabytes,
  // where a text per cell took well over a hundred.
  const QString grande = dir_.filePath(QStringLiteral("grande.db"));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("grande"));
    db.setDatabaseName(grande);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral(
        "create table vendas as with recursive s(i) as (select 1 union all select i + 1 from s where i < 200000) "
        "select i as codigo, 'Rua ' || (i % 977) || ', ' || i as endereco, 50 + (i % 300) * 0.75 as area, "
        "i % 40 as idade, 'Bairro ' || (i % 31) as bairro, 1000.5 * i as valor from s")));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("grande"));
  CQueryDoc* doc = frame_->AbreNovaConexao(teste::TextoSqlite(grande), QString(), QString());
  ASSERT_TRUE(doc);
  auto* j = qobject_cast<CChildFrame*>(doc->parent());
  QTest::qWait(50);
  malloc_trim(0);
  const double antes = teste::MemoriaResidenteMB();
  ASSERT_TRUE(Roda(j, QStringLiteral("select * from vendas"), 60000));
  malloc_trim(0);
  const double depois = teste::MemoriaResidenteMB();
  ASSERT_EQ(j->Grade(1)->Linhas(), 200001);
  EXPECT_EQ(j->Grade(1)->Celula(200000, 1), "Rua 692, 200000");
  EXPECT_EQ(j->Grade(1)->Celula(3, 2), "52,25");
  EXPECT_EQ(j->VistaGrade(1)->model()->rowCount(), 200000);
  EXPECT_LT(depois - antes, 60.0);
}

// The database manager in Portuguese: Qt's file dialog ("Abrir" from the
// menu), the headings of the tables and procedures browsers, and the
// connection's state in the status bar.

namespace {
// TARSOLIN_CAPTURAS names a folder that receives a picture of `w` as `nome`.png.
void Captura(QWidget& w, const QString& nome) {
  const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
  if (pasta.isEmpty()) return;
  QDir().mkpath(pasta);
  w.show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.grab().save(QDir(pasta).filePath(nome + QStringLiteral(".png"))));
}
}  // namespace

TEST_F(JanelaConsulta, JanelasEmPortugues) {
  QStringList titulosTabelas;
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {  // the browser a connection opens
    auto* lista = d.findChild<QTreeWidget*>(QStringLiteral("1004"));
    for (int c = 0; lista && c < lista->columnCount(); ++c) titulosTabelas << lista->headerItem()->text(c);
    Captura(d, QStringLiteral("i42-brenk-tabelas"));
    QMetaObject::invokeMethod(&d, "reject");
  });
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  QCoreApplication::processEvents();
  EXPECT_EQ(titulosTabelas, (QStringList{"Nome", "Tipo", "Esquema", "Catálogo"}));
  EXPECT_EQ(j->TextoPainel(2), "Conexão aberta");

  QStringList titulosProcedimentos;
  plat::RoteiroPara(QStringLiteral("dlg133"), [&](QDialog& d) {
    auto* lista = d.findChild<QTreeWidget*>(QStringLiteral("1004"));
    for (int c = 0; lista && c < lista->columnCount(); ++c) titulosProcedimentos << lista->headerItem()->text(c);
    QMetaObject::invokeMethod(&d, "reject");
  });
  frame_->AtualizaComandos();
  frame_->Acao(ID_CONSULTAS)->trigger();
  EXPECT_EQ(titulosProcedimentos, (QStringList{"Nome", "Esquema", "Catálogo"}));

  QString nome, tipo, cancelar;
  QStringList lugares;
  plat::RoteiroPara(QStringLiteral("dlgAbrirConsulta"), [&](QDialog& d) {
    auto& arquivo = static_cast<QFileDialog&>(d);
    nome = arquivo.labelText(QFileDialog::FileName);
    tipo = arquivo.labelText(QFileDialog::FileType);
    cancelar = arquivo.labelText(QFileDialog::Reject);
    if (auto* lado = d.findChild<QListView*>(QStringLiteral("sidebar")))
      for (int i = 0; i < lado->model()->rowCount(); ++i) lugares << lado->model()->index(i, 0).data().toString();
    d.resize(760, 480);
    Captura(d, QStringLiteral("i42-brenk-arquivo"));
    QMetaObject::invokeMethod(&d, "reject");
  });
  frame_->Acao(ID_ABRIR)->trigger();
  EXPECT_EQ(nome, "&Nome do arquivo:");
  EXPECT_EQ(tipo, "Arquivos do tipo:");
  EXPECT_EQ(cancelar, "Cancelar");
  EXPECT_TRUE(lugares.contains("Computador")) << lugares.join('|').toStdString();
}
