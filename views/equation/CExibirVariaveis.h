#pragma once
// A page of the variable display: every variable's mean, extremes, range,
// standard deviation and coefficient of variation over the considered
// records, and for two chosen variables x and y their values row by row
// beside a scatter chart of y against x with its trend line. The direct page
// ("Direta") shows the values as stored and offers Wy, the spatially lagged
// dependent variable, after the last variable when the model has W; the
// transformed page (CExibirVariaveisT, "Transformada") shows them transformed
// by the current equation.
#include "AlvoComando.h"
#include "EstatisticasVariaveis.h"
#include "controls/CTableDefs.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class CTableCtrlEx;
class CTChart;
class ControleSetas;
class QTreeWidget;
struct CabecalhoModelo;

class CExibirVariaveis : public QWidget, public AlvoComando, public CTableOwner {
  Q_OBJECT
public:
  explicit CExibirVariaveis(CTarsolinDoc* doc, QWidget* parent = nullptr) : CExibirVariaveis(doc, false, parent) {}
  ~CExibirVariaveis() override;

  bool Transformada() const { return transformado_; }
  CTarsolinDoc* Documento() const { return doc_; }
  // The framework's initial update: counts, choices, statistics, layout.
  void OnInitialUpdate();
  // An update of the model (hint as the document sends it).
  void OnUpdate(int hint);

  // The chosen variables: 0 .. variables - 1, or the number of variables for Wy.
  int VariavelX() const { return x_; }
  int VariavelY() const { return y_; }
  int UltimaEscolha() const { return nv_ - 1 + (wyDisponivel_ ? 1 : 0); }
  bool WyDisponivel() const { return wyDisponivel_; }
  // One step of the x or y up-down control: > 0 the next choice, otherwise the previous one.
  void MoveX(int passo);
  void MoveY(int passo);
  bool Numerando() const { return numerar_; }

  QTreeWidget* Lista() const { return lista_; }
  CTableCtrlEx* Grade() const { return grade_; }
  CTChart* Grafico() const { return grafico_; }
  ControleSetas* SetasX() const { return setasX_; }
  ControleSetas* SetasY() const { return setasY_; }

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override { return doc_; }
  int OnGridNotify(GridNmHdr& hdr) override;

protected:
  CExibirVariaveis(CTarsolinDoc* doc, bool transformado, QWidget* parent);
  void resizeEvent(QResizeEvent* e) override;

private:
  // Counts, Wy's availability and the first choices (x the first variable, y the last) from the model.
  void Recarrega();
  void Preenche(bool comEstatisticas);
  void PreencheLista();
  void PreencheGrafico();
  void MarcaEscolhidas();
  QString Cabecalho(const char* eixo, int v) const;
  QString NomeEscolha(int v) const;
  double Valor(int registro, int k, int v) const;  // k: position among the considered records
  QString Texto(double valor, int v) const;
  void Classifica();
  void Copia();
  bool SemDados() const;
  void FechaJanela();

  QPointer<CTarsolinDoc> doc_;
  CabecalhoModelo* cab_ = nullptr;
  const bool transformado_;
  int n_ = 0;             // data records
  int nv_ = 0;            // variables
  int habilitadas_ = 0;   // enabled variables
  bool wyDisponivel_ = false;
  int x_ = 0, y_ = 0;
  std::vector<EstatisticaVariavel> est_;
  NEWMAT::ColumnVector wy_;
  bool numerar_ = false;
  bool iniciada_ = false;
  bool fechando_ = false;
  int chave_ = 1, descendente_ = 0;  // the sort dialog's choices
  QTreeWidget* lista_;
  CTableCtrlEx* grade_;
  CTChart* grafico_;
  ControleSetas* setasX_;
  ControleSetas* setasY_;
};

// The transformed page: the values under the current equation's transformations, no Wy.
class CExibirVariaveisT : public CExibirVariaveis {
  Q_OBJECT
public:
  explicit CExibirVariaveisT(CTarsolinDoc* doc, QWidget* parent = nullptr) : CExibirVariaveis(doc, true, parent) {}
};

// The grid comparers of the displays: numbers as the user's number texts, and plain texts.
int ComparaCelulaValor(const CTableCellBase* a, const CTableCellBase* b, intptr_t dados);
