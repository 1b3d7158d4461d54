#include "CLaudoView.h"

#include "CDateDialog.h"
#include "CHelpDialog.h"
#include "CDocChildFrame.h"
#include "CFormatParaDlg.h"
#include "CFormatTabDlg.h"
#include "CLaudoDoc.h"
#include "CPageSetupDlg.h"
#include "CRulerBar.h"
#include "ComandosRelatorio.h"
#include "DialogoLocalizar.h"
#include "Medida.h"
#include "Rtf.h"
#include "ImpressaoPagina.h"
#include "app/CMainFrame.h"
#include "app/CTarsolinApp.h"
#include "model/CTarsolinDoc.h"
#include "model/CabecalhoModelo.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"
#include "platform/TabelaTextos.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QVBoxLayout>
#include <cmath>

namespace {
using C = CabecalhoModelo;

QStatusBar* BarraEstado() {
  CTarsolinApp* app = CTarsolinApp::Instancia();
  CMainFrame* f = app ? app->MainFrame() : nullptr;
  return f ? f->statusBar() : nullptr;
}

QColor CorWindows(unsigned cor) { return QColor(int(cor & 0xFF), int(cor >> 8 & 0xFF), int(cor >> 16 & 0xFF)); }

QTextCharFormat FormatoPadrao(int idFace) {
  QTextCharFormat f;
  f.setFontFamilies({plat::Texto(idFace).left(31)});
  f.setFontPointSize(10);
  f.setFontWeight(QFont::Normal);
  f.setFontItalic(false);
  f.setFontUnderline(false);
  f.setFontStrikeOut(false);
  f.clearForeground();  // the automatic colour
  f.setVerticalAlignment(QTextCharFormat::AlignNormal);
  return f;
}

// The rich-text flavours a selection travels in.
const QString MimeRtf = QStringLiteral("text/rtf");
const QString MimeRtfAlt = QStringLiteral("application/rtf");
}  // namespace

CLaudoView::CLaudoView(CLaudoDoc* doc, QWidget* parent) : QTextEdit(parent), doc_(doc) {
  setObjectName(QStringLiteral("CLaudoView"));
  setAcceptRichText(true);
  setAcceptDrops(true);
  setTabChangesFocus(false);
  setUndoRedoEnabled(true);
  document()->setIndentWidth(TwipsParaPx(360));
  // The text stands 15 pixels from the left and 5 from the top of the view.
  QTextFrameFormat raiz = document()->rootFrame()->frameFormat();
  raiz.setLeftMargin(15);
  raiz.setTopMargin(5);
  raiz.setRightMargin(0);
  raiz.setBottomMargin(0);
  document()->rootFrame()->setFrameFormat(raiz);
  padraoRico_ = ::FormatoPadrao(3017);
  padraoTexto_ = ::FormatoPadrao(3018);
  padraoParagrafo_ = FormatoDoBloco(document()->firstBlock());
  padraoParagrafo_.tabs.clear();
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) {
    connect(app, &CTarsolinApp::impressoraMudou, this, &CLaudoView::AtualizaImpressora);
    const Retangulo& m = app->Opcoes().PageMargin;
    margens_ = MargensTwips{m.left, m.top, m.right, m.bottom};
  }
  AtualizaImpressora();
  WrapChanged();
}

CLaudoView::~CLaudoView() = default;

void CLaudoView::OnInitialUpdate() {
  emPrevia_ = false;
  modelo_.clear();
  janelaModelo_.clear();
  AtualizaImpressora();
}

void CLaudoView::DefineModelo(CTarsolinDoc* modelo, QWidget* janelaModelo) {
  modelo_ = modelo;
  janelaModelo_ = janelaModelo;
}

void CLaudoView::ApplyModelMargins() {
  if (CTarsolinDoc* m = Modelo(); m && m->GetCabecalho()) {
    const C& c = *m->GetCabecalho();
    margens_ = MargensTwips{c.I32(C::OffMargens), c.I32(C::OffMargens + 8), c.I32(C::OffMargens + 4),
                            c.I32(C::OffMargens + 12)};
  }
  // Re-wrapped without the status text.
  DefineWordWrap(quebra_);
  emit layoutMudou();
}

void CLaudoView::DefineMargens(const MargensTwips& m) {
  margens_ = m;
  DefineWordWrap(quebra_);
  emit layoutMudou();
}

void CLaudoView::DefinePapel(const QSizeF& twips) {
  if (twips == papel_) return;
  papel_ = twips;
  DefineWordWrap(quebra_);
  emit layoutMudou();
}

int CLaudoView::LarguraTexto() const { return int(papel_.width()) - margens_.esquerda - margens_.direita; }
int CLaudoView::DeslocamentoTexto() const { return int(document()->rootFrame()->frameFormat().leftMargin()); }
int CLaudoView::Rolagem() const { return horizontalScrollBar()->value(); }

void CLaudoView::AtualizaImpressora() {
  // The application's printer page; A4 (Letter where the locale measures in inches) without a printer.
  QPageSize pagina;
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) pagina = info.defaultPageSize();
  if (!pagina.isValid())
    pagina = QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                          : QPageSize::A4);
  const QSizeF pontos = pagina.size(QPageSize::Point);
  DefinePapel(QSizeF(std::round(pontos.width() * 20), std::round(pontos.height() * 20)));
}

void CLaudoView::DefineWordWrap(int modo) {
  quebra_ = modo;
  switch (modo) {
    case 0: setLineWrapMode(QTextEdit::NoWrap); break;
    case 2:
      setLineWrapMode(QTextEdit::FixedPixelWidth);
      setLineWrapColumnOrWidth(int(std::lround(TwipsParaPx(LarguraTexto()))) + DeslocamentoTexto());
      break;
    default: setLineWrapMode(QTextEdit::WidgetWidth); break;
  }
}

void CLaudoView::WrapChanged() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QStatusBar* barra = BarraEstado();
  if (barra) {
    barra->showMessage(plat::Texto(3045));
    barra->repaint();
  }
  DefineWordWrap(quebra_);
  if (barra) barra->showMessage(plat::Texto(57345));
  viewport()->update();
  QApplication::restoreOverrideCursor();
  emit layoutMudou();
}

void CLaudoView::ApplyDefaultFormats(bool texto) {
  const QTextCharFormat& f = texto ? padraoTexto_ : padraoRico_;
  QTextCursor c(document());
  c.select(QTextCursor::Document);
  QFont fonte(f.fontFamilies().toStringList().value(0));
  fonte.setPointSizeF(f.fontPointSize());
  document()->setDefaultFont(fonte);
  c.setCharFormat(f);
  FormatoParagrafo p = padraoParagrafo_;
  p.mascara = FormatoParagrafo::Tudo & ~FormatoParagrafo::Numeracao;
  ::AplicaFormatoParagrafo(c, p);
  c.clearSelection();
  c.movePosition(QTextCursor::Start);
  setCurrentCharFormat(f);
  setTextCursor(c);
  setCurrentCharFormat(f);
  document()->clearUndoRedoStacks();
  document()->setModified(false);
}

bool CLaudoView::HasOnlyTextDefaults() {
  const QTextCharFormat& t = padraoTexto_;
  auto igual = [&t](const QTextCharFormat& f) {
    // The character set is not compared; the face name is, case-sensitively.
    const QString face = f.fontFamilies().toStringList().value(0);
    return face == t.fontFamilies().toStringList().value(0) && std::abs(f.fontPointSize() - t.fontPointSize()) < 0.01 &&
           (f.fontWeight() >= QFont::DemiBold) == (t.fontWeight() >= QFont::DemiBold) &&
           f.fontItalic() == t.fontItalic() && f.fontUnderline() == t.fontUnderline() &&
           f.fontStrikeOut() == t.fontStrikeOut() && f.foreground().style() == Qt::NoBrush &&
           f.background().style() == Qt::NoBrush && f.verticalAlignment() == QTextCharFormat::AlignNormal;
  };
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    FormatoParagrafo p = FormatoDoBloco(b);
    // Alignment is not compared.
    if (p.inicio != padraoParagrafo_.inicio || p.direito != padraoParagrafo_.direito ||
        p.deslocamento != padraoParagrafo_.deslocamento || p.tabs != padraoParagrafo_.tabs || p.marcador)
      return false;
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().isValid() && !igual(it.fragment().charFormat())) return false;
  }
  return true;
}

FormatoParagrafo CLaudoView::FormatoParagrafoSelecao() const { return FormatoDaSelecao(textCursor()); }

void CLaudoView::AplicaFormatoParagrafo(const FormatoParagrafo& f) {
  QTextCursor c = textCursor();
  c.beginEditBlock();
  ::AplicaFormatoParagrafo(c, f);
  c.endEditBlock();
}

void CLaudoView::SubstituiSelecao(const QString& texto, const QTextCharFormat& caractere) {
  QTextCursor c = textCursor();
  // Line breaks start paragraphs that keep the current paragraph format.
  const QStringList partes = QString(texto).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
  for (int i = 0; i < partes.size(); ++i) {
    if (i > 0) c.insertBlock(c.blockFormat(), caractere);
    if (!partes[i].isEmpty()) c.insertText(QString(partes[i]).remove(QLatin1Char('\r')), caractere);
  }
  setTextCursor(c);
}

// ---------------------------------------------------------------- commands

bool CLaudoView::TemComando(int id) const {
  switch (id) {
    case relatorio::Negrito: case relatorio::Italico: case relatorio::Sublinhado:
    case relatorio::Centraliza: case relatorio::AlinhaEsquerda: case relatorio::AlinhaDireita:
    case relatorio::Marcadores: case relatorio::DataHora: case relatorio::Paragrafo: case relatorio::Tabulacoes:
    case relatorio::ConfiguraPagina: case relatorio::Imprime: case relatorio::ImprimeDireto:
    case relatorio::Visualiza: case relatorio::Copiar: case relatorio::Recortar: case relatorio::Colar:
    case relatorio::ColarEspecial: case relatorio::Desfazer: case relatorio::Refazer:
    case relatorio::SelecionarTudo: case relatorio::Limpar: case relatorio::Localizar:
    case relatorio::Substituir: case relatorio::LocalizarProxima:
      return true;
    default:
      return false;
  }
}

bool CLaudoView::OnUpdateCmd(int id, EstadoComando& e) {
  const QTextCharFormat f = currentCharFormat();
  const Qt::Alignment a = alignment() & Qt::AlignHorizontal_Mask;
  const bool selecao = textCursor().hasSelection();
  switch (id) {
    case relatorio::Negrito: e.marcado = f.fontWeight() >= QFont::DemiBold; return true;
    case relatorio::Italico: e.marcado = f.fontItalic(); return true;
    case relatorio::Sublinhado: e.marcado = f.fontUnderline(); return true;
    case relatorio::Centraliza: e.marcado = a == Qt::AlignHCenter; return true;
    case relatorio::AlinhaEsquerda: e.marcado = a == Qt::AlignLeft || a == Qt::AlignLeading; return true;
    case relatorio::AlinhaDireita: e.marcado = a == Qt::AlignRight || a == Qt::AlignTrailing; return true;
    case relatorio::Marcadores: e.marcado = textCursor().currentList() != nullptr; return true;
    case relatorio::Copiar: case relatorio::Recortar: case relatorio::Limpar:
      e.habilitado = selecao && (id == relatorio::Copiar || !isReadOnly());
      return true;
    case relatorio::Colar: case relatorio::ColarEspecial: e.habilitado = canPaste(); return true;
    case relatorio::Desfazer: e.habilitado = document()->isUndoAvailable(); return true;
    case relatorio::Refazer: e.habilitado = document()->isRedoAvailable(); return true;
    case relatorio::LocalizarProxima: e.habilitado = !procura_.isEmpty(); return true;
    case relatorio::SelecionarTudo: e.habilitado = !document()->isEmpty(); return true;
    default: return false;
  }
}

bool CLaudoView::OnCmdMsg(int id) {
  switch (id) {
    case relatorio::Negrito: case relatorio::Italico: case relatorio::Sublinhado: Alterna(id); return true;
    case relatorio::Centraliza: Alinha(Qt::AlignHCenter); return true;
    case relatorio::AlinhaEsquerda: Alinha(Qt::AlignLeft); return true;
    case relatorio::AlinhaDireita: Alinha(Qt::AlignRight); return true;
    case relatorio::Marcadores: {
      FormatoParagrafo p;
      p.mascara = FormatoParagrafo::Numeracao;
      p.marcador = textCursor().currentList() == nullptr;
      AplicaFormatoParagrafo(p);
      return true;
    }
    case relatorio::DataHora: OnInsertDateTime(); return true;
    case relatorio::Paragrafo: OnFormatParagraph(); return true;
    case relatorio::Tabulacoes: OnFormatTabs(); return true;
    case relatorio::ConfiguraPagina: OnPageSetup(); return true;
    case relatorio::Imprime: OnFilePrint(true); return true;
    case relatorio::ImprimeDireto: OnFilePrint(false); return true;
    case relatorio::Visualiza: OnFilePrintPreview(); return true;
    case relatorio::Copiar: OnEditCopy(); return true;
    case relatorio::Recortar: cut(); return true;
    case relatorio::Colar: paste(); return true;
    case relatorio::ColarEspecial: OnPasteSpecial(); return true;
    case relatorio::Desfazer: undo(); return true;
    case relatorio::Refazer: redo(); return true;
    case relatorio::SelecionarTudo: selectAll(); return true;
    case relatorio::Limpar: textCursor().removeSelectedText(); return true;
    case relatorio::Localizar: OnFind(false); return true;
    case relatorio::Substituir: OnFind(true); return true;
    case relatorio::LocalizarProxima: OnFindNext(); return true;
    default: return false;
  }
}

void CLaudoView::Alterna(int id) {
  const QTextCharFormat atual = currentCharFormat();
  QTextCharFormat f;
  if (id == relatorio::Negrito) f.setFontWeight(atual.fontWeight() >= QFont::DemiBold ? QFont::Normal : QFont::Bold);
  else if (id == relatorio::Italico) f.setFontItalic(!atual.fontItalic());
  else f.setFontUnderline(!atual.fontUnderline());
  mergeCurrentCharFormat(f);
}

void CLaudoView::Alinha(Qt::Alignment a) {
  FormatoParagrafo p;
  p.mascara = FormatoParagrafo::Alinhamento;
  p.alinhamento = a;
  AplicaFormatoParagrafo(p);
}

void CLaudoView::OnCorFormatacao(unsigned cor, int comando) {
  QTextCharFormat f;
  // The back colour command colours the background: the text keeps its own colour.
  if (comando == relatorio::CorFundo) f.setBackground(CorWindows(cor));
  else f.setForeground(CorWindows(cor));
  mergeCurrentCharFormat(f);
}

bool CLaudoView::OnPedeFormato(QTextCharFormat& formato) {
  formato = currentCharFormat();
  if (formato.fontFamilies().toStringList().isEmpty()) formato.setFontFamilies({document()->defaultFont().family()});
  if (formato.fontPointSize() <= 0) formato.setFontPointSize(document()->defaultFont().pointSizeF());
  return true;
}

bool CLaudoView::OnDefineFormato(const QTextCharFormat& formato) {
  mergeCurrentCharFormat(formato);
  setFocus();
  return true;
}

void CLaudoView::OnInsertDateTime() {
  CDateDialog dlg(window());
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  insertPlainText(dlg.Escolhido());
}

void CLaudoView::OnFormatParagraph() {
  CFormatParaDlg dlg(FormatoParagrafoSelecao(), quebra_, window());
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  AplicaFormatoParagrafo(dlg.Resultado());
}

void CLaudoView::OnFormatTabs() {
  CFormatTabDlg dlg(FormatoParagrafoSelecao(), window());
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  AplicaFormatoParagrafo(dlg.Resultado());
}

void CLaudoView::OnTextNotFound() {
  QApplication::beep();
  plat::MessageBox(3042, plat::MB_ICONINFORMATION);
}

void CLaudoView::OnFind(bool substituir) {
  auto* dlg = new DialogoLocalizar(this, substituir, procura_, window());
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  connect(dlg, &DialogoLocalizar::procura, this, [this](const QString& texto, int opcoes) {
    procura_ = texto;
    opcoesProcura_ = opcoes;
    OnFindNext();
  });
  connect(dlg, &DialogoLocalizar::substitui, this, [this](const QString& texto, const QString& novo, int opcoes, bool todas) {
    procura_ = texto;
    opcoesProcura_ = opcoes;
    int n = 0;
    if (todas) moveCursor(QTextCursor::Start);
    do {
      QTextCursor c = textCursor();
      if (c.hasSelection() && c.selectedText().compare(texto, (opcoes & QTextDocument::FindCaseSensitively)
                                                                  ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0) {
        c.insertText(novo);
        ++n;
      }
      if (!find(procura_, QTextDocument::FindFlags(opcoes))) {
        if (!todas || n == 0) OnTextNotFound();
        return;
      }
    } while (todas);
  });
  dlg->show();
}

bool CLaudoView::OnFindNext() {
  if (procura_.isEmpty()) return false;
  if (find(procura_, QTextDocument::FindFlags(opcoesProcura_))) return true;
  OnTextNotFound();
  return false;
}

void CLaudoView::OnEditCopy() {
  const QTextCursor c = textCursor();
  if (!c.hasSelection()) return;
  // A text selection travels as plain text only.
  QString texto = c.selection().toPlainText();
  auto* dados = new QMimeData;
  dados->setText(texto);
  QApplication::clipboard()->setMimeData(dados);
}

QMimeData* CLaudoView::createMimeDataFromSelection() const {
  // Cutting and dragging carry the rich text: RTF and HTML beside the plain text.
  const QTextDocumentFragment frag = textCursor().selection();
  auto* dados = new QMimeData;
  dados->setText(frag.toPlainText());
  dados->setHtml(frag.toHtml());
  QTextDocument copia;
  QTextCursor(&copia).insertFragment(frag);
  dados->setData(MimeRtf, rtf::Escreve(copia));
  return dados;
}

bool CLaudoView::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasFormat(MimeRtf) || source->hasFormat(MimeRtfAlt) || QTextEdit::canInsertFromMimeData(source);
}

void CLaudoView::insertFromMimeData(const QMimeData* source) {
  const QString formato = source->hasFormat(MimeRtf) ? MimeRtf : source->hasFormat(MimeRtfAlt) ? MimeRtfAlt : QString();
  if (!formato.isEmpty()) {
    QTextDocument lido;
    if (rtf::Le(source->data(formato), lido)) {
      textCursor().insertFragment(QTextDocumentFragment(&lido));
      ensureCursorVisible();
      return;
    }
  }
  QTextEdit::insertFromMimeData(source);
}

void CLaudoView::OnPasteSpecial() {
  const QMimeData* dados = QApplication::clipboard()->mimeData();
  if (!dados) return;
  struct Opcao { QString nome; QString formato; };
  std::vector<Opcao> opcoes;
  if (dados->hasFormat(MimeRtf) || dados->hasFormat(MimeRtfAlt)) opcoes.push_back({QStringLiteral("Rich Text Format"), MimeRtf});
  if (dados->hasHtml()) opcoes.push_back({QStringLiteral("HTML"), QStringLiteral("text/html")});
  if (dados->hasText()) opcoes.push_back({QStringLiteral("Texto sem formatação"), QStringLiteral("text/plain")});
  if (opcoes.empty()) return;
  QDialog dlg(window());
  dlg.setObjectName(QStringLiteral("dlgColarEspecial"));
  dlg.setWindowTitle(QStringLiteral("Colar Especial"));
  auto* lista = new QListWidget(&dlg);
  lista->setObjectName(QStringLiteral("1"));
  lista->setObjectName(QStringLiteral("1100"));
  for (const Opcao& o : opcoes) lista->addItem(o.nome);
  lista->setCurrentRow(0);
  auto* botoes = CHelpDialog::BotoesOkCancelar(&dlg);
  auto* l = new QVBoxLayout(&dlg);
  l->addWidget(lista);
  l->addWidget(botoes);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || lista->currentRow() < 0) return;
  const QString formato = opcoes[std::size_t(lista->currentRow())].formato;
  QMimeData so;
  if (formato == MimeRtf) so.setData(MimeRtf, dados->data(dados->hasFormat(MimeRtf) ? MimeRtf : MimeRtfAlt));
  else if (formato == QStringLiteral("text/html")) so.setHtml(dados->html());
  else so.setText(dados->text());
  insertFromMimeData(&so);
}

// ---------------------------------------------------------------- events

void CLaudoView::resizeEvent(QResizeEvent* e) {
  QTextEdit::resizeEvent(e);
  emit layoutMudou();
}

void CLaudoView::contextMenuEvent(QContextMenuEvent* e) {
  // The report has no context menu.
  e->accept();
}

void CLaudoView::keyPressEvent(QKeyEvent* e) {
  const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (mods == Qt::ControlModifier) {
    int id = 0;
    switch (e->key()) {
      case Qt::Key_B: id = relatorio::Negrito; break;
      case Qt::Key_I: id = relatorio::Italico; break;
      case Qt::Key_U: id = relatorio::Sublinhado; break;
      case Qt::Key_E: id = relatorio::Centraliza; break;
      case Qt::Key_L: id = relatorio::AlinhaEsquerda; break;
      case Qt::Key_R: id = relatorio::AlinhaDireita; break;
      default: break;
    }
    if (id) {
      OnCmdMsg(id);
      return;
    }
  }
  if (e->key() == Qt::Key_C && mods == Qt::ControlModifier) {
    OnEditCopy();
    return;
  }
  if (e->key() == Qt::Key_F3 && mods == Qt::NoModifier) {
    OnFindNext();
    return;
  }
  if (e->key() == Qt::Key_F10 && mods == Qt::ShiftModifier) return;  // no menu
  QTextEdit::keyPressEvent(e);
}

void CLaudoView::mousePressEvent(QMouseEvent* e) { QTextEdit::mousePressEvent(e); }

// ---------------------------------------------------------------- page setup

// Dialog units: the printing furniture's conversion, shared with the page options.
int CLaudoView::MargemParaDialogo(int twips, bool cm) { return ::MargemParaDialogo(twips, cm); }
int CLaudoView::MargemDoDialogo(int valor, bool cm) { return ::MargemDoDialogo(valor, cm); }

void CLaudoView::OnPageSetup() {
  if (Vinculado()) {
    // The model's page options; whatever their result, the margins come from the model again.
    if (auto* janela = dynamic_cast<AlvoComando*>(janelaModelo_.data()); janela && janela->TemComando(relatorio::ConfiguraPagina)) {
      janela->OnCmdMsg(relatorio::ConfiguraPagina);
      ApplyModelMargins();
      return;
    }
  }
  CTarsolinApp* app = CTarsolinApp::Instancia();
  auto guarda = [this, app](const MargensTwips& m) {
    DefineMargens(m);
    if (app) {
      app->Opcoes().PageMargin = Retangulo{m.esquerda, m.superior, m.direita, m.inferior};
      app->NotificaImpressora(false);
    }
  };
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    // No printer for the system's page setup: the program's own margins dialog.
    CPageSetupDlg dlg(window());
    dlg.m_nLeftMargin = margens_.esquerda;
    dlg.m_nTopMargin = margens_.superior;
    dlg.m_nRightMargin = margens_.direita;
    dlg.m_nBottomMargin = margens_.inferior;
    if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
    guarda(MargensTwips{dlg.m_nLeftMargin, dlg.m_nTopMargin, dlg.m_nRightMargin, dlg.m_nBottomMargin});
    return;
  }
  const bool cm = medida::UnidadeAtual() == 1;
  QPrinter* p = Impressora();
  const QPageLayout::Unit unidade = cm ? QPageLayout::Millimeter : QPageLayout::Inch;
  const double escala = cm ? 100.0 : 1000.0;
  auto paraDialogo = [&](int twips) { return MargemParaDialogo(twips, cm) / escala; };
  p->setPageMargins(QMarginsF(paraDialogo(margens_.esquerda), paraDialogo(margens_.superior),
                              paraDialogo(margens_.direita), paraDialogo(margens_.inferior)),
                    unidade);
  QPageSetupDialog dlg(p, window());
  dlg.setObjectName(QStringLiteral("dlgConfigurarPagina"));
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted) return;
  const QMarginsF m = p->pageLayout().margins(unidade);
  auto doDialogo = [&](double v) { return MargemDoDialogo(int(std::lround(v * escala)), cm); };
  guarda(MargensTwips{doDialogo(m.left()), doDialogo(m.top()), doDialogo(m.right()), doDialogo(m.bottom())});
}

QPrinter* CLaudoView::Impressora() {
  static QPrinter* impressora = new QPrinter(QPrinter::HighResolution);  // the application's printer
  return impressora;
}

// ---------------------------------------------------------------- printing

QString CLaudoView::DataCabecalho(const QDateTime& quando) {
  // "%d %b %Y": the day in two digits, the month's abbreviation as the C
  // library writes it (without the dot some locales add), the year in full.
  const QDate d = quando.date();
  QString mes = QLocale().monthName(d.month(), QLocale::ShortFormat);
  if (mes.endsWith(QLatin1Char('.'))) mes.chop(1);
  return QStringLiteral("%1 %2 %3").arg(d.day(), 2, 10, QLatin1Char('0')).arg(mes).arg(d.year());
}

void CLaudoView::OnFilePrint(bool comDialogo) {
  emImpressao_ = true;
  QPrinter* p = Impressora();
  p->setFullPage(true);
  p->setDocName(doc_ ? doc_->GetTitle() : QString());
  bool imprime = true;
  if (comDialogo) {
    QPrintDialog dlg(p, window());
    dlg.setObjectName(QStringLiteral("dlgImprimir"));
    imprime = plat::ExecutaDialogo(dlg) == QDialog::Accepted;
  }
  if (imprime) Imprime(p, false);
  if (CTarsolinApp* app = CTarsolinApp::Instancia()) app->NotificaImpressora(false);
  emImpressao_ = false;
}

void CLaudoView::OnFilePrintPreview() {
  emPrevia_ = true;
  auto* moldura = qobject_cast<CDocChildFrame*>(parentWidget());
  // A text report has no ruler to bring back afterwards.
  const bool comRegua = moldura && moldura->Regua()->isVisibleTo(moldura);
  if (moldura) moldura->MostraRegua(false);
  QPrinter* p = Impressora();
  p->setFullPage(true);
  QPrintPreviewDialog dlg(p, window());
  dlg.setObjectName(QStringLiteral("dlgVisualizar"));
  dlg.setWindowTitle(QStringLiteral("Visualizar Impressão"));
  connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* pr) { Imprime(pr, true); });
  plat::ExecutaDialogo(dlg);
  // End of the preview: the ruler comes back when it was shown.
  emPrevia_ = false;
  if (comRegua) moldura->MostraRegua(true);
}

void CLaudoView::Imprime(QPrinter* printer, bool previa) {
  QPainter p;
  if (!p.begin(printer)) return;
  const double dx = printer->logicalDpiX(), dy = printer->logicalDpiY();
  // The text rectangle: the margins from the paper's edges, in the printer's pixels.
  const QRectF texto(margens_.esquerda * dx / 1440.0, margens_.superior * dy / 1440.0,
                     (papel_.width() - margens_.esquerda - margens_.direita) * dx / 1440.0,
                     (papel_.height() - margens_.superior - margens_.inferior) * dy / 1440.0);
  printer->setPageSize(QPageSize(QSizeF(papel_.width() / 20.0, papel_.height() / 20.0), QPageSize::Point));
  std::unique_ptr<QTextDocument> copia(document()->clone());
  QTextFrameFormat raiz = copia->rootFrame()->frameFormat();
  raiz.setMargin(0);
  copia->rootFrame()->setFrameFormat(raiz);
  // Qt scales fonts, tab stops and list indents to the printer, but takes a
  // paragraph's margins and first-line indent as the printer's own pixels:
  // they are the screen's, at 96 to the inch, and are scaled here.
  const double escala = dx / 96.0;
  for (QTextBlock b = copia->begin(); b.isValid(); b = b.next()) {
    QTextBlockFormat f = b.blockFormat();
    f.setLeftMargin(f.leftMargin() * escala);
    f.setRightMargin(f.rightMargin() * escala);
    f.setTextIndent(f.textIndent() * escala);
    f.setTopMargin(f.topMargin() * escala);
    f.setBottomMargin(f.bottomMargin() * escala);
    QTextCursor(b).setBlockFormat(f);
  }
  copia->documentLayout()->setPaintDevice(printer);
  copia->setPageSize(texto.size());
  const int paginas = std::max(1, copia->pageCount());
  int primeira = 1, ultima = paginas;
  if (printer->fromPage() > 0) {
    primeira = std::max(1, printer->fromPage());
    ultima = std::min(paginas, printer->toPage() > 0 ? printer->toPage() : paginas);
  }
  const QDateTime agora = QDateTime::currentDateTime();
  for (int pagina = primeira; pagina <= ultima; ++pagina) {
    if (pagina > primeira) printer->newPage();
    p.save();
    p.translate(texto.left(), texto.top() - (pagina - 1) * texto.height());
    const QRectF vista(0, (pagina - 1) * texto.height(), texto.width(), texto.height());
    p.setClipRect(vista);
    QAbstractTextDocumentLayout::PaintContext ctx;
    // The layout moves a line that would cross the page's end to the next
    // page, where it starts exactly at the edge; lines that only touch an
    // edge belong to the other page, so each line is drawn on one page only.
    ctx.clip = vista.adjusted(0, 0.5, 0, -0.5);
    ctx.palette.setColor(QPalette::Text, Qt::black);
    copia->documentLayout()->draw(&p, ctx);
    p.restore();
    if (previa) {
      // Margin guides: dotted lines across the page at the four margins.
      p.save();
      QPen pontilhado(Qt::black, 0, Qt::DotLine);
      p.setPen(pontilhado);
      const double dezMil = 10000.0;
      p.drawLine(QPointF(0, texto.top()), QPointF(dezMil * dx / 1440.0, texto.top()));
      p.drawLine(QPointF(0, texto.bottom()), QPointF(dezMil * dx / 1440.0, texto.bottom()));
      p.drawLine(QPointF(texto.left(), 0), QPointF(texto.left(), dezMil * dy / 1440.0));
      p.drawLine(QPointF(texto.right(), 0), QPointF(texto.right(), dezMil * dy / 1440.0));
      p.restore();
    }
    ImprimeCabecalhoModelo(p, printer, texto, pagina, agora);
  }
  p.end();
}

void CLaudoView::ImprimeCabecalhoModelo(QPainter& p, QPrinter* printer, const QRectF& texto, int pagina,
                                        const QDateTime& agora) {
  CTarsolinDoc* modelo = Modelo();
  if (!modelo || !modelo->GetCabecalho()) return;
  const C& c = *modelo->GetCabecalho();
  if (!c.U8(C::OffImprimeCabecalho)) return;
  p.save();
  QFont normal(QStringLiteral("Arial"));
  normal.setPointSizeF(10);
  normal.setWeight(QFont::Normal);
  QFont negrito = normal;
  negrito.setWeight(QFont::Bold);
  const QFontMetricsF fm(normal, printer);
  // Cell height plus internal and external leading.
  const double interno = fm.height() - normal.pointSizeF() * printer->logicalDpiY() / 72.0;
  const double h = fm.height() + std::max(0.0, interno) + fm.leading();
  // The top of the printable area: the page is painted from its physical corner.
  const double y0 = MetricasImpressora::De(printer).physicalOffsetY;
  const double esquerda = texto.left(), direita = texto.right();
  p.setPen(Qt::black);
  p.setFont(negrito);
  const QFontMetricsF fb(negrito, printer);
  p.drawText(QPointF(esquerda, y0 + h + fb.ascent()), c.Texto(C::OffLinhaTitulo, C::TamLinhaTitulo));
  p.setFont(normal);
  p.drawText(QPointF(esquerda, y0 + 2 * h + fm.ascent()), c.Texto(C::OffLinhaTitulo + C::TamLinhaTitulo, C::TamLinhaTitulo));
  if (c.U8(C::OffImprimeData)) {
    const QString data = DataCabecalho(agora);
    p.drawText(QPointF(direita - fm.horizontalAdvance(data), y0 + h + fm.ascent()), data);
  }
  const double d = printer->logicalDpiY();
  const double f = std::max(1.0, std::floor(d * 5 / 1440));
  const double w = std::floor(d * 39 / 1440);
  p.setPen(QPen(Qt::black, w, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(esquerda, y0 + 3 * h + f), QPointF(direita, y0 + 3 * h + f));
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(esquerda, y0 + 3 * h + 9 * f), QPointF(direita, y0 + 3 * h + 9 * f));
  if (c.U8(C::OffNumeraPaginas)) {
    p.drawLine(QPointF(esquerda, texto.bottom() + 2 * f), QPointF(direita, texto.bottom() + 2 * f));
    const QString numero = QString::number(pagina);
    p.drawText(QPointF(esquerda + std::fabs(texto.width()) / 2 - fm.horizontalAdvance(numero) / 2,
                       texto.bottom() + 6 * f + fm.ascent()),
               numero);
  }
  p.restore();
}
