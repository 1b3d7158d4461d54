#include "CProjetar.h"

#include "ImpressaoJanela.h"

#include "controls/CTableCell.h"
#include "controls/CTableCtrlEx.h"
#include "controls/ImpressaoPagina.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "model/dadoP.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"
#include "platform/Dialogo.h"
#include "views/data/CDadosAdicionar.h"

#include <QTimer>
#include <memory>
#include <cstring>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {
using C = CabecalhoModelo;
constexpr int kColar = 57637, kCopiar = 57634, kSalvar = 57603;
constexpr int TxtUmDado = 3015, TxtExcluir = 3037, TxtMaximo = 3064, TxtAbrirArea = 4002, TxtLerArea = 4001;
const char* const kTitulos[] = {"Logradouro", "Complemento", "Bairro", "Municipio", "UF"};
constexpr int kLimites[] = {50, 50, 30, 50, 2};

int Ppi() {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? int(s->logicalDotsPerInchX()) : 96;
}
int Pixels(int twips) { return twips * Ppi() / 1440; }
int Twips(int px) { return px * 1440 / std::max(Ppi(), 1); }

QString TextoDado(const dadoP& d, int c) {
  switch (c) {
    case 0: return d.Endereco();
    case 1: return d.Complemento();
    case 2: return d.Bairro();
    case 3: return d.Cidade();
    default: return d.Estado();
  }
}
void DefineTextoDado(dadoP& d, int c, const QString& t) {
  switch (c) {
    case 0: d.SetEndereco(t.left(50)); break;
    case 1: d.SetComplemento(t.left(50)); break;
    case 2: d.SetBairro(t.left(30)); break;
    case 3: d.SetCidade(t.left(50)); break;
    default: d.SetEstado(t.left(2)); break;
  }
}
}  // namespace

CProjetarDadosView::CProjetarDadosView(CProjetarFrame* frame) : PaginaProjecao(frame, 2) {
  setObjectName(QStringLiteral("1109"));
  grade_ = new CTableCtrlEx(0, 0, 0, 0, this);
  grade_->SetDlgCtrlID(1081);
  grade_->setObjectName(QStringLiteral("1081"));
  grade_->SetOwner(this);
  grade_->SetDocument(frame->Documento());
  grade_->installEventFilter(this);
  grade_->viewport()->installEventFilter(this);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(1, 1, 1, 1);
  l->addWidget(grade_);
}

bool CProjetarDadosView::Bloqueado() const {
  const CabecalhoModelo* c = Documento() ? Documento()->GetCabecalho() : nullptr;
  return c && c->U8(C::OffProtegido) && !c->U8(C::OffDesbloqueado);
}

void CProjetarDadosView::OnInitialUpdate() {
  CTarsolinDoc* doc = Documento();
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  const int V = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  linhas_ = std::clamp(cab.NumDadosP(), 0, MaxLinhasProjecao);
  editada_ = valoresMudaram_ = false;
  grade_->SetCellClass(&CTableCellLimText::classe);
  grade_->EnableDragAndDrop(true);
  grade_->SetPrintAtScreenScale(true);
  grade_->SetTrackFocusCell(false);
  grade_->SetNumberOfColumns(V + 8);
  grade_->SetNumberOfRows(linhas_ + 1);
  grade_->SetNumberOfFixedRows(1);
  grade_->SetNumberOfFixedColumns(2);
  grade_->SetEditable(true);
  LOGFONT negrito = grade_->GetGridFont();
  negrito.lfWeight = 700;
  grade_->SetCellText(0, 1, QStringLiteral("Dado"));
  for (int c = 0; c < 5; ++c) grade_->SetCellText(0, c + 2, QString::fromUtf8(kTitulos[c]));
  for (int v = 0; v < V - 1; ++v)
    grade_->SetCellText(0, v + 7, (cab.Habilitada(v) ? QString() : QStringLiteral("* ")) + cab.NomeVariavel(v));
  grade_->SetCellText(0, V + 6, QStringLiteral("Valor Médio RL"));
  grade_->SetCellText(0, V + 7, QStringLiteral("Valor Médio RE"));
  for (int c = 0; c < V + 8; ++c) grade_->SetCellFont(0, c, &negrito);
  grade_->SetWidthOfColumn(0, Pixels(220));
  grade_->SetWidthOfColumn(1, std::max(Pixels(566), grade_->fontMetrics().horizontalAdvance(QStringLiteral("Dado")) * 3 / 2 + 8));
  for (int c = 0; c < 5; ++c)
    grade_->SetWidthOfColumn(c + 2, std::max(5, Pixels(cab.I32(C::OffLargurasFixasAvaliacao + 4 * std::size_t(c)))));
  for (int v = 0; v <= V; ++v)
    grade_->SetWidthOfColumn(v + 7, std::max(5, Pixels(cab.I32(C::OffLargurasAvaliacao + 4 * std::size_t(v)))));
  // Widths never stored (a new model) would hide the columns.
  for (int c = 2; c < V + 8; ++c)
    if (grade_->WidthOfColumn(c) <= 5) grade_->SetWidthOfColumn(c, c < 7 ? 120 : 90);
  for (int c = V + 6; c < V + 8; ++c) grade_->SetWidthOfColumn(c, std::max(grade_->WidthOfColumn(c), 110));

  if (linhas_ >= 1) {
    CargaRegistros carga(*doc);
    if (!carga.Ok()) {
      plat::MessageBox(QStringLiteral("Acesso ao arquivo negado !"), QString(), plat::MB_ICONEXCLAMATION);
      return;
    }
    PreencheGrade();
  } else {
    // The new rows are stored into records this view loads and keeps until the model is saved.
    AdicionaRegistros();
  }
  grade_->MoveFocusCell(1, 2);
  grade_->setFocus();
}

void CProjetarDadosView::PreencheGrade() {
  CTarsolinDoc* doc = Documento();
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  const int V = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  const dadoP* dados = doc->GetDadosP();
  const int M = std::min(linhas_, doc->NumDadosP());
  grade_->AllowRedraw(false);
  const LOGFONT base = grade_->GetGridFont();
  auto atributos = [&](int linha, int col, int32_t cor, bool n, bool i, bool s) {
    if (cor) grade_->SetCellTextColour(linha, col, COLORREF(cor));
    if (n || i || s) {
      LOGFONT f = base;
      f.lfWeight = n ? 700 : 400;
      f.lfItalic = i;
      f.lfUnderline = s;
      grade_->SetCellFont(linha, col, &f);
    }
  };
  for (int i = 0; i < M; ++i) {
    const dadoP& d = dados[i];
    const int r = i + 1;
    grade_->SetCellText(r, 0, QStringLiteral(" "));
    grade_->SetCellText(r, 1, QStringLiteral("%1").arg(r, 4));
    for (int c = 0; c < 5; ++c) {
      grade_->SetCellText(r, c + 2, TextoDado(d, c));
      atributos(r, c + 2, d.fixas[c].corTexto, d.fixas[c].negrito, d.fixas[c].italico, d.fixas[c].sublinhado);
    }
    for (int j = 0; j <= V; ++j) {
      grade_->SetCellText(r, j + 7, FormataNumero(d.valor[j], cab.CasasDecimais(std::min(j, V - 1))));
      grade_->SetCellFormat(r, j + 7, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
      atributos(r, j + 7, d.corTexto[j], d.negrito[j], d.italico[j], d.sublinhado[j]);
    }
  }
  for (int r = M + 1; r <= linhas_; ++r) grade_->SetCellText(r, 1, QStringLiteral("%1").arg(r, 4));
  grade_->AllowRedraw(true);
}

bool CProjetarDadosView::GravaGrade() {
  if (!editada_) return false;
  CTarsolinDoc* doc = Documento();
  // Loaded here, the records stay loaded with the edits until the model is saved.
  if (!doc->RegistrosCarregados() && !doc->CarregaRegistros()) return false;
  CabecalhoModelo& cab = *doc->GetCabecalho();
  const int V = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  if (doc->NumDadosP() != linhas_ && !doc->RecriaDadosP(linhas_)) return false;
  dadoP* dados = doc->GetDadosP();
  std::memset(static_cast<void*>(dados), 0, sizeof(dadoP) * std::size_t(linhas_));
  for (int j = 0; j <= V; ++j) cab.SetI32(C::OffLargurasAvaliacao + 4 * std::size_t(j), Twips(grade_->WidthOfColumn(j + 7)));
  for (int c = 0; c < 5; ++c) cab.SetI32(C::OffLargurasFixasAvaliacao + 4 * std::size_t(c), Twips(grade_->WidthOfColumn(c + 2)));
  cab.SetI32(C::OffLinhaProjecao, std::min(linhas_ - 1, frame_->Form()->LinhaAtual()));
  for (int l = 1; l <= linhas_; ++l) {
    const int i = grade_->GetCellText(l, 1).trimmed().toInt() - 1;
    if (i < 0 || i >= linhas_) continue;
    dadoP& d = dados[i];
    auto atributos = [&](int col, int32_t& cor, uint8_t& n, uint8_t& it, uint8_t& s) {
      const COLORREF c = grade_->GetCellTextColour(l, col);
      cor = c == GridColour::Default ? 0 : int32_t(c);
      if (const LOGFONT* f = grade_->GetCellFont(l, col)) {
        n = f->lfWeight >= 700;
        it = f->lfItalic;
        s = f->lfUnderline;
      }
    };
    for (int c = 0; c < 5; ++c) {
      DefineTextoDado(d, c, grade_->GetCellText(l, c + 2));
      atributos(c + 2, d.fixas[c].corTexto, d.fixas[c].negrito, d.fixas[c].italico, d.fixas[c].sublinhado);
    }
    for (int v = 0; v < V - 1; ++v) {
      atributos(v + 7, d.corTexto[v], d.negrito[v], d.italico[v], d.sublinhado[v]);
      double x = 0.0;
      if (ConverteStringNumero(grade_->GetCellText(l, v + 7), &x)) d.valor[v] = x;
    }
  }
  return true;
}

void CProjetarDadosView::MarcaEditada() {
  editada_ = true;
  if (Documento()) Documento()->SetModifiedFlag(true);
}

bool CProjetarDadosView::AdicionaRegistro(bool grava) {
  if (Bloqueado()) {
    plat::MessageBox(3080, plat::MB_ICONEXCLAMATION);
    return false;
  }
  if (linhas_ >= MaxLinhasProjecao) {
    plat::MessageBox(plat::Texto(TxtMaximo).arg(MaxLinhasProjecao), QString(),
                     plat::MB_ICONSTOP);
    return false;
  }
  const CabecalhoModelo& cab = *Documento()->GetCabecalho();
  const int V = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  const int r = grade_->AddRow(QStringLiteral(" "));
  ++linhas_;
  grade_->SetCellText(r, 1, QStringLiteral("%1").arg(linhas_, 4));
  for (int j = 0; j <= V; ++j) {
    grade_->SetCellText(r, j + 7, FormataNumero(0.0, cab.CasasDecimais(std::min(j, V - 1))));
    grade_->SetCellFormat(r, j + 7, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
  grade_->MoveFocusCell(r, 2);
  grade_->EnsureVisible(r, 2);
  valoresMudaram_ = true;
  MarcaEditada();
  frame_->Form()->RedimensionaEstimativas(linhas_);
  if (!grava) return true;
  const bool gravou = GravaGrade();
  RegistrosAdicionados(linhas_ - 1);
  return gravou;
}

void CProjetarDadosView::RegistrosAdicionados(int antes) {
  CProjetarFormView* form = frame_->Form();
  if (!form->Iniciada()) return;  // the form reads the rows when it is built
  // The form counts the new rows; a grid that had none shows its first.
  if (antes < 1) {
    form->DefineLinhaAtual(0);
    form->MostraRegistro(true);
  } else {
    form->AtualizaLegenda();
  }
}

void CProjetarDadosView::AdicionaRegistros() {
  CDadosAdicionar dlg(this);
  dlg.m_nNumero = MaxLinhasProjecao - linhas_;
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  grade_->AllowRedraw(false);
  const int antes = linhas_;
  int adicionadas = 0;
  for (int i = 0; i < dlg.m_nNumero; ++i, ++adicionadas)
    if (!AdicionaRegistro(false)) break;
  // Stored once for the whole batch.
  if (adicionadas) {
    GravaGrade();
    RegistrosAdicionados(antes);
  }
  grade_->AllowRedraw(true);
}

void CProjetarDadosView::ExcluiRegistro() {
  if (Bloqueado()) {
    plat::MessageBox(3080, plat::MB_ICONEXCLAMATION);
    return;
  }
  if (linhas_ <= 1) {
    plat::MessageBox(TxtUmDado, plat::MB_ICONEXCLAMATION);
    return;
  }
  const CCellID foco = grade_->GetFocusCell();
  if (!foco.IsValid() || foco.row < 1) return;
  const int d = grade_->GetCellText(foco.row, 1).trimmed().toInt();
  if (plat::MessageBox(plat::Texto(TxtExcluir).arg(QStringLiteral("%1").arg(d, 4)), QString(),
                       plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;
  CProjetarFormView* form = frame_->Form();
  // The form keeps showing the row it showed; when that row is the one that
  // goes, the row before it (the first row stays the first).
  if (form->LinhaAtual() >= d - 1) form->DefineLinhaAtual(std::max(0, form->LinhaAtual() - 1));
  grade_->RemoveRow(foco.row);
  --linhas_;
  for (int r = 1; r <= linhas_; ++r) {
    const int n = grade_->GetCellText(r, 1).trimmed().toInt();
    if (n > d) grade_->SetCellText(r, 1, QStringLiteral("%1").arg(n - 1, 4));
  }
  grade_->setFocus();
  MarcaEditada();
  grade_->viewport()->update();
  form->RedimensionaEstimativas(linhas_);
  form->DefineLinhaAtual(std::min(form->LinhaAtual(), linhas_ - 1));
  GravaGrade();
  form->MostraRegistro(true);
}

void CProjetarDadosView::ColaTexto() {
  grade_->setFocus();
  const QMimeData* m = QApplication::clipboard()->mimeData();
  if (!m) {
    plat::MessageBox(TxtAbrirArea, plat::MB_ICONEXCLAMATION);
    return;
  }
  if (!m->hasText()) {
    plat::MessageBox(TxtLerArea, plat::MB_ICONEXCLAMATION);
    return;
  }
  const CCellID foco = grade_->GetFocusCell();
  if (!foco.IsValid()) return;
  const CabecalhoModelo& cab = *Documento()->GetCabecalho();
  const int V = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  QString texto = m->text();
  texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (texto.endsWith(QLatin1Char('\n'))) texto.chop(1);
  const QStringList linhas = texto.split(QLatin1Char('\n'));
  for (int l = 0; l < linhas.size(); ++l) {
    const int r = foco.row + l;
    if (r > linhas_) break;
    const QStringList campos = linhas[l].split(QLatin1Char('\t'));
    for (int f = 0; f < campos.size(); ++f) {
      const int c = foco.col + f;
      QString campo = campos[f].left(49);
      if (c < 2) continue;
      if (c <= 6) {
        grade_->SetCellText(r, c, c == 6 ? campo.left(20) : campo);
      } else if (c <= V + 5) {  // every regressor column, the last one too
        double x = 0.0;
        ConverteTextoNumero(campo, &x);
        grade_->SetCellText(r, c, FormataNumero(x, cab.CasasDecimais(c - 7)));
      }
    }
  }
  valoresMudaram_ = true;
  frame_->Form()->Calculo().LimpaProjetado();
  MarcaEditada();
  grade_->viewport()->update();
}

int CProjetarDadosView::OnGridNotify(GridNmHdr& hdr) {
  const auto& nm = reinterpret_cast<NM_GRIDVIEW&>(hdr);
  CTarsolinDoc* doc = Documento();
  if (!doc || !doc->GetCabecalho()) return 0;
  const CabecalhoModelo& cab = *doc->GetCabecalho();
  const int V = std::clamp(cab.NumVariaveis(), 0, C::MaxVariaveis);
  if (hdr.code == GVN_BEGINLABELEDIT) {
    if (nm.iColumn > V + 5 || nm.iColumn < 2 || Bloqueado()) return -1;
    if (auto* c = dynamic_cast<CTableCellLimText*>(grade_->CellAt(nm.iRow, nm.iColumn)))
      c->SetMaxLength(nm.iColumn <= 6 ? kLimites[nm.iColumn - 2] : 18);
    return 0;
  }
  if (hdr.code != GVN_ENDLABELEDIT) return 0;
  const int row = nm.iRow, col = nm.iColumn;
  if (col >= 7) {
    double x = 0.0;
    ConverteStringNumero(grade_->GetCellText(row, col), &x);
    grade_->SetCellText(row, col, FormataNumero(x, cab.CasasDecimais(col - 7)));
    frame_->Form()->Calculo().LimpaProjetado();
    frame_->Form()->DefineLinhaAtual(row - 1);
    valoresMudaram_ = true;
    QTimer::singleShot(0, this, [this] { frame_->Form()->MostraRegistro(true); });
  } else {
    QTimer::singleShot(0, this, [this] { frame_->Form()->MostraRegistro(true); });
  }
  MarcaEditada();
  return 0;
}

bool CProjetarDadosView::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    const CCellID foco = grade_->GetFocusCell();
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !grade_->IsCellEditing(foco.row, foco.col)) {
      if (foco.row == linhas_ && foco.col == grade_->GetColumnCount() - 1) AdicionaRegistro();
      else if (foco.col < grade_->GetColumnCount() - 1) grade_->MoveFocusCell(foco.row, foco.col + 1);
      else if (foco.row < linhas_) grade_->MoveFocusCell(foco.row + 1, 2);
      return true;
    }
  } else if (e->type() == QEvent::MouseButtonRelease && o == grade_->viewport() &&
             static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Copiar"), this, [this] { grade_->OnEditCopy(); });
    QAction* colar = menu.addAction(QStringLiteral("Colar"), this, [this] { ColaTexto(); });
    colar->setEnabled(QApplication::clipboard()->mimeData() && QApplication::clipboard()->mimeData()->hasText());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Adicionar"), this, [this] { AdicionaRegistro(); });
    menu.addAction(QStringLiteral("Excluir ..."), this, [this] { ExcluiRegistro(); });
    menu.addAction(QStringLiteral("Salvar"), this, [this] { Comando(kSalvar); });
    menu.addSeparator();
    menu.exec(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
    return true;
  }
  return QWidget::eventFilter(o, e);
}

bool CProjetarDadosView::TemComandoProprio(int id) const {
  switch (id) {
    case CmdProjAdicionarVarios: case CmdProjAdicionar: case CmdProjExcluir: case kColar: case kCopiar: case kSalvar:
      return true;
    default: return false;
  }
}

bool CProjetarDadosView::OnUpdateCmd(int id, EstadoComando& estado) {
  if (id == CmdProjAdicionarVarios || id == CmdProjAdicionar) {
    estado.habilitado = linhas_ < MaxLinhasProjecao;
    return true;
  }
  if (id == kColar) {
    estado.habilitado = QApplication::clipboard()->mimeData() && QApplication::clipboard()->mimeData()->hasText();
    return true;
  }
  return PaginaProjecao::OnUpdateCmd(id, estado);
}

bool CProjetarDadosView::Comando(int id) {
  switch (id) {
    case CmdProjetarValores:
      frame_->Form()->MostraRegistro(valoresMudaram_);
      valoresMudaram_ = false;
      editada_ = true;
      return true;
    case CmdProjAdicionarVarios: AdicionaRegistros(); return true;
    case CmdProjAdicionar: AdicionaRegistro(); return true;
    case CmdProjExcluir: ExcluiRegistro(); return true;
    case kColar: ColaTexto(); return true;
    case kCopiar: grade_->OnEditCopy(); return true;
    case kSalvar:
      if (Documento() && Documento()->OnSaveDocument(Documento()->GetPathName())) editada_ = false;
      return true;
    default: return false;
  }
}

bool CProjetarDadosView::PodeFechar() {
  CTarsolinDoc* doc = Documento();
  if (!doc || !editada_ || !doc->IsModified()) return true;
  GravaGrade();
  const int r = plat::MessageBox(plat::Texto(21001).arg(doc->GetTitle()), QString(),
                                 plat::MB_YESNOCANCEL | plat::MB_ICONEXCLAMATION);
  if (r == plat::IDCANCEL) return false;
  if (r == plat::IDYES) {
    if (!doc->DoSave(doc->GetPathName(), false)) return false;
  } else {
    // The edits are dropped: the records and header as the file holds them.
    if (doc->RegistrosCarregados()) doc->LiberaRegistros();
    doc->RelerCabecalho();
    doc->SetModifiedFlag(false);
  }
  editada_ = false;
  doc->UpdateAllViews(nullptr, 3);
  return true;
}

TrabalhoImpressao CProjetarDadosView::Trabalho() {
  TrabalhoImpressao t;
  CTableCtrlEx* g = grade_;
  auto info = std::make_shared<CPrintInfo>();
  t.prepara = [g, info, doc = Documento()](QPainter& p) {
    // The model's margins; the rest of the grid's print layout stays.
    if (doc && doc->GetCabecalho()) {
      const CabecalhoModelo& c = *doc->GetCabecalho();
      int layout[7];
      g->GetPrintLayout(layout);
      g->SetPrintLayout(layout[0], layout[1], c.I32(C::OffMargens), c.I32(C::OffMargens + 4), c.I32(C::OffMargens + 8),
                        c.I32(C::OffMargens + 12), layout[6]);
    }
    g->BeginPrinting(&p, info.get());
    return std::max(1, info->GetMaxPage());
  };
  t.pagina = [g, doc = Documento()](QPainter& p, const CPrintInfo& i) {
    if (i.m_bPreview) DesenhaMargens(doc, &p);
    CPrintInfo copia = i;
    g->PrintPage(&p, &copia);
  };
  t.fim = [g, info] { g->EndPrinting(nullptr, info.get()); };
  return t;
}
