#pragma once
// Document base: what the views of a document share. Views connect to
// documentUpdated and refresh on the hint (0 description or names changed,
// 1 variables changed, 3 results changed, 4 store edits before saving).
#include <QObject>
#include <QString>

namespace plat {

class Documento : public QObject {
  Q_OBJECT
public:
  explicit Documento(QObject* parent = nullptr) : QObject(parent) {}
  void UpdateAllViews(QObject* sender, int hint = 0) { emit documentUpdated(sender, hint); }
  bool IsModified() const { return modificado_; }
  void SetModifiedFlag(bool modificado = true) {
    if (modificado_ != modificado) { modificado_ = modificado; emit modifiedChanged(modificado); }
  }
  const QString& GetPathName() const { return caminho_; }
  virtual void SetPathName(const QString& caminho) { caminho_ = caminho; emit pathChanged(caminho); }
  const QString& GetTitle() const { return titulo_; }
  void SetTitle(const QString& titulo) { titulo_ = titulo; emit titleChanged(titulo); }
signals:
  void documentUpdated(QObject* sender, int hint);
  void modifiedChanged(bool modificado);
  void pathChanged(const QString& caminho);
  void titleChanged(const QString& titulo);
private:
  QString caminho_;
  QString titulo_;
  bool modificado_ = false;
};

}  // namespace plat
