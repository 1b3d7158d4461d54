#include "PaineisModelo.h"

#include "CTarsolinApp.h"
#include "ModeloCorrente.h"

#include "controls/CCustomItemSpin.h"
#include "controls/CTableCell.h"
#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TabelasEstatisticas.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QPalette>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QFontMetrics>
#include <QWidget>
#include <cmath>

namespace {
using C = CabecalhoModelo;

constexpr std::size_t OffR2Espacial = 409296, OffR2AjustadoEspacial = 409288, OffFEspacial = 410304,
                      OffConfiancaFEspacial = 410312, OffTRho = 410264, OffSigRho = 410320,
                      OffPercentuaisEspaciais = 410276, OffVarianciaEspacial = 409280, OffForaEspacial = 410272,
                      OffLogVerossimilhanca = 409272;

// One figure in a printf picture; a value that is not a number reads "Erro".
QString Numero(const char* formato, double x) {
  return std::isfinite(x) ? plat::FormataC(formato, {x}) : QStringLiteral("Erro");
}

QString Equacao(int e, double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return QStringLiteral("Erro");
  return plat::FormataC("%i - %5.4f / %5.4f", {e + 1, a, b});
}

QString Faixa(int percentual) { return plat::FormataC("%3.2d%%", {percentual}); }

// The outliers and their share of the considered records; with no considered
// record there is no share to show.
QString Outliers(int c, int n) {
  if (n == 0) return plat::FormataC("%-4.1d", {c});
  return plat::FormataC("%-4.1d (%5.2f%%)", {c, c * 100.0 / n});
}

int NumVariaveis(const C& h) { return std::clamp(h.NumVariaveis(), 0, C::MaxVariaveis); }
int Corrente(const C& h) { return std::clamp(h.EquacaoCorrente(), 0, C::MaxEquacoes - 1); }
int Habilitadas(const C& h) {
  int k = 0;
  for (int v = 0; v < NumVariaveis(h); ++v) k += h.Habilitada(v) ? 1 : 0;
  return k;
}

void Contagens(const C& h, QMap<QString, QString>& t) {
  t[QStringLiteral("Variáveis")] = plat::FormataC("%-2d", {NumVariaveis(h)});
  t[QStringLiteral("Variáveis Consideradas")] = plat::FormataC("%-2d", {Habilitadas(h)});
  t[QStringLiteral("Dados ")] = plat::FormataC("%-4d", {h.NumDados()});
  t[QStringLiteral("Dados Considerados")] = plat::FormataC("%-4d", {h.NumConsiderados()});
}

int CompararValor(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  if (!a || !b) return 0;
  const QString ta = a->Text(), tb = b->Text();
  return CTarsolinApp::ComparaValor(&ta, &tb);
}

COLORREF CorWindows(const QColor& c) {
  return COLORREF(c.red()) | COLORREF(c.green()) << 8 | COLORREF(c.blue()) << 16;
}
}  // namespace

const GrupoResultados GruposResultadosRL[5] = {
    {"Dados e Variáveis", {"Dados ", "Dados Considerados", "Variáveis", "Variáveis Consideradas"}},
    {"Coeficientes", {"Correlação", "Determinação", "R2 Ajustado", nullptr}},
    {"Testes de Hipóteses", {"F Calculado", "Significância Modelo", "D Calculado", "Durbin Watson"}},
    {"Normalidade dos Resíduos",
     {"-1 e +1 desvios padrões", "-1,64 e +1,64 desvios padrões", "-1,96 e +1,96 desvios padrões", nullptr}},
    {"Diversos", {"Desvio Padrão", "Outliers do Modelo", "Método de Cálculo", nullptr}},
};

QStringList EntradasCorrelacao(const CabecalhoModelo* h) {
  QStringList l;
  if (!h || h->EstadoCalculo() == 0) return l;
  const int kept = std::clamp(h->NumEquacoes(), 0, C::MaxEquacoes);
  for (int e = 0; e < kept; ++e)
    l << Equacao(e, h->F64(C::OffCorrelacao + 8 * std::size_t(e)),
                 h->F64(C::OffEstatisticasEquacao + 8 * std::size_t(e)));
  return l;
}

QMap<QString, QString> TextosResultadosRL(const CabecalhoModelo* h) {
  QMap<QString, QString> t;
  if (!h) return t;
  Contagens(*h, t);
  const int metodo = h->EstadoCalculo();
  if (metodo == 0) return t;
  const int cur = Corrente(*h), nv = NumVariaveis(*h), k = Habilitadas(*h), n = h->NumConsiderados();
  const std::size_t e8 = 8 * std::size_t(cur), e4 = 4 * std::size_t(cur);
  const double r = h->F64(C::OffCorrelacao + e8);
  // Ro² keeps the sign of Ro, as the equation windows show it: a back-transformed
  // fit worse than the mean must not read as a good one.
  const double r2 = r * r, ro2 = h->DeterminacaoOriginal(cur);
  t[QStringLiteral("Correlação")] = Equacao(cur, r, h->F64(C::OffEstatisticasEquacao + e8));
  t[QStringLiteral("Determinação")] = Equacao(cur, r2, ro2);
  // n = k leaves no degree of freedom: no adjusted figure.
  if (n != k)
    t[QStringLiteral("R2 Ajustado")] =
        Equacao(cur, 1.0 - (n - 1) * (1.0 - r2) / (n - k), 1.0 - (n - 1) * (1.0 - ro2) / (n - k));
  t[QStringLiteral("F Calculado")] = Numero("%-9.4G", h->F64(C::OffF + e8));
  t[QStringLiteral("Significância Modelo")] = Numero("%3.2f", 1.0 - h->F64(C::OffConfiancaF + e8));
  const double d = h->F64VE(C::OffEstatisticasEquacao, nv, cur);
  if (d != -1.0) {
    const char* veredito = "";
    const char* nivel = "";
    VerificaDurbinWatson(*h, &veredito, &nivel);
    t[QStringLiteral("D Calculado")] = Numero("%-9.2f", d) + QString::fromUtf8(veredito) + QString::fromUtf8(nivel);
    const int ordem = h->I32(C::OffVariavelDurbinWatson);
    if (ordem >= 0 && ordem < nv) t[QStringLiteral("Durbin Watson")] = h->NomeVariavel(ordem);
  }
  t[QStringLiteral("-1 e +1 desvios padrões")] = Faixa(h->I32(C::OffPercentual1 + e4));
  t[QStringLiteral("-1,64 e +1,64 desvios padrões")] = Faixa(h->I32(C::OffPercentual164 + e4));
  t[QStringLiteral("-1,96 e +1,96 desvios padrões")] = Faixa(h->I32(C::OffPercentual196 + e4));
  t[QStringLiteral("Desvio Padrão")] = Numero("%-9.5G", h->F64(C::OffErroPadrao + e8));
  t[QStringLiteral("Outliers do Modelo")] = Outliers(h->I32(C::OffForaDe2 + e4), n);
  static const char* const metodos[] = {"Geral       ", "Simplificado", "Dirigido    "};
  if (metodo >= 1 && metodo <= 3) t[QStringLiteral("Método de Cálculo")] = QString::fromUtf8(metodos[metodo - 1]);
  return t;
}

QMap<QString, QString> TextosResultadosRE(const CabecalhoModelo* h) {
  QMap<QString, QString> t;
  if (!h) return t;
  Contagens(*h, t);
  if (h->I32(C::OffEspacialCalculado) == 0) return t;
  const double r2 = h->F64(OffR2Espacial), variancia = h->F64(OffVarianciaEspacial);
  // A negative R² or variance has no square root to show.
  t[QStringLiteral("Correlação")] = r2 >= 0 ? Numero("%5.4f", std::sqrt(r2)) : QStringLiteral("Erro");
  t[QStringLiteral("Determinação")] = Numero("%5.4f", r2);
  t[QStringLiteral("R2 Ajustado")] = Numero("%5.4f", h->F64(OffR2AjustadoEspacial));
  t[QStringLiteral("F Calculado")] = Numero("%-9.4G", h->F64(OffFEspacial));
  t[QStringLiteral("Significância Modelo")] = Numero("%3.2f", 1.0 - h->F64(OffConfiancaFEspacial));
  t[QStringLiteral("rho")] = Numero("%-9.4G", h->F64(C::OffRho));
  t[QStringLiteral("t. rho")] = Numero("%-9.4G", h->F64(OffTRho));
  t[QStringLiteral("Sig. rho (%)")] = Numero("%-9.4G", 100.0 - h->F64(OffSigRho));
  t[QStringLiteral("-1 e +1 desvios padrões")] = Faixa(h->I32(OffPercentuaisEspaciais));
  t[QStringLiteral("-1,64 e +1,64 desvios padrões")] = Faixa(h->I32(OffPercentuaisEspaciais + 4));
  t[QStringLiteral("-1,96 e +1,96 desvios padrões")] = Faixa(h->I32(OffPercentuaisEspaciais + 8));
  t[QStringLiteral("Desvio Padrão")] = variancia >= 0 ? Numero("%-9.5G", std::sqrt(variancia)) : QStringLiteral("Erro");
  t[QStringLiteral("Variância")] = Numero("%-9.5G", variancia);
  t[QStringLiteral("Outliers do Modelo")] = Outliers(h->I32(OffForaEspacial), h->NumConsiderados());
  t[QStringLiteral("Log-likelihood")] = Numero("%-9.5G", h->F64(OffLogVerossimilhanca));
  t[QStringLiteral("Modelo Espacial")] = h->I32(C::OffTipoEspacial) != 0 ? QStringLiteral("sar") : QStringLiteral("sem");
  t[QStringLiteral("Método de Cálculo")] = QStringLiteral("Máxima Verossimilhança");
  return t;
}

// ------------------------------------------------------------------ panes

namespace {
PropertyGrid* NovaGrade(QWidget* pai, const QString& nome) {
  auto* g = new PropertyGrid(pai);
  g->setObjectName(nome);
  g->setMinimumSize(280, 140);
  return g;
}

// The caption column as wide as its widest caption, so none ends clipped.
void AjustaLegendas(PropertyGrid* g) {
  const QFontMetrics fm(g->font());
  int largura = 0;
  for (QTreeWidgetItemIterator it(g); *it; ++it) {
    int nivel = 0;
    for (QTreeWidgetItem* p = (*it)->parent(); p; p = p->parent()) ++nivel;
    largura = std::max(largura, fm.horizontalAdvance((*it)->text(0)) + (nivel + 1) * g->indentation());
  }
  g->SetCaptionWidth(largura + 12);
  g->setMinimumWidth(std::max(280, largura + 12 + 28 * fm.averageCharWidth()));
}

PropertyGridItem* NovoItem(PropertyGridItem* categoria, const char* legenda, QMap<QString, PropertyGridItem*>& itens,
                           const QString& valor = QString()) {
  auto* it = categoria->AddChildItem(new PropertyGridItem(QString::fromUtf8(legenda), valor));
  it->SetReadOnly(true);
  itens.insert(it->GetCaption(), it);
  return it;
}
}  // namespace

PaineisModelo::PaineisModelo(QWidget* pai) : QObject(pai) {
  rl_ = NovaGrade(pai, QStringLiteral("ResultadosRL"));
  for (const GrupoResultados& g : GruposResultadosRL) {
    PropertyGridItem* cat = rl_->AddCategory(QString::fromUtf8(g.categoria));
    for (const char* item : g.itens)
      if (item) NovoItem(cat, item, itensRL_);
    cat->Expand();
  }
  itensRL_.value(QStringLiteral("Dados "))->SetValue(QStringLiteral("aaa"));
  PropertyGridItem* correlacao = itensRL_.value(QStringLiteral("Correlação"));
  correlacao->SetReadOnly(false);
  correlacao->SetFlags(PropertyGridItem::HasComboButton);
  connect(rl_, &PropertyGrid::valueChanged, this, &PaineisModelo::EscolheEquacao);

  re_ = NovaGrade(pai, QStringLiteral("ResultadosRE"));
  static const struct { const char* categoria; const char* itens[6]; } grupos[] = {
      {"Dados e Variáveis", {"Dados ", "Dados Considerados", "Variáveis", "Variáveis Consideradas"}},
      {"Coeficientes", {"Correlação", "Determinação", "R2 Ajustado"}},
      {"Testes de Hipóteses", {"F Calculado", "Significância Modelo", "D Calculado", "Durbin Watson", "rho"}},
      {"Normalidade dos Resíduos",
       {"-1 e +1 desvios padrões", "-1,64 e +1,64 desvios padrões", "-1,96 e +1,96 desvios padrões"}},
      {"Diversos", {"Desvio Padrão", "Variância", "Outliers do Modelo", "Log-likelihood", "Modelo Espacial",
                    "Método de Cálculo"}},
  };
  for (const auto& g : grupos) {
    PropertyGridItem* cat = re_->AddCategory(QString::fromUtf8(g.categoria));
    for (const char* item : g.itens)
      if (item) NovoItem(cat, item, itensRE_);
    cat->Expand();
  }
  PropertyGridItem* rho = itensRE_.value(QStringLiteral("rho"));
  for (const char* filho : {"t. rho", "Sig. rho (%)"}) NovoItem(rho, filho, itensRE_);
  rho->Expand();
  AjustaLegendas(rl_);
  AjustaLegendas(re_);

  dados_ = NovaGrade(pai, QStringLiteral("Dados"));
  // The record browser shows the grid's tool bar (the two orders of its items).
  dados_->ShowToolBar(true);
  connect(dados_, &PropertyGrid::valueChanged, this, &PaineisModelo::MudaRegistro);

  lista_ = new CTableCtrlEx(0, 0, 0, 0);
  lista_->Create(QRect(0, 0, 400, 150), pai, 1082, false);
  lista_->setFrameShape(QFrame::NoFrame);
  lista_->SetDocument(ModeloCorrente);
  lista_->SetCellClass(&CTableCellLimText::classe);
  lista_->SetPrintAtScreenScale(true);
  lista_->SetSortComparer(CompararValor);
  lista_->SetStoreSortInModel(false);
  lista_->SetTrackFocusCell(false);
  lista_->SetWholeRowSelection(true);
  lista_->SetGridLineColour(CorWindows(QApplication::palette().color(QPalette::Inactive, QPalette::Mid)));
  lista_->SetVirtual(true);
  lista_->SetCallbackFunc([this](GridDisplayRequest* p, intptr_t) { return PedidoCelula(p); }, 0);
}

CTarsolinDoc* PaineisModelo::Documento() const { return ModeloCorrente; }

void PaineisModelo::Acompanha(CTarsolinDoc* doc) {
  if (acompanhado_ == doc) return;
  disconnect(conexaoModelo_);
  acompanhado_ = doc;
  if (doc)
    conexaoModelo_ =
        connect(doc, &plat::Documento::documentUpdated, this, [this](QObject*, int dica) { ModeloMudou(dica); });
}

void PaineisModelo::ModeloMudou(int dica) {
  // Hint 4 only asks the views to store their edits: nothing changed yet.
  if (dica == 4 || atualizacaoPendente_) return;
  atualizacaoPendente_ = true;
  // After the handler that changed the model, as the posted refreshes run.
  QTimer::singleShot(0, this, [this] {
    atualizacaoPendente_ = false;
    if (!acompanhado_ || Documento() != acompanhado_) return;
    AtualizaResultados();
    AjustaColunasLista();
    AtualizaPainelDados();
  });
}

void PaineisModelo::AtualizaResultados() {
  CTarsolinDoc* doc = Documento();
  Acompanha(doc);
  const CabecalhoModelo* h = doc ? doc->GetCabecalho() : nullptr;
  const QMap<QString, QString> rl = TextosResultadosRL(h), re = TextosResultadosRE(h);
  for (auto it = itensRL_.cbegin(); it != itensRL_.cend(); ++it) it.value()->SetValue(rl.value(it.key()));
  for (auto it = itensRE_.cbegin(); it != itensRE_.cend(); ++it) it.value()->SetValue(re.value(it.key()));
  PropertyGridItem* correlacao = itensRL_.value(QStringLiteral("Correlação"));
  correlacao->GetConstraints() = EntradasCorrelacao(h);
  correlacao->SetConstraintIndex(-1);
  if (h && h->EstadoCalculo() != 0) {
    const int cur = Corrente(*h);
    correlacao->SetValue(correlacao->GetConstraints().value(cur));
    correlacao->SetConstraintIndex(cur);
    correlacao->Select();
  }
}

void PaineisModelo::EscolheEquacao(PropertyGridItem* item) {
  CTarsolinDoc* doc = Documento();
  if (!doc || !doc->GetCabecalho() || item != itensRL_.value(QStringLiteral("Correlação"))) return;
  CabecalhoModelo& h = *doc->GetCabecalho();
  const int escolhida = item->GetConstraintIndex();
  doc->SaveModified();
  if (doc->IsModified() || escolhida < 0 || escolhida >= item->GetConstraints().size()) {
    // Pending changes kept (or nothing chosen): the list goes back to the equation in force.
    item->SetConstraintIndex(Corrente(h));
    item->SetValue(item->GetConstraints().value(Corrente(h)));
    return;
  }
  h.SetEquacaoCorrente(escolhida);
  doc->OnSaveDocument(doc->GetPathName());
  doc->UpdateAllViews(nullptr, 3);
  AtualizaResultados();
}

bool PaineisModelo::Registros(CTarsolinDoc* doc) {
  if (doc->RegistrosCarregados()) return true;
  if (falhaCarga_ == doc) return false;
  if (doc->CarregaRegistros()) return true;
  falhaCarga_ = doc;
  return false;
}

void PaineisModelo::AtualizaPainelDados() {
  CTarsolinDoc* doc = Documento();
  Acompanha(doc);
  const CabecalhoModelo* h = doc ? doc->GetCabecalho() : nullptr;
  if (!h) {
    dados_->ResetContent();
    return;
  }
  if (!doc->RegistrosCarregados() && !doc->CarregaRegistros()) return;
  const int N = std::min(h->NumDados(), doc->NumDados());
  if (N <= 0) {
    dados_->ResetContent();
    return;
  }
  registro_ = std::max(std::min(registro_, N), 1);
  const dado& d = doc->GetDados()[registro_ - 1];
  dados_->ResetContent();
  PropertyGridItem* id = dados_->AddCategory(QStringLiteral("Id. dado"));
  auto* spin = new CCustomItemSpin(QStringLiteral("Dado no."), N, 1);
  id->AddChildItem(spin);
  spin->SetValue(plat::FormataC("%.5i", {registro_}));
  PropertyGridItem* vars = dados_->AddCategory(QStringLiteral("Variáveis"));
  for (int v = 0; v < NumVariaveis(*h); ++v) {
    auto* it = vars->AddChildItem(new PropertyGridItem(h->NomeVariavel(v), FormataNumero(d.valor[v], h->CasasDecimais(v))));
    it->SetReadOnly(true);
  }
  PropertyGridItem* endereco = dados_->AddCategory(QStringLiteral("Endereço"));
  endereco->AddChildItem(new PropertyGridItem(QStringLiteral("Logradouro"), d.Endereco()))->SetReadOnly(true);
  endereco->AddChildItem(new PropertyGridItem(QStringLiteral("Complemento"), d.Complemento()))->SetReadOnly(true);
  for (PropertyGridItem* c : {vars, endereco, id}) c->Expand();
  AjustaLegendas(dados_);
  dados_->viewport()->update();
  spin->Select();
}

void PaineisModelo::MudaRegistro(PropertyGridItem* item) {
  auto* spin = dynamic_cast<CCustomItemSpin*>(item);
  if (!spin) return;
  registro_ = spin->GetNumber();
  // The grid is rebuilt after the edit that changed it has finished.
  QTimer::singleShot(0, this, &PaineisModelo::AtualizaPainelDados);
}

void PaineisModelo::AjustaColunasLista() {
  falhaCarga_.clear();
  CTarsolinDoc* doc = Documento();
  Acompanha(doc);
  const CabecalhoModelo* h = doc ? doc->GetCabecalho() : nullptr;
  if (!h) {
    lista_->ClearAll();
    return;
  }
  lista_->SetDocument(doc);
  const int nv = NumVariaveis(*h);
  lista_->SetNumberOfColumns(nv + 4);
  lista_->SetNumberOfRows(std::max(h->NumDados(), 0) + 1);
  lista_->SetNumberOfFixedColumns(2);
  lista_->SetNumberOfFixedRows(1);
  LOGFONT negrito = *lista_->GetDefaultCell(true, false)->FontData();
  negrito.lfWeight = 700;
  lista_->GetDefaultCell(true, false)->AssignFont(&negrito);
  lista_->GetDefaultCell(false, true)->AssignFont(&negrito);
  const QWidget* janela = lista_->window();
  const int p = janela ? janela->logicalDpiX() : 96;
  auto largura = [p](int twips) { return p * twips / 1440; };
  lista_->SetWidthOfColumn(0, largura(230));
  // Column 1 keeps room for its bold heading, whatever the font.
  const QFont cabecalho = *lista_->GetDefaultCell(true, false)->FontObject();
  lista_->SetWidthOfColumn(1, std::max(largura(566), QFontMetrics(cabecalho).horizontalAdvance(QStringLiteral("Dado")) + 8));
  lista_->SetWidthOfColumn(2, largura(h->I32(C::OffLargurasFixasDados)));
  lista_->SetWidthOfColumn(3, largura(h->I32(C::OffLargurasFixasDados + 4)));
  for (int v = 0; v < nv; ++v) lista_->SetWidthOfColumn(4 + v, largura(h->I32(C::OffLargurasVariavel + 4 * std::size_t(v))));
  lista_->viewport()->update();
}

bool PaineisModelo::PedidoCelula(GridDisplayRequest* pedido) {
  CTarsolinDoc* doc = Documento();
  const CabecalhoModelo* h = doc ? doc->GetCabecalho() : nullptr;
  if (!h || !Registros(doc)) return false;
  GridItem& it = pedido->item;
  const int r = it.row, c = it.col, nv = NumVariaveis(*h);
  if (c < 0 || c >= nv + 4) return false;
  if (r == 0) {
    switch (c) {
      case 0: return false;
      case 1: it.strText = QStringLiteral("Dado"); break;
      case 2: it.strText = QStringLiteral("Logradouro"); break;
      case 3: it.strText = QStringLiteral("Complemento"); break;
      default:
        it.strText = (h->Habilitada(c - 4) ? QString() : QStringLiteral("*")) + h->NomeVariavel(c - 4);
        break;
    }
    return true;
  }
  if (r > doc->NumDados()) return false;
  const dado& d = doc->GetDados()[r - 1];
  switch (c) {
    case 0: it.strText = d.excluido ? QStringLiteral("*") : QStringLiteral(" "); break;
    case 1:
      it.strText = QString::number(r);
      it.nFormat = (it.nFormat & ~3u) | 1u;
      break;
    case 2: it.strText = d.Endereco(); break;
    case 3: it.strText = d.Complemento(); break;
    default:
      it.strText = FormataNumero(d.valor[c - 4], h->CasasDecimais(c - 4));
      it.nFormat = (it.nFormat & ~3u) | 2u;
      break;
  }
  return true;
}
