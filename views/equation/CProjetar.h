#pragma once
// The projection window of a model (command 32839): the value of the
// properties to appraise. A frame with three tabs ("Projeção", the form of
// one property; "Pontos Máximo/Mínimo", the curve over the area variable;
// "Projeções", the grid of every property) and a pane "Projeções" holding the
// interval frame with the results and the window's toolbar. The numbers come
// from CalculoProjecao; the widgets only read and show them.
#include "AlvoComando.h"
#include "CalculoProjecao.h"
#include "controls/CTableDefs.h"
#include "model/CTarsolinDoc.h"

#include <QMainWindow>
#include <QPointer>
#include <QWidget>

class CCustomItemSlider;
class CProjetarDadosView;
class CProjetarFormView;
class CProjetarFrame;
class CProjetarGrafView;
class CTChart;
class CTableCtrlEx;
class PropertyGrid;
class PropertyGridItem;
class QLabel;
class QTabWidget;
class QToolBar;
class QTreeWidget;
struct TrabalhoImpressao;
struct CPrintInfo;
class QPainter;

// Command ids of the window's own toolbar and posts.
enum ComandoProjecao : int {
  CmdProjAdicionar = 32880, CmdProjAvancar = 32881, CmdProjDesvio = 32882, CmdProjExcluir = 32883,
  CmdProjetarValores = 32884, CmdProjAdotado = 32885, CmdProjVoltar = 32886, CmdProjAdicionarVarios = 32810,
};

// The row limit of the appraisal grid (the records a model holds).
constexpr int MaxLinhasProjecao = 10000;

// The results pane: the toolbar "Projeção" and the interval grid.
class CFrameIntervalo : public QMainWindow {
  Q_OBJECT
public:
  explicit CFrameIntervalo(CProjetarFrame* frame);
  void Mostra(const TextosIntervalo& textos);
  QString Valor(int item) const;
  void DefineValor(int item, const QString& valor);
  int Nivel() const;       // "Nível de Confiança" index
  int Tendencia() const;   // "Estimativa pela" index
  int Desvio() const;
  void DefineDesvio(int d);
  void SelecionaAdotado();
  void RecolheRE();
  void TendenciaSomenteLeitura();
  PropertyGrid* Grade() const { return grade_; }
  PropertyGridItem* Item(int i) const { return itens_[i]; }
  PropertyGridItem* ItemNivel() const { return nivel_; }
  PropertyGridItem* ItemTendencia() const { return tendencia_; }
  QToolBar* Barra() const { return barra_; }

private:
  void Mudou(PropertyGridItem* item);
  CProjetarFrame* frame_;
  PropertyGrid* grade_;
  QToolBar* barra_;
  PropertyGridItem* itens_[NumItensIntervalo] = {};
  PropertyGridItem* nivel_ = nullptr;
  PropertyGridItem* tendencia_ = nullptr;
  PropertyGridItem* categoriasRE_[2] = {};
};

// What every page has: the model's commands posted on, page options,
// printing and the page's tab index (window message 1058).
class PaginaProjecao : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  PaginaProjecao(CProjetarFrame* frame, int indice);
  int Indice() const { return indice_; }
  CProjetarFrame* Frame() const { return frame_; }
  CTarsolinDoc* Documento() const;
  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  // The page's printout.
  virtual TrabalhoImpressao Trabalho() = 0;

protected:
  virtual bool Comando(int id) { return false; }
  virtual bool TemComandoProprio(int id) const { return false; }
  CProjetarFrame* frame_;
  int indice_;
};

class CProjetarFormView : public PaginaProjecao {
  Q_OBJECT
public:
  explicit CProjetarFormView(CProjetarFrame* frame);
  void OnInitialUpdate();
  void MostraRegistro(bool recarrega);
  void ProjetaValores();
  void ValidaValorArbitrado();
  void AplicaDesvio();
  void NavegaRegistro(int delta);
  void LimpaIntervalo(bool espacial, bool linear);
  int LinhaAtual() const { return linhaAtual_; }
  void DefineLinhaAtual(int l) { linhaAtual_ = l; }
  void RedimensionaEstimativas(int linhas) { calc_.RedimensionaEstimativas(linhas); }
  CalculoProjecao& Calculo() { return calc_; }
  PropertyGrid* Grade() const { return grade_; }
  QString Legenda() const;
  // The caption "Dados do imóvel avaliando - row/rows" for the row shown.
  void AtualizaLegenda();
  bool Iniciada() const { return catEndereco_ != nullptr; }
  TrabalhoImpressao Trabalho() override;
  void ImprimePagina(QPainter& p, const CPrintInfo& info);

protected:
  bool Comando(int id) override;
  bool TemComandoProprio(int id) const override;

private:
  void Mudou(PropertyGridItem* item);
  void AtualizaLegenda(int linha);
  int Linha() const;  // the grid row shown (1-based)
  NEWMAT::Matrix Valores() const;
  void AplicaResultado(const ResultadoProjecao& r);
  double EstimativaRL() const;

  CalculoProjecao calc_;
  QLabel* legenda_;
  PropertyGrid* grade_;
  int linhaAtual_ = 0;
  int coordX_ = -1, coordY_ = -1;
  std::vector<PropertyGridItem*> variaveis_;  // by full index; null for none
  PropertyGridItem* x_ = nullptr;
  PropertyGridItem* y_ = nullptr;
  PropertyGridItem* endereco_[5] = {};
  PropertyGridItem* catVariaveis_ = nullptr;
  PropertyGridItem* catEndereco_ = nullptr;
};

class CProjetarGrafView : public PaginaProjecao {
  Q_OBJECT
public:
  explicit CProjetarGrafView(CProjetarFrame* frame);
  void OnInitialUpdate();
  bool PreencheTabelaPontos();
  void DesenhaCurvas();
  QTreeWidget* Lista() const { return lista_; }
  CTChart* Grafico(int i) const { return i == 0 ? g1121_ : g1122_; }
  TrabalhoImpressao Trabalho() override;

protected:
  bool Comando(int id) override;
  bool TemComandoProprio(int id) const override;
  void resizeEvent(QResizeEvent* e) override;

private:
  QTreeWidget* lista_;
  CTChart* g1121_;
  CTChart* g1122_;
};

class CProjetarDadosView : public PaginaProjecao, public CTableOwner {
  Q_OBJECT
public:
  explicit CProjetarDadosView(CProjetarFrame* frame);
  void OnInitialUpdate();
  bool GravaGrade();
  bool AdicionaRegistro(bool grava = true);
  void AdicionaRegistros();
  void ExcluiRegistro();
  void ColaTexto();
  CTableCtrlEx* Grade() const { return grade_; }
  int Linhas() const { return linhas_; }
  bool Editada() const { return editada_; }
  void MarcaEditada();
  void DescartaEdicoes() { editada_ = false; }
  int OnGridNotify(GridNmHdr& hdr) override;
  TrabalhoImpressao Trabalho() override;
  // The close rule of the window: false when the user cancelled.
  bool PodeFechar();

protected:
  bool Comando(int id) override;
  bool TemComandoProprio(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void PreencheGrade();
  bool Bloqueado() const;
  // The form after rows were added to a grid that held `antes` rows.
  void RegistrosAdicionados(int antes);
  CTableCtrlEx* grade_;
  int linhas_ = 0;
  bool editada_ = false;
  bool valoresMudaram_ = false;
};

// The tab host: the three pages in a tab control (1066).
class CProjetarTabView : public QWidget {
  Q_OBJECT
public:
  explicit CProjetarTabView(CProjetarFrame* frame);
  QTabWidget* Abas() const { return abas_; }
  PaginaProjecao* PaginaAtiva() const;
  int AbaSelecionada() const;  // window message 1058

private:
  void AtivaPagina();
  CProjetarFrame* frame_;
  QTabWidget* abas_;
};

class CProjetarFrame : public QMainWindow, public AlvoComando {
  Q_OBJECT
public:
  // The window with its pages, given its initial update; null after a
  // message when the projection cannot be prepared. `moldura` is the model
  // window that opens it, its current frame: the pages post the model's
  // commands there (without one, the model window of `doc` is looked up).
  static CProjetarFrame* Cria(CTarsolinDoc* doc, QWidget* moldura = nullptr);
  ~CProjetarFrame() override;

  CTarsolinDoc* Documento() const { return doc_; }
  CProjetarTabView* Abas() const { return tab_; }
  CProjetarFormView* Form() const { return form_; }
  CProjetarGrafView* Graf() const { return graf_; }
  CProjetarDadosView* Dados() const { return dados_; }
  CFrameIntervalo* Intervalo() const { return intervalo_; }
  // The model window the pages' model commands run on (null when it is gone).
  QWidget* MolduraModelo() const;
  // Posts a command to this window, which runs it on its active page.
  void Posta(int id);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override;
  QObject* DocumentoAlvo() override;

protected:
  void closeEvent(QCloseEvent* e) override;

private:
  explicit CProjetarFrame(CTarsolinDoc* doc);
  void Documentou(QObject* origem, int dica);
  QPointer<CTarsolinDoc> doc_;
  QPointer<QWidget> moldura_;  // the model window that opened this one
  CProjetarTabView* tab_ = nullptr;
  CProjetarFormView* form_ = nullptr;
  CProjetarGrafView* graf_ = nullptr;
  CProjetarDadosView* dados_ = nullptr;
  CFrameIntervalo* intervalo_ = nullptr;
  bool fechando_ = false;
};
