#pragma once
// The four panes of the main window that always show the current model
// (ModeloCorrente): "Resultados RL" and "Resultados RE" (the statistics of the
// current linear equation and of the spatial model), "Dados" (one data record
// at a time) and "Lista de Dados" (every record, a virtual grid). The frame
// refreshes them on 32889, 32819 and 32858; between those, every update the
// model's document announces (results, variables, data, names) refreshes all
// four, so they never show a fit or variables the model no longer has.
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class CTableCtrlEx;
class CTarsolinDoc;
class PropertyGrid;
class PropertyGridItem;
class QWidget;
struct CabecalhoModelo;
struct GridDisplayRequest;

// The texts of the result grids, by item caption, for header `h` (null: no
// model). Counts are set in both; the rest only when the model has results of
// that kind, else empty. A figure that is not a number shows "Erro".
QMap<QString, QString> TextosResultadosRL(const CabecalhoModelo* h);
QMap<QString, QString> TextosResultadosRE(const CabecalhoModelo* h);
// The entries of the "Correlação" drop-down: one per kept equation.
QStringList EntradasCorrelacao(const CabecalhoModelo* h);

// The categories and items of the linear grid, in display order (the printout
// of the model view lists them the same way).
struct GrupoResultados {
  const char* categoria;
  const char* itens[4];  // null past the last
};
extern const GrupoResultados GruposResultadosRL[5];

class PaineisModelo : public QObject {
  Q_OBJECT
public:
  explicit PaineisModelo(QWidget* pai);

  PropertyGrid* ResultadosRL() const { return rl_; }
  PropertyGrid* ResultadosRE() const { return re_; }
  PropertyGrid* Dados() const { return dados_; }
  CTableCtrlEx* Lista() const { return lista_; }
  PropertyGridItem* ItemRL(const QString& legenda) const { return itensRL_.value(legenda); }
  PropertyGridItem* ItemRE(const QString& legenda) const { return itensRE_.value(legenda); }
  int RegistroAtual() const { return registro_; }

  void AtualizaResultados();   // 32889
  void AtualizaPainelDados();  // 32819
  void AjustaColunasLista();   // 32858

  // The data list's cell request (virtual mode): false for no text.
  bool PedidoCelula(GridDisplayRequest* pedido);

private:
  void EscolheEquacao(PropertyGridItem* item);
  void MudaRegistro(PropertyGridItem* item);
  CTarsolinDoc* Documento() const;
  bool Registros(CTarsolinDoc* doc);
  // Follows the updates of `doc` (the model shown) and of no other.
  void Acompanha(CTarsolinDoc* doc);
  void ModeloMudou(int dica);

  PropertyGrid* rl_;
  PropertyGrid* re_;
  PropertyGrid* dados_;
  CTableCtrlEx* lista_;
  QMap<QString, PropertyGridItem*> itensRL_, itensRE_;
  int registro_ = 1;
  // The records of this model could not be loaded: the list asks no more
  // until its next reshaping.
  QPointer<CTarsolinDoc> falhaCarga_;
  QPointer<CTarsolinDoc> acompanhado_;
  QMetaObject::Connection conexaoModelo_;
  bool atualizacaoPendente_ = false;  // one refresh for a burst of updates
};
