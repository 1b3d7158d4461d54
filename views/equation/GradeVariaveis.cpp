#include "GradeVariaveis.h"

#include "controls/CTableCtrlEx.h"

#include <QHeaderView>
#include <QTreeWidget>

QTreeWidget* CriaListaVariaveis(QWidget* pai, int id, const QString& nome) {
  auto* l = new QTreeWidget(pai);
  l->setObjectName(QString::number(id));
  l->setAccessibleName(nome);
  l->setRootIsDecorated(false);
  l->setUniformRowHeights(true);
  l->setSelectionBehavior(QAbstractItemView::SelectRows);
  l->setAllColumnsShowFocus(true);
  l->header()->setStretchLastSection(false);
  return l;
}

CTableCtrlEx* CriaGradeVariaveis(QWidget* pai, int colunas) {
  auto* g = new CTableCtrlEx(0, colunas, 1, 1);
  g->Create(QRect(), pai, 1094);
  g->setFrameShape(QFrame::NoFrame);
  g->setAccessibleName(QStringLiteral("Valores das variáveis"));
  return g;
}

void ConfiguraGradeVariaveis(CTableCtrlEx& g, CTarsolinDoc* doc, int linhas, std::initializer_list<int> larguras) {
  g.SetNumberOfRows(linhas);
  g.SetNumberOfColumns(int(larguras.size()));
  g.SetNumberOfFixedRows(1);
  g.SetNumberOfFixedColumns(1);
  g.SetWholeRowSelection(true);
  g.SetEditable(false);
  g.SetFixedColumnSelection(true);
  g.SetHeaderSort(true);
  g.SetPrintAtScreenScale(true);
  g.SetDocument(doc);
  for (bool coluna : {false, true}) {
    CTableDefaultCell* padrao = g.GetDefaultCell(!coluna, coluna);
    LOGFONT lf = *padrao->FontData();
    lf.lfWeight = 700;
    padrao->AssignFont(&lf);
  }
  int c = 0;
  for (int largura : larguras) g.SetWidthOfColumn(c++, largura);
}
