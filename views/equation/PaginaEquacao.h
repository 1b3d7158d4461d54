#pragma once
// One page of the equation window: the table of the enabled variables, the
// equation text, the sensitivity chart of one regressor with its up-down
// control, and the page's commands (the model's commands run on the model
// window; the equation chooser, page options, printing and copying here).
// The four pages differ only in what ConfigPagina says.
#include "AlvoComando.h"
#include "EstatisticasEquacao.h"
#include "model/CTarsolinDoc.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

class CEquacaoViewTab;
class CTChart;
class QTextEdit;
class QTreeWidget;
struct CabecalhoModelo;
struct EstiloGrafico;

// What sets one page apart from the other three.
struct ConfigPagina {
  FormaEquacao forma;
  int id;                        // child identifier
  const char* aba;               // tab text
  const char* titulo;            // title of the equation text
  int estilo;                    // chart-style index
  bool aviso;                    // rows contradicting their expected relation in red bold
  bool degrau;                   // the step line from the mean (four series instead of two)
  const char* cabecalhoGrafico;  // chart header, the regressor's name follows
  bool colunasEspaciais;         // "t Calculado", "Transf.", "Relac."
  bool fechaAposEscolha;         // a new equation from the chooser closes the window
  const char* tituloTabela;      // printout: title of the table pages
  const char* tituloGraficos;    // printout: title of the chart pages
};

class PaginaEquacao : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  PaginaEquacao(const ConfigPagina& config, CTarsolinDoc* doc, CEquacaoViewTab* host, QWidget* parent = nullptr);
  ~PaginaEquacao() override;

  const ConfigPagina& Config() const { return config_; }
  CTarsolinDoc* Documento() const { return doc_; }
  // The framework's initial update: the first update sets the page up.
  void OnInitialUpdate();
  // Every update of the model: recompute and refill (or close the window
  // when the model has no results any more).
  void OnUpdate();
  void CalculaSensibilidade();
  const SensibilidadeEquacao& Sensibilidade() const { return sens_; }

  // The chart's regressor; the up-down control moves it one step, without wrapping.
  int RegressorAtual() const { return atual_; }
  void MoveRegressor(int delta);
  void MostraRegressor(int j);  // a printed chart page
  void MontaGrafico();
  const EstatisticasEquacao& Estatisticas();
  // The equation text as built at the last update ("\r\n" between lines).
  const QString& TextoEquacao() const { return textoEquacao_; }
  // The text the printout writes: the title and the equation without line breaks or tabs.
  QString TextoImpressao() const;

  QTreeWidget* Lista() const { return lista_; }
  QTextEdit* Texto() const { return texto_; }
  CTChart* Grafico() const { return grafico_; }
  QWidget* Setas() const { return setas_; }
  // A row in contradiction with its expected relation (red and bold).
  bool LinhaEmContradicao(int linha) const;

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override;
  bool OnPedeFormato(QTextCharFormat& formato) override;
  bool OnDefineFormato(const QTextCharFormat& formato) override;

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  void ConfiguraPrimeiraVez();
  void PreencheTabela();
  void MontaTexto();
  void EscolheEquacao();
  void Copia();
  const EstiloGrafico& Estilo() const;

  ConfigPagina config_;
  QPointer<CTarsolinDoc> doc_;
  CEquacaoViewTab* host_;
  CabecalhoModelo* cab_ = nullptr;  // taken at the first update
  SensibilidadeEquacao sens_;
  int atual_ = 0;
  bool configurada_ = false;
  bool inicial_ = false;  // only while the initial update runs
  QTreeWidget* lista_;
  QTextEdit* texto_;
  CTChart* grafico_;
  QWidget* setas_;
  QFont negrito_;
  QString textoEquacao_;
};
