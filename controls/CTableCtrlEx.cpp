#include "CTableCtrlEx.h"

#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

CTableCtrlEx::CTableCtrlEx(int nRows, int nCols, int nFixedRows, int nFixedCols, QWidget* parent)
    : CTableCtrl(nRows, nCols, nFixedRows, nFixedCols, parent) {}

void CTableCtrlEx::BeginPrinting(QPainter* dc, CPrintInfo* info) {
  if (!dc || !info || !dc->isActive()) return;
  ppiImpressoraX_ = dc->device()->logicalDpiX();
  ppiImpressoraY_ = dc->device()->logicalDpiY();
  const QScreen* tela = QGuiApplication::primaryScreen();
  ppiTelaX_ = tela ? int(tela->logicalDotsPerInchX()) : 96;
  ppiTelaY_ = tela ? int(tela->logicalDotsPerInchY()) : 96;
  PreparaFontePagina(dc);
  const MetricasImpressora m = MetricasImpressora::De(dc->device());
  deslocX_ = m.physicalOffsetX * 1440 / std::max(1, ppiImpressoraX_);
  deslocY_ = m.physicalOffsetY * 1440 / std::max(1, ppiImpressoraY_);
  // The model's margins are measured from the sheet's edge; the printer's
  // own border is taken off here, for this job only.
  const int esquerda = layout_[2] - deslocX_, superior = layout_[4] - deslocY_;
  const int direita = layout_[3], inferior = layout_[5];
  margens_ = QMargins(ppiTelaX_ * esquerda / 1440, superior * ppiTelaY_ / 1440, ppiTelaX_ * direita / 1440,
                      inferior * ppiTelaY_ / 1440);
  if (GetPrintAtScreenScale()) {
    imp_.pagina = QSize(imp_.impressora.width() * ppiTelaX_ / std::max(1, ppiImpressoraX_),
                        imp_.impressora.height() * ppiTelaY_ / std::max(1, ppiImpressoraY_));
  } else {
    const int w = GetVirtualWidth() + (deslocX_ + esquerda + direita) * ppiTelaX_ / 1440;
    imp_.pagina = QSize(w, int(int64_t(w) * imp_.impressora.height() / std::max(1, imp_.impressora.width())));
  }
  imp_.alturaCorpo = imp_.pagina.height() - layout_[6] * imp_.alturaCaractere - margens_.bottom() - margens_.top() -
                     GetFixedRowHeight();
  imp_.larguraCorpo = imp_.pagina.width() - GetFixedColumnWidth() - (margens_.left() + margens_.right());
  ContaPaginas(imp_.alturaCorpo, imp_.larguraCorpo);
  info->SetMaxPage(paginas_);
  info->m_nCurPage = 1;
}

void CTableCtrlEx::PrintPage(QPainter* dc, CPrintInfo* info) {
  if (!dc || !info || !dc->isActive() || !imp_.temFonte) return;
  dc->save();
  dc->setFont(imp_.fonte);
  dc->setPen(QPen(Qt::black, 0));
  dc->setWindow(QRect(-margens_.left(), 0, imp_.pagina.width(), imp_.pagina.height()));
  dc->setViewport(QRect(QPoint(0, 0), imp_.impressora));
  ImprimeCabecalho(doc_, dc);
  dc->save();
  dc->translate(0, margens_.top() + layout_[6] * imp_.alturaCaractere);
  PrintPageBody(dc, info->m_nCurPage);
  dc->restore();
  ImprimeRodape(doc_, dc, info);
  dc->restore();
}

void CTableCtrlEx::EndPrinting(QPainter* dc, CPrintInfo* info) { CTableCtrl::EndPrinting(dc, info); }

void CTableCtrlEx::FixedRowClicked(CCellID cell) {
  CTableCtrl::FixedRowClicked(cell);
  if (!doc_ || !GetHeaderSort()) return;
  const int d = (cell.col != GetSortColumn() || !GetSortAscending()) ? 1 : 0;
  if (guardaOrdem_) {
    if (CabecalhoModelo* c = doc_->GetCabecalho()) {
      c->SetU8(CabecalhoModelo::OffOrdenadoOutra, (cell.col == 1 && d == 0) ? 0 : 1);
      c->SetU8(CabecalhoModelo::OffOrdemAscendente, uint8_t(1 - d));
      c->SetU8(CabecalhoModelo::OffColunaOrdem, uint8_t(cell.col & 0xFF));
      doc_->SetModifiedFlag(true);
    }
  }
  if (ordenado_) *ordenado_ = 1;
}
