#pragma once
// The progress window of a spatial regression (dialog 538): a log and a bar
// that the spatial library fills through the callback record it is given, and
// a button that ends the wait once the results are saved.
#include <QDialog>

#include "modules/spatial/ProgressoCalculo.h"

class QTextEdit;
class QProgressBar;
class QPushButton;

class CRelatorio : public QDialog {
  Q_OBJECT
public:
  explicit CRelatorio(QWidget* parent = nullptr);

  // Appends text at the end of the log, line breaks as given.
  void Acrescenta(const QString& texto);
  // Repaints at once: handles pending events but no user input, so nothing
  // else can act on the model while a library works on it.
  void ProcessaMensagens();
  // Relabels the button "&Fechar" once the calculation has finished.
  void MostraFechar();
  // Blocks in an event loop until the user closes the dialog.
  void AguardaFechamento();
  bool Fechado() const { return fechado_; }

  // The record handed to the spatial library; it points back at this dialog.
  ProgressoCalculo* Progresso() { return &progresso_; }

  QString TextoRegistro() const;
  QProgressBar* Barra() const { return barra_; }

public slots:
  void reject() override;  // OnCancel: sets the closed flag, then closes

signals:
  void fechou();

private:
  QTextEdit* registro_;
  QProgressBar* barra_;
  QPushButton* botao_;
  bool fechado_ = false;
  ProgressoCalculo progresso_;
};
