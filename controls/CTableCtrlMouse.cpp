// The grid's focus cell, selection, mouse modes, keyboard and sorting.
#include "CTableCtrl.h"

#include "CTitleTip.h"
#include "platform/Cp1252.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

namespace {
bool Ctrl(Qt::KeyboardModifiers m) { return m & Qt::ControlModifier; }
bool Shift(Qt::KeyboardModifiers m) { return m & Qt::ShiftModifier; }

// The wait cursor while a large selection or sort works.
struct CursorEspera {
  bool ligado;
  explicit CursorEspera(bool l) : ligado(l) { if (ligado) QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { if (ligado) QGuiApplication::restoreOverrideCursor(); }
};
}  // namespace

// ---------------------------------------------------------------- focus

CCellID CTableCtrl::MoveFocusCell(int row, int col) {
  if (CCellID(row, col) == foco_) return foco_;
  const CCellID antigo = foco_;
  if (row != -1 && row < nFixedRows_) row = nFixedRows_;
  if (col != -1 && col < nFixedCols_) col = nFixedCols_;
  if (antigo.IsValid() && antigo.row < nRows_ && antigo.col < nCols_) {
    if (!virtual_)
      if (CTableCellBase* c = CellAt(antigo.row, antigo.col)) c->AssignState(c->State() & ~GVIS_FOCUSED);
    RedrawCell(antigo.row, antigo.col);
  }
  foco_ = CCellID(row, col);
  if (foco_.IsValid() && foco_.row < nRows_ && foco_.col < nCols_) {
    if (!virtual_)
      if (CTableCellBase* c = CellAt(foco_.row, foco_.col)) c->AssignState(c->State() | GVIS_FOCUSED);
    RedrawCell(foco_.row, foco_.col);
    if (QAccessible::isActive() && hasFocus()) {
      QAccessibleEvent ev(this, QAccessible::Focus);
      ev.setChild(foco_.row * std::max(1, nCols_) + foco_.col);
      QAccessible::updateAccessibility(&ev);
    }
  }
  if (marcaCabecalhosFoco_) {
    if (antigo.col != foco_.col) {
      for (int r = 0; r < nFixedRows_; ++r) {
        RedrawCell(r, antigo.col);
        RedrawCell(r, foco_.col);
      }
    }
    if (antigo.row != foco_.row) {
      for (int c = 0; c < nFixedCols_; ++c) {
        RedrawCell(antigo.row, c);
        RedrawCell(foco_.row, c);
      }
    }
  }
  return antigo;
}

// ---------------------------------------------------------------- selection

bool CTableCtrl::IsCellSelected(int row, int col) const {
  return selecionavel_ && selecao_.Contains(row, col);
}

CCellRange CTableCtrl::GetSelectedCellRange() {
  const CCellRange b = selecao_.Bounds();
  return b.IsValid() ? b : CCellRange(nRows_, nCols_, -1, -1);
}

std::vector<CCellID> CTableCtrl::CelulasVisiveis() {
  std::vector<CCellID> v;
  const CCellRange vis = GetVisibleNonFixedCellRange();
  if (!vis.IsValid()) return v;
  v.reserve(size_t(vis.Rows()) * size_t(vis.Cols() + nFixedCols_));
  for (int r = vis.minRow; r <= vis.maxRow; ++r) {
    for (int c = 0; c < nFixedCols_; ++c) v.emplace_back(r, c);
    for (int c = vis.minCol; c <= vis.maxCol; ++c) v.emplace_back(r, c);
  }
  return v;
}

void CTableCtrl::RepintaCelulas(const std::vector<CCellID>& celulas, bool repintaJa) {
  if (celulas.empty() || !redesenha_) return;
  QRect area;
  QRect r;
  for (const CCellID& c : celulas)
    if (GetCellRect(c.row, c.col, &r)) area = area.united(r);
  if (area.isEmpty()) return;
  if (repintaJa) viewport()->repaint(area);
  else viewport()->update(area);
}

void CTableCtrl::LimpaSelecao() {
  anterior_.Clear();
  baseEhAnterior_ = false;
  if (selecao_.Empty()) return;
  const std::vector<CCellID> visiveis = CelulasVisiveis();
  std::vector<CCellID> mudam;
  for (const CCellID& c : visiveis)
    if (selecao_.Contains(c.row, c.col)) mudam.push_back(c);
  selecao_.Clear();
  RepintaCelulas(mudam, false);
}

void CTableCtrl::SelectRange(const CCellRange& range, bool repintaJa, bool seleciona) {
  if (!selecionavel_) return;
  CCellRange r = range;
  const int colMin = linhaIncluiFixas_ ? 0 : nFixedCols_;
  if (r.minRow != -1 && r.minRow < nFixedRows_) r.minRow = nFixedRows_;
  if (r.maxRow != -1 && r.maxRow < nFixedRows_) r.maxRow = nFixedRows_;
  if (r.minCol != -1 && r.minCol < colMin) r.minCol = colMin;
  if (r.maxCol != -1 && r.maxCol < colMin) r.maxCol = colMin;
  const bool dentro = r.IsValid() && r.maxRow < nRows_ && r.maxCol < nCols_;
  const bool linhaUnica = linhaInteira_ && linhaUnica_;
  CursorEspera espera(dentro && int64_t(r.Rows()) * r.Cols() > 1000000);

  // What the visible cells show now, to repaint only those that change.
  const std::vector<CCellID> visiveis = CelulasVisiveis();
  std::vector<uint8_t> antes(visiveis.size());
  for (size_t k = 0; k < visiveis.size(); ++k) antes[k] = selecao_.Contains(visiveis[k].row, visiveis[k].col);

  // Keeps in the selection only the cells inside the range.
  auto soDentro = [&](GridCellSet& s) {
    s.Materialize();
    if (!r.IsValid()) { s.Clear(); return; }
    const CCellRange b = s.Bounds();
    if (!b.IsValid()) return;
    if (b.minRow < r.minRow) s.SetRange(CCellRange(b.minRow, 0, r.minRow - 1, nCols_ - 1), false);
    if (b.maxRow > r.maxRow) s.SetRange(CCellRange(r.maxRow + 1, 0, b.maxRow, nCols_ - 1), false);
    if (b.minCol < r.minCol) s.SetRange(CCellRange(r.minRow, 0, r.maxRow, r.minCol - 1), false);
    if (b.maxCol > r.maxCol) s.SetRange(CCellRange(r.minRow, r.maxCol + 1, r.maxRow, nCols_ - 1), false);
  };

  if (seleciona) {
    if (!linhaUnica && r.minRow != -1 && dentro) {
      // The previous selection plus the range: while a drag keeps extending
      // from the same previous selection only the rectangle moves.
      if (!baseEhAnterior_) {
        selecao_.CopyFrom(anterior_);
        baseEhAnterior_ = true;
      }
      selecao_.SetRect(r);
    } else {
      soDentro(selecao_);
      baseEhAnterior_ = false;
      if (!linhaUnica && r.minRow != -1) selecao_.Add(anterior_);
      if (dentro) selecao_.SetRange(r, true);
    }
  } else {
    baseEhAnterior_ = false;
    if (!linhaUnica && r.minRow != -1) {
      selecao_.Materialize();
      selecao_.Add(anterior_);
    } else if (!linhaUnica) {
      return;  // a range starting at row -1 ends here
    }
    if (dentro) selecao_.SetRange(r, false);
  }

  std::vector<CCellID> mudam;
  for (size_t k = 0; k < visiveis.size(); ++k)
    if (bool(antes[k]) != selecao_.Contains(visiveis[k].row, visiveis[k].col)) mudam.push_back(visiveis[k]);
  RepintaCelulas(mudam, repintaJa);
  if (QAccessible::isActive()) {
    QAccessibleEvent ev(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&ev);
  }
}

void CTableCtrl::SelectAllCells() {
  if (!selecionavel_) return;
  SelectRange(CCellRange(nFixedRows_, nFixedCols_, nRows_ - 1, nCols_ - 1));
}

void CTableCtrl::SelectColumns(CCellID cell, bool repintaJa, bool seleciona) {
  if (!selecionavel_ || !cell.IsValid() || cell.row >= nRows_ || cell.col >= nCols_ || cell.col < nFixedCols_) return;
  int c0 = cell.col, c1 = cell.col;
  if (!colunaUnica_ && ancora_.col >= nFixedCols_) {
    c0 = std::min(ancora_.col, cell.col);
    c1 = std::max(ancora_.col, cell.col);
  }
  SelectRange(CCellRange(nFixedRows_, c0, nRows_ - 1, c1), repintaJa, seleciona);
}

void CTableCtrl::SelectRows(CCellID cell, bool repintaJa, bool seleciona) {
  if (!selecionavel_ || !cell.IsValid() || cell.row >= nRows_ || cell.col >= nCols_ || cell.row < nFixedRows_) return;
  int r0 = cell.row, r1 = cell.row;
  if (!(linhaInteira_ && linhaUnica_) && ancora_.row >= nFixedRows_) {
    r0 = std::min(ancora_.row, cell.row);
    r1 = std::max(ancora_.row, cell.row);
  }
  SelectRange(CCellRange(r0, linhaIncluiFixas_ ? 0 : nFixedCols_, r1, nCols_ - 1), repintaJa, seleciona);
}

void CTableCtrl::SelectCells(CCellID cell, bool repintaJa, bool seleciona) {
  if (!selecionavel_ || !cell.IsValid() || cell.row >= nRows_ || cell.col >= nCols_ || cell.row < nFixedRows_ ||
      cell.col < nFixedCols_)
    return;
  CCellID a = ancora_;
  if (!a.IsValid() || a.row < nFixedRows_ || a.col < nFixedCols_ || a.row >= nRows_ || a.col >= nCols_) a = cell;
  SelectRange(CCellRange(std::min(a.row, cell.row), std::min(a.col, cell.col), std::max(a.row, cell.row),
                         std::max(a.col, cell.col)),
              repintaJa, seleciona);
}

void CTableCtrl::EstendeSelecaoPorModo(CCellID cell) {
  switch (modoMouse_) {
    case MOUSE_SELECT_ALL: SelectAllCells(); break;
    case MOUSE_SELECT_COL: SelectColumns(cell, false, true); break;
    case MOUSE_SELECT_ROW: SelectRows(cell, false, true); break;
    case MOUSE_SELECT_CELLS: SelectCells(cell, false, true); break;
    default: break;
  }
}

void CTableCtrl::ClearSelection() {
  anterior_.Clear();
  baseEhAnterior_ = false;
  SelectRange(CCellRange(), false, true);
  MoveFocusCell(-1, -1);
}

void CTableCtrl::EnableSelection(bool on) {
  LimpaSelecao();
  selecionavel_ = on;
}

CCellID CTableCtrl::GetNextCell(CCellID de, uint32_t estado, int direcao) {
  auto casa = [&](int r, int c) {
    CTableCellBase* cel = CellAt(r, c);
    return cel && (cel->State() & estado) == estado;
  };
  const int r0 = de.IsValid() ? de.row : 0, c0 = de.IsValid() ? de.col : -1;
  switch (direcao) {
    case 1:
      for (int r = r0 - 1; r >= 0; --r) if (casa(r, c0)) return {r, c0};
      break;
    case 2:
      for (int r = r0 + 1; r < nRows_; ++r) if (casa(r, c0)) return {r, c0};
      break;
    case 3:
      for (int c = c0 - 1; c >= 0; --c) if (casa(r0, c)) return {r0, c};
      break;
    case 4:
      for (int c = c0 + 1; c < nCols_; ++c) if (casa(r0, c)) return {r0, c};
      break;
    default:
      for (int r = r0; r < nRows_; ++r)
        for (int c = (r == r0 ? c0 + 1 : 0); c < nCols_; ++c)
          if (casa(r, c)) return {r, c};
      break;
  }
  return {};
}

// ---------------------------------------------------------------- sorting

namespace {
// The cell as an ordinary one, whose text is its own UTF-8 bytes; the two
// classes the grid makes are known without a dynamic_cast.
const CTableCell* CelulaComum(const CTableCellBase* c) {
  if (!c) return nullptr;
  const std::type_info& t = typeid(*c);
  if (t == typeid(CTableCell) || t == typeid(CTableCellLimText)) return static_cast<const CTableCell*>(c);
  return dynamic_cast<const CTableCell*>(c);
}
}  // namespace

int CTableCtrl::CompareCellText(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  if (!a || !b) return 0;
  const auto* ca = CelulaComum(a);
  const auto* cb = CelulaComum(b);
  if (ca && cb) return GridText::CompareCp1252(ca->TextBytes(), cb->TextBytes());
  const QByteArray ua = a->Text().toUtf8(), ub = b->Text().toUtf8();
  return GridText::CompareCp1252({ua.constData(), size_t(ua.size())}, {ub.constData(), size_t(ub.size())});
}

int CTableCtrl::CompareCellNumeric(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  if (!a || !b) return 0;
  const long x = std::strtol(a->Text().toLatin1().constData(), nullptr, 10);
  const long y = std::strtol(b->Text().toLatin1().constData(), nullptr, 10);
  return x < y ? -1 : (x > y ? 1 : 0);
}

void CTableCtrl::SetSortColumn(int col) {
  if (colunaOrdem_ == col) return;
  const int antiga = colunaOrdem_;
  colunaOrdem_ = col;
  if (nFixedRows_ > 0 || nRows_ > 0) {
    if (antiga >= 0) RedrawCell(0, antiga);
    if (col >= 0) RedrawCell(0, col);
  }
}

bool CTableCtrl::SortByColumn(int col, bool ascendente, intptr_t dados) {
  return SortRowsByColumn(comparador_ ? comparador_ : &CompareCellText, col, ascendente, dados);
}

bool CTableCtrl::SortTextItems(int col, bool ascendente, intptr_t dados) {
  return SortRowsByColumn(&CompareCellText, col, ascendente, dados);
}

bool CTableCtrl::SortRowsByColumn(GridCompareFunc compara, int col, bool ascendente, intptr_t dados) {
  if (col < 0 || col >= nCols_) return false;
  SetSortColumn(col);
  ordemAscendente_ = ascendente;
  ClearSelection();
  if (nRows_ - nFixedRows_ < 2) return false;
  CursorEspera espera(nRows_ > 10000);
  if (virtual_) {
    if (!comparaLinhas_) return false;
    colunaArrastada_ = ordemColunas_[size_t(col)];
    auto inicio = ordemLinhas_.begin() + nFixedRows_;
    if (ascendente)
      std::stable_sort(inicio, ordemLinhas_.end(), [&](int a, int b) { return comparaLinhas_(a, b); });
    else  // the reverse order: compare (b, a), which keeps a strict weak order
      std::stable_sort(inicio, ordemLinhas_.end(), [&](int a, int b) { return comparaLinhas_(b, a); });
  } else {
    SortNormal(compara ? compara : &CompareCellText, col, ascendente, dados, nFixedRows_, nRows_ - 1);
  }
  viewport()->update();
  return true;
}

namespace {
// The quicksort the stored row order of equal keys depends on: the middle
// row's key as the pivot, equal keys never exchanged. The smaller part is
// sorted first by recursion and the larger one by the loop (the two parts are
// independent, so the result is the same and the stack stays shallow).
// `chave(r)` is row r's key, `compara` orders two keys, `troca` exchanges two rows.
template <class Chave, class Compara, class Troca>
void Quicksort(int baixo, int alto, bool asc, const Chave& chave, const Compara& compara, const Troca& troca) {
  while (baixo < alto) {
    int i = baixo, j = alto;
    const auto pivo = chave((baixo + alto) / 2);
    while (i <= j) {
      if (asc) {
        while (i < alto && compara(chave(i), pivo) < 0) ++i;
        while (j > baixo && compara(chave(j), pivo) > 0) --j;
      } else {
        while (i < alto && compara(chave(i), pivo) > 0) ++i;
        while (j > baixo && compara(chave(j), pivo) < 0) --j;
      }
      if (i <= j) {
        if (compara(chave(i), chave(j)) != 0) troca(i, j);
        ++i;
        --j;
      }
    }
    if (j - baixo < alto - i) {
      if (baixo < j) Quicksort(baixo, j, asc, chave, compara, troca);
      baixo = i;
    } else {
      if (i < alto) Quicksort(i, alto, asc, chave, compara, troca);
      alto = j;
    }
  }
}
}  // namespace

bool CTableCtrl::SortNormal(GridCompareFunc compara, int col, bool asc, intptr_t dados, int baixo, int alto) {
  const size_t k = size_t(ordemColunas_[size_t(col)]);
  auto celula = [&](int r) -> const CTableCellBase* { return (*linhas_[size_t(r)])[k]; };
  auto trocaLinhas = [&](int i, int j) {
    std::swap(linhas_[size_t(i)], linhas_[size_t(j)]);
    alturas_.Swap(i, j);
  };
  if (compara == &CompareCellText) {
    // The text comparer on ordinary cells: their bytes copied once, one after
    // another, so each comparison is the byte comparison alone and reads no
    // cell (cells lie all over the heap; the copy stays in the cache).
    std::vector<std::string_view> textos(size_t(alto - baixo + 1));
    std::vector<size_t> inicio(textos.size() + 1);
    std::string bytes;
    bool todas = true;
    for (int r = baixo; r <= alto && todas; ++r) {
      const auto* c = CelulaComum(celula(r));
      if (c) bytes.append(c->TextBytes());
      else todas = false;
      inicio[size_t(r - baixo) + 1] = bytes.size();
    }
    if (todas) {
      const std::string_view todos(bytes);
      for (size_t i = 0; i < textos.size(); ++i) textos[i] = todos.substr(inicio[i], inicio[i + 1] - inicio[i]);
      Quicksort(
          baixo, alto, asc, [&](int r) { return textos[size_t(r - baixo)]; },
          [](std::string_view a, std::string_view b) { return GridText::CompareCp1252(a, b); },
          [&](int i, int j) {
            trocaLinhas(i, j);
            std::swap(textos[size_t(i - baixo)], textos[size_t(j - baixo)]);
          });
      return true;
    }
  }
  Quicksort(
      baixo, alto, asc, celula, [&](const CTableCellBase* a, const CTableCellBase* b) { return compara(a, b, dados); },
      trocaLinhas);
  return true;
}

// ---------------------------------------------------------------- heading clicks

void CTableCtrl::FixedRowClicked(CCellID cell) {
  if (cliqueOrdena_) {
    CursorEspera espera(true);
    const bool asc = cell.col != colunaOrdem_ || !ordemAscendente_;
    SortByColumn(cell.col, asc);
    viewport()->update();
  }
  if (linhaFixaSelecionaColunas_) {
    modoMouse_ = cell.col < nFixedCols_ ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
    EstendeSelecaoPorModo(cell);
  }
}

void CTableCtrl::FixedColumnClicked(CCellID cell) {
  if (colunaFixaSelecionaLinhas_) {
    modoMouse_ = cell.row < nFixedRows_ ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    EstendeSelecaoPorModo(cell);
  }
}

// ---------------------------------------------------------------- dividers and cursor

bool CTableCtrl::SobreDivisorLinha(QPoint p) {
  if (p.x() >= GetFixedColumnWidth()) return false;
  const CCellID id = GetCellFromPt(p);
  QRect r;
  if (!id.IsValid() || !GetCellRect(id.row, id.col, &r)) return false;
  const int topo = r.top(), fundo = r.top() + r.height();
  return (id.row != 0 && std::abs(p.y() - topo) < faixaCaptura_) || std::abs(fundo - p.y()) < faixaCaptura_;
}

bool CTableCtrl::SobreDivisorColuna(QPoint p) {
  if (p.y() >= GetFixedRowHeight()) return false;
  const CCellID id = GetCellFromPt(p);
  QRect r;
  if (!id.IsValid() || !GetCellRect(id.row, id.col, &r)) return false;
  const int esq = r.left(), dir = r.left() + r.width();
  return (id.col != 0 && std::abs(p.x() - esq) < faixaCaptura_) || std::abs(dir - p.x()) < faixaCaptura_;
}

void CTableCtrl::CursorPara(QPoint p) {
  switch (modoMouse_) {
    case MOUSE_OVER_ROW_DIVIDE: case MOUSE_SIZING_ROW: viewport()->setCursor(Qt::SizeVerCursor); return;
    case MOUSE_OVER_COL_DIVIDE: case MOUSE_SIZING_COL: viewport()->setCursor(Qt::SizeHorCursor); return;
    case MOUSE_DRAGGING: return;
    default: break;
  }
  if (!virtual_) {
    const CCellID id = GetCellFromPt(p);
    if (CTableCellBase* c = id.IsValid() ? CellAt(id.row, id.col) : nullptr) {
      if (c->CursorRequest()) return;
    }
  }
  viewport()->setCursor(Qt::ArrowCursor);
}

void CTableCtrl::AtualizaModoSobre(QPoint p) {
  if (colunasRedimensionam_ && SobreDivisorColuna(p)) modoMouse_ = MOUSE_OVER_COL_DIVIDE;
  else if (linhasRedimensionam_ && SobreDivisorLinha(p)) modoMouse_ = MOUSE_OVER_ROW_DIVIDE;
  else if (modoMouse_ == MOUSE_OVER_COL_DIVIDE || modoMouse_ == MOUSE_OVER_ROW_DIVIDE) modoMouse_ = MOUSE_NOTHING;
  CursorPara(p);
}

void CTableCtrl::InverteLinhaRastreio(int pos, bool vertical) {
  linhaRastreio_ = pos;
  rastreioVertical_ = vertical;
  viewport()->update();
}

void CTableCtrl::MostraDicaTitulo(CCellID id) {
  if (!dica_ || !id.IsValid()) return;
  CTableCellBase* c = CellAt(id.row, id.col);
  if (!c) return;
  c->MouseOver();
  if (!dicas_) return;
  const QString texto = c->TipText();
  if (texto.isEmpty() || c->IsBeingEdited()) return;
  QRect cel;
  if (!GetCellRect(id.row, id.col, &cel)) return;
  QRect area = cel;
  c->TipArea(area);
  const QFont fonte = c->FontObject() ? *c->FontObject() : font();
  dica_->Show(area, texto, c->Margin(), cel, fonte, corTextoDica_, corFundoDica_);
}

// ---------------------------------------------------------------- mouse

void CTableCtrl::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(e);
    return;
  }
  const QPoint p = e->position().toPoint();
  const Qt::KeyboardModifiers mods = e->modifiers();
  setFocus(Qt::MouseFocusReason);
  pontoBotao_ = p;
  colunaArrastada_ = -1;
  botaoEsquerdo_ = true;
  if (dica_) dica_->Hide();

  celulaBotao_ = GetCellFromPt(p);
  if (!celulaBotao_.IsValid()) return;
  linhaBotao_ = celulaBotao_.row;
  if (Shift(mods)) {
    if (!ancora_.IsValid()) ancora_ = foco_;
  } else {
    ancora_ = celulaBotao_;
  }
  FinishEditing();
  QRect cel;
  GetCellRect(celulaBotao_.row, celulaBotao_.col, &cel);
  if (CTableCellBase* c = CellAt(celulaBotao_.row, celulaBotao_.col)) c->PressedDown(p - cel.topLeft());

  if (celulaBotao_ == foco_ && !Ctrl(mods)) {
    CTableCellBase* c = CellAt(celulaBotao_.row, celulaBotao_.col);
    QRect texto = cel;
    if (c) c->TextArea(texto);
    if (c && texto.contains(p) && editavel_ && !c->IsReadOnlyCell()) {
      modoMouse_ = MOUSE_PREPARE_EDIT;
      return;
    }
  }

  const bool sobreDivisor = modoMouse_ == MOUSE_OVER_COL_DIVIDE || modoMouse_ == MOUSE_OVER_ROW_DIVIDE;
  if (IsCellSelected(celulaBotao_.row, celulaBotao_.col)) {
    MoveFocusCell(celulaBotao_.row, celulaBotao_.col);
    if (Ctrl(mods)) {
      if (linhaInteira_) SelectRows(celulaBotao_, true, false);
      else SelectCells(celulaBotao_, true, false);
      return;
    }
    if (arrastar_) modoMouse_ = MOUSE_PREPARE_DRAG;
  } else if (!sobreDivisor) {
    const bool fixa = celulaBotao_.row < nFixedRows_ || celulaBotao_.col < nFixedCols_;
    if (fixa) MoveFocusCell(-1, -1);
    else MoveFocusCell(celulaBotao_.row, celulaBotao_.col);
  }

  if (modoMouse_ == MOUSE_NOTHING) {
    if (colunasRedimensionam_ && SobreDivisorColuna(p)) modoMouse_ = MOUSE_OVER_COL_DIVIDE;
    else if (linhasRedimensionam_ && SobreDivisorLinha(p)) modoMouse_ = MOUSE_OVER_ROW_DIVIDE;
  }

  if (modoMouse_ == MOUSE_OVER_COL_DIVIDE) {
    ComecaRedimensionar(Qt::Horizontal, p);
    if (modoMouse_ == MOUSE_NOTHING) return;
  } else if (modoMouse_ == MOUSE_OVER_ROW_DIVIDE) {
    ComecaRedimensionar(Qt::Vertical, p);
    if (modoMouse_ == MOUSE_NOTHING) return;
  } else if (modoMouse_ != MOUSE_PREPARE_DRAG) {
    NotifyOwner(GVN_SELCHANGING, celulaBotao_.row, celulaBotao_.col);
    if (Ctrl(mods)) {
      selecao_.Materialize();
      anterior_.CopyFrom(selecao_);
    } else {
      anterior_.Clear();
    }
    baseEhAnterior_ = false;
    if (celulaBotao_.row < nFixedRows_) {
      FixedRowClicked(celulaBotao_);
      if (cabecalhosArrastam_ && celulaBotao_.col >= nFixedCols_) {
        ClearSelection();
        modoMouse_ = MOUSE_PREPARE_DRAG;
        colunaArrastada_ = celulaBotao_.col;
      }
    } else if (celulaBotao_.col < nFixedCols_) {
      FixedColumnClicked(celulaBotao_);
    } else {
      modoMouse_ = linhaInteira_ ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
      EstendeSelecaoPorModo(celulaBotao_);
      ComecaAutoRolagem();
    }
  }
  ultimoPonto_ = p;
}

void CTableCtrl::ComecaRedimensionar(Qt::Orientation o, QPoint p) {
  // Which column (row) the divider under the point resizes: the last one when
  // it is narrower than the capture range and the point is at the end of the
  // cells; hidden ones skipped leftwards unless they may be widened; the one
  // before when the point is at the left (top) edge of the cell under it.
  const bool h = o == Qt::Horizontal;
  modoMouse_ = h ? MOUSE_SIZING_COL : MOUSE_SIZING_ROW;
  int& alvo = h ? celulaBotao_.col : celulaBotao_.row;
  const int sob = alvo;
  int i = alvo;
  QRect vis;
  GetVisibleNonFixedCellRange(&vis);
  const int ultima = (h ? nCols_ : nRows_) - 1;
  const int coord = h ? p.x() : p.y();
  if (Tamanho(o, ultima) < faixaCaptura_ && std::abs(coord - ((h ? vis.right() : vis.bottom()) + 1)) < faixaCaptura_)
    i = ultima;
  if (!(h ? colunaOcultaRedimensiona_ : linhaOcultaRedimensiona_))
    while (i >= 0 && Tamanho(o, i) == 0) --i;
  if (i < 0) {
    modoMouse_ = MOUSE_NOTHING;
    return;
  }
  QRect r;
  const bool temRect = h ? GetCellRect(celulaBotao_.row, i, &r) : GetCellRect(i, celulaBotao_.col, &r);
  if (temRect && std::abs(coord - (h ? r.left() : r.top())) < faixaCaptura_ && i > 0 &&
      !(i == ultima && Tamanho(o, ultima) >= faixaCaptura_ && i != sob))
    --i;
  alvo = i;
  InverteLinhaRastreio(coord, h);
}

void CTableCtrl::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (dica_) dica_->PointerMoved(p);
  const bool dentro = viewport()->rect().contains(p);
  if (!dentro && modoMouse_ != MOUSE_DRAGGING) {
    ultimoPonto_ = p;  // the auto-scroll timer follows the pointer outside
    return;
  }
  if (botaoEsquerdo_ && modoMouse_ != MOUSE_NOTHING && celulaBotao_.IsValid()) {
    switch (modoMouse_) {
      case MOUSE_SELECT_ALL: case MOUSE_SELECT_COL: case MOUSE_SELECT_ROW: case MOUSE_SELECT_CELLS: {
        const CCellID id = GetCellFromPt(p);
        if (!id.IsValid() || id == foco_) break;
        const bool fixa = id.row < nFixedRows_ || id.col < nFixedCols_;
        EstendeSelecaoPorModo(id);
        if (!fixa || modoMouse_ == MOUSE_SELECT_COL || modoMouse_ == MOUSE_SELECT_ROW)
          MoveFocusCell(std::max(id.row, nFixedRows_), std::max(id.col, nFixedCols_));
        break;
      }
      case MOUSE_SIZING_ROW: InverteLinhaRastreio(p.y(), false); break;
      case MOUSE_SIZING_COL: InverteLinhaRastreio(p.x(), true); break;
      case MOUSE_PREPARE_EDIT: case MOUSE_PREPARE_DRAG:
        if ((p - pontoBotao_).manhattanLength() >= QApplication::startDragDistance()) {
          modoMouse_ = MOUSE_PREPARE_DRAG;
          StartDrag();
        }
        break;
      default: break;
    }
  } else {
    AtualizaModoSobre(p);
    if (modoMouse_ == MOUSE_NOTHING && (!virtual_ || dicas_)) {
      const CCellID id = GetCellFromPt(p);
      if (id.IsValid()) MostraDicaTitulo(id);
    }
  }
  ultimoPonto_ = p;
}

void CTableCtrl::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  if (e->button() == Qt::RightButton) {
    const CCellID id = GetCellFromPt(p);
    FinishEditing();
    if (id.IsValid()) {
      MoveFocusCell(-1, -1);
      MoveFocusCell(std::max(id.row, nFixedRows_), std::max(id.col, nFixedCols_));
      QRect r;
      GetCellRect(id.row, id.col, &r);
      if (CTableCellBase* c = CellAt(id.row, id.col)) c->RightClicked(p - r.topLeft());
    }
    NotifyOwner(GVN_RCLICK, id.row, id.col);
    return;
  }
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseReleaseEvent(e);
    return;
  }
  botaoEsquerdo_ = false;
  ParaAutoRolagem();
  auto relativoFoco = [&]() {
    QRect r;
    GetCellRect(foco_.row, foco_.col, &r);
    return p - r.topLeft();
  };
  switch (modoMouse_) {
    case MOUSE_PREPARE_EDIT:
      EditCell(foco_.row, foco_.col, relativoFoco(), VK_LBUTTON);
      break;
    case MOUSE_PREPARE_DRAG:
      if (CTableCellBase* c = CellAt(foco_.row, foco_.col)) c->Clicked(relativoFoco());
      NotifyOwner(GVN_CLICK, celulaBotao_.row, celulaBotao_.col);
      NotifyOwner(GVN_SELCHANGING, celulaBotao_.row, celulaBotao_.col);
      ClearSelection();
      NotifyOwner(GVN_SELCHANGED, foco_.row, foco_.col);
      break;
    case MOUSE_SIZING_COL: {
      linhaRastreio_ = -1;
      viewport()->update();
      if (p != pontoBotao_ && p != QPoint(0, 0)) {
        QRect r;
        if (GetCellRect(std::max(0, celulaBotao_.row), celulaBotao_.col, &r)) {
          const int largura = std::max(p.x() - r.left(), colunaEncolheZero_ ? 0 : 1);
          SetWidthOfColumn(celulaBotao_.col, largura);
        }
      }
      break;
    }
    case MOUSE_SIZING_ROW: {
      linhaRastreio_ = -1;
      viewport()->update();
      if (p != pontoBotao_ && p != QPoint(0, 0)) {
        QRect r;
        if (GetCellRect(celulaBotao_.row, std::max(0, celulaBotao_.col), &r)) {
          const int altura = std::max(p.y() - r.top(), linhaEncolheZero_ ? 0 : 1);
          SetHeightOfRow(celulaBotao_.row, altura);
        }
      }
      break;
    }
    default:
      NotifyOwner(GVN_SELCHANGED, foco_.row, foco_.col);
      if (CTableCellBase* c = CellAt(foco_.row, foco_.col)) c->Clicked(relativoFoco());
      NotifyOwner(GVN_CLICK, celulaBotao_.row, celulaBotao_.col);
      break;
  }
  modoMouse_ = MOUSE_NOTHING;
  viewport()->setCursor(Qt::ArrowCursor);
  if (celulaBotao_.IsValid()) {
    QPointer<CTableCtrl> eu(this);
    QTimer::singleShot(0, this, [eu]() {
      if (!eu || eu->destruindo_) return;
      if (CTableOwner* d = eu->GetOwner()) d->OnGridCommand(eu, eu->id_);
    });
  }
  // Releasing the capture moves the pointer as far as the grid knows: a
  // divider under it is hovered again.
  if (viewport()->rect().contains(p)) AtualizaModoSobre(p);
}

void CTableCtrl::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mouseDoubleClickEvent(e);
    return;
  }
  const QPoint p = e->position().toPoint();
  const CCellID id = GetCellFromPt(p);
  if (!id.IsValid()) return;
  QRect r;
  GetCellRect(id.row, id.col, &r);
  if (modoMouse_ == MOUSE_OVER_COL_DIVIDE) {
    int col = id.col;
    if (std::abs(p.x() - r.left()) < faixaCaptura_ && col > 0) --col;
    while (col > 0 && WidthOfColumn(col) == 0) --col;
    AutoSizeColumn(col, escopoAuto_);
    viewport()->update();
  } else if (modoMouse_ == MOUSE_OVER_ROW_DIVIDE) {
    int row = id.row;
    if (std::abs(p.y() - r.top()) < faixaCaptura_ && row > 0) --row;
    while (row > 0 && HeightOfRow(row) == 0) --row;
    AutoSizeRow(row);
    viewport()->update();
  } else if (modoMouse_ == MOUSE_NOTHING) {
    CTableCellBase* c = CellAt(id.row, id.col);
    if (c && id.row >= nFixedRows_ && id.col >= nFixedCols_) {
      QRect texto = r;
      c->TextArea(texto);
      if (texto.contains(p)) EditCell(id.row, id.col, p - r.topLeft(), VK_LBUTTON);
    }
    if ((c = CellAt(id.row, id.col))) c->DoubleClicked(p - r.topLeft());
    NotifyOwner(GVN_DBLCLK, id.row, id.col);
  }
  // Qt reports the second press of a double click only here: the button is down.
  botaoEsquerdo_ = true;
}

void CTableCtrl::wheelEvent(QWheelEvent* e) {
  restoRoda_ += e->angleDelta().y();
  while (std::abs(restoRoda_) >= 120) {
    const bool sobe = restoRoda_ > 0;
    restoRoda_ += sobe ? -120 : 120;
    if (linhasRoda_ == -1) {
      OnVScroll(sobe ? SB_PAGEUP : SB_PAGEDOWN);
    } else {
      for (int k = 0; k < linhasRoda_; ++k) OnVScroll(sobe ? SB_LINEUP : SB_LINEDOWN);
    }
  }
  e->accept();
}

void CTableCtrl::ComecaAutoRolagem() { timerRolagem_.start(intervaloRolagem_, this); }
void CTableCtrl::ParaAutoRolagem() { timerRolagem_.stop(); }

void CTableCtrl::timerEvent(QTimerEvent* e) {
  if (e->timerId() != timerRolagem_.timerId()) {
    QAbstractScrollArea::timerEvent(e);
    return;
  }
  AutoRolagem();
}

void CTableCtrl::AutoRolagem() {
  const QPoint p = ultimoPonto_;
  const QRect cliente = viewport()->rect();
  const int fw = GetFixedColumnWidth(), fh = GetFixedRowHeight();
  const int x = std::clamp(p.x(), 0, std::max(0, cliente.width() - 1));
  if (p.y() > cliente.bottom()) {
    TeclaNavegacao(VK_DOWN, Qt::NoModifier, false);
    const CCellID id = GetCellFromPt(QPoint(x, cliente.bottom()));
    if (id.IsValid()) EstendeSelecaoPorModo(id);
  } else if (p.y() < fh) {
    TeclaNavegacao(VK_UP, Qt::NoModifier, false);
    const CCellID id = GetCellFromPt(QPoint(x, fh + 1));
    if (id.IsValid()) EstendeSelecaoPorModo(id);
  }
  const int y = std::clamp(p.y(), 0, std::max(0, cliente.height() - 1));
  if (p.x() > cliente.right()) {
    TeclaNavegacao(VK_RIGHT, Qt::NoModifier, false);
    const CCellID id = GetCellFromPt(QPoint(cliente.right(), y));
    if (id.IsValid()) EstendeSelecaoPorModo(id);
  } else if (p.x() < fw) {
    TeclaNavegacao(VK_LEFT, Qt::NoModifier, false);
    const CCellID id = GetCellFromPt(QPoint(fw + 1, y));
    if (id.IsValid()) EstendeSelecaoPorModo(id);
  }
}

void CTableCtrl::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  if (e->reason() == Qt::PopupFocusReason) return;
  // The capture goes with the focus.
  if (timerRolagem_.isActive() && !botaoEsquerdo_) ParaAutoRolagem();
  if (modoMouse_ == MOUSE_DRAGGING) modoMouse_ = MOUSE_NOTHING;
}

// ---------------------------------------------------------------- keyboard

bool CTableCtrl::focusNextPrevChild(bool next) {
  // The grid keeps Tab for itself unless it hands it on to the next control.
  if (guardaTab_ && !tabProximoControle_ && !(QApplication::keyboardModifiers() & Qt::ControlModifier)) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void CTableCtrl::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers();
  const int k = e->key();
  if (dica_) dica_->Hide();
  if (!foco_.IsValid()) {
    QAbstractScrollArea::keyPressEvent(e);
    return;
  }
  if ((Ctrl(mods) && k == Qt::Key_C) || (Ctrl(mods) && k == Qt::Key_Insert)) { OnEditCopy(); return; }
  if (Ctrl(mods) && k == Qt::Key_X) { OnEditCut(); return; }
  if ((Ctrl(mods) && k == Qt::Key_V) || (Shift(mods) && k == Qt::Key_Insert)) { OnEditPaste(); return; }
  if (Ctrl(mods) && k == Qt::Key_A) { OnEditSelectAll(); return; }
  if (Ctrl(mods) && k == Qt::Key_Plus && (mods & Qt::KeypadModifier)) {
    FitColumnsToContents(escopoAuto_);
    viewport()->update();
    return;
  }
  if (k == Qt::Key_Delete && !Ctrl(mods)) { CutSelectedText(); return; }
  if (k == Qt::Key_F2) { EditCell(foco_.row, foco_.col, QPoint(-1, -1), VK_F2); return; }
  const int vk = GridVirtualKey(k == Qt::Key_Backtab ? int(Qt::Key_Tab) : k);
  const bool navega = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_PRIOR ||
                      vk == VK_NEXT || vk == VK_HOME || vk == VK_END || vk == VK_TAB;
  if (navega) {
    if (vk == VK_TAB && tabProximoControle_) {
      QAbstractScrollArea::focusNextPrevChild(!Shift(mods) && k != Qt::Key_Backtab);
      return;
    }
    if (vk == VK_TAB && (!guardaTab_ || Ctrl(mods))) {
      QAbstractScrollArea::keyPressEvent(e);
      return;
    }
    const Qt::KeyboardModifiers m = k == Qt::Key_Backtab ? (mods | Qt::ShiftModifier) : mods;
    TeclaNavegacao(vk, m, false);
    return;
  }
  // Characters start an edit of the focus cell.
  if (!Ctrl(mods) && modoMouse_ == MOUSE_NOTHING && k != Qt::Key_Escape) {
    if (k == Qt::Key_Backspace) { EditCell(foco_.row, foco_.col, QPoint(-1, -1), VK_BACK); return; }
    if (k == Qt::Key_Return || k == Qt::Key_Enter) { EditCell(foco_.row, foco_.col, QPoint(-1, -1), VK_RETURN); return; }
    const QString t = e->text();
    if (!t.isEmpty() && t[0].isPrint()) {
      EditCell(foco_.row, foco_.col, QPoint(-1, -1), 0, t);
      return;
    }
  }
  QAbstractScrollArea::keyPressEvent(e);
}

void CTableCtrl::inputMethodEvent(QInputMethodEvent* e) {
  if (foco_.IsValid() && !e->commitString().isEmpty() && modoMouse_ == MOUSE_NOTHING)
    EditCell(foco_.row, foco_.col, QPoint(-1, -1), 0, e->commitString());
  e->accept();
}

void CTableCtrl::TeclaNavegacao(int vk, Qt::KeyboardModifiers mods, bool) {
  if (!foco_.IsValid()) return;
  CCellID novo = foco_;
  bool virouLinha = false;
  auto proximaColuna = [&](int c) { ++c; while (c < nCols_ && WidthOfColumn(c) == 0) ++c; return c < nCols_ ? c : -1; };
  auto colunaAnterior = [&](int c) { --c; while (c >= nFixedCols_ && WidthOfColumn(c) == 0) --c; return c >= nFixedCols_ ? c : -1; };
  auto proximaLinha = [&](int r) { ++r; while (r < nRows_ && HeightOfRow(r) == 0) ++r; return r < nRows_ ? r : -1; };
  auto linhaAnterior = [&](int r) { --r; while (r >= nFixedRows_ && HeightOfRow(r) == 0) --r; return r >= nFixedRows_ ? r : -1; };
  switch (vk) {
    case VK_LEFT: if (int c = colunaAnterior(foco_.col); c >= 0) novo.col = c; break;
    case VK_RIGHT: if (int c = proximaColuna(foco_.col); c >= 0) novo.col = c; break;
    case VK_UP: if (int r = linhaAnterior(foco_.row); r >= 0) novo.row = r; break;
    case VK_DOWN: if (int r = proximaLinha(foco_.row); r >= 0) novo.row = r; break;
    case VK_TAB:
      if (!Shift(mods)) {
        if (int c = proximaColuna(foco_.col); c >= 0) {
          novo.col = c;
        } else if (int r = proximaLinha(foco_.row); r >= 0) {
          novo.row = r;
          novo.col = proximaColuna(nFixedCols_ - 1);
          virouLinha = true;
        } else {
          return;  // the grid's end: nothing to move to
        }
      } else {
        if (int c = colunaAnterior(foco_.col); c >= 0) {
          novo.col = c;
        } else if (int r = linhaAnterior(foco_.row); r >= 0) {
          int c = nCols_ - 1;
          while (c >= nFixedCols_ && WidthOfColumn(c) == 0) --c;
          novo.row = r;
          novo.col = c;
          virouLinha = true;
        } else {
          return;
        }
      }
      break;
    case VK_PRIOR: case VK_NEXT: {
      const int antes = GetTopleftNonFixedCell().row;
      OnVScroll(vk == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP);
      const int depois = GetTopleftNonFixedCell(true).row;
      const int delta = depois - antes;
      if (delta == 0) novo.row = vk == VK_NEXT ? nRows_ - 1 : nFixedRows_;
      else novo.row = foco_.row + delta;
      novo.row = std::clamp(novo.row, nFixedRows_, nRows_ - 1);
      break;
    }
    case VK_HOME: {
      OnHScroll(SB_TOP);
      if (int c = proximaColuna(nFixedCols_ - 1); c >= 0) novo.col = c;
      if (Ctrl(mods)) {
        OnVScroll(SB_TOP);
        if (int r = proximaLinha(nFixedRows_ - 1); r >= 0) novo.row = r;
      }
      break;
    }
    case VK_END: {
      OnHScroll(SB_BOTTOM);
      int c = nCols_ - 1;
      while (c > nFixedCols_ && WidthOfColumn(c) == 0) --c;
      novo.col = c;
      if (Ctrl(mods)) {
        OnVScroll(SB_BOTTOM);
        int r = nRows_ - 1;
        while (r > nFixedRows_ && HeightOfRow(r) == 0) --r;
        novo.row = r;
      }
      break;
    }
    default: return;
  }
  if (novo == foco_ || !novo.IsValid()) return;
  if (modoMouse_ == MOUSE_NOTHING) {
    anterior_.Clear();
    baseEhAnterior_ = false;
    if (!Shift(mods) || vk == VK_TAB) ancora_ = novo;
    NotifyOwner(GVN_SELCHANGING, novo.row, novo.col);
    if (linhaInteira_) SelectRows(novo, false, true);
    else SelectCells(novo, false, true);
    NotifyOwner(GVN_SELCHANGED, novo.row, novo.col);
  }
  if (!IsCellVisible(novo.row, novo.col)) {
    switch (vk) {
      case VK_RIGHT: OnHScroll(SB_LINEDOWN); break;
      case VK_LEFT: OnHScroll(SB_LINEUP); break;
      case VK_DOWN: OnVScroll(SB_LINEDOWN); break;
      case VK_UP: OnVScroll(SB_LINEUP); break;
      case VK_TAB:
        if (virouLinha) {
          OnVScroll(Shift(mods) ? SB_LINEUP : SB_LINEDOWN);
          OnHScroll(Shift(mods) ? SB_BOTTOM : SB_TOP);
        } else {
          OnHScroll(Shift(mods) ? SB_LINEUP : SB_LINEDOWN);
        }
        break;
      default: break;
    }
    EnsureVisible(novo.row, novo.col);
  }
  MoveFocusCell(novo.row, novo.col);
}
