#include "CExibirVariaveis.h"

#include "CTarsolinApp.h"
#include "ControleSetas.h"
#include "EncaminhamentoModelo.h"
#include "EstiloGrafico.h"
#include "GradeVariaveis.h"
#include "ImpressaoGrade.h"
#include "controls/CTableCtrlEx.h"
#include "views/charts/CTChart.h"
#include "views/data/CClassificar.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>

namespace {
using C = CabecalhoModelo;

constexpr int kClassificar = 32812, kNumerar = 32851, kCopiar = 57634, kImprimir = 57607, kImprimirDireto = 57608,
              kVisualizar = 57609;

const EncaminhamentoModelo& Encaminhados() {
  static const EncaminhamentoModelo e({32813, 32814, 32816, 32817, 32831, 32833, 32836, 32838, 32839, 32840, 32841,
                                       32852, 32853, 32862, 32908, 32909, 32911, 32913, 32914, 32915},
                                      {32833, 32836, 32838, 32839, 32840, 32841});
  return e;
}

constexpr uint32_t kDireita = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
}  // namespace

int ComparaCelulaValor(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  if (!a || !b) return 0;
  const QString ta = a->Text(), tb = b->Text();
  return CTarsolinApp::ComparaValor(&ta, &tb);
}

CExibirVariaveis::CExibirVariaveis(CTarsolinDoc* doc, bool transformado, QWidget* parent)
    : QWidget(parent), doc_(doc), transformado_(transformado) {
  setObjectName(transformado ? QStringLiteral("1108") : QStringLiteral("1107"));
  setAccessibleName(transformado ? QStringLiteral("Transformada") : QStringLiteral("Direta"));
  lista_ = CriaListaVariaveis(this, 1076, QStringLiteral("Estatísticas das variáveis"));
  grade_ = CriaGradeVariaveis(this, 3);
  grade_->SetOwner(this);
  grafico_ = new CTChart(this);
  grafico_->setObjectName(QStringLiteral("1121"));
  grafico_->setAccessibleName(QStringLiteral("Gráfico das variáveis"));
  grafico_->setFocusPolicy(Qt::StrongFocus);
  setasY_ = new ControleSetas(this, 1112, QStringLiteral("Variável y"), [this](int d) { MoveY(d); });
  setasX_ = new ControleSetas(this, 1113, QStringLiteral("Variável x"), [this](int d) { MoveX(d); });
  if (doc_) connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int hint) { OnUpdate(hint); });
}

CExibirVariaveis::~CExibirVariaveis() { delete grade_; }

// ------------------------------------------------------------ set-up and updates

void CExibirVariaveis::OnInitialUpdate() {
  if (!doc_ || !doc_->GetCabecalho()) return;
  if (transformado_) grafico_->DefineRepinturaAutomatica(false);
  const EstiloGrafico& estilo = EstilosGraficos[transformado_ ? 3 : 2];
  // The points, and their least-squares line in the style's line colour.
  grafico_->AdicionaSerie(CTChart::SeriePontos);
  grafico_->DefineMarcasVisiveis(0, false);
  grafico_->DefinePonteiro(0, CTChart::PonteiroCirculo, 3, 3);
  grafico_->DefineCorSerie(0, estilo.corPontos);
  const int tendencia = grafico_->AdicionaTendencia(0);
  grafico_->DefineLarguraLinha(tendencia, 2);
  grafico_->DefineCorSerie(tendencia, estilo.corLinhas);
  grafico_->AplicaEstilo(estilo);
  grafico_->DefineRepinturaAutomatica(true);

  Recarrega();
  ConfiguraGradeVariaveis(*grade_, doc_, ContaConsiderados(doc_->GetDados(), n_) + 1, {40, 80, 80});
  if (!transformado_) grade_->SetSortComparer(&ComparaCelulaValor);

  if (n_ > 0) Preenche(true);
  iniciada_ = true;
  resizeEvent(nullptr);
  grade_->FitColumnsToContents();
  grade_->setFocus();
  numerar_ = false;
}

void CExibirVariaveis::Recarrega() {
  cab_ = doc_->GetCabecalho();
  if (!doc_->RegistrosCarregados()) doc_->CarregaRegistros();
  n_ = doc_->RegistrosCarregados() ? doc_->NumDados() : 0;
  nv_ = std::clamp(cab_->NumVariaveis(), 0, C::MaxVariaveis);
  const NEWMAT::Matrix& W = doc_->GetW();
  wyDisponivel_ = !transformado_ && n_ > 0 && W.Nrows() == n_ && W.Ncols() == n_;
  habilitadas_ = 0;
  for (int v = 0; v < nv_; ++v) habilitadas_ += cab_->Habilitada(v) ? 1 : 0;
  x_ = 0;
  y_ = std::max(0, nv_ - 1);
}

bool CExibirVariaveis::SemDados() const {
  const CabecalhoModelo* c = doc_ ? doc_->GetCabecalho() : nullptr;
  return !c || c->NumDados() <= 0 || c->NumConsiderados() <= 0 || c->NumVariaveis() <= 0;
}

void CExibirVariaveis::FechaJanela() {
  if (fechando_) return;
  fechando_ = true;
  // The host's MDI window goes once the current event is done.
  QWidget* janela = this;
  while (janela->parentWidget() && !qobject_cast<QMdiSubWindow*>(janela)) janela = janela->parentWidget();
  QTimer::singleShot(0, janela, [janela] { janela->close(); });
}

void CExibirVariaveis::OnUpdate(int hint) {
  if (!iniciada_ || !doc_) return;
  if (SemDados()) {
    FechaJanela();
    return;
  }
  if (hint == 4) {
    Recarrega();
    grade_->SetNumberOfRows(ContaConsiderados(doc_->GetDados(), n_) + 1);
    Preenche(true);
  }
  update();
  grade_->viewport()->update();
}

// ------------------------------------------------------------ values

double CExibirVariaveis::Valor(int registro, int k, int v) const {
  if (v >= nv_) return k < wy_.Nrows() ? wy_(k + 1) : 0.0;
  return ValorExibido(*cab_, doc_->GetDados(), registro, v, transformado_);
}

QString CExibirVariaveis::Texto(double valor, int v) const {
  return FormataNumero(valor, v >= nv_ ? 4 : CasasExibidas(*cab_, v, transformado_));
}

QString CExibirVariaveis::NomeEscolha(int v) const {
  return v >= nv_ ? QStringLiteral("Wy") : cab_->NomeVariavel(v);
}

QString CExibirVariaveis::Cabecalho(const char* eixo, int v) const {
  if (v >= nv_) return QStringLiteral("Wy");
  const QString formato = cab_->Habilitada(v) ? QStringLiteral("%1 = %2") : QStringLiteral("%1 = * %2");
  return formato.arg(QLatin1String(eixo), cab_->NomeVariavel(v));
}

void CExibirVariaveis::Preenche(bool comEstatisticas) {
  if (!doc_ || !cab_) return;
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) return;
  const dado* dados = doc_->GetDados();
  if (comEstatisticas) {
    if (wyDisponivel_) CalculaWy(*cab_, dados, n_, doc_->GetW(), wy_);
    else wy_.ReSize(0);
    est_ = CalculaEstatisticasVariaveis(*cab_, dados, n_, transformado_);
  }
  grade_->SetCellText(0, 1, Cabecalho("x", x_));
  grade_->SetCellText(0, 2, Cabecalho("y", y_));
  int k = 0;
  for (int r = 0; r < n_; ++r) {
    if (!dados[r].Considerado()) continue;
    const int linha = k + 1;
    if (linha >= grade_->GetRowCount()) break;
    grade_->SetCellText(linha, 0, plat::FormataC("%4d", {r + 1}));
    grade_->SetCellText(linha, 1, Texto(Valor(r, k, x_), x_));
    grade_->SetCellText(linha, 2, Texto(Valor(r, k, y_), y_));
    for (int c = 0; c < 3; ++c) grade_->SetCellFormat(linha, c, kDireita);
    ++k;
  }
  if (comEstatisticas) PreencheLista();
  MarcaEscolhidas();
  grade_->viewport()->update();
  PreencheGrafico();
}

void CExibirVariaveis::PreencheLista() {
  lista_->clear();
  QStringList colunas{QStringLiteral("Variável")};
  if (transformado_) colunas << QStringLiteral("Equação");
  colunas << QStringLiteral("Valor Médio") << QStringLiteral("Valor Mínimo") << QStringLiteral("Valor Máximo")
          << QStringLiteral("Amplitude") << QStringLiteral("DP") << QStringLiteral("CV");
  lista_->setColumnCount(int(colunas.size()));
  lista_->setHeaderLabels(colunas);
  const int primeiraNumerica = transformado_ ? 2 : 1;
  lista_->header()->resizeSection(0, 100);
  // The transformation column is 40 pixels wide, or as wide as its heading needs.
  if (transformado_)
    lista_->header()->resizeSection(1, std::max(40, lista_->header()->fontMetrics().horizontalAdvance(colunas[1]) + 16));
  for (int c = primeiraNumerica; c < colunas.size(); ++c) {
    lista_->header()->resizeSection(c, 95);
    lista_->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  if (transformado_) lista_->headerItem()->setTextAlignment(1, Qt::AlignHCenter | Qt::AlignVCenter);
  for (int v = 0; v < nv_ && v < int(est_.size()); ++v) {
    const EstatisticaVariavel& e = est_[std::size_t(v)];
    const int casas = CasasExibidas(*cab_, v, transformado_);
    QStringList textos{cab_->Habilitada(v) ? cab_->NomeVariavel(v) : QStringLiteral("* ") + cab_->NomeVariavel(v)};
    if (transformado_) textos << TransformacaoExibida(*cab_, v);
    textos << FormataNumero(e.media, casas) << FormataNumero(e.minimo, casas) << FormataNumero(e.maximo, casas)
           << FormataNumero(e.Amplitude(), casas) << FormataNumero(e.dp, 4) << FormataNumeroPercentual(e.CV(), 2, 1);
    auto* item = new QTreeWidgetItem(lista_, textos);
    for (int c = primeiraNumerica; c < textos.size(); ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    if (transformado_) item->setTextAlignment(1, Qt::AlignHCenter | Qt::AlignVCenter);
  }
}

void CExibirVariaveis::MarcaEscolhidas() {
  // The rows of the chosen x and y variables are written in blue.
  for (int v = 0; v < lista_->topLevelItemCount(); ++v) {
    QTreeWidgetItem* item = lista_->topLevelItem(v);
    const bool escolhida = v == x_ || v == y_;
    for (int c = 0; c < lista_->columnCount(); ++c)
      item->setForeground(c, escolhida ? QBrush(QColor(0, 0, 255)) : QBrush());
  }
}

void CExibirVariaveis::PreencheGrafico() {
  grafico_->LimpaSerie(0);
  grafico_->DefineRepinturaAutomatica(false);
  const dado* dados = doc_->GetDados();
  const int32_t cor = EstilosGraficos[transformado_ ? 3 : 2].corPontos;
  int k = 0;
  for (int r = 0; dados && r < n_; ++r) {
    if (!dados[r].Considerado()) continue;
    grafico_->AdicionaPonto(0, Valor(r, k, x_), Valor(r, k, y_), QString::number(r + 1), cor);
    ++k;
  }
  grafico_->DefineTituloEixo(Qt::Horizontal, NomeEscolha(x_));
  grafico_->DefineTituloEixo(Qt::Vertical, NomeEscolha(y_));
  grafico_->LimpaTitulo();
  grafico_->DefineRepinturaAutomatica(true);
}

void CExibirVariaveis::MoveX(int passo) {
  if (!cab_) return;
  const int antes = x_;
  x_ = passo > 0 ? std::min(x_ + 1, UltimaEscolha()) : std::max(x_ - 1, 0);
  if (x_ != antes) Preenche(false);
}

void CExibirVariaveis::MoveY(int passo) {
  if (!cab_) return;
  const int antes = y_;
  y_ = passo > 0 ? std::min(y_ + 1, UltimaEscolha()) : std::max(y_ - 1, 0);
  if (y_ != antes) Preenche(false);
}

// ------------------------------------------------------------ layout

void CExibirVariaveis::resizeEvent(QResizeEvent* e) {
  if (e) QWidget::resizeEvent(e);
  const int w = width(), h = height();
  lista_->setGeometry(2, 2, w - 6, h / 2 - 4);
  grade_->setGeometry(2, h / 2 + 2, w / 2 - 4, h - h / 2 - 4);
  const int gx = w / 2 + 2, gy = h / 2 + 2;
  grafico_->setGeometry(gx, gy, (w - 4) - gx, (h - 2) - gy);
  setasY_->move(gx, gy);
  setasX_->move(w - setasX_->width() - 4, h - setasX_->height() - 2);
  setasY_->raise();
  setasX_->raise();
}

// ------------------------------------------------------------ commands

bool CExibirVariaveis::TemComando(int id) const {
  if (Encaminhados().Encaminha(id)) return EncaminhamentoModelo::Moldura(doc_) != nullptr;
  switch (id) {
    case kClassificar: case kNumerar: case kCopiar: case kImprimir: case kImprimirDireto: case kVisualizar:
      return cab_ != nullptr;
    default:
      return false;
  }
}

bool CExibirVariaveis::OnUpdateCmd(int id, EstadoComando& estado) {
  if (Encaminhados().Estado(doc_, id, estado)) return true;
  if (id == kNumerar && cab_) {
    estado.habilitado = true;
    estado.marcado = numerar_;
    return true;
  }
  if (id == kCopiar && cab_) {
    QWidget* foco = QApplication::focusWidget();
    const bool grafico = foco && (foco == grafico_ || grafico_->isAncestorOf(foco));
    estado.habilitado = grafico || grade_->CanCopy();
    return true;
  }
  return false;
}

bool CExibirVariaveis::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  if (Encaminhados().Executa(doc_, id)) return true;
  switch (id) {
    case kClassificar: Classifica(); break;
    case kNumerar:
      numerar_ = !numerar_;
      grafico_->DefineMarcasVisiveis(0, numerar_);
      break;
    case kCopiar: Copia(); break;
    case kImprimir: case kImprimirDireto: case kVisualizar: {
      // The model's margins, the rest of the grid's layout unchanged.
      int layout[7];
      grade_->GetPrintLayout(layout);
      layout[2] = cab_->I32(C::OffMargens);
      layout[3] = cab_->I32(C::OffMargens + 4);
      layout[4] = cab_->I32(C::OffMargens + 8);
      layout[5] = cab_->I32(C::OffMargens + 12);
      grade_->SetPrintLayout(layout[0], layout[1], layout[2], layout[3], layout[4], layout[5], layout[6]);
      ImprimeGrade(*grade_, doc_, window(), id == kVisualizar);
      break;
    }
    default: break;
  }
  return true;
}

void CExibirVariaveis::Classifica() {
  CClassificarVar dlg(&chave_, &descendente_, NomeEscolha(x_), NomeEscolha(y_), nullptr);
  if (plat::ExecutaDialogo(dlg) == QDialog::Rejected) return;
  // Keys 1 and 2 are the two variables' columns; address and complement are
  // not columns of this grid, so those choices leave the order as it was.
  const GridCompareFunc compara = (chave_ == 1 || chave_ == 2) ? &ComparaCelulaValor : &CTableCtrl::CompareCellText;
  grade_->SortRowsByColumn(compara, chave_, descendente_ == 0);
  grade_->viewport()->update();
  // The focus cell stays in sight after the sort.
  const CCellID foco = grade_->GetFocusCell();
  if (foco.row >= 0 && foco.col >= 0) grade_->EnsureVisible(foco.row, foco.col);
}

void CExibirVariaveis::Copia() {
  QWidget* foco = QApplication::focusWidget();
  if (foco && (foco == grafico_ || grafico_->isAncestorOf(foco))) grafico_->CopiaParaAreaTransferencia();
  else grade_->OnEditCopy();
}

int CExibirVariaveis::OnGridNotify(GridNmHdr& hdr) {
  // The transformed page picks the comparer from the pressed column: numbers
  // in the first three columns, texts beyond.
  if (transformado_ && hdr.code == GVN_SELCHANGING) {
    const auto& nm = reinterpret_cast<const NM_GRIDVIEW&>(hdr);
    grade_->SetSortComparer(nm.iColumn <= 2 ? &ComparaCelulaValor : &CTableCtrl::CompareCellText);
  }
  return 0;
}
