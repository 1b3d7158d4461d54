#include "dbmanager/CResultView.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CExportDlg.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/ImpressaoBrenk.h"
#include "dbmanager/PerfilFonte.h"
#include "dbmanager/CQueryView.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/ExportacaoDelimitada.h"
#include "dbmanager/ModeloGrade.h"
#include "dbmanager/RotinasBrenk.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Dialogo.h"
#include "platform/Mensagem.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStackedLayout>
#include <QTableView>

namespace brenk {

namespace {
struct CursorEspera {
  CursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CursorEspera() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

CResultView::CResultView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("resultado"));
  pilha_ = new QStackedLayout(this);
  pilha_->setContentsMargins(0, 0, 0, 0);
  texto_ = new QPlainTextEdit(this);
  texto_->setObjectName(QStringLiteral("texto"));
  texto_->setAccessibleName(QStringLiteral("Resultados"));
  texto_->setReadOnly(true);
  texto_->setContextMenuPolicy(Qt::NoContextMenu);
  quebra_ = QSettings().value(QStringLiteral("Result/WrapWord"), 0).toInt() == 1 ? 1 : 0;
  texto_->setLineWrapMode(quebra_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  FonteLogica l;
  if (!CarregaFonte(QStringLiteral("Result/Font"), l, false)) {
    l.altura = -15;
    l.peso = 400;
    l.face = QStringLiteral("Courier");
    l.passoEFamilia = 0x31;
  }
  texto_->setFont(l.ParaQFont());
  pilha_->addWidget(texto_);
}

void CResultView::DefineTexto(const QString& texto) {
  texto_->setPlainText(texto);
  texto_->moveCursor(QTextCursor::Start);
  pilha_->setCurrentWidget(texto_);
}

QString CResultView::Texto() const { return texto_->toPlainText(); }

int CResultView::LinhasTexto() const { return texto_->document()->blockCount(); }

void CResultView::AdicionaGrade(QTableView* grade) {
  grade->setContextMenuPolicy(Qt::NoContextMenu);
  pilha_->addWidget(grade);
}

void CResultView::MostraGrade(QTableView* grade) {
  texto_->clear();
  pilha_->setCurrentWidget(grade);
}

QTableView* CResultView::GradeAtual() const { return qobject_cast<QTableView*>(pilha_->currentWidget()); }

ModeloGrade* CResultView::ModeloAtual() const {
  QTableView* g = GradeAtual();
  return g ? qobject_cast<ModeloGrade*>(g->model()) : nullptr;
}

bool CResultView::ModoGrade() const {
  QTableView* g = GradeAtual();
  return g && !g->isHidden();
}

FaixaGrade CResultView::Selecao() const {
  FaixaGrade f;
  QTableView* g = GradeAtual();
  if (!g || !g->model()) return f;
  // The current cell and the other corner of the block, each pair in order.
  QModelIndex atual = g->currentIndex();
  int r1 = atual.isValid() ? atual.row() : 0, r2 = r1, c1 = atual.isValid() ? atual.column() : 0, c2 = c1;
  const QItemSelection sel = g->selectionModel() ? g->selectionModel()->selection() : QItemSelection();
  if (!sel.isEmpty()) {
    r1 = c1 = INT_MAX;
    r2 = c2 = -1;
    for (const QItemSelectionRange& s : sel) {
      r1 = qMin(r1, s.top());
      r2 = qMax(r2, s.bottom());
      c1 = qMin(c1, s.left());
      c2 = qMax(c2, s.right());
    }
  }
  // View rows are the grid's records: grid row = view row + 1.
  f.linha1 = r1 + 1;
  f.linha2 = r2 + 1;
  f.coluna1 = c1;
  f.coluna2 = c2;
  return f;
}

void CResultView::Status(const QString& texto) {
  if (janela_) janela_->DefineTextoPainel(0, texto);
}

bool CResultView::Habilitado(int id, bool* marcado) const {
  if (marcado) *marcado = false;
  const bool grade = ModoGrade();
  switch (id) {
    case ID_COPIAR: return grade || texto_->textCursor().hasSelection();
    case ID_SALVAR_SELECAO: return grade;
    case ID_SALVAR_COMO: return grade || !texto_->document()->isEmpty();
    case ID_SELECIONAR_TUDO:
      return grade ? (ModeloAtual() && ModeloAtual()->rowCount() > 0 && !ModeloAtual()->Vazia())
                   : !texto_->document()->isEmpty();
    case ID_LIMPAR: return (grade || !texto_->document()->isEmpty()) && !(janela_ && janela_->Executando());
    case ID_AJUSTAR:
      if (marcado) *marcado = quebra_ == 1;
      return !grade;
    case ID_IMPRIMIR: return !grade;
    case ID_FONTE: return true;
    default: return false;
  }
}

bool CResultView::OnCmdMsg(int id) {
  switch (id) {
    case ID_COPIAR: Copia(); return true;
    case ID_SALVAR_SELECAO: SalvaResultados(true); return true;
    case ID_SALVAR_COMO:
      if (ModoGrade()) SalvaResultados(false);
      else SalvaTexto();
      return true;
    case ID_SELECIONAR_TUDO: SelecionaTudo(); return true;
    case ID_LIMPAR: Limpa(); return true;
    case ID_AJUSTAR: AlternaQuebra(); return true;
    case ID_IMPRIMIR: if (!ModoGrade()) Imprime(); return true;
    case ID_FONTE: OnFonte(); return true;
    default: return false;
  }
}

void CResultView::Imprime() {
  // The job is named after the object on show, else "Consulta".
  if (titulo_.isEmpty()) titulo_ = QStringLiteral("Consulta");
  ImprimeTexto(this, *texto_->document(), texto_->font(), titulo_);
}

void CResultView::OnFonte() {
  CMainFrame* principal = janela_ ? janela_->Principal() : nullptr;
  QList<CChildFrame*> janelas = principal ? principal->JanelasConsulta() : QList<CChildFrame*>();
  if (janela_ && !janelas.contains(janela_)) janelas << janela_;
  QFont escolhida;
  if (ModoGrade()) {
    if (!EscolheFonte(this, GradeAtual()->font(), escolhida)) return;
    CursorEspera espera;
    const FonteLogica l = FonteLogica::DeQFont(escolhida);
    for (CChildFrame* j : janelas) j->DefineFonteGrade(l);
    GravaFonte(QStringLiteral("Grid/Font"), l, true);
    return;
  }
  if (!EscolheFonte(this, texto_->font(), escolhida)) return;
  CursorEspera espera;
  for (CChildFrame* j : janelas) j->Resultado()->AplicaFonteTexto(escolhida);
  GravaFonte(QStringLiteral("Result/Font"), FonteLogica::DeQFont(escolhida), false);
}

void CResultView::AplicaFonteTexto(const QFont& fonte) {
  const QTextCursor selecao = texto_->textCursor();
  texto_->setTextCursor(QTextCursor(texto_->document()));
  texto_->setFont(fonte);
  texto_->setTextCursor(selecao);
  texto_->viewport()->update();
}

void CResultView::Copia() {
  if (!ModoGrade()) {
    texto_->copy();
    return;
  }
  CursorEspera espera;
  Status(QStringLiteral("Copiando..."));
  if (const ModeloGrade* m = ModeloAtual()) QApplication::clipboard()->setText(TextoCopia(*m, Selecao()));
}

void CResultView::SelecionaTudo() {
  if (!ModoGrade()) {
    texto_->selectAll();
    return;
  }
  // Every record cell; the heading row stays out.
  QTableView* g = GradeAtual();
  g->setCurrentIndex(g->model()->index(0, 0));
  g->selectAll();
}

void CResultView::SalvaResultados(bool selecao) {
  CursorEspera espera;
  CExportDlg dlg(selecao ? QStringLiteral("Salvar Seleção") : QStringLiteral("Salvar a Grade de Resultados"), selecao, this);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.Caminho().isEmpty()) return;
  const QString caminho = dlg.Caminho();
  QByteArray bytes;
  if (selecao) {
    Status(QStringLiteral("Salvando seleção..."));
    if (const ModeloGrade* m = ModeloAtual()) bytes = TextoSelecao(*m, Selecao(), dlg.Delimitador());
  } else {
    Status(QStringLiteral("Salvando a grade de resultados..."));
    QList<const ModeloGrade*> grades;
    for (int i = 1; janela_ && i <= janela_->NumeroGrades(); ++i) grades << janela_->Grade(i);
    bytes = TextoGrades(grades, dlg.Delimitador(), dlg.NomesColunas());
  }
  plat::GravacaoSegura g(caminho);
  if (!g.Aberta() || !g.Escreve(bytes.constData(), std::size_t(bytes.size())) || !g.Confirma())
    plat::MessageBox(QStringLiteral("Caminho do arquivo: <%1> ").arg(caminho) + g.Erro());
}

void CResultView::SalvaTexto() {
  CursorEspera espera;
  QFileDialog dlg(this);
  dlg.setObjectName(QStringLiteral("dlgSalvarTexto"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  if (!titulo_.isEmpty() && texto_->toPlainText().contains(titulo_, Qt::CaseInsensitive)) {
    // The source of an object is saved as a query file named after it.
    dlg.setDefaultSuffix(QStringLiteral("tsq"));
    dlg.setNameFilters({QStringLiteral("Arquivos de consulta (*.tsq)"), QStringLiteral("All Files (*.*)")});
  } else {
    dlg.setDefaultSuffix(QStringLiteral("txt"));
    dlg.setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files(*.*)")});
    titulo_ = QStringLiteral("Untitled");
  }
  dlg.selectFile(titulo_);
  if (plat::ExecutaDialogo(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  const QString caminho = dlg.selectedFiles().first();
  const QByteArray bytes = texto_->toPlainText().toUtf8();
  plat::GravacaoSegura g(caminho);
  if (!g.Aberta() || !g.Escreve(bytes.constData(), std::size_t(bytes.size())) || !g.Confirma())
    plat::MessageBox(QStringLiteral("Caminho do arquivo: %1").arg(caminho) + g.Erro());
}

void CResultView::Limpa() {
  if (plat::MessageBox(QStringLiteral("The requested operation cannot be undone. Are you sure you wish to continue?"),
                       QString(), plat::MB_YESNO | plat::MB_ICONQUESTION) != plat::IDYES)
    return;
  if (!janela_) return;
  if (ModoGrade()) {
    janela_->Editor()->setFocus();
    janela_->LimpaResultados(QString());
    texto_->setFocus();
  } else {
    janela_->LimpaTextoGuardado(janela_->MostrandoMensagens());
    texto_->clear();
  }
  janela_->AlternaMensagens();
  janela_->AposLimpar();
}

void CResultView::DesligaQuebra() {
  if (quebra_ == 0) return;
  quebra_ = 0;
  texto_->setLineWrapMode(QPlainTextEdit::NoWrap);
}

void CResultView::AlternaQuebra() {
  quebra_ = quebra_ ? 0 : 1;
  texto_->setLineWrapMode(quebra_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  QSettings().setValue(QStringLiteral("Result/WrapWord"), quebra_);
}

void CResultView::contextMenuEvent(QContextMenuEvent* e) {
  QMenu menu(this);
  auto entrada = [&](int id, const QString& texto) {
    QAction* a = menu.addAction(texto);
    a->setEnabled(Habilitado(id, nullptr));
    connect(a, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
  };
  if (ModoGrade()) {
    entrada(ID_COPIAR, QStringLiteral("Copiar"));
    entrada(ID_SALVAR_SELECAO, QStringLiteral("Save Selection..."));
  } else {
    entrada(ID_COPIAR, QStringLiteral("Copiar"));
    entrada(ID_SELECIONAR_TUDO, QStringLiteral("Selecionar Tudo"));
    entrada(ID_SALVAR_COMO, QStringLiteral("Salvar Como..."));
    entrada(ID_IMPRIMIR, QStringLiteral("Imprimir..."));
  }
  menu.addSeparator();
  entrada(ID_FONTE, QStringLiteral("Fonte..."));
  menu.exec(e->globalPos());
}

}  // namespace brenk
