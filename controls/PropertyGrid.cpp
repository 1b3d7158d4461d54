#include "PropertyGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>

namespace {

// Edits values in place: a line for text and numbers, a list for drop-downs.
// The model is never written directly: a changed value goes through the
// item, which tells the grid's owner.
class DelegadoGrade : public QStyledItemDelegate {
public:
  explicit DelegadoGrade(PropertyGrid* g) : QStyledItemDelegate(g), grade_(g) {}

  PropertyGridItem* ItemDe(const QModelIndex& i) const {
    QTreeWidgetItem* t = grade_->itemFromIndex(i);
    return t && t->type() == PropertyGridItem::Tipo ? static_cast<PropertyGridItem*>(t) : nullptr;
  }

  QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem&, const QModelIndex& i) const override {
    PropertyGridItem* it = ItemDe(i);
    if (!it || i.column() != 1) return nullptr;
    if (it->GetFlags() & PropertyGridItem::HasComboButton) {
      auto* c = new QComboBox(pai);
      c->setObjectName(QStringLiteral("PropertyGridCombo"));
      c->setEditable(it->GetFlags() & PropertyGridItem::HasEdit);
      c->addItems(it->GetConstraints());
      auto* eu = const_cast<DelegadoGrade*>(this);
      QObject::connect(c, &QComboBox::activated, eu, [eu, c] {
        emit eu->commitData(c);
        emit eu->closeEditor(c);
      });
      return c;
    }
    auto* e = new QLineEdit(pai);
    e->setObjectName(QStringLiteral("PropertyGridEdit"));
    e->setFrame(false);
    return e;
  }
  void setEditorData(QWidget* ed, const QModelIndex& i) const override {
    PropertyGridItem* it = ItemDe(i);
    if (!it) return;
    if (auto* c = qobject_cast<QComboBox*>(ed)) {
      const int k = it->GetConstraintIndex() >= 0 ? it->GetConstraintIndex()
                                                  : int(it->GetConstraints().indexOf(it->GetValue()));
      c->setCurrentIndex(k);
      if (c->isEditable()) c->setEditText(it->GetValue());
    } else if (auto* e = qobject_cast<QLineEdit*>(ed)) {
      e->setText(it->GetValue());
      e->selectAll();
    }
  }
  void setModelData(QWidget* ed, QAbstractItemModel*, const QModelIndex& i) const override {
    PropertyGridItem* it = ItemDe(i);
    if (!it) return;
    if (auto* c = qobject_cast<QComboBox*>(ed)) {
      const QString v = c->currentText();
      const int k = c->currentIndex();
      if (v == it->GetValue() && k == it->GetConstraintIndex()) return;
      it->SetConstraintIndex(k);
      it->OnValueChanged(v);
    } else if (auto* e = qobject_cast<QLineEdit*>(ed)) {
      if (e->text() != it->GetValue()) it->OnValueChanged(e->text());
    }
  }
  void updateEditorGeometry(QWidget* ed, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    PropertyGridItem* it = ItemDe(i);
    ed->setGeometry(it ? it->GetValueRect() : o.rect);
  }
  void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
    QStyleOptionViewItem op = o;
    PropertyGridItem* it = ItemDe(i);
    if (it && i.column() == 1) {
      // The value text stays inside the item's value rectangle (room for in-place parts).
      const QRect v = it->GetValueRect();
      op.rect.setRight(std::min(op.rect.right(), v.right()));
      if (it->GetReadOnly()) op.palette.setColor(QPalette::Text, o.palette.color(QPalette::Disabled, QPalette::Text));
    }
    QStyledItemDelegate::paint(p, op, i);
    // A light line under each row and between caption and value.
    p->save();
    p->setPen(o.palette.color(QPalette::Midlight));
    p->drawLine(o.rect.bottomLeft(), o.rect.bottomRight());
    if (i.column() == 0 && !(it && it->IsCategory())) p->drawLine(o.rect.topRight(), o.rect.bottomRight());
    p->restore();
  }

private:
  PropertyGrid* grade_;
};

}  // namespace

// ---------------------------------------------------------------- items

PropertyGridItem::PropertyGridItem(const QString& legenda, const QString& valor) : QTreeWidgetItem(Tipo) {
  setText(0, legenda);
  setText(1, valor);
  setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
}

PropertyGridItem::~PropertyGridItem() {
  if (PropertyGrid* g = GetGrid()) g->ItemRemovido(this);
}

PropertyGrid* PropertyGridItem::GetGrid() const { return qobject_cast<PropertyGrid*>(treeWidget()); }

void PropertyGridItem::SetValue(const QString& valor) { setText(1, valor); }

void PropertyGridItem::SetReadOnly(bool sim) {
  somenteLeitura_ = sim;
  if (PropertyGrid* g = GetGrid()) g->viewport()->update();
}

void PropertyGridItem::SetConstraintIndex(int i) {
  indiceRestricao_ = i >= 0 && i < restricoes_.size() ? i : -1;
}

PropertyGridItem* PropertyGridItem::AddChildItem(PropertyGridItem* filho) {
  addChild(filho);
  return filho;
}

void PropertyGridItem::Select() {
  if (PropertyGrid* g = GetGrid()) g->setCurrentItem(this, 1);
}

QRect PropertyGridItem::GetValueRect() const {
  PropertyGrid* g = GetGrid();
  if (!g) return QRect();
  const QRect linha = g->visualItemRect(this);
  return QRect(g->header()->sectionViewportPosition(1), linha.top(), g->header()->sectionSize(1), linha.height());
}

void PropertyGridItem::OnValueChanged(const QString& valor) {
  SetValue(valor);
  if (PropertyGrid* g = GetGrid()) emit g->valueChanged(this);
}

PropertyGridItemNumber::PropertyGridItemNumber(const QString& legenda, int valor)
    : PropertyGridItem(legenda, QString::number(valor)) {}

int PropertyGridItemNumber::GetNumber() const {
  bool ok = false;
  const int n = GetValue().trimmed().toInt(&ok);
  return ok ? n : 0;
}

void PropertyGridItemNumber::SetNumber(int n) { SetValue(QString::number(n)); }

// ---------------------------------------------------------------- grid

PropertyGrid::PropertyGrid(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("PropertyGrid"));
  setColumnCount(2);
  setHeaderHidden(true);
  setHeaderLabels({QStringLiteral("Propriedade"), QStringLiteral("Valor")});
  setItemDelegate(new DelegadoGrade(this));
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setIndentation(12);
  header()->setStretchLastSection(true);
  header()->setSectionResizeMode(0, QHeaderView::Interactive);
  connect(this, &QTreeWidget::currentItemChanged, this, &PropertyGrid::AoMudarAtual);
  connect(this, &QTreeWidget::itemExpanded, this, [this] { Reposiciona(); });
  connect(this, &QTreeWidget::itemCollapsed, this, [this] { Reposiciona(); });
  connect(header(), &QHeaderView::sectionResized, this, [this] { Reposiciona(); });
}

PropertyGrid::~PropertyGrid() {
  if (selecionado_) selecionado_->OnDeselect();
  selecionado_ = nullptr;
}

PropertyGridItem* PropertyGrid::AddCategory(const QString& legenda) {
  auto* c = new PropertyGridItem(legenda);
  c->categoria_ = true;
  c->SetFlags(0);
  c->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  QFont f = font();
  f.setBold(true);
  c->setFont(0, f);
  const QBrush fundo(palette().color(QPalette::Button));
  c->setBackground(0, fundo);
  c->setBackground(1, fundo);
  addTopLevelItem(c);
  c->setFirstColumnSpanned(true);
  return c;
}

void PropertyGrid::ResetContent() {
  if (selecionado_) selecionado_->OnDeselect();
  selecionado_ = nullptr;
  clear();
}

PropertyGridItem* PropertyGrid::FindItem(const QString& legenda) const {
  for (QTreeWidgetItemIterator it(const_cast<PropertyGrid*>(this)); *it; ++it)
    if ((*it)->type() == PropertyGridItem::Tipo && (*it)->text(0) == legenda)
      return static_cast<PropertyGridItem*>(*it);
  return nullptr;
}

PropertyGridItem* PropertyGrid::GetSelectedItem() const {
  QTreeWidgetItem* i = currentItem();
  return i && i->type() == PropertyGridItem::Tipo ? static_cast<PropertyGridItem*>(i) : nullptr;
}

void PropertyGrid::SetCaptionWidth(int largura) {
  larguraLegenda_ = largura;
  header()->resizeSection(0, largura);
}

void PropertyGrid::ItemRemovido(PropertyGridItem* item) {
  if (selecionado_ == item) selecionado_ = nullptr;
}

bool PropertyGrid::edit(const QModelIndex& indice, EditTrigger gatilho, QEvent* evento) {
  if (!indice.isValid()) return QTreeWidget::edit(indice, gatilho, evento);
  const QModelIndex valor = indice.sibling(indice.row(), 1);
  QTreeWidgetItem* t = itemFromIndex(valor);
  auto* it = t && t->type() == PropertyGridItem::Tipo ? static_cast<PropertyGridItem*>(t) : nullptr;
  if (!it || it->IsCategory() || it->GetReadOnly() ||
      !(it->GetFlags() & (PropertyGridItem::HasEdit | PropertyGridItem::HasComboButton)))
    return false;
  return QTreeWidget::edit(valor, gatilho, evento);
}

void PropertyGrid::AoMudarAtual(QTreeWidgetItem* atual, QTreeWidgetItem* anterior) {
  if (selecionado_ && selecionado_ == anterior) selecionado_->OnDeselect();
  selecionado_ = atual && atual->type() == PropertyGridItem::Tipo ? static_cast<PropertyGridItem*>(atual) : nullptr;
  if (selecionado_ && !selecionado_->GetReadOnly() && !selecionado_->IsCategory()) selecionado_->OnSelect();
}

void PropertyGrid::Reposiciona() {
  if (selecionado_) selecionado_->Reposition();
}

void PropertyGrid::resizeEvent(QResizeEvent* e) {
  QTreeWidget::resizeEvent(e);
  // A width the owner chose outlives the first layout; otherwise the captions take half.
  if (e->oldSize().width() <= 0 || header()->sectionSize(0) <= 0)
    header()->resizeSection(0, larguraLegenda_ > 0 ? larguraLegenda_ : e->size().width() / 2);
  Reposiciona();
}

void PropertyGrid::scrollContentsBy(int dx, int dy) {
  QTreeWidget::scrollContentsBy(dx, dy);
  Reposiciona();
}

void PropertyGrid::updateGeometries() {
  QTreeWidget::updateGeometries();
  Reposiciona();
}
