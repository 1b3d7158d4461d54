#pragma once
// The application: start-up in its fixed order, the program-wide options, the
// open documents, the file dialogs, the measurement units and the commands of
// the application (new, open, recent files, about, exit).
#include "AlvoComando.h"
#include "ListaArquivosRecentes.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CMainFrame;
class CTarsolinDoc;
class InstanciaUnica;
class QSettings;
class QWidget;
class ServicosDocumentoApp;

// A Windows RECT as the options store it: 16 bytes, left, top, right, bottom.
struct Retangulo {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int Largura() const { return right - left; }
  int Altura() const { return bottom - top; }
  bool operator==(const Retangulo&) const = default;
  QByteArray Bytes() const;
  static Retangulo DeBytes(const QByteArray& b, const Retangulo& padrao);
};

// Options of one report type ("Text", "RTF", "Word6", "Write").
struct OpcoesTipoRelatorio {
  int wrap = 1;  // word-wrap mode: 0 none, 1 to the window, 2 to the ruler
};

// The process-wide options kept in the settings.
struct OpcoesAplicacao {
  int WordSel = 1;
  int Units = 1;
  int Maximized = 0;
  Retangulo FrameRect;
  Retangulo PageMargin{1700, 1440, 1700, 1440};
  OpcoesTipoRelatorio texto{0}, rtf{1}, word6{2}, write{2};
};

class CTarsolinApp : public QObject, public AlvoComando {
  Q_OBJECT
public:
  explicit CTarsolinApp(QObject* parent = nullptr);
  ~CTarsolinApp() override;
  static CTarsolinApp* Instancia();

  // Start-up with the program's arguments (without the program name);
  // false when this instance must end (another one took the file).
  bool InitInstance(const QStringList& argumentos);
  void ExitInstance();

  // Options. `tela` is the screen area the saved frame placement must meet.
  void LoadOptions(QSettings& s, const QRect& tela);
  void SaveOptions(QSettings& s) const;
  OpcoesAplicacao& Opcoes() { return opcoes_; }
  static QSettings* Configuracoes();  // the program's settings (INI form)
  static int UnidadePadrao();        // 0 (inches) where the locale measures in inches, else 1 (cm)

  // Measurement units in the current unit ("Units").
  void CarregaUnidades();
  bool LeMedida(const QString& texto, int* twips) const;
  QString EscreveMedida(int twips, int decimais) const;
  OpcoesTipoRelatorio& ObtemOpcoesDocumento(int tipo);

  // Grid comparators: by value and by absolute value; -1, 0 or 1, 0 when a cell is missing.
  static int ComparaValor(const QString* a, const QString* b);
  static int ComparaValorAbsoluto(const QString* a, const QString* b);

  // File dialog over the file-type table; `tipo` receives the chosen type.
  bool PedeNomeArquivo(QString& nome, int idTitulo, bool abrir, int* tipo);

  // Two paths name one file when they reach the same device and inode (a
  // link, another spelling); false when either cannot be reached.
  static bool MesmoArquivo(const QString& a, const QString& b);

  // Documents.
  CTarsolinDoc* OpenDocumentFile(const QString& caminho);
  CTarsolinDoc* DocumentoAberto(const QString& caminho) const;
  bool FechaDocumento(CTarsolinDoc* doc);  // false when the user kept it open
  const std::vector<CTarsolinDoc*>& Documentos() const { return documentos_; }
  ListaArquivosRecentes& Recentes() { return recentes_; }
  bool EntregaArquivoInstancia(const QString& arquivo);
  CMainFrame* MainFrame() const;

  // The window a model opens in; the default shows the model's main facts.
  using FabricaJanelaModelo = std::function<QWidget*(CTarsolinDoc*)>;
  static void DefineFabricaJanelaModelo(FabricaJanelaModelo fabrica);
  // The tip of the day (command 4009, and at start-up when `inicio`, where it
  // shows itself only when its own start-up option is on).
  using DicaDoDia = std::function<void(bool inicio)>;
  static void DefineDicaDoDia(DicaDoDia dica);

  // Refreshes the default printer (when `atualiza`) and tells every window that listens.
  void NotificaImpressora(bool atualiza);
  // The printer chosen in a page-setup dialog becomes the program's; the change is announced.
  void SelecionaImpressora(const QString& nome);
  // Puts back a printer choice (an empty name too) and announces it when it changes.
  void RestauraImpressora(const QString& nome);
  QString ImpressoraPadrao() const { return impressora_; }

  // Commands.
  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;
  bool OnUpdateCmd(int id, EstadoComando& estado) override;
  void OnFileNew();
  void OnFileOpen();
  void OnFileMru(int indice);

signals:
  void documentoAberto(CTarsolinDoc* doc);
  void impressoraMudou();  // the printer-changed notification

private:
  bool CriaJanela(CTarsolinDoc* doc);
  bool AceitaArquivoDeOutraInstancia(const QString& caminho);

  OpcoesAplicacao opcoes_;
  ListaArquivosRecentes recentes_;
  std::vector<CTarsolinDoc*> documentos_;
  QPointer<CMainFrame> frame_;
  std::unique_ptr<ServicosDocumentoApp> servicos_;
  InstanciaUnica* instancia_ = nullptr;
  int posicaoFiltroAbrir_ = 0;  // remembered filter of the open dialog
  QString impressora_;          // the printer the program prints to
};
