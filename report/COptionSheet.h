#pragma once
// "Opções": the units page (measurement unit, automatic word selection) and
// one word-wrap page for each report type group: "Texto", "Texto Rich ",
// "Word 6", "Write". OK stores the pages' choices in the application.
#include "CHelpDialog.h"

class QButtonGroup;
class QCheckBox;

class CUnitsPage : public CHelpPropertyPage {
  Q_OBJECT
public:
  explicit CUnitsPage(QWidget* parent = nullptr);
  int m_nUnits = 0;       // 0 inches, 1 centimetres, 2 points, 3 picas
  bool m_bWordSel = true;
  void Carrega();
  void Guarda();

private:
  QButtonGroup* unidades_;
  QCheckBox* selecao_;
};

class CDocOptPage : public CHelpPropertyPage {
  Q_OBJECT
public:
  CDocOptPage(int idTitulo, QWidget* parent = nullptr);
  int m_nWordWrap = 0;    // 0 no wrap, 1 to the window, 2 to the ruler
  void Carrega();
  void Guarda();

private:
  QButtonGroup* quebra_;
};

class COptionSheet : public CHelpPropertySheet {
  Q_OBJECT
public:
  // Pages: 0 units, 1 "Texto", 2 "Texto Rich ", 3 "Word 6", 4 "Write".
  COptionSheet(const QString& titulo, QWidget* parent = nullptr, int primeiraPagina = 0);
  // Runs the sheet; on OK the units, word selection and four wrap modes go to the application.
  int Executa();

  CUnitsPage* unidades;
  CDocOptPage *texto, *rtf, *word6, *write;

  void accept() override;
};
