#pragma once
// The welcome dialog (549 "Bem Vindo ao Tarsolin Windows"): six large buttons
// that post the usual first actions to the main window, and "Fechar".
#include <QDialog>

class CDlgTransparent : public QDialog {
  Q_OBJECT
public:
  explicit CDlgTransparent(QWidget* parent = nullptr);
};
