#pragma once
// The lower pane of a query window: the messages or text result of the last
// run, or one of its result grids, which lie over the same area and are shown
// one at a time. Its commands act on the grid on show (grid mode) or on the
// text: copy, select all, save as delimited text or as a file, clear, print
// the text, and the text or grid font of every query window.
#include <QWidget>

class QPlainTextEdit;
class QStackedLayout;
class QTableView;

namespace brenk {

class CChildFrame;
class ModeloGrade;
struct FaixaGrade;

class CResultView : public QWidget {
  Q_OBJECT
public:
  explicit CResultView(QWidget* parent = nullptr);
  void DefineJanela(CChildFrame* janela) { janela_ = janela; }

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
  ModeloGrade* ModeloAtual() const;
  bool ModoGrade() const;
  // The selected block of the grid on show, in the grid's rows (heading 0).
  FaixaGrade Selecao() const;

  // Commands: true when handled.
  bool OnCmdMsg(int id);
  bool Habilitado(int id, bool* marcado) const;
  void Copia();
  void SelecionaTudo();
  // Saves the selected cells or every grid as delimited text.
  void SalvaResultados(bool selecao);
  void SalvaTexto();
  void Limpa();
  // Word wrap off without touching the profile (before text results come back).
  void DesligaQuebra();
  // Command 57607 in text mode: the print dialog, then the text (portrait only).
  void Imprime();
  // Command 32806: the text font (text mode) or the grid font (grid mode) of every query window.
  void OnFonte();
  // Sets the text font and keeps the selection.
  void AplicaFonteTexto(const QFont& fonte);

protected:
  void contextMenuEvent(QContextMenuEvent* e) override;

private:
  void AlternaQuebra();
  void Status(const QString& texto);

  CChildFrame* janela_ = nullptr;
  QStackedLayout* pilha_;
  QPlainTextEdit* texto_;
  QString titulo_;
  int quebra_ = 0;
};

}  // namespace brenk
