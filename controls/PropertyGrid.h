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
  PropertyGridItem* selecionado_ = nullptr;
  int larguraLegenda_ = -1;  // set by SetCaptionWidth
};
