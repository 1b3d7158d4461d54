#pragma once
// The main view of a model window: one row per variable, with the check box
// that takes it into or out of the calculation, two status images, its name,
// its transformation in the current equation and the statistics of that
// equation, linear and spatial. A double click shows or hides the variable's
// description under its row. It prints two pages: the model's statistical
// results and the significance of its regressors. Its list settings (grid
// lines, alternate colours, selection, column layout) live in "Settings".
#include "AlvoComando.h"
#include "controls/CListReportView.h"
#include "controls/CMyReportCtrl.h"
#include "controls/ReportImageList.h"

#include <QFont>
#include <QPointer>

class CTarsolinDoc;
class QPrinter;
class QSettings;
struct CabecalhoModelo;

class CTarsolinView : public CListReportView, public AlvoComando {
  Q_OBJECT
public:
  explicit CTarsolinView(CTarsolinDoc* doc, QWidget* parent = nullptr);
  ~CTarsolinView() override;

  // The model window of `doc`: its frame with this view inside, built and laid out.
  static QWidget* CriaJanela(CTarsolinDoc* doc);
  // The settings the view keeps its list settings in (the program's by default).
  static void DefineConfiguracoes(QSettings* s);
  static QSettings* Configuracoes();

  CTarsolinDoc* Documento() const;
  CMyReportCtrl* Lista() const { return lista_; }
  CListReportCtrl* GetReportCtrl() override { return lista_; }
  void PreCreateWindow(quint32& estilo) override;
  void OnInitialUpdate() override;
  void OnUpdate(QObject* remetente, int dica) override;

  // Commands of the view.
  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return this; }
  QObject* DocumentoAlvo() override;
  bool OnPedeFormato(QTextCharFormat& formato) override;
  bool OnDefineFormato(const QTextCharFormat& formato) override;
  void OnFocoFormatacao(bool foco) override;
  void OnEnterFormatacao() override;
  bool FocoFormatacao() const { return focoFormatacao_; }

  void SalvaConfiguracoes();   // 32920
  void ArranjoPadrao();        // 32826
  // Prints both pages on `impressora` (its page range, all pages without one).
  bool ImprimeEm(QPrinter& impressora, bool previa);

  // The transformation of variable v in equation e as the list shows it.
  static QString TextoTransformacao(const CabecalhoModelo& h, int v, int e);

  // The list's notifications: a click on a check box, a double click, an extra area to draw.
  long Notificacao(struct ReportNmHdr& n);

private:
  void PreencheLinha(int v, bool nova);
  void MudaHabilitacao(int item);
  void MostraDescricao(int item);
  void DesenhaDescricao(struct ReportExtraDrawInfo& x);
  void Imprime(bool previa, bool comDialogo);
  int LarguraPadrao(int coluna, int largura) const;

  QPointer<CTarsolinDoc> doc_;
  CMyReportCtrl* lista_;
  ReportImageList imagens_;
  bool ignoraAtualizacoes_ = true;  // until the initial update
  bool focoFormatacao_ = false;     // the formatting bar has the keyboard focus
};
