#pragma once
// The data page's text export (32860): three files beside the model file, named
// after it: the grid as a tab-separated table (".txt"), and the spatial lag
// W·y of the dependent variable over the validation rows ("_wy_Val.txt") and
// over the considered rows ("_wy.txt"). Lines end in CR LF; numbers carry a
// decimal comma.
#include <QString>
#include <functional>

class CTarsolinDoc;
class CTableCtrl;

// The three names' common stem: the model's path without a trailing ".tsn".
QString RaizExportacao(const QString& caminhoModelo);
// Writes the three files from `grade` (the table; `validacao` tells the
// validation rows among the excluded ones) and from the document's records
// and W as last stored. Failures are said; false when a file was not written.
bool ExportaPlanilha(CTarsolinDoc& doc, CTableCtrl& grade, const std::function<bool(int row)>& validacao);
