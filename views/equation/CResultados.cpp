#include "CResultados.h"

#include "CHoverButton.h"
#include "TextoEquacao.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TabelasEstatisticas.h"
#include "platform/Dialogo.h"
#include "platform/TextoNumerico.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <algorithm>

namespace {
using C = CabecalhoModelo;
constexpr int kComandoAtualizaPaineis = 32889;

QPlainTextEdit* Campo(QWidget* pai, int id) {
  auto* e = new QPlainTextEdit(pai);
  e->setObjectName(QString::number(id));
  e->setReadOnly(true);
  e->setFixedHeight(42);
  e->setLineWrapMode(QPlainTextEdit::NoWrap);  // each figure keeps its line
  e->setMinimumWidth(200);
  e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Window text on a white background, as the fields were always drawn.
  QPalette p = e->palette();
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Text, pai->palette().color(QPalette::WindowText));
  e->setPalette(p);
  return e;
}

}  // namespace

std::vector<CResultados::Entrada>& CResultados::Tabela() {
  static std::vector<Entrada> t;
  return t;
}

int& CResultados::Ordenacao() {
  static int o = 0;
  return o;
}

CResultados::CResultados(CabecalhoModelo* cabecalho, QWidget* parent)
    : QDialog(parent), cab_(cabecalho), correnteInicial_(cabecalho->I32(C::OffEquacaoCorrente)) {
  setObjectName(QStringLiteral("dlg541"));
  setWindowTitle(QStringLiteral("Opções - Equações de regressão"));

  lista_ = new QComboBox(this);
  lista_->setObjectName(QStringLiteral("1040"));
  ordem_ = new QPushButton(QStringLiteral(">>"), this);
  ordem_->setObjectName(QStringLiteral("32809"));
  determinacao_ = Campo(this, 1045);
  f_ = Campo(this, 1065);
  desvio_ = Campo(this, 1046);
  durbin_ = Campo(this, 1047);
  outliers_ = Campo(this, 1088);
  residuos_ = Campo(this, 1104);
  regressores_ = new QTreeWidget(this);
  regressores_->setObjectName(QStringLiteral("1076"));
  regressores_->setRootIsDecorated(false);
  regressores_->setSelectionBehavior(QAbstractItemView::SelectRows);
  regressores_->setHeaderLabels({QStringLiteral("Variável"), QStringLiteral("Transf."), QStringLiteral("Cresc."),
                                 QStringLiteral("T Observado"), QStringLiteral("Significância")});
  const int larguras[] = {93, 58, 58, 80, 80};
  for (int i = 0; i < 5; ++i) regressores_->setColumnWidth(i, larguras[i]);
  regressores_->header()->setStretchLastSection(false);
  auto* legenda = new QLabel(QStringLiteral("Coeficientes da Regressão / Função Estimativa"), this);
  legenda->setObjectName(QStringLiteral("1024"));
  legenda->setAlignment(Qt::AlignCenter);
  legenda->setFrameShape(QFrame::StyledPanel);

  aplicar_ = new CHoverButton(QStringLiteral("&Aplicar"), this);
  aplicar_->setObjectName(QStringLiteral("1"));
  aplicar_->setDefault(true);
  auto* cancelar = new CHoverButton(QStringLiteral("&Cancelar"), this);
  cancelar->setObjectName(QStringLiteral("2"));
  for (auto* b : {static_cast<CHoverButton*>(aplicar_), cancelar}) {
    b->SetStateIcons(b == aplicar_ ? 149 : 137, CHoverButton::RepousoCinza);
    b->ShiftStateColour(CHoverButton::CorFaceAtiva, 30, false);
  }

  auto* g = new QGridLayout(this);
  int l = 0;
  g->addWidget(new QLabel(QStringLiteral("Correlação"), this), l, 0);
  auto* linhaLista = new QHBoxLayout;
  linhaLista->addWidget(lista_, 1);
  linhaLista->addWidget(ordem_);
  g->addLayout(linhaLista, l++, 1, 1, 3);
  const std::pair<const char*, QPlainTextEdit*> campos[] = {
      {"Determinação", determinacao_}, {"F. Calculado", f_}, {"Desvio Padrão", desvio_},
      {"Durbin Watson", durbin_}, {"Outliers", outliers_}, {"Resíduos", residuos_}};
  for (int i = 0; i < 6; ++i) {
    g->addWidget(new QLabel(QString::fromUtf8(campos[i].first), this), l + i / 2, (i % 2) * 2);
    g->addWidget(campos[i].second, l + i / 2, (i % 2) * 2 + 1);
  }
  l += 3;
  g->addWidget(regressores_, l++, 0, 1, 4);
  g->addWidget(legenda, l++, 0, 1, 4);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(aplicar_);
  botoes->addWidget(cancelar);
  g->addLayout(botoes, l, 0, 1, 4);
  resize(600, 540);

  // Regressor rows: one per enabled variable, in variable order.
  const int nv = std::clamp(cab_->I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
  for (int v = 0; v < nv; ++v) {
    if (cab_->I32(C::OffHabilitadas + 4 * v) == 0) continue;
    variaveis_.push_back(v);
    auto* item = new QTreeWidgetItem(regressores_);
    item->setText(0, cab_->Texto(C::OffNomesVariaveis + 31 * v, 31));
    item->setTextAlignment(1, Qt::AlignCenter);
    for (int c = 2; c < 5; ++c) item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }

  // The kept equations.
  const int kept = std::clamp(cab_->I32(C::OffNumEquacoes), 0, C::MaxEquacoes);
  std::vector<Entrada>& t = Tabela();
  t.clear();
  for (int e = 0; e < kept; ++e) {
    const Entrada en{cab_->F64(C::OffCorrelacao + 8 * e), cab_->F64(C::OffEstatisticasEquacao + 8 * e), e};
    t.push_back(en);
    lista_->addItem(plat::FormataC("%i - %8.7f  /  %8.7f", {e + 1, en.r, en.ro}));
  }
  Ordenacao() = cab_->U8(C::OffOpcoesCalculo + 11) ? 1 : 0;  // selection criterion at 408291
  ordem_->setText(Ordenacao() == 1 ? QStringLiteral("<<") : QStringLiteral(">>"));

  // A stored current equation beyond the kept list is clamped; an empty list
  // cannot be applied.
  aplicar_->setEnabled(kept > 0);
  if (kept > 0) {
    const int corrente = std::clamp(correnteInicial_, 0, kept - 1);
    lista_->setCurrentIndex(corrente);
    MostraEquacao(t[corrente].e);
  }
  connect(lista_, qOverload<int>(&QComboBox::currentIndexChanged), this, &CResultados::SelecionouLinha);
  connect(ordem_, &QPushButton::clicked, this, &CResultados::AlternaOrdem);
  connect(aplicar_, &QPushButton::clicked, this, &CResultados::accept);
  connect(cancelar, &QPushButton::clicked, this, &CResultados::reject);
  lista_->setFocus();
}

void CResultados::SelecionouLinha(int linha) {
  const std::vector<Entrada>& t = Tabela();
  if (linha >= 0 && linha < int(t.size())) MostraEquacao(t[linha].e);
}

void CResultados::MostraEquacao(int e) {
  const int nv = std::clamp(cab_->I32(C::OffNumVariaveis), 0, C::MaxVariaveis);
  const double r = cab_->F64(C::OffCorrelacao + 8 * e);
  determinacao_->setPlainText(plat::FormataC("%i -  %8.7G  /  %8.7G", {e + 1, r * r, cab_->DeterminacaoOriginal(e)}));

  const double dw = cab_->F64(C::OffEstatisticasEquacao + 800 * nv + 8 * e);
  if (dw == -1.0) {
    durbin_->setPlainText(QString());
  } else {
    // The verdict is asked of the header's current equation: set it for the moment.
    const int corrente = cab_->I32(C::OffEquacaoCorrente);
    cab_->SetI32(C::OffEquacaoCorrente, e);
    const char* veredito = "";
    const char* nivel = "";
    VerificaDurbinWatson(*cab_, &veredito, &nivel);
    cab_->SetI32(C::OffEquacaoCorrente, corrente);
    durbin_->setPlainText(plat::FormataC("%-9.2f\n%s %s", {dw, veredito ? veredito : "", nivel ? nivel : ""}));
  }
  f_->setPlainText(plat::FormataC("%-9.2f\n%3.2f", {cab_->F64(C::OffF + 8 * e), 1.0 - cab_->F64(C::OffConfiancaF + 8 * e)}));
  desvio_->setPlainText(plat::FormataC("%-9.5G\n%-9.5G", {cab_->F64(C::OffErroPadrao + 8 * e),
                                                          cab_->F64(C::OffErroPadraoOriginal + 8 * e)}));
  const int fora = cab_->I32(C::OffForaDe2 + 4 * e);
  const int considerados = cab_->I32(C::OffNumConsiderados);
  outliers_->setPlainText(plat::FormataC("%-4.1d(%3.2f%%)", {fora, considerados > 0 ? fora * 100.0 / considerados : 0.0}));
  residuos_->setPlainText(plat::FormataC("%3.3d - %3.3d - %3.3d", {cab_->I32(C::OffPercentual1 + 4 * e),
                                                                   cab_->I32(C::OffPercentual164 + 4 * e),
                                                                   cab_->I32(C::OffPercentual196 + 4 * e)}));
  for (int linha = 0; linha < int(variaveis_.size()); ++linha) {
    const int v = variaveis_[linha];
    QTreeWidgetItem* item = regressores_->topLevelItem(linha);
    item->setText(1, NomeTransformacao(cab_->I32VE(C::OffTransformacoes, v, e), cab_->F64VE(C::OffExpoentes, v, e)));
    const bool dependente = v == nv - 1;
    item->setText(2, dependente ? QString() : plat::FormataC("%5.2f", {cab_->F64VE(C::OffVariacaoPercentual, v, e)}));
    item->setText(3, dependente ? QString() : plat::FormataC("%8.2f", {cab_->F64VE(C::OffEstatisticaT, v, e)}));
    item->setText(4, dependente ? QString() : plat::FormataC("%5.2f", {100.0 - cab_->F64VE(C::OffSignificancias, v, e)}));
  }
}

void CResultados::AlternaOrdem() {
  std::vector<Entrada>& t = Tabela();
  if (Ordenacao() == 1) {
    Ordenacao() = 0;
    ordem_->setText(QStringLiteral(">>"));
    std::stable_sort(t.begin(), t.end(), [](const Entrada& a, const Entrada& b) { return a.r > b.r; });
  } else {
    Ordenacao() = 1;
    ordem_->setText(QStringLiteral("<<"));
    std::stable_sort(t.begin(), t.end(), [](const Entrada& a, const Entrada& b) { return a.ro > b.ro; });
  }
  const QSignalBlocker bloqueio(lista_);
  lista_->clear();
  for (const Entrada& en : t) lista_->addItem(plat::FormataC("%i -  %8.7G  /  %8.7G", {en.e + 1, en.r, en.ro}));
  if (!t.empty()) {
    lista_->setCurrentIndex(0);
    MostraEquacao(t[0].e);
  }
  lista_->setFocus();
}

void CResultados::accept() {
  const std::vector<Entrada>& t = Tabela();
  const int linha = lista_->currentIndex();
  if (linha < 0 || linha >= int(t.size())) return;
  cab_->SetI32(C::OffEquacaoCorrente, t[linha].e);
  CTarsolinDoc::Servicos().PostaComando(kComandoAtualizaPaineis);
  QDialog::accept();
}

bool EscolheEquacaoESalva(const QPointer<CTarsolinDoc>& doc, QWidget* pai) {
  if (!doc) return false;
  CabecalhoModelo* cab = doc->GetCabecalho();
  const int antes = cab->EquacaoCorrente();
  CResultados dlg(cab, pai);
  plat::ExecutaDialogo(dlg);
  if (!doc || cab->EquacaoCorrente() == antes) return false;
  doc->SetModifiedFlag(true);
  doc->DoSave(doc->GetPathName());
  doc->UpdateAllViews(nullptr, 3);
  return true;
}
