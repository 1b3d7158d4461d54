#pragma once
// "Sobre Brenk Windows" (dlg100): the program's version and the driver of the
// active query window's connection, and links to the read-me and to the
// guide's pages on the program.
#include <QDialog>

namespace brenk {

class CChildFrame;

class CBrenkAboutDlg : public QDialog {
  Q_OBJECT
public:
  explicit CBrenkAboutDlg(CChildFrame* janela, QWidget* parent = nullptr);
};

}  // namespace brenk
