#pragma once
// The library's modeless progress window (dialog 134 "Resultados Estatísticos"):
// a caption, the best criterion found so far and a bar. The calculation pumps no
// events while it runs, so every change repaints at once; there is no cancel.
#include "modules/regression/engine/ProgressoBusca.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace ostrimo {

class CRelatorio : public QDialog, public ProgressoBusca {
  Q_OBJECT
public:
  CRelatorio();
  ~CRelatorio() override;

  // Shows the window and waits, taking no user input, until it is on screen:
  // the caller's event loop does not run during the calculation, and a window
  // that was never exposed would not repaint.
  void Mostra();
  void DefineLegenda(const QString& texto);  // static 1031
  void DefineFaixa(int maximo);              // bar 1030: 0 .. maximo
  void DefinePosicao(int posicao);
  QString TextoCriterio() const;             // static 1029

  // What the search reports.
  void Inicia(int maximo) override;
  void Posicao(int posicao) override;
  void MelhorCriterio(double criterio) override;
  void Termina() override;

private:
  QLabel* legenda_;
  QLabel* criterio_;
  QProgressBar* barra_;
};

}  // namespace ostrimo
