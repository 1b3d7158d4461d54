// The grid's in-place editing, clipboard, and drag and drop of text, rows
// and columns.
#include "CInPlaceEdit.h"
#include "CTableCtrl.h"
#include "CTitleTip.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <algorithm>
#include <string>
#include <string_view>
#include <typeinfo>

// ---------------------------------------------------------------- editing

void CTableCtrl::EditCell(int row, int col, QPoint ponto, int tecla, const QString& digitado) {
  if (dica_) dica_->Hide();
  CTableCellBase* c = CellAt(row, col);
  if (!c || !editavel_ || c->IsReadOnlyCell()) return;
  EnsureVisible(row, col);
  QRect r;
  if (!IsCellVisible(row, col) || !GetCellRect(row, col, &r)) return;
  if (NotifyOwner(GVN_BEGINLABELEDIT, row, col) < 0) return;
  c = CellAt(row, col);
  if (c) c->BeginEdit(row, col, r, ponto, IdEdicao, tecla, digitado);
}

bool CTableCtrl::CheckCellEdit(int row, int col, const QString& texto) {
  CTableCellBase* c = CellAt(row, col);
  return c ? c->CheckEdit(texto) : true;
}

void CTableCtrl::EndCellEdit(int row, int col, const QString& texto) {
  CTableCellBase* c = CellAt(row, col);
  if (!c) return;
  if (!virtual_ && texto != c->Text()) {
    const QString antigo = c->Text();
    c->AssignText(texto);
    const bool aceito = CheckCellEdit(row, col, texto) && NotifyOwner(GVN_ENDLABELEDIT, row, col) >= 0;
    if ((c = CellAt(row, col))) {
      if (aceito) {
        SetModified(true, row, col);
        RedrawCell(row, col);
      } else {
        c->AssignText(antigo);
      }
    }
  }
  if ((c = CellAt(row, col))) c->AfterEdit();
}

bool CTableCtrl::SetTextAsEdited(int row, int col, const QString& texto) { return EscreveComoEditado(row, col, texto, true); }

namespace {
// The two cell classes the grid makes: their text is their own UTF-8 bytes
// and their check of an edit takes any text, so they are written without a
// string built for each.
CTableCell* CelulaSemVerificacao(CTableCellBase* c) {
  const std::type_info& t = typeid(*c);
  return t == typeid(CTableCell) || t == typeid(CTableCellLimText) ? static_cast<CTableCell*>(c) : nullptr;
}

// `texto` as UTF-8 in `buf`; plain ASCII goes byte for byte.
std::string_view Utf8(QStringView texto, std::string& buf) {
  const auto n = size_t(texto.size());
  buf.resize(n);
  const char16_t* p = texto.utf16();
  for (size_t i = 0; i < n; ++i) {
    if (p[i] >= 0x80) {
      const QByteArray u = texto.toUtf8();
      buf.assign(u.constData(), size_t(u.size()));
      break;
    }
    buf[i] = char(p[i]);
  }
  return buf;
}

// QStringView::trimmed, without the call for a field that begins and ends in
// a printable ASCII character (most of those a paste brings).
QStringView Apara(QStringView s) {
  if (!s.isEmpty()) {
    const char16_t a = s.front().unicode(), z = s.back().unicode();
    if (a > u' ' && a < 0x80 && z > u' ' && z < 0x80) return s;
  }
  return s.trimmed();
}
}  // namespace

bool CTableCtrl::EscreveComoEditado(int row, int col, QStringView texto, bool redesenha) {
  CTableCellBase* c = CellAt(row, col);
  if (!c || !editavel_ || c->IsReadOnlyCell() || virtual_) return false;
  if (NotifyOwner(GVN_BEGINLABELEDIT, row, col) < 0) return false;
  c = CellAt(row, col);
  if (!c) return true;
  bool aceito;
  // An ordinary cell keeps its old text aside as it stands, and takes the new
  // one as bytes: no conversion for each of the many cells a cut or paste writes.
  GridText antigoComum;
  QString antigo;
  CTableCell* comum = CelulaSemVerificacao(c);
  if (comum) {
    std::string buf;
    const std::string_view bytes = Utf8(texto, buf);
    if (comum->TextBytes() == bytes) return true;
    comum->SwapText(antigoComum);
    comum->AssignTextBytes(bytes);
    aceito = NotifyOwner(GVN_ENDLABELEDIT, row, col) >= 0;
  } else {
    antigo = c->Text();
    if (texto == antigo) return true;
    const QString novo = texto.toString();
    c->AssignText(novo);
    aceito = c->CheckEdit(novo) && NotifyOwner(GVN_ENDLABELEDIT, row, col) >= 0;
  }
  if (!(c = CellAt(row, col))) return false;
  if (!aceito) {
    CTableCell* d = comum ? CelulaSemVerificacao(c) : nullptr;
    if (d) d->SwapText(antigoComum);
    else c->AssignText(comum ? antigoComum.Get() : antigo);
    return false;
  }
  if (col == colunaOrdem_) SetSortColumn(-1);
  c->AssignState(c->State() | GVIS_MODIFIED);  // SetModified(true, row, col) on the cell at hand
  modificado_ = true;
  if (redesenha) RedrawCell(row, col);
  return true;
}

void CTableCtrl::FinishEditing() {
  if (terminandoEdicao_) return;
  terminandoEdicao_ = true;
  if (CTableCellBase* c = CellAt(foco_.row, foco_.col)) c->StopEdit();
  // An edit box left on another cell ends too.
  for (CInPlaceEdit* e : viewport()->findChildren<CInPlaceEdit*>(Qt::FindDirectChildrenOnly))
    if (e->isVisible()) e->EndEdit();
  terminandoEdicao_ = false;
}

int CTableCtrl::OnEndInPlaceEdit(GridDisplayRequest& fim, Qt::KeyboardModifiers teclas) {
  if (destruindo_) return 0;
  EndCellEdit(fim.item.row, fim.item.col, fim.item.strText);
  const int tecla = int(fim.item.lParam);
  if (tecla == VK_TAB || (tecla >= VK_PRIOR && tecla <= VK_DOWN)) {
    // Editing carries on in the cell the key moves to.
    TeclaNavegacao(tecla, teclas, true);
    EditCell(foco_.row, foco_.col, QPoint(-1, -1), tecla);
  }
  return 0;
}

// ---------------------------------------------------------------- clipboard

QString CTableCtrl::SelectionText() {
  const CCellRange r = GetSelectedCellRange();
  if (!r.IsValid()) return {};
  if (virtual_) NotifyOwnerOfRange(r);
  // Gathered as UTF-8 (the cells' own bytes) and converted once.
  std::string texto;
  for (int row = r.minRow; row <= r.maxRow; ++row) {
    if (HeightOfRow(row) == 0) continue;
    for (int col = r.minCol; col <= r.maxCol; ++col) {
      if (WidthOfColumn(col) == 0) continue;
      if (selecao_.Contains(row, col))
        if (CTableCellBase* c = CellAt(row, col)) {
          if (const auto* t = CelulaSemVerificacao(c)) {
            const std::string_view b = t->TextBytes();
            texto.append(b);
          } else {
            texto += c->Text().toStdString();
          }
        }
      if (col != r.maxCol) texto += '\t';
    }
    if (row != r.maxRow) texto += "\r\n";
  }
  if (virtual_) NotifyOwnerOfRange(CCellRange());
  return QString::fromStdString(texto);
}

QMimeData* CTableCtrl::CopySelectionToDataSource() {
  if (selecao_.Empty()) return nullptr;
  auto* dados = new QMimeData;
  dados->setText(SelectionText());
  return dados;
}

void CTableCtrl::CutSelectedText() {
  if (!editavel_) return;
  std::vector<CCellID> celulas;
  celulas.reserve(size_t(selecao_.Count()));
  selecao_.ForEach([&](int r, int c) { celulas.emplace_back(r, c); });
  ApagaComoEditadas(celulas);
}

void CTableCtrl::ApagaComoEditadas(const std::vector<CCellID>& celulas) {
  // Each cell through the edit notifications; the window repaints once.
  const DonoDoLote dono(*this);
  bool mudou = false;
  for (const CCellID& c : celulas) mudou = EscreveComoEditado(c.row, c.col, QString(), false) || mudou;
  if (mudou && redesenha_) viewport()->update();
}

void CTableCtrl::ClearRangeAsEdited(const CCellRange& range) {
  const CCellRange r = range.Intersect(CCellRange(0, 0, nRows_ - 1, nCols_ - 1));
  if (!r.IsValid()) return;
  const DonoDoLote dono(*this);
  for (int row = r.minRow; row <= r.maxRow; ++row)
    for (int col = r.minCol; col <= r.maxCol; ++col)
      if (IsCellVisible(row, col)) EscreveComoEditado(row, col, QString(), false);
  viewport()->update();
}

void CTableCtrl::OnEditCopy() {
  if (QMimeData* dados = CopySelectionToDataSource()) QApplication::clipboard()->setMimeData(dados);
}

void CTableCtrl::OnEditCut() {
  if (!editavel_) return;
  OnEditCopy();
  CutSelectedText();
}

bool CTableCtrl::AlvoColagem(CCellID* alvo) {
  const CCellRange sel = GetSelectedCellRange();
  if (sel.IsValid()) *alvo = sel.TopLeft();
  else if (foco_.IsValid()) *alvo = foco_;
  else *alvo = GetTopleftNonFixedCell();
  return alvo->IsValid();
}

void CTableCtrl::OnEditPaste() {
  if (!editavel_) return;
  CCellID alvo;
  if (!AlvoColagem(&alvo)) return;
  CTableCellBase* c = CellAt(alvo.row, alvo.col);
  if (c && c->IsBeingEdited()) {
    if (auto* e = qobject_cast<QLineEdit*>(c->EditWindow())) {
      e->paste();
      return;
    }
  }
  PasteTextAt(alvo.row, alvo.col, QApplication::clipboard()->mimeData(), true);
}

void CTableCtrl::OnEditSelectAll() {
  NotifyOwner(GVN_SELCHANGING, celulaBotao_.row, celulaBotao_.col);
  SelectAllCells();
  NotifyOwner(GVN_SELCHANGED, foco_.row, foco_.col);
}

bool CTableCtrl::CanCopy() const { return !selecao_.Empty(); }
bool CTableCtrl::CanCut() const { return editavel_ && !selecao_.Empty(); }

bool CTableCtrl::CanPaste() {
  CTableCellBase* c = CellAt(foco_.row, foco_.col);
  if (!c || !editavel_ || c->IsReadOnlyCell()) return false;
  const QMimeData* m = QApplication::clipboard()->mimeData();
  return m && m->hasText();
}

bool CTableCtrl::PasteTextAt(int row, int col, const QMimeData* dados, bool selecionaColado) {
  CTableCellBase* c = CellAt(row, col);
  if (!c || !editavel_ || c->IsReadOnlyCell() || !dados || !dados->hasText()) return false;
  // Lines end at '\n' and fields at '\t', read in place; the '\r' of a
  // "\r\n" goes with the trimming of the line's last field.
  const QString texto = dados->text();
  const QStringView tudo(texto);
  const DonoDoLote dono(*this);
  int r = row, ultimaLinha = row, ultimaColuna = col;
  bool colou = false;  // the owner took at least one cell
  for (qsizetype inicio = 0; inicio <= tudo.size();) {
    qsizetype fim = tudo.indexOf(u'\n', inicio);
    if (fim < 0) fim = tudo.size();
    const QStringView linha = tudo.sliced(inicio, fim - inicio);
    inicio = fim + 1;
    while (r < nRows_ && HeightOfRow(r) == 0) ++r;  // hidden rows take no line
    if (r >= nRows_) break;
    if (!linha.isEmpty()) {
      int cc = col;
      const char16_t* p = linha.utf16();
      const qsizetype n = linha.size();
      for (qsizetype k = 0; k <= n;) {
        qsizetype f = k;
        while (f < n && p[f] != u'\t') ++f;
        const QStringView campo = Apara(linha.sliced(k, f - k));
        k = f + 1;
        while (cc < nCols_ && WidthOfColumn(cc) == 0) ++cc;
        if (cc >= nCols_) break;
        colou = EscreveComoEditado(r, cc, campo, false) || colou;
        if (virtual_) {
          SetCellState(r, cc, GetCellState(r, cc) & ~GVIS_SELECTED);
        } else if (selecao_.Contains(r, cc)) {
          // Out of the selection; a stored cell's own bit follows the next
          // time CellAt reads the cell.
          selecao_.Set(r, cc, false);
          baseEhAnterior_ = false;
        }
        ultimaColuna = std::max(ultimaColuna, cc);
        ultimaLinha = r;
        ++cc;
      }
    }
    ++r;
  }
  if (colou && redesenha_) viewport()->update();
  if (selecionaColado) {
    SelectRange(CCellRange(row, col, ultimaLinha, ultimaColuna), true, true);
  } else {
    LimpaSelecao();
    viewport()->update();
  }
  // A paste the owner refused everywhere placed nothing: a drag that brought
  // it must not cut its source.
  coladoNoArraste_ = colou ? CCellRange(row, col, ultimaLinha, ultimaColuna) : CCellRange();
  return colou;
}

// ---------------------------------------------------------------- drag and drop

namespace {
CTableCtrl::ExecutaArrasto& Executor() {
  static CTableCtrl::ExecutaArrasto executor;
  return executor;
}
}  // namespace

void CTableCtrl::DefineExecutorArrasto(ExecutaArrasto executor) { Executor() = std::move(executor); }

void CTableCtrl::EnableDragAndDrop(bool on) {
  arrastar_ = on;
  viewport()->setAcceptDrops(true);
}

void CTableCtrl::StartDrag() {
  if (!arrastar_ && colunaArrastada_ < 0) return;
  QMimeData* dados = colunaArrastada_ >= 0 ? new QMimeData : CopySelectionToDataSource();
  if (!dados) return;
  const CCellRange sel = GetSelectedCellRange();
  NotifyOwner(GVN_BEGINDRAG, sel.minRow, sel.minCol);
  modoMouse_ = MOUSE_DRAGGING;
  arrastadas_.CopyFrom(selecao_);
  arrastadas_.Materialize();
  coladoNoArraste_ = CCellRange();
  soltouAqui_ = false;
  arrastando_ = true;
  QPointer<CTableCtrl> eu(this);
  Qt::DropAction efeito;
  if (Executor()) {
    efeito = Executor()(*this, dados);
    delete dados;
  } else {
    auto* drag = new QDrag(this);
    drag->setMimeData(dados);
    QSize tam;
    const QPixmap imagem = MakeDragImage(&tam);
    if (!imagem.isNull()) drag->setPixmap(imagem);
    efeito = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
  }
  if (!eu) return;
  arrastando_ = false;
  modoMouse_ = MOUSE_NOTHING;
  botaoEsquerdo_ = false;
  if (efeito == Qt::MoveAction && colunaArrastada_ < 0 && !virtual_) {
    // The dragged cells are cleared only when the text really went somewhere
    // else: a drop on this grid that pasted over them keeps them.
    bool corta = true;
    if (soltouAqui_) {
      corta = coladoNoArraste_.IsValid();
      if (corta)
        arrastadas_.ForEach([&](int r, int c) { if (coladoNoArraste_.InRange(r, c)) corta = false; });
    }
    if (corta) {
      std::vector<CCellID> celulas;
      arrastadas_.ForEach([&](int r, int c) { celulas.emplace_back(r, c); });
      ApagaComoEditadas(celulas);
    }
  }
  arrastadas_.Clear();
  colunaArrastada_ = -1;
}

Qt::DropAction CTableCtrl::DragEnter(const QMimeData* dados, Qt::KeyboardModifiers teclas, QPoint ponto) {
  const bool colunaArrastando = colunaArrastada_ >= 0 && arrastando_;
  const CCellID id = GetCellFromPt(ponto, colunaArrastando);
  alvoSoltar_ = id;
  const Qt::DropAction efeito = (teclas & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  if (!colunaArrastando) {
    CTableCellBase* c = CellAt(id.row, id.col);
    if (!arrastar_ || !dados || !dados->hasText() || !c || !editavel_ || c->IsReadOnlyCell()) return Qt::IgnoreAction;
  } else if (!(id.IsValid() && id.row < nFixedRows_ && id.col >= nFixedCols_)) {
    return efeito;
  }
  SetCellState(id.row, id.col, GetCellState(id.row, id.col) | GVIS_DROPHILITED);
  RedrawCell(id.row, id.col);
  return efeito;
}

Qt::DropAction CTableCtrl::DragOver(const QMimeData* dados, Qt::KeyboardModifiers teclas, QPoint ponto) {
  const bool colunaArrastando = colunaArrastada_ >= 0 && arrastando_;
  // Rows move only where a row order is kept (virtual mode); elsewhere a drop pastes.
  const bool moveLinhas = soltarMoveLinhas_ && virtual_;
  const CCellID id = GetCellFromPt(ponto, colunaArrastando);
  bool posicaoBoa = id.IsValid();
  bool passa = posicaoBoa;
  if (!colunaArrastando) {
    if (id.IsValid() && (id.row < nFixedRows_ || id.col < nFixedCols_)) posicaoBoa = passa = false;
    if (passa) {
      if (!moveLinhas) {
        CTableCellBase* c = CellAt(id.row, id.col);
        passa = arrastar_ && editavel_ && dados && dados->hasText() && c && !c->IsReadOnlyCell();
      }
    }
  } else {
    posicaoBoa = passa = id.IsValid() && id.row < nFixedRows_ && id.col >= nFixedCols_;
  }
  if (!passa) {
    if (!posicaoBoa) {
      DragLeave();
      alvoSoltar_ = CCellID();
    }
    return Qt::IgnoreAction;
  }
  if (id != alvoSoltar_) {
    if (alvoSoltar_.IsValid() && alvoSoltar_.row < nRows_ && alvoSoltar_.col < nCols_) {
      SetCellState(alvoSoltar_.row, alvoSoltar_.col, GetCellState(alvoSoltar_.row, alvoSoltar_.col) & ~GVIS_DROPHILITED);
      RedrawCell(alvoSoltar_.row, alvoSoltar_.col);
    }
    alvoSoltar_ = id;
    SetCellState(id.row, id.col, GetCellState(id.row, id.col) | GVIS_DROPHILITED);
    RedrawCell(id.row, id.col);
  }
  return (teclas & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
}

void CTableCtrl::DragLeave() {
  if (!alvoSoltar_.IsValid() || alvoSoltar_.row >= nRows_ || alvoSoltar_.col >= nCols_) return;
  SetCellState(alvoSoltar_.row, alvoSoltar_.col, GetCellState(alvoSoltar_.row, alvoSoltar_.col) & ~GVIS_DROPHILITED);
  RedrawCell(alvoSoltar_.row, alvoSoltar_.col);
}

bool CTableCtrl::DropData(const QMimeData* dados, Qt::DropAction, QPoint) {
  modoMouse_ = MOUSE_NOTHING;
  const bool colunaArrastando = colunaArrastada_ >= 0 && arrastando_;
  const bool moveLinhas = soltarMoveLinhas_ && virtual_;
  const CCellID alvo = alvoSoltar_;
  if (!colunaArrastando) {
    CTableCellBase* c = CellAt(alvo.row, alvo.col);
    if (!arrastar_ || !c || (!moveLinhas && (!editavel_ || c->IsReadOnlyCell()))) {
      DragLeave();
      return false;
    }
    DragLeave();
    if (!moveLinhas) {
      soltouAqui_ = arrastando_;
      if (!PasteTextAt(alvo.row, alvo.col, dados, false)) {
        // Nothing landed: the drop is refused, so the source keeps its text.
        coladoNoArraste_ = CCellRange();
        viewport()->update();
        return false;
      }
    } else if (linhaBotao_ >= nFixedRows_ && linhaBotao_ < int(ordemLinhas_.size()) && alvo.row < int(ordemLinhas_.size())) {
      // The row where the drag began goes just below the drop-target row.
      const int v = ordemLinhas_[size_t(linhaBotao_)];
      ordemLinhas_.erase(ordemLinhas_.begin() + linhaBotao_);
      const int destino = linhaBotao_ < alvo.row ? alvo.row : alvo.row + 1;
      ordemLinhas_.insert(ordemLinhas_.begin() + std::clamp(destino, nFixedRows_, int(ordemLinhas_.size())), v);
    }
  } else {
    DragLeave();
    if (alvo.col != colunaArrastada_ && alvo.row >= 0 && alvo.row < nFixedRows_ && alvo.col >= nFixedCols_) {
      const int v = ordemColunas_[size_t(colunaArrastada_)];
      ordemColunas_.erase(ordemColunas_.begin() + colunaArrastada_);
      ordemColunas_.insert(ordemColunas_.begin() + alvo.col, v);
      colunaArrastada_ = -1;
      InvalidaTopoEsquerdo();
      ResetScrollBars();
    }
  }
  viewport()->update();
  return true;
}

QPixmap CTableCtrl::MakeDragImage(QSize* tamanho) {
  QRect r;
  CTableCellBase* c = CellAt(foco_.row, foco_.col);
  if (!c || !GetCellRect(foco_.row, foco_.col, &r)) return {};
  QPixmap imagem(r.size());
  imagem.fill(GridColour::ToQt(padroes_[0]->BackColour()));
  {
    QPainter dc(&imagem);
    c->DrawCell(&dc, foco_.row, foco_.col, QRect(QPoint(0, 0), r.size()), true);
  }
  if (tamanho) *tamanho = r.size();
  return imagem;
}

void CTableCtrl::dragEnterEvent(QDragEnterEvent* e) {
  const QPoint p = e->position().toPoint();
  const bool colunaArrastando = colunaArrastada_ >= 0 && arrastando_;
  if (!colunaArrastando && !(e->mimeData() && e->mimeData()->hasText())) {
    e->ignore();
    return;
  }
  // Accepted in principle so that moves keep coming; each cell decides in DragOver.
  const Qt::DropAction a = DragEnter(e->mimeData(), e->modifiers(), p);
  e->accept();
  e->setDropAction(a == Qt::IgnoreAction ? Qt::IgnoreAction : a);
}

void CTableCtrl::dragMoveEvent(QDragMoveEvent* e) {
  const Qt::DropAction a = DragOver(e->mimeData(), e->modifiers(), e->position().toPoint());
  if (a == Qt::IgnoreAction) {
    e->ignore();
    return;
  }
  e->setDropAction(a);
  e->accept();
}

void CTableCtrl::dragLeaveEvent(QDragLeaveEvent* e) {
  DragLeave();
  e->accept();
}

void CTableCtrl::dropEvent(QDropEvent* e) {
  const Qt::DropAction a = (e->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction;
  if (DropData(e->mimeData(), a, e->position().toPoint())) {
    e->setDropAction(a);
    e->accept();
  } else {
    e->ignore();
  }
}
