#include "dbmanager/CQueryDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>

namespace brenk {

bool CQueryDoc::Abre(const QString& caminho, QPlainTextEdit* editor) {
  QFile f(caminho);
  if (!f.open(QIODevice::ReadOnly)) return false;
  editor->setPlainText(QString::fromLocal8Bit(f.readAll()));
  caminho_ = QFileInfo(caminho).absoluteFilePath();
  tituloBase_ = QFileInfo(caminho).completeBaseName();
  return true;
}

void CQueryDoc::SetTitle(const QString& titulo) {
  titulo_ = titulo;
  emit tituloMudou(titulo);
}

}  // namespace brenk
