#include "TipoArquivo.h"

#include <QFile>
#include <sys/stat.h>

namespace plat {

bool ArquivoComum(const QString& caminho) {
  struct stat st;
  return ::stat(QFile::encodeName(caminho).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString MotivoArquivoNaoComum(const QString& caminho) {
  struct stat st;
  if (caminho.isEmpty() || ::stat(QFile::encodeName(caminho).constData(), &st) != 0 || S_ISREG(st.st_mode))
    return QString();
  QString tipo;
  if (S_ISDIR(st.st_mode)) tipo = QStringLiteral("é uma pasta");
  else if (S_ISFIFO(st.st_mode)) tipo = QStringLiteral("é uma fila (FIFO)");
  else if (S_ISSOCK(st.st_mode)) tipo = QStringLiteral("é um soquete");
  else if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) tipo = QStringLiteral("é um dispositivo");
  else tipo = QStringLiteral("é de um tipo especial");
  return QStringLiteral("Não é um arquivo comum: %1. Só arquivos comuns podem ser abertos.").arg(tipo);
}

}  // namespace plat
