#pragma once
// The statistical-table window: the normal table kept in "TabelaNormal.dat"
// of the program folder, in an editable grid under a caption; "Salvar"
// writes the grid back to that file. It belongs to no model.
#include "AlvoComando.h"

#include <QWidget>

class CTableCtrl;
class QLabel;

class CTabelasView : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  explicit CTabelasView(QWidget* parent = nullptr);
  ~CTabelasView() override;

  // The table file: "TabelaNormal.dat" in the program folder.
  static QString Arquivo();
  // The framework's initial update: the grid loads the file.
  void OnInitialUpdate();
  // Writes the grid to the file; false after the grid's message.
  bool Salva();

  CTableCtrl* Grade() const { return grade_; }
  QLabel* Legenda() const { return legenda_; }

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  CTableCtrl* grade_;
  QLabel* legenda_;
};
