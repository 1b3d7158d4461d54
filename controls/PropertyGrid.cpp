#include "PropertyGrid.h"

#include <QAction>
#include <QActionGroup>
#include <QCollator>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>
#include <map>

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
  PropertyGrid* g = GetGrid();
  if (categoria_ && g && g->GetPropertySort() == PropertyGrid::Alfabetica) {
    g->InsereAlfabetico(this, filho);
    return filho;
  }
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
  // The tool bar's buttons follow the items there are.
  for (auto sinal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
    connect(model(), sinal, this, [this] { AtualizaBarra(); });
  connect(model(), &QAbstractItemModel::modelReset, this, [this] { AtualizaBarra(); });
}

namespace {

// The tool bar's pictures, 16 x 16: categories with their items under them,
// and the letters A over Z with an arrow down.
QIcon IconeCategorias() {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter d(&p);
  for (int y : {1, 9}) {
    d.fillRect(1, y, 14, 3, QColor(70, 70, 70));
    d.fillRect(5, y + 4, 10, 2, QColor(120, 120, 170));
  }
  return QIcon(p);
}

QIcon IconeAlfabetico() {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter d(&p);
  QFont f = d.font();
  f.setPixelSize(7);
  f.setBold(true);
  d.setFont(f);
  d.setPen(QColor(40, 40, 40));
  d.drawText(QRect(0, 0, 9, 8), Qt::AlignCenter, QStringLiteral("A"));
  d.drawText(QRect(0, 8, 9, 8), Qt::AlignCenter, QStringLiteral("Z"));
  d.setPen(QPen(QColor(40, 90, 190), 1.5));
  d.drawLine(12, 2, 12, 13);
  d.drawLine(12, 13, 10, 10);
  d.drawLine(12, 13, 14, 10);
  return QIcon(p);
}

bool AntesNaOrdem(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
  static const QCollator collator = [] {
    QCollator c;
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(true);
    return c;
  }();
  return collator.compare(a->text(0), b->text(0)) < 0;
}

bool EhCategoria(const QTreeWidgetItem* i) {
  return i->type() == PropertyGridItem::Tipo && static_cast<const PropertyGridItem*>(i)->IsCategory();
}

}  // namespace

void PropertyGrid::ShowToolBar(bool mostrar) {
  if (mostrar && !barra_) {
    barra_ = new QWidget(this);
    barra_->setObjectName(QStringLiteral("BarraGrade"));
    barra_->setAccessibleName(QStringLiteral("Barra da grade"));
    barra_->setAutoFillBackground(true);
    auto* linha = new QHBoxLayout(barra_);
    linha->setContentsMargins(2, 2, 2, 2);
    linha->setSpacing(1);
    auto* grupo = new QActionGroup(barra_);
    grupo->setExclusive(true);
    acaoCategoria_ = new QAction(IconeCategorias(), QStringLiteral("Por Categoria"), barra_);
    acaoCategoria_->setObjectName(QStringLiteral("PorCategoria"));
    acaoAlfabetica_ = new QAction(IconeAlfabetico(), QStringLiteral("Ordem Alfabética"), barra_);
    acaoAlfabetica_->setObjectName(QStringLiteral("OrdemAlfabetica"));
    for (QAction* a : {acaoCategoria_, acaoAlfabetica_}) {
      a->setCheckable(true);
      grupo->addAction(a);
      auto* botao = new QToolButton(barra_);
      botao->setDefaultAction(a);
      botao->setAutoRaise(true);
      botao->setIconSize(QSize(16, 16));
      linha->addWidget(botao);
    }
    linha->addStretch(1);
    connect(acaoCategoria_, &QAction::triggered, this, [this] { SetPropertySort(PorCategoria); });
    connect(acaoAlfabetica_, &QAction::triggered, this, [this] { SetPropertySort(Alfabetica); });
    AtualizaBarra();
  }
  if (barra_) barra_->setVisible(mostrar);
  updateGeometries();
}

void PropertyGrid::AtualizaBarra() {
  if (!barra_) return;
  // Something to list: an item that is not a category.
  bool temItem = false;
  for (QTreeWidgetItemIterator it(this); *it && !temItem; ++it) temItem = !EhCategoria(*it);
  acaoCategoria_->setEnabled(temItem);
  acaoAlfabetica_->setEnabled(temItem);
  acaoCategoria_->setChecked(ordem_ == PorCategoria);
  acaoAlfabetica_->setChecked(ordem_ == Alfabetica);
}

void PropertyGrid::PosicionaBarra() {
  if (!barra_ || barra_->isHidden()) return;
  const int altura = barra_->sizeHint().height();
  const int f = frameWidth();
  barra_->setGeometry(f, f, width() - 2 * f, altura);
  setViewportMargins(0, altura, 0, 0);
}

void PropertyGrid::InsereAlfabetico(PropertyGridItem* categoria, PropertyGridItem* item) {
  item->categoriaOrigem_ = categoria;
  item->ordemOrigem_ = categoria->proximaOrdem_++;
  int i = 0;
  for (; i < topLevelItemCount(); ++i) {
    const QTreeWidgetItem* t = topLevelItem(i);
    if (!EhCategoria(t) && AntesNaOrdem(item, t)) break;
  }
  insertTopLevelItem(i, item);
}

void PropertyGrid::SetPropertySort(Ordenacao ordem) {
  if (ordem == ordem_) {
    AtualizaBarra();
    return;
  }
  QTreeWidgetItem* atual = currentItem();
  // Items carry their own expanded children; moving them must not fold them.
  std::map<QTreeWidgetItem*, bool> expandidos;
  for (QTreeWidgetItemIterator it(this); *it; ++it) expandidos[*it] = (*it)->isExpanded();
  ordem_ = ordem;
  if (ordem == Alfabetica) {
    std::vector<QTreeWidgetItem*> itens;
    for (int i = 0; i < topLevelItemCount(); ++i) {
      auto* c = static_cast<PropertyGridItem*>(topLevelItem(i));
      if (!EhCategoria(c)) continue;
      const QList<QTreeWidgetItem*> filhos = c->takeChildren();
      c->proximaOrdem_ = 0;
      for (QTreeWidgetItem* f : filhos) {
        if (f->type() == PropertyGridItem::Tipo) {
          auto* p = static_cast<PropertyGridItem*>(f);
          p->categoriaOrigem_ = c;
          p->ordemOrigem_ = c->proximaOrdem_++;
        }
        itens.push_back(f);
      }
      c->setHidden(true);
    }
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
      if (!EhCategoria(topLevelItem(i))) itens.push_back(takeTopLevelItem(i));
    std::stable_sort(itens.begin(), itens.end(), AntesNaOrdem);
    for (QTreeWidgetItem* t : itens) addTopLevelItem(t);
  } else {
    std::map<PropertyGridItem*, std::vector<PropertyGridItem*>> devolver;
    for (int i = topLevelItemCount() - 1; i >= 0; --i) {
      QTreeWidgetItem* t = topLevelItem(i);
      if (EhCategoria(t) || t->type() != PropertyGridItem::Tipo) continue;
      auto* p = static_cast<PropertyGridItem*>(t);
      if (!p->categoriaOrigem_) continue;
      devolver[p->categoriaOrigem_].push_back(static_cast<PropertyGridItem*>(takeTopLevelItem(i)));
    }
    for (int i = 0; i < topLevelItemCount(); ++i)
      if (EhCategoria(topLevelItem(i))) topLevelItem(i)->setHidden(false);
    for (auto& [categoria, itens] : devolver) {
      std::sort(itens.begin(), itens.end(),
                [](const PropertyGridItem* a, const PropertyGridItem* b) { return a->ordemOrigem_ < b->ordemOrigem_; });
      for (PropertyGridItem* p : itens) {
        p->categoriaOrigem_ = nullptr;
        categoria->addChild(p);
      }
    }
  }
  for (const auto& [item, aberto] : expandidos) item->setExpanded(aberto);
  if (atual) setCurrentItem(atual, 1);
  AtualizaBarra();
  Reposiciona();
}

PropertyGrid::~PropertyGrid() {
  // The tree's own destructor clears its model and items after this body:
  // nothing it signals may reach this grid, which is gone by then.
  QObject::disconnect(model(), nullptr, this, nullptr);
  QObject::disconnect(header(), nullptr, this, nullptr);
  QObject::disconnect(this, nullptr, this, nullptr);
  if (selecionado_) selecionado_->OnDeselect();
  selecionado_ = nullptr;
  clear();  // the items' destructors tell the grid while it is whole
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
  if (ordem_ == Alfabetica) c->setHidden(true);
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
  PosicionaBarra();
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
  // The view gives its top margin to the (hidden) header: the tool bar takes it.
  PosicionaBarra();
  Reposiciona();
}
