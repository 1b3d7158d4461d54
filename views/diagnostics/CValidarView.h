#pragma once
// The validation window (command 32843): the validation records with all
// their values, the estimate of the spatial model (when it exists) and of the
// current linear equation, and two charts of estimated against observed.
#include "NucleoDiagnostico.h"
#include "PaginaDiagnostico.h"

class CValidarView : public PaginaDiagnostico {
  Q_OBJECT
public:
  CValidarView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  const diag::Validacao& Resultado() const { return r_; }

protected:
  bool Prepara() override;
  void Calcula() override;
  void ConfiguraGraficos() override;
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;
  bool FechaSemResultados() const override;
  // A heading click sorts with the comparer of its column.
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  diag::Validacao r_;
};

JanelaDiagnostico* CriaJanelaValidacao(CTarsolinDoc* doc);
