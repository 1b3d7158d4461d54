#include "CInPlaceEdit.h"

#include "CTableCtrl.h"

#include <QPointer>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

CInPlaceEdit::CInPlaceEdit(CTableCtrl* grade, QRect rect, Qt::Alignment alinhamento, int idControle, int row, int col,
                           const QString& inicial, int tecla, const QString& digitado, int limite)
    : QLineEdit(grade->viewport()), grade_(grade), row_(row), col_(col), inicial_(inicial),
      sairComSetas_(tecla != VK_LBUTTON), rect_(rect) {
  setObjectName(QString::number(idControle));
  setFrame(true);
  setAlignment(alinhamento | Qt::AlignVCenter);
  setFont(grade->font());
  if (limite > 0) setMaxLength(limite);
  setText(inicial);
  setGeometry(rect);
  setAttribute(Qt::WA_DeleteOnClose);
  show();
  setFocus(Qt::OtherFocusReason);
  if (!digitado.isEmpty()) {
    // A typed character replaces the whole text.
    selectAll();
    insert(digitado);
  } else if (tecla == VK_LBUTTON || tecla == VK_RETURN) {
    end(false);
  } else if (tecla == VK_BACK) {
    end(false);
    backspace();
  } else {
    selectAll();  // F2, Tab and the navigation keys
  }
  Alarga();
}

CInPlaceEdit::~CInPlaceEdit() {
  if (celula_) celula_->AfterEdit();
}

void CInPlaceEdit::RecebeTecla(int tecla, const QString& digitado) {
  if (!digitado.isEmpty()) insert(digitado);
  else if (tecla == VK_BACK) backspace();
}

void CInPlaceEdit::SaiPara(int tecla, Qt::KeyboardModifiers mods) {
  teclaFinal_ = tecla;
  modificadores_ = mods;
  // The grid takes the focus back, which ends the edit.
  grade_->setFocus(Qt::OtherFocusReason);
  if (!terminando_) EndEdit();
}

bool CInPlaceEdit::event(QEvent* e) {
  // Tab must reach keyPressEvent instead of moving the focus.
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      keyPressEvent(k);
      return true;
    }
  }
  return QLineEdit::event(e);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* e) {
  if (e->modifiers() & Qt::AltModifier) return;  // system characters are swallowed
  switch (e->key()) {
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Left: case Qt::Key_Right:
    case Qt::Key_Up: case Qt::Key_Down:
      if (sairComSetas_ || (e->modifiers() & Qt::ControlModifier)) {
        SaiPara(GridVirtualKey(e->key()), e->modifiers());
        return;
      }
      break;
    case Qt::Key_Escape:
      setText(inicial_);
      SaiPara(VK_ESCAPE);
      return;
    case Qt::Key_Tab: case Qt::Key_Backtab:
      SaiPara(VK_TAB, e->key() == Qt::Key_Backtab ? (e->modifiers() | Qt::ShiftModifier) : e->modifiers());
      return;
    case Qt::Key_Return: case Qt::Key_Enter:
      SaiPara(VK_RETURN);
      return;
    default:
      break;
  }
  QLineEdit::keyPressEvent(e);
  Alarga();
}

void CInPlaceEdit::Alarga() {
  // Widen while the text plus two blanks no longer fits, up to the right edge
  // of the grid's client area.
  const QFontMetrics fm(font());
  const int preciso = fm.horizontalAdvance(text() + QStringLiteral("  ")) + 8;
  if (preciso <= width()) return;
  const int limite = parentWidget() ? parentWidget()->width() - x() : preciso;
  resize(std::max(width(), std::min(preciso, limite)), height());
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (e->reason() == Qt::PopupFocusReason) return;  // a context menu of the box itself
  EndEdit();
}

void CInPlaceEdit::EndEdit() {
  if (terminando_) return;
  terminando_ = true;
  GridDisplayRequest fim;
  fim.hdr.hwndFrom = nullptr;
  fim.hdr.idFrom = IdControle;
  fim.hdr.code = GVN_ENDLABELEDIT;
  fim.item.row = row_;
  fim.item.col = col_;
  fim.item.mask = GVIF_TEXT | GVIF_PARAM;
  fim.item.lParam = teclaFinal_;
  fim.item.strText = text();
  const QPointer<CInPlaceEdit> vivo(this);
  hide();
  grade_->OnEndInPlaceEdit(fim, modificadores_);
  if (vivo) {
    if (celula_) celula_->AfterEdit();
    celula_ = nullptr;
    close();  // deletes itself
  }
}
