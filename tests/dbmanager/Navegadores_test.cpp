// The object browsers' report list (rows from "|" texts, cut cells, the sort
// by a heading, the selection drawn across the row), the procedures browser
// and the provider properties dump, on SQLite and on a PostgreSQL server.
#include "JanelaTeste.h"

#include "dbmanager/CListCtrlEx.h"
#include "dbmanager/CProviderPropsDlg.h"
#include "dbmanager/ModeloGrade.h"
#include "dbmanager/CResultView.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTreeWidget>

using namespace brenk;

namespace {

QStringList Celulas(const QTreeWidgetItem* item) {
  QStringList l;
  for (int c = 0; c < item->columnCount(); ++c) l << item->text(c);
  return l;
}

QStringList Coluna(const QTreeWidget* lista, int coluna) {
  QStringList l;
  for (int i = 0; i < lista->topLevelItemCount(); ++i) l << lista->topLevelItem(i)->text(coluna);
  return l;
}

// The dump file against its fixture: CR LF after every line, and the lines
// equal, except that a fixture line ending in "*" takes any rest (values that
// differ between machines: versions, paths, time zones).
void ComparaComModelo(const QString& caminho, const QString& modelo) {
  QFile f(caminho), m(QStringLiteral(TARSOLIN_SOURCE_DIR "/tests/dbmanager/data/") + modelo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << caminho.toStdString();
  ASSERT_TRUE(m.open(QIODevice::ReadOnly)) << modelo.toStdString();
  const QByteArray bytes = f.readAll();
  ASSERT_TRUE(bytes.endsWith("\r\n"));
  QList<QByteArray> linhas = bytes.split('\n');
  linhas.removeLast();
  QList<QByteArray> esperadas = m.readAll().split('\n');
  if (!esperadas.isEmpty() && esperadas.last().isEmpty()) esperadas.removeLast();
  ASSERT_EQ(linhas.size(), esperadas.size());
  for (qsizetype i = 0; i < linhas.size(); ++i) {
    ASSERT_TRUE(linhas[i].endsWith('\r')) << "linha " << i + 1;
    const QByteArray l = linhas[i].chopped(1);
    const QByteArray& e = esperadas[i];
    if (e.endsWith('*')) EXPECT_TRUE(l.startsWith(e.chopped(1))) << "linha " << i + 1 << ": " << l.toStdString();
    else EXPECT_EQ(l.toStdString(), e.toStdString()) << "linha " << i + 1;
  }
}

// Records the file the dump would open.
struct AbridorTeste {
  QStringList abertos;
  bool resposta = true;
  CProviderPropsDlg::Abridor anterior;
  AbridorTeste() {
    anterior = CProviderPropsDlg::DefineAbridor([this](const QString& c) {
      abertos << c;
      return resposta;
    });
  }
  ~AbridorTeste() { CProviderPropsDlg::DefineAbridor(anterior); }
};

// TMPDIR for one test: a folder whose path holds a blank.
struct PastaTemporaria {
  QTemporaryDir raiz;
  QString pasta, anterior;
  PastaTemporaria() {
    pasta = raiz.filePath(QStringLiteral("pasta com espaço"));
    QDir().mkpath(pasta);
    anterior = qEnvironmentVariable("TMPDIR");
    qputenv("TMPDIR", pasta.toUtf8());
  }
  ~PastaTemporaria() {
    if (anterior.isEmpty()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", anterior.toUtf8());
  }
};

}  // namespace

TEST(ListaEx, LinhaDeTextoSeparado) {
  CListCtrlEx lista;
  lista.setHeaderLabels({"A", "B", "C"});
  struct Caso {
    const char* texto;
    int indice;
    QStringList celulas;
  } casos[] = {
      {"sem barra", -1, {}},
      {"um|dois", 0, {"um"}},              // no "|" after the second cell
      {"um|dois|", 0, {"um", "dois"}},
      {"um|dois|tres", 0, {"um", "dois"}},  // text after the last "|" goes
      {"||", 0, {"", ""}},
  };
  for (const Caso& c : casos) {
    lista.clear();
    EXPECT_EQ(InsereLinhaLista(&lista, QString::fromUtf8(c.texto), -1, 0), c.indice) << c.texto;
    if (c.indice < 0) {
      EXPECT_EQ(lista.topLevelItemCount(), 0) << c.texto;
      continue;
    }
    ASSERT_EQ(lista.topLevelItemCount(), 1) << c.texto;
    EXPECT_EQ(Celulas(lista.topLevelItem(0)), c.celulas) << c.texto;
    EXPECT_EQ(CListCtrlEx::ImagemLinha(lista.topLevelItem(0)), -1);
  }
  // At the given row, with its image.
  lista.clear();
  InsereLinhaLista(&lista, "a|", -1, 0);
  InsereLinhaLista(&lista, "c|", -1, 1);
  EXPECT_EQ(InsereLinhaLista(&lista, "b|", 3, 1), 1);
  EXPECT_EQ(Coluna(&lista, 0), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(CListCtrlEx::ImagemLinha(lista.topLevelItem(1)), 3);
}

TEST(ListaEx, TextoCortadoComTresPontos) {
  const QFontMetrics fm(QApplication::font());
  const QString texto = QStringLiteral("Jardim Botânico do Centro");
  const int inteira = fm.horizontalAdvance(texto);
  EXPECT_EQ(CListCtrlEx::AbreviaTexto(fm, texto, inteira + 12, 12), texto);
  EXPECT_EQ(CListCtrlEx::AbreviaTexto(fm, QString(), 0, 12), QString());
  const int largura = inteira / 2;
  const QString cortado = CListCtrlEx::AbreviaTexto(fm, texto, largura, 12);
  ASSERT_TRUE(cortado.endsWith("...")) << cortado.toStdString();
  EXPECT_TRUE(texto.startsWith(cortado.chopped(3)));
  EXPECT_LE(fm.horizontalAdvance(cortado) + 12, largura);
  // One more character would not have fitted.
  const QString maior = texto.left(cortado.size() - 3 + 1) + QStringLiteral("...");
  EXPECT_GT(fm.horizontalAdvance(maior) + 12, largura);
  // Not even the first character fits: it stays, with the dots.
  EXPECT_EQ(CListCtrlEx::AbreviaTexto(fm, texto, 3, 12), QStringLiteral("J..."));
}

TEST(ListaEx, OrdenaPorColunaEGuardaASelecao) {
  CListCtrlEx lista;
  lista.setHeaderLabels({"Name", "N"});
  for (const char* t : {"beta|10|", "Alfa|9|", "gama|x|"}) InsereLinhaLista(&lista, t, -1, lista.topLevelItemCount());
  lista.topLevelItem(2)->setSelected(true);
  {
    CListCtrlSorter texto(&lista, 0, false);
    texto.Ordena(true);
    EXPECT_EQ(Coluna(&lista, 0), (QStringList{"Alfa", "beta", "gama"}));  // letter case ignored
    texto.Ordena(false);
    EXPECT_EQ(Coluna(&lista, 0), (QStringList{"gama", "beta", "Alfa"}));
  }
  EXPECT_EQ(lista.selectedItems().value(0)->text(0), "gama");
  CListCtrlSorter numeros(&lista, 1, true);
  numeros.Ordena(true);
  EXPECT_EQ(Coluna(&lista, 1), (QStringList{"x", "9", "10"}));  // unreadable counts 0
  numeros.Ordena(false);
  EXPECT_EQ(Coluna(&lista, 1), (QStringList{"10", "9", "x"}));
}

TEST(ListaEx, SelecaoPintadaAteABordaSemFoco) {
  CListCtrlEx lista;
  lista.setHeaderLabels({"Name", "Schema"});
  lista.resize(400, 200);
  lista.setColumnWidth(0, 100);
  lista.setColumnWidth(1, 100);
  InsereLinhaLista(&lista, "um|a|", -1, 0);
  InsereLinhaLista(&lista, "dois|b|", -1, 1);
  lista.show();
  lista.topLevelItem(0)->setSelected(true);
  ASSERT_FALSE(lista.hasFocus());
  const QColor destaque = lista.palette().color(QPalette::Active, QPalette::Highlight);
  const QRect r = lista.visualItemRect(lista.topLevelItem(0));
  auto cor = [&](int x) { return lista.viewport()->grab().toImage().pixelColor(x, r.center().y()); };
  // Without full-row selection only the first cell's label shows it.
  EXPECT_EQ(cor(150), lista.palette().color(QPalette::Base));
  EXPECT_TRUE(lista.SetFullRowSelection(true));
  EXPECT_FALSE(lista.SetFullRowSelection(true));
  // With it, past the last column to the list's right edge, focus or not.
  EXPECT_EQ(cor(150), destaque);
  EXPECT_EQ(cor(lista.viewport()->width() - 2), destaque);
  const QRect r2 = lista.visualItemRect(lista.topLevelItem(1));
  EXPECT_NE(lista.viewport()->grab().toImage().pixelColor(350, r2.center().y()), destaque);
}

TEST(LocalizaTexto, IgnoraCaixa) {
  EXPECT_EQ(LocalizaTexto("exec SP_HELPTEXT x", "sp_helptext ", 0), 5);
  EXPECT_EQ(LocalizaTexto("use a; USE b", "use ", 1), 7);
  EXPECT_EQ(LocalizaTexto("abc", "d", 0), -1);
  EXPECT_EQ(LocalizaTexto("abc", "a", 4), -1);
}

TEST(DumpPropriedades, TextosDeTipoAtributosECaminho) {
  EXPECT_EQ(CProviderPropsDlg::TextoTipoDado(3), "(adInteger) A 4-byte signed integer");
  EXPECT_EQ(CProviderPropsDlg::TextoTipoDado(205), "(adLongVarBinary) A long binary value (Parameter object only)");
  EXPECT_EQ(CProviderPropsDlg::TextoTipoDado(999), "999 = = Unrecognized Type");
  struct { int atributos; const char* texto; } atributos[] = {
      {1536, "Read "}, {1024, "Write "}, {3, "Required "}, {2 | 512, "Optional "}, {0, ""}};
  for (const auto& a : atributos) EXPECT_EQ(CProviderPropsDlg::TextoAtributos(a.atributos), a.texto) << a.atributos;
  // Blanks leave the file's name only; a provider without "." is used whole.
  EXPECT_EQ(CProviderPropsDlg::CaminhoDump("/tmp/pasta com espaço", "Microsoft.Jet.OLEDB.4.0", "MS JET"),
            "/tmp/pasta com espaço/[Microsoft_MS_JET].txt");
  EXPECT_EQ(CProviderPropsDlg::CaminhoDump("/tmp/", "QPSQL", "POSTGRESQL"), "/tmp/[QPSQL_POSTGRESQL].txt");
}

TEST_F(JanelaConsulta, ProcedimentosDeUmaFonteSemProcedimentos) {
  EXPECT_FALSE(frame_->Acao(ID_CONSULTAS)->isEnabled());  // no connection
  EXPECT_FALSE(frame_->Acao(ID_PROPRIEDADES)->isEnabled());
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  frame_->AtualizaComandos();
  EXPECT_TRUE(frame_->Acao(ID_CONSULTAS)->isEnabled());
  EXPECT_EQ(frame_->Acao(ID_CONSULTAS)->shortcut(), QKeySequence(Qt::Key_F9));
  EXPECT_EQ(frame_->Acao(ID_PROPRIEDADES)->shortcut(), QKeySequence(Qt::Key_F10));
  bool visto = false;
  plat::RoteiroPara(QStringLiteral("dlg133"), [&](QDialog& d) {
    visto = true;
    EXPECT_EQ(d.windowTitle(), "Procedimentos");
    auto* lista = d.findChild<CListCtrlEx*>(QStringLiteral("1004"));
    EXPECT_EQ(lista->topLevelItemCount(), 0);
    EXPECT_EQ(lista->headerItem()->text(2), "Catálogo");
    EXPECT_FALSE(plat::Habilitado(d, 1));
    EXPECT_EQ(plat::Texto(d, 2), "&Fechar");
    plat::Pressiona(d, 2);
  });
  EXPECT_TRUE(frame_->Despacha(ID_CONSULTAS));
  EXPECT_TRUE(visto);
  EXPECT_TRUE(j->Editor()->toPlainText().isEmpty());
  // Both commands wait while a batch runs.
  j->Editor()->setPlainText(QStringLiteral("with recursive c(x) as (select 1 union all select x + 1 from c) select count(*) from c"));
  frame_->Despacha(ID_EXECUTAR);
  EXPECT_FALSE(j->Habilitado(ID_CONSULTAS));
  EXPECT_FALSE(j->Habilitado(ID_PROPRIEDADES));
  frame_->Despacha(ID_CANCELAR);
  QElapsedTimer t;
  t.start();
  while (j->Executando() && t.elapsed() < 5000) QTest::qWait(10);
}

TEST_F(JanelaConsulta, DumpDePropriedadesNoSqlite) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  PastaTemporaria tmp;
  AbridorTeste abridor;
  plat::GravadorMensagens gravador;
  // A statement that returns nothing, then one the source refuses: the dialog stays.
  plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Propriedades do Provedor");
    EXPECT_EQ(plat::Texto(d, 1033), "SELECT 2*3");
    plat::DefineTexto(d, 1033, QStringLiteral("create table vazia (a int)"));
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    plat::DefineTexto(d, 1033, QStringLiteral("select * from ausente"));
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    abridor.resposta = false;
    plat::DefineTexto(d, 1033, QStringLiteral("SELECT 2*3"));
    plat::Pressiona(d, 1);
    EXPECT_TRUE(d.isVisible());
    abridor.resposta = true;
    plat::Pressiona(d, 1);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_TRUE(frame_->Despacha(ID_PROPRIEDADES));
  EXPECT_EQ(gravador.Textos(), (QStringList{"Query returned zero records/columns. Cannot dump provider properties.",
                                             "no such table: ausente\nState: , Native: 1, Source: SQLite",
                                             "Error dumping provider properties."}));
  // In the folder with a blank, named without one.
  const QString esperado = tmp.pasta + QStringLiteral("/[QSQLITE_SQLITE].txt");
  EXPECT_EQ(abridor.abertos, (QStringList{esperado, esperado}));
  ComparaComModelo(esperado, QStringLiteral("propriedades_sqlite.txt"));
  EXPECT_EQ(j->TextoPainel(0), "");
}

// PostgreSQL: the server scripts/pg-teste starts (TARSOLIN_PG).
class NavegadoresPostgres : public JanelaConsulta {
protected:
  void SetUp() override {
    texto_ = qEnvironmentVariable("TARSOLIN_PG");
    if (texto_.isEmpty()) GTEST_SKIP() << "nenhum servidor PostgreSQL de teste (TARSOLIN_PG não definido)";
    JanelaConsulta::SetUp();
    CQueryDoc* doc = frame_->AbreNovaConexao(texto_, QString(), QString());
    if (!doc) GTEST_SKIP() << "servidor PostgreSQL de teste não responde";
    j_ = qobject_cast<CChildFrame*>(doc->parent());
    QTest::qWait(50);  // the tables browser that follows the connection (cancelled)
  }
  QString texto_;
  CChildFrame* j_ = nullptr;
};

TEST_F(NavegadoresPostgres, ProcedimentosDoCatalogo) {
  const QString esquema = QStringLiteral("brenk_proc_%1").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(Roda(j_, QStringLiteral("create schema %1;\n"
                                      "create function %1.\"minha func\"() returns int language sql as 'select 1';\n"
                                      "create function %1.\"agrupada;1\"() returns int language sql as 'select 2';\n"
                                      "create procedure %1.zeta() language sql as 'select 3'")
                                   .arg(esquema)));
  ASSERT_EQ(j_->TextoPainel(0), "Consulta finalizada") << j_->Mensagens().toStdString();
  j_->Editor()->clear();
  auto DoEsquema = [&](QTreeWidget* lista) {
    QStringList l;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
      if (lista->topLevelItem(i)->text(1) == esquema) l << lista->topLevelItem(i)->text(0);
    return l;
  };
  plat::RoteiroPara(QStringLiteral("dlg133"), [&](QDialog& d) {
    auto* lista = d.findChild<CListCtrlEx*>(QStringLiteral("1004"));
    EXPECT_TRUE(lista->FullRowSelection());
    EXPECT_EQ(lista->columnWidth(2), lista->viewport()->width() / 3);  // a third each
    EXPECT_EQ(DoEsquema(lista), (QStringList{"agrupada", "[minha func]", "zeta"}));
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
      if (lista->topLevelItem(i)->text(1) == esquema) {
        EXPECT_EQ(lista->topLevelItem(i)->text(2), "postgres");
      }
    EXPECT_EQ(plat::Texto(d, 2), "Cancelar");
    // The first heading click sorts descending.
    emit lista->header()->sectionClicked(0);
    EXPECT_EQ(DoEsquema(lista), (QStringList{"zeta", "agrupada", "[minha func]"}));  // "[" before the letters
    // The row found by typing is the one OK returns.
    plat::DefineTexto(d, 1025, QStringLiteral("[MIN"));
    plat::Pressiona(d, 1);
  });
  EXPECT_TRUE(frame_->Despacha(ID_CONSULTAS));
  // Two empty lines, the statement selected and run as text: the server
  // gives the function's definition.
  const QString comando = QStringLiteral(
      "select pg_get_functiondef(p.oid) from pg_proc p join pg_namespace n on n.oid = p.pronamespace "
      "where p.proname = 'minha func' and n.nspname = '%1' order by p.oid").arg(esquema);
  EXPECT_EQ(j_->Editor()->toPlainText(), "\n\n" + comando);
  EXPECT_EQ(j_->Editor()->textCursor().selectedText(), comando);
  QElapsedTimer t;
  t.start();
  while (j_->Executando() && t.elapsed() < 5000) QTest::qWait(20);
  EXPECT_EQ(j_->TextoPainel(0), "Consulta finalizada") << j_->Mensagens().toStdString();
  EXPECT_TRUE(j_->TextoResultado().startsWith(
      QStringLiteral("CREATE OR REPLACE FUNCTION %1.\"minha func\"()").arg(esquema)))
      << j_->TextoResultado().toStdString();
  EXPECT_TRUE(j_->TextoResultado().contains("select 1"));
  EXPECT_EQ(j_->Resultado()->Texto(), j_->TextoResultado());
  EXPECT_EQ(j_->NumeroGrades(), 0);
  Roda(j_, QStringLiteral("drop schema %1 cascade").arg(esquema));
}

// TARSOLIN_CAPTURAS names a folder that receives a picture of `w` as `nome`.
static void Captura(QWidget* w, const QString& nome) {
  const QString pasta = qEnvironmentVariable("TARSOLIN_CAPTURAS");
  if (pasta.isEmpty() || !w || !QDir().mkpath(pasta)) return;
  QCoreApplication::processEvents();
  EXPECT_TRUE(w->grab().save(QDir(pasta).filePath(nome + QStringLiteral(".png"))));
}

TEST_F(NavegadoresPostgres, TabelasComEsquemaEMaiusculas) {
  const QString esquema = QStringLiteral("avaliacao_%1").arg(QCoreApplication::applicationPid());
  const QString vendas = QStringLiteral("Vendas_%1").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(Roda(j_, QStringLiteral("create schema %1;\n"
                                      "create table %1.\"Imóveis Centro\" (\"Código\" int, \"Valor Total\" numeric, area real, \"Bairro\" text);\n"
                                      "insert into %1.\"Imóveis Centro\" values (7, 350000.5, 120.25, 'Centro');\n"
                                      "create table public.\"%2\" (\"Preço\" int);\n"
                                      "insert into public.\"%2\" values (5)")
                                   .arg(esquema, vendas)));
  ASSERT_EQ(j_->TextoPainel(0), "Consulta finalizada") << j_->Mensagens().toStdString();
  struct Caso {
    QString procura, esquema, sql;
    int colunas;
  } casos[] = {
      {QStringLiteral("[Im"), esquema,
       QStringLiteral("SELECT \"Código\", \"Valor Total\", \"area\", \"Bairro\" FROM \"%1\".\"Imóveis Centro\"").arg(esquema), 4},
      {vendas, QStringLiteral("public"), QStringLiteral("SELECT \"Preço\" FROM \"public\".\"%1\"").arg(vendas), 1},
  };
  for (const Caso& c : casos) {
    j_->Editor()->clear();
    plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
      auto* lista = d.findChild<CListCtrlEx*>(QStringLiteral("1004"));
      QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("1025")), c.procura);
      ASSERT_TRUE(lista->currentItem());
      EXPECT_EQ(lista->currentItem()->text(2), c.esquema);
      EXPECT_EQ(lista->currentItem()->text(3), "postgres");
      Captura(&d, QStringLiteral("tabelas-%1").arg(c.colunas));
      QTest::keyClick(lista, Qt::Key_Return);
    });
    EXPECT_TRUE(frame_->Despacha(ID_TABELAS));
    EXPECT_EQ(j_->Editor()->toPlainText(), "\n\n" + c.sql);
    QElapsedTimer t;
    t.start();
    while (j_->Executando() && t.elapsed() < 5000) QTest::qWait(20);
    EXPECT_EQ(j_->TextoPainel(0), "Consulta finalizada") << j_->Mensagens().toStdString();
    ASSERT_EQ(j_->NumeroGrades(), 1) << c.sql.toStdString();
    EXPECT_EQ(j_->Grade(1)->Colunas(), c.colunas);
    EXPECT_EQ(j_->Grade(1)->Linhas(), 2);
    Captura(j_->window(), QStringLiteral("tabelas-resultado-%1").arg(c.colunas));
  }
  EXPECT_EQ(j_->Grade(1)->Celula(1, 0), "5");
  Roda(j_, QStringLiteral("drop schema %1 cascade; drop table public.\"%2\"").arg(esquema, vendas));
}

TEST_F(NavegadoresPostgres, DumpDePropriedades) {
  PastaTemporaria tmp;
  AbridorTeste abridor;
  plat::GravadorMensagens gravador;
  plat::RoteiroPara(QStringLiteral("dlg148"), [&](QDialog& d) {
    plat::DefineTexto(d, 1033, QStringLiteral("select 'Botânico'::text as bairro, 2 as n where 1 = 0"));
    plat::Pressiona(d, 1);
  });
  frame_->Despacha(ID_PROPRIEDADES);
  EXPECT_TRUE(gravador.Textos().isEmpty()) << gravador.Textos().join('|').toStdString();
  const QString esperado = tmp.pasta + QStringLiteral("/[QPSQL_POSTGRESQL].txt");
  ASSERT_EQ(abridor.abertos, QStringList{esperado});
  ComparaComModelo(esperado, QStringLiteral("propriedades_postgres.txt"));
}
