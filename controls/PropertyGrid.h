#pragma once
// The property grid of the panes and of the interval frame: categories holding
// captioned items with a value text, read-only items, drop-down lists, child
// items, number items and the in-place spin and slider items of CCustomItemSpin
// and CCustomItemSlider. Only a user's edit emits valueChanged; values set by
// the program never do.
#include <QPointer>
#include <QStringList>
#include <QTreeWidget>

class PropertyGrid;
class QAction;
class QWidget;

class PropertyGridItem : public QTreeWidgetItem {
public:
  // Item flags: an in-place edit, an expand button, a drop-down button.
  enum Flag : quint32 { HasEdit = 1, HasExpandButton = 2, HasComboButton = 4 };
  enum { Tipo = QTreeWidgetItem::UserType + 1 };

  explicit PropertyGridItem(const QString& legenda, const QString& valor = QString());
  ~PropertyGridItem() override;

  QString GetCaption() const { return text(0); }
  void SetCaption(const QString& legenda) { setText(0, legenda); }
  QString GetValue() const { return text(1); }
  // Set by the program: no notification.
  virtual void SetValue(const QString& valor);
  bool GetReadOnly() const { return somenteLeitura_; }
  void SetReadOnly(bool sim);
  quint32 GetFlags() const { return flags_; }
  void SetFlags(quint32 flags) { flags_ = flags; }
  // The drop-down entries and the current one (-1 none).
  QStringList& GetConstraints() { return restricoes_; }
  int GetConstraintIndex() const { return indiceRestricao_; }
  void SetConstraintIndex(int i);
  bool IsCategory() const { return categoria_; }
  PropertyGridItem* AddChildItem(PropertyGridItem* filho);
  PropertyGridItem* ParentItem() const { return static_cast<PropertyGridItem*>(parent()); }
  PropertyGrid* GetGrid() const;
  void Expand() { setExpanded(true); }
  void Collapse() { setExpanded(false); }
  void Select();

  // The value rectangle in the grid's viewport.
  virtual QRect GetValueRect() const;
  // A user's edit: takes the value and tells the grid's owner.
  virtual void OnValueChanged(const QString& valor);
  // The in-place parts: shown when the item is selected, removed when it is left.
  virtual void OnSelect() {}
  virtual void OnDeselect() {}
  // The in-place parts follow the item when the grid scrolls or resizes.
  virtual void Reposition() {}

protected:
  friend class PropertyGrid;
  bool categoria_ = false;

private:
  // In alphabetical order the items leave their categories: where each goes
  // back to (its category and its place there).
  PropertyGridItem* categoriaOrigem_ = nullptr;
  int ordemOrigem_ = 0;
  int proximaOrdem_ = 0;  // a category's next place, while its items are away
  bool somenteLeitura_ = false;
  quint32 flags_ = HasEdit;
  QStringList restricoes_;
  int indiceRestricao_ = -1;
};

// A whole number shown as text ("%i" when the item sets it).
class PropertyGridItemNumber : public PropertyGridItem {
public:
  explicit PropertyGridItemNumber(const QString& legenda, int valor = 0);
  // Text that is not a number reads 0.
  int GetNumber() const;
  void SetNumber(int n);
};

class PropertyGrid : public QTreeWidget {
  Q_OBJECT
public:
  explicit PropertyGrid(QWidget* parent = nullptr);
  ~PropertyGrid() override;

  PropertyGridItem* AddCategory(const QString& legenda);
  // Removes every category and item.
  void ResetContent();
  PropertyGridItem* FindItem(const QString& legenda) const;
  PropertyGridItem* GetSelectedItem() const;
  // Width of the caption column; the values take the rest.
  void SetCaptionWidth(int largura);
  bool IsEditing() const { return state() == EditingState; }

  // How the items are listed: under their categories, or every item in
  // alphabetical order of its caption without the categories. Items added
  // later take the order in force.
  enum Ordenacao { PorCategoria, Alfabetica };
  void SetPropertySort(Ordenacao ordem);
  Ordenacao GetPropertySort() const { return ordem_; }
  // The grid's tool bar above the items, with the two orders ("Por
  // Categoria", "Ordem Alfabética"): enabled while there is an item to list,
  // the order in force checked.
  void ShowToolBar(bool mostrar);
  QWidget* ToolBar() const { return barra_; }
  QAction* AcaoOrdenacao(Ordenacao ordem) const { return ordem == PorCategoria ? acaoCategoria_ : acaoAlfabetica_; }

signals:
  // A user changed the value of an item.
  void valueChanged(PropertyGridItem* item);

protected:
  bool edit(const QModelIndex& indice, EditTrigger gatilho, QEvent* evento) override;
  void resizeEvent(QResizeEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void updateGeometries() override;

private:
  friend class PropertyGridItem;
  void AoMudarAtual(QTreeWidgetItem* atual, QTreeWidgetItem* anterior);
  void Reposiciona();
  void ItemRemovido(PropertyGridItem* item);
  // An item of `categoria` added while the items are in alphabetical order.
  void InsereAlfabetico(PropertyGridItem* categoria, PropertyGridItem* item);
  void AtualizaBarra();
  void PosicionaBarra();
  PropertyGridItem* selecionado_ = nullptr;
  int larguraLegenda_ = -1;  // set by SetCaptionWidth
  Ordenacao ordem_ = PorCategoria;
  QWidget* barra_ = nullptr;  // a row of buttons, not a window tool bar
  QAction* acaoCategoria_ = nullptr;
  QAction* acaoAlfabetica_ = nullptr;
};
