#include "PaginaDiagnostico.h"

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "EstiloGrafico.h"
#include "RoteadorComandos.h"
#include "VisualizacaoImpressao.h"
#include "views/charts/CTChart.h"
#include "views/equation/ControleSetas.h"
#include "views/equation/CResultados.h"
#include "views/data/CClassificar.h"

#include "controls/CTableCell.h"
#include "controls/CTableCtrlEx.h"
#include "controls/ImpressaoPagina.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QCheckBox>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
using C = CabecalhoModelo;
constexpr int kClassificar = 32812, kEscolhaEquacao = 32837, kNumerar = 32851, kConfigurarPagina = 57605, kImprimir = 57607,
              kImprimirDireto = 57608, kVisualizar = 57609, kCopiar = 57634;

// The sort comparer of the residual tables: numbers by magnitude.
int ComparaAbsoluto(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  if (!a || !b) return 0;
  const QString ta = a->Text(), tb = b->Text();
  return CTarsolinApp::ComparaValorAbsoluto(&ta, &tb);
}

void Escreve(QPainter& p, int x, int y, const QString& texto) {
  p.drawText(QPoint(x, y + p.fontMetrics().ascent()), texto);
}
}  // namespace

PaginaDiagnostico::PaginaDiagnostico(const ConfigDiagnostico& config, CTarsolinDoc* doc, JanelaDiagnostico* host,
                                     QWidget* parent)
    : QWidget(parent), config_(config), doc_(doc), host_(host) {
  setObjectName(QString::number(config.id));
  setAccessibleName(QString::fromUtf8(config.aba));
  for (int i = 0; i < 2; ++i) {
    graficos_[i] = new CTChart(this);
    graficos_[i]->setObjectName(QString::number(1121 + i));
    graficos_[i]->setFocusPolicy(Qt::ClickFocus);
  }
  setas_ = new ControleSetas(this, 1112, QStringLiteral("Spin1"), [this](int d) { MoveSetas(d); });
  setas_->setToolTip(QStringLiteral("Variável a exibir"));
  caixa_ = new QCheckBox(this);
  caixa_->setObjectName(QStringLiteral("1030"));
  caixa_->setToolTip(QStringLiteral("Res. da Variável / Modelo"));
  caixa_->setAccessibleName(QStringLiteral("Res. da Variável / Modelo"));
  connect(caixa_, &QCheckBox::clicked, this, [this](bool marcada) { CaixaMudou(marcada); });
  connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int) { OnUpdate(); });
}

PaginaDiagnostico::~PaginaDiagnostico() = default;

QObject* PaginaDiagnostico::DocumentoAlvo() { return doc_; }

void PaginaDiagnostico::OnInitialUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  pular_ = true;
  if (!Prepara()) {
    vazia_ = true;
    pular_ = false;
    setas_->hide();
    caixa_->hide();
    return;
  }
  Calcula();
  OnUpdate();  // the framework's initial update: consumed by the flag
  tabela_ = new CTableCtrlEx(0, 0, 0, 0, this);
  tabela_->SetDlgCtrlID(config_.tabela);
  tabela_->setObjectName(QString::number(config_.tabela));
  tabela_->SetDocument(doc_);
  tabela_->SetWholeRowSelection(true);
  tabela_->SetEditable(false);
  tabela_->SetHeaderSort(true);
  tabela_->SetFixedColumnSelection(true);
  tabela_->SetGridLineColour(ColorrefDeCor(palette().color(QPalette::Inactive, QPalette::Mid)));
  if (config_.residual) tabela_->SetSortComparer(&ComparaAbsoluto);
  tabela_->show();
  ConfiguraGraficos();
  AtualizaGraficos();
  MontaTabela();
  PreencheTabela();
  AjustaColunas();
  setas_->raise();
  caixa_->raise();
  Dispoe();
  numerar_ = false;
  DefineRotulos();
}

bool PaginaDiagnostico::FechaSemResultados() const { return Cab().EstadoCalculo() == 0; }

void PaginaDiagnostico::OnUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  if (FechaSemResultados()) {
    host_->FechaJanela();
    return;
  }
  if (pular_) {
    pular_ = false;
    return;
  }
  if (vazia_) return;
  Atualiza();
}

void PaginaDiagnostico::Atualiza() {
  Calcula();
  if (tabela_) PreencheTabela();
  AtualizaGraficos();
  DefineRotulos();
}

void PaginaDiagnostico::AjustaColunas() {
  if (tabela_ && config_.ajustaColunas) tabela_->AutoSize();
}

void PaginaDiagnostico::DefineCabecalhos(const QStringList& titulos, int linhas, int colunasFixas) {
  tabela_->SetNumberOfColumns(int(titulos.size()));
  tabela_->SetNumberOfRows(std::max(1, linhas));
  tabela_->SetNumberOfFixedRows(1);
  tabela_->SetNumberOfFixedColumns(colunasFixas);
  for (bool linha : {true, false}) {
    CTableDefaultCell* d = tabela_->GetDefaultCell(linha, !linha);
    if (!d) continue;
    LOGFONT lf = *d->FontData();
    lf.lfWeight = 700;
    d->AssignFont(&lf);
  }
  for (int c = 0; c < int(titulos.size()); ++c) tabela_->SetCellText(0, c, titulos[c]);
}

void PaginaDiagnostico::Celula(int linha, int coluna, const QString& texto) {
  tabela_->SetCellText(linha, coluna, texto);
  tabela_->SetCellFormat(linha, coluna, DT_RIGHT);
}

void PaginaDiagnostico::EstiloGraficoPadrao(CTChart* g, const EstiloGrafico& e, bool linhas) {
  g->DefineRepinturaAutomatica(false);
  g->RemoveSeries();
  if (linhas) {
    for (int i = 0; i < 3; ++i) {
      g->AdicionaSerie(CTChart::SerieLinhaRapida);
      g->DefineCorSerie(i, e.corLinhas);
    }
  }
  const int s = g->AdicionaSerie(CTChart::SeriePontos);
  g->DefinePonteiro(s, CTChart::PonteiroCirculo, 4, 4);
  g->DefineMarcasVisiveis(s, false);
  g->AplicaEstilo(e);
  g->DefineRepinturaAutomatica(true);
}

void PaginaDiagnostico::ConfiguraGraficos() {
  EstiloGraficoPadrao(graficos_[0], EstilosGraficos[config_.estilo1], true);
  EstiloGraficoPadrao(graficos_[1], EstilosGraficos[config_.estilo2], true);
}

int32_t PaginaDiagnostico::CorPonto(const EstiloGrafico& e, double valor, double limite) {
  return std::fabs(valor) >= limite ? 255 : e.corPontos;
}

void PaginaDiagnostico::DefineRotulos() {
  for (CTChart* g : graficos_) {
    const int s = config_.seriePontos < 0 ? g->NumSeries() - 1 : config_.seriePontos;
    g->DefineMarcasVisiveis(s, numerar_);
  }
}

void PaginaDiagnostico::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Dispoe();
}

void PaginaDiagnostico::Dispoe() {
  if (!tabela_) return;
  const int cx = width(), cy = height(), h = cy / 2;
  tabela_->setGeometry(0, 0, cx, h - 4);
  graficos_[0]->setGeometry(0, h - 2, cx / 2 - 1, cy - 4 - (h - 2));
  graficos_[1]->setGeometry(cx / 2 + 1, h - 2, cx - (cx / 2 + 1), cy - 4 - (h - 2));
  setas_->move(cx - setas_->width(), h - 2);
  caixa_->move(0, h - 2);
}

// ------------------------------------------------------------ commands

void PaginaDiagnostico::Encaminha(int id) {
  if (QWidget* moldura = host_->MolduraModelo()) RoteadorComandos::Instancia().PostaEm(moldura, id);
}

bool PaginaDiagnostico::TemComando(int id) const {
  const auto& e = config_.encaminhados;
  if (std::find(e.begin(), e.end(), id) != e.end()) return host_->MolduraModelo() != nullptr;
  switch (id) {
    case kNumerar: case kCopiar: return true;
    case kEscolhaEquacao: return config_.imprime;
    // The residual tables sort; the fitted-values pages keep the command, disabled.
    case kClassificar: return config_.imprime;
    case kImprimir: case kImprimirDireto: case kVisualizar: return config_.imprime && tabela_;
    case kConfigurarPagina: return config_.imprime && bool(CChildFrame::DialogoRegistrado(kConfigurarPagina));
    default: return false;
  }
}

bool PaginaDiagnostico::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!doc_ || !doc_->GetCabecalho() || !TemComando(id)) return false;
  const CabecalhoModelo& c = Cab();
  const bool calculado = c.EstadoCalculo() != 0;
  if (id == kNumerar) {
    estado.habilitado = calculado && !vazia_;
    estado.marcado = numerar_;
    return true;
  }
  if (id == kEscolhaEquacao) {
    estado.habilitado = calculado;
    return true;
  }
  if (id == kClassificar) {
    estado.habilitado = config_.residual && tabela_;
    return true;
  }
  const auto& e = config_.encaminhados;
  if (std::find(e.begin(), e.end(), id) == e.end()) return false;
  // The command runs on the model window: it must work there too.
  QWidget* moldura = host_->MolduraModelo();
  estado.habilitado = moldura && RoteadorComandos::EstadoEm(moldura, id).habilitado;
  return true;
}

bool PaginaDiagnostico::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  const auto& e = config_.encaminhados;
  if (std::find(e.begin(), e.end(), id) != e.end()) {
    Encaminha(id);
    return true;
  }
  switch (id) {
    case kEscolhaEquacao: EscolheEquacao(); break;
    case kClassificar:
      if (config_.residual && tabela_) Classifica();
      break;
    case kNumerar:
      numerar_ = !numerar_;
      DefineRotulos();
      break;
    case kConfigurarPagina:
      if (auto dialogo = CChildFrame::DialogoRegistrado(kConfigurarPagina)) dialogo(*doc_);
      break;
    case kCopiar: Copia(); break;
    case kImprimir: case kImprimirDireto: Imprime(false); break;
    case kVisualizar: Imprime(true); break;
    default: break;
  }
  return true;
}

void PaginaDiagnostico::EscolheEquacao() {
  EscolheEquacaoESalva(doc_, window());
}

void PaginaDiagnostico::Classifica() {
  CClassificarVar dlg(&chave_, &descendente_, tabela_, window());
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  // Only the table's rows move: the records and the model file keep their order.
  tabela_->SortRowsByColumn(&ComparaAbsoluto, CClassificarVar::ColunaGrade(chave_), descendente_ == 0);
  tabela_->viewport()->update();
  const CCellID foco = tabela_->GetFocusCell();
  if (foco.row >= 0 && foco.col >= 0) tabela_->EnsureVisible(foco.row, foco.col);
}

void PaginaDiagnostico::Copia() {
  QWidget* foco = QApplication::focusWidget();
  for (CTChart* g : graficos_)
    if (foco && (foco == g || g->isAncestorOf(foco))) {
      g->CopiaParaAreaTransferencia();
      return;
    }
  if (tabela_) tabela_->OnEditCopy();
}

// ------------------------------------------------------------ printing

int PaginaDiagnostico::PreparaImpressao(QPainter& p, CPrintInfo& info) {
  paginasTabela_ = 0;
  if (config_.residual && tabela_) {
    int layout[7];
    tabela_->GetPrintLayout(layout);
    const CabecalhoModelo& c = Cab();
    tabela_->SetPrintLayout(layout[0], layout[1], c.I32(C::OffMargens), c.I32(C::OffMargens + 4),
                            c.I32(C::OffMargens + 8), c.I32(C::OffMargens + 12), layout[6]);
    tabela_->BeginPrinting(&p, &info);
    paginasTabela_ = info.GetMaxPage();
  }
  info.SetMaxPage(paginasTabela_ + 1);
  return paginasTabela_ + 1;
}

void PaginaDiagnostico::ImprimePagina(QPainter& p, CPrintInfo& info) {
  previa_ = info.m_bPreview;
  if (info.m_bPreview) DesenhaMargens(doc_, &p);
  if (info.m_nCurPage <= paginasTabela_) {
    tabela_->PrintPage(&p, &info);
    return;
  }
  const CabecalhoModelo& c = Cab();
  const bool moldura = config_.residual;
  if (moldura || c.U8(C::OffImprimeCabecalho)) ImprimeCabecalho(doc_, &p);
  const RetanguloImpressao area = CalculaAreaImpressao(doc_->GetCabecalho(), &p, false);
  ImprimeGraficos(p, area);
  if (moldura || c.U8(C::OffImprimeRodape)) ImprimeRodape(doc_, &p, &info);
}

void PaginaDiagnostico::TerminaImpressao(QPainter& p, CPrintInfo& info) {
  if (config_.residual && tabela_) tabela_->EndPrinting(&p, &info);
  AtualizaGraficos();  // printing changed their gradient
  DefineRotulos();
}

void PaginaDiagnostico::ImprimeGraficos(QPainter& p, const RetanguloImpressao& area) {
  const QString familia = config_.residual ? QStringLiteral("Arial") : QStringLiteral("Tahoma");
  QFont f8(familia), f8b(familia), f16(familia);
  f8.setPointSizeF(8.5);
  f8b.setPointSizeF(8.5);
  f8b.setBold(true);
  f16.setPointSize(16);
  f16.setBold(true);
  f16.setUnderline(true);
  const QFont anterior = p.font();
  p.setFont(QFont(f8, p.device()));
  const QFontMetrics fm = p.fontMetrics();
  const int L = std::max(1, int(1.2 * (fm.height() + fm.leading())));
  const int largura = area.Largura();
  p.setFont(QFont(f16, p.device()));
  const QString titulo = QString::fromUtf8(config_.tituloImpressao);
  Escreve(p, area.left + (largura - p.fontMetrics().horizontalAdvance(titulo)) / 2, area.top + 4 * L, titulo);
  p.setFont(QFont(f8b, p.device()));
  Escreve(p, area.left, area.top + 9 * L, QStringLiteral("Modelo : ") + Cab().Texto(C::OffNome, C::TamNome));
  p.setFont(anterior);
  const QPaintDevice* d = p.device();
  const int w = MulDiv(5102, d->logicalDpiX(), 1440), h = MulDiv(3401, d->logicalDpiY(), 1440);
  const QRect r1(area.left + largura / 2 - w / 2, area.top + 12 * L, w, h);
  const QRect r2 = r1.translated(0, h + h / 3);
  graficos_[0]->DesenhaImpressao(p, r1, EstilosGraficos[config_.estilo1]);
  graficos_[1]->DesenhaImpressao(p, r2, EstilosGraficos[config_.estilo2]);
}

int PaginaDiagnostico::ImprimeEm(QPrinter& impressora, bool previa) {
  QPainter p;
  if (!p.begin(&impressora)) return 0;
  CPrintInfo info;
  info.m_bPreview = previa;
  const int total = PreparaImpressao(p, info);
  const int de = impressora.fromPage() > 0 ? impressora.fromPage() : 1;
  const int ate = std::min(impressora.toPage() > 0 ? impressora.toPage() : total, total);
  int feitas = 0;
  for (int pagina = de; pagina <= ate; ++pagina) {
    if (pagina > de) impressora.newPage();
    info.m_nCurPage = pagina;
    ImprimePagina(p, info);
    ++feitas;
  }
  TerminaImpressao(p, info);
  p.end();
  return feitas;
}

void PaginaDiagnostico::Imprime(bool previa) {
  QPrinter impressora(QPrinter::HighResolution);
  if (previa) {
    VisualizaImpressao(impressora, window(), [this](QPrinter& alvo) { return ImprimeEm(alvo, true) > 0; });
    return;
  }
  QPrintDialog dlg(&impressora, window());
  dlg.setObjectName(QStringLiteral("dlgImprimir"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  if (ImprimeEm(impressora, false) == 0)
    plat::MessageBox(QStringLiteral("Não foi possível imprimir !"), QString(), plat::MB_ICONEXCLAMATION);
}

// ------------------------------------------------------------ window

JanelaDiagnostico::JanelaDiagnostico(CTarsolinDoc* doc, const QString& nome, const QString& titulo, QWidget* parent)
    : QWidget(parent), doc_(doc) {
  setObjectName(nome);
  setWindowTitle(doc->GetTitle() + titulo);
  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("1066"));
  abas_->setTabPosition(QTabWidget::South);
  abas_->setDocumentMode(true);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(abas_);
  resize(1000, 700);
}

void JanelaDiagnostico::AdicionaPagina(PaginaDiagnostico* pagina) {
  paginas_.push_back(pagina);
  abas_->addTab(pagina, QString::fromUtf8(pagina->Config().aba));
  abas_->tabBar()->setVisible(paginas_.size() > 1);
}

void JanelaDiagnostico::Inicia() {
  abas_->setCurrentIndex(0);
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  for (PaginaDiagnostico* p : paginas_) p->OnInitialUpdate();
}

PaginaDiagnostico* JanelaDiagnostico::Pagina(int i) const {
  return i >= 0 && i < int(paginas_.size()) ? paginas_[std::size_t(i)] : nullptr;
}

PaginaDiagnostico* JanelaDiagnostico::PaginaAtiva() const {
  return qobject_cast<PaginaDiagnostico*>(abas_->currentWidget());
}

QObject* JanelaDiagnostico::VistaAtiva() { return PaginaAtiva(); }

QWidget* JanelaDiagnostico::MolduraModelo() const {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  CMainFrame* principal = app ? app->MainFrame() : nullptr;
  return principal ? principal->MolduraModelo(doc_) : nullptr;
}

void JanelaDiagnostico::FechaJanela() {
  if (fechando_) return;
  fechando_ = true;
  QWidget* janela = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
  QTimer::singleShot(0, janela, [janela] { janela->close(); });
}
