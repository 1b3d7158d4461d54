#pragma once
// The model summary window (command 32941, "Resumo do Modelo"): the data and
// variable counts and the statistics of the current equation in a property
// grid, the current equation chosen from the "Correlação" list, and a
// two-page printout. It passes no model command on to the model window.
#include "AlvoComando.h"
#include "model/CTarsolinDoc.h"

#include "controls/PropertyGrid.h"

#include <QMap>
#include <QPointer>
#include <QWidget>

class QPrinter;

// A grid item whose value is drawn in a colour of its own (COLORREF; -1 the
// grid's text colour), read-only or not.
class CXTPPropertyGridItemEx : public PropertyGridItem {
public:
  CXTPPropertyGridItemEx(const QString& legenda, const QString& valor, int32_t cor);
  int32_t Cor() const { return cor_; }
  void DefineCor(int32_t cor);
  QColor CorValor() const;

private:
  int32_t cor_;
};

class CPropertyGridView : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  explicit CPropertyGridView(CTarsolinDoc* doc, QWidget* parent = nullptr);

  void OnInitialUpdate();
  // Writes every value from the model's header.
  void Atualiza();

  PropertyGrid* Grade() const { return grade_; }
  CXTPPropertyGridItemEx* Item(const QString& legenda) const { return itens_.value(legenda); }
  // Prints the printer's page range (both pages when it has none); the pages printed.
  int ImprimeEm(QPrinter& impressora, bool previa);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override { return doc_; }

private:
  void EscolheEquacao(PropertyGridItem* item);
  void Imprime(bool previa, bool comDialogo);

  QPointer<CTarsolinDoc> doc_;
  PropertyGrid* grade_ = nullptr;
  QMap<QString, CXTPPropertyGridItemEx*> itens_;
  bool primeira_ = true;  // before the initial update
};

// The document's slot of the window: the seventh, which no other window uses.
constexpr int JanelaResumo = CTarsolinDoc::JanelaReservada;

// The window as the model window opens it; null without a model.
CPropertyGridView* CriaJanelaResumo(CTarsolinDoc* doc);
