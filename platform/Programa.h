#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace plat {
// The folder of the running executable (from /proc/self/exe): the program
// folder where the table files and the loadable libraries live. Modules loaded
// into the program see the same folder.
QString PastaPrograma();
// Path of `arquivo` inside the program folder.
QString CaminhoPrograma(const QString& arquivo);

// Qt's own dialogs and buttons (file, colour, print, message boxes) in
// Portuguese; once per process, nothing when the translation is missing.
void CarregaTraducoesQt();

// Starts a program on its own, not waited for (the main program starts the
// database manager so); false when it could not start. Tests install a
// handler in place of the start, so no real program outlives them.
using IniciadorPrograma = std::function<bool(const QString& programa, const QStringList& argumentos)>;
bool IniciaDestacado(const QString& programa, const QStringList& argumentos = {});
// Installs a handler (an empty function restores the real start); returns the previous one.
IniciadorPrograma DefineIniciadorPrograma(IniciadorPrograma iniciador);
}  // namespace plat
