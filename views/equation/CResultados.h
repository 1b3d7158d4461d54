#pragma once
// The equation chooser (dialog 541 "Opções - Equações de regressão"): browse
// the equations kept by the last linear calculation and choose the model's
// current equation. It edits only the header's current-equation field.
#include <QDialog>
#include <QPointer>
#include <vector>

struct CabecalhoModelo;
class CTarsolinDoc;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

class CResultados : public QDialog {
  Q_OBJECT
public:
  explicit CResultados(CabecalhoModelo* cabecalho, QWidget* parent = nullptr);

  // One kept equation as the list shows it.
  struct Entrada {
    double r;   // correlation R
    double ro;  // correlation in original units
    int e;      // equation index
  };
  // The sort table and flag live for the whole run, as the list reads them.
  static std::vector<Entrada>& Tabela();
  static int& Ordenacao();  // 0 by R, 1 by Ro

public slots:
  void accept() override;
  void AlternaOrdem();  // command 32809

private:
  void MostraEquacao(int e);
  void SelecionouLinha(int linha);

  CabecalhoModelo* cab_;
  int correnteInicial_;
  QComboBox* lista_;
  QPushButton* ordem_;
  QPushButton* aplicar_;
  QPlainTextEdit* determinacao_;
  QPlainTextEdit* f_;
  QPlainTextEdit* desvio_;
  QPlainTextEdit* durbin_;
  QPlainTextEdit* outliers_;
  QPlainTextEdit* residuos_;
  QTreeWidget* regressores_;
  std::vector<int> variaveis_;  // enabled variables, in order (rows of the table)
};

// The windows' "choose equation" command: runs the chooser over the model's
// header and, when the current equation changed, stores the model and
// refreshes its views. The document may go away while the dialog is open.
// Returns whether the equation changed.
bool EscolheEquacaoESalva(const QPointer<CTarsolinDoc>& doc, QWidget* pai);
