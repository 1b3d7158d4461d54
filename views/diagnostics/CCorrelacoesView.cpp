#include "CCorrelacoesView.h"
#include "VisualizacaoImpressao.h"

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "DriversCalculo.h"
#include "EstiloGrafico.h"
#include "RoteadorComandos.h"
#include "views/charts/CTChart.h"
#include "views/equation/CResultados.h"
#include "views/equation/ControleSetas.h"

#include "controls/CTableCtrlEx.h"
#include "controls/ImpressaoPagina.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/Modulo.h"
#include "platform/TabelaTextos.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {
using C = CabecalhoModelo;
constexpr int kEscolhaEquacao = 32837, kConfigurarPagina = 57605, kImprimir = 57607, kImprimirDireto = 57608,
              kVisualizar = 57609, kCopiar = 57634, kDados = 32814;
constexpr int kEstiloIsoladas = 6, kEstiloInfluencia = 7;

// The model commands this window runs on the model window.
const std::vector<int> kEncaminhados = {32831, 32840, 32836, 32838, 32839, 32841, 32813, 32816, 32817, 32909,
                                        32911, 32913, 32914, 32915, 32908, kDados, 32852, 32853, 32912, 32862};

// Ordinal 1 of the correlations library: the model path and the two arrays.
using FuncaoCorrelacoes = int (*)(const char* caminho, double* isoladas, double* influencias);

int Pixels(double cm) {
  const QScreen* tela = QGuiApplication::primaryScreen();
  const double ppi = tela ? tela->logicalDotsPerInchX() : 96.0;
  return int(ppi * cm / 2.54);
}

void Escreve(QPainter& p, int x, int y, const QString& texto) {
  p.drawText(QPoint(x, y + p.fontMetrics().ascent()), texto);
}
}  // namespace

CCorrelacoesView::CCorrelacoesView(CTarsolinDoc* doc, QWidget* parent)
    : QWidget(parent), doc_(doc), isoladas_(Lado * Lado, 0.0), influencias_(Lado * Lado, 0.0) {
  setObjectName(QStringLiteral("CCorrelacoesView"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(" - Correlações"));
  abas_ = new QTabWidget(this);
  abas_->setObjectName(QStringLiteral("1066"));
  abas_->setTabPosition(QTabWidget::South);
  abas_->setDocumentMode(true);
  for (int i = 0; i < 2; ++i) {
    graficos_[i] = new CTChart(this);
    graficos_[i]->setObjectName(QString::number(1121 + i));
    graficos_[i]->setFocusPolicy(Qt::ClickFocus);
  }
  setas_ = new ControleSetas(this, 1112, QStringLiteral("Spin1"), [this](int d) { MoveSetas(d); });
  setas_->setToolTip(QStringLiteral("Variável a exibir"));
  connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int) { OnUpdate(); });
  resize(1000, 700);
}

CCorrelacoesView::~CCorrelacoesView() = default;

double CCorrelacoesView::Centesimos(double r) {
  // + 0.0: a small negative r gives 0, not "-0".
  return std::ceil(100.0 * r - 1e-9) + 0.0;
}

QString CCorrelacoesView::Forma(const CabecalhoModelo& cab, int v, int e) {
  static const char* const formas[] = {"x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
  const int codigo = cab.Transformacao(v, e);
  if (codigo < 1) return plat::FormataC("x^%3.2f", {cab.Expoente(v, e)});
  return codigo <= 7 ? QString::fromUtf8(formas[codigo - 1]) : QString();
}

int CCorrelacoesView::ContaHabilitadas() const {
  const CabecalhoModelo& c = Cab();
  const int nv = std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis);
  int m = 0;
  for (int v = 0; v < nv; ++v) m += c.Habilitada(v) ? 1 : 0;
  return m;
}

void CCorrelacoesView::OnInitialUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  setUpdatesEnabled(false);
  primeira_ = true;
  s_ = 0;
  m_ = ContaHabilitadas();
  const char* abas[2] = {"Isoladas", "Influência"};
  for (int i = 0; i < 2; ++i) {
    tabelas_[i] = new CTableCtrlEx(0, 0, 0, 0, abas_);
    tabelas_[i]->SetDlgCtrlID(1092 + i);
    tabelas_[i]->setObjectName(QString::number(1092 + i));
    tabelas_[i]->SetDocument(doc_);
    tabelas_[i]->setAccessibleName(QString::fromUtf8(abas[i]));
    abas_->addTab(tabelas_[i], QString::fromUtf8(abas[i]));
  }
  abas_->setCurrentIndex(0);
  abas_->raise();
  setUpdatesEnabled(true);
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  OnUpdate();  // the form view's initial update sends the first update
  Dispoe();
  for (CTableCtrlEx* t : tabelas_) {
    if (t->GetRowCount() > 1 && t->GetColumnCount() > 3) t->MoveFocusCell(1, 3);
    t->SetEditable(false);
  }
}

void CCorrelacoesView::OnUpdate() {
  if (!doc_ || !doc_->GetCabecalho() || !tabelas_[0]) return;
  if (Cab().EstadoCalculo() == 0) {
    Fecha();
    return;
  }
  // The enabled variables cannot change while the window is open (those
  // commands close it first); should they, the tables follow.
  const int m = ContaHabilitadas();
  if (primeira_ || m != m_) {
    m_ = m;
    s_ = std::clamp(s_, 0, std::max(0, m_ - 1));
    MontaTabelas();
    if (primeira_) ConfiguraGraficos();
    primeira_ = false;
  }
  if (!ChamaBiblioteca()) return;
  PreencheTabelas();
  PreencheGraficos();
}

void CCorrelacoesView::MontaTabelas() {
  for (CTableCtrlEx* t : tabelas_) {
    t->SetNumberOfRows(m_ + 1);
    t->SetNumberOfColumns(m_ + 3);
    t->SetNumberOfFixedRows(1);
    t->SetNumberOfFixedColumns(3);
    t->SetGridLineColour(ColorrefDeCor(palette().color(QPalette::Inactive, QPalette::Mid)));
    t->SetCellText(0, 0, QString());
    t->SetCellText(0, 1, plat::Texto(3043));
    t->SetCellText(0, 2, plat::Texto(3115));
    for (int r = 1; r <= m_; ++r) t->SetCellText(r, 0, plat::FormataC("%i", {r}));
    t->SetWidthOfColumn(0, Pixels(0.7));
    t->SetWidthOfColumn(1, Pixels(1.0));
    t->SetWidthOfColumn(2, Pixels(3.0));
  }
}

void CCorrelacoesView::ConfiguraGraficos() {
  const int estilos[2] = {kEstiloIsoladas, kEstiloInfluencia};
  for (int i = 0; i < 2; ++i) {
    CTChart* g = graficos_[i];
    g->DefineRepinturaAutomatica(false);
    g->RemoveSeries();
    const int s = g->AdicionaSerie(CTChart::SerieBarras);
    g->DefineCorPorPonto(s, true);
    g->AplicaEstilo(EstilosGraficos[estilos[i]]);
  }
}

bool CCorrelacoesView::ChamaBiblioteca() {
  // Whatever the library leaves unfilled reads as no correlation, not as the
  // previous model's figures.
  std::fill(isoladas_.begin(), isoladas_.end(), 0.0);
  std::fill(influencias_.begin(), influencias_.end(), 0.0);
  const QByteArray caminho = doc_->GetPathName().toLocal8Bit();
  const QString modulo = drivers::Modulos().mirsalto;
  const plat::EstadoModulo estado = plat::ChamaModulo(modulo, 1, [&](void* f) {
    reinterpret_cast<FuncaoCorrelacoes>(f)(caminho.constData(), isoladas_.data(), influencias_.data());
  });
  if (estado == plat::EstadoModulo::NaoCarregado) {
    plat::MessageBox(QStringLiteral("Não foi possível carregar a biblioteca %1 !").arg(modulo), QString(), plat::MB_OK);
    return false;
  }
  if (estado == plat::EstadoModulo::SemOrdinal) {
    plat::MessageBox(QStringLiteral("Não foi possível executar esta rotina !"), QString(), plat::MB_OK);
    return false;
  }
  return true;
}

void CCorrelacoesView::PreencheTabelas() {
  const CabecalhoModelo& c = Cab();
  const int nv = std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis);
  const int e = std::clamp(c.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  const std::vector<double>* matrizes[2] = {&isoladas_, &influencias_};
  for (int t = 0; t < 2; ++t) {
    CTableCtrlEx* tab = tabelas_[t];
    const std::vector<double>& M = *matrizes[t];
    int r = 0;
    for (int v = 0; v < nv && r < m_; ++v) {
      if (!c.Habilitada(v)) continue;
      ++r;
      const QString nome = c.NomeVariavel(v);
      tab->SetCellText(0, r + 2, nome);
      tab->SetCellText(r, 2, nome);
      tab->SetCellText(r, 1, Forma(c, v, e));
      for (int j = 0; j < m_; ++j) {
        const double x = M[std::size_t(Lado * (r - 1) + j)];
        const bool vazia = j == r - 1 || !std::isfinite(x);
        tab->SetCellText(r, j + 3, vazia ? QString() : plat::FormataC("%2.0f", {Centesimos(x)}));
        tab->SetCellFormat(r, j + 3, DT_RIGHT);
      }
    }
    // Names and forms must show whole, at least at the widths the window sets.
    for (int col = 1; col < m_ + 3; ++col) {
      const int minimo = col == 1 ? Pixels(1.0) : col == 2 ? Pixels(3.0) : 0;
      tab->AutoSizeColumn(col, CTableCtrl::GVS_BOTH, false);
      if (tab->WidthOfColumn(col) < minimo) tab->SetWidthOfColumn(col, minimo);
    }
    tab->viewport()->update();
  }
}

void CCorrelacoesView::PreencheGraficos() {
  if (m_ <= 0) return;
  s_ = std::clamp(s_, 0, m_ - 1);
  for (CTChart* g : graficos_) {
    g->DefineRepinturaAutomatica(false);
    g->LimpaSerie(0);
  }
  for (int i = 0; i < m_; ++i) {
    const double iso = isoladas_[std::size_t(Lado * s_ + i)], inf = influencias_[std::size_t(Lado * s_ + i)];
    graficos_[0]->AdicionaPonto(0, i + 1, std::isfinite(iso) ? Centesimos(iso) : 0.0, QString());
    const QColor cor = graficos_[0]->CorPonto(0, i);
    graficos_[1]->AdicionaPonto(0, i + 1, std::isfinite(inf) ? Centesimos(inf) : 0.0, QString(), ColorrefDeCor(cor));
    // The row number stays readable on a dark colour.
    const QColor texto = cor.lightness() < 100 ? Qt::white : Qt::black;
    for (CTableCtrlEx* t : tabelas_) {
      t->SetCellBackColour(i + 1, 0, ColorrefDeCor(cor));
      t->SetCellTextColour(i + 1, 0, ColorrefDeCor(texto));
    }
  }
  const QString nome = tabelas_[0]->GetCellText(s_ + 1, 2);
  const char* titulos[2] = {"Correlações Isoladas p/", "Correlações Influência p/"};
  const int estilos[2] = {kEstiloIsoladas, kEstiloInfluencia};
  for (int k = 0; k < 2; ++k) {
    CTChart* g = graficos_[k];
    g->LimpaTitulo();
    g->AdicionaLinhaTitulo(QString::fromUtf8(titulos[k]) + nome);
    g->DefineCorTitulo(EstilosGraficos[estilos[k]].corTitulo);
    g->DefineFonteTitulo(true, 8);
    g->DefineRepinturaAutomatica(true);
  }
  for (CTableCtrlEx* t : tabelas_) t->viewport()->update();
}

void CCorrelacoesView::MoveSetas(int passo) {
  const int antes = s_;
  if (passo < 0 && s_ > 0) --s_;
  if (passo > 0 && s_ < m_ - 1) ++s_;
  if (s_ != antes) PreencheGraficos();
}

void CCorrelacoesView::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Dispoe();
}

void CCorrelacoesView::Dispoe() {
  if (!tabelas_[0]) return;
  const int w = width(), h = height();
  abas_->setGeometry(0, 0, w - 2, h / 2 - 2);
  const int topo = h / 2 + 1, altura = (h - 2) - topo;
  graficos_[0]->setGeometry(0, topo, w / 2 - 1, altura);
  graficos_[1]->setGeometry(w / 2 + 1, topo, w - (w / 2 + 1), altura);
  setas_->move(w - 2 - setas_->width(), topo);
  setas_->raise();
}

QWidget* CCorrelacoesView::MolduraModelo() const {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  CMainFrame* principal = app ? app->MainFrame() : nullptr;
  return principal ? principal->MolduraModelo(doc_) : nullptr;
}

void CCorrelacoesView::Fecha() {
  if (fechando_) return;
  fechando_ = true;
  QWidget* janela = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
  QTimer::singleShot(0, janela, [janela] { janela->close(); });
}

// ------------------------------------------------------------ commands

bool CCorrelacoesView::TemComando(int id) const {
  if (std::find(kEncaminhados.begin(), kEncaminhados.end(), id) != kEncaminhados.end())
    return MolduraModelo() != nullptr;
  switch (id) {
    case kEscolhaEquacao: case kCopiar: return true;
    case kImprimir: case kImprimirDireto: case kVisualizar: return tabelas_[0] != nullptr;
    case kConfigurarPagina: return bool(CChildFrame::DialogoRegistrado(kConfigurarPagina));
    default: return false;
  }
}

bool CCorrelacoesView::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!doc_ || !doc_->GetCabecalho() || !TemComando(id)) return false;
  if (id == kEscolhaEquacao) {
    estado.habilitado = Cab().EstadoCalculo() != 0;
    return true;
  }
  if (std::find(kEncaminhados.begin(), kEncaminhados.end(), id) == kEncaminhados.end()) return false;
  // The command runs on the model window: it is enabled as it is there.
  QWidget* moldura = MolduraModelo();
  estado.habilitado = moldura && RoteadorComandos::EstadoEm(moldura, id).habilitado;
  return true;
}

bool CCorrelacoesView::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  if (std::find(kEncaminhados.begin(), kEncaminhados.end(), id) != kEncaminhados.end()) {
    if (QWidget* moldura = MolduraModelo()) RoteadorComandos::Instancia().PostaEm(moldura, id);
    return true;
  }
  switch (id) {
    case kEscolhaEquacao: EscolheEquacao(); break;
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

void CCorrelacoesView::EscolheEquacao() {
  EscolheEquacaoESalva(doc_, window());
}

void CCorrelacoesView::Copia() {
  // Only the charts are copied; the tables are not.
  QWidget* foco = QApplication::focusWidget();
  for (CTChart* g : graficos_)
    if (foco && (foco == g || g->isAncestorOf(foco))) {
      g->CopiaParaAreaTransferencia();
      return;
    }
}

// ------------------------------------------------------------ printing

int CCorrelacoesView::PreparaImpressao(QPainter&, CPrintInfo& info) {
  info.SetMaxPage(std::max(1, m_));
  return info.GetMaxPage();
}

void CCorrelacoesView::ImprimePagina(QPainter& p, CPrintInfo& info) {
  if (info.m_bPreview) DesenhaMargens(doc_, &p);
  const CabecalhoModelo& c = Cab();
  if (c.U8(C::OffImprimeCabecalho)) ImprimeCabecalho(doc_, &p);
  s_ = std::clamp(info.m_nCurPage - 1, 0, std::max(0, m_ - 1));
  const RetanguloImpressao area = CalculaAreaImpressao(doc_->GetCabecalho(), &p, false);
  ImprimeGraficos(p, area);
  if (c.U8(C::OffImprimeRodape)) ImprimeRodape(doc_, &p, &info);
}

void CCorrelacoesView::TerminaImpressao(QPainter&, CPrintInfo&) {
  PreencheGraficos();  // the variable of the last page, with the screen's gradient
}

void CCorrelacoesView::ImprimeGraficos(QPainter& p, const RetanguloImpressao& area) {
  QFont f8(QStringLiteral("Tahoma")), f8b(QStringLiteral("Tahoma")), f16(QStringLiteral("Tahoma"));
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
  const QString titulo = QStringLiteral("Correlações Parciais");
  Escreve(p, area.left + (largura - p.fontMetrics().horizontalAdvance(titulo)) / 2, area.top + 4 * L, titulo);
  p.setFont(QFont(f8b, p.device()));
  Escreve(p, area.left, area.top + 9 * L, QStringLiteral("Modelo : ") + Cab().Texto(C::OffNome, C::TamNome));
  p.setFont(anterior);
  PreencheGraficos();
  const QPaintDevice* d = p.device();
  const int w = MulDiv(5102, d->logicalDpiX(), 1440), h = MulDiv(3401, d->logicalDpiY(), 1440);
  const QRect r1(area.left + largura / 2 - w / 2, area.top + 12 * L, w, h);
  const QRect r2 = r1.translated(0, h + h / 3);
  graficos_[0]->DesenhaImpressao(p, r1, EstilosGraficos[kEstiloIsoladas]);
  graficos_[1]->DesenhaImpressao(p, r2, EstilosGraficos[kEstiloInfluencia]);
}

int CCorrelacoesView::ImprimeEm(QPrinter& impressora, bool previa) {
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

void CCorrelacoesView::Imprime(bool previa) {
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

CCorrelacoesView* CriaJanelaCorrelacoes(CTarsolinDoc* doc) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* janela = new CCorrelacoesView(doc);
  janela->OnInitialUpdate();
  return janela;
}
