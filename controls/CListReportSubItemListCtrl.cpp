#include "CListReportSubItemListCtrl.h"

#include "CListReportCtrl.h"
#include "CPlainHeaderCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

namespace {
constexpr int PapelColuna = Qt::UserRole;
constexpr int PapelDesabilitada = Qt::UserRole + 1;

// Items drawn like header buttons; disabled columns embossed.
class DelegadoBotao : public QStyledItemDelegate {
public:
  explicit DelegadoBotao(QListWidget* lista) : QStyledItemDelegate(lista), lista_(lista) {}
  QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    QSize s = QStyledItemDelegate::sizeHint(o, i);
    s.setHeight(o.fontMetrics.height() + 2 + 4);
    return s;
  }
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    const QPalette& pal = lista_->palette();
    QRect r = o.rect;
    p->save();
    p->fillRect(r, pal.color(QPalette::Button));
    qDrawShadePanel(p, r.adjusted(1, 1, -1, -1), pal, false, 1);
    r.adjust(2, 2, -2, -2);
    const bool selecionado = o.state & QStyle::State_Selected;
    const bool desabilitada = i.data(PapelDesabilitada).toBool();
    const QString texto = o.fontMetrics.elidedText(i.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                                   r.width() - 4);
    const int al = int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
    if (selecionado) {
      p->fillRect(r, pal.color(QPalette::Dark));
      p->setPen(desabilitada ? pal.color(QPalette::Button) : pal.color(QPalette::Light));
      p->drawText(r.adjusted(2, 0, 0, 0), al, texto);
    } else if (desabilitada) {
      p->setPen(pal.color(QPalette::Light));
      p->drawText(r.adjusted(3, 1, 1, 1), al, texto);
      p->setPen(pal.color(QPalette::Dark));
      p->drawText(r.adjusted(2, 0, 0, 0), al, texto);
    } else {
      p->setPen(pal.color(QPalette::WindowText));
      p->drawText(r.adjusted(2, 0, 0, 0), al, texto);
    }
    p->restore();
  }

private:
  QListWidget* lista_;
};
}  // namespace

CListReportSubItemListCtrl::CListReportSubItemListCtrl(QWidget* parent) : QListWidget(parent) {
  setObjectName(QStringLiteral("ListReportColumnChooser"));
  setItemDelegate(new DelegadoBotao(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(false);
  setMouseTracking(true);
}

CListReportSubItemListCtrl::~CListReportSubItemListCtrl() {
  TerminaArrasto(false);
  if (dono_ && dono_->ColumnChooser() == this) dono_->AttachColumnChooser(nullptr);
}

void CListReportSubItemListCtrl::SetOwner(CListReportCtrl* dono) {
  clear();
  dono_ = dono;
}

bool CListReportSubItemListCtrl::AcceptsColumn(int) const { return true; }

bool CListReportSubItemListCtrl::IsColumnDisabled(int) const { return false; }

int CListReportSubItemListCtrl::ColumnOfRow(int linha) const {
  const QListWidgetItem* i = item(linha);
  return i ? i->data(PapelColuna).toInt() : -1;
}

void CListReportSubItemListCtrl::Refill() {
  clear();
  if (!dono_) return;
  for (int c = 0; c < dono_->DefinedColumnCount(); ++c) {
    if (dono_->IsColumnShown(c) || !AcceptsColumn(c)) continue;
    auto* i = new QListWidgetItem(dono_->ColumnDefinition(c)->caption, this);
    i->setData(PapelColuna, c);
    i->setData(PapelDesabilitada, IsColumnDisabled(c));
  }
}

void CListReportSubItemListCtrl::mousePressEvent(QMouseEvent* e) {
  QListWidget::mousePressEvent(e);
  linhaPressionada_ = -1;
  if (e->button() != Qt::LeftButton) return;
  QListWidgetItem* i = itemAt(e->position().toPoint());
  if (!i || IsColumnDisabled(i->data(PapelColuna).toInt())) return;
  linhaPressionada_ = row(i);
  pressao_ = e->position().toPoint();
  retItem_ = visualItemRect(i);
}

void CListReportSubItemListCtrl::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton) || linhaPressionada_ < 0 || !dono_ || !dono_->Header()) {
    QListWidget::mouseMoveEvent(e);
    return;
  }
  CPlainHeaderCtrl* header = dono_->Header();
  const QPoint g = e->globalPosition().toPoint();
  if (colunaArrastada_ < 0) {
    if ((e->position().toPoint() - pressao_).manhattanLength() < QApplication::startDragDistance()) return;
    colunaArrastada_ = ColumnOfRow(linhaPressionada_);
    HeaderItem h;
    h.format = HeaderFormat::String;
    h.text = item(linhaPressionada_)->text().left(79);
    h.width = viewport()->width();
    janela_ = new CPHDragWnd;
    janela_->Create(QRect(g, QSize(h.width, retItem_.height())), header, -1, h);
    retLista_ = QRect(mapToGlobal(QPoint(0, 0)), size());
    retHeader_ = QRect(header->mapToGlobal(QPoint(0, 0)), header->size());
    QApplication::setOverrideCursor(Qt::DragMoveCursor);
    cursorSobreposto_ = true;
  }
  if (janela_) janela_->move(g - QPoint(janela_->width() / 2, janela_->height() / 2));
  if (retLista_.contains(g)) {
    header->SetHotDivider(false, QPoint(), -1);
    divisor_ = -1;
    QApplication::changeOverrideCursor(Qt::DragMoveCursor);
    return;
  }
  divisor_ = header->SetHotDivider(true, g);
  const bool sobreHeader = retHeader_.contains(g);
  // An empty header takes the column at its first position.
  if (sobreHeader && header->GetItemCount() == 0) divisor_ = 0;
  QApplication::changeOverrideCursor(sobreHeader ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void CListReportSubItemListCtrl::TerminaArrasto(bool soltar) {
  const int coluna = colunaArrastada_, divisor = divisor_;
  colunaArrastada_ = -1;
  divisor_ = -1;
  linhaPressionada_ = -1;
  if (janela_) janela_->close();
  janela_ = nullptr;
  if (cursorSobreposto_) {
    QApplication::restoreOverrideCursor();
    cursorSobreposto_ = false;
  }
  if (dono_ && dono_->Header()) dono_->Header()->SetHotDivider(false, QPoint(), -1);
  if (soltar && coluna >= 0 && divisor >= 0 && dono_) dono_->ShowColumnAt(coluna, divisor);
}

void CListReportSubItemListCtrl::mouseReleaseEvent(QMouseEvent* e) {
  if (colunaArrastada_ >= 0) {
    TerminaArrasto(e->button() == Qt::LeftButton);
    return;
  }
  linhaPressionada_ = -1;
  QListWidget::mouseReleaseEvent(e);
}

void CListReportSubItemListCtrl::keyPressEvent(QKeyEvent* e) {
  if (colunaArrastada_ >= 0 && e->key() == Qt::Key_Escape) {
    TerminaArrasto(false);
    return;
  }
  QListWidget::keyPressEvent(e);
}
