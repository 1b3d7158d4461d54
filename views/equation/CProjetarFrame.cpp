#include "CProjetar.h"

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "ComandosModelo.h"
#include "ImpressaoJanela.h"
#include "RoteadorComandos.h"

#include "controls/CCustomItemSlider.h"
#include "controls/PropertyGrid.h"
#include "model/CabecalhoModelo.h"
#include "platform/Mensagem.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
using C = CabecalhoModelo;
constexpr int kConfigurarPagina = 57605, kImprimir = 57607, kVisualizar = 57609, kCalculadora = 32830;

const char* const kCategorias[] = {"Valor unitário - RE", "Valor total - RE", "Valor unitário - RL",
                                   "Valor total - RL"};
}  // namespace

// ---------------------------------------------------------------- interval frame

CFrameIntervalo::CFrameIntervalo(CProjetarFrame* frame) : QMainWindow(nullptr, Qt::Widget), frame_(frame) {
  setObjectName(QStringLiteral("CFrameIntervalo"));
  barra_ = new QToolBar(QStringLiteral("Projeção"), this);
  barra_->setObjectName(QStringLiteral("2013"));
  barra_->setMovable(false);
  barra_->setIconSize(QSize(16, 15));
  struct Botao { int id; const char* texto; QStyle::StandardPixmap icone; };
  const Botao botoes[] = {{CmdProjetarValores, "Projetar Valores", QStyle::SP_BrowserReload},
                          {0, nullptr, QStyle::SP_CustomBase},
                          {CmdProjVoltar, "Voltar", QStyle::SP_ArrowBack},
                          {CmdProjAvancar, "Avançar", QStyle::SP_ArrowForward},
                          {0, nullptr, QStyle::SP_CustomBase},
                          {CmdProjAdicionar, "Adicionar", QStyle::SP_FileDialogNewFolder},
                          {CmdProjExcluir, "Excluir registro", QStyle::SP_TrashIcon}};
  for (const Botao& b : botoes) {
    if (!b.id) {
      barra_->addSeparator();
      continue;
    }
    QAction* a = barra_->addAction(style()->standardIcon(b.icone), QString::fromUtf8(b.texto));
    a->setData(b.id);
    a->setObjectName(QString::number(b.id));
    // Posted to the projection frame only, to run once on its page shown.
    RoteadorComandos::Instancia().RegistraAcao(a, frame_);
  }
  addToolBar(barra_);

  grade_ = new PropertyGrid(this);
  grade_->setObjectName(QStringLiteral("59648"));
  setCentralWidget(grade_);
  int item = 0;
  for (const char* nome : kCategorias) {
    PropertyGridItem* cat = grade_->AddCategory(QString::fromUtf8(nome));
    if (item < TotalREMinimo + 1) categoriasRE_[item / 3] = cat;
    for (int i = 0; i < 3; ++i, ++item) {
      itens_[item] = cat->AddChildItem(new PropertyGridItem(TextosIntervalo::LegendaPadrao(item)));
      itens_[item]->SetReadOnly(true);
    }
    cat->Expand();
  }
  PropertyGridItem* arbitrio = grade_->AddCategory(QStringLiteral("Campo Arbítrio"));
  for (int i = MinimoRE; i <= Adotado; ++i) {
    itens_[i] = arbitrio->AddChildItem(new PropertyGridItem(TextosIntervalo::LegendaPadrao(i)));
    itens_[i]->SetReadOnly(i != Adotado);
  }
  itens_[::Desvio] = arbitrio->AddChildItem(new CCustomItemSlider(QStringLiteral("Desvio"), -15, 15));
  arbitrio->Expand();
  PropertyGridItem* parametros = grade_->AddCategory(QStringLiteral("Parâmetros"));
  nivel_ = parametros->AddChildItem(new PropertyGridItem(QStringLiteral("Nível de Confiança")));
  nivel_->GetConstraints() = {"99%", "98%", "95%", "90%", "80%", "60%", "50%", "40%", "20%", "10%"};
  nivel_->SetConstraintIndex(4);
  nivel_->SetValue(QStringLiteral("80%"));
  nivel_->SetFlags(PropertyGridItem::HasComboButton);
  tendencia_ = parametros->AddChildItem(new PropertyGridItem(QStringLiteral("Estimativa pela")));
  tendencia_->GetConstraints() = {"Moda", "Mediana", "Média"};
  tendencia_->SetConstraintIndex(0);
  tendencia_->SetValue(QStringLiteral("Moda"));
  tendencia_->SetFlags(PropertyGridItem::HasComboButton);
  parametros->Expand();
  grade_->SetCaptionWidth(170);  // "Nível de Confiança" and the captions with percentages in full
  connect(grade_, &PropertyGrid::valueChanged, this, &CFrameIntervalo::Mudou);
}

void CFrameIntervalo::Mudou(PropertyGridItem* item) {
  if (item == nivel_ || item == tendencia_) frame_->Posta(CmdProjetarValores);
  else if (item == itens_[Adotado]) frame_->Posta(CmdProjAdotado);
  else if (item == itens_[::Desvio]) frame_->Posta(CmdProjDesvio);
}

void CFrameIntervalo::Mostra(const TextosIntervalo& t) {
  for (int i = 0; i < NumItensIntervalo; ++i) {
    if (i == ::Desvio) continue;
    itens_[i]->SetCaption(t.legenda[i]);
    itens_[i]->SetValue(t.valor[i]);
  }
  if (t.valor[::Desvio].isEmpty()) itens_[::Desvio]->SetValue(QString());
}

QString CFrameIntervalo::Valor(int item) const { return itens_[item]->GetValue(); }
void CFrameIntervalo::DefineValor(int item, const QString& valor) { itens_[item]->SetValue(valor); }
int CFrameIntervalo::Nivel() const { return nivel_->GetConstraintIndex(); }
int CFrameIntervalo::Tendencia() const { return tendencia_->GetConstraintIndex(); }
int CFrameIntervalo::Desvio() const { return static_cast<PropertyGridItemNumber*>(itens_[::Desvio])->GetNumber(); }
void CFrameIntervalo::DefineDesvio(int d) { static_cast<PropertyGridItemNumber*>(itens_[::Desvio])->SetNumber(d); }
void CFrameIntervalo::SelecionaAdotado() { itens_[Adotado]->Select(); }
void CFrameIntervalo::RecolheRE() {
  for (PropertyGridItem* c : categoriasRE_) c->Collapse();
}
void CFrameIntervalo::TendenciaSomenteLeitura() { tendencia_->SetReadOnly(true); }

// ---------------------------------------------------------------- pages

PaginaProjecao::PaginaProjecao(CProjetarFrame* frame, int indice) : QWidget(nullptr), frame_(frame), indice_(indice) {}

CTarsolinDoc* PaginaProjecao::Documento() const { return frame_->Documento(); }

bool PaginaProjecao::TemComando(int id) const {
  if (ComandoDoModelo(id)) return id != 32839 && frame_->MolduraModelo() != nullptr;
  if (id == kConfigurarPagina) return bool(CChildFrame::DialogoRegistrado(kConfigurarPagina));
  return id == kImprimir || id == kVisualizar || id == CmdProjetarValores || TemComandoProprio(id);
}

bool PaginaProjecao::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!ComandoDoModelo(id) || !Documento() || id == 32839) return false;
  EstadoComandoDoModelo(Documento(), frame_->MolduraModelo(), id, estado);
  return true;
}

bool PaginaProjecao::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  if (ComandoDoModelo(id)) {
    EncaminhaAoModelo(frame_->MolduraModelo(), id);
    return true;
  }
  if (Comando(id)) return true;
  switch (id) {
    case kConfigurarPagina:
      if (Documento()) CChildFrame::DialogoRegistrado(kConfigurarPagina)(*Documento());
      return true;
    case kImprimir: case kVisualizar:
      ExecutaImpressao(Trabalho(), window(), id == kVisualizar);
      return true;
    default: return false;
  }
}

// ---------------------------------------------------------------- tab host

CProjetarTabView::CProjetarTabView(CProjetarFrame* frame) : QWidget(frame), frame_(frame) {
  setObjectName(QStringLiteral("CProjetarTabView"));
  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("1066"));
  abas_->setTabPosition(QTabWidget::South);
  abas_->setDocumentMode(true);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(abas_);
  abas_->addTab(frame->Form(), QStringLiteral("Projeção"));
  abas_->addTab(frame->Graf(), QStringLiteral("Pontos Máximo/Mínimo"));
  abas_->addTab(frame->Dados(), QStringLiteral("Projeções"));
  abas_->setCurrentIndex(0);
  connect(abas_, &QTabWidget::currentChanged, this, &CProjetarTabView::AtivaPagina);
}

PaginaProjecao* CProjetarTabView::PaginaAtiva() const { return qobject_cast<PaginaProjecao*>(abas_->currentWidget()); }
int CProjetarTabView::AbaSelecionada() const { return abas_->currentIndex(); }

void CProjetarTabView::AtivaPagina() {
  // The chart follows the latest projection.
  if (abas_->currentIndex() == 1) frame_->Posta(CmdProjetarValores);
  RoteadorComandos::Instancia().AtualizaAcoes();
}

// ---------------------------------------------------------------- frame

CProjetarFrame::CProjetarFrame(CTarsolinDoc* doc) : QMainWindow(nullptr, Qt::Widget), doc_(doc) {
  setObjectName(QStringLiteral("CProjetarFrame"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(":Projeção"));
  setAccessibleName(QStringLiteral("Projeção de valores"));
  form_ = new CProjetarFormView(this);
  graf_ = new CProjetarGrafView(this);
  dados_ = new CProjetarDadosView(this);
  tab_ = new CProjetarTabView(this);
  setCentralWidget(tab_);
  auto* painel = new QDockWidget(QStringLiteral("Projeções"), this);
  painel->setObjectName(QStringLiteral("painel1"));
  painel->setFeatures(QDockWidget::NoDockWidgetFeatures);
  intervalo_ = new CFrameIntervalo(this);
  painel->setWidget(intervalo_);
  painel->setMinimumWidth(340);
  addDockWidget(Qt::LeftDockWidgetArea, painel);
  resize(1000, 680);
  connect(doc, &plat::Documento::documentUpdated, this, &CProjetarFrame::Documentou);
}

CProjetarFrame::~CProjetarFrame() = default;

CProjetarFrame* CProjetarFrame::Cria(CTarsolinDoc* doc, QWidget* moldura) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  if (doc->GetCabecalho()->EstadoCalculo() == 0) return nullptr;
  auto* frame = new CProjetarFrame(doc);
  frame->moldura_ = moldura ? moldura : MolduraDoModelo(doc);
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  // The grid first: the form reads its rows.
  frame->dados_->OnInitialUpdate();
  frame->graf_->OnInitialUpdate();
  frame->form_->OnInitialUpdate();
  return frame;
}

QWidget* CProjetarFrame::MolduraModelo() const { return moldura_.data(); }

void CProjetarFrame::Posta(int id) { RoteadorComandos::Instancia().PostaEm(this, id); }

void CProjetarFrame::Documentou(QObject*, int dica) {
  if (!doc_ || !doc_->GetCabecalho()) return;
  if (dica == 4) {
    if (dados_->Editada()) dados_->GravaGrade();
    return;
  }
  // A model no longer calculated has nothing to project.
  if (doc_->GetCabecalho()->EstadoCalculo() == 0 && !fechando_) {
    fechando_ = true;
    QTimer::singleShot(0, this, [this] {
      dados_->DescartaEdicoes();
      if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
      else close();
    });
    return;
  }
  // Anything else the model tells its views: the shown row is projected again.
  if (!fechando_) Posta(CmdProjetarValores);
}

void CProjetarFrame::closeEvent(QCloseEvent* e) {
  if (!dados_->PodeFechar()) {
    e->ignore();
    return;
  }
  if (doc_) doc_->Janela(CTarsolinDoc::JanelaProjetar).clear();
  e->accept();
}

// The window's own command: the calculator, on every page, as on the model window.
bool CProjetarFrame::TemComando(int id) const {
  return id == kCalculadora && doc_ && bool(CChildFrame::DialogoRegistrado(kCalculadora));
}
bool CProjetarFrame::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  CChildFrame::DialogoRegistrado(kCalculadora)(*doc_);
  return true;
}
bool CProjetarFrame::OnUpdateCmd(int id, EstadoComando& estado) { return false; }
QObject* CProjetarFrame::VistaAtiva() { return tab_ ? tab_->PaginaAtiva() : nullptr; }
QObject* CProjetarFrame::DocumentoAlvo() { return doc_; }
