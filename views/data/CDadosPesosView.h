#pragma once
// The page "Pesos" of the data-and-weights window: the weights matrix W, one
// row and one column per data record. The grid is virtual: it shows the
// page's own copy of W, which edits change and which goes into the model's W
// when the document saves. Rows are never sorted (grid row i is row i of W).
#include "PaginaDados.h"

#include <newmat.h>

#include <vector>

class CDadosEditarView;

class CDadosPesosView : public PaginaDados {
  Q_OBJECT
public:
  CDadosPesosView(CTarsolinDoc* doc, CDadosFrame* frame, QWidget* parent);

  void OnInitialUpdate() override;
  bool ArmazenaGrade() override;
  void AtualizaBarra(int row, int col) override;
  bool Fecha() override;
  void ConfirmaValor() override;

  // The data page of the same window: W is computed from its rows.
  void LigaDados(CDadosEditarView* dados) { dados_ = dados; }
  int N() const { return N_; }
  const NEWMAT::Matrix& Matriz() const { return w_; }
  // The text of element (i, j), 1-based, as the grid shows it.
  QString TextoElemento(int i, int j) const;
  // The data page added records: rows and columns of zeros at the end.
  void AdicionaLinhas(int quantas);
  // The data page deleted record k (1-based): its row and column go.
  void ExcluiLinha(int k);
  // Runs "Cálculo de W" into the page's matrix.
  void CalculaW();
  // Commits `texto` into element (i, j), 1-based; false when it is not a number.
  bool DefineElemento(int i, int j, const QString& texto);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  int OnGridNotify(GridNmHdr& hdr) override;
  int VariavelDaColuna(int) const override { return -1; }
  int LimiteColuna(int) const override { return 18; }

private:
  bool Exibe(GridDisplayRequest* pedido);
  // The distances between the data page's rows (record order) from the
  // variables x and y, as the user sees them now, saved or not.
  bool CalculaDaGrade(int x, int y, NEWMAT::Matrix& destino);
  void Redimensiona(int N);

  int N_ = 0;
  NEWMAT::Matrix w_;
  CDadosEditarView* dados_ = nullptr;
  std::vector<char> excluido_;  // the records' status when the page opened (column 0)
};
