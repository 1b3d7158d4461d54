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
#include "platform/TipoArquivo.h"

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
#include <algorithm>
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

bool EhUtf8(const QByteArray& bytes) {
  auto utf8 = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString texto = utf8(bytes);
  return !utf8.hasError();
}

bool CabeEmCp1252(const QString& texto) {
  for (QChar c : texto)
    if (plat::CaractereCp1252(plat::ByteCp1252(c)) != c) return false;
  return true;
}

// "a, b e c"
QString Enumera(const QStringList& itens) {
  if (itens.size() < 2) return itens.join(QString());
  return QStringList(itens.mid(0, itens.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" e ") + itens.last();
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
  if (const QString motivo = plat::MotivoArquivoNaoComum(caminho); !motivo.isEmpty()) {
    plat::MessageBox(QDir::toNativeSeparators(caminho) + '\n' + motivo, QString(), plat::MB_ICONEXCLAMATION);
    return false;
  }
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
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) {
    ReportSaveLoadException(caminho, false, EACCES, 61697);
    return false;
  }
  const QByteArray bytes = f.readAll();
  // A text that is neither UTF-8 nor Windows-1252 is MS-DOS text, and is written back as such.
  if (novoTipo_ == tipos::Texto && !EhUtf8(bytes) && oem::PareceOem(bytes)) novoTipo_ = tipos::TextoOem;
  if (novoTipo_ != tipo_) ChangeType(novoTipo_);
  Estado(plat::Texto(3077).replace(QStringLiteral("%d%%"), QStringLiteral("100%")));
  const bool ok = CarregaConteudo(bytes);
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

QString CLaudoDoc::TextoPlano() const {
  // Lines end with CR LF.
  QString texto = vista_->document()->toPlainText();
  texto.replace(QChar::LineSeparator, QLatin1Char('\n'));
  texto.replace(QChar::Nbsp, QLatin1Char(' '));
  texto.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return texto;
}

namespace {
// The single-byte code pages lack the sigma of the results report: the
// letter it is drawn from in the Symbol face stands for it.
QString ComSubstitutos(QString texto) { return texto.replace(QChar(0x03C3), QLatin1Char('s')); }
}  // namespace

QByteArray CLaudoDoc::Conteudo() const {
  if (!vista_) return {};
  if (rico_) return rtf::Escreve(*vista_->document());
  const QString texto = TextoPlano();
  if (tipo_ == tipos::TextoOem) return oem::Codifica(ComSubstitutos(texto));
  switch (codificacao_) {
    case Codificacao::Utf8: return texto.toUtf8();
    case Codificacao::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + texto.toUtf8();
    case Codificacao::Cp1252: return QByteArray::fromStdString(plat::ParaCp1252(ComSubstitutos(texto)));
    case Codificacao::Automatica: break;
  }
  // A new text file is Windows-1252 unless that would lose characters.
  const QString ansi = ComSubstitutos(texto);
  return CabeEmCp1252(ansi) ? QByteArray::fromStdString(plat::ParaCp1252(ansi)) : texto.toUtf8();
}

int CLaudoDoc::TipoGravado() const {
  CheckConverterFiles();
  if (FileType(tipo_).writable) return tipo_;
  return rico_ ? tipos::Rtf : tipos::Texto;
}

QString CLaudoDoc::AvisoPerdas() const {
  QStringList avisos;
  const QString nome = QFileInfo(GetPathName()).fileName();
  if (!perdas_.isEmpty())
    avisos << QStringLiteral("O arquivo %1 tem %2, que o editor não consegue manter: salvar com o mesmo nome apaga "
                             "isso do arquivo.")
                  .arg(nome, Enumera(perdas_));
  if (vista_ && tipos::TipoTexto(tipo_)) {
    const QString texto = ComSubstitutos(TextoPlano());
    bool falta = false;
    if (tipo_ == tipos::TextoOem) {
      for (QChar c : texto) falta = falta || !oem::Representa(c);
    } else if (codificacao_ == Codificacao::Cp1252) {
      falta = !CabeEmCp1252(texto);
    }
    if (falta)
      avisos << QStringLiteral("O texto tem caracteres que a codificação de %1 (%2) não tem: salvar com o mesmo nome "
                               "os grava como \"?\".")
                    .arg(nome, tipo_ == tipos::TextoOem ? QStringLiteral("MS-DOS, página de código 850")
                                                        : QStringLiteral("Windows-1252"));
  }
  return avisos.join(QStringLiteral("\n\n"));
}

bool CLaudoDoc::CarregaConteudo(const QByteArray& bytes) {
  if (!vista_) return false;
  QTextDocument& d = *vista_->document();
  const QTextFrameFormat raiz = d.rootFrame()->frameFormat();
  bool ok = true;
  perdas_.clear();
  if (rico_) {
    ok = rtf::Le(bytes, d, &perdas_);
  } else {
    QString texto;
    if (tipo_ == tipos::TextoOem) {
      texto = oem::Decodifica(bytes);
    } else if (bytes.startsWith("\xEF\xBB\xBF") && EhUtf8(bytes)) {
      codificacao_ = Codificacao::Utf8Bom;
      texto = QString::fromUtf8(bytes.mid(3));
    } else {
      // Written back as read: UTF-8, or Windows-1252; plain ASCII is either, as for a new file.
      const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) < 0x80; });
      codificacao_ = ascii ? Codificacao::Automatica : EhUtf8(bytes) ? Codificacao::Utf8 : Codificacao::Cp1252;
      texto = codificacao_ == Codificacao::Utf8 ? QString::fromUtf8(bytes) : plat::LeCp1252(bytes.toStdString());
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
    // Only the formats that can be written here are offered.
    const QStringList textos = plat::Texto(3103).split(QLatin1Char('\n'));
    const int tiposOferta[] = {tipos::Word6Gravavel, tipos::Rtf, tipos::Texto};
    const int ajudas[] = {1017, 1009, 1008};
    QStringList botoes;
    std::vector<int> tiposBotoes;
    CButtonDialog::TabelaAjuda ajuda;
    for (int i = 0; i < 3; ++i) {
      if (!FileType(tiposOferta[i]).writable) continue;
      botoes << textos.value(i);
      tiposBotoes.push_back(tiposOferta[i]);
      ajuda.push_back(ajudas[i]);
    }
    botoes << textos.value(3);
    const int cancelar = int(tiposBotoes.size());
    const int r = CButtonDialog::AskWithButtons(plat::Texto(3087).arg(GetTitle()), plat::Texto(57344),
                                                botoes.join(QLatin1Char('\n')), plat::MB_ICONQUESTION, 0, cancelar, ajuda);
    if (r < 0 || r >= cancelar) return false;
    const int novo = tiposBotoes[std::size_t(r)];
    if (novo != tipos::Texto) {
      ChangeType(novo, true);
      salvarComo = true;
    }
  }
  // Overwriting the file loses what the editor could not keep of it: say so first.
  if (!salvarComo && !nome.isEmpty() && QFileInfo(nome).absoluteFilePath() == GetPathName()) {
    const QString aviso = AvisoPerdas();
    if (!aviso.isEmpty()) {
      const int r = CButtonDialog::AskWithButtons(aviso, plat::TituloPadrao(),
                                                  QStringLiteral("&Salvar\nSalvar &como...\nCancelar"),
                                                  plat::MB_ICONEXCLAMATION, 1, 2);
      if (r == 2) {
        ChangeType(tipoInicial, true);
        return false;
      }
      if (r == 1) salvarComo = true;
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
    // The extension typed decides the type; a name without one took the filter's.
    ChangeType(TipoPeloNome(nome, escolhido), true);
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
    perdas_.clear();  // the file now holds what the editor wrote
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
  const QString programa = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
  if (programa.isEmpty()) return RecusaEnvio();
  // The mail takes a copy of the report under its title, with the extension of
  // what is written when the title has none.
  QString titulo = GetTitle();
  if (!titulo.contains(QLatin1Char('.'))) titulo += FileTypeExtension(TipoGravado());
  const QString pasta = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
  const QString copia = QDir(pasta).filePath(titulo);
  if (!OnSaveDocumentCopia(copia)) return;
  // xdg-email ends with a non-zero status when no mail program takes the
  // message. It has no parent: a mail program it waits for outlives this one.
  auto* processo = new QProcess;
  QObject::connect(processo, &QProcess::finished, processo, [processo](int codigo, QProcess::ExitStatus estado) {
    processo->deleteLater();
    if (estado != QProcess::NormalExit || codigo != 0) RecusaEnvio();
  });
  QObject::connect(processo, &QProcess::errorOccurred, processo, [processo](QProcess::ProcessError erro) {
    if (erro != QProcess::FailedToStart) return;
    processo->deleteLater();
    RecusaEnvio();
  });
  processo->start(programa, {QStringLiteral("--attach"), copia});
}

void CLaudoDoc::RecusaEnvio() {
  plat::MessageBox(QStringLiteral("Não foi possível enviar o documento: nenhum programa de correio eletrônico "
                                  "está instalado ou configurado."),
                   QString(), plat::MB_ICONEXCLAMATION);
}

bool CLaudoDoc::OnSaveDocumentCopia(const QString& caminho) {
  const bool modificado = IsModified();
  const bool ok = OnSaveDocument(caminho);
  SetModifiedFlag(modificado);
  if (vista_) vista_->document()->setModified(modificado);
  return ok;
}

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
    case relatorio::Salvar: case relatorio::SalvarComo: case relatorio::Opcoes: case relatorio::Enviar: return true;
    default: return false;
  }
}

bool CLaudoDoc::OnCmdMsg(int id) {
  switch (id) {
    case relatorio::Salvar: DoSave(GetPathName(), true); return true;
    case relatorio::SalvarComo: DoSave(QString(), true); return true;
    case relatorio::Opcoes: OnOptions(); return true;
    case relatorio::Enviar:
      OnSendMail();
      return true;
    default: return false;
  }
}
