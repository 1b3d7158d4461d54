#include "CPropertyGridView.h"
#include "VisualizacaoImpressao.h"

#include "PaineisModelo.h"
#include "ResumoModelo.h"
#include "views/charts/CTChart.h"
#include "views/modelo/ImpressaoModelo.h"

#include "controls/ImpressaoPagina.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QFontMetrics>
#include <algorithm>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
using C = CabecalhoModelo;
constexpr int kImprimir = 57607, kImprimirDireto = 57608, kVisualizar = 57609, kAtualizaPaineis = 32889;
const QColor kFundo(250, 250, 219);

int Corrente(const C& h) { return std::clamp(h.EquacaoCorrente(), 0, C::MaxEquacoes - 1); }
}  // namespace

// ------------------------------------------------------------ item

CXTPPropertyGridItemEx::CXTPPropertyGridItemEx(const QString& legenda, const QString& valor, int32_t cor)
    : PropertyGridItem(legenda, valor), cor_(cor) {
  DefineCor(cor);
}

void CXTPPropertyGridItemEx::DefineCor(int32_t cor) {
  cor_ = cor;
  // The value's colour holds for read-only items too: the delegate greys only
  // items without a colour of their own.
  setForeground(1, QBrush(CorValor()));
}

QColor CXTPPropertyGridItemEx::CorValor() const {
  return cor_ == resumo::Padrao ? QColor(Qt::black) : CorDeColorref(cor_);
}

// ------------------------------------------------------------ view

CPropertyGridView::CPropertyGridView(CTarsolinDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName(QStringLiteral("CPropertyGridView"));
  setWindowTitle(doc->GetTitle() + QStringLiteral(" - Resumo do Modelo"));
  connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int) {
    if (!primeira_) Atualiza();
  });
  resize(640, 720);
}

void CPropertyGridView::OnInitialUpdate() {
  primeira_ = false;
  grade_ = new PropertyGrid(this);
  grade_->setObjectName(QStringLiteral("1092"));
  QPalette pal = grade_->palette();
  pal.setColor(QPalette::Base, kFundo);
  pal.setColor(QPalette::AlternateBase, kFundo);
  pal.setColor(QPalette::Text, Qt::black);
  grade_->setPalette(pal);
  // The system's grey-text colour: readable on the categories' button face.
  const QBrush cinza(QColor(109, 109, 109));
  for (const GrupoResultados& g : GruposResultadosRL) {
    PropertyGridItem* categoria = grade_->AddCategory(QString::fromUtf8(g.categoria));
    categoria->setForeground(0, cinza);
    for (const char* legenda : g.itens) {
      if (!legenda) continue;
      auto* it = new CXTPPropertyGridItemEx(QString::fromUtf8(legenda), QString(), resumo::Preto);
      categoria->AddChildItem(it);
      // Figures of the model: only the equation is chosen here.
      it->SetReadOnly(true);
      itens_.insert(it->GetCaption(), it);
    }
    categoria->Expand();
  }
  CXTPPropertyGridItemEx* correlacao = itens_.value(QStringLiteral("Correlação"));
  correlacao->SetReadOnly(false);
  correlacao->SetFlags(PropertyGridItem::HasComboButton);
  itens_.value(QStringLiteral("Determinação"))
      ->setToolTip(1, QStringLiteral("Coeficiente de Determinação da Equação Ajustada."));
  connect(grade_, &PropertyGrid::valueChanged, this, &CPropertyGridView::EscolheEquacao);

  // The captions as wide as the widest, so none ends clipped.
  const QFontMetrics fm(grade_->font());
  int largura = 0;
  for (QTreeWidgetItemIterator it(grade_); *it; ++it)
    largura = std::max(largura, fm.horizontalAdvance((*it)->text(0)) + 2 * grade_->indentation());
  grade_->SetCaptionWidth(largura + 12);

  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(grade_);
  Atualiza();
}

void CPropertyGridView::Atualiza() {
  if (!grade_ || !doc_) return;
  const CabecalhoModelo* h = doc_->GetCabecalho();
  const QMap<QString, resumo::Valor> valores = resumo::Valores(h);
  for (auto it = itens_.cbegin(); it != itens_.cend(); ++it) {
    const resumo::Valor v = valores.value(it.key());
    it.value()->SetValue(v.texto);
    it.value()->DefineCor(v.cor);
  }
  CXTPPropertyGridItemEx* correlacao = itens_.value(QStringLiteral("Correlação"));
  correlacao->GetConstraints() = resumo::EntradasEquacoes(h);
  correlacao->SetConstraintIndex(h && h->EstadoCalculo() != 0 ? Corrente(*h) : -1);
  grade_->viewport()->update();
}

void CPropertyGridView::EscolheEquacao(PropertyGridItem* item) {
  CXTPPropertyGridItemEx* correlacao = itens_.value(QStringLiteral("Correlação"));
  if (!doc_ || !doc_->GetCabecalho() || item != correlacao) return;
  CabecalhoModelo& h = *doc_->GetCabecalho();
  const int escolhida = item->GetConstraintIndex();
  doc_->SaveModified();
  if (!doc_ || doc_->IsModified() || escolhida < 0 || escolhida >= item->GetConstraints().size()) {
    // Pending changes kept (or nothing chosen): the list goes back to the equation in force.
    Atualiza();
    return;
  }
  if (escolhida == Corrente(h)) return;
  h.SetEquacaoCorrente(escolhida);
  doc_->SetModifiedFlag(true);
  doc_->DoSave(doc_->GetPathName());
  doc_->UpdateAllViews(nullptr, 3);
  // The result panes show the current equation too.
  CTarsolinDoc::Servicos().PostaComando(kAtualizaPaineis);
}

// ------------------------------------------------------------ commands

bool CPropertyGridView::TemComando(int id) const {
  return id == kImprimir || id == kImprimirDireto || id == kVisualizar;
}

bool CPropertyGridView::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!TemComando(id)) return false;
  estado.habilitado = doc_ && doc_->GetCabecalho();
  return true;
}

bool CPropertyGridView::OnCmdMsg(int id) {
  if (!TemComando(id) || !doc_ || !doc_->GetCabecalho()) return false;
  Imprime(id == kVisualizar, id == kImprimir);
  return true;
}

int CPropertyGridView::ImprimeEm(QPrinter& impressora, bool previa) {
  QPainter p;
  if (!doc_ || !p.begin(&impressora)) return 0;
  ImpressaoModelo impressao(doc_, resumo::Pagina);
  CPrintInfo info;
  info.SetMaxPage(ImpressaoModelo::Paginas);
  info.m_bPreview = previa;
  const int de = std::max(1, impressora.fromPage());
  const int ate = impressora.toPage() > 0 ? std::min(impressora.toPage(), int(ImpressaoModelo::Paginas))
                                          : int(ImpressaoModelo::Paginas);
  int feitas = 0;
  for (int pagina = de; pagina <= ate; ++pagina) {
    if (pagina > de) impressora.newPage();
    info.m_nCurPage = pagina;
    impressao.ImprimePagina(p, info);
    ++feitas;
  }
  p.end();
  return feitas;
}

void CPropertyGridView::Imprime(bool previa, bool comDialogo) {
  QPrinter impressora(QPrinter::HighResolution);
  if (previa) {
    VisualizaImpressao(impressora, window(), [this](QPrinter& alvo) { return ImprimeEm(alvo, true) > 0; });
    return;
  }
  if (comDialogo) {
    QPrintDialog dlg(&impressora, window());
    dlg.setObjectName(QStringLiteral("dlgImprimir"));
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dlg.setMinMax(1, ImpressaoModelo::Paginas);
    if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  }
  if (ImprimeEm(impressora, false) == 0)
    plat::MessageBox(QStringLiteral("Não foi possível imprimir !"), QString(), plat::MB_ICONEXCLAMATION);
}

CPropertyGridView* CriaJanelaResumo(CTarsolinDoc* doc) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* vista = new CPropertyGridView(doc);
  vista->OnInitialUpdate();
  return vista;
}
