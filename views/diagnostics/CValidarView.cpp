#include "CValidarView.h"

#include "PaginasResiduos.h"

#include "EstiloGrafico.h"
#include "views/charts/CTChart.h"

#include "CTarsolinApp.h"
#include "controls/CTableCell.h"
#include "controls/CTableCtrlEx.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dado.h"
#include "platform/Cp1252.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <cmath>

namespace {
using C = CabecalhoModelo;
const std::vector<int> kEncaminhados = {32831, 32833, 32840, 32838, 32836, 32841, 32813, 32816, 32817,
                                        32909, 32911, 32913, 32914, 32915, 32908, 32912, 32852, 32862};

int Pixels(int twips) {
  const QScreen* tela = QGuiApplication::primaryScreen();
  const int ppi = tela ? int(tela->logicalDotsPerInchX()) : 96;
  return twips * ppi / 1440;
}

// Numbers in signed order (the record number, the values, the estimates).
int ComparaNumero(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  if (!a || !b) return 0;
  const QString ta = a->Text(), tb = b->Text();
  return CTarsolinApp::ComparaValor(&ta, &tb);
}

// A cell as the data grid keeps it in the record: text and back colours
// (0: the grid's own) and bold, italic and underline.
void AplicaFormato(CTableCtrl* g, int linha, int coluna, int32_t texto, int32_t fundo, uint8_t negrito, uint8_t italico,
                   uint8_t sublinhado) {
  g->SetCellTextColour(linha, coluna, texto ? COLORREF(texto) : GridColour::Default);
  g->SetCellBackColour(linha, coluna, fundo ? COLORREF(fundo) : GridColour::Default);
  if (!negrito && !italico && !sublinhado) {
    g->SetCellFont(linha, coluna, nullptr);
    return;
  }
  LOGFONT lf = g->GetGridFont();
  lf.lfWeight = negrito ? 700 : 400;
  lf.lfItalic = italico ? 1 : 0;
  lf.lfUnderline = sublinhado ? 1 : 0;
  g->SetCellFont(linha, coluna, &lf);
}
}  // namespace

CValidarView::CValidarView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaDiagnostico({1107, "Validação", 1081, 8, 8, kEncaminhados, false, false, "", 0, false}, doc, host, parent) {}

bool CValidarView::FechaSemResultados() const {
  return Cab().EstadoCalculo() == 0 && Cab().I32(C::OffEspacialCalculado) == 0;
}

bool CValidarView::Prepara() {
  setas_->hide();
  caixa_->hide();
  if (doc_->RegistrosCarregados() || doc_->CarregaRegistros()) return true;
  plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONEXCLAMATION);
  return false;
}

void CValidarView::Calcula() {
  if (!doc_->RegistrosCarregados() && !doc_->CarregaRegistros()) return;
  diag::CalculaValidacao(Cab(), doc_->GetDados(), doc_->GetW(), r_);
}

void CValidarView::ConfiguraGraficos() {
  for (CTChart* g : graficos_) ConfiguraGraficoAjuste(g);
}

void CValidarView::MontaTabela() {
  const CabecalhoModelo& c = Cab();
  const int nv = std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis);
  QStringList titulos{"", "Dado", "Endereço", "Complemento"};
  for (int i = 0; i < nv; ++i)
    titulos << (c.I32(C::OffHabilitadas + 4 * std::size_t(i)) ? c.NomeVariavel(i) : QStringLiteral("* ") + c.NomeVariavel(i));
  titulos << "Vr. Espacial" << "Vr. Linear";
  DefineCabecalhos(titulos, int(r_.registro.size()) + 1, 2);
  tabela_->SetSortComparer(&ComparaNumero);
  tabela_->viewport()->installEventFilter(this);
  tabela_->SetWholeRowSelection(false);
  tabela_->SetWidthOfColumn(0, Pixels(230));
  tabela_->SetWidthOfColumn(1, Pixels(566));
  // The address, complement and variable columns as wide as the data grid keeps them.
  tabela_->SetWidthOfColumn(2, Pixels(c.I32(C::OffLargurasFixasDados)));
  tabela_->SetWidthOfColumn(3, Pixels(c.I32(C::OffLargurasFixasDados + 4)));
  for (int i = 0; i < nv; ++i)
    tabela_->SetWidthOfColumn(4 + i, Pixels(c.I32(C::OffLargurasVariavel + 4 * std::size_t(i))));
  tabela_->SetWidthOfColumn(4 + nv, Pixels(1100));
  tabela_->SetWidthOfColumn(5 + nv, Pixels(1100));
}

void CValidarView::PreencheTabela() {
  const CabecalhoModelo& c = Cab();
  const dado* d = doc_->GetDados();
  const int nv = std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis);
  if (!d) return;
  for (std::size_t a = 0; a < r_.registro.size(); ++a) {
    const int linha = int(a) + 1, r = r_.registro[a];
    const dado& reg = d[r];
    tabela_->SetCellText(linha, 0, QStringLiteral(" "));
    tabela_->SetCellText(linha, 1, plat::FormataC("%4d", {r + 1}));
    tabela_->SetCellText(linha, 2, reg.Endereco());
    tabela_->SetCellText(linha, 3,
                         plat::LeCp1252(reg.complemento, 51));
    for (int k = 0; k < 2; ++k) {
      const AtributoCelula& f = reg.fixas[k];
      AplicaFormato(tabela_, linha, 2 + k, f.corTexto, f.corFundo, f.negrito, f.italico, f.sublinhado);
    }
    for (int i = 0; i < nv; ++i) {
      Celula(linha, 4 + i, FormataNumero(reg.valor[i], c.CasasDecimais(i)));
      AplicaFormato(tabela_, linha, 4 + i, reg.corTexto[i], reg.corFundo[i], reg.negrito[i], reg.italico[i],
                    reg.sublinhado[i]);
    }
    Celula(linha, 4 + nv, r_.temEspacial ? FormataNumero(r_.espacial[a], 2) : QString());
    Celula(linha, 5 + nv, FormataNumero(r_.linear[a], 2));
  }
  // The two estimates are no columns of the data grid: they take their contents' width.
  tabela_->AutoSizeColumn(4 + nv);
  tabela_->AutoSizeColumn(5 + nv);
  // The record number never ends clipped, whatever its digits.
  tabela_->AutoSizeColumn(1);
  tabela_->SetWidthOfColumn(1, std::max(Pixels(566), tabela_->WidthOfColumn(1)));
  tabela_->viewport()->update();
}

bool CValidarView::eventFilter(QObject* o, QEvent* e) {
  if (tabela_ && o == tabela_->viewport() && e->type() == QEvent::MouseButtonPress) {
    const CCellID c = tabela_->GetCellFromPt(static_cast<QMouseEvent*>(e)->position().toPoint());
    // The address and the complement are texts; every other column holds numbers.
    if (c.row == 0 && c.col >= 0)
      tabela_->SetSortComparer(c.col == 2 || c.col == 3 ? &CTableCtrl::CompareCellText : &ComparaNumero);
  }
  return PaginaDiagnostico::eventFilter(o, e);
}

void CValidarView::AtualizaGraficos() {
  const EstiloGrafico& e = EstilosGraficos[8];
  const std::vector<double>* estimativas[2] = {r_.temEspacial ? &r_.espacial : nullptr, &r_.linear};
  const char* titulos[2] = {"Regressão Espacial", "Regressão Linear"};
  for (int k = 0; k < 2; ++k) {
    CTChart* g = graficos_[k];
    g->DefineRepinturaAutomatica(false);
    g->LimpaSerie(0);
    g->LimpaSerie(1);
    if (const std::vector<double>* v = estimativas[k]) {
      double lo = 0.0, hi = 0.0;
      bool primeiro = true;
      for (std::size_t a = 0; a < v->size(); ++a) {
        const double x = r_.y[a], y = (*v)[a];
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        g->AdicionaPonto(0, x, y, plat::FormataC("%i", {r_.registro[a] + 1}), e.corPontos);
        if (primeiro) lo = hi = x, primeiro = false;
        lo = std::min({lo, x, y});
        hi = std::max({hi, x, y});
      }
      if (!primeiro) {
        g->AdicionaPonto(1, lo, lo, QString(), 0);
        g->AdicionaPonto(1, hi, hi, QString(), 0);
      }
    }
    g->LimpaTitulo();
    g->AdicionaLinhaTitulo(QString::fromUtf8(titulos[k]));
    g->DefineFonteTitulo(true, 8);
    g->DefineTituloEixo(Qt::Vertical, QStringLiteral("Valor Estimado"));
    g->DefineTituloEixo(Qt::Horizontal, QStringLiteral("Preço Observado"));
    g->DefineRepinturaAutomatica(true);
  }
}

JanelaDiagnostico* CriaJanelaValidacao(CTarsolinDoc* doc) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* janela = new JanelaDiagnostico(doc, QStringLiteral("CValidarView"), QStringLiteral(" - Validação"));
  janela->AdicionaPagina(new CValidarView(doc, janela, janela->Abas()));
  janela->Inicia();
  return janela;
}
