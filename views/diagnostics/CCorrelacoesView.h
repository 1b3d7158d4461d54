#pragma once
// The correlations window (command 32833): how the enabled variables of a
// calculated model correlate, isolated and by influence, as the correlations
// library computes them from the model file. Both matrices as tables on two
// tabs in the upper half; for one selected variable, its correlations with
// every enabled variable as two bar charts in the lower half. The printout
// has one chart page per enabled variable.
#include "AlvoComando.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class CTChart;
class CTableCtrlEx;
class QPainter;
class QPrinter;
class QTabWidget;
struct CPrintInfo;
struct RetanguloImpressao;

class CCorrelacoesView : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  static constexpr int Lado = 60;  // the library's arrays: entry (a, b) at 60 a + b

  explicit CCorrelacoesView(CTarsolinDoc* doc, QWidget* parent = nullptr);
  ~CCorrelacoesView() override;

  // The framework's initial update: tables made, the first update run.
  void OnInitialUpdate();
  // Every update of the model: the library called again, tables and charts refilled.
  void OnUpdate();

  // A correlation as the window shows it, in hundredths rounded up. The
  // product 100·r carries the noise of r (0.07 gives 7.000000000000001),
  // which must not lift a whole value to the next one.
  static double Centesimos(double r);
  // The form of variable v in equation e: "x", "ln(x)", "x^0,50" ...
  static QString Forma(const CabecalhoModelo& cab, int v, int e);

  int NumVariaveis() const { return m_; }
  int Selecionada() const { return s_; }
  const double* Isoladas() const { return isoladas_.data(); }
  const double* Influencias() const { return influencias_.data(); }
  CTableCtrlEx* Tabela(int i) const { return tabelas_[i]; }
  CTChart* Grafico(int i) const { return graficos_[i]; }
  QTabWidget* Abas() const { return abas_; }
  QWidget* Setas() const { return setas_; }
  // A spin step: +1 up, -1 down.
  void MoveSetas(int passo);

  // Printing: m pages, one per enabled variable.
  int PreparaImpressao(QPainter& p, CPrintInfo& info);
  void ImprimePagina(QPainter& p, CPrintInfo& info);
  void TerminaImpressao(QPainter& p, CPrintInfo& info);
  // Prints the printer's page range (all when it has none); the pages printed.
  int ImprimeEm(QPrinter& impressora, bool previa);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override { return doc_; }

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  const CabecalhoModelo& Cab() const { return *doc_->GetCabecalho(); }
  QWidget* MolduraModelo() const;
  void Fecha();
  int ContaHabilitadas() const;
  void MontaTabelas();
  void ConfiguraGraficos();
  bool ChamaBiblioteca();
  void PreencheTabelas();
  void PreencheGraficos();
  void Dispoe();
  void EscolheEquacao();
  void Copia();
  void Imprime(bool previa);
  void ImprimeGraficos(QPainter& p, const RetanguloImpressao& area);

  QPointer<CTarsolinDoc> doc_;
  std::vector<double> isoladas_, influencias_;  // 60 x 60 each, filled by the library
  int m_ = 0;                  // enabled variables
  int s_ = 0;                  // the variable of the charts, 0 … m − 1
  bool primeira_ = true;       // the first update sets the tables and charts up
  bool fechando_ = false;
  QTabWidget* abas_;
  CTableCtrlEx* tabelas_[2] = {nullptr, nullptr};  // 1092 isolated, 1093 influence
  CTChart* graficos_[2];                           // 1121 isolated, 1122 influence
  QWidget* setas_;
};

// The window of command 32833 for `doc`, initial update done.
CCorrelacoesView* CriaJanelaCorrelacoes(CTarsolinDoc* doc);
