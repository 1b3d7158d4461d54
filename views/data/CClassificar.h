#pragma once
// The two sort dialogs. Neither sorts: each writes the chosen key and order
// into the caller's two integers as the user clicks, and the caller sorts its
// grid when the dialog ends with OK.
//
// CClassificar ("Classificar", dialog 507), for the data grids: key 1 record
// number, 2 address, 3 complement, 4 + v variable v; descending 0 or 1.
//
// CClassificarVar ("Classificar", dialog 508), for the display and diagnostic
// grids: four fixed choices, 1 and 2 the captioned variables, 3 address, 4
// complement. In grid mode the captions are the headings of grid columns 1 to
// 4 and the caller sorts column key + 2 (ColunaGrade): every choice sorts the
// column whose heading it shows (keys -1, 0, 1, 2).
#include <QDialog>

class CTarsolinDoc;
class CTableCtrl;
class QListWidget;
class QLabel;
class QRadioButton;

class CClassificar : public QDialog {
  Q_OBJECT
public:
  CClassificar(CTarsolinDoc* doc, int* chave, int* descendente, QWidget* parent = nullptr);

private:
  void Escolhe(int chave, bool lista);

  int* chave_;
  int* descendente_;
  QListWidget* lista_;
  QLabel* rotulo_;
};

class CClassificarVar : public QDialog {
  Q_OBJECT
public:
  // Text mode: the captions of the two variable choices.
  CClassificarVar(int* chave, int* descendente, const QString& var1, const QString& var2, QWidget* parent = nullptr);
  // Grid mode: the four choices carry the headings of columns 1 to 4 of `grade`.
  CClassificarVar(int* chave, int* descendente, CTableCtrl* grade, QWidget* parent = nullptr);
  // The grid column a grid-mode key sorts.
  static int ColunaGrade(int chave) { return chave + 2; }

private:
  void Monta(const QString (&rotulos)[4], const int (&chaves)[4]);

  int* chave_;
  int* descendente_;
};
