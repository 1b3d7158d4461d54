#pragma once
// The document of a query window: its title and the query file it came from.
#include <QObject>

class QPlainTextEdit;

namespace brenk {

class CQueryDoc : public QObject {
  Q_OBJECT
public:
  explicit CQueryDoc(QObject* parent = nullptr) : QObject(parent) {}
  // Reads a query file (plain text) into the editor; the file's name without
  // its extension becomes the base title.
  bool Abre(const QString& caminho, QPlainTextEdit* editor);
  QString Caminho() const { return caminho_; }
  QString TituloBase() const { return tituloBase_; }
  QString Titulo() const { return titulo_; }
  void SetTitle(const QString& titulo);

signals:
  void tituloMudou(const QString& titulo);

private:
  QString caminho_, tituloBase_, titulo_;
};

}  // namespace brenk
