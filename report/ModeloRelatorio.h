#pragma once
// The report template of the application: it makes a report document with
// its window (the ruler and the view), opens report files by their type, and
// plugs the results command of the model window in.
#include <QString>
#include <vector>

class CDocChildFrame;
class CLaudoDoc;
class CTarsolinDoc;
class QWidget;

class ModeloRelatorio {
public:
  // The type a new report gets (the results command sets 5) and the forced text and OEM flags.
  static int NovoTipoRelatorio();
  static void DefineNovoTipoRelatorio(int tipo);
  static bool& ForcaTexto();
  static bool& ForcaOem();

  // A new empty report when `caminho` is empty, else the report file opened; null on failure.
  static CLaudoDoc* OpenDocumentFile(const QString& caminho = QString());
  // Whether a file goes to the report template rather than to the model's:
  // rich text by its first bytes, or a name ending in .rtf or .txt.
  static bool EhRelatorio(const QString& caminho);
  static const std::vector<CLaudoDoc*>& Documentos();
  static CDocChildFrame* Moldura(CLaudoDoc* doc);
  // A second instance asks whether a file is open here: only report windows answer.
  static bool RespondeAbertura(const QString& caminho);

  // The results command (32841) of the model window: a new report with the
  // results of the model's current equation, linked to that window.
  static CLaudoDoc* OnRelatorio(CTarsolinDoc& modelo, QWidget* janelaModelo);
  // Registers the results command with the model window (start-up).
  static void Registra();
};
