// The report document: saving and opening by type, the questions of a change of format.
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
#include "tests/support/Arquivos.h"

#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
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
    plat::Pressiona(d, 12);  // "&Text Document"
  });
  ASSERT_TRUE(doc->DoSave(doc->GetPathName()));
  EXPECT_TRUE(pergunta.startsWith(QStringLiteral("Você irá salvar o documento no formato de Texto"))) << pergunta.toStdString();
  EXPECT_EQ(doc->Tipo(), 8);
  EXPECT_EQ(teste::LeArquivo(caminho), QByteArray("linha um\r\nlinha dois\r\n"));
  // Cancel leaves the file and the type as they were.
  v->SubstituiSelecao(QStringLiteral("x"), v->FormatoPadrao(false));
  plat::RoteiroPara(QStringLiteral("CButtonDialog"), [](QDialog& d) { plat::Pressiona(d, 13); });
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
}  // namespace
