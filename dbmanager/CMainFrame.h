#pragma once
// The database manager's main window: the MDI area of the query windows,
// the menus and the query tool bar with the database box they share, the
// status bar with the count of connections, the connect command and the
// creation of a query window for a connection string.
#include <QList>
#include <QMainWindow>
#include <QMap>

class PropertyGrid;
class QAction;
class QDockWidget;
class QComboBox;
class QLabel;
class QMenu;
class QMdiArea;

namespace brenk {

class CChildFrame;
class CQueryDoc;
struct PropriedadesModelo;

class CMainFrame : public QMainWindow {
  Q_OBJECT
public:
  explicit CMainFrame(QWidget* parent = nullptr);
  ~CMainFrame() override;

  // Command 32776: the data-source dialog, then the connection of the kind chosen.
  void OnConnect();
  // The file of a file-based kind, its connection string and a new window.
  CQueryDoc* MontaConexao(int tipo);
  // A new query window on S (none: the connection dialog), with the query
  // file Q and the database D; none when it was not created.
  CQueryDoc* AbreNovaConexao(const QString& s, const QString& q, const QString& d);
  // Closes every query window (a window that waits for its cancel resumes it later).
  void FechaTodas();

  QComboBox* CaixaBancos() const { return caixaBancos_; }
  QMdiArea* Mdi() const { return mdi_; }
  const QList<CChildFrame*>& JanelasConsulta() const { return janelas_; }
  CChildFrame* JanelaAtiva() const;
  void RemoveJanela(CChildFrame* janela);
  class CGoToLineDlg* DialogoIrPara() const { return irPara_; }
  void DefineTextoStatus(int painel, const QString& texto);
  QString TextoStatus(int painel) const;
  QAction* Acao(int id) const { return acoes_.value(id); }
  // Runs command `id`; false when nobody handles it.
  bool Despacha(int id);
  void AtualizaComandos();

  // The model-properties pane "Exportar Dados": its grid is built the first
  // time the pane is shown; until then the export reads the initial values.
  PropertyGrid* CriaPropriedadesModelo();
  PropertyGrid* GradePropriedades() const { return propriedades_; }
  QDockWidget* PainelExportacao() const { return painelExportacao_; }
  // "Modelo do": 0 the other product's format, 1 this program's.
  int OpcaoExportacao() const;
  brenk::PropriedadesModelo PropriedadesExportacao() const;
  // Opens a query file: into the active window, else into a new connection.
  void AbreArquivo(const QString& caminho);

  // The recent query files ("Consultas Recentes", 9 entries, the newest first).
  void AdicionaRecente(const QString& caminho);
  QStringList Recentes() const { return recentes_; }
  static constexpr int kMaximoRecentes = 9;

  // Window placement in "Settings"/"WindowPos": restored (or centred) and
  // shown with `mostrar` (1 normal: the stored state; 3 maximised; 2 minimised).
  void RestauraPosicao(int mostrar);
  void GravaPosicao();
  // The split button "SQL Objects" of the query tool bar.
  class QToolButton* BotaoObjetosSql() const { return objetosSql_; }

  static constexpr int kLimiteJanelas = 512;
  // Untitled windows opened in this run ("Documento_1", "Documento_2"...).
  static int ContadorJanelas();

protected:
  void closeEvent(QCloseEvent* e) override;
  // Query files dropped on the window open as "Abrir" opens them.
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

private:
  QAction* NovaAcao(int id, const QString& texto, const QList<QKeySequence>& atalhos = {});
  void AtualizaContagem();
  void MontaRecentes();
  bool ComandoDoQuadro(int id, bool executa);
  void OnAbrir();
  void OnSobre();
  void OnIrPara();

  QMdiArea* mdi_;
  QComboBox* caixaBancos_;
  QLabel* status0_;
  QLabel* status1_;
  QMap<int, QAction*> acoes_;
  QList<CChildFrame*> janelas_;
  // Entries that carry a command besides its own action (the split button's drop-down).
  QList<QAction*> acoesExtras_;
  class QToolButton* objetosSql_ = nullptr;
  QStringList recentes_;
  QMenu* menuRecentes_ = nullptr;
  QDockWidget* painelExportacao_ = nullptr;
  PropertyGrid* propriedades_ = nullptr;
  class CGoToLineDlg* irPara_ = nullptr;
  bool fechando_ = false;
  bool fechandoTodas_ = false;
};

}  // namespace brenk
