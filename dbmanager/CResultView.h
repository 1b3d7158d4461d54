#pragma once
// The lower pane of a query window: the messages or text result of the last
// run, or one of its result grids, which lie over the same area and are shown
// one at a time.
#include <QWidget>

class QPlainTextEdit;
class QStackedLayout;
class QTableView;

namespace brenk {

class CResultView : public QWidget {
  Q_OBJECT
public:
  explicit CResultView(QWidget* parent = nullptr);

  // Shows `texto` (caret at its start) instead of any grid.
  void DefineTexto(const QString& texto);
  QString Texto() const;
  int LinhasTexto() const;
  QPlainTextEdit* Editor() const { return texto_; }
  // The object whose source text the result shows.
  void DefineTitulo(const QString& titulo) { titulo_ = titulo; }
  QString Titulo() const { return titulo_; }

  void AdicionaGrade(QTableView* grade);
  void MostraGrade(QTableView* grade);
  // The grid on show, or none while the text is shown.
  QTableView* GradeAtual() const;

private:
  QStackedLayout* pilha_;
  QPlainTextEdit* texto_;
  QString titulo_;
};

}  // namespace brenk
