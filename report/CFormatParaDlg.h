#pragma once
// "Parágrafo": the indents and alignment of the selection's paragraphs.
#include "CHelpDialog.h"
#include "FormatoParagrafo.h"

class QComboBox;
class QLineEdit;

class CFormatParaDlg : public CHelpDialog {
  Q_OBJECT
public:
  // `quebra` is the view's word-wrap mode; with 0 the alignment cannot change.
  CFormatParaDlg(const FormatoParagrafo& formato, int quebra, QWidget* parent = nullptr);
  // The format to apply: only the fields the user's boxes carry.
  FormatoParagrafo Resultado() const { return resultado_; }
  void accept() override;

private:
  QLineEdit *esquerda_, *direita_, *primeira_;
  QComboBox* alinhamento_;
  FormatoParagrafo resultado_;
};
