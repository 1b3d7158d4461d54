#pragma once
// What the pages of the data window share: a grid filling the page, the
// frame's dialog bar as edit bar (its value box commits into the focus cell),
// the Enter direction, a modified flag and a values-changed flag, cell
// formatting, the context menu, copy and paste, printing, saving, the model
// commands passed on to the model window, and closing.
#include "AlvoComando.h"
#include "controls/CTableCtrlEx.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class CDadosFrame;
class CDadosBar;
class CTarsolinDoc;
struct CabecalhoModelo;

class PaginaDados : public QWidget, public AlvoComando, public CTableOwner {
  Q_OBJECT
public:
  // A record number as the grid's first column shows it.
  static QString Numero(int k) { return QString::asprintf("%4d", k); }
  PaginaDados(CTarsolinDoc* doc, CDadosFrame* frame, int id, QWidget* parent);
  ~PaginaDados() override;

  CTableCtrlEx* Grade() const { return grade_; }
  CTarsolinDoc* Documento() const { return doc_; }
  bool Modificado() const { return modificado_; }
  void DefineModificado(bool on) { modificado_ = on; }
  bool ValoresAlterados() const { return valoresAlterados_; }
  int DirecaoEnter() const { return direcaoEnter_; }
  CCellID CelulaAtual() const { return {linha_, coluna_}; }

  // The page's initial update: fills the grid from the model.
  virtual void OnInitialUpdate() = 0;
  // Stores the grid into the model (update hint 4); true when it stored.
  virtual bool ArmazenaGrade() = 0;
  // Shows the cell in the bar and remembers it as current.
  virtual void AtualizaBarra(int row, int col) = 0;
  // The page became (or stopped being) the active one.
  virtual void Ativada(bool ativa);

  // The value box of the bar lost the focus: the text typed there goes into
  // the focus cell (a text not typed since the box showed the cell is no edit).
  virtual void ConfirmaValor();
  // The user typed into the grid: the typing goes on in the bar's value box.
  void Digita(const QString& primeira);
  // The Enter that follows comes from the bar's value box, not from the grid.
  void DefineEnterDaBarra() { enterDaBarra_ = true; }
  // Enter: moves the focus cell right or down (the data page adds a row at the end).
  virtual void TeclaEnter();
  // Closing the window: false when the user cancelled the save offer.
  virtual bool Fecha();
  bool Bloqueado() const;  // the model is locked (says nothing)
  bool RecusaBloqueado();  // says "Modelo protegido por senha !" when locked

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  void OnCorFormatacao(unsigned cor, int comando) override;
  bool OnPedeFormato(QTextCharFormat& formato) override;
  bool OnDefineFormato(const QTextCharFormat&) override { return true; }  // the grid keeps its font
  // Return in the formatting bar: the grid takes the focus, and the next Enter
  // there, coming after the bar's, never adds a row.
  void OnEnterFormatacao() override;
  bool EnterDaBarra() const { return enterDaBarra_; }
  int OnGridNotify(GridNmHdr& hdr) override;

  // The value column of a grid column (variable index), -1 for the others.
  virtual int VariavelDaColuna(int col) const = 0;
  // Characters a cell of this column accepts.
  virtual int LimiteColuna(int col) const = 0;
  // The sort comparer of a column: values by signed value, the others as text.
  GridCompareFunc Comparador(int col) const;
  // Decimal places of a value column.
  int Decimais(int col) const;

  // The exact value behind a value cell, by record (0-based) and variable:
  // the cell shows it cut to the variable's decimals, the model gets it whole.
  double Valor(int registro, int v) const;
  // A value column's text at full precision (export); the cell's text elsewhere.
  QString TextoExato(int row, int col);

protected:
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

  CabecalhoModelo& Cab() const;
  // The bar's controls enabled for this page: the value box unless the model
  // is locked, the buttons when this page handles them.
  void HabilitaBarra();
  CDadosBar* Barra() const;
  // The bar's value box shows `texto` (at most `limite` characters typed).
  void MostraNaBarra(const QString& texto, int limite);
  // Pixels <-> twips at the screen's resolution.
  int Pixels(int twips) const;
  int Twips(int pixels) const;
  // A column's width into the header field at `offset` (twips), only when the
  // user resized it: a width left alone keeps its stored twips exactly.
  void GuardaLargura(std::size_t offset, int col);
  // Column 1: 566 twips, or what its bold heading "Dado" needs at this screen's font.
  int LarguraColunaDado() const;
  // The bold default font of the fixed cells, the grid's lines, the cell class.
  void PreparaGrade(int linhas, int colunas);
  // Marks an edit: the page and the document modified; `valores` also sets the values-changed flag.
  void MarcaEdicao(bool valores);
  // A typed value: the whole text one number in the grid's own form, within
  // the limit of typed numbers; false (nothing changed) otherwise.
  static bool LeValorDigitado(const QString& texto, double* valor);
  // A typed value into the cell (row, col) and its record: false, saying so,
  // when the text is not a number.
  bool ArmazenaDigitado(int row, int col, const QString& texto);
  // The exact values of `registros` records of `variaveis` values each, zeros.
  void IniciaValores(int registros, int variaveis);
  // Sets a record's value and shows it in the cell (row, col).
  void MostraValor(int row, int col, int registro, double x);
  void AdicionaValores(int registros);
  void ExcluiValores(int registro);
  void Formata(int comando);
  void MenuContexto(QPoint global);
  void Salva();
  void VisualizaImpressao(bool previa);
  // The grid's print layout takes the model's page margins.
  void PreparaMargens();
  void SelecionaCelula(int row, int col);
  QWidget* MolduraModelo() const;
  // The file's record behind a grid row (0-based), −1 when the row names none;
  // pages that never reorder their rows hold the records in order.
  virtual int RegistroDaLinha(int row) { return row - 1; }
  // Deleting the current row of `linhas`: refused on a locked model or on the
  // last row, else asked; the record number (1-based) to delete, 0 when not.
  int ConfirmaExclusao(int linhas);
  // After record `k` (1-based) was deleted, the rows naming later records move down one.
  void RenumeraApos(int linhas, int k);
  // The rows asked for beyond the page's limit were not added.
  static void AvisaLimiteLinhas(int maximo);

  QPointer<CTarsolinDoc> doc_;
  CDadosFrame* frame_;
  CTableCtrlEx* grade_;
  QWidget* vista_;  // the grid's viewport, whose events the page filters
  bool modificado_ = false;
  bool valoresAlterados_ = false;
  bool enterDaBarra_ = false;
  int direcaoEnter_ = 1;  // 1 right, 0 down
  int linha_ = 1, coluna_ = 2;
  QString mostrado_;        // the text the value box got from the focus cell
  bool confirmando_ = false;  // a commit in progress (its message may take the focus)
  std::vector<double> valores_;
  int nValores_ = 0;
  int ppiX_ = 96, ppiY_ = 96;
  uint8_t ordenado_ = 0;
  QString caminho_;
};
