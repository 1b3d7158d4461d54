#include "CVariogramaView.h"

#include "PaginasResiduos.h"
#include "views/charts/CTChart.h"

#include "controls/CTableCtrlEx.h"
#include "controls/PropertyGrid.h"
#include "model/CabecalhoModelo.h"

#include <QCheckBox>
#include <algorithm>

namespace {
using C = CabecalhoModelo;
}

CVariogramaView::CVariogramaView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent)
    : PaginaDiagnostico(ConfigResidual(1110, "Variograma"), doc, host, parent) {}

bool CVariogramaView::Prepara() {
  const CabecalhoModelo& c = Cab();
  m_ = 0;
  for (int v = 0; v < std::clamp(c.NumVariaveis(), 0, C::MaxVariaveis); ++v) m_ += c.Habilitada(v) ? 1 : 0;
  N_ = std::max(0, c.NumDados());
  n_ = std::clamp(c.NumConsiderados(), 0, N_);
  posicao_ = std::max(0, m_ - 1);

  grade_ = new PropertyGrid(this);
  grade_->setObjectName(QStringLiteral("1093"));
  PropertyGridItem* dado = grade_->AddCategory(QStringLiteral("Dado"));
  dado->AddChildItem(new PropertyGridItem(QStringLiteral("Dado no.")));
  dado->Expand();
  grade_->show();
  caixa_->setChecked(true);
  return true;
}

void CVariogramaView::MontaTabela() {
  DefineCabecalhos({"Dado", "Valor Observado", "Valor Calculado", "Resíduo", "Resíduo Relativo", "Resíduo/DP"}, n_ + 1);
  // The check box stays hidden once the page is laid out.
  caixa_->hide();
}

void CVariogramaView::PreencheTabela() {
  // No data row is written: the table is only repainted.
  tabela_->viewport()->update();
  tabela_->setFocus();
}

void CVariogramaView::AtualizaGraficos() {
  CTChart* g = graficos_[0];
  for (int s = 0; s < std::min(4, g->NumSeries()); ++s) g->LimpaSerie(s);
}

void CVariogramaView::MoveSetas(int delta) {
  const int antes = posicao_;
  if (delta <= 0 && posicao_ > 0) --posicao_;
  if (delta > 0 && posicao_ < m_ - 1) ++posicao_;
  if (posicao_ == antes) return;
  update();
  setFocus();
  AtualizaGraficos();
}

void CVariogramaView::Dispoe() {
  if (!tabela_) return;
  const int w = width(), h = height();
  tabela_->setGeometry(0, 0, w / 2 - 2, h / 2 - 4);
  grade_->setGeometry(w / 2 + 1, 0, w - (w / 2 + 1), h / 2 - 2);
  graficos_[0]->setGeometry(0, h / 2 - 2, w / 2 - 1, h - 4 - (h / 2 - 2));
  graficos_[1]->setGeometry(w / 2 + 1, h / 2 - 2, w - (w / 2 + 1), h - 4 - (h / 2 - 2));
  setas_->move(w - setas_->width(), h / 2 - 2);
  caixa_->move(0, h / 2 - 2);
}

JanelaDiagnostico* CriaJanelaVariograma(CTarsolinDoc* doc) {
  if (!doc || !doc->GetCabecalho()) return nullptr;
  auto* janela = new JanelaDiagnostico(doc, QStringLiteral("CVariogramaView"), QStringLiteral(" - Variograma"));
  janela->AdicionaPagina(new CVariogramaView(doc, janela, janela->Abas()));
  janela->Inicia();
  return janela;
}
