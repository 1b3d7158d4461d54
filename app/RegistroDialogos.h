#pragma once
// Plugs the small dialogs and the older-format export into the commands that
// run them: the calculator (32830) and the dependent-variable dialog (32915)
// of the model window, its export to the older product's version 5 (32860),
// and the tip of the day (4009 and start-up). Called once by the program
// before its start-up.
class CTarsolinDoc;
class QString;

void RegistraDialogosPequenos();

// The export of 32860: false (the user told why) when the model has more
// variables than the version-5 format holds, its records cannot be read or
// the file cannot be written.
bool PodeExportarKmr5(CTarsolinDoc& doc);
bool ExportaModeloKmr5(CTarsolinDoc& doc, const QString& destino);
