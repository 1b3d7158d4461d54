#include "CGraficoVariaveis.h"

#include "CExibirVariaveis.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "ControleSetas.h"
#include "EncaminhamentoModelo.h"
#include "EstiloGrafico.h"
#include "GradeVariaveis.h"
#include "controls/CTableCtrlEx.h"
#include "views/charts/CGrafico3D.h"
#include "views/data/CClassificar.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Dialogo.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

namespace {
using C = CabecalhoModelo;

constexpr int kClassificar = 32812, kNumerar = 32851, kCopiar = 57634;
constexpr int kEstilo = 12;  // "Variáveis"

const EncaminhamentoModelo& Encaminhados() {
  static const EncaminhamentoModelo e({32912, 32813, 32814, 32816, 32817, 32831, 32833, 32836, 32838, 32839, 32840,
                                       32841, 32852, 32909, 32911, 32913, 32914, 32915},
                                      {32833, 32836, 32838, 32839, 32840, 32841, 32852});
  return e;
}

constexpr uint32_t kDireita = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr uint32_t kEsquerda = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
}  // namespace

CGraficoVariaveis::CGraficoVariaveis(CTarsolinDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("CGraficoVariaveis"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(":2"));
  setAccessibleName(QStringLiteral("Gráfico de variáveis"));
  lista_ = CriaListaVariaveis(this, 1074, QStringLiteral("Médias e extremos das variáveis"));
  grade_ = CriaGradeVariaveis(this, 6);
  grafico_ = new CGrafico3D(this);
  grafico_->setObjectName(QStringLiteral("1121"));
  grafico_->setAccessibleName(QStringLiteral("Gráfico de três variáveis"));
  grafico_->setFocusPolicy(Qt::StrongFocus);
  setasY_ = new ControleSetas(this, 1112, QStringLiteral("Variável y"), [this](int d) { MoveY(d); });
  setasX_ = new ControleSetas(this, 1113, QStringLiteral("Variável x"), [this](int d) { MoveX(d); });
  setasZ_ = new ControleSetas(this, 1114, QStringLiteral("Variável z"), [this](int d) { MoveZ(d); });
  resize(900, 640);
}

CGraficoVariaveis::~CGraficoVariaveis() { delete grade_; }

CGraficoVariaveis* CGraficoVariaveis::Cria(CTarsolinDoc* doc, QWidget* parent) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* janela = new CGraficoVariaveis(doc, parent);
  if (CTarsolinApp* app = CTarsolinApp::Instancia())
    if (CMainFrame* principal = app->MainFrame()) principal->AplicaLayoutPreview();
  janela->OnInitialUpdate();
  return janela;
}

void CGraficoVariaveis::OnInitialUpdate() {
  const EstiloGrafico& estilo = EstilosGraficos[kEstilo];
  grafico_->DefineRepinturaAutomatica(false);
  grafico_->DefineMarcasVisiveis(false);
  grafico_->AplicaEstilo(estilo);
  grafico_->DefineRepinturaAutomatica(true);

  const CabecalhoModelo& c = *doc_->GetCabecalho();
  nv_ = std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis);
  for (int v = 0; v < nv_; ++v) {
    nomes_.push_back(c.NomeVariavel(v));
    habilitadas_.push_back(c.Habilitada(v));
    casas_.push_back(std::clamp(c.CasasDecimais(v), 0, 11));
  }
  // The records as they are now: the window keeps them until it closes.
  carregado_ = doc_->RegistrosCarregados() || doc_->CarregaRegistros();
  if (carregado_) {
    const dado* dados = doc_->GetDados();
    const int n = doc_->NumDados();
    for (int r = 0; r < n; ++r) {
      if (!dados[r].Considerado()) continue;
      linhas_.push_back({r, std::vector<double>(dados[r].valor, dados[r].valor + nv_), dados[r].Endereco(),
                         dados[r].Complemento()});
    }
  }
  x_ = 0;
  y_ = std::max(0, nv_ - 1);
  z_ = std::min(1, std::max(0, nv_ - 1));

  ConfiguraGradeVariaveis(*grade_, doc_, int(linhas_.size()) + 1, {40, 80, 80, 80, 160, 120});
  grade_->SetCellText(0, 4, QStringLiteral("Endereço"));
  grade_->SetCellText(0, 5, QStringLiteral("Observação"));
  if (!linhas_.empty()) Preenche(true);
  grade_->FitColumnsToContents();
  grade_->setFocus();
  resizeEvent(nullptr);
}

QString CGraficoVariaveis::Cabecalho(const char* eixo, int v) const {
  if (v < 0 || v >= nv_) return QString();
  const QString formato = habilitadas_[std::size_t(v)] ? QStringLiteral("%1 = %2") : QStringLiteral("%1 = * %2");
  return formato.arg(QLatin1String(eixo), nomes_[std::size_t(v)]);
}

void CGraficoVariaveis::Preenche(bool comEstatisticas) {
  if (nv_ == 0) return;
  grafico_->DefineTituloEixo(0, nomes_[std::size_t(x_)]);
  grafico_->DefineTituloEixo(1, nomes_[std::size_t(y_)]);
  grafico_->DefineTituloEixo(2, nomes_[std::size_t(z_)]);
  grade_->SetCellText(0, 1, Cabecalho("x", x_));
  grade_->SetCellText(0, 2, Cabecalho("y", y_));
  grade_->SetCellText(0, 3, Cabecalho("z", z_));
  std::vector<double> soma(std::size_t(nv_), 0.0), minimo(std::size_t(nv_), 0.0), maximo(std::size_t(nv_), 0.0);
  for (std::size_t k = 0; k < linhas_.size(); ++k) {
    const Linha& l = linhas_[k];
    const int linha = int(k) + 1;
    grade_->SetCellText(linha, 0, plat::FormataC("%4d", {l.registro + 1}));
    const int vs[3] = {x_, y_, z_};
    for (int c = 0; c < 3; ++c)
      grade_->SetCellText(linha, c + 1, FormataNumero(l.valores[std::size_t(vs[c])], casas_[std::size_t(vs[c])]));
    grade_->SetCellText(linha, 4, l.endereco);
    grade_->SetCellText(linha, 5, l.complemento);
    for (int c = 0; c < 4; ++c) grade_->SetCellFormat(linha, c, kDireita);
    grade_->SetCellFormat(linha, 4, kEsquerda);
    grade_->SetCellFormat(linha, 5, kEsquerda);
    if (!comEstatisticas) continue;
    for (int v = 0; v < nv_; ++v) {
      const double x = l.valores[std::size_t(v)];
      if (k == 0) minimo[std::size_t(v)] = maximo[std::size_t(v)] = x;
      minimo[std::size_t(v)] = std::min(minimo[std::size_t(v)], x);
      maximo[std::size_t(v)] = std::max(maximo[std::size_t(v)], x);
      soma[std::size_t(v)] += x;
    }
  }
  if (comEstatisticas) {
    lista_->clear();
    lista_->setColumnCount(4);
    lista_->setHeaderLabels({QStringLiteral("Variável"), QStringLiteral("Valor Médio"), QStringLiteral("Valor Mínimo"),
                             QStringLiteral("Valor Máximo")});
    lista_->header()->resizeSection(0, 100);
    for (int c = 1; c < 4; ++c) {
      lista_->header()->resizeSection(c, 95);
      lista_->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    const double k = double(linhas_.size());
    for (int v = 0; v < nv_; ++v) {
      const QString nome = habilitadas_[std::size_t(v)] ? nomes_[std::size_t(v)] : QStringLiteral("* ") + nomes_[std::size_t(v)];
      auto* item = new QTreeWidgetItem(
          lista_, {nome, plat::FormataC("%15.4f", {soma[std::size_t(v)] / k}).trimmed(),
                   FormataNumero(minimo[std::size_t(v)], casas_[std::size_t(v)]),
                   FormataNumero(maximo[std::size_t(v)], casas_[std::size_t(v)])});
      for (int c = 1; c < 4; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  grade_->viewport()->update();
  PreencheGrafico();
}

void CGraficoVariaveis::PreencheGrafico() {
  grafico_->DefineRepinturaAutomatica(false);
  grafico_->LimpaPontos();
  const int32_t cor = EstilosGraficos[kEstilo].corPontos;
  for (const Linha& l : linhas_)
    grafico_->AdicionaPonto(l.valores[std::size_t(x_)], l.valores[std::size_t(y_)], l.valores[std::size_t(z_)],
                            QString::number(l.registro + 1), cor);
  grafico_->DefineRepinturaAutomatica(true);
  grafico_->LimpaTitulo();
}

void CGraficoVariaveis::Move(int& indice, int passo) {
  if (nv_ == 0) return;
  const int antes = indice;
  indice = passo > 0 ? std::min(indice + 1, nv_ - 1) : std::max(indice - 1, 0);
  if (indice != antes) Preenche(false);
}

void CGraficoVariaveis::MoveX(int passo) { Move(x_, passo); }
void CGraficoVariaveis::MoveY(int passo) { Move(y_, passo); }
void CGraficoVariaveis::MoveZ(int passo) { Move(z_, passo); }

void CGraficoVariaveis::resizeEvent(QResizeEvent* e) {
  if (e) QWidget::resizeEvent(e);
  const int w = width(), h = height();
  grade_->setGeometry(0, 0, w / 2 - 1, h - 2);
  const int gx = w / 2 + 2;
  lista_->setGeometry(gx, 0, w - gx - 4, h / 2 - 2);
  const int gy = h / 2 + 2;
  grafico_->setGeometry(gx, gy, w - gx - 4, (h - 2) - gy);
  setasY_->move(gx, gy);
  setasX_->move(w - setasX_->width() - 4, h - setasX_->height() - 2);
  setasZ_->move(gx, h - setasZ_->height() - 2);
  for (QWidget* s : {static_cast<QWidget*>(setasX_), static_cast<QWidget*>(setasY_), static_cast<QWidget*>(setasZ_)})
    s->raise();
}

// ------------------------------------------------------------ commands

bool CGraficoVariaveis::TemComando(int id) const {
  if (Encaminhados().Encaminha(id)) return EncaminhamentoModelo::Moldura(doc_) != nullptr;
  return id == kClassificar || id == kNumerar || id == kCopiar;
}

bool CGraficoVariaveis::OnUpdateCmd(int id, EstadoComando& estado) {
  if (Encaminhados().Estado(doc_, id, estado)) return true;
  QWidget* foco = QApplication::focusWidget();
  switch (id) {
    case kNumerar:
      estado.habilitado = true;
      estado.marcado = numerar_;
      return true;
    case kCopiar:
      estado.habilitado = foco != lista_ && !lista_->isAncestorOf(foco);
      return true;
    case kClassificar:
      estado.habilitado = !linhas_.empty();
      return true;
    default:
      return false;
  }
}

bool CGraficoVariaveis::OnCmdMsg(int id) {
  if (!TemComando(id)) return false;
  if (Encaminhados().Executa(doc_, id)) return true;
  switch (id) {
    case kNumerar:
      numerar_ = !numerar_;
      grafico_->DefineMarcasVisiveis(numerar_);
      break;
    case kCopiar: Copia(); break;
    case kClassificar: Classifica(); break;
    default: break;
  }
  return true;
}

void CGraficoVariaveis::Classifica() {
  if (nv_ == 0) return;
  CClassificarVar dlg(&chave_, &descendente_, nomes_[std::size_t(x_)], nomes_[std::size_t(y_)], nullptr);
  if (plat::ExecutaDialogo(dlg) == QDialog::Rejected) return;
  // 1 and 2 the x and y columns by value; 3 the address and 4 the observation, as texts.
  const int coluna = chave_ <= 2 ? chave_ : chave_ + 1;
  const GridCompareFunc compara = chave_ <= 2 ? &ComparaCelulaValor : &CTableCtrl::CompareCellText;
  grade_->SortRowsByColumn(compara, coluna, descendente_ == 0);
  grade_->viewport()->update();
}

void CGraficoVariaveis::Copia() {
  QWidget* foco = QApplication::focusWidget();
  if (foco && (foco == grafico_ || grafico_->isAncestorOf(foco))) grafico_->CopiaParaAreaTransferencia();
  else grade_->OnEditCopy();
}
