#include "dbmanager/CListCtrlEx.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace brenk {

namespace {

// The image index of a row lives in its first cell under this role.
constexpr int kPapelImagem = Qt::UserRole + 1;

// A row reads the list's sort request when the list compares two rows.
class LinhaListaEx : public QTreeWidgetItem {
public:
  LinhaListaEx() : QTreeWidgetItem(QTreeWidgetItem::UserType) {}

  bool operator<(const QTreeWidgetItem& outra) const override {
    const auto* lista = qobject_cast<const CListCtrlEx*>(treeWidget());
    const int coluna = lista && lista->ColunaOrdem() >= 0 ? lista->ColunaOrdem() : (treeWidget() ? treeWidget()->sortColumn() : 0);
    if (lista && lista->OrdemNumerica()) return Inteiro(text(coluna)) < Inteiro(outra.text(coluna));
    return QString::compare(text(coluna), outra.text(coluna), Qt::CaseInsensitive) < 0;
  }

private:
  static long long Inteiro(const QString& t) {
    bool ok = false;
    const long long v = t.trimmed().toLongLong(&ok, 10);
    return ok ? v : 0;
  }
};

// Rows keep at most this many characters of a cell when they are drawn.
constexpr int kMaxTextoCelula = 259;

}  // namespace

CListCtrlEx::CListCtrlEx(QWidget* parent) : QTreeWidget(parent) {
  // A report: rows without a tree, the whole row selected, headings that sort.
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(0);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  texto_ = palette().color(QPalette::Active, QPalette::WindowText);
  fundoTexto_ = fundo_ = palette().color(QPalette::Active, QPalette::Base);
}

bool CListCtrlEx::SetFullRowSelection(bool ligado) {
  if (linhaInteira_ == ligado) return false;
  setUpdatesEnabled(false);
  linhaInteira_ = ligado;
  setUpdatesEnabled(true);
  viewport()->update();
  return true;
}

void CListCtrlEx::SetTextColor(const QColor& c) {
  texto_ = c;
  viewport()->update();
}

void CListCtrlEx::SetTextBkColor(const QColor& c) {
  fundoTexto_ = c;
  viewport()->update();
}

void CListCtrlEx::SetBkColor(const QColor& c) {
  fundo_ = c;
  QPalette p = palette();
  p.setColor(QPalette::Base, c);
  setPalette(p);
}

void CListCtrlEx::SetImageList(const QList<QIcon>& imagens) {
  imagens_ = imagens;
  viewport()->update();
}

int CListCtrlEx::ImagemLinha(const QTreeWidgetItem* item) {
  const QVariant v = item ? item->data(0, kPapelImagem) : QVariant();
  return v.isValid() ? v.toInt() : -1;
}

void CListCtrlEx::SelecionaLinha(int linha) {
  const int n = topLevelItemCount();
  if (n == 0) return;
  if (linha < 0) {
    if (selectionMode() == QAbstractItemView::SingleSelection) {
      setCurrentItem(topLevelItem(n - 1));
      scrollToItem(topLevelItem(n - 1));
    } else {
      selectAll();
    }
    return;
  }
  if (linha >= n) return;
  setCurrentItem(topLevelItem(linha));
  topLevelItem(linha)->setSelected(true);
  scrollToItem(topLevelItem(linha));
}

QString CListCtrlEx::AbreviaTexto(const QFontMetrics& fm, const QString& texto, int largura, int deslocamento) {
  if (texto.isEmpty() || fm.horizontalAdvance(texto) + deslocamento <= largura) return texto;
  static const QString pontos = QStringLiteral("...");
  const int larguraPontos = fm.horizontalAdvance(pontos);
  QString copia = texto.left(kMaxTextoCelula);
  while (copia.size() > 1 && fm.horizontalAdvance(copia) + deslocamento + larguraPontos > largura) copia.chop(1);
  return copia + pontos;
}

void CListCtrlEx::drawRow(QPainter* p, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const {
  const QTreeWidgetItem* item = itemFromIndex(indice);
  if (!item) return;
  const QRect linha = opcao.rect;
  const bool selecionada = selectionModel() && selectionModel()->isSelected(indice);
  const QHeaderView* h = header();

  // The first cell and the row's right end, from the heading.
  const int x0 = h->sectionViewportPosition(0);
  const int largura0 = h->isSectionHidden(0) ? 0 : h->sectionSize(0);
  int direita = x0 + largura0;
  for (int c = 1; c < h->count(); ++c)
    if (!h->isSectionHidden(c)) direita = qMax(direita, h->sectionViewportPosition(c) + h->sectionSize(c));

  const int imagem = ImagemLinha(item);
  const bool comIcone = !imagens_.isEmpty();
  QRect icone(x0 + 2, linha.top() + (linha.height() - 16) / 2, 16, 16);
  const int inicioRotulo = comIcone ? icone.right() + 3 : x0;
  QRect rotulo(inicioRotulo, linha.top(), x0 + largura0 - inicioRotulo, linha.height());

  // The highlighted area: the first cell's label, or to the row's end (and
  // on to the list's right edge) with full-row selection.
  QRect area = rotulo;
  if (linhaInteira_) {
    area.setRight(qMax(direita, viewport()->width()) - 1);
  }
  const QPalette& pal = palette();
  const QColor corSelecao = pal.color(QPalette::Active, QPalette::Highlight);
  const QColor corTexto = selecionada ? pal.color(QPalette::Active, QPalette::HighlightedText) : texto_;
  p->save();
  p->fillRect(area, selecionada ? corSelecao : fundoTexto_);

  if (comIcone && imagem >= 0 && imagem < imagens_.size() && linha.width() > 1) {
    const QPixmap px = imagens_[imagem].pixmap(16, 16);
    p->drawPixmap(icone.topLeft(), px);
    if (selecionada) {
      // The image blended half with the highlight.
      QPixmap mistura(px.size());
      mistura.fill(Qt::transparent);
      QPainter m(&mistura);
      m.drawPixmap(0, 0, px);
      m.setCompositionMode(QPainter::CompositionMode_SourceAtop);
      QColor meia = corSelecao;
      meia.setAlphaF(0.5);
      m.fillRect(mistura.rect(), meia);
      m.end();
      p->drawPixmap(icone.topLeft(), mistura);
    }
  }

  p->setPen(corTexto);
  p->setFont(opcao.font);
  const QFontMetrics fm(opcao.font);
  const int bandeiras = Qt::TextSingleLine | Qt::TextDontClip | Qt::AlignVCenter;
  if (!h->isSectionHidden(0)) {
    const QString t = AbreviaTexto(fm, item->text(0).left(kMaxTextoCelula), rotulo.width(), 4);
    p->drawText(rotulo.adjusted(2, 0, -2, 0), bandeiras | Qt::AlignLeft, t);
  }
  for (int c = 1; c < columnCount(); ++c) {
    if (h->isSectionHidden(c)) continue;
    const QRect celula(h->sectionViewportPosition(c), linha.top(), h->sectionSize(c), linha.height());
    const QString inteiro = item->text(c).left(kMaxTextoCelula);
    const QString t = AbreviaTexto(fm, inteiro, celula.width(), 12);
    // A cut text starts at the left; a whole one follows the column.
    Qt::Alignment alinha = Qt::AlignLeft;
    if (t == inteiro) {
      const int a = headerItem() ? headerItem()->textAlignment(c) : 0;
      if (a & Qt::AlignRight) alinha = Qt::AlignRight;
      else if (a & Qt::AlignHCenter) alinha = Qt::AlignHCenter;
    }
    p->drawText(celula.adjusted(6, 0, -6, 0), bandeiras | alinha, t);
  }

  if (hasFocus() && currentIndex().isValid() && currentIndex().row() == indice.row() &&
      currentIndex().parent() == indice.parent()) {
    QStyleOptionFocusRect foco;
    foco.initFrom(this);
    foco.rect = area;
    foco.backgroundColor = selecionada ? corSelecao : fundoTexto_;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &foco, p, this);
  }
  p->restore();
}

bool CListCtrlEx::viewportEvent(QEvent* e) {
  // The list shows no tool tips.
  if (e->type() == QEvent::ToolTip) return true;
  return QTreeWidget::viewportEvent(e);
}

void CListCtrlEx::focusInEvent(QFocusEvent* e) {
  QTreeWidget::focusInEvent(e);
  if (linhaInteira_) viewport()->update();
}

void CListCtrlEx::focusOutEvent(QFocusEvent* e) {
  QTreeWidget::focusOutEvent(e);
  if (linhaInteira_) viewport()->update();
}

int InsereLinhaLista(CListCtrlEx* lista, const QString& texto, int imagem, int linha) {
  qsizetype barra = texto.indexOf(QLatin1Char('|'));
  if (!lista || barra < 0) return -1;
  auto* item = new LinhaListaEx;
  item->setText(0, texto.left(barra));
  if (imagem != -1) item->setData(0, kPapelImagem, imagem);
  lista->insertTopLevelItem(qBound(0, linha, lista->topLevelItemCount()), item);
  QString resto = texto.mid(barra + 1);
  for (int sub = 1; (barra = resto.indexOf(QLatin1Char('|'))) >= 0; ++sub) {
    item->setText(sub, resto.left(barra));
    resto = resto.mid(barra + 1);
  }
  return lista->indexOfTopLevelItem(item);
}

CListCtrlSorter::CListCtrlSorter(CListCtrlEx* lista, int coluna, bool numerico) : lista_(lista), coluna_(coluna) {
  if (!lista_) return;
  lista_->colunaOrdem_ = coluna;
  lista_->ordemNumerica_ = numerico;
}

CListCtrlSorter::~CListCtrlSorter() {
  if (!lista_) return;
  lista_->colunaOrdem_ = -1;
  lista_->ordemNumerica_ = false;
}

void CListCtrlSorter::Ordena(bool crescente) {
  if (lista_) lista_->sortItems(coluna_, crescente ? Qt::AscendingOrder : Qt::DescendingOrder);
}

int LocalizaTexto(const QString& texto, const QString& agulha, int inicio) {
  if (inicio < 0 || inicio > texto.size()) return -1;
  return int(texto.toLower().indexOf(agulha.toLower(), inicio));
}

}  // namespace brenk
