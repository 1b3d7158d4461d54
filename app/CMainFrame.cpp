#include "CMainFrame.h"

#include "CSplashWnd.h"
#include "CTabelasView.h"
#include "CTarsolinApp.h"
#include "Comandos.h"
#include "MascaraFormato.h"
#include "ModeloCorrente.h"
#include "PaineisModelo.h"
#include "RoteadorComandos.h"

#include "model/CTarsolinDoc.h"
#include "platform/Dialogo.h"
#include "platform/Programa.h"
#include "platform/TabelaTextos.h"
#include "report/CLaudoDoc.h"
#include "report/ModeloRelatorio.h"

#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"

#include <algorithm>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QFontComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindowStateChangeEvent>

namespace {
// The MDI area with the program's mark in its lower-right corner, 2 pixels
// from the right and bottom edges.
class AreaMdi : public QMdiArea {
public:
  explicit AreaMdi(QWidget* parent) : QMdiArea(parent), marca_(QStringLiteral(":/app/marca.png")) {}

protected:
  void paintEvent(QPaintEvent* e) override {
    QMdiArea::paintEvent(e);
    if (marca_.isNull()) return;
    QPainter p(viewport());
    const QRect r = viewport()->rect();
    p.drawPixmap(r.right() - 1 - marca_.width(), r.bottom() - 1 - marca_.height(), marca_);
  }
  void resizeEvent(QResizeEvent* e) override {
    QMdiArea::resizeEvent(e);
    viewport()->update();  // the corner moves: repaint the whole background at once
  }

private:
  QPixmap marca_;
};

// Closing a document's window asks the application, which may keep it open.
class FiltroFechamento : public QObject {
public:
  FiltroFechamento(CTarsolinApp* app, CTarsolinDoc* doc, QObject* parent) : QObject(parent), app_(app), doc_(doc) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Close || !doc_) return false;
    if (!app_->FechaDocumento(doc_)) {
      e->ignore();
      return true;
    }
    return false;
  }

private:
  CTarsolinApp* app_;
  QPointer<CTarsolinDoc> doc_;
};
// Colours travel as Windows colour values: red in the low byte, then green, then blue.
unsigned CorWindows(const QColor& c) {
  return unsigned(c.red()) | unsigned(c.green()) << 8 | unsigned(c.blue()) << 16;
}
}  // namespace

CMainFrame::CMainFrame(CTarsolinApp* app, QWidget* parent) : QMainWindow(parent), app_(app) {
  setObjectName("CMainFrame");
  setWindowTitle("Tarsolin Windows");
  setAcceptDrops(true);
  ModeloCorrente = nullptr;
  RoteadorComandos::Instancia().DefineCadeia([this] {
    std::vector<QObject*> cadeia;
    QMdiSubWindow* sub = mdi_ ? mdi_->activeSubWindow() : nullptr;
    QWidget* janela = sub ? sub->widget() : nullptr;
    if (auto* alvo = dynamic_cast<AlvoComando*>(janela)) {
      cadeia.push_back(alvo->VistaAtiva());
      cadeia.push_back(alvo->DocumentoAlvo());
    }
    cadeia.push_back(janela);
    cadeia.push_back(this);
    cadeia.push_back(app_);
    return cadeia;
  });
}

CMainFrame::~CMainFrame() {
  // The MDI area goes after this object's members: windows it hides while it
  // goes must not reach a half-destroyed frame.
  if (mdi_) {
    disconnect(mdi_, nullptr, this, nullptr);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) disconnect(sub, nullptr, this, nullptr);
  }
  RoteadorComandos::Instancia().DefineCadeia({});
}

bool CMainFrame::PosicaoValida(const Retangulo& r, const QSize& tela) {
  // Corners first: once both lie on the screen, the width and height cannot overflow.
  const QRect area(QPoint(0, 0), tela);
  if (!area.contains(r.left, r.top) || !area.contains(r.right, r.bottom)) return false;
  return r.Largura() > 0 && r.Altura() > 0;
}

bool CMainFrame::Cria() {
  mdi_ = new AreaMdi(this);
  mdi_->setObjectName("mdi");
  // Windows that do not fit scroll the area, as an MDI client does; without
  // scroll bars the area would widen the main window at every "Lado a lado".
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Each window keeps its own state: activating a window neither restores a
  // maximised model window behind it nor maximises the one activated.
  mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  setCentralWidget(mdi_);
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::JanelaAtivada);

  auto* barra = statusBar();
  barra->setObjectName("59393");
  auto* caps = new QLabel("CAP", barra);
  caps->setObjectName("59137");
  auto* num = new QLabel("NUM", barra);
  num->setObjectName("59138");
  barra->addPermanentWidget(caps);
  barra->addPermanentWidget(num);
  barra->showMessage("Pronto");

  CriaMenus();
  CriaBarras();
  CriaPaineis();
  CSplashWnd::OpenSplash(this);

  const Retangulo& r = app_->Opcoes().FrameRect;
  const QScreen* tela = QGuiApplication::primaryScreen();
  if (tela && PosicaoValida(r, tela->geometry().size()))
    setGeometry(r.left, r.top, r.Largura(), r.Altura());
  else
    resize(1024, 720);
  AtualizaMenus();
  return true;
}

QAction* CMainFrame::NovaAcao(int id, const QString& texto, const QKeySequence& atalho) {
  if (QAction* existente = acoes_.value(id)) return existente;
  auto* a = new QAction(texto, this);
  a->setObjectName(QString::number(id));
  a->setData(id);
  if (!atalho.isEmpty()) a->setShortcut(atalho);
  acoes_.insert(id, a);
  RoteadorComandos::Instancia().RegistraAcao(a);
  return a;
}

void CMainFrame::CriaMenus() {
  QMenuBar* mb = menuBar();
  mb->setObjectName("100");
  mb->setWindowTitle("Barra de Menu");
  QMenu* arquivo = mb->addMenu("&Arquivo");
  arquivo->addAction(NovaAcao(ID_FILE_NEW, "&Novo...", QKeySequence("Ctrl+M")));
  arquivo->addAction(NovaAcao(ID_FILE_OPEN, "&Abrir...", QKeySequence("Ctrl+A")));
  arquivo->addAction(NovaAcao(ID_FILE_CLOSE, "&Fechar"));
  arquivo->addAction(NovaAcao(ID_FILE_SAVE, "&Salvar", QKeySequence("Ctrl+S")));
  arquivo->addAction(NovaAcao(ID_FILE_SAVE_AS, "Salvar &como..."));
  arquivo->addSeparator();
  // Printing and mail of the active window (the report editor answers them).
  arquivo->addAction(NovaAcao(57605, "Configurar Pá&gina ..."));
  arquivo->addAction(NovaAcao(ID_FILE_PRINT_PREVIEW, "&Visualizar Impressão ..."));
  arquivo->addAction(NovaAcao(ID_FILE_PRINT, "&Imprimir...", QKeySequence::Print));
  arquivo->addAction(NovaAcao(57612, "&Enviar..."));
  arquivo->addSeparator();
  arquivo->addAction(NovaAcao(ID_IMPORTAR, "&Importar"));
  acoes_.value(ID_IMPORTAR)->setStatusTip("Importar de banco de dados");
  arquivo->addSeparator();
  for (int i = 0; i < ListaArquivosRecentes::Tamanho; ++i) arquivo->addAction(NovaAcao(ID_FILE_MRU_FILE1 + i, QString()));
  connect(arquivo, &QMenu::aboutToShow, this, [this] {
    const QStringList& e = app_->Recentes().Entradas();
    for (int i = 0; i < ListaArquivosRecentes::Tamanho; ++i) {
      QAction* a = acoes_.value(ID_FILE_MRU_FILE1 + i);
      a->setVisible(i < e.size() || i == 0);
      a->setText(i < e.size() ? QString("&%1 %2").arg(i + 1).arg(QFileInfo(e[i]).fileName()) : "Arquivo recente");
    }
  });
  arquivo->addSeparator();
  arquivo->addAction(NovaAcao(ID_APP_EXIT, "Sai&r"));

  QMenu* editar = mb->addMenu("&Editar");
  editar->addAction(NovaAcao(ID_EDIT_UNDO, "&Desfazer", QKeySequence::Undo));
  editar->addSeparator();
  editar->addAction(NovaAcao(ID_EDIT_CUT, "Recor&tar", QKeySequence::Cut));
  editar->addAction(NovaAcao(ID_EDIT_COPY, "&Copiar", QKeySequence::Copy));
  editar->addAction(NovaAcao(ID_EDIT_PASTE, "C&olar", QKeySequence::Paste));
  editar->addAction(NovaAcao(57639, "Col&ar Especial..."));
  editar->addAction(NovaAcao(57632, "&Limpar"));
  editar->addAction(NovaAcao(57642, "Selecionar &Tudo"));
  editar->addSeparator();
  editar->addAction(NovaAcao(ID_EDIT_FIND, "&Localizar...", QKeySequence::Find));
  editar->addAction(NovaAcao(57640, "Localizar &Próxima", QKeySequence(Qt::Key_F3)));
  editar->addAction(NovaAcao(57641, "&Substituir...", QKeySequence::Replace));

  // The model window's menus (texts as the model window's menu has them).
  QMenu* dados = mb->addMenu("&Dados");
  dados->addAction(NovaAcao(ID_EDITAR_DADOS, "&Editar dados ..."));
  dados->addAction(NovaAcao(32820, "Dados e W (Matriz pesos)"));
  dados->addAction(NovaAcao(32810, "&Adicionar ..."));
  dados->addAction(NovaAcao(32816, "&Operar ..."));
  dados->addAction(NovaAcao(32812, "&Classificar"));
  dados->addAction(NovaAcao(32817, "&Reconsiderar ..."));
  dados->addAction(NovaAcao(32811, "Calcular matriz &W"));
  dados->addSeparator();
  dados->addAction(NovaAcao(32912, "&Exibir Variáveis ..."));
  dados->addAction(NovaAcao(32913, "&Incluir Variável ..."));
  dados->addAction(NovaAcao(32911, "E&xcluir Variável ..."));
  dados->addAction(NovaAcao(32914, "&Operar Variável ..."));
  dados->addAction(NovaAcao(32909, "&Alterar Nome ..."));
  dados->addAction(NovaAcao(32915, "&Definir Variável Dependente ..."));
  dados->addAction(NovaAcao(32908, "&Habilitar/Desabilitar  ..."));
  dados->addAction(NovaAcao(32910, "&Tipologias (comuns)"));
  QMenu* modelo = mb->addMenu("&Modelo");
  modelo->addAction(NovaAcao(32831, "&Calcular RL ..."));
  modelo->addAction(NovaAcao(32832, "Calc&ular RE ..."));
  modelo->addAction(NovaAcao(32834, "Correlação Espacial ..."));
  modelo->addSeparator();
  modelo->addAction(NovaAcao(32841, "&Resultados"));
  modelo->addAction(NovaAcao(32836, "&Equação ..."));
  modelo->addAction(NovaAcao(32840, "&Resíduos ..."));
  modelo->addAction(NovaAcao(32838, "&Outiliers ..."));
  modelo->addAction(NovaAcao(32833, "Corre&lações ..."));
  modelo->addAction(NovaAcao(32852, "&Aderência"));
  modelo->addAction(NovaAcao(32853, "&Variáveis ..."));
  modelo->addAction(NovaAcao(32843, "Validação Modelo..."));
  modelo->addAction(NovaAcao(ID_RESUMO_MODELO, "Resu&mo do Modelo ..."));
  modelo->addAction(NovaAcao(32818, "Selecinar Amostra..."));
  modelo->addAction(NovaAcao(32887, "Reconsiderar todos dados validação"));
  modelo->addAction(NovaAcao(ID_PROJETAR, "&Projetar ..."));
  modelo->addSeparator();
  modelo->addAction(NovaAcao(ID_PROPRIEDADES, "Proprie&dades ..."));
  modelo->addAction(NovaAcao(32835, "&Desproteger Modelo ..."));
  modelo->addAction(NovaAcao(32860, "E&xportar..."));
  modelo->addAction(NovaAcao(57605, "Configurar Pá&gina ..."));
  modelo->addSeparator();
  modelo->addAction(NovaAcao(32850, "Personalizar ..."));
  QAction* campos = NovaAcao(59502, "Barra de Campos Cabeçalho");
  campos->setCheckable(true);  // checked while the bar is visible
  modelo->addAction(campos);
  menusModelo_ = {dados, modelo};

  QMenu* exibir = mb->addMenu("E&xibir");
  exibir->addAction(NovaAcao(32856, "&Data e Hora"));
  exibir->addAction(NovaAcao(32830, "Calc&uladora"));
  exibir->addAction(NovaAcao(ID_TABELA_NORMAL, "&Tabela Normal"));
  // The report editor's options (units, word selection, word wrap): enabled while a report is active.
  exibir->addAction(NovaAcao(32922, "&Opções..."));
  exibir->addSeparator();
  // The charts of the display windows answer it.
  QAction* numerar = NovaAcao(32851, "&Numerar pontos", QKeySequence("Ctrl+N"));
  numerar->setCheckable(true);
  exibir->addAction(numerar);
  QMenu* janela = mb->addMenu("&Janela");
  janela->addAction(NovaAcao(ID_WINDOW_CASCADE, "&Cascata"));
  janela->addAction(NovaAcao(ID_WINDOW_TILE_HORZ, "&Lado a lado"));
  separadorJanelas_ = janela->addSeparator();
  menuJanela_ = janela;
  connect(janela, &QMenu::aboutToShow, this, &CMainFrame::AtualizaListaJanelas);
  // The next window and closing the active one: keys with no menu entry.
  addAction(NovaAcao(ID_WINDOW_NEXT, "Próxima janela", QKeySequence(Qt::CTRL | Qt::Key_F6)));
  addAction(NovaAcao(ID_WINDOW_CLOSE, "Fechar janela", QKeySequence(Qt::CTRL | Qt::Key_F4)));
  QMenu* ajuda = mb->addMenu("A&juda");
  ajuda->addAction(NovaAcao(ID_HELP_FINDER, "&Tópicos da Ajuda"));
  ajuda->addSeparator();
  ajuda->addAction(NovaAcao(ID_TIP_OF_THE_DAY, "Dicas do dia"));
  ajuda->addAction(NovaAcao(ID_APP_ABOUT, "&Sobre Tarsolin..."));
  // F1 (the topic of the active window) and the other help requests have no
  // menu entry: their actions live on the window so the router keeps them.
  for (int id : {ID_HELP, ID_HELP_INDEX, ID_DEFAULT_HELP})
    addAction(NovaAcao(id, id == ID_HELP ? "Ajuda" : "Índice da Ajuda", id == ID_HELP ? QKeySequence(Qt::Key_F1) : QKeySequence()));
}

void CMainFrame::CriaBarras() {
  struct Botao { int id; const char* texto; };
  auto cria = [this](int id, int idTitulo, const QString& titulo, std::initializer_list<Botao> botoes) {
    QToolBar* b = addToolBar(idTitulo ? plat::Texto(idTitulo) : titulo);
    b->setObjectName(QString::number(id));
    for (const Botao& o : botoes) {
      if (o.id == 0) { b->addSeparator(); continue; }
      QAction* a = NovaAcao(o.id, QString::fromUtf8(o.texto));
      a->setIconText(QString::fromUtf8(o.texto));  // the button's own name; a menu keeps its text
      b->addAction(a);
    }
    return b;
  };
  cria(100, 3109, {}, {{ID_FILE_NEW, "Novo"}, {ID_FILE_OPEN, "Abrir"}, {0, ""}, {ID_FILE_SAVE, "Salvar"}, {0, ""},
                       {ID_EDIT_FIND, "Localizar"}, {0, ""}, {ID_EDIT_UNDO, "Desfazer"}, {0, ""},
                       {ID_EDIT_CUT, "Recortar"}, {ID_EDIT_COPY, "Copiar"}, {ID_EDIT_PASTE, "Colar"}, {0, ""},
                       {ID_FILE_PRINT_PREVIEW, "Visualizar Impressão"}, {0, ""}, {ID_FILE_PRINT, "Imprimir"}});
  QToolBar* edicao = cria(2005, 3104, {}, {{ID_EDITAR_DADOS, "Editar Dados"}, {32816, "Operar Dados"}, {0, ""},
                                            {32812, "Classificar"}, {0, ""}, {32912, "Exibir Variáveis"},
                                            {32913, "Incluir Variáveis"}, {32911, "Excluir Variáveis"},
                                            {32914, "Operar Variáveis"}});
  // "Editar Dados" is a split button: its drop-down offers the data alone or with W.
  if (auto* dividido = qobject_cast<QToolButton*>(edicao->widgetForAction(acoes_.value(ID_EDITAR_DADOS)))) {
    auto* opcoes = new QMenu(dividido);
    opcoes->setObjectName(QString::number(ID_EDITAR_DADOS));
    opcoes->addAction(NovaAcao(32729, "Dados "));
    opcoes->addAction(NovaAcao(32820, "Dados e W (Matriz pesos)"));
    dividido->setMenu(opcoes);
    dividido->setPopupMode(QToolButton::MenuButtonPopup);
  }
  // The string the calculation bar names is not in the table; its neighbour's text fits the bar.
  cria(2000, 3107, {}, {{32831, "Calcular"}, {32837, "Equações"}, {0, ""}, {ID_PROJETAR, "Projetar"}, {0, ""},
                        {32836, "Equação"}, {32840, "Resíduos"}, {32838, "Outiliers"}, {32833, "Correlações"},
                        {32852, "Aderência"}});
  corTexto_ = CorWindows(palette().color(QPalette::WindowText));
  corFundo_ = CorWindows(palette().color(QPalette::Base));
  QToolBar* formatacao = cria(2007, 3106, {}, {});
  auto* fonte = new QFontComboBox(formatacao);
  fonte->setObjectName("1067");
  fonte->setEditable(false);  // both boxes are drop-down lists
  formatacao->addWidget(fonte);
  formatacao->addSeparator();
  auto* tamanho = new QComboBox(formatacao);
  tamanho->setObjectName("1068");
  for (int t : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72}) tamanho->addItem(QString::number(t));
  tamanho->setCurrentText("10");
  formatacao->addWidget(tamanho);
  fonte->installEventFilter(this);
  tamanho->installEventFilter(this);
  // Only the user's choices travel (the boxes are also set to show the view's format).
  connect(fonte, qOverload<int>(&QComboBox::activated), this, [this, fonte] {
    QTextCharFormat f;
    f.setFontFamilies({fonte->currentFont().family()});
    DefineFormato(f);
  });
  connect(tamanho, &QComboBox::textActivated, this, [this](const QString& texto) {
    bool ok = false;
    const double pontos = texto.toDouble(&ok);
    if (!ok || pontos <= 0) return;
    QTextCharFormat f;
    f.setFontPointSize(pontos);
    DefineFormato(f);
  });
  formatacao->addSeparator();
  formatacao->addAction(NovaAcao(32805, "Negrito"));
  formatacao->addAction(NovaAcao(32807, "Itálico"));
  formatacao->addAction(NovaAcao(32808, "Sublinhado"));
  formatacao->addSeparator();
  formatacao->addAction(NovaAcao(32806, "Cor"));
  formatacao->addAction(NovaAcao(32800, "Cor de fundo"));
  formatacao->addSeparator();
  formatacao->addAction(NovaAcao(32868, "Alinhar à esquerda"));
  formatacao->addAction(NovaAcao(32867, "Centralizar"));
  formatacao->addAction(NovaAcao(32869, "Alinhar à direita"));
  cria(2006, 3105, {}, {{ID_CONTEXT_HELP, "Ajuda"}, {0, ""}, {32856, "Data e Hora"}, {0, ""}, {32830, "Calculadora"},
                        {0, ""}, {ID_APP_EXIT, "Finalizar"}});
  // Bars 100, 2005, 2000 share the first row; 2007 and 2006 the second.
  insertToolBarBreak(formatacao);
}

void CMainFrame::CriaPaineis() {
  auto cria = [this](int id, const QString& titulo, bool fechavel) {
    auto* d = new QDockWidget(titulo, this);
    d->setObjectName(QString::number(id));
    d->setFeatures(fechavel ? QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                            : QDockWidget::DockWidgetMovable);
    paineis_.insert(id, d);
    return d;
  };
  paineisModelo_ = new PaineisModelo(this);
  QDockWidget* dados = cria(59507, "Dados", false);
  QDockWidget* rl = cria(32923, "Resultados RL", false);
  QDockWidget* re = cria(32924, "Resultados RE", false);
  QDockWidget* lista = cria(32921, "Lista de Dados", true);
  dados->setWidget(paineisModelo_->Dados());
  rl->setWidget(paineisModelo_->ResultadosRL());
  re->setWidget(paineisModelo_->ResultadosRE());
  lista->setWidget(paineisModelo_->Lista());
  paineisModelo_->Lista()->show();
  addDockWidget(Qt::RightDockWidgetArea, dados);
  tabifyDockWidget(dados, rl);
  tabifyDockWidget(dados, re);
  dados->raise();  // "Dados" is the tab in front
  addDockWidget(Qt::BottomDockWidgetArea, lista);
  lista->hide();
  layoutNormal_ = saveState();
  rl->hide();
  dados->hide();
  layoutPreview_ = saveState();
}

QDockWidget* CMainFrame::Painel(int id) const { return paineis_.value(id); }

void CMainFrame::AtualizaResultados() {
  if (paineisModelo_) paineisModelo_->AtualizaResultados();
}
void CMainFrame::AtualizaPainelDados() {
  if (paineisModelo_) paineisModelo_->AtualizaPainelDados();
}
void CMainFrame::AjustaColunasLista() {
  if (paineisModelo_) paineisModelo_->AjustaColunasLista();
}

QAction* CMainFrame::AdicionaEntradaMenu(const QString& menu, int id, const QString& texto, bool marcavel) {
  if (QAction* existente = acoes_.value(id)) return existente;
  QMenu* alvo = nullptr;
  for (QAction* a : menuBar()->actions())
    if (a->menu() && a->text() == menu) alvo = a->menu();
  if (!alvo) return nullptr;
  QAction* a = NovaAcao(id, texto);
  a->setCheckable(marcavel);
  alvo->addAction(a);
  RoteadorComandos::Instancia().AtualizaAcoes();
  return a;
}

void CMainFrame::AplicaLayoutNormal() { restoreState(layoutNormal_); }
void CMainFrame::AplicaLayoutPreview() { restoreState(layoutPreview_); }

QMdiSubWindow* CMainFrame::AdicionaJanela(QWidget* janela, CTarsolinDoc* doc) {
  QMdiSubWindow* sub = mdi_->addSubWindow(janela);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setProperty("documento", QVariant::fromValue<QObject*>(doc));
  sub->setWindowTitle(janela->windowTitle());
  connect(janela, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
  // A new name ("Salvar como") or a maximised window changes the main title too.
  connect(sub, &QWidget::windowTitleChanged, this, &CMainFrame::AtualizaMenus);
  connect(sub, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::AtualizaMenus);
  // The frame's Ctrl+F4 closes the window in use (asking first for a model);
  // the window menu's own Close shortcut would make the key ambiguous, and
  // an ambiguous key does nothing.
  if (QMenu* sistema = sub->systemMenu())
    for (QAction* a : sistema->actions())
      if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4))) a->setShortcuts({});
  sub->show();
  ColocaNaArea(sub);
  return sub;
}

QMdiSubWindow* CMainFrame::AdicionaJanelaModelo(QWidget* janela, CTarsolinDoc* doc) {
  QMdiSubWindow* sub = AdicionaJanela(janela, doc);
  sub->setProperty("janelaModelo", true);
  sub->installEventFilter(new FiltroFechamento(app_, doc, sub));
  mdi_->setActiveSubWindow(sub);
  // Showing it may have activated it before it was marked as a model window.
  ultimaAtivada_ = nullptr;
  JanelaAtivada(sub);
  return sub;
}

void CMainFrame::AtivaDocumento(CTarsolinDoc* doc) {
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (sub->property("documento").value<QObject*>() == doc) {
      if (sub->isMinimized()) sub->showNormal();
      mdi_->setActiveSubWindow(sub);
      break;
    }
  TrazParaFrente();
}

QWidget* CMainFrame::MolduraModelo(CTarsolinDoc* doc) const {
  if (!doc || !mdi_) return nullptr;
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (sub->property("janelaModelo").toBool() && sub->property("documento").value<QObject*>() == doc)
      return sub->widget();
  return nullptr;
}

void CMainFrame::ColocaNaArea(QMdiSubWindow* sub) {
  if (!sub || sub->isMaximized() || sub->isMinimized()) return;
  // The area's placement chose the spot for the window's first size: the new
  // size may reach past the edges from there.
  const QSize area = mdi_->viewport()->size();
  sub->resize(area * 0.8);
  const int x = std::clamp(sub->x(), 0, std::max(0, area.width() - sub->width()));
  const int y = std::clamp(sub->y(), 0, std::max(0, area.height() - sub->height()));
  sub->move(x, y);
}

QWidget* CMainFrame::AtivaJanelaModelo(CTarsolinDoc* doc) {
  QWidget* moldura = MolduraModelo(doc);
  auto* sub = moldura ? qobject_cast<QMdiSubWindow*>(moldura->parentWidget()) : nullptr;
  if (!sub) return moldura;
  if (sub->isMinimized()) sub->showNormal();
  mdi_->setActiveSubWindow(sub);
  return moldura;
}

void CMainFrame::TrazParaFrente() {
  if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

void CMainFrame::JanelaAtivada(QMdiSubWindow* sub) {
  QWidget* janela = sub ? sub->widget() : nullptr;
  auto* alvo = dynamic_cast<AlvoComando*>(janela);
  auto* doc = alvo ? qobject_cast<CTarsolinDoc*>(alvo->DocumentoAlvo()) : nullptr;
  // A null activation is the main window losing the focus, not a change of window.
  if (sub && sub != ultimaAtivada_) {
    ultimaAtivada_ = sub;
    if (doc && sub->property("janelaModelo").toBool()) {
      // Every activation of a model's main window brings back the normal layout
      // (an auxiliary window may have left the preview one); the panes refresh
      // only when the current model changes.
      AplicaLayoutNormal();
      if (ModeloCorrente != doc) {
        ModeloCorrente = doc;
        RoteadorComandos::Instancia().Posta(ID_ATUALIZA_RESULTADOS);
        RoteadorComandos::Instancia().Posta(ID_AJUSTA_LISTA);
        RoteadorComandos::Instancia().Posta(ID_ATUALIZA_PAINEL_DADOS);
      }
    }
  }
  AtualizaMenus();
  AtualizaFormatacao();
  RoteadorComandos::Instancia().AtualizaAcoes();
}

void CMainFrame::AtualizaFormatacao() {
  const QTextCharFormat f = FormatoCaractere();
  if (auto* fonte = findChild<QFontComboBox*>("1067")) {
    const QStringList familias = f.fontFamilies().toStringList();
    if (!familias.isEmpty()) fonte->setCurrentFont(QFont(familias.first()));
  }
  if (auto* tamanho = findChild<QComboBox*>("1068"))
    tamanho->setCurrentText(QString::number(f.fontPointSize() > 0 ? f.fontPointSize() : 10));
}

void CMainFrame::AtualizaMenus() {
  QMdiSubWindow* sub = mdi_ ? mdi_->activeSubWindow() : nullptr;
  auto* alvo = dynamic_cast<AlvoComando*>(sub ? sub->widget() : nullptr);
  const bool modelo = alvo && qobject_cast<CTarsolinDoc*>(alvo->DocumentoAlvo());
  for (QMenu* m : menusModelo_) m->menuAction()->setVisible(modelo);
  // A maximised window's name is shown by the MDI area itself, as
  // "Tarsolin Windows - [name]"; otherwise the title carries it.
  QString titulo = "Tarsolin Windows";
  if (sub && !sub->isMaximized()) titulo += " - " + sub->windowTitle();
  setWindowTitle(titulo);
}

void CMainFrame::AtualizaListaJanelas() {
  if (!menuJanela_ || !mdi_) return;
  const QList<QMdiSubWindow*> janelas = mdi_->subWindowList(QMdiArea::CreationOrder);
  separadorJanelas_->setVisible(!janelas.isEmpty());
  for (int i = 0; i < janelas.size(); ++i) {
    QAction* a = acoes_.value(ID_WINDOW_FIRST_CHILD + i);
    if (!a) {
      a = NovaAcao(ID_WINDOW_FIRST_CHILD + i, QString());
      a->setCheckable(true);
      menuJanela_->addAction(a);
    }
    QString nome = janelas[i]->windowTitle();
    nome.replace(QLatin1Char('&'), QLatin1String("&&"));
    a->setText(i < 9 ? QString("&%1 %2").arg(i + 1).arg(nome) : QString("%1 %2").arg(i + 1).arg(nome));
    a->setVisible(true);
  }
  for (int id = ID_WINDOW_FIRST_CHILD + int(janelas.size()); QAction* a = acoes_.value(id); ++id) a->setVisible(false);
  RoteadorComandos::Instancia().AtualizaAcoes();
}

QMdiSubWindow* CMainFrame::JanelaDaLista(int id) const {
  if (!mdi_ || id < ID_WINDOW_FIRST_CHILD) return nullptr;
  const QList<QMdiSubWindow*> janelas = mdi_->subWindowList(QMdiArea::CreationOrder);
  const int i = id - ID_WINDOW_FIRST_CHILD;
  return i < janelas.size() ? janelas[i] : nullptr;
}

void CMainFrame::MensagemCor(unsigned cor, int comando) {
  if (comando == 32806) corTexto_ = cor;
  else corFundo_ = cor;
  QMdiSubWindow* sub = JanelaEmUso();
  if (auto* alvo = dynamic_cast<AlvoComando*>(sub ? sub->widget() : nullptr)) {
    auto* vista = dynamic_cast<AlvoComando*>(alvo->VistaAtiva());
    (vista ? vista : alvo)->OnCorFormatacao(cor, comando);
  }
}

void CMainFrame::DefineFormato(const QTextCharFormat& formato) {
  QMdiSubWindow* sub = JanelaEmUso();
  if (auto* alvo = dynamic_cast<AlvoComando*>(sub ? sub->widget() : nullptr)) {
    auto* vista = dynamic_cast<AlvoComando*>(alvo->VistaAtiva());
    if ((vista && vista->OnDefineFormato(formato)) || alvo->OnDefineFormato(formato)) return;
  }
  // No view takes it: the frame changes nothing.
}

QMdiSubWindow* CMainFrame::JanelaEmUso() const {
  // The formatting bar's boxes take the focus out of the MDI area, which then
  // has no active window: the one activated last is still the one in use.
  QMdiSubWindow* sub = mdi_ ? mdi_->activeSubWindow() : nullptr;
  if (!sub && mdi_ && ultimaAtivada_ && mdi_->subWindowList().contains(ultimaAtivada_.data())) sub = ultimaAtivada_;
  return sub;
}

AlvoComando* CMainFrame::AlvoFormatacao(QObject** objeto) const {
  QMdiSubWindow* sub = JanelaEmUso();
  auto* alvo = dynamic_cast<AlvoComando*>(sub ? sub->widget() : nullptr);
  if (!alvo) return nullptr;
  QObject* v = alvo->VistaAtiva();
  if (auto* vista = dynamic_cast<AlvoComando*>(v)) {
    *objeto = v;
    return vista;
  }
  *objeto = sub->widget();
  return alvo;
}

bool CMainFrame::eventFilter(QObject* objeto, QEvent* e) {
  const bool caixa = objeto->objectName() == QLatin1String("1067") || objeto->objectName() == QLatin1String("1068");
  if (!caixa || !qobject_cast<QComboBox*>(objeto)) return QMainWindow::eventFilter(objeto, e);
  switch (e->type()) {
    case QEvent::FocusIn: {
      // The box's own drop-down list takes nothing from the bar.
      if (static_cast<QFocusEvent*>(e)->reason() == Qt::PopupFocusReason) break;
      QObject* vista = nullptr;
      if (AlvoComando* alvo = AlvoFormatacao(&vista)) {
        focoFormatacao_ = vista;
        alvo->OnFocoFormatacao(true);
      }
      break;
    }
    case QEvent::FocusOut: {
      if (static_cast<QFocusEvent*>(e)->reason() == Qt::PopupFocusReason) break;
      // The view told of the focus, even when another window became active since.
      if (auto* alvo = dynamic_cast<AlvoComando*>(focoFormatacao_.data())) alvo->OnFocoFormatacao(false);
      focoFormatacao_.clear();
      break;
    }
    case QEvent::KeyPress: {
      const int tecla = static_cast<QKeyEvent*>(e)->key();
      if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) break;
      QObject* vista = nullptr;
      if (AlvoComando* alvo = AlvoFormatacao(&vista)) {
        alvo->OnEnterFormatacao();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(objeto, e);
}

QTextCharFormat CMainFrame::FormatoCaractere() const {
  QTextCharFormat f;
  QMdiSubWindow* sub = JanelaEmUso();
  if (auto* alvo = dynamic_cast<AlvoComando*>(sub ? sub->widget() : nullptr)) {
    auto* vista = dynamic_cast<AlvoComando*>(alvo->VistaAtiva());
    if ((vista && vista->OnPedeFormato(f)) || alvo->OnPedeFormato(f)) return f;
  }
  return FormatoDezPontos(QApplication::font().family().left(31));
}

QTextCharFormat CMainFrame::FormatoDezPontos(const QString& familia) {
  // Every part the bar knows (mask 0xF800001F): plain, unprotected, no offset,
  // automatic colour, the default character set.
  QTextCharFormat f;
  f.setFontFamilies({familia});
  f.setFontPointSize(10);
  f.setFontWeight(QFont::Normal);
  f.setFontItalic(false);
  f.setFontUnderline(false);
  f.setFontStrikeOut(false);
  f.setVerticalAlignment(QTextCharFormat::AlignNormal);
  f.setProperty(formatacao::PropProtegido, false);
  f.setProperty(formatacao::PropCorAutomatica, true);
  f.setProperty(formatacao::PropConjuntoCaracteres, 1);
  return f;
}

void CMainFrame::OnImportar() {
  // The database manager runs on its own; nothing is reported when it cannot start.
  const QString programa = plat::CaminhoPrograma("brenk");
  if (QFileInfo(programa).isExecutable()) plat::IniciaDestacado(programa);
}

void CMainFrame::AbreArquivosSoltos(const QStringList& arquivos) {
  if (arquivos.isEmpty()) return;
  // The whole name: paths here are not bounded by 259 characters, and a cut name is another file.
  app_->OpenDocumentFile(arquivos.first());
}

bool CMainFrame::TemComando(int id) const {
  switch (id) {
    case ID_IMPORTAR: case ID_ATUALIZA_RESULTADOS: case ID_ATUALIZA_PAINEL_DADOS: case ID_AJUSTA_LISTA:
    case ID_WINDOW_CASCADE: case ID_WINDOW_TILE_HORZ: case 32806: case 32800: case ID_TABELA_NORMAL:
    case ID_WINDOW_NEXT: case ID_WINDOW_CLOSE:
      return true;
    default:
      return JanelaDaLista(id) != nullptr;
  }
}

bool CMainFrame::OnUpdateCmd(int id, EstadoComando& estado) {
  switch (id) {
    case 32805: case 32807: case 32808: case 32867: case 32868: case 32869:
      estado.habilitado = false;  // unless the active view enabled them first
      return true;
    case ID_WINDOW_CASCADE: case ID_WINDOW_TILE_HORZ: case ID_WINDOW_NEXT: case ID_WINDOW_CLOSE:
      estado.habilitado = !mdi_->subWindowList().isEmpty();
      return true;
    default:
      if (QMdiSubWindow* sub = JanelaDaLista(id)) {
        estado.habilitado = true;
        estado.marcado = sub == JanelaEmUso();
        return true;
      }
      return false;
  }
}

bool CMainFrame::OnCmdMsg(int id) {
  switch (id) {
    case ID_IMPORTAR: OnImportar(); return true;
    case ID_ATUALIZA_RESULTADOS: AtualizaResultados(); emit atualizaResultados(); return true;
    case ID_ATUALIZA_PAINEL_DADOS: AtualizaPainelDados(); emit atualizaPainelDados(); return true;
    case ID_AJUSTA_LISTA: AjustaColunasLista(); emit ajustaColunasLista(); return true;
    case ID_WINDOW_CASCADE: mdi_->cascadeSubWindows(); return true;
    case ID_WINDOW_TILE_HORZ: mdi_->tileSubWindows(); return true;
    case ID_TABELA_NORMAL: AbreTabelaNormal(); return true;
    case ID_WINDOW_NEXT: mdi_->activateNextSubWindow(); return true;
    case ID_WINDOW_CLOSE:
      // A model window asks before it closes (and may stay).
      if (QMdiSubWindow* sub = JanelaEmUso()) sub->close();
      return true;
    case 32806: case 32800: {
      const unsigned atual = id == 32806 ? corTexto_ : corFundo_;
      QColorDialog dlg(QColor(int(atual & 0xFF), int(atual >> 8 & 0xFF), int(atual >> 16 & 0xFF)), this);
      dlg.setObjectName("dlgCor");
      if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return true;
      MensagemCor(CorWindows(dlg.selectedColor()), id);
      return true;
    }
    default:
      if (QMdiSubWindow* sub = JanelaDaLista(id)) {
        // After the menu has closed: closing it gives the focus back to the
        // window it was opened over, which would take the activation back.
        QTimer::singleShot(0, this, [this, janela = QPointer<QMdiSubWindow>(sub)] {
          if (!janela) return;
          if (janela->isMinimized()) janela->showNormal();
          mdi_->setActiveSubWindow(janela);
        });
        return true;
      }
      return false;
  }
}

void CMainFrame::AbreTabelaNormal() {
  // One table window: a second request brings it forward.
  for (QMdiSubWindow* sub : mdi_->subWindowList())
    if (qobject_cast<CTabelasView*>(sub->widget())) {
      mdi_->setActiveSubWindow(sub);
      return;
    }
  auto* vista = new CTabelasView;
  QMdiSubWindow* sub = AdicionaJanela(vista, nullptr);
  vista->OnInitialUpdate();
  mdi_->setActiveSubWindow(sub);
}

void CMainFrame::GuardaPosicao() {
  if (isMaximized() || isMinimized() || isFullScreen()) return;
  const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
  app_->Opcoes().FrameRect = Retangulo{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void CMainFrame::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) {
    app_->Opcoes().Maximized = isMaximized() ? 1 : 0;
    GuardaPosicao();
  }
}

void CMainFrame::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  GuardaPosicao();
}

void CMainFrame::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  app_->Opcoes().Maximized = isMaximized() ? 1 : 0;
  GuardaPosicao();
}

void CMainFrame::closeEvent(QCloseEvent* e) {
  // Every report and every model is offered for saving; one kept open keeps the program running.
  const std::vector<CLaudoDoc*> relatorios = ModeloRelatorio::Documentos();
  for (CLaudoDoc* r : relatorios)
    if (!r->SaveModified()) {
      e->ignore();
      return;
    }
  const std::vector<CTarsolinDoc*> docs = app_->Documentos();
  for (CTarsolinDoc* d : docs)
    if (!app_->FechaDocumento(d)) {
      e->ignore();
      return;
    }
  e->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e) {
  QStringList arquivos;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) arquivos << u.toLocalFile();
  e->acceptProposedAction();
  AbreArquivosSoltos(arquivos);
}
