#pragma once
// The data page's text export (32860): three files beside the model file, named
// after it: the grid as a tab-separated table (".txt"), and the spatial lag
// W·y of the dependent variable over the validation rows ("_wy_Val.txt") and
// over the considered rows ("_wy.txt"). Lines end in CR LF; numbers carry a
// decimal comma, and the table's values every digit they have.
#include <QString>
#include <functional>

class CTableCtrl;
struct CabecalhoModelo;
struct dado;
namespace NEWMAT { class Matrix; }

// The three names' common stem: the model's path without a trailing ".tsn".
QString RaizExportacao(const QString& caminhoModelo);
// Writes the three files beside `caminhoModelo`: the table from `grade`
// (each cell's text as `texto` gives it; `validacao` tells the validation rows
// among the excluded ones) and W·y from `cab`, `dados` and `W`, the rows as
// the grid holds them. Without a W (none, another size, all zeros) there is no
// lag to write: the table is written and the user told so. Every file goes
// through the safe writer. Failures are said; false when a file was not written.
bool ExportaPlanilha(const QString& caminhoModelo, CTableCtrl& grade, const std::function<bool(int row)>& validacao,
                     const std::function<QString(int row, int col)>& texto, const CabecalhoModelo& cab,
                     const dado* dados, const NEWMAT::Matrix& W);
