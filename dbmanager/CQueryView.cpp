#include "dbmanager/CQueryView.h"

#include "dbmanager/CChildFrame.h"
#include "dbmanager/CMainFrame.h"
#include "dbmanager/CQueryDoc.h"
#include "dbmanager/ComandosBrenk.h"
#include "dbmanager/ImpressaoBrenk.h"
#include "dbmanager/PerfilFonte.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>

namespace brenk {

CQueryView::CQueryView(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("editor"));
  setAccessibleName(QStringLiteral("Consulta SQL"));
  // The SQL font all query windows share; without one stored, Courier of 15 pixels.
  FonteLogica l;
  if (!CarregaFonte(QStringLiteral("Query/Font"), l, false)) {
    l.altura = -15;
    l.peso = 400;
    l.face = QStringLiteral("Courier");
    l.passoEFamilia = 0x31;
  }
  setFont(l.ParaQFont());
  quebra_ = QSettings().value(QStringLiteral("Query/WrapWord"), 0).toInt() == 1 ? 1 : 0;
  setLineWrapMode(quebra_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

QString CQueryView::TextoConsulta() const {
  const QTextCursor c = textCursor();
  if (!c.hasSelection()) return toPlainText();
  QString t = c.selectedText();
  t.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  t.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return t;
}

QString CQueryView::Tabula(const QString& t) {
  QString r = t;
  r.replace(QLatin1String("    "), QLatin1String("\t"));
  return r;
}

QString CQueryView::Destabula(const QString& t) {
  QString r = t;
  r.replace(QLatin1Char('\t'), QLatin1String("    "));
  return r;
}

void CQueryView::ConverteSelecao(const std::function<QString(const QString&)>& f) {
  QTextCursor c = textCursor();
  if (!c.hasSelection()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int inicio = c.selectionStart();
  const QString novo = f(TextoConsulta());
  c.insertText(novo);
  c.setPosition(inicio);
  c.setPosition(inicio + int(novo.size()), QTextCursor::KeepAnchor);
  setTextCursor(c);
  QApplication::restoreOverrideCursor();
}

bool CQueryView::Habilitado(int id, bool* marcado) const {
  if (marcado) *marcado = false;
  const bool selecao = textCursor().hasSelection();
  switch (id) {
    case ID_AJUSTAR:
      if (marcado) *marcado = quebra_ == 1;
      return true;
    case ID_LIMPAR: return !document()->isEmpty();
    case ID_COLAR: return canPaste();
    case ID_COPIAR:
    case ID_RECORTAR:
    case ID_MAIUSCULA:
    case ID_MINUSCULA:
    case ID_TABULAR:
    case ID_DESTABULAR: return selecao;
    case ID_SELECIONAR_TUDO: return !document()->isEmpty();
    case ID_DESFAZER: return document()->isUndoAvailable();
    case ID_IMPRIMIR:
    case ID_FONTE: return true;
    default: return false;
  }
}

bool CQueryView::OnCmdMsg(int id) {
  switch (id) {
    case ID_AJUSTAR:
      quebra_ = quebra_ ? 0 : 1;
      setLineWrapMode(quebra_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
      QSettings().setValue(QStringLiteral("Query/WrapWord"), quebra_);
      return true;
    case ID_LIMPAR: selectAll(); textCursor().removeSelectedText(); return true;
    case ID_COLAR: paste(); return true;
    case ID_COPIAR: copy(); return true;
    case ID_RECORTAR: cut(); return true;
    case ID_DESFAZER: undo(); return true;
    case ID_SELECIONAR_TUDO: selectAll(); return true;
    case ID_MAIUSCULA: ConverteSelecao([](const QString& t) { return t.toUpper(); }); return true;
    case ID_MINUSCULA: ConverteSelecao([](const QString& t) { return t.toLower(); }); return true;
    case ID_TABULAR: ConverteSelecao(&CQueryView::Tabula); return true;
    case ID_DESTABULAR: ConverteSelecao(&CQueryView::Destabula); return true;
    case ID_FONTE: OnFonte(); return true;
    case ID_IMPRIMIR: Imprime(); return true;
    default: return false;
  }
}

void CQueryView::OnFonte() {
  QFont escolhida;
  if (!EscolheFonte(this, font(), escolhida)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CMainFrame* principal = janela_ ? janela_->Principal() : nullptr;
  if (principal) {
    for (CChildFrame* j : principal->JanelasConsulta()) j->Editor()->AplicaFonte(escolhida);
  }
  if (!principal || !principal->JanelasConsulta().contains(janela_)) AplicaFonte(escolhida);
  // Windows opened later read it from the profile.
  GravaFonte(QStringLiteral("Query/Font"), FonteLogica::DeQFont(escolhida), false);
  QApplication::restoreOverrideCursor();
}

void CQueryView::AplicaFonte(const QFont& fonte) {
  const QTextCursor selecao = textCursor();
  QTextCursor inicio(document());
  setTextCursor(inicio);
  setFont(fonte);
  setTextCursor(selecao);
  viewport()->update();
}

void CQueryView::Imprime() {
  // The job is named after the window's document.
  const QString nome = janela_ && janela_->Documento() ? janela_->Documento()->Titulo() : QString();
  ImprimeTexto(this, *document(), font(), nome);
}

void CQueryView::insertFromMimeData(const QMimeData* fonte) {
  // Only the plain text of what is pasted.
  if (fonte && fonte->hasText()) insertPlainText(fonte->text());
}

void CQueryView::contextMenuEvent(QContextMenuEvent* e) {
  QMenu menu(this);
  auto entrada = [&](int id, const QString& texto, bool ativo) {
    QAction* a = menu.addAction(texto);
    a->setEnabled(ativo);
    connect(a, &QAction::triggered, this, [this, id] {
      if (!OnCmdMsg(id) && janela_) janela_->OnCmdMsg(id);
    });
  };
  const bool selecao = textCursor().hasSelection();
  entrada(ID_RECORTAR, QStringLiteral("Recortar"), selecao);
  entrada(ID_COPIAR, QStringLiteral("Copiar"), selecao);
  entrada(ID_COLAR, QStringLiteral("Colar"), canPaste());
  menu.addSeparator();
  entrada(ID_EXECUTAR, QStringLiteral("Executar"), janela_ && janela_->Habilitado(ID_EXECUTAR));
  entrada(ID_CANCELAR, QStringLiteral("Cancelar Consulta em execução"), janela_ && janela_->Habilitado(ID_CANCELAR));
  menu.addSeparator();
  entrada(ID_SELECIONAR_TUDO, QStringLiteral("Selecionar Tudo"), !document()->isEmpty());
  entrada(ID_LIMPAR, QStringLiteral("Limpar"), !document()->isEmpty());
  menu.addSeparator();
  entrada(ID_FONTE, QStringLiteral("Fonte..."), true);
  menu.exec(e->globalPos());
}

}  // namespace brenk
