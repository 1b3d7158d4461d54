#pragma once
// The report document: one report, its file type and the display state of
// that type, saving as rich text, text or MS-DOS text with the questions that
// go with a change of format, and opening by the file's own type.
#include "app/AlvoComando.h"
#include "platform/Documento.h"

#include <QStringList>

class CLaudoView;
class CDocChildFrame;

class CLaudoDoc : public plat::Documento, public AlvoComando {
  Q_OBJECT
public:
  explicit CLaudoDoc(QObject* parent = nullptr);
  ~CLaudoDoc() override;

  void DefineVista(CLaudoView* vista, CDocChildFrame* moldura);
  CLaudoView* FirstView() const { return vista_; }

  int Tipo() const { return tipo_; }
  int NovoTipo() const { return novoTipo_; }
  bool RichText() const { return rico_; }
  // The type the per-type options are kept under: 9 counts as 8, 12 as 7.
  static int TipoOpcoes(int tipo);

  void SaveTypeState(int tipo);
  void RestoreTypeState(int tipo);
  void ChangeType(int tipo, bool mantemOpcoes = false);

  bool OnNewDocument();
  bool OnOpenDocument(const QString& caminho);
  // Writes the report to `caminho` in the current type; false (reported) on failure.
  bool OnSaveDocument(const QString& caminho);
  // Saving with the type checks; `caminho` empty asks for a name. `substitui`
  // makes the saved file the document's (save, save as); otherwise a copy is saved.
  bool DoSave(const QString& caminho, bool substitui = true);
  // Offers to save a modified report: false when the user cancelled or the save failed.
  bool SaveModified();
  void OnCloseDocument();

  // The bytes of the report in the current type, and reading them back.
  QByteArray Conteudo() const;
  bool CarregaConteudo(const QByteArray& bytes);
  // What the file held that the editor could not keep (tables, pictures, ...).
  const QStringList& Perdas() const { return perdas_; }
  // The type the file is written in: the current one, or rich text for a
  // type that cannot be written here (a new report's Word 6).
  int TipoGravado() const;

  // The load or save failure with errno-style cause `erro`; `padrao` is the caller's string.
  static void ReportSaveLoadException(const QString& caminho, bool salvando, int erro, int padrao);

  // Hands a copy of the report to the desktop's mail command (xdg-email);
  // a machine without one, or without a mail program behind it, is told so.
  void OnSendMail();
  // The message for a mail that could not start.
  static void RecusaEnvio();
  bool OnSaveDocumentCopia(const QString& caminho);
  void OnOptions();

  bool OnCmdMsg(int id) override;
  bool TemComando(int id) const override;

private:
  // How a text file of type 8 is written: as it was read, or, for a new one,
  // Windows-1252 unless the text holds characters it lacks.
  enum class Codificacao { Automatica, Cp1252, Utf8, Utf8Bom };
  QString TextoPlano() const;
  // The warning before overwriting this document's own file loses content; empty when nothing is lost.
  QString AvisoPerdas() const;

  CLaudoView* vista_ = nullptr;
  CDocChildFrame* moldura_ = nullptr;
  int tipo_ = -1;
  int novoTipo_ = -1;
  bool rico_ = true;
  Codificacao codificacao_ = Codificacao::Automatica;
  QStringList perdas_;
};
