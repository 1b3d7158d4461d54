#pragma once
// The calculation and data library drivers: the model window hands the model
// to one library for the length of one call. Binding is by ordinal, once per
// call, from the program folder; failures are reported here with the
// program's texts, a FALSE result is the library's own to report.
#include <QString>

class CTarsolinDoc;
struct CabecalhoModelo;
class QWidget;

namespace drivers {

// File names of the libraries; tests point them at stand-ins.
struct NomesModulos {
  QString ostrimo = QStringLiteral("Ostrimo.so");
  QString quenvik = QStringLiteral("Quenvik.so");
  QString palvedo = QStringLiteral("Palvedo.so");
  QString mirsalto = QStringLiteral("Mirsalto.so");
};
NomesModulos& Modulos();

// Commands posted between windows.
enum : int {
  CmdAbreEscolhaEquacao = 32837,
  CmdAtualizaPaineis = 32889,
};

// Ordinals of the exports.
enum : int {
  OrdCalcula = 2,  // Dirigido (1) is called by the document after a conversion
  OrdWalds = 1, OrdMoranI = 2, OrdSar = 3, OrdSem = 4,
  OrdExcluiVariavel = 1, OrdIncluiVariavel = 2, OrdOperaDado = 3, OrdOperaVariavel = 4,
};

// The locked check: the model is protected and not unlocked for this run.
bool Bloqueado(const CabecalhoModelo& cab);
// The three calculation checks in their order; the message of the first that
// fails, or an empty text.
QString VerificaCalculo(const CabecalhoModelo& cab);

// Linear regression (32831) once the frame has checked, offered to save,
// closed the auxiliary windows and freed the records: Calcula on the model
// path, then the header re-read, hint 3 and 32837 posted.
bool RegressaoLinear(CTarsolinDoc& doc);

// Spatial regression (32832) after the checks and the save offer: the options
// dialog, the progress dialog, y, X and W built for the considered records,
// sar or sem, and the results saved.
bool RegressaoEspacial(CTarsolinDoc& doc, QWidget* pai = nullptr);

// Data operations (ordinals of Palvedo) after the frame's steps; on success
// the header is re-read and the views get `hint`.
bool OperacaoDados(CTarsolinDoc& doc, int ordinal, int hint);


}  // namespace drivers
