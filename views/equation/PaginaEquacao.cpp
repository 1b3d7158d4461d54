#include "PaginaEquacao.h"

#include "CChildFrame.h"
#include "ControleSetas.h"
#include "CMainFrame.h"
#include "CEquacaoViewTab.h"
#include "CResultados.h"
#include "ComandosModelo.h"
#include "EstiloGrafico.h"
#include "ImpressaoEquacao.h"
#include "RoteadorComandos.h"
#include "TextoEquacao.h"
#include "views/charts/CTChart.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QHeaderView>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
using C = CabecalhoModelo;

constexpr int kEscolhaEquacao = 32837, kConfigurarPagina = 57605, kImprimir = 57607, kVisualizar = 57609,
              kCopiar = 57634;


const char* const kColunasLineares[] = {"Variável", "Valor Médio", "T Observado", "Coef.Equação", "Forma", "Cresc"};
const char* const kColunasEspaciais[] = {"Variável", "Valor Médio", "t Calculado", "Coef.Equação", "Transf.", "Relac."};
constexpr int kLarguras[] = {160, 100, 100, 140, 60, 70};
constexpr Qt::Alignment kAlinhamentos[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight,
                                           Qt::AlignRight, Qt::AlignHCenter, Qt::AlignHCenter};

// A growth that is not a number (a zero estimate at the mean) shows as an error.
QString Crescimento(double g) { return std::isfinite(g) ? plat::FormataC("%8.2f", {g}) : QStringLiteral("Erro"); }
}  // namespace

PaginaEquacao::PaginaEquacao(const ConfigPagina& config, CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent)
    : QWidget(parent), config_(config), doc_(doc), host_(host) {
  setObjectName(QString::number(config.id));
  setAccessibleName(QString::fromUtf8(config.aba));
  lista_ = new QTreeWidget(this);
  lista_->setObjectName(QStringLiteral("1074"));
  lista_->setAccessibleName(QStringLiteral("Variáveis da equação"));
  lista_->setRootIsDecorated(false);
  lista_->setUniformRowHeights(true);
  lista_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lista_->setAllColumnsShowFocus(true);
  texto_ = new QTextEdit(this);
  texto_->setObjectName(QStringLiteral("1105"));
  texto_->setAccessibleName(QStringLiteral("Equação"));
  texto_->setReadOnly(true);
  texto_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  texto_->setTabStopDistance(48);
  grafico_ = new CTChart(this);
  grafico_->setObjectName(QStringLiteral("1121"));
  setas_ = new ControleSetas(this, 1112, QStringLiteral("Spin1"), [this](int d) { MoveRegressor(d); });
  setas_->raise();
  connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int) { OnUpdate(); });
}

PaginaEquacao::~PaginaEquacao() = default;

QObject* PaginaEquacao::DocumentoAlvo() { return doc_; }

const EstiloGrafico& PaginaEquacao::Estilo() const { return EstilosGraficos[config_.estilo]; }

void PaginaEquacao::OnInitialUpdate() {
  inicial_ = true;
  OnUpdate();
  inicial_ = false;
  resizeEvent(nullptr);
  texto_->moveCursor(QTextCursor::Start);
  if (isVisible()) grafico_->setFocus();
}

void PaginaEquacao::OnUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  // A model without results has no equation to show: the window goes.
  if (doc_->GetCabecalho()->EstadoCalculo() == 0) {
    host_->FechaJanela();
    return;
  }
  if (!configurada_) ConfiguraPrimeiraVez();
  CalculaSensibilidade();
  PreencheTabela();
  MontaTexto();
  MontaGrafico();
  if (isVisible()) lista_->setFocus();
}

void PaginaEquacao::CalculaSensibilidade() {
  ::CalculaSensibilidade(sens_, host_->Estatisticas(), *cab_, config_.forma);
}

void PaginaEquacao::ConfiguraPrimeiraVez() {
  configurada_ = true;
  cab_ = doc_->GetCabecalho();
  atual_ = 0;
  const EstiloGrafico& estilo = Estilo();
  if (config_.degrau) {
    for (int classe : {CTChart::SeriePontos, CTChart::SerieLinha, CTChart::SeriePontos, CTChart::SerieLinha})
      grafico_->AdicionaSerie(classe);
    grafico_->DefinePonteiro(0, CTChart::PonteiroCirculo, 8, 8);
    grafico_->DefinePonteiro(2, CTChart::PonteiroRetangulo, 4, 4);
    grafico_->DefineCorSerie(3, 0);
  } else {
    for (int classe : {CTChart::SeriePontos, CTChart::SerieLinha}) grafico_->AdicionaSerie(classe);
    grafico_->DefinePonteiro(0, CTChart::PonteiroCirculo, 8, 8);
  }
  grafico_->DefineCorSerie(1, estilo.corLinhas);
  grafico_->AplicaEstilo(estilo);

  QFont fonte = lista_->font();
  fonte.setWeight(QFont::Bold);
  negrito_ = fonte;
  const char* const* titulos = config_.colunasEspaciais ? kColunasEspaciais : kColunasLineares;
  QStringList cabecalhos;
  for (int c = 0; c < 6; ++c) cabecalhos << QString::fromUtf8(titulos[c]);
  lista_->setHeaderLabels(cabecalhos);
  lista_->header()->setStretchLastSection(false);
  for (int c = 0; c < 6; ++c) {
    lista_->setColumnWidth(c, kLarguras[c]);
    lista_->headerItem()->setTextAlignment(c, kAlinhamentos[c] | Qt::AlignVCenter);
  }
  const EstatisticasEquacao& s = host_->Estatisticas();
  for (int i = 0; i < s.k; ++i) {
    auto* item = new QTreeWidgetItem(lista_);
    item->setText(0, cab_->NomeVariavel(s.mapa[i]));
    for (int c = 0; c < 6; ++c) item->setTextAlignment(c, kAlinhamentos[c] | Qt::AlignVCenter);
  }
}

void PaginaEquacao::PreencheTabela() {
  const EstatisticasEquacao& s = host_->Estatisticas();
  const bool espacial = FormaEspacial(config_.forma), estimativa = FormaEstimativa(config_.forma);
  const int e = sens_.equacao;
  const NEWMAT::Matrix& b = espacial ? s.bS : s.b;
  if (b.Nrows() != s.k) return;
  for (int i = 0; i < s.k && i < lista_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = lista_->topLevelItem(i);
    const int v = s.mapa[i];
    const bool dependente = i == s.k - 1;
    QString nome = cab_->NomeVariavel(v);
    if (!dependente && s.DoisValores(i)) nome = nome.left(25) + QStringLiteral(" *");
    item->setText(0, nome);
    const double media = estimativa ? s.media[i + 1] : s.mediaT[i + 1];
    item->setText(1, plat::FormataC("%8.4f", {dependente ? sens_.E : media}));
    const double t = espacial ? cab_->F64(C::OffResultadosEspaciais + 8 * std::size_t(66 + v))
                              : cab_->F64VE(C::OffEstatisticaT, v, e);
    item->setText(2, dependente ? QStringLiteral("T-Indep") : plat::FormataC("%8.2f", {t}));
    item->setText(3, plat::FormataC("%+10.6G", {b(dependente ? 1 : i + 2, 1)}));
    item->setText(4, NomeTransformacao(cab_->Transformacao(v, e), cab_->Expoente(v, e)));
    item->setText(5, dependente ? QStringLiteral(" ") : Crescimento(sens_.crescimento[i]));
    const bool contradiz = LinhaEmContradicao(i);
    for (int c = 0; c < 6; ++c) {
      item->setForeground(c, contradiz ? QBrush(Qt::red) : QBrush());
      item->setFont(c, contradiz ? negrito_ : lista_->font());
    }
  }
}

bool PaginaEquacao::LinhaEmContradicao(int linha) const {
  if (!config_.aviso || !host_ || !cab_) return false;
  const EstatisticasEquacao& s = const_cast<CEquacaoViewTab*>(host_)->Estatisticas();
  if (linha < 0 || linha >= s.k - 1) return false;  // the dependent's row never is
  return ContradizRelacao(sens_.crescimento[linha], cab_->Relacao(s.mapa[linha]));
}

void PaginaEquacao::MontaTexto() {
  const EstatisticasEquacao& s = host_->Estatisticas();
  const bool espacial = FormaEspacial(config_.forma);
  ParametrosTextoEquacao p;
  p.cab = cab_;
  p.mapa = s.mapa;
  p.k = s.k;
  p.b = espacial ? &s.bS : &s.b;
  p.equacao = sens_.equacao;
  p.estimativa = FormaEstimativa(config_.forma);
  p.lag = espacial && s.lag;
  p.rho = s.rho;
  textoEquacao_ = MontaTextoEquacao(p);

  texto_->clear();
  QTextCursor c(texto_->document());
  // Courier New bold: the title underlined, 10 points, blue; the equation 8 points, black.
  auto formato = [](bool sublinhado, int pontos, const QColor& cor) {
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Courier New")});
    f.setFontWeight(QFont::Bold);
    f.setFontUnderline(sublinhado);
    f.setFontItalic(false);
    f.setFontPointSize(pontos);
    f.setForeground(cor);
    return f;
  };
  c.insertText(QString::fromUtf8(config_.titulo) + QStringLiteral(":\n\n"), formato(true, 10, QColor(0, 0, 255)));
  const QTextCharFormat corpo = formato(false, 8, Qt::black);
  c.insertText(QString(textoEquacao_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), corpo);
  texto_->moveCursor(QTextCursor::Start);
}

QString PaginaEquacao::TextoImpressao() const {
  QString t = QString::fromUtf8(config_.titulo) + QStringLiteral(":") + textoEquacao_;
  return t.remove(QStringLiteral("\r\n")).remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
}

void PaginaEquacao::MontaGrafico() {
  const EstatisticasEquacao& s = host_->Estatisticas();
  const int j = atual_;
  grafico_->DefineRepinturaAutomatica(false);
  for (int serie = 0; serie < grafico_->NumSeries(); ++serie) grafico_->LimpaSerie(serie);
  grafico_->LimpaTitulo();
  if (j < 0 || j >= s.k - 1) {
    grafico_->DefineRepinturaAutomatica(true);
    return;
  }
  constexpr int32_t amarelo = 0x00FFFF, preto = 0;
  const bool dois = s.DoisValores(j);
  if (dois) {
    grafico_->AdicionaPonto(0, sens_.curvaX[11 * j], sens_.curvaY[11 * j], QString(), amarelo);
    grafico_->AdicionaPonto(0, sens_.curvaX[11 * j + 10], sens_.curvaY[11 * j + 10], QString(), amarelo);
  }
  if (config_.degrau && !dois) {
    // The rise of the estimate from the mean: up from E to E_j, then across to the changed value.
    const double media = s.media[j + 1];
    const double alterado = media + (s.maximo[j] - s.minimo[j]) / 10.0;
    grafico_->AdicionaPonto(3, media, sens_.E, QString(), preto);
    grafico_->AdicionaPonto(3, media, sens_.alterada[j], QString(), preto);
    grafico_->AdicionaPonto(3, alterado, sens_.alterada[j], QStringLiteral("AAA"), preto);
    grafico_->AdicionaPonto(2, media, sens_.E, QString(), amarelo);
    grafico_->AdicionaPonto(2, alterado, sens_.alterada[j], QString(), amarelo);
  }
  for (int u = 0; u <= 10; ++u)
    grafico_->AdicionaPonto(1, sens_.curvaX[11 * j + u], sens_.curvaY[11 * j + u], QString(), CTChart::CorPadrao);
  grafico_->AdicionaLinhaTitulo(QString::fromUtf8(config_.cabecalhoGrafico) + cab_->NomeVariavel(s.mapa[j]));
  grafico_->DefineFonteTitulo(true, 10);
  grafico_->DefineRepinturaAutomatica(true);
}

void PaginaEquacao::MoveRegressor(int delta) {
  const int k = host_->Estatisticas().k;
  if (delta > 0) {
    if (atual_ >= k - 2) return;
    ++atual_;
  } else {
    if (atual_ <= 0) return;
    --atual_;
  }
  MontaGrafico();
}

void PaginaEquacao::MostraRegressor(int j) {
  atual_ = std::clamp(j, 0, std::max(0, host_->Estatisticas().k - 2));
  MontaGrafico();
}

const EstatisticasEquacao& PaginaEquacao::Estatisticas() { return host_->Estatisticas(); }

void PaginaEquacao::resizeEvent(QResizeEvent* e) {
  if (e) QWidget::resizeEvent(e);
  const int cx = width(), cy = height();
  const int h = cy / 2 - 2;
  lista_->setGeometry(0, 0, cx, h);
  texto_->setGeometry(0, h, cx / 2 - 1, cy - h - 2);
  const int w = setas_->width();
  // The estimate-function page starts its chart at the middle, the others beside the text.
  const int topo = config_.degrau ? cy / 2 - 1 : h;
  const int altura = config_.degrau ? cy - (cy / 2 - 1) - 1 : cy - h - 2;
  grafico_->setGeometry(cx / 2 + 1, topo, cx - (cx / 2 + 1), altura);
  setas_->move(cx - w, topo);
  setas_->raise();
}

// ------------------------------------------------------------ commands

bool PaginaEquacao::TemComando(int id) const {
  if (ComandoDoModelo(id)) return MolduraDoModelo(doc_) != nullptr;
  if (id == kConfigurarPagina) return bool(CChildFrame::DialogoRegistrado(kConfigurarPagina));
  return id == kEscolhaEquacao || id == kImprimir || id == kVisualizar || id == kCopiar;
}

bool PaginaEquacao::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!ComandoDoModelo(id) || !doc_ || !doc_->GetCabecalho()) return false;
  EstadoComandoDoModelo(doc_, id, estado);
  return true;
}

bool PaginaEquacao::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  if (ComandoDoModelo(id)) {
    EncaminhaAoModelo(doc_, id);
    return true;
  }
  switch (id) {
    case kEscolhaEquacao: EscolheEquacao(); break;
    case kConfigurarPagina:
      if (auto dialogo = CChildFrame::DialogoRegistrado(kConfigurarPagina)) dialogo(*doc_);
      break;
    case kCopiar: Copia(); break;
    case kImprimir: ImprimeEquacao(*this, false); break;
    case kVisualizar: ImprimeEquacao(*this, true); break;
    default: break;
  }
  return true;
}

void PaginaEquacao::EscolheEquacao() {
  if (!EscolheEquacaoESalva(doc_, window())) return;
  if (config_.fechaAposEscolha) host_->FechaJanela();
}

void PaginaEquacao::Copia() {
  QWidget* foco = QApplication::focusWidget();
  if (foco && (foco == grafico_ || grafico_->isAncestorOf(foco))) grafico_->CopiaParaAreaTransferencia();
  else texto_->copy();
}

bool PaginaEquacao::OnPedeFormato(QTextCharFormat& formato) {
  // The list's font at 10 points, automatic colour.
  formato = CMainFrame::FormatoDezPontos(lista_->font().family().left(32));
  return true;
}

bool PaginaEquacao::OnDefineFormato(const QTextCharFormat&) { return true; }  // the page keeps its format
