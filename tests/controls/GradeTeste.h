#pragma once
// Helpers for the grid tests: an owner window that logs every notification
// (and answers what a test asks), and mouse and key events sent to a grid.
#include "controls/CTableCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

namespace teste {

struct Aviso {
  int codigo;  // 0: the command posted after a click
  int row, col;
  bool operator==(const Aviso&) const = default;
};

class DonoGrade : public QWidget, public CTableOwner {
public:
  std::vector<Aviso> log;
  std::map<int, int> respostas;  // reply by notification code
  // Reply by code and cell, asked before `respostas` (a result below 0 refuses).
  std::function<int(int codigo, int row, int col)> responde;
  std::vector<CCellRange> dicas;  // cache hints
  // Virtual mode: texts by stored (row, column).
  std::function<QString(int, int)> texto;
  int pedidos = 0;

  int OnGridNotify(GridNmHdr& h) override {
    if (h.code == GVN_ODCACHEHINT) {
      dicas.push_back(reinterpret_cast<GridCacheHint*>(&h)->range);
      return 0;
    }
    if (h.code == GVN_GETDISPINFO) {
      auto* p = reinterpret_cast<GridDisplayRequest*>(&h);
      ++pedidos;
      if (texto) p->item.strText = texto(p->item.row, p->item.col);
      return 0;
    }
    auto* nm = reinterpret_cast<NM_GRIDVIEW*>(&h);
    log.push_back({h.code, nm->iRow, nm->iColumn});
    if (responde) return responde(h.code, nm->iRow, nm->iColumn);
    auto it = respostas.find(h.code);
    return it == respostas.end() ? 0 : it->second;
  }
  void OnGridCommand(CTableCtrl*, int id) override { log.push_back({0, id, 0}); }
  std::vector<int> Codigos() const {
    std::vector<int> v;
    for (const Aviso& a : log) v.push_back(a.codigo);
    return v;
  }
};

// A grid of `linhas` x `colunas` (one fixed row and column) with texts "r,c",
// 60 x 20 pixel cells, shown in a 400 x 300 owner.
struct Grade {
  DonoGrade dono;
  CTableCtrl* g;
  explicit Grade(int linhas = 20, int colunas = 10, int fixasL = 1, int fixasC = 1, CTableCtrl* grade = nullptr) {
    dono.resize(400, 300);
    g = grade ? grade : new CTableCtrl(linhas, colunas, fixasL, fixasC);
    g->setParent(&dono);
    g->SetDlgCtrlID(1082);
    g->setGeometry(0, 0, 400, 300);
    for (int c = 0; c < g->GetColumnCount(); ++c) g->SetWidthOfColumn(c, 60);
    for (int r = 0; r < g->GetRowCount(); ++r) g->SetHeightOfRow(r, 20);
    if (!g->IsVirtual())
      for (int r = 0; r < g->GetRowCount(); ++r)
        for (int c = 0; c < g->GetColumnCount(); ++c) g->SetCellText(r, c, QString("%1,%2").arg(r).arg(c));
    dono.show();
    QApplication::processEvents();
  }
  QWidget* v() const { return g->viewport(); }
  // The centre of a cell, in viewport coordinates.
  QPoint Centro(int r, int c) const {
    QRect x;
    g->GetCellRect(r, c, &x);
    return x.center();
  }
  void Clica(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::mouseClick(v(), Qt::LeftButton, m, p); }
  void Pressiona(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::mousePress(v(), Qt::LeftButton, m, p); }
  void Solta(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::mouseRelease(v(), Qt::LeftButton, m, p); }
  void DuploClique(QPoint p) { QTest::mouseDClick(v(), Qt::LeftButton, Qt::NoModifier, p); }
  // A move with the buttons held as given (QTest's moves carry none).
  void Move(QPoint p, Qt::MouseButtons botoes = Qt::NoButton) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), v()->mapToGlobal(QPointF(p)), Qt::NoButton, botoes, Qt::NoModifier);
    QApplication::sendEvent(v(), &e);
  }
  void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(g, k, m); }
  void Digita(const QString& t) { QTest::keyClicks(g, t); }
};

}  // namespace teste
