// The data side of the report list: stored rows, cells, the display order and
// its reverse map, the colour table, the tree of rows and the virtual-mode cache.
#include "CListReportCtrl.h"

#include "CPlainHeaderCtrl.h"

#include <new>

ReportTreeNode* const CListReportCtrl::TreeRoot = reinterpret_cast<ReportTreeNode*>(qintptr(-65536));
ReportTreeNode* const CListReportCtrl::TreeFirst = reinterpret_cast<ReportTreeNode*>(qintptr(-65535));
ReportTreeNode* const CListReportCtrl::TreeLast = reinterpret_cast<ReportTreeNode*>(qintptr(-65534));
ReportTreeNode* const CListReportCtrl::TreeSorted = reinterpret_cast<ReportTreeNode*>(qintptr(-65533));

namespace {
constexpr int TamanhoCache = 128;
constexpr quint32 BitsDoControle =
    ReportState::Focused | ReportState::Selected | ReportState::Collapsed | ReportState::Expanded;

int Normaliza(int v) { return v < 0 ? -1 : v; }
}  // namespace

CListReportCtrl::structITEM CListReportCtrl::LinhaVazia() const {
  structITEM r;
  r.cells.resize(colunas_.size());
  return r;
}

bool CListReportCtrl::ItemValido(int item) const {
  const int n = ModoVirtual() ? numLinhas_ : int(itens_.size());
  return item == -1 || (item >= 0 && item < n);
}

CListReportCtrl::structITEM* CListReportCtrl::Registro(int item) {
  if (item == -1) return &linhaInsercao_;
  if (item >= 0 && item < itens_.size()) return &itens_[item];
  return nullptr;
}

bool CListReportCtrl::LeCelula(const structITEM& r, int coluna, ReportItemInfo& info) const {
  info.image = info.overlay = info.check = info.textColour = -1;
  const bool querTexto = (info.mask & ReportMask::Text) && info.textSize > 0;
  info.text = QString();
  if (coluna < 0 || coluna >= r.cells.size()) return false;
  const ReportCell& c = r.cells[coluna];
  if (c.text.isNull() && querTexto) info.textSize = -1;
  if (!c.HasData()) return false;
  info.image = c.image;
  info.overlay = c.overlay;
  info.check = c.check;
  info.textColour = c.colour;
  if (querTexto && !c.text.isNull()) info.text = c.text.left(info.textSize - 1);
  return true;
}

// ---------------------------------------------------------------- virtual-mode cache

int CListReportCtrl::FindCachedRow(int item) {
  if (item < 0) return -1;
  const int k = item % TamanhoCache;
  return cacheIndice_[k] == item ? k : -1;
}

int CListReportCtrl::ClaimCacheEntry(int item) {
  const int k = item % TamanhoCache;
  cacheIndice_[k] = item;
  return k;
}

void CListReportCtrl::InvalidateCachedRow(int item) {
  if (item == -1) {
    linhaInsercaoValida_ = false;
    return;
  }
  const int k = FindCachedRow(item);
  if (k >= 0) cacheIndice_[k] = -2;
}

void CListReportCtrl::RequestItem(int item, int coluna, structITEM& registro) {
  ReportItemRequest req;
  req.code = ReportCode::GetItem;
  req.info.item = item;
  req.info.column = coluna;
  req.info.mask = 0;
  req.info.textSize = 0;
  if (coluna >= 0) {
    req.info.mask = ReportMask::Text;
    req.info.text = QStringLiteral("");
    req.info.textSize = 256;
  }
  Notify(req);
  const ReportItemInfo& i = req.info;
  if (coluna >= 0 && coluna < registro.cells.size()) {
    ReportCell c;
    c.image = (i.mask & ReportMask::Image) ? Normaliza(i.image) : -1;
    c.overlay = (i.mask & ReportMask::Overlay) ? Normaliza(i.overlay) : -1;
    c.check = (i.mask & ReportMask::Check) ? Normaliza(i.check) : -1;
    c.colour = (i.mask & ReportMask::TextColour) ? Normaliza(i.textColour) : -1;
    // Every requested cell has a text, possibly empty.
    c.text = (i.mask & ReportMask::Text) && !i.text.isNull() ? i.text.left(255) : QStringLiteral("");
    registro.cells[coluna] = c;
  }
  registro.background = (i.mask & ReportMask::Background) ? i.background : -1;
  registro.extraHeight = (i.mask & ReportMask::ExtraHeight) ? i.extraHeight : 0;
  registro.state = (i.mask & ReportMask::State) ? i.state : 0;
  registro.indent = (i.mask & ReportMask::Indent) ? i.indent : -1;
}

CListReportCtrl::structITEM* CListReportCtrl::GetItemRecord(int item, int coluna) {
  if (!ModoVirtual()) return Registro(item);
  if (item == -1) {
    if (!linhaInsercaoValida_ || !cacheLigado_) {
      linhaInsercao_ = LinhaVazia();
      RequestItem(-1, coluna, linhaInsercao_);
      linhaInsercaoValida_ = true;
    } else if (coluna >= 0 && coluna < linhaInsercao_.cells.size() && !linhaInsercao_.cells[coluna].HasData()) {
      RequestItem(-1, coluna, linhaInsercao_);
    }
    return &linhaInsercao_;
  }
  if (item < 0 || item >= numLinhas_) return nullptr;
  int k = cacheLigado_ ? FindCachedRow(item) : -1;
  if (k < 0) {
    k = ClaimCacheEntry(item);
    cache_[k] = LinhaVazia();
    RequestItem(item, coluna, cache_[k]);
  } else if (coluna >= 0 && coluna < cache_[k].cells.size() && !cache_[k].cells[coluna].HasData()) {
    RequestItem(item, coluna, cache_[k]);
  }
  return &cache_[k];
}

void CListReportCtrl::InvalidaCache() {
  cacheIndice_.fill(-2);
  if (ModoVirtual()) linhaInsercaoValida_ = false;
}

void CListReportCtrl::StoreItemRecord(int item, const structITEM& registro) {
  if (structITEM* r = Registro(item)) *r = registro;
}

// ---------------------------------------------------------------- reading and writing items

int CListReportCtrl::GetRowItem(ReportItemInfo& info) {
  if (!ItemValido(info.item) || info.column < -1 || info.column >= colunas_.size()) return 0;
  structITEM* r = GetItemRecord(info.item, info.column);
  if (!r) return 0;
  const quint32 pedido = info.mask;
  ReportItemInfo lido;
  lido.mask = pedido;
  lido.textSize = info.textSize;
  LeCelula(*r, info.column < 0 ? 0 : info.column, lido);
  info.mask = 0;
  info.textSize = lido.textSize;
  info.text = lido.text;
  info.image = lido.image;
  info.overlay = lido.overlay;
  info.check = lido.check;
  info.textColour = lido.textColour;
  info.background = r->background;
  info.extraHeight = r->extraHeight;
  info.indent = r->indent;
  if (r->background >= 0) info.mask |= ReportMask::Background;
  if (r->extraHeight != 0) info.mask |= ReportMask::ExtraHeight;
  if (r->indent >= 0) info.mask |= ReportMask::Indent;
  if ((pedido & ReportMask::Text) && !info.text.isNull()) info.mask |= ReportMask::Text;
  if (info.image >= 0) info.mask |= ReportMask::Image;
  if (info.overlay >= 0) info.mask |= ReportMask::Overlay;
  if (info.check >= 0) info.mask |= ReportMask::Check;
  if (info.textColour >= 0) info.mask |= ReportMask::TextColour;
  info.mask |= ReportMask::State | ReportMask::Data;
  info.state = r->state;
  info.data = r->data;
  return 1;
}

int CListReportCtrl::SetRowItem(const ReportItemInfo& info) {
  if (ModoVirtual()) return 0;
  if (!ItemValido(info.item) || info.column < -1 || info.column >= colunas_.size()) return 0;
  structITEM& r = *Registro(info.item);
  if (info.column >= 0) {
    ReportCell c = r.cells[info.column];
    if (!c.text.isNull()) c.text = c.text.left(255);
    if (info.mask & ReportMask::Text) c.text = info.text.isNull() ? QString() : info.text.left(255);
    if (info.mask & ReportMask::TextColour) c.colour = Normaliza(info.textColour);
    if (info.mask & ReportMask::Image) c.image = Normaliza(info.image);
    if (info.mask & ReportMask::Check) c.check = Normaliza(info.check);
    if (info.mask & ReportMask::Overlay) c.overlay = Normaliza(info.overlay);
    r.cells[info.column] = c;
  }
  if (info.mask & ReportMask::Background) r.background = info.background;
  if (info.mask & ReportMask::ExtraHeight) r.extraHeight = info.extraHeight;
  if (info.mask & ReportMask::Indent) r.indent = info.indent;
  if (info.mask & ReportMask::State) r.state = (r.state & BitsDoControle) | (info.state & ~BitsDoControle);
  if (info.mask & ReportMask::Data) r.data = info.data;
  AtualizaRolagem();
  if (redesenha_) RepintaLinha(DisplayPositionOfRow(info.item));
  Alterado();
  return 1;
}

int CListReportCtrl::GetItemText(int item, int coluna, QString& texto, int tamanho) {
  ReportItemInfo i;
  i.mask = ReportMask::Text;
  i.item = item;
  i.column = coluna;
  i.textSize = tamanho;
  texto.clear();
  if (!GetRowItem(i) || !(i.mask & ReportMask::Text)) return 0;
  texto = i.text;
  return int(texto.size());
}

QString CListReportCtrl::ItemText(int item, int coluna) {
  QString t;
  GetItemText(item, coluna, t, 256);
  return t;
}

int CListReportCtrl::GetItemImage(int item, int coluna) {
  ReportItemInfo i;
  i.item = item;
  i.column = coluna;
  return GetRowItem(i) && (i.mask & ReportMask::Image) ? i.image : -1;
}

int CListReportCtrl::GetItemCheck(int item, int coluna) {
  ReportItemInfo i;
  i.item = item;
  i.column = coluna;
  return GetRowItem(i) && (i.mask & ReportMask::Check) ? i.check : -1;
}

qintptr CListReportCtrl::GetItemData(int item) {
  ReportItemInfo i;
  i.item = item;
  return GetRowItem(i) ? i.data : 0;
}

int CListReportCtrl::SetItemText(int item, int coluna, const QString& texto) {
  ReportItemInfo i;
  i.mask = ReportMask::Text;
  i.item = item;
  i.column = coluna;
  i.text = texto;
  return SetRowItem(i);
}

int CListReportCtrl::SetItemImage(int item, int coluna, int imagem) {
  ReportItemInfo i;
  i.mask = ReportMask::Image;
  i.item = item;
  i.column = coluna;
  i.image = imagem;
  return SetRowItem(i);
}

int CListReportCtrl::SetItemCheck(int item, int coluna, int check) {
  ReportItemInfo i;
  i.mask = ReportMask::Check;
  i.item = item;
  i.column = coluna;
  i.check = check;
  return SetRowItem(i);
}

int CListReportCtrl::SetItemData(int item, qintptr dados) {
  ReportItemInfo i;
  i.mask = ReportMask::Data;
  i.item = item;
  i.column = -1;
  i.data = dados;
  return SetRowItem(i);
}

QString CListReportCtrl::SubItemCodes(int item) {
  const structITEM* r = GetItemRecord(item, -1);
  return r ? ReportSubItemCode(r->cells, ReportTextSettings::Process().separator) : QString();
}

// ---------------------------------------------------------------- rows

int CListReportCtrl::AddRowAt(const ReportItemInfo& info) {
  if (ModoVirtual() || ModoArvore()) return -2;
  const int idx = std::clamp(info.item, 0, int(itens_.size()));
  const QVector<int> ordemAntes = ordem_;
  try {
    itens_.insert(idx, LinhaVazia());
    try {
      for (int& o : ordem_)
        if (o >= idx) ++o;
      ordem_.insert(std::min(idx, int(ordem_.size())), idx);
    } catch (const std::bad_alloc&) {
      ordem_ = ordemAntes;
      itens_.removeAt(idx);
      return -2;
    }
  } catch (const std::bad_alloc&) {
    return -2;
  }
  for (int& s : selecao_)
    if (s >= idx) ++s;
  ++numLinhas_;
  MapaDesatualizado();
  const int linhaNova = std::min(idx, int(ordem_.size()) - 1);
  if (linhaFoco_ >= linhaNova) ++linhaFoco_;
  const bool redesenhaAntes = redesenha_;
  redesenha_ = false;
  ReportItemInfo v = info;
  v.item = idx;
  SetRowItem(v);
  redesenha_ = redesenhaAntes;
  AtualizaRolagem();
  if (redesenha_) update();
  Alterado();
  return idx;
}

int CListReportCtrl::AddRowWithText(int item, const QString& texto, int imagem, int check, int cor) {
  ReportItemInfo i;
  i.mask = ReportMask::Text | ReportMask::Image | ReportMask::Check | ReportMask::TextColour;
  i.item = item;
  i.column = colunas_.isEmpty() ? -1 : 0;
  i.text = texto;
  i.image = imagem;
  i.check = check;
  i.textColour = cor;
  return AddRowAt(i);
}

int CListReportCtrl::AppendRowWithText(const QString& texto, int imagem, int check, int cor) {
  return AddRowWithText(int(itens_.size()), texto, imagem, check, cor);
}

int CListReportCtrl::AppendRowCopy(const ReportItemInfo* info) {
  if (info) return AddRowAt(*info);
  ReportItemInfo i;
  i.item = int(itens_.size());
  const int novo = AddRowAt(i);
  if (novo < 0) return novo;
  for (int c = 0; c < colunas_.size(); ++c) {
    const QString t = linhaInsercao_.cells[c].text;
    if (!t.isNull()) SetItemText(novo, c, t);
  }
  return novo;
}

void CListReportCtrl::RemoveRegistro(int item) {
  ReportNotifyInfo n;
  n.code = ReportCode::DeleteItem;
  n.item = item;
  n.column = 0;
  n.state = 0;
  n.data = itens_[item].data;
  Notify(n);
  if (ModoArvore()) {
    for (int i = item + 1; i < itens_.size(); ++i)
      if (itens_[i].node) --itens_[i].node->item;
  }
  itens_.removeAt(item);
  if (!ModoArvore()) {
    ordem_.removeAll(item);
    for (int& o : ordem_)
      if (o > item) --o;
  }
  selecao_.removeAll(item);
  for (int& s : selecao_)
    if (s > item) --s;
  if (itemEdicao_ == item) FechaEditor();
  MapaDesatualizado();
}

int CListReportCtrl::DeleteRow(int item) {
  if (item < 0) return 0;
  if (ModoVirtual() || ModoArvore()) return -2;
  if (item >= itens_.size()) return 0;
  const int linha = DisplayPositionOfRow(item);
  RemoveRegistro(item);
  --numLinhas_;
  if (linha >= 0 && linhaFoco_ > linha) --linhaFoco_;
  if (linhaFoco_ >= numLinhas_) linhaFoco_ = numLinhas_ > 0 ? numLinhas_ - 1 : -2;
  if (ancora_ >= numLinhas_) ancora_ = std::max(0, numLinhas_ - 1);
  AtualizaRolagem();
  update();
  Alterado();
  return 1;
}

int CListReportCtrl::ClearRows() {
  if (ModoVirtual()) return 0;
  FechaEditor();
  if (ModoArvore()) {
    while (raiz_->firstChild) ApagaNoRecursivo(raiz_->firstChild);
  } else {
    for (int i = 0; i < itens_.size(); ++i) {
      ReportNotifyInfo n;
      n.code = ReportCode::DeleteItem;
      n.item = i;
      n.column = 0;
      n.data = itens_[i].data;
      Notify(n);
    }
  }
  ordem_.clear();
  itens_.clear();
  selecao_.clear();
  numLinhas_ = 0;
  linhaFoco_ = -2;
  ancora_ = 0;
  MapaDesatualizado();
  topo_ = 0;
  AtualizaRolagem();
  update();
  Alterado();
  return 1;
}

void CListReportCtrl::SetVirtualRowCount(int n) {
  n = std::max(n, 0);
  for (int k = 0; k < TamanhoCache; ++k)
    if (cacheIndice_[k] >= n) cacheIndice_[k] = -2;
  numLinhas_ = n;
  if (linhaFoco_ >= n) linhaFoco_ = n - 1 >= 0 ? n - 1 : -2;
  selecao_.erase(std::remove_if(selecao_.begin(), selecao_.end(), [n](int s) { return s >= n; }), selecao_.end());
  topo_ = std::min(topo_, n);
  AtualizaRolagem();
  update();
  Alterado();
}

int CListReportCtrl::ItemOfDisplayRow(int linha) const {
  if (ModoVirtual() || linha < 0) return linha;
  return linha < ordem_.size() ? ordem_[linha] : -2;
}

int CListReportCtrl::DisplayPositionOfRow(int item) {
  if (item == -1 || ModoVirtual()) return item;
  if (item < 0) return -2;
  if (mapaDesatualizado_ || mapa_.size() != itens_.size()) {
    mapa_.fill(-2, itens_.size());
    for (int p = 0; p < ordem_.size(); ++p)
      if (ordem_[p] >= 0 && ordem_[p] < mapa_.size()) mapa_[ordem_[p]] = p;
    mapaDesatualizado_ = false;
  }
  return item < mapa_.size() ? mapa_[item] : -2;
}

int CListReportCtrl::SetRowOrder(const QVector<int>& ordem) {
  if (ModoVirtual() || ordem.size() != ordem_.size()) return 0;
  for (int i : ordem)
    if (i < 0 || i >= itens_.size()) return 0;
  const int itemFoco = ItemOfDisplayRow(linhaFoco_);
  ordem_ = ordem;
  MapaDesatualizado();
  if (itemFoco >= 0) {
    const int p = DisplayPositionOfRow(itemFoco);
    if (p >= 0) linhaFoco_ = p;
  }
  update();
  Alterado();
  return 1;
}

int CListReportCtrl::MoveRowUp(int linha) {
  if (ModoVirtual() || linha <= 0 || linha >= ordem_.size()) return 0;
  std::swap(ordem_[linha], ordem_[linha - 1]);
  if (linhaFoco_ == linha) linhaFoco_ = linha - 1;
  MapaDesatualizado();
  update();
  Alterado();
  return 1;
}

int CListReportCtrl::MoveRowDown(int linha) {
  if (ModoVirtual() || linha < 0 || linha >= ordem_.size() - 1) return 0;
  std::swap(ordem_[linha], ordem_[linha + 1]);
  if (linhaFoco_ == linha) linhaFoco_ = linha + 1;
  MapaDesatualizado();
  update();
  Alterado();
  return 1;
}

quint32 CListReportCtrl::GetItemState(int linha) {
  ReportItemInfo i;
  i.item = ItemOfDisplayRow(linha);
  return GetRowItem(i) ? i.state : 0;
}

void CListReportCtrl::SetItemState(int linha, quint32 estado, quint32 mascara) {
  if (linha == -1) {
    linhaInsercao_.state = (linhaInsercao_.state & ~mascara) | (estado & mascara);
    if (ModoVirtual()) InvalidateCachedRow(-1);
    return;
  }
  const int item = ItemOfDisplayRow(linha);
  if (ModoVirtual()) {
    // The owner keeps the state of virtual rows and returns it in item requests.
    InvalidateCachedRow(item);
    return;
  }
  if (item >= 0 && item < itens_.size())
    itens_[item].state = (itens_[item].state & ~mascara) | (estado & mascara);
}

// ---------------------------------------------------------------- colour table

int CListReportCtrl::AddColour(int indice, QRgb cor) {
  if (indice < 0) return -1;
  while (cores_.size() < indice) cores_.append(qRgb(0, 0, 0));
  cores_.insert(indice, cor);
  update();
  return indice;
}

int CListReportCtrl::SetColour(int indice, QRgb cor) {
  if (indice < 0 || indice >= cores_.size()) return 0;
  cores_[indice] = cor;
  update();
  return 1;
}

int CListReportCtrl::RemoveColour(int indice) {
  if (indice < 0 || indice >= cores_.size()) return 0;
  cores_.removeAt(indice);
  update();
  return 1;
}

void CListReportCtrl::ClearColours() {
  cores_.clear();
  update();
}

QRgb CListReportCtrl::GetColour(int indice) const {
  return indice >= 0 && indice < cores_.size() ? cores_[indice] : qRgb(0, 0, 0);
}

// ---------------------------------------------------------------- tree

void CListReportCtrl::PercorreArvore(ReportTreeNode* no) {
  for (ReportTreeNode* c = no->firstChild; c; c = c->next) {
    ordem_.append(c->item);
    structITEM& r = itens_[c->item];
    r.indent = c->level;
    r.state &= ~(ReportState::Collapsed | ReportState::Expanded);
    if (c->firstChild) r.state |= c->expanded ? ReportState::Expanded : ReportState::Collapsed;
    if (c->expanded) PercorreArvore(c);
  }
}

void CListReportCtrl::ReconstroiOrdemArvore() {
  ordem_.clear();
  PercorreArvore(raiz_);
  numLinhas_ = int(ordem_.size());
  MapaDesatualizado();
  AtualizaRolagem();
  update();
  Alterado();
}

ReportTreeNode* CListReportCtrl::NoAnterior(ReportTreeNode* no) const {
  if (!no || !no->parent) return nullptr;
  ReportTreeNode* ant = nullptr;
  for (ReportTreeNode* c = no->parent->firstChild; c && c != no; c = c->next) ant = c;
  return ant;
}

ReportTreeNode* CListReportCtrl::InsertNode(const ReportItemInfo& info, ReportTreeNode* pai,
                                            ReportTreeNode* posicao, int colunaSpan) {
  if (!(estilo_ & ReportStyle::TreeEdit)) return nullptr;
  pai = NoReal(pai);
  auto* no = new (std::nothrow) ReportTreeNode;
  if (!no) return nullptr;
  try {
    itens_.append(LinhaVazia());
  } catch (const std::bad_alloc&) {
    delete no;
    return nullptr;
  }
  const int idx = int(itens_.size()) - 1;
  no->parent = pai;
  no->item = idx;
  no->spanColumn = colunaSpan;
  no->level = pai->level + 1;
  itens_[idx].node = no;
  {
    // Fill the record without painting: the order is rebuilt below.
    const bool antes = redesenha_;
    redesenha_ = false;
    ReportItemInfo v = info;
    v.item = idx;
    v.mask &= ~ReportMask::Indent;  // the indent is the node's level
    SetRowItem(v);
    redesenha_ = antes;
  }
  // Link among the parent's children.
  ReportTreeNode** elo = &pai->firstChild;
  if (posicao == TreeFirst) {
  } else if (posicao == TreeSorted) {
    const int col = colunaSpan >= 0 ? colunaSpan : 0;
    while (*elo && ComparaNos(col, *elo, no) < 0) elo = &(*elo)->next;
  } else if (posicao && posicao != TreeLast && posicao->parent == pai) {
    elo = &posicao->next;
  } else {
    while (*elo) elo = &(*elo)->next;
  }
  no->next = *elo;
  *elo = no;
  ReconstroiOrdemArvore();
  return no;
}

ReportTreeNode* CListReportCtrl::InsertNodeWithText(const QString& texto, int imagem, int check, int cor,
                                                    ReportTreeNode* pai, ReportTreeNode* posicao, int colunaSpan) {
  ReportItemInfo i;
  i.mask = ReportMask::Text | ReportMask::Image | ReportMask::Check | ReportMask::TextColour;
  i.column = colunas_.isEmpty() ? -1 : 0;
  i.text = texto;
  i.image = imagem;
  i.check = check;
  i.textColour = cor;
  return InsertNode(i, pai, posicao, colunaSpan);
}

bool CListReportCtrl::ArvoreDe(ReportTreeNode* no, ReportTreeNode* ancestral) {
  for (ReportTreeNode* n = no; n; n = n->parent)
    if (n == ancestral) return true;
  return false;
}

void CListReportCtrl::ApagaNoRecursivo(ReportTreeNode* no) {
  while (no->firstChild) ApagaNoRecursivo(no->firstChild);
  RemoveRegistro(no->item);
  ReportTreeNode** elo = &no->parent->firstChild;
  while (*elo && *elo != no) elo = &(*elo)->next;
  if (*elo) *elo = no->next;
  delete no;
}

void CListReportCtrl::LiberaNos(ReportTreeNode* no) {
  ReportTreeNode* c = no->firstChild;
  while (c) {
    ReportTreeNode* prox = c->next;
    LiberaNos(c);
    delete c;
    c = prox;
  }
  no->firstChild = nullptr;
}

int CListReportCtrl::DeleteNode(ReportTreeNode* no) {
  if (!(estilo_ & ReportStyle::TreeEdit) || !no || no == TreeRoot || no == raiz_) return 0;
  ReportTreeNode* noFoco = NodeOfRow(ItemOfDisplayRow(linhaFoco_));
  ReportTreeNode* destino = nullptr;
  const bool focoDentro = noFoco && ArvoreDe(noFoco, no);
  if (focoDentro) destino = no->next ? no->next : (no->parent != raiz_ ? no->parent : nullptr);
  ApagaNoRecursivo(no);
  ReconstroiOrdemArvore();
  if (focoDentro) linhaFoco_ = destino ? DisplayPositionOfRow(destino->item) : -1;
  else if (noFoco) linhaFoco_ = DisplayPositionOfRow(noFoco->item);
  if (linhaFoco_ >= 0) SetItemState(linhaFoco_, ReportState::Focused, ReportState::Focused);
  update();
  return 1;
}

ReportTreeNode* CListReportCtrl::NextNode(ReportTreeNode* no, int relacao) {
  if (relacao == 5) return NodeOfRow(ItemOfDisplayRow(linhaFoco_));
  no = NoReal(no);
  switch (relacao) {
    case 0:
      if (no == raiz_) return nullptr;
      while (no->parent && no->parent != raiz_) no = no->parent;
      return no;
    case 1: return no == raiz_ ? nullptr : no->next;
    case 2: return NoAnterior(no);
    case 3: return no->parent && no->parent != raiz_ ? no->parent : nullptr;
    case 4: return no->firstChild;
    default: return nullptr;
  }
}

ReportTreeNode* CListReportCtrl::NodeOfRow(int item) {
  if (item < 0 || item >= itens_.size()) return nullptr;
  return itens_[item].node;
}

int CListReportCtrl::CountChildren(ReportTreeNode* no, bool recursivo) {
  no = NoReal(no);
  int n = 0;
  for (ReportTreeNode* c = no->firstChild; c; c = c->next) {
    ++n;
    if (recursivo) n += CountChildren(c, true);
  }
  return n;
}
