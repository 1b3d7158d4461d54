#include "CTarsolinApp.h"

#include "Ajuda.h"
#include "CDlgTransparent.h"
#include "views/wizard/AssistenteModelo.h"
#include "CMainFrame.h"
#include "CPagina.h"
#include "CSplashWnd.h"
#include "Comandos.h"
#include "EstiloGrafico.h"
#include "InstanciaUnica.h"
#include "CChildFrame.h"
#include "JanelaModeloBasica.h"
#include "ModeloCorrente.h"
#include "RoteadorComandos.h"
#include "ServicosDocumentoApp.h"
#include "UnidadesMedida.h"

#include "controls/CListReportCtrl.h"
#include "model/CTarsolinDoc.h"
#include "model/ReconhecimentoModelo.h"
#include "model/TextoNumero.h"
#include "views/data/RegistroDados.h"
#include "views/equation/RegistroEquacao.h"
#include "views/diagnostics/RegistroDiagnostico.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"
#include "platform/TipoArquivo.h"
#include "report/FileTypeEntry.h"
#include "report/ModeloRelatorio.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPrinterInfo>
#include <QLabel>
#include <QLocale>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <QtEndian>
#include <cmath>
#include <sys/stat.h>

Q_LOGGING_CATEGORY(logDocumentos, "tarsolin.documentos", QtWarningMsg)

namespace {

CTarsolinApp* instancia = nullptr;
CTarsolinApp::FabricaJanelaModelo fabricaJanela;
CTarsolinApp::DicaDoDia dicaDoDia;

}  // namespace

QByteArray Retangulo::Bytes() const {
  QByteArray b(16, '\0');
  auto* p = reinterpret_cast<uchar*>(b.data());
  qToLittleEndian<int32_t>(left, p);
  qToLittleEndian<int32_t>(top, p + 4);
  qToLittleEndian<int32_t>(right, p + 8);
  qToLittleEndian<int32_t>(bottom, p + 12);
  return b;
}

Retangulo Retangulo::DeBytes(const QByteArray& b, const Retangulo& padrao) {
  if (b.size() != 16) return padrao;
  const auto* p = reinterpret_cast<const uchar*>(b.constData());
  return Retangulo{qFromLittleEndian<int32_t>(p), qFromLittleEndian<int32_t>(p + 4),
                   qFromLittleEndian<int32_t>(p + 8), qFromLittleEndian<int32_t>(p + 12)};
}

CTarsolinApp::CTarsolinApp(QObject* parent) : QObject(parent) {
  instancia = this;
  opcoes_.Units = UnidadePadrao();
  for (auto& e : EstilosGraficos) e = EstiloGrafico::Padrao();
}

CTarsolinApp::~CTarsolinApp() {
  delete frame_;  // the windows go before the documents they show
  if (servicos_) CTarsolinDoc::DefineServicos(nullptr);
  for (CTarsolinDoc* d : documentos_) delete d;
  if (instancia == this) instancia = nullptr;
}

CTarsolinApp* CTarsolinApp::Instancia() { return instancia; }

CMainFrame* CTarsolinApp::MainFrame() const { return frame_; }

void CTarsolinApp::DefineFabricaJanelaModelo(FabricaJanelaModelo fabrica) { fabricaJanela = std::move(fabrica); }

void CTarsolinApp::DefineDicaDoDia(DicaDoDia dica) { dicaDoDia = std::move(dica); }

void CTarsolinApp::NotificaImpressora(bool atualiza) {
  if (atualiza) impressora_ = QPrinterInfo::defaultPrinterName();
  emit impressoraMudou();
}

void CTarsolinApp::SelecionaImpressora(const QString& nome) {
  if (!nome.isEmpty()) impressora_ = nome;
  NotificaImpressora(false);
}

void CTarsolinApp::RestauraImpressora(const QString& nome) {
  if (impressora_ == nome) return;
  impressora_ = nome;
  NotificaImpressora(false);
}

QSettings* CTarsolinApp::Configuracoes() {
  static QSettings* s = new QSettings(QSettings::IniFormat, QSettings::UserScope,
                                      QStringLiteral("Tarsolin"), QStringLiteral("Tarsolin"));
  return s;
}

int CTarsolinApp::UnidadePadrao() {
  return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? 0 : 1;
}

// ------------------------------------------------------------ options

void CTarsolinApp::LoadOptions(QSettings& s, const QRect& tela) {
  s.beginGroup("Options");
  opcoes_.WordSel = s.value("WordSel", 1).toInt();
  opcoes_.Units = s.value("Units", UnidadePadrao()).toInt();
  if (opcoes_.Units < 0 || opcoes_.Units >= NumUnidades) opcoes_.Units = UnidadePadrao();
  opcoes_.Maximized = s.value("Maximized", 0).toInt();
  opcoes_.FrameRect = Retangulo::DeBytes(s.value("FrameRect").toByteArray(), Retangulo{});
  opcoes_.PageMargin = Retangulo::DeBytes(s.value("PageMargin").toByteArray(), Retangulo{1700, 1440, 1700, 1440});
  s.endGroup();
  CarregaEstilosGraficos(s);
  // A placement that meets the screen by less than 10 x 10 pixels is forgotten.
  // An inverted rectangle meets nothing; any stored value is safe in 64 bits.
  const Retangulo& r = opcoes_.FrameRect;
  const long long largura = std::min<long long>(r.right, tela.left() + (long long)tela.width()) -
                            std::max<long long>(r.left, tela.left());
  const long long altura = std::min<long long>(r.bottom, tela.top() + (long long)tela.height()) -
                           std::max<long long>(r.top, tela.top());
  if (largura < 10 || altura < 10) opcoes_.FrameRect = Retangulo{};
  opcoes_.texto.wrap = s.value("Text/Wrap", 0).toInt();
  opcoes_.rtf.wrap = s.value("RTF/Wrap", 1).toInt();
  opcoes_.word6.wrap = s.value("Word6/Wrap", 2).toInt();
  opcoes_.write.wrap = s.value("Write/Wrap", 2).toInt();
}

void CTarsolinApp::SaveOptions(QSettings& s) const {
  s.beginGroup("Options");
  s.setValue("WordSel", opcoes_.WordSel);
  s.setValue("Units", opcoes_.Units);
  s.setValue("Maximized", opcoes_.Maximized);
  s.setValue("FrameRect", opcoes_.FrameRect.Bytes());
  s.setValue("PageMargin", opcoes_.PageMargin.Bytes());
  s.endGroup();
  GravaEstilosGraficos(s);
  s.setValue("Text/Wrap", opcoes_.texto.wrap);
  s.setValue("RTF/Wrap", opcoes_.rtf.wrap);
  s.setValue("Word6/Wrap", opcoes_.word6.wrap);
  s.setValue("Write/Wrap", opcoes_.write.wrap);
  s.sync();
}

OpcoesTipoRelatorio& CTarsolinApp::ObtemOpcoesDocumento(int tipo) {
  static OpcoesTipoRelatorio padrao;
  switch (tipo) {
    case 4: case 5: return opcoes_.word6;
    case 6: return opcoes_.write;
    case 7: return opcoes_.rtf;
    case 8: case 9: return opcoes_.texto;
    default: padrao = OpcoesTipoRelatorio{0}; return padrao;  // the other types' block is never stored
  }
}

// ------------------------------------------------------------ units

void CTarsolinApp::CarregaUnidades() { CarregaUnidadesMedida(); }

bool CTarsolinApp::LeMedida(const QString& texto, int* twips) const {
  return LeMedidaTexto(texto, opcoes_.Units, twips);
}

QString CTarsolinApp::EscreveMedida(int twips, int decimais) const {
  return EscreveMedidaTexto(twips, decimais, opcoes_.Units);
}

int CTarsolinApp::ComparaValor(const QString* a, const QString* b) {
  if (!a || !b) return 0;
  double x = 0, y = 0;
  ConverteStringNumero(*a, &x);
  ConverteStringNumero(*b, &y);
  return x < y ? -1 : (x > y ? 1 : 0);
}

int CTarsolinApp::ComparaValorAbsoluto(const QString* a, const QString* b) {
  if (!a || !b) return 0;
  double x = 0, y = 0;
  ConverteStringNumero(*a, &x);
  ConverteStringNumero(*b, &y);
  x = std::fabs(x);
  y = std::fabs(y);
  return x < y ? -1 : (x > y ? 1 : 0);
}

// ------------------------------------------------------------ file dialog

bool CTarsolinApp::PedeNomeArquivo(QString& nome, int idTitulo, bool abrir, int* tipo) {
  const QStringList filtros = BuildFileTypeFilter(abrir);
  if (filtros.isEmpty()) return false;
  int inicio = 0;
  if (abrir) {
    inicio = std::clamp(posicaoFiltroAbrir_, 0, int(filtros.size()) - 1);
  } else {
    const int desejado = tipo ? *tipo : 5;
    for (int procurado : {desejado, 5, 7})
      if (const int p = FilterPosOfFileType(procurado, false); p >= 0) { inicio = p; break; }
  }
  QFileDialog dlg(frame_, plat::Texto(idTitulo));
  dlg.setObjectName("dlgArquivo");
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(abrir ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dlg.setFileMode(abrir ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dlg.setNameFilters(filtros);
  dlg.selectNameFilter(filtros[inicio]);
  // A name typed without extension takes the one of the chosen type.
  auto sufixo = [abrir](int posicao) { return FileTypeExtension(FileTypeAtFilterPos(posicao, abrir)).mid(1); };
  dlg.setDefaultSuffix(sufixo(inicio));
  QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, [&dlg, &filtros, sufixo](const QString& f) {
    dlg.setDefaultSuffix(sufixo(int(filtros.indexOf(f))));
  });
  if (!nome.isEmpty()) dlg.selectFile(nome);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
  nome = dlg.selectedFiles().first();
  const int posicao = std::max(0, int(filtros.indexOf(dlg.selectedNameFilter())));
  if (abrir) posicaoFiltroAbrir_ = posicao;
  if (tipo) *tipo = FileTypeAtFilterPos(posicao, abrir);
  return true;
}

// ------------------------------------------------------------ documents

namespace {
// Set while a file another instance handed over opens: it asked already.
bool abrindoDeOutraInstancia = false;
}  // namespace

bool CTarsolinApp::MesmoArquivo(const QString& a, const QString& b) {
  struct stat sa, sb;
  if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
    return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

CTarsolinDoc* CTarsolinApp::DocumentoAberto(const QString& caminho) const {
  // The same file reached through a link is the same model: one document.
  const QString absoluto = QFileInfo(caminho).absoluteFilePath();
  for (CTarsolinDoc* d : documentos_)
    if (QFileInfo(d->GetPathName()).absoluteFilePath() == absoluto || MesmoArquivo(d->GetPathName(), caminho))
      return d;
  return nullptr;
}

CTarsolinDoc* CTarsolinApp::OpenDocumentFile(const QString& caminho) {
  if (caminho.isEmpty()) return nullptr;
  // Nothing is read from a FIFO, a device or a folder: a read would wait
  // forever or mean nothing.
  if (const QString motivo = plat::MotivoArquivoNaoComum(caminho); !motivo.isEmpty()) {
    plat::MessageBox(QDir::toNativeSeparators(caminho) + '\n' + motivo, QString(), plat::MB_ICONEXCLAMATION);
    return nullptr;
  }
  // Reports go to the report editor (they are no model).
  if (ModeloRelatorio::EhRelatorio(caminho)) {
    ModeloRelatorio::OpenDocumentFile(QFileInfo(caminho).absoluteFilePath());
    return nullptr;
  }
  // An older product's file opens as the model it converts into: when that
  // model is open already it comes forward, never converted over.
  const QString convertido = ModeloConvertidoDe(caminho);
  if (CTarsolinDoc* d = DocumentoAberto(convertido.isEmpty() ? caminho : convertido)) {
    if (frame_) frame_->AtivaDocumento(d);
    qCInfo(logDocumentos) << "ativado:" << d->GetPathName();
    return d;
  }
  // A model another instance has open comes forward there: one file, one writer.
  if (instancia_ && !abrindoDeOutraInstancia && instancia_->PerguntaAberto(QFileInfo(caminho).absoluteFilePath())) {
    qCInfo(logDocumentos) << "em outra instância:" << QFileInfo(caminho).absoluteFilePath();
    return nullptr;
  }
  auto* doc = new CTarsolinDoc(this);
  if (!doc->AbreArquivo(caminho)) {
    delete doc;
    return nullptr;
  }
  documentos_.push_back(doc);
  recentes_.Adiciona(doc->GetPathName());
  recentes_.Grava(*Configuracoes());
  CriaJanela(doc);
  qCInfo(logDocumentos) << "aberto:" << doc->GetPathName();
  emit documentoAberto(doc);
  return doc;
}

bool CTarsolinApp::CriaJanela(CTarsolinDoc* doc) {
  if (!frame_) return false;
  QWidget* janela = fabricaJanela ? fabricaJanela(doc) : new CChildFrame(doc, new JanelaModeloBasica(doc));
  frame_->AdicionaJanelaModelo(janela, doc);
  return true;
}

bool CTarsolinApp::FechaDocumento(CTarsolinDoc* doc) {
  if (std::find(documentos_.begin(), documentos_.end(), doc) == documentos_.end()) return true;  // already closed
  if (!doc->SaveModified()) return false;
  if (ModeloCorrente == doc) {
    // The panes empty themselves on these.
    ModeloCorrente = nullptr;
    RoteadorComandos::Instancia().Posta(ID_ATUALIZA_RESULTADOS);
    RoteadorComandos::Instancia().Posta(ID_AJUSTA_LISTA);
    RoteadorComandos::Instancia().Posta(ID_ATUALIZA_PAINEL_DADOS);
  }
  // The auxiliary windows show the document: they go first, in their order.
  if (frame_)
    for (QMdiSubWindow* sub : frame_->Mdi()->subWindowList())
      if (auto* moldura = qobject_cast<CChildFrame*>(sub->widget()); moldura && moldura->Documento() == doc)
        moldura->FechaJanelasAuxiliares();
  doc->OnCloseDocument();
  documentos_.erase(std::remove(documentos_.begin(), documentos_.end(), doc), documentos_.end());
  doc->deleteLater();
  return true;
}

void CTarsolinApp::OnFileNew() {
  auto* doc = new CTarsolinDoc(this);
  if (!doc->OnNewDocument()) {
    delete doc;
    return;
  }
  documentos_.push_back(doc);
  recentes_.Adiciona(doc->GetPathName());
  CriaJanela(doc);
}

void CTarsolinApp::OnFileOpen() {
  QString nome;
  int tipo = 0;
  if (PedeNomeArquivo(nome, 61440, true, &tipo)) OpenDocumentFile(nome);
}

void CTarsolinApp::OnFileMru(int indice) {
  if (indice < 0 || indice >= recentes_.Entradas().size()) return;
  const QString caminho = recentes_.Entradas()[indice];
  if (!OpenDocumentFile(caminho) && !QFileInfo::exists(caminho)) {
    recentes_.Remove(indice);
    recentes_.Grava(*Configuracoes());
  }
}

bool CTarsolinApp::EntregaArquivoInstancia(const QString& arquivo) {
  if (!instancia_) instancia_ = new InstanciaUnica(this);
  return instancia_->Inicia(arquivo.isEmpty() ? QString() : QFileInfo(arquivo).absoluteFilePath());
}

bool CTarsolinApp::AceitaArquivoDeOutraInstancia(const QString& caminho) {
  if (!QFileInfo(caminho).isFile()) return false;
  // Answer at once; the file opens (or its window comes forward) right after,
  // with no question back to the instances.
  QTimer::singleShot(0, this, [this, caminho] {
    if (frame_) frame_->TrazParaFrente();
    abrindoDeOutraInstancia = true;
    OpenDocumentFile(caminho);
    abrindoDeOutraInstancia = false;
  });
  return true;
}

// ------------------------------------------------------------ start-up

bool CTarsolinApp::InitInstance(const QStringList& argumentos) {
  QString arquivo;
  for (const QString& a : argumentos)
    if (!a.startsWith('-')) { arquivo = a; break; }

  // Asked before anything is built; the start-up lock is held until this
  // instance listens, below.
  if (EntregaArquivoInstancia(arquivo)) return false;

  CSplashWnd::SetSplashEnabled(true);
  plat::CarregaTraducoesQt();
  // The fonts the program names, mapped to the free fonts with their metrics.
  QFont::insertSubstitution("Arial", "Liberation Sans");
  QFont::insertSubstitution("Courier New", "Liberation Mono");
  QFont::insertSubstitution("Tahoma", "DejaVu Sans");
  QFont::insertSubstitution("MS Sans Serif", "DejaVu Sans");
  QFont::insertSubstitution("Symbol", "DejaVu Sans");
  QSettings& s = *Configuracoes();
  // Report lists keep their column layouts in the program's settings.
  CListReportCtrl::DefineDefaultSettings(&s);
  const QScreen* tela = QGuiApplication::primaryScreen();
  LoadOptions(s, tela ? tela->geometry() : QRect(0, 0, 1024, 768));

  DefineCaminhosConversores(plat::PastaPrograma());
  ModeloRelatorio::Registra();
  servicos_ = std::make_unique<ServicosDocumentoApp>(this);
  CTarsolinDoc::DefineServicos(servicos_.get());
  CPagina::Registra();
  ajuda::Instala();

  frame_ = new CMainFrame(this);
  if (!frame_->Cria()) return false;
  RegistraJanelasEquacao();
  RegistraAssistenteModelo();
  RegistraJanelasDiagnostico();
  RegistraJanelasDados();
  CarregaUnidades();
  NotificaImpressora(true);
  recentes_.Carrega(s);

  // Asked whether it has a file open, this instance says so only for a model
  // it has (reached by any path); asked to take one, it takes any file.
  instancia_->Escuta([this](const QString& caminho, InstanciaUnica::Pedido pedido) {
    if (pedido == InstanciaUnica::Pedido::Aberto) {
      const QString convertido = ModeloConvertidoDe(caminho);
      if (!QFileInfo(caminho).isFile() || !DocumentoAberto(convertido.isEmpty() ? caminho : convertido)) return false;
    }
    return AceitaArquivoDeOutraInstancia(caminho);
  });

  frame_->showMaximized();
  if (!arquivo.isEmpty()) {
    const QString caminho = QFileInfo(arquivo).absoluteFilePath();
    QTimer::singleShot(0, this, [this, caminho] { OpenDocumentFile(caminho); });
  } else if (argumentos.isEmpty()) {
    if (dicaDoDia) dicaDoDia(true);
    CDlgTransparent boasVindas(nullptr);
    plat::ExecutaDialogo(boasVindas);
  }
  return true;
}

void CTarsolinApp::ExitInstance() {
  SaveOptions(*Configuracoes());
  recentes_.Grava(*Configuracoes());
}

// ------------------------------------------------------------ commands

bool CTarsolinApp::TemComando(int id) const {
  switch (id) {
    case ID_FILE_NEW: case ID_FILE_OPEN: case ID_APP_ABOUT: case ID_APP_EXIT: return true;
    case ID_HELP_INDEX: case ID_HELP_FINDER: case ID_HELP: case ID_DEFAULT_HELP: case ID_CONTEXT_HELP: return true;
    case ID_TIP_OF_THE_DAY: return bool(dicaDoDia);
    default: return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE5;
  }
}

bool CTarsolinApp::OnUpdateCmd(int id, EstadoComando& estado) {
  if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE5) {
    // With an empty list the first entry is shown greyed; a posted 57616 still runs and does nothing.
    estado.habilitado = id - ID_FILE_MRU_FILE1 < recentes_.Entradas().size();
    return true;
  }
  return false;
}

bool CTarsolinApp::OnCmdMsg(int id) {
  switch (id) {
    case ID_FILE_NEW: OnFileNew(); return true;
    case ID_FILE_OPEN: OnFileOpen(); return true;
    case ID_APP_EXIT: if (frame_) frame_->close(); return true;
    // The help index opens the guide's contents, as the finder does.
    case ID_HELP_INDEX: case ID_HELP_FINDER: case ID_DEFAULT_HELP:
      ajuda::Abre(QString::fromLatin1(ajuda::kIndice));
      return true;
    // F1 and the tool bar's "Ajuda": the topic of the window in use.
    case ID_HELP: case ID_CONTEXT_HELP: {
      QWidget* foco = QApplication::focusWidget();
      if (!foco || (frame_ && foco->window() != frame_)) foco = frame_;
      ajuda::Abre(ajuda::TopicoDaJanela(foco));
      return true;
    }
    case ID_TIP_OF_THE_DAY:
      if (!dicaDoDia) return false;
      dicaDoDia(false);
      return true;
    case ID_APP_ABOUT: {
      QDialog sobre(frame_);
      sobre.setObjectName("dlg500");
      sobre.setWindowTitle("Sobre Tarsolin");
      auto* l = new QVBoxLayout(&sobre);
      l->addWidget(new QLabel("Tarsolin Windows 1.60", &sobre));
      auto* b = new QDialogButtonBox(QDialogButtonBox::Ok, &sobre);
      b->button(QDialogButtonBox::Ok)->setObjectName("1");
      QObject::connect(b, &QDialogButtonBox::accepted, &sobre, &QDialog::accept);
      l->addWidget(b);
      plat::ExecutaDialogo(sobre);
      return true;
    }
    default:
      if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE5) {
        OnFileMru(id - ID_FILE_MRU_FILE1);
        return true;
      }
      return false;
  }
}
