#include "dbmanager/CMainFrame.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CDataSourceDlg.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/CResultView.h"
#include "dbmanager/CBrenkAboutDlg.h"
#include "dbmanager/CConnectStringDlg.h"
#include "dbmanager/CGoToLineDlg.h"
#include "dbmanager/COptionsSheet.h"
#include "dbmanager/ExportacaoModelo.h"
#include "controls/PropertyGrid.h"
#include "platform/Programa.h"
#include "dbmanager/IconesBrenk.h"
#include "dbmanager/ImpressaoBrenk.h"
#include "dbmanager/RotinasBrenk.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/TextoConexao.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QScreen>
#include <QStyle>
#include <QSettings>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
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

// The MDI client: the logo in its lower-right corner, under the windows.
class ClienteMdi : public QMdiArea {
public:
  explicit ClienteMdi(QWidget* pai) : QMdiArea(pai), logo_(QPixmap::fromImage(LogoBrenk())) {}

protected:
  void paintEvent(QPaintEvent* e) override {
    QMdiArea::paintEvent(e);
    QPainter p(viewport());
    const QRect r = viewport()->rect();
    // Its lower-right corner a thirtieth of the width and a twentieth of the height inside.
    const QPoint canto(r.right() - r.width() / 30, r.bottom() - r.height() / 20);
    p.drawPixmap(canto - QPoint(logo_.width(), logo_.height()), logo_);
  }
  void resizeEvent(QResizeEvent* e) override {
    QMdiArea::resizeEvent(e);
    viewport()->update();  // the logo follows the corner
  }

private:
  QPixmap logo_;
};

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
  // Qt's own dialogs (the file dialogs) speak Portuguese, as the main program's do.
  plat::CarregaTraducoesQt();
  setObjectName(QStringLiteral("brenk"));
  setWindowTitle(QStringLiteral("Brenk"));
  setWindowIcon(QIcon(QPixmap::fromImage(IconeBrenk(259))));
  mdi_ = new ClienteMdi(this);
  mdi_->setObjectName(QStringLiteral("mdi"));
  setCentralWidget(mdi_);

  QMenu* banco = menuBar()->addMenu(QStringLiteral("&Banco de Dados"));
  banco->addAction(NovaAcao(ID_CONECTAR, QStringLiteral("Conec&tar..."), {QKeySequence(Qt::CTRL | Qt::Key_T)}));
  banco->addAction(NovaAcao(ID_DESCONECTAR, QStringLiteral("&Desconectar"), {QKeySequence(Qt::CTRL | Qt::Key_F4)}));
  banco->addAction(NovaAcao(ID_DESCONECTAR_TODOS, QStringLiteral("D&esconectar todos")));
  banco->addSeparator();
  banco->addAction(NovaAcao(ID_ABRIR, QStringLiteral("&Abrir..."), {QKeySequence(Qt::CTRL | Qt::Key_O)}));
  banco->addAction(NovaAcao(ID_SALVAR, QStringLiteral("&Salvar"), {QKeySequence(Qt::CTRL | Qt::Key_S)}));
  banco->addAction(NovaAcao(ID_SALVAR_COMO, QStringLiteral("Salvar &Como...")));
  menuRecentes_ = banco->addMenu(QStringLiteral("Consultas Recentes"));
  menuRecentes_->setObjectName(QStringLiteral("consultasRecentes"));
  {
    QSettings ini;
    for (int i = 1; i <= kMaximoRecentes; ++i) {
      const QString c = ini.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
      if (!c.isEmpty() && !recentes_.contains(c)) recentes_ << c;
    }
  }
  MontaRecentes();
  banco->addSeparator();
  banco->addAction(NovaAcao(ID_IMPRIMIR, QStringLiteral("&Imprimir..."), {QKeySequence(Qt::CTRL | Qt::Key_P)}));
  banco->addAction(NovaAcao(ID_CONFIGURAR_IMPRESSORA, QStringLiteral("Configurar Impr&essora...")));
  banco->addSeparator();
  banco->addAction(NovaAcao(ID_CONFIGURAR, QStringLiteral("Confi&gurar...")));
  acoes_[ID_CONFIGURAR]->setStatusTip(QStringLiteral("Configure command timeout, cache size, and query execution thread priority"));
  banco->addSeparator();
  QAction* sair = banco->addAction(QStringLiteral("Sai&r"));
  connect(sair, &QAction::triggered, this, &QWidget::close);

  QMenu* editar = menuBar()->addMenu(QStringLiteral("&Editar"));
  editar->addAction(NovaAcao(ID_DESFAZER, QStringLiteral("&Desfazer"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
  editar->addSeparator();
  editar->addAction(NovaAcao(ID_RECORTAR, QStringLiteral("Recor&tar"), {QKeySequence(Qt::CTRL | Qt::Key_X)}));
  editar->addAction(NovaAcao(ID_COPIAR, QStringLiteral("&Copiar"), {QKeySequence(Qt::CTRL | Qt::Key_C)}));
  editar->addAction(NovaAcao(ID_COLAR, QStringLiteral("C&olar"), {QKeySequence(Qt::CTRL | Qt::Key_V)}));
  editar->addAction(NovaAcao(ID_SELECIONAR_TUDO, QStringLiteral("Selecionar &Tudo"), {QKeySequence(Qt::CTRL | Qt::Key_A)}));
  editar->addAction(NovaAcao(ID_LIMPAR, QStringLiteral("&Limpar")));
  editar->addSeparator();
  editar->addAction(NovaAcao(ID_MAIUSCULA, QStringLiteral("Converter para maiúscula")));
  editar->addAction(NovaAcao(ID_MINUSCULA, QStringLiteral("Converter para minúscula")));
  editar->addAction(NovaAcao(ID_TABULAR, QStringLiteral("Tabular a Seleção")));
  editar->addAction(NovaAcao(ID_DESTABULAR, QStringLiteral("Remover as tabulações")));
  editar->addAction(NovaAcao(ID_AJUSTAR, QStringLiteral("Ajustar à janela")));
  acoes_[ID_AJUSTAR]->setCheckable(true);
  editar->addAction(NovaAcao(ID_FONTE, QStringLiteral("&Fonte...")));
  editar->addSeparator();
  editar->addAction(NovaAcao(ID_IR_PARA, QStringLiteral("&Ir Para..."), {QKeySequence(Qt::CTRL | Qt::Key_G)}));
  acoes_[ID_IR_PARA]->setStatusTip(QStringLiteral("Posiciona o cursor na linha indicada."));

  QMenu* consulta = menuBar()->addMenu(QStringLiteral("&Consulta"));
  consulta->addAction(NovaAcao(ID_EXECUTAR, QStringLiteral("&Executar"),
                               {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::ALT | Qt::Key_X)}));
  consulta->addAction(NovaAcao(ID_CANCELAR, QStringLiteral("C&ancelar Consulta em execução"), {QKeySequence(Qt::ALT | Qt::Key_Pause)}));
  consulta->addSeparator();
  consulta->addAction(NovaAcao(ID_NOVA_CONSULTA, QStringLiteral("&Nova Consulta"), {QKeySequence(Qt::CTRL | Qt::Key_N)}));
  consulta->addSeparator();
  consulta->addAction(NovaAcao(ID_MENSAGENS, QStringLiteral("&Mensagens..."), {QKeySequence(Qt::Key_F4)}));
  acoes_[ID_MENSAGENS]->setCheckable(true);
  consulta->addAction(NovaAcao(ID_TABELAS, QStringLiteral("&Tabelas..."), {QKeySequence(Qt::Key_F8)}));
  consulta->addAction(NovaAcao(ID_CONSULTAS, QStringLiteral("&Consultas..."), {QKeySequence(Qt::Key_F9)}));
  consulta->addAction(NovaAcao(ID_PROPRIEDADES, QStringLiteral("&Propriedades..."), {QKeySequence(Qt::Key_F10)}));
  acoes_[ID_PROPRIEDADES]->setStatusTip(QStringLiteral("Dump provider properties"));
  consulta->addAction(NovaAcao(ID_TEXTO_CONEXAO, QStringLiteral("Seqüência de Conexão..."), {QKeySequence(Qt::CTRL | Qt::Key_F11)}));
  // Alt+D: into the database box (no menu entry).
  addAction(NovaAcao(ID_FOCO_BANCOS, QStringLiteral("Banco de dados"), {QKeySequence(Qt::ALT | Qt::Key_D)}));

  QMenu* grade = menuBar()->addMenu(QStringLiteral("Grade de &Resultados"));
  grade->addAction(NovaAcao(ID_PRIMEIRA, QStringLiteral("Primeira")));
  grade->addAction(NovaAcao(ID_ANTERIOR, QStringLiteral("Anterior")));
  grade->addAction(NovaAcao(ID_PROXIMA, QStringLiteral("Próxima")));
  grade->addAction(NovaAcao(ID_ULTIMA, QStringLiteral("Última")));
  grade->addSeparator();
  grade->addAction(NovaAcao(ID_SALVAR_SELECAO, QStringLiteral("Save Selection...")));
  grade->addAction(NovaAcao(ID_EXPORTAR_MODELO, QStringLiteral("Exportar Dados")));
  acoes_[ID_EXPORTAR_MODELO]->setStatusTip(QStringLiteral("Exportar Dados"));
  acoes_[ID_EXPORTAR_MODELO]->setToolTip(QStringLiteral("Criar novo modelo"));

  QMenu* janelas = menuBar()->addMenu(QStringLiteral("&Janelas"));
  janelas->addAction(NovaAcao(ID_CASCATA, QStringLiteral("&Cascata")));
  janelas->addAction(NovaAcao(ID_LADO_A_LADO_HORZ, QStringLiteral("Ordenar horizontalmente")));
  janelas->addAction(NovaAcao(ID_LADO_A_LADO_VERT, QStringLiteral("Ordenar verticalmente")));
  janelas->addAction(NovaAcao(ID_ORGANIZAR_ICONES, QStringLiteral("Ordenar Ícones")));
  janelas->addSeparator();
  janelas->addAction(NovaAcao(ID_JANELA_PROXIMA, QStringLiteral("Próxima")));
  janelas->addAction(NovaAcao(ID_JANELA_ANTERIOR, QStringLiteral("Anterior")));

  QMenu* ajuda = menuBar()->addMenu(QStringLiteral("Aj&uda"));
  ajuda->addAction(NovaAcao(ID_LEIAME, QStringLiteral("&Read Me...")));
  ajuda->addAction(NovaAcao(ID_SOBRE, QStringLiteral("&Sobre o Brenk...")));

  QToolBar* padrao = addToolBar(QStringLiteral("Barra de Ferramentas Padrão"));
  padrao->setObjectName(QStringLiteral("128"));
  for (int id : {ID_NOVA_CONSULTA, ID_ABRIR, ID_SALVAR}) padrao->addAction(acoes_[id]);
  padrao->addSeparator();
  for (int id : {ID_RECORTAR, ID_COPIAR, ID_COLAR}) padrao->addAction(acoes_[id]);

  QToolBar* barra = addToolBar(QStringLiteral("Barra de Ferramentas Consulta"));
  barra->setObjectName(QStringLiteral("145"));
  // "SQL Objects": a split button whose drop-down opens the two browsers;
  // the button itself does nothing.
  objetosSql_ = new QToolButton(barra);
  objetosSql_->setObjectName(QString::number(ID_OBJETOS_SQL));
  objetosSql_->setDefaultAction(NovaAcao(ID_OBJETOS_SQL, QStringLiteral("SQL Objects")));
  objetosSql_->setPopupMode(QToolButton::MenuButtonPopup);
  auto* objetos = new QMenu(objetosSql_);
  objetos->setObjectName(QStringLiteral("menu32780"));
  const std::pair<int, const char*> entradas[] = {{ID_CONSULTAS, "Consutlas ...\tF9"}, {ID_TABELAS, "Tabelas ...\tF8"}};
  for (const auto& [id, texto] : entradas) {
    QAction* a = objetos->addAction(QString::fromUtf8(texto));
    a->setData(id);
    connect(a, &QAction::triggered, this, [this, id] { Despacha(id); });
    acoesExtras_ << a;
  }
  objetosSql_->setMenu(objetos);
  barra->addWidget(objetosSql_);
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
  barra->addSeparator();
  barra->addAction(acoes_[ID_SOBRE]);

  // The pane of the model export; its grid comes the first time it shows.
  painelExportacao_ = new QDockWidget(QStringLiteral("Exportar Dados"), this);
  painelExportacao_->setObjectName(QStringLiteral("59501"));
  painelExportacao_->setMinimumWidth(220);
  addDockWidget(Qt::RightDockWidgetArea, painelExportacao_);
  connect(painelExportacao_, &QDockWidget::visibilityChanged, this, [this](bool visivel) {
    if (visivel && !propriedades_) CriaPropriedadesModelo();
  });
  for (QMenu* m : {banco}) m->addAction(painelExportacao_->toggleViewAction());

  status0_ = new QLabel(this);
  status0_->setObjectName(QStringLiteral("status0"));
  status1_ = new QLabel(QStringLiteral("Total # de conexões: 0"), this);
  status1_->setObjectName(QStringLiteral("status1"));
  status1_->setMinimumWidth(158);
  statusBar()->addWidget(status0_, 1);
  statusBar()->addPermanentWidget(status1_);

  setAcceptDrops(true);
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
  // The theme setting: the manager always stores 1.
  QSettings().setValue(QStringLiteral("Settings/bXPMode"), 1);
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
  bool feito = ComandoDoQuadro(id, true);
  if (!feito) {
    if (CChildFrame* j = JanelaAtiva(); j && j->Habilitado(id)) feito = j->OnCmdMsg(id);
  }
  AtualizaComandos();
  return feito;
}

// The frame's own commands: with `executa` false, whether it is enabled.
bool CMainFrame::ComandoDoQuadro(int id, bool executa) {
  const int n = int(janelas_.size());
  bool ativo;
  switch (id) {
    case ID_CONECTAR: case ID_DESCONECTAR: case ID_DESCONECTAR_TODOS: case ID_LEIAME: case ID_SOBRE:
    case ID_CONFIGURAR: case ID_CONFIGURAR_IMPRESSORA: ativo = true; break;
    case ID_JANELA_PROXIMA: case ID_JANELA_ANTERIOR: ativo = n > 1; break;
    case ID_CASCATA: case ID_LADO_A_LADO_HORZ: case ID_LADO_A_LADO_VERT: case ID_ORGANIZAR_ICONES:
    case ID_IR_PARA: case ID_ABRIR: case ID_FOCO_BANCOS: ativo = n > 0; break;
    default: return false;
  }
  if (!executa) return ativo;
  if (!ativo) return true;
  switch (id) {
    case ID_CONECTAR: OnConnect(); break;
    case ID_DESCONECTAR: {
      CursorEspera espera;
      DefineTextoStatus(0, QStringLiteral("Aguarde..."));
      if (QMdiSubWindow* s = mdi_->activeSubWindow()) s->close();
      DefineTextoStatus(0, QString());
      break;
    }
    case ID_DESCONECTAR_TODOS: FechaTodas(); break;
    case ID_LEIAME: {
      const QString leiame = QFileInfo(plat::CaminhoPrograma(QStringLiteral("brenk"))).absolutePath() + QStringLiteral("/readme.txt");
      if (!QFileInfo::exists(leiame) || !AbreArquivoExterno(leiame))
        plat::MessageBox(QStringLiteral("Readme.txt not found in the current working directory."));
      break;
    }
    case ID_SOBRE: OnSobre(); break;
    case ID_CONFIGURAR_IMPRESSORA: ConfiguraImpressora(this); break;
    case ID_CONFIGURAR: {
      COptionsSheet folha(QStringLiteral("Configure"), this);
      if (plat::ExecutaDialogo(folha) != QDialog::Accepted) break;
      CursorEspera espera;
      DefineTextoStatus(0, QStringLiteral("Please wait..."));
      for (CChildFrame* j : janelas_) {
        j->DefineTempoLimite(folha.Pagina()->TempoLimite());
        j->DefineCache(folha.Pagina()->Cache());
        j->DefinePrioridade(folha.Pagina()->Prioridade());
      }
      DefineTextoStatus(0, QString());
      break;
    }
    case ID_JANELA_PROXIMA: mdi_->activateNextSubWindow(); break;
    case ID_JANELA_ANTERIOR: mdi_->activatePreviousSubWindow(); break;
    case ID_CASCATA: mdi_->cascadeSubWindows(); break;
    case ID_LADO_A_LADO_HORZ:
    case ID_LADO_A_LADO_VERT: {
      // One band per window, across or down the area.
      const QList<QMdiSubWindow*> lista = mdi_->subWindowList();
      const QRect r = mdi_->viewport()->rect();
      const int k = int(lista.size());
      for (int i = 0; i < k; ++i) {
        QMdiSubWindow* w = lista[i];
        w->showNormal();
        if (id == ID_LADO_A_LADO_HORZ) w->setGeometry(0, r.height() * i / k, r.width(), r.height() / k);
        else w->setGeometry(r.width() * i / k, 0, r.width() / k, r.height());
      }
      break;
    }
    case ID_ORGANIZAR_ICONES: mdi_->tileSubWindows(); break;
    case ID_IR_PARA: OnIrPara(); break;
    case ID_ABRIR: OnAbrir(); break;
    case ID_FOCO_BANCOS: caixaBancos_->setFocus(); break;
    default: break;
  }
  return true;
}

void CMainFrame::AtualizaComandos() {
  CChildFrame* j = JanelaAtiva();
  for (auto it = acoes_.begin(); it != acoes_.end(); ++it) {
    bool marcado = false;
    bool ativo;
    if (ComandoDoQuadro(it.key(), false)) ativo = true;
    else ativo = j && j->Habilitado(it.key(), &marcado);
    it.value()->setEnabled(ativo);
    if (it.value()->isCheckable()) it.value()->setChecked(marcado);
  }
  for (QAction* a : acoesExtras_) a->setEnabled(j && j->Habilitado(a->data().toInt()));
  caixaBancos_->setEnabled(j && j->Habilitado(ID_CAIXA_BANCOS));
}

PropertyGrid* CMainFrame::CriaPropriedadesModelo() {
  if (propriedades_) return propriedades_;
  auto* painel = new QWidget(painelExportacao_);
  auto* v = new QVBoxLayout(painel);
  v->setContentsMargins(0, 0, 0, 0);
  auto* barra = new QToolBar(painel);
  barra->setObjectName(QStringLiteral("4"));
  barra->addAction(acoes_[ID_EXPORTAR_MODELO]);
  v->addWidget(barra);
  propriedades_ = new PropertyGrid(painel);
  propriedades_->setObjectName(QStringLiteral("propriedadesModelo"));
  propriedades_->setAccessibleName(QStringLiteral("Propriedades do Modelo"));
  v->addWidget(propriedades_);
  PropertyGridItem* cat = propriedades_->AddCategory(QStringLiteral("Propriedades do Modelo"));
  cat->AddChildItem(new PropertyGridItem(QStringLiteral("Autor")));
  cat->AddChildItem(new PropertyGridItem(QStringLiteral("Nome Ref.")));
  cat->AddChildItem(new PropertyGridItem(QStringLiteral("Data"), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
  cat->AddChildItem(new PropertyGridItem(QStringLiteral("Inf. Complementares")));
  auto* tipologia = cat->AddChildItem(new PropertyGridItem(QStringLiteral("Tipologia"), Tipologias().first()));
  tipologia->SetFlags(PropertyGridItem::HasComboButton);
  tipologia->GetConstraints() = Tipologias();
  tipologia->SetConstraintIndex(0);
  cat->Expand();
  PropertyGridItem* opcao = propriedades_->AddCategory(QStringLiteral("Opção de exportação "));
  auto* modelo = opcao->AddChildItem(new PropertyGridItem(QStringLiteral("Modelo do"), QStringLiteral("Zelvar Windows (*.zlv)")));
  modelo->SetFlags(PropertyGridItem::HasComboButton);
  modelo->GetConstraints() = {QStringLiteral("Zelvar Windows (*.zlv)"), QStringLiteral("Tarsolin Windows (*.tsn)")};
  modelo->SetConstraintIndex(0);
  opcao->Expand();
  painelExportacao_->setWidget(painel);
  // The captions take half the pane once it has its width.
  QTimer::singleShot(0, propriedades_, [g = propriedades_] { g->SetCaptionWidth(qMax(110, g->viewport()->width() / 2)); });
  return propriedades_;
}

int CMainFrame::OpcaoExportacao() const {
  const PropertyGridItem* i = propriedades_ ? propriedades_->FindItem(QStringLiteral("Modelo do")) : nullptr;
  return i ? qMax(0, i->GetConstraintIndex()) : 0;
}

brenk::PropriedadesModelo CMainFrame::PropriedadesExportacao() const {
  brenk::PropriedadesModelo p;
  p.data = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
  if (!propriedades_) return p;
  auto valor = [this](const char* legenda) {
    const PropertyGridItem* i = propriedades_->FindItem(QString::fromUtf8(legenda));
    return i ? i->GetValue() : QString();
  };
  p.autor = valor("Autor");
  p.nomeReferencia = valor("Nome Ref.");
  p.data = valor("Data");
  p.informacoes = valor("Inf. Complementares");
  if (const PropertyGridItem* t = propriedades_->FindItem(QStringLiteral("Tipologia"))) p.tipologia = qMax(0, t->GetConstraintIndex()) + 1;
  return p;
}

void CMainFrame::OnAbrir() {
  QFileDialog dlg(this, QStringLiteral("Abrir"));
  dlg.setObjectName(QStringLiteral("dlgAbrirConsulta"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setFileMode(QFileDialog::ExistingFile);
  dlg.setNameFilters({QStringLiteral("Arquivos de consulta (*.tsq)"), QStringLiteral("All Files (*.*)")});
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  AbreArquivo(dlg.selectedFiles().first());
}

void CMainFrame::AbreArquivo(const QString& caminho) {
  CursorEspera espera;
  if (CChildFrame* j = JanelaAtiva()) {
    // The active window keeps its connection and takes the file's text.
    if (!j->Documento()->SaveModified()) return;
    j->DefineTextoPainel(0, QStringLiteral("Aguarde..."));
    j->Documento()->AbreArquivo(caminho);
    j->DefineTextoPainel(0, QString());
    return;
  }
  AbreNovaConexao(QString(), caminho, QString());
}

void CMainFrame::OnSobre() {
  CBrenkAboutDlg dlg(JanelaAtiva(), this);
  plat::ExecutaDialogo(dlg);
}

void CMainFrame::OnIrPara() {
  if (!irPara_) irPara_ = new CGoToLineDlg(this);
  irPara_->show();
  irPara_->raise();
  irPara_->activateWindow();
  irPara_->Atualiza();
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
  connect(doc, &CQueryDoc::caminhoDefinido, this, &CMainFrame::AdicionaRecente);
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
  doc->DefineFonte(janela->FonteDados());
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
  if (isMinimized()) showNormal();
  fechando_ = true;
  FechaTodas();
  fechando_ = false;
  if (!isMinimized()) GravaPosicao();
  if (!mdi_->subWindowList().isEmpty()) {
    e->ignore();
    return;
  }
  e->accept();
}

void CMainFrame::AdicionaRecente(const QString& caminho) {
  recentes_.removeAll(caminho);
  recentes_.prepend(caminho);
  while (recentes_.size() > kMaximoRecentes) recentes_.removeLast();
  MontaRecentes();
}

void CMainFrame::MontaRecentes() {
  QSettings ini;
  ini.remove(QStringLiteral("Recent File List"));
  for (int i = 0; i < recentes_.size(); ++i) ini.setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), recentes_[i]);
  menuRecentes_->clear();
  for (int i = 0; i < recentes_.size(); ++i) {
    const QString caminho = recentes_[i];
    QAction* a = menuRecentes_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(caminho)));
    a->setData(57616 + i);
    connect(a, &QAction::triggered, this, [this, caminho] {
      if (!QFileInfo(caminho).isReadable()) {
        // A file that is gone leaves the list.
        plat::MessageBox(QStringLiteral("Caminho do arquivo: %1").arg(caminho));
        recentes_.removeAll(caminho);
        MontaRecentes();
        return;
      }
      AbreArquivo(caminho);
    });
  }
  menuRecentes_->setEnabled(!recentes_.isEmpty());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
  for (const QUrl& u : e->mimeData()->urls()) {
    if (u.isLocalFile()) {
      e->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* e) {
  activateWindow();
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) AbreArquivo(u.toLocalFile());
  e->acceptProposedAction();
}

void CMainFrame::GravaPosicao() {
  // Flags (2: restore to maximised), show command, minimised and maximised
  // positions (none), the normal rectangle's left, top, right and bottom.
  const bool maximizada = isMaximized();
  const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
  const QString valor = QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
                            .arg(maximizada ? 2 : 0)
                            .arg(maximizada ? 3 : isMinimized() ? 2 : 1)
                            .arg(-1).arg(-1).arg(-1).arg(-1)
                            .arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height());
  QSettings().setValue(QStringLiteral("Settings/WindowPos"), valor);
}

void CMainFrame::RestauraPosicao(int mostrar) {
  const QVariant lido = QSettings().value(QStringLiteral("Settings/WindowPos"));
  // Read back as a list when the profile kept it without quotes.
  const QString texto = lido.typeId() == QMetaType::QStringList ? lido.toStringList().join(QLatin1Char(',')) : lido.toString();
  const QStringList partes = texto.split(QLatin1Char(','));
  int n[10] = {};
  bool valido = partes.size() == 10;
  for (int i = 0; valido && i < 10; ++i) n[i] = partes[i].trimmed().toInt(&valido);
  int comando = mostrar;
  if (valido) {
    if (mostrar == 1) comando = n[1];
    const QRect normal(n[6], n[7], n[8] - n[6], n[9] - n[7]);
    // A rectangle on no screen (one since removed) would leave the window out of reach.
    bool visivel = false;
    for (const QScreen* tela : QGuiApplication::screens()) visivel = visivel || tela->availableGeometry().intersects(normal);
    valido = normal.width() > 0 && normal.height() > 0 && visivel;
    if (valido) setGeometry(normal);
  }
  if (!valido) {
    // Centred, at three quarters of the screen.
    const QScreen* tela = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = tela ? tela->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize tamanho(area.width() * 3 / 4, area.height() * 3 / 4);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, tamanho, area));
  }
  switch (comando) {
    case 3: showMaximized(); break;  // maximised
    case 2: case 6: case 7: showMinimized(); break;  // minimised
    default: showNormal(); break;  // any other command, hidden ones too, shows the window
  }
}

}  // namespace brenk
