#pragma once
// The document of a query window: the editor's text as a query file
// (".tsq", plain text) and the window's title, which carries the data source,
// the document's name and the beginning of the query. Saving and the save
// prompt work with the plain name.
#include <QObject>

class QPlainTextEdit;

namespace brenk {

class CQueryDoc : public QObject {
  Q_OBJECT
public:
  explicit CQueryDoc(QObject* parent = nullptr) : QObject(parent) {}
  void DefineEditor(QPlainTextEdit* editor) { editor_ = editor; }
  // The data-source text of the window, once connected.
  void DefineFonte(const QString& fonte) { fonte_ = fonte; }

  // Reads a query file (plain text) into the editor; the file's name without
  // its extension becomes the base title.
  bool Abre(const QString& caminho, QPlainTextEdit* editor);
  // Opens a file into a connected window: the title follows the file.
  bool AbreArquivo(const QString& caminho);
  QString Caminho() const { return caminho_; }
  QString TituloBase() const { return tituloBase_; }
  QString Titulo() const { return titulo_; }
  // A title with "-" is taken as it is; a plain name is decorated with the
  // source and the beginning of the query.
  void SetTitle(const QString& titulo);
  // The title cut to the plain document name.
  void TituloSimples();
  // Save (or Save As, or Save without a path): false when cancelled or failed.
  bool Salva(bool comoNovo);
  // The save prompt of a modified document: false when the user cancels.
  bool SaveModified();
  bool Modificado() const;

signals:
  void tituloMudou(const QString& titulo);
  // The document took the path of a file it read or wrote (for the recent-file list).
  void caminhoDefinido(const QString& caminho);

private:
  bool Grava(const QString& caminho);

  QPlainTextEdit* editor_ = nullptr;
  QString fonte_;
  QString caminho_, tituloBase_, titulo_;
};

}  // namespace brenk
