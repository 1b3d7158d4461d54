#pragma once
// The variogram view: a residual-type page with the table, a property grid
// for the record and the two charts, that shows no figures. No command of the
// program opens it; CriaJanelaVariograma builds it for a caller that does.
#include "PaginaDiagnostico.h"

class PropertyGrid;

class CVariogramaView : public PaginaDiagnostico {
  Q_OBJECT
public:
  CVariogramaView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  PropertyGrid* Grade() const { return grade_; }
  int Habilitadas() const { return m_; }
  int Variavel() const { return posicao_; }  // 0 .. m - 1
  // A step of the up-down control: down by one for a step <= 0, up by one otherwise, within 0 .. m - 1.
  void MoveSetas(int delta) override;

protected:
  bool Prepara() override;
  void Calcula() override {}
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;
  void Dispoe() override;

private:
  PropertyGrid* grade_ = nullptr;
  int m_ = 0, N_ = 0, n_ = 0, posicao_ = 0;
};

JanelaDiagnostico* CriaJanelaVariograma(CTarsolinDoc* doc);
