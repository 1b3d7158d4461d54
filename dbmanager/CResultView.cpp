#include "dbmanager/CResultView.h"

#include <QPlainTextEdit>
#include <QStackedLayout>
#include <QTableView>

namespace brenk {

CResultView::CResultView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("resultado"));
  pilha_ = new QStackedLayout(this);
  pilha_->setContentsMargins(0, 0, 0, 0);
  texto_ = new QPlainTextEdit(this);
  texto_->setObjectName(QStringLiteral("texto"));
  texto_->setAccessibleName(QStringLiteral("Resultados"));
  texto_->setReadOnly(true);
  texto_->setLineWrapMode(QPlainTextEdit::NoWrap);
  pilha_->addWidget(texto_);
}

void CResultView::DefineTexto(const QString& texto) {
  texto_->setPlainText(texto);
  texto_->moveCursor(QTextCursor::Start);
  pilha_->setCurrentWidget(texto_);
}

QString CResultView::Texto() const { return texto_->toPlainText(); }

int CResultView::LinhasTexto() const { return texto_->document()->blockCount(); }

void CResultView::AdicionaGrade(QTableView* grade) { pilha_->addWidget(grade); }

void CResultView::MostraGrade(QTableView* grade) {
  texto_->clear();
  pilha_->setCurrentWidget(grade);
}

QTableView* CResultView::GradeAtual() const { return qobject_cast<QTableView*>(pilha_->currentWidget()); }

}  // namespace brenk
