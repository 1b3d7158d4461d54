// The report document: saving and opening by type, the questions of a change of format.
#include "report/CButtonDialog.h"
#include "report/CDocChildFrame.h"
#include "report/CLaudoDoc.h"
#include "report/CLaudoView.h"
#include "report/ModeloRelatorio.h"
#include "app/CTarsolinApp.h"
#include "app/CMainFrame.h"
#include "app/RoteadorComandos.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "report/CRulerBar.h"
#include "report/ComandosRelatorio.h"
#include "report/COptionSheet.h"
#include "tests/support/Arquivos.h"
#include "tests/support/Pdf.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace {

class DocumentoRelatorio : public ::testing::Test {
protected:
  void SetUp() override {
    app_ = std::make_unique<CTarsolinApp>();
    plat::DefineModoRoteiro(true);
  }
  void TearDown() override {
    for (CLaudoDoc* d : std::vector<CLaudoDoc*>(ModeloRelatorio::Documentos())) {
      d->SetModifiedFlag(false);
      delete ModeloRelatorio::Moldura(d);
    }
    plat::LimpaRoteiros();
    plat::DefineModoRoteiro(false);
    app_.reset();
  }
  // Answers the next file dialog with `caminho` in the filter of `tipoFiltro` (its text); records the proposal.
  void ArquivoResponde(const QString& caminho, const QString& filtro, QString* proposto = nullptr, QString* filtroInicial = nullptr) {
    plat::RoteiroPara(QStringLiteral("dlgArquivo"), [=](QDialog& d) {
      auto& f = static_cast<QFileDialog&>(d);
      if (proposto && !f.selectedFiles().isEmpty()) *proposto = QFileInfo(f.selectedFiles().first()).fileName();
      if (filtroInicial) *filtroInicial = f.selectedNameFilter();
      if (caminho.isEmpty()) { f.reject(); return; }
      f.selectNameFilter(filtro);
      emit f.filterSelected(filtro);
      f.selectFile(caminho);
      d.accept();  // through QDialog: the file dialog takes the selection
    });
  }
  std::unique_ptr<CTarsolinApp> app_;
  QTemporaryDir pasta_;
  plat::GravadorMensagens mensagens_;
};

// Types text as the keyboard does, also characters that have no key of their own.
void Digita(QWidget* w, const QString& texto) {
  for (QChar c : texto) {
    QKeyEvent aperta(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &aperta);
    QKeyEvent solta(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &solta);
  }
}

// The texts of the buttons of a button message box.
QStringList Botoes(QDialog& d) {
  QStringList r;
  for (int id = CButtonDialog::PrimeiroBotao; auto* b = d.findChild<QPushButton*>(QString::number(id)); ++id) r << b->text();
  return r;
}

TEST_F(DocumentoRelatorio, NewReportSavesAsRtfUnderTheTitleCutAtItsSpaceAndOpensAgain) {
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->Tipo(), 5);
  EXPECT_TRUE(doc->GetTitle().startsWith(QStringLiteral("Relatorio ")));
  CLaudoView* v = doc->FirstView();
  QTextCharFormat negrito = v->FormatoPadrao(false);
  negrito.setFontWeight(QFont::Bold);
  v->SubstituiSelecao(QStringLiteral("Olá, relatório"), negrito);
  EXPECT_TRUE(doc->IsModified());
  const QString caminho = pasta_.filePath(QStringLiteral("laudo.rtf"));
  QString proposto, filtro;
  ArquivoResponde(caminho, QStringLiteral("Rich Text Format (RTF) (*.rtf)"), &proposto, &filtro);
  ASSERT_TRUE(doc->DoSave(doc->GetPathName()));
  EXPECT_EQ(proposto, QStringLiteral("Relatorio.rtf"));
  EXPECT_EQ(filtro, QStringLiteral("Rich Text Format (RTF) (*.rtf)"));
  EXPECT_EQ(doc->Tipo(), 7);
  EXPECT_EQ(doc->GetPathName(), caminho);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(teste::LeArquivo(caminho).startsWith("{\\rtf1"));

  CLaudoDoc* aberto = ModeloRelatorio::OpenDocumentFile(pasta_.filePath(QStringLiteral("outro.rtf")));
  EXPECT_FALSE(aberto);  // missing: reported
  ASSERT_EQ(mensagens_.Textos().size(), 1);
  EXPECT_TRUE(mensagens_.Textos()[0].contains(QStringLiteral("outro.rtf")));
  QFile::copy(caminho, pasta_.filePath(QStringLiteral("copia.rtf")));
  aberto = ModeloRelatorio::OpenDocumentFile(pasta_.filePath(QStringLiteral("copia.rtf")));
  ASSERT_TRUE(aberto);
  EXPECT_EQ(aberto->Tipo(), 7);
  EXPECT_EQ(aberto->FirstView()->toPlainText(), QStringLiteral("Olá, relatório"));
  QTextCursor c(aberto->FirstView()->document());
  c.setPosition(1);
  EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
  // The same file again brings the open report forward.
  EXPECT_EQ(ModeloRelatorio::OpenDocumentFile(pasta_.filePath(QStringLiteral("copia.rtf"))), aberto);
}

TEST_F(DocumentoRelatorio, CancellingTheFileDialogKeepsTheType) {
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  ArquivoResponde(QString(), QString());
  EXPECT_FALSE(doc->DoSave(QString()));
  EXPECT_EQ(doc->Tipo(), 5);
}

TEST_F(DocumentoRelatorio, FormattedTextReportAsksBeforeDroppingTheFormats) {
  const QString caminho = pasta_.filePath(QStringLiteral("notas.txt"));
  {
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("linha um\r\nlinha dois\r\n");
  }
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile(caminho);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->Tipo(), 8);
  EXPECT_FALSE(doc->RichText());
  EXPECT_TRUE(doc->FirstView()->HasOnlyTextDefaults());
  CLaudoView* v = doc->FirstView();
  v->selectAll();
  v->OnCmdMsg(32805);  // bold
  EXPECT_FALSE(v->HasOnlyTextDefaults());
  QString pergunta;
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [&](QDialog& d) {
    pergunta = plat::Texto(d, 65535);
    plat::Pressiona(d, 11);  // "&Text Document"
  });
  ASSERT_TRUE(doc->DoSave(doc->GetPathName()));
  EXPECT_TRUE(pergunta.startsWith(QStringLiteral("Você irá salvar o documento no formato de Texto"))) << pergunta.toStdString();
  EXPECT_EQ(doc->Tipo(), 8);
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("linha um\r\nlinha dois\r\n"));
  // Cancel leaves the file and the type as they were.
  v->SubstituiSelecao(QStringLiteral("x"), v->FormatoPadrao(false));
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [](QDialog& d) { plat::Pressiona(d, 12); });
  EXPECT_FALSE(doc->DoSave(doc->GetPathName()));
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("linha um\r\nlinha dois\r\n"));
}

TEST_F(DocumentoRelatorio, MsDosTextIsWrittenInCodePage850) {
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  doc->FirstView()->SubstituiSelecao(QStringLiteral("ção\r\nfim"), doc->FirstView()->FormatoPadrao(false));
  const QString caminho = pasta_.filePath(QStringLiteral("dos.txt"));
  ArquivoResponde(caminho, QStringLiteral("Documento Texto no formato MS-DOS (*.txt)"));
  ASSERT_TRUE(doc->DoSave(QString()));
  EXPECT_EQ(doc->Tipo(), 9);
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("\x87\xC6\x6F\r\nfim", 8));
}

TEST_F(DocumentoRelatorio, FailedSaveLeavesTheExistingReportWhole) {
  const QString caminho = pasta_.filePath(QStringLiteral("existente.rtf"));
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  doc->FirstView()->SubstituiSelecao(QStringLiteral("primeira versão"), doc->FirstView()->FormatoPadrao(false));
  ArquivoResponde(caminho, QStringLiteral("Rich Text Format (RTF) (*.rtf)"));
  ASSERT_TRUE(doc->DoSave(QString()));
  const QByteArray antes = teste::LeArquivo(caminho);
  doc->FirstView()->SubstituiSelecao(QString(QStringLiteral("mais texto ")).repeated(500), doc->FirstView()->FormatoPadrao(false));
  plat::SimulaFalhaGravacao(100);
  EXPECT_FALSE(doc->DoSave(doc->GetPathName()));
  plat::SimulaFalhaGravacao(-1);
  EXPECT_EQ(teste::LeArquivo(caminho), antes);
  ASSERT_EQ(mensagens_.Textos().size(), 1);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->Tipo(), 7);
}

}  // namespace

namespace {
TEST(AberturaRelatorio, OpenCommandHandsReportsToTheReportEditor) {
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  QTemporaryDir pasta;
  const QString caminho = pasta.filePath(QStringLiteral("laudo.rtf"));
  ASSERT_TRUE(teste::GravaBytes(caminho, "{\\rtf1\\ansi {\\b Laudo}\\par}"));
  plat::DefineModoRoteiro(true);
  plat::RoteiroPara(QStringLiteral("dlgArquivo"), [&](QDialog& d) {
    auto& f = static_cast<QFileDialog&>(d);
    f.selectNameFilter(QStringLiteral("Rich Text Format (*.rtf)"));
    f.selectFile(caminho);
    d.accept();
  });
  app.OnFileOpen();
  plat::DefineModoRoteiro(false);
  ASSERT_EQ(ModeloRelatorio::Documentos().size(), 1u);
  CLaudoDoc* doc = ModeloRelatorio::Documentos().front();
  EXPECT_EQ(doc->GetPathName(), caminho);
  EXPECT_EQ(doc->FirstView()->toPlainText(), QStringLiteral("Laudo"));
  EXPECT_TRUE(app.Documentos().empty());
  // The report window is the active one: the report's commands are enabled, the model's menus hidden.
  QApplication::processEvents();
  EXPECT_TRUE(RoteadorComandos::Instancia().Estado(57607).habilitado);
  EXPECT_TRUE(RoteadorComandos::Instancia().Estado(32805).habilitado);
  EXPECT_FALSE(RoteadorComandos::Instancia().Estado(32831).habilitado);
  app.MainFrame()->close();
}
TEST_F(DocumentoRelatorio, TheExtensionTypedDecidesTheFormat) {
  struct Caso { const char* nome; const char* gravado; int tipo; bool rtf; };
  const Caso casos[] = {
      {"relatorio.txt", "relatorio.txt", 8, false},   // typed over the default filter, rich text
      {"relatorio.RTF", "relatorio.RTF", 7, true},
      {"sem_extensao", "sem_extensao.rtf", 7, true},  // no extension: the filter's
  };
  for (const Caso& k : casos) {
    CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
    ASSERT_TRUE(doc);
    Digita(doc->FirstView(), QStringLiteral("relatório em texto"));
    QString filtro;
    plat::RoteiroPara(QStringLiteral("dlgArquivo"), [&](QDialog& d) {
      auto& f = static_cast<QFileDialog&>(d);
      filtro = f.selectedNameFilter();
      auto* nome = f.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_TRUE(nome);
      f.setDirectory(pasta_.path());
      nome->clear();
      QTest::keyClicks(nome, QString::fromLatin1(k.nome));
      d.accept();
    });
    doc->OnCmdMsg(relatorio::SalvarComo);
    EXPECT_EQ(filtro, QStringLiteral("Rich Text Format (RTF) (*.rtf)"));
    const QString gravado = pasta_.filePath(QString::fromLatin1(k.gravado));
    EXPECT_EQ(doc->Tipo(), k.tipo) << k.nome << mensagens_.Textos().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(doc->GetPathName(), gravado) << k.nome;
    const QByteArray bytes = teste::LeArquivo(gravado);
    EXPECT_EQ(bytes.startsWith("{\\rtf"), k.rtf) << k.nome;
    if (!k.rtf) {
      EXPECT_EQ(bytes, QByteArray("relat\xF3rio em texto")) << k.nome;
    }
  }
}

TEST_F(DocumentoRelatorio, OnlyFormatsThatCanBeWrittenAreOffered) {
  const QString caminho = pasta_.filePath(QStringLiteral("notas.txt"));
  ASSERT_TRUE(teste::GravaBytes(caminho, "linha\r\n"));
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile(caminho);
  ASSERT_TRUE(doc);
  doc->FirstView()->selectAll();
  doc->FirstView()->OnCmdMsg(relatorio::Negrito);
  QStringList botoes;
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [&](QDialog& d) {
    botoes = Botoes(d);
    plat::Pressiona(d, 10);  // the first: rich text, under a new name
  });
  ArquivoResponde(pasta_.filePath(QStringLiteral("notas.rtf")), QStringLiteral("Rich Text Format (RTF) (*.rtf)"));
  ASSERT_TRUE(doc->OnCmdMsg(relatorio::Salvar));
  EXPECT_EQ(botoes, (QStringList{QStringLiteral("&Rich Text Document"), QStringLiteral("&Text Document"),
                                 QStringLiteral("Cancel")}));
  EXPECT_EQ(doc->Tipo(), 7);
  EXPECT_TRUE(teste::LeArquivo(pasta_.filePath(QStringLiteral("notas.rtf"))).startsWith("{\\rtf"));
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("linha\r\n"));
}

TEST_F(DocumentoRelatorio, MailOfAnUnsavedReportAttachesWhatItIsNamedFor) {
  // A mail command of our own records what it is asked to attach.
  const QString registro = pasta_.filePath(QStringLiteral("anexo.txt"));
  const QString programa = pasta_.filePath(QStringLiteral("xdg-email"));
  ASSERT_TRUE(teste::GravaBytes(programa, QStringLiteral("#!/bin/sh\nprintf '%s' \"$2\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
                                              .arg(registro).toUtf8()));
  QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QByteArray caminhoAntes = qgetenv("PATH");
  qputenv("PATH", pasta_.path().toUtf8() + ':' + caminhoAntes);
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  QTest::keyClicks(doc->FirstView(), QStringLiteral("para o cliente"));
  EXPECT_TRUE(doc->OnCmdMsg(relatorio::Enviar));
  QElapsedTimer t;
  t.start();
  while (!QFile::exists(registro) && t.elapsed() < 10000) QTest::qWait(50);
  qputenv("PATH", caminhoAntes);
  const QString anexo = QString::fromUtf8(teste::LeArquivo(registro));
  EXPECT_EQ(QFileInfo(anexo).fileName().toStdString(), (doc->GetTitle() + QStringLiteral(".rtf")).toStdString());
  EXPECT_TRUE(teste::LeArquivo(anexo).startsWith("{\\rtf"));
  EXPECT_FALSE(doc->GetTitle().contains('.'));
}

TEST_F(DocumentoRelatorio, NamesThatDifferInCaseAreTwoReports) {
  const QString minusculo = pasta_.filePath(QStringLiteral("laudo.rtf"));
  const QString maiusculo = pasta_.filePath(QStringLiteral("Laudo.rtf"));
  ASSERT_TRUE(teste::GravaBytes(minusculo, "{\\rtf1\\ansi primeiro\\par}"));
  ASSERT_TRUE(teste::GravaBytes(maiusculo, "{\\rtf1\\ansi segundo\\par}"));
  CLaudoDoc* a = ModeloRelatorio::OpenDocumentFile(minusculo);
  CLaudoDoc* b = ModeloRelatorio::OpenDocumentFile(maiusculo);
  ASSERT_TRUE(a && b);
  EXPECT_NE(a, b);
  EXPECT_EQ(b->FirstView()->toPlainText(), QStringLiteral("segundo"));
  // The same file under another spelling of its path is the one already open.
  EXPECT_EQ(ModeloRelatorio::OpenDocumentFile(pasta_.path() + QStringLiteral("/./laudo.rtf")), a);
}

TEST_F(DocumentoRelatorio, SavingOverAFileWarnsOfWhatTheEditorCouldNotKeep) {
  // A table and a picture made by a word processor.
  const QByteArray feitoFora =
      "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Antes da tabela\\par"
      "\\trowd\\cellx2000\\cellx4000\\pard\\intbl Pre\\'e7o\\cell \\pard\\intbl 100\\cell\\row"
      "\\trowd\\cellx2000\\cellx4000\\pard\\intbl \\cell \\pard\\intbl 200\\cell\\row"
      "\\pard{\\pict\\pngblip\\picw10\\pich10 89504e47}\\par Fim\\par}";
  const QString caminho = pasta_.filePath(QStringLiteral("tabela.rtf"));
  ASSERT_TRUE(teste::GravaBytes(caminho, feitoFora));
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile(caminho);
  ASSERT_TRUE(doc);
  // A row reads as one paragraph, its cells apart by tabs.
  EXPECT_EQ(doc->FirstView()->toPlainText(), QStringLiteral("Antes da tabela\nPreço\t100\n\t200\n\nFim"));
  QTest::keyClicks(doc->FirstView(), QStringLiteral("Nota: "));

  QString aviso;
  QStringList botoes;
  auto responde = [&](int botao) {
    plat::RoteiroPara(QStringLiteral("CButtonDialog"), [&, botao](QDialog& d) {
      aviso = plat::Texto(d, 65535);
      botoes = Botoes(d);
      plat::Pressiona(d, botao);
    });
  };
  responde(12);  // Cancelar
  doc->OnCmdMsg(relatorio::Salvar);
  EXPECT_TRUE(aviso.contains(QStringLiteral("tabelas e figuras"))) << aviso.toStdString();
  EXPECT_EQ(botoes, (QStringList{QStringLiteral("&Salvar"), QStringLiteral("Salvar &como..."), QStringLiteral("Cancelar")}));
  EXPECT_EQ(teste::LeArquivo(caminho), feitoFora);
  EXPECT_TRUE(doc->IsModified());

  responde(11);  // Salvar como: the file stays as it was
  const QString copia = pasta_.filePath(QStringLiteral("copia.rtf"));
  ArquivoResponde(copia, QStringLiteral("Rich Text Format (RTF) (*.rtf)"));
  doc->OnCmdMsg(relatorio::Salvar);
  EXPECT_EQ(teste::LeArquivo(caminho), feitoFora);
  EXPECT_EQ(doc->GetPathName(), copia);
  EXPECT_TRUE(teste::LeArquivo(copia).contains("Nota: "));
  // The file written here holds all the editor has: no more question.
  aviso.clear();
  QTest::keyClicks(doc->FirstView(), QStringLiteral("x"));
  doc->OnCmdMsg(relatorio::Salvar);
  EXPECT_TRUE(aviso.isEmpty());
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocumentoRelatorio, TextFilesAreWrittenBackInTheEncodingTheyWereReadIn) {
  struct Caso {
    const char* nome;
    QByteArray bytes;      // the file as made elsewhere
    int tipo;
    QByteArray depois;     // after typing "!" at its start and Salvar
  };
  const Caso casos[] = {
      {"utf8.txt", "a\xC3\xA7\xC3\xA3o \xCF\x83 \xE2\x82\xAC\r\n", 8, "!a\xC3\xA7\xC3\xA3o \xCF\x83 \xE2\x82\xAC\r\n"},
      {"bom.txt", "\xEF\xBB\xBFsa\xC3\xAD" "da\r\n", 8, "\xEF\xBB\xBF!sa\xC3\xAD" "da\r\n"},
      {"ansi.txt", "informa\xE7\xE3o\r\n", 8, "!informa\xE7\xE3o\r\n"},
      {"dos.txt", "informa\x87\xC6o\r\n", 9, "!informa\x87\xC6o\r\n"},
  };
  for (const Caso& k : casos) {
    const QString caminho = pasta_.filePath(QString::fromLatin1(k.nome));
    ASSERT_TRUE(teste::GravaBytes(caminho, k.bytes));
    CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile(caminho);
    ASSERT_TRUE(doc) << k.nome;
    EXPECT_EQ(doc->Tipo(), k.tipo) << k.nome;
    EXPECT_FALSE(doc->FirstView()->toPlainText().contains(QChar(0x2021))) << k.nome;  // no "‡" for "ç"
    QTest::keyClicks(doc->FirstView(), QStringLiteral("!"));
    ASSERT_TRUE(doc->OnCmdMsg(relatorio::Salvar)) << k.nome;
    EXPECT_EQ(teste::LeArquivo(caminho), k.depois) << k.nome;
  }
  EXPECT_TRUE(mensagens_.Textos().isEmpty());
}

TEST_F(DocumentoRelatorio, MsDosTextSavedHereOpensAgainAsWritten) {
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  Digita(doc->FirstView(), QStringLiteral("Avaliação de imóveis"));
  const QString caminho = pasta_.filePath(QStringLiteral("dos.txt"));
  ArquivoResponde(caminho, QStringLiteral("Documento Texto no formato MS-DOS (*.txt)"));
  ASSERT_TRUE(doc->OnCmdMsg(relatorio::SalvarComo));
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("Avalia\x87\xC6o de im\xA2veis"));
  delete ModeloRelatorio::Moldura(doc);
  CLaudoDoc* aberto = ModeloRelatorio::OpenDocumentFile(caminho);
  ASSERT_TRUE(aberto);
  EXPECT_EQ(aberto->FirstView()->toPlainText(), QStringLiteral("Avaliação de imóveis"));
  EXPECT_EQ(aberto->Tipo(), 9);
}

TEST_F(DocumentoRelatorio, CharactersTheFilesEncodingLacksAreAskedAbout) {
  const QString caminho = pasta_.filePath(QStringLiteral("ansi.txt"));
  ASSERT_TRUE(teste::GravaBytes(caminho, "pre\xE7o\r\n"));
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile(caminho);
  ASSERT_TRUE(doc);
  Digita(doc->FirstView(), QStringLiteral("\u2192 "));
  QString aviso;
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [&](QDialog& d) {
    aviso = plat::Texto(d, 65535);
    plat::Pressiona(d, 12);
  });
  doc->OnCmdMsg(relatorio::Salvar);
  EXPECT_TRUE(aviso.contains(QStringLiteral("Windows-1252"))) << aviso.toStdString();
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("pre\xE7o\r\n"));
}

TEST_F(DocumentoRelatorio, PreviewLeavesATextReportWithoutItsRuler) {
  const QString texto = pasta_.filePath(QStringLiteral("notas.txt"));
  ASSERT_TRUE(teste::GravaBytes(texto, "linha\r\n"));
  struct Caso { QString caminho; bool regua; };
  const Caso casos[] = {{texto, false}, {QString(), true}};
  for (const Caso& k : casos) {
    CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile(k.caminho);
    ASSERT_TRUE(doc);
    CDocChildFrame* moldura = ModeloRelatorio::Moldura(doc);
    ASSERT_EQ(moldura->Regua()->isVisibleTo(moldura), k.regua);
    bool ocultaNaPrevia = false;
    plat::RoteiroPara(QStringLiteral("dlgVisualizar"), [&](QDialog& d) {
      ocultaNaPrevia = !moldura->Regua()->isVisibleTo(moldura);
      d.reject();
    });
    doc->FirstView()->OnCmdMsg(relatorio::Visualiza);
    EXPECT_TRUE(ocultaNaPrevia);
    EXPECT_EQ(moldura->Regua()->isVisibleTo(moldura), k.regua) << k.caminho.toStdString();
  }
}

TEST_F(DocumentoRelatorio, ALineAtAPageBreakIsPrintedOnOnePage) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "pdftotext missing";
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  CLaudoView* v = doc->FirstView();
  constexpr int linhas = 160;
  for (int i = 1; i <= linhas; ++i) {
    if (i > 1) QTest::keyClick(v, Qt::Key_Return);
    QTest::keyClicks(v, QStringLiteral("Linha %1").arg(i, 3, 10, QLatin1Char('0')));
  }
  const QString pdf = pasta_.filePath(QStringLiteral("linhas.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setFullPage(true);
  v->Imprime(&printer, false);
  const int paginas = teste::PaginasPdf(pdf);
  ASSERT_GE(paginas, 3);
  std::map<QString, int> vezes;
  for (int p = 1; p <= paginas; ++p)
    for (const teste::PalavraPdf& w : teste::PalavrasPdf(pdf, p))
      if (w.texto != QStringLiteral("Linha")) ++vezes[w.texto];
  for (int i = 1; i <= linhas; ++i) {
    const QString n = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(vezes[n], 1) << "Linha " << n.toStdString();
  }
}

// "Arquivo > Enviar...": with no mail command, or one with no mail program
// behind it (a non-zero status), the user is told; a mail command that takes
// the report says nothing.
TEST_F(DocumentoRelatorio, MailWithoutAMailProgramSaysSo) {
  app_.reset();
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  QAction* enviar = nullptr;
  for (QAction* menu : app.MainFrame()->menuBar()->actions())
    if (menu->menu() && menu->text() == QStringLiteral("&Arquivo"))
      for (QAction* a : menu->menu()->actions())
        if (a->text() == QStringLiteral("&Enviar...")) enviar = a;
  ASSERT_TRUE(enviar);
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  QTest::keyClicks(doc->FirstView(), QStringLiteral("para o cliente"));
  QApplication::processEvents();
  const QString aviso = QStringLiteral(
      "Não foi possível enviar o documento: nenhum programa de correio eletrônico está instalado ou configurado.");
  struct Caso {
    const char* nome;
    const char* programa;  // the xdg-email in PATH; null: none
    bool avisa;
  };
  const Caso casos[] = {
      {"no mail command", nullptr, true},
      {"no mail program behind it", "#!/bin/sh\nexit 3\n", true},
      {"a mail program takes it", "#!/bin/sh\n: > \"$0.feito\"\nexit 0\n", false},
  };
  const QByteArray caminhoAntes = qgetenv("PATH");
  int n = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    const QString bin = pasta_.filePath(QStringLiteral("bin%1").arg(++n));
    ASSERT_TRUE(QDir().mkpath(bin));
    if (c.programa) {
      const QString programa = QDir(bin).filePath(QStringLiteral("xdg-email"));
      ASSERT_TRUE(teste::GravaBytes(programa, c.programa));
      QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    qputenv("PATH", bin.toUtf8());
    const std::size_t antes = mensagens_.Mensagens().size();
    RoteadorComandos::Instancia().AtualizaAcoes();
    EXPECT_TRUE(enviar->isEnabled());
    enviar->trigger();
    QElapsedTimer t;
    t.start();
    const QString feito = QDir(bin).filePath(QStringLiteral("xdg-email.feito"));
    while (mensagens_.Mensagens().size() == antes && !QFile::exists(feito) && t.elapsed() < 10000) QTest::qWait(20);
    QTest::qWait(100);  // a message that follows the end of the program
    qputenv("PATH", caminhoAntes);
    const QStringList textos = mensagens_.Textos().mid(int(antes));
    if (c.avisa) EXPECT_EQ(textos, QStringList{aviso});
    else {
      EXPECT_TRUE(textos.isEmpty()) << textos.join('|').toStdString();
      EXPECT_TRUE(QFile::exists(feito));  // the mail command ran
    }
  }
  doc->SetModifiedFlag(false);
  app.MainFrame()->close();
}

TEST_F(DocumentoRelatorio, OptionsSheetIsOnTheViewMenuWhileAReportIsActive) {
  app_.reset();
  CTarsolinApp app;
  ASSERT_TRUE(app.InitInstance({"--sem-boas-vindas"}));
  app.Opcoes().Units = 0;
  QAction* opcoes = nullptr;
  for (QAction* menu : app.MainFrame()->menuBar()->actions())
    if (menu->menu() && menu->text() == QStringLiteral("E&xibir"))
      for (QAction* a : menu->menu()->actions())
        if (a->text() == QStringLiteral("&Opções...")) opcoes = a;
  ASSERT_TRUE(opcoes);
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_FALSE(opcoes->isEnabled());  // no report
  CLaudoDoc* doc = ModeloRelatorio::OpenDocumentFile();
  ASSERT_TRUE(doc);
  QApplication::processEvents();
  RoteadorComandos::Instancia().AtualizaAcoes();
  EXPECT_TRUE(opcoes->isEnabled());
  plat::RoteiroPara(QStringLiteral("COptionSheet"), [](QDialog& d) {
    plat::DefineMarcado(d, 1133, true);  // centimetres
    d.accept();
  });
  opcoes->trigger();
  EXPECT_EQ(app.Opcoes().Units, 1);
  doc->SetModifiedFlag(false);
  app.MainFrame()->close();
}

}  // namespace
