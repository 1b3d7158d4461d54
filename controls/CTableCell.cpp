#include "CTableCell.h"

#include "CInPlaceEdit.h"
#include "CTableCtrl.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace {
CTableCellBase* CriaCelula() { return new CTableCell; }
CTableCellBase* CriaPadrao() { return new CTableDefaultCell; }
CTableCellBase* CriaLimitada() { return new CTableCellLimText; }

// The one font object the ordinary cells build their fonts into.
QFont& FonteCompartilhada() {
  static QFont fonte;
  return fonte;
}
}  // namespace

const GridCellClass CTableCell::classe{"CTableCell", &CTableCellBase::classe, &CriaCelula};
const GridCellClass CTableDefaultCell::classe{"CTableDefaultCell", &CTableCell::classe, &CriaPadrao};
const GridCellClass CTableCellLimText::classe{"CTableCellLimText", &CTableCell::classe, &CriaLimitada};

CTableCell::CTableCell() = default;
CTableCell::~CTableCell() {
  // An edit box still open outlives the cell only until its end arrives.
  if (extras_ && extras_->edicao) {
    if (auto* e = qobject_cast<CInPlaceEdit*>(extras_->edicao)) e->DesligaCelula();
  }
}

CTableCell::Extras& CTableCell::Ex() {
  if (!extras_) extras_ = std::make_unique<Extras>();
  return *extras_;
}

void CTableCell::AssignImage(int indice) {
  if (extras_ || indice != -1) Ex().imagem = indice;
}
void CTableCell::AssignData(intptr_t valor) {
  if (extras_ || valor != 0) Ex().dados = valor;
}
void CTableCell::AssignTextColour(COLORREF cor) {
  if (extras_ || cor != GridColour::Default) Ex().corTexto = cor;
}
void CTableCell::AssignBackColour(COLORREF cor) {
  if (extras_ || cor != GridColour::Default) Ex().corFundo = cor;
}
void CTableCell::AssignMargin(int pixels) {
  if (extras_ || pixels != -1) Ex().margem = pixels;
}

void CTableCell::AssignFont(const LOGFONT* fonte) {
  if (!fonte) {
    if (extras_) extras_->fonte.reset();
    return;
  }
  Extras& e = Ex();
  if (!e.fonte) e.fonte = std::make_unique<LOGFONT>();
  *e.fonte = *fonte;
}

uint32_t CTableCell::Format() const {
  if (formato_ != 0xFFFFFFFF) return formato_;
  const CTableDefaultCell* d = DefaultCellOf();
  return d ? d->Format() : 0;
}

int CTableCell::Margin() const {
  if (extras_ && extras_->margem != -1) return extras_->margem;
  const CTableDefaultCell* d = DefaultCellOf();
  return d ? d->Margin() : 3;
}

const LOGFONT* CTableCell::FontData() const {
  if (extras_ && extras_->fonte) return extras_->fonte.get();
  const CTableDefaultCell* d = DefaultCellOf();
  return d ? d->FontData() : nullptr;
}

const QFont* CTableCell::FontObject() const {
  if (extras_ && extras_->fonte) {
    FonteCompartilhada() = GridFont(*extras_->fonte);
    return &FonteCompartilhada();
  }
  const CTableDefaultCell* d = DefaultCellOf();
  return d ? d->FontObject() : nullptr;
}

void CTableCell::ResetCell() {
  m_nState = 0;
  texto_.Clear();
  formato_ = 0xFFFFFFFF;
  grade_ = nullptr;
  extras_.reset();
}

bool CTableCell::AbreEdicao(int row, int col, QRect rect, int idControle, int tecla, const QString& digitado,
                            int limite) {
  if (IsBeingEdited() && EditWindow()) {
    // Already open: the key reaches the box as typed.
    if (auto* e = qobject_cast<CInPlaceEdit*>(EditWindow())) e->RecebeTecla(tecla, digitado);
    return false;
  }
  CTableCtrl* g = OwnerGrid();
  if (!g) return false;
  const uint32_t f = Format();
  const Qt::Alignment alinhamento = (f & DT_RIGHT) ? Qt::AlignRight : (f & DT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
  Extras& e = Ex();
  e.editando = true;
  auto* edicao = new CInPlaceEdit(g, rect, alinhamento, idControle, row, col, Text(), tecla, digitado, limite);
  e.edicao = edicao;
  edicao->LigaCelula(this);
  return true;
}

bool CTableCell::BeginEdit(int row, int col, QRect rect, QPoint, int idControle, int tecla, const QString& digitado) {
  return AbreEdicao(row, col, rect, idControle, tecla, digitado, 0);
}

void CTableCell::StopEdit() {
  if (extras_ && extras_->edicao) {
    if (auto* e = qobject_cast<CInPlaceEdit*>(extras_->edicao)) e->EndEdit();
  }
}

void CTableCell::AfterEdit() {
  if (!extras_) return;
  extras_->editando = false;
  extras_->edicao = nullptr;
}

bool CTableCellLimText::BeginEdit(int row, int col, QRect rect, QPoint, int idControle, int tecla,
                                  const QString& digitado) {
  limite_ = std::clamp(limite_, 1, 50);
  return AbreEdicao(row, col, rect, idControle, tecla, digitado, limite_);
}

// ---------------------------------------------------------------- default cells

CTableDefaultCell::CTableDefaultCell() {
  formato_ = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8824
  const LOGFONT lf = GridMessageFont();
  AssignFont(&lf);
}

void CTableDefaultCell::AssignFont(const LOGFONT* fonte) {
  if (!fonte) return;  // a default cell always keeps a font
  logFonte_ = *fonte;
  fonte_ = GridFont(logFonte_);
  if (!QGuiApplication::primaryScreen()) {
    margem_ = 3;
    largura_ = 40;
    altura_ = 16;
    return;
  }
  // Metrics as on a screen device context with the font selected.
  const QFontMetrics fm(fonte_);
  margem_ = fm.horizontalAdvance(QLatin1Char(' '));
  largura_ = fm.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX "));
  altura_ = fm.height() * 3 / 2;
}
