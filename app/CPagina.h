#pragma once
// The page options of a model (dialog 533 "Configurar Página", command 57605):
// the two page-header lines, whether the page header and footer are printed,
// the system date and the page numbers, and the four page margins, edited
// through the system's page-setup dialog. The check boxes and the margins
// write the model header at once; the lines are stored when the dialog closes
// with "&Fechar". Escape puts back what the check boxes and margins changed:
// the header, the application's default margins and its printer choice.
#include "CTarsolinApp.h"

#include <QDialog>
#include <QString>
#include <cstdint>

class CTarsolinDoc;
class QCheckBox;
class QLineEdit;

class CPagina : public QDialog {
  Q_OBJECT
public:
  explicit CPagina(CTarsolinDoc* doc, QWidget* parent = nullptr);

  // Registers the dialog for command 57605 of the model window.
  static void Registra();

public slots:
  void accept() override;
  void reject() override;

private:
  void Marca(int id, bool marcado);
  void Margens();
  // Stores margins in twips: the header, the application's defaults and printer.
  void GuardaMargens(int esquerda, int direita, int superior, int inferior, const QString& impressora);
  static bool UnidadeMetrica();

  CTarsolinDoc* doc_;
  bool mudou_ = false;
  QLineEdit* linha1_;
  QLineEdit* linha2_;
  QCheckBox* numera_;       // 1031
  QCheckBox* data_;         // 1032
  QCheckBox* semCabecalho_; // 1030
  QCheckBox* semRodape_;    // 1033
  // The header's page flags and margins as they were, for Escape.
  uint8_t flags_[4] = {};
  int32_t margens_[4] = {};
  // The application's default margins and printer as they were, for Escape.
  Retangulo margensApp_;
  QString impressoraApp_;
};
