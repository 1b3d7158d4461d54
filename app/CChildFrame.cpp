#include "CChildFrame.h"

#include "CInputSenha.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "DriversCalculo.h"
#include "model/ArquivoModelo.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"
#include "views/data/CDadosFrame.h"
#include "views/equation/CResultados.h"

#include "controls/CListReportSubItemListCtrl.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cerrno>
#include <unistd.h>

namespace {
using C = CabecalhoModelo;

enum : int {
  CmdCalcularRL = 32831, CmdCalcularRE = 32832, CmdEscolhaEquacao = 32837,
  CmdIncluirVariavel = 32913, CmdExcluirVariavel = 32911, CmdOperarVariavel = 32914, CmdOperarDados = 32816,
  CmdReconsiderar = 32817, CmdDesproteger = 32835, CmdExportar = 32860, CmdBarraCampos = 59502,
  CmdEditarDados = 32813,
  CmdEquacao = 32836, CmdResiduos = 32840, CmdExibirVariaveis = 32912, CmdCorrelacoes = 32833,
  CmdAderencia = 32852, CmdGraficoVariaveis = 32853, CmdProjetar = 32839, CmdValidacao = 32843,
  CmdResultados = 32841, CmdOutliers = 32838, CmdDados = 32814,
  CmdCorrelacaoEspacial = 32834, CmdPropriedades = 32862, CmdVariavelDependente = 32915,
  CmdHabilitar = 32908, CmdAlterarNome = 32909,
};

// The frame's own steps around a command's dialog, in their order: locked
// check, calculation checks, save offer (0 none, 1 light, 2 full), close the
// auxiliary windows, free the records; the steps after it are in the code.
struct PassosDialogo {
  int comando;
  bool bloqueio;
  bool calculo;
  int oferta;
  bool fecha;
  bool libera;
};
constexpr PassosDialogo kPassosDialogo[] = {
    {CmdCorrelacaoEspacial, true, true, 2, true, false},
    {CmdVariavelDependente, true, false, 2, true, true},
    {CmdHabilitar, true, false, 1, true, false},
    {CmdAlterarNome, false, false, 0, true, false},
    {CmdResultados, false, false, 0, false, false},
    {CmdOutliers, false, false, 0, true, false},
    {32910, false, false, 0, true, false},  // common variables
    {32850, false, false, 0, true, false},  // chart styles
    {57605, false, false, 0, true, false},  // page options
    {32830, false, false, 0, false, false}, // calculator
};

const PassosDialogo* Passos(int comando) {
  for (const PassosDialogo& p : kPassosDialogo)
    if (p.comando == comando) return &p;
  return nullptr;
}

QMap<int, CChildFrame::JanelaAuxiliar>& Auxiliares() {
  static QMap<int, CChildFrame::JanelaAuxiliar> m;
  return m;
}
CChildFrame::ExportadorV5& Exportador() {
  static CChildFrame::ExportadorV5 e;
  return e;
}
CChildFrame::VerificacaoExportacao& VerificaExportacao() {
  static CChildFrame::VerificacaoExportacao v;
  return v;
}
CChildFrame::FolhaPropriedades& Folha() {
  static CChildFrame::FolhaPropriedades f;
  return f;
}
CChildFrame::FolhaPropriedades& Assistente() {
  static CChildFrame::FolhaPropriedades f;
  return f;
}
QMap<int, CChildFrame::DialogoComando>& Dialogos() {
  static QMap<int, CChildFrame::DialogoComando> m;
  return m;
}

void Posta(int comando) { CTarsolinDoc::Servicos().PostaComando(comando); }
}  // namespace

CChildFrame::JanelaAuxiliar CChildFrame::RegistraJanelaAuxiliar(int comando, JanelaAuxiliar janela) {
  JanelaAuxiliar anterior = Auxiliares().take(comando);
  if (janela.cria) Auxiliares().insert(comando, std::move(janela));
  return anterior;
}
void CChildFrame::DefineExportadorV5(ExportadorV5 exportador, VerificacaoExportacao verificacao) {
  Exportador() = std::move(exportador);
  VerificaExportacao() = std::move(verificacao);
}
void CChildFrame::DefineFolhaPropriedades(FolhaPropriedades folha) { Folha() = std::move(folha); }
void CChildFrame::DefineAssistentePropriedades(FolhaPropriedades folha) { Assistente() = std::move(folha); }
CChildFrame::DialogoComando CChildFrame::RegistraDialogo(int comando, DialogoComando dialogo) {
  if (!Passos(comando)) return {};
  DialogoComando anterior = Dialogos().take(comando);
  if (dialogo) Dialogos().insert(comando, std::move(dialogo));
  return anterior;
}

CChildFrame::DialogoComando CChildFrame::DialogoRegistrado(int comando) { return Dialogos().value(comando); }

CChildFrame::CChildFrame(CTarsolinDoc* doc, QWidget* vista, QWidget* parent)
    : QWidget(parent), doc_(doc), vista_(vista) {
  setObjectName(QStringLiteral("CChildFrame"));
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(vista_);
  // The frame carries the view's title (the model's name).
  setWindowTitle(vista_->windowTitle());
  connect(vista_, &QWidget::windowTitleChanged, this, &QWidget::setWindowTitle);

  // The column chooser of the model view: a floating bar, hidden until asked for.
  barraCampos_ = new QWidget(this, Qt::Tool);
  barraCampos_->setObjectName(QString::number(CmdBarraCampos));
  barraCampos_->setWindowTitle(QStringLiteral("Campos do Cabeçalho"));
  // The model view attaches its report list to it.
  auto* lista = new CListReportSubItemListCtrl(barraCampos_);
  lista->setObjectName(QStringLiteral("1035"));
  auto* lb = new QVBoxLayout(barraCampos_);
  lb->setContentsMargins(2, 2, 2, 2);
  lb->addWidget(lista);
  const QScreen* tela = QGuiApplication::primaryScreen();
  barraCampos_->move(100, tela ? tela->geometry().height() / 3 : 200);
  barraCampos_->hide();
}

CChildFrame::~CChildFrame() { FechaJanelasAuxiliares(); }

void CChildFrame::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // A model window opens maximised.
  if (!mostrada_) {
    mostrada_ = true;
    // A window opened meanwhile (the welcome dialog's projection opens right
    // after its model) stays in front.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      QTimer::singleShot(0, sub, [sub] {
        QMdiArea* area = sub->mdiArea();
        QPointer<QMdiSubWindow> ativa = area ? area->activeSubWindow() : nullptr;
        sub->showMaximized();
        if (area && ativa && ativa != sub) area->setActiveSubWindow(ativa);
      });
  }
}

QObject* CChildFrame::DocumentoAlvo() { return doc_; }

void CChildFrame::FechaJanelasAuxiliares() {
  if (!doc_) return;
  using D = CTarsolinDoc;
  const int ordem[] = {D::JanelaEquacao, D::JanelaResiduos, D::JanelaProjetar, D::JanelaCorrelacoes,
                       D::JanelaExibirVariaveis, D::JanelaDados, D::JanelaValoresAjustados,
                       D::JanelaGraficoVariaveis, D::JanelaValidar, D::JanelaReservada};
  for (int slot : ordem) {
    QPointer<QObject>& janela = doc_->Janela(slot);
    if (!janela) continue;
    QObject* o = janela.data();
    janela.clear();
    if (auto* w = qobject_cast<QWidget*>(o)) {
      // The window is the MDI child holding the view, or the view itself.
      QWidget* moldura = qobject_cast<QMdiSubWindow*>(w) ? w : w->parentWidget();
      if (qobject_cast<QMdiSubWindow*>(moldura)) w = moldura;
      w->hide();
    }
    o->deleteLater();
  }
}

bool CChildFrame::PodeFecharAuxiliares() {
  if (!doc_) return true;
  QWidget* w = qobject_cast<QWidget*>(doc_->Janela(CTarsolinDoc::JanelaDados).data());
  if (!w) return true;
  auto* dados = qobject_cast<CDadosFrame*>(w);
  if (!dados) dados = w->findChild<CDadosFrame*>();
  return !dados || dados->OfereceSalvar();
}

// ---------------------------------------------------------------- checks

bool CChildFrame::Bloqueado() {
  if (!drivers::Bloqueado(*doc_->GetCabecalho())) return false;
  plat::MessageBox(3080, plat::MB_ICONEXCLAMATION);
  return true;
}

bool CChildFrame::VerificaCalculo() {
  const QString erro = drivers::VerificaCalculo(*doc_->GetCabecalho());
  if (erro.isEmpty()) return true;
  plat::MessageBox(erro, QString(), plat::MB_ICONEXCLAMATION);
  return false;
}

bool CChildFrame::OfertaCompleta() {
  if (doc_->IsModified() && !doc_->SaveModified()) return false;
  return !doc_->IsModified();
}

bool CChildFrame::OfertaLeve() {
  doc_->SaveModified();
  return !doc_->IsModified();
}

void CChildFrame::LiberaRegistros() {
  if (doc_->RegistrosCarregados()) doc_->LiberaRegistros();
}

void CChildFrame::RecarregaCabecalho() { doc_->RelerCabecalho(); }

// ---------------------------------------------------------------- routing

bool CChildFrame::TemComando(int id) const {
  switch (id) {
    case CmdCalcularRL: case CmdCalcularRE: case CmdEscolhaEquacao:
    case CmdIncluirVariavel: case CmdExcluirVariavel: case CmdOperarVariavel: case CmdOperarDados:
    case CmdReconsiderar: case CmdDesproteger: case CmdBarraCampos: case ID_FILE_CLOSE:
      return true;
    case CmdExportar:
      return bool(Exportador());
    case CmdPropriedades:
      return bool(Assistente());
    default:
      return Auxiliares().contains(id) || Dialogos().contains(id);
  }
}

bool CChildFrame::OnCmdMsg(int id) {
  if (!doc_ || !doc_->GetCabecalho() || !TemComando(id)) return false;
  switch (id) {
    case CmdCalcularRL: RegressaoLinear(); break;
    case CmdCalcularRE: RegressaoEspacial(); break;
    case CmdEscolhaEquacao: EscolheEquacao(); break;
    case CmdIncluirVariavel: case CmdExcluirVariavel: case CmdOperarVariavel: case CmdOperarDados:
      OperacaoDados(id);
      break;
    case CmdReconsiderar: Reconsidera(); break;
    case CmdDesproteger: Desprotege(); break;
    case CmdExportar: Exporta(); break;
    case CmdBarraCampos: barraCampos_->setVisible(!barraCampos_->isVisible()); break;
    case CmdPropriedades: Propriedades(); break;
    case ID_FILE_CLOSE: Fecha(); break;
    default:
      if (Dialogos().contains(id)) ExecutaDialogo(id);
      else AbreAuxiliar(Auxiliares().value(id));
      break;
  }
  return true;
}

bool CChildFrame::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!doc_ || !doc_->GetCabecalho()) return false;
  const CabecalhoModelo& c = *doc_->GetCabecalho();
  const bool calculado = c.I32(C::OffEstadoCalculo) != 0;
  const int n = c.I32(C::OffNumDados);
  const int e = std::clamp(c.I32(C::OffEquacaoCorrente), 0, C::MaxEquacoes - 1);
  // The state of a command nobody runs is the router's: disabled. 32814 is
  // the exception, run by the data windows while the frame decides its state.
  if (id != CmdDados && !TemComando(id)) return false;
  switch (id) {
    case CmdCorrelacoes: case CmdEquacao: case CmdProjetar: case CmdResiduos: case CmdResultados: case CmdAderencia:
      estado.habilitado = calculado;
      return true;
    case CmdOutliers:
      estado.habilitado = calculado && c.I32(C::OffForaDe2 + 4 * e) != 0;
      return true;
    case CmdValidacao:
      estado.habilitado = calculado && c.I32(C::OffNumValidacao) != 0;
      return true;
    case CmdEscolhaEquacao:
      estado.habilitado = calculado && c.I32(C::OffNumEquacoes) > 1;
      return true;
    case CmdReconsiderar:
      estado.habilitado = c.I32(C::OffNumConsiderados) < n;
      return true;
    case CmdDados:
      estado.habilitado = n != 0;
      return true;
    case CmdExibirVariaveis:
      estado.habilitado = n > 1;
      return true;
    case CmdDesproteger:
      estado.habilitado = drivers::Bloqueado(c);
      return true;
    case CmdBarraCampos:
      estado.habilitado = true;
      estado.marcado = barraCampos_->isVisible();
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- commands

void CChildFrame::Fecha() {
  // The MDI window holding the frame closes, through the same path as its
  // close button: the save offer, the auxiliary windows, the document.
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
  else close();
}

void CChildFrame::RegressaoLinear() {
  if (Bloqueado() || !VerificaCalculo() || !OfertaCompleta()) return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  LiberaRegistros();
  drivers::RegressaoLinear(*doc_);
}

void CChildFrame::RegressaoEspacial() {
  if (Bloqueado() || !VerificaCalculo() || !OfertaCompleta()) return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  drivers::RegressaoEspacial(*doc_, window());
}

void CChildFrame::EscolheEquacao() {
  if (!OfertaLeve()) return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  CabecalhoModelo* cab = doc_->GetCabecalho();
  const int antes = cab->I32(C::OffEquacaoCorrente);
  CResultados dlg(cab);
  plat::ExecutaDialogo(dlg);
  if (cab->I32(C::OffEquacaoCorrente) != antes) {
    doc_->SetModifiedFlag(true);
    doc_->DoSave(doc_->GetPathName());
    doc_->UpdateAllViews(nullptr, 3);
  }
}

void CChildFrame::OperacaoDados(int comando) {
  if (Bloqueado()) return;
  const CabecalhoModelo& c = *doc_->GetCabecalho();
  if ((comando == CmdIncluirVariavel || comando == CmdOperarVariavel) &&
      c.I32(C::OffNumVariaveis) >= C::MaxVariaveis) {
    plat::MessageBox(plat::Texto(3065).arg(C::MaxVariaveis), QString(), plat::MB_ICONEXCLAMATION);
    return;
  }
  if (!OfertaCompleta()) return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  LiberaRegistros();
  const int ordinal = comando == CmdIncluirVariavel ? drivers::OrdIncluiVariavel
                      : comando == CmdExcluirVariavel ? drivers::OrdExcluiVariavel
                      : comando == CmdOperarVariavel  ? drivers::OrdOperaVariavel
                                                      : drivers::OrdOperaDado;
  const int hint = comando == CmdOperarDados ? 3 : 1;
  if (!drivers::OperacaoDados(*doc_, ordinal, hint)) return;
  if (comando != CmdIncluirVariavel && comando != CmdOperarVariavel) {
    // The results the panes show went with the variables or records.
    Posta(drivers::CmdAtualizaPaineis);
    return;
  }
  // The new variables get their types on the properties sheet.
  if (Folha()) {
    auto copia = std::make_unique<CabecalhoModelo>(*doc_->GetCabecalho());
    if (Folha()(*doc_, *copia)) {
      std::memcpy(doc_->GetCabecalho()->bytes, copia->bytes, C::Tamanho);
      doc_->SetModifiedFlag(true);
      doc_->DoSave(doc_->GetPathName());
      if (comando == CmdOperarVariavel) doc_->UpdateAllViews(nullptr, 0);
      Posta(drivers::CmdAtualizaPaineis);
    }
  }
  if (comando == CmdIncluirVariavel) CTarsolinDoc::Servicos().PostaComandoModelo(*doc_, CmdEditarDados);
}

void CChildFrame::Reconsidera() {
  if (Bloqueado() || !OfertaLeve()) return;
  if (plat::MessageBox(QStringLiteral("Deseja reconsiderar todos os dados ? "), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  if (!doc_->CarregaRegistros()) return;
  CabecalhoModelo& c = *doc_->GetCabecalho();
  dado* d = doc_->GetDados();
  const int n = doc_->NumDados();
  // Validation records stay held out: they are the sample the model is tested on.
  int considerados = 0;
  for (int i = 0; i < n; ++i) {
    if (d[i].Validacao()) continue;
    d[i].excluido = 0;
    ++considerados;
  }
  c.SetI32(C::OffNumConsiderados, considerados);
  c.SetI32(C::OffEstadoCalculo, 0);
  c.SetI32(C::OffEspacialCalculado, 0);  // the considered set changed: no result stands
  doc_->SetModifiedFlag(true);
  if (!doc_->GravaRegistros()) {
    plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONSTOP);
    return;
  }
  doc_->SetModifiedFlag(false);
  RecarregaCabecalho();
  doc_->UpdateAllViews(nullptr, 3);
  Posta(drivers::CmdAtualizaPaineis);
}

void CChildFrame::Desprotege() {
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  CInputSenha dlg(doc_);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  doc_->GetCabecalho()->SetU8(C::OffDesbloqueado, 1);
  doc_->SaveModified();
  doc_->UpdateAllViews(nullptr, 0);
}

void CChildFrame::Exporta() {
  if (!OfertaLeve()) return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  if (VerificaExportacao() && !VerificaExportacao()(*doc_)) return;
  // The title names the model file: its ".tsn" would hide the default ".kmr".
  QString titulo = doc_->GetTitle();
  if (titulo.endsWith(QStringLiteral(".tsn"), Qt::CaseInsensitive)) titulo.chop(4);
  QString nome = titulo + QStringLiteral(" - v5");
  for (;;) {
    QFileDialog dlg(window(), QStringLiteral("Exportar dados - Salvar Como"),
                    QFileInfo(doc_->GetPathName()).dir().filePath(nome),
                    QStringLiteral("Kolmar Windows 5 (*.kmr)"));
    dlg.setObjectName(QStringLiteral("dlgExportar"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("kmr"));
    if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().value(0).isEmpty()) return;
    const QString destino = dlg.selectedFiles().value(0);
    // Another spelling of the model's own path must not delete the model.
    if (destino == doc_->GetPathName() || CTarsolinApp::MesmoArquivo(destino, doc_->GetPathName())) {
      plat::MessageBox(3069, plat::MB_ICONEXCLAMATION);
      nome = QFileInfo(destino).fileName();
      continue;
    }
    if (::unlink(destino.toLocal8Bit().constData()) != 0 && (errno == EACCES || errno == EPERM)) {
      plat::MessageBox(QStringLiteral("Não foi possível criar o arquivo. Acesso negado!"), QString(), plat::MB_ICONSTOP);
      return;
    }
    Exportador()(*doc_, destino);
    return;
  }
}

bool CChildFrame::AbreAuxiliar(const JanelaAuxiliar& janela) {
  QPointer<QObject>& slot = doc_->Janela(janela.slot);
  CMainFrame* principal = CTarsolinApp::Instancia() ? CTarsolinApp::Instancia()->MainFrame() : nullptr;
  if (slot) {
    if (auto* w = qobject_cast<QWidget*>(slot.data())) {
      auto* sub = qobject_cast<QMdiSubWindow*>(w) ? qobject_cast<QMdiSubWindow*>(w)
                                                  : qobject_cast<QMdiSubWindow*>(w->parentWidget());
      if (sub && principal) principal->Mdi()->setActiveSubWindow(sub);
      else w->raise();
    }
    return true;
  }
  if (janela.oferta == 2 && !OfertaCompleta()) return false;
  if (janela.oferta == 1 && !OfertaLeve()) return false;
  if (!PodeFecharAuxiliares()) return false;
  if (janela.liberaRegistros) LiberaRegistros();
  FechaJanelasAuxiliares();
  QWidget* w = janela.cria ? janela.cria(doc_, this) : nullptr;
  if (!w) return false;
  if (!principal) {
    slot = w;
    return true;
  }
  QMdiSubWindow* sub = principal->AdicionaJanela(w, doc_);
  slot = sub;
  principal->Mdi()->setActiveSubWindow(sub);  // the new window is the one the user works in
  return true;
}

void CChildFrame::ExecutaDialogo(int comando) {
  const PassosDialogo* p = Passos(comando);
  const DialogoComando dialogo = Dialogos().value(comando);
  if (!p || !dialogo) return;
  if (p->bloqueio && Bloqueado()) return;
  if (p->calculo && !VerificaCalculo()) return;
  if (p->oferta == 2 && !OfertaCompleta()) return;
  if (p->oferta == 1 && !OfertaLeve()) return;
  if (p->fecha && !PodeFecharAuxiliares()) return;
  if (comando == CmdAlterarNome) {
    // The data window goes first: it holds the names in its grid.
    QPointer<QObject>& dados = doc_->Janela(CTarsolinDoc::JanelaDados);
    if (QObject* o = dados.data()) {
      dados.clear();
      if (auto* w = qobject_cast<QWidget*>(o)) {
        QWidget* moldura = qobject_cast<QMdiSubWindow*>(w) ? w : w->parentWidget();
        (qobject_cast<QMdiSubWindow*>(moldura) ? moldura : w)->hide();
      }
      o->deleteLater();
    }
  }
  if (p->fecha) FechaJanelasAuxiliares();
  if (p->libera) LiberaRegistros();
  const bool ok = dialogo(*doc_);
  if (!doc_) return;
  switch (comando) {
    case CmdVariavelDependente:
      if (!ok) return;
      FechaJanelasAuxiliares();
      RecarregaCabecalho();
      doc_->UpdateAllViews(nullptr, 1);
      Posta(drivers::CmdAtualizaPaineis);
      CTarsolinDoc::Servicos().PostaComandoModelo(*doc_, CmdCalcularRL);  // the linear regression runs again
      break;
    case CmdHabilitar:
      if (ok) Posta(drivers::CmdAtualizaPaineis);
      break;
    case CmdAlterarNome:
      // Also when the dialog was cancelled.
      doc_->SetModifiedFlag(true);
      doc_->UpdateAllViews(nullptr, 3);
      break;
    default:
      break;
  }
}

void CChildFrame::Propriedades() {
  if (Bloqueado()) return;
  // Only a model with no pending change may have its properties edited.
  if (!doc_->SaveModified() || doc_->IsModified()) return;
  if (!PodeFecharAuxiliares()) return;
  FechaJanelasAuxiliares();
  auto copia = std::make_unique<CabecalhoModelo>(*doc_->GetCabecalho());
  if (!Assistente()(*doc_, *copia)) return;
  std::memcpy(doc_->GetCabecalho()->bytes, copia->bytes, C::Tamanho);
  doc_->SetModifiedFlag(true);
  doc_->DoSave(doc_->GetPathName());
  doc_->UpdateAllViews(nullptr, 0);
}
