// The grid's data, rows and columns, geometry, painting, scroll bars and
// notifications.
#include "CTableCtrl.h"

#include "COffscreenDC.h"
#include "CTableAccessible.h"
#include "CTitleTip.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"
#include "platform/TextoNumerico.h"

#include <QAccessible>
#include <QApplication>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <numeric>

namespace {

constexpr int32_t MagiaLayout = 0x05FD4E64;

// The framework's report when memory runs out while the grid grows.
void FaltaMemoria() { plat::MessageBox(QStringLiteral("Memória insuficiente."), QString(), plat::MB_ICONSTOP); }

}  // namespace

// ---------------------------------------------------------------- construction

CTableCtrl::CTableCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols, QWidget* parent)
    : QAbstractScrollArea(parent) {
  GridAccessibleInstall();
  corFora_ = GridColour::Sys(GridColour::ButtonShadow);
  coresLembradas_[0] = GridColour::Sys(GridColour::WindowText);
  coresLembradas_[1] = GridColour::Sys(GridColour::Window);
  coresLembradas_[2] = GridColour::Sys(GridColour::ButtonFace);
  coresLembradas_[3] = GridColour::Sys(GridColour::ButtonShadow);
  linhasRoda_ = QApplication::wheelScrollLines();
  for (auto& p : padroes_) {
    p = std::make_unique<CTableDefaultCell>();
    p->AttachToGrid(this);
    p->AssignTextColour(coresLembradas_[0]);
    p->AssignBackColour(coresLembradas_[2]);
  }
  padroes_[0]->AssignBackColour(coresLembradas_[1]);
  celulaVirtual_ = std::make_unique<CTableCell>();

  setFrameShape(QFrame::StyledPanel);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAcceptDrops(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int acao) { AcaoBarra(Qt::Horizontal, acao); });
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
          [this](int acao) { AcaoBarra(Qt::Vertical, acao); });

  dica_ = std::make_unique<CTitleTip>(this);
  SetNumberOfRows(nRows);
  SetNumberOfColumns(nCols);
  SetNumberOfFixedRows(nFixedRows);
  SetNumberOfFixedColumns(nFixedCols);
  SetPrintLayout(2, 2, 4, 4, 1, 1, 1);
  modificado_ = false;
}

CTableCtrl::~CTableCtrl() {
  destruindo_ = true;
  timerRolagem_.stop();
  // An open edit box must not report to a grid that is going.
  for (QObject* filho : viewport()->children())
    if (auto* e = qobject_cast<QWidget*>(filho)) e->blockSignals(true);
  for (int r = 0; r < int(linhas_.size()); ++r) {
    if (!linhas_[size_t(r)]) continue;
    for (CTableCellBase* c : *linhas_[size_t(r)]) delete c;
  }
  linhas_.clear();
  dica_.reset();
}

bool CTableCtrl::Create(const QRect& rect, QWidget* parent, int id, bool visivel) {
  setParent(parent);
  setGeometry(rect);
  SetDlgCtrlID(id);
  if (visivel) show();
  return true;
}

bool CTableCtrl::SubclassDlgItem(int id, QWidget* dialogo) {
  if (!dialogo) return false;
  QWidget* lugar = dialogo->findChild<QWidget*>(QString::number(id));
  if (!lugar || lugar == this) return false;
  QWidget* pai = lugar->parentWidget();
  setParent(pai);
  setGeometry(lugar->geometry());
  if (pai && pai->layout()) delete pai->layout()->replaceWidget(lugar, this);
  lugar->hide();
  lugar->deleteLater();
  SetDlgCtrlID(id);
  setFrameShape(QFrame::StyledPanel);  // the client edge
  show();
  ResetScrollBars();
  return true;
}

void CTableCtrl::SetDlgCtrlID(int id) {
  id_ = id;
  setObjectName(QString::number(id));
}

CTableOwner* CTableCtrl::GetOwner() const {
  if (dono_) return dono_;
  for (QObject* p = parent(); p; p = p->parent())
    if (auto* d = dynamic_cast<CTableOwner*>(p)) return d;
  return nullptr;
}

// ---------------------------------------------------------------- notifications

int CTableCtrl::NotifyOwner(GridNmHdr& hdr) {
  if (destruindo_) return 0;
  hdr.hwndFrom = this;
  hdr.idFrom = id_;
  CTableOwner* dono = donoLote_ ? donoLote_ : GetOwner();
  return dono ? dono->OnGridNotify(hdr) : 0;
}

int CTableCtrl::NotifyOwner(int codigo, int row, int col) {
  NM_GRIDVIEW nm;
  nm.hdr.code = codigo;
  nm.iRow = row;
  nm.iColumn = col;
  return NotifyOwner(nm.hdr);
}

void CTableCtrl::NotifyOwnerOfRange(const CCellRange& range) {
  GridCacheHint dica;
  dica.hdr.code = GVN_ODCACHEHINT;
  dica.range = range;
  NotifyOwner(dica.hdr);
}

// ---------------------------------------------------------------- default cells and cells

CTableDefaultCell* CTableCtrl::GetDefaultCell(bool linhaFixa, bool colunaFixa) const {
  if (linhaFixa && colunaFixa) return padroes_[3].get();
  if (linhaFixa) return padroes_[2].get();
  if (colunaFixa) return padroes_[1].get();
  return padroes_[0].get();
}

CTableCellBase* CTableCtrl::CreateCell(int row, int col) {
  if (!classeCelula_ || !classeCelula_->create || !classeCelula_->IsDerivedFrom(&CTableCellBase::classe)) return nullptr;
  CTableCellBase* c = classeCelula_->create();
  if (!c) return nullptr;
  c->AttachToGrid(this);
  c->AssignPosition(row, col);
  uint32_t estado = c->State();
  if (col < nFixedCols_) estado |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (row < nFixedRows_) estado |= GVIS_FIXED | GVIS_FIXEDROW;
  c->AssignState(estado);
  c->AssignFormat(GetDefaultCell(row < nFixedRows_, col < nFixedCols_)->Format());
  return c;
}

void CTableCtrl::DestroyCell(int row, int col) {
  if (virtual_ || row < 0 || row >= int(linhas_.size()) || col < 0 || col >= nCols_) return;
  Linha& l = *linhas_[size_t(row)];
  const size_t k = size_t(ordemColunas_[size_t(col)]);
  if (k >= l.size() || !l[k]) return;
  SetCellState(row, col, 0);
  delete l[k];
  l[k] = nullptr;
}

bool CTableCtrl::CriaCelulasLinha(Linha& linha, int row) {
  linha.assign(size_t(nCols_), nullptr);
  for (int c = 0; c < nCols_; ++c) linha[size_t(ordemColunas_[size_t(c)])] = CreateCell(row, c);
  return true;
}

void CTableCtrl::DestroiLinha(int row) {
  if (virtual_ || row < 0 || row >= int(linhas_.size()) || !linhas_[size_t(row)]) return;
  for (int c = 0; c < nCols_; ++c) DestroyCell(row, c);
  for (CTableCellBase* c : *linhas_[size_t(row)]) delete c;  // cells not reached through the order
  linhas_[size_t(row)]->clear();
}

void CTableCtrl::ReiniciaOrdemColunas() {
  // Cells and widths move into display order, which becomes 0..n-1.
  bool identidade = true;
  for (int c = 0; c < int(ordemColunas_.size()); ++c) identidade = identidade && ordemColunas_[size_t(c)] == c;
  if (!identidade) {
    std::vector<int> larg(ordemColunas_.size());
    for (size_t c = 0; c < ordemColunas_.size(); ++c) larg[c] = larguras_[size_t(ordemColunas_[c])];
    larguras_ = larg;
    for (auto& l : linhas_) {
      if (!l) continue;
      Linha nova(l->size(), nullptr);
      for (size_t c = 0; c < ordemColunas_.size() && c < nova.size(); ++c) nova[c] = (*l)[size_t(ordemColunas_[c])];
      l->swap(nova);
    }
  }
  ordemColunas_.resize(size_t(nCols_));
  std::iota(ordemColunas_.begin(), ordemColunas_.end(), 0);
}

void CTableCtrl::ReiniciaOrdemLinhas() {
  ordemLinhas_.resize(size_t(nRows_));
  std::iota(ordemLinhas_.begin(), ordemLinhas_.end(), 0);
}

void CTableCtrl::AjustaSelecao() {
  selecao_.Resize(nRows_, nCols_);
  anterior_.Resize(nRows_, nCols_);
}

CTableCellBase* CTableCtrl::CelulaVirtual(int row, int col) {
  const bool linhaFixa = row < nFixedRows_, colunaFixa = col < nFixedCols_;
  const CTableDefaultCell* def = GetDefaultCell(linhaFixa, colunaFixa);
  GridItem& it = pedido_.item;
  it.row = row;
  it.col = col;
  it.mask = GVIF_ALL;
  it.nState = 0;
  if (selecao_.Contains(row, col)) it.nState |= GVIS_SELECTED;
  if (linhaFixa) it.nState |= GVIS_FIXED | GVIS_FIXEDROW;
  if (colunaFixa) it.nState |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (foco_ == CCellID(row, col)) it.nState |= GVIS_FOCUSED;
  it.nFormat = def->Format();
  it.iImage = def->Image();
  it.crBkClr = def->BackColour();
  it.crFgClr = def->TextColour();
  it.lParam = def->Data();
  it.lfFont = *def->FontData();
  it.nMargin = def->Margin();
  it.strText.clear();
  if (!destruindo_) {
    it.row = row < int(ordemLinhas_.size()) ? ordemLinhas_[size_t(row)] : row;
    it.col = col < int(ordemColunas_.size()) ? ordemColunas_[size_t(col)] : col;
    if (callback_) {
      callback_(&pedido_, usuarioCallback_);
    } else {
      pedido_.hdr.code = GVN_GETDISPINFO;
      NotifyOwner(pedido_.hdr);
    }
    it.row = row;
    it.col = col;
  }
  CTableCell& c = *celulaVirtual_;
  c.AssignState(it.nState);
  c.AssignFormat(it.nFormat);
  c.AssignImage(it.iImage);
  c.AssignData(it.lParam);
  c.AssignBackColour(it.crBkClr);
  c.AssignTextColour(it.crFgClr);
  c.AssignFont(&it.lfFont);
  c.AssignMargin(it.nMargin);
  c.AssignText(it.strText);
  c.AttachToGrid(this);
  return &c;
}

bool CTableCtrl::SetCellClass(const GridCellClass* classe) {
  if (!classe || !classe->create || !classe->IsDerivedFrom(&CTableCellBase::classe)) return false;
  classeCelula_ = classe;
  return true;
}

// ---------------------------------------------------------------- counts

bool CTableCtrl::SetNumberOfRows(int n) {
  if (n < 0) return false;
  if (n == nRows_) return true;
  InvalidaTopoEsquerdo();
  if (nFixedRows_ > n) nFixedRows_ = n;
  if (foco_.row >= n) foco_ = CCellID();
  const int antes = nRows_;
  try {
    if (n < antes) {
      if (!virtual_)
        for (int r = n; r < antes; ++r) DestroiLinha(r);
      linhas_.resize(virtual_ ? 0 : size_t(n));
      alturas_.Resize(n);
      nRows_ = n;
    } else {
      const int altura = padroes_[0]->DefaultHeight();
      alturas_.Reserve(n);
      if (!virtual_) linhas_.reserve(size_t(n));
      for (int r = antes; r < n; ++r) {
        if (!virtual_) {
          auto l = std::make_unique<Linha>();
          CriaCelulasLinha(*l, r);
          linhas_.push_back(std::move(l));
        }
        alturas_.Append(altura);
        nRows_ = r + 1;
      }
    }
  } catch (const std::bad_alloc&) {
    nRows_ = alturas_.size();
    if (!virtual_) nRows_ = std::min(nRows_, int(linhas_.size()));
    AjustaSelecao();
    FaltaMemoria();
    return false;
  }
  if (virtual_) ReiniciaOrdemLinhas();
  AjustaSelecao();
  ResetScrollBars();
  SetModified(true);
  viewport()->update();
  return true;
}

bool CTableCtrl::SetNumberOfColumns(int n) {
  if (n < 0) return false;
  if (n == nCols_) return true;
  InvalidaTopoEsquerdo();
  if (nFixedCols_ > n) nFixedCols_ = n;
  if (foco_.col >= n) foco_ = CCellID();
  const int antes = nCols_;
  try {
    ReiniciaOrdemColunas();
    if (n < antes) {
      if (!virtual_)
        for (int r = 0; r < nRows_; ++r)
          for (int c = n; c < antes; ++c) DestroyCell(r, c);
      for (auto& l : linhas_) l->resize(size_t(n));
      larguras_.resize(size_t(n));
      nCols_ = n;
    } else {
      const int largura = padroes_[1]->DefaultWidth();
      larguras_.resize(size_t(n), largura);
      nCols_ = n;
      ordemColunas_.resize(size_t(n));
      std::iota(ordemColunas_.begin(), ordemColunas_.end(), 0);
      if (!virtual_) {
        for (int r = 0; r < nRows_; ++r) {
          Linha& l = *linhas_[size_t(r)];
          l.resize(size_t(n), nullptr);
          for (int c = antes; c < n; ++c) l[size_t(c)] = CreateCell(r, c);
        }
      }
    }
  } catch (const std::bad_alloc&) {
    AjustaSelecao();
    FaltaMemoria();
    return false;
  }
  ordemColunas_.resize(size_t(nCols_));
  std::iota(ordemColunas_.begin(), ordemColunas_.end(), 0);
  AjustaSelecao();
  ResetScrollBars();
  SetModified(true);
  viewport()->update();
  return true;
}

bool CTableCtrl::SetNumberOfFixedRows(int n) { return DefineFixas(Qt::Vertical, n); }
bool CTableCtrl::SetNumberOfFixedColumns(int n) { return DefineFixas(Qt::Horizontal, n); }

bool CTableCtrl::DefineFixas(Qt::Orientation o, int n) {
  // Rows (columns) that become fixed get the fixed state and default colours;
  // those that stop being fixed lose it, keeping what a fixed column (row) gives.
  const bool linhas = o == Qt::Vertical;
  if (n < 0) return false;
  if (n > (linhas ? nRows_ : nCols_) && !(linhas ? SetNumberOfRows(n) : SetNumberOfColumns(n))) return false;
  selecao_.Clear();
  baseEhAnterior_ = false;
  if (foco_.IsValid() && (linhas ? foco_.row : foco_.col) < n) foco_ = CCellID();
  int& fixas = linhas ? nFixedRows_ : nFixedCols_;
  const int antes = fixas;
  const uint32_t propria = linhas ? GVIS_FIXEDROW : GVIS_FIXEDCOL;
  if (!virtual_) {
    for (int r = 0; r < nRows_; ++r)
      for (int c = 0; c < nCols_; ++c) {
        const int i = linhas ? r : c;
        const bool entra = i >= antes && i < n, sai = i >= n && i < antes;
        if (!entra && !sai) continue;
        CTableCellBase* cel = CelulaArmazenada(r, c);
        if (!cel) continue;
        const bool outraFixa = linhas ? c < nFixedCols_ : r < nFixedRows_;
        if (entra) cel->AssignState(cel->State() | GVIS_FIXED | propria);
        else cel->AssignState(cel->State() & ~(outraFixa ? propria : (GVIS_FIXED | propria)));
        cel->AssignTextColour(GridColour::Default);
        cel->AssignBackColour(GridColour::Default);
      }
  }
  fixas = n;
  InvalidaTopoEsquerdo();
  ResetScrollBars();
  viewport()->update();
  return true;
}

int CTableCtrl::AddColumn(const QString& heading, uint32_t formato, int posicao) {
  if (posicao == -1 || posicao == nCols_) posicao = nCols_;
  else if (posicao < nFixedCols_ || posicao > nCols_) return -1;
  LimpaSelecao();
  if (nRows_ < 1 && !SetNumberOfRows(1)) return -1;
  try {
    ReiniciaOrdemColunas();
    larguras_.insert(larguras_.begin() + posicao, 0);
    ++nCols_;
    ordemColunas_.resize(size_t(nCols_));
    std::iota(ordemColunas_.begin(), ordemColunas_.end(), 0);
    if (!virtual_)
      for (int r = 0; r < nRows_; ++r) {
        Linha& l = *linhas_[size_t(r)];
        l.insert(l.begin() + posicao, nullptr);
        l[size_t(posicao)] = CreateCell(r, posicao);
      }
  } catch (const std::bad_alloc&) {
    FaltaMemoria();
    return -1;
  }
  AjustaSelecao();
  InvalidaTopoEsquerdo();
  if (!virtual_) {
    for (int r = 0; r < nRows_; ++r)
      if (CTableCellBase* c = CelulaArmazenada(r, posicao)) c->AssignFormat(formato);
    if (CTableCellBase* c = CelulaArmazenada(0, posicao)) {
      c->AssignText(heading);
      larguras_[size_t(posicao)] = c->MeasureCell(nullptr).width();
    }
  } else {
    CTableCell medida;
    medida.AttachToGrid(this);
    medida.AssignState(GVIS_FIXED | GVIS_FIXEDROW);
    medida.AssignText(heading);
    larguras_[size_t(posicao)] = medida.MeasureCell(nullptr).width();
  }
  if (foco_.IsValid() && foco_.col >= posicao) ++foco_.col;
  SetModified(true);
  ResetScrollBars();
  viewport()->update();
  return posicao;
}

int CTableCtrl::AddRow(const QString& heading, int posicao) {
  const bool acrescenta = posicao == -1;
  if (acrescenta) posicao = nRows_;
  else if (posicao < nFixedRows_ || posicao >= nRows_) return -1;
  LimpaSelecao();
  if (nCols_ < 1 && !SetNumberOfColumns(1)) return -1;
  try {
    if (!virtual_) {
      auto l = std::make_unique<Linha>();
      CriaCelulasLinha(*l, posicao);
      linhas_.insert(linhas_.begin() + posicao, std::move(l));
    }
    alturas_.Insert(posicao, 0);
    ++nRows_;
  } catch (const std::bad_alloc&) {
    FaltaMemoria();
    return -1;
  }
  if (virtual_) {
    if (acrescenta) ordemLinhas_.push_back(posicao);
    else ReiniciaOrdemLinhas();
  }
  AjustaSelecao();
  InvalidaTopoEsquerdo();
  int altura = GetDefaultCell(true, false)->DefaultHeight();
  if (!virtual_) {
    if (CTableCellBase* c = CelulaArmazenada(posicao, 0)) {
      c->AssignText(heading);
      if (!heading.isEmpty()) altura = c->MeasureCell(nullptr).height();
    }
  } else if (!heading.isEmpty()) {
    CTableCell medida;
    medida.AttachToGrid(this);
    medida.AssignText(heading);
    altura = medida.MeasureCell(nullptr).height();
  }
  alturas_.Set(posicao, altura);
  if (foco_.IsValid() && foco_.row >= posicao) ++foco_.row;
  SetModified(true);
  ResetScrollBars();
  viewport()->update();
  return posicao;
}

bool CTableCtrl::RemoveColumn(int col) {
  if (col < 0 || col >= nCols_) return false;
  LimpaSelecao();
  ReiniciaOrdemColunas();
  if (!virtual_)
    for (int r = 0; r < nRows_; ++r) {
      DestroyCell(r, col);
      Linha& l = *linhas_[size_t(r)];
      l.erase(l.begin() + col);
    }
  larguras_.erase(larguras_.begin() + col);
  --nCols_;
  ordemColunas_.resize(size_t(nCols_));
  std::iota(ordemColunas_.begin(), ordemColunas_.end(), 0);
  if (col < nFixedCols_) --nFixedCols_;
  if (foco_.col == col) foco_ = CCellID();
  else if (foco_.col > col) --foco_.col;
  if (colunaOrdem_ == col) colunaOrdem_ = -1;
  else if (colunaOrdem_ > col) --colunaOrdem_;
  AjustaSelecao();
  InvalidaTopoEsquerdo();
  SetModified(true);
  ResetScrollBars();
  viewport()->update();
  return true;
}

bool CTableCtrl::RemoveRow(int row) {
  if (row < 0 || row >= nRows_) return false;
  LimpaSelecao();
  if (virtual_) {
    ShiftRowOrder(row, -1);
  } else {
    DestroiLinha(row);
    linhas_.erase(linhas_.begin() + row);
  }
  alturas_.Erase(row);
  --nRows_;
  if (row < nFixedRows_) --nFixedRows_;
  if (foco_.row == row) foco_ = CCellID();
  else if (foco_.row > row) --foco_.row;
  AjustaSelecao();
  InvalidaTopoEsquerdo();
  SetModified(true);
  ResetScrollBars();
  viewport()->update();
  return true;
}

bool CTableCtrl::RemoveNonFixedRows() {
  LimpaSelecao();
  if (virtual_) {
    SetNumberOfRows(nFixedRows_);
    ReiniciaOrdemLinhas();
    return true;
  }
  for (int r = nRows_ - 1; r >= nFixedRows_; --r) RemoveRow(r);
  return true;
}

bool CTableCtrl::ClearAll() {
  LimpaSelecao();
  FinishEditing();
  if (!virtual_)
    for (int r = 0; r < int(linhas_.size()); ++r) DestroiLinha(r);
  linhas_.clear();
  alturas_.Clear();
  larguras_.clear();
  ordemLinhas_.clear();
  ordemColunas_.clear();
  foco_ = CCellID();
  nRows_ = nFixedRows_ = nCols_ = nFixedCols_ = 0;
  AjustaSelecao();
  InvalidaTopoEsquerdo();
  SetModified(true);
  ResetScrollBars();
  viewport()->update();
  return true;
}

bool CTableCtrl::SetVirtual(bool on) {
  ClearAll();
  virtual_ = on;
  if (on) {
    editavel_ = false;
    linhaFixaSelecionaColunas_ = false;
    colunaFixaSelecionaLinhas_ = false;
    escopoAuto_ = GVS_HEADER;
    ReiniciaOrdemLinhas();
  }
  return true;
}

void CTableCtrl::SetWholeRowSelection(bool on) {
  LimpaSelecao();
  SetSortColumn(-1);
  linhaInteira_ = on;
  colunaFixaSelecionaLinhas_ = false;
  viewport()->update();
}

void CTableCtrl::ShiftRowOrder(int indice, int delta) {
  if (delta <= 0) {
    // Removing: the entry at `indice` goes and the stored indices above it
    // close the gap, whatever order a sort left them in.
    if (indice < 0 || indice >= int(ordemLinhas_.size())) return;
    const int removido = ordemLinhas_[size_t(indice)];
    ordemLinhas_.erase(ordemLinhas_.begin() + indice);
    for (int& v : ordemLinhas_)
      if (v > removido) --v;
  } else {
    for (int& v : ordemLinhas_)
      if (v >= indice) v += delta;
    ordemLinhas_.insert(ordemLinhas_.begin() + std::clamp(indice, 0, int(ordemLinhas_.size())), indice);
  }
}

// ---------------------------------------------------------------- sizes and geometry

int CTableCtrl::HeightOfRow(int row) const {
  return row < 0 || row >= nRows_ ? -1 : alturas_[size_t(row)];
}

int CTableCtrl::WidthOfColumn(int col) const {
  return col < 0 || col >= nCols_ ? -1 : larguras_[size_t(ordemColunas_[size_t(col)])];
}

bool CTableCtrl::SetHeightOfRow(int row, int altura) {
  if (row < 0 || row >= nRows_ || altura < 0) return false;
  alturas_.Set(row, altura);
  ResetScrollBars();
  viewport()->update();
  return true;
}

bool CTableCtrl::SetWidthOfColumn(int col, int largura) {
  if (col < 0 || col >= nCols_ || largura < 0) return false;
  larguras_[size_t(ordemColunas_[size_t(col)])] = largura;
  ResetScrollBars();
  viewport()->update();
  return true;
}

int CTableCtrl::GetFixedRowHeight() const { return int(std::min<int64_t>(alturas_.Start(nFixedRows_), INT32_MAX)); }

int CTableCtrl::GetFixedColumnWidth() const {
  int w = 0;
  for (int c = 0; c < nFixedCols_; ++c) w += WidthOfColumn(c);
  return w;
}

int CTableCtrl::GetVirtualHeight() const { return int(std::min<int64_t>(alturas_.Total(), INT32_MAX)); }

int CTableCtrl::GetVirtualWidth() const {
  int64_t w = 0;
  for (int v : larguras_) w += v;
  return int(std::min<int64_t>(w, INT32_MAX));
}

int CTableCtrl::GetScrollPos(Qt::Orientation o) const {
  const QScrollBar* b = o == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  const Qt::ScrollBarPolicy p = o == Qt::Horizontal ? horizontalScrollBarPolicy() : verticalScrollBarPolicy();
  return p == Qt::ScrollBarAlwaysOff ? 0 : b->value();
}

CCellID CTableCtrl::GetTopleftNonFixedCell(bool recalcula) {
  if (topoEsquerdo_.IsValid() && !recalcula) return topoEsquerdo_;
  const int px = GetScrollPos(Qt::Horizontal), py = GetScrollPos(Qt::Vertical);
  int col = nFixedCols_, soma = 0;
  while (soma < px && col < nCols_ - 1) soma += WidthOfColumn(col++);
  // The first row whose start is at least the position below the fixed rows
  // (at most the last row).
  int row = nFixedRows_;
  if (py > 0 && row < nRows_ - 1)
    row = std::min(nRows_ - 1, alturas_.FirstStartingAtOrBelow(alturas_.Start(nFixedRows_) + py, nFixedRows_, nRows_ - 1));
  topoEsquerdo_ = CCellID(row, col);
  return topoEsquerdo_;
}

bool CTableCtrl::PosicaoCelula(int row, int col, QPoint* p) {
  if (row < 0 || col < 0 || row >= nRows_ || col >= nCols_) return false;
  const CCellID tl = GetTopleftNonFixedCell();
  if ((row >= nFixedRows_ && row < tl.row) || (col >= nFixedCols_ && col < tl.col)) return false;
  int x = 0, y = 0;
  if (col < nFixedCols_) {
    for (int c = 0; c < col; ++c) x += WidthOfColumn(c);
  } else {
    x = GetFixedColumnWidth();
    for (int c = tl.col; c < col; ++c) x += WidthOfColumn(c);
  }
  if (row < nFixedRows_) y = int(alturas_.Start(row));
  else y = int(std::clamp<int64_t>(alturas_.Start(nFixedRows_) + alturas_.Start(row) - alturas_.Start(tl.row), INT32_MIN, INT32_MAX));
  *p = QPoint(x, y);
  return true;
}

bool CTableCtrl::GetCellOrigin(int row, int col, QPoint* p) { return p && PosicaoCelula(row, col, p); }

bool CTableCtrl::GetCellRect(int row, int col, QRect* r) {
  QPoint o;
  if (!r || !PosicaoCelula(row, col, &o)) return false;
  *r = QRect(o, QSize(WidthOfColumn(col), HeightOfRow(row)));
  return true;
}

CCellID CTableCtrl::GetCellFromPt(QPoint p, bool permiteFixas) {
  const CCellID tl = GetTopleftNonFixedCell();
  const int fw = GetFixedColumnWidth(), fh = GetFixedRowHeight();
  CCellID id;
  if (p.x() < 0 || (!permiteFixas && p.x() < fw)) {
    id.col = -1;
  } else if (p.x() < fw) {
    int x = 0;
    for (int c = 0; c < nFixedCols_; ++c) {
      x += WidthOfColumn(c);
      if (x > p.x()) { id.col = c; break; }
    }
  } else {
    int x = fw;
    for (int c = tl.col; c < nCols_; ++c) {
      x += WidthOfColumn(c);
      if (x > p.x()) { id.col = c; break; }
    }
  }
  if (p.y() < 0 || (!permiteFixas && p.y() < fh)) {
    id.row = -1;
  } else if (p.y() < fh) {
    id.row = alturas_.FirstEndingBelow(p.y(), 0);
  } else if (tl.row < nRows_) {
    id.row = alturas_.FirstEndingBelow(alturas_.Start(tl.row) + (p.y() - fh), tl.row);
  }
  if (id.row < 0 || id.col < 0) return CCellID();
  return id;
}

CCellRange CTableCtrl::GetVisibleNonFixedCellRange(QRect* rect) {
  const QRect cliente = viewport()->rect();
  const CCellID tl = GetTopleftNonFixedCell();
  // The first row from the top one whose bottom reaches the window's bottom
  // (all of them when none does).
  int bottom = GetFixedRowHeight(), row = tl.row;
  if (row < nRows_) {
    const int64_t topo = alturas_.Start(tl.row);
    row = alturas_.FirstEndingBelow(topo + (cliente.height() - bottom), tl.row, true);
    if (row < 0) row = nRows_;
    bottom += int(std::min<int64_t>(alturas_.Start(std::min(row + 1, nRows_)) - topo, INT32_MAX - bottom));
  }
  int right = GetFixedColumnWidth(), col = tl.col;
  for (; col < nCols_; ++col) {
    right += WidthOfColumn(col);
    if (right >= cliente.width()) break;
  }
  const int maxRow = std::min(row, nRows_ - 1), maxCol = std::min(col, nCols_ - 1);
  if (rect) *rect = QRect(QPoint(GetFixedColumnWidth(), GetFixedRowHeight()), QPoint(right - 1, bottom - 1));
  if (tl.row >= nRows_ || tl.col >= nCols_ || maxRow < tl.row || maxCol < tl.col) return CCellRange();
  return CCellRange(tl.row, tl.col, maxRow, maxCol);
}

CCellRange CTableCtrl::GetFullyVisibleNonFixedCellRange(QRect* rect) {
  CCellRange r = GetVisibleNonFixedCellRange(rect);
  if (!r.IsValid()) return r;
  const QRect cliente = viewport()->rect();
  QRect cel;
  if (GetCellRect(r.maxRow, r.minCol, &cel) && cel.bottom() >= cliente.height() && r.maxRow > r.minRow) --r.maxRow;
  if (GetCellRect(r.minRow, r.maxCol, &cel) && cel.right() >= cliente.width() && r.maxCol > r.minCol) --r.maxCol;
  return r;
}

CCellRange CTableCtrl::GetVisibleFixedCellRange(QRect* rect) {
  CCellRange r = GetVisibleNonFixedCellRange(rect);
  if (nFixedCols_ == 0) return CCellRange();
  r.minCol = 0;
  r.maxCol = nFixedCols_ - 1;
  if (!r.IsValid()) return CCellRange();
  return r;
}

bool CTableCtrl::IsCellVisible(int row, int col) {
  // A row above or below the view is answered before any column is walked.
  if (row >= nFixedRows_ && row < nRows_ && col >= 0 && col < nCols_) {
    const CCellID tl = GetTopleftNonFixedCell();
    if (row < tl.row || alturas_.Start(nFixedRows_) + alturas_.Start(row) - alturas_.Start(tl.row) >= viewport()->height())
      return false;
  }
  QPoint o;
  if (!PosicaoCelula(row, col, &o)) return false;
  const QRect cliente = viewport()->rect();
  return o.x() < cliente.width() && o.y() < cliente.height();
}

// ---------------------------------------------------------------- scroll bars and scrolling

int CTableCtrl::MaximoRolagem(Qt::Orientation o) const {
  const QScrollBar* b = o == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  return b->maximum();
}

void CTableCtrl::ResetScrollBars() {
  if (!redesenha_ || rolandoInterno_) return;
  InvalidaTopoEsquerdo();
  QScrollBar* hb = horizontalScrollBar();
  QScrollBar* vb = verticalScrollBar();
  const bool hMostrada = horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
  const bool vMostrada = verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
  const int larguraBarra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vb);
  int w = viewport()->width() + (vMostrada ? vb->sizeHint().width() : 0);
  int h = viewport()->height() + (hMostrada ? hb->sizeHint().height() : 0);
  if (w <= 0 || h <= 0) return;
  const int fw = GetFixedColumnWidth(), fh = GetFixedRowHeight();
  const int totalW = GetVirtualWidth() - fw, totalH = GetVirtualHeight() - fh;
  bool precisaV = false, precisaH = false;
  if (fw < w && fh < h && nRows_ > 0 && nCols_ > 0) {
    precisaV = h - fh < totalH;
    if (precisaV) w -= std::max(larguraBarra, vb->sizeHint().width());
    precisaH = w - fw < totalW;
    if (precisaH) h -= std::max(larguraBarra, hb->sizeHint().height());
  }
  rolandoInterno_ = true;
  const int pagV = std::max(0, h - fh), pagH = std::max(0, w - fw);
  if (precisaV) {
    vb->setRange(0, std::max(0, totalH - pagV));
    vb->setPageStep(std::max(1, pagV));
    vb->setSingleStep(std::max(1, padroes_[0]->DefaultHeight()));
  } else {
    vb->setRange(0, 0);
    vb->setValue(0);
  }
  if (precisaH) {
    hb->setRange(0, std::max(0, totalW - pagH));
    hb->setPageStep(std::max(1, pagH));
    hb->setSingleStep(std::max(1, padroes_[0]->DefaultWidth()));
  } else {
    hb->setRange(0, 0);
    hb->setValue(0);
  }
  setVerticalScrollBarPolicy(precisaV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(precisaH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  rolandoInterno_ = false;
  InvalidaTopoEsquerdo();
}

void CTableCtrl::RolaPara(Qt::Orientation o, int pos, bool repinta) {
  QScrollBar* b = o == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  const bool antes = rolandoInterno_;
  rolandoInterno_ = true;
  b->setValue(std::clamp(pos, 0, b->maximum()));
  rolandoInterno_ = antes;
  InvalidaTopoEsquerdo();
  if (repinta) viewport()->update();
}

void CTableCtrl::AcaoBarra(Qt::Orientation o, int acao) {
  // A step of the bar moves by whole cells: the position the bar proposes is
  // replaced by the grid's own before the bar applies it.
  QScrollBar* b = o == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
  int codigo = -1;
  switch (acao) {
    case QAbstractSlider::SliderSingleStepAdd: codigo = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: codigo = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: codigo = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: codigo = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: codigo = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: codigo = SB_BOTTOM; break;
    default: break;
  }
  FinishEditing();
  if (dica_) dica_->Hide();
  if (codigo < 0) return;
  rolandoInterno_ = true;
  Rola(o, codigo, 0);
  b->setSliderPosition(b->value());
  rolandoInterno_ = false;
}

void CTableCtrl::OnHScroll(int codigo, int posicao) { Rola(Qt::Horizontal, codigo, posicao); }
void CTableCtrl::OnVScroll(int codigo, int posicao) { Rola(Qt::Vertical, codigo, posicao); }

int CTableCtrl::Tamanho(Qt::Orientation o, int i) const { return o == Qt::Horizontal ? WidthOfColumn(i) : HeightOfRow(i); }

void CTableCtrl::Rola(Qt::Orientation o, int codigo, int posicao) {
  // Horizontal in columns and widths; vertical in rows and heights.
  FinishEditing();
  if (dica_) dica_->Hide();
  const bool h = o == Qt::Horizontal;
  const int n = h ? nCols_ : nRows_, fixas = h ? nFixedCols_ : nFixedRows_;
  const int pagina = h ? viewport()->width() - GetFixedColumnWidth() : viewport()->height() - GetFixedRowHeight();
  const int pos = GetScrollPos(o);
  const int max = MaximoRolagem(o);
  const CCellID tl = GetTopleftNonFixedCell();
  const int primeira = h ? tl.col : tl.row;
  switch (codigo) {
    case SB_LINEDOWN:
      if (pos < max) {
        int i = primeira;
        while (i < n - 1 && Tamanho(o, i) == 0) ++i;
        RolaPara(o, pos + std::max(0, Tamanho(o, i)), false);
        if (GetScrollPos(o) != pos) viewport()->update();
      }
      break;
    case SB_LINEUP:
      if (pos > 0) {
        int i = primeira - 1;
        while (i >= fixas && Tamanho(o, i) == 0) --i;
        RolaPara(o, std::max(0, pos - (i >= fixas ? Tamanho(o, i) : pos)), true);
      }
      break;
    case SB_PAGEDOWN: RolaPara(o, std::min(max, pos + pagina), true); break;
    case SB_PAGEUP: RolaPara(o, std::max(0, pos - pagina), true); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      RolaPara(o, posicao, false);
      if (GetTopleftNonFixedCell(true) != tl) viewport()->update();
      break;
    case SB_TOP: RolaPara(o, 0, true); break;
    case SB_BOTTOM: RolaPara(o, max, true); break;
    default: break;
  }
}

void CTableCtrl::scrollContentsBy(int, int) {
  // Thumb moves arrive here; line and page steps already set the position.
  InvalidaTopoEsquerdo();
  if (!rolandoInterno_) {
    FinishEditing();
    if (dica_) dica_->Hide();
  }
  viewport()->update();
}

int CTableCtrl::PosicaoQueMostra(Qt::Orientation o, int i, int primeira) {
  // Rows through their running heights; columns, few, by a walk.
  const bool h = o == Qt::Horizontal;
  auto inicio = [&](int k) -> int64_t {
    if (!h) return alturas_.Start(k);
    int64_t x = 0;
    for (int c = 0; c < k; ++c) x += WidthOfColumn(c);
    return x;
  };
  const int64_t base = inicio(h ? nFixedCols_ : nFixedRows_);
  const int64_t pagina = (h ? viewport()->width() : viewport()->height()) - base;
  int64_t alvo;
  if (i < primeira) {
    alvo = inicio(i);
  } else {
    const int64_t fim = inicio(i + 1), topo = inicio(primeira);
    if (fim - topo <= pagina) return GetScrollPos(o);
    // The first item from which the view reaches the end of item i; item i
    // itself when it is taller than the view.
    int t = primeira;
    int64_t x = topo;
    if (!h) {
      t = alturas_.FirstStartingAtOrBelow(fim - pagina, primeira, i);
      x = t <= i ? alturas_.Start(t) : 0;
    } else {
      while (t <= i && x < fim - pagina) x += WidthOfColumn(t++);
    }
    alvo = t > i ? inicio(i) : x;
  }
  return int(std::clamp<int64_t>(alvo - base, 0, MaximoRolagem(o)));
}

void CTableCtrl::EnsureVisible(int row, int col) {
  // One move to the position that shows the cell whole, however far it is.
  if (!redesenha_) return;
  if (row < 0 || col < 0 || row >= nRows_ || col >= nCols_) return;
  const CCellID tl = GetTopleftNonFixedCell();
  const int x0 = GetScrollPos(Qt::Horizontal), y0 = GetScrollPos(Qt::Vertical);
  const int x = col >= nFixedCols_ ? PosicaoQueMostra(Qt::Horizontal, col, tl.col) : x0;
  const int y = row >= nFixedRows_ ? PosicaoQueMostra(Qt::Vertical, row, tl.row) : y0;
  if (x == x0 && y == y0) return;
  FinishEditing();
  if (dica_) dica_->Hide();
  if (x != x0) RolaPara(Qt::Horizontal, x, true);
  if (y != y0) RolaPara(Qt::Vertical, y, true);
}

void CTableCtrl::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  if (!rolandoInterno_) ResetScrollBars();
}

// ---------------------------------------------------------------- cell attributes

bool CTableCtrl::SetCellText(int row, int col, const QString& texto) {
  return Atribui(row, col, true, [&](CTableCellBase& c) { c.AssignText(texto); });
}

QString CTableCtrl::GetCellText(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->Text() : QString();
}

bool CTableCtrl::SetCellTextFmt(int row, int col, const char* formato, std::initializer_list<plat::ArgFormato> args) {
  if (virtual_) return false;
  return SetCellText(row, col, plat::FormataC(formato, args));
}

bool CTableCtrl::SetCellTextFmtID(int row, int col, int idFormato, std::initializer_list<plat::ArgFormato> args) {
  if (virtual_) return false;
  return SetCellText(row, col, plat::FormataC(plat::Texto(idFormato).toUtf8().constData(), args));
}

template <class F> bool CTableCtrl::Atribui(int row, int col, bool marca, F f) {
  // The setters of a cell's attributes: refused in virtual mode and without a cell.
  if (virtual_) return false;
  CTableCellBase* c = CellAt(row, col);
  if (!c) return false;
  f(*c);
  if (marca) SetModified(true, row, col);
  return true;
}

bool CTableCtrl::SetCellFormat(int row, int col, uint32_t formato) {
  return Atribui(row, col, false, [&](CTableCellBase& c) { c.AssignFormat(formato); });
}
bool CTableCtrl::SetCellImage(int row, int col, int imagem) {
  return Atribui(row, col, true, [&](CTableCellBase& c) { c.AssignImage(imagem); });
}
bool CTableCtrl::SetCellData(int row, int col, intptr_t dados) {
  return Atribui(row, col, true, [&](CTableCellBase& c) { c.AssignData(dados); });
}
bool CTableCtrl::SetCellTextColour(int row, int col, COLORREF cor) {
  return Atribui(row, col, false, [&](CTableCellBase& c) { c.AssignTextColour(cor); });
}
bool CTableCtrl::SetCellBackColour(int row, int col, COLORREF cor) {
  return Atribui(row, col, false, [&](CTableCellBase& c) { c.AssignBackColour(cor); });
}
bool CTableCtrl::SetCellFont(int row, int col, const LOGFONT* fonte) {
  return Atribui(row, col, false, [&](CTableCellBase& c) { c.AssignFont(fonte); });
}

uint32_t CTableCtrl::GetCellFormat(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->Format() : 0;
}
int CTableCtrl::GetCellImage(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->Image() : -1;
}
intptr_t CTableCtrl::GetCellData(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->Data() : 0;
}
COLORREF CTableCtrl::GetCellTextColour(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->TextColour() : GridColour::Default;
}
COLORREF CTableCtrl::GetCellBackColour(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->BackColour() : GridColour::Default;
}
const LOGFONT* CTableCtrl::GetCellFont(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  if (c) return c->FontData();
  return GetDefaultCell(row >= 0 && row < nFixedRows_, col >= 0 && col < nFixedCols_)->FontData();
}

bool CTableCtrl::IsCellEditing(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c && c->IsBeingEdited();
}

bool CTableCtrl::SetCellState(int row, int col, uint32_t estado) {
  if (row < 0 || col < 0 || row >= nRows_ || col >= nCols_) return false;
  const bool sel = estado & GVIS_SELECTED;
  if (selecao_.Contains(row, col) != sel) {
    selecao_.Set(row, col, sel);
    baseEhAnterior_ = false;
  }
  if (virtual_) return true;
  CTableCellBase* c = CelulaArmazenada(row, col);
  if (!c) return false;
  c->AssignState(estado);
  return true;
}

uint32_t CTableCtrl::GetCellState(int row, int col) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->State() : 0;
}

bool CTableCtrl::SetItem(const GridItem& it) {
  if (virtual_) return false;
  CTableCellBase* c = CellAt(it.row, it.col);
  if (!c) return false;
  SetModified(true, it.row, it.col);
  if (it.mask & GVIF_TEXT) c->AssignText(it.strText);
  if (it.mask & GVIF_PARAM) c->AssignData(it.lParam);
  if (it.mask & GVIF_IMAGE) c->AssignImage(it.iImage);
  if (it.mask & GVIF_STATE) SetCellState(it.row, it.col, it.nState);
  if (it.mask & GVIF_FORMAT) c->AssignFormat(it.nFormat);
  if (it.mask & GVIF_BKCLR) c->AssignBackColour(it.crBkClr);
  if (it.mask & GVIF_FGCLR) c->AssignTextColour(it.crFgClr);
  if (it.mask & GVIF_FONT) c->AssignFont(&it.lfFont);
  if (it.mask & GVIF_MARGIN) c->AssignMargin(it.nMargin);
  return true;
}

bool CTableCtrl::GetItem(GridItem* it) {
  if (!it) return false;
  CTableCellBase* c = CellAt(it->row, it->col);
  if (!c) return false;
  if (it->mask & GVIF_TEXT) it->strText = c->Text();
  if (it->mask & GVIF_PARAM) it->lParam = c->Data();
  if (it->mask & GVIF_IMAGE) it->iImage = c->Image();
  if (it->mask & GVIF_STATE) it->nState = c->State();
  if (it->mask & GVIF_FORMAT) it->nFormat = c->Format();
  if (it->mask & GVIF_BKCLR) it->crBkClr = c->BackColour();
  if (it->mask & GVIF_FGCLR) it->crFgClr = c->TextColour();
  if ((it->mask & GVIF_FONT) && c->FontData()) it->lfFont = *c->FontData();
  if (it->mask & GVIF_MARGIN) it->nMargin = c->Margin();
  return true;
}

bool CTableCtrl::SetCellType(int row, int col, const GridCellClass* classe) {
  if (virtual_ || !classe || !classe->create || !classe->IsDerivedFrom(&CTableCellBase::classe)) return false;
  CTableCellBase* antiga = CellAt(row, col);
  if (!antiga) return false;
  CTableCellBase* nova = classe->create();
  if (!nova) return false;
  nova->CopyFrom(*antiga);
  Linha& l = *linhas_[size_t(row)];
  l[size_t(ordemColunas_[size_t(col)])] = nova;
  delete antiga;
  return true;
}

void CTableCtrl::SetModified(bool on, int row, int col) {
  if (col < 0 || col == colunaOrdem_) SetSortColumn(-1);
  if (row < 0 || col < 0) {
    modificado_ = on;
  } else if (!virtual_) {
    if (CTableCellBase* c = CellAt(row, col)) {
      const uint32_t s = c->State();
      c->AssignState(on ? (s | GVIS_MODIFIED) : (s & ~GVIS_MODIFIED));
      if (on) modificado_ = true;
    }
  }
  if (!modificado_ && !virtual_) {
    for (auto& l : linhas_)
      for (CTableCellBase* c : *l)
        if (c && (c->State() & GVIS_MODIFIED)) c->AssignState(c->State() & ~GVIS_MODIFIED);
  }
}

bool CTableCtrl::GetModified(int row, int col) {
  if (row < 0 || col < 0) return modificado_;
  CTableCellBase* c = CellAt(row, col);
  return c && (c->State() & GVIS_MODIFIED);
}

// ---------------------------------------------------------------- redrawing

void CTableCtrl::AllowRedraw(bool on, bool recalculaBarras) {
  redesenha_ = on;
  if (on) {
    if (recalculaBarras) ResetScrollBars();
    viewport()->update();
  }
}

bool CTableCtrl::RedrawCell(int row, int col, QPainter* dc) {
  if (!redesenha_ || !IsCellVisible(row, col)) return false;
  QRect r;
  if (!GetCellRect(row, col, &r)) return false;
  if (!dc) {
    viewport()->update(r);
    return true;
  }
  CTableCellBase* c = CellAt(row, col);
  if (!c) return false;
  c->AssignPosition(row, col);
  const bool fixa = row < nFixedRows_ || col < nFixedCols_;
  c->DrawCell(dc, row, col, r, true);
  if (!fixa) {
    dc->save();
    dc->setPen(QPen(GridColour::ToQt(corLinhas_), 0));
    if (linhasGrade_ == 1 || linhasGrade_ == 3) dc->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    if (linhasGrade_ == 2 || linhasGrade_ == 3) dc->drawLine(r.right(), r.top(), r.right(), r.bottom());
    dc->restore();
  }
  return true;
}

bool CTableCtrl::RedrawRow(int row) {
  if (!redesenha_ || row < 0 || row >= nRows_) return false;
  QRect r;
  for (int c = 0; c < nCols_; ++c)
    if (GetCellRect(row, c, &r)) viewport()->update(r);
  return true;
}

bool CTableCtrl::RedrawColumn(int col) {
  if (!redesenha_ || col < 0 || col >= nCols_) return false;
  QRect r;
  for (int row = 0; row < nRows_; ++row)
    if (GetCellRect(row, col, &r)) viewport()->update(r);
  return true;
}

void CTableCtrl::InvalidateCellRect(const CCellRange& range) {
  if (!redesenha_ || !range.IsValid()) return;
  QRect a, b;
  const CCellRange vis = GetVisibleNonFixedCellRange();
  const CCellRange r = range.Intersect(CCellRange(0, 0, std::max(vis.maxRow, nFixedRows_ - 1), std::max(vis.maxCol, nFixedCols_ - 1)));
  if (!r.IsValid()) return;
  QPoint o;
  int r0 = r.minRow, c0 = r.minCol;
  if (r0 >= nFixedRows_ && r0 < vis.minRow) r0 = vis.minRow;
  if (c0 >= nFixedCols_ && c0 < vis.minCol) c0 = vis.minCol;
  if (!GetCellRect(r0, c0, &a) || !GetCellRect(r.maxRow, r.maxCol, &b)) {
    viewport()->update();
    return;
  }
  viewport()->update(a.united(b));
}

void CTableCtrl::SetGridLines(int modo) {
  linhasGrade_ = modo;
  viewport()->update();
}

void CTableCtrl::SetGridFont(const LOGFONT& fonte) {
  for (auto& p : padroes_) p->AssignFont(&fonte);
  viewport()->update();
}

LOGFONT CTableCtrl::GetGridFont() const { return *padroes_[0]->FontData(); }

void CTableCtrl::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    SetGridFont(GridLogFont(font(), logicalDpiY()));
  } else if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) {
    AtualizaCoresSistema();
  }
}

void CTableCtrl::AtualizaCoresSistema() {
  const COLORREF texto = GridColour::Sys(GridColour::WindowText), janela = GridColour::Sys(GridColour::Window);
  for (auto& p : padroes_) {
    if (p->TextColour() == coresLembradas_[0]) p->AssignTextColour(texto);
    if (p->BackColour() == coresLembradas_[1]) p->AssignBackColour(janela);
  }
  if (corFora_ == coresLembradas_[3]) corFora_ = GridColour::Sys(GridColour::ButtonShadow);
  coresLembradas_[0] = texto;
  coresLembradas_[1] = janela;
  coresLembradas_[2] = GridColour::Sys(GridColour::ButtonFace);
  coresLembradas_[3] = GridColour::Sys(GridColour::ButtonShadow);
  viewport()->update();
}

// ---------------------------------------------------------------- painting

void CTableCtrl::paintEvent(QPaintEvent* e) {
  QPainter alvo(viewport());
  alvo.setClipRect(e->rect());
  if (buffer_) {
    COffscreenDC dc(&alvo, e->rect());
    dc->setClipRect(e->rect());
    PaintGrid(dc.Pintor());
  } else {
    PaintGrid(&alvo);
  }
  if (linhaRastreio_ >= 0) {
    // The resize tracking line: a 2-pixel inverted band.
    alvo.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QRect faixa = rastreioVertical_ ? QRect(linhaRastreio_, 0, 2, viewport()->height())
                                          : QRect(0, linhaRastreio_, viewport()->width(), 2);
    alvo.fillRect(faixa, Qt::white);
  }
}

void CTableCtrl::PaintGrid(QPainter* dc) {
  if (!redesenha_ || !dc) return;
  const QRect clip = dc->hasClipping() ? dc->clipBoundingRect().toAlignedRect() : viewport()->rect();
  if (clip.isEmpty()) return;
  const QRect cliente = viewport()->rect();
  const int fw = GetFixedColumnWidth(), fh = GetFixedRowHeight();
  QRect visRect;
  const CCellRange vis = GetVisibleNonFixedCellRange(&visRect);
  // Right and bottom of the visible cells; an empty grid has none.
  int direita = fw, baixo = fh;
  if (vis.IsValid()) {
    for (int c = vis.minCol; c <= vis.maxCol; ++c) direita += WidthOfColumn(c);
    for (int r = vis.minRow; r <= vis.maxRow; ++r) baixo += HeightOfRow(r);
  }
  if (nRows_ == 0 || nCols_ == 0) direita = baixo = 0;

  auto pinta = [&](const QRect& r, COLORREF cor) {
    const QRect x = r.intersected(clip);
    if (!x.isEmpty()) dc->fillRect(x, GridColour::ToQt(cor));
  };
  if (nRows_ > 0 && nCols_ > 0) {
    pinta(QRect(0, 0, fw, fh), padroes_[3]->BackColour());
    pinta(QRect(0, 0, fw, baixo), padroes_[1]->BackColour());
    pinta(QRect(fw - 1, 0, direita - fw + 1, fh), padroes_[2]->BackColour());
    pinta(QRect(fw, fh, direita - fw, baixo - fh), padroes_[0]->BackColour());
  }
  pinta(QRect(direita, 0, cliente.width() - direita, cliente.height()), corFora_);
  pinta(QRect(0, baixo, cliente.width(), cliente.height() - baixo), corFora_);
  if (nRows_ == 0 || nCols_ == 0) return;

  if (virtual_ && vis.IsValid()) NotifyOwnerOfRange(vis);
  dc->setFont(*padroes_[0]->FontObject());  // most cells draw in it: they need not select it again

  auto desenha = [&](int r, int c, int x, int y) {
    const QRect cel(x, y, WidthOfColumn(c), HeightOfRow(r));
    if (!cel.intersects(clip)) return;
    if (CTableCellBase* celula = CellAt(r, c)) {
      celula->AssignPosition(r, c);
      celula->DrawCell(dc, r, c, cel, false);
    }
  };
  // Fixed corner cells.
  int y = 0;
  for (int r = 0; r < nFixedRows_ && y <= clip.bottom(); ++r) {
    const int h = HeightOfRow(r);
    if (h > 0) {
      int x = 0;
      for (int c = 0; c < nFixedCols_ && x <= clip.right(); ++c) {
        const int w = WidthOfColumn(c);
        if (w > 0) desenha(r, c, x, y);
        x += w;
      }
    }
    y += h;
  }
  if (vis.IsValid()) {
    // Fixed-column cells of the visible rows.
    y = fh;
    for (int r = vis.minRow; r <= vis.maxRow && y <= clip.bottom(); ++r) {
      const int h = HeightOfRow(r);
      if (h > 0) {
        int x = 0;
        for (int c = 0; c < nFixedCols_ && x <= clip.right(); ++c) {
          const int w = WidthOfColumn(c);
          if (w > 0) desenha(r, c, x, y);
          x += w;
        }
      }
      y += h;
    }
    // Fixed-row cells of the visible columns.
    y = 0;
    for (int r = 0; r < nFixedRows_ && y <= clip.bottom(); ++r) {
      const int h = HeightOfRow(r);
      if (h > 0) {
        int x = fw;
        for (int c = vis.minCol; c <= vis.maxCol && x <= clip.right(); ++c) {
          const int w = WidthOfColumn(c);
          if (w > 0) desenha(r, c, x, y);
          x += w;
        }
      }
      y += h;
    }
    // The visible non-fixed cells.
    y = fh;
    for (int r = vis.minRow; r <= vis.maxRow && y <= clip.bottom(); ++r) {
      const int h = HeightOfRow(r);
      if (h > 0 && y + h > clip.top()) {
        int x = fw;
        for (int c = vis.minCol; c <= vis.maxCol && x <= clip.right(); ++c) {
          const int w = WidthOfColumn(c);
          if (w > 0) desenha(r, c, x, y);
          x += w;
        }
      }
      y += h;
    }
    // Grid lines over the non-fixed area.
    dc->setPen(QPen(GridColour::ToQt(corLinhas_), 0));
    if (linhasGrade_ == 2 || linhasGrade_ == 3) {
      int x = fw;
      for (int c = vis.minCol; c <= vis.maxCol; ++c) {
        const int w = WidthOfColumn(c);
        x += w;
        if (w > 0 && x - 1 >= clip.left() && x - 1 <= clip.right()) dc->drawLine(x - 1, fh, x - 1, baixo - 1);
      }
    }
    if (linhasGrade_ == 1 || linhasGrade_ == 3) {
      y = fh;
      for (int r = vis.minRow; r <= vis.maxRow; ++r) {
        const int h = HeightOfRow(r);
        y += h;
        if (h > 0 && y - 1 >= clip.top() && y - 1 <= clip.bottom()) dc->drawLine(fw, y - 1, direita - 1, y - 1);
      }
    }
  }
  if (virtual_) NotifyOwnerOfRange(CCellRange());
}

// ---------------------------------------------------------------- sizing to content

bool CTableCtrl::AutoSizeColumn(int col, uint32_t escopo, bool recalcula) {
  if (col < 0 || col >= nCols_ || WidthOfColumn(col) == 0) return false;
  if (escopo == GVS_DEFAULT) escopo = escopoAuto_;
  const int r0 = (escopo & GVS_HEADER) ? 0 : nFixedRows_;
  const int r1 = (escopo & GVS_DATA) ? nRows_ - 1 : nFixedRows_ - 1;
  if (virtual_) NotifyOwnerOfRange(CCellRange(r0, col, r1, col));
  int largura = 0;
  for (int r = r0; r <= r1; ++r)
    if (CTableCellBase* c = CellAt(r, col)) largura = std::max(largura, c->MeasureCell(nullptr).width());
  if (virtual_) NotifyOwnerOfRange(CCellRange());
  larguras_[size_t(ordemColunas_[size_t(col)])] = largura;
  if (recalcula) ResetScrollBars();
  viewport()->update();
  return true;
}

bool CTableCtrl::AutoSizeRow(int row, bool recalcula) {
  if (row < 0 || row >= nRows_) return false;
  if (virtual_) NotifyOwnerOfRange(CCellRange(row, 0, row, nCols_ - 1));
  int altura = 0;
  for (int c = 0; c < nCols_; ++c)
    if (CTableCellBase* cel = CellAt(row, c)) altura = std::max(altura, cel->MeasureCell(nullptr).height());
  if (virtual_) NotifyOwnerOfRange(CCellRange());
  alturas_.Set(row, altura);
  if (recalcula) ResetScrollBars();
  viewport()->update();
  return true;
}

void CTableCtrl::FitColumnsToContents(uint32_t escopo) {
  for (int c = 0; c < nCols_; ++c)
    if (WidthOfColumn(c) > 0) AutoSizeColumn(c, escopo, false);
  ResetScrollBars();
}

void CTableCtrl::AutoSizeRows() {
  for (int r = 0; r < nRows_; ++r) AutoSizeRow(r, false);
  ResetScrollBars();
}

void CTableCtrl::AutoSize(uint32_t escopo) {
  if (escopo == GVS_DEFAULT) escopo = escopoAuto_;
  const int r0 = (escopo & GVS_HEADER) ? 0 : nFixedRows_;
  const int r1 = (escopo & GVS_DATA) ? nRows_ - 1 : nFixedRows_ - 1;
  if (virtual_) NotifyOwnerOfRange(CCellRange(r0, 0, r1, nCols_ - 1));
  for (int r = r0; r <= r1; ++r) alturas_.Set(r, 1);
  for (int c = 0; c < nCols_; ++c) {
    if (WidthOfColumn(c) == 0) continue;
    int largura = 0;
    for (int r = r0; r <= r1; ++r)
      if (CTableCellBase* cel = CellAt(r, c)) {
        const QSize t = cel->MeasureCell(nullptr);
        largura = std::max(largura, t.width());
        alturas_.Set(r, std::max(alturas_[size_t(r)], t.height()));
      }
    larguras_[size_t(ordemColunas_[size_t(c)])] = largura;
  }
  if (virtual_) NotifyOwnerOfRange(CCellRange());
  ResetScrollBars();
  viewport()->update();
}

namespace {
// Shares `livre` among the entries of `tamanhos` from `de` that are not 0:
// equal parts, the remainder a pixel at a time to the first ones.
void Reparte(std::vector<int*>& tamanhos, int livre) {
  std::vector<int*> visiveis;
  for (int* t : tamanhos)
    if (*t > 0) visiveis.push_back(t);
  if (visiveis.empty()) return;
  const int n = int(visiveis.size());
  const int parte = livre / n;
  int resto = livre % n;
  for (int* t : visiveis) *t += parte;
  for (int* t : visiveis) {
    if (resto == 0) break;
    if (resto > 0) { ++*t; --resto; }
    else { --*t; ++resto; }
  }
}
}  // namespace

void CTableCtrl::ExpandColumnsToFit(bool incluiFixas) {
  const int de = incluiFixas ? 0 : nFixedCols_;
  int usada = incluiFixas ? 0 : GetFixedColumnWidth();
  std::vector<int*> tamanhos;
  for (int c = de; c < nCols_; ++c) {
    usada += WidthOfColumn(c);
    tamanhos.push_back(&larguras_[size_t(ordemColunas_[size_t(c)])]);
  }
  Reparte(tamanhos, viewport()->width() - usada);
  ResetScrollBars();
  viewport()->update();
}

void CTableCtrl::ExpandLastColumn() {
  int ultima = nCols_ - 1;
  while (ultima >= 0 && WidthOfColumn(ultima) == 0) --ultima;
  if (ultima < 0) return;
  const int livre = viewport()->width() - GetVirtualWidth();
  if (livre > 0) larguras_[size_t(ordemColunas_[size_t(ultima)])] += livre;
  ResetScrollBars();
  viewport()->update();
}

void CTableCtrl::ExpandRowsToFit(bool incluiFixas) {
  const int de = incluiFixas ? 0 : nFixedRows_;
  int usada = incluiFixas ? 0 : GetFixedRowHeight();
  std::vector<int> alturas;
  std::vector<int*> tamanhos;
  for (int r = de; r < nRows_; ++r) {
    usada += HeightOfRow(r);
    alturas.push_back(HeightOfRow(r));
  }
  for (int& a : alturas) tamanhos.push_back(&a);
  Reparte(tamanhos, viewport()->height() - usada);
  for (int r = de; r < nRows_; ++r) alturas_.Set(r, alturas[size_t(r - de)]);
  ResetScrollBars();
  viewport()->update();
}

void CTableCtrl::ExpandToFit(bool incluiFixas) {
  ExpandColumnsToFit(incluiFixas);
  ExpandRowsToFit(incluiFixas);
  ExpandColumnsToFit(incluiFixas);  // the vertical bar may have gone
}

void CTableCtrl::FillWindow() {
  const CTableDefaultCell* d = padroes_[0].get();
  SetNumberOfColumns(viewport()->width() / std::max(1, d->DefaultWidth()) + 1);
  SetNumberOfRows(viewport()->height() / std::max(1, d->DefaultHeight()) + 1);
  SetNumberOfFixedRows(1);
  SetNumberOfFixedColumns(1);
  ExpandToFit(true);
}

// ---------------------------------------------------------------- column layout

std::vector<int32_t> CTableCtrl::GetColumnLayout() const {
  std::vector<int32_t> b;
  b.reserve(size_t(2 + 2 * nCols_));
  b.push_back(MagiaLayout);
  b.push_back(nCols_);
  for (int c = 0; c < nCols_; ++c) b.push_back(ordemColunas_[size_t(c)]);
  for (int c = 0; c < nCols_; ++c) b.push_back(larguras_[size_t(c)]);
  return b;
}

bool CTableCtrl::SetColumnLayout(const std::vector<int32_t>& b) {
  if (b.size() < 2 || b[0] != MagiaLayout || b[1] != nCols_ || b.size() < size_t(2 + 2 * nCols_)) return false;
  std::vector<int> ordem(b.begin() + 2, b.begin() + 2 + nCols_);
  std::vector<int> ordenada = ordem;
  std::sort(ordenada.begin(), ordenada.end());
  for (int c = 0; c < nCols_; ++c)
    if (ordenada[size_t(c)] != c) return false;  // not a permutation
  ordemColunas_ = ordem;
  for (int c = 0; c < nCols_; ++c) larguras_[size_t(c)] = std::max(0, int(b[size_t(2 + nCols_ + c)]));
  InvalidaTopoEsquerdo();
  ResetScrollBars();
  viewport()->update();
  return true;
}
