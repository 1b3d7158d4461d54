#pragma once
// The main window: the MDI area where every model window and auxiliary window
// opens, the menu bar, the five tool bars, the status bar and the four panes
// ("Dados", "Resultados RL", "Resultados RE" as tabs, "Lista de Dados"), with
// their two layouts: normal (all panes) and preview ("Resultados RL" and
// "Dados" hidden). It opens dropped files and starts the database manager.
#include "AlvoComando.h"

#include <QByteArray>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QTextCharFormat>

class CTarsolinApp;
class CTarsolinDoc;
class PaineisModelo;
class QAction;
class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
struct Retangulo;

class CMainFrame : public QMainWindow, public AlvoComando {
  Q_OBJECT
public:
  explicit CMainFrame(CTarsolinApp* app, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Builds bars, panes and layouts and places the window; false on failure.
  bool Cria();
  // The saved placement is used when both its corners lie on the screen.
  static bool PosicaoValida(const Retangulo& r, const QSize& tela);

  QMdiArea* Mdi() const { return mdi_; }
  QMdiSubWindow* AdicionaJanelaModelo(QWidget* janela, CTarsolinDoc* doc);
  // Any window of the program (auxiliary windows too) for document `doc`:
  // shown at the default size of a new window (four fifths of the area),
  // wholly inside the area.
  QMdiSubWindow* AdicionaJanela(QWidget* janela, CTarsolinDoc* doc);
  void AtivaDocumento(CTarsolinDoc* doc);
  // The model window of `doc` (the frame holding its main view), null when
  // none: auxiliary windows run the model's commands on it.
  QWidget* MolduraModelo(CTarsolinDoc* doc) const;
  // Makes the model window of `doc` the active one (restored when minimised)
  // and returns it; null when there is none.
  QWidget* AtivaJanelaModelo(CTarsolinDoc* doc);
  void TrazParaFrente();
  QAction* Acao(int id) const { return acoes_.value(id); }
  QDockWidget* Painel(int id) const;
  // What the four panes show ("Resultados RL", "Resultados RE", "Dados", "Lista de Dados").
  PaineisModelo* Paineis() const { return paineisModelo_; }
  void AtualizaResultados();   // 32889
  void AtualizaPainelDados();  // 32819
  void AjustaColunasLista();   // 32858
  // A window's own entry in the menu titled `menu` (as the menu bar shows it),
  // after its last entry; once per command, so every window of a kind may ask.
  // `marcavel` entries show a check while their update handler says so.
  QAction* AdicionaEntradaMenu(const QString& menu, int id, const QString& texto, bool marcavel = false);
  void AplicaLayoutNormal();
  void AplicaLayoutPreview();
  // The formatting bar's colour (message 10028): 32806 the text colour, otherwise the back colour.
  void MensagemCor(unsigned cor, int comando);
  unsigned CorTexto() const { return corTexto_; }
  unsigned CorFundo() const { return corFundo_; }
  // The formatting bar's character format: the active view's, else 10 points
  // in the application's default font.
  QTextCharFormat FormatoCaractere() const;
  // 10 points of `familia`, plain, automatic colour: the format the bar shows by default.
  static QTextCharFormat FormatoDezPontos(const QString& familia);
  // A font or size chosen in the formatting bar: offered to the active view, then its window.
  void DefineFormato(const QTextCharFormat& formato);
  // Opens the first of the dropped files.
  void AbreArquivosSoltos(const QStringList& arquivos);
  void OnImportar();

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  // The formatting bar's boxes (1067, 1068): their focus and Return go to the active view.
  bool eventFilter(QObject* objeto, QEvent* e) override;

signals:
  void atualizaResultados();     // 32889
  void atualizaPainelDados();    // 32819
  void ajustaColunasLista();     // 32858

protected:
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

private:
  QAction* NovaAcao(int id, const QString& texto, const QKeySequence& atalho = {});
  void CriaMenus();
  void CriaBarras();
  void CriaPaineis();
  void JanelaAtivada(QMdiSubWindow* sub);
  void AtualizaMenus();
  // The Janela menu's list of open windows: "&1 name", "&2 name", ... in opening order.
  void AtualizaListaJanelas();
  QMdiSubWindow* JanelaDaLista(int id) const;
  void AbreTabelaNormal();  // the statistical-table window
  void AtualizaFormatacao();
  void GuardaPosicao();
  // The active view that answers the formatting bar (else its window), and its object.
  AlvoComando* AlvoFormatacao(QObject** objeto) const;
  QMdiSubWindow* JanelaEmUso() const;
  // A new window not maximised: the default size, wholly inside the area.
  void ColocaNaArea(QMdiSubWindow* sub);

  CTarsolinApp* app_;
  QMdiArea* mdi_ = nullptr;
  QMap<int, QAction*> acoes_;
  QList<QMenu*> menusModelo_;     // shown only while a model window is active
  QMenu* menuJanela_ = nullptr;
  QAction* separadorJanelas_ = nullptr;  // above the list of windows
  QMenu* menuRecentes_ = nullptr;
  QMap<int, QDockWidget*> paineis_;
  PaineisModelo* paineisModelo_ = nullptr;
  QPointer<QMdiSubWindow> ultimaAtivada_;  // the window (model or auxiliary) whose activation was handled last
  QByteArray layoutNormal_, layoutPreview_;
  unsigned corTexto_ = 0, corFundo_ = 0xFFFFFF;
  QPointer<QObject> focoFormatacao_;  // the view told that the formatting bar has the focus
};
