// How the report list answers its user and its owner: hit testing, focus and
// selection, keyboard and mouse, in-place editing, sorting, tree expansion,
// search, pattern selection and copying.
#include "CListReportCtrl.h"

#include "CListReportEditCtrl.h"
#include "CListReportHeaderCtrl.h"
#include "CListReportTipCtrl.h"
#include "platform/Cp1252.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int MolduraDialogo = 3;

// The key codes owners receive with -2059 and -2057.
int CodigoTecla(int tecla) {
  if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z) return 'A' + (tecla - Qt::Key_A);
  if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9) return '0' + (tecla - Qt::Key_0);
  if (tecla >= Qt::Key_F1 && tecla <= Qt::Key_F24) return 112 + (tecla - Qt::Key_F1);
  switch (tecla) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return tecla & 0xFFFF;
  }
}

// Mouse-button and key flags as owners read them.
quint32 FlagsMouse(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
  quint32 f = 0;
  if (b & Qt::LeftButton) f |= 0x01;
  if (b & Qt::RightButton) f |= 0x02;
  if (m & Qt::ShiftModifier) f |= 0x04;
  if (m & Qt::ControlModifier) f |= 0x08;
  if (b & Qt::MiddleButton) f |= 0x10;
  return f;
}

int Sinal(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
}  // namespace

// ---------------------------------------------------------------- hit test

int CListReportCtrl::HitTest(ReportHitInfo& hit) {
  hit.flags = 0;
  hit.item = -2;
  hit.column = -1;
  hit.row = -2;
  hit.shown = -1;
  hit.node = nullptr;
  hit.rect = QRect();
  const QPoint p = hit.point;
  QRect faixa = retFaixa_;
  if (faixa.isValid()) faixa.setHeight(faixa.height() - 2 * MolduraDialogo);
  int topoLinha = 0;
  if ((estilo_ & ReportStyle::InsertRow) && faixa.contains(p)) {
    hit.flags = ReportHit::InsertRow;
    hit.item = hit.row = -1;
    topoLinha = retFaixa_.top();
  } else if (retLinhas_.contains(p)) {
    int y = retLinhas_.top();
    for (int l = topo_; l < numLinhas_ && y <= retLinhas_.bottom(); ++l) {
      const int h = AlturaDaLinha(l);
      if (p.y() < y + h) {
        hit.row = l;
        hit.item = ItemOfDisplayRow(l);
        if (ModoArvore()) hit.node = NodeOfRow(hit.item);
        topoLinha = y;
        if (p.y() >= y + alturaLinha_) {
          hit.flags = ReportHit::Extra;
          return hit.item;
        }
        break;
      }
      y += h;
    }
    if (hit.row == -2) {
      hit.flags = ReportHit::Nowhere;
      return -2;
    }
  } else {
    const QRect area = retHeaderFaixa_.isValid() ? retLinhas_.united(faixa) : retLinhas_;
    if (p.y() < area.top()) hit.flags |= ReportHit::Above;
    if (p.y() > retLinhas_.bottom()) hit.flags |= ReportHit::Below;
    if (p.x() < retLinhas_.left()) hit.flags |= ReportHit::Left;
    if (p.x() > retLinhas_.right()) hit.flags |= ReportHit::Right;
    if (!hit.flags) hit.flags = ReportHit::Nowhere;
    return -2;
  }

  ReportItemInfo info;
  info.mask = ReportMask::Text;
  info.item = hit.item;
  info.column = -1;
  GetRowItem(info);
  const int origem = retLinhas_.left() - posH_;
  int esq = 0, dir = 0;
  ReportTreeNode* no = hit.node;
  if (no && no->spanColumn >= 0) {
    hit.shown = 0;
    hit.column = no->spanColumn;
    esq = origem;
    dir = origem + larguraTotal_;
  } else {
    const int n = ShownColumnCount();
    for (int k = 0; k < n; ++k) {
      const QRect h = header_->GetItemRect(header_->OrderToIndex(k));
      if (p.x() >= origem + h.left() && p.x() < origem + h.left() + h.width()) {
        hit.shown = k;
        hit.column = DefinedColumnOfShown(k);
        esq = origem + h.left();
        dir = esq + h.width();
        break;
      }
    }
    if (hit.shown < 0) {
      hit.flags |= ReportHit::Nowhere;
      return hit.item;
    }
  }
  if (hit.shown == 0 && info.indent > 0) {
    esq += info.indent * alturaLinha_;
    if (p.x() < esq) {
      if (p.x() >= esq - alturaLinha_ && (info.state & (ReportState::Collapsed | ReportState::Expanded)))
        hit.flags |= ReportHit::TreeButton;
      else
        hit.flags |= ReportHit::Nowhere;
      hit.rect = QRect(esq, topoLinha, dir - esq, alturaLinha_);
      return hit.item;
    }
  }
  hit.rect = QRect(esq, topoLinha, std::max(0, dir - esq), alturaLinha_);
  ReportItemInfo cel;
  cel.item = hit.item;
  cel.column = hit.column;
  GetRowItem(cel);
  const quint32 flags = hit.column >= 0 && hit.column < colunas_.size() ? colunas_[hit.column].flags : 0;
  int borda = esq + margemTexto_;
  if (cel.image >= 0) {
    if (p.x() < borda + larguraImagem_ + margemTexto_) {
      hit.flags |= ReportHit::Image;
      return hit.item;
    }
    borda += larguraImagem_ + margemTexto_;
  } else if (flags & ReportColumnFlag::ImageRoom) {
    borda += larguraImagem_ + margemTexto_;
  }
  if (cel.check >= 0) {
    if (p.x() < borda + larguraCheck_ + margemTexto_) {
      hit.flags |= ReportHit::Check;
      return hit.item;
    }
    borda += larguraCheck_ + margemTexto_;
  } else if (flags & ReportColumnFlag::CheckRoom) {
    borda += larguraCheck_ + margemTexto_;
  }
  if (p.x() < borda) hit.flags |= ReportHit::Nowhere;
  else if (p.x() < dir - margemTexto_) hit.flags |= ReportHit::Text;
  else hit.flags |= ReportHit::Nowhere;
  return hit.item;
}

// ---------------------------------------------------------------- focus and selection

int CListReportCtrl::SetFocusCell(int linha, int mostrada) {
  if (linha < -2 || linha >= numLinhas_ || mostrada < -1 || mostrada >= ShownColumnCount()) return 0;
  if (mostrada >= 0) {
    const int c = DefinedColumnOfShown(mostrada);
    if (c >= 0 && (colunas_[c].flags & ReportColumnFlag::NoFocus)) return 0;
  }
  FocaLinha(linha);
  colunaFoco_ = mostrada;
  update();
  return 1;
}

int CListReportCtrl::GetFocusCell(int& mostrada) const {
  mostrada = colunaFoco_;
  return linhaFoco_;
}

void CListReportCtrl::FocaLinha(int linha) {
  if (linhaFoco_ != linha) {
    if (linhaFoco_ != -2 && (linhaFoco_ == -1 || linhaFoco_ < numLinhas_)) {
      SetItemState(linhaFoco_, 0, ReportState::Focused);
      RepintaLinha(linhaFoco_);
    }
    linhaFoco_ = linha;
  }
  if (linha != -2) {
    SetItemState(linha, ReportState::Focused, ReportState::Focused);
    RepintaLinha(linha);
  }
}

bool CListReportCtrl::MudaSelecao(int linha, quint32 novoEstado, bool notificar) {
  const int item = ItemOfDisplayRow(linha);
  ReportNotifyInfo n;
  n.item = item;
  n.column = -1;
  n.state = novoEstado;
  n.data = GetItemData(item);
  if (notificar) {
    n.code = ReportCode::SelectChanging;
    if (Notify(n) != 0) return false;
  }
  if (novoEstado & ReportState::Selected) {
    if (!selecao_.contains(item)) selecao_.append(item);
  } else {
    selecao_.removeAll(item);
  }
  SetItemState(linha, novoEstado & ReportState::Selected, ReportState::Selected);
  if (notificar) {
    n.code = ReportCode::SelectChanged;
    Notify(n);
  }
  return true;
}

void CListReportCtrl::SelectItems(int primeira, int ultima, bool selecionar, bool manterOutras, bool alternar,
                                  bool notificar) {
  if (primeira < -1 || primeira >= numLinhas_) return;
  FocaLinha(primeira);
  if (estilo_ & ReportStyle::SingleSelect) ultima = primeira;
  ultima = std::clamp(ultima, -1, numLinhas_ - 1);
  const int de = std::min(primeira, ultima), ate = std::max(primeira, ultima);
  if (selecionar) {
    for (int l = de; l <= ate; ++l) {
      const quint32 estado = GetItemState(l);
      const quint32 novo = alternar ? estado ^ ReportState::Selected : estado | ReportState::Selected;
      if (novo == estado) continue;
      MudaSelecao(l, novo, notificar);
    }
    InvalidateRows(de, ate);
  } else {
    RepintaLinha(primeira);
  }
  if (selecionar && ((estilo_ & ReportStyle::SingleSelect) || !manterOutras)) {
    const QVector<int> lista = selecao_;
    for (int item : lista) {
      const int l = DisplayPositionOfRow(item);
      if (l == -2 || (l >= de && l <= ate)) continue;
      const quint32 estado = GetItemState(l);
      if (!(estado & ReportState::Selected) && !ModoVirtual()) continue;
      if (MudaSelecao(l, estado & ~ReportState::Selected, notificar)) RepintaLinha(l);
    }
  }
  update();
}

void CListReportCtrl::SelectRow(int item, bool manterOutras) {
  const int l = DisplayPositionOfRow(item);
  if (l == -2) return;
  SelectItems(l, l, true, manterOutras, false, false);
}

void CListReportCtrl::SelectRows(const QVector<int>& itens, bool manterOutras) {
  for (int i = 0; i < itens.size(); ++i) SelectRow(itens[i], i > 0 ? true : manterOutras);
}

void CListReportCtrl::SelectNode(ReportTreeNode* no, bool manterOutras) {
  if (no && no != TreeRoot && no != raiz_) SelectRow(no->item, manterOutras);
}

void CListReportCtrl::SelectNodes(const QVector<ReportTreeNode*>& nos, bool manterOutras) {
  for (int i = 0; i < nos.size(); ++i) SelectNode(nos[i], i > 0 ? true : manterOutras);
}

void CListReportCtrl::DeselectAll() {
  for (int item : selecao_) {
    const int l = DisplayPositionOfRow(item);
    if (l != -2) SetItemState(l, 0, ReportState::Selected);
  }
  selecao_.clear();
  update();
}

void CListReportCtrl::SelectAll() {
  if (numLinhas_ == 0) return;
  DeselectAll();
  InvertSelection();
}

void CListReportCtrl::InvertSelection() {
  for (int l = 0; l < numLinhas_; ++l) {
    const int item = ItemOfDisplayRow(l);
    const bool sel = selecao_.contains(item);
    if (sel) selecao_.removeAll(item);
    else selecao_.append(item);
    SetItemState(l, sel ? 0u : quint32(ReportState::Selected), ReportState::Selected);
  }
  update();
}

bool CListReportCtrl::MatchesPattern(const QString& padrao, const QString& texto) {
  if (texto.isEmpty()) return padrao.isEmpty();
  const auto igual = [](QChar a, QChar b) { return a.toLower() == b.toLower(); };
  qsizetype i = 0, j = 0;
  while (i < padrao.size()) {
    const QChar c = padrao[i];
    if (c == QLatin1Char('?')) {
      if (j >= texto.size()) return false;
      ++i;
      ++j;
    } else if (c == QLatin1Char('*')) {
      ++i;
      if (i == padrao.size()) return true;
      qsizetype k = i;
      while (k < padrao.size() && padrao[k] != QLatin1Char('*') && padrao[k] != QLatin1Char('?')) ++k;
      const QString trecho = padrao.mid(i, k - i);
      if (trecho.isEmpty()) continue;
      const qsizetype pos = texto.indexOf(trecho, j, Qt::CaseInsensitive);
      if (pos < 0) return false;
      if (k == padrao.size()) return true;  // no wildcard after it: found is enough
      j = pos + trecho.size();
      i = k;
    } else {
      if (j >= texto.size() || !igual(c, texto[j])) return false;
      ++i;
      ++j;
    }
  }
  return j == texto.size();
}

void CListReportCtrl::SelectMatching(QChar separador, const QString& padrao, bool manterOutras) {
  if (!manterOutras) DeselectAll();
  for (int l = 0; l < numLinhas_; ++l)
    if (MatchesPattern(padrao, GetRowText(ItemOfDisplayRow(l), separador)))
      SelectItems(l, l, true, true, false, false);
}

void CListReportCtrl::SelectByData(int, qintptr limite, bool manterOutras) {
  if (!manterOutras) DeselectAll();
  for (int l = 0; l < numLinhas_; ++l)
    if (GetItemData(ItemOfDisplayRow(l)) <= limite) SelectItems(l, l, true, true, false, false);
}

int CListReportCtrl::FindItem(const ReportFindInfo& info, int coluna, int inicio) {
  if (ModoVirtual()) return 0;
  const int n = int(itens_.size());
  if (inicio < -1 || inicio >= n) return -2;
  const int passo = (info.flags & ReportFind::Backwards) ? -1 : 1;
  const bool volta = info.flags & ReportFind::Wrap;
  int i = inicio;
  for (;;) {
    i += passo;
    if (i >= n) {
      if (!volta) return -2;
      i = -1;
    } else if (i < -1) {
      if (!volta) return -2;
      i = n - 1;
    }
    if (i == inicio) return -2;
    ReportItemInfo c;
    c.mask = ReportMask::Text;
    c.item = i;
    c.column = coluna;
    if (!GetRowItem(c)) continue;
    bool ok = true;
    if (info.flags & ReportFind::Text) {
      if (c.text.isNull()) ok = false;
      else if (info.flags & ReportFind::Partial) ok = plat::ParaCp1252(c.text).rfind(plat::ParaCp1252(info.text), 0) == 0;
      else ok = plat::ParaCp1252(c.text) == plat::ParaCp1252(info.text);
    }
    if (ok && (info.flags & ReportFind::Image)) ok = c.image >= 0 && c.image == info.image;
    if (ok && (info.flags & ReportFind::Check)) ok = c.check >= 0 && c.check == info.check;
    if (ok && (info.flags & ReportFind::Data)) ok = c.data == info.data;
    if (ok) return i;
  }
}

int CListReportCtrl::FirstSelectedRow() const {
  if (selecao_.isEmpty()) return -2;
  return *std::min_element(selecao_.begin(), selecao_.end());
}

int CListReportCtrl::NextSelectedRow(int item) const {
  int r = -2;
  for (int s : selecao_)
    if (s > item && (r == -2 || s < r)) r = s;
  return r;
}

int CListReportCtrl::GetSelectedRows(int* itens, int capacidade) const {
  QVector<int> s = selecao_;
  std::sort(s.begin(), s.end());
  for (int i = 0; itens && i < capacidade && i < s.size(); ++i) itens[i] = s[i];
  return int(s.size());
}

// ---------------------------------------------------------------- keyboard

void CListReportCtrl::MoveFocoVertical(int alvo, Qt::KeyboardModifiers mods) {
  if (mods & Qt::ControlModifier) {
    FocaLinha(alvo);
    ancora_ = alvo;
  } else if (mods & Qt::ShiftModifier) {
    SelectItems(alvo, ancora_, true, false, false, true);
  } else {
    SelectItems(alvo, alvo, true, false, false, true);
    ancora_ = alvo;
  }
  EnsureRowVisible(ItemOfDisplayRow(alvo));
}

void CListReportCtrl::ColunaVisivel(int mostrada) {
  if (mostrada < 0) return;
  const QRect h = header_->GetItemRect(header_->OrderToIndex(mostrada));
  if (h.left() < posH_ || h.left() + h.width() > posH_ + retLinhas_.width()) RolaHorizontal(h.left());
}

void CListReportCtrl::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers();
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  if (dica_) dica_->Hide();
  ReportNotifyInfo n;
  n.code = ReportCode::KeyDown;
  n.keyOrButtons = quint32(CodigoTecla(e->key()));
  n.flags = quint32(mods);
  n.item = ItemOfDisplayRow(linhaFoco_);
  n.column = DefinedColumnOfShown(colunaFoco_);
  n.data = GetItemData(n.item);
  if (Notify(n) != 0) {
    QWidget::keyPressEvent(e);
    return;
  }
  edicaoArmada_ = false;
  const int ultima = numLinhas_ - 1;
  switch (e->key()) {
    case Qt::Key_Escape: QWidget::keyPressEvent(e); return;
    case Qt::Key_Space:
      if (linhaFoco_ != -2) SelectItems(linhaFoco_, linhaFoco_, true, true, ctrl, true);
      return;
    case Qt::Key_PageUp: {
      if (numLinhas_ == 0) return;
      const int ultimaVisivel = topo_ + std::max(VisibleRowCount() - 1, 0);
      int alvo = topo_;
      if (linhaFoco_ == topo_) {
        ScrollPageUp();
        alvo = topo_;
      }
      MoveFocoVertical(std::min(alvo, ultimaVisivel), mods);
      return;
    }
    case Qt::Key_PageDown: {
      if (numLinhas_ == 0) return;
      int alvo = std::min(topo_ + std::max(VisibleRowCount() - 1, 0), ultima);
      if (linhaFoco_ == alvo) {
        ScrollPageDown();
        alvo = std::min(topo_ + std::max(VisibleRowCount() - 1, 0), ultima);
      }
      MoveFocoVertical(alvo, mods);
      return;
    }
    case Qt::Key_End:
      if (numLinhas_ == 0) return;
      RolaVertical(MaiorTopo());
      if (!shift) ancora_ = ultima;
      if (ctrl) FocaLinha(ultima);
      else SelectItems(ultima, ancora_, true, false, false, true);
      return;
    case Qt::Key_Home:
      if (linhaFoco_ > 0) {
        RolaVertical(0);
        if (!shift) ancora_ = 0;
        if (ctrl) FocaLinha(0);
        else SelectItems(0, ancora_, true, false, false, true);
      }
      return;
    case Qt::Key_Up:
      if (linhaFoco_ > 0 || (linhaFoco_ == 0 && (estilo_ & ReportStyle::InsertRow)))
        MoveFocoVertical(linhaFoco_ - 1, mods);
      return;
    case Qt::Key_Down:
      if (linhaFoco_ < ultima) {
        int de = linhaFoco_;
        if (de == -2) de = -1;  // with no focused row the focus starts above the first
        MoveFocoVertical(de + 1, mods);
      }
      return;
    case Qt::Key_Left: {
      ReportTreeNode* no = ModoArvore() ? NodeOfRow(ItemOfDisplayRow(linhaFoco_)) : nullptr;
      if (ModoArvore() && colunaFoco_ < 0 && no) {
        if (no->firstChild && no->expanded) ExpandNode(no, 0);
        else if (no->parent && no->parent != raiz_) {
          const int l = DisplayPositionOfRow(no->parent->item);
          SelectItems(l, l, true, false, false, true);
          ancora_ = l;
          EnsureRowVisible(no->parent->item);
        } else if (estilo_ & ReportStyle::InsertRow) {
          SelectItems(-1, -1, true, false, false, true);
        }
        return;
      }
      if (!(estilo_ & ReportStyle::CellFocus)) {
        RolaHorizontal(posH_ - std::min(retLinhas_.width() / 8, posH_));
        return;
      }
      int c = colunaFoco_ - 1;
      while (c >= 0 && (colunas_[DefinedColumnOfShown(c)].flags & ReportColumnFlag::NoFocus)) --c;
      colunaFoco_ = std::max(c, -1);
      ColunaVisivel(colunaFoco_);
      RepintaLinha(linhaFoco_);
      return;
    }
    case Qt::Key_Right: {
      ReportTreeNode* no = ModoArvore() ? NodeOfRow(ItemOfDisplayRow(linhaFoco_)) : nullptr;
      if (ModoArvore() && colunaFoco_ < 0 && no && no->firstChild) {
        if (!no->expanded) ExpandNode(no, 1);
        else {
          const int l = DisplayPositionOfRow(no->firstChild->item);
          SelectItems(l, l, true, false, false, true);
          ancora_ = l;
          EnsureRowVisible(no->firstChild->item);
        }
        return;
      }
      if (!(estilo_ & ReportStyle::CellFocus)) {
        const int resto = std::max(0, larguraTotal_ - retLinhas_.width() - posH_);
        RolaHorizontal(posH_ + std::min(retLinhas_.width() / 8, resto));
        return;
      }
      const int n = ShownColumnCount();
      int c = colunaFoco_ + 1;
      while (c < n && (colunas_[DefinedColumnOfShown(c)].flags & ReportColumnFlag::NoFocus)) ++c;
      if (c < n) colunaFoco_ = c;
      ColunaVisivel(colunaFoco_);
      RepintaLinha(linhaFoco_);
      return;
    }
    default:
      if (!ctrl) edicaoArmada_ = true;
      break;
  }
  // The character the key types, when editing was armed.
  const QString t = e->text();
  if (edicaoArmada_ && !t.isEmpty() && colunaFoco_ >= 0 &&
      (linhaFoco_ == -1 || (estilo_ & ReportStyle::CellFocus))) {
    const int ch = t.at(0).unicode();
    if (BeginEdit(linhaFoco_, colunaFoco_, ch, EditStart::Character)) {
      edicaoArmada_ = false;
      return;
    }
  }
  QWidget::keyPressEvent(e);
}

// ---------------------------------------------------------------- mouse

long CListReportCtrl::NotificaMouse(int codigo, const ReportHitInfo& hit, Qt::MouseButtons botoes,
                                    Qt::KeyboardModifiers mods) {
  ReportNotifyInfo n;
  n.code = codigo;
  n.keyOrButtons = FlagsMouse(botoes, mods);
  n.point = hit.point;
  n.flags = hit.flags;
  n.node = hit.node;
  n.item = hit.item;
  n.column = hit.column;
  if (hit.item != -2) {
    ReportItemInfo i;
    i.item = hit.item;
    if (GetRowItem(i)) {
      n.state = i.state;
      n.data = i.data;
    }
  }
  return Notify(n);
}

void CListReportCtrl::mousePressEvent(QMouseEvent* e) {
  if (dica_) dica_->Hide();
  if (e->button() != Qt::LeftButton && e->button() != Qt::RightButton) return;
  setFocus(Qt::MouseFocusReason);
  ReportHitInfo hit;
  hit.point = e->position().toPoint();
  HitTest(hit);
  const Qt::KeyboardModifiers mods = e->modifiers();
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  if (e->button() == Qt::RightButton) {
    if (NotificaMouse(ReportCode::RButtonDown, hit, e->buttons() | e->button(), mods) != 0) return;
    if (hit.row != -2 && !shift && !ctrl) {
      SelectItems(hit.row, hit.row, true, false, false, true);
      ancora_ = hit.row;
    }
    return;
  }
  if (ModoArvore() && (hit.flags & ReportHit::TreeButton) && hit.node) {
    ReportNotifyInfo n;
    n.code = ReportCode::TreeButtonClick;
    n.item = hit.item;
    n.column = hit.column;
    n.node = hit.node;
    if (Notify(n) == 0) {
      ExpandNode(hit.node, 2);
      n.code = ReportCode::TreeToggled;
      Notify(n);
    }
    return;
  }
  if (NotificaMouse(ReportCode::LButtonDown, hit, e->buttons() | e->button(), mods) != 0) return;
  const int linhaAntes = linhaFoco_, colunaAntes = colunaFoco_;
  if (estilo_ & ReportStyle::CellFocus) {
    const bool semFoco =
        hit.column < 0 || hit.column >= colunas_.size() || (colunas_[hit.column].flags & ReportColumnFlag::NoFocus);
    colunaFoco_ = semFoco ? -1 : hit.shown;
  }
  if (hit.row == -2) {
    update();
    return;
  }
  if (shift && ctrl) {
    SelectItems(hit.row, ancora_, true, true, false, true);
    ancora_ = hit.row;
  } else if (shift) {
    SelectItems(hit.row, ancora_, true, false, false, true);
  } else if (ctrl) {
    SelectItems(hit.row, hit.row, true, true, true, true);
    ancora_ = hit.row;
  } else {
    SelectItems(hit.row, hit.row, true, false, false, true);
    ancora_ = hit.row;
    if (linhaAntes == hit.row && colunaAntes == colunaFoco_ && colunaFoco_ >= 0 &&
        (hit.row == -1 || (estilo_ & ReportStyle::CellFocus)))
      BeginEdit(hit.row, colunaFoco_, 1, EditStart::Mouse);
  }
}

void CListReportCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    mousePressEvent(e);
    return;
  }
  ReportHitInfo hit;
  hit.point = e->position().toPoint();
  HitTest(hit);
  if (NotificaMouse(ReportCode::LDoubleClick, hit, e->buttons() | e->button(), e->modifiers()) != 0) return;
  if (ModoArvore() && hit.node && hit.node->firstChild) {
    ExpandNode(hit.node, 2);
    ReportNotifyInfo n;
    n.code = ReportCode::TreeToggled;
    n.item = hit.item;
    n.column = hit.column;
    n.node = hit.node;
    Notify(n);
  }
}

// ---------------------------------------------------------------- editing

int CListReportCtrl::BeginEdit(int linha, int mostrada, int tecla, EditStart razao) {
  if (linha == -2 || mostrada < 0 || (linha == -1 && !(estilo_ & ReportStyle::InsertRow))) return 0;
  if (linha >= numLinhas_ || editor_) return 0;
  const int coluna = DefinedColumnOfShown(mostrada);
  const int item = ItemOfDisplayRow(linha);
  if (coluna < 0) return 0;
  ReportItemInfo info;
  info.mask = ReportMask::Text;
  info.item = item;
  info.column = coluna;
  if (!GetRowItem(info) || (info.state & ReportState::ReadOnly)) return 0;
  if (linha >= 0) EnsureRowVisible(item, false);
  QRect cel;
  if (!GetCellRect(item, coluna, cel, 0) || !cel.intersects(linha == -1 ? retFaixa_ : retLinhas_)) return 0;
  ReportEditInfo e;
  e.code = ReportCode::BeginEdit;
  e.item = item;
  e.column = coluna;
  e.rect = cel;
  e.key = tecla;
  e.reason = razao;
  e.text = info.text;
  e.data = info.data;
  if (dica_) dica_->Hide();
  if (Notify(e) != 0) {
    if (!e.editor) return 0;
    editor_ = e.editor;
  } else {
    if (info.text.isNull()) return 0;
    QRect texto;
    if (!GetCellRect(item, coluna, texto, 3) || texto.width() <= 0) return 0;
    texto.setTop(texto.top() + 2);
    auto* ed = new CListReportEditCtrl(item, coluna, e.button == 1, this);
    ed->setFont((info.state & ReportState::Bold) ? fonteNegrito_ : fonte_);
    ed->setText(info.text);
    ed->Place(texto);
    ed->ApplyStartKey(tecla, razao);
    editor_ = ed;
  }
  itemEdicao_ = item;
  colunaEdicao_ = coluna;
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
  update();
  return 1;
}

long CListReportCtrl::ReceiveEditorNotify(ReportEditInfo& info) {
  if (info.code == ReportCode::EditButton) return Notify(info);
  if (info.code != ReportCode::EndEdit || !editor_ || info.editor != editor_) return 0;
  ReportEditInfo f = info;
  f.item = itemEdicao_;
  f.column = colunaEdicao_;
  f.editor = editor_;
  if (Notify(f) != 0) EndEdit(false, &f);
  else EndEdit(f.key != 27, &f);
  return 0;
}

void CListReportCtrl::EndEdit(bool gravar, ReportEditInfo* info) {
  if (!editor_) return;
  QWidget* ed = editor_;
  editor_ = nullptr;
  if (auto* nosso = qobject_cast<CListReportEditCtrl*>(ed)) nosso->Silence();
  if (gravar && !ModoVirtual()) {
    QString texto;
    if (info) texto = info->text;
    else if (auto* le = qobject_cast<QLineEdit*>(ed)) texto = le->text().left(254);
    else texto = ed->property("currentText").toString().left(254);
    SetItemText(itemEdicao_, colunaEdicao_, texto.isNull() ? QStringLiteral("") : texto);
  }
  const bool tinhaFoco = ed->hasFocus();
  ed->close();
  if (qobject_cast<CListReportEditCtrl*>(ed)) ed->deleteLater();
  itemEdicao_ = -2;
  colunaEdicao_ = -1;
  if (tinhaFoco) setFocus(Qt::OtherFocusReason);
  QWidget* f = QApplication::focusWidget();
  if (f != this && !(f && isAncestorOf(f))) temFoco_ = false;
  RepintaLinha(linhaFoco_);
  update();
}

void CListReportCtrl::TerminaEdicaoGravando() {
  if (editor_) EndEdit(true, nullptr);
}

void CListReportCtrl::FechaEditor() {
  if (editor_) EndEdit(false, nullptr);
}

// ---------------------------------------------------------------- sorting

void CListReportCtrl::SetCompareCallback(CompareCallback f, qintptr valor) {
  comparador_ = std::move(f);
  valorComparador_ = valor;
}

CListReportCtrl::CompareCallback CListReportCtrl::GetCompareCallback(qintptr* valor) const {
  if (valor) *valor = valorComparador_;
  return comparador_;
}

int CListReportCtrl::CompareItemInfos(const ReportItemInfo& a, const ReportItemInfo& b) {
  if (!a.text.isNull() || !b.text.isNull()) {
    const std::string x = plat::ParaCp1252(a.text), y = plat::ParaCp1252(b.text);
    return Sinal(x.compare(y));
  }
  if (a.check >= 0 || b.check >= 0) return Sinal(a.check - b.check);
  return Sinal(a.image - b.image);
}

int CListReportCtrl::CompareItems(int item1, int coluna1, int item2, int coluna2) {
  if (comparador_) return comparador_(item1, coluna1, item2, coluna2, valorComparador_);
  ReportItemInfo a, b;
  a.mask = b.mask = ReportMask::Text;
  a.item = item1;
  a.column = coluna1;
  b.item = item2;
  b.column = coluna2;
  GetRowItem(a);
  GetRowItem(b);
  if (a.text.isNull() && b.text.isNull()) {
    if (a.check >= 0 || b.check >= 0) return Sinal(a.check - b.check);
    return Sinal(a.image - b.image);
  }
  // Byte-wise over the stored single-byte text, letter case counted.
  return Sinal(plat::ParaCp1252(a.text).compare(plat::ParaCp1252(b.text)));
}

int CListReportCtrl::ComparaNos(int coluna, ReportTreeNode* a, ReportTreeNode* b) {
  return CompareItems(a->item, a->spanColumn >= 0 ? a->spanColumn : coluna, b->item,
                      b->spanColumn >= 0 ? b->spanColumn : coluna);
}

void CListReportCtrl::SortRange(int coluna, int primeira, int ultima, bool ascendente) {
  if (primeira >= ultima) return;
  const int pivo = ordem_[(primeira + ultima) / 2];
  int i = primeira, j = ultima;
  const auto antes = [&](int item) {
    const int c = CompareItems(item, coluna, pivo, coluna);
    return ascendente ? c < 0 : c > 0;
  };
  const auto depois = [&](int item) {
    const int c = CompareItems(item, coluna, pivo, coluna);
    return ascendente ? c > 0 : c < 0;
  };
  while (i <= j) {
    while (antes(ordem_[i])) ++i;
    while (depois(ordem_[j])) --j;
    if (i <= j) {
      std::swap(ordem_[i], ordem_[j]);
      ++i;
      --j;
    }
  }
  if (primeira < j) SortRange(coluna, primeira, j, ascendente);
  if (i < ultima) SortRange(coluna, i, ultima, ascendente);
}

void CListReportCtrl::SortChildren(int coluna, ReportTreeNode* no, bool ascendente, bool recursivo) {
  no = NoReal(no);
  ReportTreeNode* nova = nullptr;
  ReportTreeNode* c = no->firstChild;
  while (c) {
    ReportTreeNode* prox = c->next;
    if (recursivo) SortChildren(coluna, c, ascendente, true);
    ReportTreeNode** elo = &nova;
    while (*elo) {
      const int r = ComparaNos(coluna, *elo, c);
      if (ascendente ? r >= 0 : r <= 0) break;
      elo = &(*elo)->next;
    }
    c->next = *elo;
    *elo = c;
    c = prox;
  }
  no->firstChild = nova;
}

int CListReportCtrl::SortByColumn(int coluna, bool ascendente) {
  if (ModoVirtual() || !IsColumnShown(coluna)) return 0;
  header_->SetSortMark(ItemHeaderDaColuna(coluna), ascendente);
  if (ModoArvore()) {
    ReportTreeNode* noFoco = NodeOfRow(ItemOfDisplayRow(linhaFoco_));
    SortChildren(coluna, raiz_, ascendente, true);
    ReconstroiOrdemArvore();
    if (noFoco) linhaFoco_ = DisplayPositionOfRow(noFoco->item);
    update();
    return 1;
  }
  if (numLinhas_ == 0) return 0;
  const int itemFoco = ItemOfDisplayRow(linhaFoco_);
  SortRange(coluna, 0, numLinhas_ - 1, ascendente);
  MapaDesatualizado();
  if (itemFoco >= 0) {
    linhaFoco_ = DisplayPositionOfRow(itemFoco);
    EnsureRowVisible(itemFoco);
  }
  Alterado();
  update();
  return 1;
}

void CListReportCtrl::SortByHeaderMark() {
  int coluna = -1;
  bool asc = false;
  header_->GetSortMark(&asc);
  if (SortedColumn(coluna)) SortByColumn(coluna, asc);
}

// ---------------------------------------------------------------- tree expansion

int CListReportCtrl::ExpandNode(ReportTreeNode* no, int operacao) {
  if (!ModoArvore() || operacao < 0 || operacao > 2) return 0;
  no = NoReal(no);
  if (no == raiz_) return 0;
  const int itemFoco = ItemOfDisplayRow(linhaFoco_);
  ReportTreeNode* noFoco = NodeOfRow(itemFoco);
  if (linhaFoco_ >= 0) SetItemState(linhaFoco_, 0, ReportState::Focused);
  no->expanded = operacao == 2 ? !no->expanded : operacao == 1;
  ReconstroiOrdemArvore();
  if (noFoco) {
    int l = DisplayPositionOfRow(noFoco->item);
    if (l == -2) {
      // The focus goes to the highest collapsed ancestor; the rows it hides
      // lose their selection.
      ReportTreeNode* alto = nullptr;
      for (ReportTreeNode* a = noFoco->parent; a && a != raiz_; a = a->parent)
        if (!a->expanded) alto = a;
      if (alto) {
        l = DisplayPositionOfRow(alto->item);
        QVector<int> ficam;
        for (int s : selecao_) {
          ReportTreeNode* ns = NodeOfRow(s);
          if (ns && ns != alto && ArvoreDe(ns, alto)) itens_[s].state &= ~ReportState::Selected;
          else ficam.append(s);
        }
        selecao_ = ficam;
      }
    }
    linhaFoco_ = l;
    if (l >= 0) {
      SetItemState(l, ReportState::Focused, ReportState::Focused);
      EnsureRowVisible(ItemOfDisplayRow(l));
    }
  }
  update();
  return 1;
}

void CListReportCtrl::ExpandToNode(ReportTreeNode* no, bool parcialBasta) {
  if (!no || no == TreeRoot || !ModoArvore()) return;
  for (ReportTreeNode* a = no->parent; a && a != raiz_; a = a->parent) a->expanded = true;
  ReconstroiOrdemArvore();
  EnsureRowVisible(no->item, parcialBasta);
}

void CListReportCtrl::ExpandAll(ReportTreeNode* no, int operacao, int limite) {
  if (!ModoArvore() || operacao < 0 || operacao > 2) return;
  std::function<void(ReportTreeNode*, int)> aplica = [&](ReportTreeNode* n, int prof) {
    if (n != raiz_) n->expanded = operacao == 2 ? !n->expanded : operacao == 1;
    const int proxima = prof + 1;
    if (limite >= 0 && proxima <= limite) return;
    for (ReportTreeNode* c = n->firstChild; c; c = c->next) aplica(c, proxima);
  };
  aplica(NoReal(no), 0);
  ReconstroiOrdemArvore();
}

void CListReportCtrl::FocusNode(ReportTreeNode* no) {
  const int l = (no && no != TreeRoot && no != raiz_) ? DisplayPositionOfRow(no->item) : -1;
  if (l == -2) return;
  FocaLinha(l);
  if (l >= 0) EnsureRowVisible(ItemOfDisplayRow(l));
  update();
}

// ---------------------------------------------------------------- row text and copying

QString CListReportCtrl::GetRowText(int item, QChar separador) {
  QString s;
  const int n = ShownColumnCount();
  for (int k = 0; k < n; ++k) {
    if (k > 0) s += separador;
    ReportItemInfo i;
    i.mask = ReportMask::Text;
    i.item = item;
    i.column = DefinedColumnOfShown(k);
    if (!GetRowItem(i)) continue;
    if (k == 0 && ModoArvore() && i.indent > 0) {
      s += ReportTextSettings::Process().treeIndent.repeated(i.indent - 1);
      ReportTreeNode* no = NodeOfRow(item);
      s += (no && no->firstChild) ? QLatin1Char('-') : QLatin1Char(' ');
    }
    if (!i.text.isNull()) s += QString(i.text).replace(separador, QLatin1Char(' '));
    else if (i.image >= 0) s += QString::number(i.image);
    else if (i.check >= 0) s += QString::number(i.check);
  }
  return s + QLatin1Char('\n');
}

void CListReportCtrl::CopySelectedRows() {
  QVector<QPair<int, int>> linhas;  // display row, item
  for (int item : selecao_) linhas.append({DisplayPositionOfRow(item), item});
  std::sort(linhas.begin(), linhas.end());
  QString texto;
  for (const auto& l : linhas) texto += GetRowText(l.second, ReportTextSettings::Process().copySeparator);
  if (!linhas.isEmpty()) QGuiApplication::clipboard()->setText(texto);
}
