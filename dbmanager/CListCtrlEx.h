#pragma once
// The report list of the object browsers: it draws every row itself, so the
// selection covers the whole row (to the list's right edge) and stays visible
// without the focus, and a text wider than its column ends in "...". With it
// go the row inserted from a "|"-separated text, the sort by one column and
// the case-insensitive find.
#include <QColor>
#include <QIcon>
#include <QTreeWidget>

class QFontMetrics;

namespace brenk {

class CListCtrlEx : public QTreeWidget {
  Q_OBJECT
public:
  explicit CListCtrlEx(QWidget* parent = nullptr);

  // Switches the highlight across the whole row on or off; true when it changed.
  bool SetFullRowSelection(bool ligado);
  bool FullRowSelection() const { return linhaInteira_; }

  // The colours the owner sets; the rows are drawn with them.
  void SetTextColor(const QColor& c);
  void SetTextBkColor(const QColor& c);
  void SetBkColor(const QColor& c);

  // The small images a row shows by its image index (none by default).
  void SetImageList(const QList<QIcon>& imagens);
  // The image index of a row; -1 without image.
  static int ImagemLinha(const QTreeWidgetItem* item);

  // Selects one row and scrolls it into view; -1 gives the selection to every
  // row in turn, so a single-selection list ends with its last row selected.
  void SelecionaLinha(int linha);

  // A text cut from its end, one character at a time, until it and "..."
  // fit `largura` with `deslocamento` to spare (at least one character stays);
  // a text that fits is returned unchanged.
  static QString AbreviaTexto(const QFontMetrics& fm, const QString& texto, int largura, int deslocamento);

  // The sort that CListCtrlSorter asked for (column, numeric); column -1: none.
  int ColunaOrdem() const { return colunaOrdem_; }
  bool OrdemNumerica() const { return ordemNumerica_; }

protected:
  void drawRow(QPainter* p, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
  bool viewportEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

private:
  friend class CListCtrlSorter;

  bool linhaInteira_ = false;
  QColor texto_, fundoTexto_, fundo_;
  QList<QIcon> imagens_;
  int colunaOrdem_ = -1;
  bool ordemNumerica_ = false;
};

// Adds a row at `linha` from "cell|cell|...|": every cell, the last included,
// ends in "|"; text after the last "|" is dropped. Returns the new row's
// index, or -1 (nothing added) when the text holds no "|".
int InsereLinhaLista(CListCtrlEx* lista, const QString& texto, int imagem, int linha);

// Sorts a list's rows by one column while it lives: as text ignoring letter
// case, or as decimal integers (an unreadable text counts 0).
class CListCtrlSorter {
public:
  CListCtrlSorter(CListCtrlEx* lista, int coluna, bool numerico);
  ~CListCtrlSorter();
  CListCtrlSorter(const CListCtrlSorter&) = delete;
  CListCtrlSorter& operator=(const CListCtrlSorter&) = delete;
  void Ordena(bool crescente);

private:
  CListCtrlEx* lista_;
  int coluna_;
};

// The position of `agulha` in `texto` at or after `inicio`, ignoring letter
// case; -1 when absent.
int LocalizaTexto(const QString& texto, const QString& agulha, int inicio);

}  // namespace brenk
