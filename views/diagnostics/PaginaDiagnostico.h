#pragma once
// What the pages of the diagnostic windows share: the table and the two
// charts, the up-down control and the check box of their form, the model
// commands they run on the model window, their own commands (equation
// chooser, point numbering, page options, printing, copying), the reaction
// to a model update (close when the model lost its results, skip the update
// of the initial update, else recompute and refill) and the printout
// (the table's pages and one chart page, or one page with both charts).
// JanelaDiagnostico hosts the pages, one per tab at the bottom.
#include "AlvoComando.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class CTChart;
class CTableCtrlEx;
class JanelaDiagnostico;
class QCheckBox;
class QPainter;
class QPrinter;
class QTabWidget;
struct CPrintInfo;
struct EstiloGrafico;

struct ConfigDiagnostico {
  int id;                      // child identifier
  const char* aba;             // tab text
  int tabela;                  // table id (1094 residual type, 1081 fitted values and validation)
  int estilo1, estilo2;        // chart-style entries of the two charts
  std::vector<int> encaminhados;  // model commands run on the model window
  bool residual;               // residual type: table pages + chart page, Arial, furniture always
  bool imprime;                // has a printout
  const char* tituloImpressao;
  int seriePontos;             // the points series whose labels numbering toggles
  bool ajustaColunas = true;   // fit the columns to their contents (else the page sets their widths)
};

class PaginaDiagnostico : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  PaginaDiagnostico(const ConfigDiagnostico& config, CTarsolinDoc* doc, JanelaDiagnostico* host,
                    QWidget* parent = nullptr);
  ~PaginaDiagnostico() override;

  const ConfigDiagnostico& Config() const { return config_; }
  CTarsolinDoc* Documento() const { return doc_; }
  CTableCtrlEx* Tabela() const { return tabela_; }
  CTChart* Grafico1() const { return graficos_[0]; }
  CTChart* Grafico2() const { return graficos_[1]; }
  QWidget* Setas() const { return setas_; }
  QCheckBox* Caixa() const { return caixa_; }
  bool Numerando() const { return numerar_; }

  // The framework's initial update: prepare, compute (its own update skipped), build.
  void OnInitialUpdate();
  // Every update of the model.
  virtual void OnUpdate();
  // Recompute and refill.
  void Atualiza();

  // Printing: the pages of this printout on `p`'s device, and one page of it.
  int PreparaImpressao(QPainter& p, CPrintInfo& info);
  void ImprimePagina(QPainter& p, CPrintInfo& info);
  void TerminaImpressao(QPainter& p, CPrintInfo& info);
  // Prints the printer's page range (all when it has none); the pages printed.
  int ImprimeEm(QPrinter& impressora, bool previa);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override;

protected:
  // Read what the page keeps for its life; false leaves the page empty.
  virtual bool Prepara() = 0;
  virtual void Calcula() = 0;
  virtual void MontaTabela() = 0;   // columns, headings, row count (once)
  virtual void PreencheTabela() = 0;
  virtual void AtualizaGraficos() = 0;
  virtual void ConfiguraGraficos();  // three lines and the points, styled
  virtual void MoveSetas(int) {}
  virtual void CaixaMudou(bool) {}
  virtual void ImprimeGraficos(QPainter& p, const struct RetanguloImpressao& area);
  virtual bool FechaSemResultados() const;
  void resizeEvent(QResizeEvent* e) override;
  virtual void Dispoe();
  // The columns fitted to what they hold, unless the page sets their widths.
  void AjustaColunas();

  // Table helpers of every page: headings in row 0, cells right-aligned.
  void DefineCabecalhos(const QStringList& titulos, int linhas, int colunasFixas = 1);
  void Celula(int linha, int coluna, const QString& texto);
  static void EstiloGraficoPadrao(CTChart* g, const EstiloGrafico& e, bool linhas);
  // Points coloured by |valor| >= limite: red, else the style's points colour.
  static int32_t CorPonto(const EstiloGrafico& e, double valor, double limite);
  void DefineRotulos();
  const CabecalhoModelo& Cab() const { return *doc_->GetCabecalho(); }

  ConfigDiagnostico config_;
  QPointer<CTarsolinDoc> doc_;
  JanelaDiagnostico* host_;
  CTableCtrlEx* tabela_ = nullptr;
  CTChart* graficos_[2];
  QWidget* setas_;
  QCheckBox* caixa_;
  bool pular_ = false;      // the update of the initial update
  bool numerar_ = false;
  bool vazia_ = false;      // Prepara failed
  bool previa_ = false;

private:
  void Encaminha(int id);
  void EscolheEquacao();
  void Copia();
  void Classifica();
  void Imprime(bool previa);
  int paginasTabela_ = 0;
  int chave_ = 1, descendente_ = 0;  // the sort dialog's last choice
};

// The window of a diagnostic kind: its pages on tabs at the bottom (the tab
// bar hidden for a single page); the selected page is the active view.
class JanelaDiagnostico : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  JanelaDiagnostico(CTarsolinDoc* doc, const QString& nome, const QString& titulo, QWidget* parent = nullptr);
  void AdicionaPagina(PaginaDiagnostico* pagina);
  // Initial update of every page.
  void Inicia();

  CTarsolinDoc* Documento() const { return doc_; }
  QTabWidget* Abas() const { return abas_; }
  int NumPaginas() const { return int(paginas_.size()); }
  PaginaDiagnostico* Pagina(int i) const;
  PaginaDiagnostico* PaginaAtiva() const;
  QWidget* MolduraModelo() const;
  void FechaJanela();

  bool OnCmdMsg(int) override { return false; }
  bool TemComando(int) const override { return false; }
  QObject* VistaAtiva() override;
  QObject* DocumentoAlvo() override { return doc_; }

private:
  QPointer<CTarsolinDoc> doc_;
  QTabWidget* abas_;
  std::vector<PaginaDiagnostico*> paginas_;
  bool fechando_ = false;
};
