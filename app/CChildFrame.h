#pragma once
// The frame of a model window: every model command of the menus and tool bars
// reaches it. For each command it decides whether it may run (password state,
// calculation state, counts), offers to save, closes the model's auxiliary
// windows and then opens a window or dialog or drives a library. A model has
// at most one auxiliary window of each kind, kept in the document's slots.
#include "AlvoComando.h"
#include "model/CTarsolinDoc.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <type_traits>

class QListWidget;
class QMdiSubWindow;

class CChildFrame : public QWidget, public AlvoComando {
  Q_OBJECT
public:
  // The frame shows `vista` (the model's main view) and owns it.
  CChildFrame(CTarsolinDoc* doc, QWidget* vista, QWidget* parent = nullptr);
  ~CChildFrame() override;

  CTarsolinDoc* Documento() const { return doc_; }
  QWidget* Vista() const { return vista_; }
  QWidget* BarraCampos() const { return barraCampos_; }  // "Campos do Cabeçalho" (59502)

  // Destroys the window in every non-empty auxiliary slot, in the fixed order.
  void FechaJanelasAuxiliares();
  // A command is about to close the auxiliary windows: the data window first
  // offers to save its edits. False when the user cancelled (nothing closed).
  bool PodeFecharAuxiliares();

  // How a kind of auxiliary window is made: from the document alone, or from
  // the document and the model window that opens it (a window that runs its
  // model commands on that frame keeps it as its current frame).
  class CriaJanela {
  public:
    using Funcao = std::function<QWidget*(CTarsolinDoc*, CChildFrame*)>;
    CriaJanela() = default;
    template <typename F>
      requires std::is_invocable_r_v<QWidget*, F&, CTarsolinDoc*, CChildFrame*>
    CriaJanela(F f) : f_(std::move(f)) {}
    template <typename F>
      requires(!std::is_invocable_r_v<QWidget*, F&, CTarsolinDoc*, CChildFrame*> &&
               std::is_invocable_r_v<QWidget*, F&, CTarsolinDoc*>)
    CriaJanela(F f) : f_([g = std::move(f)](CTarsolinDoc* doc, CChildFrame*) mutable -> QWidget* { return g(doc); }) {}
    explicit operator bool() const { return bool(f_); }
    QWidget* operator()(CTarsolinDoc* doc, CChildFrame* moldura) const { return f_(doc, moldura); }

  private:
    Funcao f_;
  };

  // A kind of auxiliary window: its slot and how to make it. The windows come
  // with the views that show them; a command with no window is not handled.
  // An empty `cria` removes the kind. Returns what was registered before
  // (an empty `cria` when nothing was).
  struct JanelaAuxiliar {
    int slot = 0;
    bool liberaRegistros = false;  // free the records before opening (data windows)
    int oferta = 0;                // 0 none, 1 light, 2 full save offer
    CriaJanela cria;
  };
  static JanelaAuxiliar RegistraJanelaAuxiliar(int comando, JanelaAuxiliar janela);

  // Writes a model in the older product's version-5 format; absent until that
  // format is built, and then 32860 is disabled. `verificacao`, when given,
  // runs before the file dialog and refuses (saying why) a model that format
  // cannot hold, before any file is touched.
  using ExportadorV5 = std::function<bool(CTarsolinDoc& doc, const QString& destino)>;
  using VerificacaoExportacao = std::function<bool(CTarsolinDoc& doc)>;
  static void DefineExportadorV5(ExportadorV5 exportador, VerificacaoExportacao verificacao = {});
  // The properties sheet over a copy of the header, starting at the types page
  // after variables were included or derived; false when cancelled. Absent
  // until the wizard pages exist, and then the step is skipped.
  using FolhaPropriedades = std::function<bool(CTarsolinDoc& doc, struct CabecalhoModelo& copia)>;
  static void DefineFolhaPropriedades(FolhaPropriedades folha);

  // The dialog of a model command (spatial correlation, dependent variable,
  // enable/disable, rename, outliers, catalogue, chart styles, page options,
  // calculator, results report); true when the user confirmed it. Absent
  // until that dialog exists, and then its command is not handled. An empty
  // function removes it. Returns what was registered before.
  using DialogoComando = std::function<bool(CTarsolinDoc& doc)>;
  static DialogoComando RegistraDialogo(int comando, DialogoComando dialogo);
  // The dialog registered for `comando` (empty when none): auxiliary windows
  // that run a model dialog themselves (page options) without the frame's steps.
  static DialogoComando DialogoRegistrado(int comando);
  // The properties sheet of 32862 over a copy of the header, starting at its
  // second page; false when cancelled. Absent until the wizard pages exist.
  static void DefineAssistentePropriedades(FolhaPropriedades folha);

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  QObject* VistaAtiva() override { return vista_; }
  QObject* DocumentoAlvo() override;

protected:
  void showEvent(QShowEvent* e) override;

private:
  bool Bloqueado();
  bool VerificaCalculo();
  bool OfertaCompleta();
  bool OfertaLeve();
  void LiberaRegistros();
  bool AbreAuxiliar(const JanelaAuxiliar& janela);
  void RecarregaCabecalho();

  void RegressaoLinear();
  void RegressaoEspacial();
  void EscolheEquacao();
  void OperacaoDados(int comando);
  void Reconsidera();
  void Desprotege();
  void Exporta();
  void ExecutaDialogo(int comando);
  void Propriedades();
  void Fecha();

  QPointer<CTarsolinDoc> doc_;
  QWidget* vista_;
  QWidget* barraCampos_;
  bool mostrada_ = false;
};
