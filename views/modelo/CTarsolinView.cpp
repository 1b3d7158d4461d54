#include "CTarsolinView.h"

#include "CChildFrame.h"
#include "CMainFrame.h"
#include "CTarsolinApp.h"
#include "ImpressaoModelo.h"
#include "MascaraFormato.h"
#include "VisualizacaoImpressao.h"

#include "controls/CListReportSubItemListCtrl.h"
#include "controls/CPlainHeaderCtrl.h"
#include "controls/ImpressaoPagina.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "model/TextoNumero.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TextoNumerico.h"

#include <QApplication>
#include <QDockWidget>
#include <QFontInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QTimer>
#include <cmath>

namespace {
using C = CabecalhoModelo;

enum : int {
  CmdAlternarCores = 32916, CmdExibirSelecao = 32931, CmdLinhasGrade = 32929, CmdGradeVertical = 32932,
  CmdSelecaoUnica = 32933, CmdFocoCelula = 32918, CmdDicas = 32917, CmdSalvarConfiguracoes = 32920,
  CmdArranjoPadrao = 32826, CmdCopiar = 57634, CmdImprimir = 57607, CmdImprimirDireto = 57608,
  CmdVisualizar = 57609,
};

// The style bit each toggle flips.
quint32 BitDoComando(int id) {
  switch (id) {
    case CmdAlternarCores: return ReportStyle::AlternateColours;
    case CmdExibirSelecao: return ReportStyle::ShowSelectionAlways;
    case CmdLinhasGrade: return ReportStyle::HorizontalGrid;
    case CmdGradeVertical: return ReportStyle::VerticalGrid;
    case CmdSelecaoUnica: return ReportStyle::SingleSelect;
    case CmdFocoCelula: return ReportStyle::CellFocus;
    case CmdDicas: return ReportStyle::LabelTips;
    default: return 0;
  }
}

QPointer<QSettings>& ConfiguracoesVista() {
  static QPointer<QSettings> s;
  return s;
}

const QString Secao = QStringLiteral("Settings");
const QString EntradaLayout = QStringLiteral("ReportCtrl");

CMainFrame* Principal() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  return app ? app->MainFrame() : nullptr;
}

// The nine 16 × 16 images of the list and its header, on the mask colour:
// 0 the dependent variable, 1 a variable, 2 a dichotomous variable, 4 not
// tested, 5 the sign agrees, 6 the enabled check, 7 the sign disagrees.
ReportImageList ImagensLista() {
  const QRgb mascara = qRgb(0, 0x80, 0x80);
  QImage faixa(16 * 9, 16, QImage::Format_RGB32);
  faixa.fill(mascara);
  QPainter p(&faixa);
  auto caixa = [](int i) { return QRect(16 * i, 0, 16, 16); };
  auto bola = [&](int i, QColor cor) {
    p.setPen(cor.darker(150));
    p.setBrush(cor);
    p.drawEllipse(caixa(i).adjusted(3, 3, -4, -4));
  };
  // 0: a target, the value the model estimates.
  bola(0, QColor(200, 40, 40));
  p.setBrush(Qt::white);
  p.drawEllipse(caixa(0).adjusted(6, 6, -7, -7));
  bola(1, QColor(40, 90, 190));
  // 2: half filled, a variable of two values.
  p.setPen(QColor(40, 90, 190).darker(150));
  p.setBrush(Qt::white);
  p.drawEllipse(caixa(2).adjusted(3, 3, -4, -4));
  p.setBrush(QColor(40, 90, 190));
  p.drawPie(caixa(2).adjusted(3, 3, -4, -4), 90 * 16, 180 * 16);
  bola(3, QColor(150, 150, 150));
  // 4: a grey dash, not tested.
  p.fillRect(caixa(4).adjusted(3, 7, -3, -7), QColor(128, 128, 128));
  // 5: a green tick.
  QPen traco(QColor(0, 140, 0), 2.5);
  p.setPen(traco);
  p.drawPolyline(QPolygon({QPoint(16 * 5 + 3, 8), QPoint(16 * 5 + 6, 12), QPoint(16 * 5 + 13, 4)}));
  // 6: a box with a tick, the header of the check column.
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawRect(caixa(6).adjusted(2, 2, -3, -3));
  p.setPen(QPen(Qt::black, 1.5));
  p.drawPolyline(QPolygon({QPoint(16 * 6 + 5, 8), QPoint(16 * 6 + 7, 11), QPoint(16 * 6 + 11, 5)}));
  // 7: a red cross.
  p.setPen(QPen(QColor(200, 0, 0), 2.5));
  p.drawLine(16 * 7 + 4, 4, 16 * 7 + 12, 12);
  p.drawLine(16 * 7 + 12, 4, 16 * 7 + 4, 12);
  bola(8, QColor(220, 180, 0));
  p.end();
  return ReportImageList::FromStrip(faixa, 16, mascara);
}
}  // namespace

void CTarsolinView::DefineConfiguracoes(QSettings* s) { ConfiguracoesVista() = s; }

QSettings* CTarsolinView::Configuracoes() {
  return ConfiguracoesVista() ? ConfiguracoesVista().data() : CTarsolinApp::Configuracoes();
}

QWidget* CTarsolinView::CriaJanela(CTarsolinDoc* doc) {
  auto* vista = new CTarsolinView(doc);
  auto* moldura = new CChildFrame(doc, vista);
  moldura->resize(800, 500);
  vista->OnInitialUpdate();
  return moldura;
}

CTarsolinView::CTarsolinView(CTarsolinDoc* doc, QWidget* parent)
    : CListReportView(parent), doc_(doc), lista_(new CMyReportCtrl) {
  setObjectName(QStringLiteral("CTarsolinView"));
  SetDocument(doc);
  if (doc) {
    setWindowTitle(doc->GetTitle());
    connect(doc, &plat::Documento::titleChanged, this, [this] {
      if (doc_) setWindowTitle(doc_->GetTitle());
    });
  }
}

CTarsolinView::~CTarsolinView() {
  // Never placed in the view (creation failed): owned here.
  if (!lista_->parentWidget()) delete lista_;
}

CTarsolinDoc* CTarsolinView::Documento() const { return doc_; }
QObject* CTarsolinView::DocumentoAlvo() { return doc_; }

void CTarsolinView::PreCreateWindow(quint32& estilo) {
  estilo |= ReportStyle::ColumnRemoval | ReportStyle::LabelTips;
  CListReportView::PreCreateWindow(estilo);
}

void CTarsolinView::OnInitialUpdate() {
  if (IsInitialized()) return;
  CListReportView::OnInitialUpdate();
  ignoraAtualizacoes_ = false;
  lista_->SetDocumento(doc_);

  QSettings& s = *Configuracoes();
  quint32 estilo = 0x50012100;
  if (s.value(Secao + QStringLiteral("/GridH"), -1).toInt() > 0) estilo |= ReportStyle::HorizontalGrid;
  if (s.value(Secao + QStringLiteral("/GridV"), -1).toInt() > 0) estilo |= ReportStyle::VerticalGrid;
  if (s.value(Secao + QStringLiteral("/Color"), -1).toInt() > 0) estilo |= ReportStyle::AlternateColours;
  if (s.value(Secao + QStringLiteral("/Selection"), -1).toInt() > 0) estilo |= ReportStyle::ShowSelectionAlways;
  if (!lista_->Create(estilo, rect(), this, 100)) throw std::bad_alloc();
  lista_->SetNotifyHandler([this](ReportNmHdr& n) { return Notificacao(n); });

  // The column chooser is the list of the model window's "Campos do Cabeçalho" bar.
  if (auto* moldura = qobject_cast<CChildFrame*>(parentWidget()))
    if (auto* escolhedor = moldura->BarraCampos()->findChild<CListReportSubItemListCtrl*>(QStringLiteral("1035")))
      lista_->AttachColumnChooser(escolhedor);

  imagens_ = ImagensLista();
  lista_->SetImages(&imagens_, nullptr);
  const QPalette& pal = QApplication::palette();
  lista_->AddColour(0, qRgb(0xC0, 0xD8, 0xC0));
  lista_->AddColour(1, pal.color(QPalette::Disabled, QPalette::Text).rgb());
  lista_->AddColour(2, qRgb(0xC0, 0xC0, 0xD0));
  lista_->AddColour(3, qRgb(0x00, 0x40, 0x80));
  lista_->AddColour(4, pal.color(QPalette::Base).rgb());

  const struct { const char* legenda; quint32 flags; int imagem; } colunas[] = {
      {"Habilitar", 0x000D0800, 6}, {"Icone", 0x011D0800, 4},       {"Teste", 0x050D0800, 5},
      {"Variáveis", 0x00084000, 0}, {"Equação", 0x00084001, 0},     {"Crescimento", 0x00084001, 0},
      {"t.Calculado", 0x00084001, 0}, {"Sig. RL", 0x00084001, 0}, {"t.Calculado", 0x00084001, 0},
      {"Sig. RE", 0x00084001, 0},
  };
  for (int c = 0; c < 10; ++c) {
    ReportColumnInfo info;
    info.flags = colunas[c].flags;
    info.image = colunas[c].imagem;
    info.caption = QString::fromUtf8(colunas[c].legenda);
    lista_->DescribeColumn(c, info);
  }
  if (!lista_->RestoreLayout(Secao, EntradaLayout, &s)) {
    int posicao = 0;
    for (int c : {0, 1, 3, 4, 5, 6, 7, 8, 9}) lista_->ShowColumnAt(c, posicao++);
    lista_->SetWidthOfColumn(3, LarguraPadrao(3, 170));
    lista_->SetWidthOfColumn(4, LarguraPadrao(4, 56));
    lista_->SetWidthOfColumn(5, LarguraPadrao(5, 70));
    for (int c = 6; c <= 9; ++c) lista_->SetWidthOfColumn(c, LarguraPadrao(c, 66));
    lista_->SaveLayout(Secao, EntradaLayout, &s);
  }
  if (CPlainHeaderCtrl* h = lista_->Header()) {
    h->SetHeaderOption(4, 1085);  // the cursor outside the header while a column is dragged off
    h->SetHeaderOption(6, 1);     // tool tips
  }
  OnUpdate(nullptr, 1);
  if (CMainFrame* f = Principal()) {
    // The view's entries in the main window's menus, once.
    f->AdicionaEntradaMenu(QStringLiteral("E&xibir"), CmdAlternarCores, QStringLiteral("&Alternar cores"), true);
    f->AdicionaEntradaMenu(QStringLiteral("E&xibir"), CmdExibirSelecao, QStringLiteral("&Exibir seleção"), true);
    f->AdicionaEntradaMenu(QStringLiteral("E&xibir"), CmdLinhasGrade, QStringLiteral("E&xibir linhas de grade"), true);
    f->AdicionaEntradaMenu(QStringLiteral("E&xibir"), CmdGradeVertical, QStringLiteral("Exibir &linha grade vertical"), true);
    f->AdicionaEntradaMenu(QStringLiteral("E&xibir"), CmdSalvarConfiguracoes, QStringLiteral("&Salvar Configurações"));
    // After the window's activation, which brings back the normal layout.
    QTimer::singleShot(0, f, [f] {
      if (QDockWidget* rl = f->Painel(32923)) {
        rl->show();
        rl->raise();
      }
    });
  }
}

int CTarsolinView::LarguraPadrao(int coluna, int largura) const {
  // The widths were chosen for a smaller system font: a caption never ends clipped.
  const CListReportCtrl::structSUBITEM* d = lista_->ColumnDefinition(coluna);
  const QFontMetrics fm(lista_->Header() ? lista_->Header()->font() : lista_->font());
  return d ? std::max(largura, fm.horizontalAdvance(d->caption) + 2 * fm.averageCharWidth() + 8) : largura;
}

// ---------------------------------------------------------------- rows

QString CTarsolinView::TextoTransformacao(const CabecalhoModelo& h, int v, int e) {
  static const char* const nomes[] = {"x", "1/x", "ln(x)", "x²", "x½", "1/x²", "1/x½"};
  const int codigo = h.Transformacao(v, e);
  if (codigo <= 0) {
    const double p = h.Expoente(v, e);
    return std::isfinite(p) ? plat::FormataC("x^%3.2f", {p}) : QStringLiteral("Erro");
  }
  return codigo <= 7 ? QString::fromUtf8(nomes[codigo - 1]) : QString();
}

void CTarsolinView::OnUpdate(QObject*, int dica) {
  if (ignoraAtualizacoes_ || !IsInitialized() || dica == 0 || !doc_ || !doc_->GetCabecalho()) return;
  const int nv = std::clamp(doc_->GetCabecalho()->NumVariaveis(), 0, C::MaxVariaveis);
  if (dica == 1) {
    lista_->ClearRows();
    for (int v = 0; v < nv; ++v) PreencheLinha(v, true);
  } else {
    for (int r = 0; r < std::min(nv, lista_->RowCount()); ++r) PreencheLinha(int(lista_->GetItemData(r)), false);
  }
}

void CTarsolinView::PreencheLinha(int v, bool nova) {
  const CabecalhoModelo& h = *doc_->GetCabecalho();
  const int nv = std::clamp(h.NumVariaveis(), 0, C::MaxVariaveis);
  if (v < 0 || v >= nv) return;
  const int e = std::clamp(h.EquacaoCorrente(), 0, C::MaxEquacoes - 1);
  const bool habilitada = h.Habilitada(v), dependente = v == h.Dependente(), ultima = v == nv - 1;
  const double crescimento = h.F64VE(C::OffVariacaoPercentual, v, e);
  QString transformacao, t, sig, cresc, tRE, sigRE;
  if (h.EstadoCalculo() != 0 && habilitada) {
    transformacao = TextoTransformacao(h, v, e);
    if (!ultima) {
      t = FormataNumero(h.F64VE(C::OffEstatisticaT, v, e), 2);
      sig = FormataNumero(100.0 - h.F64VE(C::OffSignificancias, v, e), 2);
      cresc = FormataNumero(crescimento, 2);
    }
  }
  if (h.EspacialCalculado() && habilitada && !ultima) {
    tRE = FormataNumero(h.F64(C::OffResultadosEspaciais + 8 * std::size_t(66 + v)), 2);
    sigRE = FormataNumero(100.0 - h.F64(C::OffResultadosEspaciais + 8 * std::size_t(126 + v)), 2);
  }
  int item = v;
  ReportItemInfo info;
  info.column = 0;
  info.mask = ReportMask::Check | ReportMask::Data;
  info.check = habilitada ? 1 : 0;
  info.data = v;
  if (nova) {
    info.item = lista_->StoredRowCount();
    item = lista_->AddRowAt(info);
    if (item < 0) return;
    info.item = item;
    lista_->SetRowItem(info);
  } else {
    // The row that shows variable v.
    for (int r = 0; r < lista_->StoredRowCount(); ++r)
      if (lista_->GetItemData(r) == v) item = r;
    info.item = item;
    lista_->SetRowItem(info);
  }
  lista_->SetItemImage(item, 1, dependente ? 0 : h.TipoVariavel(v) == 1 ? 2 : 1);
  const int relacao = h.Relacao(v);
  int teste = (relacao == 0 && crescimento > 0) || (relacao == 1 && crescimento < 0) ? 5 : 7;
  if (dependente || !habilitada) teste = 4;
  lista_->SetItemImage(item, 2, teste);
  const QString textos[] = {h.NomeVariavel(v), transformacao, cresc, t, sig, tRE, sigRE};
  for (int c = 0; c < 7; ++c) lista_->SetItemText(item, 3 + c, textos[c]);
  lista_->update();
}

long CTarsolinView::Notificacao(ReportNmHdr& n) {
  switch (n.code) {
    case ReportCode::LButtonDown: {
      auto& m = static_cast<ReportNotifyInfo&>(n);
      if (m.column == 0 && (m.flags & ReportHit::Check) && m.item >= 0) MudaHabilitacao(m.item);
      return 0;
    }
    case ReportCode::LDoubleClick: {
      auto& m = static_cast<ReportNotifyInfo&>(n);
      if (m.item >= 0) MostraDescricao(m.item);
      return 0;
    }
    case ReportCode::ExtraDraw:
      DesenhaDescricao(static_cast<ReportExtraDrawInfo&>(n));
      return 0;
    default:
      return 0;
  }
}

void CTarsolinView::MudaHabilitacao(int item) {
  if (!doc_ || !doc_->GetCabecalho()) return;
  CabecalhoModelo& h = *doc_->GetCabecalho();
  const int v = int(lista_->GetItemData(item));
  if (v < 0 || v >= std::clamp(h.NumVariaveis(), 0, C::MaxVariaveis)) return;
  const int marcado = lista_->GetItemCheck(item, 0) ? 0 : 1;
  h.SetHabilitada(v, marcado != 0);
  // The results no longer belong to the variables in the calculation.
  h.SetEstadoCalculo(0);
  h.SetI32(C::OffEspacialCalculado, 0);
  doc_->SetModifiedFlag(true);
  doc_->UpdateAllViews(nullptr, 3);
  lista_->SetItemCheck(item, 0, marcado);
}

void CTarsolinView::MostraDescricao(int item) {
  if (!doc_ || !doc_->GetCabecalho()) return;
  ReportItemInfo info;
  info.item = item;
  info.column = -1;
  info.mask = ReportMask::ExtraHeight | ReportMask::Data;
  lista_->GetRowItem(info);
  const int v = int(info.data);
  info.mask = ReportMask::ExtraHeight;
  if (info.extraHeight == 0) {
    const QString descricao = doc_->GetCabecalho()->DescricaoVariavel(v);
    QRect largura(0, 0, lista_->TotalWidth(), 0);
    info.extraHeight = lista_->WrappedTextHeight(lista_->NormalFont(), descricao, &largura) + 4;
  } else {
    info.extraHeight = 0;
  }
  lista_->SetRowItem(info);
}

void CTarsolinView::DesenhaDescricao(ReportExtraDrawInfo& x) {
  if (!doc_ || !doc_->GetCabecalho() || !x.painter) return;
  const int v = int(x.data);
  if (v < 0 || v >= C::MaxVariaveis) return;
  const QString descricao = doc_->GetCabecalho()->DescricaoVariavel(v);
  const bool destaque = (x.state & ReportState::Selected) && lista_->IsFocused();
  const QPalette& pal = lista_->palette();
  QPainter& p = *x.painter;
  p.setPen(destaque ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Highlight));
  p.setFont(lista_->NormalFont());
  const QRect r = x.rect.adjusted(40, 2, 0, -2);
  // Word-wrapped, with an ellipsis on the last line that fits when it does not all fit.
  const QFontMetrics fm(p.font());
  const int linhas = std::max(1, r.height() / std::max(1, fm.lineSpacing()));
  const QRect inteira = fm.boundingRect(QRect(0, 0, r.width(), 1 << 20), Qt::TextWordWrap | Qt::TextExpandTabs, descricao);
  if (inteira.height() <= r.height()) {
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, descricao);
    return;
  }
  QString visivel;
  QTextLayout layout(descricao, p.font());
  layout.beginLayout();
  int usadas = 0;
  QString resto;
  for (;;) {
    QTextLine linha = layout.createLine();
    if (!linha.isValid()) break;
    linha.setLineWidth(r.width());
    if (++usadas == linhas) {
      resto = descricao.mid(linha.textStart());
      break;
    }
    visivel += descricao.mid(linha.textStart(), linha.textLength());
  }
  layout.endLayout();
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, visivel);
  p.drawText(QRect(r.left(), r.top() + (linhas - 1) * fm.lineSpacing(), r.width(), fm.lineSpacing()),
             Qt::AlignLeft | Qt::AlignTop, fm.elidedText(resto.simplified(), Qt::ElideRight, r.width()));
}

// ---------------------------------------------------------------- commands

bool CTarsolinView::TemComando(int id) const {
  if (BitDoComando(id)) return true;
  switch (id) {
    case CmdSalvarConfiguracoes: case CmdArranjoPadrao: case CmdCopiar:
    case CmdImprimir: case CmdImprimirDireto: case CmdVisualizar:
      return true;
    default:
      return false;
  }
}

bool CTarsolinView::OnUpdateCmd(int id, EstadoComando& estado) {
  if (!TemComando(id)) return false;
  if (const quint32 bit = BitDoComando(id)) {
    estado.habilitado = IsInitialized();
    estado.marcado = IsInitialized() && (lista_->GetControlStyle() & bit);
    return true;
  }
  switch (id) {
    case CmdArranjoPadrao: estado.habilitado = lista_->RowCount() > 0; return true;
    case CmdCopiar: estado.habilitado = lista_->FirstSelectedRow() >= 0; return true;
    default: estado.habilitado = doc_ && doc_->GetCabecalho(); return true;
  }
}

bool CTarsolinView::OnCmdMsg(int id) {
  if (!TemComando(id) || !IsInitialized()) return false;
  if (const quint32 bit = BitDoComando(id)) {
    const bool ligado = lista_->GetControlStyle() & bit;
    lista_->ChangeControlStyle(ligado ? bit : 0, ligado ? 0 : bit);
    return true;
  }
  switch (id) {
    case CmdSalvarConfiguracoes: SalvaConfiguracoes(); break;
    case CmdArranjoPadrao: ArranjoPadrao(); break;
    case CmdCopiar:
      if (lista_->FirstSelectedRow() >= 0) lista_->CopySelectedRows();
      break;
    case CmdImprimir: Imprime(false, true); break;
    case CmdImprimirDireto: Imprime(false, false); break;
    case CmdVisualizar: Imprime(true, false); break;
    default: return false;
  }
  return true;
}

void CTarsolinView::SalvaConfiguracoes() {
  QSettings& s = *Configuracoes();
  lista_->SaveLayout(Secao, EntradaLayout, &s);
  const quint32 estilo = lista_->GetControlStyle();
  s.setValue(Secao + QStringLiteral("/GridH"), int(estilo & ReportStyle::HorizontalGrid));
  s.setValue(Secao + QStringLiteral("/GridV"), int(estilo & ReportStyle::VerticalGrid));
  s.setValue(Secao + QStringLiteral("/Color"), int(estilo & ReportStyle::AlternateColours));
  s.setValue(Secao + QStringLiteral("/Selection"), int(estilo & ReportStyle::ShowSelectionAlways));
  s.sync();
}

void CTarsolinView::ArranjoPadrao() {
  QVector<int> ordem;
  for (int i = 0; i < lista_->StoredRowCount(); ++i) ordem << i;
  lista_->SetRowOrder(ordem);
  for (int c = 0; c < 10; ++c) lista_->ShowColumnAt(c, c);
  const int larguras[] = {174, 56, 54, 60, 66, 60, 66};
  for (int c = 3; c <= 9; ++c) lista_->SetWidthOfColumn(c, LarguraPadrao(c, larguras[c - 3]));
}

// ---------------------------------------------------------------- formatting bar

// The bar's size is the list font's character height in pixels, read as
// points (twenty times the height in twips), and a size chosen there becomes
// that height again: the two meet whatever the screen's resolution.
bool CTarsolinView::OnPedeFormato(QTextCharFormat& formato) {
  // Face, size and character set only (mask 0xA8000000).
  const QFont f = lista_->font();
  formato = QTextCharFormat();
  formato.setFontFamilies({f.family()});
  formato.setFontPointSize(std::abs(QFontInfo(f).pixelSize()));
  formato.setProperty(formatacao::PropConjuntoCaracteres, 1);
  return true;
}

bool CTarsolinView::OnDefineFormato(const QTextCharFormat& formato) {
  QFont f = lista_->font();
  const QStringList familias = formato.fontFamilies().toStringList();
  const quint32 mascara = formatacao::MascaraDe(formato);
  if ((mascara & formatacao::Face) && !familias.isEmpty()) f.setFamily(familias.first());
  if ((mascara & formatacao::Tamanho) && formato.hasProperty(QTextFormat::FontPointSize)) {
    const int altura = std::abs(int(formato.fontPointSize()));
    if (altura > 0) f.setPixelSize(altura);
  }
  lista_->setFont(f);
  return true;
}

void CTarsolinView::OnFocoFormatacao(bool foco) { focoFormatacao_ = foco; }

void CTarsolinView::OnEnterFormatacao() { lista_->setFocus(Qt::OtherFocusReason); }

// ---------------------------------------------------------------- printing

bool CTarsolinView::ImprimeEm(QPrinter& impressora, bool previa) {
  QPainter p;
  if (!p.begin(&impressora)) return false;
  ImpressaoModelo impressao(doc_);
  CPrintInfo info;
  info.SetMaxPage(ImpressaoModelo::Paginas);
  info.m_bPreview = previa;
  const int de = std::max(1, impressora.fromPage());
  const int ate = impressora.toPage() > 0 ? std::min(impressora.toPage(), int(ImpressaoModelo::Paginas))
                                          : int(ImpressaoModelo::Paginas);
  for (int pagina = de; pagina <= ate; ++pagina) {
    if (pagina > de) impressora.newPage();
    info.m_nCurPage = pagina;
    impressao.ImprimePagina(p, info);
  }
  p.end();
  return true;
}

void CTarsolinView::Imprime(bool previa, bool comDialogo) {
  QPrinter impressora(QPrinter::HighResolution);
  if (previa) {
    // Once it starts, the preview hides the panes that only the model window
    // needs; its end brings them back. A preview that cannot start changes nothing.
    CMainFrame* f = Principal();
    const bool iniciou = VisualizaImpressao(
        impressora, window(), [this](QPrinter& alvo) { return ImprimeEm(alvo, true); },
        [f] {
          if (f) f->AplicaLayoutPreview();
        });
    if (iniciou && f) f->AplicaLayoutNormal();
    return;
  }
  if (comDialogo) {
    QPrintDialog dlg(&impressora, window());
    dlg.setObjectName(QStringLiteral("dlgImprimir"));
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dlg.setMinMax(1, ImpressaoModelo::Paginas);
    if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  }
  if (!ImprimeEm(impressora, false))
    plat::MessageBox(QStringLiteral("Não foi possível imprimir !"), QString(), plat::MB_ICONEXCLAMATION);
}
