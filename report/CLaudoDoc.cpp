#include "CLaudoDoc.h"

#include "CButtonDialog.h"
#include "CDocChildFrame.h"
#include "CLaudoView.h"
#include "COptionSheet.h"
#include "CodigoOem.h"
#include "ComandosRelatorio.h"
#include "FileTypeEntry.h"
#include "ModeloRelatorio.h"
#include "Rtf.h"
#include "app/CMainFrame.h"
#include "app/CTarsolinApp.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextDocument>
#include <cerrno>

namespace {
QStatusBar* BarraEstado() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  CMainFrame* f = app ? app->MainFrame() : nullptr;
  return f ? f->statusBar() : nullptr;
}
void Estado(const QString& texto) {
  if (QStatusBar* b = BarraEstado()) {
    b->showMessage(texto);
    b->repaint();
  }
}
}  // namespace

CLaudoDoc::CLaudoDoc(QObject* parent) : plat::Documento(parent) { setObjectName(QStringLiteral("CLaudoDoc")); }

CLaudoDoc::~CLaudoDoc() = default;

void CLaudoDoc::DefineVista(CLaudoView* vista, CDocChildFrame* moldura) {
  vista_ = vista;
  moldura_ = moldura;
  if (vista_)
    connect(vista_->document(), &QTextDocument::modificationChanged, this, [this](bool m) { SetModifiedFlag(m); });
}

int CLaudoDoc::TipoOpcoes(int tipo) {
  if (tipo == tipos::TextoOem) return tipos::Texto;
  if (tipo == tipos::Embutido) return tipos::Rtf;  // never edited in place here
  return tipo;
}

void CLaudoDoc::SaveTypeState(int tipo) {
  if (tipo == -1) return;
  const int t = TipoOpcoes(tipo);
  if (moldura_) moldura_->MensagemTipo(false, t);
  if (CTarsolinApp* app = CTarsolinApp::Instancia(); app && vista_) app->ObtemOpcoesDocumento(t).wrap = vista_->WordWrap();
}

void CLaudoDoc::RestoreTypeState(int tipo) {
  if (tipo == -1) return;
  const int t = TipoOpcoes(tipo);
  if (moldura_) moldura_->MensagemTipo(true, t);
  CTarsolinApp* app = CTarsolinApp::Instancia();
  if (!app || !vista_) return;
  const int quebra = app->ObtemOpcoesDocumento(t).wrap;
  if (quebra != vista_->WordWrap()) {
    vista_->DefineWordWrap(quebra);
    vista_->WrapChanged();
  }
}

void CLaudoDoc::ChangeType(int tipo, bool mantemOpcoes) {
  if (tipo == tipo_) return;
  rico_ = !tipos::TipoTexto(tipo);
  if (mantemOpcoes) {
    tipo_ = tipo;
    return;
  }
  SaveTypeState(tipo_);
  tipo_ = tipo;
  RestoreTypeState(tipo_);
}

bool CLaudoDoc::OnNewDocument() {
  const int tipo = ModeloRelatorio::NovoTipoRelatorio();
  if (vista_) vista_->ApplyDefaultFormats(tipos::TipoTexto(tipo));
  ChangeType(tipo);
  SetModifiedFlag(false);
  return true;
}

bool CLaudoDoc::OnOpenDocument(const QString& caminho) {
  int erro = 0;
  novoTipo_ = DetectFileType(caminho, &erro);
  if (novoTipo_ == -1) {
    ReportSaveLoadException(caminho, false, erro, 61697);
    return false;
  }
  CheckConverterFiles();
  if (!FileType(novoTipo_).readable) {
    plat::MessageBox(plat::Texto(3002).arg(FileType(novoTipo_).Parte(0)), QString(), plat::MB_ICONINFORMATION);
    return false;
  }
  if (novoTipo_ != tipo_) ChangeType(novoTipo_);
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) {
    ReportSaveLoadException(caminho, false, EACCES, 61697);
    return false;
  }
  Estado(plat::Texto(3077).replace(QStringLiteral("%d%%"), QStringLiteral("100%")));
  const bool ok = CarregaConteudo(f.readAll());
  Estado(plat::Texto(57345));
  if (!ok) {
    ReportSaveLoadException(caminho, false, EIO, 61697);
    return false;
  }
  SetPathName(QFileInfo(caminho).absoluteFilePath());
  SetTitle(QFileInfo(caminho).fileName());
  SetModifiedFlag(false);
  return true;
}

QByteArray CLaudoDoc::Conteudo() const {
  if (!vista_) return {};
  const QTextDocument& d = *vista_->document();
  if (rico_) return rtf::Escreve(d);
  // Text types: lines end with CR LF; type 9 in the MS-DOS character set.
  QString texto = d.toPlainText();
  texto.replace(QChar::LineSeparator, QLatin1Char('\n'));
  texto.replace(QChar::Nbsp, QLatin1Char(' '));
  texto.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  if (tipo_ == tipos::TextoOem) return oem::Codifica(texto);
  return QByteArray::fromStdString(plat::ParaCp1252(texto));
}

bool CLaudoDoc::CarregaConteudo(const QByteArray& bytes) {
  if (!vista_) return false;
  QTextDocument& d = *vista_->document();
  const QTextFrameFormat raiz = d.rootFrame()->frameFormat();
  bool ok = true;
  if (rico_) {
    ok = rtf::Le(bytes, d);
  } else {
    QString texto;
    if (tipo_ == tipos::TextoOem) {
      texto = oem::Decodifica(bytes);
    } else {
      // Text written here is Windows-1252; a file in UTF-8 is taken as such.
      auto utf8 = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
      texto = utf8(bytes);
      if (utf8.hasError()) texto = plat::LeCp1252(bytes.toStdString());
    }
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    d.clear();
    vista_->ApplyDefaultFormats(true);
    QTextCursor c(&d);
    c.insertText(texto, vista_->FormatoPadrao(true));
  }
  d.rootFrame()->setFrameFormat(raiz);
  QTextCursor inicio(&d);
  vista_->setTextCursor(inicio);
  d.clearUndoRedoStacks();
  d.setModified(false);
  return ok;
}

void CLaudoDoc::ReportSaveLoadException(const QString& caminho, bool salvando, int erro, int padrao) {
  int id = padrao;
  switch (erro) {
    case ENOENT: case ENOTDIR: case ENAMETOOLONG: id = 61729; break;
    case EMFILE: case ENFILE: id = 3111; break;
    case EROFS: id = 3129; break;
    case EACCES: case EPERM: id = salvando ? 61732 : 61731; break;
    case EBUSY: case ETXTBSY: id = 3091; break;
    case ENOSPC: case EDQUOT: id = 61730; break;
    case EIO: case EINVAL: case ESPIPE: id = salvando ? 61734 : 61733; break;
    default: break;
  }
  plat::MessageBox(plat::Texto(id).arg(caminho), QString(), plat::MB_ICONEXCLAMATION);
}

bool CLaudoDoc::OnSaveDocument(const QString& caminho) {
  const QByteArray bytes = Conteudo();
  errno = 0;
  plat::GravacaoSegura g(caminho);
  bool ok = g.Aberta();
  if (ok) {
    Estado(plat::Texto(3089));
    ok = g.Escreve(bytes.constData(), std::size_t(bytes.size())) && g.Confirma();
  }
  Estado(plat::Texto(57345));
  if (!ok) {
    int erro = errno;
    const QFileInfo pasta(QFileInfo(caminho).absolutePath());
    if (!pasta.exists()) erro = ENOENT;
    else if (!pasta.isWritable() || (QFileInfo::exists(caminho) && !QFileInfo(caminho).isWritable())) erro = EACCES;
    else if (erro == 0) erro = EIO;
    ReportSaveLoadException(caminho, true, erro, 61734);
    return false;
  }
  if (vista_) vista_->document()->setModified(false);
  SetModifiedFlag(false);
  return true;
}

bool CLaudoDoc::DoSave(const QString& caminho, bool substitui) {
  QString nome = caminho;
  const int tipoInicial = tipo_;
  const bool modificado = IsModified();
  CheckConverterFiles();
  bool salvarComo = false;
  if (nome.isEmpty()) {
    salvarComo = true;
  } else if (!FileType(tipo_).writable) {
    if (tipo_ == tipos::Word6) {
      const int r = CButtonDialog::AskWithButtons(plat::Texto(3123), plat::TituloPadrao(), plat::Texto(3124),
                                                  plat::MB_ICONQUESTION, 1, 2);
      if (r == 0) {
        tipo_ = tipos::Word6Gravavel;
        rico_ = true;
      } else if (r == 2) {
        return false;
      } else {
        salvarComo = true;
      }
    } else {
      if (plat::MessageBox(plat::Texto(3088), QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
        return false;
      salvarComo = true;
    }
  }
  if (tipos::TipoTexto(tipo_) && vista_ && !vista_->HasOnlyTextDefaults()) {
    const int r = CButtonDialog::AskWithButtons(plat::Texto(3087).arg(GetTitle()), plat::Texto(57344),
                                                plat::Texto(3103), plat::MB_ICONQUESTION, 0, 3, {1017, 1009, 1008});
    if (r == 3) return false;
    const int novo = r == 0 ? tipos::Word6Gravavel : r == 1 ? tipos::Rtf : tipos::Texto;
    if (novo != tipos::Texto) {
      ChangeType(novo, true);
      salvarComo = true;
    }
  }
  if (salvarComo) {
    QString proposto = GetPathName();
    if (substitui && proposto.isEmpty()) {
      proposto = GetTitle();
      const int corte = int(proposto.indexOf(QRegularExpression(QStringLiteral("[ #%;/\\\\]"))));
      if (corte >= 0) proposto.truncate(corte);
      // A type the dialog cannot offer names the file after the type it starts on.
      int tipoNome = tipo_;
      if (!FileType(tipoNome).writable) tipoNome = FileType(tipos::Word6Gravavel).writable ? tipos::Word6Gravavel : tipos::Rtf;
      proposto += FileTypeExtension(tipoNome);
    }
    int escolhido = tipo_;
    CTarsolinApp* app = CTarsolinApp::Instancia();
    if (!app || !app->PedeNomeArquivo(proposto, substitui ? 61441 : 61444, false, &escolhido)) {
      ChangeType(tipoInicial, true);
      return false;
    }
    nome = proposto;
    ChangeType(escolhido, true);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool ok = OnSaveDocument(nome);
  QApplication::restoreOverrideCursor();
  if (!ok) {
    // A new file left by a failed save is removed; an existing one was never touched.
    ChangeType(tipoInicial, true);
    return false;
  }
  if (substitui) {
    const int t = tipo_;
    ChangeType(tipoInicial, true);
    ChangeType(t);
    SetPathName(QFileInfo(nome).absoluteFilePath());
    SetTitle(QFileInfo(nome).fileName());
    if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
      app->Recentes().Adiciona(GetPathName());
      app->Recentes().Grava(*CTarsolinApp::Configuracoes());
    }
  } else {
    ChangeType(tipoInicial, true);
    SetModifiedFlag(modificado);
    if (vista_) vista_->document()->setModified(modificado);
  }
  return true;
}

bool CLaudoDoc::SaveModified() {
  if (!IsModified()) return true;
  const int r = plat::MessageBox(plat::Texto(21001).arg(GetTitle()), QString(),
                                 plat::MB_YESNOCANCEL | plat::MB_ICONEXCLAMATION);
  if (r == plat::IDCANCEL) return false;
  if (r == plat::IDNO) return true;
  return DoSave(GetPathName(), true);
}

void CLaudoDoc::OnCloseDocument() { SaveTypeState(tipo_); }

void CLaudoDoc::OnSendMail() {
  // The mail takes a copy of the report under its title, with the type's extension when the title has none.
  QString titulo = GetTitle();
  if (!titulo.contains(QLatin1Char('.'))) titulo += FileTypeExtension(tipo_);
  const QString pasta = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
  const QString copia = QDir(pasta).filePath(titulo);
  if (!OnSaveDocumentCopia(copia)) return;
  QProcess::startDetached(QStringLiteral("xdg-email"), {QStringLiteral("--attach"), copia});
}

bool CLaudoDoc::OnSaveDocumentCopia(const QString& caminho) {
  const bool modificado = IsModified();
  const bool ok = OnSaveDocument(caminho);
  SetModifiedFlag(modificado);
  if (vista_) vista_->document()->setModified(modificado);
  return ok;
}

bool CLaudoDoc::PodeEnviar() { return !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty(); }

void CLaudoDoc::OnOptions() {
  const int t = TipoOpcoes(tipo_);
  const int pagina = t == tipos::Texto ? 1 : t == tipos::Rtf ? 2 : t == tipos::Write ? 4 : 3;
  SaveTypeState(t);
  COptionSheet folha(plat::Texto(3074), vista_ ? vista_->window() : nullptr, pagina);
  if (folha.Executa() != QDialog::Accepted) return;
  RestoreTypeState(t);
}

bool CLaudoDoc::TemComando(int id) const {
  switch (id) {
    case relatorio::Salvar: case relatorio::SalvarComo: case relatorio::Opcoes: return true;
    case relatorio::Enviar: return PodeEnviar();
    default: return false;
  }
}

bool CLaudoDoc::OnUpdateCmd(int id, EstadoComando& estado) {
  if (id == relatorio::Enviar) {
    estado.habilitado = PodeEnviar();
    return true;
  }
  return false;
}

bool CLaudoDoc::OnCmdMsg(int id) {
  switch (id) {
    case relatorio::Salvar: DoSave(GetPathName(), true); return true;
    case relatorio::SalvarComo: DoSave(QString(), true); return true;
    case relatorio::Opcoes: OnOptions(); return true;
    case relatorio::Enviar:
      if (!PodeEnviar()) return false;
      OnSendMail();
      return true;
    default: return false;
  }
}
