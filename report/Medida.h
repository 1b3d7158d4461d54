#pragma once
// Measurements in the report dialogs' edit boxes: twips in the program,
// a number and a unit in the box ("2,5 cm", "1\"", or a bare number in the
// user's unit).
#include <QString>

class QFormLayout;
class QLineEdit;
class QWidget;

namespace medida {

constexpr int SemValor = 2147483647;  // an empty or mixed field
constexpr int Limite = 31680;         // the indents' and margins' bound, twips (22 inches)

// The user's measurement unit (index into the unit table).
int UnidadeAtual();
bool Le(const QString& texto, int* twips);
QString Escreve(int twips, int decimais);

// Reading a box: empty gives SemValor; text that does not parse shows
// "Esta não é uma medida válida.", gives the box the focus and answers false;
// a valid value is the reading of its own text as it would be shown again.
bool LeCaixa(QLineEdit* caixa, int* twips);
// Showing a value with 2 decimals; SemValor leaves the box as it is.
void MostraCaixa(QLineEdit* caixa, int twips);
// A value outside [minimo, maximo] (SemValor too) shows the range and answers false.
bool Valida(QLineEdit* caixa, int valor, int minimo, int maximo);

// A labelled measurement box (at most 63 characters) named by its control id.
QLineEdit* NovaCaixa(QFormLayout* formulario, QWidget* pai, int id, const char* rotulo);

}  // namespace medida
