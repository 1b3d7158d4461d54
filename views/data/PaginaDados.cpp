#include "PaginaDados.h"

#include "CDadosFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "DriversCalculo.h"
#include "ImpressaoGrade.h"
#include "RoteadorComandos.h"
#include "views/equation/ComandosModelo.h"

#include "controls/CTableCell.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTextCharFormat>
#include <cmath>

namespace {
using C = CabecalhoModelo;

constexpr int kSalvar = 57603, kCopiar = 57634, kColar = 57637, kVisualizar = 57609, kImprimir = 57607;
constexpr int kNegrito = 32805, kItalico = 32807, kSublinhado = 32808, kCorTexto = 32806, kCorFundo = 32800;

// Value cells by signed value, read in the grid's own number form.
int ComparaValorCelulas(const CTableCellBase* a, const CTableCellBase* b, intptr_t) {
  double x = 0.0, y = 0.0;
  if (a) LeTextoCelula(a->Text(), &x);
  if (b) LeTextoCelula(b->Text(), &y);
  return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

PaginaDados::PaginaDados(CTarsolinDoc* doc, CDadosFrame* frame, int id, QWidget* parent)
    : QWidget(parent), doc_(doc), frame_(frame) {
  setObjectName(QString::number(id));
  grade_ = new CTableCtrlEx(0, 0, 0, 0, this);
  grade_->SetDlgCtrlID(1081);
  grade_->setObjectName(QStringLiteral("1081"));
  grade_->SetOwner(this);
  grade_->SetDocument(doc);
  vista_ = grade_->viewport();
  grade_->installEventFilter(this);
  vista_->installEventFilter(this);
  ppiX_ = std::max(1, logicalDpiX());
  ppiY_ = std::max(1, logicalDpiY());
  if (doc_) {
    caminho_ = doc_->GetPathName();
    connect(doc_, &plat::Documento::documentUpdated, this, [this](QObject*, int hint) {
      if (frame_ && frame_->PaginaAtiva() == this) HabilitaBarra();
      if (hint == 4 && modificado_) ArmazenaGrade();
    });
  }
}

PaginaDados::~PaginaDados() {
  // The grid goes first: it must not notify a page that is half destroyed,
  // nor send its last events through the page's filter while it is destroyed.
  grade_->removeEventFilter(this);
  vista_->removeEventFilter(this);
  CTableCtrlEx* g = grade_;
  grade_ = nullptr;
  vista_ = nullptr;
  delete g;
}

CabecalhoModelo& PaginaDados::Cab() const { return *doc_->GetCabecalho(); }
CDadosBar* PaginaDados::Barra() const { return frame_ ? frame_->Barra() : nullptr; }
int PaginaDados::Pixels(int twips) const { return twips * ppiX_ / 1440; }
int PaginaDados::Twips(int pixels) const { return pixels * 1440 / std::max(1, ppiX_); }

void PaginaDados::GuardaLargura(std::size_t offset, int col) {
  CabecalhoModelo& c = Cab();
  const int largura = grade_->WidthOfColumn(col);
  if (largura != Pixels(c.I32(offset))) c.SetI32(offset, Twips(largura));
}

int PaginaDados::LarguraColunaDado() const {
  QFont negrito = GridFont(*grade_->GetDefaultCell(true, true)->FontData());
  negrito.setBold(true);
  return std::max(Pixels(566), QFontMetrics(negrito).horizontalAdvance(QStringLiteral("Dado")) + 12);
}

bool PaginaDados::Bloqueado() const { return doc_ && doc_->GetCabecalho() && drivers::Bloqueado(Cab()); }

bool PaginaDados::RecusaBloqueado() {
  if (!Bloqueado()) return false;
  plat::MessageBox(3080, plat::MB_ICONEXCLAMATION);
  return true;
}

int PaginaDados::ConfirmaExclusao(int linhas) {
  if (RecusaBloqueado()) return 0;
  if (linhas <= 1) {
    plat::MessageBox(3015, plat::MB_ICONEXCLAMATION);
    return 0;
  }
  if (linha_ < 1 || linha_ > linhas) return 0;
  const int k = RegistroDaLinha(linha_) + 1;
  if (k < 1) return 0;
  if (plat::MessageBox(plat::Texto(3037).replace(QStringLiteral("%1"), Numero(k)), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return 0;
  return k;
}

void PaginaDados::RenumeraApos(int linhas, int k) {
  for (int r = 1; r <= linhas; ++r) {
    bool ok = false;
    const int j = grade_->GetCellText(r, 1).trimmed().toInt(&ok);
    if (ok && j > k) grade_->SetCellText(r, 1, Numero(j - 1));
  }
}

void PaginaDados::AvisaLimiteLinhas(int maximo) {
  plat::MessageBox(plat::Texto(3064).replace(QStringLiteral("%1"), QString::number(maximo)), QString(),
                   plat::MB_ICONSTOP);
}

GridCompareFunc PaginaDados::Comparador(int col) const {
  return VariavelDaColuna(col) >= 0 ? &ComparaValorCelulas : &CTableCtrl::CompareCellText;
}

int PaginaDados::Decimais(int col) const {
  const int v = VariavelDaColuna(col);
  return v < 0 ? 0 : std::clamp(Cab().I32(C::OffCasasDecimais + 4 * std::size_t(v)), 0, 11);
}

void PaginaDados::PreparaGrade(int linhas, int colunas) {
  grade_->SetCellClass(&CTableCellLimText::classe);
  grade_->SetNumberOfRows(linhas);
  grade_->SetNumberOfColumns(colunas);
  grade_->SetNumberOfFixedRows(1);
  grade_->SetNumberOfFixedColumns(2);
  for (bool linhaFixa : {true, false})
    for (bool colunaFixa : {true, false}) {
      if (!linhaFixa && !colunaFixa) continue;
      CTableDefaultCell* d = grade_->GetDefaultCell(linhaFixa, colunaFixa);
      LOGFONT lf = *d->FontData();
      lf.lfWeight = 700;
      d->AssignFont(&lf);
    }
  grade_->SetGridLineColour(GridColour::Sys(GridColour::InactiveBorder));
  grade_->SetTrackFocusCell(false);
  grade_->EnableSelection(true);
  grade_->SetPrintAtScreenScale(true);
}

void PaginaDados::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (grade_) grade_->setGeometry(rect());
}

void PaginaDados::SelecionaCelula(int row, int col) {
  if (row < 1 || row >= grade_->GetRowCount() || col >= grade_->GetColumnCount()) return;
  grade_->setFocus();
  grade_->MoveFocusCell(row, col);
  grade_->SelectRange(row, col, row, col, true);
  grade_->EnsureVisible(row, col);
  AtualizaBarra(row, col);
}

void PaginaDados::HabilitaBarra() {
  CDadosBar* b = Barra();
  if (!b) return;
  b->Valor()->setEnabled(!Bloqueado());
  // The bar's buttons work only for the page that handles them.
  for (int id : {1019, 1020, 1041, 1021})
    if (auto* w = b->findChild<QWidget*>(QString::number(id))) w->setEnabled(TemComando(id) && !Bloqueado());
}

void PaginaDados::Ativada(bool ativa) {
  if (!ativa) return;
  if (CDadosBar* b = Barra()) b->MostraDirecao(direcaoEnter_);
  HabilitaBarra();
  const CCellID f = grade_->GetFocusCell();
  if (f.IsValid()) AtualizaBarra(f.row, f.col);
  else SelecionaCelula(linha_, coluna_);
  grade_->setFocus();
}

// ------------------------------------------------------------ values

void PaginaDados::IniciaValores(int registros, int variaveis) {
  nValores_ = std::max(0, variaveis);
  valores_.assign(std::size_t(std::max(0, registros)) * std::size_t(nValores_), 0.0);
}

double PaginaDados::Valor(int registro, int v) const {
  const std::size_t i = std::size_t(registro) * std::size_t(nValores_) + std::size_t(v);
  return registro >= 0 && v >= 0 && v < nValores_ && i < valores_.size() ? valores_[i] : 0.0;
}

void PaginaDados::MostraValor(int row, int col, int registro, double x) {
  const std::size_t i = std::size_t(registro) * std::size_t(nValores_) + std::size_t(VariavelDaColuna(col));
  if (registro >= 0 && VariavelDaColuna(col) >= 0 && i < valores_.size()) valores_[i] = x;
  grade_->SetCellText(row, col, TextoCelula(x, Decimais(col)));
}

void PaginaDados::AdicionaValores(int registros) {
  valores_.resize(valores_.size() + std::size_t(std::max(0, registros)) * std::size_t(nValores_), 0.0);
}

void PaginaDados::ExcluiValores(int registro) {
  const std::size_t a = std::size_t(registro) * std::size_t(nValores_);
  if (registro < 0 || a + std::size_t(nValores_) > valores_.size()) return;
  valores_.erase(valores_.begin() + std::ptrdiff_t(a), valores_.begin() + std::ptrdiff_t(a + std::size_t(nValores_)));
}

QString PaginaDados::TextoExato(int row, int col) {
  const int v = VariavelDaColuna(col);
  const int k = row >= 1 ? RegistroDaLinha(row) : -1;
  if (v < 0 || k < 0) return grade_->GetCellText(row, col);
  return TextoCelulaExato(Valor(k, v));
}

// ------------------------------------------------------------ editing

bool PaginaDados::LeValorDigitado(const QString& texto, double* valor) {
  double x = 0.0;
  if (!LeTextoCelula(texto, &x) || std::fabs(x) > LimiteTextoNumero) return false;
  *valor = x;
  return true;
}

bool PaginaDados::ArmazenaDigitado(int row, int col, const QString& texto) {
  double x = 0.0;
  const int k = RegistroDaLinha(row);
  if (k < 0 || !LeValorDigitado(texto, &x)) {
    plat::MessageBox(3072, plat::MB_ICONSTOP);
    return false;
  }
  MostraValor(row, col, k, x);
  return true;
}

void PaginaDados::MostraNaBarra(const QString& texto, int limite) {
  CDadosBar* b = Barra();
  if (!b) return;
  b->Valor()->setMaxLength(limite);
  b->Valor()->setText(texto);
  mostrado_ = b->Valor()->text();
}

void PaginaDados::Digita(const QString& primeira) {
  CDadosBar* b = Barra();
  if (!b) return;
  // The box takes the key as typed: it must not select it for the next key to replace.
  b->Valor()->setFocus(Qt::OtherFocusReason);
  b->Valor()->setText(primeira);
  b->Valor()->setCursorPosition(int(b->Valor()->text().size()));
}

void PaginaDados::MarcaEdicao(bool valores) {
  modificado_ = true;
  if (valores) valoresAlterados_ = true;
  if (doc_) doc_->SetModifiedFlag(true);
}

void PaginaDados::ConfirmaValor() {
  CDadosBar* b = Barra();
  if (!b || !doc_ || confirmando_) return;
  const CCellID f = grade_->GetFocusCell();
  if (f.row < 1 || f.row >= grade_->GetRowCount() || f.col < 0 || f.col >= grade_->GetColumnCount()) return;
  if (Bloqueado()) return;
  const int col = f.col < 2 ? 2 : f.col;
  const QString texto = b->Valor()->text();
  if (texto == mostrado_) return;  // nothing typed
  const bool valor = VariavelDaColuna(col) >= 0;
  if (valor) {
    // The message box takes the focus from the value box: that is no second commit.
    confirmando_ = true;
    const bool ok = ArmazenaDigitado(f.row, col, texto);
    confirmando_ = false;
    if (!ok) {
      MostraNaBarra(grade_->GetCellText(f.row, col), LimiteColuna(col));
      return;
    }
  } else {
    grade_->SetCellText(f.row, col, texto);
  }
  grade_->RedrawCell(f.row, col);
  MostraNaBarra(grade_->GetCellText(f.row, col), LimiteColuna(col));
  MarcaEdicao(valor);
}

void PaginaDados::TeclaEnter() {
  enterDaBarra_ = false;
  grade_->setFocus();
  CCellID f = grade_->GetFocusCell();
  if (!f.IsValid()) f = CCellID(linha_, coluna_);
  int row = f.row, col = f.col;
  if (direcaoEnter_ == 1) {
    if (col + 1 < grade_->GetColumnCount()) ++col;
    else if (row + 1 < grade_->GetRowCount()) { ++row; col = 2; }
  } else if (row + 1 < grade_->GetRowCount()) {
    ++row;
  }
  SelecionaCelula(row, col);
}

int PaginaDados::OnGridNotify(GridNmHdr& hdr) {
  auto& nm = reinterpret_cast<NM_GRIDVIEW&>(hdr);
  switch (hdr.code) {
    case GVN_SELCHANGING: case GVN_SELCHANGED: case GVN_CLICK:
      if (nm.iRow >= 0 && nm.iColumn >= 0) AtualizaBarra(nm.iRow, nm.iColumn);
      return 0;
    case GVN_BEGINLABELEDIT: {
      if (Bloqueado()) return -1;
      if (auto* c = dynamic_cast<CTableCellLimText*>(grade_->CellAt(nm.iRow, nm.iColumn)))
        c->SetMaxLength(LimiteColuna(nm.iColumn));
      return 0;
    }
    case GVN_ENDLABELEDIT: {
      const bool valor = VariavelDaColuna(nm.iColumn) >= 0;
      if (valor) {
        if (!ArmazenaDigitado(nm.iRow, nm.iColumn, grade_->GetCellText(nm.iRow, nm.iColumn))) return -1;
      } else {
        const QString t = grade_->GetCellText(nm.iRow, nm.iColumn);
        if (t.size() > LimiteColuna(nm.iColumn)) grade_->SetCellText(nm.iRow, nm.iColumn, t.left(LimiteColuna(nm.iColumn)));
      }
      MarcaEdicao(valor);
      if (nm.iRow == linha_ && nm.iColumn == coluna_) AtualizaBarra(linha_, coluna_);
      return 0;
    }
    default:
      return 0;
  }
}

bool PaginaDados::eventFilter(QObject* o, QEvent* e) {
  if (!grade_) return false;
  if (o == grade_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && k->modifiers() == Qt::NoModifier) {
      TeclaEnter();
      return true;
    }
    // Typing edits through the bar's value box.
    const QString t = k->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      CDadosBar* b = Barra();
      if (b && b->Valor()->isEnabled() && grade_->GetFocusCell().row >= 1) {
        Digita(t);
        return true;
      }
    }
  }
  if (o == vista_ && e->type() == QEvent::MouseButtonPress) {
    // A heading click sorts with the comparer of the column clicked.
    const CCellID c = grade_->GetCellFromPt(static_cast<QMouseEvent*>(e)->position().toPoint());
    if (c.row == 0 && c.col >= 0) grade_->SetSortComparer(Comparador(c.col));
  }
  if (o == vista_ && e->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
    MenuContexto(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
    return true;
  }
  return QWidget::eventFilter(o, e);
}

// ------------------------------------------------------------ commands

QWidget* PaginaDados::MolduraModelo() const { return MolduraDoModelo(doc_); }

bool PaginaDados::TemComando(int id) const {
  if (ComandoDoModelo(id)) return MolduraModelo() != nullptr;
  switch (id) {
    case 1016: case 1018: case 1056: case kSalvar: case kCopiar: case kColar: case kVisualizar: case kImprimir:
    case kNegrito: case kItalico: case kSublinhado:
      return true;
    default:
      return false;
  }
}

bool PaginaDados::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!doc_ || !doc_->GetCabecalho()) return false;
  switch (id) {
    case kNegrito: case kItalico: case kSublinhado: {
      const CCellID f = grade_->GetFocusCell();
      estado.habilitado = !Bloqueado() && grade_->hasFocus() && f.IsValid();
      if (estado.habilitado) {
        const LOGFONT* lf = grade_->GetCellFont(f.row, f.col);
        estado.marcado = lf && (id == kNegrito ? lf->lfWeight == 700 : id == kItalico ? lf->lfItalic : lf->lfUnderline);
      }
      return true;
    }
    case kColar:
      estado.habilitado = !Bloqueado() && grade_->IsEditable() && grade_->CanPaste();
      return true;
    default:
      if (ComandoDoModelo(id)) {
        EstadoComandoDoModelo(doc_, id, estado);
        return true;
      }
      return false;
  }
}

bool PaginaDados::OnCmdMsg(int id) {
  if (!doc_ || !doc_->GetCabecalho() || !TemComando(id)) return false;
  if (ComandoDoModelo(id)) {
    EncaminhaAoModelo(doc_, id);
    return true;
  }
  switch (id) {
    case 1016:
      direcaoEnter_ = direcaoEnter_ == 1 ? 0 : 1;
      if (CDadosBar* b = Barra()) b->MostraDirecao(direcaoEnter_);
      grade_->setFocus();
      break;
    case 1018:
      if (frame_) {
        QWidget* janela = frame_->parentWidget() ? frame_->parentWidget() : frame_;
        QMetaObject::invokeMethod(janela, &QWidget::close, Qt::QueuedConnection);
      }
      break;
    case 1056: ConfirmaValor(); break;
    case kSalvar: Salva(); break;
    case kCopiar: grade_->OnEditCopy(); break;
    case kColar:
      if (!RecusaBloqueado()) grade_->OnEditPaste();
      break;
    case kVisualizar: VisualizaImpressao(true); break;
    case kImprimir: VisualizaImpressao(false); break;
    case kNegrito: case kItalico: case kSublinhado: Formata(id); break;
    default: break;
  }
  return true;
}

void PaginaDados::Formata(int comando) {
  if (RecusaBloqueado()) return;
  const CCellID f = grade_->GetFocusCell();
  if (!f.IsValid()) return;
  LOGFONT lf = *grade_->GetCellFont(f.row, f.col);
  if (comando == kNegrito) lf.lfWeight = lf.lfWeight == 700 ? 400 : 700;
  else if (comando == kItalico) lf.lfItalic = lf.lfItalic == 1 ? 0 : 1;
  else lf.lfUnderline = lf.lfUnderline == 1 ? 0 : 1;
  grade_->SetCellFont(f.row, f.col, &lf);
  grade_->RedrawCell(f.row, f.col);
  MarcaEdicao(false);
}

void PaginaDados::OnCorFormatacao(unsigned cor, int comando) {
  if (RecusaBloqueado()) return;
  const CCellID f = grade_->GetFocusCell();
  if (!f.IsValid()) return;
  if (comando == kCorTexto) grade_->SetCellTextColour(f.row, f.col, cor);
  else grade_->SetCellBackColour(f.row, f.col, cor);
  grade_->RedrawCell(f.row, f.col);
  MarcaEdicao(false);
}

void PaginaDados::OnEnterFormatacao() {
  enterDaBarra_ = true;
  grade_->setFocus(Qt::OtherFocusReason);
}

bool PaginaDados::OnPedeFormato(QTextCharFormat& formato) {
  formato = CMainFrame::FormatoDezPontos(grade_->font().family().left(32));
  return true;
}

void PaginaDados::MenuContexto(QPoint global) {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("menuDados"));
  auto item = [&](int id, const QString& texto, bool habilitado = true) {
    QAction* a = menu.addAction(texto);
    a->setData(id);
    a->setEnabled(habilitado && TemComando(id));
  };
  const QMimeData* m = QApplication::clipboard()->mimeData();
  item(kCopiar, QStringLiteral("Copiar"));
  item(kColar, QStringLiteral("Colar"), m && m->hasText());
  menu.addSeparator();
  item(1019, QStringLiteral("Adicionar"));
  item(1020, QStringLiteral("Excluir ..."));
  item(kSalvar, QStringLiteral("Salvar"));
  const CDadosBar* b = Barra();
  if (TemComando(32815) && linha_ >= 1 && b) {
    menu.addSeparator();
    item(32815, b->Considerado()->isChecked() ? QStringLiteral("Desabilitar") : QStringLiteral("Habilitar"));
  }
  if (QAction* a = menu.exec(global)) OnCmdMsg(a->data().toInt());
}

void PaginaDados::Salva() {
  if (RecusaBloqueado()) return;
  if (!doc_->DoSave(doc_->GetPathName())) return;
  doc_->UpdateAllViews(this, 3);
  modificado_ = false;
}

void PaginaDados::PreparaMargens() {
  // The model's margins; the rest of the grid's print layout stays.
  int layout[7];
  grade_->GetPrintLayout(layout);
  const CabecalhoModelo& c = Cab();
  grade_->SetPrintLayout(layout[0], layout[1], c.I32(CabecalhoModelo::OffMargens), c.I32(CabecalhoModelo::OffMargens + 4),
                         c.I32(CabecalhoModelo::OffMargens + 8), c.I32(CabecalhoModelo::OffMargens + 12), layout[6]);
}

void PaginaDados::VisualizaImpressao(bool previa) {
  if (!doc_ || !doc_->GetCabecalho()) return;
  PreparaMargens();
  // The preview draws the margin lines under every page.
  ImprimeGrade(*grade_, doc_, window(), previa);
}

bool PaginaDados::Fecha() {
  if (!doc_) return true;
  // A value still in the bar's box is an edit like the others.
  ConfirmaValor();
  if (modificado_ || doc_->IsModified()) {
    if (!doc_->SaveModified()) return false;
  }
  doc_->UpdateAllViews(this, 3);
  if (valoresAlterados_) CTarsolinDoc::Servicos().PostaComandoModelo(*doc_, 32831);
  doc_->SetModifiedFlag(false);
  modificado_ = false;
  return true;
}
