#include "dbmanager/CMainFrame.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CDataSourceDlg.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/IconesBrenk.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/TextoConexao.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace brenk {

namespace {
int g_contador = 0;

struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

int CMainFrame::ContadorJanelas() { return g_contador; }

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("brenk"));
  setWindowTitle(QStringLiteral("Brenk"));
  setWindowIcon(QIcon(QPixmap::fromImage(IconeBrenk(259))));
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName(QStringLiteral("mdi"));
  setCentralWidget(mdi_);

  QMenu* banco = menuBar()->addMenu(QStringLiteral("&Banco de Dados"));
  banco->addAction(NovaAcao(ID_CONECTAR, QStringLiteral("Conec&tar..."), {QKeySequence(Qt::CTRL | Qt::Key_T)}));
  banco->addSeparator();
  QAction* sair = banco->addAction(QStringLiteral("Sai&r"));
  connect(sair, &QAction::triggered, this, &QWidget::close);

  QMenu* consulta = menuBar()->addMenu(QStringLiteral("&Consulta"));
  consulta->addAction(NovaAcao(ID_EXECUTAR, QStringLiteral("&Executar"),
                               {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::ALT | Qt::Key_X)}));
  consulta->addAction(NovaAcao(ID_CANCELAR, QStringLiteral("C&ancelar Consulta em execução"), {QKeySequence(Qt::ALT | Qt::Key_Pause)}));
  consulta->addSeparator();
  consulta->addAction(NovaAcao(ID_NOVA_CONSULTA, QStringLiteral("&Nova Consulta"), {QKeySequence(Qt::CTRL | Qt::Key_N)}));
  consulta->addSeparator();
  consulta->addAction(NovaAcao(ID_MENSAGENS, QStringLiteral("&Mensagens..."), {QKeySequence(Qt::Key_F4)}));
  acoes_[ID_MENSAGENS]->setCheckable(true);

  QMenu* grade = menuBar()->addMenu(QStringLiteral("Grade de &Resultados"));
  grade->addAction(NovaAcao(ID_PRIMEIRA, QStringLiteral("Primeira")));
  grade->addAction(NovaAcao(ID_ANTERIOR, QStringLiteral("Anterior")));
  grade->addAction(NovaAcao(ID_PROXIMA, QStringLiteral("Próxima")));
  grade->addAction(NovaAcao(ID_ULTIMA, QStringLiteral("Última")));

  QToolBar* barra = addToolBar(QStringLiteral("Barra de Ferramentas Consulta"));
  barra->setObjectName(QStringLiteral("145"));
  barra->addAction(acoes_[ID_CONECTAR]);
  barra->addSeparator();
  barra->addAction(acoes_[ID_EXECUTAR]);
  barra->addAction(acoes_[ID_CANCELAR]);
  barra->addSeparator();
  caixaBancos_ = new QComboBox(barra);
  caixaBancos_->setObjectName(QString::number(ID_CAIXA_BANCOS));
  caixaBancos_->setAccessibleName(QStringLiteral("Banco de dados"));
  caixaBancos_->setMinimumWidth(150);
  caixaBancos_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  barra->addWidget(caixaBancos_);
  connect(caixaBancos_, &QComboBox::activated, this, [this](int i) {
    if (CChildFrame* j = JanelaAtiva(); j && j->Habilitado(ID_CAIXA_BANCOS)) j->SelecionaBanco(caixaBancos_->itemText(i));
  });
  barra->addSeparator();
  for (int id : {ID_ANTERIOR, ID_PROXIMA, ID_PRIMEIRA, ID_ULTIMA}) barra->addAction(acoes_[id]);
  barra->addSeparator();
  barra->addAction(acoes_[ID_MENSAGENS]);

  status0_ = new QLabel(this);
  status0_->setObjectName(QStringLiteral("status0"));
  status1_ = new QLabel(QStringLiteral("Total # de conexões: 0"), this);
  status1_->setObjectName(QStringLiteral("status1"));
  status1_->setMinimumWidth(158);
  statusBar()->addWidget(status0_, 1);
  statusBar()->addPermanentWidget(status1_);

  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::AtualizaComandos);
  // Commands follow the state of the active window while it runs.
  auto* ocioso = new QTimer(this);
  connect(ocioso, &QTimer::timeout, this, &CMainFrame::AtualizaComandos);
  ocioso->start(250);
  AtualizaComandos();
}

CMainFrame::~CMainFrame() {
  // The windows go first: each waits for its own threads.
  for (QMdiSubWindow* s : mdi_->subWindowList()) delete s;
}

QAction* CMainFrame::NovaAcao(int id, const QString& texto, const QList<QKeySequence>& atalhos) {
  auto* a = new QAction(texto, this);
  a->setData(id);
  a->setObjectName(QString::number(id));
  a->setShortcuts(atalhos);
  a->setShortcutContext(Qt::ApplicationShortcut);
  connect(a, &QAction::triggered, this, [this, id] { Despacha(id); });
  acoes_[id] = a;
  return a;
}

bool CMainFrame::Despacha(int id) {
  bool feito = false;
  if (id == ID_CONECTAR) {
    OnConnect();
    feito = true;
  } else if (CChildFrame* j = JanelaAtiva(); j && j->Habilitado(id)) {
    feito = j->OnCmdMsg(id);
  }
  AtualizaComandos();
  return feito;
}

void CMainFrame::AtualizaComandos() {
  CChildFrame* j = JanelaAtiva();
  for (auto it = acoes_.begin(); it != acoes_.end(); ++it) {
    bool marcado = false;
    const bool ativo = it.key() == ID_CONECTAR || (j && j->Habilitado(it.key(), &marcado));
    it.value()->setEnabled(ativo);
    if (it.value()->isCheckable()) it.value()->setChecked(marcado);
  }
  caixaBancos_->setEnabled(j && j->Habilitado(ID_CAIXA_BANCOS));
}

CChildFrame* CMainFrame::JanelaAtiva() const {
  QMdiSubWindow* s = mdi_->activeSubWindow();
  if (!s && !mdi_->subWindowList().isEmpty()) s = mdi_->currentSubWindow();
  return s ? qobject_cast<CChildFrame*>(s->widget()) : nullptr;
}

void CMainFrame::DefineTextoStatus(int painel, const QString& texto) {
  if (painel == 0) status0_->setText(texto);
  else if (painel == 1) status1_->setText(texto);
}

QString CMainFrame::TextoStatus(int painel) const {
  return painel == 0 ? status0_->text() : painel == 1 ? status1_->text() : QString();
}

void CMainFrame::AtualizaContagem() {
  DefineTextoStatus(1, QStringLiteral("Total # de conexões: %1").arg(janelas_.size()));
}

void CMainFrame::RemoveJanela(CChildFrame* janela) {
  janelas_.removeAll(janela);
  AtualizaContagem();
  QTimer::singleShot(0, this, &CMainFrame::AtualizaComandos);
}

void CMainFrame::OnConnect() {
  CDataSourceDlg dlg(this);
  if (plat::ExecutaDialogo(dlg) == QDialog::Rejected) return;
  const int tipo = CDataSourceDlg::TipoConexao();
  if (tipo == 4) AbreNovaConexao(QString(), QString(), QString());
  else MontaConexao(tipo);
}

CQueryDoc* CMainFrame::MontaConexao(int tipo) {
  const ArquivoTipoConexao a = ArquivoDoTipo(tipo);
  QFileDialog dlg(this, QStringLiteral("Selecione o arquivo de dados"));
  dlg.setObjectName(QStringLiteral("dlgArquivo"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setOption(QFileDialog::ReadOnly);
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  dlg.setFileMode(QFileDialog::ExistingFile);
  if (!a.descricao.isEmpty()) dlg.setNameFilter(a.descricao);
  dlg.setDefaultSuffix(a.extensao);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return nullptr;
  const QString f = dlg.selectedFiles().first();
  return AbreNovaConexao(TextoConexao(tipo, f, QDir::currentPath()), QString(), f);
}

CQueryDoc* CMainFrame::AbreNovaConexao(const QString& s, const QString& q, const QString& d) {
  CursorEspera espera;
  DefineTextoStatus(0, QStringLiteral("Estabelecendo nova conexão..."));
  struct Fim {
    CMainFrame* m;
    ~Fim() { m->DefineTextoStatus(0, QString()); }
  } fim{this};
  if (janelas_.size() >= kLimiteJanelas) {
    plat::MessageBox(QStringLiteral("Esgotado o limite de conexões simultâneas. "), QString(), plat::MB_ICONSTOP);
    return nullptr;
  }
  auto* janela = new CChildFrame(this);
  CQueryDoc* doc = janela->Documento();
  if (!q.isEmpty() && !doc->Abre(q, janela->Editor())) {
    delete janela;
    return nullptr;
  }
  if (!janela->Conecta(s, false, d)) {
    delete janela;
    return nullptr;
  }
  QString base = doc->TituloBase();
  if (base.isEmpty()) base = QStringLiteral("%1_%2").arg(QStringLiteral("Documento")).arg(++g_contador);
  doc->SetTitle(janela->FonteDados() + QStringLiteral(" - ") + base);
  QMdiSubWindow* sub = mdi_->addSubWindow(janela);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(QIcon(QPixmap::fromImage(IconeBrenk(259))));
  janelas_ << janela;
  if (janelas_.size() == 1) sub->showMaximized();
  else sub->show();
  mdi_->setActiveSubWindow(sub);
  janela->Editor()->setFocus();
  AtualizaContagem();
  AtualizaComandos();
  return doc;
}

void CMainFrame::FechaTodas() {
  CursorEspera espera;
  DefineTextoStatus(0, QStringLiteral("Aguarde..."));
  fechandoTodas_ = true;
  QMdiSubWindow* w = mdi_->activeSubWindow();
  if (!w && !mdi_->subWindowList().isEmpty()) w = mdi_->subWindowList().first();
  while (w) {
    CChildFrame* j = qobject_cast<CChildFrame*>(w->widget());
    w->close();
    AtualizaContagem();
    QMdiSubWindow* proxima = mdi_->subWindowList().isEmpty() ? nullptr : mdi_->subWindowList().first();
    if (proxima == w) {
      // It refused or waits for its cancel: it resumes the close when the cancelled run ends.
      if (j && j->CancelamentoPedido()) j->PedeFechamentos(fechandoTodas_, fechando_);
      break;
    }
    w = proxima;
  }
  fechandoTodas_ = false;
  DefineTextoStatus(0, QString());
}

void CMainFrame::closeEvent(QCloseEvent* e) {
  fechando_ = true;
  FechaTodas();
  fechando_ = false;
  if (!mdi_->subWindowList().isEmpty()) {
    e->ignore();
    return;
  }
  e->accept();
}

}  // namespace brenk
