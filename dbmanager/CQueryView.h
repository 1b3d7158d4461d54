#pragma once
// The SQL editor, upper pane of a query window: the batch the window runs,
// with case and tab conversion of the selection, plain-text paste, word wrap
// kept in the profile, the SQL font shared by every query window (kept in the
// profile too), printing and a context menu that follows the window's state.
#include <QPlainTextEdit>
#include <functional>

namespace brenk {

class CChildFrame;

class CQueryView : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit CQueryView(QWidget* parent = nullptr);
  void DefineJanela(CChildFrame* janela) { janela_ = janela; }
  // The statement of a run: the selection when there is one, else the whole text.
  QString TextoConsulta() const;

  bool OnCmdMsg(int id);
  bool Habilitado(int id, bool* marcado) const;
  // Replaces the selection by `f` of it and selects the new text.
  void ConverteSelecao(const std::function<QString(const QString&)>& f);
  static QString Tabula(const QString& t);
  static QString Destabula(const QString& t);
  // Command 32806: the font dialog, then the font of every query window's editor.
  void OnFonte();
  // Sets the font and keeps the selection.
  void AplicaFonte(const QFont& fonte);
  // Command 57607: the print dialog, then the text (portrait only).
  void Imprime();

protected:
  void contextMenuEvent(QContextMenuEvent* e) override;
  void insertFromMimeData(const QMimeData* fonte) override;

private:
  CChildFrame* janela_ = nullptr;
  int quebra_ = 0;
};

}  // namespace brenk
