#pragma once
// The SQL editor, upper pane of a query window: the batch the window runs.
#include <QPlainTextEdit>

namespace brenk {

class CQueryView : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit CQueryView(QWidget* parent = nullptr);
  // The statement of a run: the selection when there is one, else the whole text.
  QString TextoConsulta() const;
};

}  // namespace brenk
