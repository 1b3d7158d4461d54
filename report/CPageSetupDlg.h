#pragma once
// The program's own page setup "Configurar Página": four margins in twips,
// typed as measurements, each within -31,680 ... 31,680 twips.
#include "CHelpDialog.h"

class QLineEdit;

class CPageSetupDlg : public CHelpDialog {
  Q_OBJECT
public:
  explicit CPageSetupDlg(QWidget* parent = nullptr);
  int m_nTopMargin = 0, m_nRightMargin = 0, m_nLeftMargin = 0, m_nBottomMargin = 0;

  void showEvent(QShowEvent* e) override;
  void accept() override;

private:
  QLineEdit *superior_, *inferior_, *esquerda_, *direita_;
};
