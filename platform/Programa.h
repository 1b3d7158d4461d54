#pragma once
#include <QString>

namespace plat {
// The folder of the running executable (from /proc/self/exe): the program
// folder where the table files and the loadable libraries live. Modules loaded
// into the program see the same folder.
QString PastaPrograma();
// Path of `arquivo` inside the program folder.
QString CaminhoPrograma(const QString& arquivo);
}  // namespace plat
