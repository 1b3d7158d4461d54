#pragma once
// The query window: one per connection, its SQL editor above and its result
// area below, its own status bar with four panes, and the run of the
// editor's batch on the connection's worker thread. The window decides which
// of its commands work, connects (with the connection dialog and its retry),
// learns the provider's facts, keeps the shared database box, shows the
// result grids and messages, cancels, and closes only once a cancelled run
// has ended.
#include "dbmanager/ConexaoConsulta.h"
#include "dbmanager/PerfilFonte.h"
#include "dbmanager/RegrasProvedor.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

class QLabel;
class QSplitter;
class QStatusBar;
class QTableView;

namespace brenk {

class CMainFrame;
class CQueryDoc;
class CQueryView;
class CResultView;
class ModeloGrade;
struct CabecalhosExportacao;

class CChildFrame : public QWidget {
  Q_OBJECT
public:
  explicit CChildFrame(CMainFrame* principal, QWidget* parent = nullptr);
  ~CChildFrame() override;

  // Connecting: the string S (none: the connection dialog), then the facts.
  bool Conecta(const QString& s, bool editaConexao, const QString& banco);
  bool AbreConexao(const QString& s, bool editaConexao);
  bool LeInfoProvedor(const QString& banco);
  // Database box of the SQL Server family.
  bool UsaBanco(const QString& nome, QString& erro);
  bool PreencheBancos();
  void LeBancoAtual();
  bool AtualizaBancoAtual();
  void SelecionaBanco(const QString& texto);  // command 101
  // Options applied by the main frame (no range checks here).
  void DefineTempoLimite(int segundos);
  void DefineCache(int linhas);
  void DefinePrioridade(const QString& texto);
  // "Time critical" 15, "Highest" 2, "Above Normal" 1, "Normal" 0, "Below Normal" -1, any other -2.
  static int PrioridadeDeTexto(const QString& texto);

  // Commands of the window: true when handled.
  bool OnCmdMsg(int id);
  bool Habilitado(int id, bool* marcado = nullptr) const;
  // Runs the editor's statement; `modoTexto` forces text mode, with the
  // result view told `objeto` (the procedures command).
  void OnExecute(bool modoTexto = false, const QString& objeto = QString());
  bool ExecutaLote(const QString& texto);
  void CancelaConsulta();
  void OnCancelQuery();
  void OnNovaConsulta();
  // Command 32788: the tables browser, then the run of what it wrote.
  void OnTabelas();
  // Command 32779: the procedures browser, then the run of the statement
  // that shows the chosen procedure's text.
  void OnConsultas();
  // Command 32825: the provider properties dump.
  void OnPropriedades();
  // The end of a run (handler of the worker's end; a second end is ignored).
  void OnQueryDone(bool erros);
  void ExecutaFechamentos();

  // Result area.
  void LimpaResultados(const QString& texto);
  // Shows grid `indice` (1-based) and names it in pane 2; the shown index is the caller's.
  void MostraGrade(int indice);
  void AtualizaStatusGrade();
  void AlternaMensagens();
  void MostraTempo();
  bool MostrandoMensagens() const;
  // The results view's Clear: forgets the stored messages or text result,
  // and after the last of them resets the panes.
  void LimpaTextoGuardado(bool mensagens) { (mensagens ? mensagens_ : textoResultado_).clear(); }
  void AposLimpar();
  // The view the window's commands go to: the editor or the results view.
  QWidget* VistaAtiva() const;

  // Deferred close requests, set by the main frame's close-all and close.
  void PedeFechamentos(bool todas, bool aplicacao) { fecharTodas_ = todas; fecharAplicacao_ = aplicacao; }

  // The grid font of this window's grids and of those it creates later.
  void DefineFonteGrade(const FonteLogica& fonte);
  bool TemFonteGrade() const { return temFonteGrade_; }

  // Model export of the grid on show (command 32829); `grade` none: the results view's.
  void ExportaModeloTarsolin();
  void ExportaModeloZelvar();
  void ExportaModelo(int tipo, const ModeloGrade* grade = nullptr);
  // Made at the first export (about 1 MB): 512 idle windows do not hold them.
  CabecalhosExportacao& BuffersExportacao();

  // What the other windows read.
  CMainFrame* Principal() const;
  CQueryView* Editor() const { return editor_; }
  CResultView* Resultado() const { return resultado_; }
  CQueryDoc* Documento() const { return doc_; }
  ConexaoConsulta* Conexao() const { return conexao_; }
  QStatusBar* BarraStatus() const { return status_; }
  QString TextoPainel(int painel) const;
  void DefineTextoPainel(int painel, const QString& texto);
  const RegrasProvedor& Regras() const { return regras_; }
  QString Provedor() const { return provedor_; }
  QString FonteDados() const { return fonteDados_; }
  QString Dbms() const { return dbms_; }
  bool MultiplosResultados() const { return multiplos_; }
  QString BancoAtual() const { return bancoAtual_; }
  int EstadoConexao() const { return estadoConexao_; }
  bool Executando() const { return executando_; }
  bool CancelamentoPedido() const { return cancelPedido_; }
  QString Mensagens() const { return mensagens_; }
  QString TextoResultado() const { return textoResultado_; }
  int NumeroGrades() const { return int(grades_.size()); }
  int GradeMostrada() const { return mostrada_; }
  ModeloGrade* Grade(int indice) const;  // 1-based
  QTableView* VistaGrade(int indice) const;
  int TamanhoCache() const { return cache_; }
  int TempoLimite() const { return tempoLimite_; }
  int Prioridade() const { return prioridade_; }

protected:
  void closeEvent(QCloseEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

private:
  void AoCriarGrade(const QList<ColunaResultado>& colunas);
  void AoReceberLinhas(const BlocoPtr& bloco);
  void AoTerminarExecucao(const FimExecucao& fim);
  void AoTerminarCancelamento();
  void DestroiGrades();
  void ParaTimer();
  void AtualizaPosicao();

  QPointer<CMainFrame> principal_;
  QPointer<QWidget> vistaAtiva_;
  // The export's two headers, kept while the window lives.
  std::unique_ptr<CabecalhosExportacao> exportacao_;
  CQueryDoc* doc_;
  CQueryView* editor_;
  CResultView* resultado_;
  QSplitter* divisor_;
  QStatusBar* status_;
  QLabel* paineis_[4];
  ConexaoConsulta* conexao_;

  // What the provider said after connecting.
  int estadoConexao_ = 0;  // 1: open
  QString provedor_, fonteDados_, dbms_, driver_;
  bool multiplos_ = false;
  RegrasProvedor regras_;
  QString bancoAtual_;
  QString textoConexao_;   // the string of the last attempt
  bool temConexao_ = false;

  // Settings of section "Configure".
  int cache_ = 100;
  int tempoLimite_ = 0;
  int prioridade_ = -2;

  // Run state.
  bool executando_ = false;
  bool cancelPedido_ = false;
  bool cancelTerminado_ = false;
  bool execFinalizada_ = false;
  bool modoTexto_ = false;
  QString loteTexto_;
  QString mensagens_;
  QString textoResultado_;
  QElapsedTimer inicio_;
  int timer_ = 0;
  bool fecharEsta_ = false, fecharTodas_ = false, fecharAplicacao_ = false;

  // Result grids of the last run.
  QList<QTableView*> grades_;
  ModeloGrade* gradeNova_ = nullptr;
  int mostrada_ = 0;
  int proximoId_ = 2000;
  // "Grid\Font"; without it the grids keep the view's own font.
  FonteLogica fonteGrade_;
  bool temFonteGrade_ = false;
};

}  // namespace brenk
