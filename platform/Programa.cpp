#include "platform/Programa.h"

#include <QDir>
#include <QFileInfo>

namespace plat {

QString PastaPrograma() {
  static const QString pasta = [] {
    // The link names the executable the kernel started, whoever loaded us.
    QFileInfo exe(QStringLiteral("/proc/self/exe"));
    QString alvo = exe.symLinkTarget();
    if (alvo.isEmpty()) return QDir::currentPath();
    return QFileInfo(alvo).absolutePath();
  }();
  return pasta;
}

QString CaminhoPrograma(const QString& arquivo) {
  return QDir(PastaPrograma()).filePath(arquivo);
}

}  // namespace plat
