#pragma once
// The pages of the residual window (command 32840): "Regressão Linear"
// (residuals recomputed from the working rows, of the variable or of the
// model for the variable), "Distância de Cook" and, with a spatial model,
// "Regressão Espacial". The pages of the fitted-values window (32852):
// the linear and the spatial fitted values with the adherence histogram.
#include "NucleoDiagnostico.h"
#include "PaginaDiagnostico.h"

#include "model/CabecalhoModelo.h"

#include <memory>

struct LinhaDado;

// What a residual-type page is: table 1094, chart styles 4 and 5, the model
// commands of the residual window, the table's pages and one chart page
// titled "Análise dos Resíduos".
ConfigDiagnostico ConfigResidual(int id, const char* aba);

// The working copy of the header (packed to the enabled variables) and the
// working rows, read from the model file.
class LinhasTrabalho {
public:
  ~LinhasTrabalho();
  bool Le(CTarsolinDoc& doc);
  // Repacks the copy and re-reads the rows.
  bool Rele(CTarsolinDoc& doc);
  CabecalhoModelo& Copia() { return *copia_; }
  LinhaDado* const* Linhas() const { return linhas_.data(); }
  int N() const { return N_; }
  int Habilitadas() const { return count_; }
  int Considerados() const;

private:
  std::unique_ptr<CabecalhoModelo> copia_;
  std::vector<LinhaDado*> linhas_;
  int N_ = 0, count_ = 0;
};

class CResiduosView : public PaginaDiagnostico {
  Q_OBJECT
public:
  CResiduosView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  int Analisada() const { return O_; }
  int Modo() const { return modo_; }
  const diag::Residuos& Resultado() const { return r_; }
  void MoveSetas(int delta) override;
  void CaixaMudou(bool marcada) override;

protected:
  bool Prepara() override;
  void Calcula() override;
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;

private:
  LinhasTrabalho t_;
  diag::Residuos r_;
  int O_ = 0, modo_ = 0;
  bool lida_ = false;  // the rows were just read
};

class CDCookView : public PaginaDiagnostico {
  Q_OBJECT
public:
  CDCookView(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  const diag::DistanciasCook& Resultado() const { return r_; }

protected:
  bool Prepara() override;
  void Calcula() override;
  void ConfiguraGraficos() override;
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;

private:
  LinhasTrabalho t_;
  diag::DistanciasCook r_;
  bool lida_ = false;
  bool singular_ = false;
};

class CResiduosViewRE : public PaginaDiagnostico {
  Q_OBJECT
public:
  CResiduosViewRE(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  const diag::AjusteEspacial& Resultado() const { return r_; }

protected:
  bool Prepara() override;
  void Calcula() override;
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;

private:
  diag::SolucaoEspacial solucao_;
  diag::AjusteEspacial r_;
  std::vector<int> registros_;
  double media_ = 0.0, sst_ = 0.0, sse_ = 0.0;
};

// The chart of calculated against observed values (style entry 8): points,
// the line of equality and the least-squares line over the points.
void ConfiguraGraficoAjuste(CTChart* g);

// The fitted values and the adherence histogram (linear and spatial).
class PaginaAderencia : public PaginaDiagnostico {
  Q_OBJECT
public:
  using PaginaDiagnostico::PaginaDiagnostico;
  int Classes() const { return c_; }
  int MaximoClasses() const { return cmax_; }
  void MoveSetas(int delta) override;

protected:
  void ConfiguraGraficos() override;
  void IniciaClasses(int n);
  // The points (observed, calculated) with their labels, and the standardised residuals.
  void GraficosAderencia(const std::vector<double>& obs, const std::vector<double>& calc,
                         const std::vector<int>& rotulos, const std::vector<double>& z, int n);
  void Dispoe() override;
  int c_ = 3, cmax_ = -1;
};

class CValoresAjustados : public PaginaAderencia {
  Q_OBJECT
public:
  CValoresAjustados(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  const diag::Aderencia& Resultado() const { return r_; }

protected:
  bool Prepara() override;
  void Calcula() override;
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;

private:
  LinhasTrabalho t_;
  diag::Aderencia r_;
};

class CValoresAjustadosRE : public PaginaAderencia {
  Q_OBJECT
public:
  CValoresAjustadosRE(CTarsolinDoc* doc, JanelaDiagnostico* host, QWidget* parent);
  const diag::AjusteEspacial& Resultado() const { return r_; }

protected:
  bool Prepara() override;
  void Calcula() override;
  void MontaTabela() override;
  void PreencheTabela() override;
  void AtualizaGraficos() override;

private:
  diag::SolucaoEspacial solucao_;
  diag::AjusteEspacial r_;
  std::vector<int> registros_;
};

// The windows as the model window opens them; null when the model cannot be shown.
JanelaDiagnostico* CriaJanelaResiduos(CTarsolinDoc* doc);
JanelaDiagnostico* CriaJanelaAderencia(CTarsolinDoc* doc);
