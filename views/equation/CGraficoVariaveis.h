#pragma once
// The three-variable chart of a model (command 32853): the considered records
// as points in three dimensions, one chosen variable on each axis, beside a
// table of the three variables with each record's address and observation,
// and a list of every variable's mean, minimum and maximum. It shows the data
// as they were when it opened (model updates do not reach it).
#include "AlvoComando.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class CGrafico3D;
class CTableCtrlEx;
class ControleSetas;
class QTreeWidget;

class CGraficoVariaveis : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  // The window given its initial update.
  static CGraficoVariaveis* Cria(CTarsolinDoc* doc, QWidget* parent = nullptr);
  ~CGraficoVariaveis() override;

  int VariavelX() const { return x_; }
  int VariavelY() const { return y_; }
  int VariavelZ() const { return z_; }
  // One step of an up-down control: > 0 the next variable, otherwise the previous one.
  void MoveX(int passo);
  void MoveY(int passo);
  void MoveZ(int passo);
  bool Numerando() const { return numerar_; }

  QTreeWidget* Lista() const { return lista_; }
  CTableCtrlEx* Grade() const { return grade_; }
  CGrafico3D* Grafico() const { return grafico_; }

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override { return doc_; }

protected:
  void resizeEvent(QResizeEvent* e) override;

private:
  explicit CGraficoVariaveis(CTarsolinDoc* doc, QWidget* parent);
  void OnInitialUpdate();
  void Preenche(bool comEstatisticas);
  void PreencheGrafico();
  QString Cabecalho(const char* eixo, int v) const;
  void Move(int& indice, int passo);
  void Classifica();
  void Copia();

  // A considered record as it was when the window opened.
  struct Linha {
    int registro;                 // position in the file
    std::vector<double> valores;  // by variable
    QString endereco, complemento;
  };
  QPointer<CTarsolinDoc> doc_;
  int nv_ = 0;
  std::vector<QString> nomes_;
  std::vector<bool> habilitadas_;
  std::vector<int> casas_;
  std::vector<Linha> linhas_;
  bool carregado_ = false;  // the records could be read
  int x_ = 0, y_ = 0, z_ = 0;
  bool numerar_ = false;
  int chave_ = 1, descendente_ = 0;
  QTreeWidget* lista_;
  CTableCtrlEx* grade_;
  CGrafico3D* grafico_;
  ControleSetas* setasX_;
  ControleSetas* setasY_;
  ControleSetas* setasZ_;
};
