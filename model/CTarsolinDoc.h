#pragma once
// The document of a model window: the in-memory model shared by the model
// window, its main view and every auxiliary window of the model. It owns the
// header, the data and appraisal records (loaded only when a window needs
// them), the weights matrix W and the projection-distance matrix, and tells
// its views what changed through update hints:
//   0 model properties, names or protection changed
//   1 the variable set changed (results are invalid)
//   3 results or data changed (reload what is shown)
//   4 about to be saved: store pending grid edits now
// It needs no widget: prompts go through plat::MessageBox and the steps that
// need windows or other subsystems (wizard, password, save-as, conversion of
// older files) through ServicosDocumento.
#include "ArquivoModelo.h"
#include "platform/ArquivoSeguro.h"
#include "platform/Documento.h"

#include <newmat.h>

#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

struct CabecalhoModelo;
struct dado;
struct dadoP;
struct Var;
class CTarsolinDoc;

// What the document asks of the program around it. The defaults are what a
// program without windows can do (tests and tools): no wizard page, no
// password typed, no save-as dialog.
class ServicosDocumento {
public:
  virtual ~ServicosDocumento() = default;

  // Formats of the older products, as recognised from the first 18 bytes.
  enum class FormatoAntigo { Kolmar4, Kolmar5, KolmarPosterior, Zelvar };

  // The new-model wizard over the zeroed header and the sorted catalogue;
  // false when cancelled. Default: a model with no variables.
  virtual bool AssistenteNovoModelo(CabecalhoModelo& cabecalho, std::vector<Var>& catalogo);
  // The password prompt: true only when the right password was typed.
  virtual bool PedeSenha(CTarsolinDoc& doc);
  // The save-as dialog: false when cancelled.
  virtual bool PedeCaminhoSalvar(CTarsolinDoc& doc, QString& caminho);
  // Converts an older product's file into a new model file at `destino`, with
  // the default page margins; `recalcular` is set when the converted model's
  // equation must be computed again (a version-4 file). Default: the converters
  // of the model core.
  virtual bool ConverteFormatoAntigo(const QString& origem, const QString& destino,
                                     FormatoAntigo formato, bool& recalcular);
  // Recomputes the stored equation of a model file (regression library, ordinal 1).
  virtual bool RecalculaEquacao(const QString& caminho);
  // Puts a model that was just named (saved under its path) at the top of
  // the recent-file list.
  virtual void AdicionaArquivoRecente(const QString& caminho);
  // Posts a command id to the main window (queued).
  virtual void PostaComando(int comando);
  // Posts a command id to the model window of `doc` (queued), which comes to
  // the front when it runs: the command is the model's whatever window is
  // active by then. Default: PostaComando.
  virtual void PostaComandoModelo(CTarsolinDoc& doc, int comando);
  // Wait cursor around long work.
  virtual void CursorEspera(bool ligado);
  // The default page margins of the application: left, right, top, bottom (twips).
  virtual void MargensPadrao(int& esquerda, int& direita, int& superior, int& inferior);
};

class CTarsolinDoc : public plat::Documento {
  Q_OBJECT
public:
  // Auxiliary-window slots (1-based as the model window numbers them).
  enum Janela {
    JanelaEquacao = 1, JanelaResiduos = 2, JanelaExibirVariaveis = 3, JanelaCorrelacoes = 4,
    JanelaValoresAjustados = 5, JanelaGraficoVariaveis = 6, JanelaReservada = 7,
    JanelaDados = 8, JanelaProjetar = 9, JanelaValidar = 10,
  };
  static constexpr int NumJanelas = 10;
  // W is N x N; past this many records it is refused instead of exhausting memory.
  static constexpr int MaxRegistrosW = 10000;

  explicit CTarsolinDoc(QObject* parent = nullptr);
  ~CTarsolinDoc() override;

  // The services every document uses; null restores the defaults. Not owned.
  static void DefineServicos(ServicosDocumento* servicos);
  static ServicosDocumento& Servicos();

  // Document life, as the model template drives it.
  bool OnNewDocument();
  bool OnOpenDocument(const QString& caminho);
  bool OnSaveDocument(const QString& caminho);
  void OnCloseDocument();
  void SetPathName(const QString& caminho) override;

  // Opens a file into this document: OnOpenDocument, then its path, unmodified.
  bool AbreArquivo(const QString& caminho);
  // Saves to `caminho`, or asks for a path when empty or `perguntar`; a
  // failure is reported and the document stays modified.
  bool DoSave(const QString& caminho, bool perguntar = false);
  // Offers to save a modified document: false when the user cancelled or the save failed.
  bool SaveModified();

  // The model's file is the one this document read or wrote last (device,
  // inode, size, modification time). Every write over it checks this first;
  // a file changed by another program is never written over.
  bool ArquivoInalterado() const;
  // Says that the file changed on disk (21006) and offers "Salvar como"
  // (21007); true when the model was saved under another name.
  bool AvisaArquivoAlterado();
  // Tells the user why the last write failed: 3000 for a write-protected
  // file, the changed file with the offer to save under another name, else
  // 21002 with the writer's reason.
  void InformaFalhaGravacao(const QString& caminho);

  // Re-reads the header from the file after a library rewrote it, keeping the
  // two bytes only this session knows: the model unlocked with its password
  // (1116) and W built from the coordinates at open (408272). False, memory
  // unchanged, when the file's header cannot be read.
  bool RelerCabecalho();

  // Records (and the stored W elements when the model keeps them, byte 408272 clear).
  bool CarregaRegistros();
  void LiberaRegistros();
  bool GravaRegistros();
  bool RegistrosCarregados() const { return carregados_; }
  // `m` zeroed appraisal records in place of the loaded ones, and M = m in the
  // header; false (nothing changed) unless the records are loaded and m is
  // within 0..MaxDadosP.
  bool RecriaDadosP(int m);
  // The data grid's rebuilt records, as many as the header's N now counts;
  // false (nothing changed) when the records are not loaded or the count differs.
  bool SubstituiDados(std::vector<dado>&& novos);

  // The message refusing W to a model past MaxRegistrosW records, naming the limit.
  static void RecusaLimiteW();
  // W from the coordinate variables; false (with a message) when it cannot be built.
  bool CalculaMatrizW();
  // The same distances into `destino` (the weights grid's matrix): N x N over
  // every record, excluded ones included, with a zero diagonal; a matrix that
  // cannot be allocated is refused with a message and left empty.
  bool CalculaMatrizW(NEWMAT::Matrix& destino);
  bool CalculaDistanciasProjecao();

  // Sets or removes the password protection; removing it clears the stored password.
  void DefineProtecao(bool protegido, const QString& senha, int modoAcesso);

  CabecalhoModelo* GetCabecalho() const { return cabecalho_.get(); }
  dado* GetDados();
  dadoP* GetDadosP();
  int NumDados() const;
  int NumDadosP() const;
  NEWMAT::Matrix& GetW() { return w_; }
  NEWMAT::Matrix& GetDistanciasProjecao() { return distancias_; }
  // Auxiliary-window slot 1..10: the window open for it, null when none (a
  // destroyed window clears its slot by itself).
  QPointer<QObject>& Janela(int slot);
  bool RecalcularAposConversao() const { return recalcular_; }

private:
  bool LeCabecalho(const QString& caminho);
  bool GravaCabecalhoNoLugar(const QString& caminho);
  bool GravaArquivoCompleto(const QString& caminho);
  bool ConverteAntigo(const QString& caminho, ServicosDocumento::FormatoAntigo formato, QString& novo);
  void PreencheNovoCabecalho();
  void ZeraJanelas();
  bool CoordenadasValidas(int& x, int& y) const;
  // At open: the file keeps a hand-edited W in its stored elements (byte
  // 408272 clear, elements present and readable, no spatial result).
  bool GuardaElementosW() const;
  // At open: the advisory lock on the model's file (a model another process
  // holds is refused with 21008), then the debris of killed writes removed.
  bool TravaModelo(const QString& caminho);
  // Where the records of the file this document read are: its path, or the
  // file under the lock when another program put a new one at the path;
  // empty when neither is that file any more.
  QString FonteRegistros() const;
  // Keeps the identity of what a write produced, or its failure.
  bool ConcluiGravacao(const QString& caminho, bool ok);

  std::unique_ptr<CabecalhoModelo> cabecalho_;
  std::vector<dado> dados_;
  std::vector<dadoP> dadosP_;
  bool carregados_ = false;
  bool recalcular_ = false;  // set by the conversion of a version-4 older file
  QString arquivoLido_;      // the file the last open read: the converted file after a conversion
  plat::TravaArquivo trava_;           // held from open to close
  plat::IdentidadeArquivo identidade_; // the file as last read or written
  ControleGravacao gravacao_;          // the last write: the file expected, the answer
  NEWMAT::Matrix w_;
  NEWMAT::Matrix distancias_;  // M x considered records
  QPointer<QObject> janelas_[NumJanelas];
};

// The records of a document for one routine: loaded when they are not, and
// freed at the end only when this routine loaded them, so records holding
// another routine's unsaved edits are never dropped.
class CargaRegistros {
public:
  explicit CargaRegistros(CTarsolinDoc& doc)
      : doc_(doc), carregou_(!doc.RegistrosCarregados()), ok_(doc.CarregaRegistros()) {}
  ~CargaRegistros() {
    if (carregou_ && ok_) doc_.LiberaRegistros();
  }
  CargaRegistros(const CargaRegistros&) = delete;
  CargaRegistros& operator=(const CargaRegistros&) = delete;
  bool Ok() const { return ok_; }

private:
  CTarsolinDoc& doc_;
  bool carregou_;
  bool ok_;
};

// Path of the user's copy of the common-variable catalogue, copied from the
// program folder on first use (the program folder is not writable).
QString CaminhoCatalogoUsuario();
