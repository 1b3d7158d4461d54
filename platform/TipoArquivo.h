#pragma once
// Only regular files are opened as models or reports: opening a FIFO for
// reading waits for a writer forever, and a device or a folder is no document.
#include <QString>

namespace plat {

// Whether `caminho` (links followed) is a regular file.
bool ArquivoComum(const QString& caminho);

// Why `caminho` cannot be opened as a document, in Portuguese, when it exists
// and is not a regular file; empty for a regular file or one that does not
// exist (the opener reports that on its own).
QString MotivoArquivoNaoComum(const QString& caminho);

}  // namespace plat
