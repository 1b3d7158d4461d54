#pragma once
// "Tabulações": up to 32 tab stops of the selection's paragraphs.
#include "CHelpDialog.h"
#include "FormatoParagrafo.h"

class QComboBox;
class QPushButton;

class CFormatTabDlg : public CHelpDialog {
  Q_OBJECT
public:
  explicit CFormatTabDlg(const FormatoParagrafo& formato, QWidget* parent = nullptr);
  // Only the tab stops: the count and the positions.
  FormatoParagrafo Resultado() const;
  const std::vector<int>& Tabulacoes() const { return tabs_; }

  void accept() override;

private:
  bool Adiciona();
  void Remove();
  void Limpa();
  void Preenche();
  void AtualizaBotoes();
  void VoltaFoco();

  std::vector<int> tabs_;
  QComboBox* caixa_;
  QPushButton *adicionar_, *remover_, *limpar_, *ok_;
};
