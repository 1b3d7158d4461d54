#pragma once
// Helpers shared by the report-list tests: a list with captioned columns, a
// recorder of its notifications and mouse and key events in its coordinates.
#include "controls/CListReportCtrl.h"
#include "controls/CPlainHeaderCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>
#include <memory>
#include <vector>

namespace teste {

// One notification as the owner saw it.
struct Aviso {
  int code = 0;
  int item = -2;
  int column = -1;
  quint32 state = 0;
  qintptr data = 0;
  int key = 0;
  QString text;
};

// Records every notification and answers through `resposta` (0 by default).
struct Gravador {
  std::vector<Aviso> avisos;
  std::function<long(ReportNmHdr&)> resposta;
  long operator()(ReportNmHdr& h) {
    Aviso a;
    a.code = h.code;
    switch (h.code) {
      case ReportCode::BeginEdit:
      case ReportCode::EndEdit:
      case ReportCode::EditButton: {
        auto& e = static_cast<ReportEditInfo&>(h);
        a.item = e.item;
        a.column = e.column;
        a.key = e.key;
        a.text = e.text;
        break;
      }
      case ReportCode::HeaderClick:
      case ReportCode::DividerDoubleClick:
      case ReportCode::HeaderRightClick: a.column = static_cast<ReportColumnNotify&>(h).column; break;
      case ReportCode::GetItem: {
        auto& r = static_cast<ReportItemRequest&>(h);
        a.item = r.info.item;
        a.column = r.info.column;
        break;
      }
      case ReportCode::ExtraDraw:
      case ReportCode::CustomDraw: break;
      default: {
        auto& n = static_cast<ReportNotifyInfo&>(h);
        a.item = n.item;
        a.column = n.column;
        a.state = n.state;
        a.data = n.data;
        a.key = int(n.keyOrButtons);
        break;
      }
    }
    avisos.push_back(a);
    return resposta ? resposta(h) : 0;
  }
  std::vector<Aviso> DoCodigo(int codigo) const {
    std::vector<Aviso> r;
    for (const Aviso& a : avisos)
      if (a.code == codigo) r.push_back(a);
    return r;
  }
};

// A top-level list of `tamanho` with `n` defined columns "C0"… all shown, and a recorder.
struct Relatorio {
  std::unique_ptr<CListReportCtrl> ctrl;
  std::shared_ptr<Gravador> gravador = std::make_shared<Gravador>();
  Relatorio(int n, quint32 estilo = 0, QSize tamanho = QSize(400, 300), bool mostra = true,
            CListReportCtrl* ctrlProprio = nullptr) {
    ctrl.reset(ctrlProprio ? ctrlProprio : new CListReportCtrl);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    ctrl->setFont(f);
    ctrl->Create(estilo, QRect(QPoint(0, 0), tamanho), nullptr, 100);
    auto g = gravador;
    ctrl->SetNotifyHandler([g](ReportNmHdr& h) { return (*g)(h); });
    for (int c = 0; c < n; ++c) {
      ReportColumnInfo info;
      info.flags = ReportColumnFlag::HeaderText;
      info.width = 100;
      info.caption = QStringLiteral("C%1").arg(c);
      ctrl->DescribeColumn(c, info);
    }
    if (mostra)
      for (int c = 0; c < n; ++c) ctrl->ShowColumnAt(c, c);
    ctrl->show();
    ctrl->activateWindow();
    QApplication::setActiveWindow(ctrl.get());
  }
  CListReportCtrl* operator->() const { return ctrl.get(); }
  // Appends a row with the texts of its first columns and item data `dados`.
  int Linha(const QStringList& textos, qintptr dados = 0) {
    const int i = ctrl->AppendRowWithText(textos.value(0));
    for (int c = 1; c < textos.size(); ++c) ctrl->SetItemText(i, c, textos[c]);
    ctrl->SetItemData(i, dados);
    return i;
  }
  // The centre of a cell's text part, in client coordinates.
  QPoint Celula(int item, int coluna, int parte = 3) const {
    QRect r;
    ctrl->GetCellRect(item, coluna, r, parte);
    return r.center();
  }
};

inline void Clica(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier,
                  Qt::MouseButton botao = Qt::LeftButton) {
  const QPointF g = w->mapToGlobal(QPointF(p));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), g, botao, botao, mods);
  QApplication::sendEvent(w, &press);
  QMouseEvent solta(QEvent::MouseButtonRelease, QPointF(p), g, botao, Qt::NoButton, mods);
  QApplication::sendEvent(w, &solta);
}

inline void ClicaDuplo(QWidget* w, QPoint p) {
  const QPointF g = w->mapToGlobal(QPointF(p));
  QMouseEvent d(QEvent::MouseButtonDblClick, QPointF(p), g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &d);
  QMouseEvent solta(QEvent::MouseButtonRelease, QPointF(p), g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &solta);
}

inline void Mouse(QWidget* w, QEvent::Type t, QPoint p, Qt::MouseButtons botoes,
                  Qt::MouseButton botao = Qt::NoButton) {
  QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), botao, botoes, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

inline void Tecla(QWidget* w, int tecla, const QString& texto = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent e(QEvent::KeyPress, tecla, mods, texto);
  QApplication::sendEvent(w, &e);
}

}  // namespace teste
