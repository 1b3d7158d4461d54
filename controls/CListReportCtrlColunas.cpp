// Columns of the report list: definitions, the header items that show them,
// widths within limits, the first-column extra, the header's events, the column
// chooser and the layout text kept in the profile.
#include "CListReportCtrl.h"

#include "CListReportHeaderCtrl.h"
#include "CListReportSubItemListCtrl.h"

#include <QRegularExpression>
#include <QSettings>

namespace {
QSettings*& ConfiguracoesPadrao() {
  static QSettings* s = nullptr;
  return s;
}
}  // namespace

const CListReportCtrl::structSUBITEM* CListReportCtrl::ColumnDefinition(int coluna) const {
  return coluna >= 0 && coluna < colunas_.size() ? &colunas_[coluna] : nullptr;
}

int CListReportCtrl::ItemHeaderDaColuna(int coluna) const {
  if (!header_ || coluna < 0) return -1;
  for (int i = 0; i < header_->GetItemCount(); ++i) {
    HeaderItem h;
    if (header_->GetItem(i, h) && h.lParam == coluna) return i;
  }
  return -1;
}

bool CListReportCtrl::IsColumnShown(int coluna) const { return ItemHeaderDaColuna(coluna) >= 0; }

int CListReportCtrl::ShownColumnCount() const { return header_ ? header_->GetItemCount() : 0; }

int CListReportCtrl::DefinedColumnOfShown(int posicao) const {
  if (posicao < 0 || !header_) return -1;
  HeaderItem h;
  return header_->GetItem(header_->OrderToIndex(posicao), h) ? int(h.lParam) : -1;
}

int CListReportCtrl::ShownPositionOfColumn(int coluna) const {
  const int i = ItemHeaderDaColuna(coluna);
  return i < 0 ? -1 : header_->IndexToOrder(i);
}

int CListReportCtrl::SortedColumn(int& coluna) const {
  coluna = -1;
  if (!header_) return 0;
  HeaderItem h;
  if (!header_->GetItem(header_->GetSortMark(), h)) return 0;
  coluna = int(h.lParam);
  return 1;
}

void CListReportCtrl::AtualizaEscolhedor() {
  if (escolhedor_) escolhedor_->Refill();
}

// ---------------------------------------------------------------- first-column extra

void CListReportCtrl::RetiraExtra() {
  if (!extraAplicado_) return;
  extraAplicado_ = false;
  const int c = colunaExtra_;
  colunaExtra_ = -1;
  if (c < 0 || c >= colunas_.size()) return;
  structSUBITEM& d = colunas_[c];
  if (d.maxWidth > 0) d.maxWidth -= larguraExtra_;
  d.minWidth -= larguraExtra_;
  int w = d.width - larguraExtra_;
  if (d.minWidth <= 0 && w < 20) w = 20;
  const int idx = ItemHeaderDaColuna(c);
  if (idx < 0) {
    d.width = w;
    return;
  }
  LarguraELimites(idx, w, d);
}

void CListReportCtrl::LarguraELimites(int idx, int largura, const structSUBITEM& d) {
  // The item-changed handler takes the width into the definition and the total.
  HeaderItem h;
  h.mask = HeaderMask::Width;
  h.width = largura;
  header_->SetItem(idx, h);
  HDITEMEX ex;
  header_->GetItemEx(idx, ex);
  ex.minWidth = d.minWidth;
  ex.maxWidth = d.maxWidth;
  header_->SetItemEx(idx, ex);
}

void CListReportCtrl::AplicaExtra() {
  if (extraAplicado_ || larguraExtra_ <= 0 || ShownColumnCount() == 0) return;
  const int c = DefinedColumnOfShown(0);
  if (c < 0) return;
  structSUBITEM& d = colunas_[c];
  d.minWidth += larguraExtra_;
  if (d.maxWidth > 0) d.maxWidth += larguraExtra_;
  const int idx = header_->OrderToIndex(0);
  headerOrdem0_ = idx;
  LarguraELimites(idx, d.width + larguraExtra_, d);
  colunaExtra_ = c;
  extraAplicado_ = true;
}

void CListReportCtrl::SetFirstColumnExtraWidth(int pixels) {
  RetiraExtra();
  larguraExtra_ = std::max(pixels, 0);
  AplicaExtra();
  update();
}

// ---------------------------------------------------------------- definitions

int CListReportCtrl::DescribeColumn(int coluna, const ReportColumnInfo& info, bool atualizaEscolhedor) {
  if (coluna < 0 || coluna > colunas_.size()) return -1;
  RetiraExtra();
  structSUBITEM d;
  d.flags = info.flags;
  d.width = info.width < 0 ? larguraPadrao_ : info.width;
  d.minWidth = info.minWidth;
  d.maxWidth = info.maxWidth;
  d.image = (info.flags & ReportColumnFlag::HeaderImage) ? info.image : 0;
  d.caption = info.caption;
  colunas_.insert(coluna, d);
  if (colunaExtra_ >= coluna) ++colunaExtra_;
  if (header_) {
    for (int i = 0; i < header_->GetItemCount(); ++i) {
      HeaderItem h;
      header_->GetItem(i, h);
      if (h.lParam >= coluna) {
        h.mask = HeaderMask::Param;
        h.lParam = h.lParam + 1;
        header_->SetItem(i, h);
      }
    }
  }
  linhaInsercao_.cells.insert(coluna, ReportCell());
  if (!ModoVirtual())
    for (structITEM& r : itens_) r.cells.insert(coluna, ReportCell());
  InvalidaCache();
  AplicaExtra();
  if (atualizaEscolhedor) AtualizaEscolhedor();
  Alterado();
  return coluna;
}

int CListReportCtrl::RedefineColumn(int coluna, const ReportColumnInfo& info, bool atualizaEscolhedor) {
  if (coluna < 0 || coluna >= colunas_.size()) return 0;
  RetiraExtra();
  structSUBITEM& d = colunas_[coluna];
  d.flags = info.flags;
  d.minWidth = info.minWidth;
  d.maxWidth = info.maxWidth;
  d.image = (info.flags & ReportColumnFlag::HeaderImage) ? info.image : 0;
  d.caption = info.caption;
  const int idx = ItemHeaderDaColuna(coluna);
  if (idx >= 0) {
    HeaderItem h;
    h.mask = HeaderMask::Format | HeaderMask::Text | HeaderMask::Image;
    h.format = int(d.flags & 0xFFFF);
    h.text = (d.flags & ReportColumnFlag::HeaderText) ? d.caption : QString();
    h.image = d.image;
    header_->SetItem(idx, h);
  }
  AplicaExtra();
  const int r = SetWidthOfColumn(coluna, info.width);
  if (atualizaEscolhedor) AtualizaEscolhedor();
  update();
  return r;
}

int CListReportCtrl::RemoveColumn(int coluna) {
  if (coluna < 0 || coluna >= colunas_.size()) return 0;
  HideColumn(coluna);
  RetiraExtra();
  colunas_.removeAt(coluna);
  if (header_) {
    for (int i = 0; i < header_->GetItemCount(); ++i) {
      HeaderItem h;
      header_->GetItem(i, h);
      if (h.lParam > coluna) {
        h.mask = HeaderMask::Param;
        h.lParam = h.lParam - 1;
        header_->SetItem(i, h);
      }
    }
  }
  if (coluna < linhaInsercao_.cells.size()) linhaInsercao_.cells.removeAt(coluna);
  if (!ModoVirtual())
    for (structITEM& r : itens_)
      if (coluna < r.cells.size()) r.cells.removeAt(coluna);
  InvalidaCache();
  AplicaExtra();
  AtualizaEscolhedor();
  Alterado();
  update();
  return 1;
}

void CListReportCtrl::RemoveAllColumns() {
  for (int c = int(colunas_.size()) - 1; c >= 0; --c) RemoveColumn(c);
}

// ---------------------------------------------------------------- showing and hiding

int CListReportCtrl::ShowColumnAt(int coluna, int posicao) {
  if (!header_ || coluna < 0 || coluna >= colunas_.size() || IsColumnShown(coluna)) return -1;
  TerminaEdicaoGravando();
  RetiraExtra();
  const structSUBITEM d = colunas_[coluna];
  HeaderItem h;
  h.mask = HeaderMask::Width | HeaderMask::Format | HeaderMask::Param | HeaderMask::Order;
  h.width = d.width;
  h.format = int(d.flags & 0xFFFF);
  h.lParam = coluna;
  h.order = posicao;
  if (d.flags & ReportColumnFlag::HeaderImage) {
    h.mask |= HeaderMask::Image;
    h.image = d.image;
  }
  if (d.flags & ReportColumnFlag::HeaderText) {
    h.mask |= HeaderMask::Text;
    h.text = d.caption;
  }
  const int idx = header_->InsertItem(header_->GetItemCount(), h);
  if (idx < 0) {
    AplicaExtra();
    return -1;
  }
  larguraTotal_ += d.width;
  HDITEMEX ex;
  ex.flags = (d.flags >> 16) & 0xFF;
  ex.minWidth = d.minWidth;
  ex.maxWidth = d.maxWidth;
  if (ex.flags & (ReportColumnFlag::SortHint >> 16)) {
    QString dica = formatoDica_;
    const int p = int(dica.indexOf(QStringLiteral("%s")));
    if (p >= 0) dica.replace(p, 2, d.caption);
    ex.tip = dica;
  }
  // The header may size the item itself (fitted to content, limits).
  header_->SetItemEx(idx, ex);
  HeaderItem lido;
  header_->GetItem(idx, lido);
  if (lido.width != colunas_[coluna].width) {
    larguraTotal_ += lido.width - colunas_[coluna].width;
    colunas_[coluna].width = lido.width;
  }
  SyncHeaderOrder();
  AplicaExtra();
  Layout();
  Alterado();
  update();
  return idx;
}

int CListReportCtrl::HideColumn(int coluna) {
  const int idx = ItemHeaderDaColuna(coluna);
  if (idx < 0) return 0;
  TerminaEdicaoGravando();
  RetiraExtra();
  HeaderItem h;
  header_->GetItem(idx, h);
  // The header keeps its sort mark on its item: cleared with it, followed otherwise.
  const bool ok = header_->DeleteItem(idx);
  if (ok) larguraTotal_ -= h.width;
  SyncHeaderOrder();
  AplicaExtra();
  Layout();
  Alterado();
  update();
  return ok ? 1 : 0;
}

int CListReportCtrl::HideAllColumns() {
  while (ShownColumnCount() > 0)
    if (!HideColumn(DefinedColumnOfShown(0))) return 0;
  return 1;
}

int CListReportCtrl::SetWidthOfColumn(int coluna, int largura) {
  if (coluna < 0 || coluna >= colunas_.size()) return 0;
  RetiraExtra();
  structSUBITEM& d = colunas_[coluna];
  if (largura < 0) largura = larguraPadrao_;
  largura = std::max(largura, d.minWidth);
  if (d.maxWidth > 0) largura = std::min(largura, d.maxWidth);
  const int idx = ItemHeaderDaColuna(coluna);
  int r = 1;
  if (idx >= 0) {
    HeaderItem h;
    if (!header_->GetItem(idx, h)) r = 0;
    else {
      h.mask = HeaderMask::Width;
      h.width = largura;
      header_->SetItem(idx, h);  // the item-changed handler keeps the total
    }
  }
  d.width = largura;
  AplicaExtra();
  update();
  return r;
}

int CListReportCtrl::GetColumnWidth(int coluna) {
  if (coluna < 0 || coluna >= colunas_.size()) return -1;
  return colunas_[coluna].width - (extraAplicado_ && coluna == colunaExtra_ ? larguraExtra_ : 0);
}

void CListReportCtrl::SyncHeaderOrder() {
  const int n = ShownColumnCount();
  if (n > 0) {
    if (colunaFoco_ >= n) colunaFoco_ = n - 1;
    const int lembrada = colunaFoco_ >= 0 && colunaFoco_ < mostradasDef_.size() ? mostradasDef_[colunaFoco_] : -1;
    mostradas_ = header_->GetOrderArray();
    mostradasDef_.resize(mostradas_.size());
    for (int k = 0; k < mostradas_.size(); ++k) {
      HeaderItem h;
      header_->GetItem(mostradas_[k], h);
      mostradasDef_[k] = int(h.lParam);
    }
    colunaFoco_ = lembrada >= 0 ? int(mostradasDef_.indexOf(lembrada)) : -1;
  } else {
    mostradas_.clear();
    mostradasDef_.clear();
    colunaFoco_ = -1;
  }
  AtualizaEscolhedor();
  ordemHeaderDesatualizada_ = false;
}

int CListReportCtrl::AttachColumnChooser(CListReportSubItemListCtrl* lista) {
  if (escolhedor_ && escolhedor_ != lista) escolhedor_->SetOwner(nullptr);
  if (header_) header_->SetHeaderOption(5, 0);
  escolhedor_ = lista;
  if (lista) {
    lista->SetOwner(this);
    if (header_) header_->SetHeaderOption(5, reinterpret_cast<qintptr>(static_cast<QWidget*>(lista)));
    lista->Refill();
  }
  return 1;
}

int CListReportCtrl::LarguraConteudo(int item, int coluna) {
  ReportItemInfo info;
  info.mask = ReportMask::Text;
  info.item = item;
  info.column = coluna;
  GetRowItem(info);
  int w = margemTexto_;
  if (info.image >= 0) w += larguraImagem_ + margemTexto_;
  if (info.check >= 0) w += larguraCheck_ + margemTexto_;
  if (!info.text.isNull()) {
    const QFontMetrics fm((info.state & ReportState::Bold) ? fonteNegrito_ : fonte_);
    w += margemTexto_ + fm.horizontalAdvance(info.text);
  }
  return w;
}

// ---------------------------------------------------------------- header events

long CListReportCtrl::OnHeaderNotify(HeaderNotify& n) {
  switch (n.code) {
    case HeaderCode::ItemChanged: {
      TerminaEdicaoGravando();
      HeaderItem h;
      if (!header_ || !header_->GetItem(n.item, h)) return 0;
      const int c = int(h.lParam);
      if (c < 0 || c >= colunas_.size()) return 0;
      structSUBITEM& d = colunas_[c];
      if (n.changed & HeaderMask::Format)
        d.flags = (d.flags & ~ReportColumnFlag::AlignMask) | (quint32(h.format) & ReportColumnFlag::AlignMask);
      if (n.changed & HeaderMask::Width) {
        larguraTotal_ += h.width - d.width;
        d.width = h.width;
      }
      if (!header_->IsApplyingWidths()) AtualizaRolagem();
      ReportNotifyInfo r;
      r.code = ReportCode::ColumnChanged;
      r.item = -2;
      r.column = c;
      Notify(r);
      update();
      return 0;
    }
    case HeaderCode::ItemClick: {
      TerminaEdicaoGravando();
      HeaderItem h;
      if (!header_->GetItem(n.item, h)) return 0;
      ReportColumnNotify r;
      r.code = ReportCode::HeaderClick;
      r.column = int(h.lParam);
      if (Notify(r) == 0 && !(estilo_ & (ReportStyle::Virtual | ReportStyle::NoSort))) {
        bool asc = false;
        const bool marcadaAsc = header_->GetSortMark(&asc) == n.item && asc;
        SortByColumn(int(h.lParam), !marcadaAsc);
      }
      return 0;
    }
    case HeaderCode::DividerDoubleClick: {
      TerminaEdicaoGravando();
      HeaderItem h;
      if (!header_->GetItem(n.item, h)) return 0;
      const int c = int(h.lParam);
      ReportColumnNotify r;
      r.code = ReportCode::DividerDoubleClick;
      r.column = c;
      if (Notify(r) != 0 || ModoVirtual() || c < 0 || c >= colunas_.size()) return 0;
      if ((colunas_[c].flags & ReportColumnFlag::NoAutoSize) || itens_.isEmpty()) return 0;
      int maior = 0;
      for (int i = 0; i < itens_.size(); ++i) maior = std::max(maior, LarguraConteudo(i, c));
      HeaderItem w;
      w.mask = HeaderMask::Width;
      w.width = maior;
      header_->SetItem(n.item, w);
      return 0;
    }
    case HeaderCode::BeginDrag: TerminaEdicaoGravando(); return 0;
    case HeaderCode::EndDrag: {
      TerminaEdicaoGravando();
      const int alvo = header_->GetDropTargetState();
      if (alvo == 1 || alvo == -1) {
        HeaderItem h;
        if ((estilo_ & ReportStyle::ColumnRemoval) && header_->GetItem(n.item, h)) HideColumn(int(h.lParam));
        return 1;
      }
      ordemHeaderDesatualizada_ = true;
      headerOrdem0_ = header_->OrderToIndex(0);
      update();
      // The header applies the new order after this answer; take it then.
      QMetaObject::invokeMethod(this, [this] {
        if (ordemHeaderDesatualizada_) SyncHeaderOrder();
        Alterado();
        update();
      }, Qt::QueuedConnection);
      return 0;
    }
    case HeaderCode::RightClick: {
      HeaderItem h;
      ReportColumnNotify r;
      r.code = ReportCode::HeaderRightClick;
      r.column = header_->GetItem(n.item, h) ? int(h.lParam) : -1;
      return Notify(r);
    }
    default: return 0;
  }
}

// ---------------------------------------------------------------- layout text

QString CListReportCtrl::LayoutText() {
  RetiraExtra();
  if (ordemHeaderDesatualizada_) SyncHeaderOrder();
  const int m = ShownColumnCount();
  QString s = QStringLiteral("(%1,%2)").arg(colunas_.size()).arg(m);
  for (const structSUBITEM& d : colunas_) s += QStringLiteral(" %1").arg(d.width);
  for (int k = 0; k < m; ++k) s += QStringLiteral(" %1").arg(DefinedColumnOfShown(k));
  AplicaExtra();
  return s;
}

int CListReportCtrl::ApplyLayout(const QString& texto) {
  // Read the whole text before touching anything: a text that does not fit
  // the defined columns, or is damaged, changes nothing.
  static const QRegularExpression cabeca(QStringLiteral("^\\((-?\\d+),(-?\\d+)\\)((?: +-?\\d+)*) *$"));
  const QRegularExpressionMatch m = cabeca.match(texto);
  if (!m.hasMatch()) return 0;
  bool ok1 = false, ok2 = false;
  const int n = m.captured(1).toInt(&ok1), mostradas = m.captured(2).toInt(&ok2);
  if (!ok1 || !ok2 || n != colunas_.size() || mostradas <= 0) return 0;
  const QStringList numeros = m.captured(3).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (numeros.size() != n + mostradas) return 0;
  QVector<int> larguras, indices;
  for (int i = 0; i < numeros.size(); ++i) {
    bool ok = false;
    const int v = numeros[i].toInt(&ok);
    if (!ok || v < 0) return 0;
    if (i < n) larguras.append(v);
    else if (v >= n) return 0;
    else indices.append(v);
  }
  RetiraExtra();
  for (int c = 0; c < n; ++c) {
    const int idx = ItemHeaderDaColuna(c);
    if (idx < 0) {
      colunas_[c].width = larguras[c];
      continue;
    }
    HeaderItem h;  // the item-changed handler keeps the definition and the total
    h.mask = HeaderMask::Width;
    h.width = larguras[c];
    header_->SetItem(idx, h);
  }
  for (int k = 0; k < indices.size(); ++k) ShowColumnAt(indices[k], k);
  SyncHeaderOrder();
  AplicaExtra();
  update();
  return 1;
}

void CListReportCtrl::DefineDefaultSettings(QSettings* s) { ConfiguracoesPadrao() = s; }

namespace {
QSettings& Perfil(QSettings* s) {
  if (s) return *s;
  if (ConfiguracoesPadrao()) return *ConfiguracoesPadrao();
  static QSettings padrao;
  return padrao;
}
}  // namespace

bool CListReportCtrl::SaveLayout(const QString& secao, const QString& entrada, QSettings* s) {
  QSettings& p = Perfil(s);
  p.setValue(secao + QLatin1Char('/') + entrada, LayoutText());
  p.sync();
  return p.status() == QSettings::NoError;
}

int CListReportCtrl::RestoreLayout(const QString& secao, const QString& entrada, QSettings* s) {
  const QVariant v = Perfil(s).value(secao + QLatin1Char('/') + entrada);
  // An INI value edited by hand without quotes reads back split at its commas.
  const QString texto = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QLatin1Char(',')) : v.toString();
  if (texto.isEmpty()) return 0;
  return ApplyLayout(texto);
}
