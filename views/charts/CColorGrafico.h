#pragma once
// The chart-style editor (dialog 509 "Personalizar Gráficos"): pick a kind of
// chart in the tree, see a sample drawn with its style, change its colours and
// switches. Every change goes at once into the live table EstilosGraficos
// (and reaches the settings when the program ends); "Aplicar" and
// "Cancelar" only close the dialog.
#include <QDialog>

class CTChart;
class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class SeletorCor;

class CColorGrafico : public QDialog {
  Q_OBJECT
public:
  explicit CColorGrafico(QWidget* parent = nullptr);

  int Atual() const { return atual_; }  // the chart kind being edited, 0 to 12
  CTChart* Amostra() const { return amostra_; }

  static constexpr int NumTipos = 13;
  static const char* const NomesTipos[NumTipos];

private:
  void SelecionouTipo(QTreeWidgetItem* item);
  void MontaTitulo();
  void MudouCor(int controle, int32_t cor);
  void MudouMarca(int controle, bool marcado);

  QString titulo_;
  CTChart* amostra_;
  QTreeWidget* tipos_;
  SeletorCor* seletores_[6];  // 1016, 1021, 1017, 1018, 1019, 1022
  QCheckBox* marcas_[3];      // 1030, 1032, 1031
  QLabel* legenda_;
  QTreeWidgetItem* itens_[NumTipos];
  int atual_ = 0;
};
