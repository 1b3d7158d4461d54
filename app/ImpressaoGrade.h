#pragma once
// Printing and previewing a grid window: the print dialog (or the preview)
// over the grid's own begin, page and end steps; in the preview the model's
// margins are drawn under each page.
class CTableCtrl;
class CTarsolinDoc;
class QPrinter;
class QWidget;

// `doc` may be null (a grid that belongs to no model).
void ImprimeGrade(CTableCtrl& grade, const CTarsolinDoc* doc, QWidget* janela, bool previa);
// Every page on `impressora`, without dialogs; false when it cannot be opened.
bool ImprimeGradeEm(CTableCtrl& grade, const CTarsolinDoc* doc, QPrinter& impressora, bool previa);
