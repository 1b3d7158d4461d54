// Fonts, printing, the "SQL Objects" split button, the window placement, the
// recent query files and files dropped on the main window of the database
// manager, as a user reaches them from the menus and bars.
#include "JanelaTeste.h"

#include "dbmanager/CResultView.h"
#include "dbmanager/ImpressaoBrenk.h"
#include "dbmanager/PerfilFonte.h"
#include "platform/Mensagem.h"
#include "tests/support/Pdf.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QUrl>
#include <QFile>
#include <QFontDialog>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableView>
#include <QToolButton>

using namespace brenk;

namespace {

// Answers the next font dialog with `fonte`.
void RoteiroFonte(const QFont& fonte) {
  plat::RoteiroPara(QStringLiteral("dlgFonte"), [fonte](QDialog& d) {
    static_cast<QFontDialog&>(d).setCurrentFont(fonte);
    QMetaObject::invokeMethod(&d, "accept");
  });
}

// Answers the next print dialog: to the PDF `caminho`, in the orientation given.
void RoteiroImpressao(const QString& caminho, QPageLayout::Orientation orientacao = QPageLayout::Portrait) {
  plat::RoteiroPara(QStringLiteral("dlgImprimir"), [=](QDialog& d) {
    QPrinter* p = static_cast<QPrintDialog&>(d).printer();
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(caminho);
    p->setPageOrientation(orientacao);
    p->setFromTo(0, 0);
    // done(), not accept(): accept() would copy the dialog's own fields back over these.
    d.done(QDialog::Accepted);
  });
}

class ImpressaoFontes : public JanelaConsulta {
protected:
  void SetUp() override {
    Limpa();
    JanelaConsulta::SetUp();
  }
  void TearDown() override {
    JanelaConsulta::TearDown();
    Limpa();  // the other windows' tests start from the program's own fonts
  }
  static void Limpa() {
    for (const char* chave : {"Query", "Result", "Grid", "Settings", "Recent File List"}) QSettings().remove(QString::fromLatin1(chave));
  }
};

}  // namespace

TEST(PerfilFonte, ValoresDoPerfilEIdaEVolta) {
  QSettings().remove(QStringLiteral("Grid"));
  FonteLogica nenhuma;
  EXPECT_FALSE(CarregaFonte(QStringLiteral("Grid/Font"), nenhuma, true));
  nenhuma.altura = 0;
  GravaFonte(QStringLiteral("Grid/Font"), nenhuma, true);  // height 0: nothing written
  EXPECT_FALSE(QSettings().contains(QStringLiteral("Grid/Font/FaceName")));

  QFont f(QStringLiteral("Liberation Mono"));
  f.setPointSizeF(12);
  f.setBold(true);
  f.setItalic(true);
  const FonteLogica l = FonteLogica::DeQFont(f);
  EXPECT_EQ(l.peso, 700);
  EXPECT_TRUE(l.negrito);
  EXPECT_EQ(l.tamanho, 120000);  // tenths of a point times 1,000
  EXPECT_LT(l.altura, 0);
  GravaFonte(QStringLiteral("Grid/Font"), l, true);
  QSettings ini;
  struct { const char* valor; QVariant esperado; } casos[] = {
      {"Weight", 700}, {"Italic", 1}, {"Underline", 0}, {"FaceName", QStringLiteral("Liberation Mono")},
      {"Bold", 1}, {"Size", 120000}, {"Height", l.altura}, {"CharSet", 0}};
  for (const auto& c : casos)
    EXPECT_EQ(ini.value(QStringLiteral("Grid/Font/") + QLatin1String(c.valor)).toString(), c.esperado.toString()) << c.valor;
  // The plain form leaves out the bold flag and the size.
  GravaFonte(QStringLiteral("Query/Font"), l, false);
  EXPECT_FALSE(ini.contains(QStringLiteral("Query/Font/Size")));

  FonteLogica lida;
  ASSERT_TRUE(CarregaFonte(QStringLiteral("Grid/Font"), lida, true));
  const QFont volta = lida.ParaQFont(true);
  EXPECT_EQ(volta.family(), QStringLiteral("Liberation Mono"));
  EXPECT_DOUBLE_EQ(volta.pointSizeF(), 12.0);
  EXPECT_EQ(volta.weight(), QFont::Bold);
  EXPECT_TRUE(volta.italic());
  // A face name is kept to 31 characters.
  ini.setValue(QStringLiteral("Grid/Font/FaceName"), QString(40, QLatin1Char('x')));
  ASSERT_TRUE(CarregaFonte(QStringLiteral("Grid/Font"), lida, true));
  EXPECT_EQ(lida.face.size(), 31);
  ini.remove(QStringLiteral("Grid"));
  ini.remove(QStringLiteral("Query"));
}

TEST_F(ImpressaoFontes, FontesDoEditorDoTextoEDaGradeEmTodasAsJanelas) {
  CChildFrame* a = Abre();
  CChildFrame* b = Abre();
  ASSERT_TRUE(a && b);
  // No font stored: Courier of 15 pixels.
  EXPECT_EQ(a->Editor()->font().pixelSize(), 15);
  ASSERT_TRUE(frame_->Acao(ID_FONTE)->isEnabled());

  QFont sans(QStringLiteral("Liberation Sans"));
  sans.setPointSize(14);
  b->Editor()->setPlainText(QStringLiteral("select 1"));
  b->Editor()->selectAll();
  b->Editor()->setFocus();
  RoteiroFonte(sans);
  ASSERT_TRUE(frame_->Despacha(ID_FONTE));
  for (CChildFrame* j : {a, b}) EXPECT_EQ(j->Editor()->font().family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(b->Editor()->textCursor().selectedText(), QStringLiteral("select 1"));  // selection kept
  EXPECT_EQ(QSettings().value(QStringLiteral("Query/Font/FaceName")).toString(), QStringLiteral("Liberation Sans"));
  EXPECT_FALSE(QSettings().contains(QStringLiteral("Query/Font/Size")));
  // A window opened later reads it; the results text keeps its own font.
  CChildFrame* c = Abre();
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Editor()->font().family(), QStringLiteral("Liberation Sans"));
  EXPECT_NE(c->Resultado()->Editor()->font().family(), QStringLiteral("Liberation Sans"));

  // Grid mode: the grid font of every window, extended form in the profile.
  ASSERT_TRUE(Roda(a, QStringLiteral("select codigo, bairro from imoveis")));
  ASSERT_TRUE(a->Resultado()->ModoGrade());
  a->Resultado()->GradeAtual()->setFocus();
  ASSERT_EQ(a->VistaAtiva(), a->Resultado());
  QFont serif(QStringLiteral("Liberation Serif"));
  serif.setPointSize(11);
  serif.setBold(true);
  RoteiroFonte(serif);
  ASSERT_TRUE(frame_->Despacha(ID_FONTE));
  EXPECT_EQ(a->Resultado()->GradeAtual()->font().family(), QStringLiteral("Liberation Serif"));
  EXPECT_TRUE(a->Resultado()->GradeAtual()->font().bold());
  QSettings ini;
  EXPECT_EQ(ini.value(QStringLiteral("Grid/Font/Size")).toInt(), 110000);
  EXPECT_EQ(ini.value(QStringLiteral("Grid/Font/Bold")).toInt(), 1);
  // Grids of later runs, in this window and another, take it.
  ASSERT_TRUE(Roda(c, QStringLiteral("select bairro from imoveis")));
  EXPECT_EQ(c->Resultado()->GradeAtual()->font().family(), QStringLiteral("Liberation Serif"));
  EXPECT_DOUBLE_EQ(c->Resultado()->GradeAtual()->font().pointSizeF(), 11.0);

  // Text mode (the messages): the text font of every window's results.
  a->OnCmdMsg(ID_MENSAGENS);
  ASSERT_FALSE(a->Resultado()->ModoGrade());
  QFont mono(QStringLiteral("DejaVu Sans Mono"));
  mono.setPointSize(9);
  RoteiroFonte(mono);
  ASSERT_TRUE(frame_->Despacha(ID_FONTE));
  for (CChildFrame* j : {a, b, c}) EXPECT_EQ(j->Resultado()->Editor()->font().family(), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(ini.value(QStringLiteral("Result/Font/FaceName")).toString(), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(a->Resultado()->GradeAtual(), nullptr);
  // The grids keep the grid font.
  EXPECT_EQ(c->Resultado()->GradeAtual()->font().family(), QStringLiteral("Liberation Serif"));

  // Cancelling the dialog changes nothing.
  b->Editor()->setFocus();
  plat::RoteiroPara(QStringLiteral("dlgFonte"), [](QDialog& d) { QMetaObject::invokeMethod(&d, "reject"); });
  frame_->Despacha(ID_FONTE);
  EXPECT_EQ(b->Editor()->font().family(), QStringLiteral("Liberation Sans"));
}

TEST_F(ImpressaoFontes, ImprimeOEditorEOTextoEmPdfRecusaPaisagem) {
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  // 150 statements on lines of their own, one too long for the page's width.
  QStringList linhas;
  for (int i = 1; i <= 150; ++i) linhas << QStringLiteral("select %1 as linha_%1;").arg(i);
  linhas << QStringLiteral("select '") + QString(200, QLatin1Char('z')) + QStringLiteral("';");
  j->Editor()->setPlainText(linhas.join(QLatin1Char('\n')));
  j->Editor()->setFocus();
  ASSERT_TRUE(frame_->Acao(ID_IMPRIMIR)->isEnabled());
  const QString pdf = dir_.filePath(QStringLiteral("editor.pdf"));
  RoteiroImpressao(pdf);
  ASSERT_TRUE(frame_->Despacha(ID_IMPRIMIR));
  // The job is the window's title, the data source's path without its folders.
  EXPECT_EQ(ImpressoraBrenk()->docName(), QString(j->Documento()->Titulo()).replace(QLatin1Char('/'), QLatin1Char('_')));
  EXPECT_FALSE(ImpressoraBrenk()->docName().contains(QLatin1Char('/')));
  const int paginas = teste::PaginasPdf(pdf);
  EXPECT_GE(paginas, 3);  // about 60 lines of 11,25 points a page
  EXPECT_LE(paginas, 4);
  const QString texto = teste::TextoPdf(pdf);
  EXPECT_TRUE(texto.contains(QStringLiteral("select 1 as linha_1;")));
  EXPECT_TRUE(texto.contains(QStringLiteral("select 150 as linha_150;")));
  EXPECT_EQ(texto.count(QLatin1Char('z')), 200);  // wrapped, nothing cut
  EXPECT_TRUE(teste::TextoPdf(pdf, 1, 1).contains(QStringLiteral("linha_1;")));
  EXPECT_FALSE(teste::TextoPdf(pdf, 1, 1).contains(QStringLiteral("linha_150;")));

  // Landscape: the message, and nothing printed.
  const QString paisagem = dir_.filePath(QStringLiteral("paisagem.pdf"));
  plat::GravadorMensagens gravador;
  RoteiroImpressao(paisagem, QPageLayout::Landscape);
  frame_->Despacha(ID_IMPRIMIR);
  ASSERT_EQ(gravador.Textos().size(), 1);
  EXPECT_EQ(gravador.Textos().first(), QStringLiteral("Currently printing functionality is not supported in landscape mode. "
                                                      "Please choose portrait mode and then try again."));
  EXPECT_FALSE(QFile::exists(paisagem));
  ImpressoraBrenk()->setPageOrientation(QPageLayout::Portrait);

  // The results: printing only in text mode.
  frame_->activateWindow();  // back from the dialogs
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
  ASSERT_TRUE(Roda(j, QStringLiteral("select codigo from imoveis")));
  j->Resultado()->GradeAtual()->setFocus();
  frame_->AtualizaComandos();
  EXPECT_FALSE(frame_->Acao(ID_IMPRIMIR)->isEnabled());
  j->OnCmdMsg(ID_MENSAGENS);
  j->Resultado()->Editor()->setFocus();
  ASSERT_EQ(j->VistaAtiva(), j->Resultado());
  frame_->AtualizaComandos();
  ASSERT_TRUE(frame_->Acao(ID_IMPRIMIR)->isEnabled());
  const QString mensagens = dir_.filePath(QStringLiteral("mensagens.pdf"));
  RoteiroImpressao(mensagens);
  ASSERT_TRUE(frame_->Despacha(ID_IMPRIMIR));
  EXPECT_EQ(teste::PaginasPdf(mensagens), 1);
  EXPECT_TRUE(teste::TextoPdf(mensagens).contains(QStringLiteral("[3 row(s) affected (application specific)]")));
  EXPECT_EQ(j->Resultado()->Titulo(), QStringLiteral("Consulta"));
  EXPECT_EQ(ImpressoraBrenk()->docName(), QStringLiteral("Consulta"));
}

TEST_F(ImpressaoFontes, BotaoObjetosSqlAbreOsNavegadores) {
  QToolButton* botao = frame_->BotaoObjetosSql();
  ASSERT_TRUE(botao && botao->menu());
  EXPECT_EQ(botao->popupMode(), QToolButton::MenuButtonPopup);
  EXPECT_EQ(botao->text(), QStringLiteral("SQL Objects"));
  const QList<QAction*> entradas = botao->menu()->actions();
  ASSERT_EQ(entradas.size(), 2);
  EXPECT_EQ(entradas[0]->text(), QStringLiteral("Consutlas ...\tF9"));
  EXPECT_EQ(entradas[1]->text(), QStringLiteral("Tabelas ...\tF8"));
  // No query window: the button is off.
  EXPECT_FALSE(botao->isEnabled());

  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  QCoreApplication::processEvents();  // the tables browser the connect posts (cancelled here)
  frame_->AtualizaComandos();
  EXPECT_TRUE(botao->isEnabled());
  EXPECT_TRUE(entradas[1]->isEnabled());
  // Its Tables entry opens the tables browser (dlg131); the button itself does nothing.
  bool abriu = false;
  plat::RoteiroPara(QStringLiteral("dlg131"), [&](QDialog& d) {
    abriu = true;
    QMetaObject::invokeMethod(&d, "reject");
  });
  botao->defaultAction()->trigger();
  EXPECT_FALSE(abriu);
  entradas[1]->trigger();
  EXPECT_TRUE(abriu);
  // While a batch runs it is off.
  j->Editor()->setPlainText(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n) select count(*) from n"));
  j->OnCmdMsg(ID_EXECUTAR);
  QTest::qWait(300);  // the statement under way, so the cancel reaches it
  frame_->AtualizaComandos();
  EXPECT_FALSE(botao->isEnabled());
  EXPECT_FALSE(entradas[1]->isEnabled());
  j->OnCmdMsg(ID_CANCELAR);
  QElapsedTimer t;
  t.start();
  while (j->Executando() && t.elapsed() < 10000) QTest::qWait(20);
  frame_->AtualizaComandos();
  EXPECT_TRUE(botao->isEnabled());
}

TEST_F(ImpressaoFontes, PosicaoDaJanelaGuardadaERestaurada) {
  QSettings ini;
  // Nothing stored: centred on the screen.
  {
    CMainFrame f;
    f.RestauraPosicao(1);
    const QRect tela = f.screen()->availableGeometry();
    EXPECT_FALSE(f.isMaximized());
    EXPECT_NEAR(f.geometry().center().x(), tela.center().x(), 2);
    EXPECT_NEAR(f.geometry().center().y(), tela.center().y(), 2);
  }
  // Closing stores the normal rectangle; the next start takes it back.
  {
    CMainFrame f;
    f.setGeometry(40, 50, 700, 500);
    f.show();
    QCoreApplication::processEvents();
    f.close();
    EXPECT_EQ(ini.value(QStringLiteral("Settings/WindowPos")).toString(), QStringLiteral("0,1,-1,-1,-1,-1,40,50,740,550"));
  }
  struct Caso {
    const char* nome;
    const char* valor;
    int mostrar;
    bool maximizada;
    QRect esperada;  // empty: centred
  } casos[] = {
      {"normal", "0,1,-1,-1,-1,-1,40,50,740,550", 1, false, QRect(40, 50, 700, 500)},
      {"maximizada", "2,3,-1,-1,-1,-1,40,50,740,550", 1, true, QRect(40, 50, 700, 500)},
      {"o pedido vence", "2,3,-1,-1,-1,-1,40,50,740,550", 4, false, QRect(40, 50, 700, 500)},
      {"nove numeros", "0,1,-1,-1,-1,-1,40,50,740", 1, false, QRect()},
      {"texto", "0,1,-1,-1,-1,-1,40,50,740,x", 1, false, QRect()},
      {"fora das telas", "0,1,-1,-1,-1,-1,-9000,-9000,-8300,-8500", 1, false, QRect()},
      {"escondida", "0,0,-1,-1,-1,-1,40,50,740,550", 1, false, QRect(40, 50, 700, 500)},
  };
  for (const Caso& c : casos) {
    ini.setValue(QStringLiteral("Settings/WindowPos"), QString::fromLatin1(c.valor));
    CMainFrame f;
    f.RestauraPosicao(c.mostrar);
    EXPECT_TRUE(f.isVisible()) << c.nome;
    EXPECT_EQ(f.isMaximized(), c.maximizada) << c.nome;
    const QRect normal = f.normalGeometry();
    if (c.esperada.isEmpty()) {
      EXPECT_NEAR(normal.center().x(), f.screen()->availableGeometry().center().x(), 2) << c.nome;
    } else {
      EXPECT_EQ(normal, c.esperada) << c.nome;
    }
  }
  ini.remove(QStringLiteral("Settings"));
}

namespace {
class QuadroPrincipal : public ImpressaoFontes {
protected:
  QString Arquivo(const char* nome, const char* texto) {
    const QString c = dir_.filePath(QString::fromLatin1(nome));
    QFile f(c);
    f.open(QIODevice::WriteOnly);
    f.write(texto);
    return c;
  }
  QMenu* MenuRecentes() { return frame_->findChild<QMenu*>(QStringLiteral("consultasRecentes")); }
};
}  // namespace

TEST_F(QuadroPrincipal, ConsultasRecentesEArquivosSoltos) {
  ASSERT_TRUE(MenuRecentes());
  EXPECT_FALSE(MenuRecentes()->isEnabled());
  CChildFrame* j = Abre();
  ASSERT_TRUE(j);
  const QString a = Arquivo("a.tsq", "select 'a'");
  const QString b = dir_.filePath(QStringLiteral("b.tsq"));
  frame_->AbreArquivo(a);
  j->Editor()->setPlainText(QStringLiteral("select 'b'"));
  plat::RoteiroPara(QStringLiteral("dlgSalvarConsulta"), [&](QDialog& d) {
    static_cast<QFileDialog&>(d).selectFile(b);
    QMetaObject::invokeMethod(&d, "accept");
  });
  ASSERT_TRUE(frame_->Despacha(ID_SALVAR_COMO));
  // The newest first, in the menu and in the profile.
  EXPECT_EQ(frame_->Recentes(), QStringList({b, a}));
  EXPECT_EQ(QSettings().value(QStringLiteral("Recent File List/File1")).toString(), b);
  ASSERT_EQ(MenuRecentes()->actions().size(), 2);
  EXPECT_EQ(MenuRecentes()->actions()[1]->text(), QStringLiteral("&2 ") + a);
  // An entry opens its file in the active window and comes first.
  MenuRecentes()->actions()[1]->trigger();
  EXPECT_EQ(j->Editor()->toPlainText(), QStringLiteral("select 'a'"));
  EXPECT_EQ(frame_->Recentes(), QStringList({a, b}));
  // A file that is gone: the message, and it leaves the list.
  QFile::remove(b);
  plat::GravadorMensagens gravador;
  MenuRecentes()->actions()[1]->trigger();
  EXPECT_EQ(gravador.Textos(), QStringList({QStringLiteral("Caminho do arquivo: ") + b}));
  EXPECT_EQ(frame_->Recentes(), QStringList({a}));
  // Nine at most; a new frame reads them back.
  for (int i = 0; i < 12; ++i) frame_->AdicionaRecente(dir_.filePath(QStringLiteral("c%1.tsq").arg(i)));
  EXPECT_EQ(frame_->Recentes().size(), 9);
  EXPECT_EQ(frame_->Recentes().first(), dir_.filePath(QStringLiteral("c11.tsq")));
  EXPECT_EQ(CMainFrame().Recentes(), frame_->Recentes());

  // A file dropped on the window opens as "Abrir" opens it.
  const QString solto = Arquivo("solto.tsq", "select 'solto'");
  QMimeData dados;
  dados.setUrls({QUrl::fromLocalFile(solto)});
  QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame_.get(), &entra);
  EXPECT_TRUE(entra.isAccepted());
  QDropEvent solta(QPointF(10, 10), Qt::CopyAction, &dados, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(frame_.get(), &solta);
  EXPECT_EQ(j->Editor()->toPlainText(), QStringLiteral("select 'solto'"));
  EXPECT_EQ(frame_->Recentes().first(), solto);
}

TEST_F(QuadroPrincipal, LogoNoCantoDaAreaVazia) {
  QWidget* area = frame_->Mdi()->viewport();
  const QImage img = area->grab().toImage();
  const QRect r = area->rect();
  const QPoint canto(r.right() - r.width() / 30, r.bottom() - r.height() / 20);
  const QRgb fundo = img.pixel(5, 5);
  // The drum of the logo lies up and left of the corner; past the corner, the background.
  EXPECT_NE(img.pixel(canto - QPoint(230, 96) + QPoint(48, 50)), fundo);
  EXPECT_EQ(img.pixel(canto + QPoint(3, 3)), fundo);
}
