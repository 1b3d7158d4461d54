#pragma once
// Modal dialogs run through ExecutaDialogo so tests can script them: a script
// registered for a dialog's object name ("dlg142") runs once the dialog is
// shown, fills its controls by their ids and presses a button.
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace plat {

using RoteiroDialogo = std::function<void(QDialog&)>;

// Runs `dlg` modally (or through its script) and returns the exec() result.
int ExecutaDialogo(QDialog& dlg);

// Queues a script for the next dialog with this object name. Scripts are used once.
void RoteiroPara(const QString& nomeObjeto, RoteiroDialogo roteiro);
// With scripting on, a dialog without a script is cancelled instead of blocking.
void DefineModoRoteiro(bool ligado);
bool ModoRoteiro();
void LimpaRoteiros();

// Helpers for scripts: controls are found by their numeric id (object name).
QWidget* Controle(QWidget& dlg, int id);
void DefineTexto(QWidget& dlg, int id, const QString& texto);  // line edits, combos, labels
QString Texto(QWidget& dlg, int id);
void DefineMarcado(QWidget& dlg, int id, bool marcado);        // check and radio buttons
bool Marcado(QWidget& dlg, int id);
void SelecionaItem(QWidget& dlg, int id, int indice);           // combos and lists
bool Habilitado(QWidget& dlg, int id);
void Pressiona(QWidget& dlg, int id);                           // clicks a button

}  // namespace plat
